#pragma once
// A message box with buttons of the caller's own texts: the report's save
// asks with it. Answers the index of the pressed button.
#include "CHelpDialog.h"

#include <QStringList>
#include <vector>

class CButtonDialog : public CHelpDialog {
  Q_OBJECT
public:
  // A help table pairs each button with its help topic (the button's control id).
  using TabelaAjuda = std::vector<int>;

  // `texto`, `titulo` and `botoes` are texts; the button list is split at line
  // feeds. Esc and the close box answer `cancelar` (0 when it is -1); with
  // no buttons the answer is `cancelar` at once.
  static int AskWithButtons(const QString& texto, const QString& titulo, const QString& botoes, unsigned icone,
                            int padrao = 0, int cancelar = -1, const TabelaAjuda& ajuda = {},
                            QWidget* parent = nullptr);
  // The same with string-table ids.
  static int AskWithButtons(int texto, int titulo, int botoes, unsigned icone, int padrao = 0, int cancelar = -1,
                            const TabelaAjuda& ajuda = {}, QWidget* parent = nullptr);

  CButtonDialog(const QString& texto, const QString& titulo, const QStringList& botoes, unsigned icone,
                int padrao, int cancelar, const TabelaAjuda& ajuda, QWidget* parent);

  static constexpr int PrimeiroBotao = 10;

protected:
  void reject() override;

private:
  int cancelar_;
};
