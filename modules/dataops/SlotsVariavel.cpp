#include "SlotsVariavel.h"

#include "model/CabecalhoModelo.h"

#include <cstring>

namespace palvedo {

namespace {

constexpr std::size_t Codigos[] = {cab::Relacao, cab::Tipo, cab::CodigoVariavel, cab::Decimais,
                                   cab::LarguraDado};

struct Campo {
  std::size_t base, passo;
};
// Byte fields of one slot: value, two colours, bold, italic, underline.
constexpr Campo CamposDado[] = {{0, 8}, {1612, 4}, {1852, 4}, {2092, 1}, {2152, 1}, {2212, 1}};
constexpr Campo CamposAvaliando[] = {{0, 8}, {776, 4}, {1028, 4}, {1280, 1}, {1343, 1}, {1406, 1}};

template <std::size_t K>
void Copia(unsigned char* r, const Campo (&campos)[K], std::size_t primeiro, int de, int para) {
  for (std::size_t i = primeiro; i < K; ++i)
    std::memmove(r + campos[i].base + campos[i].passo * para, r + campos[i].base + campos[i].passo * de,
                 campos[i].passo);
}
template <std::size_t K>
void Limpa(unsigned char* r, const Campo (&campos)[K], std::size_t primeiro, int v) {
  for (std::size_t i = primeiro; i < K; ++i)
    std::memset(r + campos[i].base + campos[i].passo * v, 0, campos[i].passo);
}

}  // namespace

void CopiaSlotCabecalho(CabecalhoModelo& c, int de, int para, bool habilitada, bool larguraAvaliando) {
  auto copia = [&](std::size_t base, std::size_t tam) {
    std::memmove(c.bytes + base + tam * para, c.bytes + base + tam * de, tam);
  };
  copia(cab::Nome, cab::TamNome);
  copia(cab::Descricao, cab::TamDescricao);
  copia(cab::TextoSeis, cab::TamTextoSeis);
  copia(cab::DataEvento, cab::TamDataEvento);
  for (std::size_t base : Codigos) copia(base, 4);
  if (habilitada) copia(cab::Habilitada, 4);
  if (larguraAvaliando) copia(cab::LarguraAvaliando, 4);
}

void LimpaSlotCabecalho(CabecalhoModelo& c, int v, bool habilitada) {
  auto limpa = [&](std::size_t base, std::size_t tam) { std::memset(c.bytes + base + tam * v, 0, tam); };
  limpa(cab::Nome, cab::TamNome);
  limpa(cab::Descricao, cab::TamDescricao);
  limpa(cab::TextoSeis, cab::TamTextoSeis);
  limpa(cab::DataEvento, cab::TamDataEvento);
  for (std::size_t base : Codigos) limpa(base, 4);
  if (habilitada) limpa(cab::Habilitada, 4);
}

void CopiaSlotDado(unsigned char* r, int de, int para) { Copia(r, CamposDado, 0, de, para); }
void LimpaSlotDado(unsigned char* r, int v) { Limpa(r, CamposDado, 0, v); }
void CopiaAtributosDado(unsigned char* r, int de, int para) { Copia(r, CamposDado, 1, de, para); }
void LimpaAtributosDado(unsigned char* r, int v) { Limpa(r, CamposDado, 1, v); }

double ValorDado(const unsigned char* r, int v) {
  double x;
  std::memcpy(&x, r + 8 * v, 8);
  return x;
}
void DefineValorDado(unsigned char* r, int v, double x) { std::memcpy(r + 8 * v, &x, 8); }

void CopiaSlotAvaliando(unsigned char* r, int de, int para) { Copia(r, CamposAvaliando, 0, de, para); }
void LimpaSlotAvaliando(unsigned char* r, int s) { Limpa(r, CamposAvaliando, 0, s); }
void CopiaAtributosAvaliando(unsigned char* r, int de, int para) { Copia(r, CamposAvaliando, 1, de, para); }
void LimpaAtributosAvaliando(unsigned char* r, int s) { Limpa(r, CamposAvaliando, 1, s); }

double ValorAvaliando(const unsigned char* r, int s) { return ValorDado(r, s); }
void DefineValorAvaliando(unsigned char* r, int s, double x) { DefineValorDado(r, s, x); }

void RenumeraReferencias(CabecalhoModelo& c, int V, const std::function<int(int)>& novoSlot) {
  for (std::size_t off : {cab::VariavelArea, cab::CoordenadaX, cab::CoordenadaY, cab::VariavelDurbinWatson}) {
    const int v = c.I32(off);
    if (v >= 0 && v < V) c.SetI32(off, novoSlot(v));
  }
  // The stored sort column is a data-grid column: the mark, record number,
  // address and complement columns come first, so variable v sits in column 4 + v.
  const int v = int(c.U8(cab::ColunaOrdem)) - 4;
  if (v >= 0 && v < V) {
    const int novo = novoSlot(v);
    c.SetU8(cab::ColunaOrdem, novo < 0 ? 0xFF : uint8_t(novo + 4));
  }
}

}  // namespace palvedo
