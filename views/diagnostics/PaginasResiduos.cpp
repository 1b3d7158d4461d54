#include "PaginasResiduos.h"

#include "EstiloGrafico.h"
#include "views/charts/CTChart.h"

#include "controls/CTableCtrlEx.h"
#include "model/LinhaDado.h"
#include "model/LinhasDados.h"
#include "model/RotinasCabecalho.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QCheckBox>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

namespace {
using C = CabecalhoModelo;

const std::vector<int> kEncaminhadosResiduos = {32831, 32833, 32836, 32838, 32839, 32841, 32813, 32816, 32817, 32909,
                                                32911, 32913, 32914, 32915, 32908, 32814, 32852, 32853, 32912, 32862};
const std::vector<int> kEncaminhadosAderencia = {32831, 32836, 32838, 32839, 32841, 32813, 32816, 32817, 32909, 32911,
                                                 32913, 32914, 32915, 32908, 32814, 32853, 32912, 32840, 32833, 32862};

ConfigDiagnostico Residual(int id, const char* aba) { return ConfigResidual(id, aba); }
ConfigDiagnostico Ajustados(int id, const char* aba) {
  return {id, aba, 1081, 8, 9, kEncaminhadosAderencia, false, true, "Teste de Aderência", 0};
}

QString Rotulo(int i) { return plat::FormataC("%i", {i}); }
QString Num(double x, int picture = 2) { return FormataNumero(x, picture); }
QString Pct(double x) { return FormataNumeroPercentual(x, 2, 1); }

// Lines at -2, 0 and 2 across [x0, x1] on series 0-2; vertical range +-(m + 0.5).
void Referencias(CTChart* g, const EstiloGrafico& e, double x0, double x1, double maior) {
  const double m = std::max(2.0, maior);
  g->DefineEixo(Qt::Horizontal, x0, x1);
  g->DefineEixo(Qt::Vertical, -(m + 0.5), m + 0.5);
  const double nivel[] = {-2.0, 0.0, 2.0};
  for (int s = 0; s < 3; ++s) {
    g->AdicionaPonto(s, x0, nivel[s], QString(), e.corLinhas);
    g->AdicionaPonto(s, x1, nivel[s], QString(), e.corLinhas);
  }
}

void Limpa(CTChart* g) {
  for (int s = 0; s < g->NumSeries(); ++s) g->LimpaSerie(s);
  g->LimpaTitulo();
}

void Titulo(CTChart* g, const QString& t) {
  g->LimpaTitulo();
  g->AdicionaLinhaTitulo(t);
  g->DefineFonteTitulo(true, 8);
}

// Scatter of (x, v) with labels, red from |v| >= 2, and the reference lines.
void Dispersao(CTChart* g, const EstiloGrafico& e, const std::vector<double>& x, const std::vector<double>& v,
               const std::vector<int>& rotulos, double x0, double x1, const QString& titulo) {
  Limpa(g);
  double maior = 0.0;
  for (double a : v)
    if (std::isfinite(a)) maior = std::max(maior, std::fabs(a));
  g->DefineRepinturaAutomatica(false);
  for (std::size_t i = 0; i < x.size(); ++i)
    if (std::isfinite(x[i]) && std::isfinite(v[i]))
      g->AdicionaPonto(3, x[i], v[i], Rotulo(rotulos[i]), std::fabs(v[i]) >= 2.0 ? 255 : e.corPontos);
  if (!(x0 < x1)) x0 = 0.0, x1 = 1.0;
  Referencias(g, e, x0, x1, maior);
  Titulo(g, titulo);
  g->DefineRepinturaAutomatica(true);
}

std::pair<double, double> Faixa(const std::vector<double>& v) {
  double lo = 0.0, hi = 0.0;
  bool primeiro = true;
  for (double a : v) {
    if (!std::isfinite(a)) continue;
    if (primeiro) lo = hi = a, primeiro = false;
    lo = std::min(lo, a);
    hi = std::max(hi, a);
  }
  return {lo, hi};
}

// The horizontal range of the values [lo, hi] widened by 2 % of its span on
// each side, so the outermost points stand inside the axis whatever their
// sign; a single value gets 2 % of its size around it (1 around zero).
std::pair<double, double> FaixaComMargem(const std::vector<double>& v) {
  const auto [lo, hi] = Faixa(v);
  const double folga = hi > lo ? 0.02 * (hi - lo) : (lo == 0.0 ? 1.0 : 0.02 * std::fabs(lo));
  return {lo - folga, hi + folga};
}

// Record indices of the considered records, in record order.
std::vector<int> Considerados(CTarsolinDoc& doc) {
  std::vector<int> r;
  const dado* d = doc.GetDados();
  for (int i = 0; d && i < doc.GetCabecalho()->NumDados(); ++i)
    if (d[i].Considerado()) r.push_back(i);
  return r;
}
}  // namespace

