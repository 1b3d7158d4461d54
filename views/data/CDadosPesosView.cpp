#include "CDadosPesosView.h"

#include "CCalculoW.h"
#include "CDadosEditarView.h"
#include "CDadosFrame.h"
#include "ModeloCorrente.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/MatrizesModelo.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {
using C = CabecalhoModelo;
constexpr int kCalcularW = 32811;
}  // namespace

CDadosPesosView::CDadosPesosView(CTarsolinDoc* doc, CDadosFrame* frame, QWidget* parent)
    : PaginaDados(doc, frame, 1108, parent) {}

void CDadosPesosView::OnInitialUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  modificado_ = valoresAlterados_ = enterDaBarra_ = false;
  caminho_ = doc_->GetPathName();
  N_ = std::clamp(Cab().I32(C::OffNumDados), 0, CTarsolinDoc::MaxRegistrosW);
  const bool carregou = doc_->CarregaRegistros();
  if (!carregou) plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"));
  excluido_.assign(std::size_t(N_), 0);
  if (carregou)
    for (int i = 0; i < std::min(N_, doc_->NumDados()); ++i) excluido_[std::size_t(i)] = doc_->GetDados()[i].excluido != 0;
  // A model with no W (or one of another size) shows zeros.
  try {
    const NEWMAT::Matrix& W = doc_->GetW();
    w_.ReSize(N_, N_);
    w_ = 0.0;
    const int m = std::min({N_, W.Nrows(), W.Ncols()});
    for (int i = 1; i <= m; ++i)
      for (int j = 1; j <= m; ++j) w_(i, j) = W(i, j);
  } catch (...) {
    w_.ReSize(0, 0);
    N_ = 0;
    excluido_.clear();
    CTarsolinDoc::RecusaLimiteW();
  }
  if (carregou && doc_->RegistrosCarregados()) doc_->LiberaRegistros();

  grade_->SetVirtual(true);
  grade_->SetCallbackFunc([this](GridDisplayRequest* p, intptr_t) { return Exibe(p); }, 0);
  PreparaGrade(N_ + 1, N_ + 2);
  grade_->SetHeaderSort(false);
  grade_->SetEditable(false);
  grade_->SetWidthOfColumn(0, Pixels(230));
  grade_->SetWidthOfColumn(1, Pixels(566));
  direcaoEnter_ = 1;
  SelecionaCelula(1, 2);
}

void CDadosPesosView::Redimensiona(int N) {
  NEWMAT::Matrix novo(N, N);
  novo = 0.0;
  const int m = std::min({N, w_.Nrows(), w_.Ncols()});
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= m; ++j) novo(i, j) = w_(i, j);
  w_ = novo;
}

QString CDadosPesosView::TextoElemento(int i, int j) const {
  if (i < 1 || j < 1 || i > w_.Nrows() || j > w_.Ncols()) return QString();
  const double v = w_(i, j);
  return TextoCelula(v, v != 0.0 ? 6 : 0);
}

bool CDadosPesosView::Exibe(GridDisplayRequest* p) {
  GridItem& it = p->item;
  const int r = it.row, c = it.col;
  if (r == 0) {
    if (c == 1) it.strText = QStringLiteral("Dado");
    else if (c >= 2) {
      it.strText = QString::asprintf("%4d", c - 1);
      it.nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    }
    return true;
  }
  if (c == 0) {
    const bool excl = r - 1 < int(excluido_.size()) && excluido_[std::size_t(r - 1)];
    it.strText = excl ? QStringLiteral("*") : QStringLiteral(" ");
  } else if (c == 1) {
    it.strText = QString::asprintf("%4d", r);
    const bool excl = r - 1 < int(excluido_.size()) && excluido_[std::size_t(r - 1)];
    it.crFgClr = excl ? GridColour::FromQt(QPalette().color(QPalette::Disabled, QPalette::WindowText))
                      : GridColour::Sys(GridColour::WindowText);
  } else {
    it.strText = TextoElemento(r, c - 1);
    it.nFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
  }
  return true;
}

void CDadosPesosView::AdicionaLinhas(int quantas) {
  if (quantas <= 0) return;
  N_ += quantas;
  Redimensiona(N_);
  excluido_.resize(std::size_t(N_), 0);
  grade_->SetNumberOfRows(N_ + 1);
  grade_->SetNumberOfColumns(N_ + 2);
  for (int c = N_ + 2 - quantas; c < N_ + 2; ++c) grade_->SetWidthOfColumn(c, grade_->WidthOfColumn(c - 1));
  // Stored with the rows once the data page stores them.
  modificado_ = true;
}

void CDadosPesosView::ExcluiLinha(int k) {
  if (k < 1 || k > N_) return;
  NEWMAT::Matrix novo(N_ - 1, N_ - 1);
  for (int i = 1, a = 1; i <= N_; ++i) {
    if (i == k) continue;
    for (int j = 1, b = 1; j <= N_; ++j) {
      if (j == k) continue;
      novo(a, b++) = w_(i, j);
    }
    ++a;
  }
  w_ = novo;
  excluido_.erase(excluido_.begin() + (k - 1));
  --N_;
  grade_->SetNumberOfRows(N_ + 1);
  grade_->SetNumberOfColumns(N_ + 2);
  grade_->viewport()->update();
  MarcaEdicao(true);
}

