#include "VisualizacaoImpressao.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {

constexpr int TxtFalhaComando = 61705;

// The preview whose pages were generated before it shows: showing it must
// not draw them all again (the dialog's own first show would).
class DialogoVisualizacao : public QPrintPreviewDialog {
public:
  using QPrintPreviewDialog::QPrintPreviewDialog;
  void setVisible(bool visivel) override { QDialog::setVisible(visivel); }
};

bool PaginaUtilizavel(const QPrinter& impressora) {
  const QPageLayout layout = impressora.pageLayout();
  return layout.isValid() && !layout.paintRectPixels(impressora.resolution()).isEmpty();
}

}  // namespace

bool VisualizaImpressao(QPrinter& impressora, QWidget* janela, const std::function<bool(QPrinter&)>& desenha,
                        const std::function<void()>& aoIniciar) {
  bool falhou = !PaginaUtilizavel(impressora);
  if (!falhou) {
    DialogoVisualizacao dlg(&impressora, janela);
    dlg.setObjectName(QStringLiteral("dlgVisualizar"));
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&](QPrinter* alvo) {
      if (!desenha(*alvo)) falhou = true;
    });
    auto* vista = dlg.findChild<QPrintPreviewWidget*>();
    if (!vista) {
      falhou = true;
    } else {
      vista->updatePreview();
      if (vista->pageCount() == 0) falhou = true;
    }
    if (!falhou) {
      if (aoIniciar) aoIniciar();
      plat::ExecutaDialogo(dlg);
      return true;
    }
  }
  plat::MessageBox(TxtFalhaComando, plat::MB_ICONEXCLAMATION);
  return false;
}
