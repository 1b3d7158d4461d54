#pragma once
// The window of one report: the ruler above the report view. It is shown
// maximised whenever it is activated and passes the report's commands to the
// view and the document.
#include "app/AlvoComando.h"

#include <QWidget>

class CLaudoDoc;
class CLaudoView;
class CRulerBar;

class CDocChildFrame : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  explicit CDocChildFrame(CLaudoDoc* doc, QWidget* parent = nullptr);
  ~CDocChildFrame() override;

  CLaudoView* Vista() const { return vista_; }
  CLaudoDoc* Documento() const { return doc_; }
  CRulerBar* Regua() const { return regua_; }

  // The document's type message: with `restaura` and a type, text types hide
  // the format tool bar and the ruler, and every type sets the window's icon.
  void MensagemTipo(bool restaura, int tipo);
  // The ruler hides for a print preview and comes back after it.
  void MostraRegua(bool mostra);
  // Whether this report is the file at `caminho` (asked by a second instance).
  bool RespondeAbertura(const QString& caminho) const;

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  QObject* VistaAtiva() override;
  QObject* DocumentoAlvo() override;

protected:
  void showEvent(QShowEvent* e) override;
  void moveEvent(QMoveEvent* e) override;

private:
  CLaudoDoc* doc_;
  CLaudoView* vista_;
  CRulerBar* regua_;
};
