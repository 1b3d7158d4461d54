// The main model view and the result and data panes over the sample model,
// fitted once by the real libraries (a linear regression, then the lag model).
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CRelatorio.h"
#include "DriversCalculo.h"
#include "JanelaModeloBasica.h"
#include "MascaraFormato.h"
#include "ModeloCorrente.h"
#include "PaineisModelo.h"
#include "views/modelo/CTarsolinView.h"
#include "views/modelo/ImpressaoModelo.h"

#include "controls/CCustomItemSpin.h"
#include "controls/CTableCtrlEx.h"
#include "controls/PropertyGrid.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"
#include "tests/support/Arquivos.h"

#include <QAction>
#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <cstdio>
#include <map>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
using C = CabecalhoModelo;

struct ServicosGravados : ServicosDocumento {
  std::vector<int> postados;
  void PostaComando(int c) override { postados.push_back(c); }
};

// printf in the C library, the decimal point shown as a comma: an
// independent rendering of the pictures the panes use.
template <typename... A>
QString Fmt(const char* formato, A... args) {
  char b[256];
  std::snprintf(b, sizeof b, formato, args...);
  return QString::fromUtf8(b).replace('.', ',');
}

double F(const C& h, std::size_t off) { return h.F64(off); }
int I(const C& h, std::size_t off) { return h.I32(off); }

// The sample model after 32831 (general method, x and ln x) and 32832 (lag model).
const QByteArray& ModeloAjustado() {
  static QByteArray bytes;
  if (!bytes.isEmpty()) return bytes;
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath("baltimore.tsn");
  EXPECT_TRUE(QFile::copy(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"), caminho));
  QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner);
  drivers::Modulos() = drivers::NomesModulos{};
  ServicosGravados servicos;
  CTarsolinDoc::DefineServicos(&servicos);
  plat::GravadorMensagens mensagens;
  plat::DefineModoRoteiro(true);
  {
    CTarsolinDoc doc;
    EXPECT_TRUE(doc.AbreArquivo(caminho));
    CChildFrame moldura(&doc, new JanelaModeloBasica(&doc));
    plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
      plat::DefineMarcado(d, 1030, true);
      for (int id : {1016, 1018, 1019, 1020, 1021, 1022}) plat::DefineMarcado(d, id, false);
      plat::DefineMarcado(d, 1017, true);
      plat::Pressiona(d, 1);
    });
    EXPECT_TRUE(moldura.OnCmdMsg(32831));
    plat::RoteiroPara(QStringLiteral("dlg506"), [](QDialog& d) { plat::Pressiona(d, 1); });
    plat::RoteiroPara(QStringLiteral("dlg505"), [](QDialog& d) {
      plat::Pressiona(d, 1016);
      plat::DefineMarcado(d, 1096, true);
      plat::Pressiona(d, 1);
    });
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* r = qobject_cast<CRelatorio*>(w); r && plat::Texto(*r, 2) == QStringLiteral("&Fechar"))
          plat::Pressiona(*r, 2);
    });
    vigia.start(20);
    EXPECT_TRUE(moldura.OnCmdMsg(32832));
    vigia.stop();
  }
  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(false);
  CTarsolinDoc::DefineServicos(nullptr);
  bytes = teste::LeArquivo(caminho);
  // A copy of the fitted model for whoever wants to look at it in the program.
  const QString copia = qEnvironmentVariable("TARSOLIN_MODELO_AJUSTADO");
  if (!copia.isEmpty()) teste::GravaBytes(copia, bytes);
  return bytes;
}

class VistaModelo : public ::testing::Test {
protected:
  void SetUp() override {
    const QByteArray& b = ModeloAjustado();
    ASSERT_GT(b.size(), C::Tamanho);
    caminho = pasta.filePath("modelo.tsn");
    ASSERT_TRUE(teste::GravaBytes(caminho, b));
    CTarsolinDoc::DefineServicos(&servicos);
    ASSERT_TRUE(doc.AbreArquivo(caminho));
    h = doc.GetCabecalho();
    ASSERT_NE(h->EstadoCalculo(), 0);
    ASSERT_NE(h->I32(C::OffEspacialCalculado), 0);
    ASSERT_GT(h->NumEquacoes(), 1);
    configuracoes = std::make_unique<QSettings>(pasta.filePath("vista.ini"), QSettings::IniFormat);
    CTarsolinView::DefineConfiguracoes(configuracoes.get());
    ModeloCorrente = &doc;
  }
  void TearDown() override {
    ModeloCorrente = nullptr;
    CTarsolinView::DefineConfiguracoes(nullptr);
    CTarsolinDoc::DefineServicos(nullptr);
  }
  QString Texto(PaineisModelo& p, bool linear, const char* legenda) {
    PropertyGridItem* it = linear ? p.ItemRL(QString::fromUtf8(legenda)) : p.ItemRE(QString::fromUtf8(legenda));
    EXPECT_NE(it, nullptr) << legenda;
    return it ? it->GetValue() : QString();
  }

  QTemporaryDir pasta;
  QString caminho;
  ServicosGravados servicos;
  CTarsolinDoc doc;
  CabecalhoModelo* h = nullptr;
  std::unique_ptr<QSettings> configuracoes;
};

