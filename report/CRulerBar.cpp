#include "CRulerBar.h"

#include "CLaudoView.h"
#include "FormatoParagrafo.h"
#include "Medida.h"

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {
// The document's layout unit: 96 pixels to the inch, as the view lays out its text.
constexpr double PixelsPorPolegada = 96.0;
}  // namespace

CRulerBar::CRulerBar(CLaudoView* vista, QWidget* parent) : QWidget(parent), vista_(vista), unidade_(Unidades[0]) {
  setObjectName(QStringLiteral("32926"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  setCursor(Qt::ArrowCursor);
  fonte_ = QApplication::font();
  fonte_.setPixelSize(8);
  // Markers: the left-indent block (and its triangle), first line, right indent; tabs at 8.
  marcas_[BlocoEsquerdo].vertical = 14;
  marcas_[BlocoEsquerdo].tamanho = QSize(9, 4);
  marcas_[RecuoEsquerdo].vertical = 9;
  marcas_[RecuoEsquerdo].tamanho = QSize(9, 5);
  marcas_[PrimeiraLinha].vertical = -1;
  marcas_[PrimeiraLinha].tamanho = QSize(9, 6);
  marcas_[RecuoDireito].vertical = 9;
  marcas_[RecuoDireito].tamanho = QSize(9, 5);
  for (int i = PrimeiraTab; i < int(marcas_.size()); ++i) {
    marcas_[std::size_t(i)].vertical = 8;
    marcas_[std::size_t(i)].alinhamento = 0;
    marcas_[std::size_t(i)].tamanho = QSize(6, 6);
    marcas_[std::size_t(i)].maximo = 100;
  }
  auto atualiza = [this] { Atualiza(); };
  connect(vista_, &QTextEdit::cursorPositionChanged, this, atualiza);
  connect(vista_, &CLaudoView::layoutMudou, this, atualiza);
  connect(vista_->document(), &QTextDocument::contentsChanged, this, atualiza);
  connect(vista_->horizontalScrollBar(), &QScrollBar::valueChanged, this, atualiza);
  // The unit may change in the options at any time.
  auto* ocioso = new QTimer(this);
  ocioso->setInterval(500);
  connect(ocioso, &QTimer::timeout, this, atualiza);
  ocioso->start();
  Atualiza();
}

QSize CRulerBar::sizeHint() const { return QSize(200, Altura + Topo + 8); }

double CRulerBar::Px(int twips) const { return twips * PixelsPorPolegada / 1440.0; }
int CRulerBar::Twips(double px) const { return int(std::floor(px * 1440.0 / PixelsPorPolegada)); }

int CRulerBar::Ajusta(int twips, int passo) {
  if (passo <= 0) return twips;
  const int q = twips + passo / 2;
  return q - q % passo;
}

std::vector<int> CRulerBar::Tabs() const {
  std::vector<int> t;
  for (int i = PrimeiraTab; i < int(marcas_.size()); ++i)
    if (marcas_[std::size_t(i)].posicao != 0) t.push_back(marcas_[std::size_t(i)].posicao);
  return t;
}

void CRulerBar::Atualiza() {
  if (arrastado_ != Nenhum) return;
  bool repinta = false;
  const QSizeF papel = vista_->Papel();
  const MargensTwips& m = vista_->Margens();
  if (papel != papel_ || m.esquerda != margemEsquerda_ || m.direita != margemDireita_) {
    papel_ = papel;
    margemEsquerda_ = m.esquerda;
    margemDireita_ = m.direita;
    repinta = true;
  }
  const UnidadeMedida& u = Unidades[medida::UnidadeAtual()];
  if (u.twipsPorUnidade != unidade_.twipsPorUnidade) {
    unidade_ = u;
    repinta = true;
  }
  unidade_.nome = u.nome;
  const FormatoParagrafo f = vista_->FormatoParagrafoSelecao();
  const int largura = int(papel_.width()) - margemEsquerda_ - margemDireita_;
  auto define = [&](int item, int valor) {
    if (marcas_[std::size_t(item)].posicao != valor) {
      marcas_[std::size_t(item)].posicao = valor;
      repinta = true;
    }
  };
  define(RecuoEsquerdo, f.inicio + f.deslocamento);
  define(BlocoEsquerdo, f.inicio + f.deslocamento);
  define(PrimeiraLinha, f.inicio);
  define(RecuoDireito, largura - f.direito);
  for (int i = 0; i < MaxTabs; ++i) define(PrimeiraTab + i, i < int(f.tabs.size()) ? f.tabs[std::size_t(i)] : 0);
  const int deslocamento = mapFromGlobal(vista_->viewport()->mapToGlobal(QPoint(vista_->DeslocamentoTexto(), 0))).x();
  if (deslocamento != deslocamento_ || vista_->Rolagem() != rolagem_) {
    deslocamento_ = deslocamento;
    rolagem_ = vista_->Rolagem();
    repinta = true;
  }
  if (repinta) update();
}

int CRulerBar::XDe(const Marca& m) const {
  const int x = int(std::lround(Px(m.posicao)));
  if (m.alinhamento == 6) return x - m.tamanho.width() / 2;
  if (m.alinhamento == 0) return x;
  return x - m.tamanho.width();
}

QRect CRulerBar::Retangulo(int item) const {
  const Marca& m = marcas_[std::size_t(item)];
  return QRect(QPoint(XDe(m), m.vertical), m.tamanho);
}

int CRulerBar::ItemEm(const QPoint& p) const {
  const QPoint r(p.x() + rolagem_ - deslocamento_, p.y() - Topo);
  for (int item : {int(BlocoEsquerdo), int(RecuoEsquerdo), int(PrimeiraLinha), int(RecuoDireito)})
    if (Retangulo(item).contains(r)) return item;
  for (int i = PrimeiraTab; i < int(marcas_.size()); ++i)
    if (marcas_[std::size_t(i)].posicao != 0 && Retangulo(i).contains(r)) return i;
  return Nenhum;
}

void CRulerBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const int a = int(std::lround(Px(int(papel_.width()) - margemEsquerda_ - margemDireita_)));
  const int b = int(std::lround(Px(int(papel_.width()) - margemEsquerda_)));
  // Below the band, across the whole width.
  p.fillRect(QRect(0, Topo + 17, width(), 3), pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Mid));
  p.drawLine(0, height() - 2, width(), height() - 2);
  p.setPen(pal.color(QPalette::Light));
  p.drawLine(0, height() - 1, width(), height() - 1);
  p.translate(deslocamento_ - rolagem_, Topo);
  // The band: the text width in the window colour, the rest of the page in the button face.
  p.fillRect(QRect(0, 1, a, 14), pal.color(QPalette::Base));
  if (b - 1 > a + 2) p.fillRect(QRect(a + 2, 1, b - 1 - (a + 2), 14), pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Dark));
  p.drawLine(0, 0, b, 0);
  p.setPen(pal.color(QPalette::Shadow));
  p.drawLine(0, 1, a, 1);
  p.setPen(pal.color(QPalette::Light));
  p.drawLine(0, 15, b, 15);
  if (unidade_.twipsPorUnidade <= 0) return;
  // Ticks and numbers.
  p.setPen(pal.color(QPalette::WindowText));
  p.setFont(fonte_);
  const int limite = int(papel_.width()) - margemEsquerda_;
  const int largura = int(papel_.width()) - margemEsquerda_ - margemDireita_;
  const int numero = unidade_.marcas[2];
  auto marcas = [&](int passo, int altura) {
    for (int t = passo; t < limite; t += passo) {
      if (t == largura || t % numero == 0) continue;
      const int x = int(std::lround(Px(t)));
      p.drawLine(x, 8 - altura / 2, x, 8 - altura / 2 + altura - 1);
    }
  };
  marcas(unidade_.marcas[0], 2);
  marcas(unidade_.marcas[1], 5);
  for (int t = numero; t < limite; t += numero) {
    if (t == largura) continue;
    const QString s = QString::number(t / unidade_.twipsPorUnidade);
    const int x = int(std::lround(Px(t)));
    p.drawText(QRect(x - 10, 2, 20, 12), Qt::AlignCenter, s);
  }
  // Tab markers, then the default tabs every 720 twips after the last one, up to the text width.
  for (int i = PrimeiraTab; i < int(marcas_.size()); ++i)
    if (marcas_[std::size_t(i)].posicao != 0) DesenhaMarca(p, i);
  const std::vector<int> tabs = Tabs();
  const int maior = tabs.empty() ? 0 : *std::max_element(tabs.begin(), tabs.end());
  p.setPen(pal.color(QPalette::Dark));
  for (int t = (maior / 720 + 1) * 720; t < largura; t += 720) {
    const int x = int(std::lround(Px(t)));
    p.drawLine(x, 16, x, 18);
  }
  DesenhaMarca(p, RecuoEsquerdo);
  DesenhaMarca(p, BlocoEsquerdo);
  DesenhaMarca(p, PrimeiraLinha);
  DesenhaMarca(p, RecuoDireito);
}

