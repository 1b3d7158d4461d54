// The regression library as the program uses it: loaded from the program
// folder, called by ordinal on a model file, unloaded; its dialogs driven by
// their object names.
#include "tests/support/Arquivos.h"
#include "tests/support/OutraInstancia.h"
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "model/TabelasEstatisticas.h"
#include "model/dado.h"
#include "model/dadoP.h"
#include "modules/regression/engine/BuscaTransformacoes.h"
#include "modules/regression/engine/EstatisticasEquacao.h"
#include "modules/regression/engine/ListaEquacoes.h"
#include "modules/regression/engine/Transformacao.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"

#include <QApplication>
#include <QDir>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include <newmat.h>
#include <newmatap.h>

namespace {

// Header offsets the tests read.
constexpr std::size_t OffMetodoOpcao = 408280, OffVarDW = 408284, OffReconsiderar = 408289,
                      OffPermitidos = 408292;

// A small model: three variables (x1, x2 and the dependent y), all enabled,
// positive values with y growing with ln(x1) and with x2.
struct Modelo {
  std::unique_ptr<CabecalhoModelo> cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados;
  std::vector<dadoP> dadosP;
  static constexpr int NumVars = 3;

  explicit Modelo(int n = 24) {
    cab->Zera();
    cab->MarcaFormato();
    cab->SetNumVariaveis(NumVars);
    const char* nomes[NumVars] = {"Area", "Idade", "Valor"};
    for (int v = 0; v < NumVars; ++v) {
      cab->SetNomeVariavel(v, QString::fromLatin1(nomes[v]));
      cab->SetHabilitada(v, true);
      cab->SetTransformacao(v, 0, 1);
    }
    cab->SetDependente(NumVars - 1);
    cab->SetNumDados(n);
    cab->SetNumConsiderados(n);
    dados.assign(std::size_t(n), dado{});
    for (int i = 0; i < n; ++i) {
      const double x1 = 1.0 + 0.7 * i + 0.3 * std::sin(1.3 * i);
      const double x2 = 2.0 + std::fmod(5.0 * i, 7.0);
      dados[i].valor[0] = x1;
      dados[i].valor[1] = x2;
      dados[i].valor[2] = 3.0 + 2.0 * std::log(x1) + 0.4 * x2 + 0.2 * std::cos(2.1 * i);
    }
  }
  void Exclui(int i) {
    dados[i].excluido = 1;
    cab->SetNumConsiderados(cab->NumConsiderados() - 1);
  }
  bool Grava(const QString& caminho) {
    NEWMAT::Matrix w;
    return GravaArquivoModelo(caminho, cab.get(), dados.data(), dadosP.empty() ? nullptr : dadosP.data(), w);
  }
  // Appraisal records, validation records and the stored elements of a W the
  // file still holds (a model created and not reopened since); `espacial`
  // marks the spatial model calculated as well.
  bool GravaCompleto(const QString& caminho, bool espacial) {
    dadosP.assign(3, dadoP{});
    for (int i = 0; i < 3; ++i) {
      dadosP[i].valor[0] = 2.0 + i;
      dadosP[i].valor[1] = 3.0;
      dadosP[i].valor[2] = 99.0;  // an estimate the library keeps
    }
    cab->SetNumDadosP(3);
    dados[3].validacao = 1;
    dados[3].excluido = 1;
    cab->SetNumConsiderados(cab->NumConsiderados() - 1);
    cab->SetNumValidacao(1);
    for (dado& d : dados) d.SetEndereco(QStringLiteral("Rua Um"));
    cab->SetU8(CabecalhoModelo::OffSemElementosW, 0);
    cab->SetI32(CabecalhoModelo::OffEspacialCalculado, espacial ? 1 : 0);
    const int n = int(dados.size());
    NEWMAT::Matrix w(n, n);
    w = 0.0;
    for (int i = 1; i < n; ++i) w(i, i + 1) = w(i + 1, i) = 1.0 / i;
    w(1, n) = std::numeric_limits<double>::quiet_NaN();  // a NaN is stored as it is
    return GravaArquivoModelo(caminho, cab.get(), dados.data(), dadosP.data(), w);
  }
  // The considered rows of the enabled variables, column-major, as the engine takes them.
  std::vector<double> Colunas(int& k, int& n) const {
    std::vector<int> vars;
    for (int v = 0; v < NumVars; ++v)
      if (cab->Habilitada(v)) vars.push_back(v);
    std::vector<const dado*> linhas;
    for (const dado& d : dados)
      if (d.excluido == 0) linhas.push_back(&d);
    k = int(vars.size());
    n = int(linhas.size());
    std::vector<double> col(std::size_t(k) * n);
    for (int p = 0; p < k; ++p)
      for (int i = 0; i < n; ++i) col[std::size_t(p) * n + i] = linhas[i]->valor[vars[p]];
    return col;
  }
};

QByteArray Conteudo(const QString& caminho) { return teste::LeArquivo(caminho); }

std::unique_ptr<CabecalhoModelo> LeCabecalho(const QString& caminho) {
  auto cab = std::make_unique<CabecalhoModelo>();
  EXPECT_TRUE(LeCabecalhoModelo(caminho, cab.get()));
  return cab;
}

std::vector<dado> LeDados(const QString& caminho, const CabecalhoModelo& cab) {
  std::vector<dado> d(std::size_t(cab.NumDados()));
  std::vector<dadoP> p(std::size_t(cab.NumDadosP()));
  NEWMAT::Matrix w;
  EXPECT_TRUE(LeRegistrosModelo(caminho, &cab, d.data(), p.data(), w));
  return d;
}

// Loads the library, calls `ordinal` with the path, unloads; -1 when it was not called.
int Chama(int ordinal, const QString& caminho) {
  int r = -1;
  const QByteArray bytes = caminho.toLocal8Bit();
  const plat::EstadoModulo estado = plat::ChamaModulo(QStringLiteral("Ostrimo.so"), ordinal, [&](void* f) {
    r = reinterpret_cast<int (*)(const char*)>(f)(bytes.constData());
  });
  EXPECT_EQ(estado, plat::EstadoModulo::Chamado) << plat::UltimoErroModulo().toStdString();
  return r;
}

class TabelasPrograma : public ostrimo::TabelasEstatisticas {
public:
  double Significancia(double nu, double t) override { return SignificanciaStudent(nu, t); }
  double ConfiancaF(double f, int k, int n) override { return ConfiancaSnedecor(f, k, n); }
};

// The engine's statistics of the considered rows of `m` under `codigos`, as
// the library runs them (the program folder's tables, Durbin-Watson off);
// null when the engine does not conclude.
std::unique_ptr<ostrimo::ResultadoEquacao> Motor(const Modelo& m, const int* codigos) {
  int k = 0, n = 0;
  const std::vector<double> col = m.Colunas(k, n);
  ostrimo::OrdenacaoDW ordem;
  TabelasPrograma tabelas;
  ostrimo::EstatisticasEquacao est;
  auto res = std::make_unique<ostrimo::ResultadoEquacao>();
  if (est.Calcula(ostrimo::DadosBusca{k, n, col.data()}, codigos, 0, ordem, tabelas, *res) !=
      ostrimo::EstatisticasEquacao::Concluida)
    return nullptr;
  return res;
}

class Ostrimo : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    caminho_ = dir_.filePath(QStringLiteral("modelo.tar"));
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
  }
  void TearDown() override {
    plat::LimpaRoteiros();
    // Nothing of the library may outlive its call.
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  }
  QTemporaryDir dir_;
  QString caminho_;
  plat::GravadorMensagens mensagens_;
};

