#include "FormatoParagrafo.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <cmath>

namespace {
// Exact twips live in properties of the block format; Qt's margins follow them.
enum : int {
  PropInicio = QTextFormat::UserProperty + 101,
  PropDireito,
  PropDeslocamento,
  PropTabs,
};

int Twips(const QTextBlockFormat& f, int prop, double px) {
  return f.hasProperty(prop) ? f.intProperty(prop) : PxParaTwips(px);
}

// Qt's own indent of a list's paragraphs (lists made elsewhere; the report's have none).
double RecuoListaPx(const QTextBlock& b) {
  const QTextList* l = b.textList();
  return l && b.document() ? l->format().indent() * b.document()->indentWidth() : 0.0;
}
}  // namespace

int DeslocamentoEfetivo(const FormatoParagrafo& f) {
  return f.marcador ? std::max(f.deslocamento, RecuoMarcador) : f.deslocamento;
}

double TwipsParaPx(int twips) { return twips * 96.0 / 1440.0; }
int PxParaTwips(double px) { return int(std::lround(px * 1440.0 / 96.0)); }

FormatoParagrafo FormatoDoBloco(const QTextBlock& bloco) {
  const QTextBlockFormat f = bloco.blockFormat();
  FormatoParagrafo p;
  p.mascara = FormatoParagrafo::Tudo;
  const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
  p.alinhamento = h == Qt::AlignHCenter ? Qt::AlignHCenter
                  : h == Qt::AlignRight  ? Qt::AlignRight
                  : h == Qt::AlignJustify ? Qt::AlignJustify
                                          : Qt::AlignLeft;
  const int margem = Twips(f, PropInicio, f.leftMargin() + f.textIndent());
  p.inicio = margem;
  p.deslocamento = f.hasProperty(PropDeslocamento) ? f.intProperty(PropDeslocamento) : PxParaTwips(-f.textIndent());
  p.direito = Twips(f, PropDireito, f.rightMargin());
  if (f.hasProperty(PropTabs)) {
    for (const QVariant& v : f.property(PropTabs).toList()) p.tabs.push_back(v.toInt());
  } else {
    // Qt's stops count from the first line's start.
    const double inicioLinha = f.leftMargin() + f.textIndent() + RecuoListaPx(bloco);
    for (const QTextOption::Tab& t : f.tabPositions()) p.tabs.push_back(PxParaTwips(t.position + inicioLinha));
  }
  p.marcador = bloco.textList() != nullptr;
  return p;
}

FormatoParagrafo FormatoDaSelecao(const QTextCursor& cursor) {
  QTextDocument* doc = cursor.document();
  QTextBlock b = doc->findBlock(cursor.selectionStart());
  const QTextBlock ultimo = doc->findBlock(cursor.selectionEnd());
  FormatoParagrafo r = FormatoDoBloco(b);
  for (b = b.next(); b.isValid() && b.blockNumber() <= ultimo.blockNumber(); b = b.next()) {
    const FormatoParagrafo o = FormatoDoBloco(b);
    if (o.alinhamento != r.alinhamento) r.mascara &= ~FormatoParagrafo::Alinhamento;
    if (o.inicio != r.inicio) r.mascara &= ~FormatoParagrafo::Inicio;
    if (o.direito != r.direito) r.mascara &= ~FormatoParagrafo::Direito;
    if (o.deslocamento != r.deslocamento) r.mascara &= ~FormatoParagrafo::Deslocamento;
    if (o.tabs != r.tabs) r.mascara &= ~FormatoParagrafo::Tabulacoes;
    if (o.marcador != r.marcador) r.mascara &= ~FormatoParagrafo::Numeracao;
  }
  return r;
}

