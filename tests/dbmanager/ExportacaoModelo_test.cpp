// A result grid exported as a model: the wizard's pages, the bytes of both
// formats at their offsets, the record limit's question, and the main
// program's routines reading and calculating the exported model.
#include "JanelaTeste.h"

#include "dbmanager/CAssistenteExportacao.h"
#include "dbmanager/CResultView.h"
#include "dbmanager/ExportacaoModelo.h"
#include "dbmanager/ModeloGrade.h"
#include "dbmanager/RotinasBrenk.h"
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"

#include <QAccessible>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QWizard>
#include "controls/PropertyGrid.h"

#include <cstring>
#include <vector>

using namespace brenk;

namespace {

// The columns added on the first page (by Enter in the column list), the
// address and complement columns, the dependent's position and, optionally,
// a variable made quantitative and a password.
struct Escolhas {
  QList<int> colunas;
  int endereco = 0, complemento = 0;
  int dependente = 0;
  int quantitativa = -1;
  QString senha;
};

void RoteiroAssistente(const Escolhas& e) {
  plat::RoteiroPara(QStringLiteral("dlgNovoModelo"), [e](QDialog& d) {
    auto& w = static_cast<QWizard&>(d);
    auto* colunas = w.currentPage()->findChild<QListWidget*>(QStringLiteral("1034"));
    for (int c : e.colunas) {
      colunas->setCurrentRow(c);
      QTest::keyClick(colunas, Qt::Key_Return);
    }
    plat::SelecionaItem(*w.currentPage(), 1015, e.endereco);
    plat::SelecionaItem(*w.currentPage(), 1016, e.complemento);
    w.next();
    ASSERT_EQ(w.currentPage()->objectName(), "284");
    auto* lista = w.currentPage()->findChild<QListWidget*>(QStringLiteral("1004"));
    if (e.quantitativa >= 0) {
      lista->setCurrentRow(e.quantitativa);
      plat::Pressiona(*w.currentPage(), 1039);
    }
    lista->setCurrentRow(e.dependente);
    plat::Pressiona(*w.currentPage(), 1045);
    w.next();
    ASSERT_EQ(w.currentPage()->objectName(), "288");
    if (!e.senha.isEmpty()) {
      plat::Pressiona(*w.currentPage(), 1045);
      plat::DefineTexto(*w.currentPage(), 1029, e.senha);
      plat::DefineTexto(*w.currentPage(), 1030, e.senha);
    }
    w.button(QWizard::FinishButton)->click();
  });
}

void RoteiroArquivo(const QString& caminho) {
  plat::RoteiroPara(QStringLiteral("dlgSalvarModelo"), [caminho](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(caminho);
    QMetaObject::invokeMethod(&d, "accept");
  });
}

QByteArray Bytes(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
int32_t I32(const QByteArray& b, int off) { int32_t v; std::memcpy(&v, b.constData() + off, 4); return v; }
double F64(const QByteArray& b, int off) { double v; std::memcpy(&v, b.constData() + off, 8); return v; }
QByteArray Texto(const QByteArray& b, int off) { return QByteArray(b.constData() + off); }

class Exportacao : public JanelaConsulta {
protected:
  // A table of 20 sales: the price grows with the area and falls with age.
  CChildFrame* AbreComAmostra() {
    CChildFrame* j = Abre();
    if (!j) return nullptr;
    QString sql = QStringLiteral("create table amostra (endereco text, area real, idade integer, valor real);");
    for (int i = 0; i < 20; ++i) {
      const double area = 50 + 7.5 * i, idade = (i * 7) % 13;
      sql += QStringLiteral("insert into amostra values ('Rua %1, %2', %3, %4, %5);")
                 .arg(QChar('A' + i)).arg(100 + i).arg(area).arg(idade).arg(1000 * area - 800 * idade + 150 * ((i * 5) % 3));
    }
    if (!Roda(j, sql)) return nullptr;
    if (!Roda(j, QStringLiteral("select endereco, valor, area, idade, rowid as ordem from amostra order by rowid"))) return nullptr;
    return j;
  }
};

}  // namespace

TEST_F(Exportacao, ModeloDoTarsolinLidoECalculado) {
  CChildFrame* j = AbreComAmostra();
  ASSERT_TRUE(j);
  ASSERT_EQ(j->TextoPainel(2), "Grade de Res. 1 de 1; 20 lin(s); 5 col(s)");
  // The pane's grid: this program's format, "Casas", the texts.
  frame_->PainelExportacao()->show();
  PropertyGrid* g = frame_->GradePropriedades();
  ASSERT_TRUE(g);
  EXPECT_EQ(frame_->OpcaoExportacao(), 0);
  g->FindItem(QStringLiteral("Modelo do"))->SetConstraintIndex(1);
  g->FindItem(QStringLiteral("Tipologia"))->SetConstraintIndex(2);
  g->FindItem(QStringLiteral("Autor"))->SetValue(QStringLiteral("Avaliadora"));
  g->FindItem(QStringLiteral("Nome Ref."))->SetValue(QStringLiteral("Casas do bairro"));
  g->FindItem(QStringLiteral("Data"))->SetValue(QStringLiteral("05/03/2024"));

  // valor (dependent, chosen first), area, idade (quantitative); address and complement.
  RoteiroAssistente({{1, 2, 3}, 0, 4, 0, 2, QString()});
  const QString caminho = dir_.filePath(QStringLiteral("exportado.tsn"));
  RoteiroArquivo(caminho);
  plat::GravadorMensagens gravador(plat::IDOK);
  EXPECT_TRUE(frame_->Despacha(ID_EXPORTAR_MODELO));
  // The export ends by saying what it wrote.
  EXPECT_EQ(gravador.Textos(), QStringList{QStringLiteral("Modelo exportado para <%1>:\n"
                                                         "3 variáveis, 20 dados (20 considerados no cálculo).")
                                                .arg(caminho)});
  ASSERT_FALSE(gravador.Mensagens().empty());
  EXPECT_EQ(gravador.Mensagens().back().estilo, unsigned(plat::MB_ICONINFORMATION));

  const QByteArray b = Bytes(caminho);
  ASSERT_EQ(b.size(), 583248 + 20 * 2512);
  EXPECT_EQ(b.left(8), "Tarsolin");
  EXPECT_EQ(b.mid(8, 4), " 153");
  EXPECT_EQ(Texto(b, 12), "09664");
  EXPECT_EQ(Texto(b, 20), "Casas do bairro");
  EXPECT_EQ(Texto(b, 101), "Avaliadora");
  EXPECT_EQ(Texto(b, 353), "05/03/2024");
  EXPECT_EQ(I32(b, 364), 2);  // "Casas"
  EXPECT_EQ(Texto(b, 664), "Tarsolin Windows 1.53");
  EXPECT_EQ(I32(b, 1068), 1700);
  EXPECT_EQ(I32(b, 1080), 1440);
  EXPECT_EQ(b[1092], 1);
  EXPECT_EQ(I32(b, 65572), 3);
  EXPECT_EQ(I32(b, 65576), 20);
  EXPECT_EQ(I32(b, 65580), 20);
  EXPECT_EQ(I32(b, 65588), 2);  // the dependent, last
  for (int i = 0; i < 60; ++i) EXPECT_EQ(I32(b, 65592 + 4 * i), 1) << i;
  EXPECT_EQ(I32(b, 67032), 0);
  // The dependent and the last variable changed places with their settings.
  EXPECT_EQ(Texto(b, 1120), "idade");
  EXPECT_EQ(Texto(b, 1120 + 31), "area");
  EXPECT_EQ(Texto(b, 1120 + 62), "valor");
  EXPECT_EQ(I32(b, 40300), 5);
  EXPECT_EQ(I32(b, 40300 + 8), 4);
  EXPECT_EQ(I32(b, 40780), 2);
  EXPECT_EQ(I32(b, 41020 + 8), 1134);
  EXPECT_EQ(I32(b, 41020 + 12), 0);
  EXPECT_EQ(I32(b, 41560), 0);
  EXPECT_EQ(b[408272], 1);
  EXPECT_EQ(I32(b, 408280), 1);
  EXPECT_EQ(b[408295], 1);
  EXPECT_EQ(b[408296], 0);
  EXPECT_EQ(I32(b, 408728), 500);
  EXPECT_EQ(F64(b, 409256), 0.5);
  EXPECT_EQ(F64(b, 409264), 0.0001);
  EXPECT_EQ(F64(b, 410288), -1.0);
  EXPECT_EQ(I32(b, 410416), 30);
  EXPECT_EQ(F64(b, 410432), 5.0);

  // Through the model routines: the file opens, the records hold the row values.
  CabecalhoModelo cab;
  ASSERT_TRUE(LeCabecalhoModelo(caminho, &cab));
  EXPECT_TRUE(ArquivoModeloValido(caminho, cab));
  std::vector<dado> dados(20);
  ASSERT_TRUE(LeRegistrosModelo(caminho, &cab, dados.data(), nullptr));
  const ModeloGrade* grade = j->Grade(1);
  for (int r = 0; r < 20; ++r) {
    double valor, area, idade;
    ConverteCelulaNumero(grade->Celula(r + 1, 1), valor);
    ConverteCelulaNumero(grade->Celula(r + 1, 2), area);
    ConverteCelulaNumero(grade->Celula(r + 1, 3), idade);
    EXPECT_EQ(dados[r].valor[0], idade) << r;
    EXPECT_EQ(dados[r].valor[1], area) << r;
    EXPECT_EQ(dados[r].valor[2], valor) << r;
    EXPECT_EQ(dados[r].valor[3], 0.0);
    EXPECT_EQ(dados[r].Endereco(), grade->Celula(r + 1, 0));
    EXPECT_EQ(dados[r].Complemento(), QString::number(r + 1));
    EXPECT_EQ(dados[r].excluido, 0);
  }
  EXPECT_EQ(dados[1].valor[1], 57.5);  // "57,5" read with the decimal comma

  // The regression library calculates it.
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) { plat::Pressiona(d, 1); });
  int r = -1;
  const QByteArray nome = caminho.toLocal8Bit();
  const auto estado = plat::ChamaModulo(QStringLiteral("Ostrimo.so"), 2, [&](void* f) {
    r = reinterpret_cast<int (*)(const char*)>(f)(nome.constData());
  });
  ASSERT_EQ(estado, plat::EstadoModulo::Chamado);
  EXPECT_EQ(r, 1) << gravador.Textos().join('|').toStdString();
  ASSERT_TRUE(LeCabecalhoModelo(caminho, &cab));
  EXPECT_NE(cab.I32(41560), 0);
}

