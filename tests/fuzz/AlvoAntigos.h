#pragma once
// The older formats' fuzz target. An input is a base file and a list of edits
// as in the model target (AlvoModelo.h): byte 0 chooses the base, small files
// of the older product's version-4 and version-5 formats and of the later
// format under both products' names, written here; the edits follow, op 3
// storing into the chosen layout's counts and indices.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Runs one input through the importers and the document's open with the
// conversion accepted; the empty text when every check held, otherwise what
// failed.
std::string VerificaAntigos(const uint8_t* dados, std::size_t tamanho);

}  // namespace fuzz