void CRulerBar::DesenhaMarca(QPainter& p, int item) const {
  const QRect r = Retangulo(item);
  p.save();
  p.setPen(palette().color(QPalette::WindowText));
  p.setBrush(palette().color(QPalette::Button));
  QPainterPath forma;
  if (item == BlocoEsquerdo) {
    forma.addRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
  } else if (item == PrimeiraLinha) {  // pointing down
    forma.moveTo(r.left() + 0.5, r.top() + 0.5);
    forma.lineTo(r.right() + 0.5, r.top() + 0.5);
    forma.lineTo(r.center().x() + 0.5, r.bottom() + 0.5);
    forma.closeSubpath();
  } else if (item >= PrimeiraTab) {  // an L: the stop and its base
    p.setBrush(Qt::NoBrush);
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.restore();
    return;
  } else {  // pointing up
    forma.moveTo(r.center().x() + 0.5, r.top() + 0.5);
    forma.lineTo(r.right() + 0.5, r.bottom() + 0.5);
    forma.lineTo(r.left() + 0.5, r.bottom() + 0.5);
    forma.closeSubpath();
  }
  p.drawPath(forma);
  p.restore();
}

void CRulerBar::DesenhaLinhaArrasto(int posicao) {
  // A dotted line down the view at the marker's position.
  auto* linha = vista_->viewport()->findChild<QFrame*>(QStringLiteral("linhaArrasto"));
  if (posicao < 0) {
    delete linha;
    return;
  }
  if (!linha) {
    linha = new QFrame(vista_->viewport());
    linha->setObjectName(QStringLiteral("linhaArrasto"));
    linha->setFrameShape(QFrame::VLine);
    linha->setFrameShadow(QFrame::Plain);
    linha->setStyleSheet(QStringLiteral("border-left: 1px dotted palette(window-text);"));
  }
  const int x = vista_->DeslocamentoTexto() - vista_->Rolagem() + int(std::lround(Px(posicao)));
  linha->setGeometry(x, 0, 1, vista_->viewport()->height());
  linha->show();
}

