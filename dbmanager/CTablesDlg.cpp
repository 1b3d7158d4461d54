#include "dbmanager/CTablesDlg.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CListCtrlEx.h"
#include "dbmanager/RotinasBrenk.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>

namespace brenk {

namespace {
struct CursorEspera {
  CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};
bool Igual(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
enum Coluna { ColNome, ColTipo, ColEsquema, ColCatalogo };
}  // namespace

CTablesDlg::CTablesDlg(CChildFrame* janela, QWidget* parent) : QDialog(parent), janela_(janela) {
  setObjectName(QStringLiteral("dlg131"));
  setWindowTitle(QStringLiteral("Tabelas"));
  auto* g = new QGridLayout(this);
  procura_ = new QLineEdit(this);
  procura_->setObjectName(QStringLiteral("1025"));
  procura_->setAccessibleName(QStringLiteral("Procurar"));
  g->addWidget(procura_, 0, 0, 1, 3);
  lista_ = new CListCtrlEx(this);
  lista_->setObjectName(QStringLiteral("1004"));
  lista_->setAccessibleName(QStringLiteral("Tabelas"));
  lista_->setHeaderLabels({QStringLiteral("Nome"), QStringLiteral("Tipo"), QStringLiteral("Esquema"), QStringLiteral("Catálogo")});
  g->addWidget(lista_, 1, 0, 1, 3);
  sistema_ = new QCheckBox(QStringLiteral("Tabelas do &sistema"), this);
  sistema_->setObjectName(QStringLiteral("1010"));
  visoes_ = new QCheckBox(QStringLiteral("&Consultas"), this);
  visoes_->setObjectName(QStringLiteral("1012"));
  saidaTexto_ = new QCheckBox(QStringLiteral("Saída em &Texto"), this);
  saidaTexto_->setObjectName(QStringLiteral("1018"));
  g->addWidget(sistema_, 2, 0);
  g->addWidget(visoes_, 2, 1);
  g->addWidget(saidaTexto_, 2, 2);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("1"));
  ok_->setDefault(true);
  cancelar_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancelar_->setObjectName(QStringLiteral("2"));
  auto* botoes = new QDialogButtonBox(this);
  botoes->addButton(ok_, QDialogButtonBox::AcceptRole);
  botoes->addButton(cancelar_, QDialogButtonBox::RejectRole);
  connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
  g->addWidget(botoes, 3, 0, 1, 3);
  resize(620, 420);

  if (janela_) janela_->DefineTextoPainel(0, QStringLiteral("Aguarde..."));
  QSettings ini;
  sistema_->setChecked(ini.value(QStringLiteral("Tables/SystemTables"), 0).toInt() != 0);
  visoes_->setChecked(ini.value(QStringLiteral("Tables/Views"), 0).toInt() != 0);
  saidaTexto_->setChecked(ini.value(QStringLiteral("Tables/TextOnly"), 0).toInt() != 0);
  saidaTexto_->setEnabled(visoes_->isChecked());
  falhou_ = !AtualizaLista();
  RegraSaidaTexto();
  lista_->SetFullRowSelection(true);

  connect(saidaTexto_, &QCheckBox::clicked, this, &CTablesDlg::RegraSaidaTexto);
  connect(visoes_, &QCheckBox::clicked, this, [this] {
    AtualizaLista();
    saidaTexto_->setEnabled(visoes_->isChecked());
    if (saidaTexto_->isEnabled()) RegraSaidaTexto();
    else if (janela_ && janela_->MultiplosResultados()) lista_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  });
  connect(sistema_, &QCheckBox::clicked, this, [this] {
    lista_->setUpdatesEnabled(false);
    AtualizaLista();
    lista_->setUpdatesEnabled(true);
  });
  connect(procura_, &QLineEdit::textChanged, this, &CTablesDlg::Procura);
  connect(lista_->header(), &QHeaderView::sectionClicked, this, [this](int coluna) {
    crescente_ = !crescente_;
    CListCtrlSorter ordem(lista_, coluna, false);
    ordem.Ordena(crescente_);
  });
  connect(lista_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (ok_->isEnabled()) accept();
  });
}

void CTablesDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  const int largura = lista_->viewport()->width() / 4;
  for (int c = 0; c < 4; ++c) lista_->setColumnWidth(c, largura);
}

void CTablesDlg::RegraSaidaTexto() {
  if (saidaTexto_->isChecked()) lista_->setSelectionMode(QAbstractItemView::SingleSelection);
  else if (janela_ && janela_->MultiplosResultados()) lista_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  else lista_->setSelectionMode(QAbstractItemView::SingleSelection);
  lista_->setFocus();
}

void CTablesDlg::Procura(const QString& texto) {
  const QString t = texto.trimmed();
  for (int i = 0; i < lista_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = lista_->topLevelItem(i);
    if (item->text(ColNome).startsWith(t, Qt::CaseInsensitive)) {
      lista_->clearSelection();
      lista_->setCurrentItem(item);
      item->setSelected(true);
      lista_->scrollToItem(item);
      return;
    }
  }
}

