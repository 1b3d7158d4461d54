#include "TabelasEstatisticas.h"

#include "CabecalhoModelo.h"
#include "Distribuicoes.h"
#include "platform/Programa.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace {

constexpr std::size_t OffFEspacial = 410304;  // f64 F statistic of the spatial model

// The contents of one table file, read on first use. A file that could not
// be opened is tried again on the next look-up, so a table put in place
// later is still found.
struct TabelaCarregada {
  const char* nome;
  QByteArray bytes;
  bool lida = false;
};

struct Tabelas {
  std::mutex trava;
  QString pasta;  // empty: the program folder
  TabelaCarregada student{"stdt.dat"};
  TabelaCarregada snedecor{"sndc.dat"};
  TabelaCarregada durbin{"durbwat.dat"};
};

Tabelas& Cache() {
  static Tabelas t;
  return t;
}

// The f64 at `deslocamento` of the table; false when the file cannot be read
// or the value lies outside it (a short file is a failed read).
bool LeValor(TabelaCarregada Tabelas::*qual, long long deslocamento, double& valor) {
  Tabelas& c = Cache();
  std::lock_guard<std::mutex> guarda(c.trava);
  TabelaCarregada& t = c.*qual;
  if (!t.lida) {
    const QString nome = QString::fromLatin1(t.nome);
    QFile f(c.pasta.isEmpty() ? plat::CaminhoPrograma(nome) : QDir(c.pasta).filePath(nome));
    if (!f.open(QIODevice::ReadOnly)) return false;
    t.bytes = f.readAll();
    t.lida = true;
  }
  if (deslocamento < 0 || deslocamento + 8 > t.bytes.size()) return false;
  unsigned char b[8];
  std::memcpy(b, t.bytes.constData() + deslocamento, 8);
  uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | b[i];  // stored little-endian
  std::memcpy(&valor, &u, 8);
  return true;
}

int ContaHabilitadas(const CabecalhoModelo& h) {
  const int nv = h.NumVariaveis();
  if (nv < 0 || nv > CabecalhoModelo::MaxVariaveis) return -1;
  int k = 0;
  for (int v = 0; v < nv; ++v) k += h.Habilitada(v) ? 1 : 0;
  return k;
}

bool EquacaoValida(int e) { return e >= 0 && e < CabecalhoModelo::MaxEquacoes; }

const char* const VereditoErro = "Erro no Calculo de dw   ";
const char* const VereditoSem = "Não auto-regressão      ";
const char* const VereditoPositiva = "Auto-regressão positiva ";
const char* const VereditoNegativa = "Auto-regressão negativa ";
const char* const VereditoInconclusivo = "Região nao conclusiva   ";

}  // namespace

int LinhaStudent(int graus) {
  if (graus < 1) return 0;
  if (graus <= 30) return graus;
  if (graus <= 40) return 31;
  if (graus <= 60) return 32;
  if (graus <= 120) return 33;
  return 34;
}

int LinhaSnedecor(int nu2) {
  if (nu2 < 30) return nu2;
  if (nu2 < 40) return 30;
  if (nu2 < 60) return 31;
  if (nu2 < 120) return 32;
  if (nu2 == 120) return 33;
  return 34;
}

int ColunaSnedecor(int nu1) {
  if (nu1 <= 10) return nu1;
  if (nu1 == 11) return 10;
  if (nu1 < 15) return 11;
  if (nu1 < 20) return 12;
  if (nu1 < 24) return 13;
  if (nu1 < 30) return 14;
  if (nu1 < 40) return 15;
  if (nu1 < 60) return 16;
  if (nu1 < 120) return 17;
  if (nu1 == 120) return 18;
  return 19;
}

int LinhaDurbinWatson(int considerados) {
  const int linha = considerados <= 40 ? std::max(considerados - 15, 0) : considerados / 5 + 17;
  return std::min(linha, 37);
}

int ColunaDurbinWatson(int habilitadas) { return std::min(2 * habilitadas - 4, 8); }

double LeValorCriticoT(int coluna, int a, int b) {
  if (coluna < 0 || coluna > 9) coluna = 2;
  const long long graus = (long long)a - b;
  if (graus <= 0) return 0.0;  // no row before the table
  const int linha = LinhaStudent(int(std::min<long long>(graus, 1000)));
  double t;
  if (!LeValor(&Tabelas::student, 8LL * (10 * linha + coluna + 1), t)) return 0.0;
  return t;
}

double ConfiancaSnedecor(double F, int habilitadas, int considerados) {
  static constexpr float Niveis[5] = {0.80f, 0.90f, 0.95f, 0.98f, 0.99f};
  const int nu1 = habilitadas - 1, nu2 = considerados - habilitadas;
  // Without a regressor or a residual degree of freedom there is no cell to
  // read: the table cannot answer.
  if (nu1 < 1 || nu2 < 1) return -1.0;
  const long long base = 40LL * (19 * (LinhaSnedecor(nu2) - 1) + (ColunaSnedecor(nu1) - 1)) + 8;
  if (std::isnan(F)) {
    // Every comparison with it is false, so it reaches no level; an unreadable
    // table still answers its failure value.
    double primeiro;
    return LeValor(&Tabelas::snedecor, base, primeiro) ? 0.0 : -1.0;
  }
  int j = 0;
  double critico = 0.0;
  for (; j < 5; ++j) {
    if (!LeValor(&Tabelas::snedecor, base + 8 * j, critico)) return -1.0;
    if (!(critico < F)) break;
  }
  if (j == 5) return double(Niveis[4]);  // F at or above every level's value
  if (critico > F) --j;                  // an equal value counts as reached
  return j < 0 ? 0.0 : double(Niveis[j]);
}

