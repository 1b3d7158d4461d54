#include "CTabelasView.h"

#include "ImpressaoGrade.h"
#include "controls/CTableCtrl.h"
#include "platform/Programa.h"

#include <QLabel>

namespace {
constexpr int kSalvar = 57603, kImprimir = 57607, kImprimirDireto = 57608, kVisualizar = 57609, kCopiar = 57634,
              kColar = 57637;
}

CTabelasView::CTabelasView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CTabelasView"));
  setWindowTitle(QStringLiteral("Tabela Normal"));
  setAccessibleName(QStringLiteral("Tabela Normal"));
  legenda_ = new QLabel(QStringLiteral("Distribuição Normal Padrão: P(0 ≤ Z ≤ z)"), this);
  legenda_->setObjectName(QStringLiteral("1130"));
  legenda_->setAlignment(Qt::AlignCenter);
  legenda_->setFrameShape(QFrame::Panel);
  legenda_->setFrameShadow(QFrame::Raised);
  legenda_->setAutoFillBackground(true);
  legenda_->setBackgroundRole(QPalette::Dark);
  legenda_->setForegroundRole(QPalette::BrightText);
  QFont f = legenda_->font();
  f.setBold(true);
  legenda_->setFont(f);
  grade_ = new CTableCtrl;
  grade_->Create(QRect(), this, 1094);
  grade_->setAccessibleName(QStringLiteral("Tabela Normal"));
  resize(700, 500);
}

CTabelasView::~CTabelasView() { delete grade_; }

QString CTabelasView::Arquivo() { return plat::CaminhoPrograma(QStringLiteral("TabelaNormal.dat")); }

void CTabelasView::OnInitialUpdate() {
  // The first line and the first field of each line are the table's headings.
  if (grade_->LoadFromText(Arquivo(), QLatin1Char('\t')) && grade_->GetRowCount() > 1 && grade_->GetColumnCount() > 1) {
    grade_->SetNumberOfFixedRows(1);
    grade_->SetNumberOfFixedColumns(1);
    grade_->FitColumnsToContents();
  }
  grade_->SetWholeRowSelection(true);
  grade_->setFocus();
  legenda_->show();
  resizeEvent(nullptr);
}

bool CTabelasView::Salva() { return grade_->SaveAsText(Arquivo(), QLatin1Char('\t')); }

void CTabelasView::resizeEvent(QResizeEvent* e) {
  if (e) QWidget::resizeEvent(e);
  const int c = legenda_->sizeHint().height() + 6;
  legenda_->setGeometry(0, 0, width() - 2, c);
  legenda_->raise();
  grade_->setGeometry(0, c, width(), height() - c);
}

bool CTabelasView::TemComando(int id) const {
  switch (id) {
    case kSalvar: case kImprimir: case kImprimirDireto: case kVisualizar: case kCopiar: case kColar:
      return true;
    default:
      return false;
  }
}

bool CTabelasView::OnUpdateCmd(int id, EstadoComando& estado) {
  switch (id) {
    case kCopiar: estado.habilitado = grade_->CanCopy(); return true;
    case kColar: estado.habilitado = grade_->CanPaste(); return true;
    default: return false;
  }
}

bool CTabelasView::OnCmdMsg(int id) {
  switch (id) {
    case kSalvar: Salva(); return true;
    case kCopiar: grade_->OnEditCopy(); return true;
    case kColar: grade_->OnEditPaste(); return true;
    case kImprimir: case kImprimirDireto: ImprimeGrade(*grade_, nullptr, window(), false); return true;
    case kVisualizar: ImprimeGrade(*grade_, nullptr, window(), true); return true;
    default: return false;
  }
}
