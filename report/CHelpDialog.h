#pragma once
// The context-help bases of the report editor's dialogs. A help request
// (F1 for the control with the focus; the title bar's help button then a
// click, or a right click, for the control under the pointer) goes with the
// dialog's id and the id of the control it is about through one hook that the application sets;
// while no hook is set the dialogs offer no help at all.
#include <QDialog>
#include <functional>

using PedidoAjuda = std::function<void(int dialogo, int controle)>;

class CHelpDialog : public QDialog {
  Q_OBJECT
public:
  // `id` is the dialog's resource number; the object name becomes "dlg<id>".
  CHelpDialog(int id, QWidget* parent = nullptr);
  int Id() const { return id_; }

  static void DefineAjuda(PedidoAjuda ajuda);
  static bool TemAjuda();
  // Sends a request for control `controle` of dialog `dialogo`; nothing without a hook.
  static void PedeAjuda(int dialogo, int controle);
  // The id of the control that has the focus inside `w` (0 for none).
  static int ControleComFoco(QWidget* w);
  // The row "OK" (id 1) and "Cancelar" (id 2) of a dialog, wired to its accept and reject.
  static class QDialogButtonBox* BotoesOkCancelar(QDialog* dlg);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool event(QEvent* e) override;

private:
  int id_;
};

// A page of a property sheet with the same help.
class CHelpPropertyPage : public QWidget {
  Q_OBJECT
public:
  CHelpPropertyPage(int id, const QString& titulo, QWidget* parent = nullptr);
  int Id() const { return id_; }
  QString Titulo() const { return titulo_; }
  void PedeAjuda();

protected:
  bool event(QEvent* e) override;

private:
  int id_;
  QString titulo_;
};

// A property sheet: its help requests go to the active page.
class CHelpPropertySheet : public QDialog {
  Q_OBJECT
public:
  CHelpPropertySheet(const QString& titulo, QWidget* parent = nullptr);
  void AdicionaPagina(CHelpPropertyPage* pagina);
  void DefinePaginaAtiva(int indice);
  int PaginaAtiva() const;
  CHelpPropertyPage* Pagina(int indice) const;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool event(QEvent* e) override;

private:
  class QTabWidget* abas_;
};
