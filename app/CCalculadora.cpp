#include "CCalculadora.h"

#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace {

// The keys: caption and character (the control id), in rows of four.
struct Chave {
  const char* texto;
  char caractere;
};
constexpr Chave kChaves[5][4] = {
    {{"C", 'C'}, {"<-", '\b'}, {"+/-", '_'}, {"/", '/'}},
    {{"7", '7'}, {"8", '8'}, {"9", '9'}, {"*", '*'}},
    {{"4", '4'}, {"5", '5'}, {"6", '6'}, {"-", '-'}},
    {{"1", '1'}, {"2", '2'}, {"3", '3'}, {"+", '+'}},
    {{"0", '0'}, {",", ','}, {"%", '%'}, {"=", '='}},
};

constexpr int kMargem = 12, kLarguraTecla = 44, kAlturaTecla = 30, kEspaco = 6, kAlturaVisor = 34;
constexpr QRgb kAzul = qRgb(0, 0, 255), kAmarelo = qRgb(255, 255, 0);

bool Operador(QChar c) {
  return c == '+' || c == '-' || c == '*' || c == '/' || c == '=' || c == '%' || c == '\r';
}

}  // namespace

CCalculadora::CCalculadora(QWidget* parent) : CBitmapDialog(504, parent) {
  setWindowTitle(QStringLiteral("Calculadora"));
  QFont fonte(QStringLiteral("Arial"));
  fonte.setPointSize(9);
  setFont(fonte);
  // The blue dialog behind the tiled bitmap.
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(kAzul));
  setPalette(p);
  SetBackgroundBitmap(129);
  SetBackgroundLayout(Lado);

  const int larguraTeclas = 4 * kLarguraTecla + 3 * kEspaco;
  const int alturaTeclas = 5 * kAlturaTecla + 4 * kEspaco;
  const int topoTeclas = kMargem + kAlturaVisor + 2 * kEspaco;

  visor_ = new QLabel(this);
  visor_->setObjectName(QStringLiteral("32821"));
  visor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  visor_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QFont fonteVisor(QStringLiteral("Arial"));
  fonteVisor.setPointSize(12);
  visor_->setFont(fonteVisor);
  visor_->setAutoFillBackground(true);
  QPalette pv = visor_->palette();
  pv.setColor(QPalette::Window, Qt::black);
  pv.setColor(QPalette::WindowText, QColor(kAmarelo));
  visor_->setPalette(pv);
  visor_->setGeometry(kMargem, kMargem, larguraTeclas, kAlturaVisor);
  visor_->setAccessibleName(QStringLiteral("Visor"));

  // The light-grey panel behind the keys, below them in the z-order.
  auto* painel = new QFrame(this);
  painel->setObjectName(QStringLiteral("1069"));
  painel->setAutoFillBackground(true);
  QPalette pp = painel->palette();
  pp.setColor(QPalette::Window, QColor(192, 192, 192));
  painel->setPalette(pp);
  painel->setGeometry(kMargem - 4, topoTeclas - 4, larguraTeclas + 8, alturaTeclas + 8);
  painel->lower();

  for (int linha = 0; linha < 5; ++linha) {
    for (int coluna = 0; coluna < 4; ++coluna) {
      const Chave& k = kChaves[linha][coluna];
      auto* b = new QPushButton(QString::fromUtf8(k.texto), this);
      b->setObjectName(QString::number(int(k.caractere)));
      b->setAccessibleName(k.caractere == '\b' ? QStringLiteral("Apagar") : QString::fromUtf8(k.texto));
      b->setFocusPolicy(Qt::NoFocus);  // every key press reaches the calculator
      b->setAutoDefault(false);
      b->setStyleSheet(QStringLiteral("QPushButton { color: rgb(0, 0, 255); font-weight: bold; }"));
      b->setGeometry(kMargem + coluna * (kLarguraTecla + kEspaco), topoTeclas + linha * (kAlturaTecla + kEspaco),
                     kLarguraTecla, kAlturaTecla);
      const QChar c = QChar(k.caractere);
      connect(b, &QPushButton::clicked, this, [this, c] { Tecla(c); });
      b->installEventFilter(this);
    }
  }
  visor_->installEventFilter(this);
  setFixedSize(2 * kMargem + larguraTeclas, topoTeclas + alturaTeclas + kMargem);
  AtualizaVisor();
}

