#pragma once
// The page "Dados" of the data window: one grid row per data record (status,
// record number, address, complement, one value per variable). The grid is
// the only copy of the data while the page is open: the records are loaded to
// fill it, freed again, and rebuilt from it when the document saves. Rows
// keep their record number in column 1 through any sort, and the records are
// written back through it.
#include "PaginaDados.h"

#include <newmat.h>

#include <cstdint>
#include <vector>

class CDadosPesosView;
struct CabecalhoModelo;
struct dado;

class CDadosEditarView : public PaginaDados {
  Q_OBJECT
public:
  static constexpr COLORREF CorValidacao = 16028268;  // 0xF4926C
  static constexpr int MaxLinhas = 64000;

  CDadosEditarView(CTarsolinDoc* doc, CDadosFrame* frame, QWidget* parent);

  // The weights page of the data-and-weights window follows the rows.
  void LigaPesos(CDadosPesosView* pesos) { pesos_ = pesos; }
  int NumDados() const { return N_; }

  void OnInitialUpdate() override;
  bool ArmazenaGrade() override;
  void AtualizaBarra(int row, int col) override;
  void TeclaEnter() override;
  bool Fecha() override;

  // The page's commands, also run from the bar and the context menu.
  bool AdicionaDado();
  void AdicionaDados(int quantos);
  void ExcluiDado();
  void AlternaConsiderado(bool considerado);
  // Sorts on `chave` (1 record, 2 address, 3 complement, 4 + v variable v);
  // `inicial` applies the stored order without recording it.
  void Classifica(int chave, bool descendente, bool inicial = false);
  void MarcaValidacao(bool validacao);
  // Draws p % of the considered rows as validation rows; the number drawn.
  int SelecionaAmostra(int percentual);
  // Validation rows back to considered; the number changed.
  int ReconsideraValidacao();
  bool ExportaPlanilha();

  bool EhValidacao(int row);
  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  int VariavelDaColuna(int col) const override { return col >= 4 && col < n_ + 4 ? col - 4 : -1; }
  int LimiteColuna(int col) const override { return col >= 4 ? 18 : 50; }

private:
  void PreencheGrade();
  // Appends empty rows (and the weights page's rows and columns), no checks.
  void NovasLinhas(int quantas);
  void MarcaLinha(int row, bool considerado, bool validacao);
  int RegistroDaLinha(int row) override;
  // Grid row r (1..N) to its record index in `registro`; false (said) when
  // the rows do not name the records 1..N once each.
  bool MapaLinhas(std::vector<int>& registro);
  // The grid's rows into `base` (N records, by record index): flags, texts,
  // cell attributes, exact values; the considered and validation counts into `c`.
  void GravaLinhas(CabecalhoModelo& c, dado* base, const std::vector<int>& registro);
  // The document's W over the records as they stand now (deleted records'
  // rows and columns out, zeros for added ones); empty when that W does not
  // pair the records as they were last read or stored.
  NEWMAT::Matrix WDasLinhas();
  // The records as the document holds them: each is itself.
  void IniciaOrigem();

  int N_ = 0, n_ = 0;
  std::vector<int> origem_;  // per record, the document's record it was (-1: added since)
  int NOrigem_ = 0;
  CDadosPesosView* pesos_ = nullptr;
};