TEST_F(VistaModelo, PaineisMostramOsResultadosDoCabecalho) {
  QWidget pai;
  PaineisModelo p(&pai);
  EXPECT_EQ(Texto(p, true, "Dados "), QStringLiteral("aaa"));
  p.AtualizaResultados();
  const int nv = h->NumVariaveis(), N = h->NumDados(), n = h->NumConsiderados(), e = h->EquacaoCorrente();
  int k = 0;
  for (int v = 0; v < nv; ++v) k += I(*h, C::OffHabilitadas + 4 * v) != 0;
  const double R = F(*h, 163440 + 8 * e), Ro = F(*h, 164240 + 8 * e), R2 = R * R, Ro2 = Ro * std::fabs(Ro);
  for (bool linear : {true, false}) {
    EXPECT_EQ(Texto(p, linear, "Variáveis"), Fmt("%-2d", nv));
    EXPECT_EQ(Texto(p, linear, "Variáveis Consideradas"), Fmt("%-2d", k));
    EXPECT_EQ(Texto(p, linear, "Dados "), Fmt("%-4d", N));
    EXPECT_EQ(Texto(p, linear, "Dados Considerados"), Fmt("%-4d", n));
  }
  EXPECT_EQ(Texto(p, true, "Correlação"), Fmt("%i - %5.4f / %5.4f", e + 1, R, Ro));
  EXPECT_EQ(Texto(p, true, "Determinação"), Fmt("%i - %5.4f / %5.4f", e + 1, R2, Ro2));
  EXPECT_EQ(Texto(p, true, "R2 Ajustado"), Fmt("%i - %5.4f / %5.4f", e + 1, 1 - (n - 1) * (1 - R2) / (n - k),
                                                1 - (n - 1) * (1 - Ro2) / (n - k)));
  EXPECT_EQ(Texto(p, true, "F Calculado"), Fmt("%-9.4G", F(*h, 262640 + 8 * e)));
  EXPECT_EQ(Texto(p, true, "Significância Modelo"), Fmt("%3.2f", 1 - F(*h, 263440 + 8 * e)));
  const double d = F(*h, 164240 + 800 * nv + 8 * e);
  if (d == -1.0) {
    EXPECT_EQ(Texto(p, true, "D Calculado"), QString());
  } else {
    EXPECT_TRUE(Texto(p, true, "D Calculado").startsWith(Fmt("%-9.2f", d))) << Texto(p, true, "D Calculado").toStdString();
    EXPECT_GT(Texto(p, true, "D Calculado").size(), Fmt("%-9.2f", d).size());
  }
  EXPECT_EQ(Texto(p, true, "-1 e +1 desvios padrões"), Fmt("%3.2d%%", I(*h, 65832 + 4 * e)));
  EXPECT_EQ(Texto(p, true, "-1,64 e +1,64 desvios padrões"), Fmt("%3.2d%%", I(*h, 66232 + 4 * e)));
  EXPECT_EQ(Texto(p, true, "-1,96 e +1,96 desvios padrões"), Fmt("%3.2d%%", I(*h, 66632 + 4 * e)));
  EXPECT_EQ(Texto(p, true, "Desvio Padrão"), Fmt("%-9.5G", F(*h, 213040 + 8 * e)));
  const int c = I(*h, 67032 + 4 * e);
  EXPECT_EQ(Texto(p, true, "Outliers do Modelo"), Fmt("%-4.1d (%5.2f%%)", c, c * 100.0 / n));
  const char* const metodos[] = {"", "Geral       ", "Simplificado", "Dirigido    "};
  EXPECT_EQ(Texto(p, true, "Método de Cálculo"), QString::fromUtf8(metodos[std::clamp(h->EstadoCalculo(), 0, 3)]));
  // One drop-down entry per kept equation, the current one chosen.
  PropertyGridItem* correlacao = p.ItemRL(QStringLiteral("Correlação"));
  ASSERT_EQ(correlacao->GetConstraints().size(), h->NumEquacoes());
  EXPECT_EQ(correlacao->GetConstraintIndex(), e);
  EXPECT_EQ(correlacao->GetConstraints()[1], Fmt("%i - %5.4f / %5.4f", 2, F(*h, 163440 + 8), F(*h, 164240 + 8)));
  EXPECT_EQ(correlacao->GetFlags() & PropertyGridItem::HasComboButton, PropertyGridItem::HasComboButton);

  // The spatial grid.
  const double r2 = F(*h, 409296), s2 = F(*h, 409280);
  EXPECT_EQ(Texto(p, false, "Correlação"), Fmt("%5.4f", std::sqrt(r2)));
  EXPECT_EQ(Texto(p, false, "Determinação"), Fmt("%5.4f", r2));
  EXPECT_EQ(Texto(p, false, "R2 Ajustado"), Fmt("%5.4f", F(*h, 409288)));
  EXPECT_EQ(Texto(p, false, "F Calculado"), Fmt("%-9.4G", F(*h, 410304)));
  EXPECT_EQ(Texto(p, false, "Significância Modelo"), Fmt("%3.2f", 1 - F(*h, 410312)));
  EXPECT_EQ(Texto(p, false, "D Calculado"), QString());
  EXPECT_EQ(Texto(p, false, "Durbin Watson"), QString());
  EXPECT_EQ(Texto(p, false, "rho"), Fmt("%-9.4G", F(*h, 409256)));
  EXPECT_EQ(Texto(p, false, "t. rho"), Fmt("%-9.4G", F(*h, 410264)));
  EXPECT_EQ(Texto(p, false, "Sig. rho (%)"), Fmt("%-9.4G", 100 - F(*h, 410320)));
  EXPECT_EQ(Texto(p, false, "-1 e +1 desvios padrões"), Fmt("%3.2d%%", I(*h, 410276)));
  EXPECT_EQ(Texto(p, false, "-1,64 e +1,64 desvios padrões"), Fmt("%3.2d%%", I(*h, 410280)));
  EXPECT_EQ(Texto(p, false, "-1,96 e +1,96 desvios padrões"), Fmt("%3.2d%%", I(*h, 410284)));
  EXPECT_EQ(Texto(p, false, "Desvio Padrão"), Fmt("%-9.5G", std::sqrt(s2)));
  EXPECT_EQ(Texto(p, false, "Variância"), Fmt("%-9.5G", s2));
  const int ce = I(*h, 410272);
  EXPECT_EQ(Texto(p, false, "Outliers do Modelo"), Fmt("%-4.1d (%5.2f%%)", ce, ce * 100.0 / n));
  EXPECT_EQ(Texto(p, false, "Log-likelihood"), Fmt("%-9.5G", F(*h, 409272)));
  EXPECT_EQ(Texto(p, false, "Modelo Espacial"), QStringLiteral("sar"));
  EXPECT_EQ(Texto(p, false, "Método de Cálculo"), QStringLiteral("Máxima Verossimilhança"));
  // "rho" holds its two children.
  EXPECT_EQ(p.ItemRE(QStringLiteral("rho"))->childCount(), 2);

  // No current model: every value empties.
  ModeloCorrente = nullptr;
  p.AtualizaResultados();
  EXPECT_EQ(Texto(p, true, "Dados "), QString());
  EXPECT_EQ(Texto(p, false, "rho"), QString());
  EXPECT_TRUE(correlacao->GetConstraints().isEmpty());
}

TEST_F(VistaModelo, EscolherEquacaoNaListaGravaEAtualiza) {
  QWidget pai;
  PaineisModelo p(&pai);
  p.AtualizaResultados();
  int dicas = 0;
  QObject::connect(&doc, &plat::Documento::documentUpdated, [&](QObject*, int d) { dicas += d == 3; });
  PropertyGridItem* correlacao = p.ItemRL(QStringLiteral("Correlação"));
  const int outra = h->EquacaoCorrente() == 1 ? 0 : 1;
  correlacao->SetConstraintIndex(outra);
  correlacao->OnValueChanged(correlacao->GetConstraints()[outra]);
  EXPECT_EQ(h->EquacaoCorrente(), outra);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(teste::LeArquivo(caminho).mid(C::OffEquacaoCorrente, 4),
            QByteArray(reinterpret_cast<const char*>(&outra), 4));
  EXPECT_EQ(dicas, 1);
  EXPECT_TRUE(p.ItemRL(QStringLiteral("Determinação"))->GetValue().startsWith(QString::number(outra + 1) + " - "));

  // With pending changes the user keeps: the list goes back, nothing is saved.
  doc.SetModifiedFlag(true);
  const QByteArray antes = teste::LeArquivo(caminho);
  plat::GravadorMensagens msgs(plat::IDCANCEL);
  correlacao->SetConstraintIndex(1 - outra);
  correlacao->OnValueChanged(correlacao->GetConstraints()[1 - outra]);
  EXPECT_EQ(msgs.Mensagens().size(), 1u);
  EXPECT_EQ(h->EquacaoCorrente(), outra);
  EXPECT_EQ(correlacao->GetConstraintIndex(), outra);
  EXPECT_EQ(correlacao->GetValue(), correlacao->GetConstraints()[outra]);
  EXPECT_EQ(teste::LeArquivo(caminho), antes);
}

TEST_F(VistaModelo, ListaDasVariaveis) {
  std::unique_ptr<QWidget> janela(CTarsolinView::CriaJanela(&doc));
  auto* vista = janela->findChild<CTarsolinView*>();
  ASSERT_NE(vista, nullptr);
  CMyReportCtrl* l = vista->Lista();
  const int nv = h->NumVariaveis(), e = h->EquacaoCorrente();
  ASSERT_EQ(l->RowCount(), nv);
  for (int v = 0; v < nv; ++v) {
    EXPECT_EQ(l->GetItemData(v), v);
    EXPECT_EQ(l->ItemText(v, 3), h->NomeVariavel(v));
    EXPECT_EQ(l->GetItemCheck(v, 0) != 0, h->Habilitada(v));
    const bool ultima = v == nv - 1;
    if (ultima || !h->Habilitada(v)) {
      EXPECT_EQ(l->ItemText(v, 6), QString()) << v;
      EXPECT_EQ(l->GetItemImage(v, 2), 4) << v;
    } else {
      EXPECT_EQ(l->ItemText(v, 6), FormataNumero(h->F64VE(C::OffEstatisticaT, v, e), 2));
      EXPECT_EQ(l->ItemText(v, 7), FormataNumero(100 - h->F64VE(C::OffSignificancias, v, e), 2));
      EXPECT_EQ(l->ItemText(v, 8), FormataNumero(h->F64(C::OffResultadosEspaciais + 8 * (66 + v)), 2));
      EXPECT_FALSE(l->ItemText(v, 9).isEmpty());
      const double g = h->F64VE(C::OffVariacaoPercentual, v, e);
      const bool concorda = (h->Relacao(v) == 0 && g > 0) || (h->Relacao(v) == 1 && g < 0);
      EXPECT_EQ(l->GetItemImage(v, 2), concorda ? 5 : 7) << v;
    }
  }
  // The dependent variable: image 0, its transformation, no statistics, bold.
  EXPECT_EQ(l->GetItemImage(nv - 1, 1), 0);
  EXPECT_FALSE(l->ItemText(nv - 1, 4).isEmpty());
  EXPECT_TRUE(l->CelulaNegrito(nv - 1, 3));

  // Code 0 with exponent 0.5.
  h->SetTransformacao(0, e, 0);
  h->SetExpoente(0, e, 0.5);
  doc.UpdateAllViews(nullptr, 3);
  EXPECT_EQ(l->ItemText(0, 4), QStringLiteral("x^0,50"));

  // A double click shows the description under the row, a second hides it.
  h->SetDescricaoVariavel(0, QStringLiteral("Área privativa do imóvel, em metros quadrados"));
  ReportNotifyInfo duplo;
  duplo.code = ReportCode::LDoubleClick;
  duplo.item = 0;
  duplo.column = 3;
  ReportItemInfo info;
  info.item = 0;
  info.column = -1;
  info.mask = ReportMask::ExtraHeight;
  vista->Notificacao(duplo);
  l->GetRowItem(info);
  EXPECT_GT(info.extraHeight, 4);
  vista->Notificacao(duplo);
  l->GetRowItem(info);
  EXPECT_EQ(info.extraHeight, 0);
}

