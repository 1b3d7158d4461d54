#include "ReconhecimentoModelo.h"

#include "CabecalhoModelo.h"

#include "platform/TipoArquivo.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace {
// Single bytes compare as signed characters: bytes from 0x80 on count as
// below every digit.
signed char S(const char* b, std::size_t i) { return static_cast<signed char>(b[i]); }
}  // namespace

ClasseArquivo ReconheceArquivoModelo(const char* b) {
  // The text up to the first NUL equals "HEADERTS-Kolmar".
  if (std::memcmp(b, "HEADERTS-Kolmar", 15) == 0 && b[15] == 0) return ClasseArquivo::Danificado;
  if (std::memcmp(b, "Kolmar", 6) == 0) {
    if (S(b, 7) == '4') return ClasseArquivo::Kolmar4;
    if (S(b, 7) == '5' && S(b, 9) < '5') return ClasseArquivo::Kolmar5;
    return ClasseArquivo::KolmarPosterior;
  }
  if (std::memcmp(b, "Zelvar", 6) == 0) {
    if (S(b, 7) != '1') return ClasseArquivo::Invalido;
    if (S(b, 8) == '.' && S(b, 9) > '9') return ClasseArquivo::Invalido;
    return ClasseArquivo::Zelvar;
  }
  if (std::memcmp(b, "Tarsolin", 8) != 0 || std::memcmp(b + 12, "09664", 5) != 0) return ClasseArquivo::Invalido;
  if (S(b, 9) != '1') return ClasseArquivo::Invalido;
  if (S(b, 10) < '4') return ClasseArquivo::AtualAntigo;
  return ClasseArquivo::Atual;
}

void AtualizaVersaoMenor(CabecalhoModelo& cab) {
  if (static_cast<signed char>(cab.VersaoMenor()) < '4') cab.AplicaPadroesEspaciais();
}

bool ArquivoAntigo(ClasseArquivo classe) {
  return classe == ClasseArquivo::Kolmar4 || classe == ClasseArquivo::Kolmar5 ||
         classe == ClasseArquivo::KolmarPosterior || classe == ClasseArquivo::Zelvar;
}

QString CaminhoModeloConvertido(const QString& antigo) {
  const QFileInfo info(antigo);
  return info.path() + '/' + info.completeBaseName() + QStringLiteral(".tsn");
}

QString ModeloConvertidoDe(const QString& caminho) {
  if (!plat::ArquivoComum(caminho)) return QString();  // never opened: a FIFO would block
  QFile f(caminho);
  char prefixo[TamanhoReconhecimento];
  if (!f.open(QIODevice::ReadOnly) || f.read(prefixo, qint64(TamanhoReconhecimento)) != qint64(TamanhoReconhecimento))
    return QString();
  return ArquivoAntigo(ReconheceArquivoModelo(prefixo)) ? CaminhoModeloConvertido(caminho) : QString();
}
