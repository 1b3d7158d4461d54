#pragma once
// The user guide: HTML pages in the program folder's "ajuda" folder (copied
// there from resources/help by the build, installed with the program), shown
// in a window of the program with its contents, back and forward, and a
// search across every topic. Every help command, F1 in any window and the
// context help of the report dialogs open a topic of it.
#include <QList>
#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QTreeWidget;
class QTabWidget;
class CJanelaAjuda;

namespace ajuda {

// "<program folder>/ajuda".
QString PastaGuia();

// A topic is a page of the guide with an optional anchor: "espacial.html#moran".
// The index page, where the contents begin.
inline constexpr const char* kIndice = "index.html";

// The topic of a window: the first widget from `w` up to its top-level window
// that has one (a dialog by its "dlg<id>" name, a view or frame by its class).
// The index when none has.
QString TopicoDaJanela(const QWidget* w);
// The topic of a dialog's control (the report editor's context help); the
// dialog's own topic when the control has none.
QString TopicoDoDialogo(int dialogo, int controle);

struct Topico {
  QString arquivo;  // page, with "#anchor" for a section
  QString titulo;
  QList<Topico> secoes;
};
// The contents: the pages the index lists, in its order, each with its
// sections (the anchored headings of the page).
QList<Topico> Conteudo();

struct Achado {
  QString arquivo;
  QString titulo;
  int ocorrencias = 0;
};
// The pages holding every word of `termos` (case and accents ignored), the
// most occurrences first.
QList<Achado> Pesquisa(const QString& termos);

// Shows the guide's window at `topico` (raised, made usable over a modal
// dialog that is open). Returns the window.
CJanelaAjuda* Abre(const QString& topico);
// The window, null until the guide was first opened.
CJanelaAjuda* Janela();

// F1 in every window of the program, and the report dialogs' context help.
void Instala();

}  // namespace ajuda

class CJanelaAjuda : public QWidget {
  Q_OBJECT
public:
  explicit CJanelaAjuda(QWidget* parent = nullptr);
  void MostraTopico(const QString& topico);
  // The page shown, with its anchor when one was asked: "equacao.html#escolha".
  QString TopicoAtual() const;
  QTextBrowser* Navegador() const { return navegador_; }
  void Pesquisa(const QString& termos);

private:
  void PreencheConteudo();
  void ItemEscolhido();
  void AchadoEscolhido();

  QTabWidget* abas_ = nullptr;
  QTreeWidget* conteudo_ = nullptr;
  QLineEdit* termos_ = nullptr;
  QListWidget* achados_ = nullptr;
  QTextBrowser* navegador_ = nullptr;
  QString ancora_;
  QString procurado_;
};
