#include "FormatosAntigos.h"

#include "RotinasCabecalho.h"
#include "dado.h"
#include "dadoP.h"

#include "platform/ArquivoSeguro.h"

#include <QFile>
#include <algorithm>
#include <functional>
#include <utility>

namespace {
using C = CabecalhoModelo;

// Header fields of the model that only the conversions write.
constexpr std::size_t OffLargurasDados = C::OffLargurasAvaliacao;  // 41292: data grid's variable columns
constexpr std::size_t OffDurbinWatsonOpcao = C::OffOpcoesCalculo + 4;   // 408284
constexpr std::size_t OffBytesOpcoes = C::OffOpcoesCalculo + 8;         // 408288
constexpr std::size_t OffOpcaoDurbinWatson = C::OffOpcoesCalculo + 10;  // 408290
constexpr std::size_t OffCodigosPermitidos = C::OffOpcoesCalculo + 12;  // 408292
constexpr std::size_t OffMetodoCoeficientes = C::OffOpcoesCalculo + 22; // 408302

constexpr const char* kLinhaTitulo1 = "Tarsolin Windows 1.60";
constexpr const char* kLinhaTitulo2 = "Sistema de Avaliação em Massa";
constexpr int kLargurasFixasDados[6] = {2552, 1985, 1134, 1134, 1134, 1985};
constexpr int kLargurasFixasAvaliacao[5] = {2552, 1985, 1134, 1134, 1134};
constexpr int kLarguraPadrao = 1134;

// The per-equation statistics (f64 [100]) that the version-5 layout and the
// model header share, paired by offset.
struct ParF64 { std::size_t antigo, modelo; };

// Copies a NUL-terminated text between fixed fields: at most `maximo`
// characters, never more than the destination holds before its NUL.
void CopiaTexto(unsigned char* destino, std::size_t tamDestino, const unsigned char* origem, std::size_t tamOrigem,
                std::size_t maximo = std::size_t(-1)) {
  if (tamDestino == 0) return;
  const std::size_t n = std::min({strnlen(reinterpret_cast<const char*>(origem), tamOrigem), tamDestino - 1, maximo});
  std::memcpy(destino, origem, n);
  destino[n] = 0;
}
void CopiaTexto(char* destino, std::size_t tamDestino, const char* origem, std::size_t tamOrigem,
                std::size_t maximo = std::size_t(-1)) {
  CopiaTexto(reinterpret_cast<unsigned char*>(destino), tamDestino, reinterpret_cast<const unsigned char*>(origem),
             tamOrigem, maximo);
}

bool ContagensDentro(int nv, int maxVariaveis, int N, int considerados, int dependente) {
  if (nv < 0 || nv > maxVariaveis) return false;
  if (N < 0 || N > C::MaxDados || considerados < 0 || considerados > N) return false;
  return dependente >= -1 && dependente < std::max(nv, 1);
}

bool EquacoesDentro(int mantidas, int corrente) {
  return mantidas >= 0 && mantidas <= C::MaxEquacoes && corrente >= 0 && corrente < C::MaxEquacoes;
}

// Reads the header image and then the records that follow it, refusing a file
// shorter than what its header counts.
template <class Cab>
bool LeCabecalhoAntigo(const QString& caminho, Cab* cab) {
  if (cab == nullptr) return false;
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return false;
  if (f.read(reinterpret_cast<char*>(cab->bytes), qint64(Cab::Tamanho)) != qint64(Cab::Tamanho)) return false;
  return cab->ContagensValidas();
}

template <class R>
bool LeBloco(QFile& f, std::vector<R>& registros, int quantos) {
  registros.assign(std::size_t(quantos), R{});
  const qint64 bytes = qint64(quantos) * qint64(sizeof(R));
  return bytes == 0 || f.read(reinterpret_cast<char*>(registros.data()), bytes) == bytes;
}

bool AbreRegistros(QFile& f, std::size_t tamCabecalho, long long tamRegistros) {
  if (!f.open(QIODevice::ReadOnly)) return false;
  if (f.size() < qint64(tamCabecalho) + tamRegistros) return false;
  return f.seek(qint64(tamCabecalho));
}

// --- conversion ------------------------------------------------------------

// The fresh header of a converted model: zeros, the magic of the converters
// ("Tarsolin 153"), the product's page-header lines and the new-model defaults
// that every older layout lacks.
void IniciaCabecalho(C& c, const MargensPagina& m, bool versao4) {
  c.Zera();
  std::memcpy(c.bytes, "Tarsolin 153", 12);
  std::memcpy(c.bytes + C::OffAssinatura, "09664", 5);
  c.SetTexto(C::OffLinhaTitulo, C::TamLinhaTitulo, QString::fromUtf8(kLinhaTitulo1));
  c.SetTexto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo, QString::fromUtf8(kLinhaTitulo2));
  c.SetI32(C::OffMargens, m.esquerda);
  c.SetI32(C::OffMargens + 4, m.direita);
  c.SetI32(C::OffMargens + 8, m.superior);
  c.SetI32(C::OffMargens + 12, m.inferior);
  c.SetU8(C::OffImprimeCabecalho, 1);
  c.SetU8(C::OffImprimeRodape, versao4 ? 0 : 1);
  c.SetU8(C::OffImprimeData, 1);
  c.SetU8(C::OffNumeraPaginas, 1);
  for (int v = 0; v < C::MaxVariaveis; ++v) c.SetHabilitada(v, true);
  for (int i = 0; i < 6; ++i) c.SetI32(C::OffLargurasFixasDados + 4 * std::size_t(i), kLargurasFixasDados[i]);
  for (int i = 0; i < 5; ++i) c.SetI32(C::OffLargurasFixasAvaliacao + 4 * std::size_t(i), kLargurasFixasAvaliacao[i]);
  // Spatial defaults of a new model; the older products had no coordinates.
  c.AplicaPadroesEspaciais();
  std::memcpy(c.bytes + C::OffVersao, " 153", 4);
  c.SetI32(C::OffIteracoesMonteCarlo, 30);
  c.SetF64(C::OffDistanciaMinima, 0.0);
  c.SetF64(C::OffDistanciaMaxima, 0.0);
  c.SetI32(C::OffVariavelX, -1);
  c.SetI32(C::OffVariavelY, -1);
}

