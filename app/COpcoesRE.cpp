#include "COpcoesRE.h"

#include "CHoverButton.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"
#include "views/data/CCalculoW.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
using C = CabecalhoModelo;

QLineEdit* Campo(QWidget* pai, int id, int limite) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QString::number(id));
  e->setMaxLength(limite);
  e->setProperty("limite", limite);
  return e;
}

// The limit bounds what the user types: a longer value from the header is
// shown whole, so that writing it back does not cut its digits.
void MostraTexto(QLineEdit* e, const QString& texto) {
  e->setMaxLength(std::max(e->property("limite").toInt(), int(texto.size())));
  e->setText(texto);
}

void AbreCalculoWPadrao(CTarsolinDoc* doc) {
  CCalculoW dlg;
  dlg.documento = doc;
  plat::ExecutaDialogo(dlg);
}
}  // namespace

void (*COpcoesRE::AbreCalculoW)(CTarsolinDoc*) = AbreCalculoWPadrao;

COpcoesRE::COpcoesRE(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg505"));
  setWindowTitle(QStringLiteral("Opções da Regressão Espacial"));

  auto* gModelo = new QGroupBox(QStringLiteral(" Escolha do Modelo "), this);
  rErro_ = new QRadioButton(QStringLiteral("Modelo erro espacial (sem)"), gModelo);
  rErro_->setObjectName(QStringLiteral("1095"));
  rLag_ = new QRadioButton(QStringLiteral("Modelo auto-regressivo (sar)"), gModelo);
  rLag_->setObjectName(QStringLiteral("1096"));
  auto* lm = new QVBoxLayout(gModelo);
  lm->addWidget(rErro_);
  lm->addWidget(rLag_);

  auto* gPesos = new QGroupBox(QStringLiteral(" Matriz de Pesos "), this);
  cNormaliza_ = new QCheckBox(QStringLiteral("Normalizar matriz pesos"), gPesos);
  cNormaliza_->setObjectName(QStringLiteral("1030"));
  cInverte_ = new QCheckBox(QStringLiteral("Inverter distancia na matriz de pesos"), gPesos);
  cInverte_->setObjectName(QStringLiteral("1031"));
  ePotencia_ = Campo(gPesos, 1063, 8);
  eDistMin_ = Campo(gPesos, 1059, 12);
  eDistMax_ = Campo(gPesos, 1061, 12);
  auto* bW = new QPushButton(QStringLiteral("Calcular distâncias (W)"), gPesos);
  bW->setObjectName(QStringLiteral("1016"));
  auto* lp = new QGridLayout(gPesos);
  lp->addWidget(cNormaliza_, 0, 0, 1, 2);
  lp->addWidget(cInverte_, 1, 0, 1, 2);
  lp->addWidget(new QLabel(QStringLiteral("Potência"), gPesos), 2, 0);
  lp->addWidget(ePotencia_, 2, 1);
  lp->addWidget(new QLabel(QStringLiteral("Dist. Mínima"), gPesos), 3, 0);
  lp->addWidget(eDistMin_, 3, 1);
  lp->addWidget(new QLabel(QStringLiteral("Dist. Máxima"), gPesos), 4, 0);
  lp->addWidget(eDistMax_, 4, 1);
  lp->addWidget(bW, 5, 0, 1, 2);

  auto* gOtim = new QGroupBox(QStringLiteral(" Otimização "), this);
  eIteracoes_ = Campo(gOtim, 1057, 5);
  eIteracoes_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), eIteracoes_));
  eCriterio_ = Campo(gOtim, 1058, 8);
  auto* lo = new QGridLayout(gOtim);
  lo->addWidget(new QLabel(QStringLiteral("Máxima Iteração:"), gOtim), 0, 0);
  lo->addWidget(eIteracoes_, 0, 1);
  lo->addWidget(new QLabel(QStringLiteral("Critério de parada:"), gOtim), 1, 0);
  lo->addWidget(eCriterio_, 1, 1);

  auto* gRho = new QGroupBox(QStringLiteral(" rho (matriz de pesos) "), this);
  eRhoInicial_ = Campo(gRho, 1056, 7);
  eRhoMin_ = Campo(gRho, 1060, 7);
  eRhoMax_ = Campo(gRho, 1062, 7);
  auto* lr = new QGridLayout(gRho);
  lr->addWidget(new QLabel(QStringLiteral("Inicial"), gRho), 0, 0);
  lr->addWidget(eRhoInicial_, 0, 1);
  lr->addWidget(new QLabel(QStringLiteral("Mínimo"), gRho), 1, 0);
  lr->addWidget(eRhoMin_, 1, 1);
  lr->addWidget(new QLabel(QStringLiteral("Máximo"), gRho), 2, 0);
  lr->addWidget(eRhoMax_, 2, 1);

  auto* bCalcular = new CHoverButton(QStringLiteral("&Calcular"), this);
  bCalcular->setObjectName(QStringLiteral("1"));
  bCalcular->setDefault(true);
  auto* bFechar = new CHoverButton(QStringLiteral("Fechar"), this);
  bFechar->setObjectName(QStringLiteral("2"));
  for (CHoverButton* b : {bCalcular, bFechar}) {
    b->SetStateIcons(b == bCalcular ? 149 : 137, CHoverButton::RepousoCinza);
    b->ShiftStateColour(CHoverButton::CorFaceAtiva, 30, false);
  }

  auto* grade = new QGridLayout(this);
  grade->addWidget(gModelo, 0, 0);
  grade->addWidget(gOtim, 1, 0);
  grade->addWidget(gPesos, 0, 1, 2, 1);
  grade->addWidget(gRho, 2, 0);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(bCalcular);
  botoes->addWidget(bFechar);
  grade->addLayout(botoes, 3, 0, 1, 2);

  connect(cInverte_, &QCheckBox::clicked, this, [this] { LeControles(); AtualizaDistancias(); });
  connect(bW, &QPushButton::clicked, this, [this] { if (AbreCalculoW) AbreCalculoW(documento); });
  connect(bCalcular, &QPushButton::clicked, this, &COpcoesRE::accept);
  connect(bFechar, &QPushButton::clicked, this, &COpcoesRE::reject);
}

