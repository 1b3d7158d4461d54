#include "dbmanager/FonteQtSql.h"

#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>
#include <optional>

namespace brenk {

QString TextoErros(const QList<ErroFonte>& erros) {
  QString t;
  for (const ErroFonte& e : erros) {
    t += e.descricao + QStringLiteral("\nState: ") + e.estado + QStringLiteral(", Native: ") +
         QString::number(e.nativo) + QStringLiteral(", Source: ") + e.origem + QStringLiteral("\n\n");
  }
  t.chop(2);
  return t;
}

QVariant DataSource::ValorPropriedade(const QString& nome) const {
  for (const Propriedade& p : propriedades_)
    if (p.first.compare(nome, Qt::CaseInsensitive) == 0) return p.second;
  return QVariant();
}

void DataSource::DefinePropriedade(const QString& nome, const QVariant& valor) {
  for (Propriedade& p : propriedades_)
    if (p.first.compare(nome, Qt::CaseInsensitive) == 0) {
      p.second = valor;
      return;
    }
  propriedades_.append({nome, valor});
}

bool DataSource::Bancos(QStringList& nomes) {
  nomes.clear();
  return true;
}

bool DataSource::Procedimentos(QList<ProcedimentoEsquema>& procedimentos) {
  procedimentos.clear();
  return true;
}

ResultadoPropriedades DataSource::DescrevePropriedades(const QString&, int, int, ColecoesPropriedades&) {
  return ResultadoPropriedades::Erro;
}

PropriedadeProvedor FatoProvedor(const QString& nome, const QVariant& valor, int atributos) {
  PropriedadeProvedor p{nome, 0, valor, atributos};
  switch (valor.metaType().id()) {
    case QMetaType::Bool: p.tipo = 11; break;
    case QMetaType::Short: p.tipo = 2; break;
    case QMetaType::Int: p.tipo = 3; break;
    case QMetaType::UInt: p.tipo = 19; break;
    case QMetaType::LongLong: case QMetaType::Long: p.tipo = 20; break;
    case QMetaType::ULongLong: case QMetaType::ULong: p.tipo = 21; break;
    case QMetaType::Float: p.tipo = 4; break;
    case QMetaType::Double: p.tipo = 5; break;
    case QMetaType::QString: p.tipo = 8; break;
    case QMetaType::QDate: p.tipo = 133; break;
    case QMetaType::QTime: p.tipo = 134; break;
    case QMetaType::QDateTime: p.tipo = 135; break;
    case QMetaType::QByteArray: p.tipo = 128; break;
    default: p.tipo = valor.isValid() ? 12 : 0;
  }
  return p;
}

namespace {

// The driver's features by the names the dump gives them.
const struct {
  QSqlDriver::DriverFeature recurso;
  const char* nome;
} kRecursos[] = {
    {QSqlDriver::Transactions, "Transactions"},
    {QSqlDriver::QuerySize, "Query Size"},
    {QSqlDriver::BLOB, "BLOB"},
    {QSqlDriver::Unicode, "Unicode"},
    {QSqlDriver::PreparedQueries, "Prepared Queries"},
    {QSqlDriver::NamedPlaceholders, "Named Placeholders"},
    {QSqlDriver::PositionalPlaceholders, "Positional Placeholders"},
    {QSqlDriver::LastInsertId, "Last Insert Id"},
    {QSqlDriver::BatchOperations, "Batch Operations"},
    {QSqlDriver::SimpleLocking, "Simple Locking"},
    {QSqlDriver::LowPrecisionNumbers, "Low Precision Numbers"},
    {QSqlDriver::EventNotifications, "Event Notifications"},
    {QSqlDriver::FinishQuery, "Finish Query"},
    {QSqlDriver::MultipleResultSets, "Multiple Result Sets"},
    {QSqlDriver::CancelQuery, "Cancel Query"},
};

QString TextoObrigatorio(QSqlField::RequiredStatus s) {
  switch (s) {
    case QSqlField::Required: return QStringLiteral("Required");
    case QSqlField::Optional: return QStringLiteral("Optional");
    default: return QStringLiteral("Unknown");
  }
}

}  // namespace

bool DataSource::UsaBanco(const QString&) { return false; }
bool DataSource::ValorUnico(const QString&, QVariant&) { return false; }
bool DataSource::Tabelas(QList<TabelaEsquema>&) { return false; }
bool DataSource::ColunasTabela(const QString&, const QString&, QStringList&) { return false; }

bool FonteQtSql::Tabelas(QList<TabelaEsquema>& tabelas) {
  QSqlDatabase db = Banco();
  if (!db.isOpen()) return false;
  const struct { QSql::TableType tipo; const char* texto; } tipos[] = {
      {QSql::Tables, "TABLE"}, {QSql::Views, "VIEW"}, {QSql::SystemTables, "SYSTEM TABLE"}};
  for (const auto& t : tipos) {
    for (const QString& nome : db.tables(t.tipo)) {
      // The drivers name a table outside the default schema as "schema.table".
      TabelaEsquema e;
      e.tipo = QString::fromLatin1(t.texto);
      const qsizetype ponto = driver_ == QLatin1String("QSQLITE") ? -1 : nome.indexOf(QLatin1Char('.'));
      if (ponto > 0) {
        e.esquema = nome.left(ponto);
        e.nome = nome.mid(ponto + 1);
      } else {
        e.nome = nome;
      }
      tabelas << e;
    }
  }
  erros_ = ErrosDe(db.lastError());
  return erros_.isEmpty();
}

ResultadoPropriedades FonteQtSql::DescrevePropriedades(const QString& comando, int tempoLimite, int cache,
                                                       ColecoesPropriedades& c) {
  erros_.clear();
  c = ColecoesPropriedades();
  QSqlDatabase db = Banco();
  if (!db.isOpen() || !db.driver()) {
    erros_ << ErroFonte{QStringLiteral("Errors occurred."), QString(), 0, OrigemErro()};
    return ResultadoPropriedades::Erro;
  }
  // The statements run in order up to the first that returns a result set.
  const QStringList comandos = DivideLote(comando);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  bool conjunto = false;
  for (const QString& cmd : comandos) {
    AntesDoComando(cmd);
    if (!q.exec(cmd)) {
      erros_ = ErrosDe(q.lastError());
      if (erros_.isEmpty()) erros_ << ErroFonte{QStringLiteral("Errors occurred."), QString(), 0, OrigemErro()};
      return ResultadoPropriedades::Erro;
    }
    if (q.isSelect() && q.record().count() > 0) {
      conjunto = true;
      break;
    }
  }
  if (!conjunto) return ResultadoPropriedades::SemColunas;

  for (const Propriedade& p : propriedades_) c.conexao << FatoProvedor(p.first, p.second);
  c.conexao << FatoProvedor(QStringLiteral("Qt Driver Name"), driver_);
  for (const auto& r : kRecursos)
    c.conexao << FatoProvedor(QString::fromLatin1(r.nome), db.driver()->hasFeature(r.recurso));
  c.conexao << FatosServidor();

  c.comando << FatoProvedor(QStringLiteral("Command Text"), comando, 1536)
            << FatoProvedor(QStringLiteral("Command Timeout"), tempoLimite, 1536)
            << FatoProvedor(QStringLiteral("Statements"), int(comandos.size()))
            << FatoProvedor(QStringLiteral("Forward Only"), q.isForwardOnly());

  const QSqlRecord r = q.record();
  const bool linha = q.next();
  const bool tamanho = db.driver()->hasFeature(QSqlDriver::QuerySize);
  c.conjunto << FatoProvedor(QStringLiteral("Cursor Type"), QStringLiteral("Forward-only"))
             << FatoProvedor(QStringLiteral("Lock Type"), QStringLiteral("Read-only"))
             << FatoProvedor(QStringLiteral("Cache Size"), cache, 1536)
             << FatoProvedor(QStringLiteral("Field Count"), int(r.count()))
             << FatoProvedor(QStringLiteral("Record Count"), tamanho ? q.size() : -1)
             << FatoProvedor(QStringLiteral("EOF"), !linha);

  const QSqlField f = r.field(0);
  c.campo << FatoProvedor(QStringLiteral("Name"), f.name())
          << FatoProvedor(QStringLiteral("Type"), QString::fromLatin1(f.metaType().name() ? f.metaType().name() : ""))
          << FatoProvedor(QStringLiteral("Length"), f.length())
          << FatoProvedor(QStringLiteral("Precision"), f.precision())
          << FatoProvedor(QStringLiteral("Required"), TextoObrigatorio(f.requiredStatus()))
          << FatoProvedor(QStringLiteral("Read Only"), f.isReadOnly())
          << FatoProvedor(QStringLiteral("Auto Value"), f.isAutoValue())
          << FatoProvedor(QStringLiteral("Table Name"), f.tableName())
          << FatoProvedor(QStringLiteral("Default Value"), f.defaultValue())
          << FatoProvedor(QStringLiteral("Value"), linha ? q.value(0) : QVariant());
  return ResultadoPropriedades::Ok;
}

QString FonteQtSql::CitaIdentificador(const QString& nome, bool tabela) const {
  const QSqlDatabase db = Banco();
  if (!db.driver()) return nome;
  return db.driver()->escapeIdentifier(nome, tabela ? QSqlDriver::TableName : QSqlDriver::FieldName);
}

bool FonteQtSql::ColunasTabela(const QString& esquema, const QString& tabela, QStringList& colunas) {
  QSqlDatabase db = Banco();
  if (!db.isOpen()) return false;
  // The schema restricts too: a name found in several schemas gives one
  // table's columns. Quoted, the names keep their letter case.
  const QSqlRecord r = db.record(esquema.isEmpty() ? tabela
                                                   : CitaIdentificador(esquema, true) + QLatin1Char('.') +
                                                         CitaIdentificador(tabela, true));
  for (int i = 0; i < r.count(); ++i) colunas << r.fieldName(i);
  return true;
}

namespace {

QString NovoNomeConexao() {
  static std::atomic<int> contador{0};
  return QStringLiteral("brenk-%1").arg(++contador);
}

// A batch run statement by statement on one QtSql connection.
class ExecucaoQtSql : public ExecucaoLote {
public:
  ExecucaoQtSql(FonteQtSql& fonte, QStringList comandos) : fonte_(fonte), comandos_(std::move(comandos)) {}

