// The report's rich text: what the writer puts down the reader gives back.
#include "report/FormatoParagrafo.h"
#include "report/Rtf.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

namespace {

QTextCharFormat Formato(const QString& fonte, double pontos) {
  QTextCharFormat f;
  f.setFontFamilies({fonte});
  f.setFontPointSize(pontos);
  return f;
}

// The format of the first character of `texto` in the document.
QTextCharFormat FormatoDe(const QTextDocument& d, const QString& texto) {
  const QTextCursor c = d.find(texto);
  EXPECT_FALSE(c.isNull()) << texto.toStdString();
  QTextCursor um(const_cast<QTextDocument*>(&d));
  um.setPosition(c.selectionStart() + 1);
  return um.charFormat();
}

TEST(Rtf, RoundTripOfCharacterAndParagraphFormats) {
  QTextDocument d;
  QTextCursor c(&d);
  QTextCharFormat arial = Formato(QStringLiteral("Arial"), 10);
  QTextCharFormat negrito = arial;
  negrito.setFontWeight(QFont::Bold);
  QTextCharFormat italico = arial;
  italico.setFontItalic(true);
  QTextCharFormat sublinhado = arial;
  sublinhado.setFontUnderline(true);
  QTextCharFormat courier = Formato(QStringLiteral("Courier New"), 12);
  courier.setForeground(QColor(255, 0, 0));
  c.insertText(QStringLiteral("negrito "), negrito);
  c.insertText(QStringLiteral("itálico "), italico);
  c.insertText(QStringLiteral("sublinhado "), sublinhado);
  c.insertText(QStringLiteral("vermelho"), courier);
  FormatoParagrafo centro;
  centro.mascara = FormatoParagrafo::Alinhamento;
  centro.alinhamento = Qt::AlignHCenter;
  AplicaFormatoParagrafo(c, centro);

  c.insertBlock();
  c.insertText(QStringLiteral("recuo\tcom\ttabs {chaves} \\ ção σ"), arial);
  FormatoParagrafo recuo;
  recuo.mascara = FormatoParagrafo::Tudo & ~FormatoParagrafo::Numeracao;
  recuo.alinhamento = Qt::AlignLeft;
  recuo.inicio = 360;        // \li720 \fi-360: the first line at 360, the others at 720
  recuo.deslocamento = 360;
  recuo.tabs = {283, 2834};
  AplicaFormatoParagrafo(c, recuo);

  c.insertBlock();
  c.insertText(QStringLiteral("primeiro marcador"), arial);
  FormatoParagrafo marcador;
  marcador.mascara = FormatoParagrafo::Numeracao | FormatoParagrafo::Tabulacoes;
  marcador.marcador = true;
  AplicaFormatoParagrafo(c, marcador);
  c.insertBlock();
  c.insertText(QStringLiteral("segundo marcador"), arial);

  const QByteArray rtf = rtf::Escreve(d);
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
  EXPECT_TRUE(rtf.contains("\\li720\\fi-360\\tx283\\tx2834")) << rtf.constData();
  EXPECT_TRUE(rtf.contains("\\'e7\\'e3o")) << rtf.constData();   // Windows-1252
  EXPECT_TRUE(rtf.contains("\\u963?")) << rtf.constData();       // beyond it
  EXPECT_TRUE(rtf.contains("\\{chaves\\} \\\\")) << rtf.constData();

  QTextDocument lido;
  ASSERT_TRUE(rtf::Le(rtf, lido));
  ASSERT_EQ(lido.blockCount(), 4);
  EXPECT_EQ(lido.toPlainText().toStdString(), d.toPlainText().toStdString());
  EXPECT_EQ(FormatoDe(lido, QStringLiteral("negrito")).fontWeight(), QFont::Bold);
  EXPECT_FALSE(FormatoDe(lido, QStringLiteral("negrito")).fontItalic());
  EXPECT_TRUE(FormatoDe(lido, QStringLiteral("itálico")).fontItalic());
  EXPECT_TRUE(FormatoDe(lido, QStringLiteral("sublinhado")).fontUnderline());
  const QTextCharFormat vermelho = FormatoDe(lido, QStringLiteral("vermelho"));
  EXPECT_EQ(vermelho.fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
  EXPECT_EQ(vermelho.fontPointSize(), 12);
  EXPECT_EQ(vermelho.foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(FormatoDe(lido, QStringLiteral("negrito")).fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
  EXPECT_FALSE(FormatoDe(lido, QStringLiteral("recuo")).foreground().style() != Qt::NoBrush);

  const FormatoParagrafo p0 = FormatoDoBloco(lido.findBlockByNumber(0));
  EXPECT_EQ(p0.alinhamento, Qt::AlignHCenter);
  const FormatoParagrafo p1 = FormatoDoBloco(lido.findBlockByNumber(1));
  EXPECT_EQ(p1.inicio, 360);
  EXPECT_EQ(p1.deslocamento, 360);
  EXPECT_EQ(p1.tabs, (std::vector<int>{283, 2834}));
  EXPECT_FALSE(p1.marcador);
  EXPECT_TRUE(FormatoDoBloco(lido.findBlockByNumber(2)).marcador);
  EXPECT_TRUE(FormatoDoBloco(lido.findBlockByNumber(3)).marcador);
  EXPECT_EQ(lido.findBlockByNumber(2).textList(), lido.findBlockByNumber(3).textList());
  // Written again, the same bytes.
  EXPECT_EQ(rtf::Escreve(lido).toStdString(), rtf.toStdString());
}

TEST(Rtf, ReaderSkipsUnknownGroupsAndRefusesOtherBytes) {
  QTextDocument d;
  EXPECT_FALSE(rtf::Le("texto simples", d));
  ASSERT_TRUE(rtf::Le("{\\rtf1\\ansi{\\info{\\title x}}{\\*\\generator y;}{\\stylesheet{\\s0 Normal;}}"
                      "\\pard\\plain A\\par B\\line C\\u8364?\\par}", d));
  ASSERT_EQ(d.blockCount(), 2);
  EXPECT_EQ(d.firstBlock().text(), QStringLiteral("A"));
  EXPECT_EQ(d.lastBlock().text(), QStringLiteral("B") + QChar(QChar::LineSeparator) + QStringLiteral("C€"));
}

}  // namespace