template <class Cab>
void CopiaProtecao(C& c, const Cab& k) {
  if (!k.U8(Cab::OffProtegido)) return;
  CopiaTexto(c.bytes + C::OffSenha, C::TamSenha, k.bytes + Cab::OffSenha, Cab::TamSenha);
  c.SetU8(C::OffProtegido, 1);
  c.SetI32(C::OffAcessoSemSenha, k.I32(Cab::OffModoAcesso));
}

template <class Cab>
void CopiaTextos(C& c, const Cab& k) {
  CopiaTexto(c.bytes + C::OffNome, 51, k.bytes + Cab::OffNome, Cab::TamNome);
  CopiaTexto(c.bytes + C::OffAutor, 31, k.bytes + Cab::OffAutor, Cab::TamAutor);
  CopiaTexto(c.bytes + C::OffInformacoes, C::TamInformacoes, k.bytes + Cab::OffInformacoes, Cab::TamInformacoes, 30);
  CopiaTexto(c.bytes + C::OffData, C::TamData, k.bytes + Cab::OffData, Cab::TamData);
}

// A dependent variable that is not the last one is moved last, with its
// values and the references to it, so every later fit regresses on it; each
// variable keeps its own enabled flag.
void DependenteNoFim(C& c, ModeloConvertido& modelo) {
  const int n = c.NumVariaveis(), d = c.Dependente();
  if (n <= 0 || d < 0 || d >= n - 1) return;
  const bool habD = c.Habilitada(d), habU = c.Habilitada(n - 1);
  std::vector<dado>& dados = modelo.dados;
  std::vector<dadoP>& avaliandos = modelo.dadosP;
  const bool comAvaliandos = !avaliandos.empty() && std::size_t(c.NumDadosP()) == avaliandos.size();
  MoveVariavelDependente(c, false, dados.empty() ? nullptr : dados.data(), comAvaliandos ? avaliandos.data() : nullptr);
  c.SetHabilitada(d, habU);
  c.SetHabilitada(n - 1, habD);
}

// The slots of the data grid's variable columns and the two after them.
void LargurasDados(C& c, int nv, const std::function<int(int)>& largura) {
  for (int v = 0; v < std::min(nv + 2, 62); ++v) c.SetI32(OffLargurasDados + 4 * std::size_t(v), largura(v));
}

}  // namespace

// ----------------------------------------------------------------- counts

bool CabecalhoKmr4::ContagensValidas() const {
  return ContagensDentro(NumVariaveis(), MaxVariaveis, NumDados(), I32(OffNumConsiderados), I32(OffDependente));
}

bool CabecalhoKmr5::ContagensValidas() const {
  return ContagensDentro(NumVariaveis(), MaxVariaveis, NumDados(), I32(OffNumConsiderados), I32(OffDependente)) &&
         EquacoesDentro(I32(OffNumEquacoes), I32(OffEquacaoCorrente));
}

bool Cabecalho550::ContagensValidas() const {
  const int M = NumDadosP();
  return ContagensDentro(NumVariaveis(), MaxVariaveis, NumDados(), I32(OffNumConsiderados), I32(OffDependente)) &&
         EquacoesDentro(I32(OffNumEquacoes), I32(OffEquacaoCorrente)) && M >= 0 && M <= C::MaxDadosP;
}

