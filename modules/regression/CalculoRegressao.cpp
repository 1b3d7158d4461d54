#include "modules/regression/CalculoRegressao.h"

#include "model/ArquivoModelo.h"
#include "model/TabelasEstatisticas.h"
#include "model/dado.h"
#include "model/dadoP.h"
#include "modules/regression/CAnalisar.h"
#include "modules/regression/CCalcular.h"
#include "modules/regression/CRelatorio.h"
#include "modules/regression/CursorEspera.h"
#include "modules/regression/engine/BuscaTransformacoes.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace ostrimo {

namespace {

constexpr std::size_t OffDWTabela = CabecalhoModelo::OffEstatisticasEquacao;  // + 800 (v + 1): Durbin-Watson

void MostraIndeterminado() {
  plat::MessageBox(QString::fromUtf8("Cálculo indeterminado !"), QString::fromUtf8("Tarsolin Windows"),
                   plat::MB_OK | plat::MB_ICONERROR);
}

void MostraAviso(const QString& texto) {
  plat::MessageBox(texto, QString::fromUtf8("Tarsolin Windows"), plat::MB_OK | plat::MB_ICONEXCLAMATION);
}

constexpr int TxtFormatoInvalido = 3044;  // "Formato de arquivo inválido!"

// Whether every statistic of an equation is a number that can be stored. A
// perfect fit (no residual at all) keeps its infinite t values, which say
// just that; any other infinity or NaN comes from data that cannot be fitted
// (a value that is not a number, a constant dependent, a transformation that
// overflows) and is refused rather than stored as a success.
bool ResultadoFinito(const ResultadoEquacao& r, int k) {
  bool perfeito = true;
  for (double e : r.residuos) {
    if (!std::isfinite(e)) return false;
    perfeito = perfeito && e == 0.0;
  }
  for (int p = 0; p < k; ++p) {
    if (!std::isfinite(r.coeficiente[p]) || !std::isfinite(r.confianca[p]) || !std::isfinite(r.crescimento[p]))
      return false;
    if (!std::isfinite(r.t[p]) && !(perfeito && std::isinf(r.t[p]))) return false;
  }
  for (double v : {r.r, r.rOriginal, r.f, r.confiancaF, r.s, r.sOriginal, r.dw})
    if (!std::isfinite(v)) return false;
  return true;
}

// The statistical tables of the program folder, for the engine.
class TabelasPrograma : public TabelasEstatisticas {
public:
  double Significancia(double nu, double t) override { return SignificanciaStudent(nu, t); }
  double ConfiancaF(double f, int k, int n) override { return ConfiancaSnedecor(f, k, n); }
};

int NumVariaveis(const CabecalhoModelo& cab) {
  return std::clamp(cab.NumVariaveis(), 0, CabecalhoModelo::MaxVariaveis);
}

}  // namespace

CalculoRegressao::CalculoRegressao() = default;
CalculoRegressao::~CalculoRegressao() = default;

bool CalculoRegressao::VerificaDados() {
  const CabecalhoModelo& cab = *trabalho_;
  const int nv = NumVariaveis(cab);
  int habilitadas = 0;
  for (int v = 0; v < nv; ++v) habilitadas += cab.Habilitada(v) ? 1 : 0;
  const int dep = cab.Dependente();
  if (dep < 0 || dep >= nv || !cab.Habilitada(dep)) {
    MostraAviso(QString::fromUtf8("A variável dependente não está habilitada !"));
    return false;
  }
  if (habilitadas < 2) {
    MostraAviso(QString::fromUtf8("Número de variáveis insuficiente ! "));
    return false;
  }
  if (cab.NumConsiderados() < habilitadas + 1) {
    MostraAviso(QString::fromUtf8("Número de dados insuficiente !"));
    return false;
  }
  // The last enabled column is fitted as the dependent: a header whose
  // dependent has an enabled variable after it would regress the wrong column.
  for (int v = dep + 1; v < nv; ++v)
    if (cab.Habilitada(v)) {
      MostraAviso(plat::Texto(TxtFormatoInvalido));
      return false;
    }
  return true;
}

