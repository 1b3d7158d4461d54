#include "CalculoEspacial.h"

#include "AlgebraDensa.h"
#include "AlgebraEsparsa.h"
#include "EstatisticasEspaciais.h"
#include "GradeLogDeterminante.h"
#include "ModeloSar.h"
#include "ModeloSem.h"
#include "Paralelo.h"
#include "Progresso.h"
#include "TestesResiduos.h"
#include "model/CabecalhoModelo.h"
#include "model/Colinearidade.h"
#include "model/TabelasEstatisticas.h"
#include "model/Transformacoes.h"
#include "platform/Mensagem.h"

#include <QCursor>
#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <vector>

namespace quenvik {

namespace {

constexpr std::size_t OffConsiderados = 65580;
constexpr std::size_t OffMonteCarlo = CabecalhoModelo::OffIteracoesMonteCarlo;

// Texts leave the library as heap copies: it is unloaded right after the
// call, and a literal's data would go with it.
constexpr const char* MatrizNula = "Matriz nula! ";
constexpr const char* Incompativeis = "Matrizes incompativeis! ";
constexpr const char* Indeterminado = "Cálculo indeterminado !";
constexpr const char* LimitesInvalidos = "O mínimo de rho deve ser menor que o máximo !";

bool Recusa(const QString& texto) {
  plat::MessageBox(texto, QString(), plat::MB_OK);
  return false;
}
bool Recusa(const char* texto) { return Recusa(QString::fromUtf8(texto)); }

// The header's variable count, clamped to the table's 60 slots.
int Variaveis(const CabecalhoModelo& cab) {
  return std::clamp(cab.I32(CabecalhoModelo::OffNumVariaveis), 0, CabecalhoModelo::MaxVariaveis);
}

// Enabled regressors among slots 0 … V − 2: they must be X's columns.
int RegressoresHabilitados(const CabecalhoModelo& cab) {
  int k = 0;
  for (int v = 0; v <= Variaveis(cab) - 2; ++v)
    if (cab.I32(CabecalhoModelo::OffHabilitadas + 4 * std::size_t(v)) != 0) ++k;
  return k;
}

int VariaveisHabilitadas(const CabecalhoModelo& cab) {
  int k = 0;
  for (int v = 0; v < Variaveis(cab); ++v)
    if (cab.I32(CabecalhoModelo::OffHabilitadas + 4 * std::size_t(v)) != 0) ++k;
  return k;
}

// Checks shared by the four exports, in the program's order, then the limits
// of this build: a problem small enough for the dense calculation, and W n × n.
bool Verifica(const NEWMAT::ColumnVector* y, const NEWMAT::Matrix* X, const NEWMAT::Matrix* W,
              const CabecalhoModelo* cab, bool denso) {
  if (!y || !X || !W || !cab) return false;
  if (y->Ncols() < 1) return Recusa(MatrizNula);
  if (X->Nrows() < 1) return Recusa(MatrizNula);
  if (W->Nrows() < 1) return Recusa(MatrizNula);
  if (X->Nrows() != y->Nrows()) return Recusa(Incompativeis);
  if (denso && y->Nrows() > MaximoRegistrosEspaciais)
    return Recusa(QString::fromUtf8("Número de dados excessivo para o cálculo espacial ! (máximo %1)")
                      .arg(MaximoRegistrosEspaciais));
  if (W->Nrows() != y->Nrows() || W->Ncols() != y->Nrows()) return Recusa(Incompativeis);
  return true;
}

void Normaliza(NEWMAT::Matrix& W, const CabecalhoModelo& cab, const Progresso* progresso) {
  if (cab.U8(CabecalhoModelo::OffNormalizaW) == 0) return;
  // The normalisation line is the only one that also begins with a break,
  // whether or not it is the first of the call.
  if (progresso) progresso->Registra("\nNormalizando matriz pesos...");
  ParaLinhas(W.Nrows(), 2.0 * W.Ncols(), [&](int i0, int i1) { PadronizaLinhasNoLugar(W, i0, i1); });
}

// A value without a transformation reaches here as minus infinity; no fit
// can be made from it, and NaN results must not be written as a success.
// Read by rows on the calculation's threads: W is 800 MB at 10,000 records
// (a vector stays on this thread).
void ExigeFinitos(const NEWMAT::Matrix& M) {
  const int m = M.Ncols();
  const double* p = M.Store();
  std::atomic<bool> finitos{true};
  ParaLinhas(M.Nrows(), 0.5 * m, [&](int i0, int i1) {
    const double* q = p + std::size_t(i0) * m;
    const double* fim = p + std::size_t(i1) * m;
    bool ok = true;
    for (; q < fim; ++q) ok &= std::isfinite(*q);
    if (!ok) finitos = false;
  });
  if (!finitos) throw std::domain_error("valor não finito");
}

// A degenerate problem (a constant y, a zero W left unnormalised, as many
// records as columns) divides by zero somewhere; such results are refused
// like a singular matrix rather than written as a success.
void ExigeFinito(double v) {
  if (!std::isfinite(v)) throw std::domain_error("resultado não finito");
}
void ExigeResultadoFinito(const ResultadoEspacial& r) {
  ExigeFinitos(r.beta);
  ExigeFinitos(r.t);
  ExigeFinitos(r.residuos);
  for (double v : {r.parametro, r.sigma2, r.logVerossimilhanca, r.r2, r.r2Ajustado, r.F}) ExigeFinito(v);
}

// The bounds of the spatial parameter as the fit uses them: clipped to the
// log-determinant grid, which has no estimate past its edges (a bound of 2
// would fit λ = 1.04 against the grid's last row). False when nothing is left
// between them: reversed or not numbers. Equal bounds pin the parameter.
bool LimitesNaGrade(double& inferior, double& superior) {
  if (!std::isfinite(inferior) || !std::isfinite(superior)) return false;
  inferior = std::max(inferior, -CabecalhoModelo::LimiteRho);
  superior = std::min(superior, CabecalhoModelo::LimiteRho);
  return inferior <= superior;
}

// X with its intercept in front: the regressors, centred, must be independent
// by the rule the regression library applies (a variable that is the sum of
// two others, or a constant one, makes X'X singular up to rounding).
void ExigeRegressoresIndependentes(const NEWMAT::Matrix& X) {
  const int n = X.Nrows(), k = X.Ncols() - 1;
  if (k < 1) return;
  std::vector<long double> media(static_cast<std::size_t>(k), 0.0L);
  for (int j = 0; j < k; ++j) {
    for (int i = 1; i <= n; ++i) media[std::size_t(j)] += X(i, j + 2);
    media[std::size_t(j)] /= n;
  }
  std::vector<long double> s(std::size_t(k) * std::size_t(k), 0.0L);
  for (int a = 0; a < k; ++a)
    for (int b = 0; b <= a; ++b) {
      long double soma = 0.0L;
      for (int i = 1; i <= n; ++i)
        soma += (X(i, a + 2) - media[std::size_t(a)]) * (X(i, b + 2) - media[std::size_t(b)]);
      s[std::size_t(a) * std::size_t(k) + std::size_t(b)] = s[std::size_t(b) * std::size_t(k) + std::size_t(a)] = soma;
    }
  if (!ColunasIndependentes(std::move(s), k)) throw std::domain_error("regressores dependentes");
}

void PoeIntercepto(NEWMAT::Matrix& X) {
  const int n = X.Nrows();
  NEWMAT::ColumnVector uns(n);
  uns = 1.0;
  if (X.Ncols() > 0) X = uns | X;
  else X = uns;
}

class CursorEspera {
public:
  CursorEspera() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      ativo_ = true;
    }
  }
  ~CursorEspera() {
    if (ativo_) QGuiApplication::restoreOverrideCursor();
  }

private:
  bool ativo_ = false;
};