ConfigDiagnostico ConfigResidual(int id, const char* aba) {
  return {id, aba, 1094, 4, 5, kEncaminhadosResiduos, true, true, "Análise dos Resíduos", -1};
}

// ------------------------------------------------------------ working rows

LinhasTrabalho::~LinhasTrabalho() {
  if (!linhas_.empty()) {
    for (LinhaDado* l : linhas_) delete l;
  }
}

bool LinhasTrabalho::Le(CTarsolinDoc& doc) {
  const CabecalhoModelo& cab = *doc.GetCabecalho();
  copia_ = std::make_unique<CabecalhoModelo>();
  CompactaCabecalho(copia_.get(), cab);
  count_ = 0;
  for (int i = 0; i < std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis); ++i)
    if (cab.I32(C::OffHabilitadas + 4 * std::size_t(i))) ++count_;
  N_ = std::max(0, cab.NumDados());
  linhas_.assign(std::size_t(N_), nullptr);
  if (N_ == 0) return true;
  if (!LeLinhasDados(doc.GetPathName(), &cab, linhas_.data())) {
    for (LinhaDado*& l : linhas_) delete l, l = nullptr;
    linhas_.clear();
    N_ = 0;
    return false;
  }
  return true;
}

bool LinhasTrabalho::Rele(CTarsolinDoc& doc) {
  CompactaCabecalho(copia_.get(), *doc.GetCabecalho());
  return N_ == 0 || PreencheLinhasDados(doc.GetPathName(), doc.GetCabecalho(), linhas_.data());
}

int LinhasTrabalho::Considerados() const {
  int n = 0;
  for (const LinhaDado* l : linhas_) n += l && !l->excluido ? 1 : 0;
  return n;
}

// ------------------------------------------------------------ linear residuals

CResiduosView::CResiduosView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent)
    : PaginaDiagnostico(Residual(1107, "Regressão Linear"), doc, host, parent) {}

bool CResiduosView::Prepara() {
  if (!t_.Le(*doc_)) return false;
  O_ = t_.Habilitadas() - 1;
  modo_ = 0;
  lida_ = true;
  caixa_->setChecked(true);
  caixa_->hide();
  return true;
}

void CResiduosView::Calcula() {
  // The rows are read once per recomputation: the values are transformed in place.
  if (!lida_) t_.Rele(*doc_);
  lida_ = false;
  diag::CalculaResiduos(t_.Copia(), t_.Linhas(), t_.N(), t_.Habilitadas(), O_, modo_, r_);
}

void CResiduosView::MontaTabela() {
  DefineCabecalhos({"Dado", "Preço Observado", "Valor Estimado", "Resíduo", "Resíduo Relativo", "Resíduo/DP"},
                   t_.Considerados() + 1);
}

