// The fuzz targets' edits of a valid file: each input byte group overwrites,
// cuts, appends or sets one of the given header fields, so the fuzzer works
// from files the readers accept instead of from noise.
#pragma once

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace fuzz {

inline constexpr int MaxEdicoes = 64;

inline uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Applies the edits held in dados[1..tamanho) to `arquivo`.
inline QByteArray AplicaEdicoes(QByteArray arquivo, const uint8_t* dados, std::size_t tamanho,
                                std::span<const std::size_t> campos) {
  std::size_t pos = 1;
  for (int e = 0; e < MaxEdicoes && pos + 6 <= tamanho; ++e) {
    const uint8_t op = dados[pos];
    const uint32_t posicao = U32(dados + pos + 1);
    std::size_t n = dados[pos + 5];
    pos += 6;
    n = std::min(n, tamanho - pos);
    const char* d = reinterpret_cast<const char*>(dados + pos);
    pos += n;
    switch (op % 4) {
      case 0:
        if (!arquivo.isEmpty()) {
          const qsizetype em = qsizetype(posicao % uint32_t(arquivo.size()));
          const qsizetype k = std::min<qsizetype>(qsizetype(n), arquivo.size() - em);
          std::memcpy(arquivo.data() + em, d, std::size_t(k));
        }
        break;
      case 1:
        arquivo.truncate(qsizetype(posicao % (uint32_t(arquivo.size()) + 1)));
        break;
      case 2:
        arquivo.append(d, qsizetype(n));
        break;
      case 3:
        if (n > 0 && !campos.empty()) {
          const std::size_t off = campos[uint8_t(d[0]) % campos.size()];
          if (off + 4 <= std::size_t(arquivo.size())) std::memcpy(arquivo.data() + off, &posicao, 4);
        }
        break;
    }
  }
  return arquivo;
}

}  // namespace fuzz
