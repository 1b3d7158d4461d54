#include "platform/Programa.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QProcess>
#include <QTranslator>
#include <utility>

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

namespace {
// The words of Qt's file icon provider that its Portuguese catalogue lacks:
// the file dialogs' type column read "Folder" and "tsn File".
class TraducaoComplementar : public QTranslator {
public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* contexto, const char* texto, const char*, int) const override {
    if (qstrcmp(contexto, "QAbstractFileIconProvider") != 0) return {};
    static const std::pair<const char*, const char*> tabela[] = {
        {"Folder", "Pasta"},   {"File Folder", "Pasta"}, {"%1 File", "Arquivo %1"}, {"File", "Arquivo"},
        {"Drive", "Unidade"},  {"Shortcut", "Atalho"},   {"Alias", "Atalho"},       {"Unknown", "Desconhecido"}};
    for (const auto& [ingles, portugues] : tabela)
      if (qstrcmp(texto, ingles) == 0) return QString::fromUtf8(portugues);
    return {};
  }
};
}  // namespace

void CarregaTraducoesQt() {
  static QPointer<QTranslator> traducao;
  if (traducao || !QCoreApplication::instance()) return;
  auto* t = new QTranslator(QCoreApplication::instance());
  if (!t->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return;
  }
  QCoreApplication::installTranslator(t);
  QCoreApplication::installTranslator(new TraducaoComplementar(t));
  traducao = t;
}

}  // namespace plat
