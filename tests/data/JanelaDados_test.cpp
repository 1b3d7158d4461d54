// The data window driven as a user would: rows added, deleted, sorted,
// excluded, drawn for validation, saved and read back from the file.
#include "ModeloDados.h"
#include "tests/support/Arquivos.h"

#include "views/data/AmostraValidacao.h"
#include "views/data/CDadosAvalView.h"
#include "views/data/CDadosEditarView.h"
#include "views/data/CDadosFrame.h"
#include "views/data/CDadosPesosView.h"
#include "views/data/ExportaPlanilha.h"

#include "ImpressaoGrade.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <QTabWidget>
#include <QTest>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;
using teste::ModeloDados;

class Postagens : public ServicosDocumento {
public:
  void PostaComando(int c) override { comandos.push_back(c); }
  void CursorEspera(bool) override {}
  std::vector<int> comandos;
};

class JanelaDados : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    CTarsolinDoc::DefineServicos(&servicos);
    plat::DefineModoRoteiro(true);
    plat::DefineSeparadoresUsuario(QChar(u','), QChar(u'.'));
  }
  void TearDown() override {
    frame.reset();
    doc.reset();
    CTarsolinDoc::DefineServicos(nullptr);
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
    DefineSementeAmostra(std::nullopt);
  }
  CDadosFrame* Abre(ModeloDados& m, bool pesos = false) { return AbreArquivo(m.Grava(pasta, QStringLiteral("modelo.tsn")), pesos); }
  CDadosFrame* AbreArquivo(const QString& arquivo, bool pesos = false) {
    caminho = arquivo;
    frame.reset();
    doc = std::make_unique<CTarsolinDoc>();
    EXPECT_TRUE(doc->AbreArquivo(caminho));
    frame.reset(CDadosFrame::Cria(doc.get(), pesos));
    frame->resize(800, 500);
    return frame.get();
  }
  // A copy of the sample model, which the test may change.
  QString CopiaExemplo() {
    const QString copia = pasta.filePath(QStringLiteral("baltimore.tsn"));
    QFile::remove(copia);
    EXPECT_TRUE(QFile::copy(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"), copia));
    QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner);
    return copia;
  }
  // The window as the user has it in front of them.
  void Mostra() {
    frame->show();
    QApplication::setActiveWindow(frame.get());
    QCoreApplication::processEvents();
  }
  // A click on a cell of a page's grid.
  void Clica(PaginaDados* p, int row, int col) {
    QApplication::setActiveWindow(frame.get());  // a click brings the window to the front
    CTableCtrl* g = p->Grade();
    g->EnsureVisible(row, col);
    QCoreApplication::processEvents();
    QRect r;
    ASSERT_TRUE(g->GetCellRect(row, col, &r));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QCoreApplication::processEvents();
    ASSERT_EQ(g->GetFocusCell(), CCellID(row, col));
  }
  // Keys typed one at a time into whatever has the focus, as a user types.
  static void Digita(const QString& texto) {
    for (QChar c : texto) {
      ASSERT_NE(QApplication::focusWidget(), nullptr);
      QTest::keyClicks(QApplication::focusWidget(), QString(c));
      QCoreApplication::processEvents();
    }
  }
  static void Tecla(Qt::Key k) {
    QTest::keyClick(QApplication::focusWidget(), k);
    QCoreApplication::processEvents();
  }
  // Types a text over the cell (row, col) of a page and presses Enter.
  void DigitaNaCelula(PaginaDados* p, int row, int col, const QString& texto) {
    Clica(p, row, col);
    Digita(texto);
    Tecla(Qt::Key_Return);
  }
  // A page's tab, clicked.
  void ClicaAba(int i) {
    QTabBar* barra = frame->Host()->Abas()->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, Qt::NoModifier, barra->tabRect(i).center());
    QCoreApplication::processEvents();
  }
  CDadosEditarView* Dados() { return frame->Host()->PaginaDadosEditar(); }
  CDadosPesosView* Pesos() { return qobject_cast<CDadosPesosView*>(frame->Host()->Pagina(1)); }
  QStringList Coluna(CTableCtrl* g, int col) {
    QStringList r;
    for (int i = 1; i < g->GetRowCount(); ++i) r << g->GetCellText(i, col);
    return r;
  }

  QTemporaryDir pasta;
  QString caminho;
  Postagens servicos;
  std::unique_ptr<CTarsolinDoc> doc;
  std::unique_ptr<CDadosFrame> frame;
};

ModeloDados Cinco() {
  return ModeloDados({{0, 0, 10}, {3, 4, 20}, {6, 8, 30}, {1, 1, 40}, {2, 5, 50}});
}

// Message boxes as the user meets them: each takes the focus while it is
// open and gives it back when it closes. The texts are recorded.
struct CaixasModais {
  QStringList textos;
  plat::TratadorMensagem anterior;
  explicit CaixasModais(int resposta = plat::IDOK) {
    anterior = plat::DefineTratadorMensagem([this, resposta](const plat::Mensagem& m) {
      textos << m.texto;
      QWidget* ativa = QApplication::activeWindow();
      QWidget caixa;
      caixa.setFocusPolicy(Qt::StrongFocus);
      caixa.show();
      QApplication::setActiveWindow(&caixa);
      caixa.setFocus();
      QCoreApplication::processEvents();
      caixa.hide();
      if (ativa) QApplication::setActiveWindow(ativa);
      QCoreApplication::processEvents();
      return resposta;
    });
  }
  ~CaixasModais() { plat::DefineTratadorMensagem(anterior); }
};

