#pragma once
// LU factors of a sparse square matrix, one column at a time (each a sparse
// triangular solve with the columns before it), the columns in Eigen's
// approximate minimum-degree order of the pattern of A + A' (W from
// distances is symmetric in pattern), threshold partial pivoting that keeps
// the diagonal while it is a tenth of its column's largest entry. The
// factors live in standard vectors: a lack of memory anywhere ends in
// std::bad_alloc with nothing left behind, which the spatial pages say as
// such (Eigen's own sparse LU, when an allocation fails, frees again storage
// it has already freed).
#include <vector>

namespace diag {

class LuEsparsa {
public:
  // The matrix by columns: column j holds rows linha[inicio[j] .. inicio[j+1])
  // with values valor[...]. False when it is singular (a zero pivot).
  bool Fatora(int n, const std::vector<int>& inicio, const std::vector<int>& linha, const std::vector<double>& valor);
  // Overwrites b with the solution of A x = b.
  void Resolve(std::vector<double>& b) const;

private:
  int n_ = 0;
  std::vector<int> ordem_;            // q: the column taken at each step
  std::vector<int> posicao_;          // pinv: the step at which each row is pivot
  std::vector<int> Lp_, Li_, Up_, Ui_;
  std::vector<double> Lx_, Ux_;       // L unit diagonal first in each column, U diagonal last
};

}  // namespace diag
