#pragma once
// The editor of the common-variable catalogue "variaveis.cfg" (dialog 551
// "Tipo de Variáveis"): entries added and removed, each with its data type,
// decimal places, property type and description. "Fechar" writes the whole
// catalogue back; Escape leaves the file as it was.
#include "model/Var.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// Dialog 527 "Nome da variável": the name of a new catalogue entry.
class CNomeVariavel : public QDialog {
  Q_OBJECT
public:
  explicit CNomeVariavel(QWidget* parent = nullptr);
  QString Nome() const { return nome_; }
  void accept() override;

private:
  QLineEdit* edit_;
  QString nome_;
};

class CVariaveisComuns : public QDialog {
  Q_OBJECT
public:
  static constexpr int MaxDescricaoEditor = 200;

  // `caminho`: the catalogue file; empty for the user's copy.
  explicit CVariaveisComuns(const QString& caminho = QString(), QWidget* parent = nullptr);

  const std::vector<Var>& Catalogo() const { return catalogo_; }
  void Adiciona();
  void Remove();
  void accept() override;  // "&Fechar"

protected:
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void Mostra(int i);
  void GravaEdicoes();

  QString caminho_;
  std::vector<Var> catalogo_;
  int mostrada_ = -1;
  bool mostrando_ = false;
  QListWidget* lista_;
  QRadioButton* tipo_[4];
  QLineEdit* casas_;
  QComboBox* imovel_;
  QPlainTextEdit* descricao_;
};
