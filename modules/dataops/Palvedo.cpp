// The library's exports: each runs one dialog on the model file named by its
// path and answers TRUE (1) exactly when the file was rewritten.
#include "CExcluirVariaveis.h"
#include "CIncluirVariaveis.h"
#include "COperarDados.h"
#include "COperarVariaveis.h"
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"

#include <QApplication>
#include <QFile>

#include <exception>
#include <memory>

namespace {

using namespace palvedo;

template <class Dialogo>
int Executa(const char* caminho) {
  if (caminho == nullptr || QApplication::instance() == nullptr) return 0;
  try {
    // The header is checked before any dialog is built from it.
    const QString c = QFile::decodeName(caminho);
    {
      auto cab = std::make_unique<CabecalhoModelo>();
      if (!LeCabecalhoModelo(c, cab.get())) {
        CDialogoModelo::InformaFalhaLeitura(c);
        return 0;
      }
    }
    Dialogo dlg(c);
    if (!dlg.CabecalhoLido()) {
      CDialogoModelo::InformaFalhaLeitura(c);
      return 0;
    }
    return plat::ExecutaDialogo(dlg) == QDialog::Accepted ? 1 : 0;
  } catch (...) {
    // Nothing may cross back into the program: memory exhausted or a matrix
    // failure ends the operation with the file as it was.
    plat::MessageBox(QStringLiteral("Cálculo indeterminado !"));
    return 0;
  }
}

int ExcluiVariavel(const char* caminho) { return Executa<CExcluirVariaveis>(caminho); }
int IncluiVariavel(const char* caminho) { return Executa<CIncluirVariaveis>(caminho); }
int OperaDado(const char* caminho) { return Executa<COperarDados>(caminho); }
int OperaVariavel(const char* caminho) { return Executa<COperarVariaveis>(caminho); }

}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  using Exportacao = int (*)(const char*);
  Exportacao f = nullptr;
  switch (ordinal) {
    case 1: f = &ExcluiVariavel; break;
    case 2: f = &IncluiVariavel; break;
    case 3: f = &OperaDado; break;
    case 4: f = &OperaVariavel; break;
    default: return nullptr;
  }
  return reinterpret_cast<void*>(f);
}
