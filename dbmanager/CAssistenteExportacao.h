#pragma once
// The three pages of the model export's wizard: which result columns become
// variables (and hold the address and complement), each variable's type,
// direction, decimals, description and the dependent, and the optional
// password. Every setting goes into both headers of the export.
#include <QWizard>
#include <QWizardPage>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace brenk {

struct CabecalhosExportacao;
class ModeloGrade;

class CNomeVariaveis : public QWizardPage {
  Q_OBJECT
public:
  CNomeVariaveis(CabecalhosExportacao& c, const ModeloGrade& grade, QWidget* parent = nullptr);
  void Ativa();
  bool validatePage() override;
  void Adiciona(bool semFoco);

protected:
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void MostraContagem();
  CabecalhosExportacao& c_;
  const ModeloGrade& grade_;
  QListWidget* colunas_;
  QListWidget* variaveis_;
  QLabel* contagem_;
  QComboBox* endereco_;
  QComboBox* complemento_;
  QPushButton* adicionar_;
  QPushButton* remover_;
  bool colunasTiveramFoco_ = false;
  int total_ = 0;
};

class CTipoVariaveis : public QWizardPage {
  Q_OBJECT
public:
  explicit CTipoVariaveis(CabecalhosExportacao& c, QWidget* parent = nullptr);
  void Ativa();
  bool validatePage() override;
  void cleanupPage() override;

private:
  void Mostra();
  void MarcaDependente(bool marcado);
  int Atual() const;
  CabecalhosExportacao& c_;
  QListWidget* lista_;
  QRadioButton* tipos_[5];
  QButtonGroup* grupoTipos_;
  QDateEdit* data_;
  QRadioButton* positivo_;
  QRadioButton* negativo_;
  QCheckBox* dependente_;
  QComboBox* area_;
  QRadioButton* unitario_;
  QRadioButton* total_;
  QLineEdit* casas_;
  QLineEdit* descricao_;
  bool mostrando_ = false;
};

class CSenhaModelo : public QWizardPage {
  Q_OBJECT
public:
  explicit CSenhaModelo(CabecalhosExportacao& c, QWidget* parent = nullptr);
  void Ativa();
  bool validatePage() override;

private:
  void Habilita(bool sim);
  CabecalhosExportacao& c_;
  QCheckBox* protegido_;
  QLineEdit* senha_;
  QLineEdit* redigite_;
  QRadioButton* leitura_;
  QRadioButton* completo_;
  bool ativando_ = false;  // the page is being filled: its buttons' changes are not settings
};

// The wizard "Novo Modelo" (object name "dlgNovoModelo"), pages 147, 284 and 288.
class CAssistenteExportacao : public QWizard {
  Q_OBJECT
public:
  CAssistenteExportacao(CabecalhosExportacao& c, const ModeloGrade& grade, QWidget* parent = nullptr);
  CNomeVariaveis* PaginaNomes() const { return nomes_; }
  CTipoVariaveis* PaginaTipos() const { return tipos_; }
  CSenhaModelo* PaginaSenha() const { return senha_; }

private:
  CNomeVariaveis* nomes_;
  CTipoVariaveis* tipos_;
  CSenhaModelo* senha_;
};

}  // namespace brenk
