#include "ExportaPlanilha.h"

#include "controls/CTableCtrl.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/Transformacoes.h"
#include "model/dado.h"
#include "platform/Cp1252.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QFile>
#include <QFileInfo>

namespace {
using C = CabecalhoModelo;

const QString kErroEscrita = QStringLiteral("Não foi possível salvar a planilha.");

bool Abre(QFile& f) {
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
  plat::MessageBox(QStringLiteral("Não foi possível criar o arquivo %1.\n%2")
                       .arg(QFileInfo(f.fileName()).fileName(), f.errorString()),
                   QString(), plat::MB_ICONEXCLAMATION);
  return false;
}

bool Escreve(QFile& f, const std::string& linha) {
  if (f.write(linha.data(), qint64(linha.size())) == qint64(linha.size())) return true;
  plat::MessageBox(kErroEscrita);
  return false;
}

// One "%f" per line, CR LF, decimal comma.
bool EscreveVetor(const QString& caminho, const NEWMAT::ColumnVector& v) {
  QFile f(caminho);
  if (!Abre(f)) return false;
  for (int i = 1; i <= v.Nrows(); ++i)
    if (!Escreve(f, plat::ParaCp1252(plat::FormataC("%f", {v(i)})) + "\r\n")) return false;
  if (!f.flush()) {
    plat::MessageBox(kErroEscrita);
    return false;
  }
  return true;
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

bool ExportaPlanilha(CTarsolinDoc& doc, CTableCtrl& grade, const std::function<bool(int row)>& validacao) {
  const QString raiz = RaizExportacao(doc.GetPathName());
  {
    QFile f(raiz + QStringLiteral(".txt"));
    if (!Abre(f)) return false;
    for (int r = 0; r < grade.GetRowCount(); ++r) {
      if (r > 0 && grade.GetCellText(r, 0) == QLatin1String("*") && !validacao(r)) continue;  // excluded
      QStringList campos;
      for (int c = 0; c < grade.GetColumnCount(); ++c) campos << grade.GetCellText(r, c);
      if (!Escreve(f, plat::ParaCp1252(campos.join(QLatin1Char('\t'))) + "\r\n")) return false;
    }
    if (!f.flush()) {
      plat::MessageBox(kErroEscrita);
      return false;
    }
  }

  if (!doc.RegistrosCarregados() && !doc.CarregaRegistros()) {
    plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"));
    return false;
  }
  const CabecalhoModelo& cab = *doc.GetCabecalho();
  const dado* dados = doc.GetDados();
  const int N = doc.NumDados();
  int considerados = 0;
  for (int i = 0; i < N; ++i) considerados += dados[i].Considerado() ? 1 : 0;
  // A model with no W (or one of another size) has no neighbours: its lag is 0.
  NEWMAT::Matrix W = doc.GetW();
  if (W.Nrows() != N || W.Ncols() != N) {
    W.ReSize(N, N);
    W = 0.0;
  }
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
