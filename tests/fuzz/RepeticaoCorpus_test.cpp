// The fuzz targets' committed corpora, replayed on every build: each input
// must pass its target's checks (the libFuzzer programs themselves are built
// only with clang, by scripts/fuzz). The libraries' target reads the model
// target's inputs.
#include "AlvoAntigos.h"
#include "AlvoBibliotecas.h"
#include "AlvoModelo.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

void Repete(const char* pasta, int minimo, const std::function<std::string(const uint8_t*, std::size_t)>& alvo) {
  const QDir corpus(QStringLiteral(TARSOLIN_SOURCE_DIR "/tests/fuzz/") + QString::fromLatin1(pasta));
  const QStringList nomes = corpus.entryList(QDir::Files, QDir::Name);
  ASSERT_GE(nomes.size(), minimo) << pasta;
  for (const QString& nome : nomes) {
    QFile f(corpus.filePath(nome));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << nome.toStdString();
    const QByteArray b = f.readAll();
    EXPECT_EQ(alvo(reinterpret_cast<const uint8_t*>(b.constData()), std::size_t(b.size())), "")
        << pasta << "/" << nome.toStdString();
  }
}

TEST(CorpusFuzz, CadaEntradaPassaNasVerificacoes) { Repete("corpus", 10, fuzz::VerificaEntrada); }

TEST(CorpusFuzz, BibliotecasLeemCadaEntrada) { Repete("corpus", 10, fuzz::VerificaBibliotecas); }

TEST(CorpusFuzz, FormatosAntigosConvertidos) { Repete("corpus-antigos", 4, fuzz::VerificaAntigos); }

}  // namespace