TEST_F(VistaModelo, DesmarcarVariavelLimpaOsResultados) {
  std::unique_ptr<QWidget> janela(CTarsolinView::CriaJanela(&doc));
  auto* vista = janela->findChild<CTarsolinView*>();
  CMyReportCtrl* l = vista->Lista();
  ASSERT_TRUE(h->Habilitada(0));
  ReportNotifyInfo clique;
  clique.code = ReportCode::LButtonDown;
  clique.item = 0;
  clique.column = 0;
  clique.flags = ReportHit::Check;
  EXPECT_EQ(vista->Notificacao(clique), 0);
  EXPECT_FALSE(h->Habilitada(0));
  EXPECT_EQ(l->GetItemCheck(0, 0), 0);
  EXPECT_EQ(h->EstadoCalculo(), 0);
  EXPECT_EQ(h->I32(C::OffEspacialCalculado), 0);
  EXPECT_TRUE(doc.IsModified());
  for (int v = 0; v < l->RowCount(); ++v)
    for (int c = 4; c <= 9; ++c) EXPECT_EQ(l->ItemText(v, c), QString()) << v << " " << c;
  QWidget pai;
  PaineisModelo p(&pai);
  p.AtualizaResultados();
  EXPECT_EQ(Texto(p, true, "Correlação"), QString());
  EXPECT_EQ(Texto(p, false, "rho"), QString());
  int k = 0;
  for (int v = 0; v < h->NumVariaveis(); ++v) k += h->Habilitada(v);
  EXPECT_EQ(Texto(p, true, "Variáveis Consideradas"), Fmt("%-2d", k));
  EXPECT_FALSE(Texto(p, true, "Variáveis").isEmpty());
  EXPECT_TRUE(p.ItemRL(QStringLiteral("Correlação"))->GetConstraints().isEmpty());
  // A click beside the check box changes nothing.
  clique.item = 1;
  clique.flags = ReportHit::Text;
  vista->Notificacao(clique);
  EXPECT_TRUE(h->Habilitada(1));
}

TEST_F(VistaModelo, ConfiguracoesVaziasDaoOArranjoPadrao) {
  std::unique_ptr<QWidget> janela(CTarsolinView::CriaJanela(&doc));
  auto* vista = janela->findChild<CTarsolinView*>();
  CMyReportCtrl* l = vista->Lista();
  EXPECT_TRUE(configuracoes->value("Settings/ReportCtrl").toString().startsWith("(10,9) "))
      << configuracoes->value("Settings/ReportCtrl").toString().toStdString();
  EXPECT_FALSE(l->IsColumnShown(2));
  EXPECT_EQ(l->GetColumnWidth(3), 170);
  const quint32 estilo = l->GetControlStyle();
  EXPECT_EQ(estilo & (ReportStyle::HorizontalGrid | ReportStyle::VerticalGrid | ReportStyle::AlternateColours |
                      ReportStyle::ShowSelectionAlways), 0u);
  EXPECT_TRUE(estilo & ReportStyle::ColumnRemoval);
  EXPECT_TRUE(estilo & ReportStyle::LabelTips);
  // The toggles, their checks, and the settings they leave.
  EstadoComando s;
  ASSERT_TRUE(vista->OnUpdateCmd(32929, s));
  EXPECT_FALSE(s.marcado);
  EXPECT_TRUE(vista->OnCmdMsg(32929));
  EXPECT_TRUE(vista->OnCmdMsg(32916));
  ASSERT_TRUE(vista->OnUpdateCmd(32929, s));
  EXPECT_TRUE(s.marcado);
  EXPECT_TRUE(vista->OnCmdMsg(32920));
  EXPECT_EQ(configuracoes->value("Settings/GridH").toInt(), 16);
  EXPECT_EQ(configuracoes->value("Settings/Color").toInt(), 8);
  EXPECT_EQ(configuracoes->value("Settings/GridV").toInt(), 0);
  // The default arrangement shows every column.
  ASSERT_TRUE(vista->OnUpdateCmd(32826, s));
  EXPECT_TRUE(s.habilitado);
  EXPECT_TRUE(vista->OnCmdMsg(32826));
  EXPECT_TRUE(l->IsColumnShown(2));
  EXPECT_EQ(l->GetColumnWidth(3), 174);
  // A second view reads them back.
  std::unique_ptr<QWidget> outra(CTarsolinView::CriaJanela(&doc));
  const quint32 lido = outra->findChild<CTarsolinView*>()->Lista()->GetControlStyle();
  EXPECT_TRUE(lido & ReportStyle::HorizontalGrid);
  EXPECT_TRUE(lido & ReportStyle::AlternateColours);
  EXPECT_FALSE(lido & ReportStyle::VerticalGrid);
  // Copying needs a selected row.
  ASSERT_TRUE(vista->OnUpdateCmd(57634, s));
  EXPECT_FALSE(s.habilitado);
  l->SelectRow(0, false);
  ASSERT_TRUE(vista->OnUpdateCmd(57634, s));
  EXPECT_TRUE(s.habilitado);
}

TEST_F(VistaModelo, ImpressaoEmDuasPaginas) {
  std::unique_ptr<QWidget> janela(CTarsolinView::CriaJanela(&doc));
  auto* vista = janela->findChild<CTarsolinView*>();
  const std::vector<ItemImpresso> p1 = PaginaModelo(*h, 0), p2 = PaginaModelo(*h, 1);
  ASSERT_FALSE(p1.empty());
  EXPECT_EQ(p1[0].texto, QStringLiteral("Resultados Estatísticos"));
  EXPECT_EQ(p1[0].linha, 4);
  const QMap<QString, QString> rl = TextosResultadosRL(h);
  bool achou = false;
  for (const ItemImpresso& i : p1)
    if (i.linha == 17) {
      EXPECT_EQ(i.texto, QStringLiteral("Correlação = ") + rl.value(QStringLiteral("Correlação")));
      achou = true;
    }
  EXPECT_TRUE(achou);
  ASSERT_FALSE(p2.empty());
  EXPECT_EQ(p2[0].texto, QStringLiteral("Significância dos Regressores"));
  // The regressors in order from line 9, then the dependent, then the rule.
  QStringList nomes;
  int ultimaLinha = 0;
  for (const ItemImpresso& i : p2)
    if (!i.regra && i.x == 0 && i.linha >= 9) {
      nomes << i.texto;
      EXPECT_EQ(i.linha, 9 + nomes.size() - 1);
      ultimaLinha = i.linha;
    }
  QStringList esperados;
  for (int v = 0; v + 1 < h->NumVariaveis(); ++v)
    if (h->Habilitada(v)) esperados << h->NomeVariavel(v);
  esperados << h->NomeVariavel(h->NumVariaveis() - 1);
  EXPECT_EQ(nomes, esperados);
  EXPECT_TRUE(p2.back().regra);
  EXPECT_EQ(p2.back().linha, ultimaLinha + 1);

  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = pasta.filePath("modelo.pdf");
  impressora.setOutputFileName(pdf);
  ASSERT_TRUE(vista->ImprimeEm(impressora, false));
  const QByteArray conteudo = teste::LeArquivo(pdf);
  EXPECT_TRUE(conteudo.startsWith("%PDF"));
  EXPECT_EQ(conteudo.count("/Type /Page") - conteudo.count("/Type /Pages"), 2);
}

TEST_F(VistaModelo, PainelDadosPercorreOsRegistros) {
  QWidget pai;
  PaineisModelo p(&pai);
  p.AtualizaPainelDados();
  ASSERT_TRUE(doc.RegistrosCarregados());
  PropertyGridItem* no = p.Dados()->FindItem(QStringLiteral("Dado no."));
  ASSERT_NE(no, nullptr);
  EXPECT_EQ(no->GetValue(), QStringLiteral("00001"));
  const dado& d0 = doc.GetDados()[0];
  EXPECT_EQ(p.Dados()->FindItem(QStringLiteral("Logradouro"))->GetValue(), d0.Endereco());
  EXPECT_EQ(p.Dados()->FindItem(h->NomeVariavel(0))->GetValue(), FormataNumero(d0.valor[0], h->CasasDecimais(0)));
  // A step of the spin, a number past N, text that is not a number.
  static_cast<CCustomItemSpin*>(no)->Step(1);
  QApplication::processEvents();
  EXPECT_EQ(p.RegistroAtual(), 2);
  EXPECT_EQ(p.Dados()->FindItem(QStringLiteral("Dado no."))->GetValue(), QStringLiteral("00002"));
  const int N = h->NumDados();
  for (const auto& [texto, esperado] : std::vector<std::pair<QString, int>>{{"99999", N}, {"abc", 1}, {"0", 1}}) {
    PropertyGridItem* it = p.Dados()->FindItem(QStringLiteral("Dado no."));
    it->OnValueChanged(texto);
    QApplication::processEvents();
    EXPECT_EQ(p.RegistroAtual(), esperado) << texto.toStdString();
    EXPECT_EQ(p.Dados()->FindItem(QStringLiteral("Dado no."))->GetValue(), Fmt("%.5i", esperado));
  }
}

