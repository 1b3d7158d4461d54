#include "ExportaPlanilha.h"

#include "controls/CTableCtrl.h"
#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/Transformacoes.h"
#include "model/dado.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Cp1252.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QFileInfo>

namespace {
using C = CabecalhoModelo;

const QString kErroEscrita = QStringLiteral("Não foi possível salvar a planilha.");

// The whole file through the safe writer: a failed write leaves the old file.
bool Grava(const QString& caminho, const std::string& bytes) {
  plat::GravacaoSegura f(caminho);
  if (!f.Aberta()) {
    plat::MessageBox(QStringLiteral("Não foi possível criar o arquivo %1.\n%2").arg(QFileInfo(caminho).fileName(), f.Erro()),
                     QString(), plat::MB_ICONEXCLAMATION);
    return false;
  }
  if (!f.Escreve(bytes.data(), bytes.size()) || !f.Confirma()) {
    plat::MessageBox(kErroEscrita);
    return false;
  }
  return true;
}

// One "%f" per line, CR LF, decimal comma.
bool EscreveVetor(const QString& caminho, const NEWMAT::ColumnVector& v) {
  std::string bytes;
  for (int i = 1; i <= v.Nrows(); ++i) bytes += plat::ParaCp1252(plat::FormataC("%f", {v(i)})) + "\r\n";
  return Grava(caminho, bytes);
}

// A W of another size, or one without a single distance, is no W.
bool TemW(const NEWMAT::Matrix& W, int N) {
  if (W.Nrows() != N || W.Ncols() != N || N == 0) return false;
  for (int i = 1; i <= N; ++i)
    for (int j = 1; j <= N; ++j)
      if (W(i, j) != 0.0) return true;
  return false;
}

// The weights of a cut-out as the spatial calculations use them.
void PreparaPesos(const CabecalhoModelo& cab, NEWMAT::Matrix& W, bool quadrada) {
  TransformaPesos(&cab, W, quadrada);
  if (cab.U8(C::OffNormalizaW) && W.Ncols() > 0) PadronizaLinhasNoLugar(W);
}
}  // namespace

QString RaizExportacao(const QString& caminhoModelo) {
  return caminhoModelo.endsWith(QLatin1String(".tsn")) ? caminhoModelo.chopped(4) : caminhoModelo;
}

bool ExportaPlanilha(const QString& caminhoModelo, CTableCtrl& grade, const std::function<bool(int row)>& validacao,
                     const std::function<QString(int row, int col)>& texto, const CabecalhoModelo& cab,
                     const dado* dados, const NEWMAT::Matrix& W) {
  const QString raiz = RaizExportacao(caminhoModelo);
  {
    std::string bytes;
    for (int r = 0; r < grade.GetRowCount(); ++r) {
      if (r > 0 && grade.GetCellText(r, 0) == QLatin1String("*") && !validacao(r)) continue;  // excluded
      QStringList campos;
      for (int c = 0; c < grade.GetColumnCount(); ++c) campos << texto(r, c);
      bytes += plat::ParaCp1252(campos.join(QLatin1Char('\t'))) + "\r\n";
    }
    if (!Grava(raiz + QStringLiteral(".txt"), bytes)) return false;
  }

  const int N = std::max(cab.NumDados(), 0);
  if (!TemW(W, N)) {
    plat::MessageBox(QStringLiteral("O modelo não tem a matriz W: a planilha foi exportada sem os arquivos de W·y."),
                     QString(), plat::MB_ICONEXCLAMATION);
    return true;
  }
  int considerados = 0;
  for (int i = 0; i < N; ++i) considerados += dados[i].Considerado() ? 1 : 0;
  const int e = std::clamp(cab.I32(C::OffEquacaoCorrente), 0, C::MaxEquacoes - 1);
  NEWMAT::ColumnVector y(considerados);
  if (considerados > 0) MontaVetorY(y, &cab, dados, false, e);

  NEWMAT::Matrix Wv;
  RecortaPesosValidacao(W, Wv, &cab, dados);
  PreparaPesos(cab, Wv, false);
  NEWMAT::ColumnVector wyv(Wv.Nrows());
  wyv = 0.0;
  if (Wv.Nrows() > 0 && considerados > 0) wyv = Wv * y;
  if (!EscreveVetor(raiz + QStringLiteral("_wy_Val.txt"), wyv)) return false;

  NEWMAT::Matrix Ws;
  RecortaPesos(W, Ws, &cab, dados);
  PreparaPesos(cab, Ws, true);
  NEWMAT::ColumnVector wys(considerados);
  wys = 0.0;
  if (considerados > 0) wys = Ws * y;
  return EscreveVetor(raiz + QStringLiteral("_wy.txt"), wys);
}
