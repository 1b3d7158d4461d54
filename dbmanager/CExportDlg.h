#pragma once
// The save dialog of a delimited export: the file, the delimiter (list 1011)
// and whether the first line holds the column names (check box 1026, off and
// disabled for a selection). The choice is kept in "Grid\Export Options".
#include <QFileDialog>

class QCheckBox;
class QComboBox;

namespace brenk {

class CExportDlg : public QFileDialog {
  Q_OBJECT
public:
  CExportDlg(const QString& titulo, bool selecao, QWidget* parent = nullptr);
  // After OK: the delimiter ("," "\t" "|" or empty) and the check box.
  QString Delimitador() const { return delimitador_; }
  bool NomesColunas() const { return nomes_; }
  QString Caminho() const;

  void done(int resultado) override;

private:
  QComboBox* lista_;
  QCheckBox* marca_;
  bool selecao_;
  QString delimitador_;
  bool nomes_ = true;
};

}  // namespace brenk