// How many of the first `n` values of the records differ, bit for bit.
int DoublesDiferentes(const std::vector<dado>& a, const std::vector<dado>& b, int n) {
  int k = 0;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    for (int v = 0; v < n; ++v) k += std::memcmp(&a[i].valor[v], &b[i].valor[v], sizeof(double)) != 0 ? 1 : 0;
  return k;
}

TEST_F(JanelaDados, UmModeloNovoAbreComUmaLinhaVazia) {
  ModeloDados m({});
  Abre(m);
  CTableCtrl* g = Dados()->Grade();
  ASSERT_EQ(g->GetRowCount(), 2);
  EXPECT_EQ(g->GetCellText(1, 1), QStringLiteral("   1"));
  EXPECT_EQ(g->GetCellText(0, 2), QStringLiteral("Endereço"));
  EXPECT_EQ(g->GetCellText(0, 6), QStringLiteral("VU"));
}

TEST_F(JanelaDados, ExcluirUmaLinhaRenumeraEAcompanhaOsPesos) {
  ModeloDados m = Cinco();
  m.W.ReSize(5, 5);
  for (int i = 1; i <= 5; ++i)
    for (int j = 1; j <= 5; ++j) m.W(i, j) = 10 * i + j;
  m.cab->SetI32(C::OffEspacialCalculado, 1);
  m.cab->SetU8(C::OffSemElementosW, 0);
  Abre(m, true);
  // The document rebuilt W from the coordinates at open; the grid shows it.
  CDadosEditarView* d = Dados();
  CDadosPesosView* p = Pesos();
  ASSERT_EQ(p->N(), 5);
  EXPECT_EQ(p->TextoElemento(1, 2), QStringLiteral("5,000000"));
  d->AtualizaBarra(3, 2);
  plat::GravadorMensagens msgs(plat::IDYES);
  d->ExcluiDado();
  ASSERT_EQ(msgs.Textos(), QStringList{QStringLiteral("Deseja excluir o dado    3 ?")});
  EXPECT_EQ(Coluna(d->Grade(), 1),
            (QStringList{QStringLiteral("   1"), QStringLiteral("   2"), QStringLiteral("   3"), QStringLiteral("   4")}));
  EXPECT_EQ(Coluna(d->Grade(), 2), (QStringList{"Rua 1", "Rua 2", "Rua 4", "Rua 5"}));
  ASSERT_EQ(p->N(), 4);
  EXPECT_EQ(p->Grade()->GetRowCount(), 5);
  EXPECT_EQ(p->Grade()->GetColumnCount(), 6);
  // Row 3 and column 3 of W went: record 4 is now row 3.
  const NEWMAT::Matrix& w = p->Matriz();
  EXPECT_DOUBLE_EQ(w(1, 3), 1.4142135623730951);  // (0,0)-(1,1)
  EXPECT_DOUBLE_EQ(w(3, 4), std::hypot(1.0, 4.0));  // (1,1)-(2,5)
  EXPECT_EQ(p->Grade()->GetCellText(0, 4), QStringLiteral("   3"));

  // Saving writes four records and the 4 x 4 W, which comes back on reopening.
  ASSERT_TRUE(doc->DoSave(caminho));
  CabecalhoModelo cab;
  const auto lidos = teste::LeDados(caminho, cab);
  ASSERT_EQ(cab.NumDados(), 4);
  EXPECT_EQ(lidos[2].Endereco(), QStringLiteral("Rua 4"));
  EXPECT_EQ(cab.I32(C::OffEspacialCalculado), 0);
}

TEST_F(JanelaDados, ClassificarESalvarMantemAOrdemDoArquivo) {
  ModeloDados m = Cinco();
  Abre(m);
  CDadosEditarView* d = Dados();
  d->Classifica(4 + 2, true);  // VU, descending
  EXPECT_EQ(Coluna(d->Grade(), 1).first(), QStringLiteral("   5"));
  // An edit of the first row on screen goes to record 5.
  d->Grade()->setFocus();
  d->Grade()->MoveFocusCell(1, 2);
  frame->Barra()->Valor()->setText(QStringLiteral("Praça"));
  d->ConfirmaValor();
  ASSERT_TRUE(doc->DoSave(caminho));
  CabecalhoModelo cab;
  const auto lidos = teste::LeDados(caminho, cab);
  ASSERT_EQ(lidos.size(), 5u);
  for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(lidos[std::size_t(i)].valor[2], 10.0 * (i + 1));
  EXPECT_EQ(lidos[4].Endereco(), QStringLiteral("Praça"));
  EXPECT_EQ(cab.U8(C::OffOrdenadoOutra), 1);
  EXPECT_EQ(cab.U8(C::OffOrdemAscendente), 0);
  EXPECT_EQ(cab.U8(C::OffColunaOrdem), 6);
  // The stored order is applied on the next open.
  frame.reset();
  doc.reset();
  doc = std::make_unique<CTarsolinDoc>();
  ASSERT_TRUE(doc->AbreArquivo(caminho));
  frame.reset(CDadosFrame::Cria(doc.get(), false));
  EXPECT_EQ(Coluna(Dados()->Grade(), 6).first(), QStringLiteral("50,00"));
}

