#pragma once
// "Configure": the sheet of the main frame's options command with its one
// page "Propriedades Gerais" (146): the query time-out, checked and stored in
// section "Configure". The cache size and the fetch threads' priority are
// shown greyed, each with a tool tip saying why: nothing here can act on
// them, so they are kept as stored.
#include <QDialog>

class QComboBox;
class QLineEdit;

namespace brenk {

class CGeneralPage : public QWidget {
  Q_OBJECT
public:
  explicit CGeneralPage(QWidget* parent = nullptr);
  // Checks the values and stores them; false (said, focus on the field) otherwise.
  bool Valida();
  // "&Restaurar": 0, 100 and "Lowest".
  void Restaura();
  int TempoLimite() const { return tempo_; }
  int Cache() const { return cache_; }
  QString Prioridade() const;

private:
  QLineEdit* tempoTexto_;
  QLineEdit* cacheTexto_;
  QComboBox* prioridade_;
  int tempo_ = 0;
  int cache_ = 100;
};

class COptionsSheet : public QDialog {
  Q_OBJECT
public:
  explicit COptionsSheet(const QString& titulo, QWidget* parent = nullptr);
  CGeneralPage* Pagina() const { return pagina_; }
  void accept() override;

private:
  CGeneralPage* pagina_;
};

}  // namespace brenk
