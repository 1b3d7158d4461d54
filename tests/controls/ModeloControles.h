#pragma once
// A model document for the control tests: an empty model written by the
// project's own writer and opened, so its header can be set as a test needs.
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QTemporaryDir>
#include <memory>

namespace teste {

struct ModeloAberto {
  QTemporaryDir dir;
  CTarsolinDoc doc;
  ModeloAberto() {
    auto c = std::make_unique<CabecalhoModelo>();
    c->Zera();
    c->MarcaFormato();
    NEWMAT::Matrix W;
    const QString caminho = dir.filePath("modelo.tsn");
    if (GravaArquivoModelo(caminho, c.get(), nullptr, nullptr, W)) doc.AbreArquivo(caminho);
  }
  CabecalhoModelo& Cab() { return *doc.GetCabecalho(); }
};

}  // namespace teste
