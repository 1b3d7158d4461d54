#pragma once
// The two printed pages of the model view: "Resultados Estatísticos" (the
// linear results as the "Resultados RL" pane shows them) and "Significância
// dos Regressores". A page is laid out first as lines of text and rules, then
// drawn: line k lies k line heights below the top of the printable area, and
// the x positions of page 2 are tenths of a millimetre.
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class CTarsolinDoc;
struct CabecalhoModelo;
struct CPrintInfo;

struct ItemImpresso {
  enum Fonte { F85, F85Negrito, F10, F10NegritoSublinhado, F16 };
  enum Alinhamento { Esquerda, Centro, Direita };
  int linha = 0;
  int x = 0;              // tenths of a millimetre; the centre of a centred title is the half page
  Alinhamento alinhamento = Esquerda;
  Fonte fonte = F85;
  QString texto;
  // A rule instead of a text: from x to x1, `espessura` tenths of a millimetre thick.
  bool regra = false;
  int x1 = 0;
  int espessura = 0;

  static ItemImpresso Texto(int linha, int x, Alinhamento a, Fonte f, const QString& t) {
    ItemImpresso i;
    i.linha = linha;
    i.x = x;
    i.alinhamento = a;
    i.fonte = f;
    i.texto = t;
    return i;
  }
  static ItemImpresso Regra(int linha, int x0, int x1, int espessura) {
    ItemImpresso i;
    i.regra = true;
    i.linha = linha;
    i.x = x0;
    i.x1 = x1;
    i.espessura = espessura;
    return i;
  }
};

// Page `indice` (0 or 1) of the model whose header is `h`.
std::vector<ItemImpresso> PaginaModelo(const CabecalhoModelo& h, int indice);
// The name of a transformation code on the printed pages; code 0 (a power) is a blank.
QString NomeTransformacaoImpressa(int codigo);

// Both pages, as the print job of the view draws them: the page furniture
// (margins in preview, header and footer by the model's flags), then the page.
// Another window that prints two pages of the same kind gives its own pages.
class ImpressaoModelo {
public:
  using GeradorPaginas = std::function<std::vector<ItemImpresso>(const CabecalhoModelo&, int)>;
  explicit ImpressaoModelo(const CTarsolinDoc* doc, GeradorPaginas paginas = PaginaModelo)
      : doc_(doc), paginas_(std::move(paginas)) {}
  static constexpr int Paginas = 2;
  // The line height for the painter's device: 1.1 times the full height of a
  // 10-point text, in device pixels.
  static int AlturaLinha(QPainter& p);
  void ImprimePagina(QPainter& p, const CPrintInfo& info);

private:
  const CTarsolinDoc* doc_;
  GeradorPaginas paginas_;
};