TEST_F(JanelaDados, ExcluirDoCalculoInvalidaOsResultadosEFecharRecalcula) {
  ModeloDados m = Cinco();
  m.cab->SetI32(C::OffEstadoCalculo, 1);
  m.cab->SetI32(C::OffEspacialCalculado, 1);
  m.cab->SetNumEquacoes(1);  // a calculated model keeps the equation it was calculated with
  Abre(m);
  CDadosEditarView* d = Dados();
  d->AtualizaBarra(2, 2);
  d->AlternaConsiderado(false);
  EXPECT_EQ(d->Grade()->GetCellText(2, 0), QStringLiteral("*"));
  ASSERT_TRUE(doc->DoSave(caminho));
  CabecalhoModelo cab;
  const auto lidos = teste::LeDados(caminho, cab);
  EXPECT_EQ(cab.I32(C::OffEstadoCalculo), 0);
  EXPECT_EQ(cab.I32(C::OffEspacialCalculado), 0);
  EXPECT_EQ(cab.I32(C::OffNumConsiderados), 4);
  EXPECT_EQ(lidos[1].excluido, 1);
  servicos.comandos.clear();
  EXPECT_TRUE(frame->close());
  EXPECT_NE(std::find(servicos.comandos.begin(), servicos.comandos.end(), 32831), servicos.comandos.end());
}

TEST_F(JanelaDados, UmTextoQueNaoENumeroERecusado) {
  ModeloDados m = Cinco();
  Abre(m);
  CTableCtrl* g = Dados()->Grade();
  plat::GravadorMensagens msgs;
  EXPECT_FALSE(g->SetTextAsEdited(1, 4, QStringLiteral("abc")));
  EXPECT_EQ(g->GetCellText(1, 4), QStringLiteral("0,00"));
  EXPECT_TRUE(g->SetTextAsEdited(1, 4, QStringLiteral("1234,5")));
  EXPECT_EQ(g->GetCellText(1, 4), QStringLiteral("1.234,50"));
  EXPECT_TRUE(Dados()->ValoresAlterados());
  ASSERT_EQ(msgs.Mensagens().size(), 1u);
}

TEST_F(JanelaDados, ALinha64001ERecusada) {
  ModeloDados m({{0, 0, 1}});
  Abre(m);
  CDadosEditarView* d = Dados();
  d->AdicionaDados(CDadosEditarView::MaxLinhas - 1);
  ASSERT_EQ(d->NumDados(), 64000);
  plat::GravadorMensagens msgs;
  EXPECT_FALSE(d->AdicionaDado());
  EXPECT_EQ(msgs.Textos(), QStringList{QStringLiteral("Número máximo de dados = 64000 !")});
  EXPECT_EQ(d->NumDados(), 64000);
}

// With 63,999 records on screen, the bar's "Adicionar" button adds the
// 64,000th at once: the new last row is shown and has the focus without a
// walk through the rows above it.
TEST_F(JanelaDados, AdicionarNoFimDe64000DadosNaoEspera) {
  ModeloDados m({{0, 0, 1}});
  Abre(m);
  CDadosEditarView* d = Dados();
  d->AdicionaDados(CDadosEditarView::MaxLinhas - 2);
  Mostra();
  CTableCtrl* g = d->Grade();
  QScrollBar* barra = g->verticalScrollBar();
  barra->triggerAction(QAbstractSlider::SliderToMinimum);
  QCoreApplication::processEvents();
  ASSERT_EQ(barra->value(), 0);
  auto* adicionar = frame->findChild<QToolButton*>(QStringLiteral("1019"));
  ASSERT_NE(adicionar, nullptr);
  const auto t0 = std::chrono::steady_clock::now();
  QTest::mouseClick(adicionar, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 1.0);
  EXPECT_EQ(d->NumDados(), 64000);
  EXPECT_EQ(g->GetFocusCell().row, 64000);
  EXPECT_EQ(g->GetCellText(64000, 1), QStringLiteral("64000"));
  EXPECT_EQ(barra->value(), barra->maximum());
}

// Return in the formatting bar gives the grid the focus; the Enter that
// follows it at the last cell moves instead of adding a row, the next adds.
TEST_F(JanelaDados, EnterDaBarraDeFormatacaoNaoAdicionaLinha) {
  ModeloDados m = Cinco();
  Abre(m);
  frame->show();
  CDadosEditarView* d = Dados();
  d->Grade()->MoveFocusCell(5, 6);
  d->OnEnterFormatacao();
  EXPECT_TRUE(d->EnterDaBarra());
  EXPECT_EQ(frame->focusWidget(), d->Grade());
  d->TeclaEnter();
  EXPECT_FALSE(d->EnterDaBarra());
  EXPECT_EQ(d->NumDados(), 5);
  d->Grade()->MoveFocusCell(5, 6);
  d->TeclaEnter();
  EXPECT_EQ(d->NumDados(), 6);
}

