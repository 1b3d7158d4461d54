#include "AlgebraEsparsa.h"

#include "Paralelo.h"

#include <Eigen/SparseCore>
#include <Eigen/SparseLU>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

namespace quenvik {

namespace {

// Columns of Z solved together: one pass over the LU's factors serves them
// all. The blocks are fixed by the column numbers alone, never by the thread
// count, so every column's figures come from the same arithmetic.
constexpr int ColunasPorBloco = 32;

using MatrizEsparsa = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

void ExigeForma(bool ok) {
  if (!ok) throw std::invalid_argument("dimensões incompatíveis");
}

// Non-zeros of each row of W, in parallel by rows.
std::vector<std::int64_t> ContaLinhas(const NEWMAT::Matrix& W) {
  const int n = W.Nrows(), m = W.Ncols();
  std::vector<std::int64_t> conta(std::size_t(n), 0);
  const double* w = W.Store();
  ParaLinhas(n, 0.25 * m, [&](int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
      const double* linha = w + std::size_t(i) * m;
      std::int64_t c = 0;
      for (int j = 0; j < m; ++j) c += linha[j] != 0.0;
      conta[std::size_t(i)] = c;
    }
  });
  return conta;
}

std::unique_ptr<PesosEsparsos> Forma(const NEWMAT::Matrix& W, const std::vector<std::int64_t>& conta) {
  const int n = W.Nrows();
  auto e = std::make_unique<PesosEsparsos>();
  e->n = n;
  e->inicio.assign(std::size_t(n) + 1, 0);
  for (int i = 0; i < n; ++i) e->inicio[std::size_t(i) + 1] = e->inicio[std::size_t(i)] + conta[std::size_t(i)];
  e->coluna.resize(std::size_t(e->NaoNulos()));
  e->valor.resize(std::size_t(e->NaoNulos()));
  const double* w = W.Store();
  const int n4 = n - n % 4;
  std::vector<std::int64_t> grupos(std::size_t(n), 0);
  ParaLinhas(n, 0.25 * n, [&](int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
      const double* linha = w + std::size_t(i) * n;
      std::int64_t k = e->inicio[std::size_t(i)];
      int ultimo = -1;
      std::int64_t g = 0;
      for (int j = 0; j < n; ++j)
        if (linha[j] != 0.0) {
          e->coluna[std::size_t(k)] = j;
          e->valor[std::size_t(k)] = linha[j];
          ++k;
          if (j < n4 && j / 4 != ultimo) {
            ultimo = j / 4;
            ++g;
          }
        }
      grupos[std::size_t(i)] = g;
    }
  });
  e->inicioGrupo.assign(std::size_t(n) + 1, 0);
  for (int i = 0; i < n; ++i) e->inicioGrupo[std::size_t(i) + 1] = e->inicioGrupo[std::size_t(i)] + grupos[std::size_t(i)];
  e->grupo.resize(std::size_t(e->inicioGrupo.back()));
  e->pesosGrupo.resize(std::size_t(e->inicioGrupo.back()));
  ParaLinhas(n, 8.0, [&](int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
      const double* linha = w + std::size_t(i) * n;
      std::int64_t g = e->inicioGrupo[std::size_t(i)];
      for (std::int64_t k = e->inicio[std::size_t(i)]; k < e->inicio[std::size_t(i) + 1]; ++k) {
        const int j = e->coluna[std::size_t(k)];
        if (j >= n4) break;
        const int j0 = j - j % 4;
        if (g > e->inicioGrupo[std::size_t(i)] && e->grupo[std::size_t(g) - 1] == j0) continue;
        e->grupo[std::size_t(g)] = j0;
        e->pesosGrupo[std::size_t(g)] = {linha[j0], linha[j0 + 1], linha[j0 + 2], linha[j0 + 3]};
        ++g;
      }
    }
  });
  return e;
}

}  // namespace

double FracaoNaoNulos(const NEWMAT::Matrix& W) {
  const double total = double(W.Nrows()) * double(W.Ncols());
  if (total == 0.0) return 0.0;
  std::int64_t s = 0;
  for (std::int64_t c : ContaLinhas(W)) s += c;
  return double(s) / total;
}

std::unique_ptr<PesosEsparsos> FormaEsparsa(const NEWMAT::Matrix& W) {
  ExigeForma(W.Nrows() == W.Ncols());
  return Forma(W, ContaLinhas(W));
}