TEST_F(Exportacao, ModeloProtegidoDoOutroProduto) {
  CChildFrame* j = AbreComAmostra();
  ASSERT_TRUE(j);
  // The pane never shown: the other product's format, the first typology.
  RoteiroAssistente({{1, 2}, 0, 4, 0, -1, QStringLiteral("segredo")});
  const QString caminho = dir_.filePath(QStringLiteral("exportado.zlv"));
  RoteiroArquivo(caminho);
  plat::GravadorMensagens gravador(plat::IDOK);
  EXPECT_TRUE(frame_->Despacha(ID_EXPORTAR_MODELO));
  EXPECT_EQ(gravador.Textos(), QStringList{QStringLiteral("Modelo exportado para <%1>:\n"
                                                         "2 variáveis, 20 dados (20 considerados no cálculo).")
                                                .arg(caminho)});
  const QByteArray b = Bytes(caminho);
  ASSERT_EQ(b.size(), 353072 + 20 * 2056);
  EXPECT_EQ(Texto(b, 0), "Zelvar 1.90");
  EXPECT_EQ(Texto(b, 664), "Zelvar Windows 1.91");
  EXPECT_EQ(I32(b, 364), 1);
  EXPECT_EQ(Texto(b, 1096), "segredo");
  EXPECT_EQ(b[1109], 1);
  EXPECT_EQ(I32(b, 1112), 1);
  EXPECT_EQ(b[1116], 1);
  EXPECT_EQ(I32(b, 44116), 2);
  EXPECT_EQ(I32(b, 44120), 20);
  EXPECT_EQ(I32(b, 44132), 1);
  EXPECT_EQ(Texto(b, 1120), "area");
  EXPECT_EQ(Texto(b, 1151), "valor");
  EXPECT_EQ(I32(b, 274744), 1);
  EXPECT_EQ(F64(b, 275144), 0.01);
  const int r0 = 353072;
  double area;
  ConverteCelulaNumero(j->Grade(1)->Celula(1, 2), area);
  EXPECT_EQ(F64(b, r0), area);
  EXPECT_EQ(Texto(b, r0 + 1120), j->Grade(1)->Celula(1, 0).toLatin1());
  EXPECT_EQ(Texto(b, r0 + 1171), "1");
}

