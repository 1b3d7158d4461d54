#include "Rtf.h"

#include "FormatoParagrafo.h"
#include "platform/Cp1252.h"

#include <QColor>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cctype>
#include <cmath>
#include <vector>

namespace rtf {
namespace {

// --------------------------------------------------------------- writing

QString Familia(const QTextCharFormat& f, const QTextDocument& doc) {
  const QStringList familias = f.fontFamilies().toStringList();
  if (!familias.isEmpty() && !familias.first().isEmpty()) return familias.first();
  return doc.defaultFont().family();
}

double Pontos(const QTextCharFormat& f, const QTextDocument& doc) {
  if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0) return f.fontPointSize();
  const double p = doc.defaultFont().pointSizeF();
  return p > 0 ? p : 10.0;
}

void EscreveTexto(QByteArray& s, const QString& texto) {
  for (QChar c : texto) {
    const char16_t u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') { s += '\\'; s += char(u); }
    else if (u == '\t') s += "\\tab ";
    else if (u == QChar::LineSeparator || u == '\n') s += "\\line ";
    else if (u == QChar::Nbsp) s += "\\~";
    else if (u >= 0x20 && u < 0x80) s += char(u);
    else if (u < 0x20) continue;
    else {
      const unsigned char byte = plat::ByteCp1252(c);
      if (byte >= 0x80 && plat::CaractereCp1252(byte) == c) {
        s += QByteArray("\\'") + QByteArray::number(byte, 16).rightJustified(2, '0');
      } else {
        // \uN takes a signed 16-bit number; a reader without it takes the '?'.
        s += "\\u" + QByteArray::number(int(int16_t(u))) + '?';
      }
    }
  }
}

struct Tabelas {
  QStringList fontes;
  std::vector<QColor> cores;  // index 0 is the automatic colour
  int Fonte(const QString& f) {
    int i = int(fontes.indexOf(f));
    if (i < 0) { fontes << f; i = int(fontes.size()) - 1; }
    return i;
  }
  int Cor(const QColor& c) {
    for (std::size_t i = 0; i < cores.size(); ++i)
      if (cores[i] == c) return int(i) + 1;
    cores.push_back(c);
    return int(cores.size());
  }
};

QByteArray FormatoCaractere(const QTextCharFormat& f, const QTextDocument& doc, Tabelas& t) {
  QByteArray s = "\\f" + QByteArray::number(t.Fonte(Familia(f, doc)));
  s += "\\fs" + QByteArray::number(int(std::lround(Pontos(f, doc) * 2)));
  if (f.fontWeight() >= QFont::DemiBold) s += "\\b";
  if (f.fontItalic()) s += "\\i";
  if (f.fontUnderline()) s += "\\ul";
  if (f.fontStrikeOut()) s += "\\strike";
  if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
    s += "\\cf" + QByteArray::number(t.Cor(f.foreground().color()));
  if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
    s += "\\highlight" + QByteArray::number(t.Cor(f.background().color()));
  return s;
}

QByteArray FormatoBloco(const QTextBlock& b) {
  const FormatoParagrafo p = FormatoDoBloco(b);
  QByteArray s = "\\pard";
  if (p.alinhamento == Qt::AlignHCenter) s += "\\qc";
  else if (p.alinhamento == Qt::AlignRight) s += "\\qr";
  else if (p.alinhamento == Qt::AlignJustify) s += "\\qj";
  // li is the following lines' indent, fi the first line's relative to it; a
  // bullet stands at li + fi and its text at li, as the editor lays it out.
  const int deslocamento = DeslocamentoEfetivo(p);
  const int li = p.inicio + deslocamento;
  if (li) s += "\\li" + QByteArray::number(li);
  if (deslocamento) s += "\\fi" + QByteArray::number(-deslocamento);
  if (p.direito) s += "\\ri" + QByteArray::number(p.direito);
  for (int tab : p.tabs) s += "\\tx" + QByteArray::number(tab);
  if (p.marcador)
    s += "{\\pntext\\f0\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent" + QByteArray::number(deslocamento) +
         "{\\pntxtb\\'95}}";
  // A space ends the last control word; after a group it would be text.
  return s.endsWith('}') ? s : s + ' ';
}

// --------------------------------------------------------------- reading

struct EstadoGrupo {
  QTextCharFormat caractere;
  int destino = 0;  // 0 text, 1 skipped, 2 font table, 3 colour table, 4 bullet group
  int uc = 1;
  bool estrela = false;
};

class Leitor {
public:
  Leitor(const QByteArray& b, QTextDocument& d) : b_(b), doc_(d), cursor_(&d) {}

