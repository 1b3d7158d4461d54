#include "CTipoVariaveis.h"

#include "ControlesAssistente.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstring>

using namespace assistente;

namespace {
// Type radio buttons in the order shown, with their ids and codes.
struct BotaoTipo {
  int id;
  int codigo;
  const char* texto;
};
constexpr BotaoTipo kTipos[5] = {
    {1095, 1, "Dicotômica"}, {1096, 2, "Data Evento"}, {1097, 3, "Qualitativa (cód. alocados)"},
    {1103, 4, "Proxy"},      {1098, 5, "Quantitativa"},
};
constexpr int CodigoData = 2;
constexpr int MaxDescricao = 600;
}  // namespace

CTipoVariaveis::CTipoVariaveis(QWidget* parent) : CPaginaWizard(parent) {
  setObjectName(QStringLiteral("dlg548"));
  setTitle(QStringLiteral("Análise preliminar das variáveis"));
  setSubTitle(QStringLiteral("Classifique cada variável e indique a variável dependente."));
  auto* g = new QGridLayout(this);

  auto* colunaLista = new QVBoxLayout;
  colunaLista->addWidget(new QLabel(QStringLiteral("Variáveis do Modelo"), this));
  lista_ = new QListWidget(this);
  DefineId(lista_, 1074);
  lista_->setMinimumWidth(200);  // the longest catalogue names in full
  colunaLista->addWidget(lista_, 1);
  g->addLayout(colunaLista, 0, 0, 3, 1);

  auto* classif = new QGroupBox(QStringLiteral(" Classificação da variável "), this);
  auto* lc = new QGridLayout(classif);
  tipos_ = new QButtonGroup(this);
  tipos_->setExclusive(false);  // "no type checked" must be showable
  for (int i = 0; i < 5; ++i) {
    tipo_[i] = new QRadioButton(QString::fromUtf8(kTipos[i].texto), classif);
    tipo_[i]->setAutoExclusive(false);
    DefineId(tipo_[i], kTipos[i].id);
    tipos_->addButton(tipo_[i], kTipos[i].codigo);
    lc->addWidget(tipo_[i], i, 0);
  }
  data_ = new QDateEdit(QDate::currentDate(), classif);
  DefineId(data_, 1043);
  data_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  data_->setCalendarPopup(true);
  data_->setMinimumDate(QDate(1900, 1, 1));
  data_->setEnabled(false);
  lc->addWidget(data_, 1, 1);
  g->addWidget(classif, 0, 1);

  auto* relacao = new QGroupBox(QStringLiteral("Relação com a variável dependente"), this);
  auto* lr = new QHBoxLayout(relacao);
  positiva_ = new QRadioButton(QStringLiteral("Positiva"), relacao);
  DefineId(positiva_, 1099);
  negativa_ = new QRadioButton(QStringLiteral("Negativa"), relacao);
  DefineId(negativa_, 1100);
  lr->addWidget(positiva_);
  lr->addWidget(negativa_);
  g->addWidget(relacao, 1, 1);

  auto* dep = new QGroupBox(this);
  auto* ld = new QGridLayout(dep);
  dependente_ = new QCheckBox(QStringLiteral("Variável dependente"), dep);
  DefineId(dependente_, 1030);
  ld->addWidget(dependente_, 0, 0, 1, 2);
  unitario_ = new QRadioButton(QStringLiteral("Unitário"), dep);
  DefineId(unitario_, 1101);
  total_ = new QRadioButton(QStringLiteral("Total"), dep);
  DefineId(total_, 1102);
  ld->addWidget(unitario_, 1, 0);
  ld->addWidget(total_, 1, 1);
  ld->addWidget(new QLabel(QStringLiteral("Área"), dep), 2, 0);
  area_ = new QComboBox(dep);
  DefineId(area_, 1037);
  ld->addWidget(area_, 2, 1);
  g->addWidget(dep, 2, 1);

  auto* linhaCasas = new QHBoxLayout;
  linhaCasas->addWidget(new QLabel(QStringLiteral("Casas Decimais"), this));
  // The one-digit edit and its spin control are one widget here.
  casas_ = new QSpinBox(this);
  DefineId(casas_, 1057);
  casas_->setRange(0, 9);
  linhaCasas->addWidget(casas_);
  linhaCasas->addStretch();
  g->addLayout(linhaCasas, 3, 0, 1, 2);
  descricao_ = new QPlainTextEdit(this);
  DefineId(descricao_, 1056);
  descricao_->setTabChangesFocus(true);
  descricao_->setMaximumHeight(80);
  LimitaTexto(descricao_, MaxDescricao);
  descricao_->installEventFilter(this);
  g->addWidget(descricao_, 4, 0, 1, 2);
  g->setColumnStretch(0, 1);

  // Exclusive by hand: a group that may show no button checked.
  for (int i = 0; i < 5; ++i)
    connect(tipo_[i], &QRadioButton::clicked, this, [this, i] { TipoClicado(kTipos[i].codigo); });
  connect(lista_, &QListWidget::currentRowChanged, this, [this](int v) {
    if (!mostrando_ && v >= 0) Mostra(v);
  });
  connect(data_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
    const int v = Selecionada();
    if (mostrando_ || !cab_ || v < 0) return;
    cab_->SetTexto(cab::Em(cab::DataEvento, v, cab::TamDataEvento), cab::TamDataEvento, TextoData(d));
  });
  connect(positiva_, &QRadioButton::clicked, this, [this] {
    if (cab_ && Selecionada() >= 0) cab_->SetI32(cab::Em(cab::Relacao, Selecionada()), 0);
  });
  connect(negativa_, &QRadioButton::clicked, this, [this] {
    if (cab_ && Selecionada() >= 0) cab_->SetI32(cab::Em(cab::Relacao, Selecionada()), 1);
  });
  connect(dependente_, &QCheckBox::clicked, this, &CTipoVariaveis::DependenteClicado);
  connect(unitario_, &QRadioButton::clicked, this, [this] { if (cab_) cab_->SetU8(cab::Unitario, 1); });
  connect(total_, &QRadioButton::clicked, this, [this] { if (cab_) cab_->SetU8(cab::Unitario, 0); });
  connect(area_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!mostrando_ && cab_) cab_->SetI32(cab::VariavelArea, i - 1);
  });
  connect(casas_, &QSpinBox::valueChanged, this, [this](int casas) {
    if (!mostrando_ && cab_ && Selecionada() >= 0) cab_->SetI32(cab::Em(cab::Casas, Selecionada()), casas);
  });
}

