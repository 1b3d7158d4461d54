#include "NucleoDiagnostico.h"

#include "LuEsparsa.h"

#include "model/CabecalhoModelo.h"
#include "model/LinhaDado.h"
#include "model/MatrizesModelo.h"
#include "model/Transformacoes.h"
#include "model/dado.h"

#include <newmatap.h>
#include <lapacke.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

namespace diag {
namespace {
using C = CabecalhoModelo;

int Codigo(const CabecalhoModelo& c, int k, int e) { return c.I32VE(C::OffTransformacoes, k, e); }
double Expoente(const CabecalhoModelo& c, int k, int e) { return c.F64VE(C::OffExpoentes, k, e); }
int Equacao(const CabecalhoModelo& c, std::size_t off) { return std::clamp(c.I32(off), 0, C::MaxEquacoes - 1); }

// Enabled variables in index order (the dependent last).
std::vector<int> Habilitadas(const CabecalhoModelo& c) {
  std::vector<int> v;
  const int nv = std::clamp(c.NumVariaveis(), 0, C::MaxVariaveis);
  for (int i = 0; i < nv; ++i)
    if (c.I32(C::OffHabilitadas + 4 * std::size_t(i)) != 0) v.push_back(i);
  return v;
}

// Positive branch of the inverse, used for the observed side.
double DestransformaPositivo(double v, int codigo, double p) {
  switch (codigo) {
    case 4: return std::sqrt(v);
    case 5: return v * v;
    case 6: return std::sqrt(1.0 / v);
    case 7: return (1.0 / v) * (1.0 / v);
    default: return Destransforma(v, codigo, p);
  }
}
}  // namespace

double Transforma(double x, int codigo, double p) {
  switch (codigo) {
    case 0: return std::pow(x, p);
    case 2: return 1.0 / x;
    case 3: return std::log(x);
    case 4: return x * x;
    case 5: return std::sqrt(x);
    case 6: return 1.0 / (x * x);
    case 7: return 1.0 / std::sqrt(x);
    default: return x;
  }
}

double Destransforma(double v, int codigo, double p) {
  switch (codigo) {
    case 0: return p != 1.0 ? std::pow(10.0, std::log10(v) / p) : v;
    case 2: return 1.0 / v;
    case 3: return std::exp(v);
    case 4: return v < 0 ? -std::sqrt(std::fabs(v)) : std::sqrt(v);
    case 5: return v < 0 ? -(v * v) : v * v;
    case 6: return v < 0 ? -std::sqrt(std::fabs(1.0 / v)) : std::sqrt(1.0 / v);
    case 7: return v < 0 ? -((1.0 / v) * (1.0 / v)) : (1.0 / v) * (1.0 / v);
    default: return v;
  }
}

double ResiduoOriginal(double yT, double e, int codigo, double p) {
  if (codigo == 1 || (codigo == 0 && p == 1.0) || codigo < 0 || codigo > 7) return e;
  return DestransformaPositivo(yT, codigo, p) - Destransforma(yT - e, codigo, p);
}

// ---------------------------------------------------------------- residuals

void CalculaResiduos(CabecalhoModelo& copia, LinhaDado* const* linhas, int N, int count, int O, int modo, Residuos& r) {
  const int J = Equacao(copia, C::OffEquacaoCorrente);
  const int u = count - 1;
  r.F.assign(std::size_t(N), 0.0);
  r.Z.assign(std::size_t(N), 0.0);
  r.RO.clear();
  r.XO.clear();
  r.registro.assign(std::size_t(N), 0);
  if (count < 1) return;
  O = std::clamp(O, 0, u);
  const double s0 = copia.F64(C::OffErroPadrao + 8 * std::size_t(J));
  // Transformed values, in place.
  for (int i = 0; i < N; ++i) {
    LinhaDado& l = *linhas[i];
    if (l.excluido) continue;
    for (int k = 0; k < count; ++k) l.valor[k] = Transforma(l.valor[k], Codigo(copia, k, J), Expoente(copia, k, J));
  }
  if (modo == 1) {
    const double bO = copia.F64VE(C::OffCoeficientes, O, J);
    const double bc = copia.F64VE(C::OffCoeficientes, u, J);
    for (int i = 0; i < N; ++i) {
      const LinhaDado& l = *linhas[i];
      if (l.excluido) continue;
      double soma = 0.0;
      for (int k = 0; k < u; ++k)
        if (k != O) soma += copia.F64VE(C::OffCoeficientes, k, J) * l.valor[k];
      r.F[std::size_t(i)] = (l.valor[u] - bc - soma) / bO;
    }
  }
  for (int i = 0; i < N; ++i) {
    LinhaDado& l = *linhas[i];
    if (l.excluido) continue;
    r.XO.push_back(l.valor[O]);
    r.RO.push_back(l.residuo[J] / s0);
    std::swap(l.valor[O], l.valor[u]);
  }
  {
    const int cO = Codigo(copia, O, J), cu = Codigo(copia, u, J);
    const double pO = Expoente(copia, O, J), pu = Expoente(copia, u, J);
    copia.SetI32VE(C::OffTransformacoes, O, J, cu);
    copia.SetI32VE(C::OffTransformacoes, u, J, cO);
    copia.SetF64VE(C::OffExpoentes, O, J, pu);
    copia.SetF64VE(C::OffExpoentes, u, J, pO);
  }
  int n = 0;
  for (int i = 0; i < N; ++i) n += linhas[i]->excluido ? 0 : 1;
  if (modo == 0 && n > 0) {
    // Least squares of the last position on the others, over centred cross-products.
    std::vector<double> soma(std::size_t(count), 0.0);
    std::vector<std::vector<double>> S(std::size_t(count), std::vector<double>(std::size_t(count), 0.0));
    for (int i = 0; i < N; ++i) {
      const LinhaDado& l = *linhas[i];
      if (l.excluido) continue;
      for (int q = 0; q < count; ++q) {
        soma[std::size_t(q)] += l.valor[q];
        for (int p = 0; p < count; ++p) S[std::size_t(q)][std::size_t(p)] += l.valor[q] * l.valor[p];
      }
    }
    for (int q = 0; q < count; ++q)
      for (int p = 0; p < count; ++p) S[std::size_t(q)][std::size_t(p)] -= soma[std::size_t(q)] * soma[std::size_t(p)] / n;
    const int k = count - 1;  // regressors 0 .. k-1, the analysed variable at k
    std::vector<double> b(std::size_t(std::max(k, 0)), 0.0);
    if (k > 0) {
      for (int piv = 0; piv + 1 < k; ++piv) {
        if (S[std::size_t(piv)][std::size_t(piv)] == 0.0 && piv + 1 < count) std::swap(S[std::size_t(piv)], S[std::size_t(piv + 1)]);
        for (int lin = piv + 1; lin < k; ++lin) {
          const double f = S[std::size_t(lin)][std::size_t(piv)] / S[std::size_t(piv)][std::size_t(piv)];
          for (int col = 0; col < count; ++col) S[std::size_t(lin)][std::size_t(col)] -= f * S[std::size_t(piv)][std::size_t(col)];
        }
      }
      for (int p = k - 1; p >= 0; --p) {
        double acc = S[std::size_t(p)][std::size_t(k)];
        for (int q = p + 1; q < k; ++q) acc -= S[std::size_t(p)][std::size_t(q)] * b[std::size_t(q)];
        b[std::size_t(p)] = acc / S[std::size_t(p)][std::size_t(p)];
      }
    }
    double bc = soma[std::size_t(k)];
    for (int q = 0; q < k; ++q) bc -= b[std::size_t(q)] * soma[std::size_t(q)];
    bc /= n;
    for (int q = 0; q < k; ++q) copia.SetF64VE(C::OffCoeficientes, q, J, b[std::size_t(q)]);
    copia.SetF64VE(C::OffCoeficientes, u, J, bc);
    for (int i = 0; i < N; ++i) {
      const LinhaDado& l = *linhas[i];
      if (l.excluido) continue;
      double f = bc;
      for (int q = 0; q < k; ++q) f += b[std::size_t(q)] * l.valor[q];
      r.F[std::size_t(i)] = f;
    }
  }
  double sse = 0.0;
  for (int i = 0; i < N; ++i) {
    LinhaDado& l = *linhas[i];
    l.residuo[J] = 0.0;
    if (l.excluido) continue;
    l.residuo[J] = l.valor[u] - r.F[std::size_t(i)];
    sse += l.residuo[J] * l.residuo[J];
  }
  double s = std::sqrt(sse / (n - count));
  if (s == 0.0) s = 0.001;
  copia.SetF64(C::OffErroPadrao + 8 * std::size_t(J), s);
  r.s = s;
  const int codigo = Codigo(copia, u, J);
  const double p = Expoente(copia, u, J);
  for (int i = 0; i < N; ++i) {
    LinhaDado& l = *linhas[i];
    if (l.excluido) continue;
    r.Z[std::size_t(i)] = l.residuo[J] / s;
    r.registro[std::size_t(i)] = l.linha;
    l.residuo[J] = ResiduoOriginal(l.valor[u], l.residuo[J], codigo, p);
    const double y = codigo == 6 ? 1.0 / l.valor[u] : codigo == 7 ? 1.0 / l.valor[u] : l.valor[u];
    // 6 and 7 invert first and then undo the square or the root, keeping the sign.
    l.valor[u] = codigo == 6 ? Destransforma(y, 4, p) : codigo == 7 ? Destransforma(y, 5, p) : Destransforma(y, codigo, p);
  }
}

// ---------------------------------------------------------------- Cook

bool CalculaDistanciaCook(const CabecalhoModelo& copia, LinhaDado* const* linhas, int N, int count, DistanciasCook& r) {
  const int J = Equacao(copia, C::OffEquacaoCorrente);
  const double s = copia.F64(C::OffErroPadrao + 8 * std::size_t(J));
  r.h.clear();
  r.D.clear();
  r.y.clear();
  r.Z.assign(std::size_t(N), 0.0);
  r.registro.assign(std::size_t(N), 0);
  if (count < 1) return true;
  const int u = count - 1;
  for (int i = 0; i < N; ++i) {
    LinhaDado& l = *linhas[i];
    if (l.excluido) continue;
    for (int k = 0; k < count; ++k) l.valor[k] = Transforma(l.valor[k], Codigo(copia, k, J), Expoente(copia, k, J));
  }
  // X'X of [1 | regressors], accumulated row by row: no n x n matrix.
  NEWMAT::SymmetricMatrix XtX(count);
  XtX = 0.0;
  NEWMAT::RowVector x(count);
  int n = 0;
  for (int i = 0; i < N; ++i) {
    const LinhaDado& l = *linhas[i];
    if (l.excluido) continue;
    ++n;
    x(1) = 1.0;
    for (int k = 0; k < u; ++k) x(k + 2) = l.valor[k];
    for (int a = 1; a <= count; ++a)
      for (int b = a; b <= count; ++b) XtX(a, b) += x(a) * x(b);
  }
  bool regular = n > 0;
  NEWMAT::LowerTriangularMatrix L;
  if (regular) {
    try {
      L = NEWMAT::Cholesky(XtX);
      // A pivot lost against its column's own size is a dependent regressor.
      for (int a = 1; a <= count && regular; ++a)
        if (!(L(a, a) * L(a, a) > 1e-12 * XtX(a, a)) || !std::isfinite(L(a, a))) regular = false;
    } catch (const NEWMAT::BaseException&) {
      regular = false;
    }
  }
  NEWMAT::LowerTriangularMatrix Li;
  if (regular) Li = L.i();
  const double s2 = s * s;
  for (int i = 0; i < N; ++i) {
    const LinhaDado& l = *linhas[i];
    if (l.excluido) continue;
    const double e = l.residuo[J];
    r.y.push_back(l.valor[u]);
    double h = std::nan("");
    if (regular) {
      NEWMAT::ColumnVector xc(count);
      xc(1) = 1.0;
      for (int k = 0; k < u; ++k) xc(k + 2) = l.valor[k];
      const NEWMAT::ColumnVector z = Li * xc;
      h = z.SumSquare();
    }
    r.h.push_back(h);
    r.D.push_back(e * e / (count * s2) * h / ((1.0 - h) * (1.0 - h)));
    r.Z[std::size_t(i)] = e / s;
    r.registro[std::size_t(i)] = l.linha;
  }
  return regular;
}

// ---------------------------------------------------------------- adherence

void CalculaAderencia(const CabecalhoModelo& copia, const LinhaDado* const* linhas, int N, int m, double s,
                      Aderencia& r) {
  const int J = Equacao(copia, C::OffEquacaoCorrente);
  r.A.assign(std::size_t(N), 0.0);
  r.B.assign(std::size_t(N), 0.0);
  r.y.assign(std::size_t(N), 0.0);
  if (m < 1) return;
  const int codigo = Codigo(copia, m - 1, J);
  const double p = Expoente(copia, m - 1, J);
  for (int i = 0; i < N; ++i) {
    const LinhaDado& l = *linhas[i];
    r.y[std::size_t(i)] = l.valor[m - 1];
    if (l.excluido) continue;
    const double e = l.residuo[J];
    const double yT = Transforma(l.valor[m - 1], codigo, p);
    r.B[std::size_t(i)] = e / s;
    r.A[std::size_t(i)] = ResiduoOriginal(yT, e, codigo, p);
  }
}

int NumeroClasses(int n) {
  const int c = int(std::max(std::sqrt(double(std::max(n, 0))), 3.0));
  return std::min(c, 32);
}

Histograma CalculaHistograma(const std::vector<double>& valores, int classes, int n) {
  Histograma h;
  if (classes < 1) return h;
  double lo = 0.0, hi = 0.0;
  if (!valores.empty()) lo = hi = valores.front();
  for (double v : valores) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  const double w = classes > 1 ? (hi - lo) / (classes - 1) : 0.0;
  double inicio = lo - w * 0.5;
  for (int k = 0; k < classes; ++k) {
    int conta = 0;
    for (double v : valores)
      if (inicio <= v && v < inicio + w) ++conta;
    h.centro.push_back(inicio + w / 2);
    h.frequencia.push_back(n > 0 ? double(conta) / n : 0.0);
    inicio += w;
  }
  return h;
}

std::vector<std::pair<double, double>> CurvaNormal() {
  std::vector<std::pair<double, double>> pontos;
  const double phi = 1.0 / std::pow(6.283184, 0.5);
  double x = -3.1;
  for (int i = 0; i < 61; ++i) {
    x += 0.1;
    pontos.emplace_back(x, std::exp(-x * x / 2) * phi);
  }
  return pontos;
}

// ---------------------------------------------------------------- spatial

namespace {

// Share of non-zero weights up to which I - rho W is factorised sparse: the
// spatial fits' threshold (measured in bench_espacial), where a sparse LU
// still beats the dense one.
constexpr double FracaoEsparsaMaxima = 0.04;

// FNV-1a over the 64-bit words of a row: the fingerprint of the last
// system. Each step is a bijection of the running value, so a row that
// differs in one element always changes it.
void Mistura(std::uint64_t& h, const double* v, std::size_t n) {
  for (std::size_t k = 0; k < n; ++k) {
    std::uint64_t palavra;
    std::memcpy(&palavra, v + k, sizeof palavra);
    h ^= palavra;
    h *= 1099511628211ull;
  }
}

bool Finitos(const double* v, int n) {
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(v[i])) return false;
  return true;
}

// I - rho W by rows, its non-zeros only (the diagonal always there).
struct LinhasEsparsas {
  struct Elemento {
    int coluna;
    double valor;
  };
  std::vector<int> inicio{0};
  std::vector<Elemento> elementos;
};

// (I - rho W) v = b in place from the rows in `a` (freed once read), by
// LuEsparsa; false when the matrix is singular.
bool ResolveEsparsa(int n, LinhasEsparsas& a, std::vector<double>& v) {
  const std::size_t N = std::size_t(n);
  // The same non-zeros by columns, each column's rows in order.
  std::vector<int> inicio(N + 1, 0), linha(a.elementos.size());
  std::vector<double> valor(a.elementos.size());
  for (const auto& e : a.elementos) ++inicio[std::size_t(e.coluna) + 1];
  for (std::size_t j = 0; j < N; ++j) inicio[j + 1] += inicio[j];
  {
    std::vector<int> proximo(inicio.begin(), inicio.end() - 1);
    for (std::size_t i = 0; i < N; ++i)
      for (int k = a.inicio[i]; k < a.inicio[i + 1]; ++k) {
        const auto& e = a.elementos[std::size_t(k)];
        const int q = proximo[std::size_t(e.coluna)]++;
        linha[std::size_t(q)] = int(i);
        valor[std::size_t(q)] = e.valor;
      }
  }
  a = LinhasEsparsas{};
  LuEsparsa lu;
  if (!lu.Fatora(n, inicio, linha, valor)) return false;
  lu.Resolve(v);
  return true;
}

// The same by a LAPACK LU of I - rho W in one n x n buffer, the rows written
// straight into it. Those rows read in LAPACK's column order are the
// transpose: factorised in place and solved transposed, so LAPACKE makes no
// row-order copy of the matrix (another 8 n^2 bytes).
template <typename Linha>
bool ResolveDensa(int n, const Linha& linha, double rho, std::vector<double>& v) {
  const std::size_t N = std::size_t(n);
  std::vector<double> a(N * N);
  for (std::size_t i = 0; i < N; ++i) {
    double* d = a.data() + i * N;
    linha(int(i), d);
    for (std::size_t j = 0; j < N; ++j) d[j] = (i == j ? 1.0 : 0.0) - rho * d[j];
  }
  std::vector<int> pivos(N);
  return LAPACKE_dgetrf(LAPACK_COL_MAJOR, n, n, a.data(), n, pivos.data()) == 0 &&
         LAPACKE_dgetrs(LAPACK_COL_MAJOR, 'T', n, 1, a.data(), n, pivos.data(), v.data(), n) == 0;
}

}  // namespace

