#pragma once
// The page "Projeções" of the data window: one grid row per property to
// appraise (address, complement, district, town, state and every variable
// but the dependent one). Built like the data page, without exclusions,
// validation or weights.
#include "PaginaDados.h"

class CDadosAvalView : public PaginaDados {
  Q_OBJECT
public:
  static constexpr int MaxLinhas = 10000;

  CDadosAvalView(CTarsolinDoc* doc, CDadosFrame* frame, QWidget* parent);

  int NumDadosP() const { return M_; }
  void OnInitialUpdate() override;
  bool ArmazenaGrade() override;
  void AtualizaBarra(int row, int col) override;
  void TeclaEnter() override;

  bool AdicionaDado();
  void AdicionaDados(int quantos);
  void ExcluiDado();
  // Key as the data page's (1 record, 2 address, 3 complement, 4 + v variable v).
  void Classifica(int chave, bool descendente, bool inicial = false);

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  int VariavelDaColuna(int col) const override { return col >= 7 && col < n_ + 6 ? col - 7 : -1; }
  int LimiteColuna(int col) const override;

private:
  int RegistroDaLinha(int row) override;
  void NovasLinhas(int quantas);

  int M_ = 0, n_ = 0;
};
