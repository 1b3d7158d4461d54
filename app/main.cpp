// Tarsolin: the mass-appraisal workbench.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include "platform/Mensagem.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Tarsolin");
  QApplication::setApplicationName("Tarsolin");
  plat::DefineTituloPadrao("Tarsolin Windows");

  QMainWindow janela;
  janela.setObjectName("CMainFrame");
  janela.setWindowTitle("Tarsolin Windows");
  auto* mdi = new QMdiArea(&janela);
  janela.setCentralWidget(mdi);
  janela.resize(1024, 720);
  janela.show();
  return app.exec();
}
