#include "CDialogoModelo.h"

#include "CHoverButton.h"
#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "TextoParametro.h"
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QDir>

#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QValidator>
#include <cmath>

namespace palvedo {

namespace {

constexpr int IdAcessoNegado = 3000;     // "Acesso ao arquivo negado! ..."
constexpr int IdFormatoInvalido = 3044;  // "Formato de arquivo inválido!"

// A green check mark.
QImage IconeConfirma() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPen caneta(QColor(0, 150, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(caneta);
  QPainterPath marca;
  marca.moveTo(6, 17);
  marca.lineTo(13, 25);
  marca.lineTo(27, 7);
  p.drawPath(marca);
  return img;
}

// A red square with a white cross.
QImage IconeFecha() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 0, 0));
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
  p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 10), QPointF(22, 22));
  p.drawLine(QPointF(22, 10), QPointF(10, 22));
  return img;
}

// Refuses an edit that would make the text longer than the limit and longer
// than it is now; a text set by the dialog is never cut.
class LimiteDigitacao : public QValidator {
public:
  LimiteDigitacao(QLineEdit* edicao, int maximo)
      : QValidator(edicao), maximo_(maximo), atual_(int(edicao->text().size())) {
    // The edit already holds the proposed text while it asks, so the length
    // it had is kept here.
    connect(edicao, &QLineEdit::textChanged, this, [this](const QString& t) { atual_ = int(t.size()); });
  }
  State validate(QString& texto, int&) const override {
    return texto.size() <= maximo_ || texto.size() <= atual_ ? Acceptable : Invalid;
  }

private:
  int maximo_;
  int atual_;  // length of the text before the edit being checked
};

}  // namespace

void DefineId(QWidget* w, int id) { w->setObjectName(QString::number(id)); }

CDialogoModelo::CDialogoModelo(const QString& caminho, int idDialogo, const QString& titulo, QWidget* parent)
    : QDialog(parent), caminho_(caminho), cab_(std::make_unique<CabecalhoModelo>()) {
  setObjectName(QStringLiteral("dlg%1").arg(idDialogo));
  setWindowTitle(titulo);
  cab_->Zera();
  lido_ = LeCabecalhoModelo(caminho_, cab_.get(), &arquivo_);
  // The dialogs build their lists from the header: one that failed its
  // checks must not give them its counts.
  if (!lido_) cab_->Zera();
}

CDialogoModelo::~CDialogoModelo() = default;

void CDialogoModelo::InformaFalhaLeitura(const QString& caminho) {
  QFile f(caminho);
  plat::MessageBox(f.open(QIODevice::ReadOnly) ? IdFormatoInvalido : IdAcessoNegado, plat::MB_ICONEXCLAMATION);
}

bool CDialogoModelo::AplicaNoArquivo(const std::function<bool(CabecalhoModelo&, RegistrosModelo&)>& muda) {
  // Called from a button's handler: no exception may leave it. Memory
  // exhausted by the records or W ends the operation with the file as it was.
  try {
    // Another model put at the path (or this one rewritten) while the dialog
    // was open: its records are not the header's, nothing is written.
    if (!(plat::IdentidadeDe(caminho_) == arquivo_)) {
      plat::MessageBox(TextoArquivoAlterado(caminho_), QString(), plat::MB_ICONEXCLAMATION);
      return false;
    }
    RegistrosModelo registros;
    if (!registros.Le(caminho_, *cab_, &arquivo_)) {
      plat::MessageBox(IdAcessoNegado, plat::MB_ICONEXCLAMATION);
      return false;
    }
    // The change is made on a copy, so a refusal or a failed write leaves the
    // dialog's header as the file still is.
    auto novo = std::make_unique<CabecalhoModelo>(*cab_);
    if (!muda(*novo, registros)) return false;
    novo->SetI32(cab::MetodoCalculo, 0);
    novo->SetI32(cab::ResultadosEspaciais, 0);
    // A result the program could not open again is never written.
    if (!novo->ContagensValidas() || int(registros.dados.size()) != novo->NumDados() ||
        int(registros.dadosP.size()) != novo->NumDadosP()) {
      plat::MessageBox(IdFormatoInvalido, plat::MB_ICONEXCLAMATION);
      return false;
    }
    // Checked again by the writer, under the model's lock, before it replaces the file.
    ControleGravacao controle;
    controle.lido = arquivo_;
    if (!registros.Grava(caminho_, *novo, &controle)) {
      // A full disk, a protected or changed file: the old file stands.
      plat::MessageBox(TextoFalhaGravacao(caminho_, controle), QString(), plat::MB_ICONEXCLAMATION);
      return false;
    }
    cab_ = std::move(novo);
    arquivo_ = controle.gravado;
    return true;
  } catch (...) {
    plat::MessageBox(QStringLiteral("Cálculo indeterminado !"));
    return false;
  }
}

void CDialogoModelo::PreparaBotaoImagem(CHoverButton* botao, bool confirma) {
  botao->SetStateIconHandles(confirma ? IconeConfirma() : IconeFecha(), CHoverButton::RepousoCinza);
  botao->ShiftStateColour(CHoverButton::CorFaceAtiva, 30, false);
}

void CDialogoModelo::LimitaDigitacao(QLineEdit* edicao, int maximo) {
  edicao->setValidator(new LimiteDigitacao(edicao, maximo));
}

void CDialogoModelo::ReformataParametro(QLineEdit* edicao, double& valor) {
  const double lido = LeParametro(edicao->text());
  if (!std::isfinite(lido)) return;
  valor = lido;
  edicao->setText(MostraParametro(valor));
}

bool CDialogoModelo::ParametroFinito(QLineEdit* edicao, double& valor) {
  const double lido = LeParametro(edicao->text());
  if (std::isfinite(lido)) {
    valor = lido;
    return true;
  }
  plat::MessageBox(QStringLiteral("Valor numérico inválido !"), QString(), plat::MB_ICONEXCLAMATION);
  edicao->setFocus();
  edicao->selectAll();
  return false;
}

QStringList CDialogoModelo::NomesVariaveis(int ate) const {
  QStringList nomes;
  const int n = std::clamp(ate, 0, MaxVariaveis);
  for (int v = 0; v < n; ++v) nomes << cab_->Texto(cab::Nome + cab::TamNome * std::size_t(v), cab::TamNome);
  return nomes;
}

}  // namespace palvedo