int CTipoVariaveis::Selecionada() const { return lista_->currentRow(); }

bool CTipoVariaveis::eventFilter(QObject* o, QEvent* e) {
  if (o == descricao_ && e->type() == QEvent::FocusOut) GravaDescricao();
  return CPaginaWizard::eventFilter(o, e);
}

void CTipoVariaveis::GravaDescricao() {
  // Also before another variable is shown: the change belongs to the one it was typed for.
  if (!cab_ || mostrada_ < 0 || !descricao_->document()->isModified()) return;
  cab_->SetTexto(cab::Em(cab::Descricao, mostrada_, cab::TamDescricao), cab::TamDescricao,
                 descricao_->toPlainText().left(MaxDescricao));
  descricao_->document()->setModified(false);
}

void CTipoVariaveis::OnSetActive() {
  // In a properties sheet the dependent variable is shown but not changed.
  dependente_->setEnabled(NumPaginasFolha() == 4);
  SetWizardButtons(CWizard::PSWIZB_BACK | CWizard::PSWIZB_NEXT);
  if (!cab_) return;
  const int n = std::clamp(cab_->I32(cab::NumVariaveis), 0, CabecalhoModelo::MaxVariaveis);
  mostrando_ = true;
  mostrada_ = -1;
  lista_->clear();
  area_->clear();
  area_->addItem(QString());
  for (int v = 0; v < n; ++v) {
    const QString nome = cab_->Texto(cab::Em(cab::Nome, v, cab::TamNome), cab::TamNome);
    lista_->addItem(nome);
    area_->addItem(nome);
  }
  mostrando_ = false;
  if (n > 0) {
    lista_->setCurrentRow(0);
    Mostra(0);
  }
}