  // What the file held that the document does not keep, in the order first met.
  const QStringList& Perdas() const { return perdas_; }

  bool Executa() {
    if (!b_.startsWith("{\\rtf")) return false;
    doc_.clear();
    cursor_ = QTextCursor(&doc_);
    pilha_.push_back(EstadoGrupo{});
    while (i_ < b_.size()) {
      const char c = b_[i_];
      if (c == '{') {
        pilha_.push_back(pilha_.back());
        pilha_.back().estrela = false;
        ++i_;
      } else if (c == '}') {
        FechaGrupo();
        ++i_;
      } else if (c == '\\') {
        Controle();
      } else if (c == '\r' || c == '\n') {
        ++i_;
      } else {
        Caractere(QChar(char16_t(static_cast<unsigned char>(c))), true);
        ++i_;
      }
    }
    // The writer ends every paragraph with \par: the last, empty block goes.
    if (cursor_.block().text().isEmpty() && cursor_.block().previous().isValid()) {
      cursor_.deletePreviousChar();
    } else {
      AplicaParagrafo();
    }
    return true;
  }

private:
  EstadoGrupo& E() { return pilha_.back(); }

  void FechaGrupo() {
    if (pilha_.size() <= 1) return;
    const EstadoGrupo saindo = pilha_.back();
    pilha_.pop_back();
    if (saindo.destino == 2 && !nomeFonte_.isEmpty()) FechaFonte();
  }

  void FechaFonte() {
    QString nome = nomeFonte_.trimmed();
    if (nome.endsWith(QLatin1Char(';'))) nome.chop(1);
    if (fonteAtual_ >= 0) {
      if (int(fontes_.size()) <= fonteAtual_) fontes_.resize(fonteAtual_ + 1);
      fontes_[fonteAtual_] = nome.trimmed();
    }
    nomeFonte_.clear();
  }

  void Caractere(QChar c, bool doArquivo) {
    const int d = E().destino;
    if (d == 1 || d == 4) return;
    if (d == 2) {
      if (c == QLatin1Char(';')) { nomeFonte_ += c; FechaFonte(); }
      else nomeFonte_ += c;
      return;
    }
    if (d == 3) {
      if (c == QLatin1Char(';')) {
        cores_.push_back(corAutomatica_ ? QColor() : QColor(vermelho_, verde_, azul_));
        vermelho_ = verde_ = azul_ = 0;
        corAutomatica_ = true;
      }
      return;
    }
    Q_UNUSED(doArquivo);
    // The cells of a table row before this text, one tab each.
    if (celulas_ > 0) cursor_.insertText(QString(celulas_, QLatin1Char('\t')), E().caractere);
    celulas_ = 0;
    cursor_.insertText(QString(c), E().caractere);
  }

  void AplicaParagrafo() {
    QTextBlockFormat f = cursor_.blockFormat();
    FormatoParagrafo p = paragrafo_;
    // li is the following lines' indent, fi the first line's relative to it.
    p.inicio = li_ + fi_;
    p.deslocamento = -fi_;
    p.mascara = FormatoParagrafo::Tudo & ~FormatoParagrafo::Numeracao;
    GravaNoFormato(f, p);
    cursor_.setBlockFormat(f);
    QTextBlock b = cursor_.block();
    if (paragrafo_.marcador) {
      QTextList* anterior = b.previous().isValid() ? b.previous().textList() : nullptr;
      if (anterior) anterior->add(b);
      else cursor_.createList(FormatoListaMarcadores());
    }
    AjustaGeometria(cursor_.block());
  }

