#include "dbmanager/CAssistenteExportacao.h"

#include "dbmanager/ExportacaoModelo.h"
#include "dbmanager/ModeloGrade.h"
#include "platform/Mensagem.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brenk {

namespace {

template <class W>
W* Cria(QWidget* pai, int id, const QString& texto = QString()) {
  W* w;
  if constexpr (std::is_constructible_v<W, QString, QWidget*>) w = texto.isNull() ? new W(pai) : new W(texto, pai);
  else w = new W(pai);
  w->setObjectName(QString::number(id));
  if (!texto.isEmpty()) w->setAccessibleName(QString(texto).remove(QLatin1Char('&')));
  return w;
}

void Informa(const QString& texto) { plat::MessageBox(texto, QString(), plat::MB_ICONINFORMATION); }

}  // namespace

// ------------------------------------------------------------ CNomeVariaveis

CNomeVariaveis::CNomeVariaveis(CabecalhosExportacao& c, const ModeloGrade& grade, QWidget* parent)
    : QWizardPage(parent), c_(c), grade_(grade) {
  setObjectName(QStringLiteral("147"));
  setTitle(QStringLiteral("Variáveis do Modelo"));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Variáveis - Banco de Dados"), this), 0, 0);
  colunas_ = Cria<QListWidget>(this, 1034);
  colunas_->setAccessibleName(QStringLiteral("Variáveis - Banco de Dados"));
  g->addWidget(colunas_, 1, 0, 3, 1);
  adicionar_ = Cria<QPushButton>(this, 1111, QStringLiteral("A&dicionar"));
  remover_ = Cria<QPushButton>(this, 1027, QStringLiteral("&Remover"));
  remover_->setEnabled(false);
  auto* botoes = new QVBoxLayout;
  botoes->addStretch();
  botoes->addWidget(adicionar_);
  botoes->addWidget(remover_);
  botoes->addStretch();
  g->addLayout(botoes, 1, 1, 3, 1);
  contagem_ = Cria<QLabel>(this, 1044);
  g->addWidget(contagem_, 0, 2);
  variaveis_ = Cria<QListWidget>(this, 1004);
  variaveis_->setAccessibleName(QStringLiteral("Variáveis do modelo"));
  g->addWidget(variaveis_, 1, 2, 3, 1);
  g->addWidget(new QLabel(QStringLiteral("Endereço"), this), 4, 0);
  endereco_ = Cria<QComboBox>(this, 1015);
  endereco_->setAccessibleName(QStringLiteral("Endereço"));
  g->addWidget(endereco_, 5, 0);
  g->addWidget(new QLabel(QStringLiteral("Complemento"), this), 4, 2);
  complemento_ = Cria<QComboBox>(this, 1016);
  complemento_->setAccessibleName(QStringLiteral("Complemento"));
  g->addWidget(complemento_, 5, 2);
  MostraContagem();
  colunas_->installEventFilter(this);
  variaveis_->installEventFilter(this);
  connect(adicionar_, &QPushButton::clicked, this, [this] { Adiciona(false); });
  connect(colunas_, &QListWidget::itemDoubleClicked, this, [this] { Adiciona(true); });
  connect(remover_, &QPushButton::clicked, this, [this] {
    const int i = variaveis_->currentRow();
    if (i < 0) return;
    delete variaveis_->takeItem(i);
    --total_;
    MostraContagem();
  });
}

bool CNomeVariaveis::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusIn) {
    if (o == colunas_) colunasTiveramFoco_ = true;
    if (o == variaveis_) remover_->setEnabled(true);
  } else if (o == colunas_ && e->type() == QEvent::KeyPress) {
    const int k = static_cast<QKeyEvent*>(e)->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
      Adiciona(true);
      return true;
    }
  }
  return QWizardPage::eventFilter(o, e);
}

void CNomeVariaveis::MostraContagem() { contagem_->setText(QStringLiteral("Variáveis do modelo - %1").arg(total_)); }