  bool Proximo() override {
    erros_.clear();
    if (q_ && q_->isActive() && fonte_.ResultadosSeguintes() && q_->nextResult()) return true;
    if (++indice_ >= comandos_.size()) {
      q_.reset();
      return false;
    }
    q_.reset();
    q_.emplace(fonte_.Banco());
    q_->setForwardOnly(true);
    const QString& c = comandos_[indice_];
    fonte_.AntesDoComando(c);
    if (!q_->exec(c)) {
      erros_ = fonte_.ErrosDe(q_->lastError());
      return false;
    }
    return true;
  }

  bool Aberto() const override { return q_ && q_->isActive() && q_->isSelect(); }

  QList<ColunaResultado> Colunas() const override {
    QList<ColunaResultado> cols;
    if (!q_) return cols;
    const QSqlRecord r = q_->record();
    for (int i = 0; i < r.count(); ++i) {
      const QSqlField f = r.field(i);
      ColunaResultado c;
      c.nome = f.name();
      c.tamanho = f.length();
      c.binaria = f.metaType().id() == QMetaType::QByteArray;
      cols << c;
    }
    return cols;
  }

  qint64 LinhasAfetadas() const override {
    return q_ ? fonte_.LinhasAfetadas(*q_, comandos_.value(indice_)) : -1;
  }

