#include "CDadosAvalView.h"

#include "CClassificar.h"
#include "CDadosAdicionar.h"
#include "CDadosFrame.h"
#include "ModeloCorrente.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dadoP.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {
using C = CabecalhoModelo;

struct ColunaFixa {
  const char* titulo;
  int limite;
};
// Columns 2 to 6.
constexpr ColunaFixa kFixas[5] = {{"Endereço", 50}, {"Complemento", 50}, {"Bairro", 30}, {"Municipio", 50}, {"UF", 2}};

QString TextoFixo(const dadoP& d, int k) {
  switch (k) {
    case 0: return d.Endereco();
    case 1: return d.Complemento();
    case 2: return d.Bairro();
    case 3: return d.Cidade();
    default: return d.Estado();
  }
}

void DefineTextoFixo(dadoP& d, int k, const QString& t) {
  switch (k) {
    case 0: d.SetEndereco(t.left(50)); break;
    case 1: d.SetComplemento(t.left(50)); break;
    case 2: d.SetBairro(t.left(30)); break;
    case 3: d.SetCidade(t.left(50)); break;
    default: d.SetEstado(t.left(2)); break;
  }
}

void Aplica(CTableCtrl* g, int row, int col, int32_t texto, int32_t fundo, uint8_t n, uint8_t i, uint8_t s) {
  if (texto != 0) g->SetCellTextColour(row, col, COLORREF(texto));
  if (fundo != 0) g->SetCellBackColour(row, col, COLORREF(fundo));
  if (n || i || s) {
    LOGFONT lf = *g->GetCellFont(row, col);
    if (n) lf.lfWeight = 700;
    lf.lfItalic = i ? 1 : 0;
    lf.lfUnderline = s ? 1 : 0;
    g->SetCellFont(row, col, &lf);
  }
}

void Le(CTableCtrl* g, int row, int col, int32_t& texto, int32_t& fundo, uint8_t& n, uint8_t& i, uint8_t& s) {
  const LOGFONT* lf = g->GetCellFont(row, col);
  n = lf && lf->lfWeight == 700;
  i = lf && lf->lfItalic != 0;
  s = lf && lf->lfUnderline != 0;
  // A cell without a colour of its own stores 0, the records' "default".
  const auto cor = [](COLORREF c) { return c == GridColour::Default ? 0 : int32_t(c); };
  texto = cor(g->GetCellTextColour(row, col));
  fundo = cor(g->GetCellBackColour(row, col));
}
}  // namespace

CDadosAvalView::CDadosAvalView(CTarsolinDoc* doc, CDadosFrame* frame, QWidget* parent)
    : PaginaDados(doc, frame, 1108, parent) {}

int CDadosAvalView::LimiteColuna(int col) const {
  if (col >= 2 && col <= 6) return kFixas[col - 2].limite;
  return col >= 7 ? 18 : 50;
}

