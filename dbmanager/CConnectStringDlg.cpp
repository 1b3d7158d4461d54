#include "dbmanager/CConnectStringDlg.h"

#include "dbmanager/TextoConexao.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenk {

CConnectStringDlg::CConnectStringDlg(const QString& texto, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg144"));
  setWindowTitle(QStringLiteral("View Connection String"));
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel(QStringLiteral("Seqüência de Conexão:"), this));
  // The password stays with the connection: it is not shown.
  auto* edit = new QPlainTextEdit(OcultaSenha(texto), this);
  edit->setObjectName(QStringLiteral("1014"));
  edit->setAccessibleName(QStringLiteral("Seqüência de Conexão:"));
  edit->setReadOnly(true);
  v->addWidget(edit);
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("1"));
  fechar->setDefault(true);
  connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
  v->addWidget(fechar, 0, Qt::AlignRight);
  resize(460, 200);
}

}  // namespace brenk
