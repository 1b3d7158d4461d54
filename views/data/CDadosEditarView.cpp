#include "CDadosEditarView.h"

#include "AmostraValidacao.h"
#include "CClassificar.h"
#include "CDadosAdicionar.h"
#include "CDadosFrame.h"
#include "CDadosPesosView.h"
#include "CDadosValidar.h"
#include "ExportaPlanilha.h"
#include "ModeloCorrente.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <memory>

namespace {
using C = CabecalhoModelo;

COLORREF CorTextoJanela() { return GridColour::Sys(GridColour::WindowText); }
COLORREF CorTextoCinza() { return GridColour::FromQt(QPalette().color(QPalette::Disabled, QPalette::WindowText)); }

// The cell's font from a record's bold, italic and underline bytes.
void AplicaFonte(CTableCtrl* g, int row, int col, uint8_t negrito, uint8_t italico, uint8_t sublinhado) {
  if (!negrito && !italico && !sublinhado) return;
  LOGFONT lf = *g->GetCellFont(row, col);
  if (negrito) lf.lfWeight = 700;
  lf.lfItalic = italico ? 1 : 0;
  lf.lfUnderline = sublinhado ? 1 : 0;
  g->SetCellFont(row, col, &lf);
}

void AplicaCores(CTableCtrl* g, int row, int col, int32_t texto, int32_t fundo) {
  if (texto != 0) g->SetCellTextColour(row, col, COLORREF(texto));
  if (fundo != 0) g->SetCellBackColour(row, col, COLORREF(fundo));
}

// The cell's font bytes and colours into a record's fields.
void LeAtributos(CTableCtrl* g, int row, int col, uint8_t& negrito, uint8_t& italico, uint8_t& sublinhado,
                 int32_t& texto, int32_t& fundo) {
  const LOGFONT* lf = g->GetCellFont(row, col);
  negrito = lf && lf->lfWeight == 700;
  italico = lf && lf->lfItalic != 0;
  sublinhado = lf && lf->lfUnderline != 0;
  // A cell without a colour of its own stores 0, the records' "default".
  const auto cor = [](COLORREF c) { return c == GridColour::Default ? 0 : int32_t(c); };
  texto = cor(g->GetCellTextColour(row, col));
  fundo = cor(g->GetCellBackColour(row, col));
}
}  // namespace

CDadosEditarView::CDadosEditarView(CTarsolinDoc* doc, CDadosFrame* frame, QWidget* parent)
    : PaginaDados(doc, frame, 1107, parent) {}

// ------------------------------------------------------------ fill and store

void CDadosEditarView::OnInitialUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  CTarsolinDoc::Servicos().CursorEspera(true);
  modificado_ = valoresAlterados_ = enterDaBarra_ = false;
  caminho_ = doc_->GetPathName();
  const CabecalhoModelo& c = Cab();
  N_ = std::clamp(c.I32(C::OffNumDados), 0, MaxLinhas);
  n_ = std::clamp(c.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);

  grade_->AllowRedraw(false);
  PreparaGrade(N_ + 1, n_ + 4);
  grade_->SetHeaderSort(true);
  grade_->SetStoreSortInModel(true);
  grade_->SetSortedFlag(&ordenado_);
  grade_->SetCellText(0, 1, QStringLiteral("Dado"));
  grade_->SetCellText(0, 2, QStringLiteral("Endereço"));
  grade_->SetCellText(0, 3, QStringLiteral("Complemento"));
  grade_->SetWidthOfColumn(0, Pixels(230));
  grade_->SetWidthOfColumn(1, LarguraColunaDado());
  grade_->SetWidthOfColumn(2, Pixels(c.I32(C::OffLargurasFixasDados)));
  grade_->SetWidthOfColumn(3, Pixels(c.I32(C::OffLargurasFixasDados + 4)));
  for (int v = 0; v < n_; ++v) {
    const QString nome = c.Texto(C::OffNomesVariaveis + 31 * std::size_t(v), 31);
    const bool habilitada = c.I32(C::OffHabilitadas + 4 * std::size_t(v)) != 0;
    grade_->SetCellText(0, 4 + v, habilitada ? nome : QStringLiteral("* ") + nome);
    grade_->SetWidthOfColumn(4 + v, Pixels(c.I32(C::OffLargurasVariavel + 4 * std::size_t(v))));
  }
  for (int r = 1; r <= N_; ++r) grade_->SetCellText(r, 1, Numero(r));
  IniciaValores(N_, n_);
  IniciaOrigem();

  const bool carregou = doc_->CarregaRegistros();
  if (!carregou) plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"));
  if (N_ < 1) NovasLinhas(1);  // a new model starts with one empty row
  else if (carregou) PreencheGrade();
  if (doc_->RegistrosCarregados()) doc_->LiberaRegistros();
  grade_->AllowRedraw(true, true);
  CTarsolinDoc::Servicos().CursorEspera(false);

  direcaoEnter_ = 1;
  if (c.U8(C::OffOrdenadoOutra)) Classifica(c.U8(C::OffColunaOrdem), c.U8(C::OffOrdemAscendente) == 0, true);
  SelecionaCelula(1, 2);
}

