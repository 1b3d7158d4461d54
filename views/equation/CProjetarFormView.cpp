#include "CProjetar.h"

#include "ImpressaoJanela.h"

#include "controls/CTableCtrlEx.h"
#include "controls/ImpressaoPagina.h"
#include "controls/PropertyGrid.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {
using C = CabecalhoModelo;
constexpr int TxtCabecalhoForm = 3016, TxtValorInvalido = 3114;
const char* const kEndereco[] = {"Logradouro", "Complemento", "Bairro", "Município", "UF"};
constexpr int kLimitesEndereco[] = {50, 50, 30, 50, 2};

QFont Tahoma(double pontos, bool negrito = false, bool sublinhado = false) {
  QFont f(QStringLiteral("Tahoma"));
  f.setPointSizeF(pontos);
  f.setBold(negrito);
  f.setUnderline(sublinhado);
  return f;
}
}  // namespace

CProjetarFormView::CProjetarFormView(CProjetarFrame* frame) : PaginaProjecao(frame, 0) {
  setObjectName(QStringLiteral("1107"));
  legenda_ = new QLabel(this);
  legenda_->setObjectName(QStringLiteral("1024"));
  legenda_->setStyleSheet(QStringLiteral("QLabel { background: #4a6a9a; color: white; font-weight: bold; padding: 4px; }"));
  grade_ = new PropertyGrid(this);
  grade_->setObjectName(QStringLiteral("1093"));
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 1);
  l->setSpacing(0);
  l->addWidget(legenda_);
  l->addWidget(grade_);
  connect(grade_, &PropertyGrid::valueChanged, this, &CProjetarFormView::Mudou);
}

QString CProjetarFormView::Legenda() const { return legenda_->text(); }

int CProjetarFormView::Linha() const {
  const CTarsolinDoc* doc = Documento();
  if (!doc || !doc->GetCabecalho()) return 1;
  return doc->GetCabecalho()->NumDadosP() < linhaAtual_ + 1 ? 1 : linhaAtual_ + 1;
}

void CProjetarFormView::AtualizaLegenda(int linha) {
  const int linhas = frame_->Dados()->Linhas();
  // No row to show: none is counted as shown.
  legenda_->setText(QStringLiteral("%1 - %2/%3").arg(plat::Texto(TxtCabecalhoForm)).arg(linhas < 1 ? 0 : linha).arg(linhas));
}

void CProjetarFormView::AtualizaLegenda() { AtualizaLegenda(Linha()); }

