// The model file: byte-exact round trip, in-place writers, safe whole-file
// writes, refusal of damaged files, recognition and the minor-version upgrade.
#include "ModeloFixture.h"

#include "model/ArquivoModelo.h"
#include "model/ReconhecimentoModelo.h"
#include "model/pesoW.h"
#include "platform/ArquivoSeguro.h"

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using teste::LeArquivo;
using teste::NovoCabecalho;

namespace {

constexpr qint64 H = qint64(CabecalhoModelo::Tamanho);

// N = 3, M = 2 with recognisable bytes everywhere, and a W whose non-zero
// elements are a NaN and 2.5 (a 0.0 beside them).
struct ModeloPequeno {
  std::unique_ptr<CabecalhoModelo> cab = NovoCabecalho(4, 3, 2);
  std::vector<dado> dados = std::vector<dado>(3);
  std::vector<dadoP> dadosP = std::vector<dadoP>(2);
  NEWMAT::Matrix W;
  ModeloPequeno() {
    for (std::size_t i = 0; i < CabecalhoModelo::Tamanho; i += 997) cab->bytes[i] ^= 0x5A;  // reserved bytes too
    cab->MarcaFormato();
    cab->SetNumVariaveis(4); cab->SetDependente(3); cab->SetNumDados(3); cab->SetNumConsiderados(3);
    cab->SetNumDadosP(2); cab->SetNumEquacoes(1); cab->SetEquacaoCorrente(0); cab->SetNumValidacao(0);
    cab->SetI32(CabecalhoModelo::OffEspacialCalculado, 1);
    cab->SetU8(CabecalhoModelo::OffSemElementosW, 0);
    cab->SetNumElementosW(99);  // stale: the writer counts afresh
    auto preenche = [](unsigned char* p, std::size_t n, int semente) {
      for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<unsigned char>((i * 31 + semente) & 0xFF);
    };
    for (int i = 0; i < 3; ++i) preenche(reinterpret_cast<unsigned char*>(&dados[i]), sizeof(dado), i + 1);
    for (int i = 0; i < 2; ++i) preenche(reinterpret_cast<unsigned char*>(&dadosP[i]), sizeof(dadoP), i + 7);
    W.ReSize(3, 3);
    W = 0.0;
    W(1, 2) = 0.0;
    W(2, 3) = std::numeric_limits<double>::quiet_NaN();
    W(3, 1) = 2.5;
  }
};

class ArquivoModelo : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString Caminho(const char* nome) const { return dir.filePath(QString::fromLatin1(nome)); }
  void TearDown() override { plat::SimulaFalhaGravacao(-1); }
};

TEST_F(ArquivoModelo, RoundTripIsByteExactAndCountsElements) {
  ModeloPequeno m;
  const QString p = Caminho("m.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  EXPECT_EQ(m.cab->NumElementosW(), 2);
  const QByteArray arquivo = LeArquivo(p);
  ASSERT_EQ(arquivo.size(), H + 3 * 2512 + 2 * 1728 + 2 * 16);

  // Layout: header, records, then the elements row by row.
  EXPECT_EQ(std::memcmp(arquivo.constData(), m.cab->bytes, H), 0);
  EXPECT_EQ(std::memcmp(arquivo.constData() + H, m.dados.data(), 3 * 2512), 0);
  EXPECT_EQ(std::memcmp(arquivo.constData() + H + 3 * 2512, m.dadosP.data(), 2 * 1728), 0);
  pesoW e[2];
  std::memcpy(e, arquivo.constData() + H + 3 * 2512 + 2 * 1728, sizeof e);
  EXPECT_TRUE(std::isnan(e[0].valor)); EXPECT_EQ(e[0].linha, 2); EXPECT_EQ(e[0].coluna, 3);
  EXPECT_EQ(e[1].valor, 2.5);          EXPECT_EQ(e[1].linha, 3); EXPECT_EQ(e[1].coluna, 1);

  // Reads back to the same bytes and the same W; a second save stores the same K.
  auto cab = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(p, cab.get()));
  EXPECT_EQ(std::memcmp(cab->bytes, m.cab->bytes, H), 0);
  std::vector<dado> dados(3);
  std::vector<dadoP> dadosP(2);
  NEWMAT::Matrix W;
  ASSERT_TRUE(LeRegistrosModelo(p, cab.get(), dados.data(), dadosP.data(), W));
  EXPECT_EQ(std::memcmp(dados.data(), m.dados.data(), 3 * 2512), 0);
  EXPECT_EQ(std::memcmp(dadosP.data(), m.dadosP.data(), 2 * 1728), 0);
  ASSERT_EQ(W.Nrows(), 3);
  ASSERT_EQ(W.Ncols(), 3);
  EXPECT_TRUE(std::isnan(W(2, 3)));
  EXPECT_EQ(W(3, 1), 2.5);
  EXPECT_EQ(W(1, 1), 0.0);
  const QString p2 = Caminho("m2.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p2, cab.get(), dados.data(), dadosP.data(), W));
  EXPECT_EQ(LeArquivo(p2), arquivo);
}

TEST_F(ArquivoModelo, AnIntactFileIsValid) {
  ModeloPequeno m;
  const QString p = Caminho("m.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  EXPECT_TRUE(ArquivoModeloValido(p, *m.cab));
  EXPECT_FALSE(ArquivoModeloValido(Caminho("nao-existe.tsn"), *m.cab));
}

TEST_F(ArquivoModelo, EmptyModelIsTheHeaderAlone) {
  auto cab = NovoCabecalho(2, 0, 0);
  NEWMAT::Matrix W;
  const QString p = Caminho("vazio.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, cab.get(), nullptr, nullptr, W));
  EXPECT_EQ(LeArquivo(p).size(), H);
}

TEST_F(ArquivoModelo, MissingRecordArraysNeverTruncateTheRecords) {
  ModeloPequeno m;
  const QString p = Caminho("m.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  const QByteArray antes = LeArquivo(p);
  EXPECT_FALSE(GravaArquivoModelo(p, m.cab.get(), nullptr, m.dadosP.data(), m.W));
  EXPECT_FALSE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), nullptr, m.W));
  EXPECT_EQ(LeArquivo(p), antes);
  // Without appraisal records a null appraisal array is fine.
  m.cab->SetNumDadosP(0);
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), nullptr, m.W));
  EXPECT_EQ(LeArquivo(p).size(), H + 3 * 2512 + 2 * 16);
}

