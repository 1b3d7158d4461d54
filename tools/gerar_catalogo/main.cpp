// The catalogue's source is text, one entry a line, fields separated by tabs:
//   property type (1-7) | name | data type (1-4) | decimal places | description
// Blank lines and lines starting with '#' are skipped. Any other malformed
// line fails the build rather than shipping a damaged catalogue.
#include "model/VariaveisComuns.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "uso: gerar_catalogo <variaveis.txt> <variaveis.cfg>\n");
    return 2;
  }
  QFile fonte(QString::fromLocal8Bit(argv[1]));
  if (!fonte.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::fprintf(stderr, "gerar_catalogo: %s: não foi possível ler\n", argv[1]);
    return 1;
  }
  QTextStream in(&fonte);
  in.setEncoding(QStringConverter::Utf8);
  std::vector<Var> catalogo;
  int linha = 0;
  while (!in.atEnd()) {
    const QString texto = in.readLine();
    ++linha;
    if (texto.trimmed().isEmpty() || texto.startsWith('#')) continue;
    const QStringList c = texto.split('\t');
    bool ok1 = false, ok2 = false, ok3 = false;
    const int imovel = c.value(0).toInt(&ok1), tipo = c.value(2).toInt(&ok2), casas = c.value(3).toInt(&ok3);
    const QString nome = c.value(1).trimmed();
    if (c.size() != 5 || !ok1 || !ok2 || !ok3 || imovel < 1 || imovel > 7 || tipo < 1 || tipo > 4 ||
        casas < 0 || casas > 11 || nome.isEmpty() || nome.size() > 25 || c[4].size() > 600) {
      std::fprintf(stderr, "%s:%d: entrada inválida\n", argv[1], linha);
      return 1;
    }
    Var v;
    std::memset(&v, 0, sizeof v);
    v.tipoImovel = imovel;
    v.SetNome(nome);
    v.tipo = tipo;
    v.casasDecimais = casas;
    v.SetDescricao(c[4].trimmed());
    catalogo.push_back(v);
  }
  if (!GravaVariaveisComuns(QString::fromLocal8Bit(argv[2]), catalogo)) {
    std::fprintf(stderr, "gerar_catalogo: %s: não foi possível gravar\n", argv[2]);
    return 1;
  }
  return 0;
}
