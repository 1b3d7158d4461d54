#pragma once
// The program's pictures, drawn rather than shipped: the source icons of the
// data-source dialog (256 Access, 257 Excel, 258 dBase, 259 data access,
// 175 close, 352 help) and its background (326).
#include <QImage>

namespace brenk {
QImage IconeBrenk(int id);
QImage FundoBrenk(int largura, int altura);
}  // namespace brenk