std::unique_ptr<PesosEsparsos> DetectaEsparsa(const NEWMAT::Matrix& W) {
  const int n = W.Nrows();
  if (n < 1 || W.Ncols() != n) return nullptr;
  const std::vector<std::int64_t> conta = ContaLinhas(W);
  std::int64_t s = 0;
  for (std::int64_t c : conta) s += c;
  if (double(s) > FracaoEsparsaMaxima * double(n) * double(n) || s > std::int64_t(NaoNulosPorLinhaMaximo) * n)
    return nullptr;
  return Forma(W, conta);
}

NEWMAT::ColumnVector ProdutoW(const PesosEsparsos& W, const NEWMAT::ColumnVector& v) {
  ExigeForma(v.Nrows() == W.n);
  NEWMAT::ColumnVector out(W.n);
  const double* x = v.Store();
  double* o = out.Store();
  const double porLinha = W.n > 0 ? double(W.NaoNulos()) / W.n : 0.0;
  ParaLinhas(W.n, porLinha, [&](int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
      double s = 0.0;
      for (std::int64_t k = W.inicio[std::size_t(i)]; k < W.inicio[std::size_t(i) + 1]; ++k)
        s += W.valor[std::size_t(k)] * x[W.coluna[std::size_t(k)]];
      o[i] = s;
    }
  });
  return out;
}

NEWMAT::Matrix ProdutoDenso(const PesosEsparsos& W, const NEWMAT::Matrix& B) {
  ExigeForma(B.Nrows() == W.n);
  const int k = B.Ncols();
  NEWMAT::Matrix C(W.n, k);
  C = 0.0;
  const double* b = B.Store();
  double* c = C.Store();
  const double porLinha = W.n > 0 ? double(W.NaoNulos()) / W.n * k : 0.0;
  ParaLinhas(W.n, porLinha, [&](int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
      double* ci = c + std::size_t(i) * k;
      for (std::int64_t q = W.inicio[std::size_t(i)]; q < W.inicio[std::size_t(i) + 1]; ++q) {
        const double wij = W.valor[std::size_t(q)];
        const double* bj = b + std::size_t(W.coluna[std::size_t(q)]) * k;
        for (int l = 0; l < k; ++l) ci[l] += wij * bj[l];
      }
    }
  });
  return C;
}

namespace {

// Rows i0 … i1 − 1 of W·V: each group of four columns adds
// (w0·v0 + w1·v1) + (w2·v2 + w3·v3) with its zero weights, then the last
// columns one by one, as the dense kernel does; a group of four zeros adds
// nothing there, so skipping it changes no bit.
__attribute__((target_clones("avx512f", "avx2", "default")))
void LinhasVetoresEsparsas(const PesosEsparsos& W, const double* V, int r, double* saida, int i0, int i1) {
  const int n4 = W.n - W.n % 4;
  for (int i = i0; i < i1; ++i) {
    double* out = saida + std::size_t(i) * r;
    for (int h = 0; h < r; ++h) out[h] = 0.0;
    for (std::int64_t g = W.inicioGrupo[std::size_t(i)]; g < W.inicioGrupo[std::size_t(i) + 1]; ++g) {
      const std::array<double, 4>& p = W.pesosGrupo[std::size_t(g)];
      const double w0 = p[0], w1 = p[1], w2 = p[2], w3 = p[3];
      const double* v0 = V + std::size_t(W.grupo[std::size_t(g)]) * r;
      const double* v1 = v0 + r;
      const double* v2 = v1 + r;
      const double* v3 = v2 + r;
      for (int h = 0; h < r; ++h) out[h] += (w0 * v0[h] + w1 * v1[h]) + (w2 * v2[h] + w3 * v3[h]);
    }
    std::int64_t k = W.inicio[std::size_t(i) + 1];
    while (k > W.inicio[std::size_t(i)] && W.coluna[std::size_t(k) - 1] >= n4) --k;
    for (; k < W.inicio[std::size_t(i) + 1]; ++k) {
      const double wij = W.valor[std::size_t(k)];
      const double* vj = V + std::size_t(W.coluna[std::size_t(k)]) * r;
      for (int h = 0; h < r; ++h) out[h] += wij * vj[h];
    }
  }
}

}  // namespace

void ProdutoVetores(const PesosEsparsos& W, const double* V, int r, double* saida) {
  const double porLinha = W.n > 0 ? 4.0 * double(W.inicioGrupo.back()) / W.n * r : 0.0;
  ParaLinhas(W.n, porLinha, [&](int i0, int i1) { LinhasVetoresEsparsas(W, V, r, saida, i0, i1); });
}

