#pragma once
// The model header record: 583,248 bytes stored whole at offset 0 of every model
// file and held whole in memory. It is kept as the byte image it is on disk;
// fields are read and written through typed accessors at their offsets
// (little-endian, as the file is), so reserved bytes round-trip unchanged.
// The Off* constants name every field's offset; the most used fields also
// have named getters and setters.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstring>

struct CabecalhoModelo {
  static constexpr std::size_t Tamanho = 583248;
  static constexpr int MaxVariaveis = 60;
  static constexpr int MaxEquacoes = 100;
  static constexpr int MaxDados = 64000;     // data records a model may hold
  static constexpr int MaxDadosP = 10000;    // appraisal records

  alignas(8) unsigned char bytes[Tamanho];

  // Raw typed access at a byte offset.
  int32_t I32(std::size_t off) const { int32_t v; std::memcpy(&v, bytes + off, 4); return v; }
  void SetI32(std::size_t off, int32_t v) { std::memcpy(bytes + off, &v, 4); }
  double F64(std::size_t off) const { double v; std::memcpy(&v, bytes + off, 8); return v; }
  void SetF64(std::size_t off, double v) { std::memcpy(bytes + off, &v, 8); }
  uint8_t U8(std::size_t off) const { return bytes[off]; }
  void SetU8(std::size_t off, uint8_t v) { bytes[off] = v; }

  // Tables indexed by variable v and equation e, stored variable-major.
  int32_t I32VE(std::size_t base, int v, int e) const { return I32(base + 400 * std::size_t(v) + 4 * std::size_t(e)); }
  void SetI32VE(std::size_t base, int v, int e, int32_t x) { SetI32(base + 400 * std::size_t(v) + 4 * std::size_t(e), x); }
  double F64VE(std::size_t base, int v, int e) const { return F64(base + 800 * std::size_t(v) + 8 * std::size_t(e)); }
  void SetF64VE(std::size_t base, int v, int e, double x) { SetF64(base + 800 * std::size_t(v) + 8 * std::size_t(e), x); }

  // Windows-1252 text of a fixed field of `tamanho` bytes (NUL-terminated inside it).
  QString Texto(std::size_t off, std::size_t tamanho) const;
  void SetTexto(std::size_t off, std::size_t tamanho, const QString& texto);

  void Zera() { std::memset(bytes, 0, Tamanho); }

