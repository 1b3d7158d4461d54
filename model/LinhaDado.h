#pragma once
// A working row built from one data record (1,288 bytes, memory only): the
// values of the enabled variables packed from slot 0, the residuals, the
// excluded byte and the record's 1-based position in the file.
#include <cstddef>
#include <cstdint>

struct LinhaDado {
  double valor[60];
  double residuo[100];
  uint8_t excluido;
  int32_t linha;
};
static_assert(sizeof(LinhaDado) == 1288);
static_assert(offsetof(LinhaDado, residuo) == 480);
static_assert(offsetof(LinhaDado, excluido) == 1280);
static_assert(offsetof(LinhaDado, linha) == 1284);
