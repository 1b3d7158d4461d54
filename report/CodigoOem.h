#pragma once
// The MS-DOS (OEM) character set of the text type 9: code page 850.
#include <QByteArray>
#include <QString>

namespace oem {
// Characters code page 850 lacks become '?'.
QByteArray Codifica(const QString& texto);
QString Decodifica(const QByteArray& bytes);
}  // namespace oem