// One pass over W's rows takes the fingerprint and, while W's non-zeros stay
// within the sparse share, the non-zeros of I - rho W (room for that many
// reserved at once, so a dense W leaves no grown buffers behind). A new
// system is then factorised from them, or from a dense buffer the rows are
// built into again; a repeated one needs neither.
template <typename Linha>
bool SolucaoEspacial::Soluciona(int n, const Linha& linha, double rho, const NEWMAT::ColumnVector& b,
                                NEWMAT::ColumnVector& x) {
  const std::size_t N = std::size_t(n);
  const double limite = FracaoEsparsaMaxima * double(n) * double(n);
  std::uint64_t h = 14695981039346656037ull;
  Mistura(h, &rho, 1);
  LinhasEsparsas a;
  a.inicio.reserve(N + 1);
  a.elementos.reserve(std::size_t(limite) + 2 * N);
  bool esparsa = true;
  {
    std::vector<double> l(N);
    std::size_t naoNulos = 0;
    for (std::size_t i = 0; i < N; ++i) {
      linha(int(i), l.data());
      Mistura(h, l.data(), N);
      if (!esparsa) continue;
      bool diagonal = false;
      for (std::size_t j = 0; j < N; ++j)
        if (l[j] != 0.0) {
          ++naoNulos;
          diagonal = diagonal || j == i;
          a.elementos.push_back({int(j), (i == j ? 1.0 : 0.0) - rho * l[j]});
        }
      if (!diagonal) a.elementos.push_back({int(i), 1.0});
      a.inicio.push_back(int(a.elementos.size()));
      if (double(naoNulos) > limite) {
        esparsa = false;
        a = LinhasEsparsas{};
      }
    }
  }
  const bool mesma = valida_ && rho == rho_ && h == impressao_ && b_.size() == N &&
                     std::equal(b_.begin(), b_.end(), b.Store());
  if (!mesma) {
    valida_ = false;
    ++fatoracoes_;
    std::vector<double> v(b.Store(), b.Store() + n);
    bool ok = n == 0;
    if (n > 0 && esparsa) ok = ResolveEsparsa(n, a, v);
    else if (n > 0) ok = ResolveDensa(n, linha, rho, v);
    singular_ = !ok || !Finitos(v.data(), n);
    rho_ = rho;
    impressao_ = h;
    b_.assign(b.Store(), b.Store() + n);
    x_ = std::move(v);
    valida_ = true;
  }
  if (singular_) return false;
  x.ReSize(n);
  std::copy(x_.begin(), x_.end(), x.Store());
  return true;
}