// ----------------------------------------------------------------- readers

bool LeCabecalhoKmr4(const QString& caminho, CabecalhoKmr4* cab) { return LeCabecalhoAntigo(caminho, cab); }
bool LeCabecalhoKmr5(const QString& caminho, CabecalhoKmr5* cab) { return LeCabecalhoAntigo(caminho, cab); }
bool LeCabecalho550(const QString& caminho, Cabecalho550* cab) { return LeCabecalhoAntigo(caminho, cab); }

bool LeRegistrosKmr4(const QString& caminho, const CabecalhoKmr4& cab, std::vector<dadoS4>& dados) {
  if (!cab.ContagensValidas()) return false;
  QFile f(caminho);
  return AbreRegistros(f, CabecalhoKmr4::Tamanho, (long long)cab.NumDados() * dadoS4::Tamanho) &&
         LeBloco(f, dados, cab.NumDados());
}

bool LeRegistrosKmr5(const QString& caminho, const CabecalhoKmr5& cab, std::vector<dadoS5>& dados) {
  if (!cab.ContagensValidas()) return false;
  QFile f(caminho);
  return AbreRegistros(f, CabecalhoKmr5::Tamanho, (long long)cab.NumDados() * dadoS5::Tamanho) &&
         LeBloco(f, dados, cab.NumDados());
}

bool LeRegistros550(const QString& caminho, const Cabecalho550& cab, std::vector<dado550>& dados,
                    std::vector<dadoP550>& dadosP) {
  if (!cab.ContagensValidas()) return false;
  QFile f(caminho);
  const long long registros =
      (long long)cab.NumDados() * dado550::Tamanho + (long long)cab.NumDadosP() * dadoP550::Tamanho;
  return AbreRegistros(f, Cabecalho550::Tamanho, registros) && LeBloco(f, dados, cab.NumDados()) &&
         LeBloco(f, dadosP, cab.NumDadosP());
}

bool GravaArquivoKmr5(const QString& caminho, const CabecalhoKmr5& cab, const std::vector<dadoS5>& dados) {
  if (!cab.ContagensValidas() || std::size_t(cab.NumDados()) != dados.size()) return false;
  plat::GravacaoSegura g(caminho);
  if (!g.Aberta() || !g.Escreve(cab.bytes, CabecalhoKmr5::Tamanho)) return false;
  if (!dados.empty() && !g.Escreve(dados.data(), dados.size() * sizeof(dadoS5))) return false;
  return g.Confirma();
}

// ----------------------------------------------------------------- import

ModeloConvertido::ModeloConvertido() : cab(std::make_unique<CabecalhoModelo>()) {}
ModeloConvertido::~ModeloConvertido() = default;

