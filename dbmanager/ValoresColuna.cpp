#include "dbmanager/ValoresColuna.h"

#include "dbmanager/RotinasBrenk.h"
#include "platform/TextoNumerico.h"

#include <QByteArray>
#include <QStringEncoder>
#include <cstring>

namespace brenk {

namespace {

constexpr std::uint64_t kMaxCurto = (std::uint64_t(1) << 24) - 1;
constexpr int kBitsTamanho = 24;

}  // namespace

void ValoresColuna::Reserva(std::size_t n) {
  tipos_.reserve(n);
  valores_.reserve(n);
}

void ValoresColuna::AcrescentaReal(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, 8);
  Poe(TipoValor::Real, b);
}

double ValoresColuna::Real(std::size_t i) const {
  double v;
  std::memcpy(&v, &valores_[i], 8);
  return v;
}

void ValoresColuna::AcrescentaUtf8(const char* t, std::size_t n) {
  if (n > kMaxCurto) {
    longos_.push_back(QString::fromUtf8(t, qsizetype(n)));
    // The top bit marks a long text; the rest is its index.
    Poe(TipoValor::Texto, (std::uint64_t(1) << 63) | (longos_.size() - 1));
    return;
  }
  const std::uint64_t inicio = textos_.size();
  textos_.insert(textos_.end(), t, t + n);
  Poe(TipoValor::Texto, (inicio << kBitsTamanho) | n);
}

void ValoresColuna::AcrescentaTexto(QStringView t) {
  if (std::size_t(t.size()) * 3 > kMaxCurto) {
    const QByteArray u = t.toUtf8();
    AcrescentaUtf8(u.constData(), std::size_t(u.size()));
    return;
  }
  // Encoded straight into the store, without a temporary.
  thread_local QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
  const std::size_t inicio = textos_.size();
  textos_.resize(inicio + std::size_t(utf8.requiredSpace(t.size())));
  char* fim = utf8.appendToBuffer(textos_.data() + inicio, t);
  const std::size_t n = std::size_t(fim - (textos_.data() + inicio));
  textos_.resize(inicio + n);
  Poe(TipoValor::Texto, (std::uint64_t(inicio) << kBitsTamanho) | n);
}

void ValoresColuna::Acrescenta(const QVariant& v) {
  if (!v.isValid() || v.isNull()) {
    AcrescentaNulo();
    return;
  }
  switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::SChar:
      AcrescentaInteiro(v.toLongLong());
      return;
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
      const qulonglong u = v.toULongLong();
      if (u <= qulonglong(INT64_MAX)) AcrescentaInteiro(std::int64_t(u));
      else AcrescentaTexto(QString::number(u));
      return;
    }
    case QMetaType::Double:
    case QMetaType::Float:
      AcrescentaReal(v.toDouble());
      return;
    case QMetaType::Bool:
      AcrescentaLogico(v.toBool());
      return;
    case QMetaType::QString: {
      const QString* s = static_cast<const QString*>(v.constData());
      AcrescentaTexto(*s);
      return;
    }
    case QMetaType::QByteArray:
      AcrescentaBinario();
      return;
    default:
      // Dates, times and the rest: the text the grid shows.
      AcrescentaTexto(brenk::TextoCelula(v));
      return;
  }
}

void ValoresColuna::Corta(std::size_t n) {
  if (n >= tipos_.size()) return;
  tipos_.resize(n);
  valores_.resize(n);
}

QString ValoresColuna::Texto(std::size_t i) const {
  if (TipoValor(tipos_[i]) != TipoValor::Texto) return QString();
  const std::uint64_t v = valores_[i];
  if (v >> 63) return longos_[std::size_t(v & ~(std::uint64_t(1) << 63))];
  return QString::fromUtf8(textos_.data() + (v >> kBitsTamanho), qsizetype(v & kMaxCurto));
}

QString ValoresColuna::TextoCelula(std::size_t i) const {
  switch (Tipo(i)) {
    case TipoValor::Nulo: return QStringLiteral("NULL");
    case TipoValor::Inteiro: return QString::number(Inteiro(i));
    // The 15 significant digits of a double turned into text.
    case TipoValor::Real: return plat::FormataC("%.15G", {Real(i)});
    case TipoValor::Texto: return Texto(i);
    case TipoValor::Binario: return QStringLiteral("<Binary>/<Raw>");
    case TipoValor::Logico: return Logico(i) ? QStringLiteral("-1") : QStringLiteral("0");
  }
  return QString();
}

}  // namespace brenk
