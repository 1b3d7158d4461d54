#include "ComandosModelo.h"

#include "AlvoComando.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "RoteadorComandos.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr int kEncaminhados[] = {32831, 32833, 32840, 32838, 32839, 32841, 32813, 32816, 32817,
                                 32909, 32911, 32913, 32914, 32915, 32908, 32912, 32852, 32862, 32836};
}  // namespace

bool ComandoDoModelo(int id) {
  return std::find(std::begin(kEncaminhados), std::end(kEncaminhados), id) != std::end(kEncaminhados);
}

QWidget* MolduraDoModelo(const CTarsolinDoc* doc) {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  CMainFrame* principal = app ? app->MainFrame() : nullptr;
  return principal && doc ? principal->MolduraModelo(const_cast<CTarsolinDoc*>(doc)) : nullptr;
}

void EncaminhaAoModelo(const CTarsolinDoc* doc, int id) { EncaminhaAoModelo(MolduraDoModelo(doc), id); }

void EncaminhaAoModelo(QWidget* moldura, int id) {
  if (moldura) RoteadorComandos::Instancia().PostaEm(moldura, id);
}

void EstadoComandoDoModelo(const CTarsolinDoc* doc, int id, EstadoComando& estado) {
  EstadoComandoDoModelo(doc, MolduraDoModelo(doc), id, estado);
}

void EstadoComandoDoModelo(const CTarsolinDoc* doc, QWidget* moldura, int id, EstadoComando& estado) {
  const CabecalhoModelo* c = doc ? doc->GetCabecalho() : nullptr;
  bool regra = c != nullptr;
  if (c) {
    switch (id) {
      case 32836: case 32838: case 32839: case 32840: case 32841: regra = c->EstadoCalculo() != 0; break;
      default: break;
    }
  }
  // The command runs on the model window: it must work there too.
  estado.habilitado = regra && moldura && RoteadorComandos::EstadoEm(moldura, id).habilitado;
}
