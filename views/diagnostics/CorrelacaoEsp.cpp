#include "CorrelacaoEsp.h"

#include "DriversCalculo.h"
#include "views/data/CCalculoW.h"

#include "controls/PropertyGrid.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/Transformacoes.h"
#include "modules/spatial/Quenvik.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"
#include "platform/TabelaTextos.h"
#include "platform/TextoNumerico.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdlib>

namespace {
using C = CabecalhoModelo;
const char* const kItens[9] = {"Moran I", "Moran I - Estatística", "Significância", "Média", "Desvio Padrão",
                               "Erro espacial", "Erro (Sig.)", "Defasagem espacial", "Defasagem (Sig.)"};

// A typed number: the comma the dialog shows and the point both read as the
// decimal separator; what does not convert is 0.0.
double Converte(const QString& texto) {
  QString t = texto.trimmed();
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double v = plat::LeReal(t, QLatin1Char('.'), &ok);
  return ok && std::isfinite(v) ? v : 0.0;
}
}  // namespace

CorrelacaoEsp::CorrelacaoEsp(CTarsolinDoc* doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("dlg525"));
  setWindowTitle(QStringLiteral("Indices de Correlação Espacial"));
  const CabecalhoModelo& cab = *doc->GetCabecalho();
  auto* grupo = new QGroupBox(QStringLiteral(" Matriz de Pesos "), this);
  auto* g = new QGridLayout(grupo);
  normaliza_ = new QCheckBox(QStringLiteral("Normalizar matriz pesos"), grupo);
  normaliza_->setObjectName(QStringLiteral("1030"));
  normaliza_->setChecked(cab.U8(C::OffNormalizaW) != 0);
  transforma_ = new QCheckBox(QStringLiteral("Inverter distancia na matriz de pesos"), grupo);
  transforma_->setObjectName(QStringLiteral("1031"));
  transforma_->setChecked(cab.U8(C::OffTransformaDistancias) != 0);
  g->addWidget(normaliza_, 0, 0, 1, 2);
  g->addWidget(transforma_, 1, 0, 1, 2);
  const char* rotulos[3] = {"Potência", "Dist. Mínima", "Dist. Máxima"};
  const int ids[3] = {1056, 1057, 1058};
  const std::size_t offs[3] = {C::OffExpoenteDistancia, C::OffDistanciaMinima, C::OffDistanciaMaxima};
  for (int i = 0; i < 3; ++i) {
    edits_[i] = new QLineEdit(plat::FormataC("%.2f", {cab.F64(offs[i])}), grupo);
    edits_[i]->setObjectName(QString::number(ids[i]));
    edits_[i]->setMaxLength(i == 0 ? 8 : 12);
    g->addWidget(new QLabel(QString::fromUtf8(rotulos[i]), grupo), 2 + i, 0);
    g->addWidget(edits_[i], 2 + i, 1);
  }
  auto* distancias = new QPushButton(QStringLiteral("Calcular distâncias (W)"), grupo);
  distancias->setObjectName(QStringLiteral("1016"));
  g->addWidget(distancias, 5, 0, 1, 2);
  grade_ = new PropertyGrid(this);
  grade_->setObjectName(QStringLiteral("1094"));
  const char* categorias[2] = {"Indices de MoranI", "Indices LM Robusto"};
  for (int c = 0; c < 2; ++c) {
    PropertyGridItem* cat = grade_->AddCategory(QString::fromUtf8(categorias[c]));
    for (int i = c * 5; i < (c ? 9 : 5); ++i) {
      itens_[i] = cat->AddChildItem(new PropertyGridItem(QString::fromUtf8(kItens[i])));
      itens_[i]->SetReadOnly(true);
    }
    cat->Expand();
  }
  auto* calcular = new QPushButton(QStringLiteral("&Calcular"), this);
  calcular->setObjectName(QStringLiteral("1"));
  auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
  fechar->setObjectName(QStringLiteral("2"));
  auto* l = new QVBoxLayout(this);
  auto* cima = new QHBoxLayout;
  cima->addWidget(grupo);
  cima->addWidget(grade_, 1);
  l->addLayout(cima);
  auto* baixo = new QHBoxLayout;
  baixo->addStretch();
  baixo->addWidget(calcular);
  baixo->addWidget(fechar);
  l->addLayout(baixo);
  resize(640, 320);

  auto habilita = [this] {
    for (QLineEdit* e : edits_) e->setEnabled(transforma_->isChecked());
  };
  habilita();
  connect(transforma_, &QCheckBox::clicked, this, habilita);
  connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
  connect(calcular, &QPushButton::clicked, this, [this] { Calcula(); });
  connect(distancias, &QPushButton::clicked, this, [this] {
    CCalculoW dlg;
    dlg.documento = doc_;
    plat::ExecutaDialogo(dlg);
  });
}

