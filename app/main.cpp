// Tarsolin: the mass-appraisal workbench.
#include "CTarsolinApp.h"
#include "RegistroDialogos.h"
#include "views/modelo/CTarsolinView.h"

#include "platform/Mensagem.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Tarsolin");
  QApplication::setApplicationName("Tarsolin");
  QSettings::setDefaultFormat(QSettings::IniFormat);
  plat::DefineTituloPadrao("Tarsolin Windows");

  RegistraDialogosPequenos();
  // Every model opens in its main view.
  CTarsolinApp::DefineFabricaJanelaModelo(CTarsolinView::CriaJanela);
  CTarsolinApp tarsolin;
  if (!tarsolin.InitInstance(app.arguments().mid(1))) return 0;
  const int r = app.exec();
  tarsolin.ExitInstance();
  return r;
}
