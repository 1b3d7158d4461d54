#pragma once
// "Selecione o Banco de Dados" (dlg138): the user picks the kind of source
// with one of five picture buttons; the dialog only records the kind and
// closes, and the connect command builds the connection for it.
#include <QDialog>

class CHoverButton;
class QLabel;

namespace brenk {

class CDataSourceDlg : public QDialog {
  Q_OBJECT
public:
  explicit CDataSourceDlg(QWidget* parent = nullptr);

  // The connection kind chosen last in this run (0 before any choice):
  // 1 Access, 2 "Arquivos do Excel", 3 dBase, 4 the connection prompt, 6 "Excel Files".
  static int TipoConexao();
  static void DefineTipoConexao(int tipo);

protected:
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

private:
  CHoverButton* NovoBotao(int id, const QString& texto, int icone, const QString& dica, int tipo);
};

}  // namespace brenk
