#include "modules/regression/CRelatorio.h"

#include "platform/TextoNumerico.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

namespace ostrimo {

CRelatorio::CRelatorio() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QString::fromUtf8("dlg134"));
  setWindowTitle(QString::fromUtf8("Resultados Estatísticos"));
  legenda_ = new QLabel(QString::fromUtf8("Coeficiente Correlação Máximo :"), this);
  legenda_->setObjectName(QString::fromUtf8("1031"));
  criterio_ = new QLabel(this);
  criterio_->setObjectName(QString::fromUtf8("1029"));
  criterio_->setMinimumWidth(110);
  barra_ = new QProgressBar(this);
  barra_->setObjectName(QString::fromUtf8("1030"));
  barra_->setTextVisible(false);
  barra_->setMinimumWidth(280);
  auto* grade = new QGridLayout(this);
  grade->addWidget(legenda_, 0, 0);
  grade->addWidget(criterio_, 0, 1);
  grade->addWidget(barra_, 1, 0, 1, 2);
}

CRelatorio::~CRelatorio() = default;

void CRelatorio::Mostra() {
  show();
  // Window-system events only (no input, no sockets), for at most half a second.
  const QDeadlineTimer limite(500);
  while (!testAttribute(Qt::WA_Mapped) && !limite.hasExpired())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers, 20);
  repaint();
}

void CRelatorio::DefineLegenda(const QString& texto) {
  legenda_->setText(texto);
  legenda_->repaint();
}

void CRelatorio::DefineFaixa(int maximo) {
  barra_->setRange(0, maximo);
  barra_->setValue(0);
  barra_->repaint();
}

void CRelatorio::DefinePosicao(int posicao) {
  if (barra_->value() == posicao) return;
  barra_->setValue(posicao);
  barra_->repaint();
}

QString CRelatorio::TextoCriterio() const { return criterio_->text(); }

void CRelatorio::Inicia(int maximo) {
  DefineFaixa(maximo);
  if (!isVisible()) Mostra();
}

void CRelatorio::Posicao(int posicao) { DefinePosicao(posicao); }

void CRelatorio::MelhorCriterio(double criterio) {
  criterio_->setText(plat::FormataC("%9.9f", {criterio}));
  criterio_->repaint();
}

void CRelatorio::Termina() { hide(); }

}  // namespace ostrimo
