#include "dbmanager/TextoConexao.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace brenk {

ArquivoTipoConexao ArquivoDoTipo(int tipo) {
  switch (tipo) {
    case 1: return {QStringLiteral("Arquivos do Microsoft Access (*.mdb)"), QStringLiteral("mdb"), QStringLiteral("*.mdb")};
    case 2: return {QStringLiteral("Arquivos do Microsoft Office Excel (*.xls)"), QStringLiteral("xls"), QStringLiteral("*.xls")};
    case 3: return {QStringLiteral("Arquivos do dBase (*.dbf)"), QStringLiteral("dbf"), QStringLiteral("*.dbf")};
    case 6: return {QStringLiteral("Microsoft Excel Files (*.xls)"), QStringLiteral("xls"), QStringLiteral("*.xls")};
    default: return {};
  }
}

QString TextoConexao(int tipo, const QString& arquivo, const QString& pastaAtual) {
  const QString c = pastaAtual.left(260);
  switch (tipo) {
    case 1:
      return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + arquivo +
             QStringLiteral(";Persist Security Info=False");
    case 2:
      return QStringLiteral("Provider=MSDASQL;Persist Security Info=False;Extended Properties=") +
             QStringLiteral("DSN=Arquivos do Excel;DBQ=") + arquivo + QStringLiteral(";DefaultDir=") + c +
             QStringLiteral(";DriverId=790;MaxBufferSize=2048;PageTimeout=5;");
    case 3:
      return QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=Arquivos do dBASE") +
             QStringLiteral(";Extended Properties=DefaultDir=") + QFileInfo(arquivo).absolutePath() +
             QStringLiteral(";");
    case 6:
      return QStringLiteral("Provider=MSDASQL;Persist Security Info=False;Extended Properties=") +
             QStringLiteral("DSN=Excel Files;DBQ=") + arquivo + QStringLiteral(";DefaultDir=") + c +
             QStringLiteral(";DriverId=790;MaxBufferSize=2048;PageTimeout=5;");
    default:
      return QString();
  }
}

