#pragma once
// The system's own push button: draws itself with an image beside its caption,
// a flat look that lights up under the mouse, six state colours, an optional
// tooltip, drop-down menu, link and toggle mode. The setters answer small codes
// (CHoverButton::Resultado), 0 when done.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <functional>
#include <memory>

class QMenu;
class QCursor;

class CHoverButton : public QPushButton {
  Q_OBJECT
public:
  enum Resultado {
    Feito = 0,
    FalhaLeitura = 1,     // a resource or image could not be read
    FalhaMascara = 2,     // a transparency mask could not be built
    CorInvalida = 3,      // colour index above 5
    PosicaoInvalida = 4,  // placement above 3
    NaoAplicavel = 5,     // shade outside -255..255, or the operation does not apply
    EstiloInvalido = 6,   // unknown press style
  };
  // Rest image choices besides a real image.
  enum RepousoGerado { SemRepouso = 0, RepousoCinza = -2, RepousoEscurecido = -3 };
  // State colour indices.
  enum { CorFaceAtiva = 0, CorTextoAtivo, CorFaceRepouso, CorTextoRepouso, CorFaceFoco, CorTextoFoco };

  explicit CHoverButton(QWidget* parent = nullptr);
  CHoverButton(const QString& texto, QWidget* parent = nullptr);
  ~CHoverButton() override;

  // Resources named by id are looked up as <prefix><id> or <prefix><id>.png
  // (icons, bitmaps, cursors). Each library sets the prefix of its own embedded resources.
  static void DefinePrefixoRecursos(const QString& prefixo);
  static QString PrefixoRecursos();
  // An image, bitmap or cursor resource by id under the prefix (null when missing),
  // scaled when a size is given.
  static QImage CarregaRecurso(int id, int largura = 0, int altura = 0);

  int SetStateIconHandles(const QImage& ativo, const QImage& repouso);
  int SetStateIconHandles(const QImage& ativo, int repousoGerado);
  int SetStateIcons(int idAtivo, int idRepouso);
  int SetStateIconsSized(int idAtivo, int larguraAtivo, int alturaAtivo, int idRepouso,
                         int larguraRepouso, int alturaRepouso);
  int SetStateBitmapHandles(const QImage& ativo, QRgb transparenteAtivo, const QImage& repouso,
                            QRgb transparenteRepouso);
  int SetStateBitmapHandles(const QImage& ativo, QRgb transparenteAtivo, int repousoGerado,
                            QRgb transparenteRepouso = 0);
  int SetStateBitmaps(int idAtivo, QRgb transparenteAtivo, int idRepouso, QRgb transparenteRepouso);

  int SetFlatLook(bool plano, bool repinta = true);
  int SetImagePlacement(int posicao, bool repinta = true);
  int SetPressShift(int estilo, bool repinta = true);
  int SetToggled(bool marcado, bool repinta = true);
  bool IsToggled() const;
  int ResetStateColours(bool repinta = true);
  int SetStateColour(int indice, QColor cor, bool repinta = true);
  int GetStateColour(int indice, QColor& cor) const;
  int ShiftStateColour(int indice, short tom, bool repinta = true);
  int SetHoverWhenInactive(bool ligado);
  int SetCursorResource(int idCursor, bool repinta = true);
  int SetFrameVisible(bool visivel, bool repinta = true);
  int SetFocusRectWhenFlat(bool ligado, bool repinta = true);
  int SetHintText(const QString* texto, bool ativa);
  int SetHintText(const QString& texto, bool ativa) { return SetHintText(&texto, ativa); }
  int SetHintTextResource(int idTexto, bool ativa);
  int EnableHint(bool ativa);
  int UseBalloonHint();
  bool IsDefaultButton() const { return isDefault(); }
  int UseParentBackground(bool repinta = true);
  int CaptureParentBackground(const QPixmap* fundoPai);
  int SetLink(const char* link);
  const char* GetLink() const { return link_; }
  // The button owns the menu; its first sub-menu drops down on click.
  int SetDropMenu(QMenu* menu, QObject* dono, bool repinta = true);
  // Called with the sub-menu just before it drops down.
  int SetDropMenuNotify(std::function<void(QMenu*, long)> aviso, long lParam);
  int FitToImage();
  int EndHover();

