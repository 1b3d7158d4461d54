// gerar_modelo <table.csv> <model.tsn>: writes the Baltimore sample model.
#include "GeradorModelo.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: gerar_modelo <table.csv> <model.tsn>\n");
    return 2;
  }
  QString erro;
  if (!GeraModelo(args[1], args[2], DescricaoBaltimore(), erro)) {
    std::fprintf(stderr, "gerar_modelo: %s\n", qPrintable(erro));
    return 1;
  }
  return 0;
}
