#include "ControlesAssistente.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

namespace assistente {

void DefineId(QWidget* w, int id) { w->setObjectName(QString::number(id)); }

QString TextoData(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

QDate DataDoTexto(const QString& texto) {
  const int dia = texto.mid(0, 2).toInt(), mes = texto.mid(3, 2).toInt(), ano = texto.mid(6, 4).toInt();
  if (ano < 1900 || mes < 1 || mes > 12 || dia < 1 || dia > 31) return QDate::currentDate();
  const QDate d(ano, mes, dia);
  return d.isValid() ? d : QDate::currentDate();
}

const QStringList& TiposImovel() {
  static const QStringList tipos = {
      QStringLiteral("Apartamentos"), QStringLiteral("Casas"), QStringLiteral("Lojas"),
      QStringLiteral("Escritórios / Andar Corrido"), QStringLiteral("Lotes"), QStringLiteral("Glebas"),
      QStringLiteral("Outras tipologias")};
  return tipos;
}

void LimitaTexto(QPlainTextEdit* edit, int maximo) {
  QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maximo] {
    const QString t = edit->toPlainText();
    if (t.size() <= maximo) return;
    const QSignalBlocker b(edit);
    edit->setPlainText(t.left(maximo));
    edit->moveCursor(QTextCursor::End);
    edit->document()->setModified(true);
  });
}

}  // namespace assistente
