#pragma once
// Spatial-regression options (dialog 505): the model (error or lag), the
// handling of W, the optimiser's limits and the search range of rho. It works
// on text copies of header fields; the spatial command fills them from the
// header before showing it and writes them back on "&Calcular".
#include <QDialog>
#include <QString>

class CTarsolinDoc;
struct CabecalhoModelo;
class QRadioButton;
class QCheckBox;
class QLineEdit;

class COpcoesRE : public QDialog {
  Q_OBJECT
public:
  explicit COpcoesRE(QWidget* parent = nullptr);

  // Fills the members from the header, in the formats the dialog shows.
  void PreencheDoCabecalho(const CabecalhoModelo& cab);
  // Writes the members back into the header (after OK).
  void GravaNoCabecalho(CabecalhoModelo& cab) const;
  // True when the lag model (sar) was chosen, else the error model (sem).
  bool ModeloLag() const { return lag_; }

  CTarsolinDoc* documento = nullptr;
  bool normaliza = false;  // 1030
  bool erro = true;        // 1095 "Modelo erro espacial (sem)"
  bool lag = false;        // 1096 "Modelo auto-regressivo (sar)"
  bool inverte = false;    // 1031
  QString potencia, distMinima, distMaxima, maxIteracoes, criterio, rhoInicial, rhoMinimo, rhoMaximo;

  // Opens the dialog that builds W from the coordinates (1016). Replaceable,
  // so tests and the data-entry windows can provide their own.
  static void (*AbreCalculoW)(CTarsolinDoc* doc);

  // Parses a number typed with ',' or '.' as the decimal separator; 0 when none.
  static double LeNumero(const QString& texto);
  // Reads an integer as the C library does: blanks, a sign, the leading
  // digits; 0 when there are none.
  static int LeInteiro(const QString& texto);

protected:
  void showEvent(QShowEvent* e) override;

public slots:
  void accept() override;

private:
  void Carrega();     // members -> controls
  void LeControles(); // controls -> members
  void AtualizaDistancias();
  bool ValoresValidos();

  bool lag_ = false;
  bool carregado_ = false;
  QRadioButton* rErro_;
  QRadioButton* rLag_;
  QCheckBox* cNormaliza_;
  QCheckBox* cInverte_;
  QLineEdit* ePotencia_;
  QLineEdit* eDistMin_;
  QLineEdit* eDistMax_;
  QLineEdit* eIteracoes_;
  QLineEdit* eCriterio_;
  QLineEdit* eRhoInicial_;
  QLineEdit* eRhoMin_;
  QLineEdit* eRhoMax_;
};
