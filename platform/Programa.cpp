#include "platform/Programa.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QProcess>
#include <QTranslator>

namespace plat {

QString PastaPrograma() {
  static const QString pasta = [] {
    // The link names the executable the kernel started, whoever loaded us.
    QFileInfo exe(QStringLiteral("/proc/self/exe"));
    QString alvo = exe.symLinkTarget();
    if (alvo.isEmpty()) return QDir::currentPath();
    return QFileInfo(alvo).absolutePath();
  }();
  return pasta;
}

QString CaminhoPrograma(const QString& arquivo) {
  return QDir(PastaPrograma()).filePath(arquivo);
}

namespace {
IniciadorPrograma& Iniciador() {
  static IniciadorPrograma i;
  return i;
}
}  // namespace

bool IniciaDestacado(const QString& programa, const QStringList& argumentos) {
  if (Iniciador()) return Iniciador()(programa, argumentos);
  return QProcess::startDetached(programa, argumentos);
}

IniciadorPrograma DefineIniciadorPrograma(IniciadorPrograma iniciador) {
  IniciadorPrograma anterior = std::move(Iniciador());
  Iniciador() = std::move(iniciador);
  return anterior;
}

void CarregaTraducoesQt() {
  static QPointer<QTranslator> traducao;
  if (traducao || !QCoreApplication::instance()) return;
  auto* t = new QTranslator(QCoreApplication::instance());
  if (!t->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return;
  }
  QCoreApplication::installTranslator(t);
  traducao = t;
}

}  // namespace plat
