#include "CProjetar.h"

#include "EstiloGrafico.h"
#include "ImpressaoJanela.h"

#include "controls/ImpressaoPagina.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "views/charts/CTChart.h"

#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

namespace {
using C = CabecalhoModelo;
constexpr int kAmarelo = 0x00FFFF;

// Axis padding of 10 % of the values' magnitude, so negative values are not clipped.
void DefineEixoValores(CTChart* g, double minimo, double maximo) {
  const double folga = 0.1 * std::max(std::fabs(minimo), std::fabs(maximo));
  g->DefineEixo(Qt::Vertical, minimo - folga, maximo + folga);
}
}  // namespace

CProjetarGrafView::CProjetarGrafView(CProjetarFrame* frame) : PaginaProjecao(frame, 1) {
  setObjectName(QStringLiteral("1108"));
  lista_ = new QTreeWidget(this);
  lista_->setObjectName(QStringLiteral("1074"));
  lista_->setRootIsDecorated(false);
  lista_->setAccessibleName(QStringLiteral("Pontos de máximo e mínimo"));
  g1121_ = new CTChart(this);
  g1121_->setObjectName(QStringLiteral("1121"));
  g1122_ = new CTChart(this);
  g1122_->setObjectName(QStringLiteral("1122"));
}

void CProjetarGrafView::OnInitialUpdate() {
  const CabecalhoModelo& cab = *Documento()->GetCabecalho();
  const int nv = std::clamp(cab.NumVariaveis(), 1, C::MaxVariaveis);
  const struct { CTChart* g; int estilo; } graficos[] = {{g1121_, 11}, {g1122_, 10}};
  for (const auto& gr : graficos) {
    gr.g->DefineRepinturaAutomatica(false);
    for (int s = 0; s < 3; ++s) gr.g->AdicionaSerie(CTChart::SerieLinha);
    gr.g->AplicaEstilo(EstilosGraficos[gr.estilo]);
    // The estimate in the style's lines colour, its bounds in yellow.
    gr.g->DefineCorSerie(1, EstilosGraficos[gr.estilo].corLinhas);
    gr.g->DefineCorSerie(0, kAmarelo);
    gr.g->DefineCorSerie(2, kAmarelo);
    gr.g->DefineTituloSerie(0, QStringLiteral("Vr. Mínimo"));
    gr.g->DefineTituloSerie(1, cab.NomeVariavel(nv - 1));
    gr.g->DefineTituloSerie(2, QStringLiteral("Vr. Máximo"));
    gr.g->DefineRepinturaAutomatica(true);
  }
  lista_->setHeaderLabels({QStringLiteral("Área"), cab.NomeVariavel(nv - 1), QStringLiteral("Vr. Máximo"),
                           QStringLiteral("Vr. Mínimo"), QStringLiteral("% Max."), QStringLiteral("% Min.")});
  for (int c = 0; c < 6; ++c) {
    lista_->setColumnWidth(c, 80);
    lista_->headerItem()->setTextAlignment(c, c < 4 ? Qt::AlignRight : Qt::AlignHCenter);
  }
  lista_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (int j = 0; j < 11; ++j) {
    auto* it = new QTreeWidgetItem(lista_, QStringList(QStringLiteral(" ")));
    for (int c = 0; c < 6; ++c) it->setTextAlignment(c, (c < 4 ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
  }
}

bool CProjetarGrafView::PreencheTabelaPontos() {
  const PontoCurva* curva = frame_->Form()->Calculo().Curva();
  for (int j = 0; j < 11; ++j) {
    if (!std::isfinite(curva[j].estimativa)) return false;
    if (curva[j].area == 0.0) continue;
    for (int i = 0; i < 11; ++i) {
      const PontoCurva& p = curva[i];
      QTreeWidgetItem* it = lista_->topLevelItem(i);
      it->setText(0, FormataNumero(p.area, 2));
      it->setText(1, FormataNumero(p.estimativa, 2));
      it->setText(2, FormataNumero(p.superior, 2));
      it->setText(3, FormataNumero(p.inferior, 2));
      it->setText(4, FormataNumeroPercentual((p.superior - p.estimativa) / p.estimativa * 100.0, 2, 1));
      it->setText(5, FormataNumeroPercentual((p.estimativa - p.inferior) / p.estimativa * 100.0, 2, 1));
    }
    return true;
  }
  return false;
}

void CProjetarGrafView::DesenhaCurvas() {
  const PontoCurva* curva = frame_->Form()->Calculo().Curva();
  const bool unitario = frame_->Form()->Calculo().ValorUnitario();
  g1122_->LimpaTitulo();
  g1122_->AdicionaLinhaTitulo(unitario ? QStringLiteral("Valor unitário") : QStringLiteral("Valor total"));
  g1121_->LimpaTitulo();
  g1121_->AdicionaLinhaTitulo(unitario ? QStringLiteral("Valor total") : QStringLiteral("Valor unitário"));
  for (int convertido = 0; convertido < 2; ++convertido) {
    CTChart* g = convertido ? g1121_ : g1122_;
    g->DefineRepinturaAutomatica(false);
    auto valor = [&](const PontoCurva& p, double x) {
      if (!convertido) return x;
      if (p.area == 0.0) return 0.0;
      return unitario ? x * p.area : x / p.area;
    };
    double lo = INFINITY, hi = -INFINITY;
    for (int j = 0; j < 11; ++j)
      for (double x : {curva[j].estimativa, curva[j].inferior, curva[j].superior}) {
        lo = std::min(lo, valor(curva[j], x));
        hi = std::max(hi, valor(curva[j], x));
      }
    DefineEixoValores(g, lo, hi);
    g->DefineEixo(Qt::Horizontal, curva[0].area, curva[10].area);
    for (int s = 0; s < 3; ++s) g->LimpaSerie(s);
    for (int j = 0; j < 11; ++j) {
      const PontoCurva& p = curva[j];
      g->AdicionaPonto(0, p.area, valor(p, p.inferior));
      g->AdicionaPonto(1, p.area, valor(p, p.estimativa));
      g->AdicionaPonto(2, p.area, valor(p, p.superior));
    }
    g->DefineRepinturaAutomatica(true);
  }
}

void CProjetarGrafView::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  const int w = width(), h = height();
  lista_->setGeometry(0, 0, w, h / 2 - 4);
  g1121_->setGeometry(0, h / 2, w / 2 - 1, h - h / 2);
  g1122_->setGeometry(w / 2 + 1, h / 2, w / 2 - 2, h - h / 2);
}

bool CProjetarGrafView::TemComandoProprio(int id) const { return false; }

bool CProjetarGrafView::Comando(int id) {
  if (id != CmdProjetarValores) return false;
  if (PreencheTabelaPontos()) DesenhaCurvas();
  else
    for (CTChart* g : {g1121_, g1122_})
      for (int s = 0; s < g->NumSeries(); ++s) g->LimpaSerie(s);
  return true;
}

TrabalhoImpressao CProjetarGrafView::Trabalho() {
  TrabalhoImpressao t;
  t.prepara = [](QPainter&) { return 1; };
  t.pagina = [this](QPainter& p, const CPrintInfo& info) {
    const CTarsolinDoc* doc = Documento();
    const CabecalhoModelo* cab = doc->GetCabecalho();
    if (info.m_bPreview) DesenhaMargens(doc, &p);
    RetanguloImpressao area;
    CalculaAreaImpressao(&area, doc, &p, false);
    if (cab->U8(C::OffImprimeCabecalho)) ImprimeCabecalho(doc, &p);
    if (cab->U8(C::OffImprimeRodape)) ImprimeRodape(doc, &p, &info);
    QFont f10(QStringLiteral("Tahoma"));
    f10.setPointSizeF(10);
    const int L = AlturaLinhaImpressao(f10, p.device());
    QFont f16 = f10;
    f16.setPointSizeF(16);
    QFont f85b = f10;
    f85b.setPointSizeF(8.5);
    f85b.setBold(true);
    p.setFont(f16);
    EscreveCentroImpressao(p, area.left + area.Largura() / 2, area.top + 4 * L, QStringLiteral("Pontos de Máx/Min - RL"));
    p.setFont(f85b);
    EscreveImpressao(p, area.left, area.top + 9 * L, QStringLiteral("Modelo : ") + cab->Texto(C::OffNome, C::TamNome));
    // 9 cm by 6 cm each, centred; the second a third of a chart height below the first.
    const double lx = p.device()->logicalDpiX(), ly = p.device()->logicalDpiY();
    const double w = 5102.0 / 1440.0 * lx, h = 3401.0 / 1440.0 * ly;
    const double x = area.left + (area.Largura() - w) / 2.0;
    const double y1 = area.top + 12.0 * L;
    g1121_->DesenhaImpressao(p, QRectF(x, y1, w, h), EstilosGraficos[11]);
    g1122_->DesenhaImpressao(p, QRectF(x, y1 + h + h / 3.0, w, h), EstilosGraficos[10]);
  };
  return t;
}
