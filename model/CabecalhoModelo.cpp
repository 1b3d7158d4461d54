#include "CabecalhoModelo.h"

#include "platform/Cp1252.h"

QString CabecalhoModelo::Texto(std::size_t off, std::size_t tamanho) const {
  return plat::LeCp1252(reinterpret_cast<const char*>(bytes + off), tamanho);
}

void CabecalhoModelo::SetTexto(std::size_t off, std::size_t tamanho, const QString& texto) {
  plat::GravaCp1252(texto, reinterpret_cast<char*>(bytes + off), tamanho);
}

void CabecalhoModelo::MarcaFormato() {
  std::memcpy(bytes + OffMagia, "Tarsolin", 8);
  std::memcpy(bytes + OffVersao, " 155", 4);
  std::memcpy(bytes + OffAssinatura, "09664", 5);
  bytes[17] = 0;
}

void CabecalhoModelo::AplicaPadroesEspaciais() {
  SetI32(OffNumElementosW, 0);
  SetI32(OffEspacialCalculado, 0);
  SetI32(OffTipoEspacial, 1);
  SetU8(OffNormalizaW, 1);
  SetU8(OffTransformaDistancias, 1);
  SetF64(OffExpoenteDistancia, -1.0);
  SetI32(OffContadorEspacial, 0);
  SetI32(OffMaxIteracoes, 500);
  SetF64(OffRho, 0.5);
  SetF64(OffRhoMinimo, -1.0);
  SetF64(OffRhoMaximo, 1.0);
  SetF64(OffTolerancia, 0.0001);
  bytes[OffVersao + 2] = '5';  // the third digit is kept
}

bool CabecalhoModelo::ContagensValidas() const {
  const int n = NumVariaveis();
  if (n < 0 || n > MaxVariaveis) return false;
  const int kept = NumEquacoes();
  if (kept < 0 || kept > MaxEquacoes) return false;
  const int cur = EquacaoCorrente();
  if (cur < 0 || cur >= MaxEquacoes) return false;
  // -1 while the wizard has not chosen it; otherwise one of the variables.
  const int dep = Dependente();
  if (dep < -1 || dep >= (n > 0 ? n : 1)) return false;
  const int N = NumDados(), M = NumDadosP();
  if (N < 0 || N > MaxDados || M < 0 || M > MaxDadosP) return false;
  const int considered = NumConsiderados();
  if (considered < 0 || considered > N) return false;
  const int validation = NumValidacao();
  if (validation < 0 || validation > N) return false;
  // Files of minor version below '4' predate the spatial fields: the upgrade
  // after reading sets them.
  if (static_cast<signed char>(VersaoMenor()) >= '4') {
    const int K = NumElementosW();
    if (K < 0) return false;
    if (!SemElementosW() && EspacialCalculado() && (long long)K > (long long)N * N) return false;
  }
  return true;
}