bool CalculoRegressao::VerificaConsiderados() {
  // The rows are the records whose flags say they are considered, whatever
  // count the header holds; with no more of them than the enabled variables
  // there is no degree of freedom left.
  if (int(considerados_.size()) > k_) return true;
  MostraAviso(QString::fromUtf8("Número de dados insuficiente !"));
  return false;
}

bool CalculoRegressao::LeRegistros(const QString& caminho) {
  if (registrosLidos_) return true;
  const CabecalhoModelo& cab = *trabalho_;
  dados_.assign(static_cast<std::size_t>(std::max(0, cab.NumDados())), dado{});
  dadosP_.assign(static_cast<std::size_t>(std::max(0, cab.NumDadosP())), dadoP{});
  // The records of the file whose header was read, or none: another model
  // put at the path while the options were chosen is not mixed in.
  if (!(plat::IdentidadeDe(caminho) == lido_)) {
    MostraAviso(TextoArquivoAlterado(caminho));
    return false;
  }
  // The stored W elements stay in the file: the write copies them across.
  registrosLidos_ = LeRegistrosModelo(caminho, &cab, dados_.data(), dadosP_.data(), &lido_);
  return registrosLidos_;
}

void CalculoRegressao::MontaDados() {
  const CabecalhoModelo& cab = *trabalho_;
  const int nv = NumVariaveis(cab);
  variavelDaPosicao_.clear();
  for (int v = 0; v < nv; ++v)
    if (cab.Habilitada(v)) variavelDaPosicao_.push_back(v);
  k_ = static_cast<int>(variavelDaPosicao_.size());
  considerados_.clear();
  for (int i = 0; i < static_cast<int>(dados_.size()); ++i)
    if (dados_[i].Considerado()) considerados_.push_back(i);
  const std::size_t n = considerados_.size();
  valores_.assign(n * std::size_t(k_), 0.0);
  for (int p = 0; p < k_; ++p) {
    double* coluna = valores_.data() + std::size_t(p) * n;
    for (std::size_t i = 0; i < n; ++i) coluna[i] = dados_[considerados_[i]].valor[variavelDaPosicao_[p]];
  }
}

bool CalculoRegressao::GravaModelo(const QString& caminho) {
  // Only the header and the records change; everything after the records is
  // copied from the file as it is. The considered count is the one the rows
  // were fitted on.
  int considerados = 0;
  for (const dado& d : dados_) considerados += d.Considerado() ? 1 : 0;
  trabalho_->SetNumConsiderados(considerados);
  // Only over the file read: the writer checks it, under the model's lock,
  // when it starts and again when it replaces it.
  ControleGravacao controle;
  controle.lido = lido_;
  if (GravaCabecalhoERegistros(caminho, trabalho_.get(), dados_.data(), dadosP_.data(), &controle)) return true;
  MostraAviso(TextoFalhaGravacao(caminho, controle));
  return false;
}

