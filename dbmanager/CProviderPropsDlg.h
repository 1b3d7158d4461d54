#pragma once
// "Propriedades do Provedor" (dlg148): runs a statement on the query
// window's connection and writes the properties of the connection, the
// command, the result set and its first field into a text file in the
// temporary folder, which then opens in the desktop's text viewer.
#include "dbmanager/DataSource.h"

#include <QDialog>
#include <functional>

class QPlainTextEdit;

namespace brenk {

class CChildFrame;

class CProviderPropsDlg : public QDialog {
  Q_OBJECT
public:
  explicit CProviderPropsDlg(CChildFrame* janela, QWidget* parent = nullptr);

  // "&Aplicar": dumps, opens the file and closes; stays open on failure.
  void accept() override;

  // The dump's text (lines end in "\n"; the file has CR LF).
  static QString TextoDump(const ColecoesPropriedades& c);
  // "(adInteger) A 4-byte signed integer"..., "%d = = Unrecognized Type".
  static QString TextoTipoDado(int tipo);
  // "Required ", "Optional ", "Read ", "Write " or empty, the first that holds.
  static QString TextoAtributos(int atributos);
  // <pasta>/[<provider up to its first ".">_<DBMS>].txt, blanks of the file
  // name (not of the folder) as "_".
  static QString CaminhoDump(const QString& pasta, const QString& provedor, const QString& dbms);

  // Opens the written file (the desktop's viewer); tests put a recorder in its place.
  using Abridor = std::function<bool(const QString& caminho)>;
  static Abridor DefineAbridor(Abridor abridor);

private:
  CChildFrame* janela_;
  QPlainTextEdit* comando_;
};

}  // namespace brenk
