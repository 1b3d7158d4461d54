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

QString TextoProcedimento(const QString& nome, const RegrasProvedor& regras) {
  if (regras.trocaBanco) return QStringLiteral("sp_helptext ") + nome;
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
