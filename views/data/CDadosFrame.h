#pragma once
// The data window of a model: the frame `CDadosFrame` with its dialog bar
// `CDadosBar` along the top and a tab host below it. `CDadosViewTab` holds the
// pages "Dados" and "Projeções" (command 32813), `CDadosViewTabW` the pages
// "Dados" and "Pesos" (command 32820). The bar's commands go to the active
// page; closing the frame asks the active page first.
#include "AlvoComando.h"

#include <QPointer>
#include <QWidget>

class CTarsolinDoc;
class PaginaDados;
class CDadosEditarView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

// The dialog bar (template 512): label 1025, Enter-direction button 1016,
// value box 1056, check boxes 1041 (considered) and 1021 (validation), add
// 1019 and delete 1020, "Fechar" 1018.
class CDadosBar : public QWidget {
  Q_OBJECT
public:
  explicit CDadosBar(QWidget* parent = nullptr);

  QLabel* Rotulo() const { return rotulo_; }
  QLineEdit* Valor() const { return valor_; }
  QCheckBox* Considerado() const { return considerado_; }
  QCheckBox* Validacao() const { return validacao_; }
  QToolButton* Direcao() const { return direcao_; }
  // Shows the Enter direction: 1 right, 0 down.
  void MostraDirecao(int direcao);

signals:
  void comando(int id);  // a control's command; 1056 when the value box loses the focus
  void enter();          // Enter in the bar

protected:
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  QLabel* rotulo_;
  QToolButton* direcao_;
  QLineEdit* valor_;
  QCheckBox* considerado_;
  QCheckBox* validacao_;
};

class CDadosViewTab : public QWidget {
  Q_OBJECT
public:
  CDadosViewTab(CTarsolinDoc* doc, QWidget* parent = nullptr) : CDadosViewTab(doc, false, parent) {}
  ~CDadosViewTab() override;

  QTabWidget* Abas() const { return abas_; }
  PaginaDados* Pagina(int i) const;
  PaginaDados* PaginaAtiva() const;
  CDadosEditarView* PaginaDadosEditar() const;
  // Runs every page's initial update.
  void InicializaPaginas();

signals:
  void paginaAtivada(PaginaDados* pagina);

protected:
  CDadosViewTab(CTarsolinDoc* doc, bool pesos, QWidget* parent);

private:
  QPointer<CTarsolinDoc> doc_;
  QTabWidget* abas_;
};

class CDadosViewTabW : public CDadosViewTab {
  Q_OBJECT
public:
  explicit CDadosViewTabW(CTarsolinDoc* doc, QWidget* parent = nullptr) : CDadosViewTab(doc, true, parent) {}
};

class CDadosFrame : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  // The window with the data and appraisal pages, or with the data and weights pages.
  static CDadosFrame* Cria(CTarsolinDoc* doc, bool comPesos, QWidget* parent = nullptr);
  ~CDadosFrame() override;

  CTarsolinDoc* Documento() const { return doc_; }
  CDadosBar* Barra() const { return barra_; }
  CDadosViewTab* Host() const { return host_; }
  PaginaDados* PaginaAtiva() const;
  // The model window of this model, where the model's commands run.
  QWidget* MolduraModelo() const;
  // A command of the model window is about to close this window: a value
  // still in the bar's box goes into its cell, and edits not yet saved are
  // offered for saving (Sim / Não / Cancelar) as closing by hand offers them.
  // False when the user cancelled; after Não the edits are dropped.
  bool OfereceSalvar();

  bool OnCmdMsg(int id) override { return false; }
  bool TemComando(int id) const override { return false; }
  QObject* VistaAtiva() override;
  QObject* DocumentoAlvo() override;

protected:
  void closeEvent(QCloseEvent* e) override;

private:
  CDadosFrame(CTarsolinDoc* doc, bool comPesos, QWidget* parent);

  QPointer<CTarsolinDoc> doc_;
  CDadosBar* barra_;
  CDadosViewTab* host_;
};
