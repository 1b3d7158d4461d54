#include "EncaminhamentoModelo.h"

#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "RoteadorComandos.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <algorithm>

EncaminhamentoModelo::EncaminhamentoModelo(std::initializer_list<int> comandos, std::initializer_list<int> resultados)
    : comandos_(comandos), resultados_(resultados) {}

bool EncaminhamentoModelo::Encaminha(int id) const {
  return std::find(comandos_.begin(), comandos_.end(), id) != comandos_.end();
}

QWidget* EncaminhamentoModelo::Moldura(CTarsolinDoc* doc) {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  CMainFrame* principal = app ? app->MainFrame() : nullptr;
  return principal && doc ? principal->MolduraModelo(doc) : nullptr;
}

bool EncaminhamentoModelo::Executa(CTarsolinDoc* doc, int id) const {
  if (!Encaminha(id)) return false;
  if (QWidget* moldura = Moldura(doc)) RoteadorComandos::Instancia().PostaEm(moldura, id);
  return true;
}

bool EncaminhamentoModelo::Estado(CTarsolinDoc* doc, int id, EstadoComando& estado) const {
  if (!Encaminha(id)) return false;
  const CabecalhoModelo* c = doc ? doc->GetCabecalho() : nullptr;
  const bool precisaResultados = std::find(resultados_.begin(), resultados_.end(), id) != resultados_.end();
  QWidget* moldura = Moldura(doc);
  estado.habilitado = c && moldura && (!precisaResultados || c->EstadoCalculo() != 0) &&
                      RoteadorComandos::EstadoEm(moldura, id).habilitado;
  return true;
}