TEST_F(Exportacao, LimiteDeRegistrosPerguntaAntesDeGravar) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  ModeloGrade grade({{QStringLiteral("x"), 10, false}, {QStringLiteral("y"), 10, false}});
  QList<QStringList> linhas;
  for (int i = 0; i < 64001; ++i) linhas << QStringList{QString::number(i % 97), QString::number(i)};
  grade.AcrescentaLinhas(linhas);
  const QString caminho = dir_.filePath(QStringLiteral("grande.tsn"));

  plat::GravadorMensagens gravador(plat::IDNO);
  RoteiroAssistente({{0, 1}, 0, 0, 1, -1, QString()});
  RoteiroArquivo(caminho);
  j->ExportaModelo(ExportaTarsolin, &grade);
  EXPECT_EQ(gravador.Textos(), QStringList{"Somente os primeiros 64.000 dados serão exportados! Deseja continuar?"});
  EXPECT_FALSE(QFileInfo::exists(caminho));  // No writes nothing

  gravador.Responde(plat::IDYES);
  RoteiroAssistente({{0, 1}, 0, 0, 1, -1, QString()});
  RoteiroArquivo(caminho);
  j->ExportaModelo(ExportaTarsolin, &grade);
  ASSERT_EQ(QFileInfo(caminho).size(), 583248LL + 64000LL * 2512);
  CabecalhoModelo cab;
  ASSERT_TRUE(LeCabecalhoModelo(caminho, &cab));
  EXPECT_EQ(cab.I32(65576), 64000);
  EXPECT_EQ(cab.I32(65580), 64000);
  QFile::remove(caminho);

  // The other product's limit is 60,000.
  gravador.Responde(plat::IDNO);
  RoteiroAssistente({{0, 1}, 0, 0, 1, -1, QString()});
  RoteiroArquivo(dir_.filePath(QStringLiteral("grande.zlv")));
  j->ExportaModelo(ExportaZelvar, &grade);
  EXPECT_EQ(gravador.Textos().last(), "Somente os primeiros 60.000 dados serão exportados! Deseja continuar?");
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("grande.zlv"))));
}

