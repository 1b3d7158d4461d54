#include "dbmanager/ImpressaoBrenk.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextOption>
#include <memory>

namespace brenk {

namespace {
struct CursorEspera {
  CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};

// A font sized in screen pixels keeps its size on paper: pixels become points.
QFont FonteNoPapel(QFont f) {
  if (f.pixelSize() > 0) {
    const QScreen* tela = QGuiApplication::primaryScreen();
    const double dpi = tela ? tela->logicalDotsPerInchY() : 96.0;
    f.setPointSizeF(f.pixelSize() * 72.0 / dpi);
  }
  return f;
}
}  // namespace

QPrinter* ImpressoraBrenk() {
  static QPrinter* impressora = new QPrinter(QPrinter::HighResolution);
  return impressora;
}

void ConfiguraImpressora(QWidget* pai) {
  QPageSetupDialog dlg(ImpressoraBrenk(), pai);
  dlg.setObjectName(QStringLiteral("dlgConfigurarImpressora"));
  dlg.setWindowTitle(QStringLiteral("Configurar Impressora"));
  // The views print with margins of their own: the dialog does not offer any.
  if (QWidget* margem = dlg.findChild<QWidget*>(QStringLiteral("topMargin")); margem && qobject_cast<QGroupBox*>(margem->parentWidget()))
    margem->parentWidget()->hide();
  plat::ExecutaDialogo(dlg);
}

bool ImprimeTexto(QWidget* pai, const QTextDocument& documento, const QFont& fonte, const QString& nome) {
  QPrinter* p = ImpressoraBrenk();
  // The job's name also names the file a print to PDF proposes: a data source's
  // path in the title must not turn into folders.
  QString trabalho = nome;
  trabalho.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
  p->setDocName(trabalho);
  QPrintDialog dlg(p, pai);
  dlg.setObjectName(QStringLiteral("dlgImprimir"));
  dlg.setWindowTitle(QStringLiteral("Imprimir"));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return false;
  if (p->pageLayout().orientation() == QPageLayout::Landscape) {
    plat::MessageBox(QStringLiteral("Currently printing functionality is not supported in ") +
                     QStringLiteral("landscape mode. Please choose portrait mode and then try ") + QStringLiteral("again."));
    return false;
  }
  CursorEspera espera;
  ImprimePaginas(p, documento, fonte);
  return true;
}

int ImprimePaginas(QPrinter* impressora, const QTextDocument& documento, const QFont& fonte) {
  impressora->setFullPage(true);
  QPainter p;
  if (!p.begin(impressora)) return 0;
  const QRectF papel = impressora->paperRect(QPrinter::DevicePixel);
  const double mx = kMargemTwips * impressora->logicalDpiX() / 1440.0;
  const double my = kMargemTwips * impressora->logicalDpiY() / 1440.0;
  const QRectF texto(mx, my, papel.width() - 2 * mx, papel.height() - 2 * my);

  std::unique_ptr<QTextDocument> copia(documento.clone());
  copia->setDefaultFont(FonteNoPapel(fonte));
  // Long statements wrap at the page's edge, inside a word when they must.
  QTextOption opcao = copia->defaultTextOption();
  opcao.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  copia->setDefaultTextOption(opcao);
  QTextFrameFormat raiz = copia->rootFrame()->frameFormat();
  raiz.setMargin(0);
  copia->rootFrame()->setFrameFormat(raiz);
  copia->documentLayout()->setPaintDevice(impressora);
  copia->setPageSize(texto.size());
  const int paginas = qMax(1, copia->pageCount());
  int primeira = 1, ultima = paginas;
  if (impressora->fromPage() > 0) {
    primeira = qBound(1, impressora->fromPage(), paginas);
    ultima = qBound(primeira, impressora->toPage() > 0 ? impressora->toPage() : paginas, paginas);
  }
  for (int pagina = primeira; pagina <= ultima; ++pagina) {
    if (pagina > primeira) impressora->newPage();
    p.save();
    p.translate(texto.left(), texto.top() - (pagina - 1) * texto.height());
    const QRectF vista(0, (pagina - 1) * texto.height(), texto.width(), texto.height());
    p.setClipRect(vista);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = vista;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    copia->documentLayout()->draw(&p, ctx);
    p.restore();
  }
  p.end();
  return ultima - primeira + 1;
}

}  // namespace brenk