// The preview of the data grid draws the model's margins as lines over the
// page, where the printout has none.
TEST_F(JanelaDados, VisualizacaoDesenhaAsMargens) {
  ModeloDados m = Cinco();
  m.cab->SetI32(C::OffMargens, 2880);       // left: 2 inches
  m.cab->SetI32(C::OffMargens + 4, 1440);
  m.cab->SetI32(C::OffMargens + 8, 1440);
  m.cab->SetI32(C::OffMargens + 12, 2160);  // bottom: 1.5 inches
  Abre(m);
  const QString previa = pasta.filePath("previa.pdf"), impressa = pasta.filePath("impressa.pdf");
  // The preview's own pages, written to a file from inside the dialog.
  plat::RoteiroPara(QStringLiteral("dlgVisualizar"), [&](QDialog& dlg) {
    auto& v = static_cast<QPrintPreviewDialog&>(dlg);
    v.printer()->setOutputFormat(QPrinter::PdfFormat);
    v.printer()->setOutputFileName(previa);
    v.findChild<QPrintPreviewWidget*>()->print();
  });
  plat::GravadorMensagens msgs;
  ASSERT_TRUE(Dados()->OnCmdMsg(57609));
  EXPECT_TRUE(msgs.Textos().isEmpty());
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(impressa);
  ASSERT_TRUE(ImprimeGradeEm(*Dados()->Grade(), doc.get(), impressora, false));

  // Both pages at 50 pixels to the inch, without smoothing: the left margin
  // line is the column at x = 100, the bottom one the row 75 pixels above the
  // sheet's lower edge; the grid's five rows lie far above either.
  auto pagina = [&](const QString& pdf) {
    const QString base = pasta.filePath(QFileInfo(pdf).baseName());
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"),
                                                   QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                                                   QStringLiteral("no"), QStringLiteral("-singlefile"), QStringLiteral("-png"),
                                                   pdf, base});
    return QImage(base + QStringLiteral(".png"));
  };
  auto escurosColuna = [](const QImage& img, int x, int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      bool escuro = false;
      for (int dx = -1; dx <= 1; ++dx) escuro = escuro || qGray(img.pixel(x + dx, y)) < 128;
      n += escuro ? 1 : 0;
    }
    return n;
  };
  auto escurosLinha = [](const QImage& img, int y, int x0, int x1) {
    int n = 0;
    for (int x = x0; x < x1; ++x) {
      bool escuro = false;
      for (int dy = -1; dy <= 1; ++dy) escuro = escuro || qGray(img.pixel(x, y + dy)) < 128;
      n += escuro ? 1 : 0;
    }
    return n;
  };
  const QImage p = pagina(previa), i = pagina(impressa);
  ASSERT_FALSE(p.isNull());
  ASSERT_FALSE(i.isNull());
  ASSERT_EQ(p.size(), i.size());
  const int meio = p.height() / 2, fim = p.height() - 75;
  EXPECT_GT(escurosColuna(p, 100, meio, fim - 5), (fim - 5 - meio) / 3);
  EXPECT_EQ(escurosColuna(i, 100, meio, fim - 5), 0);
  EXPECT_GT(escurosLinha(p, fim, 110, p.width() - 60), (p.width() - 170) / 3);
  EXPECT_EQ(escurosLinha(i, fim, 110, p.width() - 60), 0);
}

TEST_F(JanelaDados, ModeloProtegidoRecusaAsAlteracoes) {
  ModeloDados m = Cinco();
  m.cab->SetU8(C::OffProtegido, 1);
  m.cab->SetI32(C::OffAcessoSemSenha, 1);
  Abre(m);
  CDadosEditarView* d = Dados();
  plat::GravadorMensagens msgs;
  EXPECT_FALSE(d->AdicionaDado());
  EXPECT_FALSE(d->Grade()->SetTextAsEdited(1, 4, QStringLiteral("5")));
  d->AlternaConsiderado(false);
  EXPECT_EQ(d->Grade()->GetCellText(1, 0), QStringLiteral(" "));
  EXPECT_EQ(msgs.Textos().count(QStringLiteral("Modelo protegido por senha !")), 2);
  EXPECT_FALSE(frame->Barra()->Valor()->isEnabled());
}

TEST_F(JanelaDados, CalcularWDasCoordenadasMostraADistancia) {
  ModeloDados m({{0, 0, 1}, {3, 4, 2}});
  Abre(m, true);
  CDadosPesosView* p = Pesos();
  EXPECT_EQ(p->TextoElemento(1, 2), QStringLiteral("0"));  // no W stored
  plat::RoteiroPara(QStringLiteral("dlg506"), [](QDialog& dlg) {
    plat::SelecionaItem(dlg, 1037, 0);
    plat::SelecionaItem(dlg, 1038, 1);
    plat::Pressiona(dlg, 1);
  });
  plat::GravadorMensagens msgs;
  p->CalculaW();
  EXPECT_EQ(msgs.Textos(), QStringList{QStringLiteral("Cálculos finalizados!")});
  EXPECT_EQ(p->TextoElemento(1, 2), QStringLiteral("5,000000"));
  EXPECT_EQ(p->TextoElemento(2, 1), QStringLiteral("5,000000"));
  EXPECT_EQ(p->TextoElemento(1, 1), QStringLiteral("0"));
  // An edit of one element leaves its mirror as it was.
  p->Grade()->setFocus();
  p->Grade()->MoveFocusCell(1, 3);
  frame->Barra()->Valor()->setText(QStringLiteral("7"));
  p->ConfirmaValor();
  EXPECT_EQ(p->TextoElemento(1, 2), QStringLiteral("7,000000"));
  EXPECT_EQ(p->TextoElemento(2, 1), QStringLiteral("5,000000"));
  // Stored into the model's W on saving.
  ASSERT_TRUE(doc->DoSave(caminho));
  EXPECT_DOUBLE_EQ(doc->GetW()(1, 2), 7.0);
}

