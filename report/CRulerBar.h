#pragma once
// The ruler above a report: the text width in the user's unit, and the
// paragraph's indents and tab stops, which the user drags.
#include "app/UnidadesMedida.h"

#include <QFont>
#include <QWidget>
#include <array>

class CLaudoView;

class CRulerBar : public QWidget {
  Q_OBJECT
public:
  CRulerBar(CLaudoView* vista, QWidget* parent = nullptr);

  static constexpr int MaxTabs = 32;
  static constexpr int Altura = 17;
  static constexpr int Topo = 4;  // top inset

  // A marker: position in twips from the left margin (0 on a tab marker means no tab).
  struct Marca {
    int posicao = 0;
    int vertical = 0;     // y of its picture
    int alinhamento = 6;  // 6 centred on the position, 0 left edge at it, otherwise right edge
    int minimo = 0, maximo = 0;
    QSize tamanho{9, 8};
  };
  enum Item { Nenhum = -1, BlocoEsquerdo = 0, RecuoEsquerdo = 1, PrimeiraLinha = 2, RecuoDireito = 3, PrimeiraTab = 4 };

  // The markers and the unit from the view's selection (nothing while a marker is dragged).
  void Atualiza();
  // Position to the unit's smallest drag step: q = p + step/2; q - q mod step.
  static int Ajusta(int twips, int passo);

  int Esquerdo() const { return marcas_[RecuoEsquerdo].posicao; }
  int Primeira() const { return marcas_[PrimeiraLinha].posicao; }
  int Direito() const { return marcas_[RecuoDireito].posicao; }
  std::vector<int> Tabs() const;
  const UnidadeMedida& Unidade() const { return unidade_; }
  // The marker under a point of the ruler (BlocoEsquerdo, RecuoEsquerdo, ... or a tab index); Nenhum for none.
  int ItemEm(const QPoint& p) const;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

private:
  double Px(int twips) const;          // twips to pixels
  int Twips(double px) const;
  int XDe(const Marca& m) const;       // left of a marker's picture, ruler coordinates before the offset
  QRect Retangulo(int item) const;
  void Arrasta(const QPoint& p);
  void DesenhaMarca(QPainter& p, int item) const;
  void DesenhaLinhaArrasto(int posicao);

  CLaudoView* vista_;
  UnidadeMedida unidade_;
  QFont fonte_;
  QSizeF papel_;
  int margemEsquerda_ = 0, margemDireita_ = 0;
  int deslocamento_ = 0, rolagem_ = 0;
  int arrastado_ = Nenhum;
  bool ligado_ = false;                // the left-indent block drags the first-line marker along
  int linhaArrasto_ = -1;              // x of the drag line in the view, -1 none
  std::array<Marca, PrimeiraTab + MaxTabs> marcas_;
};
