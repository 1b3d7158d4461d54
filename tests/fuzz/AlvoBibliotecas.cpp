// Fuzz target over the libraries' reading of a model file. What must hold for
// any input: nothing crashes or reads out of bounds (the sanitizers watch),
// reading never changes the file, the data-operations library's records
// agree with the header it read, and what it writes back reads the same.
#include "AlvoBibliotecas.h"
#include "AlvoModelo.h"

#include "Correlacoes.h"
#include "RegistrosModelo.h"
#include "tests/support/Arquivos.h"
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"

#include <QFile>

#include <cstring>
#include <memory>
#include <vector>

namespace fuzz {

namespace {

bool MesmosBytes(const void* a, const void* b, std::size_t n) { return n == 0 || std::memcmp(a, b, n) == 0; }

}  // namespace

std::string VerificaBibliotecas(const uint8_t* dados, std::size_t tamanho) {
  const QByteArray arquivo = ArquivoDaEntrada(dados, tamanho);
  const QString entrada = PastaTrabalho() + QStringLiteral("/bibliotecas.tsn");
  const QString copia = PastaTrabalho() + QStringLiteral("/bibliotecas-copia.tsn");
  QFile::remove(copia);
  if (!teste::GravaBytes(entrada, arquivo)) return "the input could not be written";

  auto cab = std::make_unique<CabecalhoModelo>();
  if (!LeCabecalhoModelo(entrada, cab.get())) return {};
  if (cab->NumDados() > MaxDadosLidos) return {};

  // The correlations library: header, records and (with a spatial result) W.
  std::vector<double> isoladas(std::size_t(mirsalto::Lado) * mirsalto::Lado),
      parciais(std::size_t(mirsalto::Lado) * mirsalto::Lado);
  mirsalto::CorrelacionaArquivo(entrada, isoladas.data(), parciais.data());
  if (teste::LeArquivo(entrada) != arquivo) return "the correlations library changed the file";

  // The data-operations library: records and the stored W elements.
  palvedo::RegistrosModelo r;
  if (!r.Le(entrada, *cab)) return {};
  if (teste::LeArquivo(entrada) != arquivo) return "the data-operations library changed the file";
  const int N = cab->NumDados(), M = cab->NumDadosP();
  if (int(r.dados.size()) != N || int(r.dadosP.size()) != M) return "the records read are not the header's counts";
  if (r.W.Nrows() != 0 && (r.W.Nrows() != N || r.W.Ncols() != N)) return "the W read is not N x N";

  // Written back, the file reads the same records.
  if (!r.Grava(copia, *cab)) return "the records read could not be written back";
  auto cab2 = std::make_unique<CabecalhoModelo>();
  if (!LeCabecalhoModelo(copia, cab2.get())) return "the written file has no readable header";
  palvedo::RegistrosModelo r2;
  if (!r2.Le(copia, *cab2)) return "the written file's records do not read";
  if (r2.dados.size() != r.dados.size() || r2.dadosP.size() != r.dadosP.size() ||
      !MesmosBytes(r.dados.data(), r2.dados.data(), r.dados.size() * sizeof(dado)) ||
      !MesmosBytes(r.dadosP.data(), r2.dadosP.data(), r.dadosP.size() * sizeof(dadoP)))
    return "the written file holds other records";
  return {};
}

}  // namespace fuzz