void COpcoesRE::PreencheDoCabecalho(const CabecalhoModelo& c) {
  using C = CabecalhoModelo;
  potencia = plat::FormataC("%.2f", {c.F64(C::OffExpoenteDistancia)});
  distMinima = plat::FormataC("%.2f", {c.F64(C::OffDistanciaMinima)});
  distMaxima = plat::FormataC("%.2f", {c.F64(C::OffDistanciaMaxima)});
  maxIteracoes = plat::FormataC("%4i", {c.I32(C::OffMaxIteracoes)});
  criterio = plat::FormataC("%.5f", {c.F64(C::OffTolerancia)});
  rhoInicial = plat::FormataC("%.4f", {c.F64(C::OffRho)});
  // A stored bound past the log-determinant grid (the new model's -1 and 1)
  // is offered at the grid's edge, so the stored defaults can be calculated.
  auto naGrade = [](double v, double lado) { return std::isnan(v) ? lado : std::clamp(v, -C::LimiteRho, C::LimiteRho); };
  rhoMinimo = plat::FormataC("%.4f", {naGrade(c.F64(C::OffRhoMinimo), -C::LimiteRho)});
  rhoMaximo = plat::FormataC("%.4f", {naGrade(c.F64(C::OffRhoMaximo), C::LimiteRho)});
  erro = c.I32(C::OffTipoEspacial) == 0;
  lag = !erro;
  normaliza = c.U8(C::OffNormalizaW) != 0;
  inverte = c.U8(C::OffTransformaDistancias) != 0;
}

double COpcoesRE::LeNumero(const QString& texto) {
  QString t = texto.trimmed();
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  return plat::LeReal(t, QLatin1Char('.'));
}

int COpcoesRE::LeInteiro(const QString& texto) {
  qsizetype i = 0;
  while (i < texto.size() && texto[i].isSpace()) ++i;
  bool negativo = false;
  if (i < texto.size() && (texto[i] == QLatin1Char('+') || texto[i] == QLatin1Char('-')))
    negativo = texto[i++] == QLatin1Char('-');
  long long v = 0;
  for (; i < texto.size() && texto[i] >= QLatin1Char('0') && texto[i] <= QLatin1Char('9'); ++i)
    v = std::min(v * 10 + (texto[i].unicode() - '0'), static_cast<long long>(INT_MAX));
  return static_cast<int>(negativo ? -v : v);
}

void COpcoesRE::GravaNoCabecalho(CabecalhoModelo& c) const {
  using C = CabecalhoModelo;
  c.SetU8(C::OffNormalizaW, normaliza ? 1 : 0);
  c.SetU8(C::OffTransformaDistancias, inverte ? 1 : 0);
  c.SetI32(C::OffContadorEspacial, 0);
  c.SetI32(C::OffMaxIteracoes, LeInteiro(maxIteracoes));
  c.SetF64(C::OffTolerancia, LeNumero(criterio));
  c.SetF64(C::OffRho, LeNumero(rhoInicial));
  c.SetF64(C::OffRhoMinimo, LeNumero(rhoMinimo));
  c.SetF64(C::OffRhoMaximo, LeNumero(rhoMaximo));
  c.SetF64(C::OffExpoenteDistancia, LeNumero(potencia));
  c.SetF64(C::OffDistanciaMinima, LeNumero(distMinima));
  c.SetF64(C::OffDistanciaMaxima, LeNumero(distMaxima));
  c.SetI32(C::OffIteracoesMonteCarlo, 30);
  c.SetI32(C::OffTipoEspacial, erro ? 0 : 1);
}