void CProjetarFormView::OnInitialUpdate() {
  CTarsolinDoc* doc = Documento();
  const CabecalhoModelo& cab = *doc->GetCabecalho();
  const int nv = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  linhaAtual_ = cab.I32(C::OffLinhaProjecao);
  // A stored row the grid does not hold opens on the first, as it shows.
  if (linhaAtual_ < 0 || linhaAtual_ > 1000 || linhaAtual_ >= frame_->Dados()->Linhas()) linhaAtual_ = 0;
  CTableCtrlEx* g = frame_->Dados()->Grade();
  const int r = Linha();
  grade_->ResetContent();
  variaveis_.assign(std::size_t(nv), nullptr);
  catVariaveis_ = grade_->AddCategory(QStringLiteral("Variáveis"));
  for (int v = 0; v < nv - 1; ++v) {
    if (!cab.Habilitada(v)) continue;
    variaveis_[std::size_t(v)] = catVariaveis_->AddChildItem(new PropertyGridItem(cab.NomeVariavel(v), g->GetCellText(r, v + 7)));
  }
  catVariaveis_->Expand();
  coordX_ = cab.I32(C::OffVariavelX);
  coordY_ = cab.I32(C::OffVariavelY);
  x_ = y_ = nullptr;
  if (coordX_ >= 0 && coordX_ < nv) {
    PropertyGridItem* cat = grade_->AddCategory(QStringLiteral("Coordernadas"));
    x_ = cat->AddChildItem(new PropertyGridItem(QStringLiteral("x")));
    y_ = cat->AddChildItem(new PropertyGridItem(QStringLiteral("y")));
    const bool lag = cab.EspacialCalculado() && cab.I32(C::OffTipoEspacial) != 0;
    if (lag && coordY_ >= 0 && coordY_ < nv) {
      x_->SetValue(g->GetCellText(r, coordX_ + 7));
      y_->SetValue(g->GetCellText(r, coordY_ + 7));
      cat->Expand();
    } else {
      x_->SetReadOnly(true);
      y_->SetReadOnly(true);
    }
  }
  catEndereco_ = grade_->AddCategory(QStringLiteral("Endereço"));
  for (int c = 0; c < 5; ++c)
    endereco_[c] = catEndereco_->AddChildItem(new PropertyGridItem(QString::fromUtf8(kEndereco[c]), g->GetCellText(r, c + 2)));
  catEndereco_->Expand();
  AtualizaLegenda(r);
  grade_->setFocus();

  CargaRegistros carga(*doc);
  const PreparoProjecao preparo =
      carga.Ok() ? calc_.PreparaEstatisticasProjecao(cab, doc->GetDados()) : PreparoProjecao::Indeterminado;
  if (preparo == PreparoProjecao::Singular)
    plat::MessageBox(QStringLiteral("Cálculo indeterminado !"), QString(), plat::MB_ICONEXCLAMATION);
  else if (preparo != PreparoProjecao::Pronto)
    plat::MessageBox(QStringLiteral("Cálculo indeterminado !"), QString(), plat::MB_ICONEXCLAMATION);
  if (calc_.Lag() && calc_.SemCoordenadas())
    plat::MessageBox(QStringLiteral("Sem variáveis de coordenadas: a estimativa espacial (RE) não pode ser "
                                    "calculada !"),
                     QString(), plat::MB_ICONEXCLAMATION);
  for (int v = 0; v < nv; ++v)
    if (PropertyGridItem* it = variaveis_[std::size_t(v)]) {
      it->setToolTip(0, calc_.DescreveFaixaVariavel(calc_.PosicaoRegressor(v)));
      it->setToolTip(1, it->toolTip(0));
    }
  CFrameIntervalo* intervalo = frame_->Intervalo();
  if (!calc_.Espacial()) intervalo->RecolheRE();
  calc_.DefineNivelConfianca(intervalo->Nivel());
  if (calc_.K() > 0 && calc_.Cabecalho()->Transformacao(calc_.Mapa(calc_.K() - 1), calc_.Equacao()) != 3)
    intervalo->TendenciaSomenteLeitura();
  calc_.RedimensionaEstimativas(frame_->Dados()->Linhas());
  for (PropertyGridItem* it : variaveis_)
    if (it) {
      it->Select();
      break;
    }
  frame_->Posta(CmdProjetarValores);
}

NEWMAT::Matrix CProjetarFormView::Valores() const {
  CTableCtrlEx* g = frame_->Dados()->Grade();
  const int P = frame_->Dados()->Linhas();
  const int nv = std::clamp(Documento()->GetCabecalho()->NumVariaveis(), 0, C::MaxVariaveis);
  NEWMAT::Matrix m(std::max(P, 0), std::max(nv, 1));
  m = 0.0;
  for (int i = 1; i <= P; ++i)
    for (int v = 0; v < nv - 1; ++v) {
      double x = 0.0;
      ConverteStringNumero(g->GetCellText(i, v + 7), &x);
      m(i, v + 1) = x;
    }
  if (P == 0) m.ReSize(0, std::max(nv, 1));
  return m;
}