bool ImportaKmr4(const QString& caminho, const MargensPagina& margens, ModeloConvertido& modelo) {
  using K = CabecalhoKmr4;
  auto kp = std::make_unique<K>();
  std::vector<dadoS4> antigos;
  if (!LeCabecalhoKmr4(caminho, kp.get()) || !LeRegistrosKmr4(caminho, *kp, antigos)) return false;
  const K& k = *kp;
  C& c = *modelo.cab;
  IniciaCabecalho(c, margens, true);
  CopiaTextos(c, k);
  if (c.Texto(C::OffData, C::TamData).isEmpty()) c.SetTexto(C::OffData, C::TamData, QStringLiteral("01/01/2003"));

  const int nv = k.NumVariaveis();
  const bool calculado = k.I32(K::OffCalculado) != 0;
  c.SetNumVariaveis(nv);
  c.SetNumDados(k.NumDados());
  c.SetNumConsiderados(k.I32(K::OffNumConsiderados));
  c.SetDependente(k.I32(K::OffDependente));
  c.SetEstadoCalculo(calculado ? 3 : 0);
  c.SetNumEquacoes(calculado ? 1 : 0);
  for (int v = 0; v < nv; ++v) {
    CopiaTexto(c.bytes + C::OffNomesVariaveis + C::TamNomeVariavel * std::size_t(v), C::TamNomeVariavel,
               k.bytes + K::OffNomes + K::TamNomeVariavel * std::size_t(v), K::TamNomeVariavel, 25);
    c.SetHabilitada(v, k.I32(K::OffHabilitadas + 4 * std::size_t(v)) != 0);
    c.SetTipoVariavel(v, 4);
    c.SetCasasDecimais(v, 2);
    c.SetI32(C::OffLargurasVariavel + 4 * std::size_t(v), kLarguraPadrao);
  }
  LargurasDados(c, nv, [](int) { return kLarguraPadrao; });

  const int dw = k.I32(K::OffVariavelDurbinWatson);
  c.SetI32(C::OffVariavelDurbinWatson, dw);
  c.SetI32(C::OffOpcoesCalculo, calculado ? 3 : 1);
  c.SetI32(OffDurbinWatsonOpcao, dw);
  for (int codigo = 0; codigo < 4; ++codigo) c.SetU8(OffCodigosPermitidos + std::size_t(codigo), 1);
  if (calculado) {
    // Only equation 0; the regression library computes it again after the conversion.
    for (int v = 0; v < nv; ++v) {
      const std::size_t o = 8 * std::size_t(v);
      c.SetTransformacao(v, 0, k.I32(K::OffTransformacoes + 4 * std::size_t(v)));
      c.SetF64VE(C::OffEstatisticaT, v, 0, k.F64(K::OffEstatisticaT + o));
      c.SetF64VE(C::OffCoeficientes, v, 0, k.F64(K::OffCoeficientes + o));
      c.SetF64VE(C::OffSignificancias, v, 0, k.F64(K::OffSignificancias + o));
    }
    for (int i = 0; i < 4; ++i) c.SetI32(C::OffPercentual1 + 400 * std::size_t(i), k.I32(K::OffPercentuais + 4 * std::size_t(i)));
    const double durbinWatson = k.F64(K::OffDurbinWatson);
    c.SetF64(C::OffCorrelacao, k.F64(K::OffCorrelacao));
    c.SetF64VE(C::OffEstatisticasEquacao, nv, 0, durbinWatson);
    c.SetF64(C::OffErroPadrao, k.F64(K::OffErroPadrao));
    c.SetF64(C::OffF, k.F64(K::OffF));
    c.SetF64(C::OffConfiancaF, k.F64(K::OffConfiancaF));
    if (durbinWatson != -1.0) c.SetU8(OffOpcaoDurbinWatson, 1);
  }

  modelo.dados.assign(antigos.size(), dado{});
  for (std::size_t i = 0; i < antigos.size(); ++i) {
    const dadoS4& a = antigos[i];
    dado& d = modelo.dados[i];
    std::copy(a.valor, a.valor + nv, d.valor);
    CopiaTexto(d.endereco, sizeof d.endereco, a.endereco, sizeof a.endereco);
    CopiaTexto(d.complemento, sizeof d.complemento, a.complemento, sizeof a.complemento);
    d.excluido = a.excluido;
    d.reservado1[0] = a.excluido;
  }
  modelo.dadosP.clear();
  DependenteNoFim(c, modelo);
  return true;
}