bool CDadosPesosView::DefineElemento(int i, int j, const QString& texto) {
  if (i < 1 || j < 1 || i > N_ || j > N_) return false;
  double v = 0.0;
  if (!LeValorDigitado(texto, &v)) return false;
  w_(i, j) = v;
  MarcaEdicao(true);
  grade_->RedrawCell(i, j + 1);
  return true;
}

void CDadosPesosView::ConfirmaValor() {
  CDadosBar* b = Barra();
  if (!b || Bloqueado() || confirmando_) return;
  const CCellID f = grade_->GetFocusCell();
  if (f.row < 1 || f.col < 2) return;
  const QString texto = b->Valor()->text();
  if (texto == mostrado_) return;  // nothing typed
  const bool ok = DefineElemento(f.row, f.col - 1, texto);
  MostraNaBarra(TextoElemento(f.row, f.col - 1), 18);
  if (!ok) {
    // The message box takes the focus from the value box: that is no second commit.
    confirmando_ = true;
    plat::MessageBox(3072, plat::MB_ICONSTOP);
    confirmando_ = false;
  }
}

void CDadosPesosView::AtualizaBarra(int row, int col) {
  if (row < 0 || col < 0 || row >= grade_->GetRowCount() || col >= grade_->GetColumnCount()) return;
  linha_ = row;
  coluna_ = col;
  CDadosBar* b = Barra();
  if (!b || row < 1) return;
  const int coluna = col < 2 ? 2 : col;
  MostraNaBarra(TextoElemento(row, coluna - 1), 18);
  b->Considerado()->setChecked(!(row - 1 < int(excluido_.size()) && excluido_[std::size_t(row - 1)]));
  b->Rotulo()->setText(QString::asprintf("%.5d/%.5d", row, coluna));
}



bool CDadosPesosView::ArmazenaGrade() {
  if (!doc_ || !doc_->GetCabecalho() || Bloqueado()) return false;
  if (!doc_->CarregaRegistros()) return false;
  CabecalhoModelo& c = Cab();
  c.SetI32(C::OffEspacialCalculado, 0);
  NEWMAT::Matrix& W = doc_->GetW();
  try {
    W = w_;
  } catch (...) {
    CTarsolinDoc::RecusaLimiteW();
    return false;
  }
  // Edited weights are kept in the file as its stored elements.
  c.SetU8(C::OffSemElementosW, 0);
  ModeloCorrente = doc_;
  for (int id : {32889, 32858, 32819}) CTarsolinDoc::Servicos().PostaComando(id);
  return true;
}

void CDadosPesosView::CalculaW() {
  if (RecusaBloqueado()) return;
  CCalculoW dlg;
  dlg.documento = doc_;
  NEWMAT::Matrix calculada;
  dlg.matriz = &calculada;
  dlg.calculo = [this](int x, int y, NEWMAT::Matrix& m) { return CalculaDaGrade(x, y, m); };
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  const int m = std::min(N_, calculada.Nrows());
  w_ = 0.0;
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= m; ++j) w_(i, j) = calculada(i, j);
  // Without the data page the document loaded its records for the distances.
  if (!dados_ && doc_->RegistrosCarregados() && !modificado_) doc_->LiberaRegistros();
  MarcaEdicao(true);
  grade_->viewport()->update();
}

bool CDadosPesosView::CalculaDaGrade(int x, int y, NEWMAT::Matrix& destino) {
  // Row i of W is record i: the records as the data page holds them now, its
  // deletions, additions and unsaved values included.
  if (!dados_) return doc_->CalculaMatrizW(destino);
  if (N_ > CTarsolinDoc::MaxRegistrosW) {
    CTarsolinDoc::RecusaLimiteW();
    return false;
  }
  std::vector<double> xs(static_cast<std::size_t>(N_)), ys(static_cast<std::size_t>(N_));
  for (int k = 0; k < N_; ++k) {
    xs[std::size_t(k)] = dados_->Valor(k, x);
    ys[std::size_t(k)] = dados_->Valor(k, y);
  }
  CTarsolinDoc::Servicos().CursorEspera(true);
  bool ok = true;
  try {
    MatrizDistancias(xs.data(), ys.data(), N_, destino);
  } catch (...) {  // no memory for N x N doubles
    destino.ReSize(0, 0);
    ok = false;
  }
  CTarsolinDoc::Servicos().CursorEspera(false);
  if (!ok) CTarsolinDoc::RecusaLimiteW();
  return ok;
}

bool CDadosPesosView::TemComando(int id) const {
  if (id == kCalcularW) return true;
  return PaginaDados::TemComando(id);
}

bool CDadosPesosView::OnCmdMsg(int id) {
  if (id == kCalcularW) {
    CalculaW();
    return true;
  }
  // The grid's text is W's: copying works, pasting does not.
  if (id == 57637) return true;
  return PaginaDados::OnCmdMsg(id);
}

int CDadosPesosView::OnGridNotify(GridNmHdr& hdr) {
  if (hdr.code == GVN_BEGINLABELEDIT) return -1;
  return PaginaDados::OnGridNotify(hdr);
}

bool CDadosPesosView::Fecha() { return PaginaDados::Fecha(); }
