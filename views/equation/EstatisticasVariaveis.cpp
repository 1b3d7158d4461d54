#include "EstatisticasVariaveis.h"

#include "TextoEquacao.h"

#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/Transformacoes.h"
#include "model/dado.h"

#include <algorithm>
#include <cmath>

namespace {
int NumVariaveis(const CabecalhoModelo& cab) {
  return std::clamp(cab.NumVariaveis(), 0, CabecalhoModelo::MaxVariaveis);
}
int EquacaoCorrente(const CabecalhoModelo& cab) {
  return std::clamp(cab.EquacaoCorrente(), 0, CabecalhoModelo::MaxEquacoes - 1);
}
}  // namespace

double ValorExibido(const CabecalhoModelo& cab, const dado* dados, int registro, int v, bool transformado) {
  if (!transformado) return dados[registro].valor[v];
  return TransformaDado(&cab, dados, v, registro, EquacaoCorrente(cab));
}

int CasasExibidas(const CabecalhoModelo& cab, int v, bool transformado) {
  if (transformado && cab.EstadoCalculo() != 0 && cab.Habilitada(v) &&
      cab.Transformacao(v, EquacaoCorrente(cab)) != TransfLinear)
    return 8;
  return std::clamp(cab.CasasDecimais(v), 0, 11);
}

QString TransformacaoExibida(const CabecalhoModelo& cab, int v) {
  if (cab.EstadoCalculo() == 0 || !cab.Habilitada(v)) return QStringLiteral("x");
  const int e = EquacaoCorrente(cab);
  return NomeTransformacao(cab.Transformacao(v, e), cab.Expoente(v, e));
}

int ContaConsiderados(const dado* dados, int n) {
  int k = 0;
  for (int r = 0; dados && r < n; ++r) k += dados[r].Considerado() ? 1 : 0;
  return k;
}

std::vector<EstatisticaVariavel> CalculaEstatisticasVariaveis(const CabecalhoModelo& cab, const dado* dados, int n,
                                                              bool transformado) {
  const int nv = NumVariaveis(cab);
  std::vector<EstatisticaVariavel> est(static_cast<std::size_t>(nv));
  const int k = ContaConsiderados(dados, n);
  if (k == 0) return est;
  bool primeiro = true;
  for (int r = 0; r < n; ++r) {
    if (!dados[r].Considerado()) continue;
    for (int v = 0; v < nv; ++v) {
      EstatisticaVariavel& e = est[std::size_t(v)];
      const double x = ValorExibido(cab, dados, r, v, transformado);
      if (primeiro) e.minimo = e.maximo = x;
      e.minimo = std::min(e.minimo, x);
      e.maximo = std::max(e.maximo, x);
      e.soma += x;
    }
    primeiro = false;
  }
  for (EstatisticaVariavel& e : est) e.media = e.soma / k;
  std::vector<double> desvios(std::size_t(nv), 0.0);
  for (int r = 0; r < n; ++r) {
    if (!dados[r].Considerado()) continue;
    for (int v = 0; v < nv; ++v) {
      const double d = ValorExibido(cab, dados, r, v, transformado) - est[std::size_t(v)].media;
      desvios[std::size_t(v)] += d * d;
    }
  }
  // One record divides by zero: the display shows "Erro".
  for (int v = 0; v < nv; ++v) est[std::size_t(v)].dp = std::sqrt(desvios[std::size_t(v)] / double(k - 1));
  return est;
}

bool CalculaWy(const CabecalhoModelo& cab, const dado* dados, int n, const NEWMAT::Matrix& W,
               NEWMAT::ColumnVector& wy) {
  wy.ReSize(0);
  const int k = ContaConsiderados(dados, n);
  if (k == 0 || W.Nrows() != n || W.Ncols() != n) return false;
  try {
    NEWMAT::Matrix Wc;
    RecortaPesos(W, Wc, &cab, dados);
    TransformaPesos(&cab, Wc);
    if (cab.U8(CabecalhoModelo::OffNormalizaW) != 0) PadronizaLinhasNoLugar(Wc);
    NEWMAT::ColumnVector y(k);
    MontaVetorY(y, &cab, dados, true, EquacaoCorrente(cab));
    wy = Wc * y;
    return true;
  } catch (...) {  // a W that does not fit the records, or newmat's own exceptions
    wy.ReSize(0);
    return false;
  }
}