bool ImportaKmr5(const QString& caminho, const MargensPagina& margens, ModeloConvertido& modelo) {
  using K = CabecalhoKmr5;
  auto kp = std::make_unique<K>();
  std::vector<dadoS5> antigos;
  if (!LeCabecalhoKmr5(caminho, kp.get()) || !LeRegistrosKmr5(caminho, *kp, antigos)) return false;
  const K& k = *kp;
  C& c = *modelo.cab;
  IniciaCabecalho(c, margens, false);
  CopiaTextos(c, k);
  CopiaProtecao(c, k);

  const int nv = k.NumVariaveis();
  const int mantidas = k.I32(K::OffNumEquacoes);
  const bool calculado = k.I32(K::OffEstadoCalculo) != 0;
  c.SetEstadoCalculo(k.I32(K::OffEstadoCalculo));
  c.SetNumEquacoes(mantidas);
  c.SetEquacaoCorrente(k.I32(K::OffEquacaoCorrente));
  c.SetNumVariaveis(nv);
  c.SetNumDados(k.NumDados());
  c.SetNumConsiderados(k.I32(K::OffNumConsiderados));
  c.SetDependente(k.I32(K::OffDependente));
  c.SetI32(C::OffVariavelArea, k.I32(K::OffVariavelArea));
  c.SetU8(C::OffValorUnitario, k.U8(K::OffValorUnitario));
  c.SetI32(C::OffLargurasFixasDados, k.I32(K::OffLargurasFixas));
  c.SetI32(C::OffLargurasFixasDados + 4, k.I32(K::OffLargurasFixas + 4));
  for (int v = 0; v < nv; ++v) {
    const std::size_t o = 4 * std::size_t(v);
    CopiaTexto(c.bytes + C::OffNomesVariaveis + C::TamNomeVariavel * std::size_t(v), C::TamNomeVariavel,
               k.bytes + K::OffNomes + K::TamNomeVariavel * std::size_t(v), K::TamNomeVariavel);
    CopiaTexto(c.bytes + C::OffDescricoes + C::TamDescricao * std::size_t(v), C::TamDescricao,
               k.bytes + K::OffDescricoes + K::TamDescricao * std::size_t(v), K::TamDescricao);
    c.SetHabilitada(v, k.I32(K::OffHabilitadas + o) != 0);
    c.SetTipoVariavel(v, k.I32(K::OffTipos + o));
    c.SetCasasDecimais(v, k.I32(K::OffCasasDecimais + o));
    c.SetI32(C::OffLargurasVariavel + o, k.I32(K::OffLarguras + o));
  }
  LargurasDados(c, nv, [&](int v) { return v < K::MaxVariaveis ? k.I32(K::OffLarguras + 4 * std::size_t(v)) : kLarguraPadrao; });

  c.SetI32(C::OffVariavelDurbinWatson, k.I32(K::OffVariavelDurbinWatson));
  if (calculado) {
    static constexpr ParF64 kPorEquacao[] = {
        {K::OffCorrelacao, C::OffCorrelacao}, {K::OffCorrelacaoOriginal, C::OffEstatisticasEquacao},
        {K::OffErroPadrao, C::OffErroPadrao}, {K::OffErroPadraoOriginal, C::OffErroPadraoOriginal},
        {K::OffF, C::OffF}, {K::OffConfiancaF, C::OffConfiancaF}};
    for (int e = 0; e < mantidas; ++e) {
      const std::size_t oe = 8 * std::size_t(e);
      for (const ParF64& p : kPorEquacao) c.SetF64(p.modelo + oe, k.F64(p.antigo + oe));
      for (int i = 0; i < 4; ++i)
        c.SetI32(C::OffPercentual1 + 400 * std::size_t(i) + 4 * std::size_t(e),
                 k.I32(K::OffPercentuais + 400 * std::size_t(i) + 4 * std::size_t(e)));
      for (int v = 0; v < nv; ++v) {
        const std::size_t ov = 800 * std::size_t(v) + oe;
        c.SetTransformacao(v, e, k.I32(K::OffTransformacoes + 400 * std::size_t(v) + 4 * std::size_t(e)));
        c.SetF64VE(C::OffEstatisticaT, v, e, k.F64(K::OffEstatisticaT + ov));
        c.SetF64VE(C::OffCoeficientes, v, e, k.F64(K::OffCoeficientes + ov));
        c.SetF64VE(C::OffSignificancias, v, e, k.F64(K::OffSignificancias + ov));
        // The version-5 layout has no per-regressor statistic.
        if (v + 1 < nv) c.SetF64VE(C::OffEstatisticasEquacao, v + 1, e, -1.0);
      }
      c.SetF64VE(C::OffEstatisticasEquacao, nv, e, k.F64(K::OffDurbinWatson + oe));
    }
  }
  c.SetI32(C::OffOpcoesCalculo, k.I32(K::OffMetodo));
  c.SetI32(OffDurbinWatsonOpcao, k.I32(K::OffOpcaoDurbinWatson));
  std::memcpy(c.bytes + OffBytesOpcoes, k.bytes + K::OffBytesOpcoes, K::NumBytesOpcoes);
  c.SetU8(C::OffSemElementosW, 1);

  modelo.dados.assign(antigos.size(), dado{});
  for (std::size_t i = 0; i < antigos.size(); ++i) {
    const dadoS5& a = antigos[i];
    dado& d = modelo.dados[i];
    std::copy(a.valor, a.valor + nv, d.valor);
    std::copy(std::begin(a.residuo), std::end(a.residuo), d.residuo);
    CopiaTexto(d.endereco, sizeof d.endereco, a.endereco, sizeof a.endereco);
    CopiaTexto(d.complemento, sizeof d.complemento, a.complemento, sizeof a.complemento);
    d.excluido = a.excluido;
  }
  modelo.dadosP.clear();
  DependenteNoFim(c, modelo);
  return true;
}

