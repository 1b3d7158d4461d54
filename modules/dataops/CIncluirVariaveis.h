#pragma once
// Dialog 131 "Incluir Variáveis": collects typed names and common variables
// of the catalogue and inserts them before the dependent variable.
#include "CDialogoModelo.h"

#include "model/Var.h"

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace palvedo {

class CIncluirVariaveis : public CDialogoModelo {
  Q_OBJECT
public:
  explicit CIncluirVariaveis(const QString& caminho, QWidget* parent = nullptr);

  // The catalogue as read and sorted at initialisation.
  const std::vector<Var>& Catalogo() const { return catalogo_; }

public slots:
  // Cancel: asks "Deseja Cancelar ?" and closes only on Yes.
  void reject() override;

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
  enum class Entrada { Nenhuma, Edicao, Lista };  // which input last lost the focus

  void PreencheComuns();
  void MudaTipo(int passo);
  void Adiciona();
  void Remove();
  void OnOK();
  void MostraPendentes();

  QLineEdit* nome_ = nullptr;         // 1000
  QLabel* tituloComuns_ = nullptr;    // 1006
  QListWidget* comuns_ = nullptr;     // 1008
  QListWidget* incluir_ = nullptr;    // 1007, item data: catalogue index or -1
  QPushButton* remover_ = nullptr;    // 1010
  QLabel* total_ = nullptr;           // 1016
  std::vector<Var> catalogo_;
  int tipo_ = 0;                      // property type shown, 0 .. 6
  int pendentes_ = 0;
  Entrada ultima_ = Entrada::Nenhuma;
};

}  // namespace palvedo