  // --- Field offsets (bytes from the start of the header) -------------------
  static constexpr std::size_t OffMagia = 0;            // char[8] "Tarsolin", no NUL
  static constexpr std::size_t OffVersao = 8;           // char[4] " 155": blank, major, minor, third
  static constexpr std::size_t OffAssinatura = 12;      // char[5] "09664", byte 17 is 0
  static constexpr std::size_t OffNome = 20;            // reference name; read bound 81 (exports up to 80)
  static constexpr std::size_t TamNome = 81;
  static constexpr std::size_t OffAutor = 101;          // author; read bound 51 (exports up to 50)
  static constexpr std::size_t TamAutor = 51;
  static constexpr std::size_t OffInformacoes = 152;    // text[201] complementary information
  static constexpr std::size_t TamInformacoes = 201;
  static constexpr std::size_t OffData = 353;           // text[11] reference date "%d/%m/%Y"
  static constexpr std::size_t TamData = 11;
  static constexpr std::size_t OffTipoImovel = 364;     // i32 property type 1-7
  static constexpr std::size_t OffLinhaTitulo = 664;    // 4 x text[101]: 664, 765, 866, 967
  static constexpr std::size_t TamLinhaTitulo = 101;
  static constexpr std::size_t OffMargens = 1068;       // i32 left, right, top, bottom (twips)
  static constexpr std::size_t OffImprimeCabecalho = 1092;  // u8
  static constexpr std::size_t OffImprimeRodape = 1093;     // u8
  static constexpr std::size_t OffImprimeData = 1094;       // u8
  static constexpr std::size_t OffNumeraPaginas = 1095;     // u8
  static constexpr std::size_t OffSenha = 1096;          // text[13]
  static constexpr std::size_t TamSenha = 13;
  static constexpr std::size_t OffProtegido = 1109;      // u8
  static constexpr std::size_t OffAcessoSemSenha = 1112; // i32: 1 read only, 2 none
  static constexpr std::size_t OffDesbloqueado = 1116;   // u8, set at every open
  static constexpr std::size_t OffNomesVariaveis = 1120;      // text[31] at 1120 + 31 v
  static constexpr std::size_t TamNomeVariavel = 31;
  static constexpr std::size_t OffDescricoes = 2980;          // text[601] at 2980 + 601 v
  static constexpr std::size_t TamDescricao = 601;
  static constexpr std::size_t OffTextosCurtos = 39040;       // 6 bytes at 39040 + 6 v, only carried
  static constexpr std::size_t TamTextoCurto = 6;
  static constexpr std::size_t OffDatasEvento = 39400;        // text[11] at 39400 + 11 v
  static constexpr std::size_t TamDataEvento = 11;
  static constexpr std::size_t OffRelacoes = 40060;           // i32: 0 "Positiva", 1 "Negativa"
  static constexpr std::size_t OffTiposVariavel = 40300;      // i32: 1..5
  static constexpr std::size_t OffCodigosVariavel = 40540;    // i32, only carried
  static constexpr std::size_t OffCasasDecimais = 40780;      // i32
  static constexpr std::size_t OffLargurasVariavel = 41020;   // i32 twips, data grid
  static constexpr std::size_t OffLargurasFixasDados = 41260; // 6 x i32
  static constexpr std::size_t OffVariavelArea = 41284;       // i32, -1 none
  static constexpr std::size_t OffValorUnitario = 41288;      // u8: 1 "Unitário", 0 "Total"
  static constexpr std::size_t OffLargurasAvaliacao = 41292;  // 62 x i32 twips, appraisal grid
  static constexpr std::size_t OffLargurasFixasAvaliacao = 41540;  // 5 x i32
  static constexpr std::size_t OffEstadoCalculo = 41560;      // i32: 0 none, 1-3 method
  static constexpr std::size_t OffTransformacoes = 41564;     // i32 [v][e] TipoTransformacao
  static constexpr std::size_t OffNumEquacoes = 65564;        // i32 kept equations 0-100
  static constexpr std::size_t OffEquacaoCorrente = 65568;    // i32
  static constexpr std::size_t OffNumVariaveis = 65572;       // i32 0-60
  static constexpr std::size_t OffNumDados = 65576;           // i32 N
  static constexpr std::size_t OffNumConsiderados = 65580;    // i32
  static constexpr std::size_t OffNumDadosP = 65584;          // i32 M
  static constexpr std::size_t OffDependente = 65588;         // i32
  static constexpr std::size_t OffHabilitadas = 65592;        // i32 per variable
  static constexpr std::size_t OffPercentual1 = 65832;        // i32 per equation
  static constexpr std::size_t OffPercentual164 = 66232;
  static constexpr std::size_t OffPercentual196 = 66632;
  static constexpr std::size_t OffForaDe2 = 67032;
  static constexpr std::size_t OffVariavelDurbinWatson = 67432;
  static constexpr std::size_t OffEstatisticaT = 67440;       // f64 [v][e]
  static constexpr std::size_t OffCoeficientes = 115440;      // f64 [v][e], intercept at the dependent
  static constexpr std::size_t OffCorrelacao = 163440;        // f64 [e]
  static constexpr std::size_t OffEstatisticasEquacao = 164240;  // f64 [61][e]
  static constexpr std::size_t OffErroPadrao = 213040;        // f64 [e]
  static constexpr std::size_t OffErroPadraoOriginal = 213840;
  static constexpr std::size_t OffSignificancias = 214640;    // f64 [v][e], percent
  static constexpr std::size_t OffF = 262640;                 // f64 [e]
  static constexpr std::size_t OffConfiancaF = 263440;        // f64 [e]
  static constexpr std::size_t OffVariacaoPercentual = 264240;  // f64 [v][e]
  static constexpr std::size_t OffExpoentes = 312240;         // f64 [v][e], code 0
  static constexpr std::size_t OffNumValidacao = 408240;      // i32
  static constexpr std::size_t OffVariavelX = 408244;         // i32, -1 none
  static constexpr std::size_t OffVariavelY = 408248;
  static constexpr std::size_t OffSemElementosW = 408272;     // u8: W rebuilt, no pesoW stored
  static constexpr std::size_t OffOpcoesCalculo = 408280;     // 28-byte OpcoesCalculo
  static constexpr std::size_t TamOpcoesCalculo = 28;
  static constexpr std::size_t OffLinhaProjecao = 408644;     // i32
  static constexpr std::size_t OffOrdenadoOutra = 408692;     // u8
  static constexpr std::size_t OffOrdemAscendente = 408693;   // u8
  static constexpr std::size_t OffColunaOrdem = 408694;       // u8
  static constexpr std::size_t OffEspacialCalculado = 408704; // i32
  static constexpr std::size_t OffNumElementosW = 408708;     // i32 K
  static constexpr std::size_t OffContadorEspacial = 408716;  // i32 (+ two more at 408720)
  static constexpr std::size_t OffMaxIteracoes = 408728;      // i32
  static constexpr std::size_t OffTipoEspacial = 408732;      // i32: non-zero lag, 0 error
  static constexpr std::size_t OffNormalizaW = 408736;        // u8
  static constexpr std::size_t OffTransformaDistancias = 408737;  // u8
  static constexpr std::size_t OffResultadosEspaciais = 408776;   // f64[205]
  static constexpr std::size_t OffRho = 408776 + 8 * 60;          // 409256
  static constexpr std::size_t OffTolerancia = 408776 + 8 * 61;   // 409264
  static constexpr std::size_t OffRhoMinimo = 408776 + 8 * 189;   // 410288
  static constexpr std::size_t OffRhoMaximo = 408776 + 8 * 190;   // 410296
  // The spatial parameter is fitted within ±LimiteRho: the log-determinant
  // grid covers −0.99 … 0.99, and a value past it has no estimate of its own.
  static constexpr double LimiteRho = 0.99;
  static constexpr std::size_t OffIteracoesMonteCarlo = 410416;   // i32
  static constexpr std::size_t OffEquacaoEspacial = 410420;       // i32
  static constexpr std::size_t OffExpoenteDistancia = 410424;     // f64
  static constexpr std::size_t OffDistanciaMinima = 410432;       // f64, 0 none
  static constexpr std::size_t OffDistanciaMaxima = 410440;       // f64, 0 none
  static constexpr std::size_t OffLimpoNovoModelo = 410808;       // f64[60] cleared by a new model

