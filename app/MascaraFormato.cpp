#include "MascaraFormato.h"

namespace formatacao {

quint32 MascaraDe(const QTextCharFormat& f) {
  quint32 m = 0;
  if (f.hasProperty(QTextFormat::FontWeight)) m |= Negrito;
  if (f.hasProperty(QTextFormat::FontItalic)) m |= Italico;
  if (f.hasProperty(QTextFormat::FontUnderline) || f.hasProperty(QTextFormat::TextUnderlineStyle)) m |= Sublinhado;
  if (f.hasProperty(QTextFormat::FontStrikeOut)) m |= Riscado;
  if (f.hasProperty(PropProtegido)) m |= Protegido;
  if (f.hasProperty(PropConjuntoCaracteres)) m |= ConjuntoCaracteres;
  if (f.hasProperty(QTextFormat::TextVerticalAlignment)) m |= Deslocamento;
  if (f.hasProperty(QTextFormat::FontFamilies)) m |= Face;
  if (f.hasProperty(QTextFormat::ForegroundBrush) || f.hasProperty(PropCorAutomatica)) m |= Cor;
  if (f.hasProperty(QTextFormat::FontPointSize) || f.hasProperty(QTextFormat::FontPixelSize)) m |= Tamanho;
  return m;
}

}  // namespace formatacao
