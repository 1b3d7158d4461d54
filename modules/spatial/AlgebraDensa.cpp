#include "AlgebraDensa.h"

#include "Paralelo.h"

#include <cblas.h>
#include <lapacke.h>
#include <sched.h>
#include <sys/mman.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace quenvik {

namespace {

// Below this many records a whole fit is a few milliseconds on one thread.
constexpr int RegistrosPorThread = 200;

// Rows of Z multiplied by W at a time: the buffer stays small beside W, and
// each call still gives BLAS a wide product.
constexpr int LinhasPorBloco = 512;

// Rows of A whose partners in B (a column block of B) are gathered at a
// time for tr(A·B), so B is read across rather than down.
constexpr int LinhasPorFaixa = 32;

// Asks for huge pages for a fresh n × n buffer before its first touch: on a
// virtual machine each 4 KB page fault is dear, and 32 MB of them took a
// tenth of a fit at 2,000 records. Only whole 2 MB pages inside the buffer.
void PedePaginasGrandes(double* p, std::size_t elementos) {
  constexpr std::uintptr_t Pagina = std::uintptr_t(2) << 20;
  const std::uintptr_t inicio = (reinterpret_cast<std::uintptr_t>(p) + Pagina - 1) & ~(Pagina - 1);
  const std::uintptr_t fim = (reinterpret_cast<std::uintptr_t>(p + elementos)) & ~(Pagina - 1);
  if (fim > inicio) madvise(reinterpret_cast<void*>(inicio), fim - inicio, MADV_HUGEPAGE);
}

void ExigeForma(bool ok) {
  if (!ok) throw std::invalid_argument("dimensões incompatíveis");
}

// The processors this process may run on: its affinity mask, bounded by the
// CPU quota of its control group (a container's share of a larger machine).
int Processadores() {
  int k = 0;
  cpu_set_t conjunto;
  if (sched_getaffinity(0, sizeof conjunto, &conjunto) == 0) k = CPU_COUNT(&conjunto);
  if (k <= 0) k = int(std::max(1u, std::thread::hardware_concurrency()));
  std::ifstream f("/sys/fs/cgroup/cpu.max");
  std::string cota, periodo;
  if (f >> cota >> periodo && cota != "max") {
    long q = 0, p = 0;
    std::from_chars(cota.data(), cota.data() + cota.size(), q);
    std::from_chars(periodo.data(), periodo.data() + periodo.size(), p);
    if (q > 0 && p > 0) k = int(std::min<long>(k, std::max(1L, (q + p - 1) / p)));
  }
  return k;
}

bool ThreadsDoAmbiente() {
  for (const char* v : {"OPENBLAS_NUM_THREADS", "GOTO_NUM_THREADS", "OMP_NUM_THREADS"}) {
    const char* s = std::getenv(v);
    if (s && *s) return true;
  }
  return false;
}

}  // namespace

int ThreadsPara(int n, int processadores, double carga) {
  if (n < RegistrosPorThread) return 1;
  const int ocupados = carga > 0.0 ? int(carga + 0.5) : 0;
  return std::max(1, processadores - ocupados);
}

void FixaThreadsCalculo(int threads) { openblas_set_num_threads(std::max(1, threads)); }

void DefineThreadsCalculo(int n) {
  if (ThreadsDoAmbiente()) return;
  static const int processadores = Processadores();
  double carga[1] = {0.0};
  if (getloadavg(carga, 1) != 1) carga[0] = 0.0;
  openblas_set_num_threads(ThreadsPara(n, processadores, carga[0]));
}

NEWMAT::ColumnVector ProdutoW(const NEWMAT::Matrix& W, const NEWMAT::ColumnVector& v) {
  const int n = W.Nrows(), m = W.Ncols();
  // The loop reads v's storage directly: a short v must be refused, not overrun.
  ExigeForma(v.Nrows() == m);
  NEWMAT::ColumnVector out(n);
  const double* w = W.Store();
  const double* x = v.Store();
  double* o = out.Store();
  ParaLinhas(n, double(m), [&](int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
      const double* linha = w + std::size_t(i) * m;
      double s = 0.0;
      for (int j = 0; j < m; ++j) s += linha[j] * x[j];
      o[i] = s;
    }
  });
  return out;
}

NEWMAT::Matrix ProdutoDenso(const NEWMAT::Matrix& W, const NEWMAT::Matrix& B) {
  const int n = W.Nrows(), m = W.Ncols(), k = B.Ncols();
  ExigeForma(B.Nrows() == m);
  NEWMAT::Matrix C(n, k);
  C = 0.0;
  const double* w = W.Store();
  const double* b = B.Store();
  double* c = C.Store();
  ParaLinhas(n, double(m) * k, [&](int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
      double* ci = c + std::size_t(i) * k;
      const double* wi = w + std::size_t(i) * m;
      for (int j = 0; j < m; ++j) {
        const double wij = wi[j];
        if (wij == 0.0) continue;
        const double* bj = b + std::size_t(j) * k;
        for (int l = 0; l < k; ++l) ci[l] += wij * bj[l];
      }
    }
  });
  return C;
}

