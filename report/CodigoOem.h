#pragma once
// The MS-DOS (OEM) character set of the text type 9: code page 850.
#include <QByteArray>
#include <QString>

namespace oem {
// Characters code page 850 lacks become '?'.
QByteArray Codifica(const QString& texto);
QString Decodifica(const QByteArray& bytes);
// Whether code page 850 has the character.
bool Representa(QChar c);
// Whether bytes that are not UTF-8 read better as code page 850 than as
// Windows-1252: the accented letters of one fit the words around them, while
// in the other the same bytes are punctuation, box drawing or capitals
// inside lowercase words. A tie is Windows-1252.
bool PareceOem(const QByteArray& bytes);
}  // namespace oem