TEST_F(Ostrimo, UnknownOrdinalIsRefused) {
  const plat::EstadoModulo e = plat::ChamaModulo(QStringLiteral("Ostrimo.so"), 3, [](void*) {});
  EXPECT_EQ(e, plat::EstadoModulo::SemOrdinal);
}

// Ordinal 1 recomputes the stored equation: with codes ln, x, ln the file holds
// method 3, one equation, and the engine's statistics for those codes.
TEST_F(Ostrimo, DirectedRecomputesStoredEquation) {
  Modelo m;
  m.cab->SetTransformacao(0, 0, 3);
  m.cab->SetTransformacao(1, 0, 1);
  m.cab->SetTransformacao(2, 0, 3);
  m.cab->SetTransformacao(7, 0, 5);  // a stale code past the model's variables
  m.Exclui(5);  // an excluded row keeps its residual
  m.dados[5].residuo[0] = 123.0;
  ASSERT_TRUE(m.Grava(caminho_));

  ASSERT_EQ(Chama(1, caminho_), 1);
  EXPECT_TRUE(mensagens_.Mensagens().empty());
  auto cab = LeCabecalho(caminho_);
  EXPECT_EQ(cab->EstadoCalculo(), 3);
  EXPECT_EQ(cab->NumEquacoes(), 1);
  EXPECT_EQ(cab->EquacaoCorrente(), 0);
  EXPECT_EQ(cab->I32(CabecalhoModelo::OffEspacialCalculado), 0);
  EXPECT_EQ(cab->Transformacao(0, 0), 3);
  EXPECT_EQ(cab->Transformacao(1, 0), 1);
  EXPECT_EQ(cab->Transformacao(2, 0), 3);
  EXPECT_EQ(cab->Transformacao(7, 0), 0);

  // The engine on the same rows.
  int k = 0, n = 0;
  const std::vector<double> col = m.Colunas(k, n);
  const int codigos[3] = {3, 1, 3};
  const auto res = Motor(m, codigos);
  ASSERT_NE(res, nullptr);
  for (int v = 0; v < 3; ++v) {
    EXPECT_DOUBLE_EQ(cab->F64VE(CabecalhoModelo::OffCoeficientes, v, 0), res->coeficiente[v]) << v;
    EXPECT_DOUBLE_EQ(cab->F64VE(CabecalhoModelo::OffEstatisticaT, v, 0), res->t[v]) << v;
    EXPECT_DOUBLE_EQ(cab->F64VE(CabecalhoModelo::OffSignificancias, v, 0), res->confianca[v]) << v;
    EXPECT_DOUBLE_EQ(cab->F64VE(CabecalhoModelo::OffVariacaoPercentual, v, 0), res->crescimento[v]) << v;
  }
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffCorrelacao), res->r);
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffEstatisticasEquacao), res->rOriginal);
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffF), res->f);
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffErroPadrao), res->s);
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffErroPadraoOriginal), res->sOriginal);
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffConfiancaF), res->confiancaF);
  EXPECT_DOUBLE_EQ(cab->F64VE(CabecalhoModelo::OffEstatisticasEquacao, 3, 0), -1.0);  // test off
  EXPECT_EQ(cab->I32(CabecalhoModelo::OffPercentual1), res->ate1);
  EXPECT_EQ(cab->I32(CabecalhoModelo::OffForaDe2), res->acima2);

  // Independently: least squares of ln y on ln x1, x2 and a column of ones.
  NEWMAT::Matrix X(n, 3);
  NEWMAT::ColumnVector Y(n);
  for (int i = 0; i < n; ++i) {
    X(i + 1, 1) = std::log(col[i]);
    X(i + 1, 2) = col[std::size_t(n) + i];
    X(i + 1, 3) = 1.0;
    Y(i + 1) = std::log(col[2 * std::size_t(n) + i]);
  }
  const NEWMAT::ColumnVector b = (X.t() * X).i() * (X.t() * Y);
  for (int v = 0; v < 3; ++v)
    EXPECT_NEAR(cab->F64VE(CabecalhoModelo::OffCoeficientes, v, 0), b(v + 1), 1e-9 * (1.0 + std::fabs(b(v + 1))));

  // Residuals go to the considered rows only.
  const std::vector<dado> lidos = LeDados(caminho_, *cab);
  EXPECT_EQ(lidos[5].residuo[0], 123.0);
  const NEWMAT::ColumnVector r = Y - X * b;
  EXPECT_NEAR(lidos[0].residuo[0], r(1), 1e-9);
  EXPECT_NEAR(lidos[6].residuo[0], r(6), 1e-9);
}