void CNomeVariaveis::Ativa() {
  colunas_->clear();
  endereco_->clear();
  complemento_->clear();
  for (int c = 0; c < grade_.Colunas(); ++c) {
    const QString h = grade_.Celula(0, c);
    colunas_->addItem(h);
    endereco_->addItem(h);
    complemento_->addItem(h);
  }
  endereco_->setCurrentIndex(0);
  complemento_->setCurrentIndex(0);
  c_.SetDependente(-1);
}

void CNomeVariaveis::Adiciona(bool semFoco) {
  if (variaveis_->count() >= c_.MaxVariaveis()) {
    Informa(QStringLiteral("Número máximo de variáveis = %1 !").arg(c_.MaxVariaveis()));
    return;
  }
  if (!semFoco && !colunasTiveramFoco_) return;
  const int coluna = colunas_->currentRow();
  if (coluna < 0 || !colunas_->currentItem()->isSelected()) return;
  auto* item = new QListWidgetItem(colunas_->currentItem()->text(), variaveis_);
  item->setData(Qt::UserRole, coluna);
  colunas_->setFocus();
  ++total_;
  MostraContagem();
}

bool CNomeVariaveis::validatePage() {
  if (variaveis_->count() < 2) {
    Informa(QStringLiteral("É necessário definir no mínimo duas variáveis."));
    return false;
  }
  c_.SetNumVariaveis(variaveis_->count());
  for (int i = 0; i < variaveis_->count(); ++i) {
    c_.SetNome(i, variaveis_->item(i)->text().left(30));
    c_.SetRelacao(i, 0);
    c_.SetCasas(i, 2);
    c_.SetDescricao(i, QString());
    c_.SetTipo(i, 4);
    c_.SetColuna(i, variaveis_->item(i)->data(Qt::UserRole).toInt());
  }
  c_.SetColunaEndereco(qMax(0, endereco_->currentIndex()));
  c_.SetColunaComplemento(qMax(0, complemento_->currentIndex()));
  return true;
}

// ------------------------------------------------------------ CTipoVariaveis

