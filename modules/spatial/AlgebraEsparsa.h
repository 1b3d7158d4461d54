#pragma once
// W in compressed rows beside the caller's dense W, for the weights most
// users build (a few neighbours a record), and the fits' products through it.
// A product skips only exact zeros and adds the rest in the dense kernel's
// order, so the grid, the likelihoods and the estimates come out with the
// same bits as on the dense W. What the dense path takes from the n × n
// inverse of I − aW comes here from a sparse LU of I − aW and solves.
#include "AlgebraDensa.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <newmat.h>

namespace quenvik {

// The fits take the sparse path while W has at most this share of non-zero
// elements and at most NaoNulosPorLinhaMaximo of them a row on average.
// bench_espacial's Limiar (lag fits on k nearest neighbours) puts the point
// where the LU's fill makes the sparse fit as slow as the dense one near 75
// neighbours a record at n = 1,000, 2,000 and 5,000 (8%, 3.7% and 1.5%) and
// above 100 at 10,000: the count a row decides, the share only keeps small
// models, which both paths fit at once, on the dense one.
constexpr double FracaoEsparsaMaxima = 0.04;
constexpr int NaoNulosPorLinhaMaximo = 64;

struct PesosEsparsos {
  int n = 0;
  // Row i's non-zeros: coluna/valor[inicio[i] … inicio[i + 1]), columns ascending.
  std::vector<std::int64_t> inicio;
  std::vector<int> coluna;
  std::vector<double> valor;
  // The same rows by groups of four columns 4g … 4g + 3 below n − n % 4 that
  // hold a non-zero, the four weights with their zeros (the grid's products
  // sum by these groups); the last n % 4 columns stay in coluna/valor.
  std::vector<std::int64_t> inicioGrupo;
  std::vector<int> grupo;
  std::vector<std::array<double, 4>> pesosGrupo;

  std::int64_t NaoNulos() const { return inicio.empty() ? 0 : inicio.back(); }
};

// Share of non-zero elements of W.
double FracaoNaoNulos(const NEWMAT::Matrix& W);
// W (square) in compressed rows.
std::unique_ptr<PesosEsparsos> FormaEsparsa(const NEWMAT::Matrix& W);
// The compressed form when W is square with at most FracaoEsparsaMaxima of
// it and NaoNulosPorLinhaMaximo a row non-zero; null otherwise.
std::unique_ptr<PesosEsparsos> DetectaEsparsa(const NEWMAT::Matrix& W);

// W·v, each element summed over the row's non-zeros in order.
NEWMAT::ColumnVector ProdutoW(const PesosEsparsos& W, const NEWMAT::ColumnVector& v);
// W·B, as ProdutoDenso.
NEWMAT::Matrix ProdutoDenso(const PesosEsparsos& W, const NEWMAT::Matrix& B);
// saida = W·V (n × r, row-major), summed as the dense ProdutoVetores.
void ProdutoVetores(const PesosEsparsos& W, const double* V, int r, double* saida);
// tr(W·W) = Σ_i Σ_j W_ij·W_ji in the dense TracoProduto's order; Wd is the
// same W dense, for the partners W_ji.
double TracoQuadrado(const PesosEsparsos& W, const NEWMAT::Matrix& Wd);

// A sparse LU of A = I − aW. Throws std::runtime_error when A is singular.
class FatoracaoEsparsa {
public:
  FatoracaoEsparsa(const PesosEsparsos& W, double a);
  ~FatoracaoEsparsa();
  FatoracaoEsparsa(const FatoracaoEsparsa&) = delete;
  FatoracaoEsparsa& operator=(const FatoracaoEsparsa&) = delete;

  // A⁻¹·b.
  NEWMAT::ColumnVector Resolve(const NEWMAT::ColumnVector& b) const;
  // The traces of Z = W·A⁻¹ without forming Z: column by column,
  // z_j = W·A⁻¹e_j gives Z_jj and ‖z_j‖², and t_j = A⁻ᵀe_j the column's
  // share of tr(Z²), t_j·(W·z_j), row j of Z being (Wᵀt_j)ᵀ. Columns go in
  // fixed blocks to the threads and every column's share is kept, then added
  // in column order: the same bits on any number of threads.
  TracosZ Tracos() const;

  struct Dados;

private:
  const PesosEsparsos& W_;
  double a_;
  std::unique_ptr<Dados> d_;
};

}  // namespace quenvik