bool Importa550(const QString& caminho, const MargensPagina& margens, ModeloConvertido& modelo) {
  using K = Cabecalho550;
  auto kp = std::make_unique<K>();
  std::vector<dado550> antigos;
  std::vector<dadoP550> antigosP;
  if (!LeCabecalho550(caminho, kp.get()) || !LeRegistros550(caminho, *kp, antigos, antigosP)) return false;
  const K& k = *kp;
  C& c = *modelo.cab;
  IniciaCabecalho(c, margens, false);
  CopiaTextos(c, k);
  CopiaProtecao(c, k);

  const int nv = k.NumVariaveis();
  const int mantidas = k.I32(K::OffNumEquacoes);
  const bool calculado = k.I32(K::OffEstadoCalculo) != 0;
  c.SetEstadoCalculo(k.I32(K::OffEstadoCalculo));
  c.SetNumEquacoes(mantidas);
  c.SetEquacaoCorrente(k.I32(K::OffEquacaoCorrente));
  c.SetNumVariaveis(nv);
  c.SetNumDados(k.NumDados());
  c.SetNumConsiderados(k.I32(K::OffNumConsiderados));
  c.SetNumDadosP(k.NumDadosP());
  c.SetDependente(k.I32(K::OffDependente));
  c.SetI32(C::OffVariavelArea, k.I32(K::OffVariavelArea));
  c.SetU8(C::OffValorUnitario, k.U8(K::OffValorUnitario));
  c.SetI32(C::OffLargurasFixasDados, k.I32(K::OffLarguraFixa0));
  c.SetI32(C::OffLargurasFixasDados + 4, k.I32(K::OffLarguraFixa1));
  c.SetI32(C::OffLargurasFixasAvaliacao, k.I32(K::OffLarguraFixa0));
  c.SetI32(C::OffLargurasFixasAvaliacao + 4, k.I32(K::OffLarguraAvaliacao1));
  for (int v = 0; v < nv; ++v) {
    const std::size_t o = 4 * std::size_t(v);
    CopiaTexto(c.bytes + C::OffNomesVariaveis + C::TamNomeVariavel * std::size_t(v), C::TamNomeVariavel,
               k.bytes + K::OffNomes + K::TamNomeVariavel * std::size_t(v), K::TamNomeVariavel);
    CopiaTexto(c.bytes + C::OffDescricoes + C::TamDescricao * std::size_t(v), C::TamDescricao,
               k.bytes + K::OffDescricoes + K::TamDescricao * std::size_t(v), K::TamDescricao);
    c.SetHabilitada(v, k.I32(K::OffHabilitadas + o) != 0);
    c.SetRelacao(v, k.I32(K::OffRelacoes + o));
    c.SetTipoVariavel(v, k.I32(K::OffTipos + o));
    c.SetCasasDecimais(v, k.I32(K::OffCasasDecimais + o));
    c.SetI32(C::OffLargurasVariavel + o, k.I32(K::OffLarguras + o));
  }
  LargurasDados(c, nv, [&](int v) { return v < K::MaxVariaveis ? k.I32(K::OffLarguras + 4 * std::size_t(v)) : kLarguraPadrao; });

  c.SetI32(C::OffVariavelDurbinWatson, k.I32(K::OffVariavelDurbinWatson));
  if (calculado) {
    static constexpr ParF64 kPorEquacao[] = {
        {K::OffCorrelacao, C::OffCorrelacao}, {K::OffCorrelacaoOriginal, C::OffEstatisticasEquacao},
        {K::OffErroPadrao, C::OffErroPadrao}, {K::OffErroPadraoOriginal, C::OffErroPadraoOriginal},
        {K::OffF, C::OffF}, {K::OffConfiancaF, C::OffConfiancaF}};
    static constexpr ParF64 kPorVariavel[] = {
        {K::OffEstatisticaT, C::OffEstatisticaT}, {K::OffCoeficientes, C::OffCoeficientes},
        {K::OffSignificancias, C::OffSignificancias}, {K::OffVariacao, C::OffVariacaoPercentual},
        {K::OffExpoentes, C::OffExpoentes}, {K::OffEstatisticasRegressor, C::OffEstatisticasEquacao + 800}};
    for (int e = 0; e < mantidas; ++e) {
      const std::size_t oe = 8 * std::size_t(e);
      for (const ParF64& p : kPorEquacao) c.SetF64(p.modelo + oe, k.F64(p.antigo + oe));
      // The residual percentages are the same per-equation tables as the model's.
      for (int i = 0; i < 4; ++i)
        c.SetI32(C::OffPercentual1 + 400 * std::size_t(i) + 4 * std::size_t(e),
                 k.I32(K::OffPercentuais + 400 * std::size_t(i) + 4 * std::size_t(e)));
      for (int v = 0; v < nv; ++v) {
        const std::size_t ov = 800 * std::size_t(v) + oe;
        c.SetTransformacao(v, e, k.I32(K::OffTransformacoes + 400 * std::size_t(v) + 4 * std::size_t(e)));
        for (const ParF64& p : kPorVariavel) c.SetF64(p.modelo + ov, k.F64(p.antigo + ov));
      }
    }
  }
  c.SetI32(C::OffOpcoesCalculo, k.I32(K::OffMetodo));
  c.SetI32(OffDurbinWatsonOpcao, k.I32(K::OffOpcaoDurbinWatson));
  std::memcpy(c.bytes + OffBytesOpcoes, k.bytes + K::OffBytesOpcoes, 8);
  c.SetU8(OffMetodoCoeficientes, k.U8(K::OffMetodoCoeficientes));
  c.SetU8(C::OffSemElementosW, 1);

  modelo.dados.assign(antigos.size(), dado{});
  for (std::size_t i = 0; i < antigos.size(); ++i) {
    const dado550& a = antigos[i];
    dado& d = modelo.dados[i];
    std::copy(a.valor, a.valor + nv, d.valor);
    std::copy(std::begin(a.residuo), std::end(a.residuo), d.residuo);
    CopiaTexto(d.endereco, sizeof d.endereco, a.endereco, sizeof a.endereco);
    CopiaTexto(d.complemento, sizeof d.complemento, a.complemento, sizeof a.complemento);
    d.excluido = a.excluido;
  }
  modelo.dadosP.assign(antigosP.size(), dadoP{});
  const int valoresP = std::min(nv + 3, 43);
  for (std::size_t i = 0; i < antigosP.size(); ++i) {
    const dadoP550& a = antigosP[i];
    dadoP& p = modelo.dadosP[i];
    std::copy(a.valor, a.valor + valoresP, p.valor);
    CopiaTexto(p.endereco, sizeof p.endereco, a.endereco, sizeof a.endereco);
    CopiaTexto(p.complemento, sizeof p.complemento, a.complemento, sizeof a.complemento);
    CopiaTexto(p.bairro, sizeof p.bairro, a.bairro, sizeof a.bairro);
    CopiaTexto(p.cidade, sizeof p.cidade, a.cidade, sizeof a.cidade);
    CopiaTexto(p.estado, sizeof p.estado, a.estado, sizeof a.estado);
  }
  DependenteNoFim(c, modelo);
  return true;
}

