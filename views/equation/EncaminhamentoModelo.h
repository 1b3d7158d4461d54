#pragma once
// The model commands an auxiliary window passes on to its model window: they
// run there as if chosen there, and are enabled exactly when they work there
// (and, for the result commands, only while the model holds results).
#include "AlvoComando.h"

#include <initializer_list>
#include <vector>

class CTarsolinDoc;
class QWidget;

class EncaminhamentoModelo {
public:
  // `comandos` are passed on; `resultados` among them need a calculated model.
  EncaminhamentoModelo(std::initializer_list<int> comandos, std::initializer_list<int> resultados);

  bool Encaminha(int id) const;
  static QWidget* Moldura(CTarsolinDoc* doc);
  // False when `id` is not passed on; otherwise runs it (queued) on the model window.
  bool Executa(CTarsolinDoc* doc, int id) const;
  bool Estado(CTarsolinDoc* doc, int id, EstadoComando& estado) const;

private:
  std::vector<int> comandos_;
  std::vector<int> resultados_;
};