// A stored code 0 ("Auto") is searched; the file never keeps a 0 for an enabled variable.
TEST_F(Ostrimo, DirectedSearchesAutoCodes) {
  Modelo m;
  m.cab->SetTransformacao(0, 0, 0);
  ASSERT_TRUE(m.Grava(caminho_));
  ASSERT_EQ(Chama(1, caminho_), 1);
  auto cab = LeCabecalho(caminho_);

  const int codigos[3] = {0, 1, 1};
  const auto res = Motor(m, codigos);
  ASSERT_NE(res, nullptr);
  EXPECT_GE(cab->Transformacao(0, 0), 1);
  EXPECT_EQ(cab->Transformacao(0, 0), res->codigos[0]);
  EXPECT_EQ(cab->Transformacao(1, 0), 1);
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffCorrelacao), res->r);
}

// Durbin-Watson in a recomputation: the stored ordering variable is a variable
// index, turned into its position by counting the enabled variables before it
// (Area disabled: Idade is position 0, whether Idade itself or Area was
// stored); the rows follow that variable's raw values.
TEST_F(Ostrimo, DirectedDurbinWatsonOrdersByStoredVariable) {
  struct Caso {
    const char* nome;
    int armazenada;
  };
  for (const Caso& caso : {Caso{"stored variable enabled", 1}, Caso{"stored variable disabled", 0}}) {
    SCOPED_TRACE(caso.nome);
    Modelo m;
    m.cab->SetHabilitada(0, false);
    m.cab->SetU8(408290, 1);
    m.cab->SetI32(CabecalhoModelo::OffVariavelDurbinWatson, caso.armazenada);
    ASSERT_TRUE(m.Grava(caminho_));
    ASSERT_EQ(Chama(1, caminho_), 1);
    auto cab = LeCabecalho(caminho_);
    EXPECT_EQ(cab->I32(CabecalhoModelo::OffVariavelDurbinWatson), 1);
    EXPECT_EQ(cab->Transformacao(0, 0), 0);  // disabled
    const std::vector<dado> lidos = LeDados(caminho_, *cab);
    std::vector<int> ordem(lidos.size());
    for (std::size_t i = 0; i < ordem.size(); ++i) ordem[i] = int(i);
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&](int a, int b) { return lidos[a].valor[1] < lidos[b].valor[1]; });
    double num = 0.0, den = 0.0;
    for (std::size_t i = 0; i < ordem.size(); ++i) {
      const double r = lidos[ordem[i]].residuo[0];
      den += r * r;
      if (i > 0) num += std::pow(r - lidos[ordem[i - 1]].residuo[0], 2);
    }
    const double dw = cab->F64VE(CabecalhoModelo::OffEstatisticasEquacao, 3, 0);
    EXPECT_NEAR(dw, num / den, 1e-9 * (num / den));
  }
}

// Ordinal 2 with "Geral" and only "ln(x)" besides "x" keeps the engine's list.
TEST_F(Ostrimo, GeneralSearchKeepsEngineList) {
  Modelo m;
  m.cab->SetI32(CabecalhoModelo::OffEspacialCalculado, 1);
  m.cab->SetEquacaoCorrente(7);
  ASSERT_TRUE(m.Grava(caminho_));
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1030, true);
    for (int id : {1016, 1018, 1019, 1021, 1022}) plat::DefineMarcado(d, id, false);
    plat::DefineMarcado(d, 1017, true);
    // The buttons carry the library's icons, grey at rest.
    auto* calcular = qobject_cast<QPushButton*>(plat::Controle(d, 1));
    ASSERT_NE(calcular, nullptr);
    EXPECT_STREQ(calcular->metaObject()->className(), "CHoverButton");
    const QImage face = calcular->grab().toImage().convertToFormat(QImage::Format_RGB32);
    bool cinza = false;  // the grey of the sigma's blue, 0.299·26 + 0.587·60 + 0.114·140 = 58.95
    for (int y = 0; y < face.height() && !cinza; ++y)
      for (int x = 0; x < face.width() && !cinza; ++x) cinza = face.pixel(x, y) == qRgb(58, 58, 58);
    EXPECT_TRUE(cinza);
    plat::Pressiona(d, 1);
  });
  ASSERT_EQ(Chama(2, caminho_), 1);
  EXPECT_TRUE(mensagens_.Mensagens().empty());

  int k = 0, n = 0;
  const std::vector<double> col = m.Colunas(k, n);
  ostrimo::OpcoesBusca op;
  op.metodo = 1;
  op.permitido[1] = op.permitido[3] = 1;
  ostrimo::ListaEquacoes lista;
  ostrimo::BuscaTransformacoes busca;
  ASSERT_EQ(busca.Executa(ostrimo::DadosBusca{k, n, col.data()}, op, &lista),
            ostrimo::BuscaTransformacoes::Concluida);

  auto cab = LeCabecalho(caminho_);
  ASSERT_EQ(cab->NumEquacoes(), lista.Quantidade());
  EXPECT_EQ(lista.Quantidade(), 8);  // 2^3 combinations, all distinct
  EXPECT_EQ(cab->EstadoCalculo(), busca.Metodo());
  EXPECT_EQ(cab->EquacaoCorrente(), 0);
  EXPECT_EQ(cab->I32(CabecalhoModelo::OffEspacialCalculado), 0);
  for (int e = 0; e < lista.Quantidade(); ++e) {
    for (int v = 0; v < 3; ++v) EXPECT_EQ(cab->Transformacao(v, e), lista[e].codigo[v]) << e << " " << v;
    EXPECT_NEAR(cab->F64(CabecalhoModelo::OffCorrelacao + 8 * e), lista[e].criterio, 1e-12) << e;
  }
  // The options chosen are stored.
  EXPECT_EQ(cab->I32(OffMetodoOpcao), 1);
  const unsigned char permitidos[8] = {0, 1, 0, 1, 0, 0, 0, 0};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(cab->U8(OffPermitidos + c), permitidos[c]) << c;
}