namespace {

// One output row of W·V: each element summed over j in groups of four, then
// the remainder one by one.
inline void LinhaVetores(const double* linha, int n, const double* V, int r, double* out) {
  for (int h = 0; h < r; ++h) out[h] = 0.0;
  int j = 0;
  for (; j + 4 <= n; j += 4) {
    const double w0 = linha[j], w1 = linha[j + 1], w2 = linha[j + 2], w3 = linha[j + 3];
    const double* v0 = V + std::size_t(j) * r;
    const double* v1 = v0 + r;
    const double* v2 = v1 + r;
    const double* v3 = v2 + r;
    for (int h = 0; h < r; ++h) out[h] += (w0 * v0[h] + w1 * v1[h]) + (w2 * v2[h] + w3 * v3[h]);
  }
  for (; j < n; ++j) {
    const double wij = linha[j];
    const double* vj = V + std::size_t(j) * r;
    for (int h = 0; h < r; ++h) out[h] += wij * vj[h];
  }
}

// Rows i0 … i1 − 1 of W·V, four rows at a time so each group of V's rows is
// read once for four outputs; every output keeps the order of LinhaVetores.
// The loops over the r vectors are vectorised lane by lane (wider where the
// processor allows), which changes no rounding: no product is fused into a sum.
typedef double Pista8 __attribute__((vector_size(64)));

// Unaligned loads of eight lanes, without passing a vector by value (its
// calling convention differs between the clones).
#define CARREGA8(v, p) std::memcpy(&(v), (p), sizeof(Pista8))

__attribute__((target_clones("avx512f", "avx2", "default")))
void LinhasVetores(const double* W, int n, const double* V, int r, double* saida, int i0, int i1) {
  int i = i0;
  // r a multiple of 8 (the grid pads its vectors): the sums of four rows stay
  // in registers across the whole row of W, eight vectors per register, each
  // lane summed exactly as below.
  if (r % 8 == 0 && r <= 32) {
    const int c = r / 8;
    for (; i + 4 <= i1; i += 4) {
      const double* l[4];
      for (int k = 0; k < 4; ++k) l[k] = W + std::size_t(i + k) * n;
      Pista8 soma[4][4] = {};
      int j = 0;
      for (; j + 4 <= n; j += 4) {
        const double* v0 = V + std::size_t(j) * r;
        for (int q = 0; q < c; ++q) {
          Pista8 a0, a1, a2, a3;
          CARREGA8(a0, v0 + 8 * q);
          CARREGA8(a1, v0 + r + 8 * q);
          CARREGA8(a2, v0 + 2 * r + 8 * q);
          CARREGA8(a3, v0 + 3 * r + 8 * q);
          for (int k = 0; k < 4; ++k) {
            const double w0 = l[k][j], w1 = l[k][j + 1], w2 = l[k][j + 2], w3 = l[k][j + 3];
            soma[k][q] += (w0 * a0 + w1 * a1) + (w2 * a2 + w3 * a3);
          }
        }
      }
      for (; j < n; ++j) {
        const double* vj = V + std::size_t(j) * r;
        for (int q = 0; q < c; ++q) {
          Pista8 a;
          CARREGA8(a, vj + 8 * q);
          for (int k = 0; k < 4; ++k) soma[k][q] += l[k][j] * a;
        }
      }
      for (int k = 0; k < 4; ++k)
        for (int q = 0; q < c; ++q) std::memcpy(saida + std::size_t(i + k) * r + 8 * q, &soma[k][q], sizeof(Pista8));
    }
  }
  for (; i + 4 <= i1; i += 4) {
    const double* l[4];
    double* o[4];
    for (int k = 0; k < 4; ++k) {
      l[k] = W + std::size_t(i + k) * n;
      o[k] = saida + std::size_t(i + k) * r;
      for (int h = 0; h < r; ++h) o[k][h] = 0.0;
    }
    int j = 0;
    for (; j + 4 <= n; j += 4) {
      const double* v0 = V + std::size_t(j) * r;
      const double* v1 = v0 + r;
      const double* v2 = v1 + r;
      const double* v3 = v2 + r;
      for (int k = 0; k < 4; ++k) {
        const double w0 = l[k][j], w1 = l[k][j + 1], w2 = l[k][j + 2], w3 = l[k][j + 3];
        double* out = o[k];
        for (int h = 0; h < r; ++h) out[h] += (w0 * v0[h] + w1 * v1[h]) + (w2 * v2[h] + w3 * v3[h]);
      }
    }
    for (; j < n; ++j) {
      const double* vj = V + std::size_t(j) * r;
      for (int k = 0; k < 4; ++k) {
        const double wij = l[k][j];
        double* out = o[k];
        for (int h = 0; h < r; ++h) out[h] += wij * vj[h];
      }
    }
  }
  for (; i < i1; ++i) LinhaVetores(W + std::size_t(i) * n, n, V, r, saida + std::size_t(i) * r);
}

}  // namespace

