#include "platform/Dialogo.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMimeDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <deque>

namespace plat {

namespace {
struct Estado {
  QHash<QString, std::deque<RoteiroDialogo>> roteiros;
  bool modo = false;
};
Estado& estado() {
  static Estado e;
  return e;
}

// A file of no known type (the models, the older formats) is named by its
// extension, not as an unknown one.
class TiposArquivo : public QFileIconProvider {
public:
  QString type(const QFileInfo& info) const override {
    if (info.isFile() && !info.suffix().isEmpty() &&
        QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).isDefault())
      return QStringLiteral("Arquivo %1").arg(info.suffix().toUpper());
    return QFileIconProvider::type(info);
  }
};

// Qt's file dialog opens at a size that cuts its detail columns (the
// modification date and its heading). It opens wider here, the name column
// takes what is left, and the size, type and date columns fit their texts
// whenever a folder's entries arrive, still resizable by hand.
void AjustaDialogoArquivo(QFileDialog& d) {
  auto* vista = d.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!vista) return;
  static TiposArquivo tipos;
  d.setIconProvider(&tipos);
  QSize tamanho = d.sizeHint().expandedTo(QSize(820, 480));
  if (const QScreen* tela = d.screen() ? d.screen() : QGuiApplication::primaryScreen())
    tamanho = tamanho.boundedTo(tela->availableGeometry().size());
  d.resize(tamanho);
  QHeaderView* cabecalho = vista->header();
  cabecalho->setStretchLastSection(false);
  cabecalho->setSectionResizeMode(0, QHeaderView::Stretch);
  QPointer<QTreeView> alvo(vista);
  auto ajusta = [alvo] {
    if (!alvo) return;
    for (int c = 1; c < alvo->header()->count(); ++c) alvo->resizeColumnToContents(c);
  };
  ajusta();
  if (auto* modelo = d.findChild<QFileSystemModel*>())
    QObject::connect(modelo, &QFileSystemModel::directoryLoaded, vista, ajusta);
}
}  // namespace

int ExecutaDialogo(QDialog& dlg) {
  if (auto* arquivo = qobject_cast<QFileDialog*>(&dlg); arquivo && arquivo->testOption(QFileDialog::DontUseNativeDialog))
    AjustaDialogoArquivo(*arquivo);
  Estado& e = estado();
  auto it = e.roteiros.find(dlg.objectName());
  if (it != e.roteiros.end() && !it->empty()) {
    RoteiroDialogo roteiro = std::move(it->front());
    it->pop_front();
    QPointer<QDialog> alvo(&dlg);
    // The script runs inside the dialog's own loop, once it is shown, exactly
    // where a user would act; a script that leaves it open cancels it.
    QTimer::singleShot(0, &dlg, [alvo, roteiro]() {
      if (!alvo) return;
      roteiro(*alvo);
      if (alvo && alvo->isVisible()) alvo->reject();
    });
    return dlg.exec();
  }
  if (e.modo) return QDialog::Rejected;
  return dlg.exec();
}

void RoteiroPara(const QString& nomeObjeto, RoteiroDialogo roteiro) {
  estado().roteiros[nomeObjeto].push_back(std::move(roteiro));
}

void DefineModoRoteiro(bool ligado) { estado().modo = ligado; }
bool ModoRoteiro() { return estado().modo; }
void LimpaRoteiros() { estado().roteiros.clear(); }

QWidget* Controle(QWidget& dlg, int id) {
  return dlg.findChild<QWidget*>(QString::number(id));
}

void DefineTexto(QWidget& dlg, int id, const QString& texto) {
  QWidget* w = Controle(dlg, id);
  if (auto* e = qobject_cast<QLineEdit*>(w)) { e->setText(texto); emit e->textEdited(texto); emit e->editingFinished(); }
  else if (auto* c = qobject_cast<QComboBox*>(w)) {
    const int i = c->findText(texto);
    if (i >= 0) c->setCurrentIndex(i);
    else if (c->isEditable()) c->setEditText(texto);
  }
  else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(texto);
  else if (auto* t = qobject_cast<QTextEdit*>(w)) t->setPlainText(texto);
  else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->setPlainText(texto);
  else if (auto* s = qobject_cast<QSpinBox*>(w)) s->setValue(texto.toInt());
  else if (auto* d = qobject_cast<QDoubleSpinBox*>(w)) d->setValue(texto.toDouble());
  else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(texto);
}

QString Texto(QWidget& dlg, int id) {
  QWidget* w = Controle(dlg, id);
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
  if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) return s->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  return QString();
}

void DefineMarcado(QWidget& dlg, int id, bool marcado) {
  if (auto* b = qobject_cast<QAbstractButton*>(Controle(dlg, id))) {
    // A click, so the dialog's handlers run as they would for the user.
    if (b->isChecked() != marcado) b->click();
  }
}

bool Marcado(QWidget& dlg, int id) {
  auto* b = qobject_cast<QAbstractButton*>(Controle(dlg, id));
  return b && b->isChecked();
}

void SelecionaItem(QWidget& dlg, int id, int indice) {
  QWidget* w = Controle(dlg, id);
  if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentIndex(indice);
  else if (auto* l = qobject_cast<QListWidget*>(w)) l->setCurrentRow(indice);
}

bool Habilitado(QWidget& dlg, int id) {
  QWidget* w = Controle(dlg, id);
  return w && w->isEnabled();
}

void Pressiona(QWidget& dlg, int id) {
  if (auto* b = qobject_cast<QAbstractButton*>(Controle(dlg, id))) b->click();
}

}  // namespace plat
