#pragma once
// Dense kernels over newmat's row-major storage that the spatial fits need
// beyond newmat's operators: products with W as plain loops over contiguous
// rows, the solve A·Z = W and the traces of products taken as sums.
#include <newmat.h>

namespace quenvik {

// W·B for W n × n and B n × k, over contiguous rows.
NEWMAT::Matrix ProdutoDenso(const NEWMAT::Matrix& W, const NEWMAT::Matrix& B);
// Z with (I − a·W)·Z = W, by an LU factorisation with partial pivoting.
// Z = (I − aW)⁻¹·W = W·(I − aW)⁻¹, since W commutes with I − aW.
NEWMAT::Matrix ResolveIdentidadeMenos(const NEWMAT::Matrix& W, double a);
// tr(A·B) = Σ A_ij·B_ji and tr(A'·B) = Σ A_ij·B_ij, without forming the product.
double TracoProduto(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B);
double TracoProdutoTransposta(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B);
double Traco(const NEWMAT::Matrix& A);

}  // namespace quenvik
