#include "platform/TextoNumerico.h"

#include "platform/Cp1252.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>

namespace plat {

namespace {

// A C locale object used per call through uselocale: the process locale is
// never touched.
locale_t LocaleC() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

class EscopoLocaleC {
public:
  EscopoLocaleC() : anterior_(uselocale(LocaleC())) {}
  ~EscopoLocaleC() { uselocale(anterior_); }
private:
  locale_t anterior_;
};

// The integer of an argument: a real is cut toward zero; one that has no
// integer (not finite, beyond 64 bits) prints as 0 instead of an undefined cast.
long long InteiroDe(const ArgFormato* a) {
  if (!a) return 0;
  if (a->tipo != ArgFormato::Real) return a->i;
  if (!(std::fabs(a->d) < 9.2e18)) return 0;
  return static_cast<long long>(a->d);
}

std::string FormataUm(const std::string& conversao, char conv, const ArgFormato* a) {
  char buf[512];
  std::string f = conversao;
  int n = 0;
  switch (conv) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': {
      f += "ll";
      f += conv;
      const long long v = InteiroDe(a);
      n = std::snprintf(buf, sizeof buf, f.c_str(), v);
      break;
    }
    case 'c': {
      f += conv;
      int v = a ? static_cast<int>(a->i) : 0;
      n = std::snprintf(buf, sizeof buf, f.c_str(), v);
      break;
    }
    case 's': {
      f += conv;
      std::string v = a ? (a->tipo == ArgFormato::Texto ? a->s : std::string()) : std::string();
      // Long texts are formatted directly to avoid the fixed buffer.
      int need = std::snprintf(nullptr, 0, f.c_str(), v.c_str());
      if (need < 0) return std::string();
      std::string out(static_cast<std::size_t>(need) + 1, '\0');
      std::snprintf(out.data(), out.size(), f.c_str(), v.c_str());
      out.resize(static_cast<std::size_t>(need));
      return out;
    }
    default: {  // f F e E g G a A
      f += conv;
      double v = a ? (a->tipo == ArgFormato::Real ? a->d : static_cast<double>(a->i)) : 0.0;
      n = std::snprintf(buf, sizeof buf, f.c_str(), v);
      break;
    }
  }
  if (n < 0) return std::string();
  if (n >= static_cast<int>(sizeof buf)) {
    // Only huge widths get here; format again into an exact buffer.
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    if (conv == 'd' || conv == 'i' || conv == 'u' || conv == 'x' || conv == 'X' || conv == 'o')
      std::snprintf(out.data(), out.size(), f.c_str(), InteiroDe(a));
    else if (conv == 'c')
      std::snprintf(out.data(), out.size(), f.c_str(), a ? static_cast<int>(a->i) : 0);
    else
      std::snprintf(out.data(), out.size(), f.c_str(), a ? a->d : 0.0);
    out.resize(static_cast<std::size_t>(n));
    return out;
  }
  return std::string(buf, static_cast<std::size_t>(n));
}

std::string Formata(const char* formato, std::initializer_list<ArgFormato> args, bool virgula) {
  EscopoLocaleC escopo;
  std::string out;
  auto it = args.begin();
  auto proximo = [&]() -> const ArgFormato* { return it != args.end() ? &*it++ : nullptr; };
  for (const char* p = formato; *p; ++p) {
    if (*p != '%') { out += *p; continue; }
    if (p[1] == '%') { out += '%'; ++p; continue; }
    std::string conversao = "%";
    ++p;
    while (*p && std::strchr("-+ #0", *p)) conversao += *p++;
    if (*p == '*') { const ArgFormato* w = proximo(); conversao += std::to_string(w ? w->i : 0); ++p; }
    while (*p >= '0' && *p <= '9') conversao += *p++;
    if (*p == '.') {
      conversao += *p++;
      if (*p == '*') {
        // A negative precision argument counts as no precision at all.
        const ArgFormato* w = proximo();
        const long long v = w ? w->i : 0;
        if (v >= 0) conversao += std::to_string(v);
        else conversao.pop_back();
        ++p;
      }
      while (*p >= '0' && *p <= '9') conversao += *p++;
    }
    // Length modifiers are chosen from the argument; the written ones are skipped.
    while (*p && std::strchr("hlLqjzt", *p)) ++p;
    if (*p == 'I') { ++p; while (*p >= '0' && *p <= '9') ++p; }
    if (!*p) break;
    const char conv = *p;
    if (!std::strchr("diuxXocsfFeEgGaA", conv)) {  // %n, %p and the like: kept as text
      out += conversao;
      out += conv;
      continue;
    }
    std::string peca = FormataUm(conversao, conv, proximo());
    if (virgula && std::strchr("fFeEgGaA", conv))
      for (char& c : peca) if (c == '.') c = ',';
    out += peca;
  }
  return out;
}