void ProdutoVetores(const double* W, int n, const double* V, int r, double* saida) {
  ParaLinhas(n, double(n) * r, [&](int i0, int i1) { LinhasVetores(W, n, V, r, saida, i0, i1); });
}

NEWMAT::Matrix ProdutoDensoTransposta(const NEWMAT::Matrix& W, const NEWMAT::Matrix& B) {
  const int m = W.Nrows(), n = W.Ncols(), k = B.Ncols();
  ExigeForma(B.Nrows() == m);
  NEWMAT::Matrix C(n, k);
  C = 0.0;
  if (n > 0 && m > 0 && k > 0)
    cblas_dgemm(CblasRowMajor, CblasTrans, CblasNoTrans, n, k, m, 1.0, W.Store(), n, B.Store(), k, 0.0,
                C.Store(), k);
  return C;
}

NEWMAT::Matrix ResolveIdentidadeMenos(const NEWMAT::Matrix& W, double a) {
  const int n = W.Nrows();
  if (W.Ncols() != n) throw std::invalid_argument("W não é quadrada");
  const std::size_t N = std::size_t(n);
  NEWMAT::Matrix Z(n, n);
  if (n == 0) return Z;
  double* z = Z.Store();
  const double* w = W.Store();
  PedePaginasGrandes(z, N * N);
  // The passes over the n × n buffer run in parallel by rows: on one thread
  // they cost a tenth of the factorisation at 2,000 records.
  ParaLinhas(n, double(n), [&](int i0, int i1) {
    for (std::size_t i = std::size_t(i0); i < std::size_t(i1); ++i) {
      double* zi = z + i * N;
      const double* wi = w + i * N;
      for (std::size_t j = 0; j < N; ++j) zi[j] = -a * wi[j];
      zi[i] += 1.0;
    }
  });
  // Row-major I − aW is column-major (I − aW)'. LAPACK factorises and inverts
  // that in place, leaving ((I − aW)')⁻¹ column-major, which is (I − aW)⁻¹
  // row-major: no transposed copy is ever made.
  std::vector<lapack_int> pivos(N);
  lapack_int info = LAPACKE_dgetrf(LAPACK_COL_MAJOR, n, n, z, n, pivos.data());
  if (info == 0) info = LAPACKE_dgetri(LAPACK_COL_MAJOR, n, z, n, pivos.data());
  if (info > 0) throw std::runtime_error("matriz singular");
  if (info < 0) throw std::runtime_error("falha da LAPACK");
  // (I − aW)⁻¹ = I + a·Z, so Z = ((I − aW)⁻¹ − I)/a, at no cost beyond the
  // inverse, as long as removing I cancels little: while ‖(I − aW)⁻¹ − I‖ is
  // at least a tenth of ‖(I − aW)⁻¹‖ (row sums), Z keeps all but one digit
  // of the inverse's accuracy. A small a·W cancels more; then Z is the
  // product (I − aW)⁻¹·W, a block of rows at a time, each block of the
  // inverse being needed only for the same block of the product.
  std::vector<double> somaInversa(N), somaDiferenca(N);
  ParaLinhas(n, double(n), [&](int i0, int i1) {
    for (std::size_t i = std::size_t(i0); i < std::size_t(i1); ++i) {
      const double* zi = z + i * N;
      double s = 0.0, d = 0.0;
      for (std::size_t j = 0; j < N; ++j) {
        s += std::fabs(zi[j]);
        d += std::fabs(zi[j] - (i == j ? 1.0 : 0.0));
      }
      somaInversa[i] = s;
      somaDiferenca[i] = d;
    }
  });
  const double normaInversa = *std::max_element(somaInversa.begin(), somaInversa.end());
  const double normaDiferenca = *std::max_element(somaDiferenca.begin(), somaDiferenca.end());
  if (normaDiferenca >= 0.1 * normaInversa) {
    ParaLinhas(n, double(n), [&](int i0, int i1) {
      for (std::size_t i = std::size_t(i0); i < std::size_t(i1); ++i) {
        double* zi = z + i * N;
        zi[i] -= 1.0;
        for (std::size_t j = 0; j < N; ++j) zi[j] /= a;
      }
    });
    return Z;
  }
  const int bloco = std::min(n, LinhasPorBloco);
  std::vector<double> T(std::size_t(bloco) * N);
  for (int i0 = 0; i0 < n; i0 += bloco) {
    const int linhas = std::min(bloco, n - i0);
    double* zi = z + std::size_t(i0) * N;
    cblas_dgemm(CblasRowMajor, CblasNoTrans, CblasNoTrans, linhas, n, n, 1.0, zi, n, w, n, 0.0, T.data(), n);
    std::copy(T.begin(), T.begin() + std::ptrdiff_t(linhas) * n, zi);
  }
  return Z;
}

