#include "ImpressaoModelo.h"

#include "PaineisModelo.h"

#include "controls/ImpressaoPagina.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/TextoNumerico.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace {
using C = CabecalhoModelo;

constexpr auto Texto = &ItemImpresso::Texto;
constexpr auto Regra = &ItemImpresso::Regra;

QFont Tahoma(double pontos, bool negrito = false, bool sublinhado = false) {
  QFont f(QStringLiteral("Tahoma"));
  f.setPointSizeF(pontos);
  f.setBold(negrito);
  f.setUnderline(sublinhado);
  return f;
}
}  // namespace

QString NomeTransformacaoImpressa(int codigo) {
  static const char* const nomes[] = {" ", "x", "1/x", "ln(x)", "x²", "x½", "1/x²", "1/x½"};
  return codigo >= 0 && codigo <= 7 ? QString::fromUtf8(nomes[codigo]) : QStringLiteral(" ");
}

std::vector<ItemImpresso> PaginaModelo(const CabecalhoModelo& h, int indice) {
  using I = ItemImpresso;
  std::vector<ItemImpresso> p;
  if (indice == 0) {
    p.push_back(Texto(4, 0, I::Centro, I::F16, QStringLiteral("Resultados Estatísticos")));
    p.push_back(Texto(7, 0, I::Esquerda, I::F10NegritoSublinhado, QStringLiteral("Modelo")));
    p.push_back(Texto(8, 0, I::Esquerda, I::F85, h.Texto(C::OffNome, C::TamNome)));
    const QMap<QString, QString> valores = TextosResultadosRL(&h);
    const int linhas[] = {10, 16, 21, 27, 32};
    int g = 0;
    for (const GrupoResultados& grupo : GruposResultadosRL) {
      int linha = linhas[g];
      QString legenda = QString::fromUtf8(grupo.categoria);
      if (g == 1) legenda += QStringLiteral(" da Regressão/Função Estimativa");
      p.push_back(Texto(linha, 0, I::Esquerda, I::F10NegritoSublinhado, legenda));
      for (const char* item : grupo.itens) {
        if (!item) continue;
        const QString nome = QString::fromUtf8(item);
        p.push_back(Texto(++linha, 0, I::Esquerda, I::F85, nome + QStringLiteral(" = ") + valores.value(nome)));
      }
      ++g;
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
  const int nv = std::clamp(h.NumVariaveis(), 0, C::MaxVariaveis);
  const int e = std::clamp(h.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  int linha = 9;
  for (int v = 0; v + 1 < nv; ++v) {
    if (!h.Habilitada(v)) continue;
    const double t = h.F64VE(C::OffEstatisticaT, v, e), sig = 100.0 - h.F64VE(C::OffSignificancias, v, e);
    p.push_back(Texto(linha, 0, I::Esquerda, I::F85, h.NomeVariavel(v)));
    p.push_back(Texto(linha, 540, I::Direita, I::F85, NomeTransformacaoImpressa(h.Transformacao(v, e))));
    p.push_back(Texto(linha, 925, I::Direita, I::F85, std::isfinite(t) ? plat::FormataC("%8.2f", {t}) : QStringLiteral("Erro")));
    p.push_back(Texto(linha, 1250, I::Direita, I::F85, std::isfinite(sig) ? plat::FormataC("%5.2f", {sig}) : QStringLiteral("Erro")));
    ++linha;
  }
  if (nv > 0) {
    p.push_back(Texto(linha, 0, I::Esquerda, I::F85, h.NomeVariavel(nv - 1)));
    p.push_back(Texto(linha, 540, I::Direita, I::F85, NomeTransformacaoImpressa(h.Transformacao(nv - 1, e))));
    ++linha;
  }
  p.push_back(Regra(linha, 0, 1250, 1));
  return p;
}

int ImpressaoModelo::AlturaLinha(QPainter& p) {
  const QFontMetrics m(Tahoma(10), p.device());
  // The font's height already holds its internal leading; the external one is added.
  return std::max(1, int((m.height() + m.leading()) * 1.1));
}

void ImpressaoModelo::ImprimePagina(QPainter& p, const CPrintInfo& info) {
  const CabecalhoModelo* h = doc_ ? doc_->GetCabecalho() : nullptr;
  if (!h) return;
  if (info.m_bPreview) DesenhaMargens(doc_, &p);
  if (h->U8(C::OffImprimeCabecalho)) ImprimeCabecalho(doc_, &p);
  RetanguloImpressao area;
  CalculaAreaImpressao(&area, doc_, &p, false);
  const int L = AlturaLinha(p);
  const double porDecimo = p.device()->logicalDpiX() / 254.0;  // device pixels per 0.1 mm
  const QFont fontes[] = {Tahoma(8.5), Tahoma(8.5, true), Tahoma(10), Tahoma(10, true, true), Tahoma(16)};
  p.save();
  p.translate(area.left, area.top);
  const QFont antes = p.font();
  for (const ItemImpresso& i : paginas_(*h, info.m_nCurPage - 1)) {
    const int y = i.linha * L;
    const int x = i.alinhamento == ItemImpresso::Centro ? area.Largura() / 2 : int(std::lround(i.x * porDecimo));
    if (i.regra) {
      p.setPen(QPen(Qt::black, std::max(1.0, i.espessura * porDecimo)));
      p.drawLine(x, y, int(std::lround(i.x1 * porDecimo)), y);
      continue;
    }
    p.setFont(fontes[i.fonte]);
    p.setPen(Qt::black);
    constexpr int Grande = 1 << 20;
    switch (i.alinhamento) {
      case ItemImpresso::Esquerda:
        p.drawText(QRect(x, y, Grande, Grande), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, i.texto);
        break;
      case ItemImpresso::Centro:
        p.drawText(QRect(x - Grande / 2, y, Grande, Grande), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, i.texto);
        break;
      case ItemImpresso::Direita:
        p.drawText(QRect(x - Grande, y, Grande, Grande), Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, i.texto);
        break;
    }
  }
  p.setFont(antes);
  p.restore();
  if (h->U8(C::OffImprimeRodape)) ImprimeRodape(doc_, &p, &info);
}