void CDadosEditarView::PreencheGrade() {
  const dado* d = doc_->GetDados();
  if (!d) return;
  const int N = std::min(N_, doc_->NumDados());
  for (int i = 0; i < N; ++i) {
    const dado& r = d[i];
    const int row = i + 1;
    MarcaLinha(row, r.excluido == 0, r.excluido != 0 && r.validacao != 0);
    grade_->SetCellText(row, 2, r.Endereco());
    grade_->SetCellText(row, 3, r.Complemento());
    for (int k = 0; k < 2; ++k) {
      const AtributoCelula& a = r.fixas[k];
      AplicaCores(grade_, row, 2 + k, a.corTexto, a.corFundo);
      AplicaFonte(grade_, row, 2 + k, a.negrito, a.italico, a.sublinhado);
    }
    for (int v = 0; v < n_; ++v) {
      MostraValor(row, 4 + v, i, r.valor[v]);
      grade_->SetCellFormat(row, 4 + v, DT_RIGHT);
      AplicaFonte(grade_, row, 4 + v, r.negrito[v], r.italico[v], r.sublinhado[v]);
      AplicaCores(grade_, row, 4 + v, r.corTexto[v], r.corFundo[v]);
    }
  }
}

void CDadosEditarView::MarcaLinha(int row, bool considerado, bool validacao) {
  if (considerado) {
    grade_->SetCellText(row, 0, QStringLiteral(" "));
    grade_->SetCellBackColour(row, 0, grade_->GetCellBackColour(row, 1));
    grade_->SetCellTextColour(row, 1, CorTextoJanela());
  } else {
    grade_->SetCellText(row, 0, QStringLiteral("*"));
    grade_->SetCellBackColour(row, 0, validacao ? CorValidacao : grade_->GetCellBackColour(row, 1));
    grade_->SetCellTextColour(row, 1, validacao ? CorTextoJanela() : CorTextoCinza());
  }
}

bool CDadosEditarView::EhValidacao(int row) {
  return grade_->GetCellText(row, 0) == QLatin1String("*") && grade_->GetCellBackColour(row, 0) == CorValidacao;
}

int CDadosEditarView::RegistroDaLinha(int row) {
  bool ok = false;
  const int k = grade_->GetCellText(row, 1).trimmed().toInt(&ok);
  return ok && k >= 1 && k <= N_ ? k - 1 : -1;
}

bool CDadosEditarView::MapaLinhas(std::vector<int>& registro) {
  // Rows that do not name distinct records 1..N cannot be written back.
  registro.assign(std::size_t(N_) + 1, -1);
  std::vector<char> visto(std::size_t(N_), 0);
  for (int r = 1; r <= N_; ++r) {
    const int k = RegistroDaLinha(r);
    if (k < 0 || visto[std::size_t(k)]) {
      plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"));
      return false;
    }
    visto[std::size_t(k)] = 1;
    registro[std::size_t(r)] = k;
  }
  return true;
}

void CDadosEditarView::GravaLinhas(CabecalhoModelo& c, dado* base, const std::vector<int>& registro) {
  int considerados = 0, validacao = 0;
  for (int r = 1; r <= N_; ++r) {
    dado& d = base[registro[std::size_t(r)]];
    if (grade_->GetCellText(r, 0) == QLatin1String("*")) {
      d.excluido = 1;
      d.validacao = EhValidacao(r) ? 1 : 0;
      validacao += d.validacao;
    } else {
      d.excluido = 0;
      d.validacao = 0;
      ++considerados;
    }
    for (int k = 0; k < 2; ++k) {
      AtributoCelula& a = d.fixas[k];
      LeAtributos(grade_, r, 2 + k, a.negrito, a.italico, a.sublinhado, a.corTexto, a.corFundo);
    }
    d.SetEndereco(grade_->GetCellText(r, 2).left(50));
    d.SetComplemento(grade_->GetCellText(r, 3).left(50));
    // The values as read or typed, never as the cells show them cut.
    for (int v = 0; v < n_; ++v) {
      LeAtributos(grade_, r, 4 + v, d.negrito[v], d.italico[v], d.sublinhado[v], d.corTexto[v], d.corFundo[v]);
      d.valor[v] = Valor(registro[std::size_t(r)], v);
    }
  }
  c.SetI32(C::OffNumConsiderados, considerados);
  c.SetI32(C::OffNumValidacao, validacao);
}