double TracoQuadrado(const PesosEsparsos& W, const NEWMAT::Matrix& Wd) {
  ExigeForma(Wd.Nrows() == W.n && Wd.Ncols() == W.n);
  const double* w = Wd.Store();
  double s = 0.0;
  for (int i = 0; i < W.n; ++i)
    for (std::int64_t k = W.inicio[std::size_t(i)]; k < W.inicio[std::size_t(i) + 1]; ++k)
      s += W.valor[std::size_t(k)] * w[std::size_t(W.coluna[std::size_t(k)]) * W.n + i];
  return s;
}

// ------------------------------------------------------------ sparse LU

// The factors taken out of Eigen's supernodal storage into plain columns, so
// the solves run over a block of right-hand sides side by side (a row of the
// block is `largura` contiguous lanes) rather than one column at a time.
// P_r·A·P_c⁻¹ = L·U with L unit lower triangular.
struct FatoracaoEsparsa::Dados {
  int n = 0;
  std::vector<int> linhaPerm, colunaPerm;         // P_r and P_c as Eigen's indices
  std::vector<std::int64_t> inicioL, inicioU;     // strictly lower L, strictly upper U, by columns
  std::vector<int> linhaL, linhaU;
  std::vector<double> valorL, valorU, diagonalU;
  std::vector<std::int64_t> inicioUt;             // strictly upper U again, by rows
  std::vector<int> colunaUt;
  std::vector<double> valorUt;

  // Solves A·x = b in place on x already permuted by P_r; the result is
  // still in U's order.
  void Substitui(double* x) const;
};

