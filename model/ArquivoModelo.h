#pragma once
// The model file: header, data records, appraisal records and, in some files,
// the stored elements of W, read and written as whole regions. Record arrays
// are contiguous, N data and M appraisal records as the header counts them.
// None of these routines shows a message; each returns false on any failure.
#include "CabecalhoModelo.h"

#include "platform/ArquivoSeguro.h"

#include <QString>

#include <newmat.h>

struct dado;
struct dadoP;

// Length of a file holding the header's records, and its W elements when
// `comElementos`.
long long TamanhoEsperadoModelo(const CabecalhoModelo& cab, bool comElementos);
// Which stored W elements a reader takes.
enum class LeituraW {
  // Only while the spatial model is calculated (and W is not rebuilt from the
  // coordinates): what every plain read of the file does.
  ComResultadoEspacial,
  // Whenever the header stores them (byte 408272 clear), whatever the spatial
  // flag: the model's own W, edited by hand, lives in its stored elements.
  Armazenados,
};

// Whether the header stores W elements that a reader must take.
bool LeElementosW(const CabecalhoModelo& cab, LeituraW modo = LeituraW::ComResultadoEspacial);

// Whether the file at `caminho` can hold what `cab` announces: counts within
// their limits and a length that covers the records (and the stored W
// elements). The opener refuses a file that fails it with string 3044
// "Formato de arquivo inválido!".
bool ArquivoModeloValido(const QString& caminho, const CabecalhoModelo& cab,
                         LeituraW modo = LeituraW::ComResultadoEspacial);

// Reads exactly the 583,248 header bytes; fails on a null buffer, a short
// file, or counts out of their limits (a damaged file). `lido` receives the
// identity of the file read, for the write that will replace it.
bool LeCabecalhoModelo(const QString& caminho, CabecalhoModelo* cab, plat::IdentidadeArquivo* lido = nullptr);

// Reads N data and M appraisal records into the caller's arrays, then the W
// elements when `modo` takes them (W becomes N x N, zero elsewhere). Fails on
// counts out of their limits, a file shorter than the header announces, or an
// element outside 1..N; with `lido`, also on a file that is not the one whose
// header was read (its records would not be the header's).
bool LeRegistrosModelo(const QString& caminho, const CabecalhoModelo* cab, dado* dados,
                       dadoP* dadosP, NEWMAT::Matrix& W, LeituraW modo = LeituraW::ComResultadoEspacial,
                       const plat::IdentidadeArquivo* lido = nullptr);
// The records alone, for a caller that leaves the stored W elements as they
// are in the file (GravaCabecalhoERegistros carries them across).
bool LeRegistrosModelo(const QString& caminho, const CabecalhoModelo* cab, dado* dados, dadoP* dadosP,
                       const plat::IdentidadeArquivo* lido = nullptr);

// What a write of a model file checks and answers. `lido` is the file as the
// caller read it: when it exists, the target must still be that file (a file
// another program replaced or rewrote meanwhile is never written over).
struct ControleGravacao {
  plat::IdentidadeArquivo lido;
  plat::IdentidadeArquivo gravado;  // the file written
  plat::GravacaoSegura::Falha falha = plat::GravacaoSegura::Falha::Nenhuma;
  QString erro;                     // the reason of a failure, for the user
};
// The message of a failed write of the model `caminho`: string 3000 for a
// write-protected file, the changed-file text, else 21002 and the reason.
QString TextoFalhaGravacao(const QString& caminho, const ControleGravacao& controle);
// String 21006: the model's file was changed by another program since it was read.
QString TextoArquivoAlterado(const QString& caminho);

// Writes the whole file through a temporary file that replaces the model only
// when complete, so a failed write keeps the old file. A null array is
// accepted only when the header counts no record of its kind (a new model):
// writing the header without the records it counts would lose them. A W
// without N rows is emptied; the header's element count becomes the number of
// elements written (0 when the header stores none).
bool GravaArquivoModelo(const QString& caminho, CabecalhoModelo* cab, const dado* dados,
                        const dadoP* dadosP, NEWMAT::Matrix& W, ControleGravacao* controle = nullptr);

// Replaces the header and, when given, the N data and M appraisal records
// (the counts the file holds: a caller that changes N or M writes the whole
// file instead), copying every other byte from the file as it stands: the
// records not given, the stored W elements and whatever follows them. The new
// file goes through the safe writer, so a failure leaves the old one byte for
// byte; a file shorter than the regions it must hold is refused. The file
// copied from is the one replaced (never a file put in its place meanwhile),
// and holes in it stay holes.
bool GravaCabecalhoERegistros(const QString& caminho, const CabecalhoModelo* cab, const dado* dados,
                              const dadoP* dadosP, ControleGravacao* controle = nullptr);

// Replaces the 583,248 header bytes, leaving the rest of the file as it is
// (GravaCabecalhoERegistros with no records): a failed write keeps the old file.
bool GravaCabecalhoModelo(const QString& caminho, const CabecalhoModelo* cab, ControleGravacao* controle = nullptr);

// Rewrites the header and, in place, the 800 residual bytes of each of the N
// data records.
bool GravaResiduos(const QString& caminho, const CabecalhoModelo* cab, const dado* dados);