// The "Dados" pane's tool bar: its two orders, enabled while a record shows.
TEST_F(VistaModelo, BarraDoPainelDadosOrdenaOsItens) {
  QWidget pai;
  pai.resize(400, 600);
  ModeloCorrente = nullptr;
  PaineisModelo p(&pai);
  PropertyGrid* g = p.Dados();
  g->resize(380, 500);
  pai.show();
  QWidget* barra = g->ToolBar();
  ASSERT_NE(barra, nullptr);
  QAction* categoria = g->AcaoOrdenacao(PropertyGrid::PorCategoria);
  QAction* alfabetica = g->AcaoOrdenacao(PropertyGrid::Alfabetica);
  ASSERT_TRUE(categoria && alfabetica);
  EXPECT_EQ(categoria->text(), QStringLiteral("Por Categoria"));
  EXPECT_EQ(alfabetica->text(), QStringLiteral("Ordem Alfabética"));
  EXPECT_TRUE(barra->isVisible());
  // The items start below the bar.
  EXPECT_GE(g->viewport()->geometry().top(), barra->geometry().bottom());
  // No model: nothing to order.
  p.AtualizaPainelDados();
  EXPECT_FALSE(categoria->isEnabled());
  EXPECT_FALSE(alfabetica->isEnabled());

  ModeloCorrente = &doc;
  p.AtualizaPainelDados();
  EXPECT_TRUE(categoria->isEnabled());
  EXPECT_TRUE(alfabetica->isEnabled());
  EXPECT_TRUE(categoria->isChecked());
  auto visiveis = [&] {
    QStringList r;
    for (QTreeWidgetItemIterator it(g); *it; ++it)
      if (!(*it)->isHidden()) r << (*it)->text(0);
    return r;
  };
  QStringList porCategoria{QStringLiteral("Id. dado"), QStringLiteral("Dado no."), QStringLiteral("Variáveis")};
  for (int v = 0; v < h->NumVariaveis(); ++v) porCategoria << h->NomeVariavel(v);
  porCategoria << QStringLiteral("Endereço") << QStringLiteral("Logradouro") << QStringLiteral("Complemento");
  EXPECT_EQ(visiveis(), porCategoria);

  // Alphabetical: every item at the top, by caption, no category shown; the
  // browsing goes on in that order.
  alfabetica->trigger();
  EXPECT_EQ(g->GetPropertySort(), PropertyGrid::Alfabetica);
  EXPECT_TRUE(alfabetica->isChecked());
  EXPECT_FALSE(categoria->isChecked());
  QStringList itens = porCategoria;
  for (const char* c : {"Id. dado", "Variáveis", "Endereço"}) itens.removeOne(QString::fromUtf8(c));
  QCollator ordem;
  ordem.setCaseSensitivity(Qt::CaseInsensitive);
  ordem.setNumericMode(true);
  std::stable_sort(itens.begin(), itens.end(), [&](const QString& a, const QString& b) { return ordem.compare(a, b) < 0; });
  EXPECT_EQ(visiveis(), itens);
  for (int i = 0; i < g->topLevelItemCount(); ++i) {
    if (!g->topLevelItem(i)->isHidden()) {
      EXPECT_EQ(g->topLevelItem(i)->childCount(), 0);
    }
  }
  static_cast<CCustomItemSpin*>(g->FindItem(QStringLiteral("Dado no.")))->Step(1);
  QApplication::processEvents();
  EXPECT_EQ(p.RegistroAtual(), 2);
  EXPECT_EQ(g->FindItem(QStringLiteral("Dado no."))->GetValue(), QStringLiteral("00002"));
  EXPECT_EQ(g->FindItem(h->NomeVariavel(0))->GetValue(), FormataNumero(doc.GetDados()[1].valor[0], h->CasasDecimais(0)));
  EXPECT_EQ(visiveis(), itens);

  // Back under the categories, in their own order.
  categoria->trigger();
  EXPECT_EQ(g->GetPropertySort(), PropertyGrid::PorCategoria);
  EXPECT_EQ(visiveis(), porCategoria);
  EXPECT_EQ(g->FindItem(QStringLiteral("Dado no."))->parent()->text(0), QStringLiteral("Id. dado"));
  ModeloCorrente = nullptr;
  p.AtualizaPainelDados();
  EXPECT_FALSE(alfabetica->isEnabled());
}

// The formatting bar's answers: the list's face and size only; a face or a
// size chosen there changes only that part of the list's font.
TEST_F(VistaModelo, BarraDeFormatacaoTrocaAFonteDaLista) {
  std::unique_ptr<QWidget> janela(CTarsolinView::CriaJanela(&doc));
  auto* vista = janela->findChild<CTarsolinView*>();
  ASSERT_NE(vista, nullptr);
  QFont inicial = vista->Lista()->font();
  inicial.setPixelSize(13);
  vista->Lista()->setFont(inicial);
  QTextCharFormat f;
  ASSERT_TRUE(vista->OnPedeFormato(f));
  EXPECT_EQ(formatacao::MascaraDe(f), 0xA8000000u);
  EXPECT_EQ(f.fontPointSize(), 13.0);
  EXPECT_EQ(f.fontFamilies().toStringList().value(0), inicial.family());
  EXPECT_EQ(formatacao::MascaraDe(CMainFrame::FormatoDezPontos(QStringLiteral("Arial"))), 0xF800001Fu);

  QTextCharFormat tamanho;
  tamanho.setFontPointSize(18);
  ASSERT_TRUE(vista->OnDefineFormato(tamanho));
  EXPECT_EQ(QFontInfo(vista->Lista()->font()).pixelSize(), 18);
  EXPECT_EQ(vista->Lista()->font().family(), inicial.family());
  QTextCharFormat face;
  face.setFontFamilies({QStringLiteral("DejaVu Serif")});
  ASSERT_TRUE(vista->OnDefineFormato(face));
  EXPECT_EQ(vista->Lista()->font().family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(QFontInfo(vista->Lista()->font()).pixelSize(), 18);
  ASSERT_TRUE(vista->OnPedeFormato(f));
  EXPECT_EQ(f.fontPointSize(), 18.0);
}

TEST_F(VistaModelo, ListaDeDadosVirtual) {
  QWidget pai;
  PaineisModelo p(&pai);
  h->SetHabilitada(1, false);
  p.AjustaColunasLista();
  CTableCtrlEx* l = p.Lista();
  const int nv = h->NumVariaveis(), N = h->NumDados();
  EXPECT_EQ(l->GetColumnCount(), nv + 4);
  EXPECT_EQ(l->GetRowCount(), N + 1);
  EXPECT_EQ(l->GetFixedColumnCount(), 2);
  EXPECT_EQ(l->GetFixedRowCount(), 1);
  const int ppi = pai.logicalDpiX();
  EXPECT_GE(l->WidthOfColumn(1), ppi * 566 / 1440);
  EXPECT_GE(l->WidthOfColumn(1), QFontMetrics(*l->GetDefaultCell(true, false)->FontObject()).horizontalAdvance("Dado"));
  EXPECT_EQ(l->WidthOfColumn(4), ppi * h->I32(C::OffLargurasVariavel) / 1440);
  EXPECT_EQ(l->GetDefaultCell(true, false)->FontData()->lfWeight, 700);
  auto pede = [&](int r, int c, QString* texto = nullptr, uint32_t* formato = nullptr) {
    GridDisplayRequest q;
    q.item.row = r;
    q.item.col = c;
    const bool ok = p.PedidoCelula(&q);
    if (texto) *texto = q.item.strText;
    if (formato) *formato = q.item.nFormat;
    return ok;
  };
  QString t;
  uint32_t f = 0;
  EXPECT_FALSE(pede(0, 0));
  ASSERT_TRUE(pede(0, 1, &t));
  EXPECT_EQ(t, QStringLiteral("Dado"));
  ASSERT_TRUE(pede(0, 4, &t));
  EXPECT_EQ(t, h->NomeVariavel(0));
  ASSERT_TRUE(pede(0, 5, &t));
  EXPECT_EQ(t, "*" + h->NomeVariavel(1));
  ASSERT_TRUE(pede(1, 1, &t, &f));
  EXPECT_EQ(t, QStringLiteral("1"));
  EXPECT_EQ(f & 3, 1u);
  ASSERT_TRUE(pede(3, 4, &t, &f));
  EXPECT_EQ(t, FormataNumero(doc.GetDados()[2].valor[0], h->CasasDecimais(0)));
  EXPECT_EQ(f & 3, 2u);
  doc.GetDados()[2].excluido = 1;
  ASSERT_TRUE(pede(3, 0, &t));
  EXPECT_EQ(t, QStringLiteral("*"));
  ASSERT_TRUE(pede(2, 0, &t));
  EXPECT_EQ(t, QStringLiteral(" "));

  // Records that cannot be loaded are not asked for again until the next reshaping.
  doc.LiberaRegistros();
  const QByteArray inteiro = teste::LeArquivo(caminho);
  struct stat antes;
  ASSERT_EQ(::stat(QFile::encodeName(caminho).constData(), &antes), 0);
  ASSERT_TRUE(teste::GravaBytes(caminho, inteiro.left(C::Tamanho + 100)));
  EXPECT_FALSE(pede(1, 2));
  // The file put back exactly as the document read it, modification time
  // included (a file changed since it was read gives no records).
  ASSERT_TRUE(teste::GravaBytes(caminho, inteiro));
  const struct timespec tempos[2] = {antes.st_atim, antes.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(caminho).constData(), tempos, 0), 0);
  EXPECT_FALSE(pede(1, 2));
  EXPECT_FALSE(doc.RegistrosCarregados());
  p.AjustaColunasLista();
  EXPECT_TRUE(pede(1, 2));
}