void CResiduosView::PreencheTabela() {
  const int J = std::clamp(t_.Copia().EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  const int u = t_.Habilitadas() - 1;
  int linha = 1;
  for (int i = 0; i < t_.N() && u >= 0; ++i) {
    const LinhaDado& l = *t_.Linhas()[i];
    if (l.excluido) continue;
    const double y = l.valor[u], e = l.residuo[J];
    Celula(linha, 0, plat::FormataC("%d", {l.linha}));
    Celula(linha, 1, Num(y));
    Celula(linha, 2, Num(y - e));
    Celula(linha, 3, Num(e));
    Celula(linha, 4, Num(e / (y == 0.0 ? 1.0 : y) * 100.0));
    Celula(linha, 5, Num(r_.Z[std::size_t(std::max(0, l.linha - 1))]));
    ++linha;
  }
  tabela_->viewport()->update();
}

void CResiduosView::AtualizaGraficos() {
  const int u = t_.Habilitadas() - 1;
  if (u < 0) return;
  std::vector<double> F, Z;
  std::vector<int> rotulos;
  for (int i = 0; i < t_.N(); ++i) {
    if (t_.Linhas()[i]->excluido) continue;
    F.push_back(r_.F[std::size_t(i)]);
    Z.push_back(r_.Z[std::size_t(i)]);
    rotulos.push_back(i + 1);
  }
  const QString nome = t_.Copia().NomeVariavel(O_);  // names stay in place; only the values and codes moved
  const QString titulo = (modo_ == 1 ? QStringLiteral("Resíduos do modelo para %1")
                                     : QStringLiteral("Resíduos da variável %1")).arg(nome);
  const auto [lo, hi] = FaixaComMargem(F);
  Dispersao(graficos_[0], EstilosGraficos[4], F, Z, rotulos, lo, hi, titulo);
  const auto [xo, xh] = FaixaComMargem(r_.XO);
  Dispersao(graficos_[1], EstilosGraficos[5], r_.XO, r_.RO, rotulos, xo, xh, QStringLiteral("Residuos p/%1").arg(nome));
}

void CResiduosView::MoveSetas(int delta) {
  const int antes = O_;
  if (delta <= 0 && O_ > 0) --O_;
  if (delta > 0 && O_ < t_.Habilitadas() - 1) ++O_;
  if (O_ == antes) return;
  const bool dependente = O_ == t_.Habilitadas() - 1;
  caixa_->setVisible(!dependente);
  caixa_->setChecked(!dependente);
  modo_ = dependente ? 0 : 1;
  Atualiza();
  AjustaColunas();  // another variable's values: other widths
}

void CResiduosView::CaixaMudou(bool marcada) {
  modo_ = marcada ? 1 : 0;
  Atualiza();
  AjustaColunas();
}

// ------------------------------------------------------------ Cook's distance

CDCookView::CDCookView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent)
    : PaginaDiagnostico(Residual(1108, "Distância de Cook"), doc, host, parent) {}

bool CDCookView::Prepara() {
  if (!t_.Le(*doc_)) return false;
  lida_ = true;
  setas_->hide();
  caixa_->hide();
  return true;
}

void CDCookView::Calcula() {
  if (!lida_) t_.Rele(*doc_);
  lida_ = false;
  const bool regular = diag::CalculaDistanciaCook(t_.Copia(), t_.Linhas(), t_.N(), t_.Habilitadas(), r_);
  // Dependent regressors: the distances show as errors, said once.
  if (!regular && !singular_) plat::MessageBox(QStringLiteral("Cálculo indeterminado !"), QString(), plat::MB_ICONEXCLAMATION);
  singular_ = !regular;
}

void CDCookView::ConfiguraGraficos() {
  EstiloGraficoPadrao(graficos_[0], EstilosGraficos[4], true);
  CTChart* g = graficos_[1];
  const EstiloGrafico& e = EstilosGraficos[5];
  g->DefineRepinturaAutomatica(false);
  g->RemoveSeries();
  g->AdicionaSerie(CTChart::SerieLinhaRapida);
  g->DefineCorSerie(0, e.corLinhas);
  g->AdicionaSerie(CTChart::SeriePontos);
  g->DefinePonteiro(1, CTChart::PonteiroCirculo, 4, 4);
  g->DefineMarcasVisiveis(1, false);
  g->AplicaEstilo(e);
  g->DefineRepinturaAutomatica(true);
}

void CDCookView::MontaTabela() {
  DefineCabecalhos({"Dado", "Preço Observado", "Valor Estimado", "Resíduo", "Resíduo Relativo", "Resíduo/DP",
                    "Distância de Cook"},
                   t_.Considerados() + 1);
}