// Paints of the progress window's texts while a call runs, by what they showed.
class PinturasProgresso : public QObject {
public:
  QStringList textos;
protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint)
      if (auto* w = qobject_cast<QLabel*>(o); w && w->window()->objectName() == QLatin1String("dlg134"))
        textos << w->objectName() + QLatin1Char('=') + w->text();
    return false;
  }
};

// The progress window shows itself while the calculation runs, without the
// caller's event loop: its legend and best criterion reach the screen.
TEST_F(Ostrimo, ProgressWindowPaintsWhileCalculating) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1030, true);
    plat::Pressiona(d, 1);
  });
  PinturasProgresso pinturas;
  qApp->installEventFilter(&pinturas);
  const int r = Chama(2, caminho_);
  qApp->removeEventFilter(&pinturas);
  ASSERT_EQ(r, 1);
  const QString textos = pinturas.textos.join(QLatin1Char('|'));
  EXPECT_TRUE(textos.contains(QString::fromUtf8("1031=Coeficiente Correlação Máximo :"))) << textos.toStdString();
  EXPECT_TRUE(textos.contains(QRegularExpression(QStringLiteral("1029=0,\\d{9}")))) << textos.toStdString();
  EXPECT_TRUE(textos.contains(QString::fromUtf8("1031=Gerando Resultados Estatísticos !"))) << textos.toStdString();
}

TEST_F(Ostrimo, CloseLeavesFileUnchanged) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  const QByteArray antes = Conteudo(caminho_);
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1032, true);  // edits the private copy only
    plat::DefineMarcado(d, 1027, true);
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(Chama(2, caminho_), 0);
  EXPECT_EQ(Conteudo(caminho_), antes);
}

// The dialog's opening state: 1072 disabled with every row considered, and
// the Durbin-Watson combo on the last enabled variable whatever 408284 held.
TEST_F(Ostrimo, OptionsDialogOpeningState) {
  Modelo m;
  m.cab->SetHabilitada(1, false);  // the combo lists the enabled variables only
  m.cab->SetU8(OffReconsiderar, 1);
  m.cab->SetI32(OffVarDW, 0);
  m.cab->SetI32(OffMetodoOpcao, 2);
  ASSERT_TRUE(m.Grava(caminho_));
  bool visto = false;
  plat::RoteiroPara(QStringLiteral("dlg142"), [&](QDialog& d) {
    visto = true;
    EXPECT_FALSE(plat::Habilitado(d, 1072));
    EXPECT_FALSE(plat::Marcado(d, 1072));
    EXPECT_EQ(plat::Texto(d, 1001), QStringLiteral("Valor"));
    EXPECT_TRUE(plat::Marcado(d, 1031));
    EXPECT_FALSE(plat::Habilitado(d, 1037));
    EXPECT_TRUE(plat::Habilitado(d, 1016));
    plat::DefineMarcado(d, 1017, true);
    plat::Pressiona(d, 1);
  });
  ASSERT_EQ(Chama(2, caminho_), 1);
  ASSERT_TRUE(visto);
  auto cab = LeCabecalho(caminho_);
  EXPECT_EQ(cab->U8(OffReconsiderar), 0);
  EXPECT_EQ(cab->I32(OffVarDW), -1);  // test off
}

// The method and criterion radios open on what the header holds; a method
// value the dialog does not know opens as "&Geral" and calculates as such.
struct CasoAbertura {
  const char* nome;
  int metodo, criterio;
  int radio;               // the method radio checked
  bool dirigidoHabilitado;  // group 1037 and its lists
  int radioCriterio;       // the criterion radio checked
  int metodoGravado;       // method stored after "&Calcular"
};

class AberturaOpcoes : public Ostrimo, public ::testing::WithParamInterface<CasoAbertura> {};