// ------------------------------------------------------------ headers made for the case

std::unique_ptr<CabecalhoModelo> Cabecalho(int nv, int considerados) {
  auto h = std::make_unique<CabecalhoModelo>();
  h->Zera();
  h->SetNumVariaveis(nv);
  h->SetNumDados(considerados);
  h->SetNumConsiderados(considerados);
  h->SetDependente(nv - 1);
  for (int v = 0; v < nv; ++v) {
    h->SetHabilitada(v, true);
    h->SetNomeVariavel(v, QStringLiteral("V%1").arg(v));
    h->SetTransformacao(v, 0, 1);
  }
  h->SetEstadoCalculo(1);
  h->SetNumEquacoes(1);
  return h;
}

TEST(TextosResultados, CasosDeBorda) {
  auto h = Cabecalho(3, 120);
  h->SetF64(C::OffCorrelacao, 0.9);
  h->SetF64(C::OffEstatisticasEquacao, 0.8);
  h->SetI32(C::OffPercentual1, 5);
  h->SetI32(C::OffPercentual164, 68);
  h->SetI32(C::OffForaDe2, 3);
  h->SetF64VE(C::OffEstatisticasEquacao, 3, 0, -1.0);  // no Durbin-Watson
  auto rl = TextosResultadosRL(h.get());
  EXPECT_EQ(rl.value("-1 e +1 desvios padrões"), QStringLiteral(" 05%"));
  EXPECT_EQ(rl.value("-1,64 e +1,64 desvios padrões"), QStringLiteral(" 68%"));
  EXPECT_EQ(rl.value("Outliers do Modelo"), QStringLiteral("3    ( 2,50%)"));
  EXPECT_EQ(rl.value("D Calculado"), QString());
  EXPECT_EQ(rl.value("Durbin Watson"), QString());
  // n = k: no adjusted figure; no considered record: no share of outliers.
  h->SetNumConsiderados(3);
  EXPECT_EQ(TextosResultadosRL(h.get()).value("R2 Ajustado"), QString());
  h->SetNumConsiderados(0);
  rl = TextosResultadosRL(h.get());
  EXPECT_EQ(rl.value("Outliers do Modelo"), QStringLiteral("3   "));
  for (const QString& t : rl) {
    EXPECT_FALSE(t.contains("inf")) << t.toStdString();
    EXPECT_FALSE(t.contains("nan")) << t.toStdString();
  }
  // A model never calculated: the counts alone.
  h->SetEstadoCalculo(0);
  rl = TextosResultadosRL(h.get());
  EXPECT_EQ(rl.size(), 4);
  EXPECT_TRUE(EntradasCorrelacao(h.get()).isEmpty());

  // The spatial grid: a negative R² has no square root; kind 0 is "sem".
  h->SetI32(C::OffEspacialCalculado, 1);
  h->SetF64(409296, -0.2);
  h->SetF64(409280, -1.0);
  auto re = TextosResultadosRE(h.get());
  EXPECT_EQ(re.value("Correlação"), QStringLiteral("Erro"));
  EXPECT_EQ(re.value("Desvio Padrão"), QStringLiteral("Erro"));
  EXPECT_EQ(re.value("Determinação"), QStringLiteral("-0,2000"));
  EXPECT_EQ(re.value("Modelo Espacial"), QStringLiteral("sem"));
  h->SetI32(C::OffTipoEspacial, 7);
  EXPECT_EQ(TextosResultadosRE(h.get()).value("Modelo Espacial"), QStringLiteral("sar"));
}

TEST(PaginaModelo, CincoVariaveisUmRegressorDesabilitado) {
  auto h = Cabecalho(5, 30);
  h->SetHabilitada(1, false);
  h->SetTransformacao(2, 0, 0);
  h->SetExpoente(2, 0, 0.5);
  h->SetF64VE(C::OffEstatisticaT, 0, 0, 2.345);
  h->SetF64VE(C::OffSignificancias, 0, 0, 1.5);
  const std::vector<ItemImpresso> p = PaginaModelo(*h, 1);
  std::map<int, QStringList> linhas;
  for (const ItemImpresso& i : p)
    if (!i.regra) linhas[i.linha] << i.texto;
  EXPECT_EQ(linhas[9], (QStringList{"V0", "x", "    2,35", "98,50"}));
  EXPECT_EQ(linhas[10].value(0), QStringLiteral("V2"));
  EXPECT_EQ(linhas[10].value(1), QStringLiteral(" "));  // a power prints a blank
  EXPECT_EQ(linhas[11].value(0), QStringLiteral("V3"));
  EXPECT_EQ(linhas[12], (QStringList{"V4", "x"}));
  ASSERT_TRUE(p.back().regra);
  EXPECT_EQ(p.back().linha, 13);
  EXPECT_EQ(p.back().espessura, 1);
  // Not calculated: the title only.
  h->SetEstadoCalculo(0);
  EXPECT_EQ(PaginaModelo(*h, 1).size(), 1u);
}

}  // namespace

// ------------------------------------------------------------ in the program

#include "CMainFrame.h"
#include "CSplashWnd.h"
#include "CTarsolinApp.h"
#include "RegistroDialogos.h"
#include "RoteadorComandos.h"
#include "VisualizacaoImpressao.h"
#include "views/charts/CTChart.h"
#include "views/diagnostics/PaginaDiagnostico.h"
#include "views/diagnostics/PaginasResiduos.h"
#include "views/data/CDadosFrame.h"
#include "views/data/PaginaDados.h"
#include "controls/CTableCtrlEx.h"
#include "controls/CWizard.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <cstring>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

