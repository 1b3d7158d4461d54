#include "TextoNumero.h"

#include "platform/TextoNumerico.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// Characters of the first `limite` characters of a typed text that take part in
// the number: ASCII digits, signs, and the user's decimal character as '.'.
std::string FiltraNumero(QStringView texto, qsizetype limite, QChar decimal) {
  std::string s;
  const qsizetype n = std::min(texto.size(), limite);
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = texto[i];
    if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'+')
      s.push_back(char(c.unicode()));
    else if (c == decimal)
      s.push_back('.');
  }
  return s;
}

// Converts as far as the text reads as a number (one optional sign, digits,
// one point), 0 when nothing reads. Independent of the process locale.
double LeFiltrado(const std::string& s) {
  std::size_t p = 0;
  bool negativo = false;
  if (p < s.size() && (s[p] == '-' || s[p] == '+')) negativo = s[p++] == '-';
  if (p < s.size() && (s[p] == '-' || s[p] == '+')) return 0.0;
  double v = 0.0;
  const auto r = std::from_chars(s.data() + p, s.data() + s.size(), v, std::chars_format::fixed);
  if (r.ec != std::errc()) return 0.0;
  return negativo ? -v : v;
}

// printf "%.Nf" in the C locale (with the point), whatever the process locale.
std::string TextoFixo(double x, int casas) {
  char buf[400];  // 309 integer digits at most, sign, point and decimals
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, casas);
  return std::string(buf, r.ptr);
}

std::string ComVirgula(std::string s) {
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

// Integer scaling of the system: a·b/c rounded to nearest, halves away from
// zero; -1 for a zero divisor or a result beyond 32 bits.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long p = static_cast<long long>(a) * b;
  long long d = c;
  if (d < 0) { p = -p; d = -d; }
  const long long q = p >= 0 ? (p + d / 2) / d : (p - d / 2) / d;
  if (q > INT_MAX || q < INT_MIN) return -1;
  return static_cast<int>(q);
}

QString TrimBrancos(const QString& s) {
  qsizetype a = 0, b = s.size();
  while (a < b && s[a] == u' ') ++a;
  while (b > a && s[b - 1] == u' ') --b;
  return s.mid(a, b - a);
}

bool EhDigitoMascara(QChar c) { return c == u'#' || c == u'@'; }

// Shared by both forms of ConverteTextoNumero: the value within ±limit.
bool ConverteLimitado(QStringView texto, double* valor) {
  double v = LeFiltrado(FiltraNumero(texto, 49, plat::DecimalUsuario()));
  bool ok = true;
  if (v > LimiteTextoNumero) { v = 1e13; ok = false; }
  else if (v < -LimiteTextoNumero) { v = -1e13; ok = false; }
  *valor = v;
  return ok;
}

int FormataMascaraCom(QStringView digitos, QStringView mascara, QString& saida, QChar decimal, QChar milhar);

void FormataNumeroMascara(QString& saida, double x, int decimais, bool percentual, QChar decimal, QChar milhar) {
  if (!std::isfinite(x) || std::fabs(x) >= HUGE_VAL) {
    saida = QStringLiteral("Erro");
    return;
  }
  const std::string impresso = TextoFixo(x, 9);
  if (std::fabs(x) > 1e9) {
    saida = QString::fromLatin1(ComVirgula(impresso));
    return;
  }
  QString mascara = MascaraNumero(decimais);
  for (QChar& c : mascara) {
    if (c == u'.') c = milhar;
    else if (c == u',') c = decimal;
  }
  QString fonte = QString::fromLatin1(impresso);
  fonte.replace(u'.', decimal);
  QString campo;
  FormataMascaraCom(fonte, mascara, campo, decimal, milhar);
  saida = TrimBrancos(campo);
  if (percentual) saida += u'%';
}

void FormataNumeroMascara(QString& saida, double x, int decimais, bool percentual) {
  FormataNumeroMascara(saida, x, decimais, percentual, plat::DecimalUsuario(), plat::MilharUsuario());
}

