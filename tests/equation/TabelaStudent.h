#pragma once
// A Student table whose every cell is `t`, read in place of the program's for
// as long as the object lives.
#include "model/TabelasEstatisticas.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

namespace teste {

class TabelaStudent {
public:
  explicit TabelaStudent(double t) {
    QByteArray bytes(351 * 8, '\0');
    for (int i = 0; i < 351; ++i) std::memcpy(bytes.data() + 8 * i, &t, 8);
    QFile f(pasta.filePath(QStringLiteral("stdt.dat")));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    DefinePastaTabelas(pasta.path());
  }
  ~TabelaStudent() { DefinePastaTabelas(QString()); }
  TabelaStudent(const TabelaStudent&) = delete;
  TabelaStudent& operator=(const TabelaStudent&) = delete;
  QTemporaryDir pasta;
};

}  // namespace teste