TEST(VistaNoPrograma, AbreOModeloNaVistaEnchePaineisEFecha) {
  QTemporaryDir pasta;
  qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
  const QString caminho = pasta.filePath("baltimore.tsn");
  ASSERT_TRUE(teste::GravaBytes(caminho, ModeloAjustado()));
  QSettings configuracoes(pasta.filePath("vista.ini"), QSettings::IniFormat);
  CTarsolinView::DefineConfiguracoes(&configuracoes);
  plat::DefineModoRoteiro(true);
  CTarsolinApp::DefineFabricaJanelaModelo(CTarsolinView::CriaJanela);
  {
    CTarsolinApp app;
    ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
    CMainFrame* f = app.MainFrame();
    CTarsolinDoc* doc = app.OpenDocumentFile(caminho);
    ASSERT_NE(doc, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(ModeloCorrente, doc);
    QMdiSubWindow* sub = f->Mdi()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    auto* vista = sub->findChild<CTarsolinView*>();
    ASSERT_NE(vista, nullptr);
    EXPECT_EQ(vista->Lista()->RowCount(), doc->GetCabecalho()->NumVariaveis());
    // The panes show the model after the posted refreshes.
    EXPECT_EQ(f->Paineis()->ItemRL(QStringLiteral("Correlação"))->GetValue(),
              EntradasCorrelacao(doc->GetCabecalho()).value(doc->GetCabecalho()->EquacaoCorrente()));
    EXPECT_EQ(f->Paineis()->ItemRE(QStringLiteral("Modelo Espacial"))->GetValue(), QStringLiteral("sar"));
    EXPECT_EQ(f->Paineis()->Lista()->GetRowCount(), doc->GetCabecalho()->NumDados() + 1);
    EXPECT_NE(f->Paineis()->Dados()->FindItem(QStringLiteral("Dado no.")), nullptr);
    // The view's entries, in "Exibir", enabled and checked as the list is.
    RoteadorComandos& r = RoteadorComandos::Instancia();
    QAction* grade = f->Acao(32929);
    ASSERT_NE(grade, nullptr);
    bool noMenu = false;
    for (QAction* m : f->menuBar()->actions())
      if (m->menu() && m->text() == QStringLiteral("E&xibir")) noMenu = m->menu()->actions().contains(grade);
    EXPECT_TRUE(noMenu);
    EXPECT_TRUE(r.Estado(32929).habilitado);
    EXPECT_FALSE(r.Estado(32929).marcado);
    EXPECT_TRUE(r.Despacha(32929));
    EXPECT_TRUE(r.Estado(32929).marcado);
    EXPECT_TRUE(r.Estado(32920).habilitado);
    EXPECT_TRUE(r.Estado(57609).habilitado);
    EXPECT_FALSE(r.Estado(57634).habilitado);
    // The formatting bar's boxes tell the view of their focus; Return gives it
    // back to the list. The start-up splash, which eats the first key, goes first.
    if (CSplashWnd* splash = CSplashWnd::Atual()) splash->CloseSplash();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const char* caixa : {"1067", "1068"}) {
      auto* box = f->findChild<QComboBox*>(QString::fromLatin1(caixa));
      ASSERT_NE(box, nullptr);
      QFocusEvent entra(QEvent::FocusIn, Qt::TabFocusReason);
      QApplication::sendEvent(box, &entra);
      EXPECT_TRUE(vista->FocoFormatacao()) << caixa;
      QFocusEvent lista(QEvent::FocusOut, Qt::PopupFocusReason);  // its own drop-down
      QApplication::sendEvent(box, &lista);
      EXPECT_TRUE(vista->FocoFormatacao()) << caixa;
      box->setFocus();
      QTest::keyClick(box, Qt::Key_Return);
      QWidget* foco = f->focusWidget();
      EXPECT_TRUE(foco == vista->Lista() || vista->Lista()->isAncestorOf(foco))
          << caixa << " " << (foco ? foco->metaObject()->className() : "nada") << " "
          << (foco ? foco->objectName().toStdString() : std::string());
      QFocusEvent sai(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(box, &sai);
      EXPECT_FALSE(vista->FocoFormatacao()) << caixa;
    }
    // The preview hides "Resultados RL" and "Dados" while it shows, and brings them back.
    bool escondidos = false;
    plat::RoteiroPara(QStringLiteral("dlgVisualizar"), [&](QDialog&) {
      escondidos = f->Painel(59507)->isHidden() && f->Painel(32923)->isHidden();
    });
    {
      plat::GravadorMensagens mensagens;
      EXPECT_TRUE(r.Despacha(57609));
      EXPECT_TRUE(mensagens.Textos().isEmpty());
    }
    EXPECT_TRUE(escondidos);
    EXPECT_FALSE(f->Painel(59507)->isHidden());
    // Pictures of the main window with each pane in front, when asked for.
    const QString capturas = qEnvironmentVariable("TARSOLIN_CAPTURAS");
    if (!capturas.isEmpty()) {
      QDir().mkpath(capturas);
      f->showNormal();
      f->resize(1500, 950);
      f->Painel(32921)->show();
      sub->showMaximized();
      for (int id : {32923, 32924, 59507}) {
        f->Painel(id)->raise();
        QApplication::processEvents();
        EXPECT_TRUE(f->grab().save(QDir(capturas).filePath(QStringLiteral("principal_%1.png").arg(id))));
      }
    }
    // "Fechar" closes the model window through the frame.
    EXPECT_TRUE(r.Despacha(57602));
    QApplication::processEvents();
    EXPECT_TRUE(app.Documentos().empty());
    EXPECT_EQ(ModeloCorrente, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(f->Paineis()->ItemRL(QStringLiteral("Correlação"))->GetValue(), QString());
    f->close();
  }
  CTarsolinApp::DefineFabricaJanelaModelo({});
  CTarsolinView::DefineConfiguracoes(nullptr);
  plat::DefineModoRoteiro(false);
}

// ------------------------------------------------------------ the sample in the program

// The program on a copy of the fitted sample, its model window the model view.
class ProgramaAmostra : public ::testing::Test {
protected:
  void SetUp() override {
    const QByteArray& ajustado = ModeloAjustado();
    ASSERT_GT(ajustado.size(), C::Tamanho);
    qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
    configuracoes = std::make_unique<QSettings>(pasta.filePath("vista.ini"), QSettings::IniFormat);
    CTarsolinView::DefineConfiguracoes(configuracoes.get());
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
    drivers::Modulos() = drivers::NomesModulos{};
    CTarsolinApp::DefineFabricaJanelaModelo(CTarsolinView::CriaJanela);
    RegistraDialogosPequenos();  // as the program's start registers them
    app = std::make_unique<CTarsolinApp>();
    ASSERT_TRUE(app->InitInstance({"--sem-boas-vindas"}));
    // The start-up splash eats the first click: it goes first.
    if (CSplashWnd* splash = CSplashWnd::Atual()) splash->CloseSplash();
    AbreCopia(QStringLiteral("baltimore.tsn"));
  }
  void TearDown() override {
    for (CTarsolinDoc* d : app->Documentos()) d->SetModifiedFlag(false);
    app.reset();
    for (int id : {32830, 32915}) CChildFrame::RegistraDialogo(id, {});
    CChildFrame::DefineExportadorV5({});
    CTarsolinApp::DefineDicaDoDia({});
    CTarsolinApp::DefineFabricaJanelaModelo({});
    CTarsolinView::DefineConfiguracoes(nullptr);
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
  // A fresh copy of the fitted sample opened in the program (the model open before it closed).
  void AbreCopia(const QString& nome) {
    if (doc) {
      doc->SetModifiedFlag(false);
      app->MainFrame()->AtivaDocumento(doc);
      app->MainFrame()->Acao(57602)->trigger();  // "Fechar"
      Espera();
      ASSERT_TRUE(app->Documentos().empty());
    }
    const QString caminho = pasta.filePath(nome);
    ASSERT_TRUE(teste::GravaBytes(caminho, ModeloAjustado()));
    doc = app->OpenDocumentFile(caminho);
    ASSERT_NE(doc, nullptr);
    Espera();
    h = doc->GetCabecalho();
    vista = nullptr;
    for (CTarsolinView* v : app->MainFrame()->findChildren<CTarsolinView*>())
      if (v->Documento() == doc) vista = v;
    ASSERT_NE(vista, nullptr);
    ASSERT_EQ(ModeloCorrente, doc);
  }
  static void Espera() {
    for (int i = 0; i < 4; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
  PaineisModelo* Paineis() const { return app->MainFrame()->Paineis(); }
  // TARSOLIN_CAPTURAS names a folder that receives a picture of `w` as `nome`.
  static void Captura(QWidget* w, const QString& nome) {
    const QString pasta = qEnvironmentVariable("TARSOLIN_CAPTURAS");
    if (pasta.isEmpty() || !w) return;
    QDir().mkpath(pasta);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->grab().save(QDir(pasta).filePath(nome + QStringLiteral(".png"))));
  }
  // The "Dados" pane's variables as it lists them: caption and value.
  QList<QPair<QString, QString>> VariaveisDoPainel() const {
    QList<QPair<QString, QString>> r;
    PropertyGrid* g = Paineis()->Dados();
    PropertyGridItem* cat = g->FindItem(QStringLiteral("Variáveis"));
    if (!cat) return r;
    for (int i = 0; i < cat->childCount(); ++i)
      r << qMakePair(cat->child(i)->text(0), static_cast<PropertyGridItem*>(cat->child(i))->GetValue());
    return r;
  }
  QStringList TitulosDaLista() const {
    QStringList r;
    for (int c = 4; c < Paineis()->Lista()->GetColumnCount(); ++c) {
      GridDisplayRequest q;
      q.item.row = 0;
      q.item.col = c;
      r << (Paineis()->PedidoCelula(&q) ? q.item.strText : QString());
    }
    return r;
  }

  QTemporaryDir pasta;
  plat::GravadorMensagens mensagens;
  std::unique_ptr<QSettings> configuracoes;
  std::unique_ptr<CTarsolinApp> app;
  CTarsolinDoc* doc = nullptr;
  CabecalhoModelo* h = nullptr;
  CTarsolinView* vista = nullptr;
};

// Unchecking a variable in the list clears both result panes at once: only
// the counts stay, with one variable less considered.
TEST_F(ProgramaAmostra, DesmarcarNaCaixaLimpaOsPaineisDeResultados) {
  const int nv = h->NumVariaveis();
  ASSERT_FALSE(Paineis()->ItemRL(QStringLiteral("Correlação"))->GetValue().isEmpty());
  ASSERT_FALSE(Paineis()->ItemRE(QStringLiteral("rho"))->GetValue().isEmpty());
  ASSERT_EQ(Paineis()->ItemRL(QStringLiteral("Variáveis Consideradas"))->GetValue(), Fmt("%-2d", nv));
  CMyReportCtrl* l = vista->Lista();
  QRect caixa;
  ASSERT_TRUE(l->GetCellRect(0, 0, caixa, 2));  // NROOM's check box
  QTest::mouseClick(l, Qt::LeftButton, Qt::NoModifier, caixa.center());
  Espera();
  ASSERT_FALSE(h->Habilitada(0));
  for (bool linear : {true, false}) {
    PropertyGridItem* (PaineisModelo::*item)(const QString&) const = linear ? &PaineisModelo::ItemRL : &PaineisModelo::ItemRE;
    for (const char* legenda : {"Correlação", "Determinação", "R2 Ajustado", "F Calculado", "Significância Modelo",
                                "-1 e +1 desvios padrões", "Desvio Padrão", "Outliers do Modelo", "Método de Cálculo"})
      EXPECT_EQ((Paineis()->*item)(QString::fromUtf8(legenda))->GetValue(), QString()) << linear << " " << legenda;
    EXPECT_EQ((Paineis()->*item)(QStringLiteral("Variáveis Consideradas"))->GetValue(), Fmt("%-2d", nv - 1)) << linear;
    EXPECT_EQ((Paineis()->*item)(QStringLiteral("Variáveis"))->GetValue(), Fmt("%-2d", nv)) << linear;
  }
  EXPECT_EQ(Paineis()->ItemRE(QStringLiteral("rho"))->GetValue(), QString());
  EXPECT_TRUE(Paineis()->ItemRL(QStringLiteral("Correlação"))->GetConstraints().isEmpty());
  // The data list marks the variable out of the calculation.
  EXPECT_EQ(TitulosDaLista().value(0), QStringLiteral("*NROOM"));
  // Pictures of the panes as the user now sees them.
  CMainFrame* f = app->MainFrame();
  f->showNormal();
  f->resize(1400, 950);
  for (int id : {32923, 32924}) {
    f->Painel(id)->show();
    f->Painel(id)->raise();
    Captura(f, QStringLiteral("i38-paineis-desmarcada-%1").arg(id == 32923 ? QStringLiteral("RL") : QStringLiteral("RE")));
  }
}

// The "Dados" pane and the data list follow the variables whenever they
// change: excluded, renamed, or reordered by a new dependent variable.
TEST_F(ProgramaAmostra, PainelDadosSegueAsVariaveis) {
  struct Caso {
    const char* nome;
    int comando;
    std::function<void()> roteiro;
    // The variable at each position afterwards, by its position before (-1: a new name).
    std::function<std::vector<int>(int nv)> ordem;
  };
  const QString novoNome = QStringLiteral("QUARTOS");
  const Caso casos[] = {
      {"Excluir Variável", 32911,
       [&] {
         mensagens.Responde(plat::IDYES);  // "Deseja excluir as variáveis selecionadas !"
         plat::RoteiroPara(QStringLiteral("dlg130"), [](QDialog& d) {
           auto* l = d.findChild<QListWidget*>(QStringLiteral("1007"));
           QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, l->visualItemRect(l->item(0)).center());
           plat::Pressiona(d, 1);
         });
       },
       [](int nv) { std::vector<int> o; for (int v = 1; v < nv; ++v) o.push_back(v); return o; }},
      {"Alterar Nome", 32909,
       [&] {
         plat::RoteiroPara(QStringLiteral("dlg502"), [novoNome](QDialog& d) {
           auto* l = d.findChild<QListWidget*>(QStringLiteral("1074"));
           QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, l->visualItemRect(l->item(0)).center());
           auto* e = d.findChild<QLineEdit*>(QStringLiteral("1056"));
           e->selectAll();
           QTest::keyClicks(e, novoNome);
           plat::Pressiona(d, 1016);
           plat::Pressiona(d, 1);
         });
       },
       [](int nv) { std::vector<int> o{-1}; for (int v = 1; v < nv; ++v) o.push_back(v); return o; }},
      {"Definir Variável Dependente", 32915,
       [&] {
         plat::RoteiroPara(QStringLiteral("dlg545"), [](QDialog& d) {
           auto* l = d.findChild<QListWidget*>(QStringLiteral("1074"));
           QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, l->visualItemRect(l->item(12)).center());
           plat::Pressiona(d, 1);
         });
       },
       [](int nv) {
         std::vector<int> o;
         for (int v = 0; v < nv; ++v) o.push_back(v == 12 ? nv - 1 : v == nv - 1 ? 12 : v);
         return o;
       }},
  };
  int copia = 0;
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    AbreCopia(QStringLiteral("amostra%1.tsn").arg(++copia));
    const int nv = h->NumVariaveis();
    QStringList nomes;
    std::vector<int> casas;
    for (int v = 0; v < nv; ++v) nomes << h->NomeVariavel(v), casas.push_back(h->CasasDecimais(v));
    ASSERT_TRUE(doc->RegistrosCarregados());
    const dado primeiro = doc->GetDados()[0];
    ASSERT_EQ(VariaveisDoPainel().size(), nv);
    caso.roteiro();
    app->MainFrame()->Acao(caso.comando)->trigger();
    Espera();
    QList<QPair<QString, QString>> esperado;
    QStringList titulos;
    for (int antes : caso.ordem(nv)) {
      const QString nome = antes < 0 ? novoNome : nomes[antes];
      const int fonte = antes < 0 ? 0 : antes;
      esperado << qMakePair(nome, FormataNumero(primeiro.valor[fonte], casas[std::size_t(fonte)]));
      titulos << nome;
    }
    EXPECT_EQ(VariaveisDoPainel(), esperado);
    EXPECT_EQ(Paineis()->Lista()->GetColumnCount(), int(esperado.size()) + 4);
    QStringList lista = TitulosDaLista();
    for (QString& t : lista) t.remove(QLatin1Char('*'));  // the disabled ones are marked
    EXPECT_EQ(lista, titulos);
  }
}