void CDadosAvalView::OnInitialUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  CTarsolinDoc::Servicos().CursorEspera(true);
  modificado_ = valoresAlterados_ = enterDaBarra_ = false;
  caminho_ = doc_->GetPathName();
  const CabecalhoModelo& c = Cab();
  M_ = std::clamp(c.I32(C::OffNumDadosP), 0, MaxLinhas);
  n_ = std::clamp(c.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
  const int valores = std::max(0, n_ - 1);

  grade_->AllowRedraw(false);
  PreparaGrade(M_ + 1, valores + 7);
  grade_->SetHeaderSort(true);
  grade_->SetStoreSortInModel(false);
  grade_->SetCellText(0, 1, QStringLiteral("Dado"));
  grade_->SetWidthOfColumn(0, Pixels(220));
  grade_->SetWidthOfColumn(1, LarguraColunaDado());
  for (int k = 0; k < 5; ++k) {
    grade_->SetCellText(0, 2 + k, QString::fromUtf8(kFixas[k].titulo));
    grade_->SetWidthOfColumn(2 + k, Pixels(c.I32(C::OffLargurasFixasAvaliacao + 4 * std::size_t(k))));
  }
  for (int v = 0; v < valores; ++v) {
    const QString nome = c.Texto(C::OffNomesVariaveis + 31 * std::size_t(v), 31);
    const bool habilitada = c.I32(C::OffHabilitadas + 4 * std::size_t(v)) != 0;
    grade_->SetCellText(0, 7 + v, habilitada ? nome : QStringLiteral("* ") + nome);
    grade_->SetWidthOfColumn(7 + v, Pixels(c.I32(C::OffLargurasAvaliacao + 4 * std::size_t(v))));
  }
  for (int r = 1; r <= M_; ++r) {
    grade_->SetCellText(r, 0, QStringLiteral(" "));
    grade_->SetCellText(r, 1, Numero(r));
    grade_->SetCellTextColour(r, 1, GridColour::Sys(GridColour::WindowText));
  }
  IniciaValores(M_, valores);
  const bool carregou = doc_->CarregaRegistros();
  if (!carregou) plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"));
  if (M_ < 1) {
    NovasLinhas(1);  // one empty row to type into
  } else if (carregou) {
    const dadoP* d = doc_->GetDadosP();
    for (int i = 0; i < std::min(M_, doc_->NumDadosP()); ++i) {
      const int row = i + 1;
      for (int k = 0; k < 5; ++k) {
        grade_->SetCellText(row, 2 + k, TextoFixo(d[i], k));
        const AtributoCelula& a = d[i].fixas[k];
        Aplica(grade_, row, 2 + k, a.corTexto, a.corFundo, a.negrito, a.italico, a.sublinhado);
      }
      for (int v = 0; v < valores; ++v) {
        MostraValor(row, 7 + v, i, d[i].valor[v]);
        grade_->SetCellFormat(row, 7 + v, DT_RIGHT);
        Aplica(grade_, row, 7 + v, d[i].corTexto[v], d[i].corFundo[v], d[i].negrito[v], d[i].italico[v],
               d[i].sublinhado[v]);
      }
    }
  }
  if (doc_->RegistrosCarregados()) doc_->LiberaRegistros();
  grade_->AllowRedraw(true, true);
  CTarsolinDoc::Servicos().CursorEspera(false);
  direcaoEnter_ = 1;
  if (c.U8(C::OffOrdenadoOutra)) Classifica(c.U8(C::OffColunaOrdem), c.U8(C::OffOrdemAscendente) == 0, true);
  linha_ = 1;
  coluna_ = 2;
}

int CDadosAvalView::RegistroDaLinha(int row) {
  bool ok = false;
  const int k = grade_->GetCellText(row, 1).trimmed().toInt(&ok);
  return ok && k >= 1 && k <= M_ ? k - 1 : -1;
}

bool CDadosAvalView::ArmazenaGrade() {
  if (!doc_ || !doc_->GetCabecalho() || Bloqueado()) return false;
  CTarsolinDoc::Servicos().CursorEspera(true);
  struct Cursor { ~Cursor() { CTarsolinDoc::Servicos().CursorEspera(false); } } cursor;
  if (!doc_->CarregaRegistros()) return false;
  std::vector<int> registro(std::size_t(M_) + 1, -1);
  std::vector<char> visto(std::size_t(M_), 0);
  for (int r = 1; r <= M_; ++r) {
    const int k = RegistroDaLinha(r);
    if (k < 0 || visto[std::size_t(k)]) return false;
    visto[std::size_t(k)] = 1;
    registro[std::size_t(r)] = k;
  }
  CabecalhoModelo& c = Cab();
  const int valores = std::max(0, n_ - 1);
  // Every store starts from zeroed records and writes every value whole.
  if (!doc_->RecriaDadosP(M_)) return false;
  dadoP* novos = doc_->GetDadosP();
  for (int k = 0; k < 5; ++k) GuardaLargura(C::OffLargurasFixasAvaliacao + 4 * std::size_t(k), 2 + k);
  for (int v = 0; v < valores; ++v) GuardaLargura(C::OffLargurasAvaliacao + 4 * std::size_t(v), 7 + v);
  for (int r = 1; r <= M_; ++r) {
    dadoP& d = novos[registro[std::size_t(r)]];
    for (int k = 0; k < 5; ++k) {
      DefineTextoFixo(d, k, grade_->GetCellText(r, 2 + k));
      AtributoCelula& a = d.fixas[k];
      Le(grade_, r, 2 + k, a.corTexto, a.corFundo, a.negrito, a.italico, a.sublinhado);
    }
    for (int v = 0; v < valores; ++v) {
      Le(grade_, r, 7 + v, d.corTexto[v], d.corFundo[v], d.negrito[v], d.italico[v], d.sublinhado[v]);
      d.valor[v] = Valor(registro[std::size_t(r)], v);
    }
  }
  ModeloCorrente = doc_;
  return true;
}

