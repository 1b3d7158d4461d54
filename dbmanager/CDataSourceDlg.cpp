#include "dbmanager/CDataSourceDlg.h"

#include "controls/CHoverButton.h"
#include "dbmanager/IconesBrenk.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace brenk {

namespace {
int g_tipoConexao = 0;
}

int CDataSourceDlg::TipoConexao() { return g_tipoConexao; }
void CDataSourceDlg::DefineTipoConexao(int tipo) { g_tipoConexao = tipo; }

CDataSourceDlg::CDataSourceDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg138"));
  setWindowTitle(QStringLiteral("Selecione o Banco de Dados"));
  setAccessibleName(windowTitle());

  auto* raiz = new QVBoxLayout(this);
  raiz->setContentsMargins(0, 0, 0, 0);
  raiz->setSpacing(0);
  auto* grade = new QGridLayout;
  grade->setContentsMargins(24, 20, 24, 16);
  grade->setHorizontalSpacing(18);
  grade->setVerticalSpacing(10);
  grade->addWidget(NovoBotao(1007, QStringLiteral("Arquivos do Access"), 256, QStringLiteral("Banco de Dados Access"), 1), 0, 0);
  grade->addWidget(NovoBotao(1009, QStringLiteral("Arquivos do Excel"), 257, QStringLiteral("Arquivos do Excel"), 2), 0, 1);
  grade->addWidget(NovoBotao(1132, QStringLiteral("Arquivos do dBase"), 258, QStringLiteral("Arquivos do dBase"), 3), 1, 0);
  grade->addWidget(NovoBotao(1130, QStringLiteral("Excel Files"), 257, QStringLiteral("Excel Files"), 6), 1, 1);
  grade->addWidget(NovoBotao(1133, QStringLiteral("MSDAC - Data Access"), 259, QStringLiteral("MS Data Access"), 4), 2, 0);

  // The help button is in the dialog but never shown.
  CHoverButton* ajuda = NovoBotao(1134, QStringLiteral("Ajuda On Line"), 352, QStringLiteral("Ajuda do Zelvar"), 0);
  ajuda->setVisible(false);
  grade->addWidget(ajuda, 3, 0);

  auto* fechar = new CHoverButton(QStringLiteral("Fechar"), this);
  fechar->setObjectName(QStringLiteral("2"));
  fechar->setAccessibleName(QStringLiteral("Fechar"));
  QFont negrito = fechar->font();
  negrito.setWeight(QFont::Bold);
  fechar->setFont(negrito);
  fechar->SetStateIconHandles(IconeBrenk(175), CHoverButton::RepousoCinza);
  fechar->ShiftStateColour(0, 30, true);
  fechar->setAutoDefault(false);
  connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
  grade->addWidget(fechar, 2, 1, Qt::AlignRight | Qt::AlignBottom);
  raiz->addLayout(grade);

  // The red band at the bottom with its two white labels.
  auto* faixa = new QLabel(this);
  faixa->setObjectName(QStringLiteral("1135"));
  faixa->setAutoFillBackground(true);
  QPalette pf = faixa->palette();
  pf.setColor(QPalette::Window, QColor(255, 0, 0));
  faixa->setPalette(pf);
  faixa->setMinimumHeight(30);
  auto* lf = new QHBoxLayout(faixa);
  lf->setContentsMargins(12, 4, 12, 4);
  for (auto [id, texto] : {std::pair{1127, QStringLiteral("Brenk Acesso a Banco de Dados")},
                           std::pair{1128, QStringLiteral("versão 1.41")}}) {
    auto* l = new QLabel(texto, faixa);
    l->setObjectName(QString::number(id));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    lf->addWidget(l);
    if (id == 1127) lf->addStretch();
  }
  raiz->addWidget(faixa);
}

CHoverButton* CDataSourceDlg::NovoBotao(int id, const QString& texto, int icone, const QString& dica, int tipo) {
  auto* b = new CHoverButton(texto, this);
  b->setObjectName(QString::number(id));
  b->setAccessibleName(texto);
  b->SetStateIconHandles(IconeBrenk(icone), CHoverButton::RepousoEscurecido);
  b->SetHintText(dica, true);
  b->UseParentBackground(false);
  QFont negrito = b->font();
  negrito.setWeight(QFont::Bold);
  b->setFont(negrito);
  b->setMinimumSize(190, 44);
  b->setAutoDefault(false);
  if (tipo > 0)
    connect(b, &QPushButton::clicked, this, [this, tipo] {
      g_tipoConexao = tipo;
      accept();
    });
  return b;
}

void CDataSourceDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, FundoBrenk(width(), height()));
}

void CDataSourceDlg::keyPressEvent(QKeyEvent* e) {
  // Enter is the dialog's own OK: it closes with OK and leaves the kind as it was.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

}  // namespace brenk
