#include "EstatisticasEquacao.h"

#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/Transformacoes.h"
#include "model/dado.h"

#include <algorithm>
#include <exception>

namespace {
using C = CabecalhoModelo;

double ResultadoEspacial(const CabecalhoModelo& cab, int i) { return cab.F64(C::OffResultadosEspaciais + 8 * std::size_t(i)); }

// Means, minima and maxima of the columns of X (n x k-1).
void Colunas(const NEWMAT::Matrix& X, int n, int regressoras, double* media, double* minimo, double* maximo) {
  for (int j = 0; j < regressoras; ++j) {
    const NEWMAT::ColumnVector c = X.Column(j + 1);
    media[j] = c.Sum() / double(n);
    minimo[j] = c.Minimum();
    maximo[j] = c.Maximum();
  }
}

void Limpa(EstatisticasEquacao& s) {
  s.k = s.equacao = s.n = 0;
  s.espacial = s.lag = s.semW = false;
  s.rho = 0.0;
  std::fill(std::begin(s.mapa), std::end(s.mapa), 0);
  std::fill(std::begin(s.media), std::end(s.media), 0.0);
  std::fill(std::begin(s.mediaT), std::end(s.mediaT), 0.0);
  for (double* a : {s.minimo, s.maximo, s.minimoT, s.maximoT}) std::fill(a, a + 60, 0.0);
  std::fill(std::begin(s.duasValores), std::end(s.duasValores), ' ');
  for (NEWMAT::Matrix* x : {&s.bS, &s.b, &s.m, &s.mT, &s.r0}) x->CleanUp();
  s.L.ReSize(1);
  s.L(1) = 0.0;
}

// The value of a row on the transformed scale: row · b + the lag term.
double Escala(const NEWMAT::Matrix& linha, const NEWMAT::Matrix& b, int k, double lambda) {
  double soma = 0.0;
  for (int i = 1; i <= k; ++i) soma += linha(1, i) * b(i, 1);
  return soma + lambda;
}
}  // namespace

