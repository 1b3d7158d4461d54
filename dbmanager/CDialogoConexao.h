#pragma once
// The program's own connection dialog, in place of the Data Links prompt:
// the user picks a provider (SQLite, PostgreSQL, ODBC, Jet files) and fills
// its fields; the dialog answers a connection string the program reads and
// shows. Given a string, it opens filled with its values (the prompt of a
// retry). Object "dlgConexao"; controls 4001 provider, 4002 file or server,
// 4003 browse, 4004 port, 4005 database, 4006 user, 4007 password, 4008 ODBC
// string.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brenk {

class CDialogoConexao : public QDialog {
  Q_OBJECT
public:
  enum Provedor { Sqlite = 0, Postgres, Odbc, Jet };

  explicit CDialogoConexao(const QString& textoConexao, QWidget* parent = nullptr);
  // The connection string of the fields.
  QString TextoConexao() const;

  // Shows the dialog; on OK `texto` becomes the new string. False on Cancel.
  static bool Pede(QWidget* parent, QString& texto);

private:
  void AoTrocarProvedor();
  void Procura();

  QComboBox* provedor_;
  QLabel* rotuloFonte_;
  QLineEdit* fonte_;
  QPushButton* procura_;
  QLineEdit* porta_;
  QLineEdit* banco_;
  QLineEdit* usuario_;
  QLineEdit* senha_;
  QLineEdit* odbc_;
  QList<QWidget*> camposServidor_, camposOdbc_, camposUsuario_;
};

}  // namespace brenk
