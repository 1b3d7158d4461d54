#pragma once
// The sheet of the model set-up pages in the wizard-97 style: a watermark on
// the first page, a header picture above the others, Back, Next and Finish.
// The sheet decides nothing: its pages say which buttons they offer when they
// become active and may refuse to leave on Next, Back or Finish. The main
// program (pictures 103 and 135) and the database manager (129 and 359) build
// it with their own pictures; id 0 shows none (the plain sheet).
#include <QPixmap>
#include <QWizard>
#include <QWizardPage>

#include <vector>

class CWizard;

// A page of the sheet. The hooks are those of a wizard property page:
// OnSetActive each time the page is shown (also when going back to it),
// OnWizardNext / OnWizardBack / OnWizardFinish before leaving, false to stay.
class CPaginaWizard : public QWizardPage {
  Q_OBJECT
public:
  explicit CPaginaWizard(QWidget* parent = nullptr) : QWizardPage(parent) {}

  virtual void OnSetActive() {}
  virtual bool OnWizardNext() { return true; }
  virtual bool OnWizardBack() { return true; }
  virtual bool OnWizardFinish() { return true; }

  // The buttons this page offers (PSWIZB_* flags).
  void SetWizardButtons(int botoes);
  // The number of pages of the sheet the page runs in (4 new model, 3 properties).
  int NumPaginasFolha() const;
  CWizard* Folha() const;

  bool isComplete() const override;

private:
  friend class CWizard;
  int botoes_ = 0;
};

class CWizard : public QWizard {
  Q_OBJECT
public:
  enum Botao { PSWIZB_BACK = 1, PSWIZB_NEXT = 2, PSWIZB_FINISH = 4 };
  static constexpr int CabecalhoPadrao = 103, MarcaDaguaPadrao = 135;

  CWizard(const QString& titulo, QWidget* parent = nullptr, int primeiraPagina = 0,
          int idCabecalho = CabecalhoPadrao, int idMarcaDagua = MarcaDaguaPadrao);
  // The caption from the string table.
  CWizard(int idTitulo, QWidget* parent = nullptr, int primeiraPagina = 0,
          int idCabecalho = CabecalhoPadrao, int idMarcaDagua = MarcaDaguaPadrao);

  // Pages in order; the sheet owns them (the runner keeps plain pointers and
  // reads them before the sheet goes).
  void AddPage(CPaginaWizard* pagina);
  int GetPageCount() const { return int(paginas_.size()); }
  CPaginaWizard* GetPage(int indice) const;
  CPaginaWizard* GetActivePage() const;
  int GetActiveIndex() const;
  void SetActivePage(int indice);

  // Runs modally through the dialog script queue; QDialog::Accepted on Finish.
  int DoModal();

  void SetWizardButtons(int botoes);
  // The Back button as a user presses it (the page may refuse).
  void PressionaVoltar();

  bool validateCurrentPage() override;

protected:
  void showEvent(QShowEvent* e) override;
  void done(int resultado) override;

private:
  void Inicia(const QString& titulo, int primeiraPagina, int idCabecalho, int idMarcaDagua);
  void PaginaMudou(int id);
  void AplicaBotoes();

  std::vector<CPaginaWizard*> paginas_;
  QPixmap marca_;
  int primeira_ = 0;
  int botoes_ = 0;
  bool posicionando_ = false;  // walking to the first page: no page checks
  bool terminando_ = false;    // Finish pressed: the last page's check
  bool iniciada_ = false;
};