CTipoVariaveis::CTipoVariaveis(CabecalhosExportacao& c, QWidget* parent) : QWizardPage(parent), c_(c) {
  setObjectName(QStringLiteral("284"));
  setTitle(QStringLiteral("Tipo de Variáveis"));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Variáveis do Modelo"), this), 0, 0);
  lista_ = Cria<QListWidget>(this, 1004);
  lista_->setAccessibleName(QStringLiteral("Variáveis do Modelo"));
  g->addWidget(lista_, 1, 0, 4, 1);

  auto* tipos = new QGroupBox(QStringLiteral("Tipo de Dados "), this);
  auto* gt = new QGridLayout(tipos);
  grupoTipos_ = new QButtonGroup(this);
  const char* nomes[5] = {"Dicotômica", "Data", "Qualitativa", "Proxy", "Quantitativa"};
  for (int k = 0; k < 5; ++k) {
    tipos_[k] = Cria<QRadioButton>(tipos, 1035 + k, QString::fromUtf8(nomes[k]));
    grupoTipos_->addButton(tipos_[k], k + 1);
    gt->addWidget(tipos_[k], k, 0);
  }
  data_ = Cria<QDateEdit>(tipos, 1122);
  data_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  data_->setCalendarPopup(true);
  data_->setEnabled(false);
  gt->addWidget(data_, 1, 1);
  g->addWidget(tipos, 1, 1);

  auto* cresc = new QGroupBox(QStringLiteral("Crescimento "), this);
  auto* gc = new QHBoxLayout(cresc);
  positivo_ = Cria<QRadioButton>(cresc, 1040, QStringLiteral("Positivo"));
  negativo_ = Cria<QRadioButton>(cresc, 1042, QStringLiteral("Negativo"));
  gc->addWidget(positivo_);
  gc->addWidget(negativo_);
  g->addWidget(cresc, 2, 1);

  auto* dep = new QGroupBox(this);
  auto* gd = new QGridLayout(dep);
  dependente_ = Cria<QCheckBox>(dep, 1045, QStringLiteral("Variável Dependente"));
  area_ = Cria<QComboBox>(dep, 1015);
  area_->setAccessibleName(QStringLiteral("Variável de área"));
  unitario_ = Cria<QRadioButton>(dep, 1124, QStringLiteral("Unitário"));
  total_ = Cria<QRadioButton>(dep, 1125, QStringLiteral("Total"));
  gd->addWidget(dependente_, 0, 0, 1, 2);
  gd->addWidget(unitario_, 1, 0);
  gd->addWidget(total_, 1, 1);
  gd->addWidget(area_, 2, 0, 1, 2);
  g->addWidget(dep, 3, 1);

  auto* gn = new QGridLayout;
  gn->addWidget(new QLabel(QStringLiteral("Casas Decimais"), this), 0, 0);
  casas_ = Cria<QLineEdit>(this, 1030);
  casas_->setAccessibleName(QStringLiteral("Casas Decimais"));
  casas_->setMaxLength(1);
  casas_->setValidator(nullptr);
  gn->addWidget(casas_, 0, 1);
  gn->addWidget(new QLabel(QStringLiteral("Descrição"), this), 1, 0);
  descricao_ = Cria<QLineEdit>(this, 1029);
  descricao_->setAccessibleName(QStringLiteral("Descrição"));
  gn->addWidget(descricao_, 1, 1);
  g->addLayout(gn, 4, 1);

  connect(lista_, &QListWidget::currentRowChanged, this, [this] { Mostra(); });
  // The buttons answer to their state, not to the click: a toggle through the
  // keyboard or an assistive technology counts the same.
  connect(grupoTipos_, &QButtonGroup::idToggled, this, [this](int tipo, bool marcado) {
    const int i = Atual();
    if (!marcado || mostrando_ || i < 0) return;
    c_.SetTipo(i, tipo);
    data_->setEnabled(tipo == 2);
    if (tipo == 2) c_.SetData(i, data_->date().toString(QStringLiteral("dd/MM/yyyy")));
  });
  connect(data_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
    if (!mostrando_ && Atual() >= 0) c_.SetData(Atual(), d.toString(QStringLiteral("dd/MM/yyyy")));
  });
  connect(positivo_, &QRadioButton::toggled, this, [this](bool m) {
    if (m && !mostrando_ && Atual() >= 0) c_.SetRelacao(Atual(), 0);
  });
  connect(negativo_, &QRadioButton::toggled, this, [this](bool m) {
    if (m && !mostrando_ && Atual() >= 0) c_.SetRelacao(Atual(), 1);
  });
  connect(casas_, &QLineEdit::editingFinished, this, [this] {
    if (Atual() >= 0 && casas_->isModified()) c_.SetCasas(Atual(), casas_->text().toInt());
  });
  connect(descricao_, &QLineEdit::editingFinished, this, [this] {
    if (Atual() >= 0 && descricao_->isModified()) c_.SetDescricao(Atual(), descricao_->text());
  });
  connect(unitario_, &QRadioButton::toggled, this, [this](bool m) {
    if (m && !mostrando_) c_.SetUnitario(true);
  });
  connect(total_, &QRadioButton::toggled, this, [this](bool m) {
    if (m && !mostrando_) c_.SetUnitario(false);
  });
  connect(area_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!mostrando_ && area_->isEnabled()) c_.SetArea(i - 1);
  });
  connect(dependente_, &QCheckBox::toggled, this, [this](bool m) {
    if (!mostrando_) MarcaDependente(m);
  });
}

int CTipoVariaveis::Atual() const { return lista_->currentRow(); }

void CTipoVariaveis::Ativa() {
  mostrando_ = true;
  lista_->clear();
  area_->clear();
  area_->addItem(QString());
  for (int i = 0; i < c_.NumVariaveis(); ++i) {
    lista_->addItem(c_.Nome(i));
    area_->addItem(c_.Nome(i));
  }
  mostrando_ = false;
  lista_->setCurrentRow(0);
  Mostra();
}