// Runs a calculation, turning any matrix or standard exception into the
// program's message and a false result.
template <typename F>
bool Protegido(F&& calculo) {
  try {
    return calculo();
  } catch (const RBD_COMMON::BaseException&) {
  } catch (const std::exception&) {
  }
  return Recusa(Indeterminado);
}

bool AjustaModelo(bool defasagem, NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W,
                  CabecalhoModelo* cab, const ProgressoCalculo* registro, const OpcoesCalculo& opcoes) {
  if (!Verifica(y, X, W, cab, true)) return false;
  DefineThreadsCalculo(y->Nrows());
  const Progresso progresso(registro);
  Normaliza(*W, *cab, &progresso);
  PoeIntercepto(*X);
  // The result slots follow the enabled variables: they must be X's columns
  // (a second call on the same X, which now has two intercepts, is refused).
  if (Variaveis(*cab) < 1 || RegressoresHabilitados(*cab) != X->Ncols() - 1) return Recusa(Incompativeis);
  OpcoesAjuste aj;
  aj.inferior = cab->F64(CabecalhoModelo::OffRhoMinimo);
  aj.superior = cab->F64(CabecalhoModelo::OffRhoMaximo);
  if (!LimitesNaGrade(aj.inferior, aj.superior)) return Recusa(LimitesInvalidos);
  return Protegido([&] {
    ExigeFinitos(*y);
    ExigeFinitos(*X);
    ExigeFinitos(*W);
    ExigeRegressoresIndependentes(*X);
    aj.maxIteracoes = cab->I32(CabecalhoModelo::OffMaxIteracoes);
    // The error model's first pass starts from this λ: never from outside
    // the interval the fit is confined to.
    aj.parametroInicial = std::clamp(cab->F64(CabecalhoModelo::OffRho), aj.inferior, aj.superior);
    aj.criterio = cab->F64(CabecalhoModelo::OffTolerancia);
    aj.considerados = cab->I32(OffConsiderados);
    const int iteracoes = cab->I32(OffMonteCarlo);

    // W's compressed form, when it has few non-zeros, beside the dense one.
    const std::unique_ptr<PesosEsparsos> esparsa =
        opcoes.esparsa ? (*opcoes.esparsa ? FormaEsparsa(*W) : nullptr) : DetectaEsparsa(*W);

    progresso.Registra("Cálculo da função de log-verossimilhança...");
    std::unique_ptr<ProvedorLogDeterminante> G;
    if (opcoes.provedor) G = opcoes.provedor(*W);
    const NEWMAT::Matrix grade =
        EstimaLogDeterminante(*W, OrdemSerie, iteracoes, progresso, opcoes.sorteio, esparsa.get());
    if (!G) G = std::make_unique<GradeLogDeterminante>(grade);

    const ResultadoEspacial res = defasagem ? AjustaSar(*y, *X, *W, *G, aj, progresso, esparsa.get())
                                            : AjustaSem(*y, *X, *W, *G, aj, progresso, esparsa.get());
    ExigeResultadoFinito(res);
    const double confiancaF = ConfiancaSnedecor(res.F, VariaveisHabilitadas(*cab), aj.considerados);
    GravaResultadoEspacial(*cab, res, Variaveis(*cab), aj.inferior, aj.superior, confiancaF);
    return true;
  });
}

}  // namespace