  // --- Named access to the fields other code reads most -------------------
  int NumVariaveis() const { return I32(OffNumVariaveis); }
  void SetNumVariaveis(int n) { SetI32(OffNumVariaveis, n); }
  int NumDados() const { return I32(OffNumDados); }
  void SetNumDados(int n) { SetI32(OffNumDados, n); }
  int NumConsiderados() const { return I32(OffNumConsiderados); }
  void SetNumConsiderados(int n) { SetI32(OffNumConsiderados, n); }
  int NumDadosP() const { return I32(OffNumDadosP); }
  void SetNumDadosP(int n) { SetI32(OffNumDadosP, n); }
  int NumValidacao() const { return I32(OffNumValidacao); }
  void SetNumValidacao(int n) { SetI32(OffNumValidacao, n); }
  int Dependente() const { return I32(OffDependente); }
  void SetDependente(int v) { SetI32(OffDependente, v); }
  int NumEquacoes() const { return I32(OffNumEquacoes); }
  void SetNumEquacoes(int n) { SetI32(OffNumEquacoes, n); }
  int EquacaoCorrente() const { return I32(OffEquacaoCorrente); }
  void SetEquacaoCorrente(int e) { SetI32(OffEquacaoCorrente, e); }
  int EstadoCalculo() const { return I32(OffEstadoCalculo); }
  void SetEstadoCalculo(int m) { SetI32(OffEstadoCalculo, m); }
  int NumElementosW() const { return I32(OffNumElementosW); }
  void SetNumElementosW(int k) { SetI32(OffNumElementosW, k); }
  bool SemElementosW() const { return U8(OffSemElementosW) != 0; }
  bool EspacialCalculado() const { return I32(OffEspacialCalculado) != 0; }