void GravaNoFormato(QTextBlockFormat& f, const FormatoParagrafo& p) {
  const unsigned m = p.mascara;
  if (m & FormatoParagrafo::Alinhamento) f.setAlignment(p.alinhamento);
  int inicio = f.hasProperty(PropInicio) ? f.intProperty(PropInicio) : PxParaTwips(f.leftMargin() + f.textIndent());
  int deslocamento = f.hasProperty(PropDeslocamento) ? f.intProperty(PropDeslocamento) : PxParaTwips(-f.textIndent());
  if (m & FormatoParagrafo::Inicio) inicio = p.inicio;
  if (m & FormatoParagrafo::Deslocamento) deslocamento = p.deslocamento;
  if (m & (FormatoParagrafo::Inicio | FormatoParagrafo::Deslocamento)) {
    f.setProperty(PropInicio, inicio);
    f.setProperty(PropDeslocamento, deslocamento);
  }
  if (m & FormatoParagrafo::Direito) f.setProperty(PropDireito, p.direito);
  if (m & FormatoParagrafo::Tabulacoes) {
    std::vector<int> tabs = p.tabs;
    std::sort(tabs.begin(), tabs.end());
    tabs.erase(std::unique(tabs.begin(), tabs.end()), tabs.end());
    if (tabs.size() > std::size_t(FormatoParagrafo::MaxTabulacoes)) tabs.resize(FormatoParagrafo::MaxTabulacoes);
    QList<QVariant> lista;
    for (int t : tabs) lista << t;
    f.setProperty(PropTabs, lista);
  }
}

void AjustaGeometria(const QTextBlock& bloco) {
  if (!bloco.isValid()) return;
  const FormatoParagrafo p = FormatoDoBloco(bloco);
  // Where the first line and the following ones start, in twips from the margin.
  const int seguintes = p.inicio + DeslocamentoEfetivo(p);
  const int primeira = p.marcador ? seguintes : p.inicio;
  QTextBlockFormat f = bloco.blockFormat();
  f.setProperty(PropInicio, p.inicio);
  f.setProperty(PropDeslocamento, p.deslocamento);
  f.setProperty(PropDireito, p.direito);
  QList<QVariant> lista;
  for (int t : p.tabs) lista << t;
  f.setProperty(PropTabs, lista);
  f.setLeftMargin(TwipsParaPx(seguintes));
  f.setTextIndent(TwipsParaPx(primeira - seguintes));
  f.setRightMargin(TwipsParaPx(p.direito));
  const double inicioLinha = TwipsParaPx(primeira) + RecuoListaPx(bloco);
  QList<QTextOption::Tab> posicoes;
  for (int t : p.tabs)
    if (const double x = TwipsParaPx(t) - inicioLinha; x > 0.01) posicoes << QTextOption::Tab(x, QTextOption::LeftTab);
  f.setTabPositions(posicoes);
  if (f != bloco.blockFormat()) QTextCursor(bloco).setBlockFormat(f);
}

void AplicaFormatoParagrafo(QTextCursor& cursor, const FormatoParagrafo& p) {
  QTextDocument* doc = cursor.document();
  const int primeiro = doc->findBlock(cursor.selectionStart()).blockNumber();
  const int ultimo = doc->findBlock(cursor.selectionEnd()).blockNumber();
  QTextList* lista = nullptr;
  for (int n = primeiro; n <= ultimo; ++n) {
    QTextBlock b = doc->findBlockByNumber(n);
    QTextCursor c(b);
    QTextBlockFormat f = b.blockFormat();
    GravaNoFormato(f, p);
    c.setBlockFormat(f);
    if (p.mascara & FormatoParagrafo::Numeracao) {
      if (p.marcador) {
        if (b.textList()) {
          lista = b.textList();
        } else {
          // Consecutive bulleted paragraphs share one list: the one before, when bulleted.
          if (!lista && b.previous().isValid()) lista = b.previous().textList();
          if (lista) lista->add(b);
          else lista = c.createList(FormatoListaMarcadores());
        }
      } else if (QTextList* l = b.textList()) {
        l->remove(b);
        QTextBlockFormat semLista = b.blockFormat();
        semLista.setIndent(0);
        c.setBlockFormat(semLista);
      }
    }
    AjustaGeometria(doc->findBlockByNumber(n));
  }
}

QTextListFormat FormatoListaMarcadores() {
  // No indent of Qt's own: the paragraph's offset places the text.
  QTextListFormat lf;
  lf.setStyle(QTextListFormat::ListDisc);
  lf.setIndent(0);
  return lf;
}
