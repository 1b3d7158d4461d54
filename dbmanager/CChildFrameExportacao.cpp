// The query window's model export: the grid on show becomes a model file of
// this program or of the other product.
#include "dbmanager/CAssistenteExportacao.h"
#include "dbmanager/CChildFrame.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/CResultView.h"
#include "dbmanager/ExportacaoModelo.h"
#include "dbmanager/ModeloGrade.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QFileDialog>
#include <QProgressDialog>

namespace brenk {

CabecalhosExportacao& CChildFrame::BuffersExportacao() {
  if (!exportacao_) exportacao_ = std::make_unique<CabecalhosExportacao>();
  return *exportacao_;
}

void CChildFrame::ExportaModeloTarsolin() { ExportaModelo(ExportaTarsolin); }
void CChildFrame::ExportaModeloZelvar() { ExportaModelo(ExportaZelvar); }

void CChildFrame::ExportaModelo(int tipo, const ModeloGrade* grade) {
  if (!grade) grade = resultado_->ModeloAtual();
  if (!grade || grade->Colunas() == 0) {
    plat::MessageBox(QStringLiteral("Não há grade de resultados para exportar."), QString(), plat::MB_ICONINFORMATION);
    return;
  }
  CabecalhosExportacao& c = BuffersExportacao();
  c.tipo = tipo;
  PreparaCabecalhos(c);
  {
    CAssistenteExportacao assistente(c, *grade, this);
    if (plat::ExecutaDialogo(assistente) != QDialog::Accepted) return;
  }
  const PropriedadesModelo props = principal_ ? principal_->PropriedadesExportacao() : PropriedadesModelo{};
  const ColunasExportacao colunas = CompletaCabecalho(c, props);

  const bool tarsolin = tipo == ExportaTarsolin;
  QFileDialog dlg(this, QStringLiteral("Salvar Como"));
  dlg.setObjectName(QStringLiteral("dlgSalvarModelo"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDefaultSuffix(tarsolin ? QStringLiteral("tsn") : QStringLiteral("zlv"));
  dlg.setNameFilter(tarsolin ? QStringLiteral("Tarsolin Windows (*.tsn)") : QStringLiteral("Zelvar Windows (*.zlv)"));
  dlg.selectFile(tarsolin ? QStringLiteral("Modelo do Tarsolin") : QStringLiteral("Modelo do Zelvar"));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  const QString caminho = dlg.selectedFiles().first();

  // The question comes before anything is written: No leaves the disk as it was.
  int n = grade->Vazia() ? 0 : grade->Linhas() - 1;
  const int limite = LimiteRegistros(tipo);
  if (n > limite) {
    const QString pergunta = tarsolin ? QStringLiteral("Somente os primeiros 64.000 dados serão exportados! Deseja continuar?")
                                      : QStringLiteral("Somente os primeiros 60.000 dados serão exportados! Deseja continuar?");
    if (plat::MessageBox(pergunta, QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES) return;
    n = limite;
  }
  // Cells without a number are said before anything is written: a missing
  // price must not become a sale at 0 unnoticed.
  const CelulasSemNumero semNumero = ProcuraCelulasSemNumero(*grade, colunas, n);
  if (semNumero.celulas > 0 &&
      plat::MessageBox(PerguntaCelulasSemNumero(semNumero, *grade), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) != plat::IDYES)
    return;
  DefineRegistros(c, n, n - semNumero.registros);

  QProgressDialog progresso(QStringLiteral("Importando dados ... Aguarde!"), QString(), 0, qMax(n, 1));
  progresso.setObjectName(QStringLiteral("dlg134"));
  progresso.setWindowTitle(QStringLiteral("Importar Banco de Dados"));
  progresso.setCancelButton(nullptr);
  progresso.setMinimumDuration(0);
  progresso.setWindowModality(Qt::NonModal);
  progresso.show();
  int passo = qMax(1, n / 100);
  QString erro;
  const bool ok = GravaModeloExportado(caminho, c, *grade, colunas, n, semNumero, [&](int r) {
    if (r % passo == 0) progresso.setValue(r);
  }, erro);
  progresso.close();
  if (!ok) {
    plat::MessageBox(QStringLiteral("Não foi possível gravar o modelo <%1>.\n%2").arg(caminho, erro), QString(), plat::MB_ICONSTOP);
    return;
  }
  // The user sees what the file now holds.
  const int considerados = n - semNumero.registros;
  const QString dados = n == 1 ? QStringLiteral("1 dado") : QStringLiteral("%1 dados").arg(n);
  const QString noCalculo = considerados == 1 ? QStringLiteral("1 considerado no cálculo")
                                              : QStringLiteral("%1 considerados no cálculo").arg(considerados);
  plat::MessageBox(QStringLiteral("Modelo exportado para <%1>:\n%2 variáveis, %3 (%4).")
                       .arg(caminho, QString::number(c.NumVariaveis()), dados, noCalculo),
                   QString(), plat::MB_ICONINFORMATION);
}

}  // namespace brenk
