#pragma once
// The find and replace dialog of the report (modeless): each button asks the
// view, which searches from the selection onwards.
#include <QDialog>

class QCheckBox;
class QLineEdit;

class DialogoLocalizar : public QDialog {
  Q_OBJECT
public:
  DialogoLocalizar(QObject* vista, bool substituir, const QString& inicial, QWidget* parent = nullptr);

signals:
  void procura(const QString& texto, int opcoes);
  void substitui(const QString& texto, const QString& novo, int opcoes, bool todas);

private:
  int Opcoes() const;
  QLineEdit *texto_, *novo_ = nullptr;
  QCheckBox *palavra_, *maiusculas_;
};