// Moving the spin of the first residual chart to each regressor in turn: the
// 211 points of the sample stay inside the horizontal axis on both charts.
TEST_F(ProgramaAmostra, GraficosDeResiduosMostramTodosOsPontos) {
  app->MainFrame()->Acao(32840)->trigger();
  Espera();
  auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaResiduos).data());
  ASSERT_NE(sub, nullptr);
  auto* janela = qobject_cast<JanelaDiagnostico*>(sub->widget());
  ASSERT_NE(janela, nullptr);
  sub->showMaximized();
  auto* pagina = qobject_cast<CResiduosView*>(janela->Pagina(0));
  ASSERT_NE(pagina, nullptr);
  QWidget* setas = pagina->findChild<QWidget*>(QStringLiteral("1112"));
  ASSERT_NE(setas, nullptr);
  auto* abaixo = setas->findChild<QToolButton*>(QStringLiteral("abaixo"));
  ASSERT_NE(abaixo, nullptr);
  const int n = h->NumConsiderados();
  ASSERT_EQ(n, 211);
  for (int passo = 0; passo < 20 && pagina->Analisada() > 0; ++passo) {
    QTest::mouseClick(abaixo, Qt::LeftButton);
    Espera();
    const int O = pagina->Analisada();
    for (CTChart* g : {pagina->Grafico1(), pagina->Grafico2()}) {
      ASSERT_EQ(g->NumPontos(3), n) << O;
      const auto [lo, hi] = g->FaixaEixo(Qt::Horizontal);
      int fora = 0;
      for (int i = 0; i < n; ++i) fora += g->Ponto(3, i).x() < lo || g->Ponto(3, i).x() > hi;
      EXPECT_EQ(fora, 0) << "variable " << O << (g == pagina->Grafico1() ? ", first chart" : ", second chart");
    }
  }
  ASSERT_EQ(pagina->Analisada(), 0);
  EXPECT_EQ(pagina->Grafico1()->Titulo(), QStringLiteral("Resíduos do modelo para NROOM"));
  CMainFrame* f = app->MainFrame();
  f->showNormal();
  f->resize(1400, 950);
  Espera();
  Captura(pagina->Grafico1(), QStringLiteral("i38-residuos-nroom"));
  Captura(janela, QStringLiteral("i38-residuos-janela-nroom"));
}

