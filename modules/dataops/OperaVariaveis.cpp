#include "OperaVariaveis.h"

#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "model/CabecalhoModelo.h"

#include <cmath>
#include <optional>

namespace palvedo {

namespace {

// C for one record; no value when the operation is undefined there.
std::optional<double> Calcula(Operacao op, double a, double x) {
  switch (op) {
    case Operacao::Soma: return a + x;
    case Operacao::Subtracao: return a - x;
    case Operacao::Produto: return a * x;
    case Operacao::Divisao:
      if (x == 0.0) return std::nullopt;
      return a / x;
    case Operacao::Log:
      if (a <= 0.0) return std::nullopt;
      return std::log(a);
    case Operacao::Potencia:
      // A negative base has no real power for a non-integer exponent.
      if (a < 0.0 && std::isfinite(x) && std::trunc(x) != x) return std::nullopt;
      return std::pow(a, x);
  }
  return std::nullopt;
}

double SegundoOperando(const OperacaoVariavel& op, const double* valores) {
  if (UsaVariavelB(op)) return valores[op.b];
  return op.x;
}

}  // namespace

bool UsaVariavelB(const OperacaoVariavel& op) {
  return op.usaVariavelB && op.operacao != Operacao::Log;
}

ResultadoOperacao OperaVariaveis(CabecalhoModelo& c, RegistrosModelo& r, const OperacaoVariavel& op) {
  const int V = c.I32(cab::NumVariaveis);
  if (V >= MaxVariaveis) return ResultadoOperacao::LimiteVariaveis;
  if (V < 1 || op.a < 0 || op.a >= V || (UsaVariavelB(op) && (op.b < 0 || op.b >= V)))
    return ResultadoOperacao::SlotInvalido;

  // Compute every C first so a failure changes nothing. Appraisal records get 0
  // where the quotient or the logarithm has no value; a data record without one
  // fails the whole operation, as does a power without a real value anywhere.
  // A result that is not a finite number (0 to the power -1, 10 to the power
  // 400, a division by 1e-320, the logarithm of NaN) has no value either: it
  // is never written into a record.
  std::vector<double> cAvaliandos(r.dadosP.size());
  for (std::size_t i = 0; i < r.dadosP.size(); ++i) {
    const dadoP& p = r.dadosP[i];
    const std::optional<double> v = Calcula(op.operacao, p.valor[op.a], SegundoOperando(op, p.valor));
    if (!v) {
      if (op.operacao == Operacao::Potencia) return ResultadoOperacao::OperacaoIlegal;
      cAvaliandos[i] = 0.0;
    } else {
      cAvaliandos[i] = std::isfinite(*v) ? *v : 0.0;
    }
  }
  std::vector<double> cDados(r.dados.size());
  for (std::size_t i = 0; i < r.dados.size(); ++i) {
    const dado& d = r.dados[i];
    const std::optional<double> v = Calcula(op.operacao, d.valor[op.a], SegundoOperando(op, d.valor));
    if (!v || !std::isfinite(*v)) return ResultadoOperacao::OperacaoIlegal;
    cDados[i] = *v;
  }

  // Header: the dependent moves up one slot and C takes its old slot.
  const int v = V + 1;                 // variables after the insertion
  const int slotC = v - 2, slotDep = v - 1;
  // References to the dependent follow it to its new slot.
  RenumeraReferencias(c, V, [&](int s) { return s == slotC ? slotDep : s; });
  c.SetI32(cab::MetodoCalculo, 0);
  c.SetI32(cab::NumVariaveis, v);
  c.SetI32(cab::Dependente, c.I32(cab::Dependente) + 1);
  c.SetI32(cab::ResultadosEspaciais, 0);
  c.SetI32(cab::Habilitada + 4 * slotC, 1);
  c.SetI32(cab::Habilitada + 4 * slotDep, 1);
  CopiaSlotCabecalho(c, slotC, slotDep, false, true);
  LimpaSlotCabecalho(c, slotC, false);
  c.SetTexto(cab::Nome + cab::TamNome * slotC, cab::TamNome, op.nome);
  c.SetI32(cab::Decimais + 4 * slotC, 2);
  c.SetI32(cab::Relacao + 4 * slotC, 1);
  c.SetI32(cab::Tipo + 4 * slotC, 3);
  c.SetI32(cab::CodigoVariavel + 4 * slotC, 0);
  c.SetI32(cab::LarguraDado + 4 * slotC, LarguraColunaPadrao);

  for (std::size_t i = 0; i < r.dadosP.size(); ++i) {
    unsigned char* b = RegistrosModelo::Bytes(r.dadosP[i]);
    // The old result slots are void; the new ones start from 0.
    for (int s = slotDep; s <= v + 2 && s < SlotsAvaliando; ++s) DefineValorAvaliando(b, s, 0.0);
    CopiaAtributosAvaliando(b, slotC, slotDep);
    LimpaAtributosAvaliando(b, slotC);
    DefineValorAvaliando(b, slotC, cAvaliandos[i]);
  }
  for (std::size_t i = 0; i < r.dados.size(); ++i) {
    unsigned char* b = RegistrosModelo::Bytes(r.dados[i]);
    CopiaSlotDado(b, slotC, slotDep);
    LimpaAtributosDado(b, slotC);
    DefineValorDado(b, slotC, cDados[i]);
  }
  return ResultadoOperacao::Feita;
}

}  // namespace palvedo
