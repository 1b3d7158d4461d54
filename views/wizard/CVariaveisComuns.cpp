#include "CVariaveisComuns.h"

#include "ControlesAssistente.h"
#include "model/CTarsolinDoc.h"
#include "model/VariaveisComuns.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

using namespace assistente;

// ---------------------------------------------------------------- name

CNomeVariavel::CNomeVariavel(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg527"));
  setWindowTitle(QStringLiteral("Nome da variável"));
  auto* raiz = new QVBoxLayout(this);
  auto* linha = new QHBoxLayout;
  linha->addWidget(new QLabel(QStringLiteral("Nome da Variável : "), this));
  edit_ = new QLineEdit(this);
  DefineId(edit_, 1056);
  edit_->setMaxLength(25);
  edit_->setMinimumWidth(200);
  linha->addWidget(edit_);
  raiz->addLayout(linha);
  auto* botoes = new QDialogButtonBox(this);
  QPushButton* ok = botoes->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("2"));
  connect(botoes, &QDialogButtonBox::accepted, this, &CNomeVariavel::accept);
  connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
  raiz->addWidget(botoes);
}

void CNomeVariavel::accept() {
  nome_ = edit_->text();
  QDialog::accept();
}

// ---------------------------------------------------------------- catalogue

namespace {
const char* const TiposDado[4] = {"Dicotômica", "Data", "Qualitativa", "Quantitativa"};
constexpr int IdsTipo[4] = {1095, 1096, 1097, 1098};
}  // namespace

CVariaveisComuns::CVariaveisComuns(const QString& caminho, QWidget* parent)
    : QDialog(parent), caminho_(caminho.isEmpty() ? CaminhoCatalogoUsuario() : caminho) {
  setObjectName(QStringLiteral("dlg551"));
  setWindowTitle(QStringLiteral("Tipo de Variáveis"));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Variáveis "), this), 0, 0);
  lista_ = new QListWidget(this);
  DefineId(lista_, 1074);
  lista_->setMinimumWidth(200);
  g->addWidget(lista_, 1, 0, 4, 1);

  auto* grupo = new QGroupBox(QStringLiteral("Tipo de Dados "), this);
  auto* lg = new QVBoxLayout(grupo);
  for (int i = 0; i < 4; ++i) {
    tipo_[i] = new QRadioButton(QString::fromUtf8(TiposDado[i]), grupo);
    tipo_[i]->setAutoExclusive(false);  // a code outside 1-4 checks none
    DefineId(tipo_[i], IdsTipo[i]);
    lg->addWidget(tipo_[i]);
    connect(tipo_[i], &QRadioButton::clicked, this, [this, i] {
      for (int k = 0; k < 4; ++k) tipo_[k]->setChecked(k == i);
      const int sel = lista_->currentRow();
      if (sel >= 0 && std::size_t(sel) < catalogo_.size()) catalogo_[std::size_t(sel)].tipo = i + 1;
    });
  }
  g->addWidget(grupo, 1, 1);

  auto* linhaCasas = new QHBoxLayout;
  linhaCasas->addWidget(new QLabel(QStringLiteral("Casas decimais"), this));
  casas_ = new QLineEdit(this);
  DefineId(casas_, 1057);
  casas_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), casas_));
  casas_->setMaximumWidth(40);
  linhaCasas->addWidget(casas_);
  linhaCasas->addStretch();
  g->addLayout(linhaCasas, 2, 1);

  auto* colunaTipo = new QVBoxLayout;
  colunaTipo->addWidget(new QLabel(QStringLiteral("Tipologia"), this));
  imovel_ = new QComboBox(this);
  DefineId(imovel_, 1037);
  imovel_->addItems(TiposImovel());
  colunaTipo->addWidget(imovel_);
  g->addLayout(colunaTipo, 3, 1);

  g->addWidget(new QLabel(QStringLiteral("Descrição da variável"), this), 5, 0, 1, 2);
  descricao_ = new QPlainTextEdit(this);
  DefineId(descricao_, 1056);
  descricao_->setTabChangesFocus(true);
  descricao_->setMaximumHeight(90);
  LimitaTexto(descricao_, MaxDescricaoEditor);
  g->addWidget(descricao_, 6, 0, 1, 2);

  auto* botoes = new QHBoxLayout;
  auto* adicionar = new QPushButton(QStringLiteral("&Adicionar"), this);
  DefineId(adicionar, 1017);
  auto* remover = new QPushButton(QStringLiteral("&Remover"), this);
  DefineId(remover, 1016);
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("1"));
  botoes->addWidget(adicionar);
  botoes->addWidget(remover);
  botoes->addStretch();
  botoes->addWidget(fechar);
  g->addLayout(botoes, 7, 0, 1, 2);
  for (QPushButton* b : {adicionar, remover, fechar}) b->setAutoDefault(false);

  connect(adicionar, &QPushButton::clicked, this, &CVariaveisComuns::Adiciona);
  connect(remover, &QPushButton::clicked, this, &CVariaveisComuns::Remove);
  connect(fechar, &QPushButton::clicked, this, &CVariaveisComuns::accept);
  connect(lista_, &QListWidget::currentRowChanged, this, [this](int i) {
    if (!mostrando_) Mostra(i);
  });
  connect(imovel_, &QComboBox::currentIndexChanged, this, [this](int i) {
    const int sel = lista_->currentRow();
    if (!mostrando_ && i >= 0 && sel >= 0 && std::size_t(sel) < catalogo_.size())
      catalogo_[std::size_t(sel)].tipoImovel = i + 1;
  });
  casas_->installEventFilter(this);
  descricao_->installEventFilter(this);

  LeVariaveisComuns(caminho_, catalogo_);  // a missing catalogue is an empty one
  std::stable_sort(catalogo_.begin(), catalogo_.end(), [](const Var& a, const Var& b) { return ComparaVar(a, b) < 0; });
  mostrando_ = true;
  for (const Var& v : catalogo_) lista_->addItem(v.Nome());
  mostrando_ = false;
  if (!catalogo_.empty()) {
    lista_->setCurrentRow(0);
    Mostra(0);
  }
  lista_->setFocus();
}

