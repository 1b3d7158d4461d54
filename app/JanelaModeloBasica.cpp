#include "JanelaModeloBasica.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

JanelaModeloBasica::JanelaModeloBasica(CTarsolinDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName("JanelaModelo");
  auto* l = new QVBoxLayout(this);
  resumo_ = new QLabel(this);
  resumo_->setTextFormat(Qt::PlainText);
  l->addWidget(resumo_);
  variaveis_ = new QTreeWidget(this);
  variaveis_->setHeaderLabels({"Variável", "Descrição", "Habilitada"});
  variaveis_->setRootIsDecorated(false);
  l->addWidget(variaveis_);
  connect(doc_, &plat::Documento::documentUpdated, this, [this](QObject*, int dica) {
    if (dica != 4) Atualiza();
  });
  connect(doc_, &plat::Documento::titleChanged, this, [this] { setWindowTitle(doc_->GetTitle()); });
  setWindowTitle(doc_->GetTitle());
  Atualiza();
}

QObject* JanelaModeloBasica::DocumentoAlvo() { return doc_; }

void JanelaModeloBasica::Atualiza() {
  const CabecalhoModelo* c = doc_->GetCabecalho();
  variaveis_->clear();
  if (!c) return;
  const int nv = std::clamp(c->I32(CabecalhoModelo::OffNumVariaveis), 0, CabecalhoModelo::MaxVariaveis);
  resumo_->setText(QString("%1\n%2 variáveis, %3 dados (%4 considerados), %5 avaliandos")
                       .arg(c->Texto(CabecalhoModelo::OffNome, CabecalhoModelo::TamNome))
                       .arg(nv)
                       .arg(c->I32(CabecalhoModelo::OffNumDados))
                       .arg(c->I32(CabecalhoModelo::OffNumConsiderados))
                       .arg(c->I32(CabecalhoModelo::OffNumDadosP)));
  for (int v = 0; v < nv; ++v) {
    auto* item = new QTreeWidgetItem(variaveis_);
    item->setText(0, c->Texto(CabecalhoModelo::OffNomesVariaveis + 31 * std::size_t(v), CabecalhoModelo::TamNomeVariavel));
    item->setText(1, c->Texto(CabecalhoModelo::OffDescricoes + 601 * std::size_t(v), CabecalhoModelo::TamDescricao)
                         .section('\n', 0, 0));
    item->setText(2, c->I32(CabecalhoModelo::OffHabilitadas + 4 * std::size_t(v)) ? "Sim" : "Não");
  }
  variaveis_->header()->resizeSections(QHeaderView::ResizeToContents);
}

// The view runs no command of its own: closing the model (57602) belongs to
// its frame, which closes the whole MDI window.
bool JanelaModeloBasica::TemComando(int) const { return false; }

bool JanelaModeloBasica::OnCmdMsg(int) { return false; }
