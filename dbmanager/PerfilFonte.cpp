#include "dbmanager/PerfilFonte.h"

#include "platform/Dialogo.h"

#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <cmath>

namespace brenk {

namespace {

double PontosPorPolegada() {
  const QScreen* tela = QGuiApplication::primaryScreen();
  return tela ? tela->logicalDotsPerInchY() : 96.0;
}

// The family bits of the pitch-and-family byte.
constexpr int kRoman = 0x10, kSwiss = 0x20, kModern = 0x30, kScript = 0x40, kDecorative = 0x50;
constexpr int kPassoFixo = 1, kPassoVariavel = 2;

}  // namespace

QFont FonteLogica::ParaQFont(bool comTamanho) const {
  QFont f(face);
  switch (passoEFamilia & 0xF0) {
    case kRoman: f.setStyleHint(QFont::Serif); break;
    case kSwiss: f.setStyleHint(QFont::SansSerif); break;
    case kModern: f.setStyleHint(QFont::TypeWriter); break;
    case kScript: f.setStyleHint(QFont::Cursive); break;
    case kDecorative: f.setStyleHint(QFont::Decorative); break;
    default: break;
  }
  if ((passoEFamilia & 3) == kPassoFixo) f.setFixedPitch(true);
  if (comTamanho && tamanho > 0) {
    f.setPointSizeF(tamanho / 10000.0);
  } else if (altura < 0) {
    f.setPixelSize(-altura);
  } else if (altura > 0) {
    // A positive height is the cell's (ascent plus descent).
    f.setPixelSize(altura);
    const int celula = QFontMetrics(f).height();
    if (celula > 0 && celula != altura) f.setPixelSize(qMax(1, int(std::lround(double(altura) * altura / celula))));
  }
  if (comTamanho && negrito) f.setWeight(QFont::Bold);
  if (peso > 0) f.setWeight(QFont::Weight(qBound(1, peso, 1000)));
  f.setItalic(italico);
  f.setUnderline(sublinhado);
  return f;
}

FonteLogica FonteLogica::DeQFont(const QFont& f) {
  FonteLogica l;
  const double dpi = PontosPorPolegada();
  const double pontos = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 72.0 / dpi;
  l.altura = f.pixelSize() > 0 ? -f.pixelSize() : -int(std::lround(pontos * dpi / 72.0));
  if (l.altura == 0) l.altura = -1;
  l.peso = f.weight();
  l.italico = f.italic();
  l.sublinhado = f.underline();
  int familia = 0;
  switch (f.styleHint()) {
    case QFont::Serif: familia = kRoman; break;
    case QFont::SansSerif: familia = kSwiss; break;
    case QFont::TypeWriter: familia = kModern; break;
    case QFont::Cursive: familia = kScript; break;
    case QFont::Decorative: familia = kDecorative; break;
    default: break;
  }
  const bool fixo = QFontInfo(f).fixedPitch();
  if (fixo && familia == 0) familia = kModern;
  l.passoEFamilia = familia | (fixo ? kPassoFixo : kPassoVariavel);
  l.conjunto = 0;  // the Western character set
  l.face = f.family().left(31);
  l.negrito = l.peso == 700;
  // The dialog's size in tenths of a point, times 1,000.
  l.tamanho = int(std::lround(pontos * 10.0)) * 1000;
  return l;
}

bool CarregaFonte(const QString& chave, FonteLogica& fonte, bool estendida) {
  QSettings ini;
  ini.beginGroup(chave);
  fonte.altura = ini.value(QStringLiteral("Height"), 0).toInt();
  if (fonte.altura == 0) return false;
  fonte.peso = ini.value(QStringLiteral("Weight"), 0).toInt();
  fonte.italico = ini.value(QStringLiteral("Italic"), 0).toInt() != 0;
  fonte.sublinhado = ini.value(QStringLiteral("Underline"), 0).toInt() != 0;
  fonte.passoEFamilia = ini.value(QStringLiteral("PitchAndFamily"), 0).toInt();
  fonte.conjunto = ini.value(QStringLiteral("CharSet"), 1).toInt();
  fonte.face = ini.value(QStringLiteral("FaceName"), QStringLiteral("System")).toString().left(31);
  if (estendida) {
    fonte.negrito = ini.value(QStringLiteral("Bold"), 0).toInt() != 0;
    fonte.tamanho = ini.value(QStringLiteral("Size"), 0).toInt();
  }
  return true;
}

void GravaFonte(const QString& chave, const FonteLogica& fonte, bool estendida) {
  if (fonte.altura == 0) return;
  QSettings ini;
  ini.beginGroup(chave);
  ini.setValue(QStringLiteral("Height"), fonte.altura);
  ini.setValue(QStringLiteral("Weight"), fonte.peso);
  ini.setValue(QStringLiteral("Italic"), int(fonte.italico));
  ini.setValue(QStringLiteral("Underline"), int(fonte.sublinhado));
  ini.setValue(QStringLiteral("PitchAndFamily"), fonte.passoEFamilia);
  ini.setValue(QStringLiteral("CharSet"), fonte.conjunto);
  ini.setValue(QStringLiteral("FaceName"), fonte.face.left(31));
  if (estendida) {
    ini.setValue(QStringLiteral("Bold"), int(fonte.negrito));
    ini.setValue(QStringLiteral("Size"), fonte.tamanho);
  }
}

bool EscolheFonte(QWidget* pai, const QFont& inicial, QFont& escolhida) {
  QFontDialog dlg(inicial, pai);
  dlg.setObjectName(QStringLiteral("dlgFonte"));
  dlg.setWindowTitle(QStringLiteral("Fonte"));
  dlg.setOption(QFontDialog::DontUseNativeDialog);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return false;
  escolhida = dlg.selectedFont();
  return true;
}

}  // namespace brenk
