#pragma once
// What the four data-operation dialogs share: the model file's path, the
// header read when the dialog is built, the apply frame that reads the
// records, changes header and records in memory and rewrites the whole file,
// and the look of the image buttons.
#include "platform/ArquivoSeguro.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

struct CabecalhoModelo;
class CHoverButton;
class QLineEdit;

namespace palvedo {

class RegistrosModelo;

class CDialogoModelo : public QDialog {
  Q_OBJECT
public:
  CDialogoModelo(const QString& caminho, int idDialogo, const QString& titulo, QWidget* parent = nullptr);
  ~CDialogoModelo() override;

  // False when the header could not be read: the dialog must not be shown.
  bool CabecalhoLido() const { return lido_; }
  // Tells the user why the file at `caminho` was refused (access or format).
  static void InformaFalhaLeitura(const QString& caminho);

protected:
  // The apply frame. `muda` changes a copy of the header and the records and
  // answers whether the file must be written; the calculation method and the
  // spatial-results flag are then cleared and the whole file rewritten. True
  // when the file was rewritten (the dialog's header then follows it); a
  // failure to read or write is reported and leaves the file as it was.
  bool AplicaNoArquivo(const std::function<bool(CabecalhoModelo&, RegistrosModelo&)>& muda);

  // OK (green check) and Close (red square with a white cross) image buttons,
  // a greyed copy for the rest state and the hover face shifted by +30.
  static void PreparaBotaoImagem(CHoverButton* botao, bool confirma);
  // At most `maximo` characters typed into `edicao`, while the dialog itself
  // may show a longer text there (a number shown back with four decimals must
  // read back as itself) and the user may still shorten such a text.
  static void LimitaDigitacao(QLineEdit* edicao, int maximo);
  // Names of slots 0 .. ate-1.
  QStringList NomesVariaveis(int ate) const;

  // A parameter edit losing the focus: the number it reads is kept and shown
  // back with "%-13.4f"; a text that reads as no finite number ("1e999" is
  // infinity) is left as typed, for the apply to refuse.
  static void ReformataParametro(QLineEdit* edicao, double& valor);
  // The edit's number at apply time; false, after telling the user and
  // focusing the edit, when it is not finite.
  static bool ParametroFinito(QLineEdit* edicao, double& valor);

  const QString caminho_;
  std::unique_ptr<CabecalhoModelo> cab_;

private:
  bool lido_ = false;
  // The file whose header the dialog shows: its records are the ones read,
  // and it is the only file an apply replaces.
  plat::IdentidadeArquivo arquivo_;
};

// Object name of a control: its numeric id, as scripts and tests find it.
void DefineId(QWidget* w, int id);

}  // namespace palvedo