TEST_F(ArquivoModelo, ElementsFollowTheFlagsAndTheShapeOfW) {
  // Byte 408272 set: no elements written, and the count starts from 0 on
  // every write, so the stale 99 becomes 0 in memory and in the file.
  ModeloPequeno m;
  m.cab->SetU8(CabecalhoModelo::OffSemElementosW, 1);
  const QString p = Caminho("a.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  const QByteArray semElementos = LeArquivo(p);
  EXPECT_EQ(semElementos.size(), H + 3 * 2512 + 2 * 1728);
  EXPECT_EQ(m.cab->NumElementosW(), 0);
  int32_t K = -1;
  std::memcpy(&K, semElementos.constData() + 408708, 4);
  EXPECT_EQ(K, 0);

  // A W without N rows is emptied and gives no element.
  ModeloPequeno m2;
  m2.W.ReSize(2, 2);
  m2.W = 1.0;
  ASSERT_TRUE(GravaArquivoModelo(p, m2.cab.get(), m2.dados.data(), m2.dadosP.data(), m2.W));
  EXPECT_EQ(m2.W.Nrows(), 0);
  EXPECT_EQ(m2.cab->NumElementosW(), 0);
  EXPECT_EQ(LeArquivo(p).size(), H + 3 * 2512 + 2 * 1728);

  // Elements are read only while the spatial model is calculated.
  ModeloPequeno m3;
  ASSERT_TRUE(GravaArquivoModelo(p, m3.cab.get(), m3.dados.data(), m3.dadosP.data(), m3.W));
  m3.cab->SetI32(CabecalhoModelo::OffEspacialCalculado, 0);
  NEWMAT::Matrix W;
  std::vector<dado> d(3);
  std::vector<dadoP> dp(2);
  ASSERT_TRUE(LeRegistrosModelo(p, m3.cab.get(), d.data(), dp.data(), W));
  EXPECT_EQ(W.Nrows(), 0);
}

TEST_F(ArquivoModelo, HeaderOnlySaveLeavesTheRecordsUntouched) {
  ModeloPequeno m;
  const QString p = Caminho("m.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  const QByteArray antes = LeArquivo(p);
  m.cab->SetNomeVariavel(0, QStringLiteral("Área"));
  m.cab->SetEstadoCalculo(2);
  ASSERT_TRUE(GravaCabecalhoModelo(p, m.cab.get()));
  const QByteArray depois = LeArquivo(p);
  ASSERT_EQ(depois.size(), antes.size());
  EXPECT_EQ(std::memcmp(depois.constData(), m.cab->bytes, H), 0);
  EXPECT_EQ(depois.mid(H), antes.mid(H));
  // In place only: a missing file is not created.
  EXPECT_FALSE(GravaCabecalhoModelo(Caminho("nao-existe.tsn"), m.cab.get()));
  EXPECT_FALSE(QFile::exists(Caminho("nao-existe.tsn")));
}

// The header and the records given replace the file's; every other byte (the
// records not given, the stored elements, whatever follows) is copied; a
// failure at any point of the write leaves the old file byte for byte.
TEST_F(ArquivoModelo, HeaderAndRecordsReplacedTheRestCopied) {
  ModeloPequeno m;
  const QString p = Caminho("m.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  QByteArray antes = LeArquivo(p);
  antes.append("trailing bytes");
  ASSERT_TRUE(teste::GravaBytes(p, antes));
  std::vector<dado> novos = m.dados;
  for (dado& d : novos) d.residuo[3] = 12.5;
  std::vector<dadoP> novosP = m.dadosP;
  novosP[1].valor[0] = -7.0;
  m.cab->SetEstadoCalculo(2);
  m.cab->SetNumElementosW(2);  // as the file holds them

  for (long long apos : {0LL, 4096LL, H, H + 3 * 2512LL + 100, qint64(antes.size()) - 3}) {
    SCOPED_TRACE(apos);
    plat::SimulaFalhaGravacao(apos);
    EXPECT_FALSE(GravaCabecalhoERegistros(p, m.cab.get(), novos.data(), novosP.data()));
    EXPECT_FALSE(GravaCabecalhoModelo(p, m.cab.get()));
    plat::SimulaFalhaGravacao(-1);
    EXPECT_EQ(LeArquivo(p), antes);
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

  ASSERT_TRUE(GravaCabecalhoERegistros(p, m.cab.get(), novos.data(), nullptr));
  QByteArray esperado = antes;
  std::memcpy(esperado.data(), m.cab->bytes, H);
  std::memcpy(esperado.data() + H, novos.data(), 3 * sizeof(dado));
  EXPECT_EQ(LeArquivo(p), esperado);
  ASSERT_TRUE(GravaCabecalhoERegistros(p, m.cab.get(), nullptr, novosP.data()));
  std::memcpy(esperado.data() + H + 3 * 2512, novosP.data(), 2 * sizeof(dadoP));
  EXPECT_EQ(LeArquivo(p), esperado);

  // A file shorter than the records the header counts is refused, untouched.
  const QByteArray curto = antes.left(H + 2512);
  ASSERT_TRUE(teste::GravaBytes(p, curto));
  EXPECT_FALSE(GravaCabecalhoERegistros(p, m.cab.get(), novos.data(), novosP.data()));
  EXPECT_EQ(LeArquivo(p), curto);
}

TEST_F(ArquivoModelo, ResidualWriterChangesOnlyHeaderAndResiduals) {
  ModeloPequeno m;
  const QString p = Caminho("m.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  QByteArray esperado = LeArquivo(p);
  std::vector<dado> novos = m.dados;
  for (int i = 0; i < 3; ++i) {
    for (int e = 0; e < 100; ++e) novos[i].residuo[e] = i * 100 + e + 0.5;
    novos[i].valor[0] = -1.0;  // not a residual: must not reach the file
    std::memcpy(esperado.data() + H + i * 2512 + 480, novos[i].residuo, 800);
  }
  m.cab->SetEstadoCalculo(3);
  std::memcpy(esperado.data(), m.cab->bytes, H);
  ASSERT_TRUE(GravaResiduos(p, m.cab.get(), novos.data()));
  EXPECT_EQ(LeArquivo(p), esperado);
}

TEST_F(ArquivoModelo, FailedWriteKeepsTheOldFile) {
  ModeloPequeno m;
  const QString p = Caminho("m.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  const QByteArray antes = LeArquivo(p);
  for (long long apos : {0LL, 1000LL, H + 2512LL}) {
    SCOPED_TRACE(apos);
    m.dados[0].valor[0] = double(apos) + 1.0;
    plat::SimulaFalhaGravacao(apos);
    EXPECT_FALSE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
    plat::SimulaFalhaGravacao(-1);
    EXPECT_EQ(LeArquivo(p), antes);
  }
  // No temporary file is left behind.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A damaged file is refused: every count is checked before use.
struct Dano {
  const char* nome;
  void (*estraga)(CabecalhoModelo&, QByteArray&);
  bool cabecalhoLido;  // the header alone still reads (the records fail)
};

const Dano kDanos[] = {
  {"TooManyVariables", [](CabecalhoModelo& c, QByteArray&) { c.SetNumVariaveis(61); }, false},
  {"NegativeVariables", [](CabecalhoModelo& c, QByteArray&) { c.SetNumVariaveis(-1); }, false},
  {"TooManyEquations", [](CabecalhoModelo& c, QByteArray&) { c.SetNumEquacoes(101); }, false},
  {"CurrentEquationOutOfRange", [](CabecalhoModelo& c, QByteArray&) { c.SetEquacaoCorrente(100); }, false},
  {"DependentOutOfRange", [](CabecalhoModelo& c, QByteArray&) { c.SetDependente(4); }, false},
  {"NegativeN", [](CabecalhoModelo& c, QByteArray&) { c.SetNumDados(-3); }, false},
  {"NegativeM", [](CabecalhoModelo& c, QByteArray&) { c.SetNumDadosP(-1); }, false},
  {"HugeN", [](CabecalhoModelo& c, QByteArray&) { c.SetNumDados(0x7FFFFFFF); }, false},
  {"NegativeK", [](CabecalhoModelo& c, QByteArray&) { c.SetNumElementosW(-1); }, false},
  {"MoreRecordsThanTheFile", [](CabecalhoModelo& c, QByteArray&) { c.SetNumDados(4); c.SetNumConsiderados(4); }, true},
  {"MoreAppraisalsThanTheFile", [](CabecalhoModelo& c, QByteArray&) { c.SetNumDadosP(3); }, true},
  {"MoreElementsThanTheFile", [](CabecalhoModelo& c, QByteArray&) { c.SetNumElementosW(3); }, true},
  {"ElementRowZero", [](CabecalhoModelo&, QByteArray& b) {
     const int32_t zero = 0; std::memcpy(b.data() + H + 3 * 2512 + 2 * 1728 + 8, &zero, 4); }, true},
  {"ElementColumnPastN", [](CabecalhoModelo&, QByteArray& b) {
     const int32_t quatro = 4; std::memcpy(b.data() + H + 3 * 2512 + 2 * 1728 + 16 + 12, &quatro, 4); }, true},
  {"ShortHeader", [](CabecalhoModelo&, QByteArray& b) { b.truncate(H - 1); }, false},
};

class ArquivoDanificado : public ::testing::TestWithParam<Dano> {};

TEST_P(ArquivoDanificado, IsRefused) {
  QTemporaryDir dir;
  ModeloPequeno m;
  const QString p = dir.filePath("d.tsn");
  ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), m.W));
  QByteArray b = LeArquivo(p);
  CabecalhoModelo& c = *m.cab;
  GetParam().estraga(c, b);
  if (b.size() >= H) std::memcpy(b.data(), c.bytes, H);
  ASSERT_TRUE(teste::GravaBytes(p, b));

  auto lido = std::make_unique<CabecalhoModelo>();
  EXPECT_EQ(LeCabecalhoModelo(p, lido.get()), GetParam().cabecalhoLido);
  // The opener's check refuses every one of them before any record is read
  // (the element cases are found when the elements are read).
  if (std::strncmp(GetParam().nome, "Element", 7) != 0) {
    EXPECT_FALSE(ArquivoModeloValido(p, c));
  }
  // The records are refused even with the caller's own (damaged) header,
  // never read past the arrays.
  std::vector<dado> dados(3);
  std::vector<dadoP> dadosP(2);
  NEWMAT::Matrix W;
  EXPECT_FALSE(LeRegistrosModelo(p, &c, dados.data(), dadosP.data(), W));
}

INSTANTIATE_TEST_SUITE_P(Casos, ArquivoDanificado, ::testing::ValuesIn(kDanos),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(ArquivoModeloNulo, NullBufferAndMissingFileFail) {
  EXPECT_FALSE(LeCabecalhoModelo(QStringLiteral("/nao/existe.tsn"), nullptr));
  auto cab = std::make_unique<CabecalhoModelo>();
  EXPECT_FALSE(LeCabecalhoModelo(QStringLiteral("/nao/existe.tsn"), cab.get()));
}

// Recognition of the first 18 bytes, one row per class.
struct Prefixo {
  const char* nome;
  const char bytes[19];
  ClasseArquivo classe;
};

const Prefixo kPrefixos[] = {
  {"DamagedOlder", "HEADERTS-Kolmar\0\0", ClasseArquivo::Danificado},
  {"DamagedNameWithoutNul", "HEADERTS-KolmarXY", ClasseArquivo::Invalido},
  {"Kolmar4", "Kolmar 4.0 xxxxxxx", ClasseArquivo::Kolmar4},
  {"Kolmar5Early", "Kolmar 5.4 xxxxxxx", ClasseArquivo::Kolmar5},
  {"Kolmar5HighByteIsBelowFive", "Kolmar 5.\x80 xxxxxxx", ClasseArquivo::Kolmar5},
  {"Kolmar5Late", "Kolmar 5.5 xxxxxxx", ClasseArquivo::KolmarPosterior},
  {"Kolmar6", "Kolmar 6.0 xxxxxxx", ClasseArquivo::KolmarPosterior},
  {"Zelvar1", "Zelvar 1.9 xxxxxxx", ClasseArquivo::Zelvar},
  {"Zelvar1NoDot", "Zelvar 1 X xxxxxxx", ClasseArquivo::Zelvar},
  {"Zelvar1HighByte", "Zelvar 1.\xC1 xxxxxxx", ClasseArquivo::Zelvar},
  {"Zelvar1AboveNine", "Zelvar 1.: xxxxxxx", ClasseArquivo::Invalido},
  {"Zelvar2", "Zelvar 2.0 xxxxxxx", ClasseArquivo::Invalido},
  {"Current155", "Tarsolin 15509664", ClasseArquivo::Atual},
  {"Current153", "Tarsolin 15309664", ClasseArquivo::Atual},
  {"Current140", "Tarsolin 14009664", ClasseArquivo::Atual},
  {"MinorThree", "Tarsolin 13709664", ClasseArquivo::AtualAntigo},
  {"MinorHighByte", "Tarsolin 1\x80" "509664", ClasseArquivo::AtualAntigo},
  {"MajorTwo", "Tarsolin 25509664", ClasseArquivo::Invalido},
  {"WrongSignature", "Tarsolin 15509665", ClasseArquivo::Invalido},
  {"WrongMagic", "Tarsolix 15509664", ClasseArquivo::Invalido},
  {"Text", "Hello, world!!!!!!", ClasseArquivo::Invalido},
};

class Reconhecimento : public ::testing::TestWithParam<Prefixo> {};

TEST_P(Reconhecimento, Classifies) {
  EXPECT_EQ(ReconheceArquivoModelo(GetParam().bytes), GetParam().classe);
}

INSTANTIATE_TEST_SUITE_P(Casos, Reconhecimento, ::testing::ValuesIn(kPrefixos),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(VersaoMenor, UpgradeSetsTheSpatialDefaultsAndMinorFive) {
  QTemporaryDir dir;
  auto cab = NovoCabecalho(3, 0, 0);
  std::memcpy(cab->bytes + 8, " 137", 4);
  // Garbage where later versions keep the spatial fields.
  for (std::size_t off = 408704; off < 410448; ++off) cab->bytes[off] = 0xEE;
  NEWMAT::Matrix W;
  const QString p = dir.filePath("antigo.tsn");
  cab->SetU8(CabecalhoModelo::OffSemElementosW, 1);
  ASSERT_TRUE(GravaArquivoModelo(p, cab.get(), nullptr, nullptr, W));
  QByteArray prefixo = LeArquivo(p).left(18);
  ASSERT_EQ(ReconheceArquivoModelo(prefixo.constData()), ClasseArquivo::AtualAntigo);

  auto lido = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(p, lido.get()));
  AtualizaVersaoMenor(*lido);
  EXPECT_EQ(lido->NumElementosW(), 0);
  EXPECT_EQ(lido->I32(CabecalhoModelo::OffEspacialCalculado), 0);
  EXPECT_EQ(lido->I32(CabecalhoModelo::OffTipoEspacial), 1);
  EXPECT_EQ(lido->U8(CabecalhoModelo::OffNormalizaW), 1);
  EXPECT_EQ(lido->U8(CabecalhoModelo::OffTransformaDistancias), 1);
  EXPECT_EQ(lido->F64(410424), -1.0);
  EXPECT_EQ(lido->I32(408716), 0);
  EXPECT_EQ(lido->I32(408728), 500);
  EXPECT_EQ(lido->F64(409256), 0.5);
  EXPECT_EQ(lido->F64(410288), -1.0);
  EXPECT_EQ(lido->F64(410296), 1.0);
  EXPECT_EQ(lido->F64(409264), 0.0001);
  EXPECT_EQ(lido->U8(408738), 0xEE);  // an unrelated byte stays
  ASSERT_TRUE(GravaCabecalhoModelo(p, lido.get()));
  EXPECT_EQ(LeArquivo(p).mid(8, 4), QByteArray(" 157"));

  // Minor '4' and above are read as they are.
  auto atual = NovoCabecalho(3, 0, 0);
  std::memcpy(atual->bytes + 8, " 143", 4);
  atual->SetI32(408728, 77);
  AtualizaVersaoMenor(*atual);
  EXPECT_EQ(atual->I32(408728), 77);
  EXPECT_EQ(atual->VersaoMenor(), '4');
}

}  // namespace