TEST_F(Exportacao, NumerosChegamAoArquivoComoOBancoOsDeu) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  // Small, large and long numbers, each the double its literal names.
  const double valores[6] = {1.234e-05, 1.5e-07, 123456789012.5, 2.5e15, -46.63330943891234, 85.123456789012345};
  const char* literais[6] = {"1.234e-05", "1.5e-07", "123456789012.5", "2.5e15", "-46.63330943891234", "85.123456789012345"};
  QString sql = QStringLiteral("create table medidas (endereco text, n integer, v real);");
  for (int i = 0; i < 6; ++i)
    sql += QStringLiteral("insert into medidas values ('Rua %1', %1, %2);").arg(i + 1).arg(QLatin1String(literais[i]));
  ASSERT_TRUE(Roda(j, sql));
  ASSERT_TRUE(Roda(j, QStringLiteral("select endereco, n, v from medidas order by n")));
  EXPECT_EQ(j->Grade(1)->Celula(1, 2), "1,234E-05");  // the grid shows 15 digits

  // v (dependent), n; the dependent goes last.
  RoteiroAssistente({{2, 1}, 0, 0, 0, -1, QString()});
  const QString caminho = dir_.filePath(QStringLiteral("medidas.tsn"));
  RoteiroArquivo(caminho);
  plat::GravadorMensagens gravador(plat::IDNO);
  frame_->PainelExportacao()->show();
  frame_->GradePropriedades()->FindItem(QStringLiteral("Modelo do"))->SetConstraintIndex(1);
  EXPECT_TRUE(frame_->Despacha(ID_EXPORTAR_MODELO));
  EXPECT_EQ(gravador.Textos(), QStringList{QStringLiteral("Modelo exportado para <%1>:\n"
                                                         "2 variáveis, 6 dados (6 considerados no cálculo).")
                                                .arg(caminho)});
  const QByteArray b = Bytes(caminho);
  ASSERT_EQ(b.size(), 583248 + 6 * 2512);
  EXPECT_EQ(Texto(b, 1120 + 31), "v");
  for (int r = 0; r < 6; ++r) {
    const int registro = 583248 + 2512 * r;
    EXPECT_EQ(F64(b, registro), double(r + 1)) << r;
    const double lido = F64(b, registro + 8);
    EXPECT_EQ(std::memcmp(&lido, &valores[r], 8), 0) << literais[r] << " lido " << lido;
  }
}