// Two models open: closing the second one's data window after an edit, with
// Sim, runs the calculation on the second model (its variables in "Opções de
// Cálculo") in its own window, brought to the front; a model made with the
// wizard opens in front of the one open before, its data window with it.
TEST_F(ProgramaAmostra, ComandosDeUmModeloVaoASuaJanela) {
  CMainFrame* f = app->MainFrame();
  CTarsolinDoc* primeiro = doc;
  // The second model: the sample with its variables renamed, so the dialog shows whose they are.
  QByteArray bytes = ModeloAjustado();
  auto cab = std::make_unique<CabecalhoModelo>();
  std::memcpy(cab->bytes, bytes.constData(), C::Tamanho);
  QStringList esperados;
  for (int v = 0; v < cab->NumVariaveis(); ++v) {
    cab->SetNomeVariavel(v, QStringLiteral("SEG%1").arg(v));
    if (cab->Habilitada(v)) esperados << QStringLiteral("SEG%1").arg(v);
  }
  std::memcpy(bytes.data(), cab->bytes, C::Tamanho);
  ASSERT_TRUE(teste::GravaBytes(pasta.filePath(QStringLiteral("segundo.tsn")), bytes));
  CTarsolinDoc* segundo = app->OpenDocumentFile(pasta.filePath(QStringLiteral("segundo.tsn")));
  ASSERT_NE(segundo, nullptr);
  ASSERT_NE(segundo, primeiro);
  Espera();
  // Its data window, through the menu, and a value typed over a cell.
  f->Acao(32813)->trigger();
  Espera();
  auto* subDados = qobject_cast<QMdiSubWindow*>(segundo->Janela(CTarsolinDoc::JanelaDados).data());
  ASSERT_NE(subDados, nullptr);
  auto* dados = qobject_cast<CDadosFrame*>(subDados->widget());
  ASSERT_NE(dados, nullptr);
  PaginaDados* pagina = dados->PaginaAtiva();
  ASSERT_NE(pagina, nullptr);
  CTableCtrlEx* grade = pagina->Grade();
  grade->EnsureVisible(2, 4);
  Espera();
  QRect celula;
  ASSERT_TRUE(grade->GetCellRect(2, 4, &celula));
  QApplication::setActiveWindow(f);  // a click brings the window to the front
  const QString antes = grade->GetCellText(2, 4);
  QTest::mouseClick(grade->viewport(), Qt::LeftButton, Qt::NoModifier, celula.center());
  Espera();
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  const QString valor = antes == QStringLiteral("13") ? QStringLiteral("14") : QStringLiteral("13");
  for (QChar c : valor) {  // one key at a time, as a user types
    QTest::keyClicks(QApplication::focusWidget(), QString(c));
    QCoreApplication::processEvents();
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Espera();
  ASSERT_EQ(grade->GetCellText(2, 4), valor);
  // "Fechar", and Sim to saving: the calculation starts by itself.
  QStringList listados;
  QObject* emFrente = nullptr;  // the model of the active window while the dialog shows
  plat::RoteiroPara(QStringLiteral("dlg142"), [&](QDialog& d) {
    auto* lista = d.findChild<QListWidget*>(QStringLiteral("1008"));
    for (int i = 0; lista && i < lista->count(); ++i) listados << lista->item(i)->text();
    if (QMdiSubWindow* ativa = f->Mdi()->activeSubWindow()) emFrente = ativa->property("documento").value<QObject*>();
    plat::Pressiona(d, 2);
  });
  mensagens.Responde(plat::IDYES);
  auto* fechar = dados->findChild<QPushButton*>(QStringLiteral("1018"));
  ASSERT_NE(fechar, nullptr);
  QTest::mouseClick(fechar, Qt::LeftButton);
  Espera();
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Deseja salvar as alterações em segundo.tsn?")});
  EXPECT_EQ(listados, esperados);
  EXPECT_EQ(emFrente, segundo);
  ASSERT_NE(f->Mdi()->activeSubWindow(), nullptr);
  EXPECT_EQ(f->Mdi()->activeSubWindow()->widget(), f->MolduraModelo(segundo));

  // A new model: the wizard, then its name.
  const QString novo = pasta.filePath(QStringLiteral("novo.tsn"));
  plat::RoteiroPara(QStringLiteral("dlgWizard"), [](QDialog& d) {
    auto& w = static_cast<CWizard&>(d);
    w.next();
    for (const char* nome : {"VALOR", "AREA"}) {
      auto* e = qobject_cast<QLineEdit*>(plat::Controle(*w.currentPage(), 1056));
      e->setText(QString::fromLatin1(nome));
      QTest::keyClick(e, Qt::Key_Return);
    }
    w.next();
    plat::Pressiona(*w.currentPage(), 1030);
    plat::Pressiona(*w.currentPage(), 1101);
    w.next();
    w.button(QWizard::FinishButton)->click();
  });
  plat::RoteiroPara(QStringLiteral("dlgSalvarModelo"), [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(novo);
    d.accept();
  });
  f->Acao(57600)->trigger();  // "Novo"
  Espera();
  CTarsolinDoc* criado = nullptr;
  for (CTarsolinDoc* d : app->Documentos())
    if (d->GetPathName() == QFileInfo(novo).absoluteFilePath()) criado = d;
  ASSERT_NE(criado, nullptr);
  QMdiSubWindow* ativa = f->Mdi()->activeSubWindow();
  ASSERT_NE(ativa, nullptr);
  EXPECT_EQ(ativa->property("documento").value<QObject*>(), criado);
  // In front of the other models' windows.
  const QList<QMdiSubWindow*> pilha = f->Mdi()->subWindowList(QMdiArea::StackingOrder);
  QWidget* janelaNova = f->MolduraModelo(criado);
  ASSERT_NE(janelaNova, nullptr);
  for (CTarsolinDoc* outro : {primeiro, segundo})
    EXPECT_GT(pilha.indexOf(qobject_cast<QMdiSubWindow*>(janelaNova->parentWidget())),
              pilha.indexOf(qobject_cast<QMdiSubWindow*>(f->MolduraModelo(outro)->parentWidget())));
}

// "Correlações", "Aderência" and "Equação" open inside the MDI area, and the
// maximised model window stays maximised behind them.
TEST_F(ProgramaAmostra, JanelasAbremDentroDaArea) {
  CMainFrame* f = app->MainFrame();
  f->showNormal();
  f->resize(1400, 900);
  Espera();
  auto* modelo = qobject_cast<QMdiSubWindow*>(f->MolduraModelo(doc)->parentWidget());
  ASSERT_NE(modelo, nullptr);
  ASSERT_TRUE(modelo->isMaximized());
  const struct {
    const char* nome;
    int comando;
    const char* captura;
  } janelas[] = {{"Correlações", 32833, "i42-correlacoes"}, {"Aderência", 32852, "i42-aderencia"},
                 {"Equação", 32836, "i42-equacao"}};
  for (const auto& j : janelas) {
    SCOPED_TRACE(j.nome);
    f->Acao(j.comando)->trigger();
    Espera();
    QMdiSubWindow* sub = f->Mdi()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    ASSERT_NE(sub, modelo);
    const QRect area = f->Mdi()->viewport()->rect();
    EXPECT_TRUE(area.contains(sub->geometry())) << "area " << area.width() << "x" << area.height() << ", window at "
                                                << sub->x() << "," << sub->y() << " " << sub->width() << "x"
                                                << sub->height();
    EXPECT_TRUE(modelo->isMaximized());
    Captura(f, QString::fromLatin1(j.captura));
  }
}

// A preview that cannot start says so (61705) and shows nothing; one that
// starts shows its pages after the caller's preparation.
TEST(VisualizacaoImpressao, FalhaMostraAMensagemDoComando) {
  plat::DefineModoRoteiro(true);
  struct Caso {
    const char* nome;
    std::function<bool(QPrinter&)> desenha;
    bool inicia;
  };
  const Caso casos[] = {
      {"desenha", [](QPrinter& p) { QPainter d(&p); d.drawLine(0, 0, 100, 100); return true; }, true},
      {"o desenho falha", [](QPrinter&) { return false; }, false},
      {"nenhuma página", [](QPrinter&) { return true; }, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    bool mostrou = false, preparou = false;
    plat::RoteiroPara(QStringLiteral("dlgVisualizar"), [&](QDialog&) { mostrou = true; });
    plat::GravadorMensagens mensagens;
    QPrinter impressora(QPrinter::HighResolution);
    EXPECT_EQ(VisualizaImpressao(impressora, nullptr, c.desenha, [&] { preparou = true; }), c.inicia);
    EXPECT_EQ(mostrou, c.inicia);
    EXPECT_EQ(preparou, c.inicia);
    EXPECT_EQ(mensagens.Textos(), c.inicia ? QStringList() : QStringList{plat::Texto(61705)});
    plat::LimpaRoteiros();
  }
  EXPECT_EQ(plat::Texto(61705), QStringLiteral("Não foi possível executar o comando."));
  plat::DefineModoRoteiro(false);
}

}  // namespace