namespace {

// One column of a triangular factor stored by columns (L, U, or U's rows
// as the columns of Uᵀ): x_j is divided by the diagonal when the factor has
// one, then x_i −= v·x_j for every entry (i, v) of the column, over R lanes.
struct FatorColunas {
  const std::int64_t* inicio;
  const int* indice;
  const double* valor;
  const double* diagonal;  // null: unit diagonal
};

template <int R>
inline void Espalha(const FatorColunas& f, int j, double* X) {
  double* xj = X + std::size_t(j) * R;
  if (f.diagonal) {
    const double dj = f.diagonal[j];
    for (int h = 0; h < R; ++h) xj[h] /= dj;
  }
  for (std::int64_t k = f.inicio[j]; k < f.inicio[j + 1]; ++k) {
    const double v = f.valor[k];
    double* xi = X + std::size_t(f.indice[k]) * R;
    for (int h = 0; h < R; ++h) xi[h] -= v * xj[h];
  }
}

// A forward pass from row `inicio` (the rows before it are zero on entry);
// a row of zeros, a unit vector's row outside its reach, is skipped.
template <int R>
inline void AvancaEsparso(const FatorColunas& f, int n, int inicio, double* X) {
  for (int j = inicio; j < n; ++j) {
    const double* xj = X + std::size_t(j) * R;
    bool nulo = true;
    for (int h = 0; h < R; ++h) nulo = nulo && xj[h] == 0.0;
    if (!nulo) Espalha<R>(f, j, X);
  }
}

// The two substitutions over R lanes, column by column of L (unit lower)
// and then of U. Rows before `inicio` are zero on entry.
template <int R>
inline void SubstituiLanes(const FatoracaoEsparsa::Dados& d, double* X, int inicio) {
  AvancaEsparso<R>({d.inicioL.data(), d.linhaL.data(), d.valorL.data(), nullptr}, d.n, inicio, X);
  const FatorColunas U{d.inicioU.data(), d.linhaU.data(), d.valorU.data(), d.diagonalU.data()};
  for (int j = d.n - 1; j >= 0; --j) Espalha<R>(U, j, X);
}

// Uᵀ·Lᵀ·S = B over R lanes in place (B in U's order, S in P_r's): Uᵀ
// forward by U's rows, then Lᵀ backward by L's columns. Rows before
// `inicio` are zero on entry.
template <int R>
inline void SubstituiTranspostaLanes(const FatoracaoEsparsa::Dados& d, double* X, int inicio) {
  AvancaEsparso<R>({d.inicioUt.data(), d.colunaUt.data(), d.valorUt.data(), d.diagonalU.data()}, d.n, inicio, X);
  for (int j = d.n - 1; j >= 0; --j) {
    double s[R];
    double* xj = X + std::size_t(j) * R;
    for (int h = 0; h < R; ++h) s[h] = xj[h];
    for (std::int64_t k = d.inicioL[std::size_t(j)]; k < d.inicioL[std::size_t(j) + 1]; ++k) {
      const double v = d.valorL[std::size_t(k)];
      const double* xi = X + std::size_t(d.linhaL[std::size_t(k)]) * R;
      for (int h = 0; h < R; ++h) s[h] -= v * xi[h];
    }
    for (int h = 0; h < R; ++h) xj[h] = s[h];
  }
}

__attribute__((target_clones("avx512f", "avx2", "default")))
void SubstituiBloco(const FatoracaoEsparsa::Dados& d, double* X, int inicio) {
  SubstituiLanes<ColunasPorBloco>(d, X, inicio);
}

__attribute__((target_clones("avx512f", "avx2", "default")))
void SubstituiTranspostaBloco(const FatoracaoEsparsa::Dados& d, double* X, int inicio) {
  SubstituiTranspostaLanes<ColunasPorBloco>(d, X, inicio);
}

// Row i of W·X over the block's lanes, summed over the row's non-zeros in
// order, into s (zero on entry).
[[gnu::always_inline]] inline void LinhaBloco(const PesosEsparsos& W, int i, const double* X, double* s) {
  constexpr int L = ColunasPorBloco;
  for (std::int64_t q = W.inicio[std::size_t(i)]; q < W.inicio[std::size_t(i) + 1]; ++q) {
    const double w = W.valor[std::size_t(q)];
    const double* x = X + std::size_t(W.coluna[std::size_t(q)]) * L;
    for (int h = 0; h < L; ++h) s[h] += w * x[h];
  }
}

// Z = W·X over the block's lanes.
__attribute__((target_clones("avx512f", "avx2", "default")))
void ProdutoBloco(const PesosEsparsos& W, const double* X, double* Z) {
  constexpr int L = ColunasPorBloco;
  for (int i = 0; i < W.n; ++i) {
    double s[L] = {};
    LinhaBloco(W, i, X, s);
    std::memcpy(Z + std::size_t(i) * L, s, sizeof s);
  }
}

// Per lane h, in the block's order of rows i: q_h = Σ_i Z_ih² and
// p_h = Σ_i T_{m(i),h}·(W·Z)_ih, W·Z formed a row at a time.
__attribute__((target_clones("avx512f", "avx2", "default")))
void Acumula(const PesosEsparsos& W, const double* Z, const double* T, const int* m, double* q, double* p) {
  constexpr int L = ColunasPorBloco;
  double sq[L] = {}, sp[L] = {};
  for (int i = 0; i < W.n; ++i) {
    double wz[L] = {};
    LinhaBloco(W, i, Z, wz);
    const double* zi = Z + std::size_t(i) * L;
    const double* ti = T + std::size_t(m[i]) * L;
    for (int h = 0; h < L; ++h) {
      sq[h] += zi[h] * zi[h];
      sp[h] += ti[h] * wz[h];
    }
  }
  std::memcpy(q, sq, sizeof sq);
  std::memcpy(p, sp, sizeof sp);
}

// P·W·P⁻¹ for the permutation P taking index i to p[i]: W's rows and
// columns in the factors' order, where a record's neighbours lie close by.
PesosEsparsos Permutada(const PesosEsparsos& W, const std::vector<int>& p) {
  const int n = W.n;
  std::vector<int> origem(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) origem[std::size_t(p[std::size_t(i)])] = i;
  PesosEsparsos r;
  r.n = n;
  r.inicio.assign(std::size_t(n) + 1, 0);
  r.coluna.reserve(W.coluna.size());
  r.valor.reserve(W.valor.size());
  std::vector<std::pair<int, double>> linha;
  for (int k = 0; k < n; ++k) {
    const int i = origem[std::size_t(k)];
    linha.clear();
    for (std::int64_t q = W.inicio[std::size_t(i)]; q < W.inicio[std::size_t(i) + 1]; ++q)
      linha.emplace_back(p[std::size_t(W.coluna[std::size_t(q)])], W.valor[std::size_t(q)]);
    std::sort(linha.begin(), linha.end());
    for (const auto& [c, v] : linha) {
      r.coluna.push_back(c);
      r.valor.push_back(v);
    }
    r.inicio[std::size_t(k) + 1] = std::int64_t(r.coluna.size());
  }
  return r;
}

}  // namespace

void FatoracaoEsparsa::Dados::Substitui(double* x) const { SubstituiLanes<1>(*this, x, 0); }

