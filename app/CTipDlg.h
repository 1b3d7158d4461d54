#pragma once
// "Dica do Dia" (dialog 547): one tip at a time from the text file "tips.txt"
// of the program folder, one tip a line (lines beginning with a blank, a tab
// or ";", and empty lines, are skipped; at the end it starts again). Where it
// stopped survives in the settings ("Tip": "FilePos", and "TimeStamp", the
// file's creation time, so a replaced file starts from its first tip), and
// so does whether it shows at start-up ("StartUp": 0 shows it).
#include <QDialog>
#include <QString>

#include <cstdio>

class CHoverButton;
class QCheckBox;
class QSettings;
class QWidget;

class CTipDlg : public QDialog {
  Q_OBJECT
public:
  // `arquivo` empty: the program folder's "tips.txt"; `settings` null: the program's own.
  explicit CTipDlg(QWidget* parent = nullptr, const QString& arquivo = QString(), QSettings* settings = nullptr);
  ~CTipDlg() override;  // stores the file position

  // Whether the tips show at start-up (the settings' "Tip"/"StartUp" is 0).
  static bool ExibeNoInicio(QSettings* settings = nullptr);

  QString Dica() const { return dica_; }
  bool Inicio() const { return inicio_; }
  void ProximaDica();

protected:
  void accept() override;
  void paintEvent(QPaintEvent* e) override;

private:
  QSettings& Configuracoes() const;

  bool inicio_ = true;            // "&Exibir esta Tela Novamente" (1115)
  std::FILE* arquivo_ = nullptr;  // the open tips file, none when it did not open
  QString dica_;                  // the tip shown (1129)
  QSettings* settings_;
  QCheckBox* marca_;
  CHoverButton* proxima_;         // 1084
  CHoverButton* fechar_;          // 1
  QWidget* moldura_;              // 1117, the white tip area
  QWidget* texto_;                // 1129
  QWidget* icone_;                // 1012, where the bulb is painted
};
