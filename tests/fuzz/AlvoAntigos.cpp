// Fuzz target over the older products' files, converted: damaged files go
// through the header and record readers, the importers and the document's
// open with the conversion accepted. What must hold for any input: nothing
// crashes or reads out of bounds (the sanitizers watch), the older file is
// never changed, an import gives the records its header counts, and a
// converted model that opens loads its records.
#include "AlvoAntigos.h"
#include "AlvoModelo.h"
#include "Edicoes.h"

#include "tests/support/Arquivos.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/FormatosAntigos.h"
#include "platform/Mensagem.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace fuzz {

namespace {

template <class Cab, class R>
QByteArray Imagem(const Cab& cab, const std::vector<R>& registros) {
  QByteArray b(reinterpret_cast<const char*>(cab.bytes), qsizetype(Cab::Tamanho));
  if (!registros.empty())
    b.append(reinterpret_cast<const char*>(registros.data()), qsizetype(registros.size() * sizeof(R)));
  return b;
}

void Texto(unsigned char* destino, const char* t) { std::memcpy(destino, t, std::strlen(t)); }

// Version 4: three variables, the dependent in the middle, four records, calculated.
QByteArray BaseKmr4() {
  using K = CabecalhoKmr4;
  auto k = std::make_unique<K>();
  k->Zera();
  Texto(k->bytes, "Kolmar 4.93");
  for (int v = 0; v < 3; ++v) {
    const char* nomes[] = {"AREA", "FRENTE", "VALOR"};
    Texto(k->bytes + K::OffNomes + K::TamNomeVariavel * v, nomes[v]);
    k->SetI32(K::OffHabilitadas + 4 * v, 1);
    k->SetI32(K::OffTransformacoes + 4 * v, v + 1);
    k->SetF64(K::OffCoeficientes + 8 * v, 10.0 * (v + 1));
  }
  k->SetI32(K::OffCalculado, 1);
  k->SetI32(K::OffNumVariaveis, 3);
  k->SetI32(K::OffNumDados, 4);
  k->SetI32(K::OffNumConsiderados, 3);
  k->SetI32(K::OffDependente, 1);
  std::vector<dadoS4> d(4, dadoS4{});
  for (int i = 0; i < 4; ++i) {
    for (int v = 0; v < 3; ++v) d[i].valor[v] = 100.0 * v + i + 1;
    std::snprintf(d[i].endereco, sizeof d[i].endereco, "Rua %d", i);
    d[i].excluido = i == 3 ? 1 : 0;
  }
  return Imagem(*k, d);
}

// Version 5: four variables, two kept equations, three records.
QByteArray BaseKmr5() {
  using K = CabecalhoKmr5;
  auto k = std::make_unique<K>();
  k->Zera();
  std::memcpy(k->bytes, "Kolmar 5.30\0" "09663", 17);
  for (int v = 0; v < 4; ++v) {
    const char* nomes[] = {"AREA", "FRENTE", "PADRAO", "VALOR"};
    Texto(k->bytes + K::OffNomes + K::TamNomeVariavel * v, nomes[v]);
    k->SetI32(K::OffHabilitadas + 4 * v, 1);
    k->SetI32(K::OffTipos + 4 * v, v + 1);
    for (int e = 0; e < 2; ++e) {
      k->SetI32(K::OffTransformacoes + 400 * v + 4 * e, (v + e) % 8);
      k->SetF64(K::OffCoeficientes + 800 * v + 8 * e, -v - 0.5 * e);
    }
  }
  k->SetI32(K::OffEstadoCalculo, 2);
  k->SetI32(K::OffNumEquacoes, 2);
  k->SetI32(K::OffEquacaoCorrente, 1);
  k->SetI32(K::OffNumVariaveis, 4);
  k->SetI32(K::OffNumDados, 3);
  k->SetI32(K::OffNumConsiderados, 2);
  k->SetI32(K::OffDependente, 3);
  std::vector<dadoS5> d(3, dadoS5{});
  for (int i = 0; i < 3; ++i) {
    for (int v = 0; v < 4; ++v) d[i].valor[v] = 10.0 * v + i + 1;
    std::snprintf(d[i].endereco, sizeof d[i].endereco, "Av. %d", i);
    d[i].excluido = i == 1;
  }
  return Imagem(*k, d);
}

// The later format: five variables, one equation, two records and two
// appraisal records, under either product's name.
QByteArray Base550(const char* marca) {
  using K = Cabecalho550;
  auto k = std::make_unique<K>();
  k->Zera();
  Texto(k->bytes, marca);
  const int nv = 5;
  for (int v = 0; v < nv; ++v) {
    char nome[8];
    std::snprintf(nome, sizeof nome, "V%d", v);
    Texto(k->bytes + K::OffNomes + K::TamNomeVariavel * v, nome);
    k->SetI32(K::OffHabilitadas + 4 * v, 1);
    k->SetI32(K::OffTransformacoes + 400 * v, 3);
    k->SetF64(K::OffExpoentes + 800 * v, 0.5);
  }
  k->SetI32(K::OffEstadoCalculo, 1);
  k->SetI32(K::OffNumEquacoes, 1);
  k->SetI32(K::OffNumVariaveis, nv);
  k->SetI32(K::OffNumDados, 2);
  k->SetI32(K::OffNumConsiderados, 2);
  k->SetI32(K::OffNumDadosP, 2);
  k->SetI32(K::OffDependente, 2);
  std::vector<dado550> d(2, dado550{});
  for (int i = 0; i < 2; ++i)
    for (int v = 0; v < nv; ++v) d[i].valor[v] = v * 2.0 + i + 1;
  std::vector<dadoP550> p(2, dadoP550{});
  for (int i = 0; i < 2; ++i)
    for (int v = 0; v < 43; ++v) p[i].valor[v] = 1000.0 + v;
  QByteArray b = Imagem(*k, d);
  b.append(reinterpret_cast<const char*>(p.data()), qsizetype(p.size() * sizeof(dadoP550)));
  return b;
}

enum class Formato { Kmr4, Kmr5, Posterior };

struct Base {
  QByteArray bytes;
  Formato formato;
  const char* extensao;
  std::vector<std::size_t> campos;  // the counts and indices edit 3 sets
};

// A document service that leaves the version-4 equation as converted: the
// regression library is not what this target reads.
class ServicosFuzz : public ServicosDocumento {
public:
  bool RecalculaEquacao(const QString&) override { return true; }
};

struct Ambiente {
  std::vector<Base> bases;
  ServicosFuzz servicos;
  Ambiente() {
    using K4 = CabecalhoKmr4;
    using K5 = CabecalhoKmr5;
    using K6 = Cabecalho550;
    bases.push_back({BaseKmr4(), Formato::Kmr4, ".kmr",
                     {K4::OffNumVariaveis, K4::OffNumDados, K4::OffNumConsiderados, K4::OffDependente,
                      K4::OffCalculado, K4::OffVariavelDurbinWatson, K4::OffTransformacoes}});
    const std::vector<std::size_t> c5 = {K5::OffNumVariaveis, K5::OffNumDados, K5::OffNumConsiderados,
                                         K5::OffDependente, K5::OffNumEquacoes, K5::OffEquacaoCorrente,
                                         K5::OffEstadoCalculo, K5::OffVariavelArea, K5::OffVariavelDurbinWatson,
                                         K5::OffModoAcesso, K5::OffTransformacoes};
    bases.push_back({BaseKmr5(), Formato::Kmr5, ".kmr", c5});
    const std::vector<std::size_t> c6 = {K6::OffNumVariaveis, K6::OffNumDados, K6::OffNumConsiderados,
                                         K6::OffNumDadosP, K6::OffDependente, K6::OffNumEquacoes,
                                         K6::OffEquacaoCorrente, K6::OffEstadoCalculo, K6::OffVariavelArea,
                                         K6::OffVariavelDurbinWatson, K6::OffModoAcesso, K6::OffTransformacoes};
    bases.push_back({Base550("Kolmar 5.50"), Formato::Posterior, ".kmr", c6});
    bases.push_back({Base550("Zelvar 1.0"), Formato::Posterior, ".zlv", c6});
  }
};

Ambiente& Amb() {
  static Ambiente a;
  return a;
}

QByteArray Aplica(const Base& base, const uint8_t* dados, std::size_t tamanho) {
  return fuzz::AplicaEdicoes(base.bytes, dados, tamanho, base.campos);
}

// The importer of the chosen layout; when it accepts the file, its records are
// the counts of its header.
std::string VerificaImportador(const QString& caminho, Formato formato) {
  ModeloConvertido modelo;
  const MargensPagina margens;
  const bool lido = formato == Formato::Kmr4   ? ImportaKmr4(caminho, margens, modelo)
                    : formato == Formato::Kmr5 ? ImportaKmr5(caminho, margens, modelo)
                                               : Importa550(caminho, margens, modelo);
  if (!lido) return {};
  if (!modelo.cab) return "an import gave no header";
  if (!modelo.cab->ContagensValidas()) return "an import gave counts out of their limits";
  if (int(modelo.dados.size()) != modelo.cab->NumDados()) return "an import gave other than N records";
  if (!modelo.dadosP.empty() && int(modelo.dadosP.size()) != modelo.cab->NumDadosP())
    return "an import gave other than M appraisal records";
  return {};
}

}  // namespace