namespace {

// Splits "k=v;k=v" with optional quotes around values. With `resto`, the key
// "extended properties" unquoted takes everything up to the end.
QMap<QString, QString> Pares(const QString& texto, bool resto) {
  QMap<QString, QString> pares;
  int i = 0;
  const int n = texto.size();
  while (i < n) {
    while (i < n && (texto[i] == QLatin1Char(';') || texto[i].isSpace())) ++i;
    const int ig = texto.indexOf(QLatin1Char('='), i);
    if (ig < 0) break;
    const QString chave = texto.mid(i, ig - i).trimmed().toLower();
    i = ig + 1;
    while (i < n && texto[i] == QLatin1Char(' ')) ++i;
    QString valor;
    if (i < n && (texto[i] == QLatin1Char('"') || texto[i] == QLatin1Char('\'') || texto[i] == QLatin1Char('{'))) {
      const QChar fecha = texto[i] == QLatin1Char('{') ? QLatin1Char('}') : texto[i];
      int f = texto.indexOf(fecha, i + 1);
      if (f < 0) f = n;
      valor = texto.mid(i + 1, f - i - 1);
      i = f + 1;
    } else if (resto && chave == QLatin1String("extended properties")) {
      valor = texto.mid(i);
      i = n;
    } else {
      int f = texto.indexOf(QLatin1Char(';'), i);
      if (f < 0) f = n;
      valor = texto.mid(i, f - i).trimmed();
      i = f + 1;
    }
    if (!chave.isEmpty()) pares.insert(chave, valor);
  }
  return pares;
}

QString Primeiro(const QMap<QString, QString>& p, std::initializer_list<const char*> chaves) {
  for (const char* c : chaves) {
    const auto it = p.find(QString::fromLatin1(c));
    if (it != p.end() && !it->isEmpty()) return *it;
  }
  return QString();
}

// The source named by a file: its kind follows the extension.
Motor MotorDoArquivo(const QString& arquivo) {
  const QString ext = QFileInfo(arquivo).suffix().toLower();
  if (ext == QLatin1String("xls")) return Motor::Excel;
  if (ext == QLatin1String("dbf")) return Motor::Dbase;
  return Motor::Access;
}

void LeOdbc(ParametrosConexao& p) {
  QString ext = Primeiro(p.pares, {"extended properties"});
  QMap<QString, QString> odbc = ParesOdbc(ext);
  const QString fonte = Primeiro(p.pares, {"data source"});
  if (!fonte.isEmpty() && !odbc.contains(QStringLiteral("dsn")) && !odbc.contains(QStringLiteral("driver"))) {
    ext = QStringLiteral("DSN=") + fonte + (ext.isEmpty() ? QString() : QStringLiteral(";") + ext);
    odbc.insert(QStringLiteral("dsn"), fonte);
  }
  const QString usuario = Primeiro(p.pares, {"user id", "uid"});
  const QString senha = Primeiro(p.pares, {"password", "pwd"});
  if (!usuario.isEmpty() && !odbc.contains(QStringLiteral("uid"))) ext += QStringLiteral(";UID=") + usuario;
  if (!senha.isEmpty() && !odbc.contains(QStringLiteral("pwd"))) ext += QStringLiteral(";PWD=") + senha;
  const QString dsn = odbc.value(QStringLiteral("dsn"));
  p.fonteDados = dsn;
  // The desktop data sources the connect command names are files read here.
  if (dsn.compare(QLatin1String("Arquivos do Excel"), Qt::CaseInsensitive) == 0 ||
      dsn.compare(QLatin1String("Excel Files"), Qt::CaseInsensitive) == 0) {
    p.motor = Motor::Excel;
    p.arquivo = odbc.value(QStringLiteral("dbq"));
    if (p.arquivo.isEmpty()) p.erro = QStringLiteral("Nenhuma planilha indicada (DBQ).");
    return;
  }
  if (dsn.compare(QLatin1String("Arquivos do dBASE"), Qt::CaseInsensitive) == 0 ||
      dsn.compare(QLatin1String("dBASE Files"), Qt::CaseInsensitive) == 0) {
    p.motor = Motor::Dbase;
    p.arquivo = odbc.value(QStringLiteral("defaultdir"));
    if (p.arquivo.isEmpty()) p.arquivo = odbc.value(QStringLiteral("dbq"));
    if (p.arquivo.isEmpty()) p.arquivo = QDir::currentPath();
    return;
  }
  if (ext.trimmed().isEmpty()) {
    p.motor = Motor::Nenhum;
    p.erro = QStringLiteral("[Microsoft][ODBC Driver Manager] Data source name not found and no default driver specified");
    return;
  }
  p.motor = Motor::Odbc;
  p.textoOdbc = ext;
  if (p.fonteDados.isEmpty()) p.fonteDados = odbc.value(QStringLiteral("database"));
}

}  // namespace

QMap<QString, QString> ParesOdbc(const QString& texto) { return Pares(texto, false); }