QPushButton* CCalculadora::BotaoTecla(QChar c) const {
  return findChild<QPushButton*>(QString::number(int(c.unicode())), Qt::FindDirectChildrenOnly);
}

QString CCalculadora::Visor() const { return visor_->text(); }

double CCalculadora::Exibido() const {
  const double v = plat::LeReal(digitos_);
  return negativo_ ? -v : v;
}

void CCalculadora::NovoNumero() {
  estado_ = Digitando;
  digitos_ = QStringLiteral("0");
  negativo_ = false;
}

void CCalculadora::MostraResultado(double v) {
  v = std::floor(v * 10000000.0 + 0.5) / 10000000.0;
  QString t = plat::FormataC("%0.10f", {v});
  negativo_ = t.startsWith('-');
  if (negativo_) t.remove(0, 1);
  // More than 15 integer digits, or no number at all, is an error.
  if (!std::isfinite(v) || t.size() > 26) {
    estado_ = Erro;
    digitos_ = QStringLiteral("Erro");
    negativo_ = false;
    return;
  }
  while (t.endsWith('0')) t.chop(1);
  if (t.endsWith(',')) t.chop(1);
  digitos_ = t.left(16);
}

void CCalculadora::Tecla(QChar tecla) {
  const QChar c = tecla.toUpper();
  if (estado_ == Erro && c != 'C') return;
  if (c.isDigit() && c.unicode() < 0x80) {
    if (estado_ == Resultado) NovoNumero();
    if (digitos_ == QLatin1String("0")) digitos_ = c;
    else if (digitos_.size() < MaxCaracteres) digitos_ += c;
  } else if (Operador(c)) {
    if (estado_ == Digitando) {
      estado_ = Resultado;
      double x = Exibido();
      if (c == '%') {
        if (pendente_ == '*' || pendente_ == '/') x = x / 100.0;
        else if (pendente_ == '+' || pendente_ == '-') x = acumulador_ * x / 100.0;
      }
      if (pendente_ == '+') MostraResultado(acumulador_ + x);
      else if (pendente_ == '-') MostraResultado(acumulador_ - x);
      else if (pendente_ == '*') MostraResultado(acumulador_ * x);
      else if (pendente_ == '/') {
        if (x == 0.0) {
          estado_ = Erro;
          digitos_ = QStringLiteral("Erro");
          negativo_ = false;
        } else {
          MostraResultado(acumulador_ / x);
        }
      }
    }
    pendente_ = c;
    acumulador_ = Exibido();
  } else if (c == ',') {
    if (estado_ == Resultado) NovoNumero();
    if (!digitos_.contains(',') && digitos_.size() < MaxCaracteres) digitos_ += ',';
  } else if (c == '\b') {
    if (estado_ == Resultado) NovoNumero();
    if (digitos_.size() == 1) digitos_ = QStringLiteral("0");
    else digitos_.chop(1);
  } else if (c == 'C') {
    estado_ = Resultado;
    digitos_ = QStringLiteral("0");
    negativo_ = false;
    pendente_ = '=';
  } else if (c == '_') {
    negativo_ = !negativo_;
  }
  AtualizaVisor();
}

void CCalculadora::AtualizaVisor() { visor_->setText((negativo_ ? QStringLiteral("-") : QString()) + digitos_); }

bool CCalculadora::TrataTecla(QKeyEvent* e) {
  QChar c;
  switch (e->key()) {
    case Qt::Key_Return: case Qt::Key_Enter: c = '='; break;
    case Qt::Key_Escape: c = 'C'; break;
    case Qt::Key_Backspace: c = '\b'; break;
    default:
      if (e->text().isEmpty()) return false;
      c = e->text().at(0);
      break;
  }
  // The key's button flashes as pressed before the key is taken.
  if (QPushButton* b = BotaoTecla(c == '\r' ? QChar('=') : c.toUpper())) {
    b->setDown(true);
    b->repaint();
    b->setDown(false);
  }
  Tecla(c);
  return true;
}

void CCalculadora::keyPressEvent(QKeyEvent* e) {
  if (!TrataTecla(e)) CBitmapDialog::keyPressEvent(e);
}

bool CCalculadora::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress && TrataTecla(static_cast<QKeyEvent*>(e))) return true;
  return CBitmapDialog::eventFilter(o, e);
}

