#include "CalculoProjecao.h"

#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/TabelasEstatisticas.h"
#include "model/TextoNumero.h"
#include "model/Transformacoes.h"
#include "model/dado.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {
using C = CabecalhoModelo;

constexpr int kSigma2Espacial = 63;  // spatial result [63]: the spatial model's variance

// The four captions a linear projection rewrites and every emptying restores.
constexpr int kMinimosMaximosRE[] = {UnitarioREMinimo, UnitarioREMaximo, TotalREMinimo, TotalREMaximo};
constexpr int kMinimosMaximosRL[] = {UnitarioRLMinimo, UnitarioRLMaximo, TotalRLMinimo, TotalRLMaximo};

// (X'X)^-1, or false when X'X cannot be inverted: a singular matrix, or one so
// near it that the inverse does not give back the identity.
bool Inversa(const NEWMAT::Matrix& X, NEWMAT::Matrix& C) {
  try {
    const NEWMAT::Matrix XtX = X.t() * X;
    C = XtX.i();
    const int k = XtX.Nrows();
    const NEWMAT::Matrix I = C * XtX;
    for (int r = 1; r <= k; ++r)
      for (int c = 1; c <= k; ++c) {
        const double esperado = r == c ? 1.0 : 0.0;
        if (!std::isfinite(I(r, c)) || std::fabs(I(r, c) - esperado) > 1e-6) return false;
      }
    return true;
  } catch (...) {  // newmat reports a singular matrix by an exception of its own
    return false;
  }
}
}  // namespace

// ---------------------------------------------------------------- items

TextosIntervalo::TextosIntervalo() {
  for (int i = 0; i < NumItensIntervalo; ++i) legenda[i] = LegendaPadrao(i);
}

QString TextosIntervalo::LegendaPadrao(int item) {
  switch (item) {
    case MinimoRE: return QStringLiteral("Mínimo RE (-15%)");
    case MaximoRE: return QStringLiteral("Máximo RE (+15%)");
    case MinimoRL: return QStringLiteral("Mínimo RL (-15%)");
    case MaximoRL: return QStringLiteral("Máximo RL (+15%)");
    case Adotado: return QStringLiteral("Adotado");
    case Desvio: return QStringLiteral("Desvio");
    default: break;
  }
  if (item < 0 || item >= MinimoRE) return QString();
  switch (item % 3) {
    case 0: return QStringLiteral("Mínimo");
    case 1: return QStringLiteral("Médio");
    default: return QStringLiteral("Máximo");
  }
}

void CalculoProjecao::LimpaIntervalo(TextosIntervalo& itens, bool espacial, bool linear) {
  auto limpa = [&itens](int primeiro, int ultimo, const int* minMax, int minimo, int maximo) {
    for (int i = primeiro; i <= ultimo; ++i) itens.valor[i].clear();
    for (int j = 0; j < 4; ++j) itens.legenda[minMax[j]] = TextosIntervalo::LegendaPadrao(minMax[j]);
    itens.valor[minimo].clear();
    itens.valor[maximo].clear();
  };
  if (espacial) limpa(UnitarioREMinimo, TotalREMaximo, kMinimosMaximosRE, MinimoRE, MaximoRE);
  if (linear) limpa(UnitarioRLMinimo, TotalRLMaximo, kMinimosMaximosRL, MinimoRL, MaximoRL);
  itens.valor[Desvio].clear();
  itens.valor[Adotado].clear();
}

// ---------------------------------------------------------------- state

CalculoProjecao::CalculoProjecao() : cab_(std::make_unique<CabecalhoModelo>()) { cab_->Zera(); }
CalculoProjecao::~CalculoProjecao() = default;

int CalculoProjecao::CasasDependente() const { return k_ > 0 ? cab_->CasasDecimais(mapa_[k_ - 1]) : 0; }

int CalculoProjecao::PosicaoRegressor(int v) const {
  for (int j = 0; j < k_ - 1; ++j)
    if (mapa_[j] == v) return j;
  return -1;
}

int CalculoProjecao::CodigoDependente(int e) const { return cab_->Transformacao(mapa_[k_ - 1], e); }

double CalculoProjecao::Destransforma(double y, int e) const {
  const int v = mapa_[k_ - 1];
  return DestransformaValor(y, cab_->Transformacao(v, e), cab_->Expoente(v, e));
}

