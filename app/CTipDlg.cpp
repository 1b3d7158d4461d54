#include "CTipDlg.h"

#include "CTarsolinApp.h"

#include "controls/CHoverButton.h"
#include "platform/Cp1252.h"
#include "platform/Programa.h"
#include "platform/TabelaTextos.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSettings>
#include <QStringDecoder>
#include <ctime>

namespace {

constexpr int TxtFalhaLeitura = 4000, TxtVoceSabia = 4004, TxtSemArquivo = 4007;
constexpr int kTamanhoLinha = 1000;  // a longer line is read in pieces, each a line

// The file's creation time as the C runtime's ctime writes it, without its
// trailing newline and blanks; the last change where the file system keeps
// no creation time.
QString MomentoCriacao(const QString& caminho) {
  const QFileInfo info(caminho);
  QDateTime quando = info.birthTime();
  if (!quando.isValid()) quando = info.lastModified();
  const std::time_t t = std::time_t(quando.toSecsSinceEpoch());
  const char* texto = std::ctime(&t);
  return texto ? QString::fromLatin1(texto).trimmed() : QString();
}

// A tip as stored: UTF-8 when it reads as such, else the older Windows-1252.
QString DecodificaLinha(const char* linha) {
  const QByteArray bytes(linha);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString texto = utf8.decode(bytes);
  if (utf8.hasError()) texto = plat::LeCp1252(bytes.toStdString());
  while (texto.endsWith('\n') || texto.endsWith('\r')) texto.chop(1);
  return texto;
}

bool LinhaIgnorada(const char* linha) {
  return linha[0] == ' ' || linha[0] == '\t' || linha[0] == '\n' || linha[0] == '\r' || linha[0] == ';' ||
         linha[0] == '\0';
}

}  // namespace

CTipDlg::CTipDlg(QWidget* parent, const QString& arquivo, QSettings* settings)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlg547"));
  setWindowTitle(QStringLiteral("Dica do Dia"));
  QSettings& s = Configuracoes();
  inicio_ = s.value(QStringLiteral("Tip/StartUp"), 0).toInt() == 0;
  long posicao = s.value(QStringLiteral("Tip/FilePos"), 0).toLongLong();

  // Laid out as the dialog's 292 x 170 units: the white tip area with the
  // bulb in its grey left strip, the check box and the two buttons below.
  setFixedSize(460, 290);
  moldura_ = new QWidget(this);
  moldura_->setObjectName(QStringLiteral("1117"));
  moldura_->setGeometry(12, 12, 436, 212);
  icone_ = new QWidget(this);
  icone_->setObjectName(QStringLiteral("1012"));
  icone_->setGeometry(28, 24, 32, 32);
  texto_ = new QWidget(this);
  texto_->setObjectName(QStringLiteral("1129"));
  texto_->setGeometry(92, 66, 344, 148);
  texto_->setAccessibleName(QStringLiteral("Informação"));
  marca_ = new QCheckBox(QStringLiteral("&Exibir esta Tela Novamente"), this);
  marca_->setObjectName(QStringLiteral("1115"));
  marca_->setGeometry(12, 240, 220, 24);
  marca_->setChecked(inicio_);
  proxima_ = new CHoverButton(QStringLiteral("&Próxima Dica"), this);
  proxima_->setObjectName(QStringLiteral("1084"));
  proxima_->setGeometry(236, 236, 118, 32);
  fechar_ = new CHoverButton(QStringLiteral("&Fechar"), this);
  fechar_->setObjectName(QStringLiteral("1"));
  fechar_->setGeometry(362, 236, 86, 32);
  fechar_->setDefault(true);
  for (CHoverButton* b : {proxima_, fechar_}) {
    b->SetStateIcons(b == proxima_ ? 154 : 149, CHoverButton::RepousoCinza);
    b->ShiftStateColour(CHoverButton::CorFaceAtiva, 30, true);
  }
  connect(proxima_, &QPushButton::clicked, this, [this] {
    ProximaDica();
    update();
  });
  connect(fechar_, &QPushButton::clicked, this, &CTipDlg::accept);

  const QString caminho = arquivo.isEmpty() ? plat::CaminhoPrograma(QStringLiteral("tips.txt")) : arquivo;
  arquivo_ = std::fopen(QFile::encodeName(caminho).constData(), "r");
  if (arquivo_) {
    // A replaced tips file starts from its first tip.
    const QString momento = MomentoCriacao(caminho);
    if (momento != s.value(QStringLiteral("Tip/TimeStamp")).toString()) {
      posicao = 0;
      s.setValue(QStringLiteral("Tip/TimeStamp"), momento);
    }
    if (posicao < 0 || std::fseek(arquivo_, posicao, SEEK_SET) != 0) dica_ = plat::Texto(TxtFalhaLeitura);
    else ProximaDica();
  } else {
    dica_ = plat::Texto(TxtSemArquivo);
    proxima_->setEnabled(false);
  }
  texto_->setAccessibleDescription(dica_);
}

