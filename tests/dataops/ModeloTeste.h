#pragma once
// Small model files for the data-operations tests: every per-variable entry of
// the header and of the records carries a mark of its slot, so a test can tell
// where each entry went.
#include "RegistrosModelo.h"
#include "model/CabecalhoModelo.h"

#include <QByteArray>
#include <QString>
#include <memory>

struct ModeloTeste {
  std::unique_ptr<CabecalhoModelo> cab;
  palvedo::RegistrosModelo reg;

  // V variables (the last the dependent), N data and M appraisal records;
  // with `comW` an N x N W whose element (i, j) is 10 i + j, off the diagonal,
  // stored as elements behind the records.
  static ModeloTeste Cria(int V, int N, int M, bool comW = false);
  ModeloTeste Copia() const;
  // Writes the file with the project's writer.
  bool Grava(const QString& caminho);

  // The marks a fresh model gives slot v.
  static double ValorDado(int registro, int v) { return 1000.0 * (registro + 1) + v + 0.25; }
  static double ValorAvaliando(int registro, int s) { return -(1000.0 * (registro + 1) + s + 0.5); }
};

// Bytes of a file (empty when it cannot be read) and their SHA-256.
QByteArray LeArquivo(const QString& caminho);
QByteArray Sha256(const QString& caminho);
