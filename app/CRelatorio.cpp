#include "CRelatorio.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
CRelatorio* Dialogo(void* c) { return static_cast<CRelatorio*>(c); }
}  // namespace

CRelatorio::CRelatorio(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg538"));
  setWindowTitle(QStringLiteral("Calculando ..."));
  registro_ = new QTextEdit(this);
  registro_->setObjectName(QStringLiteral("1106"));
  registro_->setReadOnly(true);
  registro_->setUndoRedoEnabled(false);
  registro_->setAcceptRichText(false);
  barra_ = new QProgressBar(this);
  barra_->setObjectName(QStringLiteral("1091"));
  barra_->setTextVisible(false);
  botao_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  botao_->setObjectName(QStringLiteral("2"));
  connect(botao_, &QPushButton::clicked, this, &CRelatorio::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(registro_, 1);
  layout->addWidget(barra_);
  layout->addWidget(botao_, 0, Qt::AlignRight);
  resize(460, 360);

  progresso_.contexto = this;
  progresso_.AcrescentaRegistro = [](void* c, const char* t) {
    Dialogo(c)->Acrescenta(QString::fromUtf8(t));
  };
  progresso_.DefineFaixa = [](void* c, int baixo, int alto) { Dialogo(c)->barra_->setRange(baixo, alto); };
  progresso_.DefinePosicao = [](void* c, int pos) { Dialogo(c)->barra_->setValue(pos); };
  progresso_.ProcessaMensagens = [](void* c) { Dialogo(c)->ProcessaMensagens(); };
}

void CRelatorio::Acrescenta(const QString& texto) {
  QTextCursor cursor = registro_->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(texto);
  registro_->setTextCursor(cursor);
}

QString CRelatorio::TextoRegistro() const { return registro_->toPlainText(); }

void CRelatorio::ProcessaMensagens() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CRelatorio::MostraFechar() { botao_->setText(QStringLiteral("&Fechar")); }

void CRelatorio::AguardaFechamento() {
  if (fechado_) return;
  QEventLoop espera;
  connect(this, &CRelatorio::fechou, &espera, &QEventLoop::quit);
  espera.exec();
}

void CRelatorio::reject() {
  fechado_ = true;
  QDialog::reject();
  emit fechou();
}