bool CVariaveisComuns::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusOut && (o == casas_ || o == descricao_)) GravaEdicoes();
  return QDialog::eventFilter(o, e);
}

void CVariaveisComuns::GravaEdicoes() {
  // What was typed belongs to the entry it was typed for, whichever is selected now.
  if (mostrada_ < 0 || std::size_t(mostrada_) >= catalogo_.size()) return;
  Var& v = catalogo_[std::size_t(mostrada_)];
  if (casas_->isModified()) {
    // The number formatting has pictures for 0 to 11 places only.
    v.casasDecimais = CasasDecimaisValidas(casas_->text().toInt());
    casas_->setText(QString::number(v.casasDecimais));
    casas_->setModified(false);
  }
  if (descricao_->document()->isModified()) {
    v.SetDescricao(descricao_->toPlainText().left(MaxDescricaoEditor));
    descricao_->document()->setModified(false);
  }
}

void CVariaveisComuns::Mostra(int i) {
  GravaEdicoes();
  mostrando_ = true;
  mostrada_ = -1;
  for (QRadioButton* b : tipo_) b->setChecked(false);
  if (i >= 0 && std::size_t(i) < catalogo_.size()) {
    const Var& v = catalogo_[std::size_t(i)];
    if (v.tipo >= 1 && v.tipo <= 4) tipo_[v.tipo - 1]->setChecked(true);
    imovel_->setCurrentIndex(v.tipoImovel - 1);  // -1 (none) for a type not yet chosen
    casas_->setText(QString::number(v.casasDecimais));
    descricao_->setPlainText(v.Descricao());
    mostrada_ = i;
  } else {
    imovel_->setCurrentIndex(-1);
    casas_->clear();
    descricao_->clear();
  }
  casas_->setModified(false);
  descricao_->document()->setModified(false);
  mostrando_ = false;
}

void CVariaveisComuns::Adiciona() {
  GravaEdicoes();
  CNomeVariavel dlg(this);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  Var v;
  std::memset(&v, 0, sizeof v);
  v.SetNome(dlg.Nome());
  v.casasDecimais = 2;
  v.tipoImovel = 0;
  v.tipo = 1;
  catalogo_.push_back(v);
  mostrando_ = true;
  lista_->addItem(dlg.Nome());
  lista_->setCurrentRow(lista_->count() - 1);
  mostrando_ = false;
  Mostra(lista_->count() - 1);
  tipo_[0]->setFocus();
}

void CVariaveisComuns::Remove() {
  if (catalogo_.empty()) return;
  const int sel = lista_->currentRow();
  if (sel < 0) return;
  if (plat::MessageBox(QStringLiteral("Deseja excluir a variável selecionada ?"), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return;
  GravaEdicoes();
  mostrada_ = -1;
  catalogo_.erase(catalogo_.begin() + sel);
  mostrando_ = true;
  delete lista_->takeItem(sel);
  const int proxima = std::min(sel, lista_->count() - 1);
  lista_->setCurrentRow(proxima);
  mostrando_ = false;
  Mostra(proxima);
}

void CVariaveisComuns::accept() {
  GravaEdicoes();
  if (!GravaVariaveisComuns(caminho_, catalogo_)) {
    plat::MessageBox(QStringLiteral("Não foi possível gravar o catálogo de variáveis comuns\n%1 !")
                         .arg(QDir::toNativeSeparators(caminho_)),
                     QString(), plat::MB_ICONSTOP);
    return;
  }
  catalogo_.clear();
  QDialog::accept();
}