void CProjetarFormView::AplicaResultado(const ResultadoProjecao& r) {
  frame_->Intervalo()->Mostra(r.itens);
  CTableCtrlEx* g = frame_->Dados()->Grade();
  const int nv = std::clamp(Documento()->GetCabecalho()->NumVariaveis(), 0, C::MaxVariaveis);
  for (std::size_t i = 0; i < r.colunaRL.size() && int(i) < frame_->Dados()->Linhas(); ++i)
    g->SetCellText(int(i) + 1, nv + 6, r.colunaRL[i]);
  for (std::size_t i = 0; i < r.colunaRE.size() && int(i) < frame_->Dados()->Linhas(); ++i)
    g->SetCellText(int(i) + 1, nv + 7, r.colunaRE[i]);
  g->viewport()->update();
}

void CProjetarFormView::ProjetaValores() {
  if (frame_->Dados()->Editada()) frame_->Dados()->GravaGrade();
  if (frame_->Dados()->Linhas() < 1) {
    LimpaIntervalo(true, true);
    return;
  }
  ResultadoProjecao r;
  const int linhaAtual = linhaAtual_ + 1;
  calc_.ProjetaValores(Valores(), frame_->Intervalo()->Nivel(), frame_->Intervalo()->Tendencia(), linhaAtual,
                       Documento()->GetCabecalho()->NumDadosP(), r);
  if (calc_.LinearCalculado() && calc_.IntervaloValido() && calc_.T() == 0.0)
    plat::MessageBox(QStringLiteral("Tabela de Student (stdt.dat) não encontrada: os intervalos de confiança "
                                    "não podem ser calculados !"),
                     QString(), plat::MB_ICONEXCLAMATION);
  AplicaResultado(r);
}

void CProjetarFormView::LimpaIntervalo(bool espacial, bool linear) {
  TextosIntervalo t;
  CFrameIntervalo* f = frame_->Intervalo();
  for (int i = 0; i < NumItensIntervalo; ++i) {
    t.valor[i] = f->Valor(i);
    t.legenda[i] = f->Item(i)->GetCaption();
  }
  CalculoProjecao::LimpaIntervalo(t, espacial, linear);
  f->Mostra(t);
}

void CProjetarFormView::MostraRegistro(bool recarrega) {
  const int r = Linha();
  AtualizaLegenda(r);
  CTableCtrlEx* g = frame_->Dados()->Grade();
  if (frame_->Dados()->Linhas() < 1) {
    LimpaIntervalo(true, true);
    return;
  }
  for (int c = 0; c < 5; ++c) endereco_[c]->SetValue(g->GetCellText(r, c + 2));
  const int nv = std::clamp(Documento()->GetCabecalho()->NumVariaveis(), 0, C::MaxVariaveis);
  if (x_ && y_) {
    const bool ok = coordX_ >= 0 && coordX_ < nv && coordY_ >= 0 && coordY_ < nv && !x_->GetReadOnly();
    x_->SetValue(ok ? g->GetCellText(r, coordX_ + 7) : QString());
    y_->SetValue(ok ? g->GetCellText(r, coordY_ + 7) : QString());
  }
  if (recarrega || !calc_.Projetado()) {
    for (int v = 0; v < nv; ++v)
      if (PropertyGridItem* it = variaveis_[std::size_t(v)]) it->SetValue(g->GetCellText(r, v + 7));
    ProjetaValores();
    return;
  }
  ResultadoProjecao res;
  const NEWMAT::Matrix m = Valores();
  calc_.CalculaProjecao(r, frame_->Intervalo()->Tendencia(), m.Row(r), res);
  if (calc_.Projetado()) calc_.CalculaCurvaArea(m.Row(r));
  AplicaResultado(res);
}

void CProjetarFormView::NavegaRegistro(int delta) {
  const int P = frame_->Dados()->Linhas();
  if (!Documento() || linhaAtual_ < 0 || P < 1) return;
  const int nova = linhaAtual_ + delta;
  if (nova < 0 || nova >= P) return;
  linhaAtual_ = nova;
  MostraRegistro(true);
}