// ----------------------------------------------------------------- export

bool MontaKmr5(const CabecalhoModelo& c, const dado* dados, CabecalhoKmr5& k, std::vector<dadoS5>& registros) {
  using K = CabecalhoKmr5;
  const int nv = c.NumVariaveis();
  const int N = c.NumDados();
  if (!c.ContagensValidas() || nv > K::MaxVariaveis || (N > 0 && dados == nullptr)) return false;
  const bool calculado = c.EstadoCalculo() != 0;
  // The version-5 tables hold 100 equations but its product kept at most 99.
  const int equacoes = std::clamp(c.NumEquacoes(), 0, 99);
  const int corrente = c.EquacaoCorrente() < equacoes ? c.EquacaoCorrente() : 0;

  k.Zera();
  std::memcpy(k.bytes, "Kolmar 5.30", 12);
  std::memcpy(k.bytes + K::OffAssinatura, "09663", 5);
  CopiaTexto(k.bytes + K::OffNome, K::TamNome, c.bytes + C::OffNome, 51);
  CopiaTexto(k.bytes + K::OffAutor, K::TamAutor, c.bytes + C::OffAutor, 31);
  CopiaTexto(k.bytes + K::OffInformacoes, K::TamInformacoes, c.bytes + C::OffInformacoes, C::TamInformacoes);
  CopiaTexto(k.bytes + K::OffData, K::TamData, c.bytes + C::OffData, C::TamData);
  static constexpr std::size_t kLinhas[3] = {51, 51, 26};
  for (std::size_t i = 0; i < 3; ++i)
    CopiaTexto(k.bytes + K::OffLinhasTitulo + 101 * i, kLinhas[i], c.bytes + C::OffLinhaTitulo + C::TamLinhaTitulo * i,
               C::TamLinhaTitulo);
  for (std::size_t i = 0; i < 4; ++i) k.SetI32(K::OffMargens + 4 * i, c.I32(C::OffMargens + 4 * i));
  static constexpr uint8_t kImpressao[4] = {1, 0, 1, 1};
  std::memcpy(k.bytes + K::OffImpressao, kImpressao, 4);
  if (c.U8(C::OffProtegido)) {
    CopiaTexto(k.bytes + K::OffSenha, K::TamSenha, c.bytes + C::OffSenha, C::TamSenha);
    k.SetU8(K::OffProtegido, 1);
    k.SetI32(K::OffModoAcesso, c.I32(C::OffAcessoSemSenha));
  }
  for (int v = 0; v < nv; ++v) {
    const std::size_t o = 4 * std::size_t(v);
    CopiaTexto(k.bytes + K::OffNomes + K::TamNomeVariavel * std::size_t(v), K::TamNomeVariavel,
               c.bytes + C::OffNomesVariaveis + C::TamNomeVariavel * std::size_t(v), C::TamNomeVariavel, 26);
    k.SetI32(K::OffRelacoes + o, c.Relacao(v));
    // The older product knew no "Quantitativa" (5): it reads as its code 3.
    k.SetI32(K::OffTipos + o, c.TipoVariavel(v) == 5 ? 3 : c.TipoVariavel(v));
    k.SetI32(K::OffCasasDecimais + o, c.CasasDecimais(v));
    k.SetI32(K::OffLarguras + o, c.I32(C::OffLargurasVariavel + o));
    k.SetI32(K::OffHabilitadas + o, c.Habilitada(v) ? 1 : 0);
  }
  k.SetI32(K::OffLargurasFixas, c.I32(C::OffLargurasFixasDados));
  k.SetI32(K::OffLargurasFixas + 4, c.I32(C::OffLargurasFixasDados + 4));
  k.SetI32(K::OffVariavelArea, c.I32(C::OffVariavelArea));
  k.SetU8(K::OffValorUnitario, c.U8(C::OffValorUnitario));
  k.SetI32(K::OffEstadoCalculo, c.EstadoCalculo());
  k.SetI32(K::OffNumEquacoes, equacoes);
  k.SetI32(K::OffEquacaoCorrente, corrente);
  k.SetI32(K::OffNumVariaveis, nv);
  k.SetI32(K::OffNumDados, N);
  k.SetI32(K::OffNumConsiderados, c.NumConsiderados());
  k.SetI32(K::OffDependente, c.Dependente());
  k.SetI32(K::OffVariavelDurbinWatson, c.I32(C::OffVariavelDurbinWatson));
  if (calculado) {
    static constexpr ParF64 kPorEquacao[] = {
        {K::OffCorrelacao, C::OffCorrelacao}, {K::OffCorrelacaoOriginal, C::OffEstatisticasEquacao},
        {K::OffErroPadrao, C::OffErroPadrao}, {K::OffErroPadraoOriginal, C::OffErroPadraoOriginal},
        {K::OffF, C::OffF}, {K::OffConfiancaF, C::OffConfiancaF}};
    for (int e = 0; e < equacoes; ++e) {
      const std::size_t oe = 8 * std::size_t(e);
      for (const ParF64& p : kPorEquacao) k.SetF64(p.antigo + oe, c.F64(p.modelo + oe));
      k.SetF64(K::OffDurbinWatson + oe, c.F64VE(C::OffEstatisticasEquacao, nv, e));
      for (int i = 0; i < 4; ++i)
        k.SetI32(K::OffPercentuais + 400 * std::size_t(i) + 4 * std::size_t(e),
                 c.I32(C::OffPercentual1 + 400 * std::size_t(i) + 4 * std::size_t(e)));
      for (int v = 0; v < nv; ++v) {
        const std::size_t ov = 800 * std::size_t(v) + oe;
        k.SetI32(K::OffTransformacoes + 400 * std::size_t(v) + 4 * std::size_t(e), c.Transformacao(v, e));
        k.SetF64(K::OffEstatisticaT + ov, c.F64VE(C::OffEstatisticaT, v, e));
        k.SetF64(K::OffCoeficientes + ov, c.F64VE(C::OffCoeficientes, v, e));
        k.SetF64(K::OffSignificancias + ov, c.F64VE(C::OffSignificancias, v, e));
      }
    }
  }
  k.SetI32(K::OffMetodo, c.I32(C::OffOpcoesCalculo));
  k.SetI32(K::OffOpcaoDurbinWatson, c.I32(OffDurbinWatsonOpcao));
  std::memcpy(k.bytes + K::OffBytesOpcoes, c.bytes + OffBytesOpcoes, K::NumBytesOpcoes);

  registros.assign(std::size_t(N), dadoS5{});
  for (int i = 0; i < N; ++i) {
    const dado& d = dados[i];
    dadoS5& r = registros[std::size_t(i)];
    std::copy(d.valor, d.valor + nv, r.valor);
    if (calculado) std::copy(d.residuo, d.residuo + equacoes, r.residuo);
    CopiaTexto(r.endereco, sizeof r.endereco, d.endereco, sizeof d.endereco);
    CopiaTexto(r.complemento, sizeof r.complemento, d.complemento, sizeof d.complemento);
    r.excluido = d.excluido;
    const AtributoCelula* fixas[2] = {&d.fixas[0], &d.fixas[1]};
    uint8_t* destinos[2] = {r.fonteFixa1, r.fonteFixa2};
    for (int f = 0; f < 2; ++f) {
      destinos[f][0] = fixas[f]->negrito;
      destinos[f][1] = fixas[f]->italico;
      destinos[f][2] = fixas[f]->sublinhado;
    }
    std::copy(d.negrito, d.negrito + 30, r.negrito);
    std::copy(d.italico, d.italico + 30, r.italico);
    std::copy(d.sublinhado, d.sublinhado + 30, r.sublinhado);
  }
  return true;
}

ResultadoExportacao ExportaKmr5(const CabecalhoModelo& cab, const dado* dados, const QString& destino) {
  if (cab.NumVariaveis() > CabecalhoKmr5::MaxVariaveis) return ResultadoExportacao::VariaveisDemais;
  auto k = std::make_unique<CabecalhoKmr5>();
  std::vector<dadoS5> registros;
  if (!MontaKmr5(cab, dados, *k, registros)) return ResultadoExportacao::Falha;
  return GravaArquivoKmr5(destino, *k, registros) ? ResultadoExportacao::Feito : ResultadoExportacao::Falha;
}
