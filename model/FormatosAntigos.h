#pragma once
// Model files of the maker's older products: the older regression product's
// version-4 and version-5 files and its later format, which the other
// product's files share. Like the model file, each is a raw image of one
// header and fixed-size records. They are converted into a new model file
// when opened, and a model can be written back in the version-5 format.
// None of these routines shows a message; each returns false on any failure.
#include "CabecalhoModelo.h"
#include "dado.h"
#include "dadoP.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

// A header of an older file held as its byte image, read and written through
// typed accessors at the offsets of its layout.
template <std::size_t N>
struct ImagemAntiga {
  static constexpr std::size_t Tamanho = N;
  alignas(8) unsigned char bytes[N];

  int32_t I32(std::size_t off) const { int32_t v; std::memcpy(&v, bytes + off, 4); return v; }
  void SetI32(std::size_t off, int32_t v) { std::memcpy(bytes + off, &v, 4); }
  double F64(std::size_t off) const { double v; std::memcpy(&v, bytes + off, 8); return v; }
  void SetF64(std::size_t off, double v) { std::memcpy(bytes + off, &v, 8); }
  uint8_t U8(std::size_t off) const { return bytes[off]; }
  void SetU8(std::size_t off, uint8_t v) { bytes[off] = v; }
  void Zera() { std::memset(bytes, 0, N); }
};

// Version-4 header of the older product: one equation, 30 variables.
struct CabecalhoKmr4 : ImagemAntiga<2120> {
  static constexpr int MaxVariaveis = 30;
  static constexpr std::size_t OffNome = 12, TamNome = 51;
  static constexpr std::size_t OffAutor = 63, TamAutor = 31;
  static constexpr std::size_t OffInformacoes = 94, TamInformacoes = 31;
  static constexpr std::size_t OffData = 125, TamData = 11;
  static constexpr std::size_t OffLinhasTitulo = 136;  // 51, 51 and 26 bytes
  static constexpr std::size_t OffMargens = 264;       // i32 left, right, top, bottom
  static constexpr std::size_t OffImpressao = 288;     // four u8 print flags
  static constexpr std::size_t OffNomes = 296, TamNomeVariavel = 26;
  static constexpr std::size_t OffCalculado = 1076;    // non-zero: the model holds an equation
  static constexpr std::size_t OffTransformacoes = 1080;
  static constexpr std::size_t OffNumVariaveis = 1200, OffNumDados = 1204, OffNumConsiderados = 1208,
                               OffDependente = 1212, OffHabilitadas = 1216;
  static constexpr std::size_t OffPercentuais = 1336;  // within ±1, ±1.64, ±1.96, count beyond ±2
  static constexpr std::size_t OffVariavelDurbinWatson = 1352;
  static constexpr std::size_t OffEstatisticaT = 1360, OffCoeficientes = 1600;
  static constexpr std::size_t OffCorrelacao = 1840, OffDurbinWatson = 1848, OffErroPadrao = 1856;
  static constexpr std::size_t OffSignificancias = 1864, OffF = 2104, OffConfiancaF = 2112;

  int NumVariaveis() const { return I32(OffNumVariaveis); }
  int NumDados() const { return I32(OffNumDados); }
  // Counts and indices within the layout's limits.
  bool ContagensValidas() const;
};

struct dadoS4 {
  static constexpr std::size_t Tamanho = 328;
  double valor[30];
  double residuo;        // the record's residual in the equation
  char endereco[51];
  char complemento[21];
  uint8_t excluido;
  uint8_t reservado[7];
};
static_assert(sizeof(dadoS4) == dadoS4::Tamanho);
static_assert(offsetof(dadoS4, residuo) == 240);
static_assert(offsetof(dadoS4, endereco) == 248);
static_assert(offsetof(dadoS4, complemento) == 299);
static_assert(offsetof(dadoS4, excluido) == 320);

