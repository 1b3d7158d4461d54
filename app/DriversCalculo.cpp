#include "DriversCalculo.h"

#include "COpcoesRE.h"
#include "CRelatorio.h"
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/Transformacoes.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"
#include "platform/TabelaTextos.h"

#include <newmat.h>

#include <QApplication>
#include <memory>

namespace drivers {

namespace {
using C = CabecalhoModelo;

using ExportaCaminho = int (*)(const char*);
using ExportaEspacial = int (*)(NEWMAT::ColumnVector*, NEWMAT::Matrix*, NEWMAT::Matrix*, CabecalhoModelo*,
                                ProgressoCalculo*);

const char* const kErroCalculo = "Não foi possível executar a rotina de cálculo !";
const char* const kErroDados = "Não foi possível executar a rotina de dados !";

void ErroCarga(const QString& modulo) {
  plat::MessageBox(plat::Texto(3034).arg(modulo), QString(), plat::MB_ICONSTOP);
}

// Calls an export that takes the model path; reports binding failures.
bool ChamaPorCaminho(const QString& modulo, int ordinal, const QString& caminho, const char* erroOrdinal) {
  int resultado = 0;
  const QByteArray c = caminho.toLocal8Bit();
  const plat::EstadoModulo estado = plat::ChamaModulo(modulo, ordinal, [&](void* f) {
    resultado = reinterpret_cast<ExportaCaminho>(f)(c.constData());
  });
  if (estado == plat::EstadoModulo::NaoCarregado) {
    ErroCarga(modulo);
    return false;
  }
  if (estado == plat::EstadoModulo::SemOrdinal) {
    plat::MessageBox(QString::fromUtf8(erroOrdinal), QString(), plat::MB_ICONSTOP);
    return false;
  }
  return (resultado & 0xFF) != 0;
}

// The library rewrote the file (or may have): whatever the result, the file is
// the model now. Records loaded meanwhile are stale; the header is re-read.
// A file that no longer reads as a model is said at once (the next open would
// refuse it), and the header in memory stays as it was.
bool RecarregaModelo(CTarsolinDoc& doc) {
  doc.LiberaRegistros();
  if (doc.RelerCabecalho()) return true;
  plat::MessageBox(3044, plat::MB_ICONEXCLAMATION);
  return false;
}

int ContaHabilitadas(const CabecalhoModelo& cab) {
  const int nv = std::clamp(cab.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
  int k = 0;
  for (int v = 0; v < nv; ++v) k += cab.I32(C::OffHabilitadas + 4 * v) != 0;
  return k;
}
}  // namespace

NomesModulos& Modulos() {
  static NomesModulos m;
  return m;
}

bool Bloqueado(const CabecalhoModelo& cab) {
  return cab.U8(C::OffProtegido) != 0 && cab.U8(C::OffDesbloqueado) == 0;
}

QString VerificaCalculo(const CabecalhoModelo& cab) {
  const int dep = cab.I32(C::OffDependente);
  if (dep < 0 || dep >= C::MaxVariaveis || cab.I32(C::OffHabilitadas + 4 * dep) == 0)
    return QStringLiteral("A variável dependente não está habilitada !");
  const int k = ContaHabilitadas(cab);
  if (k < 2) return QStringLiteral("Número de variáveis insuficiente ! ");
  if (cab.I32(C::OffNumConsiderados) < k + 1) return QStringLiteral("Número de dados insuficiente !");
  // The last enabled variable is fitted as the dependent: a damaged header
  // whose dependent has an enabled variable after it would regress the wrong column.
  const int nv = std::clamp(cab.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
  for (int v = dep + 1; v < nv; ++v)
    if (cab.I32(C::OffHabilitadas + 4 * v) != 0) return plat::Texto(3044);
  return QString();
}

bool RegressaoLinear(CTarsolinDoc& doc) {
  // A library rewrites the model's file: never one another program changed.
  if (!doc.ArquivoInalterado()) {
    doc.AvisaArquivoAlterado();
    return false;
  }
  doc.LiberaRegistros();
  const bool ok = ChamaPorCaminho(Modulos().ostrimo, OrdCalcula, doc.GetPathName(), kErroCalculo);
  if (!RecarregaModelo(doc) || !ok) return false;
  doc.UpdateAllViews(nullptr, 3);
  CTarsolinDoc::Servicos().PostaComandoModelo(doc, CmdAbreEscolhaEquacao);
  return true;
}

bool OperacaoDados(CTarsolinDoc& doc, int ordinal, int hint) {
  if (!doc.ArquivoInalterado()) {
    doc.AvisaArquivoAlterado();
    return false;
  }
  doc.LiberaRegistros();
  const bool ok = ChamaPorCaminho(Modulos().palvedo, ordinal, doc.GetPathName(), kErroDados);
  if (!RecarregaModelo(doc) || !ok) return false;
  doc.UpdateAllViews(nullptr, hint);
  return true;
}

bool RegressaoEspacial(CTarsolinDoc& doc, QWidget* pai) {
  CabecalhoModelo& cab = *doc.GetCabecalho();
  // Past its limit W was never built: say so now, naming the limit, rather
  // than after the options on an empty matrix.
  if (doc.NumDados() > CTarsolinDoc::MaxRegistrosW) {
    CTarsolinDoc::RecusaLimiteW();
    return false;
  }
  bool lag = false;
  {
    COpcoesRE opcoes;
    opcoes.documento = &doc;
    opcoes.PreencheDoCabecalho(cab);
    if (plat::ExecutaDialogo(opcoes) != QDialog::Accepted) return false;
    opcoes.GravaNoCabecalho(cab);
    lag = opcoes.ModeloLag();
  }
  const int ordinal = lag ? OrdSar : OrdSem;

  auto relatorio = std::make_unique<CRelatorio>(pai);
  relatorio->show();
  if (!doc.RegistrosCarregados() && !doc.CarregaRegistros()) {
    plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONSTOP);
    return false;
  }
  cab.SetI32(C::OffEquacaoEspacial, cab.I32(C::OffEquacaoCorrente));
  const int e = cab.I32(C::OffEquacaoEspacial);

  // W is N x N once built from the coordinates; anything else cannot be cut
  // to the considered records.
  const int n = doc.NumDados();
  NEWMAT::Matrix& wDoc = doc.GetW();
  if (n == 0 || wDoc.Nrows() != n || wDoc.Ncols() != n) {
    plat::MessageBox(QStringLiteral("Matriz nula! "), QString(), plat::MB_ICONSTOP);
    return false;
  }
  NEWMAT::Matrix w;
  NEWMAT::Matrix x;
  NEWMAT::ColumnVector y;
  try {
    RecortaPesos(wDoc, w, &cab, doc.GetDados());
    TransformaPesos(&cab, w);
    relatorio->Acrescenta(QStringLiteral("Iniciando os cálculos ...\n"));
    relatorio->ProcessaMensagens();
    const int considerados = cab.I32(C::OffNumConsiderados);
    x.ReSize(considerados, ContaHabilitadas(cab) - 1);
    y.ReSize(considerados);
    MontaMatrizX(x, &cab, doc.GetDados(), -1, e);
    MontaVetorY(y, &cab, doc.GetDados(), false, e);
  } catch (...) {
    plat::MessageBox(QStringLiteral("Cálculo indeterminado !"), QString(), plat::MB_ICONSTOP);
    return false;
  }

  int resultado = 0;
  const plat::EstadoModulo estado = plat::ChamaModulo(Modulos().quenvik, ordinal, [&](void* f) {
    resultado = reinterpret_cast<ExportaEspacial>(f)(&y, &x, &w, &cab, relatorio->Progresso());
  });
  // A binding failure is reported while the progress dialog still stands;
  // then it goes at once, without the wait.
  if (estado == plat::EstadoModulo::NaoCarregado) {
    ErroCarga(Modulos().quenvik);
    relatorio.reset();
    return false;
  }
  if (estado == plat::EstadoModulo::SemOrdinal) {
    plat::MessageBox(QString::fromUtf8(kErroCalculo), QString(), plat::MB_ICONSTOP);
    relatorio.reset();
    return false;
  }
  if ((resultado & 0xFF) == 0) return false;

  relatorio->Acrescenta(QStringLiteral("Salvando os resultados...\n"));
  relatorio->ProcessaMensagens();
  cab.SetI32(C::OffEquacaoEspacial, cab.I32(C::OffEquacaoCorrente));
  doc.SetModifiedFlag(true);
  if (!doc.GravaRegistros()) {
    // The results stay in memory and the model stays modified; a file
    // changed on disk may still be saved under another name.
    if (doc.ArquivoInalterado())
      plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONSTOP);
    else
      doc.AvisaArquivoAlterado();
    return false;
  }
  doc.SetModifiedFlag(false);
  if (!RecarregaModelo(doc)) return false;
  doc.UpdateAllViews(nullptr, 3);
  CTarsolinDoc::Servicos().PostaComando(CmdAtualizaPaineis);
  relatorio->MostraFechar();
  relatorio->AguardaFechamento();
  return true;
}

}  // namespace drivers