  // Check state as the dialog manager sees it: 1 or 2 check a toggle button.
  void SetCheck(int estado);
  int GetCheck() const { return IsToggled() ? 1 : 0; }

  bool ModoAlternancia() const { return isCheckable(); }
  bool Hovering() const { return hovering_; }
  QString TextoDica() const { return dica_; }
  bool DicaAtiva() const { return dicaAtiva_; }
  const QImage& ImagemAtiva() const { return ativa_; }
  const QImage& ImagemRepouso() const { return repouso_; }

  // Image rules shared with the tests: luminance grey and 25 % darker copies.
  // Pixels of `transparente` (when given) are kept as they are.
  static QImage CopiaCinza(const QImage& origem, const QRgb* transparente = nullptr);
  static QImage CopiaEscurecida(const QImage& origem, double fator = 0.25,
                                const QRgb* transparente = nullptr);
  // Moves the three channels by one common amount that keeps all in 0..255.
  static QColor DeslocaCor(QColor cor, int tom);

signals:
  // A command chosen in the drop-down menu, for the menu owner.
  void comandoMenu(int id);

protected:
  virtual void PaintFace(QPainter& p, const QRect& item);
  virtual void PaintFrame(QPainter& p, const QRect& item);
  virtual void PaintIcon(QPainter& p, bool temTexto, const QRect& item, QRect& rTexto, bool pressionado,
                         bool desabilitado);
  virtual void PaintBitmap(QPainter& p, bool temTexto, const QRect& item, QRect& rTexto, bool pressionado,
                           bool desabilitado);
  virtual void PaintCaption(QPainter& p, const QString& texto, const QRect& item, const QRect& rTexto,
                            bool pressionado, bool desabilitado);
  void DrawItem(QPainter& p);

  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool event(QEvent* e) override;

private:
  void Inicia();
  void LiberaImagens();
  void Repinta(bool repinta);
  void AoClicar();
  void TerminaHover();
  QRect PosicionaImagem(const QRect& item, QRect& rTexto, int w, int h, bool temTexto, bool pressionado) const;

  bool desabilitadoEmRelevo_ = true;  // a disabled bitmap is drawn embossed
  int margemX_ = 3;                   // gap between the item edge and the image
  int margemY_ = 3;                   // image top when placed above the caption
  int deslocX_ = 1, deslocY_ = 1;     // press shift of image and caption
  bool plano_ = true;
  bool hovering_ = false;
  bool fundoPai_ = false;             // face is a copy of the parent's pixels
  bool pressionado_ = false, focado_ = false, desabilitado_ = false;  // current paint
  unsigned char posicao_ = 0;         // 0 left, 1 above, 2 right, 3 top-left corner
  bool molduraVisivel_ = true;
  bool focoQuandoPlano_ = false;
  QColor cores_[6];
  QObject* donoMenu_ = nullptr;
  bool menuAberto_ = false;
  std::unique_ptr<QMenu> menu_;
  std::unique_ptr<QCursor> cursor_;
  QPixmap copiaFundo_;                // cached parent pixels under the button
  bool hoverInativo_ = true;
  unsigned estiloDica_ = 0;           // 0 or the balloon style 0x40
  QString dica_;
  bool temDica_ = false, dicaAtiva_ = false;
  char link_[260] = {};
  QImage ativa_, repouso_;            // icons (alpha) or masked bitmaps
  bool ehBitmap_ = false;
  std::function<void(QMenu*, long)> avisoMenu_;
  long avisoParam_ = 0;
};
