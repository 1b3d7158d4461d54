#include "dbmanager/DivisorLote.h"

#include <sqlite3.h>

namespace brenk {

bool SoComentarios(const QString& t) {
  int i = 0;
  const int n = t.size();
  while (i < n) {
    if (t[i].isSpace() || t[i] == QLatin1Char(';')) { ++i; continue; }
    if (t.mid(i, 2) == QLatin1String("--")) {
      const int f = t.indexOf(QLatin1Char('\n'), i);
      i = f < 0 ? n : f + 1;
      continue;
    }
    if (t.mid(i, 2) == QLatin1String("/*")) {
      const int f = t.indexOf(QLatin1String("*/"), i + 2);
      i = f < 0 ? n : f + 2;
      continue;
    }
    return false;
  }
  return true;
}

QStringList DivideLoteSqlite(const QString& lote) {
  QStringList partes;
  int inicio = 0;
  int pos = 0;
  while ((pos = lote.indexOf(QLatin1Char(';'), pos)) >= 0) {
    const QString peca = lote.mid(inicio, pos - inicio + 1);
    ++pos;
    if (sqlite3_complete(peca.toUtf8().constData())) {
      if (!SoComentarios(peca)) partes << peca.trimmed();
      inicio = pos;
    }
  }
  const QString resto = lote.mid(inicio);
  if (!SoComentarios(resto)) partes << resto.trimmed();
  return partes;
}

QStringList DivideLotePostgres(const QString& t) {
  QStringList partes;
  int inicio = 0;
  int i = 0;
  const int n = t.size();
  auto fecha = [&](int fim) {
    const QString peca = t.mid(inicio, fim - inicio);
    if (!SoComentarios(peca)) partes << peca.trimmed();
  };
  while (i < n) {
    const QChar c = t[i];
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      // A doubled quote stays inside the literal.
      int j = i + 1;
      while (j < n) {
        if (t[j] == c) {
          if (j + 1 < n && t[j + 1] == c) { j += 2; continue; }
          break;
        }
        ++j;
      }
      i = j + 1;
    } else if (c == QLatin1Char('-') && i + 1 < n && t[i + 1] == QLatin1Char('-')) {
      const int f = t.indexOf(QLatin1Char('\n'), i);
      i = f < 0 ? n : f + 1;
    } else if (c == QLatin1Char('/') && i + 1 < n && t[i + 1] == QLatin1Char('*')) {
      int nivel = 1;
      int j = i + 2;
      while (j < n && nivel > 0) {
        if (t.mid(j, 2) == QLatin1String("/*")) { ++nivel; j += 2; }
        else if (t.mid(j, 2) == QLatin1String("*/")) { --nivel; j += 2; }
        else ++j;
      }
      i = j;
    } else if (c == QLatin1Char('$')) {
      // $tag$ ... $tag$, the tag being empty or an identifier.
      int j = i + 1;
      while (j < n && (t[j].isLetterOrNumber() || t[j] == QLatin1Char('_'))) ++j;
      if (j < n && t[j] == QLatin1Char('$') && !(j > i + 1 && t[i + 1].isDigit())) {
        const QString marca = t.mid(i, j - i + 1);
        const int f = t.indexOf(marca, j + 1);
        i = f < 0 ? n : f + marca.size();
      } else {
        i = j;
      }
    } else if (c == QLatin1Char(';')) {
      fecha(i + 1);
      inicio = ++i;
    } else {
      ++i;
    }
  }
  fecha(n);
  return partes;
}

}  // namespace brenk