bool SolucaoEspacial::Resolve(const NEWMAT::Matrix& W, double rho, const NEWMAT::ColumnVector& b,
                              NEWMAT::ColumnVector& x) {
  const int n = W.Nrows();
  if (W.Ncols() != n || b.Nrows() != n) return false;
  const double* w = W.Store();
  return Soluciona(n, [&](int i, double* l) { std::copy(w + std::size_t(i) * n, w + std::size_t(i + 1) * n, l); },
                   rho, b, x);
}

bool SolucaoEspacial::ResolveRecorte(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W,
                                     double rho, const NEWMAT::ColumnVector& b, NEWMAT::ColumnVector& x) {
  const int N = std::max(cab.NumDados(), 0);
  if (N > 0 && dados == nullptr) throw std::invalid_argument("no records");
  std::vector<int> recs;
  for (int i = 0; i < N; ++i)
    if (dados[i].Considerado()) recs.push_back(i);
  if (W.Nrows() < N || W.Ncols() < N) throw std::invalid_argument("W smaller than N x N");
  // With every record considered the restriction is W itself, whatever its size.
  if (int(recs.size()) == N && (W.Nrows() != N || W.Ncols() != N)) return false;
  const int n = int(recs.size());
  if (b.Nrows() != n) return false;
  const bool transforma = cab.U8(C::OffTransformaDistancias) != 0;
  const bool padroniza = cab.U8(C::OffNormalizaW) != 0;
  // One row of the restriction, through the same routines as the whole
  // matrix: the transform (its diagonal rule applied here, since a row has
  // no diagonal of its own) and the row standardisation.
  NEWMAT::Matrix r(1, std::max(n, 1));
  const double* w = W.Store();
  const std::size_t colunas = std::size_t(W.Ncols());
  return Soluciona(n, [&](int i, double* l) {
    if (r.Ncols() != n) r.ReSize(1, n);
    double* p = r.Store();
    const double* wi = w + std::size_t(recs[std::size_t(i)]) * colunas;
    for (int j = 0; j < n; ++j) p[j] = wi[recs[std::size_t(j)]];
    TransformaPesos(&cab, r, false);
    if (transforma) p[i] = 0.0;
    if (padroniza) PadronizaLinhasNoLugar(r);
    std::copy(p, p + n, l);
  }, rho, b, x);
}