TEST_F(Exportacao, CelulasSemNumeroPerguntamAntesDeGravar) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  // Columns without a declared type keep texts as texts.
  ASSERT_TRUE(Roda(j, QStringLiteral(
      "create table vendas (endereco, area, preco);"
      "insert into vendas values ('R1', 100, 350000), ('R2', null, 200000), ('R3', '', 1), ('R4', 'abc', 2),"
      "('R5', '12.5', 3), ('R6', '85,5 m2', 4), ('R7', '1e5', 5), ('R8', '1.234,5', 6), ('R9', '1.234', 7)")));
  ASSERT_TRUE(Roda(j, QStringLiteral("select endereco, area, preco from vendas order by endereco")));
  const QString caminho = dir_.filePath(QStringLiteral("vendas.tsn"));
  frame_->PainelExportacao()->show();
  frame_->GradePropriedades()->FindItem(QStringLiteral("Modelo do"))->SetConstraintIndex(1);
  const QString pergunta = QStringLiteral(
      "5 células das variáveis escolhidas não têm número (vazias ou com um texto que não é um número).\n"
      "A primeira está na linha 2, coluna \"area\": \"NULL\".\n"
      "Essas células serão gravadas como 0 e os seus 5 registros serão gravados como excluídos (fora dos cálculos).\n"
      "Deseja continuar?");
  // No, the default: nothing is written.
  plat::GravadorMensagens gravador(plat::IDNO);
  RoteiroAssistente({{1, 2}, 0, 0, 1, -1, QString()});
  RoteiroArquivo(caminho);
  frame_->Despacha(ID_EXPORTAR_MODELO);
  ASSERT_EQ(gravador.Textos(), QStringList{pergunta});
  EXPECT_EQ(gravador.Mensagens().back().estilo, unsigned(plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2));
  EXPECT_FALSE(QFileInfo::exists(caminho));
  // Yes: the numbers as read, 0 in the others, their records excluded.
  gravador.Responde(plat::IDYES);
  RoteiroAssistente({{1, 2}, 0, 0, 1, -1, QString()});
  RoteiroArquivo(caminho);
  frame_->Despacha(ID_EXPORTAR_MODELO);
  EXPECT_EQ(gravador.Textos().last(), QStringLiteral("Modelo exportado para <%1>:\n"
                                                    "2 variáveis, 9 dados (4 considerados no cálculo).")
                                           .arg(caminho));
  const QByteArray b = Bytes(caminho);
  ASSERT_EQ(b.size(), 583248 + 9 * 2512);
  EXPECT_EQ(I32(b, 65576), 9);
  EXPECT_EQ(I32(b, 65580), 4);
  const double areas[9] = {100, 0, 0, 0, 12.5, 0, 1e5, 1234.5, 0};
  const bool excluidos[9] = {false, true, true, true, false, true, false, false, true};
  for (int r = 0; r < 9; ++r) {
    const int registro = 583248 + 2512 * r;
    EXPECT_EQ(F64(b, registro), areas[r]) << r;
    EXPECT_EQ(F64(b, registro + 8), double(r == 0 ? 350000 : r == 1 ? 200000 : r - 1)) << r;
    EXPECT_EQ(b[registro + 1506] != 0, excluidos[r]) << r;
  }
}