void CTipoVariaveis::Mostra() {
  const int i = Atual();
  if (i < 0) return;
  mostrando_ = true;
  grupoTipos_->setExclusive(false);
  for (QRadioButton* r : tipos_) r->setChecked(false);
  grupoTipos_->setExclusive(true);
  casas_->setText(QString::number(c_.Casas(i)));
  casas_->setModified(false);
  const bool dep = c_.Dependente() == i;
  positivo_->setEnabled(!dep);
  negativo_->setEnabled(!dep);
  for (QRadioButton* r : tipos_) r->setEnabled(!dep);
  dependente_->setChecked(dep);
  unitario_->setEnabled(dep);
  total_->setEnabled(dep);
  area_->setEnabled(dep);
  if (dep) {
    (c_.Unitario() ? unitario_ : total_)->setChecked(true);
    if (c_.Area() >= 0) area_->setCurrentIndex(c_.Area() + 1);
  }
  descricao_->setText(c_.Descricao(i));
  descricao_->setModified(false);
  const int tipo = c_.Tipo(i);
  if (tipo >= 1 && tipo <= 5) tipos_[tipo - 1]->setChecked(true);
  if (tipo == 2) {
    data_->setEnabled(true);
    QString t = c_.Data(i);
    if (t.isEmpty()) {
      t = QStringLiteral("01/01/1997");
      c_.tarsolin->SetTexto(39400 + 11 * std::size_t(i), 11, t);
    }
    data_->setDate(QDate(t.mid(6).toInt(), t.mid(3, 2).toInt(), t.left(2).toInt()));
  } else if (tipo >= 1 && tipo <= 5) {
    data_->setEnabled(false);
  }
  (c_.Relacao(i) != 0 ? negativo_ : positivo_)->setChecked(true);
  mostrando_ = false;
}

void CTipoVariaveis::MarcaDependente(bool marcado) {
  unitario_->setEnabled(marcado);
  total_->setEnabled(marcado);
  area_->setEnabled(marcado);
  if (marcado) {
    c_.SetDependente(Atual());
    if (unitario_->isChecked()) c_.tarsolin->SetU8(41288, 1);
    (c_.tarsolin->U8(41288) ? unitario_ : total_)->setChecked(true);
    c_.SetArea(area_->currentIndex() - 1);
  } else {
    c_.SetDependente(-1);
  }
  positivo_->setEnabled(!marcado);
  negativo_->setEnabled(!marcado);
}

bool CTipoVariaveis::validatePage() {
  // A pending edit of the decimals or the description counts.
  if (casas_->isModified()) emit casas_->editingFinished();
  if (descricao_->isModified()) emit descricao_->editingFinished();
  if (c_.Dependente() < 0) {
    plat::MessageBox(QStringLiteral("É necessário definir a Variável Dependente"));
    lista_->setFocus();
    return false;
  }
  return true;
}

void CTipoVariaveis::cleanupPage() { c_.LimpaVariaveis(); }

// ------------------------------------------------------------ CSenhaModelo

