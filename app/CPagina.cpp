#include "CPagina.h"

#include "CChildFrame.h"
#include "CTarsolinApp.h"
#include "controls/ImpressaoPagina.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "report/CPageSetupDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
using C = CabecalhoModelo;
constexpr int TamLinha = 50;
}  // namespace

bool CPagina::UnidadeMetrica() {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  return (app ? app->Opcoes().Units : CTarsolinApp::UnidadePadrao()) == 1;
}

void CPagina::Registra() {
  CChildFrame::RegistraDialogo(57605, [](CTarsolinDoc& doc) {
    CPagina dlg(&doc);
    plat::ExecutaDialogo(dlg);
    return true;
  });
}

CPagina::CPagina(CTarsolinDoc* doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("dlg533"));
  setWindowTitle(QStringLiteral("Configurar Página"));
  C& c = *doc_->GetCabecalho();

  auto* grupo = new QGroupBox(QStringLiteral("Cabeçalho"), this);
  auto* lg = new QGridLayout(grupo);
  auto campo = [&](int id, const QString& rotulo, int linha) {
    auto* e = new QLineEdit(grupo);
    e->setObjectName(QString::number(id));
    e->setMaxLength(TamLinha);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);
    auto* l = new QLabel(rotulo, grupo);
    l->setBuddy(e);
    e->setAccessibleName(rotulo);
    lg->addWidget(l, linha, 0);
    lg->addWidget(e, linha, 1);
    return e;
  };
  linha1_ = campo(1056, QStringLiteral("1o. Linha"), 0);
  linha2_ = campo(1057, QStringLiteral("2o. Linha"), 1);
  auto caixa = [&](int id, const QString& rotulo) {
    auto* b = new QCheckBox(rotulo, grupo);
    b->setObjectName(QString::number(id));
    return b;
  };
  numera_ = caixa(1031, QStringLiteral("Numerar Página"));
  data_ = caixa(1032, QStringLiteral("Imprimir Data do Sistema"));
  semCabecalho_ = caixa(1030, QStringLiteral("Não utilizar cabeçalho"));
  semRodape_ = caixa(1033, QStringLiteral("Não utilizar rodapé"));
  lg->addWidget(numera_, 2, 0, 1, 2);
  lg->addWidget(data_, 3, 0, 1, 2);
  lg->addWidget(semCabecalho_, 4, 0, 1, 2);
  lg->addWidget(semRodape_, 5, 0, 1, 2);

  auto* margens = new QPushButton(QStringLiteral("&Margens"), this);
  margens->setObjectName(QStringLiteral("32859"));
  margens->setDefault(true);
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("1"));
  auto* botoes = new QVBoxLayout;
  botoes->addWidget(margens);
  botoes->addWidget(fechar);
  botoes->addStretch(1);
  auto* l = new QHBoxLayout(this);
  l->addWidget(grupo, 1);
  l->addLayout(botoes);

  // Initial values; what Escape restores.
  for (int k = 0; k < 4; ++k) {
    flags_[k] = c.U8(C::OffImprimeCabecalho + size_t(k));
    margens_[k] = c.I32(C::OffMargens + 4 * size_t(k));
  }
  if (CTarsolinApp* app = CTarsolinApp::Instancia()) {
    margensApp_ = app->Opcoes().PageMargin;
    impressoraApp_ = app->ImpressoraPadrao();
  }
  linha1_->setText(c.Texto(C::OffLinhaTitulo, C::TamLinhaTitulo).left(TamLinha));
  linha2_->setText(c.Texto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo).left(TamLinha));
  data_->setChecked(c.U8(C::OffImprimeData));
  numera_->setChecked(c.U8(C::OffNumeraPaginas));
  semCabecalho_->setChecked(!c.U8(C::OffImprimeCabecalho));
  semRodape_->setChecked(!c.U8(C::OffImprimeRodape));
  if (c.U8(C::OffProtegido) && !c.U8(C::OffDesbloqueado)) {
    for (QWidget* w : std::initializer_list<QWidget*>{linha1_, linha2_, semCabecalho_, numera_, data_}) w->setEnabled(false);
  }

  // Either line typed marks the dialog, so a change of the second line alone is stored too.
  connect(linha1_, &QLineEdit::textEdited, this, [this] { mudou_ = true; });
  connect(linha2_, &QLineEdit::textEdited, this, [this] { mudou_ = true; });
  for (QCheckBox* b : {numera_, data_, semCabecalho_, semRodape_})
    connect(b, &QCheckBox::clicked, this, [this, b](bool marcado) { Marca(b->objectName().toInt(), marcado); });
  connect(margens, &QPushButton::clicked, this, &CPagina::Margens);
  connect(fechar, &QPushButton::clicked, this, &CPagina::accept);
}