TEST(AssistenteExportacao, VerificacoesDasPaginas) {
  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(true);
  ModeloGrade grade({{QStringLiteral("a"), 10, false}, {QStringLiteral("b"), 10, false}, {QStringLiteral("c"), 10, false}});
  CabecalhosExportacao c;
  c.tipo = ExportaTarsolin;
  PreparaCabecalhos(c);
  plat::GravadorMensagens gravador(plat::IDOK);
  CAssistenteExportacao w(c, grade);
  w.show();
  CNomeVariaveis* p1 = w.PaginaNomes();
  auto* colunas = p1->findChild<QListWidget*>(QStringLiteral("1034"));
  ASSERT_EQ(colunas->count(), 3);
  EXPECT_EQ(plat::Texto(*p1, 1044), "Variáveis do modelo - 0");
  colunas->setCurrentRow(0);
  QTest::keyClick(colunas, Qt::Key_Return);
  w.next();
  EXPECT_EQ(w.currentPage(), p1);
  EXPECT_EQ(gravador.Textos().last(), "É necessário definir no mínimo duas variáveis.");
  colunas->setCurrentRow(2);
  QTest::keyClick(colunas, Qt::Key_Return);
  EXPECT_EQ(plat::Texto(*p1, 1044), "Variáveis do modelo - 2");
  w.next();
  ASSERT_EQ(w.currentPage(), w.PaginaTipos());
  EXPECT_EQ(c.Nome(1), "c");
  EXPECT_EQ(c.Tipo(1), 4);
  // A date variable without a date shows 01/01/1997.
  CTipoVariaveis* p2 = w.PaginaTipos();
  p2->findChild<QListWidget*>(QStringLiteral("1004"))->setCurrentRow(1);
  plat::Pressiona(*p2, 1036);
  EXPECT_EQ(c.Tipo(1), 2);
  w.next();
  EXPECT_EQ(w.currentPage(), p2);
  EXPECT_EQ(gravador.Textos().last(), "É necessário definir a Variável Dependente");
  plat::Pressiona(*p2, 1045);
  EXPECT_EQ(c.Dependente(), 1);
  EXPECT_FALSE(plat::Habilitado(*p2, 1040));
  EXPECT_TRUE(plat::Habilitado(*p2, 1124));
  // Back clears every setting of the second page; forward again redefines the defaults.
  w.back();
  EXPECT_EQ(c.NumVariaveis(), 0);
  EXPECT_EQ(c.Dependente(), -1);
  EXPECT_EQ(colunas->count(), 3);  // each column once
  w.next();
  EXPECT_EQ(c.Tipo(1), 4);
  EXPECT_EQ(c.Dependente(), -1);
  p2->findChild<QListWidget*>(QStringLiteral("1004"))->setCurrentRow(0);
  plat::Pressiona(*p2, 1045);
  w.next();
  ASSERT_EQ(w.currentPage(), w.PaginaSenha());
  CSenhaModelo* p3 = w.PaginaSenha();
  plat::Pressiona(*p3, 1045);
  struct { const char* senha; const char* redigite; const char* mensagem; } casos[] = {
      {"12345", "12345", "Senha inválida !"}, {"123456", "123457", "Senha redigitada não confere !"}};
  for (const auto& k : casos) {
    plat::DefineTexto(*p3, 1029, QString::fromLatin1(k.senha));
    plat::DefineTexto(*p3, 1030, QString::fromLatin1(k.redigite));
    EXPECT_FALSE(p3->validatePage());
    EXPECT_EQ(gravador.Textos().last(), QString::fromUtf8(k.mensagem));
  }
  plat::DefineTexto(*p3, 1030, QStringLiteral("123456"));
  EXPECT_TRUE(p3->validatePage());
  // Protected: the dependent is last now, its column with it.
  EXPECT_EQ(c.Dependente(), 1);
  EXPECT_EQ(c.Nome(1), "a");
  EXPECT_EQ(c.Coluna(1), 0);
  EXPECT_EQ(c.Coluna(0), 2);
  EXPECT_EQ(c.Senha(), "123456");
  // A description longer than the field is cut to its 600 bytes.
  c.SetDescricao(0, QString(700, QLatin1Char('d')));
  EXPECT_EQ(c.Descricao(0).size(), 600);
  plat::DefineModoRoteiro(false);
}

