#pragma once
// Second page of the new-model wizard (dialog 526 "Variáveis do Modelo"): the
// model's variables, typed or picked from the common-variable catalogue of
// the model's property type. Next writes them into the header with their
// default settings.
#include "controls/CWizard.h"

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct CabecalhoModelo;
struct Var;

class CNomeVariaveis : public CPaginaWizard {
  Q_OBJECT
public:
  // A model list entry: a typed name, or the index of its catalogue record.
  static constexpr int Digitada = -1;
  // The page takes at most this many variables.
  static constexpr int MaxVariaveisPagina = 59;

  explicit CNomeVariaveis(QWidget* parent = nullptr);
  // Both set before the sheet runs; the catalogue is sorted by ComparaVar.
  void DefineCabecalho(CabecalhoModelo* cab);
  void DefineCatalogo(const std::vector<Var>* catalogo) { catalogo_ = catalogo; }

  void OnSetActive() override;
  bool OnWizardNext() override;

  int TipoMostrado() const { return tipoMostrado_; }
  void MudaTipo(int passo);
  void Adiciona();
  void Remove();

protected:
  void initializePage() override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void PreencheCatalogo();
  void AtualizaContagem();

  CabecalhoModelo* cab_ = nullptr;
  const std::vector<Var>* catalogo_ = nullptr;
  bool iniciada_ = false;
  int tipoMostrado_ = 0;
  int contagem_ = 0;
  QWidget* origem_ = nullptr;  // where "Adicionar" takes from: the name box or the catalogue list
  QLineEdit* nome_;
  QListWidget* comuns_;
  QListWidget* modelo_;
  QLabel* tituloComuns_;
  QLabel* tituloModelo_;
  QPushButton* remover_;
};