void CPagina::Marca(int id, bool marcado) {
  C& c = *doc_->GetCabecalho();
  switch (id) {
    case 1030: c.SetU8(C::OffImprimeCabecalho, marcado ? 0 : 1); break;
    case 1031: c.SetU8(C::OffNumeraPaginas, marcado ? 1 : 0); break;
    case 1032: c.SetU8(C::OffImprimeData, marcado ? 1 : 0); break;
    case 1033: c.SetU8(C::OffImprimeRodape, marcado ? 0 : 1); break;
    default: return;
  }
  mudou_ = true;
}

void CPagina::Margens() {
  C& c = *doc_->GetCabecalho();
  const int atual[4] = {c.I32(C::OffMargens), c.I32(C::OffMargens + 4), c.I32(C::OffMargens + 8), c.I32(C::OffMargens + 12)};
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // No printer for the system's page setup: the program's own margins dialog, in twips.
    CPageSetupDlg dlg(this);
    dlg.m_nLeftMargin = atual[0];
    dlg.m_nRightMargin = atual[1];
    dlg.m_nTopMargin = atual[2];
    dlg.m_nBottomMargin = atual[3];
    if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
    GuardaMargens(dlg.m_nLeftMargin, dlg.m_nRightMargin, dlg.m_nTopMargin, dlg.m_nBottomMargin, QString());
    return;
  }
  const bool metrico = UnidadeMetrica();
  const double escala = metrico ? 100.0 : 1000.0;  // dialog units per millimetre or inch
  const QPageLayout::Unit unidade = metrico ? QPageLayout::Millimeter : QPageLayout::Inch;
  auto valor = [&](int k) { return MargemParaDialogo(atual[k], metrico) / escala; };
  const QMarginsF m(valor(0), valor(2), valor(1), valor(3));  // left, top, right, bottom

  QPrinter impressora(QPrinter::HighResolution);
  CTarsolinApp* app = CTarsolinApp::Instancia();
  if (app && !app->ImpressoraPadrao().isEmpty()) impressora.setPrinterName(app->ImpressoraPadrao());
  QPageLayout layout = impressora.pageLayout();
  layout.setUnits(unidade);
  layout.setMode(QPageLayout::FullPageMode);  // any margins the header holds can be shown
  layout.setMargins(m);
  layout.setMode(QPageLayout::StandardMode);
  impressora.setPageLayout(layout);

  QPageSetupDialog dlg(&impressora, this);
  dlg.setObjectName(QStringLiteral("dlgPageSetup"));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  const QMarginsF n = impressora.pageLayout().margins(unidade);
  auto twips = [&](double v) { return MargemDoDialogo(qRound(v * escala), metrico); };
  GuardaMargens(twips(n.left()), twips(n.right()), twips(n.top()), twips(n.bottom()), impressora.printerName());
}

void CPagina::GuardaMargens(int esquerda, int direita, int superior, int inferior, const QString& nome) {
  C& c = *doc_->GetCabecalho();
  c.SetI32(C::OffMargens, esquerda);
  c.SetI32(C::OffMargens + 4, direita);
  c.SetI32(C::OffMargens + 8, superior);
  c.SetI32(C::OffMargens + 12, inferior);
  if (CTarsolinApp* app = CTarsolinApp::Instancia()) {
    app->Opcoes().PageMargin = Retangulo{esquerda, superior, direita, inferior};
    app->SelecionaImpressora(nome);
  }
  mudou_ = true;
}

void CPagina::accept() {
  if (mudou_) {
    C& c = *doc_->GetCabecalho();
    doc_->SetModifiedFlag(true);
    c.SetTexto(C::OffLinhaTitulo, size_t(TamLinha) + 1, linha1_->text().left(TamLinha));
    c.SetTexto(C::OffLinhaTitulo + C::TamLinhaTitulo, size_t(TamLinha) + 1, linha2_->text().left(TamLinha));
    doc_->SaveModified();
  }
  QDialog::accept();
}

void CPagina::reject() {
  // Escape leaves the header, the default margins and the printer as they
  // were: the boxes and "&Margens" wrote them at once.
  C& c = *doc_->GetCabecalho();
  for (int k = 0; k < 4; ++k) {
    c.SetU8(C::OffImprimeCabecalho + size_t(k), flags_[k]);
    c.SetI32(C::OffMargens + 4 * size_t(k), margens_[k]);
  }
  if (CTarsolinApp* app = CTarsolinApp::Instancia()) {
    app->Opcoes().PageMargin = margensApp_;
    app->RestauraImpressora(impressoraApp_);
  }
  QDialog::reject();
}
