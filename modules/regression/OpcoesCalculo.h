#pragma once
// The 28-byte calculation-options block of the model header (bytes 408280 to
// 408307), read and written in place in the header it is given.
#include "model/CabecalhoModelo.h"

#include <cstring>

namespace ostrimo {

class OpcoesCalculo {
public:
  static constexpr std::size_t Base = CabecalhoModelo::OffOpcoesCalculo;
  static constexpr std::size_t Tamanho = CabecalhoModelo::TamOpcoesCalculo;

  explicit OpcoesCalculo(CabecalhoModelo& cab) : cab_(cab) {}

  int Metodo() const { return cab_.I32(Base); }                        // 1 Geral, 2 Simplificado, 3 Dirigido
  void SetMetodo(int m) { cab_.SetI32(Base, m); }
  int VariavelDurbinWatson() const { return cab_.I32(Base + 4); }      // position among the enabled; -1 off
  void SetVariavelDurbinWatson(int p) { cab_.SetI32(Base + 4, p); }
  bool Analisar() const { return cab_.U8(Base + 8) != 0; }
  void SetAnalisar(bool s) { cab_.SetU8(Base + 8, s ? 1 : 0); }
  bool Reconsiderar() const { return cab_.U8(Base + 9) != 0; }
  void SetReconsiderar(bool s) { cab_.SetU8(Base + 9, s ? 1 : 0); }
  bool DurbinWatson() const { return cab_.U8(Base + 10) != 0; }
  void SetDurbinWatson(bool s) { cab_.SetU8(Base + 10, s ? 1 : 0); }
  int Criterio() const { return cab_.U8(Base + 11); }                  // 0 Regressão, 1 Variação
  void SetCriterio(int c) { cab_.SetU8(Base + 11, static_cast<uint8_t>(c)); }
  bool Permitido(int codigo) const { return cab_.U8(Base + 12 + codigo) != 0; }
  void SetPermitido(int codigo, bool s) { cab_.SetU8(Base + 12 + codigo, s ? 1 : 0); }
  int MetodoCoeficientes() const { return cab_.U8(Base + 22); }        // 1 least squares, 0 maximum likelihood
  void SetMetodoCoeficientes(int m) { cab_.SetU8(Base + 22, static_cast<uint8_t>(m)); }

  void Copia(unsigned char (&destino)[Tamanho]) const { std::memcpy(destino, cab_.bytes + Base, Tamanho); }
  void Restaura(const unsigned char (&origem)[Tamanho]) { std::memcpy(cab_.bytes + Base, origem, Tamanho); }

private:
  CabecalhoModelo& cab_;
};

}  // namespace ostrimo
