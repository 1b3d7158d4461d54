#pragma once
// The print and preview commands of a window, apart from what it draws: a
// print job is its preparation (fonts and layout for the device; the last
// page number) and its page routine; the print dialog offers the job's pages,
// the preview shows them, and a printer is driven page by page.
#include <QFont>
#include <functional>

class CTarsolinDoc;
class QPaintDevice;
class QPainter;
class QPrinter;
class QString;
class QWidget;
struct CPrintInfo;

struct TrabalhoImpressao {
  std::function<int(QPainter&)> prepara;                     // the last page number
  std::function<void(QPainter&, const CPrintInfo&)> pagina;  // one page (info.m_nCurPage from 1)
  std::function<void()> fim;                                 // after the job (optional)
};

// "&Imprimir ..." (the print dialog with the job's page range) or
// "&Visualizar Impressão ...", over `janela`.
void ExecutaImpressao(const TrabalhoImpressao& trabalho, QWidget* janela, bool previa);
// The printer's page range (every page when it has none), without dialogs.
bool ImprimeTrabalhoEm(const TrabalhoImpressao& trabalho, QPrinter& impressora, bool previa);
// The job laid out on a document of the printer's page and resolution: its last page number.
int ContaPaginasTrabalho(const TrabalhoImpressao& trabalho, const QPrinter& impressora);

// A printed line: 1.1 times the full height of `fonte` on `dispositivo`
// (internal and external leading included), in device pixels.
int AlturaLinhaImpressao(const QFont& fonte, const QPaintDevice* dispositivo);

// Text drawn with its top-left corner at (x, y); right-aligned ending at x;
// centred on x. Never clipped.
void EscreveImpressao(QPainter& p, int x, int y, const QString& texto);
void EscreveDireitaImpressao(QPainter& p, int x, int y, const QString& texto);
void EscreveCentroImpressao(QPainter& p, int x, int y, const QString& texto);