// A button changed by its accessible "toggle" action, as an assistive
// technology changes it: no click happens.
void Alterna(QWidget& pagina, int id) {
  QWidget* w = plat::Controle(pagina, id);
  ASSERT_TRUE(w) << id;
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
  ASSERT_TRUE(i && i->actionInterface()) << id;
  ASSERT_TRUE(i->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction())) << id;
  i->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

TEST(AssistenteExportacao, BotoesAlternadosPelaAcessibilidade) {
  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(true);
  ModeloGrade grade({{QStringLiteral("a"), 10, false}, {QStringLiteral("b"), 10, false}});
  CabecalhosExportacao c;
  c.tipo = ExportaTarsolin;
  PreparaCabecalhos(c);
  plat::GravadorMensagens gravador(plat::IDOK);
  CAssistenteExportacao w(c, grade);
  w.show();
  auto* colunas = w.PaginaNomes()->findChild<QListWidget*>(QStringLiteral("1034"));
  for (int k : {0, 1}) {
    colunas->setCurrentRow(k);
    QTest::keyClick(colunas, Qt::Key_Return);
  }
  w.next();
  CTipoVariaveis* p2 = w.PaginaTipos();
  ASSERT_EQ(w.currentPage(), p2);
  p2->findChild<QListWidget*>(QStringLiteral("1004"))->setCurrentRow(0);
  Alterna(*p2, 1039);  // Quantitativa
  Alterna(*p2, 1042);  // Negativo
  EXPECT_EQ(c.Tipo(0), 5);
  EXPECT_EQ(c.Relacao(0), 1);
  p2->findChild<QListWidget*>(QStringLiteral("1004"))->setCurrentRow(1);
  Alterna(*p2, 1045);  // Variável Dependente
  EXPECT_EQ(c.Dependente(), 1);
  Alterna(*p2, 1124);  // Unitário
  EXPECT_TRUE(c.Unitario());
  w.next();
  EXPECT_TRUE(gravador.Textos().isEmpty()) << gravador.Textos().join('|').toStdString();
  CSenhaModelo* p3 = w.PaginaSenha();
  ASSERT_EQ(w.currentPage(), p3);
  Alterna(*p3, 1045);  // Modelo protegido por Senha
  EXPECT_TRUE(c.Protegido());
  EXPECT_TRUE(plat::Habilitado(*p3, 1029));
  Alterna(*p3, 1036);  // Acesso completo
  EXPECT_EQ(c.ModoAcesso(), 2);
  // Coming back to the page keeps what was chosen.
  w.back();
  w.next();
  EXPECT_TRUE(c.Protegido());
  EXPECT_EQ(c.ModoAcesso(), 2);
  plat::DefineModoRoteiro(false);
}

TEST(ExportacaoModelo, TipologiasNosCodigosDoPrograma) {
  ASSERT_EQ(Tipologias().size(), 11);
  const int esperados[11] = {1, 7, 2, 4, 3, 5, 7, 2, 6, 6, 7};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(CodigoTipoImovel(i + 1), esperados[i]) << Tipologias()[i].toStdString();
}
