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
  brenk::CMainFrame frame;
  frame.showMaximized();
  // Started with nothing to open, the program asks at once for a connection.
  if (argc < 2) QTimer::singleShot(0, &frame, &brenk::CMainFrame::OnConnect);
  return app.exec();
}