CTipDlg::~CTipDlg() {
  if (!arquivo_) return;
  const long posicao = std::ftell(arquivo_);
  if (posicao >= 0) Configuracoes().setValue(QStringLiteral("Tip/FilePos"), qlonglong(posicao));
  std::fclose(arquivo_);
}

QSettings& CTipDlg::Configuracoes() const { return settings_ ? *settings_ : *CTarsolinApp::Configuracoes(); }

bool CTipDlg::ExibeNoInicio(QSettings* settings) {
  QSettings& s = settings ? *settings : *CTarsolinApp::Configuracoes();
  return s.value(QStringLiteral("Tip/StartUp"), 0).toInt() == 0;
}

void CTipDlg::ProximaDica() {
  if (!arquivo_) return;
  char linha[kTamanhoLinha];
  // A file with no tip at all would be read round and round: one full pass
  // without a tip ends the search.
  bool voltou = false;
  for (;;) {
    if (!std::fgets(linha, sizeof linha, arquivo_)) {
      if (voltou || std::fseek(arquivo_, 0, SEEK_SET) != 0) {
        dica_ = plat::Texto(TxtFalhaLeitura);
        texto_->setAccessibleDescription(dica_);
        if (voltou) proxima_->setEnabled(false);
        return;
      }
      std::clearerr(arquivo_);
      voltou = true;
      continue;
    }
    if (!LinhaIgnorada(linha)) break;
  }
  dica_ = DecodificaLinha(linha);
  texto_->setAccessibleDescription(dica_);
}

void CTipDlg::accept() {
  inicio_ = marca_->isChecked();
  Configuracoes().setValue(QStringLiteral("Tip/StartUp"), inicio_ ? 0 : 1);
  QDialog::accept();
}

void CTipDlg::paintEvent(QPaintEvent* e) {
  QDialog::paintEvent(e);
  QPainter p(this);
  const QColor janela = palette().color(QPalette::Base);
  const QColor sombra = palette().color(QPalette::Dark);
  const QRect area = moldura_->geometry();
  const QRect dica = texto_->geometry();
  const QRect bulbo = icone_->geometry();
  p.fillRect(area, janela);
  p.fillRect(QRect(area.topLeft(), QPoint(dica.left() - 10, area.bottom())), sombra);
  QImage lampada(QStringLiteral(":/icones/114"));
  if (!lampada.isNull()) {
    // Its white background takes the strip's colour.
    lampada = lampada.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < lampada.height(); ++y) {
      auto* px = reinterpret_cast<QRgb*>(lampada.scanLine(y));
      for (int x = 0; x < lampada.width(); ++x)
        if ((px[x] & 0xFFFFFFu) == 0xFFFFFFu) px[x] = sombra.rgb();
    }
    p.drawImage(bulbo.topLeft(), lampada);
  }
  const int linhaY = bulbo.top() + (lampada.isNull() ? 32 : lampada.height()) + 6;
  p.setPen(sombra);
  p.drawLine(area.left(), linhaY, area.right(), linhaY);

  QFont titulo(QStringLiteral("Arial"));
  titulo.setPixelSize(22);
  titulo.setBold(true);
  p.setFont(titulo);
  p.setPen(palette().color(QPalette::Text));
  p.drawText(QRect(dica.left(), bulbo.top(), area.right() - dica.left(), linhaY - bulbo.top()),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, plat::Texto(TxtVoceSabia));
  p.fillRect(dica, janela);
  QFont corpo(QStringLiteral("Arial"));
  corpo.setPixelSize(16);
  p.setFont(corpo);
  p.drawText(dica, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, dica_);
}