TEST_P(AberturaOpcoes, RadiosFollowHeader) {
  const CasoAbertura& c = GetParam();
  Modelo m;
  m.cab->SetI32(OffMetodoOpcao, c.metodo);
  m.cab->SetU8(OffMetodoOpcao + 11, static_cast<uint8_t>(c.criterio));
  ASSERT_TRUE(m.Grava(caminho_));
  plat::RoteiroPara(QStringLiteral("dlg142"), [&](QDialog& d) {
    for (int id : {1030, 1031, 1032}) EXPECT_EQ(plat::Marcado(d, id), id == c.radio) << id;
    for (int id : {1037, 1008, 1036, 1007, 1005, 1024}) EXPECT_EQ(plat::Habilitado(d, id), c.dirigidoHabilitado) << id;
    for (int id : {1016, 1022, 1033, 1034}) EXPECT_EQ(plat::Habilitado(d, id), !c.dirigidoHabilitado) << id;
    EXPECT_TRUE(plat::Marcado(d, c.radioCriterio));
    plat::Pressiona(d, 1);
  });
  ASSERT_EQ(Chama(2, caminho_), 1);
  auto cab = LeCabecalho(caminho_);
  EXPECT_EQ(cab->I32(OffMetodoOpcao), c.metodoGravado);
  EXPECT_EQ(cab->U8(OffMetodoOpcao + 11), c.radioCriterio == 1034 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ostrimo, AberturaOpcoes,
    ::testing::Values(CasoAbertura{"General", 1, 1, 1030, false, 1034, 1},
                      CasoAbertura{"Simplified", 2, 0, 1031, false, 1033, 2},
                      CasoAbertura{"DirectedForcesRegression", 3, 1, 1032, true, 1033, 3},
                      CasoAbertura{"UnknownMethodIsGeneral", 0, 0, 1030, false, 1033, 1}),
    [](const auto& info) { return std::string(info.param.nome); });

// The directed method in the dialog: the chosen codes become the equation.
TEST_F(Ostrimo, DirectedMethodFromDialog) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1032, true);
    EXPECT_TRUE(plat::Habilitado(d, 1037));
    EXPECT_FALSE(plat::Habilitado(d, 1016));
    EXPECT_FALSE(plat::Habilitado(d, 1034));
    plat::Pressiona(d, 1002);     // every variable "x"
    plat::SelecionaItem(d, 1008, 0);
    plat::SelecionaItem(d, 1007, 3);  // Area: ln(x)
    plat::SelecionaItem(d, 1036, 2);
    plat::SelecionaItem(d, 1007, 3);  // Valor: ln(x)
    plat::DefineMarcado(d, 1027, true);
    plat::Pressiona(d, 1);
  });
  PinturasProgresso pinturas;  // no search and no statistics phase: no progress window
  qApp->installEventFilter(&pinturas);
  const int r = Chama(2, caminho_);
  qApp->removeEventFilter(&pinturas);
  ASSERT_EQ(r, 1);
  EXPECT_TRUE(pinturas.textos.isEmpty()) << pinturas.textos.join(QLatin1Char('|')).toStdString();
  auto cab = LeCabecalho(caminho_);
  EXPECT_EQ(cab->EstadoCalculo(), 3);
  EXPECT_EQ(cab->NumEquacoes(), 1);
  EXPECT_EQ(cab->Transformacao(0, 0), 3);
  EXPECT_EQ(cab->Transformacao(1, 0), 1);
  EXPECT_EQ(cab->Transformacao(2, 0), 3);
  EXPECT_EQ(cab->I32(OffVarDW), 2);
  EXPECT_EQ(cab->I32(CabecalhoModelo::OffVariavelDurbinWatson), 2);
  EXPECT_NE(cab->F64VE(CabecalhoModelo::OffEstatisticasEquacao, 3, 0), -1.0);
}

// Analysis: a constant variable with "&Não calcular..." checked leaves only "&Cancelar".
TEST_F(Ostrimo, AnalysisOfConstantVariable) {
  Modelo m;
  for (dado& d : m.dados) d.valor[1] = 4.0;
  ASSERT_TRUE(m.Grava(caminho_));
  const QByteArray antes = Conteudo(caminho_);
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1026, true);
    plat::Pressiona(d, 1);
  });
  bool visto = false;
  plat::RoteiroPara(QStringLiteral("dlg132"), [&](QDialog& d) {
    visto = true;
    plat::Pressiona(d, 1);
    EXPECT_TRUE(plat::Controle(d, 1)->isHidden());
    EXPECT_TRUE(plat::Controle(d, 1026)->isHidden());
    EXPECT_FALSE(plat::Controle(d, 2)->isHidden());
    EXPECT_EQ(plat::Texto(d, 1000), QStringLiteral("Analisando a variável Area.  OK !\n"
                                                   "Analisando a variável Idade.  Apresenta valores constantes !\n"
                                                   "Analisando a variável Valor.  OK !\n"));
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(Chama(2, caminho_), 0);
  EXPECT_TRUE(visto);
  EXPECT_EQ(Conteudo(caminho_), antes);
}

// With "&Não calcular em caso de inconsistências" cleared, a constant variable
// still lets the user go on.
TEST_F(Ostrimo, AnalysisOfConstantVariableUncheckedMayGoOn) {
  Modelo m;
  for (dado& d : m.dados) d.valor[0] = 4.0;
  ASSERT_TRUE(m.Grava(caminho_));
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1026, true);
    plat::Pressiona(d, 1);
  });
  bool visto = false;
  plat::RoteiroPara(QStringLiteral("dlg132"), [&](QDialog& d) {
    visto = true;
    EXPECT_TRUE(plat::Marcado(d, 1026));  // checked when the dialog opens
    plat::DefineMarcado(d, 1026, false);
    plat::Pressiona(d, 1);
    EXPECT_FALSE(plat::Controle(d, 1)->isHidden());
    EXPECT_EQ(plat::Texto(d, 1), QStringLiteral("C&oncluir"));
    EXPECT_TRUE(plat::Controle(d, 1026)->isHidden());
    EXPECT_TRUE(plat::Texto(d, 1000).startsWith(
        QString::fromUtf8("Analisando a variável Area.  Apresenta valores constantes !\n")));
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(Chama(2, caminho_), 0);
  EXPECT_TRUE(visto);
}

TEST_F(Ostrimo, AnalysisWithoutInconsistencyConcludes) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1026, true);
    plat::Pressiona(d, 1);
  });
  plat::RoteiroPara(QStringLiteral("dlg132"), [](QDialog& d) {
    plat::Pressiona(d, 1);
    EXPECT_EQ(plat::Texto(d, 1), QStringLiteral("C&oncluir"));
    EXPECT_TRUE(plat::Controle(d, 1026)->isHidden());
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(2, caminho_), 1);
  EXPECT_GT(LeCabecalho(caminho_)->NumEquacoes(), 0);
}