NEWMAT::Matrix CDadosEditarView::WDasLinhas() {
  NEWMAT::Matrix W;
  const NEWMAT::Matrix& antigo = doc_->GetW();
  if (antigo.Nrows() != NOrigem_ || antigo.Ncols() != NOrigem_ || NOrigem_ == 0 || int(origem_.size()) != N_) return W;
  W.ReSize(N_, N_);
  for (int i = 0; i < N_; ++i)
    for (int j = 0; j < N_; ++j) {
      const int a = origem_[std::size_t(i)], b = origem_[std::size_t(j)];
      W(i + 1, j + 1) = a >= 0 && b >= 0 ? antigo(a + 1, b + 1) : 0.0;
    }
  return W;
}

void CDadosEditarView::IniciaOrigem() {
  NOrigem_ = N_;
  origem_.resize(std::size_t(N_));
  for (int k = 0; k < N_; ++k) origem_[std::size_t(k)] = k;
}

bool CDadosEditarView::ArmazenaGrade() {
  if (!doc_ || !doc_->GetCabecalho()) return false;
  if (Bloqueado()) return false;
  CTarsolinDoc::Servicos().CursorEspera(true);
  struct Cursor { ~Cursor() { CTarsolinDoc::Servicos().CursorEspera(false); } } cursor;
  CabecalhoModelo& c = Cab();
  if (!doc_->CarregaRegistros()) return false;
  std::vector<int> registro;
  if (!MapaLinhas(registro)) return false;
  std::vector<dado> novos;
  const bool refaz = c.I32(C::OffNumDados) != N_ || valoresAlterados_;
  if (refaz) {
    novos.assign(std::size_t(N_), dado{});
    valoresAlterados_ = true;
    c.SetI32(C::OffEstadoCalculo, 0);
    c.SetI32(C::OffEspacialCalculado, 0);
  }
  for (int v = 0; v < n_; ++v) GuardaLargura(C::OffLargurasVariavel + 4 * std::size_t(v), 4 + v);
  GuardaLargura(C::OffLargurasFixasDados, 2);
  GuardaLargura(C::OffLargurasFixasDados + 4, 3);
  GravaLinhas(c, refaz ? novos.data() : doc_->GetDados(), registro);
  if (refaz) {
    // W keeps pairing the records it pairs: without a weights page to hold
    // it, deleted records take their row and column along, added ones get zeros.
    if (!pesos_) {
      NEWMAT::Matrix W = WDasLinhas();
      if (W.Nrows() == N_ && N_ > 0) doc_->GetW() = W;
    }
    // The rebuilt records replace the document's, whose residuals no longer apply.
    c.SetI32(C::OffNumDados, N_);
    doc_->SubstituiDados(std::move(novos));
  }
  IniciaOrigem();
  ModeloCorrente = doc_;
  for (int id : {32889, 32858, 32819}) CTarsolinDoc::Servicos().PostaComando(id);
  return true;
}

// ------------------------------------------------------------ bar

void CDadosEditarView::AtualizaBarra(int row, int col) {
  if (row < 0 || col < 0 || row >= grade_->GetRowCount() || col >= grade_->GetColumnCount()) return;
  linha_ = row;
  coluna_ = col;
  grade_->SetSortComparer(Comparador(col));
  CDadosBar* b = Barra();
  if (!b || row < 1) return;
  const int k = grade_->GetCellText(row, 1).trimmed().toInt();
  const int coluna = col < 2 ? 2 : col;
  MostraNaBarra(grade_->GetCellText(row, coluna), LimiteColuna(coluna));
  b->Considerado()->setChecked(grade_->GetCellText(row, 0) != QLatin1String("*"));
  b->Validacao()->setChecked(EhValidacao(row));
  if (coluna <= 3)
    b->Rotulo()->setText(QString::asprintf("%.4d/", k) + (coluna == 3 ? QStringLiteral("Complemento") : QStringLiteral("Endereço")));
  else
    b->Rotulo()->setText(QString::asprintf("%.4d/", k) +
                         Cab().Texto(C::OffNomesVariaveis + 31 * std::size_t(coluna - 4), 31).left(25));
}

