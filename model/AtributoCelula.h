#pragma once
// Display attributes of one fixed column cell of a data or appraisal record
// (16 bytes): owned by the data grids; zero means the grid's default.
#include <cstddef>
#include <cstdint>

struct AtributoCelula {
  int32_t corTexto;     // Windows colour value, 0 = not set
  int32_t corFundo;
  uint8_t negrito;
  uint8_t italico;
  uint8_t sublinhado;
  uint8_t reservado[5];
};
static_assert(sizeof(AtributoCelula) == 16);
static_assert(offsetof(AtributoCelula, negrito) == 8);