FatoracaoEsparsa::FatoracaoEsparsa(const PesosEsparsos& W, double a) : W_(W), a_(a), d_(std::make_unique<Dados>()) {
  const int n = W.n;
  std::vector<Eigen::Triplet<double, int>> t;
  t.reserve(std::size_t(W.NaoNulos()) + std::size_t(n));
  for (int i = 0; i < n; ++i) {
    double diagonal = 1.0;
    for (std::int64_t k = W.inicio[std::size_t(i)]; k < W.inicio[std::size_t(i) + 1]; ++k) {
      const int j = W.coluna[std::size_t(k)];
      if (j == i) diagonal -= a * W.valor[std::size_t(k)];
      else t.emplace_back(i, j, -a * W.valor[std::size_t(k)]);
    }
    t.emplace_back(i, i, diagonal);
  }
  MatrizEsparsa A(n, n);
  A.setFromTriplets(t.begin(), t.end());
  A.makeCompressed();
  Eigen::SparseLU<MatrizEsparsa, Eigen::COLAMDOrdering<int>> lu;
  lu.analyzePattern(A);
  lu.factorize(A);
  if (lu.info() != Eigen::Success) throw std::runtime_error("matriz singular");
  Dados& d = *d_;
  d.n = n;
  d.linhaPerm.assign(lu.rowsPermutation().indices().data(), lu.rowsPermutation().indices().data() + n);
  d.colunaPerm.assign(lu.colsPermutation().indices().data(), lu.colsPermutation().indices().data() + n);
  // Column j of a supernode holds U's part of the diagonal block above the
  // diagonal, U_jj, and L below; the rest of U's column is in the U store.
  const auto fatorL = lu.matrixL();
  const auto fatorU = lu.matrixU();
  using IteradorL = typename std::decay_t<decltype(fatorL.m_mapL)>::InnerIterator;
  using IteradorU = typename std::decay_t<decltype(fatorU.m_mapU)>::InnerIterator;
  d.inicioL.assign(std::size_t(n) + 1, 0);
  d.inicioU.assign(std::size_t(n) + 1, 0);
  d.diagonalU.assign(std::size_t(n), 0.0);
  for (int j = 0; j < n; ++j) {
    for (IteradorL it(fatorL.m_mapL, j); it; ++it) {
      const int r = int(it.row());
      if (r > j) {
        d.linhaL.push_back(r);
        d.valorL.push_back(it.value());
      } else if (r == j) {
        d.diagonalU[std::size_t(j)] = it.value();
      } else {
        d.linhaU.push_back(r);
        d.valorU.push_back(it.value());
      }
    }
    for (IteradorU it(fatorU.m_mapU, j); it; ++it) {
      d.linhaU.push_back(int(it.index()));
      d.valorU.push_back(it.value());
    }
    d.inicioL[std::size_t(j) + 1] = std::int64_t(d.linhaL.size());
    d.inicioU[std::size_t(j) + 1] = std::int64_t(d.linhaU.size());
  }
  d.inicioUt.assign(std::size_t(n) + 1, 0);
  for (int r : d.linhaU) ++d.inicioUt[std::size_t(r) + 1];
  for (int i = 0; i < n; ++i) d.inicioUt[std::size_t(i) + 1] += d.inicioUt[std::size_t(i)];
  d.colunaUt.resize(d.linhaU.size());
  d.valorUt.resize(d.linhaU.size());
  std::vector<std::int64_t> proxima(d.inicioUt.begin(), d.inicioUt.end() - 1);
  for (int j = 0; j < n; ++j)
    for (std::int64_t k = d.inicioU[std::size_t(j)]; k < d.inicioU[std::size_t(j) + 1]; ++k) {
      const std::int64_t p = proxima[std::size_t(d.linhaU[std::size_t(k)])]++;
      d.colunaUt[std::size_t(p)] = j;
      d.valorUt[std::size_t(p)] = d.valorU[std::size_t(k)];
    }
}

FatoracaoEsparsa::~FatoracaoEsparsa() = default;

NEWMAT::ColumnVector FatoracaoEsparsa::Resolve(const NEWMAT::ColumnVector& b) const {
  ExigeForma(b.Nrows() == W_.n);
  const Dados& d = *d_;
  std::vector<double> x(std::size_t(d.n));
  for (int i = 0; i < d.n; ++i) x[std::size_t(d.linhaPerm[std::size_t(i)])] = b.Store()[i];
  d.Substitui(x.data());
  NEWMAT::ColumnVector r(d.n);
  for (int k = 0; k < d.n; ++k) r.Store()[k] = x[std::size_t(d.colunaPerm[std::size_t(k)])];
  return r;
}