void CRulerBar::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  int item = ItemEm(e->position().toPoint());
  ligado_ = item == BlocoEsquerdo;
  if (item == Nenhum) {
    // A click on the empty ruler makes a new tab, while one is free.
    for (int i = PrimeiraTab; i < int(marcas_.size()); ++i)
      if (marcas_[std::size_t(i)].posicao == 0) { item = i; break; }
    if (item == Nenhum) return;
  }
  if (item == BlocoEsquerdo) item = RecuoEsquerdo;
  arrastado_ = item;
  const int limite = int(papel_.width()) - margemEsquerda_;
  for (int i : {int(RecuoEsquerdo), int(PrimeiraLinha)}) {
    marcas_[std::size_t(i)].minimo = 0;
    marcas_[std::size_t(i)].maximo = marcas_[RecuoDireito].posicao;
  }
  marcas_[RecuoDireito].minimo = std::max(marcas_[RecuoEsquerdo].posicao, marcas_[PrimeiraLinha].posicao);
  marcas_[RecuoDireito].maximo = limite;
  for (int i = PrimeiraTab; i < int(marcas_.size()); ++i) {
    marcas_[std::size_t(i)].minimo = 0;
    marcas_[std::size_t(i)].maximo = limite;
  }
  DesenhaLinhaArrasto(marcas_[std::size_t(item)].posicao);
  Arrasta(e->position().toPoint());
}

void CRulerBar::Arrasta(const QPoint& pt) {
  if (arrastado_ == Nenhum) return;
  Marca& m = marcas_[std::size_t(arrastado_)];
  const int limite = int(papel_.width()) - margemEsquerda_;
  const QRect regua(deslocamento_ - rolagem_, Topo, int(std::lround(Px(limite))) + 1, Altura + 1);
  const int bruto = Twips(pt.x() + rolagem_ - deslocamento_);
  int q = Ajusta(bruto, unidade_.passoMinimo);
  if (arrastado_ >= PrimeiraTab && !regua.contains(pt)) {
    q = 0;  // a tab dragged off the ruler is removed
  } else {
    q = std::clamp(q, m.minimo, m.maximo);
  }
  if (arrastado_ == RecuoEsquerdo && ligado_) {
    // The first-line marker moves by the same distance, within its own bounds.
    Marca& primeira = marcas_[PrimeiraLinha];
    int delta = q - m.posicao;
    delta = std::clamp(delta, primeira.minimo - primeira.posicao, primeira.maximo - primeira.posicao);
    delta = std::clamp(delta, m.minimo - m.posicao, m.maximo - m.posicao);
    m.posicao += delta;
    primeira.posicao += delta;
  } else {
    m.posicao = q;
  }
  marcas_[BlocoEsquerdo].posicao = marcas_[RecuoEsquerdo].posicao;
  DesenhaLinhaArrasto(m.posicao);
  repaint();
}

void CRulerBar::mouseMoveEvent(QMouseEvent* e) {
  if (arrastado_ != Nenhum) Arrasta(e->position().toPoint());
}

void CRulerBar::mouseReleaseEvent(QMouseEvent* e) {
  if (arrastado_ == Nenhum) return;
  Arrasta(e->position().toPoint());
  DesenhaLinhaArrasto(-1);
  FormatoParagrafo f;
  f.mascara = FormatoParagrafo::Inicio | FormatoParagrafo::Direito | FormatoParagrafo::Deslocamento |
              FormatoParagrafo::Tabulacoes;
  f.inicio = marcas_[PrimeiraLinha].posicao;
  f.deslocamento = marcas_[RecuoEsquerdo].posicao - marcas_[PrimeiraLinha].posicao;
  f.direito = int(papel_.width()) - margemEsquerda_ - margemDireita_ - marcas_[RecuoDireito].posicao;
  std::vector<int> tabs = Tabs();
  std::sort(tabs.begin(), tabs.end());
  tabs.erase(std::unique(tabs.begin(), tabs.end()), tabs.end());
  f.tabs = tabs;
  arrastado_ = Nenhum;
  ligado_ = false;
  vista_->AplicaFormatoParagrafo(f);
  Atualiza();
}
