#pragma once
// "Procedimentos" (dlg133): the stored procedures of the query window's
// connection; the one picked is returned by name, without a group number and
// in brackets when it holds a blank.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace brenk {

class CChildFrame;
class CListCtrlEx;

class CProceduresDlg : public QDialog {
  Q_OBJECT
public:
  explicit CProceduresDlg(CChildFrame* janela, QWidget* parent = nullptr);
  // After OK.
  QString Nome() const { return nome_; }
  // The chosen row's schema (empty when the source reports none).
  QString Esquema() const { return esquema_; }
  // The list could not be read: the dialog is not shown.
  bool Falhou() const { return falhou_; }
  // Fills the list; false (with the error said) when the schema could not be read.
  bool PreencheLista();
  void accept() override;

protected:
  // The three columns share the list's width once it is laid out.
  void showEvent(QShowEvent* e) override;

private:
  void Procura(const QString& texto);

  CChildFrame* janela_;
  QLineEdit* procura_;
  CListCtrlEx* lista_;
  QPushButton* ok_;
  QPushButton* cancelar_;
  QString nome_, esquema_;
  bool crescente_ = true;
  int escolhida_ = 0;  // the row OK returns
  bool falhou_ = false;
};

}  // namespace brenk