PreparoEquacao PreparaEstatisticasEquacao(EstatisticasEquacao& s, const CabecalhoModelo& cab, const dado* dados,
                                          const NEWMAT::Matrix& W) {
  Limpa(s);
  const int nv = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  const int N = std::clamp(cab.NumDados(), 0, C::MaxDados);
  s.espacial = cab.EspacialCalculado();
  s.lag = cab.I32(C::OffTipoEspacial) == 1;
  s.rho = cab.F64(C::OffRho);
  s.equacao = std::clamp(s.espacial ? cab.I32(C::OffEquacaoEspacial) : cab.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  for (int v = 0; v < nv; ++v)
    if (cab.Habilitada(v)) s.mapa[s.k++] = v;
  // The equation stands on the last variable, the dependent.
  if (s.k == 0 || s.mapa[s.k - 1] != nv - 1) return PreparoEquacao::SemDependente;
  if (N > 0 && dados == nullptr) return PreparoEquacao::SemRegistros;
  for (int i = 0; i < N; ++i)
    if (dados[i].excluido == 0) ++s.n;
  if (s.n == 0) return PreparoEquacao::SemDados;

  const int k = s.k, n = s.n, eq = s.equacao, regs = k - 1;
  try {
    // Original units; a regressor whose values are all its minimum or its
    // maximum is two-valued, and its mean becomes its minimum.
    s.m.ReSize(n, regs);
    if (regs > 0) MontaMatrizXOriginal(s.m, &cab, dados);
    Colunas(s.m, n, regs, s.media + 1, s.minimo, s.maximo);
    std::fill(std::begin(s.duasValores), std::end(s.duasValores), '*');
    s.duasValores[k - 1] = ' ';
    for (int r = 1; r <= n; ++r)
      for (int j = 0; j < regs; ++j) {
        const double x = s.m(r, j + 1);
        if (x != s.maximo[j] && x != s.minimo[j]) s.duasValores[j] = ' ';
      }
    for (int j = 0; j < regs; ++j)
      if (s.DoisValores(j)) s.media[j + 1] = s.minimo[j];
    s.media[0] = 1.0;
    s.m.ReSize(1, k);
    for (int i = 0; i < k; ++i) s.m(1, i + 1) = s.media[i];

    // Transformed units.
    s.mT.ReSize(n, regs);
    if (regs > 0) MontaMatrizX(s.mT, &cab, dados, -1, eq);
    Colunas(s.mT, n, regs, s.mediaT + 1, s.minimoT, s.maximoT);
    for (int j = 0; j < regs; ++j)
      if (s.DoisValores(j)) s.mediaT[j + 1] = s.minimoT[j];
    s.mediaT[0] = 1.0;
    s.mT.ReSize(1, k);
    for (int i = 0; i < k; ++i) s.mT(1, i + 1) = s.mediaT[i];

    s.r0.ReSize(1, k);
    s.r0(1, 1) = 1.0;
    for (int j = 0; j < regs; ++j) {
      const int v = s.mapa[j];
      s.r0(1, j + 2) = TransformaValor(s.m(1, j + 2), cab.Transformacao(v, eq), cab.Expoente(v, eq));
    }

    // The intercept stands at the dependent's index in both tables.
    if (s.espacial) {
      s.bS.ReSize(k, 1);
      s.bS(1, 1) = ResultadoEspacial(cab, s.mapa[k - 1]);
      for (int j = 0; j < regs; ++j) s.bS(j + 2, 1) = ResultadoEspacial(cab, s.mapa[j]);
    }
    s.b.ReSize(k, 1);
    s.b(1, 1) = cab.F64VE(C::OffCoeficientes, s.mapa[k - 1], eq);
    for (int j = 0; j < regs; ++j) s.b(j + 2, 1) = cab.F64VE(C::OffCoeficientes, s.mapa[j], eq);

    if (s.espacial && s.lag) {
      // Without a W of N x N there is nothing to cut: no lag term.
      if (W.Nrows() != N || W.Ncols() != N) {
        s.semW = true;
      } else {
        NEWMAT::Matrix w;
        RecortaPesos(W, w, &cab, dados);
        TransformaPesos(&cab, w);
        if (cab.U8(C::OffNormalizaW)) PadronizaLinhas(w);
        NEWMAT::ColumnVector y(n);
        MontaVetorY(y, &cab, dados, false, eq);
        s.L = (s.rho * w) * y;
      }
    }
  } catch (const std::exception&) {
    Limpa(s);
    return PreparoEquacao::Indeterminado;
  } catch (...) {  // newmat's own exceptions
    Limpa(s);
    return PreparoEquacao::Indeterminado;
  }
  return PreparoEquacao::Pronto;
}

QString MensagemPreparo(PreparoEquacao r) {
  switch (r) {
    case PreparoEquacao::Pronto: return QString();
    case PreparoEquacao::SemDados: return QStringLiteral("Nenhum dado considerado !");
    case PreparoEquacao::SemDependente: return QStringLiteral("A variável dependente não está habilitada !");
    case PreparoEquacao::SemRegistros: return QStringLiteral("Acesso ao arquivo negado !");
    case PreparoEquacao::Indeterminado: return QStringLiteral("Cálculo indeterminado !");
  }
  return QString();
}

bool FormaEspacial(FormaEquacao f) { return f == FormaEquacao::EstimativaRE || f == FormaEquacao::RegressaoRE; }
bool FormaEstimativa(FormaEquacao f) { return f == FormaEquacao::Estimativa || f == FormaEquacao::EstimativaRE; }

void CalculaSensibilidade(SensibilidadeEquacao& r, const EstatisticasEquacao& s, const CabecalhoModelo& cab,
                          FormaEquacao forma) {
  r = SensibilidadeEquacao{};
  const bool espacial = FormaEspacial(forma), estimativa = FormaEstimativa(forma);
  r.equacao = espacial ? std::clamp(cab.I32(C::OffEquacaoEspacial), 0, C::MaxEquacoes - 1) : s.equacao;
  const int k = s.k;
  const NEWMAT::Matrix& b = espacial ? s.bS : s.b;
  if (k == 0 || b.Nrows() != k || s.r0.Ncols() != k || s.mT.Ncols() != k) return;
  const int e = r.equacao;
  const int y = s.mapa[k - 1];
  const double lambda = espacial ? s.L(1) : 0.0;
  const NEWMAT::Matrix& baseE = forma == FormaEquacao::Estimativa || forma == FormaEquacao::EstimativaRE ? s.r0 : s.mT;
  const NEWMAT::Matrix& baseCurva = forma == FormaEquacao::Estimativa ? s.r0 : s.mT;
  auto valor = [&](const NEWMAT::Matrix& linha) {
    const double v = Escala(linha, b, k, lambda);
    return estimativa ? DestransformaValor(v, cab.Transformacao(y, e), cab.Expoente(y, e)) : v;
  };
  auto T = [&](int j, double x) { return TransformaValor(x, cab.Transformacao(s.mapa[j], e), cab.Expoente(s.mapa[j], e)); };

  r.E = valor(baseE);
  NEWMAT::Matrix linha;
  for (int j = 0; j < k - 1; ++j) {
    linha = baseCurva;
    const double amplitude = s.maximoT[j] - s.minimoT[j];
    for (int u = 0; u <= 10; ++u) {
      const double xT = double(u) * 0.1 * amplitude + s.minimoT[j];
      linha(1, j + 2) = xT;
      r.curvaX[11 * j + u] =
          estimativa ? DestransformaValor(xT, cab.Transformacao(s.mapa[j], e), cab.Expoente(s.mapa[j], e)) : xT;
      r.curvaY[11 * j + u] = valor(linha);
    }
  }
  for (int j = 0; j < k - 1; ++j) {
    linha = baseE;
    double alterado;
    if (estimativa)
      alterado = s.DoisValores(j) ? T(j, s.maximo[j]) : T(j, s.media[j + 1] + (s.maximo[j] - s.minimo[j]) / 10.0);
    else
      alterado = s.DoisValores(j) ? s.maximoT[j] : s.mediaT[j + 1] + (s.maximoT[j] - s.minimoT[j]) / 10.0;
    linha(1, j + 2) = alterado;
    r.alterada[j] = valor(linha);
    r.crescimento[j] = (r.alterada[j] - r.E) * 100.0 / r.E;
  }
}

bool ContradizRelacao(double crescimento, int relacao) {
  return (crescimento < 0 && relacao == 0) || (crescimento > 0 && relacao == 1);
}
