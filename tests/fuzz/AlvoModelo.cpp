// Fuzz target over the model file: damaged models go through the reader, the
// validator and the document's open, load, save-as and save-in-place. What
// must hold for any input: nothing crashes or reads out of bounds (the
// sanitizers watch), opening and loading never change the source file, a model
// that opens loads its records, and a saved copy reopens with the same records.
#include "AlvoModelo.h"
#include "Edicoes.h"

#include "tests/support/Arquivos.h"
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "model/dadoP.h"
#include "platform/Mensagem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>
#include <memory>
#include <vector>

#include <newmat.h>

namespace fuzz {

namespace {

using C = CabecalhoModelo;

// The fields edit 3 sets, by number: the counts and flags a reader checks.
constexpr std::size_t CamposContagem[] = {
    C::OffNumVariaveis, C::OffNumDados, C::OffNumConsiderados, C::OffNumDadosP, C::OffDependente,
    C::OffNumEquacoes, C::OffEquacaoCorrente, C::OffNumValidacao, C::OffNumElementosW, C::OffEspacialCalculado,
    C::OffSemElementosW, C::OffEstadoCalculo, C::OffVariavelX, C::OffVariavelY, C::OffProtegido,
    C::OffAcessoSemSenha, C::OffVersao,
};

// A small model as the program writes it: `n` data records (one excluded,
// one in the validation sample), `m` appraisal records and, when `comW`, the
// stored elements of a W the header still reads (a model created and not
// reopened since).
QByteArray ModeloPequeno(const QString& pasta, int n, int m, bool comW) {
  auto cab = std::make_unique<CabecalhoModelo>();
  cab->Zera();
  cab->MarcaFormato();
  cab->AplicaPadroesEspaciais();
  cab->SetNumVariaveis(3);
  cab->SetDependente(2);
  for (int v = 0; v < 3; ++v) {
    cab->SetHabilitada(v, true);
    cab->SetNomeVariavel(v, QStringLiteral("V%1").arg(v));
  }
  cab->SetI32(C::OffVariavelX, 0);
  cab->SetI32(C::OffVariavelY, 1);
  std::vector<dado> dados(static_cast<std::size_t>(n));
  int considerados = 0, validacao = 0;
  for (int i = 0; i < n; ++i) {
    dados[i].valor[0] = i + 1.5;
    dados[i].valor[1] = (i * 7) % 5;
    dados[i].valor[2] = 100.0 + 3 * i;
    dados[i].residuo[0] = 0.25 * i;
    dados[i].SetEndereco(QStringLiteral("Rua %1").arg(i));
    dados[i].excluido = i == 1 ? 1 : 0;
    dados[i].validacao = i == 2 ? 1 : 0;
    considerados += dados[i].Considerado();
    validacao += dados[i].Validacao();
  }
  std::vector<dadoP> dadosP(static_cast<std::size_t>(m));
  for (int i = 0; i < m; ++i) dadosP[i].valor[0] = 10.0 * (i + 1);
  cab->SetNumDados(n);
  cab->SetNumConsiderados(considerados);
  cab->SetNumValidacao(validacao);
  cab->SetNumDadosP(m);
  NEWMAT::Matrix W;
  if (comW && n > 0) {
    cab->SetU8(C::OffSemElementosW, 0);
    cab->SetI32(C::OffEspacialCalculado, 1);
    W.ReSize(n, n);
    W = 0.0;
    for (int i = 1; i < n; ++i) W(i, i + 1) = W(i + 1, i) = 1.0 / i;
  } else {
    cab->SetU8(C::OffSemElementosW, 1);
  }
  const QString caminho = pasta + QStringLiteral("/base.tsn");
  if (!GravaArquivoModelo(caminho, cab.get(), dados.data(), dadosP.data(), W)) return QByteArray();
  return teste::LeArquivo(caminho);
}

struct Ambiente {
  std::unique_ptr<QTemporaryDir> pasta;
  std::vector<QByteArray> bases;
  QString entrada, copia;

