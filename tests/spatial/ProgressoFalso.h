#pragma once
// A progress record that writes down what the engine does with it.
#include "ProgressoCalculo.h"

#include <string>
#include <vector>

struct ProgressoFalso {
  std::vector<std::string> registro;   // texts appended to the log
  std::vector<std::pair<int, int>> faixas;
  std::vector<int> posicoes;
  int bombeamentos = 0;
  ProgressoCalculo p{};

  ProgressoFalso() {
    p.contexto = this;
    p.AcrescentaRegistro = [](void* c, const char* t) { static_cast<ProgressoFalso*>(c)->registro.push_back(t); };
    p.DefineFaixa = [](void* c, int a, int b) { static_cast<ProgressoFalso*>(c)->faixas.emplace_back(a, b); };
    p.DefinePosicao = [](void* c, int v) { static_cast<ProgressoFalso*>(c)->posicoes.push_back(v); };
    p.ProcessaMensagens = [](void* c) { ++static_cast<ProgressoFalso*>(c)->bombeamentos; };
  }
};
