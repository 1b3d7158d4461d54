#pragma once
// The variable display of a model (command 32912): tabs at the bottom
// holding the direct page ("Direta") and the transformed page
// ("Transformada"); the selected page is the one commands reach.
#include "AlvoComando.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>
#include <QWidget>

class CExibirVariaveis;
class QTabWidget;

class CExibirVariaveisTab : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  // The window with both pages given their initial update.
  static CExibirVariaveisTab* Cria(CTarsolinDoc* doc, QWidget* parent = nullptr);
  ~CExibirVariaveisTab() override;

  QTabWidget* Abas() const { return abas_; }
  CExibirVariaveis* Direta() const { return direta_; }
  CExibirVariaveis* Transformada() const { return transformada_; }
  CExibirVariaveis* PaginaAtiva() const;

  bool OnCmdMsg(int) override { return false; }
  bool TemComando(int) const override { return false; }
  QObject* VistaAtiva() override;
  QObject* DocumentoAlvo() override { return doc_; }

private:
  explicit CExibirVariaveisTab(CTarsolinDoc* doc, QWidget* parent);

  QPointer<CTarsolinDoc> doc_;
  QTabWidget* abas_;
  CExibirVariaveis* direta_;
  CExibirVariaveis* transformada_;
};