bool Walds(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab) {
  if (!Verifica(y, X, W, cab, false)) return false;
  Normaliza(*W, *cab, nullptr);
  return true;
}

bool LmErroMoranI(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab) {
  if (!Verifica(y, X, W, cab, true)) return false;
  DefineThreadsCalculo(y->Nrows());
  Normaliza(*W, *cab, nullptr);
  CursorEspera cursor;
  PoeIntercepto(*X);
  return Protegido([&] {
    ExigeFinitos(*y);
    ExigeFinitos(*X);
    ExigeFinitos(*W);
    ExigeRegressoresIndependentes(*X);
    const ResultadoTestes t = CalculaTestesResiduos(*y, *X, *W);
    for (double v : {t.lmErro, t.probLmErro, t.lmDefasagem, t.probLmDefasagem, t.moranI, t.confiancaI, t.zI,
                     t.esperancaI, t.varianciaI})
      ExigeFinito(v);
    cab->SetF64(410328, t.lmErro);
    cab->SetF64(410336, t.probLmErro);
    cab->SetF64(410400, t.lmDefasagem);
    cab->SetF64(410408, t.probLmDefasagem);
    cab->SetF64(410344, t.moranI);
    cab->SetF64(410352, t.confiancaI);
    cab->SetF64(410360, t.zI);
    cab->SetF64(410368, t.esperancaI);
    cab->SetF64(410376, t.varianciaI);
    return true;
  });
}

bool Sar(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab,
         const ProgressoCalculo* progresso, const OpcoesCalculo& opcoes) {
  return AjustaModelo(true, y, X, W, cab, progresso, opcoes);
}

bool Sem(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab,
         const ProgressoCalculo* progresso, const OpcoesCalculo& opcoes) {
  return AjustaModelo(false, y, X, W, cab, progresso, opcoes);
}

}  // namespace quenvik
