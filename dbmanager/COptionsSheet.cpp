#include "dbmanager/COptionsSheet.h"

#include "platform/Mensagem.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

namespace brenk {

namespace {
const struct { const char* nome; int valor; } kPrioridades[] = {
    {"Time critical", 15}, {"Highest", 2}, {"Above Normal", 1}, {"Normal", 0}, {"Below Normal", -1}, {"Lowest", -2}};
const QString kLowest = QStringLiteral("Lowest");

QLineEdit* Edicao(QWidget* pai, int id, int maximo, const QString& nome) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QString::number(id));
  e->setAccessibleName(nome);
  e->setMaxLength(maximo);
  e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), e));
  return e;
}
}  // namespace

CGeneralPage::CGeneralPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("146"));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Tempo limite da consulta (segundos):"), this), 0, 0);
  tempoTexto_ = Edicao(this, 1019, 5, QStringLiteral("Tempo limite da consulta"));
  g->addWidget(tempoTexto_, 0, 1);
  g->addWidget(new QLabel(QStringLiteral("Tamanho do cache (registros):"), this), 1, 0);
  cacheTexto_ = Edicao(this, 1021, 6, QStringLiteral("Tamanho do cache"));
  g->addWidget(cacheTexto_, 1, 1);
  g->addWidget(new QLabel(QStringLiteral("Prioridade da execução:"), this), 2, 0);
  prioridade_ = new QComboBox(this);
  prioridade_->setObjectName(QStringLiteral("1023"));
  prioridade_->setAccessibleName(QStringLiteral("Prioridade da execução"));
  for (const auto& p : kPrioridades) prioridade_->addItem(QString::fromLatin1(p.nome), p.valor);
  g->addWidget(prioridade_, 2, 1);
  auto* restaurar = new QPushButton(QStringLiteral("&Restaurar"), this);
  restaurar->setObjectName(QStringLiteral("3"));
  g->addWidget(restaurar, 3, 1, Qt::AlignRight);
  g->setRowStretch(4, 1);

  QSettings ini;
  tempo_ = ini.value(QStringLiteral("Configure/QueryTimeOut"), 0).toInt();
  if (tempo_ < 0 || tempo_ > 99999) tempo_ = 0;
  cache_ = ini.value(QStringLiteral("Configure/CacheSize"), 100).toInt();
  if (cache_ < 1 || cache_ > 999999) cache_ = 100;
  tempoTexto_->setText(QString::number(tempo_));
  cacheTexto_->setText(QString::number(cache_));
  QString nome = ini.value(QStringLiteral("Configure/ThreadPriority")).toString().trimmed();
  if (nome.isEmpty()) nome = kLowest;
  prioridade_->setCurrentIndex(prioridade_->findText(nome, Qt::MatchStartsWith));
  // Neither setting can change what a fetch does: offered greyed, with the reason.
  cacheTexto_->setEnabled(false);
  cacheTexto_->setToolTip(QStringLiteral("Os drivers buscam as linhas conforme precisam: o tamanho do cache "
                                         "fica guardado apenas como configuração."));
  prioridade_->setEnabled(false);
  prioridade_->setToolTip(QStringLiteral("O Linux não deixa um programa comum subir a prioridade de uma thread, "
                                         "nem devolvê-la depois de baixada: a busca roda na prioridade do programa."));
  connect(restaurar, &QPushButton::clicked, this, &CGeneralPage::Restaura);
}

QString CGeneralPage::Prioridade() const { return prioridade_->currentText(); }

void CGeneralPage::Restaura() {
  tempo_ = 0;
  cache_ = 100;
  tempoTexto_->setText(QStringLiteral("0"));
  cacheTexto_->setText(QStringLiteral("100"));
  prioridade_->setCurrentIndex(prioridade_->findText(kLowest));
}

bool CGeneralPage::Valida() {
  const QString t = tempoTexto_->text().trimmed();
  auto falha = [](QLineEdit* e, const char* texto) {
    plat::MessageBox(QString::fromLatin1(texto));
    e->setFocus();
    return false;
  };
  if (t.isEmpty()) return falha(tempoTexto_, "<Query Timeout> is a required field. The default value is Zero.");
  const int tempo = t.toInt();
  if (tempo < 0 || tempo > 99999) return falha(tempoTexto_, "Please enter an integer between 0 and 99999.");
  tempo_ = tempo;
  // The greyed cache size is stored as it was read (or as "&Restaurar" set it).
  QSettings ini;
  ini.setValue(QStringLiteral("Configure/QueryTimeOut"), tempo_);
  ini.setValue(QStringLiteral("Configure/CacheSize"), cache_);
  ini.setValue(QStringLiteral("Configure/ThreadPriority"), prioridade_->currentText());
  return true;
}

COptionsSheet::COptionsSheet(const QString& titulo, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgConfigure"));
  setWindowTitle(titulo);
  auto* v = new QVBoxLayout(this);
  auto* abas = new QTabWidget(this);
  pagina_ = new CGeneralPage(abas);
  abas->addTab(pagina_, QStringLiteral("Propriedades Gerais"));
  v->addWidget(abas);
  // OK where Cancel stood and Cancel where Apply stood: Apply is not offered.
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  cancelar->setObjectName(QStringLiteral("2"));
  auto* h = new QHBoxLayout;
  h->addStretch();
  h->addWidget(ok);
  h->addWidget(cancelar);
  v->addLayout(h);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void COptionsSheet::accept() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = pagina_->Valida();
  QApplication::restoreOverrideCursor();
  if (ok) QDialog::accept();
}

}  // namespace brenk