std::optional<std::pair<QChar, QChar>>& SeparadoresTeste() {
  static std::optional<std::pair<QChar, QChar>> s;
  return s;
}

}  // namespace

ArgFormato::ArgFormato(const QString& v) : tipo(Texto), s(ParaCp1252(v)) {}
ArgFormato::ArgFormato(const char* v) : tipo(Texto), s(ParaCp1252(QString::fromUtf8(v ? v : ""))) {}
ArgFormato::ArgFormato(const std::string& v) : tipo(Texto), s(ParaCp1252(QString::fromStdString(v))) {}

// Texts are formatted in the code page, so widths count characters, and the
// result is read back from it.
QString FormataC(const char* formato, std::initializer_list<ArgFormato> args) {
  return LeCp1252(Formata(formato, args, true));
}

std::string FormataPonto(const char* formato, std::initializer_list<ArgFormato> args) {
  return LeCp1252(Formata(formato, args, false)).toStdString();
}

double LeReal(const QString& texto, QChar decimal, bool* ok, int* usados) {
  std::string s;
  s.reserve(static_cast<std::size_t>(texto.size()));
  for (QChar c : texto) {
    if (c == decimal) s += '.';
    else if (c == QLatin1Char('.') && decimal != QLatin1Char('.')) s += '\x01';  // not a decimal point here
    else if (c.unicode() < 0x80) s += static_cast<char>(c.unicode());
    else s += '\x01';
  }
  const char* ini = s.c_str();
  // Decimal notation only: strtod would also take "nan", "inf" and hexadecimal
  // ("0x1A" reads as the 0 before the x).
  const char* q = ini;
  while (*q == ' ' || *q == '\t' || *q == '\n' || *q == '\r' || *q == '\f' || *q == '\v') ++q;
  if (*q == '+' || *q == '-') ++q;
  const bool digito = *q >= '0' && *q <= '9';
  if (usados) *usados = 0;
  if (!digito && !(*q == '.' && q[1] >= '0' && q[1] <= '9')) {
    if (ok) *ok = false;
    return 0.0;
  }
  if (q[0] == '0' && (q[1] == 'x' || q[1] == 'X')) {
    if (ok) *ok = true;
    if (usados) *usados = static_cast<int>(q + 1 - ini);
    return 0.0;
  }
  char* fim = nullptr;
  const double v = strtod_l(ini, &fim, LocaleC());
  if (ok) *ok = fim != ini;
  if (usados) *usados = static_cast<int>(fim - ini);
  return fim != ini ? v : 0.0;
}

QChar DecimalUsuario() {
  if (SeparadoresTeste()) return SeparadoresTeste()->first;
  return QLocale::system().decimalPoint().at(0);
}

QChar MilharUsuario() {
  if (SeparadoresTeste()) return SeparadoresTeste()->second;
  const QString g = QLocale::system().groupSeparator();
  return g.isEmpty() ? QChar(QLatin1Char('.')) : g.at(0);
}

void DefineSeparadoresUsuario(QChar decimal, QChar milhar) {
  SeparadoresTeste() = std::make_pair(decimal, milhar);
}

void RestauraSeparadoresUsuario() { SeparadoresTeste().reset(); }

}  // namespace plat