bool Digito(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool ConverteStringNumero(const QString& texto, double* valor) {
  const double v = LeFiltrado(FiltraNumero(texto, 50, plat::DecimalUsuario()));
  const bool ok = !(v > LimiteTextoNumero);
  if (valor) *valor = ok ? v : 1e13;
  return ok;
}

bool ConverteTextoNumero(char* texto, std::size_t tamanho, double* valor) {
  if (!texto || tamanho == 0) {
    if (valor) *valor = 0.0;
    return true;
  }
  const std::size_t n = strnlen(texto, std::min<std::size_t>(tamanho, 49));
  double v = 0.0;
  const bool ok = ConverteLimitado(QString::fromLatin1(texto, qsizetype(n)), &v);
  const std::string novo = ComVirgula(TextoFixo(v, 4));
  const std::size_t cabe = std::min(novo.size(), tamanho - 1);
  std::memcpy(texto, novo.data(), cabe);
  texto[cabe] = '\0';
  if (valor) *valor = v;
  return ok;
}

bool ConverteTextoNumero(QString& texto, double* valor) {
  double v = 0.0;
  const bool ok = ConverteLimitado(texto, &v);
  texto = QString::fromLatin1(ComVirgula(TextoFixo(v, 4)));
  if (valor) *valor = v;
  return ok;
}

void FormataNumero(QString& saida, double x, int decimais) {
  FormataNumeroMascara(saida, x, decimais, false);
}

QString FormataNumero(double x, int decimais) {
  QString s;
  FormataNumeroMascara(s, x, decimais, false);
  return s;
}

void FormataNumeroPercentual(QString& saida, double x, int decimais, int percentual) {
  FormataNumeroMascara(saida, x, decimais, percentual == 1);
}

QString FormataNumeroPercentual(double x, int decimais, int percentual) {
  QString s;
  FormataNumeroMascara(s, x, decimais, percentual == 1);
  return s;
}

QString MascaraNumero(int decimais) {
  // Pictures exist for 0 to 11 places; other counts take the nearest one.
  const int d = std::clamp(decimais, 0, 11);
  QString m = QStringLiteral("#.###.###.##@");
  if (d > 0) m += u',' + QString(d, u'@');
  return m;
}

int FormataMascara(QStringView digitos, QStringView mascara, QString& saida) {
  return FormataMascaraCom(digitos, mascara, saida, plat::DecimalUsuario(), plat::MilharUsuario());
}

namespace {
int FormataMascaraCom(QStringView digitos, QStringView mascara, QString& saida, QChar decimal, QChar milhar) {
  const qsizetype m = mascara.size();
  saida = mascara.toString();

  if (mascara.contains(u'&')) {
    // Letter mode: the text fills the positions from the left.
    qsizetype k = 0;
    while (k < digitos.size() && digitos[k] == u' ') ++k;
    const QStringView texto = digitos.mid(k);
    qsizetype usados = 0;
    for (qsizetype i = 0; i < m; ++i) {
      const QChar c = mascara[i];
      if (c != u'#' && c != u'&' && c != u'@') continue;
      if (usados < texto.size()) saida[i] = texto[usados++];
      else saida[i] = c == u'@' ? u'0' : u' ';
    }
    return int(usados);
  }

  // Source without leading blanks and zeros (the sign stays, one character too).
  qsizetype a = 0;
  while (a < digitos.size() && digitos[a] == u' ') ++a;
  QString fonte;
  if (a < digitos.size() && digitos[a] == u'-') fonte += digitos[a++];
  while (digitos.size() - a > 1 && (digitos[a] == u'0' || digitos[a] == u' ')) ++a;
  fonte += digitos.mid(a);

  const qsizetype pf = fonte.indexOf(decimal);
  const QString inteira = pf < 0 ? fonte : fonte.left(pf);
  const QString fracao = pf < 0 ? QString() : fonte.mid(pf + 1);

  // A mask without decimals ends its integer part at its last character.
  qsizetype pm = mascara.indexOf(decimal);
  if (pm < 0) pm = m;
  const auto separador = [&](qsizetype i) {
    return i == pm || (i < pm && mascara[i] == milhar && !EhDigitoMascara(mascara[i]));
  };

  // Integer part from the right, decimals from the left; surplus decimals cut.
  qsizetype posicoes = 0;
  qsizetype k = inteira.size() - 1;
  for (qsizetype i = pm - 1; i >= 0; --i) {
    if (!EhDigitoMascara(mascara[i])) continue;
    ++posicoes;
    if (k >= 0) saida[i] = inteira[k--];
    else saida[i] = mascara[i] == u'@' ? u'0' : u' ';
  }
  k = 0;
  for (qsizetype i = pm + 1; i < m; ++i) {
    if (!EhDigitoMascara(mascara[i])) continue;
    if (k < fracao.size()) saida[i] = fracao[k++];
    else saida[i] = mascara[i] == u'@' ? u'0' : u' ';
  }

  // No separator may hang in front of the number, and a sign left alone at the
  // end of the integer part is the sign of a zero integer part.
  for (qsizetype i = 0; i < m; ++i) {
    const QChar c = saida[i];
    if (!EhDigitoMascara(mascara[i])) continue;
    if (c == u'-' && i + 1 == pm) {
      if (i > 0) saida[i - 1] = u'-';
      saida[i] = u'0';
    } else if ((c == u'-' || c == u'+') && i + 1 < pm && separador(i + 1)) {
      saida[i + 1] = c;
      saida[i] = u' ';
    } else if (c == u' ' && i + 1 < m && separador(i + 1)) {
      saida[i + 1] = u' ';
    }
  }

  if (inteira.size() > posicoes && m > 0) {
    saida[0] = u'[';
    saida[m - 1] = u']';
  }
  return int(inteira.size() - (inteira.startsWith(u'-') ? 1 : 0));
}
}  // namespace

// ------------------------------------------------------------ cell text

QString TextoCelula(double x, int decimais) {
  QString s;
  FormataNumeroMascara(s, x, decimais, false, QChar(u','), QChar(u'.'));
  return s;
}

QString TextoCelulaExato(double x) {
  if (!std::isfinite(x)) return QStringLiteral("Erro");
  char buf[400];
  // The shortest fixed text that reads back as the same double.
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  return QString::fromLatin1(ComVirgula(std::string(buf, r.ptr)));
}

bool LeTextoCelula(const QString& texto, double* valor) {
  const QString t = texto.trimmed();
  qsizetype i = 0;
  const qsizetype n = t.size();
  std::string s;
  if (i < n && (t[i] == u'-' || t[i] == u'+')) {
    if (t[i] == u'-') s.push_back('-');
    ++i;
  }
  // Integer part: plain digits, or groups of three after a first group of one
  // to three, each group after a thousands dot.
  qsizetype grupo = 0, digitos = 0;
  bool agrupado = false;
  for (; i < n; ++i) {
    const QChar c = t[i];
    if (Digito(c)) {
      s.push_back(char(c.unicode()));
      ++grupo;
      ++digitos;
      if (agrupado && grupo > 3) return false;
    } else if (c == u'.') {
      if (grupo == 0 || (agrupado ? grupo != 3 : grupo > 3)) return false;
      agrupado = true;
      grupo = 0;
    } else {
      break;
    }
  }
  if (agrupado && grupo != 3) return false;
  if (i < n && t[i] == u',') {
    s.push_back('.');
    for (++i; i < n && Digito(t[i]); ++i) {
      s.push_back(char(t[i].unicode()));
      ++digitos;
    }
  }
  if (i != n) return false;  // anything after the number
  if (n == 0) {
    if (valor) *valor = 0.0;
    return true;
  }
  if (digitos == 0) return false;
  double v = 0.0;
  const char* a = s.data() + (s[0] == '-' ? 1 : 0);
  const auto r = std::from_chars(a, s.data() + s.size(), v, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
  if (valor) *valor = s[0] == '-' ? -v : v;
  return true;
}

int ArredondaDezena(int valor) {
  const long long v = valor;
  long long r = (v >= 0 ? (v + 5) / 10 : (v - 5) / 10) * 10;
  // The nearest ten of the extreme integers lies outside int: keep the one inside.
  if (r > INT_MAX) r -= 10;
  if (r < INT_MIN) r += 10;
  return static_cast<int>(r);
}

void ArredondaRetangulo(QRect* r) {
  if (!r) return;
  r->setCoords(ArredondaDezena(r->left()), ArredondaDezena(r->top()),
               ArredondaDezena(r->right()), ArredondaDezena(r->bottom()));
}

void EscalaRetangulo(QRect* saida, const QRect* entrada, int numerador, int denominador) {
  if (!saida || !entrada) return;
  saida->setCoords(MulDiv(entrada->left(), numerador, denominador),
                   MulDiv(entrada->top(), numerador, denominador),
                   MulDiv(entrada->right(), numerador, denominador),
                   MulDiv(entrada->bottom(), numerador, denominador));
}