double CalculoProjecao::ValorCentral(double mu, double s2, int codigo, int tendencia) {
  if (codigo != TransfLog) return mu;  // only a log-normal estimate has three
  switch (tendencia) {
    case ::Moda: return mu - s2;
    case ::Media: return mu + s2 / 2.0;
    default: return mu;
  }
}

PreparoProjecao CalculoProjecao::PreparaEstatisticasProjecao(const CabecalhoModelo& cab, const dado* dados) {
  std::memcpy(cab_->bytes, cab.bytes, C::Tamanho);
  k_ = n_ = 0;
  intervalo_ = projetado_ = semCoordenadas_ = false;
  area_ = posicaoArea_ = -1;
  areaMin_ = areaMax_ = 0.0;
  for (PontoCurva& p : curva_) p = PontoCurva{};
  nv_ = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  const int N = std::clamp(cab.NumDados(), 0, C::MaxDados);
  eq_ = std::clamp(cab.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  eqS_ = std::clamp(cab.I32(C::OffEquacaoEspacial), 0, C::MaxEquacoes - 1);
  espacial_ = cab.EspacialCalculado();
  lag_ = espacial_ && cab.I32(C::OffTipoEspacial) != 0;
  linear_ = cab.EstadoCalculo() != 0;
  unitario_ = cab.U8(C::OffValorUnitario) != 0;
  s_ = cab.F64(C::OffErroPadrao + 8 * std::size_t(eq_));
  sigma2S_ = cab.F64(C::OffResultadosEspaciais + 8 * std::size_t(kSigma2Espacial));
  rho_ = cab.F64(C::OffRho);
  for (int v = 0; v < nv_; ++v)
    if (cab.Habilitada(v)) mapa_[k_++] = v;
  // The equation stands on the last variable, the dependent.
  if (k_ == 0 || mapa_[k_ - 1] != nv_ - 1) {
    k_ = 0;
    return PreparoProjecao::SemDependente;
  }
  if (N > 0 && dados == nullptr) return PreparoProjecao::Indeterminado;
  for (int i = 0; i < N; ++i)
    if (dados[i].Considerado()) ++n_;
  if (n_ == 0) return PreparoProjecao::SemDados;

  // The area variable counts only while it is a regressor in use.
  const int area = cab.I32(C::OffVariavelArea);
  if (area >= 0 && area < nv_) {
    const int p = PosicaoRegressor(area);
    if (p >= 0) {
      area_ = area;
      posicaoArea_ = p;
    }
  }
  coordX_ = cab.I32(C::OffVariavelX);
  coordY_ = cab.I32(C::OffVariavelY);

  const int k = k_, n = n_, regs = k - 1;
  try {
    NEWMAT::Matrix X0(n, std::max(regs, 1));
    X0 = 0.0;
    if (regs > 0) {
      X0.ReSize(n, regs);
      MontaMatrizXOriginal(X0, &cab, dados);
    }
    NEWMAT::Matrix X(n, std::max(regs, 1));
    X = 0.0;
    if (regs > 0) {
      X.ReSize(n, regs);
      MontaMatrizX(X, &cab, dados, -1, eq_);
    }
    for (int j = 0; j < regs; ++j) {
      const NEWMAT::ColumnVector c = X0.Column(j + 1);
      media_[j] = c.Sum() / double(n);
      maximo_[j] = c.Maximum();
      minimo_[j] = c.Minimum();
      mediaT_[j] = X.Column(j + 1).Sum() / double(n);
    }
    if (posicaoArea_ >= 0) {
      const NEWMAT::ColumnVector c = X.Column(posicaoArea_ + 1);
      areaMin_ = c.Minimum();
      areaMax_ = c.Maximum();
    }
    NEWMAT::Matrix X1(n, k);
    for (int r = 1; r <= n; ++r) {
      X1(r, 1) = 1.0;
      for (int j = 0; j < regs; ++j) X1(r, j + 2) = X(r, j + 1);
    }
    intervalo_ = Inversa(X1, C_);
    if (!intervalo_) C_.CleanUp();

    b_.ReSize(k);
    b_(1) = cab.F64VE(C::OffCoeficientes, mapa_[k - 1], eq_);
    for (int j = 0; j < regs; ++j) b_(j + 2) = cab.F64VE(C::OffCoeficientes, mapa_[j], eq_);
    bS_.ReSize(k);
    bS_ = 0.0;
    yS_.CleanUp();
    xAmostra_.CleanUp();
    yAmostra_.CleanUp();
    if (espacial_) {
      auto espacial = [&cab](int v) { return cab.F64(C::OffResultadosEspaciais + 8 * std::size_t(v)); };
      yS_.ReSize(n);
      MontaVetorY(yS_, &cab, dados, false, eqS_);
      bS_(1) = espacial(mapa_[k - 1]);
      for (int j = 0; j < regs; ++j) bS_(j + 2) = espacial(mapa_[j]);
      if (lag_) {
        // The rows to appraise meet the sample through their coordinates.
        semCoordenadas_ = !(coordX_ >= 0 && coordX_ < nv_ && coordY_ >= 0 && coordY_ < nv_);
        if (!semCoordenadas_) {
          xAmostra_.ReSize(n);
          yAmostra_.ReSize(n);
          int r = 0;
          for (int i = 0; i < N; ++i) {
            if (!dados[i].Considerado()) continue;
            ++r;
            xAmostra_(r) = dados[i].valor[coordX_];
            yAmostra_(r) = dados[i].valor[coordY_];
          }
        }
      }
    }
  } catch (...) {  // newmat's own exceptions and the matrix builders' checks
    k_ = n_ = 0;
    intervalo_ = false;
    return PreparoProjecao::Indeterminado;
  }
  return intervalo_ ? PreparoProjecao::Pronto : PreparoProjecao::Singular;
}

double CalculoProjecao::DefineNivelConfianca(int nivel) {
  t_ = LeValorCriticoT(nivel, n_, k_);
  return t_;
}

void CalculoProjecao::RedimensionaEstimativas(int linhas) {
  const int p = std::max(linhas, 0);
  for (NEWMAT::ColumnVector* v : {&ET_, &E_, &ESt_, &ES_, &h_}) {
    v->ReSize(p);
    *v = 0.0;
  }
  projetado_ = false;
}

// ---------------------------------------------------------------- projection

void CalculoProjecao::MontaXp(const NEWMAT::Matrix& valores, int e, NEWMAT::Matrix& Xp) const {
  const int P = valores.Nrows(), k = k_;
  Xp.ReSize(P, k);
  for (int i = 1; i <= P; ++i) {
    Xp(i, 1) = 1.0;
    for (int j = 0; j < k - 1; ++j) {
      const int v = mapa_[j];
      const double x = v < valores.Ncols() ? valores(i, v + 1) : 0.0;
      Xp(i, j + 2) = TransformaValorVariavel(cab_.get(), x, v, e);
    }
  }
}

bool CalculoProjecao::ProjetaRegistros(const NEWMAT::Matrix& valores) {
  const int P = valores.Nrows();
  if (projetado_ && ET_.Nrows() == P) return true;
  if (P == 0 || k_ == 0) return false;
  for (NEWMAT::ColumnVector* v : {&ET_, &E_, &ESt_, &ES_, &h_}) {
    v->ReSize(P);
    *v = 0.0;
  }
  try {
    if (espacial_) {
      MontaXp(valores, eqS_, Xp_);
      ESt_ = Xp_ * bS_;
      if (lag_ && !semCoordenadas_) {
        // Distances from each row to the considered records, as weights. No
        // row is a record of the sample: no diagonal rule here.
        const int n = n_;
        NEWMAT::Matrix Wp(P, n);
        for (int i = 1; i <= P; ++i) {
          const double x = valores(i, coordX_ + 1), y = valores(i, coordY_ + 1);
          for (int c = 1; c <= n; ++c) {
            const double dx = x - xAmostra_(c), dy = y - yAmostra_(c);
            Wp(i, c) = std::sqrt(dx * dx + dy * dy);
          }
        }
        TransformaPesos(cab_.get(), Wp, false);
        if (cab_->U8(C::OffNormalizaW)) PadronizaLinhas(Wp);
        ESt_ += rho_ * (Wp * yS_);
      }
      for (int i = 1; i <= P; ++i) ES_(i) = Destransforma(ESt_(i), eqS_);
    }
    if (!espacial_ || eq_ != eqS_) MontaXp(valores, eq_, Xp_);
    ET_ = Xp_ * b_;
    for (int i = 1; i <= P; ++i) E_(i) = Destransforma(ET_(i), eq_);
    CalculaSemiAmplitudes(Xp_);
  } catch (...) {
    return false;
  }
  projetado_ = true;
  return true;
}

void CalculoProjecao::CalculaSemiAmplitudes(const NEWMAT::Matrix& pontos) {
  const int P = pontos.Nrows(), k = k_;
  h_.ReSize(P);
  h_ = 0.0;
  if (!intervalo_ || C_.Nrows() != k) return;
  NEWMAT::ColumnVector d(k);
  for (int i = 1; i <= P; ++i) {
    d(1) = 0.0;
    for (int j = 0; j < k - 1; ++j) d(j + 2) = pontos(i, j + 2) - mediaT_[j];
    const double q = 1.0 / double(n_) + (d.t() * C_ * d).AsScalar();
    h_(i) = std::sqrt(q) * s_ * t_;
  }
}

void CalculoProjecao::CalculaProjecao(int linha, int tendencia, const NEWMAT::RowVector& valoresLinha,
                                      ResultadoProjecao& r) const {
  TextosIntervalo& it = r.itens;
  LimpaIntervalo(it, true, true);
  r.colunaRL.clear();
  r.colunaRE.clear();
  r.E = r.inferior = r.superior = r.ES = NAN;
  const int P = ET_.Nrows();
  if (!projetado_ || P == 0 || k_ == 0 || linha < 1 || linha > P) return;
  const double area = area_ >= 0 && area_ < valoresLinha.Ncols() ? valoresLinha(area_ + 1) : 0.0;
  const bool comArea = area_ >= 0 && area != 0.0;
  const int casas = CasasDependente();
  auto texto = [casas](double x) { return FormataNumero(x, casas); };

  const int cS = CodigoDependente(eqS_), c = CodigoDependente(eq_);
  if (espacial_ && !semCoordenadas_) {
    const double u = ValorCentral(ESt_(linha), sigma2S_, cS, tendencia);
    const double ES = Destransforma(u, eqS_);
    r.ES = ES;
    it.valor[unitario_ ? UnitarioREMedio : TotalREMedio] = texto(ES);
    it.valor[Adotado] = texto(ES);
    it.valor[MinimoRE] = texto(0.85 * ES);
    it.valor[MaximoRE] = texto(1.15 * ES);
    if (comArea) it.valor[unitario_ ? TotalREMedio : UnitarioREMedio] = texto(unitario_ ? ES * area : ES / area);
  }
  if (linear_) {
    const double u = ValorCentral(ET_(linha), s_ * s_, c, tendencia);
    const double E = Destransforma(u, eq_);
    // The interval is laid around the chosen central value.
    const bool intervalo = intervalo_ && t_ != 0.0;
    const double inferior = Destransforma(u - h_(linha), eq_), superior = Destransforma(u + h_(linha), eq_);
    const int medio = unitario_ ? UnitarioRLMedio : TotalRLMedio;
    r.E = E;
    it.valor[medio] = texto(E);
    if (intervalo) {
      r.inferior = inferior;
      r.superior = superior;
      const double pl = (E - inferior) / E * 100.0, pu = (superior - E) / E * 100.0;
      it.valor[medio - 1] = texto(inferior);
      it.valor[medio + 1] = texto(superior);
      it.legenda[medio - 1] = QStringLiteral("Minimo (") + FormataNumeroPercentual(pl, 2, 1) + QLatin1Char(')');
      it.legenda[medio + 1] = QStringLiteral("Máximo (") + FormataNumeroPercentual(pu, 2, 1) + QLatin1Char(')');
    }
    it.valor[Adotado] = texto(E);
    it.valor[MinimoRL] = texto(0.85 * E);
    it.valor[MaximoRL] = texto(1.15 * E);
    if (comArea) {
      const int outro = unitario_ ? TotalRLMedio : UnitarioRLMedio;
      auto converte = [&](double x) { return unitario_ ? x * area : x / area; };
      it.valor[outro] = texto(converte(E));
      if (intervalo) {
        it.valor[outro - 1] = texto(converte(inferior));
        it.valor[outro + 1] = texto(converte(superior));
      }
    }
  }
  // Every row's estimate columns, each model by its own dependent's code.
  if (linear_) {
    r.colunaRL.resize(std::size_t(P));
    for (int i = 1; i <= P; ++i)
      r.colunaRL[std::size_t(i - 1)] = texto(Destransforma(ValorCentral(ET_(i), s_ * s_, c, tendencia), eq_));
  }
  if (espacial_ && !semCoordenadas_) {
    r.colunaRE.resize(std::size_t(P));
    for (int i = 1; i <= P; ++i)
      r.colunaRE[std::size_t(i - 1)] = texto(Destransforma(ValorCentral(ESt_(i), sigma2S_, cS, tendencia), eqS_));
  }
}

void CalculoProjecao::CalculaCurvaProjecao(double lo, double hi, int posicao, const NEWMAT::RowVector& valoresLinha) {
  for (PontoCurva& p : curva_) p = PontoCurva{};
  const int k = k_;
  if (posicao < 0 || posicao >= k - 1 || k == 0 || valoresLinha.Ncols() == 0) return;
  NEWMAT::RowVector x0(k);
  x0(1) = 1.0;
  for (int j = 0; j < k - 1; ++j) {
    const int v = mapa_[j];
    x0(j + 2) = TransformaValorVariavel(cab_.get(), v < valoresLinha.Ncols() ? valoresLinha(v + 1) : 0.0, v, eq_);
  }
  const int va = mapa_[posicao];
  const bool intervalo = intervalo_ && C_.Nrows() == k;
  for (int j = 0; j <= 10; ++j) {
    x0(posicao + 2) = lo + j * 0.1 * (hi - lo);
    // x0 starts with 1, so x0·C·x0' already holds the 1/n of the interval.
    const double q = intervalo ? (x0 * C_ * x0.t()).AsScalar() : 0.0;
    const double w = std::sqrt(std::max(q, 0.0)) * t_ * s_;
    const double m = (x0 * b_).AsScalar();
    curva_[j].estimativa = Destransforma(m, eq_);
    curva_[j].inferior = Destransforma(m - w, eq_);
    curva_[j].superior = Destransforma(m + w, eq_);
    curva_[j].area = DestransformaValor(x0(posicao + 2), cab_->Transformacao(va, eq_), cab_->Expoente(va, eq_));
  }
}

void CalculoProjecao::ProjetaValores(const NEWMAT::Matrix& valores, int nivel, int tendencia, int linhaAtual,
                                     int numDadosP, ResultadoProjecao& r) {
  DefineNivelConfianca(nivel);
  projetado_ = false;
  ProjetaRegistros(valores);
  const int linha = numDadosP < linhaAtual ? 1 : linhaAtual;
  NEWMAT::RowVector valoresLinha;
  if (linha >= 1 && linha <= valores.Nrows()) valoresLinha = valores.Row(linha);
  CalculaProjecao(linha, tendencia, valoresLinha, r);
  CalculaCurvaArea(valoresLinha);
}

// ---------------------------------------------------------------- the form's texts

QString CalculoProjecao::DescreveFaixaVariavel(int j) const {
  if (j < 0 || j >= k_ - 1) return QString();
  const int casas = cab_->CasasDecimais(mapa_[j]);
  return QStringLiteral("Minimo: %1  Médio: %2  e  Máximo: %3")
      .arg(FormataNumero(minimo_[j], casas), FormataNumero(media_[j], casas), FormataNumero(maximo_[j], casas));
}

bool CalculoProjecao::Extrapola(int j, double x) const {
  if (j < 0 || j >= k_ - 1) return false;
  return x > maximo_[j] || x < minimo_[j];
}

std::optional<Arbitragem> ArbitraValor(double v, double E) {
  if (E == 0.0) return std::nullopt;
  Arbitragem a;
  // The bounds carry the products' rounding (1.15·100 is 114.99999999999999):
  // a value at a bound as typed stands.
  const double lo = std::min(0.85 * E, 1.15 * E), hi = std::max(0.85 * E, 1.15 * E);
  const double folga = 1e-12 * std::fabs(E);
  if (v < lo - folga || v > hi + folga) return a;
  a.aceito = true;
  a.adotado = FormataNumero(v, 2);
  // Whole percent away from zero, once the quotient's floating noise is gone (110 against 100 is 10).
  const double d = std::round((v / E - 1.0) * 100.0 * 1e9) / 1e9;
  a.desvio = int(d < 0 ? std::floor(d) : std::ceil(d));
  return a;
}

std::optional<QString> ValorDoDesvio(double E, int d) {
  if (E == 0.0) return std::nullopt;
  return FormataNumero(E + E * d / 100.0, 2);
}
