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

bool FonteQtSql::ColunasTabela(const QString& esquema, const QString& tabela, QStringList& colunas) {
  QSqlDatabase db = Banco();
  if (!db.isOpen()) return false;
  // The schema restricts too: a name found in several schemas gives one table's columns.
  const QSqlRecord r = db.record(esquema.isEmpty() ? tabela : esquema + QLatin1Char('.') + tabela);
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
