#include "MatrizesModelo.h"

#include "CabecalhoModelo.h"
#include "Transformacoes.h"
#include "dado.h"
#include "dadoP.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

enum class Linhas { Consideradas, Validacao, Amostra };

bool Passa(const dado& d, Linhas quais) {
  switch (quais) {
    case Linhas::Consideradas: return d.excluido == 0;
    case Linhas::Validacao: return d.validacao != 0;
    case Linhas::Amostra: return d.excluido == 0 || d.validacao != 0;
  }
  return false;
}

int NumVariaveis(const CabecalhoModelo& cab) {
  return std::clamp(cab.NumVariaveis(), 0, CabecalhoModelo::MaxVariaveis);
}

// The enabled variables below the last one, in index order.
std::vector<int> Regressoras(const CabecalhoModelo& cab) {
  std::vector<int> r;
  const int n = NumVariaveis(cab);
  for (int v = 0; v < n - 1; ++v)
    if (cab.Habilitada(v)) r.push_back(v);
  return r;
}

// Indices (0-based, file order) of the records that pass.
std::vector<int> Registros(const CabecalhoModelo& cab, const dado* dados, Linhas quais) {
  std::vector<int> r;
  const int N = std::max(cab.NumDados(), 0);
  if (N > 0 && dados == nullptr) throw std::invalid_argument("no records");
  for (int i = 0; i < N; ++i)
    if (Passa(dados[i], quais)) r.push_back(i);
  return r;
}

void VerificaTamanho(int linhas, int colunas, int nrows, int ncols) {
  if (linhas > nrows || colunas > ncols) throw std::invalid_argument("matrix smaller than the data");
}

void MontaX(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dado* dados, int bruta, int e, Linhas quais,
            bool transforma) {
  if (cab == nullptr) throw std::invalid_argument("no header");
  const std::vector<int> regs = Regressoras(*cab);
  const std::vector<int> recs = Registros(*cab, dados, quais);
  VerificaTamanho(int(recs.size()), int(regs.size()), X.Nrows(), X.Ncols());
  for (std::size_t i = 0; i < recs.size(); ++i)
    for (std::size_t j = 0; j < regs.size(); ++j) {
      const int v = regs[j];
      X(int(i) + 1, int(j) + 1) = (!transforma || v == bruta) ? dados[recs[i]].valor[v]
                                                              : TransformaDado(cab, dados, v, recs[i], e);
    }
}

void MontaY(NEWMAT::ColumnVector& y, const CabecalhoModelo* cab, const dado* dados, bool bruto, int e,
            Linhas quais) {
  if (cab == nullptr) throw std::invalid_argument("no header");
  const int dep = NumVariaveis(*cab) - 1;
  const std::vector<int> recs = Registros(*cab, dados, quais);
  if (recs.empty()) return;
  if (dep < 0) throw std::invalid_argument("no dependent variable");
  VerificaTamanho(int(recs.size()), 1, y.Nrows(), 1);
  for (std::size_t i = 0; i < recs.size(); ++i)
    y(int(i) + 1) = bruto ? dados[recs[i]].valor[dep] : TransformaDado(cab, dados, dep, recs[i], e);
}

void Recorta(const NEWMAT::Matrix& W, NEWMAT::Matrix& out, const std::vector<int>& linhas,
             const std::vector<int>& colunas, int N) {
  if (W.Nrows() < N || W.Ncols() < N) throw std::invalid_argument("W smaller than N x N");
  // The result takes the cut-out's shape, as the plain copy takes W's.
  if (out.Nrows() != int(linhas.size()) || out.Ncols() != int(colunas.size()))
    out.ReSize(int(linhas.size()), int(colunas.size()));
  for (std::size_t i = 0; i < linhas.size(); ++i)
    for (std::size_t j = 0; j < colunas.size(); ++j)
      out(int(i) + 1, int(j) + 1) = W(linhas[i] + 1, colunas[j] + 1);
}

}  // namespace

void MontaMatrizX(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dado* dados, int bruta, int e) {
  MontaX(X, cab, dados, bruta, e, Linhas::Consideradas, true);
}

void MontaMatrizXValidacao(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dado* dados, int bruta, int e) {
  MontaX(X, cab, dados, bruta, e, Linhas::Validacao, true);
}

