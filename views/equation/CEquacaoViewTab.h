#pragma once
// The equation window of a model (command 32836): tabs at the bottom holding
// the equation pages ("Função Estimativa", "Equação Regressão", and with a
// spatial model "Função Estimativa RE", "Equação Regressão RE"). It owns the
// statistics of the equation, prepared when it opens; the pages read them.
#include "AlvoComando.h"
#include "EstatisticasEquacao.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class PaginaEquacao;
class QTabWidget;

class CEquacaoViewTab : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  // The window with its statistics and pages, given its initial update; null
  // after a message when the statistics cannot be prepared.
  static CEquacaoViewTab* Cria(CTarsolinDoc* doc, QWidget* parent = nullptr);
  ~CEquacaoViewTab() override;

  CTarsolinDoc* Documento() const { return doc_; }
  QTabWidget* Abas() const { return abas_; }
  int NumPaginas() const { return int(paginas_.size()); }
  PaginaEquacao* Pagina(int i) const;
  PaginaEquacao* PaginaAtiva() const;

  // The statistics of the equation in force; prepared again when the chooser
  // has put another equation in force since (pages never mix two equations).
  const EstatisticasEquacao& Estatisticas();
  PreparoEquacao PreparaEstatisticasEquacao();

  // The model window of this model, where the model's commands run.
  QWidget* MolduraModelo() const;
  // Closes the whole window once the current event is done.
  void FechaJanela();

  bool OnCmdMsg(int id) override { return false; }
  bool TemComando(int id) const override { return false; }
  QObject* VistaAtiva() override;
  QObject* DocumentoAlvo() override;

private:
  explicit CEquacaoViewTab(CTarsolinDoc* doc, QWidget* parent);
  void CriaPaginas();

  QPointer<CTarsolinDoc> doc_;
  QTabWidget* abas_;
  std::vector<PaginaEquacao*> paginas_;
  EstatisticasEquacao estatisticas_;
  bool fechando_ = false;
};
