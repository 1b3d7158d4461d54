#include "CNovoModelo.h"

#include "ControlesAssistente.h"
#include "model/CabecalhoModelo.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace assistente;

namespace {
constexpr std::size_t OffNome = 20, TamNome = 81, OffAutor = 101, TamAutor = 51, OffInfo = 152, TamInfo = 201,
                      OffData = 353, TamData = 11, OffTipoImovel = 364;
}

CNovoModelo::CNovoModelo(QWidget* parent) : CPaginaWizard(parent) {
  setObjectName(QStringLiteral("dlg528"));
  // The first page shows the watermark and no header: its caption is its own title.
  setTitle(QStringLiteral("Criar novo Modelo do Tarsolin"));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Nome de Referência do Modelo"), this), 0, 0, 1, 2);
  nome_ = new QLineEdit(this);
  DefineId(nome_, 1057);
  nome_->setMaxLength(50);
  g->addWidget(nome_, 1, 0, 1, 2);
  g->addWidget(new QLabel(QStringLiteral("Autor do modelo"), this), 2, 0);
  g->addWidget(new QLabel(QStringLiteral("Data da criação"), this), 2, 1);
  autor_ = new QLineEdit(this);
  DefineId(autor_, 1056);
  autor_->setMaxLength(30);
  g->addWidget(autor_, 3, 0);
  data_ = new QDateEdit(QDate::currentDate(), this);
  DefineId(data_, 1044);
  data_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  data_->setCalendarPopup(true);
  data_->setMinimumDate(QDate(1900, 1, 1));
  g->addWidget(data_, 3, 1);
  g->addWidget(new QLabel(QStringLiteral("Modelo aplicado a :"), this), 4, 0, 1, 2);
  tipos_ = new QListWidget(this);
  DefineId(tipos_, 1074);
  tipos_->addItems(TiposImovel());
  tipos_->setCurrentRow(0);
  tipos_->setMaximumHeight(tipos_->sizeHintForRow(0) * TiposImovel().size() + 2 * tipos_->frameWidth() + 4);
  g->addWidget(tipos_, 5, 0, 1, 2);
  g->addWidget(new QLabel(QStringLiteral("Informações Complementares"), this), 6, 0, 1, 2);
  info_ = new QPlainTextEdit(this);
  DefineId(info_, 1058);
  info_->setTabChangesFocus(true);
  info_->setMaximumHeight(90);
  LimitaTexto(info_, 200);
  g->addWidget(info_, 7, 0, 1, 2);
  g->setRowStretch(8, 1);
}

void CNovoModelo::OnSetActive() {
  SetWizardButtons(CWizard::PSWIZB_NEXT);
  if (!cab_) return;
  nome_->setText(cab_->Texto(OffNome, TamNome).left(50));
  autor_->setText(cab_->Texto(OffAutor, TamAutor).left(30));
  info_->setPlainText(cab_->Texto(OffInfo, TamInfo).left(200));
  if (cab_->Texto(OffData, TamData).isEmpty()) cab_->SetTexto(OffData, TamData, TextoData(QDate::currentDate()));
  // A stored date the picker cannot show reads as today.
  data_->setDate(DataDoTexto(cab_->Texto(OffData, TamData)));
  const int tipo = cab_->I32(OffTipoImovel);
  tipos_->setCurrentRow(tipo >= 1 && tipo <= TiposImovel().size() ? tipo - 1 : 0);
}

bool CNovoModelo::OnWizardNext() {
  if (!cab_) return true;
  cab_->SetTexto(OffNome, TamNome, nome_->text());
  cab_->SetTexto(OffAutor, TamAutor, autor_->text());
  cab_->SetTexto(OffInfo, TamInfo, info_->toPlainText().left(200));
  cab_->SetTexto(OffData, TamData, TextoData(data_->date()));
  cab_->SetI32(OffTipoImovel, std::max(0, tipos_->currentRow()) + 1);
  return true;
}