void MontaMatrizXOriginal(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dado* dados) {
  MontaX(X, cab, dados, -1, 0, Linhas::Consideradas, false);
}

void MontaMatrizXProjecao(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dadoP* dadosP, int e) {
  if (cab == nullptr) throw std::invalid_argument("no header");
  const std::vector<int> regs = Regressoras(*cab);
  const int M = std::max(cab->NumDadosP(), 0);
  if (M > 0 && dadosP == nullptr) throw std::invalid_argument("no appraisal records");
  VerificaTamanho(M, int(regs.size()), X.Nrows(), X.Ncols());
  for (int i = 0; i < M; ++i)
    for (std::size_t j = 0; j < regs.size(); ++j)
      X(i + 1, int(j) + 1) = TransformaValorVariavel(cab, dadosP[i].valor[regs[j]], regs[j], e);
}

void MontaVetorY(NEWMAT::ColumnVector& y, const CabecalhoModelo* cab, const dado* dados, bool bruto, int e) {
  MontaY(y, cab, dados, bruto, e, Linhas::Consideradas);
}

void MontaVetorYAmostra(NEWMAT::ColumnVector& y, const CabecalhoModelo* cab, const dado* dados, bool bruto, int e) {
  MontaY(y, cab, dados, bruto, e, Linhas::Amostra);
}

void MontaVetorYValidacao(NEWMAT::ColumnVector& y, const CabecalhoModelo* cab, const dado* dados, bool bruto,
                          int e) {
  MontaY(y, cab, dados, bruto, e, Linhas::Validacao);
}

void MontaVetorResiduos(NEWMAT::ColumnVector& v, const CabecalhoModelo* cab, const dado* dados) {
  if (cab == nullptr) throw std::invalid_argument("no header");
  const int e = cab->EquacaoCorrente();
  if (e < 0 || e >= CabecalhoModelo::MaxEquacoes) throw std::invalid_argument("current equation out of range");
  const std::vector<int> recs = Registros(*cab, dados, Linhas::Consideradas);
  VerificaTamanho(int(recs.size()), recs.empty() ? 0 : 1, v.Nrows(), 1);
  for (std::size_t i = 0; i < recs.size(); ++i) v(int(i) + 1) = dados[recs[i]].residuo[e];
}

void RecortaPesos(const NEWMAT::Matrix& W, NEWMAT::Matrix& resultado, const CabecalhoModelo* cab, const dado* dados) {
  if (cab == nullptr) throw std::invalid_argument("no header");
  const int N = std::max(cab->NumDados(), 0);
  const std::vector<int> recs = Registros(*cab, dados, Linhas::Consideradas);
  // Counted from the records themselves, so a stale header count cannot
  // turn a cut-out into a copy.
  if (int(recs.size()) == N) {
    resultado = W;
    return;
  }
  Recorta(W, resultado, recs, recs, N);
}

void RecortaPesosValidacao(const NEWMAT::Matrix& W, NEWMAT::Matrix& resultado, const CabecalhoModelo* cab,
                           const dado* dados) {
  if (cab == nullptr) throw std::invalid_argument("no header");
  Recorta(W, resultado, Registros(*cab, dados, Linhas::Validacao), Registros(*cab, dados, Linhas::Consideradas),
          std::max(cab->NumDados(), 0));
}

void RecortaPesosAmostra(const NEWMAT::Matrix& W, NEWMAT::Matrix& resultado, const CabecalhoModelo* cab,
                         const dado* dados) {
  if (cab == nullptr) throw std::invalid_argument("no header");
  const std::vector<int> recs = Registros(*cab, dados, Linhas::Amostra);
  Recorta(W, resultado, recs, recs, std::max(cab->NumDados(), 0));
}

void MatrizDistancias(const double* x, const double* y, int n, NEWMAT::Matrix& D) {
  D.ReSize(n, n);
  for (int i = 0; i < n; ++i) {
    D(i + 1, i + 1) = 0.0;
    for (int j = i + 1; j < n; ++j) {
      const double dx = x[i] - x[j], dy = y[i] - y[j];
      const double d = std::sqrt(dx * dx + dy * dy);
      D(i + 1, j + 1) = d;
      D(j + 1, i + 1) = d;
    }
  }
}
