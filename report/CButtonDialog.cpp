#include "CButtonDialog.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

CButtonDialog::CButtonDialog(const QString& texto, const QString& titulo, const QStringList& botoes, unsigned icone,
                             int padrao, int cancelar, const TabelaAjuda& ajuda, QWidget* parent)
    : CHelpDialog(0, parent), cancelar_(cancelar) {
  setObjectName(QStringLiteral("CButtonDialog"));
  setWindowTitle(titulo);
  if (ajuda.empty()) setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  QStyle::StandardPixmap sp = QStyle::SP_CustomBase;
  switch (icone & 0xF0) {
    case 0x10: sp = QStyle::SP_MessageBoxCritical; break;
    case 0x20: sp = QStyle::SP_MessageBoxQuestion; break;
    case 0x30: sp = QStyle::SP_MessageBoxWarning; break;
    case 0x40: sp = QStyle::SP_MessageBoxInformation; break;
    default: break;
  }
  auto* linha = new QHBoxLayout;
  if (sp != QStyle::SP_CustomBase) {
    auto* figura = new QLabel(this);
    const int lado = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    figura->setPixmap(style()->standardIcon(sp, nullptr, this).pixmap(lado, lado));
    figura->setAlignment(Qt::AlignTop);
    linha->addWidget(figura);
  }
  auto* mensagem = new QLabel(texto, this);
  mensagem->setObjectName(QStringLiteral("65535"));
  mensagem->setTextFormat(Qt::PlainText);
  // One long line wraps at five eighths of the screen's width.
  const QScreen* tela = QGuiApplication::primaryScreen();
  const int maximo = (tela ? tela->geometry().width() : 1024) * 5 / 8;
  if (mensagem->sizeHint().width() > maximo) {
    mensagem->setWordWrap(true);
    mensagem->setFixedWidth(maximo);
  }
  linha->addWidget(mensagem, 1);

  auto* fila = new QHBoxLayout;
  fila->addStretch();
  for (int i = 0; i < botoes.size(); ++i) {
    auto* b = new QPushButton(botoes[i], this);
    // The buttons are 10, 11, ...; the help table speaks of them by those ids.
    b->setObjectName(QString::number(PrimeiroBotao + i));
    b->setAutoDefault(i == padrao);
    b->setDefault(i == padrao);
    if (i == padrao) b->setFocus();
    connect(b, &QPushButton::clicked, this, [this, i] { done(i); });
    fila->addWidget(b);
  }
  fila->addStretch();
  auto* l = new QVBoxLayout(this);
  l->addLayout(linha);
  l->addLayout(fila);
}

void CButtonDialog::reject() {
  if (cancelar_ >= 0) done(cancelar_);
}

int CButtonDialog::AskWithButtons(const QString& texto, const QString& titulo, const QString& botoes, unsigned icone,
                                  int padrao, int cancelar, const TabelaAjuda& ajuda, QWidget* parent) {
  const QStringList lista = botoes.isEmpty() ? QStringList() : botoes.split(QLatin1Char('\n'));
  if (lista.isEmpty()) return cancelar >= 0 ? cancelar : 0;
  CButtonDialog dlg(texto, titulo, lista, icone, padrao, cancelar, ajuda, parent ? parent : QApplication::activeWindow());
  return plat::ExecutaDialogo(dlg);
}

int CButtonDialog::AskWithButtons(int texto, int titulo, int botoes, unsigned icone, int padrao, int cancelar,
                                  const TabelaAjuda& ajuda, QWidget* parent) {
  return AskWithButtons(plat::Texto(texto), plat::Texto(titulo), plat::Texto(botoes), icone, padrao, cancelar, ajuda,
                        parent);
}
