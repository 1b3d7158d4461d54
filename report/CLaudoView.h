#pragma once
// The editing and printing view of a report: a rich-text editor that the
// results command fills, that the format tool bar formats, and that prints
// inside the model's margins with the model's page header while it is linked
// to the model window that made it.
#include "FormatoParagrafo.h"
#include "app/AlvoComando.h"

#include <QDateTime>
#include <QPointer>
#include <QSizeF>
#include <QTextCharFormat>
#include <QTextEdit>

class CLaudoDoc;
#include "model/CTarsolinDoc.h"
class QPainter;
class QPrinter;

// Margins in twips, as a Windows RECT of the view holds them.
struct MargensTwips {
  int esquerda = 1800, superior = 1440, direita = 1800, inferior = 1440;
  bool operator==(const MargensTwips&) const = default;
};

class CLaudoView : public QTextEdit, public AlvoComando {
  Q_OBJECT
public:
  explicit CLaudoView(CLaudoDoc* doc, QWidget* parent = nullptr);
  ~CLaudoView() override;

  CLaudoDoc* Documento() const { return doc_; }

  // The model link: set by the results command after the initial update.
  void DefineModelo(CTarsolinDoc* modelo, QWidget* janelaModelo);
  // Linked while both are set and the model window still exists.
  bool Vinculado() const { return modelo_ && janelaModelo_; }
  CTarsolinDoc* Modelo() const { return Vinculado() ? modelo_.data() : nullptr; }

  void OnInitialUpdate();
  // Print margins from the linked model; then the text is re-wrapped.
  void ApplyModelMargins();
  // The default formats made the control's and the whole text's (`texto`: Courier New, else Arial).
  void ApplyDefaultFormats(bool texto);
  bool HasOnlyTextDefaults();
  const QTextCharFormat& FormatoPadrao(bool texto) const { return texto ? padraoTexto_ : padraoRico_; }

  // Word-wrap mode: 0 none, 1 to the window, 2 to the ruler (the printed line).
  int WordWrap() const { return quebra_; }
  void DefineWordWrap(int modo);
  void WrapChanged();

  const MargensTwips& Margens() const { return margens_; }
  void DefineMargens(const MargensTwips& m);
  // Paper size in twips (the application printer's page).
  QSizeF Papel() const { return papel_; }
  void DefinePapel(const QSizeF& twips);
  int LarguraTexto() const;  // paper width less both margins, twips
  // The x of the text's left edge in the view (pixels) and the scroll position.
  int DeslocamentoTexto() const;
  int Rolagem() const;

  FormatoParagrafo FormatoParagrafoSelecao() const;
  void AplicaFormatoParagrafo(const FormatoParagrafo& f);
  // Appends text at the selection with the given formats (the results report writes through it).
  void SubstituiSelecao(const QString& texto, const QTextCharFormat& caractere);

  // The printed pages: the text, the margin guides in preview, and the model's page header.
  void Imprime(QPrinter* printer, bool previa);
  bool EmImpressao() const { return emImpressao_; }
  bool EmPrevia() const { return emPrevia_; }

  // Commands of the menus and tool bars.
  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  void OnCorFormatacao(unsigned cor, int comando) override;
  bool OnPedeFormato(QTextCharFormat& formato) override;
  bool OnDefineFormato(const QTextCharFormat& formato) override;
  void OnFocoFormatacao(bool foco) override { focoFormatacao_ = foco; }
  void OnEnterFormatacao() override { setFocus(Qt::OtherFocusReason); }
  bool FocoFormatacao() const { return focoFormatacao_; }

  void OnPageSetup();
  void OnFilePrint(bool comDialogo);
  void OnFilePrintPreview();
  void OnEditCopy();
  void OnInsertDateTime();
  void OnFormatParagraph();
  void OnFormatTabs();
  void OnFind(bool substituir);
  bool OnFindNext();
  void OnTextNotFound();
  void OnPasteSpecial();

  // Text of the date in the page header ("%d %b %Y" in the user's locale).
  static QString DataCabecalho(const QDateTime& quando);
  // Margins between twips and the system page setup's units (hundredths of
  // millimetres with `cm`, else thousandths of inches), in multiples of 10.
  static int MargemParaDialogo(int twips, bool cm);
  static int MargemDoDialogo(int valor, bool cm);

signals:
  void layoutMudou();  // margins, paper or wrap changed (the ruler follows)

protected:
  void resizeEvent(QResizeEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

private:
  void AtualizaImpressora();
  void Alterna(int id);
  void Alinha(Qt::Alignment a);
  QPrinter* Impressora();
  void ImprimeCabecalhoModelo(QPainter& p, QPrinter* printer, const QRectF& texto, int pagina, const QDateTime& agora);

  CLaudoDoc* doc_;
  QPointer<CTarsolinDoc> modelo_;
  QPointer<QWidget> janelaModelo_;
  QTextCharFormat padraoRico_, padraoTexto_;
  FormatoParagrafo padraoParagrafo_;
  MargensTwips margens_;
  QSizeF papel_{11906, 16838};
  int quebra_ = 1;
  bool emImpressao_ = false;
  bool emPrevia_ = false;
  bool focoFormatacao_ = false;  // the formatting bar has the keyboard focus
  QString procura_;
  QString substitui_;
  int opcoesProcura_ = 0;
};