// A W edited by hand is kept in the model's stored elements: it comes back
// in the weights grid after reopening, and later saves keep it.
TEST_F(JanelaDados, WEditadaVoltaAoReabrir) {
  ModeloDados m({{0, 0, 1}, {3, 4, 2}, {6, 8, 3}});
  Abre(m, true);
  CDadosPesosView* p = Pesos();
  p->Grade()->setFocus();
  p->Grade()->MoveFocusCell(1, 3);
  frame->Barra()->Valor()->setText(QStringLiteral("7"));
  p->ConfirmaValor();
  ASSERT_TRUE(p->DefineElemento(3, 1, QStringLiteral("2,5")));
  ASSERT_TRUE(doc->DoSave(caminho));
  frame.reset();
  doc.reset();

  for (int vez = 0; vez < 2; ++vez) {
    SCOPED_TRACE(vez);
    doc = std::make_unique<CTarsolinDoc>();
    ASSERT_TRUE(doc->AbreArquivo(caminho));
    EXPECT_EQ(doc->GetCabecalho()->U8(C::OffSemElementosW), 0);
    frame.reset(CDadosFrame::Cria(doc.get(), true));
    EXPECT_EQ(Pesos()->TextoElemento(1, 2), QStringLiteral("7,000000"));
    EXPECT_EQ(Pesos()->TextoElemento(3, 1), QStringLiteral("2,500000"));
    EXPECT_EQ(Pesos()->TextoElemento(2, 1), QStringLiteral("0"));
    // A data edit saved with the records loaded writes the elements again.
    Dados()->Grade()->setFocus();
    Dados()->Grade()->MoveFocusCell(2, 2);
    frame->Barra()->Valor()->setText(QStringLiteral("Rua B%1").arg(vez));
    Dados()->ConfirmaValor();
    ASSERT_TRUE(doc->DoSave(caminho));
    frame.reset();
    doc.reset();
  }
  // The plain reader still takes no elements without a spatial result.
  CabecalhoModelo cab;
  ASSERT_TRUE(LeCabecalhoModelo(caminho, &cab));
  EXPECT_EQ(cab.NumElementosW(), 2);
  std::vector<dado> d(3);
  NEWMAT::Matrix W;
  ASSERT_TRUE(LeRegistrosModelo(caminho, &cab, d.data(), nullptr, W));
  EXPECT_EQ(W.Nrows(), 0);
  ASSERT_TRUE(LeRegistrosModelo(caminho, &cab, d.data(), nullptr, W, LeituraW::Armazenados));
  ASSERT_EQ(W.Nrows(), 3);
  EXPECT_EQ(W(1, 2), 7.0);
  EXPECT_EQ(W(3, 1), 2.5);
  EXPECT_EQ(d[1].Endereco(), QStringLiteral("Rua B1"));
}

TEST_F(JanelaDados, SorteioMarcaUmQuartoDosConsiderados) {
  ModeloDados m({{0, 0, 1}, {0, 0, 2}, {0, 0, 3}, {0, 0, 4}, {0, 0, 5}, {0, 0, 6}, {0, 0, 7}, {0, 0, 8},
                 {0, 0, 9}, {0, 0, 10}, {0, 0, 11}, {0, 0, 12}});
  m.Exclui(0).Exclui(11);  // 10 considered
  Abre(m);
  CDadosEditarView* d = Dados();
  DefineSementeAmostra(42);
  EXPECT_EQ(d->SelecionaAmostra(25), 2);
  int validacao = 0;
  for (int r = 1; r <= 12; ++r) validacao += d->EhValidacao(r) ? 1 : 0;
  EXPECT_EQ(validacao, 2);
  EXPECT_FALSE(d->EhValidacao(1));
  EXPECT_FALSE(d->EhValidacao(12));
  ASSERT_TRUE(doc->DoSave(caminho));
  CabecalhoModelo cab;
  const auto lidos = teste::LeDados(caminho, cab);
  EXPECT_EQ(cab.I32(C::OffNumValidacao), 2);
  EXPECT_EQ(cab.I32(C::OffNumConsiderados), 8);
  // Reconsidering brings both back.
  EXPECT_EQ(d->ReconsideraValidacao(), 2);
  EXPECT_EQ(d->ReconsideraValidacao(), 0);
}

TEST(AmostraValidacao, SorteiaSoConsideradosEAlcancaTodasAsLinhas) {
  DefineSementeAmostra(7);
  EXPECT_TRUE(SorteiaAmostra(std::vector<bool>(1, true), 50).empty());  // 0.5 truncated
  std::vector<bool> considerados(64000, false);
  for (int i = 0; i < 64000; i += 2) considerados[std::size_t(i)] = true;
  const std::vector<int> s = SorteiaAmostra(considerados, 50);
  ASSERT_EQ(s.size(), 16000u);
  std::vector<bool> visto(64000, false);
  int acima = 0;
  for (int i : s) {
    EXPECT_TRUE(considerados[std::size_t(i)]);
    EXPECT_FALSE(visto[std::size_t(i)]);
    visto[std::size_t(i)] = true;
    acima += i > 32767 ? 1 : 0;
  }
  EXPECT_GT(acima, 7000);  // rows past 32,767 are drawn as often as the others
  DefineSementeAmostra(std::nullopt);
}

TEST_F(JanelaDados, ExportaTresArquivos) {
  // Records 1-3 considered, 4 validation, 5 excluded.
  ModeloDados m = Cinco();
  m.Exclui(3, true).Exclui(4);
  m.cab->SetI32(C::OffEspacialCalculado, 1);
  Abre(m);
  ASSERT_EQ(doc->GetW().Nrows(), 5);
  CDadosEditarView* d = Dados();
  ASSERT_TRUE(d->ExportaPlanilha());
  const QString raiz = RaizExportacao(caminho);
  EXPECT_EQ(raiz, pasta.filePath(QStringLiteral("modelo")));
  auto le = [](const QString& c) {
    QFile f(c);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  };
  const QByteArray tabela = le(raiz + ".txt");
  EXPECT_EQ(tabela.count("\r\n"), 5);  // headings, three considered, one validation
  EXPECT_EQ(tabela.count('\n'), 5);
  EXPECT_TRUE(tabela.startsWith("\tDado\tEndere"));
  EXPECT_FALSE(tabela.contains("Rua 5"));
  EXPECT_TRUE(tabela.contains("*\t   4\tRua 4"));
  // W·y over the considered records (0,0), (3,4), (6,8) with VU 10, 20, 30:
  // rows (0, 5, 10), (5, 0, 5), (10, 5, 0).
  const QByteArray wy = le(raiz + "_wy.txt");
  EXPECT_EQ(wy, QByteArray("400,000000\r\n200,000000\r\n200,000000\r\n"));
  // The validation record (1,1) against the three considered ones.
  const double v = std::hypot(1.0, 1.0) * 10 + std::hypot(2.0, 3.0) * 20 + std::hypot(5.0, 7.0) * 30;
  EXPECT_EQ(le(raiz + "_wy_Val.txt"), QByteArray(QString::asprintf("%f\r\n", v).replace('.', ',').toLatin1()));
}

