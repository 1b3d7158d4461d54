// brenk: the database manager.
#include "dbmanager/CMainFrame.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QFont>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Tarsolin");
  QApplication::setApplicationName("Brenk");
  plat::DefineTituloPadrao("Brenk");
  QFont::insertSubstitution("Courier", "Liberation Mono");
  // A query file named on the command line; options alone ask for nothing the program does.
  const QStringList argumentos = QApplication::arguments().mid(1);
  QString arquivo;
  for (const QString& a : argumentos) {
    if (!a.startsWith(QLatin1Char('-'))) {
      arquivo = a;
      break;
    }
  }
  if (!argumentos.isEmpty() && arquivo.isEmpty()) {
    plat::MessageBox(QStringLiteral("Use: Comandos padrões, DDE, para abertura de arquivos."));
    return 0;
  }
  brenk::CMainFrame frame;
  frame.RestauraPosicao(1);
  if (arquivo.isEmpty()) {
    // Started with nothing to open (as the main program starts it), it asks at once for a connection.
    QTimer::singleShot(0, &frame, &brenk::CMainFrame::OnConnect);
  } else {
    QTimer::singleShot(0, &frame, [&frame, arquivo] { frame.AbreArquivo(arquivo); });
  }
  return app.exec();
}
