#pragma once
// One stored non-zero element of the weights matrix W (16 bytes).
#include <cstddef>
#include <cstdint>

struct pesoW {
  double valor;
  int32_t linha;    // from 1
  int32_t coluna;   // from 1
};
static_assert(sizeof(pesoW) == 16);
static_assert(offsetof(pesoW, linha) == 8);
static_assert(offsetof(pesoW, coluna) == 12);
