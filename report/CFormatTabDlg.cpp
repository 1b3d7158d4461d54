#include "CFormatTabDlg.h"

#include "Medida.h"
#include "platform/Mensagem.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

CFormatTabDlg::CFormatTabDlg(const FormatoParagrafo& p, QWidget* parent) : CHelpDialog(523, parent) {
  setWindowTitle(QStringLiteral("Tabulações"));
  if (p.mascara & FormatoParagrafo::Tabulacoes) {
    tabs_ = p.tabs;
    std::sort(tabs_.begin(), tabs_.end());
    tabs_.erase(std::unique(tabs_.begin(), tabs_.end()), tabs_.end());
    if (tabs_.size() > std::size_t(FormatoParagrafo::MaxTabulacoes)) tabs_.resize(FormatoParagrafo::MaxTabulacoes);
  }
  auto* grupo = new QGroupBox(QStringLiteral("&Posições"), this);
  grupo->setObjectName(QStringLiteral("1004"));
  caixa_ = new QComboBox(grupo);
  caixa_->setObjectName(QStringLiteral("1037"));
  caixa_->setEditable(true);
  caixa_->setInsertPolicy(QComboBox::NoInsert);
  auto* g = new QVBoxLayout(grupo);
  g->addWidget(caixa_);
  adicionar_ = new QPushButton(QStringLiteral("&Adicionar"), this);
  adicionar_->setObjectName(QStringLiteral("1015"));
  remover_ = new QPushButton(QStringLiteral("&Remover"), this);
  remover_->setObjectName(QStringLiteral("1013"));
  limpar_ = new QPushButton(QStringLiteral("&Limpar Todas"), this);
  limpar_->setObjectName(QStringLiteral("1014"));
  auto* botoes = CHelpDialog::BotoesOkCancelar(this);
  ok_ = botoes->button(QDialogButtonBox::Ok);
  connect(adicionar_, &QPushButton::clicked, this, [this] { Adiciona(); VoltaFoco(); });
  connect(remover_, &QPushButton::clicked, this, [this] { Remove(); VoltaFoco(); });
  connect(limpar_, &QPushButton::clicked, this, [this] { Limpa(); VoltaFoco(); });
  connect(caixa_, &QComboBox::editTextChanged, this, [this] { AtualizaBotoes(); });
  auto* lateral = new QVBoxLayout;
  lateral->addWidget(adicionar_);
  lateral->addWidget(remover_);
  lateral->addWidget(limpar_);
  lateral->addStretch();
  auto* corpo = new QHBoxLayout;
  corpo->addWidget(grupo, 1);
  corpo->addLayout(lateral);
  auto* l = new QVBoxLayout(this);
  l->addLayout(corpo);
  l->addWidget(botoes);
  Preenche();
}

void CFormatTabDlg::Preenche() {
  const QString digitado = caixa_->currentText();
  caixa_->blockSignals(true);
  caixa_->clear();
  for (int t : tabs_) caixa_->addItem(medida::Escreve(t, 2));
  caixa_->setCurrentIndex(-1);
  caixa_->setEditText(digitado);
  caixa_->blockSignals(false);
  AtualizaBotoes();
}

void CFormatTabDlg::AtualizaBotoes() {
  const bool texto = !caixa_->currentText().isEmpty();
  limpar_->setEnabled(!tabs_.empty());
  adicionar_->setEnabled(texto);
  remover_->setEnabled(texto);
  adicionar_->setDefault(texto);
  ok_->setDefault(!texto);
}

void CFormatTabDlg::VoltaFoco() {
  caixa_->setFocus();
  if (caixa_->lineEdit()) caixa_->lineEdit()->selectAll();
}

bool CFormatTabDlg::Adiciona() {
  int v = 0;
  if (!medida::LeCaixa(caixa_->lineEdit(), &v)) return false;
  if (v == medida::SemValor) return false;
  if (!medida::Valida(caixa_->lineEdit(), v, 0, medida::Limite)) return false;
  if (tabs_.size() >= std::size_t(FormatoParagrafo::MaxTabulacoes)) {
    plat::MessageBox(3070, plat::MB_ICONEXCLAMATION);
    if (caixa_->lineEdit()) caixa_->lineEdit()->del();
    return false;
  }
  auto it = std::lower_bound(tabs_.begin(), tabs_.end(), v);
  if (it == tabs_.end() || *it != v) tabs_.insert(it, v);
  caixa_->setEditText(QString());
  Preenche();
  return true;
}

void CFormatTabDlg::Remove() {
  const int i = caixa_->findText(caixa_->currentText(), Qt::MatchExactly);
  if (i >= 0 && i < int(tabs_.size())) {
    tabs_.erase(tabs_.begin() + i);
  } else {
    int v = 0;
    if (medida::Le(caixa_->currentText(), &v)) {
      int mostrado = v;
      if (medida::Le(medida::Escreve(v, 2), &mostrado)) v = mostrado;
      tabs_.erase(std::remove(tabs_.begin(), tabs_.end(), v), tabs_.end());
    }
  }
  caixa_->setEditText(QString());
  Preenche();
}

void CFormatTabDlg::Limpa() {
  tabs_.clear();
  caixa_->setEditText(QString());
  Preenche();
}

FormatoParagrafo CFormatTabDlg::Resultado() const {
  FormatoParagrafo r;
  r.mascara = FormatoParagrafo::Tabulacoes;
  r.tabs = tabs_;
  return r;
}

void CFormatTabDlg::accept() {
  // A position still typed in the box is added first; when it cannot be, the dialog stays.
  if (adicionar_->isEnabled() && !Adiciona()) return;
  CHelpDialog::accept();
}