// Reconsider brings excluded rows back, but not the validation sample.
TEST_F(Ostrimo, ReconsiderKeepsValidationHeldOut) {
  Modelo m;
  m.Exclui(3);
  m.Exclui(4);
  m.dados[4].validacao = 1;
  ASSERT_TRUE(m.Grava(caminho_));
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    EXPECT_TRUE(plat::Habilitado(d, 1072));
    plat::DefineMarcado(d, 1072, true);
    plat::Pressiona(d, 1);
  });
  ASSERT_EQ(Chama(2, caminho_), 1);
  auto cab = LeCabecalho(caminho_);
  EXPECT_EQ(cab->NumConsiderados(), 23);
  const std::vector<dado> lidos = LeDados(caminho_, *cab);
  EXPECT_EQ(lidos[3].excluido, 0);
  EXPECT_EQ(lidos[4].excluido, 1);
}

// The checks the caller should have made, repeated by the library.
struct CasoVerificacao {
  const char* nome;
  void (*prepara)(Modelo&);
  const char* mensagem;
};

class VerificacoesDirigido : public Ostrimo, public ::testing::WithParamInterface<CasoVerificacao> {};

TEST_P(VerificacoesDirigido, RefusedWithCallersMessage) {
  Modelo m(4);
  GetParam().prepara(m);
  ASSERT_TRUE(m.Grava(caminho_));
  const QByteArray antes = Conteudo(caminho_);
  EXPECT_EQ(Chama(1, caminho_), 0);
  EXPECT_EQ(mensagens_.Textos(), QStringList{QString::fromUtf8(GetParam().mensagem)});
  EXPECT_EQ(Conteudo(caminho_), antes);
}

INSTANTIATE_TEST_SUITE_P(
    Ostrimo, VerificacoesDirigido,
    ::testing::Values(
        CasoVerificacao{"DependentDisabled", [](Modelo& m) { m.cab->SetHabilitada(2, false); },
                        "A variável dependente não está habilitada !"},
        CasoVerificacao{"OneVariable",
                        [](Modelo& m) {
                          m.cab->SetHabilitada(0, false);
                          m.cab->SetHabilitada(1, false);
                        },
                        "Número de variáveis insuficiente ! "},
        CasoVerificacao{"TooFewRows", [](Modelo& m) { m.Exclui(0); }, "Número de dados insuficiente !"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Ostrimo, IndeterminateEquationReported) {
  Modelo m;
  for (dado& d : m.dados) d.valor[1] = d.valor[0];  // two identical regressors
  ASSERT_TRUE(m.Grava(caminho_));
  const QByteArray antes = Conteudo(caminho_);
  EXPECT_EQ(Chama(1, caminho_), 0);
  ASSERT_EQ(mensagens_.Mensagens().size(), 1u);
  EXPECT_EQ(mensagens_.Mensagens()[0].texto, QStringLiteral("Cálculo indeterminado !"));
  EXPECT_EQ(mensagens_.Mensagens()[0].titulo, QStringLiteral("Tarsolin Windows"));
  EXPECT_EQ(mensagens_.Mensagens()[0].estilo & 0xF0u, unsigned(plat::MB_ICONERROR));
  EXPECT_EQ(Conteudo(caminho_), antes);
}

// A failed final write is a failure the user is told of, and the old file stays whole.
TEST_F(Ostrimo, FailedWriteReturnsFalse) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  const QByteArray antes = Conteudo(caminho_);
  plat::SimulaFalhaGravacao(4096);
  const int r = Chama(1, caminho_);
  plat::SimulaFalhaGravacao(-1);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Conteudo(caminho_), antes);
  EXPECT_EQ(mensagens_.Textos(),
            QStringList{QString::fromUtf8("Não foi possível salvar o arquivo %1.\nNão há espaço livre no disco.")
                            .arg(QDir::toNativeSeparators(caminho_))});
}

// Another model put at the path while the library runs (during the options,
// before the records are read; during the analysis, after): nothing is
// written, the other model stays byte for byte, and the user is told.
TEST_F(Ostrimo, ModelReplacedWhileRunningIsNotWritten) {
  for (bool naAnalise : {false, true}) {
    SCOPED_TRACE(naAnalise ? "during the analysis" : "during the options");
    Modelo a;
    ASSERT_TRUE(a.Grava(caminho_));
    Modelo b;
    for (dado& d : b.dados) d.valor[2] += 5.0;
    const QString outro = dir_.filePath(QStringLiteral("outro.tar"));
    ASSERT_TRUE(b.Grava(outro));
    const QByteArray deOutro = Conteudo(outro);
    auto substitui = [&] {
      ASSERT_EQ(::rename(QFile::encodeName(outro).constData(), QFile::encodeName(caminho_).constData()), 0);
    };
    plat::RoteiroPara(QStringLiteral("dlg142"), [&](QDialog& d) {
      if (!naAnalise) substitui();
      plat::DefineMarcado(d, naAnalise ? 1026 : 1030, true);
      plat::Pressiona(d, 1);
    });
    if (naAnalise)
      plat::RoteiroPara(QStringLiteral("dlg132"), [&](QDialog& d) {
        substitui();
        plat::Pressiona(d, 1);
        plat::Pressiona(d, 1);
      });
    plat::GravadorMensagens mensagens;
    EXPECT_EQ(Chama(2, caminho_), 0);
    EXPECT_EQ(Conteudo(caminho_), deOutro);
    EXPECT_EQ(mensagens.Textos(),
              QStringList{QString::fromUtf8("O arquivo %1 foi alterado por outro programa depois que o modelo foi "
                                            "lido. Nada foi gravado sobre ele, para não perder nenhuma das alterações.")
                              .arg(QDir::toNativeSeparators(caminho_))});
    plat::LimpaRoteiros();
  }
}

