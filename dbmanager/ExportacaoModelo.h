#pragma once
// A result grid written as a new model file: this program's format (a model
// header and one `dado` per row) or the other product's (a `Cabecalho550` and
// one `dado550` per row). The wizard pages write every setting into both
// headers; the export fills and writes only the header of the chosen format.
#include "model/CabecalhoModelo.h"
#include "model/FormatosAntigos.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace brenk {

class ModeloGrade;

// The export kinds the wizard pages are given.
enum TipoExportacao : int { ExportaZelvar = 1, ExportaTarsolin = 2 };

// The texts of the model-properties grid.
struct PropriedadesModelo {
  QString autor, nomeReferencia, data, informacoes;
  int tipologia = 1;  // 1-based position in the 11-entry list
};

// The property-type choices of the model-properties grid, in their order.
const QStringList& Tipologias();
// The property-type code of this program's format (1-7) for a 1-based
// position of the 11-entry list.
int CodigoTipoImovel(int posicao);

// Both headers an export prepares, with the settings at each one's offsets.
struct CabecalhosExportacao {
  CabecalhosExportacao();
  std::unique_ptr<CabecalhoModelo> tarsolin;
  std::unique_ptr<Cabecalho550> zelvar;
  int tipo = ExportaZelvar;

  int MaxVariaveis() const { return tipo == ExportaTarsolin ? 59 : 39; }
  // Settings read from the header of the export kind.
  int NumVariaveis() const;
  int Dependente() const;
  QString Nome(int i) const;
  QString Descricao(int i) const;
  QString Data(int i) const;
  int Relacao(int i) const;
  int Tipo(int i) const;
  int Casas(int i) const;
  int Area() const;
  bool Unitario() const;
  bool Protegido() const;
  int ModoAcesso() const;
  QString Senha() const;
  int Coluna(int i) const;
  int ColunaEndereco() const;
  int ColunaComplemento() const;
  // Settings written into both headers.
  void SetNumVariaveis(int n);
  void SetDependente(int d);
  void SetNome(int i, const QString& t);
  void SetDescricao(int i, const QString& t);  // cut to the field's 600 bytes
  void SetData(int i, const QString& t);
  void SetRelacao(int i, int r);
  void SetTipo(int i, int t);
  void SetCasas(int i, int n);
  void SetArea(int a);
  void SetUnitario(bool sim);
  void SetProtegido(bool sim);
  void SetModoAcesso(int m);
  void SetSenha(const QString& s);
  void SetDesbloqueado(bool sim);
  void SetColuna(int i, int c);
  void SetColunaEndereco(int c);
  void SetColunaComplemento(int c);
  // Clears every per-variable table (names to the calculation state).
  void LimpaVariaveis();
  // Makes the dependent the last variable of the header of the export kind,
  // its column moving with it.
  void MoveDependente();
};

// Moves the dependent variable last in the other product's header.
void MoveVariavelDependenteZelvar(Cabecalho550& cab);

// Step 1 of an export: both headers cleared; the magic, the enabled flags and
// the calculation and spatial defaults of the chosen format.
void PreparaCabecalhos(CabecalhosExportacao& c);
// After the wizard: the columns taken out of their slots (the dependent made
// last), the fixed texts and layout and the model's properties. Returns the
// columns of the variables, then the address and complement columns.
struct ColunasExportacao {
  QList<int> variaveis;
  int endereco = 0, complemento = 0;
};
ColunasExportacao CompletaCabecalho(CabecalhosExportacao& c, const PropriedadesModelo& p);

// The data and considered counts of the chosen header.
void DefineRegistros(CabecalhosExportacao& c, int n, int considerados);
// The most records each format holds.
int LimiteRegistros(int tipo);

// The cells of the chosen variables, among the first `registros` rows, that
// hold no number (no value, or a text that is not one): how many, the first
// of them (its grid row, column and text) and the records they are in.
struct CelulasSemNumero {
  int celulas = 0;
  int linha = 0, coluna = -1;  // the first: grid row (data from 1) and column
  QString texto;               // its text as the grid shows it
  std::vector<bool> registro;  // per record (from 0): holds such a cell
  int registros = 0;
};
CelulasSemNumero ProcuraCelulasSemNumero(const ModeloGrade& grade, const ColunasExportacao& colunas, int registros);
// The question the export asks before writing such cells (Não is the default).
QString PerguntaCelulasSemNumero(const CelulasSemNumero& s, const ModeloGrade& grade);

// Writes the header and the first `registros` records of the grid safely
// (nothing replaces the file unless all was written); `progresso` receives
// each record's index. Each value is the number fetched (or read from the
// cell's text in one unambiguous reading); a cell without one is written 0
// and its record excluded (`semNumero`). False with the reason in `erro`.
bool GravaModeloExportado(const QString& caminho, const CabecalhosExportacao& c, const ModeloGrade& grade,
                          const ColunasExportacao& colunas, int registros, const CelulasSemNumero& semNumero,
                          const std::function<void(int)>& progresso, QString& erro);

}  // namespace brenk
