#include "CTableDefs.h"

#include "platform/Cp1252.h"

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <cstring>

COLORREF GridColour::Sys(System qual) {
  const QPalette pal = QGuiApplication::palette();
  switch (qual) {
    case WindowText: return FromQt(pal.color(QPalette::Active, QPalette::Text));
    case Window: return FromQt(pal.color(QPalette::Active, QPalette::Base));
    case ButtonFace: return FromQt(pal.color(QPalette::Active, QPalette::Button));
    case ButtonShadow: return FromQt(pal.color(QPalette::Active, QPalette::Mid));
    case Highlight: return FromQt(pal.color(QPalette::Active, QPalette::Highlight));
    case HighlightText: return FromQt(pal.color(QPalette::Active, QPalette::HighlightedText));
    case ButtonHighlight: return FromQt(pal.color(QPalette::Active, QPalette::Light));
    case DarkShadow3D: return FromQt(pal.color(QPalette::Active, QPalette::Shadow));
    case InfoBackground: return FromQt(pal.color(QPalette::Active, QPalette::ToolTipBase));
    case InfoText: return FromQt(pal.color(QPalette::Active, QPalette::ToolTipText));
    case InactiveBorder: return FromQt(pal.color(QPalette::Inactive, QPalette::Mid));
  }
  return 0;
}

bool LOGFONT::operator==(const LOGFONT& o) const { return std::memcmp(this, &o, sizeof(LOGFONT)) == 0; }

QFont GridFont(const LOGFONT& lf) {
  QFont f(plat::LeCp1252(lf.lfFaceName, sizeof lf.lfFaceName));
  if (lf.lfHeight < 0) f.setPixelSize(-lf.lfHeight);
  else if (lf.lfHeight > 0) f.setPixelSize(std::max(1, lf.lfHeight * 4 / 5));  // cell height: the em is smaller
  if (lf.lfWeight > 0) f.setWeight(QFont::Weight(std::clamp(int(lf.lfWeight), 1, 1000)));
  f.setItalic(lf.lfItalic);
  f.setUnderline(lf.lfUnderline);
  f.setStrikeOut(lf.lfStrikeOut);
  return f;
}

LOGFONT GridLogFont(const QFont& fonte, int dpiY) {
  LOGFONT lf;
  const int px = fonte.pixelSize() > 0 ? fonte.pixelSize() : qRound(fonte.pointSizeF() * dpiY / 72.0);
  lf.lfHeight = -std::max(1, px);
  lf.lfWeight = fonte.weight();
  lf.lfItalic = fonte.italic();
  lf.lfUnderline = fonte.underline();
  lf.lfStrikeOut = fonte.strikeOut();
  plat::GravaCp1252(fonte.family(), lf.lfFaceName, sizeof lf.lfFaceName);
  return lf;
}

LOGFONT GridMessageFont() {
  const QScreen* tela = QGuiApplication::primaryScreen();
  const int dpi = tela ? int(tela->logicalDotsPerInchY()) : 96;
  return GridLogFont(QApplication::font(), dpi);
}

int GridQtFlags(uint32_t f) {
  int q = 0;
  if (f & DT_CENTER) q |= Qt::AlignHCenter;
  else if (f & DT_RIGHT) q |= Qt::AlignRight;
  else q |= Qt::AlignLeft;
  if (f & DT_SINGLELINE) {
    q |= Qt::TextSingleLine;
    if (f & DT_VCENTER) q |= Qt::AlignVCenter;
    else if (f & DT_BOTTOM) q |= Qt::AlignBottom;
    else q |= Qt::AlignTop;
  } else {
    q |= Qt::AlignTop;
  }
  if (f & DT_WORDBREAK) q |= Qt::TextWordWrap;
  if (f & DT_EXPANDTABS) q |= Qt::TextExpandTabs;
  if (f & DT_NOCLIP) q |= Qt::TextDontClip;
  return q;
}

int GridQtKey(int vk) {
  switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_F2: return Qt::Key_F2;
    default: return 0;
  }
}

int GridVirtualKey(int k) {
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_F2: return VK_F2;
    default: return 0;
  }
}

int GridImageList::Add(const QPixmap& imagem) {
  if (tamanho_.isEmpty()) tamanho_ = imagem.size();
  imagens_.push_back(imagem.size() == tamanho_ ? imagem : imagem.scaled(tamanho_));
  return int(imagens_.size()) - 1;
}

bool GridImageList::Info(int indice, QSize* tamanho) const {
  if (indice < 0 || indice >= Count()) return false;
  if (tamanho) *tamanho = tamanho_;
  return true;
}

const QPixmap* GridImageList::Image(int indice) const {
  return indice < 0 || indice >= Count() ? nullptr : &imagens_[size_t(indice)];
}
