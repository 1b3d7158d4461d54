#pragma once
// The model-file fuzz target's checks, shared by the libFuzzer program and by
// the test that replays the committed corpus on every build.
//
// An input is a base model and a list of edits. Byte 0 chooses the base: small
// models written here by the project's own writer (records, appraisal records,
// validation and excluded records, stored W elements) or the committed example.
// Then, repeated, an edit of 6 bytes and its data:
//   op (1 byte), position (u32 little-endian), length (1 byte), data[length]
// op % 4: 0 overwrites the data at position % size; 1 cuts the file to
// position % (size + 1); 2 appends the data; 3 stores the u32 position as the
// i32 count or flag numbered data[0] (see CamposContagem in AlvoModelo.cpp).
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Models with more records are only read as far as their header: beyond this
// the readers would only spend time and memory (a W of N x N).
inline constexpr int MaxDadosLidos = 2000;

// The model file an input describes: its base with its edits applied (the
// libraries' target reads the same inputs).
QByteArray ArquivoDaEntrada(const uint8_t* dados, std::size_t tamanho);
// The folder the targets write their files in (in memory when it can).
QString PastaTrabalho();

// Runs one input through the reader, the validator and the document's open,
// load, save-as and save-in-place; the empty text when every check held,
// otherwise what failed.
std::string VerificaEntrada(const uint8_t* dados, std::size_t tamanho);

}  // namespace fuzz
