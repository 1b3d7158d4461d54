#pragma once
// The per-variable slots that move together when variables are removed or
// inserted: the header's tables indexed by variable, and the value and display
// attributes of a slot in a data record (60 slots) or an appraisal record
// (63 slots: the variables and the three result slots of the appraisal).
#include "model/CabecalhoModelo.h"

#include <cstddef>
#include <functional>

namespace palvedo {

// Header fields the operations touch, by their names in the model header.
namespace cab {
using C = CabecalhoModelo;
constexpr std::size_t TipoImovel = C::OffTipoImovel;
constexpr std::size_t Nome = C::OffNomesVariaveis, TamNome = C::TamNomeVariavel;
constexpr std::size_t Descricao = C::OffDescricoes, TamDescricao = C::TamDescricao;
constexpr std::size_t TextoSeis = C::OffTextosCurtos, TamTextoSeis = C::TamTextoCurto;
constexpr std::size_t DataEvento = C::OffDatasEvento, TamDataEvento = C::TamDataEvento;
constexpr std::size_t Relacao = C::OffRelacoes;
constexpr std::size_t Tipo = C::OffTiposVariavel;
constexpr std::size_t CodigoVariavel = C::OffCodigosVariavel;
constexpr std::size_t Decimais = C::OffCasasDecimais;
constexpr std::size_t LarguraDado = C::OffLargurasVariavel;
constexpr std::size_t VariavelArea = C::OffVariavelArea;
constexpr std::size_t LarguraAvaliando = C::OffLargurasAvaliacao;
constexpr std::size_t MetodoCalculo = C::OffEstadoCalculo;
constexpr std::size_t NumVariaveis = C::OffNumVariaveis;
constexpr std::size_t NumDados = C::OffNumDados;
constexpr std::size_t NumConsiderados = C::OffNumConsiderados;
constexpr std::size_t NumAvaliandos = C::OffNumDadosP;
constexpr std::size_t Dependente = C::OffDependente;
constexpr std::size_t Habilitada = C::OffHabilitadas;
constexpr std::size_t VariavelDurbinWatson = C::OffVariavelDurbinWatson;
constexpr std::size_t NumValidacao = C::OffNumValidacao;
constexpr std::size_t CoordenadaX = C::OffVariavelX;
constexpr std::size_t CoordenadaY = C::OffVariavelY;
constexpr std::size_t OrdemGravada = C::OffOrdenadoOutra;
constexpr std::size_t ColunaOrdem = C::OffColunaOrdem;
constexpr std::size_t ResultadosEspaciais = C::OffEspacialCalculado;
constexpr std::size_t NumPesos = C::OffNumElementosW;
}  // namespace cab

constexpr int MaxVariaveis = CabecalhoModelo::MaxVariaveis;
constexpr int SlotsAvaliando = 63;          // variables + three result slots
constexpr int LarguraAvaliandoEntradas = 62;  // appraisal-grid widths stored at 41292
constexpr int LarguraColunaPadrao = 1134;   // twips, as a new model sets it

// Header slot `de` copied over slot `para`: name, description, six-byte text,
// date text, the five codes, and optionally the enabled flag and the
// appraisal-grid width (whose table runs three entries past the variables).
void CopiaSlotCabecalho(CabecalhoModelo& c, int de, int para, bool habilitada, bool larguraAvaliando);
// Clears the same entries of a slot.
void LimpaSlotCabecalho(CabecalhoModelo& c, int v, bool habilitada);

// Keeps the header's references to a variable by its slot (area variable,
// coordinates, Durbin-Watson variable, stored sort column) pointing at their
// variable when slots move: `novoSlot` maps an old slot of the V variables to
// its new one, or -1 when that variable goes. Values naming no variable stay.
void RenumeraReferencias(CabecalhoModelo& c, int V, const std::function<int(int)>& novoSlot);

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
