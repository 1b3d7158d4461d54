#include "LuEsparsa.h"

#include <Eigen/OrderingMethods>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace diag {
namespace {
// Threshold partial pivoting: how small the diagonal may be against the
// column's largest entry and still be the pivot.
constexpr double Limiar = 0.1;
}  // namespace

bool LuEsparsa::Fatora(int n, const std::vector<int>& inicio, const std::vector<int>& linha,
                       const std::vector<double>& valor) {
  n_ = 0;
  const std::size_t N = std::size_t(n);
  ordem_.assign(N, 0);
  if (n > 0) {
    // The pattern of A + A', put straight into a matrix made at its final
    // size: Eigen keeps pointing at storage it has freed when an allocation
    // fails while it resizes a matrix that already holds memory.
    const std::size_t nnz = std::size_t(inicio[N]);
    std::vector<int> tInicio(N + 1, 0), tLinha(nnz);  // A' by columns
    for (std::size_t a = 0; a < nnz; ++a) ++tInicio[std::size_t(linha[a]) + 1];
    for (std::size_t j = 0; j < N; ++j) tInicio[j + 1] += tInicio[j];
    {
      std::vector<int> proximo(tInicio.begin(), tInicio.end() - 1);
      for (std::size_t j = 0; j < N; ++j)
        for (int a = inicio[j]; a < inicio[j + 1]; ++a) tLinha[std::size_t(proximo[std::size_t(linha[std::size_t(a)])]++)] = int(j);
    }
    std::vector<int> visto(N, -1), cInicio(N + 1, 0);
    auto percorre = [&](auto visita) {
      for (std::size_t j = 0; j < N; ++j) {
        for (int a = inicio[j]; a < inicio[j + 1]; ++a) visita(j, linha[std::size_t(a)]);
        for (int a = tInicio[j]; a < tInicio[j + 1]; ++a) visita(j, tLinha[std::size_t(a)]);
      }
    };
    percorre([&](std::size_t j, int i) {
      if (visto[std::size_t(i)] != int(j)) visto[std::size_t(i)] = int(j), ++cInicio[j + 1];
    });
    for (std::size_t j = 0; j < N; ++j) cInicio[j + 1] += cInicio[j];
    Eigen::SparseMatrix<double, Eigen::ColMajor, int> C(n, n);
    C.resizeNonZeros(cInicio[N]);
    std::copy(cInicio.begin(), cInicio.end(), C.outerIndexPtr());
    std::fill(visto.begin(), visto.end(), -1);
    percorre([&](std::size_t j, int i) {
      if (visto[std::size_t(i)] != int(j)) visto[std::size_t(i)] = int(j), C.innerIndexPtr()[cInicio[j]++] = i;
    });
    Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> p;
    Eigen::internal::minimum_degree_ordering(C, p);
    for (std::size_t k = 0; k < N; ++k) ordem_[k] = p.indices()(Eigen::Index(k));
  }
  posicao_.assign(N, -1);
  Lp_.assign(N + 1, 0);
  Up_.assign(N + 1, 0);
  Li_.clear(), Lx_.clear(), Ui_.clear(), Ux_.clear();
  std::vector<double> x(N, 0.0);
  // xi[topo, n): the rows a column reaches, in the order the solve takes
  // them; xi[0, topo) the depth-first search's own stack.
  std::vector<int> xi(N), pilha(N), marca(N, -1);
  for (std::size_t k = 0; k < N; ++k) {
    Lp_[k] = int(Li_.size());
    Up_[k] = int(Ui_.size());
    const std::size_t col = std::size_t(ordem_[k]);
    // The rows reached from the column's non-zeros through the columns of L
    // made so far (a row already pivot leads to the rows of its column).
    std::size_t topo = N;
    for (int a = inicio[col]; a < inicio[col + 1]; ++a) {
      const int raiz = linha[std::size_t(a)];
      if (marca[std::size_t(raiz)] == int(k)) continue;
      std::ptrdiff_t cabeca = 0;
      xi[0] = raiz;
      while (cabeca >= 0) {
        const int j = xi[std::size_t(cabeca)];
        const int J = posicao_[std::size_t(j)];
        if (marca[std::size_t(j)] != int(k)) {
          marca[std::size_t(j)] = int(k);
          pilha[std::size_t(cabeca)] = J < 0 ? 0 : Lp_[std::size_t(J)];
        }
        const int fim = J < 0 ? 0 : Lp_[std::size_t(J) + 1];
        bool feito = true;
        for (int q = pilha[std::size_t(cabeca)]; q < fim; ++q) {
          const int i = Li_[std::size_t(q)];
          if (marca[std::size_t(i)] == int(k)) continue;
          pilha[std::size_t(cabeca)] = q;
          xi[std::size_t(++cabeca)] = i;
          feito = false;
          break;
        }
        if (feito) {
          --cabeca;
          xi[--topo] = j;
        }
      }
    }
    // x = L \ A(:, col) over the reached rows (x is zero elsewhere).
    for (int a = inicio[col]; a < inicio[col + 1]; ++a) x[std::size_t(linha[std::size_t(a)])] = valor[std::size_t(a)];
    for (std::size_t q = topo; q < N; ++q) {
      const int j = xi[q];
      const int J = posicao_[std::size_t(j)];
      if (J < 0) continue;
      const double xj = x[std::size_t(j)];
      for (int r = Lp_[std::size_t(J)] + 1; r < Lp_[std::size_t(J) + 1]; ++r)
        x[std::size_t(Li_[std::size_t(r)])] -= Lx_[std::size_t(r)] * xj;
    }
    // The largest entry among the rows not yet pivot; the rows already
    // pivot go to U.
    int pivo = -1;
    double maior = -1.0;
    for (std::size_t q = topo; q < N; ++q) {
      const int i = xi[q];
      if (posicao_[std::size_t(i)] < 0) {
        if (std::fabs(x[std::size_t(i)]) > maior) maior = std::fabs(x[std::size_t(i)]), pivo = i;
      } else {
        Ui_.push_back(posicao_[std::size_t(i)]);
        Ux_.push_back(x[std::size_t(i)]);
      }
    }
    if (pivo < 0 || !(maior > 0.0)) return false;
    // The diagonal stays pivot while it is a tenth of the largest: the
    // order was chosen for diagonal pivots.
    if (posicao_[col] < 0 && std::fabs(x[col]) >= Limiar * maior) pivo = int(col);
    const double d = x[std::size_t(pivo)];
    Ui_.push_back(int(k));
    Ux_.push_back(d);
    posicao_[std::size_t(pivo)] = int(k);
    Li_.push_back(pivo);
    Lx_.push_back(1.0);
    for (std::size_t q = topo; q < N; ++q) {
      const int i = xi[q];
      if (posicao_[std::size_t(i)] < 0) {
        Li_.push_back(i);
        Lx_.push_back(x[std::size_t(i)] / d);
      }
      x[std::size_t(i)] = 0.0;
    }
  }
  Lp_[N] = int(Li_.size());
  Up_[N] = int(Ui_.size());
  // L's rows by the step at which they became pivot, as U's are.
  for (int& i : Li_) i = posicao_[std::size_t(i)];
  n_ = n;
  return true;
}

void LuEsparsa::Resolve(std::vector<double>& b) const {
  const std::size_t N = std::size_t(n_);
  std::vector<double> y(N);
  for (std::size_t i = 0; i < N; ++i) y[std::size_t(posicao_[i])] = b[i];
  for (std::size_t j = 0; j < N; ++j)
    for (int r = Lp_[j] + 1; r < Lp_[j + 1]; ++r) y[std::size_t(Li_[std::size_t(r)])] -= Lx_[std::size_t(r)] * y[j];
  for (std::size_t j = N; j-- > 0;) {
    y[j] /= Ux_[std::size_t(Up_[j + 1] - 1)];
    for (int r = Up_[j]; r < Up_[j + 1] - 1; ++r) y[std::size_t(Ui_[std::size_t(r)])] -= Ux_[std::size_t(r)] * y[j];
  }
  for (std::size_t k = 0; k < N; ++k) b[std::size_t(ordem_[k])] = y[k];
}

}  // namespace diag
