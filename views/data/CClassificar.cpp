#include "CClassificar.h"

#include "controls/CTableCtrl.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
using C = CabecalhoModelo;

QRadioButton* Opcao(QWidget* pai, QLayout* l, int id, const QString& texto) {
  auto* b = new QRadioButton(texto, pai);
  b->setObjectName(QString::number(id));
  l->addWidget(b);
  return b;
}

QHBoxLayout* Botoes(QDialog* dlg) {
  auto* ok = new QPushButton(QStringLiteral("&Classificar"), dlg);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), dlg);
  fechar->setObjectName(QStringLiteral("2"));
  QObject::connect(ok, &QPushButton::clicked, dlg, &QDialog::accept);
  QObject::connect(fechar, &QPushButton::clicked, dlg, &QDialog::reject);
  auto* b = new QHBoxLayout;
  b->addStretch();
  b->addWidget(ok);
  b->addWidget(fechar);
  return b;
}
}  // namespace

CClassificar::CClassificar(CTarsolinDoc* doc, int* chave, int* descendente, QWidget* parent)
    : QDialog(parent), chave_(chave), descendente_(descendente) {
  setObjectName(QStringLiteral("dlg507"));
  setWindowTitle(QStringLiteral("Classificar"));
  auto* opcoes = new QGroupBox(QStringLiteral("Opções"), this);
  auto* lo = new QVBoxLayout(opcoes);
  QRadioButton* numero = Opcao(opcoes, lo, 1100, QStringLiteral("No. do Dado"));
  QRadioButton* endereco = Opcao(opcoes, lo, 1095, QStringLiteral("&Endereço"));
  QRadioButton* observacao = Opcao(opcoes, lo, 1096, QStringLiteral("&Observação"));
  QRadioButton* variavel = Opcao(opcoes, lo, 1097, QStringLiteral("&Variável"));
  rotulo_ = new QLabel(QStringLiteral("Variáveis"), this);
  rotulo_->setObjectName(QStringLiteral("1138"));
  lista_ = new QListWidget(this);
  lista_->setObjectName(QStringLiteral("1074"));
  auto* ordem = new QGroupBox(QStringLiteral("Ordem"), this);
  auto* lr = new QVBoxLayout(ordem);
  QRadioButton* crescente = Opcao(ordem, lr, 1098, QStringLiteral("Crescen&te"));
  QRadioButton* decrescente = Opcao(ordem, lr, 1099, QStringLiteral("&Decrescente"));

  auto* esquerda = new QVBoxLayout;
  esquerda->addWidget(opcoes);
  esquerda->addWidget(ordem);
  auto* direita = new QVBoxLayout;
  direita->addWidget(rotulo_);
  direita->addWidget(lista_);
  auto* corpo = new QHBoxLayout;
  corpo->addLayout(esquerda);
  corpo->addLayout(direita);
  auto* l = new QVBoxLayout(this);
  l->addLayout(corpo);
  l->addLayout(Botoes(this));

  if (doc && doc->GetCabecalho()) {
    const CabecalhoModelo& c = *doc->GetCabecalho();
    const int n = std::clamp(c.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
    for (int v = 0; v < n; ++v) lista_->addItem(c.Texto(C::OffNomesVariaveis + 31 * std::size_t(v), 31));
  }
  if (lista_->count() > 0) lista_->setCurrentRow(0);
  variavel->setChecked(true);
  crescente->setChecked(true);
  *chave_ = 4;
  *descendente_ = 0;

  connect(numero, &QRadioButton::clicked, this, [this] { Escolhe(1, false); });
  connect(endereco, &QRadioButton::clicked, this, [this] { Escolhe(2, false); });
  connect(observacao, &QRadioButton::clicked, this, [this] { Escolhe(3, false); });
  connect(variavel, &QRadioButton::clicked, this, [this] { Escolhe(4 + std::max(0, lista_->currentRow()), true); });
  connect(lista_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0 && lista_->isEnabled()) *chave_ = 4 + r;
  });
  connect(crescente, &QRadioButton::clicked, this, [this] { *descendente_ = 0; });
  connect(decrescente, &QRadioButton::clicked, this, [this] { *descendente_ = 1; });
}

void CClassificar::Escolhe(int chave, bool lista) {
  *chave_ = chave;
  lista_->setEnabled(lista);
  rotulo_->setEnabled(lista);
}

CClassificarVar::CClassificarVar(int* chave, int* descendente, const QString& var1, const QString& var2, QWidget* parent)
    : QDialog(parent), chave_(chave), descendente_(descendente) {
  const QString rotulos[4] = {QStringLiteral("&Endereço"), QStringLiteral("&Observação"), var1, var2};
  Monta(rotulos, {3, 4, 1, 2});
}

CClassificarVar::CClassificarVar(int* chave, int* descendente, CTableCtrl* grade, QWidget* parent)
    : QDialog(parent), chave_(chave), descendente_(descendente) {
  QString rotulos[4];
  for (int i = 0; i < 4; ++i)
    rotulos[i] = grade && grade->GetColumnCount() > i + 1 ? grade->GetCellText(0, i + 1) : QString();
  // Each choice sorts the column whose heading it shows (column key + 2).
  Monta(rotulos, {-1, 0, 1, 2});
}

void CClassificarVar::Monta(const QString (&rotulos)[4], const int (&chaves)[4]) {
  setObjectName(QStringLiteral("dlg508"));
  setWindowTitle(QStringLiteral("Classificar"));
  auto* opcoes = new QGroupBox(QStringLiteral("Opções "), this);
  auto* lo = new QVBoxLayout(opcoes);
  const int ids[4] = {1095, 1096, 1097, 1098};
  QRadioButton* botoes[4];
  for (int i = 0; i < 4; ++i) {
    botoes[i] = Opcao(opcoes, lo, ids[i], rotulos[i]);
    const int k = chaves[i];
    connect(botoes[i], &QRadioButton::clicked, this, [this, k] { *chave_ = k; });
  }
  auto* ordem = new QGroupBox(QStringLiteral("Ordem "), this);
  auto* lr = new QVBoxLayout(ordem);
  QRadioButton* crescente = Opcao(ordem, lr, 1099, QStringLiteral("&Crescente"));
  QRadioButton* decrescente = Opcao(ordem, lr, 1100, QStringLiteral("&Decrescente"));
  connect(crescente, &QRadioButton::clicked, this, [this] { *descendente_ = 0; });
  connect(decrescente, &QRadioButton::clicked, this, [this] { *descendente_ = 1; });
  auto* corpo = new QHBoxLayout;
  corpo->addWidget(opcoes);
  corpo->addWidget(ordem);
  auto* l = new QVBoxLayout(this);
  l->addLayout(corpo);
  l->addLayout(Botoes(this));
  botoes[2]->setChecked(true);
  crescente->setChecked(true);
  *chave_ = chaves[2];
  *descendente_ = 0;
}
