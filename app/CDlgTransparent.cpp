#include "CDlgTransparent.h"

#include "Comandos.h"
#include "RoteadorComandos.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <vector>

CDlgTransparent::CDlgTransparent(QWidget* parent) : QDialog(parent) {
  setObjectName("dlg549");
  setWindowTitle("Bem Vindo ao Tarsolin Windows");
  auto* raiz = new QVBoxLayout(this);
  auto* quadro = new QFrame(this);
  quadro->setFrameShape(QFrame::Box);
  raiz->addWidget(quadro);
  auto* grade = new QGridLayout(quadro);

  QFont negrito = font();
  negrito.setBold(true);
  struct Opcao {
    int id;
    const char* texto;
    QStyle::StandardPixmap icone;
    std::vector<int> comandos;
  };
  const Opcao opcoes[] = {
      {1008, "Criar Novo Modelo", QStyle::SP_FileIcon, {ID_FILE_NEW}},
      {1009, "Abrir Modelo", QStyle::SP_DialogOpenButton, {ID_FILE_OPEN}},
      {1010, "Abrir Último Editado", QStyle::SP_FileDialogDetailedView, {ID_FILE_MRU_FILE1}},
      {1011, "Abrir Projeção Valores", QStyle::SP_FileDialogContentsView, {ID_FILE_MRU_FILE1, ID_PROJETAR}},
      {1007, "Importar Banco de Dados", QStyle::SP_DriveHDIcon, {ID_IMPORTAR}},
      {1006, "Ajuda On Line", QStyle::SP_DialogHelpButton, {ID_HELP_FINDER}},
  };
  int i = 0;
  for (const Opcao& o : opcoes) {
    auto* b = new QPushButton(style()->standardIcon(o.icone), QString::fromUtf8(o.texto), quadro);
    b->setObjectName(QString::number(o.id));
    b->setIconSize(QSize(32, 32));
    b->setFont(negrito);
    b->setFlat(true);
    b->setMinimumHeight(44);
    const std::vector<int> comandos = o.comandos;
    connect(b, &QPushButton::clicked, this, [this, comandos] {
      for (int c : comandos) RoteadorComandos::Instancia().Posta(c);
      accept();
    });
    grade->addWidget(b, i / 2, i % 2);
    ++i;
  }

  // The white band across the bottom, behind "Fechar".
  // A plain frame: a label would size itself by its (empty) text and clip the button.
  auto* faixa = new QFrame(this);
  faixa->setObjectName("1069");
  faixa->setAutoFillBackground(true);
  QPalette pal = faixa->palette();
  pal.setColor(QPalette::Window, Qt::white);
  faixa->setPalette(pal);
  auto* linha = new QHBoxLayout(faixa);
  linha->addStretch();
  auto* fechar = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "Fechar", faixa);
  fechar->setObjectName("1");
  fechar->setIconSize(QSize(32, 32));
  connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
  linha->addWidget(fechar);
  raiz->addWidget(faixa);
}
