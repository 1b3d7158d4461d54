#pragma once
// The printout of an equation page: table pages first (the equation, then
// the rows of the table in bands and its value columns in groups that fit the
// page's width, the name column repeated), then one chart page per regressor
// with its sensitivity chart. Laid out once per print run, for its device.
#include <QFont>
#include <QString>
#include <vector>

class PaginaEquacao;
class QPainter;
class QPrinter;
struct CPrintInfo;

class ImpressaoEquacao {
public:
  explicit ImpressaoEquacao(PaginaEquacao& pagina) : pagina_(pagina) {}

  // Begin printing: fonts, line height and character width for the painter's
  // device, row bands and column groups; returns the last page number.
  int Prepara(QPainter& p);
  // One page (info.m_nCurPage, from 1), inside the page furniture.
  void ImprimePagina(QPainter& p, const CPrintInfo& info);

  int Paginas() const { return paginas_; }
  int Faixas() const { return faixas_; }               // R, row bands
  int Grupos() const { return int(grupos_.size()) - 1; }  // G, column groups
  const std::vector<int>& TabelaGrupos() const { return grupos_; }  // g[0] = 0 ... g[G] = 5
  int LinhasPorPagina() const { return linhasPagina_; }

  // Printed widths of the value columns, in average characters; the name column takes 32.
  static constexpr int Larguras[5] = {20, 16, 24, 14, 14};

private:
  void ImprimeTabela(QPainter& p, int indice, int largura);
  void ImprimeGrafico(QPainter& p, int j, const struct RetanguloImpressao& area);

  PaginaEquacao& pagina_;
  QFont f8_, f10b_, f16_;
  int L_ = 1, c_ = 1;        // line height and average character width, device pixels
  int alturaTexto_ = 0;      // the equation text word-wrapped, device pixels
  int D_ = 0;                // its height in whole lines
  int faixas_ = 1, linhasPagina_ = 1, paginas_ = 0;
  std::vector<int> grupos_{0, 5};
  QString texto_;
};

// "&Imprimir ..." (through the print dialog) and "&Visualizar Impressão ...".
void ImprimeEquacao(PaginaEquacao& pagina, bool previa);
// The last page number of the printout on this printer's page.
int ContaPaginas(PaginaEquacao& pagina, const QPrinter& impressora);
// Prints the printer's page range (all pages when it has none) without dialogs.
bool ImprimeEquacaoEm(PaginaEquacao& pagina, QPrinter& impressora, bool previa);