// Version-5 header of the older product: 100 equations, 30 variables;
// tables [variable][equation] are variable-major as in the model header.
struct CabecalhoKmr5 : ImagemAntiga<144576> {
  static constexpr int MaxVariaveis = 30;
  static constexpr std::size_t OffAssinatura = 12;
  static constexpr std::size_t OffNome = 20, TamNome = 51;
  static constexpr std::size_t OffAutor = 71, TamAutor = 31;
  static constexpr std::size_t OffInformacoes = 102, TamInformacoes = 31;
  static constexpr std::size_t OffData = 303, TamData = 11;
  static constexpr std::size_t OffLinhasTitulo = 616;  // 51 at 616, 51 at 717, 26 at 818
  static constexpr std::size_t OffMargens = 1020;      // i32 left, right, top, bottom
  static constexpr std::size_t OffImpressao = 1044;    // four u8 print flags
  static constexpr std::size_t OffSenha = 1048, TamSenha = 13, OffProtegido = 1061, OffModoAcesso = 1064;
  static constexpr std::size_t OffNomes = 1072, TamNomeVariavel = 31;
  static constexpr std::size_t OffDescricoes = 2002, TamDescricao = 601;
  static constexpr std::size_t OffRelacoes = 20368, OffTipos = 20488, OffCasasDecimais = 20728,
                               OffLarguras = 20848;
  static constexpr std::size_t OffLargurasFixas = 20968;  // two i32
  static constexpr std::size_t OffVariavelArea = 20976, OffValorUnitario = 20980, OffEstadoCalculo = 20984;
  static constexpr std::size_t OffTransformacoes = 20988;  // i32 [30][100]
  static constexpr std::size_t OffNumEquacoes = 32988, OffEquacaoCorrente = 32992, OffNumVariaveis = 32996,
                               OffNumDados = 33000, OffNumConsiderados = 33004, OffDependente = 33008,
                               OffHabilitadas = 33012;
  static constexpr std::size_t OffPercentuais = 33132;  // four i32 [100] tables, 400 bytes apart
  static constexpr std::size_t OffVariavelDurbinWatson = 34732;
  static constexpr std::size_t OffEstatisticaT = 34736, OffCoeficientes = 58736;  // f64 [30][100]
  static constexpr std::size_t OffCorrelacao = 82736, OffCorrelacaoOriginal = 83536, OffDurbinWatson = 84336,
                               OffErroPadrao = 85136, OffErroPadraoOriginal = 85936;  // f64 [100]
  static constexpr std::size_t OffSignificancias = 86736;  // f64 [30][100]
  static constexpr std::size_t OffF = 110736, OffConfiancaF = 111536;
  static constexpr std::size_t OffMetodo = 136368, OffOpcaoDurbinWatson = 136372, OffBytesOpcoes = 136376;
  static constexpr std::size_t NumBytesOpcoes = 14;

  int NumVariaveis() const { return I32(OffNumVariaveis); }
  int NumDados() const { return I32(OffNumDados); }
  bool ContagensValidas() const;
};

struct dadoS5 {
  static constexpr std::size_t Tamanho = 1880;
  double valor[30];
  double residuo[100];
  char endereco[51];
  char complemento[21];
  uint8_t reservado1[118];
  uint8_t excluido;
  uint8_t reservado2[257];
  uint8_t fonteFixa1[3];   // font flags of the first fixed grid column
  uint8_t reservado3[9];
  uint8_t fonteFixa2[3];   // font flags of the second fixed grid column
  uint8_t reservado4;
  int32_t cores1[30];      // colour tables, written as 0
  int32_t cores2[30];
  uint8_t negrito[30];
  uint8_t italico[30];
  uint8_t sublinhado[30];
  uint8_t reservado5[46];
};
static_assert(sizeof(dadoS5) == dadoS5::Tamanho);
static_assert(offsetof(dadoS5, residuo) == 240);
static_assert(offsetof(dadoS5, endereco) == 1040);
static_assert(offsetof(dadoS5, complemento) == 1091);
static_assert(offsetof(dadoS5, excluido) == 1230);
static_assert(offsetof(dadoS5, fonteFixa1) == 1488);
static_assert(offsetof(dadoS5, fonteFixa2) == 1500);
static_assert(offsetof(dadoS5, cores1) == 1504);
static_assert(offsetof(dadoS5, cores2) == 1624);
static_assert(offsetof(dadoS5, negrito) == 1744);
static_assert(offsetof(dadoS5, italico) == 1774);
static_assert(offsetof(dadoS5, sublinhado) == 1804);

// The older product's later header, shared by the other product's files:
// 40 variables, 100 equations, with appraisal records. Read only.
struct Cabecalho550 : ImagemAntiga<353072> {
  static constexpr int MaxVariaveis = 40;
  static constexpr std::size_t OffNome = 20, TamNome = 51;
  static constexpr std::size_t OffAutor = 101, TamAutor = 31;
  static constexpr std::size_t OffInformacoes = 152, TamInformacoes = 31;
  static constexpr std::size_t OffData = 353, TamData = 11;
  static constexpr std::size_t OffSenha = 1096, TamSenha = 13, OffProtegido = 1109, OffModoAcesso = 1112;
  static constexpr std::size_t OffNomes = 1120, TamNomeVariavel = 31;
  static constexpr std::size_t OffDescricoes = 2360, TamDescricao = 601;
  static constexpr std::size_t OffRelacoes = 27080, OffTipos = 27240, OffCasasDecimais = 27560,
                               OffLarguras = 27720;
  static constexpr std::size_t OffLarguraFixa0 = 27880, OffLarguraFixa1 = 27884, OffLarguraAvaliacao1 = 28084;
  static constexpr std::size_t OffVariavelArea = 27904, OffValorUnitario = 27908, OffEstadoCalculo = 28104;
  static constexpr std::size_t OffTransformacoes = 28108;  // i32 [40][100]
  static constexpr std::size_t OffNumEquacoes = 44108, OffEquacaoCorrente = 44112, OffNumVariaveis = 44116,
                               OffNumDados = 44120, OffNumConsiderados = 44124, OffNumDadosP = 44128,
                               OffDependente = 44132, OffHabilitadas = 44136;
  static constexpr std::size_t OffPercentuais = 44296;
  static constexpr std::size_t OffVariavelDurbinWatson = 45896;
  static constexpr std::size_t OffEstatisticaT = 45904, OffCoeficientes = 77904;  // f64 [40][100]
  static constexpr std::size_t OffCorrelacao = 109904, OffCorrelacaoOriginal = 110704;
  static constexpr std::size_t OffEstatisticasRegressor = 111504;  // f64 [40][100], rows 1.. of the model's table
  static constexpr std::size_t OffErroPadrao = 143504, OffErroPadraoOriginal = 144304;
  static constexpr std::size_t OffSignificancias = 145104;
  static constexpr std::size_t OffF = 177104, OffConfiancaF = 177904;
  static constexpr std::size_t OffVariacao = 178704, OffExpoentes = 242704;  // f64 [40][100]
  static constexpr std::size_t OffMetodo = 274744, OffOpcaoDurbinWatson = 274748, OffBytesOpcoes = 274752;
  static constexpr std::size_t OffMetodoCoeficientes = 274766;

