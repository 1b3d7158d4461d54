#pragma once
// Classifies a file by its first 18 bytes, the first step of opening a model,
// and upgrades the header of a file of an early minor version.
#include <QString>
#include <cstddef>

struct CabecalhoModelo;

enum class ClasseArquivo {
  Danificado,       // "HEADERTS-Kolmar": message 3113
  Kolmar4,          // older product, version-4 format
  Kolmar5,          // older product, version-5 format
  KolmarPosterior,  // older product, its later format (353,072-byte header)
  Zelvar,           // the other product's file
  Invalido,         // message 3044 "Formato de arquivo inválido!"
  Atual,            // current file, read as it is
  AtualAntigo       // current file of minor version below '4': upgrade after reading
};

constexpr std::size_t TamanhoReconhecimento = 18;

// `prefixo` holds the first 18 bytes of the file (the caller fails the open
// silently when fewer could be read).
ClasseArquivo ReconheceArquivoModelo(const char* prefixo);

// True for the older products' files, which open by conversion.
bool ArquivoAntigo(ClasseArquivo classe);
// The model file that the older file `antigo` converts into: its name with
// ".tsn" in place of its extension, in its own folder.
QString CaminhoModeloConvertido(const QString& antigo);
// The same for the file at `caminho` when it is an older product's file,
// read from its first bytes; empty for every other file.
QString ModeloConvertidoDe(const QString& caminho);

// For a header whose minor version digit is below '4': the spatial defaults
// and minor digit '5' (the third digit is kept). Other headers are untouched.
void AtualizaVersaoMenor(CabecalhoModelo& cab);