CSenhaModelo::CSenhaModelo(CabecalhosExportacao& c, QWidget* parent) : QWizardPage(parent), c_(c) {
  setObjectName(QStringLiteral("288"));
  setTitle(QStringLiteral("Informe a Senha para o Modelo"));
  auto* g = new QGridLayout(this);
  protegido_ = Cria<QCheckBox>(this, 1045, QStringLiteral("Modelo protegido por Senha"));
  g->addWidget(protegido_, 0, 0, 1, 3);
  g->addWidget(new QLabel(QStringLiteral("Senha"), this), 1, 0);
  senha_ = Cria<QLineEdit>(this, 1029);
  senha_->setAccessibleName(QStringLiteral("Senha"));
  g->addWidget(senha_, 1, 1);
  g->addWidget(new QLabel(QStringLiteral("» entre 6 e 12 caracteres"), this), 1, 2);
  g->addWidget(new QLabel(QStringLiteral("Redigite"), this), 2, 0);
  redigite_ = Cria<QLineEdit>(this, 1030);
  redigite_->setAccessibleName(QStringLiteral("Redigite"));
  g->addWidget(redigite_, 2, 1);
  g->addWidget(new QLabel(QStringLiteral("» redigite a mesma senha"), this), 2, 2);
  for (QLineEdit* e : {senha_, redigite_}) {
    e->setMaxLength(12);
    e->setEchoMode(QLineEdit::Password);
  }
  auto* opcoes = new QGroupBox(QStringLiteral("Opções"), this);
  auto* go = new QVBoxLayout(opcoes);
  leitura_ = Cria<QRadioButton>(opcoes, 1035, QStringLiteral("Somente Leitura"));
  completo_ = Cria<QRadioButton>(opcoes, 1036, QStringLiteral("Acesso completo"));
  go->addWidget(leitura_);
  go->addWidget(completo_);
  g->addWidget(opcoes, 3, 0, 1, 3);
  g->setRowStretch(4, 1);
  Habilita(false);
  connect(protegido_, &QCheckBox::toggled, this, [this](bool m) {
    if (ativando_) return;
    Habilita(m);
    c_.SetProtegido(m);
    if (m) {
      leitura_->setChecked(true);
      c_.SetModoAcesso(1);
      senha_->setFocus();
    }
  });
  connect(leitura_, &QRadioButton::toggled, this, [this](bool m) {
    if (m && !ativando_) c_.SetModoAcesso(1);
  });
  connect(completo_, &QRadioButton::toggled, this, [this](bool m) {
    if (m && !ativando_) c_.SetModoAcesso(2);
  });
}

void CSenhaModelo::Habilita(bool sim) {
  for (QWidget* w : std::initializer_list<QWidget*>{senha_, redigite_, leitura_, completo_}) w->setEnabled(sim);
}

void CSenhaModelo::Ativa() {
  ativando_ = true;
  const bool p = c_.Protegido();
  protegido_->setChecked(p);
  Habilita(p);
  if (p) {
    (c_.ModoAcesso() == 1 ? leitura_ : completo_)->setChecked(true);
    senha_->setText(c_.Senha());
    redigite_->setText(c_.Senha());
  } else {
    senha_->clear();
    redigite_->clear();
  }
  ativando_ = false;
}

bool CSenhaModelo::validatePage() {
  if (!c_.Protegido()) return true;
  const QString s = senha_->text();
  if (s.size() < 6) {
    plat::MessageBox(QStringLiteral("Senha inválida !"));
    return false;
  }
  if (s != redigite_->text()) {
    plat::MessageBox(QStringLiteral("Senha redigitada não confere !"));
    return false;
  }
  c_.SetDesbloqueado(true);
  c_.SetSenha(s);
  c_.MoveDependente();
  return true;
}

// ------------------------------------------------------------ the wizard

CAssistenteExportacao::CAssistenteExportacao(CabecalhosExportacao& c, const ModeloGrade& grade, QWidget* parent)
    : QWizard(parent) {
  setObjectName(QStringLiteral("dlgNovoModelo"));
  setWindowTitle(QStringLiteral("Novo Modelo"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::NoBackButtonOnStartPage);
  setButtonText(QWizard::BackButton, QStringLiteral("< &Voltar"));
  setButtonText(QWizard::NextButton, QStringLiteral("&Avançar >"));
  setButtonText(QWizard::FinishButton, QStringLiteral("Concluir"));
  setButtonText(QWizard::CancelButton, QStringLiteral("Cancelar"));
  nomes_ = new CNomeVariaveis(c, grade, this);
  tipos_ = new CTipoVariaveis(c, this);
  senha_ = new CSenhaModelo(c, this);
  addPage(nomes_);
  addPage(tipos_);
  addPage(senha_);
  // Each page is filled whenever it comes on show, going forward or back.
  connect(this, &QWizard::currentIdChanged, this, [this](int) {
    if (currentPage() == nomes_) nomes_->Ativa();
    else if (currentPage() == tipos_) tipos_->Ativa();
    else if (currentPage() == senha_) senha_->Ativa();
  });
  resize(640, 460);
}

}  // namespace brenk