namespace {
// A password key and its value: quoted, in braces or up to the next ";".
const QRegularExpression& ExpressaoSenha() {
  static const QRegularExpression e(QStringLiteral(R"x((^|;)(\s*(?:password|pwd)\s*=\s*)("[^"]*"|'[^']*'|\{[^}]*\}|[^;]*))x"),
                                    QRegularExpression::CaseInsensitiveOption);
  return e;
}
}  // namespace

QString OcultaSenha(const QString& texto) {
  QString s;
  qsizetype inicio = 0;
  QRegularExpressionMatchIterator i = ExpressaoSenha().globalMatch(texto);
  while (i.hasNext()) {
    const QRegularExpressionMatch m = i.next();
    s += texto.mid(inicio, m.capturedStart(3) - inicio);
    if (!m.captured(3).trimmed().isEmpty()) s += QStringLiteral("********");
    inicio = m.capturedEnd(3);
  }
  return s + texto.mid(inicio);
}

QString RetiraSenhaOdbc(const QString& texto, QString& senha) {
  QString s = texto;
  const QRegularExpressionMatch m = ExpressaoSenha().match(s);
  if (!m.hasMatch()) return s;
  senha = m.captured(3).trimmed();
  if (senha.startsWith(QLatin1Char('{')) && senha.endsWith(QLatin1Char('}'))) senha = senha.mid(1, senha.size() - 2);
  s.remove(m.capturedStart(0), m.capturedLength(0));
  if (s.startsWith(QLatin1Char(';'))) s.remove(0, 1);
  return s;
}

ParametrosConexao LeTextoConexao(const QString& texto) {
  ParametrosConexao p;
  p.pares = Pares(texto, true);
  p.provedor = p.pares.value(QStringLiteral("provider"));
  const QString prov = p.provedor.trimmed().toLower();
  const QString fonte = Primeiro(p.pares, {"data source"});
  if (texto.trimmed().isEmpty()) {
    p.erro = QStringLiteral("Nenhuma seqüência de conexão.");
    return p;
  }
  if (prov.startsWith(QLatin1String("microsoft.jet.oledb")) || prov.startsWith(QLatin1String("microsoft.ace.oledb"))) {
    p.arquivo = fonte;
    p.fonteDados = fonte;
    p.motor = MotorDoArquivo(fonte);
    if (p.motor == Motor::Dbase) p.arquivo = QFileInfo(fonte).absolutePath();
  } else if (prov.isEmpty() || prov.startsWith(QLatin1String("msdasql"))) {
    // Without a provider the whole string is the ODBC one.
    if (prov.isEmpty() && !p.pares.contains(QStringLiteral("extended properties")) &&
        !p.pares.contains(QStringLiteral("data source")))
      p.pares.insert(QStringLiteral("extended properties"), texto);
    LeOdbc(p);
  } else if (prov == QLatin1String("sqlite")) {
    p.motor = Motor::Sqlite;
    p.arquivo = fonte;
    p.fonteDados = fonte;
  } else if (prov == QLatin1String("postgresql")) {
    p.motor = Motor::Postgres;
    p.servidor = Primeiro(p.pares, {"data source", "server", "host"});
    p.porta = Primeiro(p.pares, {"port"}).toInt();
    p.banco = Primeiro(p.pares, {"initial catalog", "database"});
    p.usuario = Primeiro(p.pares, {"user id", "uid"});
    p.senha = Primeiro(p.pares, {"password", "pwd"});
    p.fonteDados = p.servidor.isEmpty() ? QStringLiteral("localhost") : p.servidor;
  } else if (prov.startsWith(QLatin1String("sqloledb")) || prov.startsWith(QLatin1String("sqlncli"))) {
    // The SQL Server family's own providers go through the FreeTDS driver.
    p.motor = Motor::Odbc;
    p.servidor = fonte;
    p.banco = Primeiro(p.pares, {"initial catalog", "database"});
    p.usuario = Primeiro(p.pares, {"user id", "uid"});
    p.senha = Primeiro(p.pares, {"password", "pwd"});
    QString s = QStringLiteral("DRIVER={FreeTDS};SERVER=") + fonte;
    const QString porta = Primeiro(p.pares, {"port"});
    s += QStringLiteral(";PORT=") + (porta.isEmpty() ? QStringLiteral("1433") : porta);
    if (!p.banco.isEmpty()) s += QStringLiteral(";DATABASE=") + p.banco;
    if (!p.usuario.isEmpty()) s += QStringLiteral(";UID=") + p.usuario;
    if (!p.senha.isEmpty()) s += QStringLiteral(";PWD=") + p.senha;
    p.textoOdbc = s;
    p.fonteDados = fonte;
  } else {
    p.erro = QStringLiteral("Provider cannot be found. It may not be properly installed.");
  }
  if (p.motor != Motor::Nenhum && p.motor != Motor::Postgres && p.motor != Motor::Odbc && p.arquivo.isEmpty() &&
      p.erro.isEmpty())
    p.erro = QStringLiteral("Nenhum arquivo indicado (Data Source).");
  if (!p.erro.isEmpty() && p.motor != Motor::Odbc) p.motor = Motor::Nenhum;
  return p;
}

}  // namespace brenk
