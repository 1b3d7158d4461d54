#include "ResumoModelo.h"

#include "PaineisModelo.h"

#include "model/CabecalhoModelo.h"
#include "model/TabelasEstatisticas.h"
#include "platform/TextoNumerico.h"

#include <algorithm>
#include <cmath>

namespace resumo {
namespace {
using C = CabecalhoModelo;

// A figure in a printf picture; one that is not a number reads "Erro".
QString Numero(const char* formato, double x) {
  return std::isfinite(x) ? plat::FormataC(formato, {x}) : QStringLiteral("Erro");
}

QString Par(int e, double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return QStringLiteral("Erro");
  return plat::FormataC("%i - %8.7f / %8.7f", {e + 1, a, b});
}

int NumVariaveis(const C& h) { return std::clamp(h.NumVariaveis(), 0, C::MaxVariaveis); }
int Corrente(const C& h) { return std::clamp(h.EquacaoCorrente(), 0, C::MaxEquacoes - 1); }
int Habilitadas(const C& h) {
  int k = 0;
  for (int v = 0; v < NumVariaveis(h); ++v) k += h.Habilitada(v) ? 1 : 0;
  return k;
}

constexpr auto Texto = &ItemImpresso::Texto;
constexpr auto Regra = &ItemImpresso::Regra;

// The form of variable v in equation e: a power shows its exponent.
QString Forma(const C& h, int v, int e) {
  const int codigo = h.Transformacao(v, e);
  if (codigo == 0) return Numero("x^%3.2f", h.F64VE(C::OffExpoentes, v, e));
  return NomeTransformacaoImpressa(codigo);
}
}  // namespace

QStringList EntradasEquacoes(const CabecalhoModelo* h) {
  QStringList l;
  if (!h || h->EstadoCalculo() == 0) return l;
  const int kept = std::clamp(h->NumEquacoes(), 0, C::MaxEquacoes);
  for (int e = 0; e < kept; ++e)
    l << Par(e, h->F64(C::OffCorrelacao + 8 * std::size_t(e)), h->F64(C::OffEstatisticasEquacao + 8 * std::size_t(e)));
  return l;
}

QMap<QString, Valor> Valores(const CabecalhoModelo* h) {
  QMap<QString, Valor> t;
  for (const GrupoResultados& g : GruposResultadosRL)
    for (const char* item : g.itens)
      if (item) t.insert(QString::fromUtf8(item), Valor{});
  if (!h) return t;
  const int nv = NumVariaveis(*h), k = Habilitadas(*h), n = h->NumConsiderados();
  t[QStringLiteral("Dados ")].texto = plat::FormataC("%-4d", {h->NumDados()});
  t[QStringLiteral("Dados Considerados")].texto = plat::FormataC("%-4d", {n});
  t[QStringLiteral("Variáveis")].texto = plat::FormataC("%-2d", {nv});
  t[QStringLiteral("Variáveis Consideradas")].texto = plat::FormataC("%-2d", {k});
  t[QStringLiteral("Correlação")].cor = Azul;
  t[QStringLiteral("Método de Cálculo")].cor = Padrao;
  const int metodo = h->EstadoCalculo();
  if (metodo == 0) return t;

  const int e = Corrente(*h);
  const std::size_t e8 = 8 * std::size_t(e), e4 = 4 * std::size_t(e);
  const double r = h->F64(C::OffCorrelacao + e8), ro = h->F64(C::OffEstatisticasEquacao + e8);
  // Ro² keeps the sign of Ro, as the equation windows and the results pane
  // show it: a back-transformed fit worse than the mean must not read as a good one.
  const double r2 = r * r, ro2 = h->DeterminacaoOriginal(e);
  t[QStringLiteral("Correlação")].texto = Par(e, r, ro);
  t[QStringLiteral("Determinação")].texto = Par(e, r2, ro2);
  // n = k leaves no degree of freedom: no adjusted figure.
  if (n != k)
    t[QStringLiteral("R2 Ajustado")].texto =
        Par(e, 1.0 - (n - 1) * (1.0 - r2) / (n - k), 1.0 - (n - 1) * (1.0 - ro2) / (n - k));
  t[QStringLiteral("F Calculado")].texto = Numero("%-9.4G", h->F64(C::OffF + e8));
  t[QStringLiteral("Significância Modelo")].texto = Numero("%3.2f", 1.0 - h->F64(C::OffConfiancaF + e8));

  const double d = h->F64VE(C::OffEstatisticasEquacao, nv, e);
  if (d != -1.0) {
    const char* veredito = "";
    const char* nivel = "";
    const int juizo = VerificaDurbinWatson(*h, &veredito, &nivel);
    Valor& v = t[QStringLiteral("D Calculado")];
    v.texto = Numero("%-9.2f", d) + QString::fromUtf8(veredito) + QString::fromUtf8(nivel);
    v.cor = juizo == 1 ? Verde : juizo == 2 ? Vermelho : Azul;
  }
  const int ordem = h->I32(C::OffVariavelDurbinWatson);
  if (ordem >= 0 && ordem < nv) t[QStringLiteral("Durbin Watson")].texto = h->NomeVariavel(ordem);

  t[QStringLiteral("-1 e +1 desvios padrões")].texto = plat::FormataC("%3.2d%%", {h->I32(C::OffPercentual1 + e4)});
  t[QStringLiteral("-1,64 e +1,64 desvios padrões")].texto = plat::FormataC("%3.2d%%", {h->I32(C::OffPercentual164 + e4)});
  t[QStringLiteral("-1,96 e +1,96 desvios padrões")].texto = plat::FormataC("%3.2d%%", {h->I32(C::OffPercentual196 + e4)});
  t[QStringLiteral("Desvio Padrão")].texto = Numero("%-9.5G", h->F64(C::OffErroPadrao + e8));
  const int c = h->I32(C::OffForaDe2 + e4);
  // With no considered record there is no share to show.
  t[QStringLiteral("Outliers do Modelo")].texto =
      n != 0 ? plat::FormataC("%-4.1d (%5.2f%%)", {c, 100.0 * c / n}) : plat::FormataC("%-4.1d", {c});
  static const char* const metodos[] = {"Geral       ", "Simplificado", "Dirigido    "};
  t[QStringLiteral("Método de Cálculo")].texto =
      QString::fromUtf8(metodo >= 1 && metodo <= 3 ? metodos[metodo - 1] : "            ");
  return t;
}

std::vector<ItemImpresso> Pagina(const CabecalhoModelo& h, int indice) {
  using I = ItemImpresso;
  std::vector<ItemImpresso> p;
  if (indice == 0) {
    p.push_back(Texto(4, 0, I::Centro, I::F16, QStringLiteral("Resultados Estatísticos")));
    p.push_back(Texto(7, 0, I::Esquerda, I::F10NegritoSublinhado, QStringLiteral("Modelo")));
    p.push_back(Texto(8, 0, I::Esquerda, I::F85, h.Texto(C::OffNome, C::TamNome)));
    const QMap<QString, Valor> valores = Valores(&h);
    int linha = 9;
    for (const GrupoResultados& grupo : GruposResultadosRL) {
      QString legenda = QString::fromUtf8(grupo.categoria);
      if (legenda == QStringLiteral("Coeficientes")) legenda += QStringLiteral(" da Regressão/Função Estimativa");
      p.push_back(Texto(++linha, 0, I::Esquerda, I::F10NegritoSublinhado, legenda));
      for (const char* item : grupo.itens) {
        if (!item) continue;
        const QString nome = QString::fromUtf8(item);
        p.push_back(Texto(++linha, 0, I::Esquerda, I::F85, nome + QStringLiteral(" = ") + valores.value(nome).texto));
      }
      ++linha;  // a blank line between groups
    }
    return p;
  }
  p.push_back(Texto(4, 0, I::Centro, I::F16, QStringLiteral("Significância dos Regressores")));
  if (h.EstadoCalculo() == 0) return p;
  p.push_back(Regra(7, 0, 1250, 4));
  p.push_back(Texto(7, 0, I::Esquerda, I::F85Negrito, QStringLiteral("Regressores")));
  p.push_back(Texto(7, 540, I::Direita, I::F85Negrito, QStringLiteral("Equação")));
  p.push_back(Texto(7, 925, I::Direita, I::F85Negrito, QStringLiteral("T-Observado")));
  p.push_back(Texto(7, 1250, I::Direita, I::F85Negrito, QStringLiteral("Significância")));
  p.push_back(Regra(8, 0, 1250, 4));
  const int nv = NumVariaveis(h), e = Corrente(h);
  int linha = 9;
  for (int v = 0; v + 1 < nv; ++v) {
    if (!h.Habilitada(v)) continue;
    p.push_back(Texto(linha, 0, I::Esquerda, I::F85, h.NomeVariavel(v)));
    p.push_back(Texto(linha, 540, I::Direita, I::F85, Forma(h, v, e)));
    p.push_back(Texto(linha, 925, I::Direita, I::F85, Numero("%8.2f", h.F64VE(C::OffEstatisticaT, v, e))));
    p.push_back(Texto(linha, 1250, I::Direita, I::F85, Numero("%5.2f", 100.0 - h.F64VE(C::OffSignificancias, v, e))));
    ++linha;
  }
  if (nv > 0) {
    p.push_back(Texto(linha, 0, I::Esquerda, I::F85, h.NomeVariavel(nv - 1)));
    p.push_back(Texto(linha, 540, I::Direita, I::F85, Forma(h, nv - 1, e)));
    ++linha;
  }
  p.push_back(Regra(linha, 0, 1250, 1));
  return p;
}

}  // namespace resumo