  int NumVariaveis() const { return I32(OffNumVariaveis); }
  int NumDados() const { return I32(OffNumDados); }
  int NumDadosP() const { return I32(OffNumDadosP); }
  bool ContagensValidas() const;
};

struct dado550 {
  static constexpr std::size_t Tamanho = 2056;
  double valor[40];
  double residuo[100];
  char endereco[51];
  char complemento[21];
  uint8_t reservado1[154];
  uint8_t excluido;
  uint8_t reservado2[709];
};
static_assert(sizeof(dado550) == dado550::Tamanho);
static_assert(offsetof(dado550, residuo) == 320);
static_assert(offsetof(dado550, endereco) == 1120);
static_assert(offsetof(dado550, complemento) == 1171);
static_assert(offsetof(dado550, excluido) == 1346);

struct dadoP550 {
  static constexpr std::size_t Tamanho = 1264;
  double valor[43];
  char endereco[51];
  char complemento[51];
  char bairro[31];
  char cidade[51];
  char estado[3];
  uint8_t reservado[733];
};
static_assert(sizeof(dadoP550) == dadoP550::Tamanho);
static_assert(offsetof(dadoP550, endereco) == 344);
static_assert(offsetof(dadoP550, complemento) == 395);
static_assert(offsetof(dadoP550, bairro) == 446);
static_assert(offsetof(dadoP550, cidade) == 477);
static_assert(offsetof(dadoP550, estado) == 528);

// Read exactly the header from offset 0; false on a short file or counts
// out of the layout's limits.
bool LeCabecalhoKmr4(const QString& caminho, CabecalhoKmr4* cab);
bool LeCabecalhoKmr5(const QString& caminho, CabecalhoKmr5* cab);
bool LeCabecalho550(const QString& caminho, Cabecalho550* cab);
// Read the records the header counts, after the header; false when the file
// is shorter than the header announces.
bool LeRegistrosKmr4(const QString& caminho, const CabecalhoKmr4& cab, std::vector<dadoS4>& dados);
bool LeRegistrosKmr5(const QString& caminho, const CabecalhoKmr5& cab, std::vector<dadoS5>& dados);
bool LeRegistros550(const QString& caminho, const Cabecalho550& cab, std::vector<dado550>& dados,
                    std::vector<dadoP550>& dadosP);
// Writes the header and its counted records, whole-file and safely.
bool GravaArquivoKmr5(const QString& caminho, const CabecalhoKmr5& cab, const std::vector<dadoS5>& dados);

// Page margins in twips.
struct MargensPagina {
  int esquerda = 1700, direita = 1700, superior = 1440, inferior = 1440;
};

// A model converted from an older file, ready to be written as a model file.
struct ModeloConvertido {
  std::unique_ptr<CabecalhoModelo> cab;
  std::vector<dado> dados;
  std::vector<dadoP> dadosP;
  ModeloConvertido();
  ~ModeloConvertido();
};

// Read an older file and convert it: the new header takes `margens` as its
// page margins. A dependent variable that is not the last one is moved last.
bool ImportaKmr4(const QString& caminho, const MargensPagina& margens, ModeloConvertido& modelo);
bool ImportaKmr5(const QString& caminho, const MargensPagina& margens, ModeloConvertido& modelo);
bool Importa550(const QString& caminho, const MargensPagina& margens, ModeloConvertido& modelo);

// The version-5 file of a model: its header and N records (`dados` may be
// null only when the model has no records).
enum class ResultadoExportacao { Feito, VariaveisDemais, Falha };
ResultadoExportacao ExportaKmr5(const CabecalhoModelo& cab, const dado* dados, const QString& destino);
// The version-5 header and records of a model, without writing them.
bool MontaKmr5(const CabecalhoModelo& cab, const dado* dados, CabecalhoKmr5& saida, std::vector<dadoS5>& registros);
