#pragma once
// The random validation sample: k = p·C/100 of the C considered rows, drawn
// with a 64-bit generator over the whole row range (every one of 64,000 rows
// can be drawn, without the bias of a remainder of a 15-bit number).
#include <cstdint>
#include <optional>
#include <vector>

// Indices (0-based) of the rows drawn among those with considerados[i] set,
// in the order drawn. The seed comes from the clock unless one was fixed.
std::vector<int> SorteiaAmostra(const std::vector<bool>& considerados, int percentual);
// Fixes the seed of the next draws (tests); nullopt returns to the clock.
void DefineSementeAmostra(std::optional<std::uint64_t> semente);
