#pragma once
// The records of a model file held while an operation changes them: the data
// records, the appraisal records and the weights matrix W, read from and
// written back to the file whose header the caller holds.
#include "model/dado.h"
#include "model/dadoP.h"

#include "model/ArquivoModelo.h"

#include <newmat.h>

#include <QString>
#include <vector>

struct CabecalhoModelo;

namespace palvedo {

class RegistrosModelo {
public:
  std::vector<dado> dados;     // N data records, in file order
  std::vector<dadoP> dadosP;   // M appraisal records
  NEWMAT::Matrix W;            // N x N when the file stores weights, else empty

  // Reads the records that `c` counts from the file at `caminho`; false when
  // the counts are out of range or the file is short or unreadable.
  // With `lido`, only from that file (the one whose header `c` is).
  bool Le(const QString& caminho, const CabecalhoModelo& c, const plat::IdentidadeArquivo* lido = nullptr);
  // Rewrites the whole file (header, records, W) safely: false, with the old
  // file intact, when it could not be written completely (`controle` checks
  // the file replaced and tells why).
  bool Grava(const QString& caminho, CabecalhoModelo& c, ControleGravacao* controle = nullptr);

  static unsigned char* Bytes(dado& d) { return reinterpret_cast<unsigned char*>(&d); }
  static unsigned char* Bytes(dadoP& d) { return reinterpret_cast<unsigned char*>(&d); }
  static const unsigned char* Bytes(const dado& d) { return reinterpret_cast<const unsigned char*>(&d); }
  static const unsigned char* Bytes(const dadoP& d) { return reinterpret_cast<const unsigned char*>(&d); }
};

}  // namespace palvedo