  void Controle() {
    ++i_;  // the backslash
    if (i_ >= b_.size()) return;
    const char c = b_[i_];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++i_;
      switch (c) {
        case '\\': case '{': case '}': Caractere(QChar(char16_t(c)), true); break;
        case '~': Caractere(QChar(QChar::Nbsp), true); break;
        case '*': E().estrela = true; break;
        case '\'': {
          const QByteArray hex = b_.mid(i_, 2);
          i_ += 2;
          bool ok = false;
          const int v = hex.toInt(&ok, 16);
          if (ok) Caractere(plat::CaractereCp1252(static_cast<unsigned char>(v)), true);
          break;
        }
        case '\r': case '\n': Paragrafo(); break;
        default: break;
      }
      return;
    }
    const int inicio = i_;
    while (i_ < b_.size() && std::isalpha(static_cast<unsigned char>(b_[i_]))) ++i_;
    const QByteArray palavra = b_.mid(inicio, i_ - inicio);
    bool temParametro = false;
    int parametro = 0;
    const int inicioNumero = i_;
    if (i_ < b_.size() && (b_[i_] == '-' || std::isdigit(static_cast<unsigned char>(b_[i_])))) {
      ++i_;
      while (i_ < b_.size() && std::isdigit(static_cast<unsigned char>(b_[i_]))) ++i_;
      parametro = b_.mid(inicioNumero, i_ - inicioNumero).toInt(&temParametro);
    }
    if (i_ < b_.size() && b_[i_] == ' ') ++i_;
    Palavra(palavra, temParametro, parametro);
  }

  void Paragrafo() {
    if (E().destino != 0) return;
    AplicaParagrafo();
    cursor_.insertBlock(QTextBlockFormat(), E().caractere);
  }

  // Entry 0 of the table is the automatic colour.
  QColor Cor(int i) const { return i >= 0 && i < int(cores_.size()) ? cores_[std::size_t(i)] : QColor(); }

  void Perde(const QString& o_que) {
    if (!perdas_.contains(o_que)) perdas_ << o_que;
  }

  // Content that the document has no place for, also inside groups it skips.
  void AnotaPerda(const QByteArray& p) {
    if (p == "trowd" || p == "cell" || p == "row" || p == "nestcell") Perde(QStringLiteral("tabelas"));
    else if (p == "pict" || p == "shppict" || p == "shp") Perde(QStringLiteral("figuras"));
    else if (p == "object") Perde(QStringLiteral("objetos"));
    else if (p == "header" || p == "headerl" || p == "headerr" || p == "headerf" || p == "footer" || p == "footerl" ||
             p == "footerr" || p == "footerf")
      Perde(QStringLiteral("cabeçalhos e rodapés"));
    else if (p == "footnote") Perde(QStringLiteral("notas de rodapé"));
  }