TracosZ CalculaTracosZ(const NEWMAT::Matrix& Z, double a) {
  const int n = Z.Nrows();
  ExigeForma(Z.Ncols() == n);
  const std::size_t N = std::size_t(n);
  const double* z = Z.Store();
  // Per row: Z_ii, Σ_j Z_ij², Σ_j Z_ij·Z_ji and Σ_j (δ_ij + a·Z_ij)·Z_ij. The
  // partners Z_ji of a band of rows are gathered first, so Z is read across.
  PartesTracosZ partes(N);
  ParaLinhas(n, 4.0 * n, [&](int i0, int i1) {
    const int faixa = std::min(i1 - i0, LinhasPorFaixa);
    std::vector<double> parceiros(std::size_t(std::max(faixa, 0)) * N);
    for (int b0 = i0; b0 < i1; b0 += faixa) {
      const int b1 = std::min(i1, b0 + faixa);
      for (std::size_t j = 0; j < N; ++j) {
        const double* zj = z + j * N;
        for (int i = b0; i < b1; ++i) parceiros[std::size_t(i - b0) * N + j] = zj[i];
      }
      for (int i = b0; i < b1; ++i) {
        const double* zi = z + std::size_t(i) * N;
        const double* pi = parceiros.data() + std::size_t(i - b0) * N;
        double q = 0.0, t = 0.0, v = 0.0;
        for (int j = 0; j < n; ++j) {
          const double x = zi[j];
          q += x * x;
          t += x * pi[j];
          v += (a * x + (i == j ? 1.0 : 0.0)) * x;
        }
        partes.diagonal[std::size_t(i)] = zi[i];
        partes.quadrados[std::size_t(i)] = q;
        partes.produto[std::size_t(i)] = t;
        partes.inversa[std::size_t(i)] = v;
      }
    }
  });
  return partes.Soma();
}

TracosZ PartesTracosZ::Soma() const {
  TracosZ r;
  for (std::size_t i = 0; i < diagonal.size(); ++i) {
    r.traco += diagonal[i];
    r.quadrados += quadrados[i];
    r.produto += produto[i];
    r.inversa += inversa[i];
  }
  return r;
}

double TracoProduto(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B) {
  const int n = A.Nrows(), m = A.Ncols();
  ExigeForma(B.Nrows() == m && B.Ncols() == n);
  const double* a = A.Store();
  const double* b = B.Store();
  // For a band of rows i of A, the partners B_ji (j = 0 … m − 1) are gathered
  // into rows of a buffer first; the products are then added in the order
  // i by i, j by j, as a plain double loop would.
  const int faixa = std::min(n, LinhasPorFaixa);
  std::vector<double> parceiros(std::size_t(faixa) * m);
  double s = 0.0;
  for (int i0 = 0; i0 < n; i0 += faixa) {
    const int i1 = std::min(n, i0 + faixa);
    for (int j = 0; j < m; ++j) {
      const double* bj = b + std::size_t(j) * n;
      for (int i = i0; i < i1; ++i) parceiros[std::size_t(i - i0) * m + j] = bj[i];
    }
    for (int i = i0; i < i1; ++i) {
      const double* ai = a + std::size_t(i) * m;
      const double* pi = parceiros.data() + std::size_t(i - i0) * m;
      for (int j = 0; j < m; ++j) s += ai[j] * pi[j];
    }
  }
  return s;
}

double TracoProdutoTransposta(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B) {
  ExigeForma(B.Nrows() == A.Nrows() && B.Ncols() == A.Ncols());
  const std::size_t total = std::size_t(A.Nrows()) * A.Ncols();
  if (total == 0) return 0.0;
  return cblas_ddot(blasint(total), A.Store(), 1, B.Store(), 1);
}

double Traco(const NEWMAT::Matrix& A) {
  const int n = std::min(A.Nrows(), A.Ncols());
  const double* a = A.Store();
  double s = 0.0;
  for (int i = 0; i < n; ++i) s += a[std::size_t(i) * A.Ncols() + i];
  return s;
}

}  // namespace quenvik
