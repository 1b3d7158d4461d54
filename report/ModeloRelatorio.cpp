#include "ModeloRelatorio.h"

#include "CDocChildFrame.h"
#include "CLaudoDoc.h"
#include "CLaudoView.h"
#include "ComandosRelatorio.h"
#include "FileTypeEntry.h"
#include "RelatorioResultados.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarsolinApp.h"
#include "model/CTarsolinDoc.h"
#include "platform/Mensagem.h"
#include "platform/TipoArquivo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <algorithm>

namespace {
int novoTipo = tipos::Word6Gravavel;
int contador = 0;  // numbers the titles of new reports

std::vector<CLaudoDoc*>& Abertos() {
  static std::vector<CLaudoDoc*> v;
  return v;
}

// Closing a report's window offers to save it; the document goes with its window.
class FechamentoRelatorio : public QObject {
public:
  FechamentoRelatorio(CLaudoDoc* doc, QObject* parent) : QObject(parent), doc_(doc) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::Close || !doc_) return false;
    if (!doc_->SaveModified()) {
      e->ignore();
      return true;
    }
    doc_->OnCloseDocument();
    return false;
  }

private:
  QPointer<CLaudoDoc> doc_;
};
}  // namespace

int ModeloRelatorio::NovoTipoRelatorio() { return novoTipo; }
void ModeloRelatorio::DefineNovoTipoRelatorio(int tipo) { novoTipo = tipo; }
bool& ModeloRelatorio::ForcaTexto() {
  static bool f = false;
  return f;
}
bool& ModeloRelatorio::ForcaOem() {
  static bool f = false;
  return f;
}

const std::vector<CLaudoDoc*>& ModeloRelatorio::Documentos() { return Abertos(); }

CDocChildFrame* ModeloRelatorio::Moldura(CLaudoDoc* doc) {
  return doc && doc->FirstView() ? qobject_cast<CDocChildFrame*>(doc->FirstView()->parentWidget()) : nullptr;
}

bool ModeloRelatorio::EhRelatorio(const QString& caminho) {
  const QString ext = QFileInfo(caminho).suffix().toLower();
  if (ext == QStringLiteral("rtf") || ext == QStringLiteral("txt")) return true;
  if (!plat::ArquivoComum(caminho)) return false;  // never opened: a FIFO would block
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) && f.read(5) == "{\\rtf";
}

bool ModeloRelatorio::RespondeAbertura(const QString& caminho) {
  for (CLaudoDoc* d : Abertos())
    if (CDocChildFrame* m = Moldura(d); m && m->RespondeAbertura(caminho)) return true;
  return false;
}

CLaudoDoc* ModeloRelatorio::OpenDocumentFile(const QString& caminho) {
  // A report already open is brought to the front.
  if (!caminho.isEmpty()) {
    for (CLaudoDoc* d : Abertos())
      if (CDocChildFrame* m = Moldura(d); m && m->RespondeAbertura(caminho)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(m->parentWidget())) sub->mdiArea()->setActiveSubWindow(sub);
        return d;
      }
  }
  auto* doc = new CLaudoDoc;
  auto* moldura = new CDocChildFrame(doc);
  doc->setParent(moldura);  // the document lives as long as its window
  if (caminho.isEmpty()) {
    doc->SetTitle(QStringLiteral("Relatorio %1").arg(++contador));
    moldura->Vista()->OnInitialUpdate();
    if (!doc->OnNewDocument()) {
      delete moldura;
      return nullptr;
    }
  } else {
    if (!doc->OnOpenDocument(caminho)) {
      delete moldura;
      return nullptr;
    }
    moldura->Vista()->OnInitialUpdate();
  }
  Abertos().push_back(doc);
  QObject::connect(doc, &QObject::destroyed, [doc] {
    auto& v = Abertos();
    v.erase(std::remove(v.begin(), v.end(), doc), v.end());
  });
  CTarsolinApp* app = CTarsolinApp::Instancia();
  if (CMainFrame* principal = app ? app->MainFrame() : nullptr) {
    QMdiSubWindow* sub = principal->AdicionaJanela(moldura, nullptr);
    sub->installEventFilter(new FechamentoRelatorio(doc, sub));
    principal->Mdi()->setActiveSubWindow(sub);
    sub->showMaximized();
    if (!caminho.isEmpty()) {
      app->Recentes().Adiciona(doc->GetPathName());
      app->Recentes().Grava(*CTarsolinApp::Configuracoes());
    }
  } else {
    moldura->installEventFilter(new FechamentoRelatorio(doc, moldura));
    moldura->setAttribute(Qt::WA_DeleteOnClose);
  }
  moldura->Vista()->setFocus();
  return doc;
}

CLaudoDoc* ModeloRelatorio::OnRelatorio(CTarsolinDoc& modelo, QWidget* janelaModelo) {
  DefineNovoTipoRelatorio(tipos::Word6Gravavel);
  ForcaTexto() = false;
  CLaudoDoc* doc = OpenDocumentFile();
  if (!doc) {
    plat::MessageBox(QStringLiteral("Não foi possível criar o relatório !"), QString(), plat::MB_ICONEXCLAMATION);
    return nullptr;
  }
  CLaudoView* vista = doc->FirstView();
  vista->DefineModelo(&modelo, janelaModelo);
  vista->ApplyModelMargins();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  EscreveResultados(*vista, modelo);
  QApplication::restoreOverrideCursor();
  return doc;
}

void ModeloRelatorio::Registra() {
  CChildFrame::RegistraDialogo(relatorio::Resultados, [](CTarsolinDoc& modelo) {
    // The model window that issued the command: the one showing this model.
    QWidget* janela = nullptr;
    CTarsolinApp* app = CTarsolinApp::Instancia();
    if (CMainFrame* principal = app ? app->MainFrame() : nullptr)
      for (QMdiSubWindow* sub : principal->Mdi()->subWindowList())
        if (sub->property("janelaModelo").toBool() && sub->property("documento").value<QObject*>() == &modelo)
          janela = sub->widget();
    return OnRelatorio(modelo, janela) != nullptr;
  });
}
