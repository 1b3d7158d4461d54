#pragma once
// The file commands a model document answers: save (57603) and save as
// (57604). Attached to the document, so it lives and dies with it.
#include "AlvoComando.h"

#include <QObject>

class CTarsolinDoc;

class AlvoDocumento : public QObject, public AlvoComando {
  Q_OBJECT
public:
  static AlvoDocumento* Para(CTarsolinDoc* doc);
  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;

private:
  explicit AlvoDocumento(CTarsolinDoc* doc);
  CTarsolinDoc* doc_;
};