TEST(ExportaPlanilhaNome, TiraSoUmTsnFinal) {
  EXPECT_EQ(RaizExportacao("/a/b.tsnx/m.tsn"), QStringLiteral("/a/b.tsnx/m"));
  EXPECT_EQ(RaizExportacao("/a/M.TSN"), QStringLiteral("/a/M.TSN"));
  EXPECT_EQ(RaizExportacao("/a/m.kmr"), QStringLiteral("/a/m.kmr"));
}


// Sorting the sample and saving it changes no value: a value the user did not
// touch keeps its stored double, whatever the decimals its column shows. One
// value typed over a cell changes that one double, to the number typed.
TEST_F(JanelaDados, ClassificarESalvarNaoMudaValorAlgum) {
  const QString arquivo = CopiaExemplo();
  CabecalhoModelo antes;
  const std::vector<dado> originais = teste::LeDados(arquivo, antes);
  ASSERT_EQ(originais.size(), 211u);
  AbreArquivo(arquivo);
  Mostra();
  CDadosEditarView* d = Dados();
  // Dados > Classificar: PRICE, descending.
  plat::RoteiroPara(QStringLiteral("dlg507"), [](QDialog& dlg) {
    plat::SelecionaItem(dlg, 1074, 15);
    plat::Pressiona(dlg, 1099);
    plat::Pressiona(dlg, 1);
  });
  ASSERT_TRUE(d->OnCmdMsg(32812));
  ASSERT_TRUE(d->OnCmdMsg(57603));  // Salvar
  CabecalhoModelo depois;
  std::vector<dado> salvos = teste::LeDados(arquivo, depois);
  ASSERT_EQ(salvos.size(), 211u);
  EXPECT_EQ(DoublesDiferentes(originais, salvos, 16), 0);
  // Nor any other byte of a record (colours, fonts, texts), nor a column width.
  int registros = 0;
  for (std::size_t i = 0; i < 211; ++i) registros += std::memcmp(&originais[i], &salvos[i], sizeof(dado)) != 0 ? 1 : 0;
  EXPECT_EQ(registros, 0);
  for (std::size_t off = C::OffLargurasVariavel; off < C::OffLargurasVariavel + 4 * 16; off += 4)
    EXPECT_EQ(depois.I32(off), antes.I32(off)) << off;
  EXPECT_EQ(depois.I32(C::OffLargurasFixasDados), antes.I32(C::OffLargurasFixasDados));
  EXPECT_EQ(depois.U8(C::OffColunaOrdem), 4 + 15);

  // 57 typed over NROOM of the first row on screen.
  const int k = d->Grade()->GetCellText(1, 1).trimmed().toInt() - 1;
  ASSERT_GE(k, 0);
  DigitaNaCelula(d, 1, 4, QStringLiteral("57"));
  EXPECT_EQ(d->Grade()->GetCellText(1, 4), QStringLiteral("57"));
  ASSERT_TRUE(d->OnCmdMsg(57603));
  salvos = teste::LeDados(arquivo, depois);
  EXPECT_EQ(DoublesDiferentes(originais, salvos, 16), 1);
  EXPECT_EQ(salvos[std::size_t(k)].valor[0], 57.0);
}