double CProjetarFormView::EstimativaRL() const {
  double E = 0.0;
  ConverteStringNumero(frame_->Intervalo()->Valor(calc_.ValorUnitario() ? UnitarioRLMedio : TotalRLMedio), &E);
  return E;
}

void CProjetarFormView::ValidaValorArbitrado() {
  CFrameIntervalo* f = frame_->Intervalo();
  double v = 0.0;
  ConverteStringNumero(f->Valor(Adotado), &v);
  const double E = EstimativaRL();
  const std::optional<Arbitragem> a = ArbitraValor(v, E);
  if (!a) return;
  if (!a->aceito) {
    plat::MessageBox(TxtValorInvalido, plat::MB_ICONEXCLAMATION);
    // The estimate back in "Adotado", and with it no deviation.
    f->DefineValor(Adotado, f->Valor(calc_.ValorUnitario() ? UnitarioRLMedio : TotalRLMedio));
    f->DefineDesvio(0);
    f->SelecionaAdotado();
    return;
  }
  // The deviation shows in "Desvio" only: the grid's last column keeps the
  // row's spatial estimate.
  f->DefineValor(Adotado, a->adotado);
  f->DefineDesvio(a->desvio);
}

void CProjetarFormView::AplicaDesvio() {
  if (const std::optional<QString> t = ValorDoDesvio(EstimativaRL(), frame_->Intervalo()->Desvio()))
    frame_->Intervalo()->DefineValor(Adotado, *t);
}

void CProjetarFormView::Mudou(PropertyGridItem* item) {
  CTarsolinDoc* doc = Documento();
  if (!doc) return;
  const CabecalhoModelo& cab = *doc->GetCabecalho();
  CTableCtrlEx* g = frame_->Dados()->Grade();
  const int r = Linha();
  for (std::size_t v = 0; v < variaveis_.size(); ++v) {
    if (variaveis_[v] != item) continue;
    LimpaIntervalo(true, true);
    calc_.LimpaProjetado();
    double x = 0.0;
    ConverteStringNumero(item->GetValue(), &x);
    const QString texto = FormataNumero(x, cab.CasasDecimais(int(v)));
    if (calc_.Extrapola(calc_.PosicaoRegressor(int(v)), x) &&
        plat::MessageBox(QStringLiteral("Deseja Extrapolar ?"), QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) !=
            plat::IDYES) {
      item->SetValue(g->GetCellText(r, int(v) + 7));
      item->Select();
      return;
    }
    item->SetValue(texto);
    g->SetCellText(r, int(v) + 7, texto);
    frame_->Dados()->MarcaEditada();
    for (std::size_t w = v + 1; w < variaveis_.size(); ++w)
      if (variaveis_[w]) {
        variaveis_[w]->Select();
        break;
      }
    return;
  }
  if (item == x_ || item == y_) {
    LimpaIntervalo(true, false);
    calc_.LimpaProjetado();
    double x = 0.0;
    ConverteStringNumero(item->GetValue(), &x);
    const QString texto = FormataNumero(x, 2);
    item->SetValue(texto);
    g->SetCellText(r, (item == x_ ? coordX_ : coordY_) + 7, texto);
    frame_->Dados()->MarcaEditada();
    return;
  }
  for (int c = 0; c < 5; ++c) {
    if (item != endereco_[c]) continue;
    const QString texto = item->GetValue().left(kLimitesEndereco[c]);
    item->SetValue(texto);
    g->SetCellText(r, c + 2, texto);
    frame_->Dados()->MarcaEditada();
    if (c < 4) endereco_[c + 1]->Select();
    return;
  }
}

// "Adicionar" belongs to the "Projeções" page: the form does not offer it.
bool CProjetarFormView::TemComandoProprio(int id) const {
  return id == CmdProjAdotado || id == CmdProjDesvio || id == CmdProjAvancar || id == CmdProjVoltar;
}

