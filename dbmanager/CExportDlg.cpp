#include "dbmanager/CExportDlg.h"

#include "dbmanager/ExportacaoDelimitada.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSettings>

namespace brenk {

namespace {
const char* const kNomes[] = {"Comma Seperated", "Tab Delimited", "Pipe Seperated", "<None>"};
const QString kSecao = QStringLiteral("Grid\\Export Options/");
}  // namespace

CExportDlg::CExportDlg(const QString& titulo, bool selecao, QWidget* parent)
    : QFileDialog(parent, titulo), selecao_(selecao) {
  setObjectName(QStringLiteral("dlg136"));
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setDefaultSuffix(QStringLiteral("csv"));
  setNameFilters({QStringLiteral("Export Files (*.csv)"), QStringLiteral("All Files(*.*)")});
  selectFile(QStringLiteral("Untitled"));

  lista_ = new QComboBox(this);
  lista_->setObjectName(QStringLiteral("1011"));
  lista_->setAccessibleName(QStringLiteral("Delimitador:"));
  for (const char* n : kNomes) lista_->addItem(QString::fromLatin1(n));
  marca_ = new QCheckBox(QStringLiteral("Primeira linha contém os nomes dos campos"), this);
  marca_->setObjectName(QStringLiteral("1026"));
  QSettings ini;
  QString formato = ini.value(kSecao + QStringLiteral("Format"), QStringLiteral("Comma Seperated")).toString().trimmed();
  if (formato.isEmpty()) formato = QStringLiteral("Comma Seperated");
  lista_->setCurrentIndex(qMax(0, lista_->findText(formato)));
  marca_->setChecked(ini.value(kSecao + QStringLiteral("ColumnNames"), 1).toInt() != 0);
  marca_->setEnabled(!selecao);
  // Below the standard controls, as the template sits under the system's save box.
  if (auto* grade = qobject_cast<QGridLayout*>(layout())) {
    const int r = grade->rowCount();
    grade->addWidget(new QLabel(QStringLiteral("Delimitador:"), this), r, 0);
    grade->addWidget(lista_, r, 1);
    grade->addWidget(marca_, r + 1, 1);
  }
}

QString CExportDlg::Caminho() const { return selectedFiles().value(0); }

void CExportDlg::done(int resultado) {
  if (resultado == QDialog::Accepted) {
    delimitador_ = DelimitadorDoNome(lista_->currentText());
    nomes_ = marca_->isChecked() && !selecao_;
    QSettings ini;
    ini.setValue(kSecao + QStringLiteral("Format"), lista_->currentText());
    ini.setValue(kSecao + QStringLiteral("ColumnNames"), marca_->isChecked() ? 1 : 0);
  }
  QFileDialog::done(resultado);
}

}  // namespace brenk