// Statistics of one equation into slot `slot` of the working header, the
// residuals into the records; 3 when done, 0 when the fit is indeterminate.
int CalculoRegressao::Estatisticas(int slot, const int* codigos, int metodo) {
  DadosBusca dados;
  dados.k = k_;
  dados.n = static_cast<int>(considerados_.size());
  dados.valores = valores_.data();
  TabelasPrograma tabelas;
  EstatisticasEquacao estatisticas;
  auto res = std::make_unique<ResultadoEquacao>();
  const EstatisticasEquacao::Estado estado = estatisticas.Calcula(dados, codigos, criterio_, ordem_, tabelas, *res);
  if (estado == EstatisticasEquacao::Indeterminada ||
      (estado == EstatisticasEquacao::Concluida && !ResultadoFinito(*res, k_))) {
    MostraIndeterminado();
    return 0;
  }
  if (estado != EstatisticasEquacao::Concluida) return 0;

  CabecalhoModelo& cab = *trabalho_;
  const int e = slot;
  // Position order to variable order. The Durbin-Watson table keeps, for the
  // regressors, what its position held; only the dependent's entry is new.
  double antigo[CabecalhoModelo::MaxVariaveis];
  for (int p = 0; p < k_; ++p) antigo[p] = cab.F64VE(OffDWTabela, p + 1, e);
  const int nv = NumVariaveis(cab);
  for (int v = 0, p = 0; v < nv; ++v) {
    if (!cab.Habilitada(v)) {
      cab.SetTransformacao(v, e, 0);
      cab.SetF64VE(CabecalhoModelo::OffEstatisticaT, v, e, 0.0);
      cab.SetF64VE(CabecalhoModelo::OffCoeficientes, v, e, 0.0);
      cab.SetF64VE(CabecalhoModelo::OffSignificancias, v, e, 0.0);
      cab.SetF64VE(CabecalhoModelo::OffVariacaoPercentual, v, e, 0.0);
      cab.SetF64VE(OffDWTabela, v + 1, e, 0.0);
      continue;
    }
    cab.SetTransformacao(v, e, res->codigos[p]);
    cab.SetF64VE(CabecalhoModelo::OffEstatisticaT, v, e, res->t[p]);
    cab.SetF64VE(CabecalhoModelo::OffCoeficientes, v, e, res->coeficiente[p]);
    cab.SetF64VE(CabecalhoModelo::OffSignificancias, v, e, res->confianca[p]);
    cab.SetF64VE(CabecalhoModelo::OffVariacaoPercentual, v, e, res->crescimento[p]);
    cab.SetF64VE(OffDWTabela, v + 1, e, p == k_ - 1 ? res->dw : antigo[p]);
    if (p == ordem_.posicao) cab.SetI32(CabecalhoModelo::OffVariavelDurbinWatson, v);
    ++p;
  }
  // Slots past the model's variables hold no code in this equation.
  for (int v = nv; v < CabecalhoModelo::MaxVariaveis; ++v) cab.SetTransformacao(v, e, 0);
  cab.SetF64(CabecalhoModelo::OffCorrelacao + 8 * std::size_t(e), res->r);
  cab.SetF64(CabecalhoModelo::OffEstatisticasEquacao + 8 * std::size_t(e), res->rOriginal);
  cab.SetF64(CabecalhoModelo::OffErroPadrao + 8 * std::size_t(e), res->s);
  cab.SetF64(CabecalhoModelo::OffErroPadraoOriginal + 8 * std::size_t(e), res->sOriginal);
  cab.SetF64(CabecalhoModelo::OffF + 8 * std::size_t(e), res->f);
  cab.SetF64(CabecalhoModelo::OffConfiancaF + 8 * std::size_t(e), res->confiancaF);
  cab.SetI32(CabecalhoModelo::OffPercentual1 + 4 * std::size_t(e), res->ate1);
  cab.SetI32(CabecalhoModelo::OffPercentual164 + 4 * std::size_t(e), res->ate164);
  cab.SetI32(CabecalhoModelo::OffPercentual196 + 4 * std::size_t(e), res->ate196);
  cab.SetI32(CabecalhoModelo::OffForaDe2 + 4 * std::size_t(e), res->acima2);
  cab.SetEstadoCalculo(metodo);

  for (std::size_t i = 0; i < considerados_.size() && i < res->residuos.size(); ++i)
    dados_[considerados_[i]].residuo[e] = res->residuos[i];
  if (e < lista_.Quantidade()) {
    lista_[e].correlacaoOriginal = res->rOriginal;
    lista_[e].erroOriginal = res->sOriginal;
  }
  return 3;
}