void CDadosEditarView::TeclaEnter() {
  const CCellID f = grade_->GetFocusCell();
  if (!enterDaBarra_ && f.row == N_ && f.col == n_ + 3) {
    AdicionaDado();
    return;
  }
  PaginaDados::TeclaEnter();
}

// ------------------------------------------------------------ rows

bool CDadosEditarView::AdicionaDado() {
  if (RecusaBloqueado()) return false;
  if (N_ >= MaxLinhas) {
    plat::MessageBox(plat::Texto(3064).replace(QStringLiteral("%1"), QString::number(MaxLinhas)), QString(),
                     plat::MB_ICONSTOP);
    return false;
  }
  NovasLinhas(1);
  MarcaEdicao(true);
  SelecionaCelula(N_, 2);
  return true;
}

void CDadosEditarView::NovasLinhas(int quantas) {
  if (quantas <= 0) return;
  const int primeira = N_ + 1;
  N_ += quantas;
  AdicionaValores(quantas);
  origem_.resize(std::size_t(N_), -1);
  grade_->SetNumberOfRows(N_ + 1);
  for (int r = primeira; r <= N_; ++r) {
    grade_->SetCellText(r, 0, QStringLiteral(" "));
    grade_->SetCellText(r, 1, Numero(r));
    grade_->SetCellTextColour(r, 1, CorTextoJanela());
    for (int v = 0; v < n_; ++v) grade_->SetCellFormat(r, 4 + v, DT_RIGHT);
  }
  if (pesos_) pesos_->AdicionaLinhas(quantas);
  // An empty row is no edit until it is typed into (the weights page's neither).
}

void CDadosEditarView::AdicionaDados(int quantos) {
  if (RecusaBloqueado() || quantos <= 0) return;
  const int cabem = std::min(quantos, MaxLinhas - N_);
  grade_->AllowRedraw(false);
  NovasLinhas(cabem);
  if (cabem > 0) MarcaEdicao(true);
  grade_->AllowRedraw(true, true);
  SelecionaCelula(N_, 2);
  if (cabem < quantos) AvisaLimiteLinhas(MaxLinhas);
}

void CDadosEditarView::ExcluiDado() {
  const int k = ConfirmaExclusao(N_);
  if (k == 0) return;
  grade_->RemoveRow(linha_);
  --N_;
  // A deleted record takes the records after it down one place.
  RenumeraApos(N_, k);
  ExcluiValores(k - 1);
  if (k - 1 < int(origem_.size())) origem_.erase(origem_.begin() + (k - 1));
  if (pesos_) pesos_->ExcluiLinha(k);
  // The row and every record after it move: the records are rebuilt on saving.
  MarcaEdicao(true);
  if (linha_ > N_) linha_ = N_;
  SelecionaCelula(linha_, 2);
  grade_->viewport()->update();
}

void CDadosEditarView::AlternaConsiderado(bool considerado) {
  if (RecusaBloqueado()) return;
  if (linha_ < 1 || linha_ > N_) return;
  MarcaLinha(linha_, considerado, false);
  if (CDadosBar* b = Barra()) {
    b->Considerado()->setChecked(considerado);
    b->Validacao()->setChecked(false);
  }
  MarcaEdicao(true);
  grade_->viewport()->update();
  grade_->setFocus();
}

void CDadosEditarView::Classifica(int chave, bool descendente, bool inicial) {
  if (chave < 1 || chave > n_ + 3) chave = 1;
  coluna_ = chave;
  grade_->SortRowsByColumn(Comparador(chave), chave, !descendente);
  grade_->viewport()->update();
  if (inicial) return;
  CabecalhoModelo& c = Cab();
  c.SetU8(C::OffOrdenadoOutra, chave == 1 && !descendente ? 0 : 1);
  c.SetU8(C::OffOrdemAscendente, descendente ? 0 : 1);
  c.SetU8(C::OffColunaOrdem, uint8_t(chave));
  MarcaEdicao(false);
}

// ------------------------------------------------------------ validation

void CDadosEditarView::MarcaValidacao(bool validacao) {
  if (RecusaBloqueado()) return;
  if (N_ <= 1) {
    plat::MessageBox(3015, plat::MB_ICONEXCLAMATION);
    return;
  }
  if (linha_ < 1 || linha_ > N_) return;
  MarcaLinha(linha_, !validacao, validacao);
  if (CDadosBar* b = Barra()) {
    b->Considerado()->setChecked(!validacao);
    b->Validacao()->setChecked(validacao);
  }
  MarcaEdicao(true);
  if (pesos_) pesos_->DefineModificado(true);
  grade_->viewport()->update();
  grade_->setFocus();
}

