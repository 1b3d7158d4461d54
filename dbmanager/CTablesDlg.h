#pragma once
// "Tabelas" (dlg131): the tables of the query window's connection, and on
// request its views and system tables; the chosen rows become one SELECT
// per table naming its columns, or the statement that shows a view's source.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace brenk {

class CChildFrame;
class CListCtrlEx;

class CTablesDlg : public QDialog {
  Q_OBJECT
public:
  explicit CTablesDlg(CChildFrame* janela, QWidget* parent = nullptr);
  // After OK.
  QString Sql() const { return sql_; }
  bool SaidaTexto() const { return texto_; }
  QString Tipo() const { return tipo_; }
  QString NomeVisao() const { return visao_; }

  // Fills the list; false (with the error said) when the schema could not be read.
  bool AtualizaLista();
  // The column list of a table for its SELECT and the name its FROM gives
  // it (with its schema); false (said) on failure.
  bool MontaColunas(const QString& esquema, const QString& nome, QString& colunas, QString& origem);
  void accept() override;
  // The list could not be read: the dialog is not shown.
  bool Falhou() const { return falhou_; }

protected:
  // The four columns share the list's width once it is laid out.
  void showEvent(QShowEvent* e) override;

private:
  void RegraSaidaTexto();
  void Procura(const QString& texto);

  CChildFrame* janela_;
  QLineEdit* procura_;
  CListCtrlEx* lista_;
  QCheckBox* sistema_;
  QCheckBox* visoes_;
  QCheckBox* saidaTexto_;
  QPushButton* ok_;
  QPushButton* cancelar_;
  QString sql_, tipo_, visao_;
  bool texto_ = false;
  bool crescente_ = true;
  bool falhou_ = false;
};

}  // namespace brenk