int CalculoRegressao::CalculaEquacoes(const QString& caminho, int modo, int slot) {
  if (modo == 1) {
    if (slot < 0 || slot >= lista_.Quantidade()) return 0;
    return Estatisticas(slot, lista_[slot].codigo, 3);
  }

  // Mode 0: the options on a private copy, then the search.
  auto copia = std::make_unique<CabecalhoModelo>(*trabalho_);
  for (int v = 0; v < CabecalhoModelo::MaxVariaveis; ++v) copia->SetTransformacao(v, 0, 0);
  ordem_.codigo = 1;
  {
    CCalcular dlg(*copia);
    if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return 0;
  }
  OpcoesCalculo op(*copia);
  const int metodo = op.Metodo();
  const bool analisar = op.Analisar(), reconsiderar = op.Reconsiderar();
  ordem_.posicao = op.VariavelDurbinWatson();
  ordem_.codigo = op.DurbinWatson() ? 1 : -1;
  criterio_ = op.Criterio();
  op.Copia(opcoes_);

  {
    CursorEspera espera;
    if (!LeRegistros(caminho)) return 0;
  }
  if (analisar || reconsiderar) {
    if (reconsiderar) {
      // Every record is considered again, except the held-out validation sample.
      int considerados = 0;
      for (dado& d : dados_) {
        if (!d.Validacao()) d.excluido = 0;
        considerados += d.Considerado() ? 1 : 0;
      }
      for (CabecalhoModelo* c : {trabalho_.get(), copia.get()}) {
        c->SetNumConsiderados(considerados);
        c->SetEstadoCalculo(0);
      }
    }
    if (analisar) {
      CAnalisar dlg(*copia, dados_.data(), static_cast<int>(dados_.size()));
      if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return 0;
    }
    // The estimates of the appraisal records no longer hold.
    const int nv = NumVariaveis(*copia);
    for (dadoP& p : dadosP_)
      for (int c = nv - 1; c <= nv + 1; ++c)
        if (c >= 0) p.valor[c] = 0.0;
  }

  MontaDados();
  if (!VerificaConsiderados()) return 0;
  if (metodo == 3) {
    // The dialog stored the directed codes by position among the enabled variables.
    int codigos[CabecalhoModelo::MaxVariaveis] = {};
    for (int p = 0; p < k_; ++p) codigos[p] = copia->I32(CabecalhoModelo::OffTransformacoes + 400 * std::size_t(p));
    lista_.DefineUnica(codigos, k_);
    int r;
    {
      CursorEspera espera;
      r = Estatisticas(0, codigos, 3);
    }
    if (r != 3) return 0;
    CabecalhoModelo& cab = *trabalho_;
    cab.SetEquacaoCorrente(0);
    cab.SetNumEquacoes(1);
    OpcoesCalculo(cab).Restaura(opcoes_);
    cab.SetI32(CabecalhoModelo::OffEspacialCalculado, 0);
    return GravaModelo(caminho) ? 3 : 0;
  }
  if (metodo != 1 && metodo != 2) return 0;

  OpcoesBusca ob;
  ob.metodo = metodo;
  ob.criterio = criterio_;
  for (int c = 0; c < 8; ++c) ob.permitido[c] = op.Permitido(c) ? 1 : 0;
  ob.permitido[1] = 1;
  DadosBusca dados;
  dados.k = k_;
  dados.n = static_cast<int>(considerados_.size());
  dados.valores = valores_.data();
  auto busca = std::make_unique<BuscaTransformacoes>();
  BuscaTransformacoes::Estado estado;
  {
    CursorEspera espera;
    CRelatorio relatorio;
    estado = busca->Executa(dados, ob, &lista_, &relatorio);
  }
  if (estado == BuscaTransformacoes::Indeterminada) {
    MostraIndeterminado();
    return 0;
  }
  if (estado != BuscaTransformacoes::Concluida) return 0;
  // No combination gave a criterion that is a number (a constant dependent,
  // values no transformation can take): there is nothing to keep.
  if (lista_.Quantidade() == 0) {
    MostraIndeterminado();
    return 0;
  }
  return busca->Metodo();
}

