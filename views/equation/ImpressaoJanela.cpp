#include "ImpressaoJanela.h"

#include "controls/ImpressaoPagina.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include "VisualizacaoImpressao.h"
#include <QPrinter>
#include <algorithm>

int AlturaLinhaImpressao(const QFont& fonte, const QPaintDevice* dispositivo) {
  const QFontMetrics m(fonte, const_cast<QPaintDevice*>(dispositivo));
  const double pontos = fonte.pointSizeF() > 0 ? fonte.pointSizeF() : 10.0;
  const double em = pontos * dispositivo->logicalDpiY() / 72.0;
  const double interna = std::max(0.0, m.height() - em);
  return std::max(1, int(1.1 * (m.height() + interna + m.leading())));
}

int ContaPaginasTrabalho(const TrabalhoImpressao& trabalho, const QPrinter& impressora) {
  // Laid out on a document of the printer's page and resolution, so the print
  // dialog can offer the pages there are before the printer is opened.
  QBuffer memoria;
  memoria.open(QIODevice::WriteOnly);
  QPdfWriter medida(&memoria);
  medida.setResolution(impressora.resolution());
  medida.setPageLayout(impressora.pageLayout());
  QPainter p(&medida);
  const int paginas = trabalho.prepara(p);
  p.end();
  if (trabalho.fim) trabalho.fim();
  return paginas;
}

bool ImprimeTrabalhoEm(const TrabalhoImpressao& trabalho, QPrinter& impressora, bool previa) {
  QPainter p;
  if (!p.begin(&impressora)) return false;
  const int total = trabalho.prepara(p);
  CPrintInfo info;
  info.SetMaxPage(total);
  info.m_bPreview = previa;
  const int de = impressora.fromPage() > 0 ? impressora.fromPage() : 1;
  const int ate = std::min(impressora.toPage() > 0 ? impressora.toPage() : total, total);
  for (int pagina = de; pagina <= ate; ++pagina) {
    if (pagina > de) impressora.newPage();
    info.m_nCurPage = pagina;
    trabalho.pagina(p, info);
  }
  p.end();
  if (trabalho.fim) trabalho.fim();
  return true;
}

void ExecutaImpressao(const TrabalhoImpressao& trabalho, QWidget* janela, bool previa) {
  QPrinter impressora(QPrinter::HighResolution);
  if (previa) {
    VisualizaImpressao(impressora, janela, [&trabalho](QPrinter& alvo) { return ImprimeTrabalhoEm(trabalho, alvo, true); });
    return;
  }
  QPrintDialog dlg(&impressora, janela);
  dlg.setObjectName(QStringLiteral("dlgImprimir"));
  dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dlg.setMinMax(1, std::max(1, ContaPaginasTrabalho(trabalho, impressora)));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  if (!ImprimeTrabalhoEm(trabalho, impressora, false))
    plat::MessageBox(QStringLiteral("Não foi possível imprimir !"), QString(), plat::MB_ICONEXCLAMATION);
}

void EscreveImpressao(QPainter& p, int x, int y, const QString& texto) {
  p.drawText(QRect(x, y, 1 << 20, 1 << 16), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, texto);
}
void EscreveDireitaImpressao(QPainter& p, int x, int y, const QString& texto) {
  p.drawText(QRect(x - (1 << 20), y, 1 << 20, 1 << 16), Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, texto);
}
void EscreveCentroImpressao(QPainter& p, int x, int y, const QString& texto) {
  p.drawText(QRect(x - (1 << 19), y, 1 << 20, 1 << 16), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, texto);
}
