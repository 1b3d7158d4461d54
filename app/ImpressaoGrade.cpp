#include "ImpressaoGrade.h"
#include "VisualizacaoImpressao.h"

#include "controls/CTableCtrl.h"
#include "controls/ImpressaoPagina.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

bool ImprimeGradeEm(CTableCtrl& grade, const CTarsolinDoc* doc, QPrinter& impressora, bool previa) {
  QPainter p;
  if (!p.begin(&impressora)) return false;
  CPrintInfo info;
  info.m_bPreview = previa;
  grade.BeginPrinting(&p, &info);
  for (int pagina = info.GetMinPage(); pagina <= info.GetMaxPage() && info.m_bContinuePrinting; ++pagina) {
    if (pagina > info.GetMinPage()) impressora.newPage();
    info.m_nCurPage = pagina;
    if (previa && doc) {
      p.save();
      DesenhaMargens(doc, &p);
      p.restore();
    }
    grade.PrintPage(&p, &info);
  }
  grade.EndPrinting(&p, &info);
  return p.end();
}

void ImprimeGrade(CTableCtrl& grade, const CTarsolinDoc* doc, QWidget* janela, bool previa) {
  QPrinter impressora(QPrinter::HighResolution);
  if (previa) {
    VisualizaImpressao(impressora, janela, [&grade, doc](QPrinter& alvo) { return ImprimeGradeEm(grade, doc, alvo, true); });
    return;
  }
  QPrintDialog dlg(&impressora, janela);
  dlg.setObjectName(QStringLiteral("dlgImprimir"));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  if (!ImprimeGradeEm(grade, doc, impressora, false))
    plat::MessageBox(QStringLiteral("Não foi possível imprimir !"), QString(), plat::MB_ICONEXCLAMATION);
}