  bool ProximaLinha() override {
    if (!q_) return false;
    if (q_->next()) return true;
    const QSqlError e = q_->lastError();
    if (e.isValid() && e.type() != QSqlError::NoError) erros_ = fonte_.ErrosDe(e);
    return false;
  }

  QVariant Valor(int coluna) const override { return q_ ? q_->value(coluna) : QVariant(); }

private:
  FonteQtSql& fonte_;
  QStringList comandos_;
  int indice_ = -1;
  std::optional<QSqlQuery> q_;
};

}  // namespace

FonteQtSql::FonteQtSql(const QString& driver, const ParametrosConexao& parametros)
    : p_(parametros), driver_(driver), nomeConexao_(NovoNomeConexao()) {}

FonteQtSql::~FonteQtSql() { Fecha(); }

QSqlDatabase FonteQtSql::Banco() const { return QSqlDatabase::database(nomeConexao_, false); }

bool FonteQtSql::Abre() {
  erros_.clear();
  if (!QSqlDatabase::isDriverAvailable(driver_)) {
    erros_ << ErroFonte{QStringLiteral("O driver %1 não está instalado.").arg(driver_), QString(), 0, OrigemErro()};
    return false;
  }
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(driver_, nomeConexao_);
    Configura(db);
    if (!db.open()) {
      erros_ = ErrosDe(db.lastError());
      if (erros_.isEmpty()) erros_ << ErroFonte{QStringLiteral("Ocorreram erros."), QString(), 0, OrigemErro()};
    }
  }
  if (!erros_.isEmpty()) {
    Fecha();
    return false;
  }
  if (!AposAbrir()) {
    Fecha();
    return false;
  }
  return true;
}

