#pragma once
// The dense kernels of the spatial fits, on newmat's row-major storage and
// never copying W. Two kinds, for a reason:
// - what feeds the minimisation (W·y, W·X, W·e, the grid's powers and the
//   exact moments) keeps the order of every sum exactly and runs in parallel
//   over rows only: the objective reads a step function of the grid, so a
//   reordered sum, a few ulps off, can send the minimiser to another step;
// - what is computed at the optimum (W·(I − aW)⁻¹ and its traces, the
//   residual tests) runs on OpenBLAS through CBLAS and LAPACKE.
#include <newmat.h>

#include <cstddef>
#include <vector>

namespace quenvik {

// Sets the threads of a calculation on n records, for OpenBLAS and for the
// row-parallel loops alike: one for a small problem, where waking threads
// costs more than it saves; otherwise the processors this process may run on
// (its affinity mask, and the CPU quota of its control group in a container)
// less those the last minute's load average keeps busy. Threads that work in
// step stall on a crowded machine (a parallel inverse ran ten times slower
// than one thread), so only idle processors are taken. A count the user set
// in the environment (OPENBLAS_NUM_THREADS, GOTO_NUM_THREADS,
// OMP_NUM_THREADS) is left alone.
void DefineThreadsCalculo(int n);
// The count DefineThreadsCalculo chooses for n records on `processadores`
// processors under a load average `carga`.
int ThreadsPara(int n, int processadores, double carga);
// Sets the count outright (tests, benchmarks).
void FixaThreadsCalculo(int threads);

// W·v (W n × m, v of m rows): each element summed over j in order.
NEWMAT::ColumnVector ProdutoW(const NEWMAT::Matrix& W, const NEWMAT::ColumnVector& v);
// W·B (W n × m, B m × k): each element summed over j in order, zero weights skipped.
NEWMAT::Matrix ProdutoDenso(const NEWMAT::Matrix& W, const NEWMAT::Matrix& B);
// saida = W·V for W n × n and r vectors side by side (V and saida n × r,
// row-major): each element summed over j in groups of four,
// (w0·v0 + w1·v1) + (w2·v2 + w3·v3), then the remainder one by one.
void ProdutoVetores(const double* W, int n, const double* V, int r, double* saida);
// W'·B (W m × n, B m × k), on BLAS.
NEWMAT::Matrix ProdutoDensoTransposta(const NEWMAT::Matrix& W, const NEWMAT::Matrix& B);
// Z = (I − a·W)⁻¹·W = W·(I − aW)⁻¹ (W commutes with I − aW), the only n × n
// matrix held besides W: I − aW is factorised and inverted in Z's storage
// (LAPACK); Z is then ((I − aW)⁻¹ − I)/a, or, when a·W is so small that
// removing I would cancel digits, the product with W a block of rows at a
// time (BLAS). Throws std::runtime_error when I − aW is singular.
NEWMAT::Matrix ResolveIdentidadeMenos(const NEWMAT::Matrix& W, double a);
// The traces the information matrices read of Z = W·(I − aW)⁻¹, from one
// pass over Z in parallel by rows: each row's share is summed in order and
// the rows are then added in order, so the figures do not depend on the
// thread count.
struct TracosZ {
  double traco = 0.0;      // tr(Z)
  double quadrados = 0.0;  // tr(Z'·Z) = Σ Z_ij²
  double produto = 0.0;    // tr(Z·Z) = Σ Z_ij·Z_ji
  double inversa = 0.0;    // tr((I − aW)⁻¹'·Z) = Σ (δ_ij + a·Z_ij)·Z_ij, since (I − aW)⁻¹ = I + a·Z
};
TracosZ CalculaTracosZ(const NEWMAT::Matrix& Z, double a);
// Each row's (or column's) shares of the four traces, kept apart so that they
// are added in order whichever thread computed them.
struct PartesTracosZ {
  explicit PartesTracosZ(std::size_t n) : diagonal(n), quadrados(n), produto(n), inversa(n) {}
  std::vector<double> diagonal, quadrados, produto, inversa;
  TracosZ Soma() const;
};
// tr(A·B) = Σ_i Σ_j A_ij·B_ji, summed row after row in order.
double TracoProduto(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B);
// tr(A'·B) = Σ A_ij·B_ij, on BLAS.
double TracoProdutoTransposta(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B);
double Traco(const NEWMAT::Matrix& A);

}  // namespace quenvik
