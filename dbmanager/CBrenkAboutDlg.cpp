#include "dbmanager/CBrenkAboutDlg.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/IconesBrenk.h"
#include "dbmanager/RotinasBrenk.h"
#include "platform/Mensagem.h"
#include "platform/Programa.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace brenk {

CBrenkAboutDlg::CBrenkAboutDlg(CChildFrame* janela, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg100"));
  setWindowTitle(QStringLiteral("Sobre Brenk Windows"));
  auto* g = new QGridLayout(this);
  auto* icone = new QLabel(this);
  icone->setPixmap(QPixmap::fromImage(IconeBrenk(259)));
  g->addWidget(icone, 0, 0, 3, 1, Qt::AlignTop);
  auto rotulo = [this](int id, const QString& texto) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(QString::number(id));
    return l;
  };
  QLabel* titulo = rotulo(1013, QStringLiteral("Brenk Acesso a Banco de Dados - versão 1.41"));
  QFont negrito = titulo->font();
  negrito.setBold(true);
  titulo->setFont(negrito);
  g->addWidget(titulo, 0, 1, 1, 2);
  g->addWidget(rotulo(1137, QStringLiteral("Informações complementares")), 1, 1, 1, 2);
  g->addWidget(new QLabel(QStringLiteral("Versão ADO: "), this), 2, 1);
  // The driver of the active window's connection stands where the data access version stood.
  QString versao = QStringLiteral("Conexão == Nula");
  if (janela && janela->EstadoConexao() == 1) {
    const QVariant v = janela->Conexao()->Propriedade(QStringLiteral("DBMS Version"));
    const QString dbms = janela->Dbms();
    versao = v.isValid() ? (dbms.isEmpty() ? QString() : dbms + QLatin1Char(' ')) + TextoValor(v) : QStringLiteral("Desconhecida");
  }
  g->addWidget(rotulo(1032, versao), 2, 2);
  QLabel* aviso = rotulo(1043, QStringLiteral("Este programa é protegido pelas leis de direitos autorais. "
                                              "A reprodução ou distribuição não autorizada deste programa, "
                                              "ou de qualquer parte dele, é proibida."));
  aviso->setWordWrap(true);
  g->addWidget(aviso, 3, 0, 1, 3);
  // Three links to what the program folder holds about the program.
  const QString pasta = plat::PastaPrograma();
  const struct { int id; const char* texto; const char* arquivo; } links[] = {
      {1127, "Leia-me do Brenk", "readme.txt"},
      {1138, "Guia: o gerenciador de banco de dados", "ajuda/banco-dados.html"},
      {1139, "Limites desta versão", "ajuda/limites.html"}};
  auto* caixaLinks = new QHBoxLayout;
  for (const auto& l : links) {
    const QUrl url = QUrl::fromLocalFile(pasta + QLatin1Char('/') + QLatin1String(l.arquivo));
    QLabel* rotuloLink = rotulo(l.id, QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toString(QUrl::FullyEncoded),
                                                                               QString::fromUtf8(l.texto).toHtmlEscaped()));
    rotuloLink->setTextFormat(Qt::RichText);
    rotuloLink->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(rotuloLink, &QLabel::linkActivated, this, [](const QString& link) {
      const QString caminho = QUrl(link).toLocalFile();
      if (!AbreArquivoExterno(caminho)) plat::MessageBox(QStringLiteral("Não foi possível abrir <%1>.").arg(caminho));
    });
    rotuloLink->setAccessibleName(QString::fromUtf8(l.texto));
    caixaLinks->addWidget(rotuloLink);
  }
  caixaLinks->addStretch();
  g->addLayout(caixaLinks, 4, 0, 1, 3);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  g->addWidget(ok, 5, 2, Qt::AlignRight);
  setMinimumWidth(420);
}

}  // namespace brenk