bool CTablesDlg::AtualizaLista() {
  CursorEspera espera;
  lista_->clear();
  QList<TabelaEsquema> tabelas;
  bool ok = false;
  QString erro;
  if (janela_) {
    janela_->Conexao()->NaConexao([&](DataSource& f) {
      ok = f.Tabelas(tabelas);
      if (!ok) erro = TextoErros(f.Erros());
    });
  }
  const bool jet = janela_ && janela_->Regras().jet;
  for (const TabelaEsquema& t : tabelas) {
    const bool manter = (Igual(t.tipo, "VIEW") && visoes_->isChecked()) || (Igual(t.tipo, "SYSTEM TABLE") && sistema_->isChecked()) ||
                        Igual(t.tipo, "TABLE");
    if (!manter) continue;
    QString nome = t.nome;
    if (jet || nome.contains(QLatin1Char(' '))) nome = QLatin1Char('[') + nome + QLatin1Char(']');
    InsereLinhaLista(lista_, QStringList{nome, t.tipo, TextoValor(t.esquema), TextoValor(t.catalogo)}.join(QLatin1Char('|')) + QLatin1Char('|'),
                     -1, lista_->topLevelItemCount());
  }
  if (lista_->topLevelItemCount() > 0) {
    lista_->setCurrentItem(lista_->topLevelItem(0));
    lista_->topLevelItem(0)->setSelected(true);
  }
  const bool linhas = lista_->topLevelItemCount() > 0;
  ok_->setEnabled(linhas);
  cancelar_->setText(linhas ? QStringLiteral("Cancelar") : QStringLiteral("&Fechar"));
  if (!ok) {
    plat::MessageBox(erro.isEmpty() ? QStringLiteral("Ocorreram Erros.") : erro);
    return false;
  }
  return true;
}

bool CTablesDlg::MontaColunas(const QString& esquema, const QString& nome, QString& colunas, QString& origem) {
  QString tabela = nome;
  if (tabela.contains(QLatin1Char('['))) tabela = tabela.mid(1, tabela.size() - 2);
  const bool jet = janela_->Regras().jet;
  QStringList nomes;
  bool ok = false;
  QString erro;
  janela_->Conexao()->NaConexao([&](DataSource& f) {
    ok = f.ColunasTabela(esquema, tabela, nomes);
    if (!ok) {
      erro = TextoErros(f.Erros());
      return;
    }
    if (jet) return;
    // Every other source quotes by its driver's rules, so letter case,
    // blanks and accents reach the server as they are.
    for (QString& c : nomes) c = f.CitaIdentificador(c, false);
    origem = f.CitaIdentificador(tabela, true);
    if (!esquema.isEmpty()) origem = f.CitaIdentificador(esquema, true) + QLatin1Char('.') + origem;
  });
  if (!ok) {
    plat::MessageBox(erro.isEmpty() ? QStringLiteral("Errors occurred.") : erro);
    return false;
  }
  if (jet) {
    QStringList partes;
    for (const QString& c : nomes) {
      const qsizetype p = c.indexOf(QLatin1Char('.'));
      partes << (p >= 0 ? QStringLiteral("[%1].[%2]").arg(c.left(p), c.mid(p + 1)) : QStringLiteral("[%1]").arg(c));
    }
    nomes = partes;
    origem = esquema.isEmpty() ? nome : esquema + QLatin1Char('.') + nome;
  }
  colunas = nomes.join(QStringLiteral(", "));
  return true;
}

void CTablesDlg::accept() {
  CursorEspera espera;
  janela_->DefineTextoPainel(0, QStringLiteral("Aguarde..."));
  struct Fim {
    CChildFrame* j;
    ~Fim() { j->DefineTextoPainel(0, QString()); }
  } fim{janela_};
  texto_ = saidaTexto_->isChecked() && saidaTexto_->isEnabled();
  QList<QTreeWidgetItem*> linhas;
  for (int i = 0; i < lista_->topLevelItemCount(); ++i)
    if (lista_->topLevelItem(i)->isSelected()) linhas << lista_->topLevelItem(i);
  if (linhas.isEmpty() && lista_->currentItem()) linhas << lista_->currentItem();
  if (linhas.isEmpty()) return;
  QString resultado = QStringLiteral("\n\n");
  tipo_ = linhas.first()->text(ColTipo);
  if (!texto_ || !Igual(tipo_, "VIEW")) {
    for (QTreeWidgetItem* l : linhas) {
      const QString esquema = l->text(ColEsquema);
      const bool temEsquema = !esquema.isEmpty() && esquema != QLatin1String("NULL");
      QString colunas, origem;
      if (!MontaColunas(temEsquema ? esquema : QString(), l->text(ColNome), colunas, origem)) return;
      QString comando = QStringLiteral("SELECT ") + colunas + QStringLiteral(" FROM ") + origem;
      if (Igual(janela_->Dbms(), "VISUAL FOXPRO")) comando += QLatin1Char(';');
      resultado += comando + QStringLiteral("\n\n");
    }
  } else {
    const QString nome = linhas.first()->text(ColNome);
    visao_ = nome;
    if (janela_->Dbms().contains(QLatin1String("ORACLE"), Qt::CaseInsensitive))
      resultado += QStringLiteral("SELECT text FROM user_views WHERE view_name = '") + nome + QStringLiteral("'\n\n");
    else if (janela_->Regras().trocaBanco)
      resultado += QStringLiteral("sp_helptext ") + nome + QStringLiteral("\n\n");
    else
      resultado += nome + QStringLiteral(" // Texto não suportado\n\n");
  }
  resultado.chop(2);
  sql_ = resultado;
  QSettings ini;
  ini.setValue(QStringLiteral("Tables/Views"), visoes_->isChecked() ? 1 : 0);
  ini.setValue(QStringLiteral("Tables/SystemTables"), sistema_->isChecked() ? 1 : 0);
  ini.setValue(QStringLiteral("Tables/TextOnly"), saidaTexto_->isChecked() ? 1 : 0);
  QDialog::accept();
}

}  // namespace brenk
