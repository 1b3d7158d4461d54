#include "dbmanager/RotinasBrenk.h"

#include "platform/TextoNumerico.h"

#include <QByteArray>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QUrl>
#include <QUuid>
#include <charconv>
#include <cmath>
#include <dlfcn.h>
#include <optional>
#include <string>

namespace brenk {

namespace {

// One reading of a number: its digits laid out for the C conversion.
std::optional<double> Converte(const std::string& s) {
  double v = 0.0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

bool Digito(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The exponent part ("e", a sign, digits) from position i to the end.
bool Expoente(QStringView t, qsizetype i, std::string& s) {
  if (i == t.size()) return true;
  if (t[i] != QLatin1Char('e') && t[i] != QLatin1Char('E')) return false;
  s += 'e';
  ++i;
  if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) s += char(t[i++].unicode());
  const qsizetype inicio = i;
  while (i < t.size() && Digito(t[i])) s += char(t[i++].unicode());
  return i > inicio && i == t.size();
}

// Sign and position after it.
qsizetype Sinal(QStringView t, std::string& s) {
  if (!t.isEmpty() && (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-'))) {
    if (t[0] == QLatin1Char('-')) s += '-';
    return 1;
  }
  return 0;
}

// "12", "12.5", ".5", "1e5", "-3.25E-07".
std::optional<double> LeituraC(QStringView t) {
  std::string s;
  qsizetype i = Sinal(t, s);
  qsizetype digitos = 0;
  while (i < t.size() && Digito(t[i])) s += char(t[i++].unicode()), ++digitos;
  if (i < t.size() && t[i] == QLatin1Char('.')) {
    s += '.';
    ++i;
    while (i < t.size() && Digito(t[i])) s += char(t[i++].unicode()), ++digitos;
  }
  if (digitos == 0 || !Expoente(t, i, s)) return std::nullopt;
  return Converte(s);
}

// "12", "12,5", ",5", "1.234", "1.234.567,89", "1,5E-05": points only
// between groups of three digits, the comma as the decimal separator.
std::optional<double> LeituraBrasileira(QStringView t) {
  std::string s;
  qsizetype i = Sinal(t, s);
  qsizetype inteiros = 0, grupo = 0;
  bool agrupado = false;
  while (i < t.size()) {
    if (Digito(t[i])) {
      s += char(t[i++].unicode());
      ++inteiros;
      ++grupo;
    } else if (t[i] == QLatin1Char('.')) {
      // A point closes a group: the first of one to three digits, the others of three.
      if (grupo == 0 || grupo > 3 || (agrupado && grupo != 3)) return std::nullopt;
      agrupado = true;
      grupo = 0;
      ++i;
    } else {
      break;
    }
  }
  if (agrupado && grupo != 3) return std::nullopt;
  qsizetype decimais = 0;
  if (i < t.size() && t[i] == QLatin1Char(',')) {
    s += '.';
    ++i;
    while (i < t.size() && Digito(t[i])) s += char(t[i++].unicode()), ++decimais;
    if (decimais == 0) return std::nullopt;
  }
  if (inteiros + decimais == 0 || !Expoente(t, i, s)) return std::nullopt;
  return Converte(s);
}

}  // namespace

bool ConverteCelulaNumero(const QString& texto, double& numero) {
  numero = 0.0;
  const QStringView t = QStringView(texto).trimmed();
  if (t.isEmpty()) return false;
  const std::optional<double> c = LeituraC(t), br = LeituraBrasileira(t);
  // Read alike in both, or in one only; two readings that differ are no number.
  if (c && br && *c != *br) return false;
  if (!c && !br) return false;
  numero = c ? *c : *br;
  return true;
}

namespace {

// Names of the variant types 0-31 and 64-72; empty where the type has none.
QString NomeVariante(unsigned t) {
  static const char* const baixos[] = {
      "VT_EMPTY", "VT_NULL", "VT_I2", "VT_I4", "VT_R4", "VT_R8", "VT_CY", "VT_DATE", "VT_BSTR",
      "VT_DISPATCH", "VT_ERROR", "VT_BOOL", "VT_VARIANT", "VT_UNKNOWN", nullptr, nullptr,
      "VT_I1", "VT_UI1", "VT_UI2", "VT_UI4", "VT_I8", "VT_UI8", "VT_INT", "VT_UINT", "VT_VOID",
      "VT_HRESULT", "VT_PTR", "VT_SAFEARRAY", "VT_CARRAY", "VT_USERDEFINED", "VT_LPSTR", "VT_LPWSTR"};
  static const char* const altos[] = {"VT_FILETIME", "VT_BLOB", "VT_STREAM", "VT_STORAGE",
                                      "VT_STREAMED_OBJECT", "VT_STORED_OBJECT", "VT_BLOB_OBJECT",
                                      "VT_CF", "VT_CLSID"};
  if (t < 32) return baixos[t] ? QString::fromLatin1(baixos[t]) : QString();
  if (t >= 64 && t <= 72) return QString::fromLatin1(altos[t - 64]);
  return QString();
}

// The C library's "%c" in the C locale: "Thu Jan  1 00:00:00 1970".
QString TextoDataC(const QDateTime& d) {
  if (!d.isValid()) return QStringLiteral("Invalid DateTime");
  const QLocale c = QLocale::c();
  return c.toString(d, QStringLiteral("ddd MMM ")) + QStringLiteral("%1").arg(d.date().day(), 2) +
         c.toString(d, QStringLiteral(" hh:mm:ss yyyy"));
}

}  // namespace

QString TextoTipoVariante(unsigned tipo) {
  const unsigned resto = tipo & 0x0FFFu;
  if (tipo & 0x6000u) {
    QString t;
    if (tipo & 0x2000u) t += QStringLiteral("Array of ");
    if (tipo & 0x4000u) t += QStringLiteral("Pointer to ");
    return t + NomeVariante(resto);
  }
  if (resto >= 18 || resto == 16 || resto == 17) {
    const QString n = NomeVariante(resto);
    return n.isEmpty() ? QStringLiteral("<Unknown>") : n;
  }
  return NomeVariante(resto);
}

QString TextoValor(const QVariant& valor) {
  if (!valor.isValid() || valor.isNull()) return QStringLiteral("NULL");
  switch (valor.metaType().id()) {
    case QMetaType::Short:
      return plat::FormataC("%hd", {valor.toInt()});
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
      return plat::FormataC("%lld", {valor.toLongLong()});
    case QMetaType::ULongLong:
      return QString::number(valor.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
      return plat::FormataC("%e", {valor.toDouble()});
    case QMetaType::Bool:
      return valor.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QMetaType::QString:
      return valor.toString();
    case QMetaType::QDate:
      return TextoDataC(valor.toDate().startOfDay());
    case QMetaType::QDateTime:
      return TextoDataC(valor.toDateTime());
    case QMetaType::QTime:
      return TextoDataC(QDateTime(QDate(1899, 12, 30), valor.toTime()));
    case QMetaType::SChar:
    case QMetaType::Char:
      return QStringLiteral("VT_I1");
    case QMetaType::UChar:
      return plat::FormataC("0x%02X", {static_cast<int>(valor.value<uchar>())});
    case QMetaType::QByteArray:
      return TextoTipoVariante(0x2000u | 17u);  // a safe array of bytes
    default:
      return QStringLiteral("<Unknown>");
  }
}

QString TextoCelula(const QVariant& valor) {
  if (!valor.isValid() || valor.isNull()) return QStringLiteral("NULL");
  switch (valor.metaType().id()) {
    case QMetaType::Float:
    case QMetaType::Double:
      // The 15 significant digits of a double turned into text.
      return plat::FormataC("%.15G", {valor.toDouble()});
    case QMetaType::Bool:
      return valor.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::QDate:
      return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QTime:
      return valor.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime: {
      const QDateTime d = valor.toDateTime();
      return d.time() == QTime(0, 0) ? d.date().toString(QStringLiteral("dd/MM/yyyy"))
                                     : d.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    }
    case QMetaType::QByteArray:
      return QStringLiteral("<Binary>/<Raw>");
    default:
      return valor.toString();
  }
}

QString TextoErroArquivo(int causa) {
  static const char* const textos[] = {
      "The file could not be located.",
      "All or part of the path is invalid.",
      "The permitted number of open files was exceeded.",
      "The file could not be accessed.",
      "There was an attempt to use an invalid file handle.",
      "The current working directory cannot be removed.",
      "There are no more directory entries.",
      "There was an error trying to set the file pointer.",
      "There was a hardware error.",
      "SHARE.EXE was not loaded, or a shared region was locked.",
      "There was an attempt to lock a region that was already locked.",
      "The disk is full.",
      "The end of file was reached."};
  if (causa >= 2 && causa <= 14) return QString::fromLatin1(textos[causa - 2]);
  return QStringLiteral("An unspecified error occurred.");
}

namespace {
AbridorArquivos& Abridor() {
  static AbridorArquivos a;
  return a;
}
}  // namespace

bool AbreArquivoExterno(const QString& caminho) {
  if (const AbridorArquivos& a = Abridor()) return a(caminho);
  return QFileInfo::exists(caminho) && QDesktopServices::openUrl(QUrl::fromLocalFile(caminho));
}

AbridorArquivos DefineAbridorArquivos(AbridorArquivos abridor) {
  AbridorArquivos anterior = Abridor();
  Abridor() = std::move(abridor);
  return anterior;
}

bool ClasseRegistrada(const QString& progId) {
  const QString t = progId.trimmed();
  if (t.startsWith(QLatin1Char('{'))) return !QUuid::fromString(t).isNull();
  // The connection prompt and the result grid are this program's own widgets.
  return t.compare(QLatin1String("Datalinks"), Qt::CaseInsensitive) == 0 ||
         t.compare(QLatin1String("MSHierarchicalFlexGridLib.MSHFlexGrid.6"), Qt::CaseInsensitive) == 0;
}

bool RegistraServidor(const QString& caminho) {
  void* h = dlopen(QFile::encodeName(caminho).constData(), RTLD_NOW | RTLD_LOCAL);
  if (!h) return false;
  using Registro = long (*)();
  auto f = reinterpret_cast<Registro>(dlsym(h, "DllRegisterServer"));
  const bool ok = f && f() >= 0;
  dlclose(h);
  return ok;
}

bool GaranteRegistro(const QString& progId, const QString& arquivo) {
  if (ClasseRegistrada(progId)) return true;
  const QString caminho = QStandardPaths::findExecutable(arquivo);
  if (caminho.isEmpty() || caminho.size() > 260) return false;
  return RegistraServidor(caminho);
}

}  // namespace brenk
