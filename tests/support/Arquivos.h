#pragma once
// Whole-file reads and writes for tests that compare files byte for byte.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace teste {

inline QByteArray LeArquivo(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool GravaBytes(const QString& caminho, const QByteArray& b) {
  QFile f(caminho);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
}

}  // namespace teste
