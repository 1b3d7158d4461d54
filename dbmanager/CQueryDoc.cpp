#include "dbmanager/CQueryDoc.h"

#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>

namespace brenk {

bool CQueryDoc::Abre(const QString& caminho, QPlainTextEdit* editor) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return false;
  editor->setPlainText(QString::fromUtf8(f.readAll()));
  editor->document()->setModified(false);
  caminho_ = QFileInfo(caminho).absoluteFilePath();
  tituloBase_ = QFileInfo(caminho).completeBaseName();
  emit caminhoDefinido(caminho_);
  return true;
}

bool CQueryDoc::AbreArquivo(const QString& caminho) {
  if (!editor_ || !Abre(caminho, editor_)) {
    plat::MessageBox(QStringLiteral("Caminho do arquivo: %1").arg(caminho));
    return false;
  }
  SetTitle(tituloBase_);
  return true;
}

bool CQueryDoc::Modificado() const { return editor_ && editor_->document()->isModified(); }

void CQueryDoc::SetTitle(const QString& t) {
  QString titulo = t;
  if (t.isEmpty() || !t.contains(QLatin1Char('-'))) {
    if (!fonte_.isEmpty()) {
      titulo = fonte_ + QStringLiteral(" - ") + t;
      QString q;
      if (editor_) {
        const QTextCursor c = editor_->textCursor();
        q = c.hasSelection() ? c.selectedText() : editor_->toPlainText();
      }
      if (q.isEmpty()) q = QStringLiteral("New Query");
      for (QChar& ch : q)
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QChar::ParagraphSeparator) ch = QLatin1Char(' ');
      titulo += q.size() < 16 ? QStringLiteral(" - (") + q + QLatin1Char(')')
                              : QStringLiteral(" - (") + q.left(15) + QStringLiteral("...)");
    }
  }
  titulo_ = titulo;
  emit tituloMudou(titulo_);
}

void CQueryDoc::TituloSimples() {
  QString t = titulo_;
  const int p = int(t.indexOf(QLatin1String(" - (")));
  if (p >= 0) t = t.left(p);
  const int h = int(t.indexOf(QLatin1String("- ")));
  if (h >= 0) titulo_ = t.mid(h + 2);
}

bool CQueryDoc::Grava(const QString& caminho) {
  const QByteArray bytes = editor_ ? editor_->toPlainText().toUtf8() : QByteArray();
  plat::GravacaoSegura g(caminho);
  if (!g.Aberta() || !g.Escreve(bytes.constData(), std::size_t(bytes.size())) || !g.Confirma()) {
    plat::MessageBox(QStringLiteral("Caminho do arquivo: %1").arg(caminho) + QLatin1Char('\n') + g.Erro());
    return false;
  }
  if (editor_) editor_->document()->setModified(false);
  return true;
}

bool CQueryDoc::Salva(bool comoNovo) {
  const QString lembrado = titulo_;
  TituloSimples();
  QString caminho = comoNovo ? QString() : caminho_;
  if (caminho.isEmpty()) {
    QFileDialog dlg(nullptr, QStringLiteral("Salvar Como"));
    dlg.setObjectName(QStringLiteral("dlgSalvarConsulta"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("tsq"));
    dlg.setNameFilters({QStringLiteral("Arquivos de consulta (*.tsq)"), QStringLiteral("All Files (*.*)")});
    dlg.selectFile(titulo_);
    if (plat::ExecutaDialogo(dlg) == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) caminho = dlg.selectedFiles().first();
  }
  if (caminho.isEmpty() || !Grava(caminho)) {
    titulo_ = lembrado;
    emit tituloMudou(titulo_);
    return false;
  }
  caminho_ = QFileInfo(caminho).absoluteFilePath();
  tituloBase_ = QFileInfo(caminho).completeBaseName();
  emit caminhoDefinido(caminho_);
  SetTitle(tituloBase_);
  return true;
}

bool CQueryDoc::SaveModified() {
  if (!Modificado()) return true;
  const QString lembrado = titulo_;
  TituloSimples();
  const int r = plat::MessageBox(QStringLiteral("Salvar as alterações em %1?").arg(titulo_), QString(),
                                 plat::MB_YESNOCANCEL | plat::MB_ICONQUESTION);
  titulo_ = lembrado;
  if (r == plat::IDCANCEL) return false;
  if (r == plat::IDNO) return true;
  return Salva(false);
}

}  // namespace brenk