void PesosEspaciais(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W, NEWMAT::Matrix& Wc) {
  RecortaPesos(W, Wc, &cab, dados);
  TransformaPesos(&cab, Wc);
  if ((cab.U8(C::OffNormalizaW) != 0)) PadronizaLinhasNoLugar(Wc);
}

namespace {
// [1 | X] of the considered records for equation e and the spatial coefficients.
void CoeficientesEspaciais(const CabecalhoModelo& cab, const std::vector<int>& hab, NEWMAT::ColumnVector& b) {
  const int m = int(hab.size());
  b.ReSize(m);
  b(1) = cab.F64(C::OffResultadosEspaciais + 8 * std::size_t(hab.back()));
  for (int j = 0; j + 1 < m; ++j) b(j + 2) = cab.F64(C::OffResultadosEspaciais + 8 * std::size_t(hab[std::size_t(j)]));
}
NEWMAT::Matrix ComUm(const NEWMAT::Matrix& X) {
  NEWMAT::ColumnVector um(X.Nrows());
  um = 1.0;
  if (X.Ncols() == 0) return um;
  return um | X;
}
}  // namespace

bool CalculaAjusteEspacial(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W,
                           SolucaoEspacial& solucao, AjusteEspacial& r) {
  const std::vector<int> hab = Habilitadas(cab);
  r = AjusteEspacial{};
  r.m = int(hab.size());
  const int n = cab.NumConsiderados();
  if (hab.empty() || n <= 0) return true;
  const int E = Equacao(cab, C::OffEquacaoEspacial);
  NEWMAT::Matrix X(n, r.m - 1);
  if (r.m > 1) MontaMatrizX(X, &cab, dados, -1, E);
  NEWMAT::ColumnVector y(n), yT(n);
  MontaVetorY(y, &cab, dados, true, E);
  MontaVetorY(yT, &cab, dados, false, E);
  NEWMAT::ColumnVector b;
  CoeficientesEspaciais(cab, hab, b);
  NEWMAT::ColumnVector yhatT = ComUm(X) * b;
  bool ok = true;
  if (cab.I32(C::OffTipoEspacial) != 0) {
    // A singular I - rho W (or no W at all) leaves the fitted values not
    // numbers, shown as errors.
    NEWMAT::ColumnVector lag;
    try {
      ok = solucao.ResolveRecorte(cab, dados, W, cab.F64(C::OffRho), yhatT, lag);
    } catch (const std::invalid_argument&) {
      ok = false;
    } catch (const std::bad_alloc&) {
      ok = false;
      r.semMemoria = true;
    }
    if (ok) yhatT = lag;
    else yhatT = std::nan("");
  }
  const int d = hab.back();
  const int codigo = cab.I32VE(C::OffTransformacoes, d, E);
  const double p = cab.F64VE(C::OffExpoentes, d, E);
  double sse = 0.0, sseT = 0.0;
  for (int i = 1; i <= n; ++i) {
    r.y.push_back(y(i));
    r.yT.push_back(yT(i));
    r.yhatT.push_back(yhatT(i));
    r.eT.push_back(yT(i) - yhatT(i));
    r.yhat.push_back(DestransformaValor(yhatT(i), codigo, p));
    r.e.push_back(y(i) - r.yhat.back());
    sse += r.e.back() * r.e.back();
    sseT += r.eT.back() * r.eT.back();
  }
  r.s = std::sqrt(sse / (n - r.m));
  r.sT = std::sqrt(sseT / (n - r.m));
  if (r.s == 0.0) r.s = 1.0;
  if (r.sT == 0.0) r.sT = 1.0;
  return ok;
}

