#include "ImpressaoEquacao.h"

#include "CEquacaoViewTab.h"
#include "EstiloGrafico.h"
#include "ImpressaoJanela.h"
#include "PaginaEquacao.h"
#include "controls/ImpressaoPagina.h"
#include "views/charts/CTChart.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QPainter>
#include <QPrinter>
#include <QTreeWidget>
#include <cmath>
#include <memory>

namespace {
using C = CabecalhoModelo;

QFont Arial(int pontos, bool negrito, bool sublinhado = false) {
  QFont f(QStringLiteral("Arial"), pontos);
  f.setBold(negrito);
  f.setUnderline(sublinhado);
  return f;
}

// The average character width as the printer reports it for the font: the
// lowercase letters and the blank weighted by their frequency in text (the
// substitute fonts keep the glyph widths but declare another average).
int LarguraMedia(const QFontMetricsF& m) {
  static const int pesos[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                56, 17, 4,  49, 56, 71,  31, 10, 18, 3,  18, 2, 166};
  double soma = 0;
  for (int i = 0; i < 27; ++i) soma += pesos[i] * m.horizontalAdvance(i < 26 ? QChar(u'a' + i) : QChar(u' '));
  return int(std::lround(soma / 1000.0));
}

}  // namespace

int ImpressaoEquacao::Prepara(QPainter& p) {
  f8_ = Arial(8, false);
  f10b_ = Arial(10, true);
  f16_ = Arial(16, true, true);
  QPaintDevice* d = p.device();
  L_ = AlturaLinhaImpressao(Arial(10, false), d);
  c_ = std::max(1, LarguraMedia(QFontMetricsF(f8_, d)));

  texto_ = pagina_.TextoImpressao();
  RetanguloImpressao area;
  CalculaAreaImpressao(&area, pagina_.Documento(), &p, false);
  const int largura = std::max(1, area.Largura());
  p.save();
  p.setFont(f8_);
  alturaTexto_ = p.boundingRect(QRect(0, 0, largura, 1 << 20), Qt::TextWordWrap, texto_).height();
  p.restore();
  D_ = alturaTexto_ / L_ * L_;

  // Rows of a table page end within the printable area; at least one, or the page count never ends.
  const int k = pagina_.Lista()->topLevelItemCount();
  linhasPagina_ = std::max(1, (area.Altura() - D_) / L_ - 15);
  faixas_ = std::max(1, (k + linhasPagina_ - 1) / linhasPagina_);

  // Column groups in order, each as wide as fits beside the name column (at
  // least one column each, even on a page too narrow for it).
  grupos_.assign(1, 0);
  int soma = 0, noGrupo = 0;
  for (int col = 1; col <= 5; ++col) {
    const int w = Larguras[col - 1];
    if (noGrupo > 0 && c_ * (32 + soma + w) >= largura) {
      grupos_.push_back(col - 1);
      soma = 0;
      noGrupo = 0;
    }
    soma += w;
    ++noGrupo;
  }
  grupos_.push_back(5);
  paginas_ = faixas_ * Grupos() + std::max(0, k - 1);
  return paginas_;
}

void ImpressaoEquacao::ImprimePagina(QPainter& p, const CPrintInfo& info) {
  const CTarsolinDoc* doc = pagina_.Documento();
  if (info.m_bPreview) DesenhaMargens(doc, &p);
  RetanguloImpressao area;
  CalculaAreaImpressao(&area, doc, &p, false);
  const CabecalhoModelo* cab = doc ? doc->GetCabecalho() : nullptr;
  if (cab && cab->U8(C::OffImprimeCabecalho)) ImprimeCabecalho(doc, &p);
  if (cab && cab->U8(C::OffImprimeRodape)) ImprimeRodape(doc, &p, &info);
  const int i = info.m_nCurPage - 1;
  if (i < faixas_ * Grupos()) {
    // Table pages are drawn from the printable area's top-left corner.
    p.save();
    p.translate(area.left, area.top);
    ImprimeTabela(p, i, area.Largura());
    p.restore();
  } else {
    ImprimeGrafico(p, i - faixas_ * Grupos(), area);
  }
}