// Another instance of the program holds the model open: the library of this
// one writes nothing.
TEST_F(Ostrimo, ModelOpenInAnotherInstanceIsNotWritten) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  const QByteArray antes = Conteudo(caminho_);
  teste::OutraInstancia outra(caminho_);
  ASSERT_TRUE(outra.Aberto());
  EXPECT_EQ(Chama(1, caminho_), 0);
  EXPECT_EQ(Conteudo(caminho_), antes);
  EXPECT_EQ(mensagens_.Textos(),
            QStringList{QString::fromUtf8("Não foi possível salvar o arquivo %1.\nO arquivo está aberto e em uso por "
                                          "outro programa.")
                            .arg(QDir::toNativeSeparators(caminho_))});
  outra.Termina();
  EXPECT_EQ(Chama(1, caminho_), 1);
}

// A write-protected model is not replaced, whoever runs the program: the
// file's permission bits are the rule.
TEST_F(Ostrimo, WriteProtectedModelIsRefused) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  ASSERT_EQ(::chmod(QFile::encodeName(caminho_).constData(), 0444), 0);
  const QByteArray antes = Conteudo(caminho_);
  EXPECT_EQ(Chama(1, caminho_), 0);
  EXPECT_EQ(Conteudo(caminho_), antes);
  EXPECT_EQ(mensagens_.Textos(), QStringList{QString::fromUtf8(
                                     "Acesso ao arquivo negado! Verifique se o arquivo está protegido contra gravação.")});
  struct stat st;
  ASSERT_EQ(::stat(QFile::encodeName(caminho_).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
}

// Bytes of a model file that a library call may change: the header and the
// residuals of the data records.
QByteArray SemCabecalhoNemResiduos(QByteArray b, int registros) {
  if (b.size() < qsizetype(CabecalhoModelo::Tamanho)) return b;
  for (int i = 0; i < registros; ++i) {
    const qsizetype pos = qsizetype(CabecalhoModelo::Tamanho) + qsizetype(i) * qsizetype(dado::Tamanho) + 480;
    if (pos + 800 <= b.size()) std::memset(b.data() + pos, 0, 800);
  }
  return b.mid(qsizetype(CabecalhoModelo::Tamanho));
}

// Both exports change the header and the residuals and nothing else: the
// stored W elements (also with no spatial result, also a NaN), the appraisal
// and validation records and the excluded record's bytes come back as they were.
TEST_F(Ostrimo, OnlyHeaderAndResidualsChange) {
  for (bool espacial : {false, true}) {
    for (int ordinal : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "spatial " << espacial << ", ordinal " << ordinal);
      Modelo m;
      ASSERT_TRUE(m.GravaCompleto(caminho_, espacial));
      const QByteArray antes = Conteudo(caminho_);
      const int K = LeCabecalho(caminho_)->NumElementosW();
      ASSERT_GT(K, 0);
      if (ordinal == 2)
        plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
          plat::DefineMarcado(d, 1030, true);
          plat::Pressiona(d, 1);
        });
      ASSERT_EQ(Chama(ordinal, caminho_), 1) << mensagens_.Textos().join(QLatin1Char('|')).toStdString();
      const QByteArray depois = Conteudo(caminho_);
      ASSERT_EQ(depois.size(), antes.size());
      EXPECT_EQ(SemCabecalhoNemResiduos(depois, 24), SemCabecalhoNemResiduos(antes, 24));
      auto cab = LeCabecalho(caminho_);
      EXPECT_EQ(cab->NumElementosW(), K);
      EXPECT_EQ(cab->NumValidacao(), 1);
      EXPECT_EQ(cab->NumDadosP(), 3);
      EXPECT_GT(cab->EstadoCalculo(), 0);
    }
  }
}