bool CProjetarFormView::Comando(int id) {
  switch (id) {
    case CmdProjetarValores: ProjetaValores(); return true;
    case CmdProjAdotado: ValidaValorArbitrado(); return true;
    case CmdProjDesvio: AplicaDesvio(); return true;
    case CmdProjAvancar: NavegaRegistro(1); return true;
    case CmdProjVoltar: NavegaRegistro(-1); return true;
    default: return false;
  }
}

// ---------------------------------------------------------------- printing

namespace {
struct ImpressaoForm {
  QFont f85, f85b, f10, f10bs, f16;
  int L = 1;
};
}  // namespace

void CProjetarFormView::ImprimePagina(QPainter& p, const CPrintInfo& info) {
  const CTarsolinDoc* doc = Documento();
  const CabecalhoModelo* cab = doc->GetCabecalho();
  if (info.m_bPreview) DesenhaMargens(doc, &p);
  if (cab->U8(C::OffImprimeCabecalho)) ImprimeCabecalho(doc, &p);
  RetanguloImpressao area;
  CalculaAreaImpressao(&area, doc, &p, false);
  if (cab->U8(C::OffImprimeRodape)) ImprimeRodape(doc, &p, &info);
  ImpressaoForm f{Tahoma(8.5), Tahoma(8.5, true), Tahoma(10), Tahoma(10, true, true), Tahoma(16)};
  f.L = AlturaLinhaImpressao(f.f10, p.device());
  p.save();
  p.translate(area.left, area.top);
  auto linha = [&](int l, const QFont& fonte, const QString& t) {
    p.setFont(fonte);
    EscreveImpressao(p, 0, l * f.L, t);
  };
  p.setFont(f.f16);
  EscreveCentroImpressao(p, area.Largura() / 2, 4 * f.L, QStringLiteral("Projeção de Valores"));
  linha(7, f.f10bs, QStringLiteral("Modelo"));
  linha(8, f.f85, cab->Texto(C::OffNome, C::TamNome));
  linha(10, f.f10bs, catEndereco_->GetCaption());
  for (int c = 0; c < 5; ++c)
    linha(11 + c, f.f85, QStringLiteral("%1: %2").arg(endereco_[c]->GetCaption(), endereco_[c]->GetValue()));
  linha(17, f.f10bs, catVariaveis_->GetCaption());
  int m = 0;
  for (PropertyGridItem* it : variaveis_)
    if (it) {
      ++m;
      linha(17 + m, f.f85, QStringLiteral("%1 = %2").arg(it->GetCaption(), it->GetValue()));
    }
  CFrameIntervalo* iv = frame_->Intervalo();
  const int base = 17 + m;
  const struct { int l; const char* titulo; int primeiro; } blocos[] = {{base + 2, "Valor unitário - RL", UnitarioRLMinimo},
                                                                         {base + 7, "Valor total - RL", TotalRLMinimo}};
  for (const auto& b : blocos) {
    linha(b.l, f.f10bs, QString::fromUtf8(b.titulo));
    for (int i = 0; i < 3; ++i) {
      const int item = b.primeiro + 2 - i;  // Máximo, Médio, Mínimo
      linha(b.l + 1 + i, f.f85, QStringLiteral("%1: %2").arg(iv->Item(item)->GetCaption(), iv->Valor(item)));
    }
  }
  linha(base + 12, f.f10bs, QStringLiteral("Parâmetros"));
  linha(base + 13, f.f85, QStringLiteral("%1: %2").arg(iv->ItemNivel()->GetCaption(), iv->ItemNivel()->GetValue()));
  linha(base + 14, f.f85,
        QStringLiteral("%1: %2").arg(iv->ItemTendencia()->GetCaption(), iv->ItemTendencia()->GetValue()));
  p.restore();
}

TrabalhoImpressao CProjetarFormView::Trabalho() {
  TrabalhoImpressao t;
  t.prepara = [](QPainter&) { return 1; };
  t.pagina = [this](QPainter& p, const CPrintInfo& info) { ImprimePagina(p, info); };
  return t;
}
