#pragma once
// Connection strings: the ones the connect command builds for each kind of
// source, in the one fixed form it writes them (the user sees and reuses
// them), and their reading into the back end that opens them.
#include <QMap>
#include <QString>

namespace brenk {

// The file dialog of a file-based kind: filter description, default
// extension and initial file name (all empty for kinds without a file).
struct ArquivoTipoConexao {
  QString descricao;
  QString extensao;
  QString nomeInicial;
};
ArquivoTipoConexao ArquivoDoTipo(int tipo);

// The connection string of kind 1 (Access), 2 ("Arquivos do Excel"), 3
// (dBase), 6 ("Excel Files") for the chosen file and the current folder;
// empty for kind 0, kind 4 (the connection prompt) and unknown kinds. A dBase
// source is a folder of tables, so kind 3 names the chosen file's folder.
QString TextoConexao(int tipo, const QString& arquivo, const QString& pastaAtual);

// The back end that opens a connection string.
enum class Motor {
  Nenhum,    // nothing that can be opened (the reason is in `erro`)
  Sqlite,    // an SQLite database file (the embedded default)
  Postgres,  // a PostgreSQL server
  Odbc,      // any ODBC source through unixODBC (FreeTDS for the SQL Server family)
  Access,    // an Access file, read into a read-only snapshot
  Excel,     // an Excel workbook, read into a read-only snapshot
  Dbase,     // a folder of dBase tables, read into a read-only snapshot
};

struct ParametrosConexao {
  Motor motor = Motor::Nenhum;
  QString provedor;      // the Provider value as written
  QString arquivo;       // database file, workbook, or the folder of dBase tables
  QString servidor;      // host name (PostgreSQL)
  int porta = 0;         // 0: the back end's default
  QString banco;         // initial database
  QString usuario, senha;
  QString textoOdbc;     // the string handed to the ODBC driver manager
  QString fonteDados;    // the name the source goes by (a DSN, a file)
  QString erro;          // why it cannot be opened (Motor::Nenhum)
  QMap<QString, QString> pares;  // every key (lower case) and its value
};

// Reads a connection string. Keys are matched ignoring case; values may be
// quoted; "Extended Properties" unquoted takes the rest of the string, as the
// program's own strings write it.
ParametrosConexao LeTextoConexao(const QString& texto);

// The key=value pairs of an ODBC string (keys lower case), braces kept out.
QMap<QString, QString> ParesOdbc(const QString& texto);

// A connection string as it may be shown: every password value ("Password",
// "PWD", also inside the ODBC string) replaced by asterisks.
QString OcultaSenha(const QString& texto);
// Takes the password ("PWD") out of an ODBC string; `senha` receives it.
QString RetiraSenhaOdbc(const QString& texto, QString& senha);

}  // namespace brenk
