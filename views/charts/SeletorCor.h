#pragma once
// A colour picker button: it shows its colour and, when pressed, offers the
// colour dialog ("dlgCor"); a colour the user chose is reported by
// corEscolhida. Colours travel as Windows colour values (0x00BBGGRR).
#include <QToolButton>
#include <cstdint>

class SeletorCor : public QToolButton {
  Q_OBJECT
public:
  explicit SeletorCor(QWidget* parent = nullptr);
  void DefineCor(int32_t cor);  // the colour shown (current and default); reports nothing
  int32_t Cor() const { return cor_; }

signals:
  void corEscolhida(int32_t cor);

private:
  void Escolhe();
  void Pinta();
  int32_t cor_ = 0;
};