  bool Habilitada(int v) const { return I32(OffHabilitadas + 4 * std::size_t(v)) != 0; }
  void SetHabilitada(int v, bool sim) { SetI32(OffHabilitadas + 4 * std::size_t(v), sim ? 1 : 0); }
  int Transformacao(int v, int e) const { return I32VE(OffTransformacoes, v, e); }
  void SetTransformacao(int v, int e, int codigo) { SetI32VE(OffTransformacoes, v, e, codigo); }
  double Expoente(int v, int e) const { return F64VE(OffExpoentes, v, e); }
  void SetExpoente(int v, int e, double p) { SetF64VE(OffExpoentes, v, e, p); }
  int CasasDecimais(int v) const { return I32(OffCasasDecimais + 4 * std::size_t(v)); }
  void SetCasasDecimais(int v, int n) { SetI32(OffCasasDecimais + 4 * std::size_t(v), n); }
  int TipoVariavel(int v) const { return I32(OffTiposVariavel + 4 * std::size_t(v)); }
  void SetTipoVariavel(int v, int t) { SetI32(OffTiposVariavel + 4 * std::size_t(v), t); }
  int Relacao(int v) const { return I32(OffRelacoes + 4 * std::size_t(v)); }
  void SetRelacao(int v, int r) { SetI32(OffRelacoes + 4 * std::size_t(v), r); }

  // The determination in original units of equation e, signed: Ro·|Ro|. Ro is
  // stored signed, below zero when the back-transformed fit is worse than the
  // mean; its plain square would show such a fit as a good one.
  double DeterminacaoOriginal(int e) const {
    const double ro = F64(OffEstatisticasEquacao + 8 * std::size_t(e));
    return ro < 0 ? -ro * ro : ro * ro;
  }
  QString NomeVariavel(int v) const { return Texto(OffNomesVariaveis + TamNomeVariavel * std::size_t(v), TamNomeVariavel); }
  void SetNomeVariavel(int v, const QString& t) { SetTexto(OffNomesVariaveis + TamNomeVariavel * std::size_t(v), TamNomeVariavel, t); }
  QString DescricaoVariavel(int v) const { return Texto(OffDescricoes + TamDescricao * std::size_t(v), TamDescricao); }
  void SetDescricaoVariavel(int v, const QString& t) { SetTexto(OffDescricoes + TamDescricao * std::size_t(v), TamDescricao, t); }

  // The version digits (byte 9 major, byte 10 minor).
  char VersaoMaior() const { return char(bytes[OffVersao + 1]); }
  char VersaoMenor() const { return char(bytes[OffVersao + 2]); }

  // Magic, version " 155" and "09664": what every model written here starts with.
  void MarcaFormato();
  // The spatial defaults that files of minor version below '4' lack, and the
  // minor digit '5'. Applied in memory after such a header is read.
  void AplicaPadroesEspaciais();
  // False when a count or index read from a file is out of its limits
  // (variables, kept and current equation, dependent, N, M, K, validation).
  bool ContagensValidas() const;
};
static_assert(sizeof(CabecalhoModelo) == CabecalhoModelo::Tamanho);