bool CorrelacaoEsp::Calcula() {
  CabecalhoModelo& cab = *doc_->GetCabecalho();
  NEWMAT::Matrix& W = doc_->GetW();
  bool algum = false;
  for (int i = 0; i < W.Storage() && !algum; ++i) algum = W.Store()[i] != 0.0;
  if (W.Nrows() == 0 || W.Ncols() == 0 || !algum) {
    plat::MessageBox(plat::Texto(3035), QString(), plat::MB_OK);
    return false;
  }
  cab.SetU8(C::OffNormalizaW, normaliza_->isChecked() ? 1 : 0);
  cab.SetU8(C::OffTransformaDistancias, transforma_->isChecked() ? 1 : 0);
  cab.SetF64(C::OffExpoenteDistancia, Converte(edits_[0]->text()));
  cab.SetF64(C::OffDistanciaMaxima, Converte(edits_[2]->text()));
  cab.SetF64(C::OffDistanciaMinima, Converte(edits_[1]->text()));
  if (!doc_->RegistrosCarregados() && !doc_->CarregaRegistros()) return false;
  int k = 0;
  for (int i = 0; i < std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis); ++i)
    k += cab.I32(C::OffHabilitadas + 4 * std::size_t(i)) ? 1 : 0;
  const int n = cab.NumConsiderados();
  // The residuals tested are those of the equation in use, the one every
  // other window of the model shows.
  const int E = std::clamp(cab.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  NEWMAT::Matrix X(n, std::max(0, k - 1)), Wc;
  NEWMAT::ColumnVector y(n);
  try {
    RecortaPesos(W, Wc, &cab, doc_->GetDados());
    TransformaPesos(&cab, Wc);
    MontaMatrizX(X, &cab, doc_->GetDados(), -1, E);
    MontaVetorY(y, &cab, doc_->GetDados(), false, E);
  } catch (const std::exception&) {
    plat::MessageBox(QStringLiteral("Cálculo indeterminado !"), QString(), plat::MB_ICONSTOP);
    return false;
  }
  int resultado = 0;
  const plat::EstadoModulo estado = plat::ChamaModulo(drivers::Modulos().quenvik, drivers::OrdMoranI, [&](void* f) {
    resultado = reinterpret_cast<quenvik::FuncaoTestes>(f)(&y, &X, &Wc, &cab);
  });
  if (estado == plat::EstadoModulo::NaoCarregado) {
    plat::MessageBox(plat::Texto(3034).arg(drivers::Modulos().quenvik), QString(), plat::MB_OK);
    return false;
  }
  if (estado == plat::EstadoModulo::SemOrdinal) {
    plat::MessageBox(QStringLiteral("Não foi possível executar a rotina de cálculo !"), QString(), plat::MB_OK);
    return false;
  }
  if ((resultado & 0xFF) == 0) return false;
  doc_->SetModifiedFlag(true);
  if (!doc_->GravaRegistros()) {
    plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONSTOP);
    return false;
  }
  doc_->SetModifiedFlag(false);
  doc_->RelerCabecalho();
  doc_->UpdateAllViews(nullptr, 3);
  CTarsolinDoc::Servicos().PostaComando(drivers::CmdAtualizaPaineis);
  MostraResultados();
  return true;
}

void CorrelacaoEsp::MostraResultados() {
  const CabecalhoModelo& c = *doc_->GetCabecalho();
  const double v[9] = {c.F64(410344), c.F64(410360), 1.0 - c.F64(410352), c.F64(410368), std::sqrt(c.F64(410376)),
                       c.F64(410328), c.F64(410336), c.F64(410400), c.F64(410408)};
  for (int i = 0; i < 9; ++i) itens_[i]->SetValue(plat::FormataC("%9.5f", {v[i]}));
}
