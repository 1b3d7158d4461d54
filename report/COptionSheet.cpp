#include "COptionSheet.h"

#include "app/CTarsolinApp.h"
#include "platform/Dialogo.h"
#include "platform/TabelaTextos.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

CUnitsPage::CUnitsPage(QWidget* parent) : CHelpPropertyPage(529, plat::Texto(3074), parent) {
  auto* grupo = new QGroupBox(QStringLiteral("Unidades de medidas"), this);
  grupo->setObjectName(QStringLiteral("1004"));
  auto* g = new QVBoxLayout(grupo);
  unidades_ = new QButtonGroup(this);
  const std::pair<int, const char*> radios[] = {{1134, "&Polegadas"}, {1133, "&Centímetros"}, {1136, "&Pontos"},
                                                {1135, "Pic&as"}};
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(radios[i].second), grupo);
    r->setObjectName(QString::number(radios[i].first));
    unidades_->addButton(r, i);
    g->addWidget(r);
  }
  selecao_ = new QCheckBox(QStringLiteral("&Seleção automática de palavras"), this);
  selecao_->setObjectName(QStringLiteral("1139"));
  auto* l = new QVBoxLayout(this);
  l->addWidget(grupo);
  l->addWidget(selecao_);
  l->addStretch();
}

void CUnitsPage::Carrega() {
  if (auto* b = unidades_->button(m_nUnits)) b->setChecked(true);
  selecao_->setChecked(m_bWordSel);
}

void CUnitsPage::Guarda() {
  if (unidades_->checkedId() >= 0) m_nUnits = unidades_->checkedId();
  m_bWordSel = selecao_->isChecked();
}

CDocOptPage::CDocOptPage(int idTitulo, QWidget* parent) : CHelpPropertyPage(530, plat::Texto(idTitulo), parent) {
  auto* grupo = new QGroupBox(QStringLiteral("Ajuste do texto"), this);
  grupo->setObjectName(QStringLiteral("1004"));
  auto* g = new QVBoxLayout(grupo);
  quebra_ = new QButtonGroup(this);
  const std::pair<int, const char*> radios[] = {{1140, "&Sem quebra"}, {1142, "&Ajusta na janela"},
                                                {1141, "Ajusta na &regua"}};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(radios[i].second), grupo);
    r->setObjectName(QString::number(radios[i].first));
    quebra_->addButton(r, i);
    g->addWidget(r);
  }
  auto* l = new QVBoxLayout(this);
  l->addWidget(grupo);
  l->addStretch();
}

void CDocOptPage::Carrega() {
  if (auto* b = quebra_->button(m_nWordWrap)) b->setChecked(true);
}

void CDocOptPage::Guarda() {
  if (quebra_->checkedId() >= 0) m_nWordWrap = quebra_->checkedId();
}

COptionSheet::COptionSheet(const QString& titulo, QWidget* parent, int primeiraPagina)
    : CHelpPropertySheet(titulo, parent) {
  setObjectName(QStringLiteral("COptionSheet"));
  unidades = new CUnitsPage(this);
  texto = new CDocOptPage(3102, this);
  rtf = new CDocOptPage(3085, this);
  word6 = new CDocOptPage(3122, this);
  write = new CDocOptPage(3128, this);
  for (CHelpPropertyPage* p : std::initializer_list<CHelpPropertyPage*>{unidades, texto, rtf, word6, write})
    AdicionaPagina(p);
  if (CTarsolinApp* app = CTarsolinApp::Instancia()) {
    unidades->m_nUnits = app->Opcoes().Units;
    unidades->m_bWordSel = app->Opcoes().WordSel != 0;
    texto->m_nWordWrap = app->ObtemOpcoesDocumento(8).wrap;
    rtf->m_nWordWrap = app->ObtemOpcoesDocumento(7).wrap;
    word6->m_nWordWrap = app->ObtemOpcoesDocumento(4).wrap;
    write->m_nWordWrap = app->ObtemOpcoesDocumento(6).wrap;
  }
  unidades->Carrega();
  for (CDocOptPage* p : {texto, rtf, word6, write}) p->Carrega();
  DefinePaginaAtiva(primeiraPagina);
}

void COptionSheet::accept() {
  unidades->Guarda();
  for (CDocOptPage* p : {texto, rtf, word6, write}) p->Guarda();
  CHelpPropertySheet::accept();
}

int COptionSheet::Executa() {
  const int r = plat::ExecutaDialogo(*this);
  if (r != QDialog::Accepted) return r;
  if (CTarsolinApp* app = CTarsolinApp::Instancia()) {
    app->Opcoes().Units = unidades->m_nUnits;
    app->Opcoes().WordSel = unidades->m_bWordSel ? 1 : 0;
    app->ObtemOpcoesDocumento(8).wrap = texto->m_nWordWrap;
    app->ObtemOpcoesDocumento(7).wrap = rtf->m_nWordWrap;
    app->ObtemOpcoesDocumento(4).wrap = word6->m_nWordWrap;
    app->ObtemOpcoesDocumento(6).wrap = write->m_nWordWrap;
  }
  return r;
}