// ---------------------------------------------------------------- validation

void CalculaValidacao(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W, Validacao& r) {
  r = Validacao{};
  const std::vector<int> hab = Habilitadas(cab);
  const int N = cab.NumDados();
  for (int i = 0; i < N; ++i)
    if (dados[i].Validacao()) r.registro.push_back(i);
  const int v = int(r.registro.size());
  if (hab.empty() || v == 0) return;
  const int m = int(hab.size()), d = hab.back();
  const int J = Equacao(cab, C::OffEquacaoCorrente), E = Equacao(cab, C::OffEquacaoEspacial);
  NEWMAT::ColumnVector y(v);
  MontaVetorYValidacao(y, &cab, dados, true, E);
  for (int i = 1; i <= v; ++i) r.y.push_back(y(i));
  NEWMAT::Matrix X(v, m - 1);
  if (m > 1) MontaMatrizXValidacao(X, &cab, dados, -1, E);
  if (cab.I32(C::OffEspacialCalculado) != 0) {
    NEWMAT::ColumnVector b;
    CoeficientesEspaciais(cab, hab, b);
    NEWMAT::ColumnVector yT = ComUm(X) * b;
    bool ok = true;
    if (cab.I32(C::OffTipoEspacial) != 0) {
      const int n = cab.NumConsiderados();
      try {
        NEWMAT::ColumnVector yc(n);
        MontaVetorY(yc, &cab, dados, false, E);
        NEWMAT::Matrix Wv;
        RecortaPesosValidacao(W, Wv, &cab, dados);
        // Validation rows and considered columns never pair a record with itself.
        TransformaPesos(&cab, Wv, false);
        if ((cab.U8(C::OffNormalizaW) != 0)) PadronizaLinhasNoLugar(Wv);
        if (Wv.Nrows() == v && Wv.Ncols() == n) yT += cab.F64(C::OffRho) * (Wv * yc);
        else ok = false;
      } catch (const std::invalid_argument&) {
        ok = false;  // no W to take the lag term from
      }
    }
    if (ok) {
      r.temEspacial = true;
      const int codigo = cab.I32VE(C::OffTransformacoes, d, E);
      const double p = cab.F64VE(C::OffExpoentes, d, E);
      for (int i = 1; i <= v; ++i) r.espacial.push_back(DestransformaValor(yT(i), codigo, p));
    }
  }
  if (J != E && m > 1) MontaMatrizXValidacao(X, &cab, dados, -1, J);
  NEWMAT::ColumnVector bL(m);
  bL(1) = cab.F64VE(C::OffCoeficientes, d, J);
  for (int j = 0; j + 1 < m; ++j) bL(j + 2) = cab.F64VE(C::OffCoeficientes, hab[std::size_t(j)], J);
  const NEWMAT::ColumnVector yL = ComUm(X) * bL;
  const int codigo = cab.I32VE(C::OffTransformacoes, d, J);
  const double p = cab.F64VE(C::OffExpoentes, d, J);
  for (int i = 1; i <= v; ++i) r.linear.push_back(DestransformaValor(yL(i), codigo, p));
}

// ---------------------------------------------------------------- outliers

std::vector<Outlier> ListaOutliers(const CabecalhoModelo& cab, const dado* dados, int e) {
  std::vector<Outlier> r;
  e = std::clamp(e, 0, C::MaxEquacoes - 1);
  const double s = cab.F64(C::OffErroPadrao + 8 * std::size_t(e));
  for (int i = 0; i < cab.NumDados(); ++i) {
    if (!dados[i].Considerado()) continue;
    const double z = dados[i].residuo[e] / s;
    if (std::fabs(z) > 2.0) r.push_back({i, dados[i].residuo[e], z});
  }
  return r;
}

}  // namespace diag