void FonteQtSql::Fecha() {
  interruptor_.reset();
  if (!QSqlDatabase::contains(nomeConexao_)) return;
  {
    QSqlDatabase db = QSqlDatabase::database(nomeConexao_, false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(nomeConexao_);
}

bool FonteQtSql::Aberta() const {
  return QSqlDatabase::contains(nomeConexao_) && Banco().isOpen();
}

QStringList FonteQtSql::DivideLote(const QString& lote) const { return {lote}; }

qint64 FonteQtSql::LinhasAfetadas(const QSqlQuery& q, const QString&) const {
  return q.numRowsAffected();
}

QList<ErroFonte> FonteQtSql::ErrosDe(const QSqlError& e) const {
  QList<ErroFonte> l;
  if (!e.isValid() || e.type() == QSqlError::NoError) return l;
  ErroFonte f;
  f.descricao = e.databaseText().trimmed();
  if (f.descricao.isEmpty()) f.descricao = e.driverText().trimmed();
  bool numero = false;
  const int codigo = e.nativeErrorCode().toInt(&numero);
  if (numero) f.nativo = codigo;
  else f.estado = e.nativeErrorCode();
  f.origem = OrigemErro();
  l << f;
  return l;
}

std::unique_ptr<ExecucaoLote> FonteQtSql::Executa(const QString& lote) {
  return std::make_unique<ExecucaoQtSql>(*this, DivideLote(lote));
}

bool FonteQtSql::UsaBanco(const QString& nome) {
  erros_.clear();
  QSqlQuery q(Banco());
  if (!q.exec(QStringLiteral("use ") + nome)) {
    erros_ = ErrosDe(q.lastError());
    return false;
  }
  QString simples = nome;
  if (simples.contains(QLatin1Char('['))) {
    simples = simples.mid(1);
    simples = simples.left(simples.indexOf(QLatin1Char(']')));
  }
  DefinePropriedade(QStringLiteral("Current Catalog"), simples);
  return true;
}

bool FonteQtSql::ValorUnico(const QString& sql, QVariant& valor) {
  erros_.clear();
  QSqlQuery q(Banco());
  q.setForwardOnly(true);
  if (!q.exec(sql)) {
    erros_ = ErrosDe(q.lastError());
    return false;
  }
  if (!q.next()) return false;
  valor = q.value(0);
  return true;
}

}  // namespace brenk
