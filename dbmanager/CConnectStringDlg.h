#pragma once
// "View Connection String" (dlg144): the active window's connection string,
// read-only, its password hidden.
#include <QDialog>

namespace brenk {

class CConnectStringDlg : public QDialog {
  Q_OBJECT
public:
  explicit CConnectStringDlg(const QString& texto, QWidget* parent = nullptr);
};

}  // namespace brenk