TracosZ FatoracaoEsparsa::Tracos() const {
  const int n = W_.n;
  const std::size_t N = std::size_t(n);
  PartesTracosZ partes(N);
  const int blocos = (n + ColunasPorBloco - 1) / ColunasPorBloco;
  std::atomic<int> proximo{0};
  const PesosEsparsos& W = W_;
  const double a = a_;
  const Dados& d = *d_;
  constexpr int L = ColunasPorBloco;
  // The work is done in U's order (index i of a vector at P_c(i)), with W
  // permuted alike: no vector is permuted back, and a product reads rows
  // that lie close together. A block takes the columns whose unit vectors
  // fall on consecutive rows of the factors: their reaches in the forward
  // passes mostly coincide.
  const PesosEsparsos Wc = Permutada(W, d.colunaPerm);
  std::vector<int> porLinha(N), linhaDaColuna(N);
  for (int j = 0; j < n; ++j) {
    porLinha[std::size_t(d.linhaPerm[std::size_t(j)])] = j;
    linhaDaColuna[std::size_t(d.colunaPerm[std::size_t(j)])] = d.linhaPerm[std::size_t(j)];
  }
  auto colunas = [&] {
    // A block of columns side by side: row i holds its L lanes.
    std::vector<double> X(N * L), Z(N * L), T(N * L);
    for (int b = proximo++; b < blocos; b = proximo++) {
      const int p0 = b * L, k = std::min(L, n - p0);
      // X = P_c·A⁻¹·[e_j …] for the block's columns j: P_r·e_j is the unit
      // vector at row p0 + t of the factors.
      std::fill(X.begin(), X.end(), 0.0);
      for (int t = 0; t < k; ++t) X[std::size_t(p0 + t) * L + t] = 1.0;
      SubstituiBloco(d, X.data(), p0);
      // Z = P_c·W·A⁻¹·[e_j …]: the block's columns z_j of W·A⁻¹.
      ProdutoBloco(Wc, X.data(), Z.data());
      // T = P_r·A⁻ᵀ·[e_j …]: row j of W·A⁻¹ is (Wᵀ·t_j)ᵀ, so its share of
      // tr(Z²) is Σ_i (Wᵀt_j)_i·Z_ij = Σ_i t_j,i·(W·z_j)_i. P_c·e_j is the
      // unit vector at row P_c(j) of U.
      std::fill(T.begin(), T.end(), 0.0);
      int inicio = n;
      for (int t = 0; t < k; ++t) {
        const int c = d.colunaPerm[std::size_t(porLinha[std::size_t(p0 + t)])];
        T[std::size_t(c) * L + t] = 1.0;
        inicio = std::min(inicio, c);
      }
      SubstituiTranspostaBloco(d, T.data(), inicio);
      double q[L], p[L];
      Acumula(Wc, Z.data(), T.data(), linhaDaColuna.data(), q, p);
      for (int t = 0; t < k; ++t) {
        const int j = porLinha[std::size_t(p0 + t)];
        const double zjj = Z[std::size_t(d.colunaPerm[std::size_t(j)]) * L + t];
        partes.diagonal[std::size_t(j)] = zjj;
        partes.quadrados[std::size_t(j)] = q[t];
        partes.produto[std::size_t(j)] = p[t];
        // Σ_i (δ_ij + a·Z_ij)·Z_ij, since (I − aW)⁻¹ = I + a·Z.
        partes.inversa[std::size_t(j)] = a * q[t] + zjj;
      }
    }
  };
  // A failure (memory) in any thread stops the others and is raised here.
  std::atomic<bool> falhou{false};
  auto trabalha = [&] {
    try {
      colunas();
    } catch (...) {
      falhou = true;
      proximo = blocos;
    }
  };
  const int threads = std::clamp(openblas_get_num_threads(), 1, std::max(blocos, 1));
  std::vector<std::thread> ajudantes;
  for (int c = 1; c < threads; ++c) {
    try {
      ajudantes.emplace_back(trabalha);
    } catch (const std::exception&) {
      break;
    }
  }
  trabalha();
  for (std::thread& t : ajudantes) t.join();
  if (falhou) throw std::bad_alloc();
  return partes.Soma();
}

}  // namespace quenvik
