#pragma once
// The libraries' fuzz target: the model files of the model target's inputs
// (same format, same corpus) read as the data-operations library and the
// correlations library read them.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Runs one input through the libraries' readers; the empty text when every
// check held, otherwise what failed.
std::string VerificaBibliotecas(const uint8_t* dados, std::size_t tamanho);

}  // namespace fuzz
