#pragma once
// The parts of a character format that the formatting bar and the views
// exchange, named by the bits of the rich-edit record's mask: a format
// carries exactly the parts whose properties it sets. The parts Qt has no
// property for (protected text, character set, automatic colour) live in
// user properties.
#include <QTextCharFormat>

namespace formatacao {

enum Mascara : quint32 {
  Negrito = 0x00000001,
  Italico = 0x00000002,
  Sublinhado = 0x00000004,
  Riscado = 0x00000008,
  Protegido = 0x00000010,
  ConjuntoCaracteres = 0x08000000,
  Deslocamento = 0x10000000,
  Face = 0x20000000,
  Cor = 0x40000000,
  Tamanho = 0x80000000,
};

enum Propriedade : int {
  PropProtegido = QTextFormat::UserProperty + 0x4601,
  PropConjuntoCaracteres,  // int: 1 the default character set
  PropCorAutomatica,       // bool: the text takes the window's text colour
};

// The mask of the parts `f` carries.
quint32 MascaraDe(const QTextCharFormat& f);

}  // namespace formatacao