double ConfiancaSnedecor(const CabecalhoModelo& h, bool linear) {
  double F;
  if (linear) {
    const int e = h.EquacaoCorrente();
    if (!EquacaoValida(e)) return -1.0;
    F = h.F64(CabecalhoModelo::OffF + 8 * std::size_t(e));
  } else {
    F = h.F64(OffFEspacial);
  }
  const int k = ContaHabilitadas(h);
  if (k < 0) return -1.0;
  return ConfiancaSnedecor(F, k, h.NumConsiderados());
}

int VerificaDurbinWatson(double d, int habilitadas, int considerados, const char** veredito, const char** nivel) {
  *veredito = VereditoErro;
  *nivel = "";
  const int linha = LinhaDurbinWatson(considerados), coluna = ColunaDurbinWatson(habilitadas);
  // Without a regressor there are no bounds; a statistic that is not a number
  // would compare false everywhere and read as positive autocorrelation.
  if (coluna < 0 || std::isnan(d)) return 2;
  int conta = 0, j = 1;
  for (; j <= 3; ++j) {
    double dL, dU;
    if (!LeValor(&Tabelas::durbin, 8LL * (3 * (10 * linha + coluna) + j), dL) ||
        !LeValor(&Tabelas::durbin, 8LL * (3 * (10 * linha + coluna + 1) + j), dU))
      return 2;
    conta = (dL < d) + (dU < d) + (4.0 - dU < d) + (4.0 - dL < d);
    if (conta == 2) break;
  }
  if (j > 3) j = 3;
  static const char* const Niveis[3] = {"90%", "95%", "98%"};
  *nivel = Niveis[j - 1];
  switch (conta) {
    case 2: *veredito = VereditoSem; return 3;
    case 0: *veredito = VereditoPositiva; return 1;
    case 4: *veredito = VereditoNegativa; return 1;
    default: *veredito = VereditoInconclusivo; return 2;
  }
}

int VerificaDurbinWatson(const CabecalhoModelo& h, const char** veredito, const char** nivel) {
  const int e = h.EquacaoCorrente(), nv = h.NumVariaveis(), k = ContaHabilitadas(h);
  if (!EquacaoValida(e) || k < 0) {
    *veredito = VereditoErro;
    *nivel = "";
    return 2;
  }
  const double d = h.F64VE(CabecalhoModelo::OffEstatisticasEquacao, nv, e);
  return VerificaDurbinWatson(d, k, h.NumConsiderados(), veredito, nivel);
}

double SignificanciaStudent(double nu, double t) {
  constexpr double Teto = 0.9999;
  t = std::fabs(t);
  if (std::isnan(t) || !(nu >= 1.0)) return 0.0;  // no degrees of freedom: no confidence
  if (nu > 250.0) {
    if (t > 6.0) return Teto;
    nu = 250.0;
  } else if (nu > 6.0 && t > 6.0) {
    return Teto;
  }
  double a;
  if (nu != std::floor(nu)) {
    // The closed form needs whole degrees of freedom.
    a = 1.0 - dist::BetaIncompleta(nu / (nu + t * t), 0.5 * nu, 0.5);
  } else {
    // A(t | nu) in closed form: with theta = atan(t / sqrt(nu)), an
    // arctangent series for odd nu, an algebraic one for even nu.
    const int n = int(nu);
    const double teta = std::atan(t / std::sqrt(nu));
    const double s = std::sin(teta), c2 = std::cos(teta) * std::cos(teta);
    if (n % 2 == 1) {
      double soma = 0.0;
      if (n > 1) {
        double termo = 1.0;
        soma = 1.0;
        for (int i = 3; i <= n - 2; i += 2) {
          termo *= c2 * (i - 1) / i;
          soma += termo;
        }
        soma *= s * std::cos(teta);
      }
      a = 2.0 / 3.14159265358979323846 * (teta + soma);
    } else {
      double termo = 1.0, soma = 1.0;
      for (int i = 2; i <= n - 2; i += 2) {
        termo *= c2 * (i - 1) / i;
        soma += termo;
      }
      a = s * soma;
    }
  }
  return std::min(a, Teto);
}

void DefinePastaTabelas(const QString& pasta) {
  Tabelas& c = Cache();
  std::lock_guard<std::mutex> guarda(c.trava);
  c.pasta = pasta;
  for (TabelaCarregada* t : {&c.student, &c.snedecor, &c.durbin}) {
    t->bytes.clear();
    t->lida = false;
  }
}