bool CalculoRegressao::Calcula(const QString& caminho) {
  trabalho_ = std::make_unique<CabecalhoModelo>();
  registrosLidos_ = false;
  if (!LeCabecalhoModelo(caminho, trabalho_.get(), &lido_)) return false;
  if (!VerificaDados()) return false;
  lista_.Limpa();
  const int metodo = CalculaEquacoes(caminho, 0, 0);
  if (metodo == 0) return false;
  if (metodo == 3) return true;  // the directed method has written everything

  int r = 0;
  {
    CursorEspera espera;
    CRelatorio relatorio;
    relatorio.DefineLegenda(QString::fromUtf8("Gerando Resultados Estatísticos !"));
    relatorio.Mostra();
    relatorio.DefineFaixa(lista_.Quantidade());
    for (int i = 0; i < lista_.Quantidade(); ++i) {
      r = CalculaEquacoes(caminho, 1, i);
      if (r != 3) break;
      relatorio.DefinePosicao(i);
    }
  }
  if (r != 3) return false;

  CabecalhoModelo& cab = *trabalho_;
  cab.SetI32(CabecalhoModelo::OffEspacialCalculado, 0);
  cab.SetEquacaoCorrente(0);
  cab.SetEstadoCalculo(metodo);
  cab.SetNumEquacoes(lista_.Quantidade());
  OpcoesCalculo(cab).Restaura(opcoes_);
  return GravaModelo(caminho);
}

bool CalculoRegressao::Dirigido(const QString& caminho) {
  trabalho_ = std::make_unique<CabecalhoModelo>();
  registrosLidos_ = false;
  if (!LeCabecalhoModelo(caminho, trabalho_.get(), &lido_)) return false;
  if (!VerificaDados()) return false;
  CabecalhoModelo& cab = *trabalho_;
  OpcoesCalculo op(cab);
  op.Copia(opcoes_);
  lista_.Limpa();
  if (!LeRegistros(caminho)) return false;
  MontaDados();
  if (!VerificaConsiderados()) return false;

  // Entry 0 takes the stored codes of slot 0; a code 0 is searched. A code
  // outside 0-7 (a damaged file) is fitted as "x" and stored as such, so the
  // file keeps only codes its readers know.
  int codigos[CabecalhoModelo::MaxVariaveis] = {};
  for (int p = 0; p < k_; ++p) {
    const int c = cab.Transformacao(variavelDaPosicao_[p], 0);
    codigos[p] = c >= 0 && c <= 7 ? c : 1;
  }
  lista_.DefineUnica(codigos, k_);

  ordem_ = OrdenacaoDW{};
  criterio_ = 0;
  if (op.DurbinWatson()) {
    ordem_.codigo = 1;
    // The stored ordering variable is a variable index; its position is the
    // number of enabled variables before it. An index that would land past
    // the dependent (or none at all) orders by the dependent.
    const int v = cab.I32(CabecalhoModelo::OffVariavelDurbinWatson);
    int posicao = 0;
    for (int u = 0; u < std::min(v, NumVariaveis(cab)); ++u) posicao += cab.Habilitada(u) ? 1 : 0;
    if (v < 0 || posicao >= k_) posicao = k_ - 1;
    op.SetVariavelDurbinWatson(posicao);
    ordem_.posicao = posicao;
  } else {
    ordem_.codigo = -1;
  }

  int r;
  {
    CursorEspera espera;
    r = CalculaEquacoes(caminho, 1, 0);
  }
  if (r == 0) return false;
  cab.SetEstadoCalculo(r);
  cab.SetEquacaoCorrente(0);
  cab.SetNumEquacoes(1);
  op.Restaura(opcoes_);
  cab.SetI32(CabecalhoModelo::OffEspacialCalculado, 0);
  return GravaModelo(caminho);
}

}  // namespace ostrimo