int CDadosEditarView::SelecionaAmostra(int percentual) {
  if (RecusaBloqueado()) return 0;
  std::vector<bool> considerados(static_cast<std::size_t>(N_));
  for (int r = 1; r <= N_; ++r) considerados[std::size_t(r - 1)] = grade_->GetCellText(r, 0) != QLatin1String("*");
  const std::vector<int> linhas = SorteiaAmostra(considerados, percentual);
  for (int i : linhas) MarcaLinha(i + 1, false, true);
  if (!linhas.empty()) {
    MarcaEdicao(true);
    grade_->viewport()->update();
    grade_->setFocus();
  }
  return int(linhas.size());
}

int CDadosEditarView::ReconsideraValidacao() {
  if (RecusaBloqueado()) return 0;
  int mudou = 0;
  for (int r = 1; r <= N_; ++r) {
    if (!EhValidacao(r)) continue;
    MarcaLinha(r, true, false);
    ++mudou;
  }
  if (mudou > 0) {
    MarcaEdicao(true);
    grade_->viewport()->update();
    grade_->setFocus();
  }
  return mudou;
}

bool CDadosEditarView::ExportaPlanilha() {
  // The files describe the rows as the grid holds them: the grid is stored
  // first, into a copy of the model, so that edits the user may still decline
  // never reach the document.
  std::vector<int> registro;
  if (!MapaLinhas(registro)) return false;
  const bool carregados = doc_->RegistrosCarregados();
  if (!carregados && !doc_->CarregaRegistros()) {  // the stored W comes with the records
    plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"));
    return false;
  }
  auto cab = std::make_unique<CabecalhoModelo>(Cab());
  cab->SetI32(C::OffNumDados, N_);
  std::vector<dado> dados(std::size_t(N_), dado{});
  GravaLinhas(*cab, dados.data(), registro);
  const NEWMAT::Matrix W = pesos_ ? pesos_->Matriz() : WDasLinhas();
  if (!carregados) doc_->LiberaRegistros();
  return ::ExportaPlanilha(doc_->GetPathName(), *grade_, [this](int row) { return EhValidacao(row); },
                           [this](int row, int col) { return TextoExato(row, col); }, *cab, dados.data(), W);
}

// ------------------------------------------------------------ commands

bool CDadosEditarView::TemComando(int id) const {
  switch (id) {
    case 1019: case 1020: case 1041: case 1021: case 32815: case 32810: case 32812: case 32818: case 32887:
    case 32860:
      return true;
    default:
      return PaginaDados::TemComando(id);
  }
}

bool CDadosEditarView::OnUpdateCmd(int id, EstadoComando& estado) {
  switch (id) {
    case 1019: case 1020: case 1041: case 1021: case 32815: case 32810: case 32818: case 32887:
      estado.habilitado = !Bloqueado();
      return true;
    default:
      return PaginaDados::OnUpdateCmd(id, estado);
  }
}

bool CDadosEditarView::OnCmdMsg(int id) {
  if (!doc_ || !doc_->GetCabecalho()) return false;
  CDadosBar* b = Barra();
  switch (id) {
    case 1019: AdicionaDado(); return true;
    case 1020: ExcluiDado(); return true;
    case 1041: AlternaConsiderado(b ? b->Considerado()->isChecked() : true); return true;
    case 32815:
      if (b) b->Considerado()->setChecked(!b->Considerado()->isChecked());
      AlternaConsiderado(b ? b->Considerado()->isChecked() : true);
      return true;
    case 1021: MarcaValidacao(b ? b->Validacao()->isChecked() : false); return true;
    case 32810: {
      CDadosAdicionar dlg(this);
      dlg.m_nNumero = MaxLinhas - N_;
      if (plat::ExecutaDialogo(dlg) == QDialog::Accepted) AdicionaDados(dlg.m_nNumero);
      return true;
    }
    case 32812: {
      int chave = 4, descendente = 0;
      CClassificar dlg(doc_, &chave, &descendente, this);
      if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return true;
      Classifica(chave, descendente != 0);
      return true;
    }
    case 32818: {
      if (RecusaBloqueado()) return true;
      CDadosValidar dlg(this);
      dlg.m_nPercentual = 25;
      if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return true;
      SelecionaAmostra(dlg.m_nPercentual);
      return true;
    }
    case 32887: ReconsideraValidacao(); return true;
    case 32860: ExportaPlanilha(); return true;
    default: return PaginaDados::OnCmdMsg(id);
  }
}

bool CDadosEditarView::Fecha() { return PaginaDados::Fecha(); }
