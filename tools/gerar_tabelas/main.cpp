// Build tool: writes the statistical table files into the given folder (the
// program folder), computing every value from the distributions.
#include "GeradorTabelas.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: gerar_tabelas <pasta>\n");
    return 2;
  }
  const std::string pasta = argv[1];
  struct Arquivo { const char* nome; std::vector<double> (*monta)(); };
  const Arquivo arquivos[] = {{"stdt.dat", gerador::TabelaStudent},
                              {"sndc.dat", gerador::TabelaSnedecor},
                              {"durbwat.dat", gerador::TabelaDurbinWatson}};
  for (const Arquivo& a : arquivos) {
    const std::string caminho = pasta + "/" + a.nome;
    if (!gerador::GravaTabela(caminho, a.monta())) {
      std::fprintf(stderr, "gerar_tabelas: falha ao gravar %s\n", caminho.c_str());
      return 1;
    }
  }
  return 0;
}
