#pragma once
// The transformed columns of every code a position may take, with their means
// and centred cross-products, computed once per search. Every fit then takes its
// sums straight from this table, so its cost does not depend on the number of
// rows. Sums are kept in extended precision: centring each column on its own
// mean before multiplying, and accumulating in long double, keeps the digits
// that the raw sums minus n·mean² would cancel away.
#include <vector>

namespace ostrimo {

class TabelaProdutos {
public:
  // valores: the considered rows' raw values, column-major (position j starts at
  // j·n); mascaras[j]: bit c set for every code c (1..7) that position j may
  // take. With `guardaColunas` the transformed columns stay available for fits
  // that need the fitted values row by row.
  // `threads` share the products over fixed blocks of rows (0: every core);
  // the blocks are summed in their order, so the table does not depend on it.
  void Monta(const double* valores, int n, int k, const unsigned* mascaras, bool guardaColunas,
             int threads = 1);

  int N() const { return n_; }
  int K() const { return k_; }
  int Colunas() const { return colunas_; }
  // Index of the column of position j under code c, -1 when it was not built.
  // A code outside 1..7 (a damaged stored equation) leaves the value as it is:
  // the column of "x", which is always built.
  int Coluna(int j, int codigo) const {
    return indice_[j * 8 + (codigo >= 1 && codigo <= 7 ? codigo : 1)];
  }
  // Σ (x_a - mean_a)(x_b - mean_b) over the rows.
  long double Produto(int a, int b) const { return g_[std::size_t(a) * colunas_ + b]; }
  // The same rounded to double, for the search's fits.
  double ProdutoDuplo(int a, int b) const { return gd_[std::size_t(a) * colunas_ + b]; }
  long double Media(int a) const { return media_[a]; }
  // Transformed column a (only with `guardaColunas`).
  const double* Valores(int a) const { return colunasGuardadas_.data() + std::size_t(a) * n_; }
  bool GuardouColunas() const { return guardadasPedidas_; }

private:
  int n_ = 0, k_ = 0, colunas_ = 0;
  std::vector<int> indice_;            // position·8 + code → column
  std::vector<int> posicao_, codigo_;  // column → position, code
  std::vector<long double> media_;
  std::vector<long double> g_;         // colunas × colunas, symmetric
  std::vector<double> gd_;
  std::vector<double> colunasGuardadas_;
  bool guardadasPedidas_ = false;
};

}  // namespace ostrimo