void COpcoesRE::showEvent(QShowEvent* e) {
  // Loaded once, when the dialog opens: showing it again (restored from
  // minimised) keeps what the user typed.
  if (!carregado_) {
    carregado_ = true;
    Carrega();
    AtualizaDistancias();
  }
  QDialog::showEvent(e);
}

void COpcoesRE::Carrega() {
  rErro_->setChecked(erro);
  rLag_->setChecked(lag);
  cNormaliza_->setChecked(normaliza);
  cInverte_->setChecked(inverte);
  MostraTexto(ePotencia_, potencia);
  MostraTexto(eDistMin_, distMinima);
  MostraTexto(eDistMax_, distMaxima);
  MostraTexto(eIteracoes_, maxIteracoes);
  MostraTexto(eCriterio_, criterio);
  MostraTexto(eRhoInicial_, rhoInicial);
  MostraTexto(eRhoMin_, rhoMinimo);
  MostraTexto(eRhoMax_, rhoMaximo);
}

void COpcoesRE::LeControles() {
  erro = rErro_->isChecked();
  lag = rLag_->isChecked();
  normaliza = cNormaliza_->isChecked();
  inverte = cInverte_->isChecked();
  potencia = ePotencia_->text();
  distMinima = eDistMin_->text();
  distMaxima = eDistMax_->text();
  maxIteracoes = eIteracoes_->text();
  criterio = eCriterio_->text();
  rhoInicial = eRhoInicial_->text();
  rhoMinimo = eRhoMin_->text();
  rhoMaximo = eRhoMax_->text();
}

void COpcoesRE::AtualizaDistancias() {
  for (QLineEdit* e : {ePotencia_, eDistMin_, eDistMax_}) e->setEnabled(inverte);
}

bool COpcoesRE::ValoresValidos() {
  // Settings the optimiser cannot work with are refused here rather than
  // failing deep inside the calculation.
  const double minimo = LeNumero(rhoMinimo), maximo = LeNumero(rhoMaximo), inicial = LeNumero(rhoInicial);
  bool finitos = true;  // "1e999" reads as infinity: no field may give one
  for (const QString* t : {&potencia, &distMinima, &distMaxima, &criterio, &rhoInicial, &rhoMinimo, &rhoMaximo})
    finitos = finitos && std::isfinite(LeNumero(*t));
  QString erroTexto;
  if (!finitos)
    erroTexto = QStringLiteral("Valor numérico inválido !");
  else if (LeInteiro(maxIteracoes) < 1)
    erroTexto = QStringLiteral("A máxima iteração deve ser pelo menos 1 !");
  else if (!(LeNumero(criterio) > 0.0))
    erroTexto = QStringLiteral("O critério de parada deve ser maior que zero !");
  else if (minimo < -C::LimiteRho || maximo > C::LimiteRho)
    erroTexto = QStringLiteral("Os limites de rho devem estar entre -0,99 e 0,99 !");
  else if (!(minimo < maximo))
    erroTexto = QStringLiteral("O mínimo de rho deve ser menor que o máximo !");
  else if (inicial < minimo || inicial > maximo)
    erroTexto = QStringLiteral("O valor inicial de rho deve estar entre o mínimo e o máximo !");
  if (erroTexto.isEmpty()) return true;
  plat::MessageBox(erroTexto, QString(), plat::MB_ICONEXCLAMATION);
  return false;
}

void COpcoesRE::accept() {
  const NEWMAT::Matrix* w = documento ? &documento->GetW() : nullptr;
  bool vazia = !w || w->Nrows() < 1 || w->Ncols() < 1;
  if (!vazia) {
    vazia = true;
    const double* p = w->Store();
    for (int i = 0, n = w->Storage(); i < n && vazia; ++i) vazia = p[i] == 0.0;
  }
  if (vazia) {
    plat::MessageBox(3035, plat::MB_ICONEXCLAMATION);
    return;
  }
  LeControles();
  if (!ValoresValidos()) return;
  lag_ = lag;
  QDialog::accept();
}