std::string VerificaAntigos(const uint8_t* dados, std::size_t tamanho) {
  Ambiente& amb = Amb();
  if (tamanho == 0) return {};
  const Base& base = amb.bases[dados[0] % amb.bases.size()];
  const QByteArray arquivo = Aplica(base, dados, tamanho);
  const QString entrada = PastaTrabalho() + QStringLiteral("/antigo") + QString::fromLatin1(base.extensao);
  const QString convertido = PastaTrabalho() + QStringLiteral("/antigo.tsn");
  QFile::remove(convertido);
  if (!teste::GravaBytes(entrada, arquivo)) return "the input could not be written";

  std::string erro = VerificaImportador(entrada, base.formato);
  if (!erro.empty()) return erro;
  if (teste::LeArquivo(entrada) != arquivo) return "importing changed the older file";

  // The document's open: every conversion question answered Yes.
  ServicosDocumento* anteriores = &CTarsolinDoc::Servicos();
  CTarsolinDoc::DefineServicos(&amb.servicos);
  auto tratador = plat::DefineTratadorMensagem([](const plat::Mensagem& m) {
    return (m.estilo & 0xFu) == plat::MB_YESNO || (m.estilo & 0xFu) == plat::MB_YESNOCANCEL ? plat::IDYES
                                                                                               : plat::IDOK;
  });
  {
    CTarsolinDoc doc;
    const bool aberto = doc.AbreArquivo(entrada);
    if (teste::LeArquivo(entrada) != arquivo) erro = "converting changed the older file";
    else if (aberto && doc.GetPathName() != convertido) erro = "the converted model is not the .tsn beside it";
    else if (aberto && !doc.CarregaRegistros()) erro = "a converted model that opens does not load its records";
  }
  plat::DefineTratadorMensagem(tratador);
  CTarsolinDoc::DefineServicos(anteriores);
  return erro;
}

}  // namespace fuzz