  void Palavra(const QByteArray& p, bool tem, int n) {
    AnotaPerda(p);
    EstadoGrupo& e = E();
    // Destinations.
    if (p == "fonttbl") { e.destino = 2; return; }
    if (p == "colortbl") { e.destino = 3; vermelho_ = verde_ = azul_ = 0; corAutomatica_ = true; return; }
    if (p == "pn") { e.destino = 4; paragrafo_.marcador = false; return; }
    if (p == "pntext" || p == "info" || p == "stylesheet" || p == "header" || p == "footer" || p == "pict" ||
        p == "object" || p == "listtable" || p == "listoverridetable" || p == "generator" || p == "fldinst" ||
        e.estrela) {
      if (!(e.destino == 4)) { e.destino = 1; return; }
    }
    if (e.destino == 4) {
      if (p == "pnlvlblt") paragrafo_.marcador = true;
      return;
    }
    if (e.destino == 1) return;
    if (e.destino == 2) {
      if (p == "f") fonteAtual_ = n;
      return;
    }
    if (e.destino == 3) {
      if (p == "red") { vermelho_ = n; corAutomatica_ = false; }
      else if (p == "green") { verde_ = n; corAutomatica_ = false; }
      else if (p == "blue") { azul_ = n; corAutomatica_ = false; }
      return;
    }
    QTextCharFormat& f = e.caractere;
    const bool liga = !tem || n != 0;
    if (p == "par") Paragrafo();
    else if (p == "cell" || p == "nestcell") ++celulas_;
    else if (p == "row" || p == "nestrow") {
      celulas_ = 0;
      Paragrafo();
    }
    else if (p == "line") Caractere(QChar(QChar::LineSeparator), true);
    else if (p == "tab") Caractere(QLatin1Char('\t'), true);
    else if (p == "pard") { paragrafo_ = FormatoParagrafo{}; li_ = fi_ = 0; }
    else if (p == "ql") paragrafo_.alinhamento = Qt::AlignLeft;
    else if (p == "qc") paragrafo_.alinhamento = Qt::AlignHCenter;
    else if (p == "qr") paragrafo_.alinhamento = Qt::AlignRight;
    else if (p == "qj") paragrafo_.alinhamento = Qt::AlignJustify;
    else if (p == "li") li_ = n;
    else if (p == "fi") fi_ = n;
    else if (p == "ri") paragrafo_.direito = n;
    else if (p == "tx") paragrafo_.tabs.push_back(n);
    else if (p == "plain") f = QTextCharFormat();
    else if (p == "f") f.setFontFamilies({n >= 0 && n < int(fontes_.size()) ? fontes_[std::size_t(n)] : QString()});
    else if (p == "fs") f.setFontPointSize(tem ? n / 2.0 : 12.0);
    else if (p == "b") f.setFontWeight(liga ? QFont::Bold : QFont::Normal);
    else if (p == "i") f.setFontItalic(liga);
    else if (p == "ul") f.setFontUnderline(liga);
    else if (p == "ulnone") f.setFontUnderline(false);
    else if (p == "strike") f.setFontStrikeOut(liga);
    else if (p == "cf") {
      const QColor c = Cor(n);
      if (c.isValid()) f.setForeground(c);
      else f.clearForeground();
    } else if (p == "highlight" || p == "cb" || p == "chcbpat") {
      const QColor c = Cor(n);
      if (c.isValid()) f.setBackground(c);
      else f.clearBackground();
    } else if (p == "uc") e.uc = n;
    else if (p == "u") {
      Caractere(QChar(char16_t(uint16_t(int16_t(n)))), true);
      PulaSubstitutos(e.uc);
    }
  }

  void PulaSubstitutos(int n) {
    for (int k = 0; k < n && i_ < b_.size(); ++k) {
      if (b_[i_] == '\\' && i_ + 1 < b_.size() && b_[i_ + 1] == '\'') i_ += 4;
      else if (b_[i_] == '{' || b_[i_] == '}' || b_[i_] == '\\') break;
      else ++i_;
    }
  }

  const QByteArray& b_;
  QTextDocument& doc_;
  QTextCursor cursor_;
  int i_ = 0;
  std::vector<EstadoGrupo> pilha_;
  FormatoParagrafo paragrafo_;
  int li_ = 0, fi_ = 0;
  std::vector<QString> fontes_;
  QString nomeFonte_;
  int fonteAtual_ = -1;
  std::vector<QColor> cores_;
  int vermelho_ = 0, verde_ = 0, azul_ = 0;
  bool corAutomatica_ = true;
  int celulas_ = 0;  // cells ended in the current table row since its last text
  QStringList perdas_;
};

}  // namespace

QByteArray Escreve(const QTextDocument& doc) {
  Tabelas t;
  t.Fonte(doc.defaultFont().family());
  QByteArray corpo;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    corpo += FormatoBloco(b);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment frag = it.fragment();
      if (!frag.isValid()) continue;
      corpo += '{' + FormatoCaractere(frag.charFormat(), doc, t) + ' ';
      EscreveTexto(corpo, frag.text());
      corpo += '}';
    }
    corpo += "\\par\n";
  }
  QByteArray s = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (int i = 0; i < t.fontes.size(); ++i) {
    s += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
    EscreveTexto(s, t.fontes[i]);
    s += ";}";
  }
  s += "}\n{\\colortbl ;";
  for (const QColor& c : t.cores)
    s += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
         QByteArray::number(c.blue()) + ';';
  s += "}\n\\uc1 ";
  return s + corpo + "}\n";
}

bool Le(const QByteArray& bytes, QTextDocument& doc, QStringList* perdas) {
  Leitor l(bytes, doc);
  const bool ok = l.Executa();
  if (perdas) *perdas = l.Perdas();
  return ok;
}

}  // namespace rtf
