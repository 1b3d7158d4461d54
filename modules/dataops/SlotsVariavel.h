#pragma once
// The per-variable slots that move together when variables are removed or
// inserted: the header's tables indexed by variable, and the value and display
// attributes of a slot in a data record (60 slots) or an appraisal record
// (63 slots: the variables and the three result slots of the appraisal).
#include <cstddef>

struct CabecalhoModelo;

namespace palvedo {

// Header fields outside the per-variable tables.
namespace cab {
constexpr std::size_t TipoImovel = 364;
constexpr std::size_t Nome = 1120, TamNome = 31;
constexpr std::size_t Descricao = 2980, TamDescricao = 601;
constexpr std::size_t TextoSeis = 39040, TamTextoSeis = 6;
constexpr std::size_t DataEvento = 39400, TamDataEvento = 11;
constexpr std::size_t Relacao = 40060;
constexpr std::size_t Tipo = 40300;
constexpr std::size_t CodigoVariavel = 40540;
constexpr std::size_t Decimais = 40780;
constexpr std::size_t LarguraDado = 41020;
constexpr std::size_t VariavelArea = 41284;
constexpr std::size_t LarguraAvaliando = 41292;
constexpr std::size_t MetodoCalculo = 41560;
constexpr std::size_t NumVariaveis = 65572;
constexpr std::size_t NumDados = 65576;
constexpr std::size_t NumConsiderados = 65580;
constexpr std::size_t NumAvaliandos = 65584;
constexpr std::size_t Dependente = 65588;
constexpr std::size_t Habilitada = 65592;
constexpr std::size_t VariavelDurbinWatson = 67432;
constexpr std::size_t NumValidacao = 408240;
constexpr std::size_t CoordenadaX = 408244;
constexpr std::size_t CoordenadaY = 408248;
constexpr std::size_t OrdemGravada = 408692;
constexpr std::size_t ColunaOrdem = 408694;
constexpr std::size_t ResultadosEspaciais = 408704;
constexpr std::size_t NumPesos = 408708;
}  // namespace cab

constexpr int MaxVariaveis = 60;
constexpr int SlotsAvaliando = 63;          // variables + three result slots
constexpr int LarguraAvaliandoEntradas = 62;  // appraisal-grid widths stored at 41292
constexpr int LarguraColunaPadrao = 1134;   // twips, as a new model sets it
constexpr std::size_t TamDado = 2512;
constexpr std::size_t TamDadoP = 1728;
constexpr std::size_t DesconsideradoDado = 1506;  // u8: 1 when the record is not considered

// Header slot `de` copied over slot `para`: name, description, six-byte text,
// date text, the five codes, and optionally the enabled flag and the
// appraisal-grid width (whose table runs three entries past the variables).
void CopiaSlotCabecalho(CabecalhoModelo& c, int de, int para, bool habilitada, bool larguraAvaliando);
// Clears the same entries of a slot.
void LimpaSlotCabecalho(CabecalhoModelo& c, int v, bool habilitada);

// Value and display attributes of a slot of a data record (bytes of a `dado`).
void CopiaSlotDado(unsigned char* r, int de, int para);
void LimpaSlotDado(unsigned char* r, int v);
void LimpaAtributosDado(unsigned char* r, int v);
void CopiaAtributosDado(unsigned char* r, int de, int para);
double ValorDado(const unsigned char* r, int v);
void DefineValorDado(unsigned char* r, int v, double x);

// The same for an appraisal record (bytes of a `dadoP`), s in 0 .. 62.
void CopiaSlotAvaliando(unsigned char* r, int de, int para);
void LimpaSlotAvaliando(unsigned char* r, int s);
void LimpaAtributosAvaliando(unsigned char* r, int s);
void CopiaAtributosAvaliando(unsigned char* r, int de, int para);
double ValorAvaliando(const unsigned char* r, int s);
void DefineValorAvaliando(unsigned char* r, int s, double x);

}  // namespace palvedo
