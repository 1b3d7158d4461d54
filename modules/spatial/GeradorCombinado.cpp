#include "GeradorCombinado.h"

#include <array>
#include <cmath>

namespace quenvik {

namespace {

constexpr int64_t m1 = 2147483563, m2 = 2147483399;
constexpr int64_t a1 = 40014, a2 = 40692;
// Multipliers that advance a generator to its next block; kept with the
// family's constants though the library never advances blocks.
constexpr int64_t a1w = 1033780774, a2w = 1494757890;
constexpr int64_t a1vw = 2082007225, a2vw = 784306273;
constexpr int NumGeradores = 32;

struct Estado {
  std::array<int32_t, NumGeradores> ig1{}, ig2{};  // initial seeds
  std::array<int32_t, NumGeradores> lg1{}, lg2{};  // last seeds
  std::array<int32_t, NumGeradores> cg1{}, cg2{};  // current seeds
  std::array<bool, NumGeradores> antitetico{};  // no caller sets one: all false
  int corrente = 1;                              // the library only draws from generator 1
  bool semeado = false;
};

Estado& estado() {
  static Estado e;
  return e;
}

// a·s mod m; the 64-bit product is exact for the 31-bit operands used here.
int32_t MultiplicaModulo(int64_t a, int64_t s, int64_t m) { return static_cast<int32_t>((a * s) % m); }

void ReiniciaGerador(int g) {
  Estado& e = estado();
  e.lg1[g] = e.ig1[g];
  e.lg2[g] = e.ig2[g];
  e.cg1[g] = e.lg1[g];
  e.cg2[g] = e.lg2[g];
}

// Phrase table: letters, digits, then 25 punctuation characters.
constexpr std::string_view TabelaFrase =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!@#$%^&*()_+[];:'\\\"<>?,./";
static_assert(TabelaFrase.size() == 87);

// Standard normal quantile, to double precision, by bisection on erfc.
double QuantilNormal(double p) {
  double lo = -40.0, hi = 40.0;
  for (int i = 0; i < 200 && hi - lo > 1e-15 * (1.0 + std::fabs(lo)); ++i) {
    const double m = 0.5 * (lo + hi);
    if (0.5 * std::erfc(-m / std::sqrt(2.0)) < p) lo = m; else hi = m;
  }
  return 0.5 * (lo + hi);
}

// Tables of the FL method. a[i] = Φ⁻¹(½ + i/64) splits the half-normal into
// 32 intervals of equal mass; t and h serve the centre (t = the largest
// exponent of the interval, h = width/(1 − t)); d holds the widths of the
// tail intervals of halving mass beyond a[31].
struct TabelasFL {
  double a[32];
  double d[31];
  double t[31];
  double h[31];
  TabelasFL() {
    for (int i = 0; i < 32; ++i) a[i] = i == 0 ? 0.0 : QuantilNormal(0.5 + i / 64.0);
    for (int i = 0; i < 31; ++i) {
      t[i] = 0.5 * (a[i + 1] * a[i + 1] - a[i] * a[i]);
      h[i] = (a[i + 1] - a[i]) / (1.0 - t[i]);
    }
    // Tail interval k (from index 5) lies between Φ⁻¹(1 − 2^-(k+1)) and Φ⁻¹(1 − 2^-(k+2)).
    for (int i = 0; i < 31; ++i) {
      if (i < 5) { d[i] = 0.0; continue; }
      const double de = -QuantilNormal(std::ldexp(1.0, -(i + 1)));
      const double ate = -QuantilNormal(std::ldexp(1.0, -(i + 2)));
      d[i] = ate - de;
    }
  }
};

const TabelasFL& tabelas() {
  static const TabelasFL t;
  return t;
}

}  // namespace

ParSementes SementesDeFrase(std::string_view frase) {
  constexpr int64_t dois30 = int64_t(1) << 30;
  constexpr int64_t desloca[5] = {1, 64, 4096, 262144, 16777216};
  int64_t s1 = 1234567890, s2 = 123456789;
  std::size_t tamanho = frase.size();
  while (tamanho > 0 && frase[tamanho - 1] == ' ') --tamanho;
  for (std::size_t k = 0; k < tamanho; ++k) {
    const std::size_t pos = TabelaFrase.find(frase[k]);
    int64_t c = (pos == std::string_view::npos ? 0 : int64_t(pos)) % 64;
    if (c == 0) c = 63;
    int64_t v[5];
    for (int j = 1; j <= 5; ++j) {
      v[j - 1] = c - j;
      if (v[j - 1] < 1) v[j - 1] += 63;
    }
    for (int j = 1; j <= 5; ++j) {
      s1 = (s1 + desloca[j - 1] * v[j - 1]) % dois30;
      s2 = (s2 + desloca[j - 1] * v[5 - j]) % dois30;
    }
  }
  return {static_cast<int32_t>(s1), static_cast<int32_t>(s2)};
}

void DefineSementes(int32_t s1, int32_t s2) {
  Estado& e = estado();
  e.semeado = true;
  e.ig1[0] = s1;
  e.ig2[0] = s2;
  ReiniciaGerador(0);
  for (int g = 1; g < NumGeradores; ++g) {
    e.ig1[g] = MultiplicaModulo(a1vw, e.ig1[g - 1], m1);
    e.ig2[g] = MultiplicaModulo(a2vw, e.ig2[g - 1], m2);
    ReiniciaGerador(g);
  }
}

int32_t InteiroAleatorio() {
  Estado& e = estado();
  if (!e.semeado) DefineSementes(1234567890, 123456789);
  const int g = e.corrente - 1;
  int64_t s1 = e.cg1[g], s2 = e.cg2[g];
  int64_t k = s1 / 53668;
  s1 = a1 * (s1 - k * 53668) - k * 12211;
  if (s1 < 0) s1 += m1;
  k = s2 / 52774;
  s2 = a2 * (s2 - k * 52774) - k * 3791;
  if (s2 < 0) s2 += m2;
  e.cg1[g] = static_cast<int32_t>(s1);
  e.cg2[g] = static_cast<int32_t>(s2);
  int64_t z = s1 - s2;
  if (z < 1) z += m1 - 1;
  if (e.antitetico[g]) z = m1 - z;
  return static_cast<int32_t>(z);
}

double UniformeAleatoria() { return InteiroAleatorio() * 4.656613057e-10; }

double NormalPadrao() {
  const TabelasFL& T = tabelas();
  double u = UniformeAleatoria();
  double s = 0.0;
  if (u > 0.5) s = 1.0;
  u += u - s;
  u = 32.0 * u;
  int i = static_cast<int>(u);
  if (i == 32) i = 31;
  double aa, w, tt, ustar;
  if (i != 0) {
    // Centre: interval i between a[i-1] and a[i].
    ustar = u - i;
    aa = T.a[i - 1];
    for (;;) {
      if (ustar > T.t[i - 1]) {
        w = (ustar - T.t[i - 1]) * T.h[i - 1];
        break;
      }
      u = UniformeAleatoria();
      w = u * (T.a[i] - aa);
      tt = (0.5 * w + aa) * w;
      bool aceito = false;
      for (;;) {
        if (ustar > tt) { aceito = true; break; }
        u = UniformeAleatoria();
        if (ustar < u) break;
        tt = u;
        ustar = UniformeAleatoria();
      }
      if (aceito) break;
      ustar = UniformeAleatoria();
    }
  } else {
    // Tail beyond a[31], in intervals of halving mass.
    i = 6;
    aa = T.a[31];
    for (;;) {
      u += u;
      // The last table entry also takes the (unreachable in practice) farther tail.
      if (u >= 1.0 || i == 31) break;
      aa += T.d[i - 1];
      i += 1;
    }
    if (u >= 1.0) u -= 1.0;
    for (;;) {
      w = u * T.d[i - 1];
      tt = (0.5 * w + aa) * w;
      bool aceito = false;
      for (;;) {
        ustar = UniformeAleatoria();
        if (ustar > tt) { aceito = true; break; }
        u = UniformeAleatoria();
        if (ustar < u) break;
        tt = u;
      }
      if (aceito) break;
      u = UniformeAleatoria();
    }
  }
  const double y = aa + w;
  return s == 1.0 ? -y : y;
}

double GeraNormal(double media, double dp) { return media + dp * NormalPadrao(); }

}  // namespace quenvik
