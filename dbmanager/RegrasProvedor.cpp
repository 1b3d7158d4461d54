#include "dbmanager/RegrasProvedor.h"

namespace brenk {

namespace {
bool Igual(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
}  // namespace

RegrasProvedor RegrasDe(const FatosProvedor& f) {
  RegrasProvedor r;
  r.jet = Igual(f.dbms, "MS JET") || (Igual(f.provedor, "MSDASQL.DLL") && Igual(f.driver, "ODBCJT32.DLL"));
  r.assincrono = !(r.jet || Igual(f.provedor, "MSDAIPP.DLL") ||
                   Igual(f.provedor, "MICROSOFT OLE DB PROVIDER FOR INTERNET PUBLISHING"));
  r.anywhere = Igual(f.dbms, "SYBASE SQL ANYWHERE") || Igual(f.dbms, "ADAPTIVE SERVER ANYWHERE");
  r.trocaBanco = r.anywhere || Igual(f.dbms, "SQL SERVER") || Igual(f.dbms, "MICROSOFT SQL SERVER") ||
                 Igual(f.dbms, "MS SQL SERVER");
  r.oracle = f.dbms.contains(QLatin1String("ORACLE"), Qt::CaseInsensitive);
  r.postgres = Igual(f.dbms, "POSTGRESQL");
  return r;
}

LotePreparado PreparaLote(const QString& texto, const RegrasProvedor& regras) {
  LotePreparado l{texto, false, QString()};
  static const QString prefixo = QStringLiteral("sp_helptext ");
  if (!regras.trocaBanco || !texto.startsWith(prefixo)) return l;
  l.modoTexto = true;
  int fim = prefixo.size();
  while (fim < texto.size() && !QStringLiteral("\n\r\t ").contains(texto[fim])) ++fim;
  l.nomeObjeto = texto.mid(prefixo.size(), fim - prefixo.size());
  if (regras.anywhere)
    l.texto = QStringLiteral("SELECT text FROM syscomments where id = object_id('") + l.nomeObjeto +
              QStringLiteral("') order by number, colid2, colid");
  return l;
}

bool LoteTrocaBanco(const QString& texto, const RegrasProvedor& regras) {
  return regras.trocaBanco && texto.contains(QLatin1String("USE "), Qt::CaseInsensitive);
}

namespace {
// A text as an SQL string literal.
QString Literal(const QString& t) {
  QString s = t;
  s.replace(QLatin1Char('\''), QStringLiteral("''"));
  return QLatin1Char('\'') + s + QLatin1Char('\'');
}
}  // namespace

QString TextoProcedimento(const QString& nome, const RegrasProvedor& regras, const QString& esquema) {
  if (regras.trocaBanco) return QStringLiteral("sp_helptext ") + nome;
  if (regras.postgres) {
    // The list shows a name with a blank in brackets.
    QString n = nome;
    if (n.size() > 1 && n.startsWith(QLatin1Char('[')) && n.endsWith(QLatin1Char(']'))) n = n.mid(1, n.size() - 2);
    QString s = QStringLiteral("select pg_get_functiondef(p.oid) from pg_proc p join pg_namespace n on n.oid = p.pronamespace "
                               "where p.proname = ") + Literal(n);
    s += esquema.isEmpty() ? QStringLiteral(" and pg_function_is_visible(p.oid)")
                           : QStringLiteral(" and n.nspname = ") + Literal(esquema);
    return s + QStringLiteral(" order by p.oid");
  }
  if (regras.oracle)
    return QStringLiteral("select TEXT from ALL_SOURCE where type = 'PROCEDURE' and NAME = '") + nome +
           QStringLiteral("'");
  return nome + QStringLiteral(" // Procedure text not supported");
}

QString TextoVisao(const QString& nome, const RegrasProvedor& regras) {
  if (regras.oracle)
    return QStringLiteral("SELECT text FROM user_views WHERE view_name = '") + nome + QStringLiteral("'\n\n");
  if (regras.trocaBanco) return QStringLiteral("sp_helptext ") + nome + QStringLiteral("\n\n");
  return nome + QStringLiteral(" // Texto não suportado\n\n");
}

QString NomeTabelaLista(const QString& nome, const RegrasProvedor& regras) {
  if (regras.jet || nome.contains(QLatin1Char(' '))) return QLatin1Char('[') + nome + QLatin1Char(']');
  return nome;
}

QString ColunaSelect(const QString& coluna, const RegrasProvedor& regras) {
  if (regras.jet) {
    const int ponto = coluna.indexOf(QLatin1Char('.'));
    if (ponto >= 0)
      return QLatin1Char('[') + coluna.left(ponto) + QStringLiteral("].[") + coluna.mid(ponto + 1) +
             QStringLiteral("], ");
    return QLatin1Char('[') + coluna + QStringLiteral("], ");
  }
  if (coluna.contains(QLatin1Char(' '))) return QLatin1Char('[') + coluna + QStringLiteral("], ");
  return coluna + QStringLiteral(", ");
}

}  // namespace brenk