void CDCookView::PreencheTabela() {
  const CabecalhoModelo& c = t_.Copia();
  const int J = std::clamp(c.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  const int u = t_.Habilitadas() - 1;
  if (u < 0) return;
  const int P = c.Transformacao(u, J) == 1 ? c.CasasDecimais(u) : 8;
  int linha = 1, k = 0;
  for (int i = 0; i < t_.N(); ++i) {
    const LinhaDado& l = *t_.Linhas()[i];
    if (l.excluido) continue;
    const double y = r_.y[std::size_t(k)], e = l.residuo[J];
    Celula(linha, 0, plat::FormataC("%d", {l.linha}));
    Celula(linha, 1, Num(y, P));
    Celula(linha, 2, Num(y - e, P));
    Celula(linha, 3, Num(e, P));
    Celula(linha, 4, Num(e / (y == 0.0 ? 1.0 : y) * 100.0));
    Celula(linha, 5, Num(r_.Z[std::size_t(std::max(0, l.linha - 1))]));
    Celula(linha, 6, Num(r_.D[std::size_t(k)], 4));
    ++linha, ++k;
  }
  tabela_->viewport()->update();
}

void CDCookView::AtualizaGraficos() {
  const int J = std::clamp(t_.Copia().EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  std::vector<double> F, Z, D;
  std::vector<int> rotulos, numeros;
  int k = 0;
  for (int i = 0; i < t_.N(); ++i) {
    const LinhaDado& l = *t_.Linhas()[i];
    if (l.excluido) continue;
    F.push_back(r_.y[std::size_t(k)] - l.residuo[J]);
    Z.push_back(r_.Z[std::size_t(i)]);
    D.push_back(r_.D[std::size_t(k)]);
    rotulos.push_back(i + 1);
    numeros.push_back(l.linha);
    ++k;
  }
  const auto [lo, hi] = FaixaComMargem(F);
  Dispersao(graficos_[0], EstilosGraficos[4], F, Z, rotulos, lo, hi,
            QStringLiteral("Resíduo Padronizado x Valor Estimado"));
  CTChart* g = graficos_[1];
  const EstiloGrafico& e = EstilosGraficos[5];
  Limpa(g);
  const auto [dlo, dhi] = Faixa(D);
  const double N = t_.N();
  // Both axes reach 2 % of their span beyond the first and last record and
  // below the distances' floor, so the markers there are drawn whole.
  const double base = std::min(0.0, dlo), topo = 1.1 * std::max(1.0, dhi), folga = 0.02 * (N + 1);
  g->DefineRepinturaAutomatica(false);
  g->DefineEixo(Qt::Horizontal, -folga, N + 1 + folga);
  g->DefineEixo(Qt::Vertical, base - 0.02 * (topo - base), topo);
  for (std::size_t i = 0; i < D.size(); ++i)
    if (std::isfinite(D[i])) g->AdicionaPonto(1, numeros[i], D[i], Rotulo(rotulos[i]), D[i] >= 1.0 ? 255 : e.corPontos);
  g->AdicionaPonto(0, -folga, 1.0, QString(), e.corLinhas);
  g->AdicionaPonto(0, N + 1 + folga, 1.0, QString(), e.corLinhas);
  Titulo(g, QStringLiteral("Distância de Cook"));
  g->DefineRepinturaAutomatica(true);
}

// ------------------------------------------------------------ spatial residuals

namespace {
// Why the spatial fitted values are missing: no memory for the lag term's
// solve, or a singular I - rho W.
void AvisaFalhaEspacial(const diag::AjusteEspacial& r) {
  plat::MessageBox(r.semMemoria ? QStringLiteral("Memória Insuficiente.") : QStringLiteral("Cálculo indeterminado !"),
                   QString(), plat::MB_ICONEXCLAMATION);
}
}  // namespace

CResiduosViewRE::CResiduosViewRE(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent)
    : PaginaDiagnostico(Residual(1109, "Regressão Espacial"), doc, host, parent) {}

bool CResiduosViewRE::Prepara() {
  setas_->hide();
  caixa_->hide();
  return doc_->RegistrosCarregados() || doc_->CarregaRegistros();
}

void CResiduosViewRE::Calcula() {
  if (!doc_->RegistrosCarregados() && !doc_->CarregaRegistros()) return;
  registros_ = Considerados(*doc_);
  const bool ok = diag::CalculaAjusteEspacial(Cab(), doc_->GetDados(), doc_->GetW(), solucao_, r_);
  if (!ok) AvisaFalhaEspacial(r_);
  const std::size_t n = r_.y.size();
  media_ = 0.0;
  for (double y : r_.y) media_ += y;
  media_ /= std::max<std::size_t>(n, 1);
  sst_ = sse_ = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    sst_ += (r_.y[i] - media_) * (r_.y[i] - media_);
    sse_ += r_.e[i] * r_.e[i];
  }
}

void CResiduosViewRE::MontaTabela() {
  DefineCabecalhos({"Dado", "Preço Observado", "Valor Estimado", "Resíduo", "Resíduo Relativo", "Resíduo/DP",
                    "Resíduo/DP", "Variação Inicial", "Variação Residual", "Variação Explicada"},
                   int(r_.y.size()) + 1);
}

void CResiduosViewRE::PreencheTabela() {
  for (std::size_t i = 0; i < r_.y.size() && i < registros_.size(); ++i) {
    const int linha = int(i) + 1;
    const double y = r_.y[i], e = r_.e[i], d = (y - media_) * (y - media_);
    Celula(linha, 0, plat::FormataC("%d", {registros_[i] + 1}));
    Celula(linha, 1, Num(y));
    Celula(linha, 2, Num(r_.yhat[i]));
    Celula(linha, 3, Num(e));
    Celula(linha, 4, Pct(e * 100.0 / y));
    Celula(linha, 5, Num(e / r_.s));
    Celula(linha, 6, Num(r_.eT[i] / r_.sT));
    Celula(linha, 7, Pct(d * 100.0 / sst_));
    Celula(linha, 8, Pct(e * e * 100.0 / sse_));
    Celula(linha, 9, Pct((d - e * e) * 100.0 / (sst_ - sse_)));
  }
  tabela_->viewport()->update();
}

void CResiduosViewRE::AtualizaGraficos() {
  std::vector<double> z;
  std::vector<int> rotulos;
  for (std::size_t i = 0; i < r_.eT.size(); ++i) {
    z.push_back(r_.eT[i] / r_.sT);
    rotulos.push_back(i < registros_.size() ? registros_[i] + 1 : int(i) + 1);
  }
  const int u = Cab().Dependente();
  const QString titulo = QStringLiteral("Resíduos do modelo para %1").arg(Cab().NomeVariavel(u));
  const auto [lo, hi] = FaixaComMargem(r_.yhatT);
  Dispersao(graficos_[0], EstilosGraficos[4], r_.yhatT, z, rotulos, lo, hi, titulo);
  const auto [ylo, yhi] = FaixaComMargem(r_.yT);
  Dispersao(graficos_[1], EstilosGraficos[5], r_.yT, z, rotulos, ylo, yhi, titulo);
}

// ------------------------------------------------------------ adherence pages

void ConfiguraGraficoAjuste(CTChart* g) {
  const EstiloGrafico& e8 = EstilosGraficos[8];
  g->DefineRepinturaAutomatica(false);
  g->RemoveSeries();
  // 0 the points, 1 the line of equality, 2 the least-squares line over the points.
  g->AdicionaSerie(CTChart::SeriePontos);
  g->AdicionaSerie(CTChart::SerieLinhaRapida);
  g->DefinePonteiro(0, CTChart::PonteiroCirculo, 4, 4);
  g->DefineMarcasVisiveis(0, false);
  g->DefineCorSerie(g->AdicionaTendencia(0), e8.corLinhas);
  g->DefineCorSerie(1, 0);
  g->AplicaEstilo(e8);
  g->DefineLegenda(false);
  g->DefineRepinturaAutomatica(true);
}

void PaginaAderencia::ConfiguraGraficos() {
  ConfiguraGraficoAjuste(graficos_[0]);
  const EstiloGrafico& e9 = EstilosGraficos[9];
  CTChart* h = graficos_[1];
  h->DefineRepinturaAutomatica(false);
  h->RemoveSeries();
  h->AdicionaSerie(CTChart::SerieHistograma);  // the histogram
  h->AdicionaSerie(CTChart::SerieLinhaRapida);
  h->DefineCorSerie(0, 0x00FF00);
  h->DefineCorSerie(1, 0xFF0000);
  h->DefineTituloSerie(0, QStringLiteral("Freqüência relativa"));
  h->DefineTituloSerie(1, QStringLiteral("Curva normal"));
  h->AplicaEstilo(e9);
  h->DefineRepinturaAutomatica(true);
}

void PaginaAderencia::IniciaClasses(int n) {
  c_ = diag::NumeroClasses(n);
  cmax_ = c_;
  if (c_ <= 3) {
    setas_->hide();
    cmax_ = -1;
  } else {
    setas_->show();
  }
  caixa_->hide();
}

void PaginaAderencia::MoveSetas(int delta) {
  if (cmax_ == -1) return;
  const int antes = c_;
  if (delta <= 0 && c_ >= 4) --c_;
  if (delta > 0 && c_ < cmax_) ++c_;
  if (c_ != antes) {
    AtualizaGraficos();
    DefineRotulos();
  }
}

void PaginaAderencia::GraficosAderencia(const std::vector<double>& obs, const std::vector<double>& calc,
                                        const std::vector<int>& rotulos, const std::vector<double>& z, int n) {
  const EstiloGrafico& e8 = EstilosGraficos[8];
  CTChart* g = graficos_[0];
  g->DefineRepinturaAutomatica(false);
  g->LimpaSerie(0);
  g->LimpaSerie(1);
  for (std::size_t i = 0; i < obs.size(); ++i)
    if (std::isfinite(obs[i]) && std::isfinite(calc[i])) g->AdicionaPonto(0, obs[i], calc[i], Rotulo(rotulos[i]), e8.corPontos);
  std::vector<double> todos = obs;
  todos.insert(todos.end(), calc.begin(), calc.end());
  const auto [lo, hi] = Faixa(todos);
  g->AdicionaPonto(1, lo, lo, QString(), 0);
  g->AdicionaPonto(1, hi, hi, QString(), 0);
  g->DefineTituloEixo(Qt::Vertical, QStringLiteral("Valor Estimado"));
  g->DefineTituloEixo(Qt::Horizontal, QStringLiteral("Preço Observado"));
  g->LimpaTitulo();
  g->EixoAutomatico(Qt::Horizontal);
  g->EixoAutomatico(Qt::Vertical);
  g->DefineRepinturaAutomatica(true);

  CTChart* h = graficos_[1];
  h->DefineRepinturaAutomatica(false);
  h->LimpaSerie(0);
  h->LimpaSerie(1);
  h->DefineEixo(Qt::Horizontal, -3.5, 3.5);
  double topo = 0.0;
  for (const auto& [x, y] : diag::CurvaNormal()) {
    h->AdicionaPonto(1, x, y, QString(), 0xFF0000);
    topo = std::max(topo, y);
  }
  // One bar per class, on the class's centre; the classes touch.
  const diag::Histograma hist = diag::CalculaHistograma(z, c_, n);
  for (std::size_t k = 0; k < hist.centro.size(); ++k) {
    h->AdicionaPonto(0, hist.centro[k], hist.frequencia[k], QString(), 0x00FF00);
    if (std::isfinite(hist.frequencia[k])) topo = std::max(topo, hist.frequencia[k]);
  }
  h->DefineEixo(Qt::Vertical, 0.0, topo * 1.05);
  Titulo(h, QStringLiteral("Distribuição Freqüências"));
  h->DefineRepinturaAutomatica(true);
}

void PaginaAderencia::Dispoe() {
  if (!tabela_) return;
  const int w = width(), h = height();
  tabela_->setGeometry(0, 0, w / 2 - 1, h - 2);
  graficos_[0]->setGeometry(w / 2, 0, w - w / 2, h / 2 - 2);
  graficos_[1]->setGeometry(w / 2, h / 2, w - w / 2, h - 2 - h / 2);
  setas_->move(w - 2 - setas_->width(), h / 2 + 2);
  setas_->raise();
}

CValoresAjustados::CValoresAjustados(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent)
    : PaginaAderencia(Ajustados(1107, "Regressão Linear"), doc, host, parent) {}

bool CValoresAjustados::Prepara() {
  if (!t_.Le(*doc_)) return false;
  IniciaClasses(Cab().NumConsiderados());
  return true;
}

void CValoresAjustados::Calcula() {
  // The rows are kept as read; a copy of the dependent is transformed.
  const int J = std::clamp(Cab().EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  CompactaCabecalho(&t_.Copia(), Cab());
  diag::CalculaAderencia(t_.Copia(), t_.Linhas(), t_.N(), t_.Habilitadas(), Cab().F64(C::OffErroPadrao + 8 * std::size_t(J)), r_);
}

void CValoresAjustados::MontaTabela() {
  DefineCabecalhos({"", "Valor Observado", "Valor Calculado", "Resíduo Absoluto", "Resíduo/DP"}, t_.Considerados() + 1);
}

void CValoresAjustados::PreencheTabela() {
  int linha = 1;
  for (int i = 0; i < t_.N(); ++i) {
    const LinhaDado& l = *t_.Linhas()[i];
    if (l.excluido) continue;
    const double y = r_.y[std::size_t(i)], a = r_.A[std::size_t(i)];
    Celula(linha, 0, plat::FormataC("%d", {l.linha}));
    Celula(linha, 1, Num(y, 4));
    Celula(linha, 2, Num(y - a, 4));
    Celula(linha, 3, Num(a, 4));
    Celula(linha, 4, std::isfinite(r_.B[std::size_t(i)]) ? plat::FormataC("%5.2f", {r_.B[std::size_t(i)]}) : QStringLiteral("Erro"));
    ++linha;
  }
  tabela_->viewport()->update();
}

void CValoresAjustados::AtualizaGraficos() {
  std::vector<double> obs, calc, z;
  std::vector<int> rotulos;
  for (int i = 0; i < t_.N(); ++i) {
    if (t_.Linhas()[i]->excluido) continue;
    obs.push_back(r_.y[std::size_t(i)]);
    calc.push_back(r_.y[std::size_t(i)] - r_.A[std::size_t(i)]);
    z.push_back(r_.B[std::size_t(i)]);
    rotulos.push_back(i + 1);
  }
  GraficosAderencia(obs, calc, rotulos, z, Cab().NumConsiderados());
}

CValoresAjustadosRE::CValoresAjustadosRE(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent)
    : PaginaAderencia(Ajustados(1108, "Regressão Espacial"), doc, host, parent) {}

bool CValoresAjustadosRE::Prepara() {
  if (!doc_->RegistrosCarregados() && !doc_->CarregaRegistros()) return false;
  IniciaClasses(Cab().NumConsiderados());
  return true;
}

void CValoresAjustadosRE::Calcula() {
  if (!doc_->RegistrosCarregados() && !doc_->CarregaRegistros()) return;
  registros_ = Considerados(*doc_);
  if (!diag::CalculaAjusteEspacial(Cab(), doc_->GetDados(), doc_->GetW(), solucao_, r_)) AvisaFalhaEspacial(r_);
}

void CValoresAjustadosRE::MontaTabela() {
  DefineCabecalhos({"", "Preço Observado", "Valor Calculado", "Resíduo Absoluto", "Resíduo Relativo", "Resíduo/DP"},
                   int(r_.y.size()) + 1);
}

void CValoresAjustadosRE::PreencheTabela() {
  for (std::size_t i = 0; i < r_.y.size() && i < registros_.size(); ++i) {
    const int linha = int(i) + 1;
    Celula(linha, 0, plat::FormataC("%d", {registros_[i] + 1}));
    Celula(linha, 1, Num(r_.y[i]));
    Celula(linha, 2, Num(r_.yhat[i]));
    Celula(linha, 3, Num(r_.e[i]));
    Celula(linha, 4, Pct(100.0 * r_.e[i] / r_.y[i]));
    Celula(linha, 5, Num(r_.eT[i] / r_.sT));
  }
  tabela_->viewport()->update();
}

void CValoresAjustadosRE::AtualizaGraficos() {
  std::vector<double> z;
  std::vector<int> rotulos;
  for (std::size_t i = 0; i < r_.eT.size(); ++i) {
    z.push_back(r_.eT[i] / r_.sT);
    rotulos.push_back(i < registros_.size() ? registros_[i] + 1 : int(i) + 1);
  }
  GraficosAderencia(r_.y, r_.yhat, rotulos, z, Cab().NumConsiderados());
}

// ------------------------------------------------------------ windows

JanelaDiagnostico* CriaJanelaResiduos(CTarsolinDoc* doc) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* janela = new JanelaDiagnostico(doc, QStringLiteral("CResiduosViewTab"), QStringLiteral(" - Resíduos"));
  janela->AdicionaPagina(new CResiduosView(doc, janela, janela->Abas()));
  janela->AdicionaPagina(new CDCookView(doc, janela, janela->Abas()));
  if (doc->GetCabecalho()->I32(C::OffEspacialCalculado) != 0)
    janela->AdicionaPagina(new CResiduosViewRE(doc, janela, janela->Abas()));
  janela->Inicia();
  return janela;
}

JanelaDiagnostico* CriaJanelaAderencia(CTarsolinDoc* doc) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* janela = new JanelaDiagnostico(doc, QStringLiteral("CValoresAjustadosTab"), QStringLiteral(" - Aderência"));
  janela->AdicionaPagina(new CValoresAjustados(doc, janela, janela->Abas()));
  if (doc->GetCabecalho()->I32(C::OffEspacialCalculado) != 0)
    janela->AdicionaPagina(new CValoresAjustadosRE(doc, janela, janela->Abas()));
  janela->Inicia();
  return janela;
}