// Typing over a cell of any of the three grids: every key reaches it.
TEST_F(JanelaDados, CadaTeclaDigitadaChegaACelula) {
  struct Caso {
    const char* nome;
    bool pesos;
    int aba, row, col;
    QString esperado;
  };
  const Caso casos[] = {
      {"dados", false, 0, 2, 4, QStringLiteral("57,00")},
      {"avaliacao", false, 1, 1, 7, QStringLiteral("57,00")},
      {"pesos", true, 1, 2, 3, QStringLiteral("57,000000")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    ModeloDados m = Cinco();
    Abre(m, c.pesos);
    Mostra();
    if (c.aba) ClicaAba(c.aba);
    PaginaDados* p = frame->Host()->Pagina(c.aba);
    ASSERT_EQ(frame->PaginaAtiva(), p);
    DigitaNaCelula(p, c.row, c.col, QStringLiteral("57"));
    if (c.pesos) EXPECT_EQ(Pesos()->TextoElemento(c.row, c.col - 1), c.esperado);
    else EXPECT_EQ(p->Grade()->GetCellText(c.row, c.col), c.esperado);
  }
}

// A cell takes only a whole number written as the grid writes them (decimal
// comma, thousands dots between groups of three); anything else is refused
// once, the cell keeps its value and nothing counts as changed.
TEST_F(JanelaDados, TextoQueNaoEUmNumeroInteiroERecusadoUmaVez) {
  struct Caso {
    const char* nome;
    QString texto;
    bool aceito;
    double valor;
  };
  const Caso casos[] = {
      {"sem_digitos", QStringLiteral("abc"), false, 0},
      {"expoente", QStringLiteral("1e999"), false, 0},
      {"letras_no_meio", QStringLiteral("12abc34"), false, 0},
      {"ponto_fora_do_milhar", QStringLiteral("1.5"), false, 0},
      {"moeda", QStringLiteral("R$ 5"), false, 0},
      {"milhar_e_decimal", QStringLiteral("1.234,5"), true, 1234.5},
      {"so_milhar", QStringLiteral("1.500"), true, 1500.0},
      {"negativo", QStringLiteral("-0,25"), true, -0.25},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    ModeloDados m = Cinco();
    Abre(m);
    Mostra();
    CaixasModais caixas;
    DigitaNaCelula(Dados(), 2, 4, c.texto);
    if (!c.aceito) {
      EXPECT_EQ(caixas.textos, QStringList{QStringLiteral("Este não é um número válido!")});
      EXPECT_EQ(Dados()->Grade()->GetCellText(2, 4), QStringLiteral("3,00"));
      EXPECT_FALSE(Dados()->Modificado());
      EXPECT_FALSE(doc->IsModified());
      continue;
    }
    EXPECT_TRUE(caixas.textos.isEmpty());
    ASSERT_TRUE(Dados()->OnCmdMsg(57603));
    CabecalhoModelo cab;
    EXPECT_EQ(teste::LeDados(caminho, cab)[1].valor[0], c.valor);
  }
}

// Values beyond a billion show without grouping; under a user locale with a
// decimal point they still read back, and a save keeps every value whole.
TEST_F(JanelaDados, ValoresGrandesVoltamIntactosEmQualquerLocale) {
  for (const bool ponto : {true, false}) {
    SCOPED_TRACE(ponto ? "decimal ponto" : "decimal virgula");
    plat::DefineSeparadoresUsuario(ponto ? QChar(u'.') : QChar(u','), ponto ? QChar(u',') : QChar(u'.'));
    ModeloDados m({{2.5e9, 1234.5678, 10}, {3, 4, 20}});
    Abre(m);
    Mostra();
    EXPECT_EQ(Dados()->Grade()->GetCellText(1, 4), QStringLiteral("2500000000,000000000"));
    EXPECT_EQ(Dados()->Grade()->GetCellText(1, 5), QStringLiteral("1.234,56"));
    DigitaNaCelula(Dados(), 2, 6, QStringLiteral("1.234,5"));  // a value edit: the records are rebuilt
    ASSERT_TRUE(Dados()->OnCmdMsg(57603));
    CabecalhoModelo cab;
    const auto lidos = teste::LeDados(caminho, cab);
    EXPECT_EQ(lidos[0].valor[0], 2.5e9);
    EXPECT_EQ(lidos[0].valor[1], 1234.5678);
    EXPECT_EQ(lidos[1].valor[2], 1234.5);
  }
  plat::DefineSeparadoresUsuario(QChar(u','), QChar(u'.'));
}

// W computed on the weights page after a record was deleted and a coordinate
// typed (neither saved yet) belongs to the rows it is stored with: every
// stored weight is the distance between the saved coordinates of its pair.
TEST_F(JanelaDados, WCalculadaCorrespondeAosDadosSalvos) {
  const QString arquivo = CopiaExemplo();
  AbreArquivo(arquivo, true);
  Mostra();
  CDadosEditarView* d = Dados();
  Clica(d, 3, 2);
  {
    plat::GravadorMensagens sim(plat::IDYES);
    QTest::mouseClick(frame->Barra()->findChild<QToolButton*>(QStringLiteral("1020")), Qt::LeftButton);
    ASSERT_EQ(sim.Textos(), QStringList{QStringLiteral("Deseja excluir o dado    3 ?")});
  }
  ASSERT_EQ(d->NumDados(), 210);
  DigitaNaCelula(d, 5, 4 + 13, QStringLiteral("1.000.000"));  // X of the fifth record
  ClicaAba(1);
  plat::RoteiroPara(QStringLiteral("dlg506"), [](QDialog& dlg) {
    plat::SelecionaItem(dlg, 1037, 13);
    plat::SelecionaItem(dlg, 1038, 14);
    plat::Pressiona(dlg, 1);
  });
  {
    plat::GravadorMensagens msgs;
    ASSERT_TRUE(Pesos()->OnCmdMsg(32811));
    EXPECT_EQ(msgs.Textos(), QStringList{QStringLiteral("Cálculos finalizados!")});
  }
  ASSERT_TRUE(Pesos()->OnCmdMsg(57603));

  CabecalhoModelo cab;
  ASSERT_TRUE(LeCabecalhoModelo(arquivo, &cab));
  ASSERT_EQ(cab.NumDados(), 210);
  std::vector<dado> dados(210);
  NEWMAT::Matrix W;
  ASSERT_TRUE(LeRegistrosModelo(arquivo, &cab, dados.data(), nullptr, W, LeituraW::Armazenados));
  ASSERT_EQ(W.Nrows(), 210);
  ASSERT_EQ(W.Ncols(), 210);
  EXPECT_EQ(dados[4].valor[13], 1e6);
  int erradas = 0;
  for (int i = 0; i < 210; ++i)
    for (int j = 0; j < 210; ++j) {
      const double dx = dados[std::size_t(i)].valor[13] - dados[std::size_t(j)].valor[13];
      const double dy = dados[std::size_t(i)].valor[14] - dados[std::size_t(j)].valor[14];
      const double esperado = std::sqrt(dx * dx + dy * dy);
      erradas += std::fabs(W(i + 1, j + 1) - esperado) > 1e-9 * std::max(1.0, esperado) ? 1 : 0;
    }
  EXPECT_EQ(erradas, 0);
}

// Enter in the bar's value box commits the value and moves on; at the last
// cell of the last row it adds no record. The grid's own Enter there does.
TEST_F(JanelaDados, EnterNaCaixaDaBarraNaoAdicionaDado) {
  ModeloDados m = Cinco();
  Abre(m);
  Mostra();
  DigitaNaCelula(Dados(), 5, 6, QStringLiteral("99"));
  EXPECT_EQ(Dados()->NumDados(), 5);
  EXPECT_EQ(Dados()->Grade()->GetCellText(5, 6), QStringLiteral("99,00"));
  ASSERT_EQ(QApplication::focusWidget(), Dados()->Grade());
  Tecla(Qt::Key_Return);
  EXPECT_EQ(Dados()->NumDados(), 6);
}

// The export writes the rows as the grid holds them (an exclusion not yet
// saved included) with every digit of their values.
TEST_F(JanelaDados, ExportaOsValoresInteirosDasLinhasDaGrade) {
  ModeloDados m({{0, 0, 21.975}, {3, 4, 20}, {6, 8, 30}});
  m.cab->SetI32(C::OffEspacialCalculado, 1);  // W from the coordinates
  Abre(m);
  Mostra();
  Clica(Dados(), 2, 2);
  QTest::mouseClick(frame->Barra()->Considerado(), Qt::LeftButton);
  ASSERT_EQ(Dados()->Grade()->GetCellText(2, 0), QStringLiteral("*"));
  EXPECT_EQ(Dados()->Grade()->GetCellText(1, 6), QStringLiteral("21,97"));
  ASSERT_TRUE(Dados()->OnCmdMsg(32860));
  const QString raiz = RaizExportacao(caminho);
  const QByteArray tabela = teste::LeArquivo(raiz + ".txt");
  EXPECT_TRUE(tabela.contains("\tRua 1\t\t0\t0\t21,975\r\n")) << tabela.toStdString();
  EXPECT_FALSE(tabela.contains("Rua 2"));
  // Records 1 and 3, ten apart: W·y over the two considered rows.
  EXPECT_EQ(teste::LeArquivo(raiz + "_wy.txt"), QByteArray("300,000000\r\n219,750000\r\n"));
}

// In the plain data window a deleted record takes its row and column out of
// the model's stored W: the saved W still pairs the saved records.
TEST_F(JanelaDados, ExcluirUmDadoLevaSuaLinhaDeW) {
  ModeloDados m = Cinco();
  m.W.ReSize(5, 5);
  for (int i = 1; i <= 5; ++i)
    for (int j = 1; j <= 5; ++j) m.W(i, j) = i == j ? 0.0 : 10.0 * i + j;
  m.cab->SetU8(C::OffSemElementosW, 0);
  Abre(m);
  Mostra();
  Clica(Dados(), 3, 2);
  {
    plat::GravadorMensagens sim(plat::IDYES);
    QTest::mouseClick(frame->Barra()->findChild<QToolButton*>(QStringLiteral("1020")), Qt::LeftButton);
  }
  ASSERT_EQ(Dados()->NumDados(), 4);
  ASSERT_TRUE(Dados()->OnCmdMsg(57603));
  CabecalhoModelo cab;
  ASSERT_TRUE(LeCabecalhoModelo(caminho, &cab));
  ASSERT_EQ(cab.NumDados(), 4);
  std::vector<dado> dados(4);
  NEWMAT::Matrix W;
  ASSERT_TRUE(LeRegistrosModelo(caminho, &cab, dados.data(), nullptr, W, LeituraW::Armazenados));
  ASSERT_EQ(W.Nrows(), 4);
  const int origem[4] = {1, 2, 4, 5};
  for (int a = 0; a < 4; ++a)
    for (int b = 0; b < 4; ++b)
      EXPECT_EQ(W(a + 1, b + 1), a == b ? 0.0 : 10.0 * origem[a] + origem[b]) << a << "," << b;
  EXPECT_EQ(dados[2].Endereco(), QStringLiteral("Rua 4"));
}

// Without a W there is no spatial lag to write: the table is exported and
// the user is told, instead of a column of means.
TEST_F(JanelaDados, ExportarSemWAvisaEmVezDeEscreverMedias) {
  ModeloDados m = Cinco();
  Abre(m);
  ASSERT_EQ(doc->GetW().Nrows(), 0);
  plat::GravadorMensagens msgs;
  ASSERT_TRUE(Dados()->OnCmdMsg(32860));
  EXPECT_EQ(msgs.Textos(),
            QStringList{QStringLiteral("O modelo não tem a matriz W: a planilha foi exportada sem os arquivos de W·y.")});
  const QString raiz = RaizExportacao(caminho);
  EXPECT_TRUE(QFile::exists(raiz + ".txt"));
  EXPECT_FALSE(QFile::exists(raiz + "_wy.txt"));
  EXPECT_FALSE(QFile::exists(raiz + "_wy_Val.txt"));
}

// The bar's check boxes are found and set by their names, as assistive
// technologies and scripts find them.
TEST_F(JanelaDados, CaixasDaBarraTemNome) {
  ModeloDados m = Cinco();
  Abre(m);
  Mostra();
  Clica(Dados(), 2, 2);
  auto pelaNome = [&](const QString& nome) -> QCheckBox* {
    for (QCheckBox* c : frame->Barra()->findChildren<QCheckBox*>())
      if (c->accessibleName() == nome) return c;
    return nullptr;
  };
  QCheckBox* considerado = pelaNome(QStringLiteral("Considerar o dado no cálculo"));
  QCheckBox* validacao = pelaNome(QStringLiteral("Dado de validação"));
  ASSERT_NE(considerado, nullptr);
  ASSERT_NE(validacao, nullptr);
  QTest::mouseClick(validacao, Qt::LeftButton);
  EXPECT_TRUE(Dados()->EhValidacao(2));
  EXPECT_FALSE(considerado->isChecked());
  QTest::mouseClick(considerado, Qt::LeftButton);
  EXPECT_EQ(Dados()->Grade()->GetCellText(2, 0), QStringLiteral(" "));
}

}  // namespace
