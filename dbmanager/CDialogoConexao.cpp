#include "dbmanager/CDialogoConexao.h"

#include "dbmanager/TextoConexao.h"
#include "platform/Dialogo.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace brenk {

namespace {

// A value that holds a ";" or quotes is written in quotes.
QString Valor(const QString& v) {
  if (v.contains(QLatin1Char(';')) || v.startsWith(QLatin1Char('"')) || v.startsWith(QLatin1Char('\'')))
    return QLatin1Char('"') + v + QLatin1Char('"');
  return v;
}

QLineEdit* Campo(QWidget* pai, int id, const QString& nome) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QString::number(id));
  e->setAccessibleName(nome);
  return e;
}

}  // namespace

CDialogoConexao::CDialogoConexao(const QString& textoConexao, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgConexao"));
  setWindowTitle(QStringLiteral("Propriedades de Vinculação de Dados"));
  setAccessibleName(windowTitle());
  auto* forma = new QFormLayout;
  provedor_ = new QComboBox(this);
  provedor_->setObjectName(QStringLiteral("4001"));
  provedor_->setAccessibleName(QStringLiteral("Provedor"));
  provedor_->addItems({QStringLiteral("SQLite"), QStringLiteral("PostgreSQL"), QStringLiteral("ODBC (unixODBC)"),
                       QStringLiteral("Microsoft Jet 4.0 (Access, Excel, dBase)")});
  forma->addRow(QStringLiteral("Provedor:"), provedor_);

  fonte_ = Campo(this, 4002, QStringLiteral("Fonte de dados"));
  procura_ = new QPushButton(QStringLiteral("..."), this);
  procura_->setObjectName(QStringLiteral("4003"));
  procura_->setAccessibleName(QStringLiteral("Procurar arquivo"));
  procura_->setAutoDefault(false);
  auto* linhaFonte = new QHBoxLayout;
  linhaFonte->addWidget(fonte_);
  linhaFonte->addWidget(procura_);
  rotuloFonte_ = new QLabel(QStringLiteral("Arquivo:"), this);
  forma->addRow(rotuloFonte_, linhaFonte);

  porta_ = Campo(this, 4004, QStringLiteral("Porta"));
  porta_->setPlaceholderText(QStringLiteral("5432"));
  banco_ = Campo(this, 4005, QStringLiteral("Banco de dados"));
  usuario_ = Campo(this, 4006, QStringLiteral("Usuário"));
  senha_ = Campo(this, 4007, QStringLiteral("Senha"));
  senha_->setEchoMode(QLineEdit::Password);
  odbc_ = Campo(this, 4008, QStringLiteral("Seqüência ODBC"));
  odbc_->setPlaceholderText(QStringLiteral("DSN=...  ou  DRIVER={...};..."));
  auto linha = [&](const QString& rotulo, QWidget* w, QList<QWidget*>& grupo) {
    auto* l = new QLabel(rotulo, this);
    forma->addRow(l, w);
    grupo << l << w;
  };
  linha(QStringLiteral("Porta:"), porta_, camposServidor_);
  linha(QStringLiteral("Banco de dados:"), banco_, camposServidor_);
  linha(QStringLiteral("Seqüência ODBC:"), odbc_, camposOdbc_);
  linha(QStringLiteral("Usuário:"), usuario_, camposUsuario_);
  linha(QStringLiteral("Senha:"), senha_, camposUsuario_);

  auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  botoes->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
  botoes->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
  botoes->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
  connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* raiz = new QVBoxLayout(this);
  raiz->addLayout(forma);
  raiz->addWidget(botoes);
  setMinimumWidth(520);

  // Filled with the values of the string it was given.
  const ParametrosConexao p = LeTextoConexao(textoConexao);
  const QString prov = p.provedor.toLower();
  int indice = Sqlite;
  if (p.motor == Motor::Postgres) indice = Postgres;
  else if (prov.startsWith(QLatin1String("microsoft.jet")) || p.motor == Motor::Access ||
           (p.motor == Motor::Excel && !prov.startsWith(QLatin1String("msdasql"))))
    indice = Jet;
  else if (p.motor == Motor::Odbc || prov.startsWith(QLatin1String("msdasql")) || p.motor == Motor::Excel ||
           p.motor == Motor::Dbase)
    indice = Odbc;
  provedor_->setCurrentIndex(indice);
  if (indice == Postgres) {
    fonte_->setText(p.servidor);
    if (p.porta > 0) porta_->setText(QString::number(p.porta));
    banco_->setText(p.banco);
    usuario_->setText(p.usuario);
    senha_->setText(p.senha);
  } else if (indice == Odbc) {
    // A password written in the ODBC string goes to the masked field.
    QString senhaOdbc;
    odbc_->setText(RetiraSenhaOdbc(p.pares.value(QStringLiteral("extended properties")), senhaOdbc));
    fonte_->setText(p.pares.value(QStringLiteral("data source")));
    usuario_->setText(p.pares.value(QStringLiteral("user id")));
    const QString senha = p.pares.value(QStringLiteral("password"));
    senha_->setText(senha.isEmpty() ? senhaOdbc : senha);
  } else {
    fonte_->setText(p.pares.value(QStringLiteral("data source")));
  }
  connect(provedor_, &QComboBox::currentIndexChanged, this, &CDialogoConexao::AoTrocarProvedor);
  connect(procura_, &QPushButton::clicked, this, &CDialogoConexao::Procura);
  AoTrocarProvedor();
}

