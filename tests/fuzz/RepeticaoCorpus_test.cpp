// The fuzz target's committed corpus, replayed on every build: each input
// must pass the target's checks (the libFuzzer program itself is built only
// with clang, by scripts/fuzz).
#include "AlvoModelo.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(CorpusFuzz, CadaEntradaPassaNasVerificacoes) {
  const QDir corpus(QStringLiteral(TARSOLIN_SOURCE_DIR "/tests/fuzz/corpus"));
  const QStringList nomes = corpus.entryList(QDir::Files, QDir::Name);
  ASSERT_GE(nomes.size(), 10);
  for (const QString& nome : nomes) {
    QFile f(corpus.filePath(nome));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << nome.toStdString();
    const QByteArray b = f.readAll();
    EXPECT_EQ(fuzz::VerificaEntrada(reinterpret_cast<const uint8_t*>(b.constData()), std::size_t(b.size())), "")
        << nome.toStdString();
  }
}
