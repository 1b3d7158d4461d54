#pragma once
// The variable analysis (dialog 132 "Analisar Variáveis"): looks for enabled
// variables whose value never changes over the data records and lets the user
// stop before calculating on them.
#include <QDialog>

struct CabecalhoModelo;
struct dado;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace ostrimo {

class CAnalisar : public QDialog {
  Q_OBJECT
public:
  CAnalisar(const CabecalhoModelo& copia, const dado* dados, int numDados, QWidget* parent = nullptr);
  ~CAnalisar() override;

private:
  void AoAnalisar();
  void Analisa();

  const CabecalhoModelo& copia_;
  const dado* dados_;
  int numDados_;
  QPlainTextEdit* texto_;
  QCheckBox* naoCalcular_;
  QPushButton* analisar_;
  bool analisado_ = false;
};

}  // namespace ostrimo