// A model reached through a symbolic link stays one: the file it points to is
// rewritten.
TEST_F(Ostrimo, SymlinkedModelStaysALink) {
  Modelo m;
  const QString real = dir_.filePath(QStringLiteral("real.tsn"));
  ASSERT_TRUE(m.Grava(real));
  ASSERT_TRUE(QFile::link(real, caminho_));
  ASSERT_EQ(Chama(1, caminho_), 1);
  EXPECT_TRUE(QFileInfo(caminho_).isSymLink());
  EXPECT_EQ(LeCabecalho(real)->EstadoCalculo(), 3);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

// A damaged code in the stored equation is fitted as "x" and stored as 1, so
// the file keeps only codes 0-7.
TEST_F(Ostrimo, CodeOutsideTheTableIsFittedAndStoredAsX) {
  Modelo m;
  m.cab->SetTransformacao(0, 0, 9);
  m.cab->SetTransformacao(1, 0, -4);
  m.cab->SetTransformacao(2, 0, 3);
  ASSERT_TRUE(m.Grava(caminho_));
  ASSERT_EQ(Chama(1, caminho_), 1);
  auto cab = LeCabecalho(caminho_);
  EXPECT_EQ(cab->Transformacao(0, 0), 1);
  EXPECT_EQ(cab->Transformacao(1, 0), 1);
  EXPECT_EQ(cab->Transformacao(2, 0), 3);
  const int codigos[3] = {1, 1, 3};
  const auto res = Motor(m, codigos);
  ASSERT_NE(res, nullptr);
  EXPECT_DOUBLE_EQ(cab->F64(CabecalhoModelo::OffCorrelacao), res->r);
  for (int v = 0; v < 3; ++v)
    EXPECT_DOUBLE_EQ(cab->F64VE(CabecalhoModelo::OffCoeficientes, v, 0), res->coeficiente[v]) << v;
}

// Data that cannot be fitted is refused with a message and the file is left
// byte for byte: no statistic that is not a number is stored as a success.
struct CasoDanificado {
  const char* nome;
  void (*prepara)(Modelo&);
  const char* mensagem;
  bool busca = true;  // also through Calcula's search ("x" only): the stored codes matter to Dirigido alone
};

class DadosDanificados : public Ostrimo, public ::testing::WithParamInterface<CasoDanificado> {};

TEST_P(DadosDanificados, RefusedAndFileUnchanged) {
  for (int ordinal : {1, 2}) {
    if (ordinal == 2 && !GetParam().busca) continue;
    SCOPED_TRACE(ordinal);
    Modelo m;
    GetParam().prepara(m);
    ASSERT_TRUE(m.Grava(caminho_));
    const QByteArray antes = Conteudo(caminho_);
    plat::GravadorMensagens mensagens;
    if (ordinal == 2)
      plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
        plat::DefineMarcado(d, 1030, true);
        plat::Pressiona(d, 1);
      });
    EXPECT_EQ(Chama(ordinal, caminho_), 0);
    EXPECT_EQ(mensagens.Textos(), QStringList{QString::fromUtf8(GetParam().mensagem)});
    EXPECT_EQ(Conteudo(caminho_), antes);
    plat::LimpaRoteiros();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ostrimo, DadosDanificados,
    ::testing::Values(
        CasoDanificado{"NaNInARegressor",
                       [](Modelo& m) { m.dados[4].valor[1] = std::numeric_limits<double>::quiet_NaN(); },
                       "Cálculo indeterminado !"},
        CasoDanificado{"MinusInfinityInTheDependent",
                       [](Modelo& m) { m.dados[7].valor[2] = -std::numeric_limits<double>::infinity(); },
                       "Cálculo indeterminado !"},
        CasoDanificado{"ConstantDependent",
                       [](Modelo& m) {
                         for (dado& d : m.dados) d.valor[2] = 42.0;
                       },
                       "Cálculo indeterminado !"},
        CasoDanificado{"OverflowThroughInverseSquare",
                       [](Modelo& m) {
                         m.dados[3].valor[0] = 1e-200;
                         m.cab->SetTransformacao(0, 0, 6);
                       },
                       "Cálculo indeterminado !", false},
        CasoDanificado{"OverflowThroughSquare",
                       [](Modelo& m) {
                         m.dados[3].valor[1] = 1e200;
                         m.cab->SetTransformacao(1, 0, 4);
                       },
                       "Cálculo indeterminado !", false},
        CasoDanificado{"ExactSumOfTwoRegressors",
                       [](Modelo& m) {
                         m.cab->SetNumVariaveis(4);
                         m.cab->SetNomeVariavel(3, QStringLiteral("Valor"));
                         m.cab->SetNomeVariavel(2, QStringLiteral("Soma"));
                         m.cab->SetHabilitada(3, true);
                         m.cab->SetDependente(3);
                         for (int v = 0; v < 4; ++v) m.cab->SetTransformacao(v, 0, 1);
                         for (dado& d : m.dados) {
                           d.valor[3] = d.valor[2];
                           d.valor[2] = d.valor[0] + d.valor[1];  // derived, both kept
                         }
                       },
                       "Cálculo indeterminado !"},
        CasoDanificado{"HeaderCountsMoreConsideredThanFlags",
                       [](Modelo& m) {
                         m.dados.resize(8);
                         m.cab->SetNumDados(8);
                         for (int i = 0; i < 6; ++i) m.dados[i].excluido = 1;
                         m.cab->SetNumConsiderados(8);  // 2 rows for 3 variables
                       },
                       "Número de dados insuficiente !"},
        CasoDanificado{"DependentNotTheLastEnabled",
                       [](Modelo& m) { m.cab->SetDependente(1); },
                       "Formato de arquivo inválido!"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Ostrimo, UnreadableHeaderFailsSilently) {
  QFile f(caminho_);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Tarsolin");
  f.close();
  EXPECT_EQ(Chama(1, caminho_), 0);
  EXPECT_EQ(Chama(2, caminho_), 0);
  EXPECT_TRUE(mensagens_.Mensagens().empty());
}

// Load, call, unload, many times over (run under AddressSanitizer as well).
TEST_F(Ostrimo, LoadCallUnload) {
  Modelo m;
  ASSERT_TRUE(m.Grava(caminho_));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Chama(1, caminho_), 1);
    plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) { plat::Pressiona(d, 1); });
    EXPECT_EQ(Chama(2, caminho_), 1);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Unloaded for real: nothing kept the library mapped.
  QFile mapas(QStringLiteral("/proc/self/maps"));
  ASSERT_TRUE(mapas.open(QIODevice::ReadOnly));
  EXPECT_FALSE(mapas.readAll().contains("Ostrimo.so"));
}

}  // namespace
