#include "OperaDados.h"

#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "model/CabecalhoModelo.h"

namespace palvedo {

bool Satisfaz(double x, Comparacao comparacao, double parametro) {
  switch (comparacao) {
    case Comparacao::MaiorIgual: return x >= parametro;
    case Comparacao::MenorIgual: return x <= parametro;
    case Comparacao::Igual: return x == parametro;
  }
  return false;
}

int OperaDados(CabecalhoModelo& c, RegistrosModelo& r, const OperacaoDado& op) {
  int coincidentes = 0;
  const int N = int(r.dados.size());
  std::vector<int> mantidos;  // 0-based positions of the records kept
  mantidos.reserve(std::size_t(N));

  for (int i = 0; i < N; ++i) {
    dado& d = r.dados[std::size_t(i)];
    if (op.variavel < 0 || op.variavel >= MaxVariaveis || !Satisfaz(d.valor[op.variavel], op.comparacao, op.parametro)) {
      mantidos.push_back(i);
      continue;
    }
    ++coincidentes;
    switch (op.acao) {
      case AcaoDado::Excluir:
        break;
      case AcaoDado::Desconsiderar:
        d.excluido = 1;
        mantidos.push_back(i);
        break;
      case AcaoDado::Converter:
        d.valor[op.variavel] = op.conversao;
        mantidos.push_back(i);
        break;
    }
  }

  if (int(mantidos.size()) != N) {
    // Compact the records and W once, the kept set in file order.
    std::vector<dado> restantes;
    restantes.reserve(mantidos.size());
    for (int i : mantidos) restantes.push_back(r.dados[std::size_t(i)]);
    r.dados.swap(restantes);
    if (c.I32(cab::NumPesos) > 0 && r.W.Nrows() == N && r.W.Ncols() == N) {
      const int K = int(mantidos.size());
      NEWMAT::Matrix w(K, K);
      for (int a = 0; a < K; ++a)
        for (int b = 0; b < K; ++b) w(a + 1, b + 1) = r.W(mantidos[std::size_t(a)] + 1, mantidos[std::size_t(b)] + 1);
      r.W = w;
    }
  }

  // The counts come from the records' own flags, not from the header's
  // counts less what was removed: a damaged count (0 considered with records
  // removed, 211 validation records of 45 left) would otherwise end out of
  // range and the file would no longer open. A removed validation record
  // leaves the validation sample too.
  int considerados = 0, validacao = 0;
  for (const dado& d : r.dados) {
    considerados += d.excluido == 0 ? 1 : 0;
    validacao += d.validacao != 0 ? 1 : 0;
  }
  c.SetI32(cab::NumDados, int(r.dados.size()));
  c.SetI32(cab::NumConsiderados, considerados);
  c.SetI32(cab::NumValidacao, validacao);
  c.SetI32(cab::MetodoCalculo, 0);
  c.SetI32(cab::ResultadosEspaciais, 0);
  return coincidentes;
}

}  // namespace palvedo
