#pragma once
// The plain window of a model: its name, counts and variables. It stands in
// for the full model window until that one is plugged in through
// CTarsolinApp::DefineFabricaJanelaModelo.
#include "AlvoComando.h"

#include <QWidget>

class CTarsolinDoc;
class QLabel;
class QTreeWidget;

class JanelaModeloBasica : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  explicit JanelaModeloBasica(CTarsolinDoc* doc, QWidget* parent = nullptr);
  CTarsolinDoc* Documento() const { return doc_; }
  void Atualiza();

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override;

private:
  CTarsolinDoc* doc_;
  QLabel* resumo_;
  QTreeWidget* variaveis_;
};
