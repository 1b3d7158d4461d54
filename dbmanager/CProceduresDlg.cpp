#include "dbmanager/CProceduresDlg.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CListCtrlEx.h"
#include "dbmanager/RotinasBrenk.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenk {

namespace {
struct CursorEspera {
  CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

CProceduresDlg::CProceduresDlg(CChildFrame* janela, QWidget* parent) : QDialog(parent), janela_(janela) {
  CursorEspera espera;
  setObjectName(QStringLiteral("dlg133"));
  setWindowTitle(QStringLiteral("Procedimentos"));
  auto* v = new QVBoxLayout(this);
  procura_ = new QLineEdit(this);
  procura_->setObjectName(QStringLiteral("1025"));
  procura_->setAccessibleName(QStringLiteral("Procurar"));
  v->addWidget(procura_);
  lista_ = new CListCtrlEx(this);
  lista_->setObjectName(QStringLiteral("1004"));
  lista_->setAccessibleName(QStringLiteral("Procedimentos"));
  lista_->setSelectionMode(QAbstractItemView::SingleSelection);
  lista_->setHeaderLabels({QStringLiteral("Nome"), QStringLiteral("Esquema"), QStringLiteral("Catálogo")});
  v->addWidget(lista_, 1);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("1"));
  ok_->setDefault(true);
  cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
  cancelar_->setObjectName(QStringLiteral("2"));
  auto* botoes = new QDialogButtonBox(this);
  botoes->addButton(ok_, QDialogButtonBox::AcceptRole);
  botoes->addButton(cancelar_, QDialogButtonBox::RejectRole);
  connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
  v->addWidget(botoes);
  resize(520, 380);

  if (janela_) janela_->DefineTextoPainel(0, QStringLiteral("Please wait..."));
  falhou_ = !PreencheLista();
  if (janela_) janela_->DefineTextoPainel(0, QString());
  if (!falhou_) lista_->SetFullRowSelection(true);

  connect(lista_, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> sel = lista_->selectedItems();
    if (!sel.isEmpty()) escolhida_ = lista_->indexOfTopLevelItem(sel.first());
  });
  connect(lista_, &QTreeWidget::itemDoubleClicked, this, [this] {
    CursorEspera espera;
    if (ok_->isEnabled()) accept();
  });
  connect(lista_->header(), &QHeaderView::sectionClicked, this, [this](int coluna) {
    crescente_ = !crescente_;
    CListCtrlSorter ordem(lista_, coluna, false);
    ordem.Ordena(crescente_);
    const QList<QTreeWidgetItem*> sel = lista_->selectedItems();
    escolhida_ = sel.isEmpty() ? -1 : lista_->indexOfTopLevelItem(sel.first());
  });
  connect(procura_, &QLineEdit::textChanged, this, &CProceduresDlg::Procura);
}

void CProceduresDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  const int terco = lista_->viewport()->width() / 3;
  for (int c = 0; c < 3; ++c) lista_->setColumnWidth(c, terco);
}

bool CProceduresDlg::PreencheLista() {
  lista_->clear();
  QList<ProcedimentoEsquema> procedimentos;
  bool ok = false;
  QString erro;
  if (janela_) {
    janela_->Conexao()->NaConexao([&](DataSource& f) {
      ok = f.Procedimentos(procedimentos);
      if (!ok) erro = TextoErros(f.Erros());
    });
  }
  if (ok) {
    for (const ProcedimentoEsquema& p : procedimentos) {
      QString nome = TextoValor(p.nome);
      // The group number of a procedure ("name;1") goes.
      if (!nome.isEmpty() && nome.contains(QLatin1Char(';'))) nome = nome.left(nome.indexOf(QLatin1Char(';')));
      if (!nome.isEmpty() && nome.contains(QLatin1Char(' '))) nome = QLatin1Char('[') + nome + QLatin1Char(']');
      InsereLinhaLista(lista_, nome + QLatin1Char('|') + TextoValor(p.esquema) + QLatin1Char('|') + TextoValor(p.catalogo) +
                                   QLatin1Char('|'),
                       -1, lista_->topLevelItemCount());
    }
    if (lista_->topLevelItemCount() > 0) lista_->SelecionaLinha(0);
  } else {
    plat::MessageBox(erro.isEmpty() ? QStringLiteral("Errors occurred.") : erro);
  }
  if (lista_->topLevelItemCount() == 0) {
    ok_->setEnabled(false);
    cancelar_->setText(QStringLiteral("&Fechar"));
  }
  return ok;
}

void CProceduresDlg::Procura(const QString& texto) {
  const QString t = texto.trimmed();
  for (int i = 0; i < lista_->topLevelItemCount(); ++i) {
    if (lista_->topLevelItem(i)->text(0).startsWith(t, Qt::CaseInsensitive)) {
      lista_->SelecionaLinha(i);
      return;
    }
  }
  lista_->SelecionaLinha(-1);
}

void CProceduresDlg::accept() {
  QTreeWidgetItem* item = lista_->topLevelItem(escolhida_);
  if (!item) return;
  nome_ = item->text(0);
  esquema_ = item->text(1) == QLatin1String("NULL") ? QString() : item->text(1);
  QDialog::accept();
}

}  // namespace brenk