void CDialogoConexao::AoTrocarProvedor() {
  const int i = provedor_->currentIndex();
  rotuloFonte_->setText(i == Postgres ? QStringLiteral("Servidor:") : i == Odbc ? QStringLiteral("Fonte (DSN):")
                                                                                : QStringLiteral("Arquivo:"));
  fonte_->setAccessibleName(rotuloFonte_->text());
  procura_->setVisible(i == Sqlite || i == Jet);
  for (QWidget* w : camposServidor_) w->setVisible(i == Postgres);
  for (QWidget* w : camposOdbc_) w->setVisible(i == Odbc);
  for (QWidget* w : camposUsuario_) w->setVisible(i == Postgres || i == Odbc);
}

void CDialogoConexao::Procura() {
  QFileDialog dlg(this, QStringLiteral("Selecione o arquivo de dados"));
  dlg.setObjectName(QStringLiteral("dlgArquivo"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setFileMode(QFileDialog::ExistingFile);
  dlg.setNameFilters(provedor_->currentIndex() == Jet
                         ? QStringList{QStringLiteral("Arquivos do Access, Excel e dBase (*.mdb *.accdb *.xls *.dbf)")}
                         : QStringList{QStringLiteral("Bancos SQLite (*.db *.sqlite *.sqlite3)"), QStringLiteral("Todos (*)")});
  if (plat::ExecutaDialogo(dlg) == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
    fonte_->setText(dlg.selectedFiles().first());
}

QString CDialogoConexao::TextoConexao() const {
  const QString f = fonte_->text().trimmed();
  switch (provedor_->currentIndex()) {
    case Postgres: {
      QString s = QStringLiteral("Provider=PostgreSQL;Data Source=") + Valor(f.isEmpty() ? QStringLiteral("localhost") : f);
      if (!porta_->text().trimmed().isEmpty()) s += QStringLiteral(";Port=") + porta_->text().trimmed();
      if (!banco_->text().trimmed().isEmpty()) s += QStringLiteral(";Initial Catalog=") + Valor(banco_->text().trimmed());
      if (!usuario_->text().isEmpty()) s += QStringLiteral(";User ID=") + Valor(usuario_->text());
      if (!senha_->text().isEmpty()) s += QStringLiteral(";Password=") + Valor(senha_->text());
      return s;
    }
    case Odbc: {
      QString s = QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False");
      if (!usuario_->text().isEmpty()) s += QStringLiteral(";User ID=") + Valor(usuario_->text());
      if (!senha_->text().isEmpty()) s += QStringLiteral(";Password=") + Valor(senha_->text());
      if (!f.isEmpty()) s += QStringLiteral(";Data Source=") + Valor(f);
      if (!odbc_->text().trimmed().isEmpty()) s += QStringLiteral(";Extended Properties=") + odbc_->text().trimmed();
      return s;
    }
    case Jet:
      return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + Valor(f) +
             QStringLiteral(";Persist Security Info=False");
    default:
      return QStringLiteral("Provider=SQLite;Data Source=") + Valor(f);
  }
}

bool CDialogoConexao::Pede(QWidget* parent, QString& texto) {
  CDialogoConexao dlg(texto, parent);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return false;
  texto = dlg.TextoConexao();
  return true;
}

}  // namespace brenk