void CDadosAvalView::AtualizaBarra(int row, int col) {
  if (row < 0 || col < 0 || row >= grade_->GetRowCount() || col >= grade_->GetColumnCount()) return;
  linha_ = row;
  coluna_ = col;
  grade_->SetSortComparer(Comparador(col));
  CDadosBar* b = Barra();
  if (!b || row < 1) return;
  const int k = grade_->GetCellText(row, 1).trimmed().toInt();
  const int coluna = col < 2 ? 2 : col;
  MostraNaBarra(grade_->GetCellText(row, coluna), LimiteColuna(coluna));
  if (coluna <= 6)
    b->Rotulo()->setText(QString::asprintf("%.4d/", k) + QString::fromUtf8(kFixas[coluna - 2].titulo));
  else
    b->Rotulo()->setText(QString::asprintf("%.4d/", k) +
                         Cab().Texto(C::OffNomesVariaveis + 31 * std::size_t(coluna - 7), 31).left(25));
}

void CDadosAvalView::TeclaEnter() {
  const CCellID f = grade_->GetFocusCell();
  if (!enterDaBarra_ && f.row == M_ && f.col == grade_->GetColumnCount() - 1) {
    AdicionaDado();
    return;
  }
  PaginaDados::TeclaEnter();
}



bool CDadosAvalView::AdicionaDado() {
  if (RecusaBloqueado()) return false;
  if (M_ >= MaxLinhas) {
    plat::MessageBox(plat::Texto(3064).replace(QStringLiteral("%1"), QString::number(MaxLinhas)), QString(),
                     plat::MB_ICONSTOP);
    return false;
  }
  NovasLinhas(1);
  MarcaEdicao(false);
  SelecionaCelula(M_, 2);
  return true;
}

void CDadosAvalView::NovasLinhas(int quantas) {
  if (quantas <= 0) return;
  const int primeira = M_ + 1;
  M_ += quantas;
  AdicionaValores(quantas);
  grade_->SetNumberOfRows(M_ + 1);
  for (int r = primeira; r <= M_; ++r) {
    grade_->SetCellText(r, 0, QStringLiteral(" "));
    grade_->SetCellText(r, 1, Numero(r));
    grade_->SetCellTextColour(r, 1, GridColour::Sys(GridColour::WindowText));
    for (int c = 7; c < grade_->GetColumnCount(); ++c) grade_->SetCellFormat(r, c, DT_RIGHT);
  }
}

void CDadosAvalView::AdicionaDados(int quantos) {
  if (RecusaBloqueado() || quantos <= 0) return;
  const int cabem = std::min(quantos, MaxLinhas - M_);
  grade_->AllowRedraw(false);
  NovasLinhas(cabem);
  if (cabem > 0) MarcaEdicao(false);
  grade_->AllowRedraw(true, true);
  SelecionaCelula(M_, 2);
  if (cabem < quantos) AvisaLimiteLinhas(MaxLinhas);
}

void CDadosAvalView::ExcluiDado() {
  const int k = ConfirmaExclusao(M_);
  if (k == 0) return;
  grade_->RemoveRow(linha_);
  --M_;
  RenumeraApos(M_, k);
  ExcluiValores(k - 1);
  MarcaEdicao(false);
  if (linha_ > M_) linha_ = M_;
  SelecionaCelula(linha_, 2);
}

void CDadosAvalView::Classifica(int chave, bool descendente, bool inicial) {
  int coluna = chave <= 3 ? chave : 7 + (chave - 4);
  if (chave < 1) coluna = 1;
  // The dependent variable is not shown here: its key leaves the order as it is.
  if (coluna >= grade_->GetColumnCount()) return;
  grade_->SortRowsByColumn(Comparador(coluna), coluna, !descendente);
  grade_->viewport()->update();
  if (inicial) return;
  CabecalhoModelo& c = Cab();
  c.SetU8(C::OffOrdenadoOutra, chave == 1 && !descendente ? 0 : 1);
  c.SetU8(C::OffOrdemAscendente, descendente ? 0 : 1);
  c.SetU8(C::OffColunaOrdem, uint8_t(chave));
  MarcaEdicao(false);
}

bool CDadosAvalView::TemComando(int id) const {
  switch (id) {
    case 1019: case 1020: case 32810: case 32812: return true;
    default: return PaginaDados::TemComando(id);
  }
}

bool CDadosAvalView::OnUpdateCmd(int id, EstadoComando& estado) {
  switch (id) {
    case 1019: case 1020: case 32810:
      estado.habilitado = !Bloqueado();
      return true;
    default: return PaginaDados::OnUpdateCmd(id, estado);
  }
}

bool CDadosAvalView::OnCmdMsg(int id) {
  if (!doc_ || !doc_->GetCabecalho()) return false;
  switch (id) {
    case 1019: AdicionaDado(); return true;
    case 1020: ExcluiDado(); return true;
    case 32810: {
      CDadosAdicionar dlg(this);
      dlg.m_nNumero = MaxLinhas - M_;
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
    default: return PaginaDados::OnCmdMsg(id);
  }
}
