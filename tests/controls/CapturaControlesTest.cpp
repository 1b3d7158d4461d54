// The report list and the property grid as a user sees them together: checks a
// few pixels of the composed window and, when TARSOLIN_CAPTURAS names a folder,
// writes the picture there.
#include "controls/CCustomItemSlider.h"
#include "controls/CCustomItemSpin.h"
#include "controls/CListReportCtrl.h"
#include "controls/CListReportSubItemListCtrl.h"
#include "controls/PropertyGrid.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QSplitter>
#include <gtest/gtest.h>

namespace {

ReportImageList Icones() {
  ReportImageList l(QSize(16, 16));
  const QColor cores[] = {Qt::darkBlue, Qt::darkGreen, Qt::darkYellow, Qt::gray, Qt::lightGray,
                          QColor(0, 150, 0), Qt::darkCyan, QColor(200, 0, 0), Qt::black};
  for (const QColor& c : cores) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter q(&p);
    q.setRenderHint(QPainter::Antialiasing);
    q.setBrush(c);
    q.setPen(Qt::NoPen);
    q.drawEllipse(2, 2, 12, 12);
    l.Add(p);
  }
  return l;
}

TEST(Captura, ReportListAndPropertyGrid) {
  QWidget janela;
  janela.setWindowTitle(QStringLiteral("Lista e grade de propriedades"));
  janela.resize(900, 360);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPointSize(9);
  janela.setFont(f);
  auto* lay = new QHBoxLayout(&janela);
  auto* lista = new CListReportCtrl;
  lista->Create(ReportStyle::HorizontalGrid | ReportStyle::VerticalGrid | ReportStyle::AlternateColours |
                    ReportStyle::ShowSelectionAlways | ReportStyle::LabelTips | ReportWindowStyle::Border,
                QRect(0, 0, 560, 340), &janela, 100);
  static const ReportImageList icones = Icones();
  lista->SetImages(&icones, nullptr);
  lista->AddColour(0, qRgb(0xC0, 0xD8, 0xC0));
  lista->AddColour(1, qRgb(0xF0, 0xD0, 0xD0));
  const struct { const char* nome; quint32 flags; int largura; } colunas[] = {
      {"Habilitar", 0x000D0800, 20}, {"Icone", 0x011D0800, 20}, {"Variáveis", 0x00084000, 130},
      {"Equação", 0x00084001, 56},   {"Crescimento", 0x00084001, 80}, {"t.Calculado", 0x00084001, 80},
      {"Sig. RL", 0x00084001, 66}};
  for (int c = 0; c < 7; ++c) {
    ReportColumnInfo i;
    i.flags = colunas[c].flags;
    i.width = colunas[c].largura;
    i.image = c == 0 ? 6 : 4;
    i.caption = QString::fromUtf8(colunas[c].nome);
    lista->DescribeColumn(c, i);
    lista->ShowColumnAt(c, c);
  }
  const struct { const char* nome; const char* eq; const char* cres; const char* t; const char* sig; int img; } linhas[] = {
      {"AREA", "ln(x)", "12,40", "8,31", "99,99", 1}, {"IDADE", "1/x", "-3,05", "-2,47", "98,35", 1},
      {"PADRAO", "x", "7,82", "5,10", "99,98", 2},    {"GARAGEM", "x½", "1,97", "1,12", "73,41", 1},
      {"DIST_CENTRO", "x^0,50", "-0,88", "-0,61", "45,22", 1}, {"VALOR_UNIT", "ln(x)", "", "", "", 0}};
  for (const auto& l : linhas) {
    const int i = lista->AppendRowWithText(QString(), -1, 1);
    lista->SetItemImage(i, 1, l.img);
    lista->SetItemText(i, 2, QString::fromUtf8(l.nome));
    lista->SetItemText(i, 3, QString::fromUtf8(l.eq));
    lista->SetItemText(i, 4, QString::fromUtf8(l.cres));
    lista->SetItemText(i, 5, QString::fromUtf8(l.t));
    lista->SetItemText(i, 6, QString::fromUtf8(l.sig));
  }
  lista->SetItemCheck(3, 0, 0);
  ReportItemInfo cor;
  cor.item = 4;
  cor.column = -1;
  cor.mask = ReportMask::Background;
  cor.background = 1;
  lista->SetRowItem(cor);
  ReportItemInfo negrito;
  negrito.item = 5;
  negrito.column = -1;
  negrito.mask = ReportMask::State;
  negrito.state = ReportState::Bold;
  lista->SetRowItem(negrito);
  lista->SortByColumn(2, true);
  lista->SelectRow(1, false);
  lay->addWidget(lista, 3);

  auto* grade = new PropertyGrid;
  PropertyGridItem* id = grade->AddCategory(QStringLiteral("Id. dado"));
  auto* spin = static_cast<CCustomItemSpin*>(id->AddChildItem(new CCustomItemSpin(QStringLiteral("Dado no."), 120)));
  spin->SetValue(QStringLiteral("00007"));
  PropertyGridItem* vars = grade->AddCategory(QStringLiteral("Variáveis"));
  vars->AddChildItem(new PropertyGridItem(QStringLiteral("AREA"), QStringLiteral("148,50")));
  vars->AddChildItem(new PropertyGridItem(QStringLiteral("IDADE"), QStringLiteral("12")));
  PropertyGridItem* campo = grade->AddCategory(QString::fromUtf8("Campo Arbítrio"));
  auto* minimo = campo->AddChildItem(new PropertyGridItem(QString::fromUtf8("Mínimo RL (-15%)"), QStringLiteral("1.020,00")));
  minimo->SetReadOnly(true);
  auto* desvio = static_cast<CCustomItemSlider*>(
      campo->AddChildItem(new CCustomItemSlider(QStringLiteral("Desvio"), -15, 15)));
  desvio->SetValue(QStringLiteral("4"));
  for (PropertyGridItem* c : {id, vars, campo}) c->Expand();
  lay->addWidget(grade, 2);
  janela.show();
  QApplication::processEvents();
  desvio->Select();
  QApplication::processEvents();

  const QImage img = janela.grab().toImage();
  // The coloured row and an alternate row show their colours.
  QRect r;
  ASSERT_TRUE(lista->GetRowRect(lista->DisplayPositionOfRow(4), -1, r));
  const QPoint base = lista->mapTo(&janela, QPoint(r.right() - 3, r.center().y()));
  EXPECT_EQ(img.pixel(base), qRgb(0xF0, 0xD0, 0xD0));
  ASSERT_NE(desvio->Slider(), nullptr);
  EXPECT_TRUE(desvio->Slider()->isVisible());
  EXPECT_EQ(desvio->Slider()->value(), 4);
  // With "Dado no." selected its up-down control stands at the right of the value.
  spin->Select();
  QApplication::processEvents();
  ASSERT_NE(spin->Button(), nullptr);
  EXPECT_TRUE(spin->Button()->isVisible());
  const QImage img2 = janela.grab().toImage();
  const QString pasta = qEnvironmentVariable("TARSOLIN_CAPTURAS");
  if (!pasta.isEmpty()) {
    QDir().mkpath(pasta);
    EXPECT_TRUE(img.save(QDir(pasta).filePath(QStringLiteral("lista_e_grade.png"))));
    EXPECT_TRUE(img2.save(QDir(pasta).filePath(QStringLiteral("lista_e_grade_spin.png"))));
  }
}

}  // namespace