void CTipoVariaveis::Mostra(int v) {
  if (!cab_ || v < 0) return;
  GravaDescricao();
  mostrando_ = true;
  for (QRadioButton* b : tipo_) b->setChecked(false);
  positiva_->setAutoExclusive(false);
  negativa_->setAutoExclusive(false);
  positiva_->setChecked(false);
  negativa_->setChecked(false);
  unitario_->setAutoExclusive(false);
  total_->setAutoExclusive(false);
  unitario_->setChecked(false);
  total_->setChecked(false);
  casas_->setValue(std::clamp(cab_->I32(cab::Em(cab::Casas, v)), 0, 9));

  const bool ehDependente = cab_->I32(cab::Dependente) == v;
  for (QRadioButton* b : tipo_) b->setEnabled(!ehDependente);
  positiva_->setEnabled(!ehDependente);
  negativa_->setEnabled(!ehDependente);
  dependente_->setChecked(ehDependente);
  unitario_->setEnabled(ehDependente);
  total_->setEnabled(ehDependente);
  area_->setEnabled(ehDependente);
  if (ehDependente) {
    (cab_->U8(cab::Unitario) ? unitario_ : total_)->setChecked(true);
    const int area = cab_->I32(cab::VariavelArea);
    area_->setCurrentIndex(area >= 0 && area + 1 < area_->count() ? area + 1 : 0);
  }

  descricao_->setPlainText(cab_->Texto(cab::Em(cab::Descricao, v, cab::TamDescricao), cab::TamDescricao));
  descricao_->document()->setModified(false);
  mostrada_ = v;

  const int codigo = cab_->I32(cab::Em(cab::Tipo, v));
  data_->setEnabled(false);
  if (QAbstractButton* b = tipos_->button(codigo)) b->setChecked(true);
  if (codigo == CodigoData) {
    data_->setEnabled(true);
    const std::size_t off = cab::Em(cab::DataEvento, v, cab::TamDataEvento);
    if (cab_->Texto(off, cab::TamDataEvento).isEmpty()) cab_->SetTexto(off, cab::TamDataEvento, QStringLiteral("01/01/1997"));
    // A stored date the picker cannot show becomes today, and is stored so.
    const QDate d = DataDoTexto(cab_->Texto(off, cab::TamDataEvento));
    cab_->SetTexto(off, cab::TamDataEvento, TextoData(d));
    data_->setDate(d);
  }
  (cab_->I32(cab::Em(cab::Relacao, v)) != 0 ? negativa_ : positiva_)->setChecked(true);
  positiva_->setAutoExclusive(true);
  negativa_->setAutoExclusive(true);
  unitario_->setAutoExclusive(true);
  total_->setAutoExclusive(true);
  mostrando_ = false;
}

void CTipoVariaveis::TipoClicado(int codigo) {
  const int v = Selecionada();
  for (int i = 0; i < 5; ++i) tipo_[i]->setChecked(kTipos[i].codigo == codigo);
  if (!cab_ || v < 0) return;
  cab_->SetI32(cab::Em(cab::Tipo, v), codigo);
  data_->setEnabled(codigo == CodigoData);
  if (codigo == CodigoData)
    cab_->SetTexto(cab::Em(cab::DataEvento, v, cab::TamDataEvento), cab::TamDataEvento, TextoData(data_->date()));
}

void CTipoVariaveis::DependenteClicado(bool marcado) {
  if (!cab_) return;
  unitario_->setEnabled(marcado);
  total_->setEnabled(marcado);
  area_->setEnabled(marcado);
  positiva_->setEnabled(!marcado);
  negativa_->setEnabled(!marcado);
  if (!marcado) {
    cab_->SetI32(cab::Dependente, -1);
    return;
  }
  cab_->SetI32(cab::Dependente, Selecionada());
  if (unitario_->isChecked()) cab_->SetU8(cab::Unitario, 1);
  (cab_->U8(cab::Unitario) ? unitario_ : total_)->setChecked(true);
  cab_->SetI32(cab::VariavelArea, area_->currentIndex() - 1);
}

bool CTipoVariaveis::OnWizardNext() {
  GravaDescricao();
  if (cab_ && cab_->I32(cab::Dependente) == -1) {
    plat::MessageBox(QStringLiteral("É necessário definir a Variável Dependente"));
    lista_->setFocus();
    return false;
  }
  return true;
}

bool CTipoVariaveis::OnWizardBack() {
  GravaDescricao();
  if (NumPaginasFolha() != 4) return true;
  if (plat::MessageBox(QStringLiteral("As informações fornecidas serão perdidas. Deseja continuar ?"), QString(),
                       plat::MB_OKCANCEL) != plat::IDOK)
    return false;
  if (cab_) {
    std::memset(cab_->bytes + cab::InicioVariaveis, 0, cab::FimVariaveis - cab::InicioVariaveis);
    cab_->SetI32(cab::NumVariaveis, 0);
    cab_->SetI32(cab::Dependente, -1);
    // The cleared area variable would name the first variable: none is chosen.
    cab_->SetI32(cab::VariavelArea, -1);
  }
  return true;
}