void ImpressaoEquacao::ImprimeTabela(QPainter& p, int i, int largura) {
  const ConfigPagina& cfg = pagina_.Config();
  const CabecalhoModelo* cab = pagina_.Documento()->GetCabecalho();
  const QFont anterior = p.font();
  p.setFont(f16_);
  EscreveCentroImpressao(p, largura / 2, 4 * L_, QString::fromUtf8(cfg.tituloTabela));
  p.setFont(f10b_);
  EscreveImpressao(p, 0, 9 * L_, QStringLiteral("Modelo : ") + cab->Texto(C::OffNome, C::TamNome));
  p.setFont(f8_);
  // The equation on the first page only; every table page keeps its space.
  if (i == 0) p.drawText(QRect(0, 11 * L_, largura, alturaTexto_), Qt::TextWordWrap, texto_);

  const QTreeWidget* lista = pagina_.Lista();
  const int k = lista->topLevelItemCount();
  const int primeira = linhasPagina_ * (i % faixas_);
  const int fim = std::min(primeira + linhasPagina_, k);
  const int q = i / faixas_ + 1;
  std::vector<int> xs;  // right edge of each value column of the group
  int x = 32;
  for (int col = grupos_[std::size_t(q - 1)] + 1; col <= grupos_[std::size_t(q)]; ++col) {
    x += Larguras[col - 1];
    xs.push_back(c_ * x);
  }
  const int fimRegua = xs.empty() ? 32 * c_ : xs.back();
  // A rule 0.4 mm thick.
  p.save();
  p.setPen(QPen(Qt::black, std::max(1.0, 0.4 * p.device()->logicalDpiY() / 25.4)));
  for (double y : {D_ + 12.5 * L_, D_ + 14.0 * L_}) p.drawLine(0, int(std::lround(y)), fimRegua, int(std::lround(y)));
  p.restore();
  const QTreeWidgetItem* titulos = lista->headerItem();
  EscreveImpressao(p, 0, D_ + 13 * L_, titulos->text(0));
  std::size_t n = 0;
  for (int col = grupos_[std::size_t(q - 1)] + 1; col <= grupos_[std::size_t(q)]; ++col)
    EscreveDireitaImpressao(p, xs[n++], D_ + 13 * L_, titulos->text(col));
  for (int linha = primeira; linha < fim; ++linha) {
    const QTreeWidgetItem* item = lista->topLevelItem(linha);
    const int y = D_ + (15 + linha - primeira) * L_;
    EscreveImpressao(p, 0, y, item->text(0));
    n = 0;
    for (int col = grupos_[std::size_t(q - 1)] + 1; col <= grupos_[std::size_t(q)]; ++col)
      EscreveDireitaImpressao(p, xs[n++], y, item->text(col));
  }
  p.setFont(anterior);
}

void ImpressaoEquacao::ImprimeGrafico(QPainter& p, int j, const RetanguloImpressao& area) {
  const ConfigPagina& cfg = pagina_.Config();
  const CabecalhoModelo* cab = pagina_.Documento()->GetCabecalho();
  pagina_.MostraRegressor(j);
  const EstatisticasEquacao& s = pagina_.Estatisticas();
  const SensibilidadeEquacao& r = pagina_.Sensibilidade();
  const bool original = FormaEstimativa(cfg.forma);
  const int largura = area.Largura();
  const QFont anterior = p.font();
  p.setFont(f16_);
  EscreveCentroImpressao(p, area.left + largura / 2, area.top + 4 * L_, QString::fromUtf8(cfg.tituloGraficos));
  p.setFont(f10b_);
  EscreveImpressao(p, area.left, area.top + 9 * L_, QStringLiteral("Modelo : ") + cab->Texto(C::OffNome, C::TamNome));
  p.setFont(f8_);
  const double minimo = original ? s.minimo[j] : s.minimoT[j];
  const double maximo = original ? s.maximo[j] : s.maximoT[j];
  const double media = original ? s.media[j + 1] : s.mediaT[j + 1];
  EscreveImpressao(p, area.left, area.top + 11 * L_, QStringLiteral("Variável: ") + cab->NomeVariavel(s.mapa[j]));
  EscreveImpressao(p, area.left, area.top + 12 * L_, plat::FormataC("Amplitude: de %-G a %-G", {minimo, maximo}));
  EscreveImpressao(p, area.left, area.top + 13 * L_, QStringLiteral("Valor Médio: ") + plat::FormataC("%-G", {media}));
  EscreveImpressao(p, area.left, area.top + 14 * L_,
          plat::FormataC("Valores Calculados: de %-G a %-G", {r.curvaY[11 * j], r.curvaY[11 * j + 10]}));
  p.setFont(anterior);
  // 9 cm by 6 cm, centred on the printable area, 18 lines below its top.
  const QPaintDevice* d = p.device();
  const int w = MulDiv(5102, d->logicalDpiX(), 1440), h = MulDiv(3401, d->logicalDpiY(), 1440);
  const QRect alvo(area.left + largura / 2 - w / 2, area.top + 18 * L_, w, h);
  pagina_.Grafico()->DesenhaImpressao(p, alvo, EstilosGraficos[cfg.estilo]);
}

namespace {
// The printout as a print job; each run lays itself out anew for its device.
// The screen shows the chart of the regressor printed last until the job ends.
TrabalhoImpressao Trabalho(PaginaEquacao& pagina, std::shared_ptr<ImpressaoEquacao> impressao) {
  TrabalhoImpressao t;
  t.prepara = [impressao](QPainter& p) { return impressao->Prepara(p); };
  t.pagina = [impressao](QPainter& p, const CPrintInfo& info) { impressao->ImprimePagina(p, info); };
  t.fim = [&pagina] { pagina.MontaGrafico(); };
  return t;
}
}  // namespace

int ContaPaginas(PaginaEquacao& pagina, const QPrinter& impressora) {
  return ContaPaginasTrabalho(Trabalho(pagina, std::make_shared<ImpressaoEquacao>(pagina)), impressora);
}

bool ImprimeEquacaoEm(PaginaEquacao& pagina, QPrinter& impressora, bool previa) {
  return ImprimeTrabalhoEm(Trabalho(pagina, std::make_shared<ImpressaoEquacao>(pagina)), impressora, previa);
}

void ImprimeEquacao(PaginaEquacao& pagina, bool previa) {
  ExecutaImpressao(Trabalho(pagina, std::make_shared<ImpressaoEquacao>(pagina)), pagina.window(), previa);
  pagina.MontaGrafico();
}
