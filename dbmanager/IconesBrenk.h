#pragma once
// The program's pictures, drawn rather than shipped: the source icons of the
// data-source dialog (256 Access, 257 Excel, 258 dBase, 259 data access,
// 175 close, 352 help), its background (326) and the logo of the empty
// main window (327).
#include <QImage>

namespace brenk {
QImage IconeBrenk(int id);
QImage FundoBrenk(int largura, int altura);
QImage LogoBrenk();
}  // namespace brenk