  Ambiente() {
    // Files are rewritten at every input: memory is the place for them.
    const QString shm = QStringLiteral("/dev/shm");
    pasta = std::make_unique<QTemporaryDir>(QFileInfo(shm).isWritable() ? shm + QStringLiteral("/tarsolin-fuzz-XXXXXX")
                                                                           : QString());
    if (!pasta->isValid()) pasta = std::make_unique<QTemporaryDir>();
    entrada = pasta->filePath(QStringLiteral("entrada.tsn"));
    copia = pasta->filePath(QStringLiteral("copia.tsn"));
    // Messages are answered, never shown; a question is answered No, so the
    // older formats' conversions are declined.
    plat::DefineTratadorMensagem([](const plat::Mensagem& m) {
      return (m.estilo & 0xFu) == plat::MB_YESNO || (m.estilo & 0xFu) == plat::MB_YESNOCANCEL ? plat::IDNO
                                                                                                 : plat::IDOK;
    });
    bases.push_back(ModeloPequeno(pasta->path(), 6, 2, true));
    bases.push_back(ModeloPequeno(pasta->path(), 0, 0, false));
    bases.push_back(ModeloPequeno(pasta->path(), 4, 1, false));
#ifdef TARSOLIN_SOURCE_DIR
    const QByteArray exemplo = teste::LeArquivo(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"));
    if (!exemplo.isEmpty()) bases.push_back(exemplo);
#endif
  }
};

Ambiente& Amb() {
  static Ambiente a;
  return a;
}

QByteArray Aplica(const uint8_t* dados, std::size_t tamanho) {
  const Ambiente& amb = Amb();
  if (tamanho == 0 || amb.bases.empty()) return QByteArray();
  return fuzz::AplicaEdicoes(amb.bases[dados[0] % amb.bases.size()], dados, tamanho, CamposContagem);
}

}  // namespace

QByteArray ArquivoDaEntrada(const uint8_t* dados, std::size_t tamanho) { return Aplica(dados, tamanho); }
QString PastaTrabalho() { return Amb().pasta->path(); }

namespace {

// The records a document holds, as bytes.
QByteArray Registros(CTarsolinDoc& doc) {
  QByteArray r;
  if (doc.NumDados() > 0)
    r.append(reinterpret_cast<const char*>(doc.GetDados()), qsizetype(doc.NumDados()) * qsizetype(dado::Tamanho));
  if (doc.NumDadosP() > 0)
    r.append(reinterpret_cast<const char*>(doc.GetDadosP()), qsizetype(doc.NumDadosP()) * qsizetype(dadoP::Tamanho));
  return r;
}

// The reader and the validator on the file as it stands.
std::string VerificaLeitor(const QString& caminho) {
  auto cab = std::make_unique<CabecalhoModelo>();
  if (!LeCabecalhoModelo(caminho, cab.get())) return {};
  if (!ArquivoModeloValido(caminho, *cab)) return {};
  const int N = cab->NumDados(), M = cab->NumDadosP();
  if (N > MaxDadosLidos) return {};
  std::vector<dado> dados(static_cast<std::size_t>(N));
  std::vector<dadoP> dadosP(static_cast<std::size_t>(M));
  // A valid file holds its records: the reader that leaves W alone must take them.
  if (!LeRegistrosModelo(caminho, cab.get(), dados.data(), dadosP.data()))
    return "a file the validator accepts does not give its records";
  NEWMAT::Matrix W;
  if (LeRegistrosModelo(caminho, cab.get(), dados.data(), dadosP.data(), W) && LeElementosW(*cab) &&
      (W.Nrows() != N || W.Ncols() != N))
    return "the stored elements did not give an N x N W";
  return {};
}

// Opens `caminho` in a new document and loads its records.
std::string AbreECarrega(const QString& caminho, const char* qual, QByteArray& registros) {
  CTarsolinDoc doc;
  if (!doc.AbreArquivo(caminho)) return std::string(qual) + " does not open";
  if (!doc.CarregaRegistros()) return std::string(qual) + " opens but does not load its records";
  registros = Registros(doc);
  return {};
}

}  // namespace

std::string VerificaEntrada(const uint8_t* dados, std::size_t tamanho) {
  Ambiente& amb = Amb();
  const QByteArray arquivo = Aplica(dados, tamanho);
  QFile::remove(amb.copia);
  if (!teste::GravaBytes(amb.entrada, arquivo)) return "the input could not be written";

  std::string erro = VerificaLeitor(amb.entrada);
  if (!erro.empty()) return erro;
  if (teste::LeArquivo(amb.entrada) != arquivo) return "reading changed the file";

  CTarsolinDoc doc;
  const bool aberto = doc.AbreArquivo(amb.entrada);
  if (teste::LeArquivo(amb.entrada) != arquivo) return "opening changed the file";
  if (!aberto) return {};
  if (doc.NumDados() > MaxDadosLidos) return {};
  if (!doc.CarregaRegistros()) return "a model that opens does not load its records";
  const QByteArray originais = Registros(doc);
  doc.LiberaRegistros();
  if (teste::LeArquivo(amb.entrada) != arquivo) return "loading changed the file";

  // Save-as of a model whose records stayed on disk: they are carried across.
  if (!doc.DoSave(amb.copia, false)) return "save-as failed";
  if (teste::LeArquivo(amb.entrada) != arquivo) return "save-as changed the source";
  QByteArray copiados;
  erro = AbreECarrega(amb.copia, "the saved copy", copiados);
  if (!erro.empty()) return erro;
  if (copiados != originais) return "the saved copy holds other records";

  // Saved again where it is, records not loaded: only the header is replaced.
  doc.SetModifiedFlag(true);
  if (!doc.DoSave(amb.copia, false)) return "saving in place failed";
  erro = AbreECarrega(amb.copia, "the copy saved in place", copiados);
  if (!erro.empty()) return erro;
  if (copiados != originais) return "the copy saved in place holds other records";
  return {};
}

}  // namespace fuzz
