#pragma once
// What the program decides from the facts a provider reports: whether the
// source is Jet (names in brackets, statements run synchronously), whether it
// runs asynchronously, and whether it belongs to the SQL Server family
// (database switching, procedure text through sp_helptext).
#include <QString>

namespace brenk {

// The provider's own facts, read once after connecting.
struct FatosProvedor {
  QString provedor;  // "Provider Name" (a provider such as "MSDASQL.DLL")
  QString dbms;      // "DBMS Name", upper case
  QString driver;    // "Driver Name" (ODBC sources only)
};

struct RegrasProvedor {
  bool jet = false;         // "MS JET", or the Jet ODBC driver ODBCJT32.DLL
  bool assincrono = true;   // false for Jet and the Internet Publishing provider
  bool trocaBanco = false;  // the SQL Server family: database box, "use", sp_helptext
  bool anywhere = false;    // Sybase SQL Anywhere / Adaptive Server Anywhere (no sp_helptext proper)
  bool oracle = false;      // the DBMS name is or contains "ORACLE"
  bool postgres = false;    // PostgreSQL: a function's source through pg_get_functiondef
};

RegrasProvedor RegrasDe(const FatosProvedor& fatos);

// The statement a run hands to the source, with text mode and the object
// whose source text is shown. A batch that begins with exactly
// "sp_helptext " on a SQL Server family source runs in text mode; on the
// Anywhere servers it becomes a select on syscomments.
struct LotePreparado {
  QString texto;
  bool modoTexto = false;
  QString nomeObjeto;
};
LotePreparado PreparaLote(const QString& texto, const RegrasProvedor& regras);

// True when a batch run on a SQL Server family source may have switched the
// database ("USE " anywhere in it, ignoring case).
bool LoteTrocaBanco(const QString& texto, const RegrasProvedor& regras);

// The statement that shows a procedure's text for this DBMS; `esquema` is
// the procedure's schema where the source has schemas (PostgreSQL shows the
// source of every function of that name in it).
QString TextoProcedimento(const QString& nome, const RegrasProvedor& regras, const QString& esquema = QString());
// The statement that shows a view's text for this DBMS (with its trailing "\n\n").
QString TextoVisao(const QString& nome, const RegrasProvedor& regras);
// A table's name as the browsers list it: Jet always in brackets, any other
// source when the name holds a blank.
QString NomeTabelaLista(const QString& nome, const RegrasProvedor& regras);
// A column as a generated select names it, with its ", ".
QString ColunaSelect(const QString& coluna, const RegrasProvedor& regras);

}  // namespace brenk
