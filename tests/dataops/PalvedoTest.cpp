// The library through the binder and the dialog scripts: each ordinal opens its
// dialog on a model file, and what the user does there reaches the file.
#include "ModeloTeste.h"
#include "model/CTarsolinDoc.h"
#include "model/Var.h"
#include "model/pesoW.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"
#include "platform/TabelaTextos.h"
#include "tests/support/OutraInstancia.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFocusEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <climits>
#include <cmath>
#include <cstring>
#include <set>
#include <tuple>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr long long Cab = 583248;

int32_t I32(const QByteArray& b, long long off) {
  int32_t v;
  std::memcpy(&v, b.constData() + off, 4);
  return v;
}
double F64(const QByteArray& b, long long off) {
  double v;
  std::memcpy(&v, b.constData() + off, 8);
  return v;
}
QString Nome(const QByteArray& b, int v) { return QString::fromLatin1(b.constData() + 1120 + 31 * v); }
long long Dado(int i) { return Cab + 2512LL * i; }
long long Avaliando(const QByteArray& b, int j) { return Cab + 2512LL * I32(b, 65576) + 1728LL * j; }

QListWidget* Lista(QDialog& d, int id) { return qobject_cast<QListWidget*>(plat::Controle(d, id)); }

class Palvedo : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    caminho_ = dir_.filePath(QStringLiteral("modelo.tsn"));
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(true);
  }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
    plat::SimulaFalhaGravacao(-1);
  }

  void Grava(ModeloTeste& m) {
    ASSERT_TRUE(m.Grava(caminho_));
    sha_ = Sha256(caminho_);
  }
  // Calls the export through the binder, as the model window does.
  int Chama(int ordinal, QString caminho = QString()) {
    if (caminho.isNull()) caminho = caminho_;
    int resultado = -1;
    const QByteArray nome = QFile::encodeName(caminho);
    const plat::EstadoModulo estado = plat::ChamaModulo(QStringLiteral("Palvedo.so"), ordinal, [&](void* f) {
      resultado = reinterpret_cast<int (*)(const char*)>(f)(nome.constData());
    });
    EXPECT_EQ(estado, plat::EstadoModulo::Chamado) << plat::UltimoErroModulo().toStdString();
    return resultado;
  }
  bool Inalterado() const { return Sha256(caminho_) == sha_; }
  QByteArray Arquivo() const { return LeArquivo(caminho_); }
  // Every apply voids the results.
  void ConfereResultadosAnulados(const QByteArray& b) {
    EXPECT_EQ(I32(b, 41560), 0);
    EXPECT_EQ(I32(b, 408704), 0);
  }

  QTemporaryDir dir_;
  QString caminho_;
  QByteArray sha_;
};

// --------------------------------------------------------------- the exports

TEST_F(Palvedo, OrdinaisForaDaTabelaNaoResolvem) {
  for (int ordinal : {0, 5, -1})
    EXPECT_EQ(plat::ChamaModulo(QStringLiteral("Palvedo.so"), ordinal, [](void*) {}),
              plat::EstadoModulo::SemOrdinal)
        << ordinal;
}

TEST_F(Palvedo, CadaOrdinalAbreSeuDialogoEFecharNaoMudaNada) {
  struct Caso {
    int ordinal;
    const char* dialogo;
    const char* titulo;
    bool perguntaCancelar;
  } casos[] = {
      {1, "dlg130", "Excluir Variáveis", true},
      {2, "dlg131", "Incluir Variáveis", true},
      {3, "dlg148", "Operar dados ", false},
      {4, "dlg146", "Operar Variáveis", false},
  };
  ModeloTeste m = ModeloTeste::Cria(5, 3, 2, true);
  Grava(m);
  for (const Caso& k : casos) {
    plat::GravadorMensagens mensagens(plat::IDYES);
    if (k.perguntaCancelar) mensagens.Responde(plat::IDNO);  // first No: the dialog stays
    bool aberto = false;
    plat::RoteiroPara(QString::fromLatin1(k.dialogo), [&](QDialog& d) {
      aberto = true;
      EXPECT_EQ(d.windowTitle(), QString::fromUtf8(k.titulo));
      // OK and Close are image buttons in the exclude and operate-on-records dialogs.
      const bool imagem = k.ordinal == 1 || k.ordinal == 3;
      for (int id : {1, 2})
        EXPECT_EQ(QString::fromLatin1(plat::Controle(d, id)->metaObject()->className()) == "CHoverButton", imagem)
            << k.dialogo << " " << id;
      plat::Pressiona(d, 2);
      if (k.perguntaCancelar) {
        EXPECT_TRUE(d.isVisible()) << k.dialogo;
        plat::Pressiona(d, 2);
      }
    });
    EXPECT_EQ(Chama(k.ordinal), 0) << k.dialogo;
    EXPECT_TRUE(aberto) << k.dialogo;
    const QStringList esperado = k.perguntaCancelar
                                     ? QStringList{QStringLiteral("Deseja Cancelar ?"), QStringLiteral("Deseja Cancelar ?")}
                                     : QStringList{};
    EXPECT_EQ(mensagens.Textos(), esperado) << k.dialogo;
    EXPECT_TRUE(Inalterado()) << k.dialogo;
  }
}

TEST_F(Palvedo, CabecalhoIlegivelRecusadoAntesDoDialogo) {
  QFile curto(caminho_);
  ASSERT_TRUE(curto.open(QIODevice::WriteOnly));
  curto.write("Tarsolin 155");
  curto.close();
  struct Caso {
    QString caminho;
    int idTexto;
  } casos[] = {{caminho_, 3044}, {dir_.filePath(QStringLiteral("nao_existe.tsn")), 3000}};
  for (const Caso& k : casos)
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
      plat::GravadorMensagens mensagens(plat::IDYES);
      bool aberto = false;
      for (const char* nome : {"dlg130", "dlg131", "dlg148", "dlg146"})
        plat::RoteiroPara(QString::fromLatin1(nome), [&](QDialog&) { aberto = true; });
      EXPECT_EQ(Chama(ordinal, k.caminho), 0);
      EXPECT_FALSE(aberto);
      ASSERT_EQ(mensagens.Mensagens().size(), 1u);
      EXPECT_EQ(mensagens.Mensagens()[0].texto, plat::Texto(k.idTexto));
      EXPECT_FALSE(plat::Texto(k.idTexto).isEmpty());
      plat::LimpaRoteiros();
    }
}

// ----------------------------------------------------------------- exclude

TEST_F(Palvedo, ExcluirPQRSDMenos1e3) {
  ModeloTeste m = ModeloTeste::Cria(5, 3, 2, true);
  const char* nomes[] = {"P", "Q", "R", "S", "D"};
  for (int v = 0; v < 5; ++v) m.cab->SetTexto(1120 + 31 * v, 31, QString::fromLatin1(nomes[v]));
  m.cab->SetI32(41284, 3);  // the area variable goes with S
  m.cab->SetU8(408692, 1);
  Grava(m);
  const QByteArray antes = Arquivo();

  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg130"), [&](QDialog& d) {
    QListWidget* l = Lista(d, 1007);
    ASSERT_EQ(l->count(), 4);  // the dependent is not offered
    EXPECT_EQ(l->item(3)->text(), QStringLiteral("S"));
    l->item(1)->setSelected(true);
    l->item(3)->setSelected(true);
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(1), 1);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Deseja excluir as variáveis selecionadas !")});

  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65572), 3);
  EXPECT_EQ(I32(b, 65588), 2);
  EXPECT_EQ(Nome(b, 0), QStringLiteral("P"));
  EXPECT_EQ(Nome(b, 1), QStringLiteral("R"));
  EXPECT_EQ(Nome(b, 2), QStringLiteral("D"));
  EXPECT_EQ(Nome(b, 3), QString());
  const int origem[] = {0, 2, 4};
  for (int j = 0; j < 3; ++j) {
    EXPECT_EQ(I32(b, 40540 + 4 * j), 100 + origem[j]);
    EXPECT_EQ(std::memcmp(b.constData() + 2980 + 601 * j, antes.constData() + 2980 + 601 * origem[j], 601), 0);
    EXPECT_EQ(std::memcmp(b.constData() + 39040 + 6 * j, antes.constData() + 39040 + 6 * origem[j], 6), 0);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(F64(b, Dado(i) + 8 * j), ModeloTeste::ValorDado(i, origem[j]));
      EXPECT_EQ(I32(b, Dado(i) + 1612 + 4 * j), I32(antes, Dado(i) + 1612 + 4 * origem[j]));
      EXPECT_EQ(I32(b, Dado(i) + 1852 + 4 * j), I32(antes, Dado(i) + 1852 + 4 * origem[j]));
      for (int attr : {2092, 2152, 2212}) EXPECT_EQ(b[Dado(i) + attr + j], antes[Dado(i) + attr + origem[j]]);
    }
    for (int p = 0; p < 2; ++p) {
      EXPECT_EQ(F64(b, Avaliando(b, p) + 8 * j), ModeloTeste::ValorAvaliando(p, origem[j]));
      EXPECT_EQ(I32(b, Avaliando(b, p) + 776 + 4 * j), I32(antes, Avaliando(antes, p) + 776 + 4 * origem[j]));
    }
  }
  // The appraisal result slots follow the variables.
  for (int p = 0; p < 2; ++p)
    for (int r = 0; r < 3; ++r) EXPECT_EQ(F64(b, Avaliando(b, p) + 8 * (3 + r)), ModeloTeste::ValorAvaliando(p, 5 + r));
  EXPECT_EQ(I32(b, 41284), -1);
  EXPECT_EQ(static_cast<unsigned char>(b[408692]), 0);
  ConfereResultadosAnulados(b);
  // W stays: the same elements after the records.
  EXPECT_EQ(I32(b, 408708), I32(antes, 408708));
  EXPECT_EQ(b.size(), antes.size());
  EXPECT_EQ(b.right(16 * I32(b, 408708)), antes.right(16 * I32(antes, 408708)));
}

TEST_F(Palvedo, ExcluirRecusasDeixamODialogoAberto) {
  struct Caso {
    const char* nome;
    int V;
    std::vector<int> selecao;
    QStringList mensagens;  // before the final "Deseja Cancelar ?"
  } casos[] = {
      {"nenhuma", 5, {}, {QStringLiteral("Selecione pelo menos uma variável a excluir !")}},
      {"minimo_2", 3, {0, 1}, {QStringLiteral("Número mínimo de variáveis não poderá ser menor do que 2 !")}},
      {"confirmacao_nao", 5, {0}, {QStringLiteral("Deseja excluir as variáveis selecionadas !")}},
  };
  for (const Caso& k : casos) {
    ModeloTeste m = ModeloTeste::Cria(k.V, 2, 1);
    Grava(m);
    plat::GravadorMensagens mensagens(plat::IDNO);
    plat::RoteiroPara(QStringLiteral("dlg130"), [&](QDialog& d) {
      for (int s : k.selecao) Lista(d, 1007)->item(s)->setSelected(true);
      plat::Pressiona(d, 1);
      EXPECT_TRUE(d.isVisible()) << k.nome;
      mensagens.Responde(plat::IDYES);
      plat::Pressiona(d, 2);
    });
    EXPECT_EQ(Chama(1), 0) << k.nome;
    EXPECT_EQ(mensagens.Textos(), k.mensagens + QStringList{QStringLiteral("Deseja Cancelar ?")}) << k.nome;
    EXPECT_TRUE(Inalterado()) << k.nome;
  }
}

TEST_F(Palvedo, FalhaAoGravarRelatadaEArquivoIntacto) {
  ModeloTeste m = ModeloTeste::Cria(5, 3, 2, true);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg130"), [&](QDialog& d) {
    Lista(d, 1007)->item(0)->setSelected(true);
    plat::SimulaFalhaGravacao(4096);
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(1), 0);
  // A full disk is a failed write, not a protected file, and says so.
  EXPECT_EQ(mensagens.Textos().last(), QString::fromUtf8("Não foi possível salvar o arquivo %1.\nNão há espaço livre no disco.")
                                           .arg(QDir::toNativeSeparators(caminho_)));
  EXPECT_TRUE(Inalterado());
  EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size() == 1) << "no temporary file left";
}

// While the dialog is open the file is replaced by another model, made
// read-only, or opened by another instance of the program: the apply writes
// nothing and says why.
TEST_F(Palvedo, ArquivoQueMudouOuProtegidoNaoEGravado) {
  enum Evento { Substituido, SomenteLeitura, OutraInstancia };
  struct Caso {
    const char* nome;
    Evento evento;
    const char* mensagem;
  };
  const Caso casos[] = {
      {"substituido", Substituido,
       "O arquivo %1 foi alterado por outro programa depois que o modelo foi lido. Nada foi gravado sobre ele, "
       "para não perder nenhuma das alterações."},
      {"somente leitura", SomenteLeitura,
       "Acesso ao arquivo negado! Verifique se o arquivo está protegido contra gravação."},
      {"aberto em outra instancia", OutraInstancia,
       "Não foi possível salvar o arquivo %1.\nO arquivo está aberto e em uso por outro programa."},
  };
  for (const Caso& k : casos) {
    SCOPED_TRACE(k.nome);
    QFile::remove(caminho_);
    ModeloTeste a = ModeloTeste::Cria(5, 3, 2, true);
    Grava(a);
    // The other model: same counts, other values.
    ModeloTeste b = ModeloTeste::Cria(5, 3, 2, true);
    for (dado& d : b.reg.dados) d.valor[0] = -7.0;
    const QString outro = dir_.filePath(QStringLiteral("outro.tsn"));
    ASSERT_TRUE(b.Grava(outro));
    std::unique_ptr<teste::OutraInstancia> instancia;
    plat::GravadorMensagens mensagens(plat::IDYES);
    plat::RoteiroPara(QStringLiteral("dlg130"), [&](QDialog& d) {
      Lista(d, 1007)->item(0)->setSelected(true);
      if (k.evento == Substituido)
        ::rename(QFile::encodeName(outro).constData(), QFile::encodeName(caminho_).constData());
      else if (k.evento == SomenteLeitura)
        ::chmod(QFile::encodeName(caminho_).constData(), 0444);
      else
        instancia = std::make_unique<teste::OutraInstancia>(caminho_);
      sha_ = Sha256(caminho_);
      plat::Pressiona(d, 1);
      plat::Pressiona(d, 2);
    });
    EXPECT_EQ(Chama(1), 0);
    if (instancia) {
      EXPECT_TRUE(instancia->Aberto());
    }
    instancia.reset();
    ASSERT_FALSE(mensagens.Textos().isEmpty());
    EXPECT_TRUE(mensagens.Textos().contains(QString::fromUtf8(k.mensagem).arg(QDir::toNativeSeparators(caminho_))))
        << mensagens.Textos().join('|').toStdString();
    EXPECT_TRUE(Inalterado());
    ::chmod(QFile::encodeName(caminho_).constData(), 0644);
    plat::LimpaRoteiros();
  }
}

// GCC and clang say in different ways that the address sanitizer is on.
#if defined(__SANITIZE_ADDRESS__)
#define TARSOLIN_COM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARSOLIN_COM_ASAN 1
#endif
#endif

TEST_F(Palvedo, SemMemoriaParaOsRegistrosRelataEDeixaOArquivo) {
#if defined(TARSOLIN_COM_ASAN)
  GTEST_SKIP() << "an address-space limit cannot be combined with the address sanitizer";
#else
  // The child runs this test from its start, so it builds its own file.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // 46,000 records whose stored weights need a dense W of 46,000 x 46,000
  // (17 GB): the records are a sparse file, the one element at its end is valid.
  constexpr int N = 46000;
  ModeloTeste m = ModeloTeste::Cria(3, 0, 0);
  m.cab->SetI32(65576, N);
  m.cab->SetI32(65580, N);
  m.cab->SetI32(408704, 1);
  m.cab->SetI32(408708, 1);
  m.cab->SetU8(408272, 0);
  {
    QFile f(caminho_);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(m.cab->bytes), Cab), Cab);
    ASSERT_TRUE(f.resize(Cab + 2512LL * N));
    ASSERT_TRUE(f.seek(Cab + 2512LL * N));
    const pesoW elemento{0.5, 1, 2};
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(&elemento), sizeof elemento), qint64(sizeof elemento));
  }
  const qint64 tamanho = QFileInfo(caminho_).size();

  auto semMemoria = [&] {
        // Room for the records, none for W.
        unsigned long paginas = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
          if (std::fscanf(statm, "%lu", &paginas) != 1) paginas = 0;
          std::fclose(statm);
        }
        const rlim_t limite = rlim_t(paginas) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(1) << 30);
        const rlimit lim{limite, limite};
        if (paginas == 0 || setrlimit(RLIMIT_AS, &lim) != 0) std::_Exit(2);
        plat::GravadorMensagens mensagens(plat::IDYES);
        bool voltou = false;  // the press came back into the dialog's caller
        plat::RoteiroPara(QStringLiteral("dlg148"), [&](QDialog& d) {
          plat::Pressiona(d, 1);
          voltou = true;
        });
        const int r = Chama(3);
        const QByteArray cabecalho = LeArquivo(caminho_).left(int(Cab));
        const bool ok = r == 0 && voltou &&
                        mensagens.Textos() == QStringList{QStringLiteral("Deseja efetuar a Operação ?"),
                                                          QStringLiteral("Cálculo indeterminado !")} &&
                        QFileInfo(caminho_).size() == tamanho &&
                        std::memcmp(cabecalho.constData(), m.cab->bytes, std::size_t(Cab)) == 0;
        std::_Exit(ok ? 0 : 1);
  };
  EXPECT_EXIT(semMemoria(), ::testing::ExitedWithCode(0), "");
#endif
}

// ----------------------------------------------------------------- include

TEST_F(Palvedo, IncluirCom58AceitaDuasERecusaATerceira) {
  ModeloTeste m = ModeloTeste::Cria(58, 2, 1);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {
    auto* nome = qobject_cast<QLineEdit*>(plat::Controle(d, 1000));
    QTest::keyClicks(nome, QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
    EXPECT_EQ(nome->text(), QStringLiteral("abcdefghijklmnopqrstuvwxy"));
    EXPECT_FALSE(plat::Habilitado(d, 1010));
    for (const char* t : {"Frente", "Fundos", "Terceira"}) {
      nome->setText(QString::fromLatin1(t));
      QTest::keyClick(nome, Qt::Key_Return);
    }
    EXPECT_EQ(plat::Texto(d, 1016), QStringLiteral("2"));
    EXPECT_EQ(Lista(d, 1007)->count(), 2);
    EXPECT_EQ(mensagens.Textos(),
              QStringList{QStringLiteral("Não foi possível incluir novas variáveis. Limite esgotado!")});
    EXPECT_EQ(mensagens.Mensagens()[0].estilo & 0xF0u, unsigned(plat::MB_ICONINFORMATION));
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(2), 1);

  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65572), 60);
  EXPECT_EQ(I32(b, 65588), 59);
  // The last new variable takes the dependent's old slot.
  EXPECT_EQ(Nome(b, 57), QStringLiteral("Fundos"));
  EXPECT_EQ(Nome(b, 58), QStringLiteral("Frente"));
  EXPECT_EQ(Nome(b, 59), QStringLiteral("Var57"));
  for (int v : {57, 58}) {
    EXPECT_EQ(I32(b, 40300 + 4 * v), 4);
    EXPECT_EQ(I32(b, 40780 + 4 * v), 2);
    EXPECT_EQ(I32(b, 40060 + 4 * v), 1);
    EXPECT_EQ(QString::fromLatin1(b.constData() + 2980 + 601 * v), QString());
    EXPECT_EQ(I32(b, 41020 + 4 * v), 1134);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(F64(b, Dado(i) + 8 * v), 0.0);
  }
  for (int i = 0; i < 2; ++i) EXPECT_EQ(F64(b, Dado(i) + 8 * 59), ModeloTeste::ValorDado(i, 57));
  ConfereResultadosAnulados(b);
}

TEST_F(Palvedo, IncluirRemoverBaixaAContagemEPermiteNovoAdicionar) {
  ModeloTeste m = ModeloTeste::Cria(59, 1, 0);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {
    auto* nome = qobject_cast<QLineEdit*>(plat::Controle(d, 1000));
    nome->setText(QStringLiteral("Primeira"));
    QTest::keyClick(nome, Qt::Key_Return);
    nome->setText(QStringLiteral("Recusada"));
    QTest::keyClick(nome, Qt::Key_Return);
    EXPECT_EQ(mensagens.Textos().size(), 1);
    Lista(d, 1007)->setCurrentRow(0);
    EXPECT_TRUE(plat::Habilitado(d, 1010));
    plat::Pressiona(d, 1010);
    EXPECT_EQ(plat::Texto(d, 1016), QStringLiteral("0"));
    nome->setText(QStringLiteral("Segunda"));
    QTest::keyClick(nome, Qt::Key_Return);
    EXPECT_EQ(plat::Texto(d, 1016), QStringLiteral("1"));
    EXPECT_EQ(mensagens.Textos().size(), 1);
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(2), 1);
  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65572), 60);
  EXPECT_EQ(Nome(b, 58), QStringLiteral("Segunda"));
}

TEST_F(Palvedo, IncluirSemNenhumaPedeUmaEFica) {
  ModeloTeste m = ModeloTeste::Cria(3, 1, 0);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {
    plat::Pressiona(d, 1);
    EXPECT_TRUE(d.isVisible());
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(Chama(2), 0);
  EXPECT_EQ(mensagens.Textos(), (QStringList{QStringLiteral("Selecione ou inclua pelo menos uma variável !"),
                                             QStringLiteral("Deseja Cancelar ?")}));
  EXPECT_TRUE(Inalterado());
}

TEST_F(Palvedo, IncluirDoCatalogoPorTipoDeImovel) {
  // The catalogue: the user's copy that the catalogue editor keeps.
  auto entrada = [](const char* nome, const char* desc, int tipo, int decimais, int imovel) {
    Var v{};
    v.SetNome(QString::fromUtf8(nome));
    v.SetDescricao(QString::fromUtf8(desc));
    v.tipo = tipo;
    v.casasDecimais = decimais;
    v.tipoImovel = imovel;
    return v;
  };
  const Var catalogo[] = {
      entrada("Área construída", "Área privativa em m²", 4, 3, 2),
      entrada("Andar", "Andar do apartamento", 4, 0, 1),
      entrada("Padrão", "Padrão construtivo", 3, 0, 2),
  };
  const QString arquivo = CaminhoCatalogoUsuario();
  QDir().mkpath(QFileInfo(arquivo).path());
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(reinterpret_cast<const char*>(catalogo), sizeof catalogo);
  f.close();

  ModeloTeste m = ModeloTeste::Cria(3, 2, 1);  // property type 2, "Casas"
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {
    QListWidget* comuns = Lista(d, 1008);
    auto* seta = qobject_cast<QAbstractSpinBox*>(plat::Controle(d, 1011));
    ASSERT_NE(seta, nullptr);
    EXPECT_EQ(plat::Texto(d, 1006), QStringLiteral("Variáveis - Casas"));
    ASSERT_EQ(comuns->count(), 2);
    // Names in byte order of the code page: "P" comes before "Á".
    EXPECT_EQ(comuns->item(0)->text(), QStringLiteral("Padrão"));
    EXPECT_EQ(comuns->item(1)->text(), QStringLiteral("Área construída"));
    seta->stepBy(-1);
    EXPECT_EQ(plat::Texto(d, 1006), QStringLiteral("Variáveis - Apartamentos"));
    ASSERT_EQ(comuns->count(), 1);
    EXPECT_EQ(comuns->item(0)->text(), QStringLiteral("Andar"));
    seta->stepBy(-1);  // already the first type
    EXPECT_EQ(plat::Texto(d, 1006), QStringLiteral("Variáveis - Apartamentos"));
    for (int i = 0; i < 8; ++i) seta->stepBy(1);
    EXPECT_EQ(plat::Texto(d, 1006), QStringLiteral("Variáveis - Outras Tipologias"));
    EXPECT_EQ(comuns->count(), 0);
    for (int i = 0; i < 5; ++i) seta->stepBy(-1);
    EXPECT_EQ(plat::Texto(d, 1006), QStringLiteral("Variáveis - Casas"));
    // Enter on the common list with nothing chosen adds nothing.
    comuns->clearSelection();
    comuns->setCurrentItem(nullptr);
    QTest::keyClick(comuns, Qt::Key_Return);
    EXPECT_EQ(plat::Texto(d, 1016), QStringLiteral("0"));
    comuns->setCurrentRow(1);
    // Entering the list shows the chosen name in the edit.
    QFocusEvent entrada(QEvent::FocusIn);
    QApplication::sendEvent(comuns, &entrada);
    EXPECT_EQ(plat::Texto(d, 1000), QStringLiteral("Área construída"));
    QTest::keyClick(comuns, Qt::Key_Return);
    EXPECT_EQ(plat::Texto(d, 1016), QStringLiteral("1"));
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(2), 1);
  QFile::remove(arquivo);

  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65572), 4);
  EXPECT_EQ(QString::fromLatin1(b.constData() + 1120 + 31 * 2), QStringLiteral("Área construída"));
  EXPECT_EQ(QString::fromLatin1(b.constData() + 2980 + 601 * 2), QStringLiteral("Área privativa em m²"));
  EXPECT_EQ(I32(b, 40300 + 4 * 2), 5);  // the catalogue's "Quantitativa"
  EXPECT_EQ(I32(b, 40780 + 4 * 2), 3);
  EXPECT_EQ(I32(b, 40060 + 4 * 2), 1);
  ConfereResultadosAnulados(b);
}

// -------------------------------------------------------- operate on records

TEST_F(Palvedo, OperarDadosPeloDialogo) {
  struct Caso {
    const char* nome;
    int comparacao;           // row of combo 1004
    const char* parametro;    // null: the initial "0,00"
    int opcao;                // 1050, 1051 or 1005
    const char* conversao;
    std::vector<int> excluidos;   // byte 1506 per record afterwards
    std::vector<double> valores;  // slot 0 afterwards
  } casos[] = {
      {"inicial_0_00", 0, nullptr, 1051, "", {1, 1, 1, 1, 1}, {50, 100, 100.00001, 150, 12.25}},
      {"desconsiderar_maior_igual", 0, "100", 1051, "", {0, 1, 1, 1, 0}, {50, 100, 100.00001, 150, 12.25}},
      {"igual_exato", 2, "100", 1051, "", {0, 1, 0, 0, 0}, {50, 100, 100.00001, 150, 12.25}},
      {"virgula_decimal", 1, "12,5", 1051, "", {0, 0, 0, 0, 1}, {50, 100, 100.00001, 150, 12.25}},
      {"ponto_para_a_leitura", 1, "12.5", 1051, "", {0, 0, 0, 0, 0}, {50, 100, 100.00001, 150, 12.25}},
      {"converter", 0, "150", 1005, "7,5", {0, 0, 0, 0, 0}, {50, 100, 100.00001, 7.5, 12.25}},
  };
  for (const Caso& k : casos) {
    ModeloTeste m = ModeloTeste::Cria(3, 5, 1);
    const double x[] = {50, 100, 100.00001, 150, 12.25};
    for (int i = 0; i < 5; ++i) m.reg.dados[std::size_t(i)].valor[0] = x[i];
    Grava(m);
    plat::GravadorMensagens mensagens(plat::IDYES);
    plat::RoteiroPara(QStringLiteral("dlg148"), [&](QDialog& d) {
      EXPECT_EQ(plat::Texto(d, 1000), QStringLiteral("0,00"));
      EXPECT_TRUE(plat::Marcado(d, 1051));
      EXPECT_FALSE(plat::Habilitado(d, 1002));
      plat::SelecionaItem(d, 1004, k.comparacao);
      if (k.parametro) plat::DefineTexto(d, 1000, QString::fromLatin1(k.parametro));
      plat::Pressiona(d, k.opcao);
      EXPECT_EQ(plat::Habilitado(d, 1002), k.opcao == 1005);
      plat::DefineTexto(d, 1002, QString::fromLatin1(k.conversao));
      plat::Pressiona(d, 1);
    });
    EXPECT_EQ(Chama(3), 1) << k.nome;
    EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Deseja efetuar a Operação ?")});
    const QByteArray b = Arquivo();
    int considerados = 5;
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(int(b[Dado(i) + 1506]), k.excluidos[std::size_t(i)]) << k.nome << " registro " << i;
      EXPECT_EQ(F64(b, Dado(i)), k.valores[std::size_t(i)]) << k.nome << " registro " << i;
      considerados -= k.excluidos[std::size_t(i)];
    }
    EXPECT_EQ(I32(b, 65576), 5);
    EXPECT_EQ(I32(b, 65580), considerados) << k.nome;
    ConfereResultadosAnulados(b);
  }
}

TEST_F(Palvedo, OperarDadosExcluir2e4DeixaOsPesosDe1_3e5) {
  ModeloTeste m = ModeloTeste::Cria(3, 5, 2, true);
  const double x[] = {1, 20, 3, 40, 5};
  for (int i = 0; i < 5; ++i) m.reg.dados[std::size_t(i)].valor[0] = x[i];
  Grava(m);
  const QByteArray antes = Arquivo();
  ASSERT_EQ(I32(antes, 408708), 20);

  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg148"), [&](QDialog& d) {
    plat::DefineTexto(d, 1000, QStringLiteral("10"));
    plat::Pressiona(d, 1050);
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(3), 1);
  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65576), 3);
  EXPECT_EQ(I32(b, 65580), 3);
  const int mantidos[] = {1, 3, 5};
  for (int a = 0; a < 3; ++a)
    EXPECT_EQ(std::memcmp(b.constData() + Dado(a), antes.constData() + Dado(mantidos[a] - 1), 2512), 0) << a;
  // The appraisal records are untouched.
  for (int p = 0; p < 2; ++p)
    EXPECT_EQ(std::memcmp(b.constData() + Avaliando(b, p), antes.constData() + Avaliando(antes, p), 1728), 0);
  // W: exactly the weights among records 1, 3 and 5.
  std::set<std::tuple<double, int, int>> pesos, esperados;
  const int K = I32(b, 408708);
  const long long inicio = Avaliando(b, 2);
  ASSERT_EQ(b.size(), inicio + 16LL * K);
  for (int e = 0; e < K; ++e)
    pesos.insert({F64(b, inicio + 16 * e), I32(b, inicio + 16 * e + 8), I32(b, inicio + 16 * e + 12)});
  for (int a = 0; a < 3; ++a)
    for (int c = 0; c < 3; ++c)
      if (a != c) esperados.insert({10.0 * mantidos[a] + mantidos[c], a + 1, c + 1});
  EXPECT_EQ(pesos, esperados);
  ConfereResultadosAnulados(b);
}

TEST_F(Palvedo, ParametrosMostradosComQuatroDecimaisAoSairDaEdicao) {
  struct Caso {
    const char* dialogo;
    int ordinal, edicao;
    const char* digitado;
    const char* mostrado;
  } casos[] = {
      {"dlg148", 3, 1000, "12.5", "12,0000      "},
      {"dlg148", 3, 1000, "-3,14159", "-3,1416      "},
      {"dlg148", 3, 1002, "abc", "0,0000       "},
      {"dlg146", 4, 1000, "1234567,891", "1234567,8910 "},
      // Longer than the 18 characters the user may type: shown whole, so the
      // number read back at apply is the one shown.
      {"dlg148", 3, 1000, "1e18", "1000000000000000000,0000"},
      {"dlg146", 4, 1000, "-1e17", "-100000000000000000,0000"},
  };
  ModeloTeste m = ModeloTeste::Cria(3, 1, 0);
  Grava(m);
  for (const Caso& k : casos) {
    plat::GravadorMensagens mensagens(plat::IDYES);
    plat::RoteiroPara(QString::fromLatin1(k.dialogo), [&](QDialog& d) {
      plat::DefineTexto(d, k.edicao, QString::fromLatin1(k.digitado));
      QFocusEvent saida(QEvent::FocusOut);
      QApplication::sendEvent(plat::Controle(d, k.edicao), &saida);
      EXPECT_EQ(plat::Texto(d, k.edicao), QString::fromLatin1(k.mostrado)) << k.digitado;
      if (k.edicao == 1000) {
        // What the user types is still cut at 18 characters, and a shown text
        // longer than that can still be shortened by hand.
        auto* e = qobject_cast<QLineEdit*>(plat::Controle(d, k.edicao));
        e->setEnabled(true);
        e->setFocus();
        e->end(false);
        QTest::keyClick(e, Qt::Key_Backspace);
        EXPECT_EQ(e->text(), QString::fromLatin1(k.mostrado).chopped(1)) << k.digitado;
        e->clear();
        QTest::keyClicks(e, QStringLiteral("12345678901234567890"));
        EXPECT_EQ(e->text(), QStringLiteral("123456789012345678")) << k.dialogo;
      }
      plat::Pressiona(d, 2);
    });
    EXPECT_EQ(Chama(k.ordinal), 0);
  }
  EXPECT_TRUE(Inalterado());
}

TEST_F(Palvedo, OperarDadosConfirmacaoNaoDeixaODialogo) {
  ModeloTeste m = ModeloTeste::Cria(3, 2, 0);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDNO);
  plat::RoteiroPara(QStringLiteral("dlg148"), [&](QDialog& d) {
    plat::Pressiona(d, 1);
    EXPECT_TRUE(d.isVisible());
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(Chama(3), 0);
  EXPECT_TRUE(Inalterado());
}

// -------------------------------------------------------- operate on variables

TEST_F(Palvedo, OperarVariaveisPeloDialogo) {
  ModeloTeste m = ModeloTeste::Cria(4, 2, 1);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg146"), [&](QDialog& d) {
    EXPECT_EQ(Lista(d, 1007)->currentRow(), 0);
    EXPECT_EQ(Lista(d, 1008)->currentRow(), 1);
    EXPECT_EQ(plat::Texto(d, 1000), QStringLiteral("0,00"));
    EXPECT_FALSE(plat::Habilitado(d, 1000));
    EXPECT_TRUE(plat::Habilitado(d, 1008));
    plat::SelecionaItem(d, 1036, 4);  // "Log"
    for (int id : {1000, 1001, 1003, 1008, 1045}) EXPECT_FALSE(plat::Habilitado(d, id)) << id;
    plat::SelecionaItem(d, 1036, 2);  // "*"
    EXPECT_TRUE(plat::Habilitado(d, 1045));
    EXPECT_TRUE(plat::Habilitado(d, 1008));
    plat::SelecionaItem(d, 1045, 1);  // "Parâmetro X"
    EXPECT_TRUE(plat::Habilitado(d, 1000));
    EXPECT_FALSE(plat::Habilitado(d, 1008));
    plat::DefineTexto(d, 1000, QStringLiteral("2,5"));
    plat::Pressiona(d, 1);  // no name yet
    EXPECT_TRUE(d.isVisible());
    plat::DefineTexto(d, 1002, QStringLiteral("Produto"));
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(4), 1);
  EXPECT_EQ(mensagens.Textos(), (QStringList{QStringLiteral("Nome para variável inválido !"),
                                             QStringLiteral("Deseja efetuar a Operação ?")}));
  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65572), 5);
  EXPECT_EQ(Nome(b, 3), QStringLiteral("Produto"));
  EXPECT_EQ(Nome(b, 4), QStringLiteral("Var3"));
  for (int i = 0; i < 2; ++i) {
    EXPECT_DOUBLE_EQ(F64(b, Dado(i) + 8 * 3), ModeloTeste::ValorDado(i, 0) * 2.5);
    EXPECT_EQ(F64(b, Dado(i) + 8 * 4), ModeloTeste::ValorDado(i, 3));
  }
  EXPECT_DOUBLE_EQ(F64(b, Avaliando(b, 0) + 8 * 3), ModeloTeste::ValorAvaliando(0, 0) * 2.5);
  ConfereResultadosAnulados(b);
}

TEST_F(Palvedo, OperarVariaveisDivisaoPorZero) {
  struct Caso {
    const char* nome;
    int dados;
    int esperado;
  } casos[] = {{"com_dados_falha", 2, 0}, {"sem_dados_grava_zero", 0, 1}};
  for (const Caso& k : casos) {
    ModeloTeste m = ModeloTeste::Cria(3, k.dados, 2);
    Grava(m);
    plat::GravadorMensagens mensagens(plat::IDYES);
    plat::RoteiroPara(QStringLiteral("dlg146"), [&](QDialog& d) {
      plat::SelecionaItem(d, 1036, 3);  // "/"
      plat::SelecionaItem(d, 1045, 1);  // "Parâmetro X"
      plat::DefineTexto(d, 1000, QStringLiteral("0"));
      plat::DefineTexto(d, 1002, QStringLiteral("Razao"));
      plat::Pressiona(d, 1);
    });
    EXPECT_EQ(Chama(4), k.esperado) << k.nome;
    if (k.esperado == 0) {
      EXPECT_EQ(mensagens.Textos().last(), QStringLiteral("Operação matemática ilegal !"));
      EXPECT_TRUE(Inalterado()) << k.nome;
    } else {
      const QByteArray b = Arquivo();
      EXPECT_EQ(I32(b, 65572), 4);
      for (int p = 0; p < 2; ++p) EXPECT_EQ(F64(b, Avaliando(b, p) + 8 * 2), 0.0);
      ConfereResultadosAnulados(b);
    }
  }
}

TEST_F(Palvedo, OperarVariaveisComSessentaRecusa) {
  ModeloTeste m = ModeloTeste::Cria(60, 1, 0);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg146"), [&](QDialog& d) {
    plat::DefineTexto(d, 1002, QStringLiteral("C"));
    plat::Pressiona(d, 1);
    EXPECT_TRUE(d.isVisible());
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(Chama(4), 0);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Número máximo de variáveis = 60 !")});
  EXPECT_TRUE(Inalterado());
}

// ------------------------------------------------------------ damaged input

// A header that fails its checks (a variable count of INT_MIN) is refused
// before any dialog is built from it; the file stays as it was.
TEST_F(Palvedo, CabecalhoDanificadoRecusadoAntesDeMontarODialogo) {
  ModeloTeste m = ModeloTeste::Cria(3, 2, 0);
  m.cab->SetI32(65572, INT_MIN);
  Grava(m);
  for (int ordinal = 1; ordinal <= 4; ++ordinal) {
    plat::GravadorMensagens mensagens(plat::IDYES);
    bool aberto = false;
    for (const char* nome : {"dlg130", "dlg131", "dlg148", "dlg146"})
      plat::RoteiroPara(QString::fromLatin1(nome), [&](QDialog&) { aberto = true; });
    EXPECT_EQ(Chama(ordinal), 0) << ordinal;
    EXPECT_FALSE(aberto) << ordinal;
    EXPECT_EQ(mensagens.Textos(), QStringList{plat::Texto(3044)}) << ordinal;
    plat::LimpaRoteiros();
  }
  EXPECT_TRUE(Inalterado());
}

// A property type out of 1..7 (INT_MIN here) opens the include dialog on the
// first type, not on whatever an overflowed subtraction gives.
TEST_F(Palvedo, IncluirComTipoDeImovelDanificado) {
  ModeloTeste m = ModeloTeste::Cria(3, 1, 0);
  m.cab->SetI32(364, INT_MIN);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  QString titulo;
  plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {
    titulo = plat::Texto(d, 1006);
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(Chama(2), 0);
  EXPECT_EQ(titulo, QString::fromUtf8("Variáveis - Apartamentos"));
  EXPECT_TRUE(Inalterado());
}

// Removing records from a header whose counts were damaged (0 considered,
// more validation records than the file holds) leaves counts that agree with
// the records, and the program opens the file again.
TEST_F(Palvedo, OperarDadosDeixaUmArquivoQueAbre) {
  ModeloTeste m = ModeloTeste::Cria(3, 6, 1);
  for (int i = 0; i < 6; ++i) m.reg.dados[std::size_t(i)].valor[0] = i;
  m.reg.dados[1].validacao = 1;
  m.reg.dados[5].validacao = 1;
  m.reg.dados[2].excluido = 1;
  m.cab->SetI32(65580, 0);
  m.cab->SetI32(408240, 6);
  Grava(m);
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg148"), [&](QDialog& d) {
    plat::DefineTexto(d, 1000, QStringLiteral("4"));
    plat::Pressiona(d, 1050);  // remove the records with x >= 4
    plat::Pressiona(d, 1);
  });
  ASSERT_EQ(Chama(3), 1);
  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65576), 4);
  EXPECT_EQ(I32(b, 65580), 3);
  EXPECT_EQ(I32(b, 408240), 1);
  CTarsolinDoc doc;
  EXPECT_TRUE(doc.AbreArquivo(caminho_));
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Deseja efetuar a Operação ?")});
}

// A number typed that is not finite ("1e999" reads as infinity) is refused in
// every edit that is read: the dialog stays open and nothing is written.
TEST_F(Palvedo, ParametroInfinitoRecusado) {
  struct Caso {
    const char* dialogo;
    int ordinal;
    void (*prepara)(QDialog&);
    int edicao;
  } casos[] = {
      {"dlg148", 3, [](QDialog&) {}, 1000},
      {"dlg148", 3, [](QDialog& d) { plat::Pressiona(d, 1005); }, 1002},
      {"dlg146", 4,
       [](QDialog& d) {
         plat::SelecionaItem(d, 1045, 1);  // "Parâmetro X"
         plat::DefineTexto(d, 1002, QStringLiteral("C"));
       },
       1000},
  };
  ModeloTeste m = ModeloTeste::Cria(3, 2, 1);
  Grava(m);
  for (const Caso& k : casos) {
    plat::GravadorMensagens mensagens(plat::IDYES);
    bool aberto = false;
    plat::RoteiroPara(QString::fromLatin1(k.dialogo), [&](QDialog& d) {
      k.prepara(d);
      plat::DefineTexto(d, k.edicao, QStringLiteral("1e999"));
      QFocusEvent saida(QEvent::FocusOut);
      QApplication::sendEvent(plat::Controle(d, k.edicao), &saida);
      EXPECT_EQ(plat::Texto(d, k.edicao), QStringLiteral("1e999")) << k.dialogo;  // not shown as "inf"
      plat::Pressiona(d, 1);
      aberto = d.isVisible();
      plat::Pressiona(d, 2);
    });
    EXPECT_EQ(Chama(k.ordinal), 0) << k.dialogo;
    EXPECT_TRUE(aberto) << k.dialogo;
    EXPECT_EQ(mensagens.Textos(), QStringList{QString::fromUtf8("Valor numérico inválido !")}) << k.dialogo;
    EXPECT_TRUE(Inalterado()) << k.dialogo;
  }
}

// A model with only the dependent has no variable B: "Log" reads none and
// runs; "+" with operand B says why it cannot.
TEST_F(Palvedo, OperarVariaveisSemVariavelB) {
  ModeloTeste m = ModeloTeste::Cria(1, 2, 1);
  Grava(m);
  {
    plat::GravadorMensagens mensagens(plat::IDYES);
    plat::RoteiroPara(QStringLiteral("dlg146"), [&](QDialog& d) {
      EXPECT_EQ(Lista(d, 1008)->currentRow(), -1);
      plat::DefineTexto(d, 1002, QStringLiteral("Soma"));
      plat::Pressiona(d, 1);
      EXPECT_TRUE(d.isVisible());
      plat::Pressiona(d, 2);
    });
    EXPECT_EQ(Chama(4), 0);
    EXPECT_EQ(mensagens.Textos(), QStringList{QString::fromUtf8("Selecione a variável B !")});
    EXPECT_TRUE(Inalterado());
  }
  plat::GravadorMensagens mensagens(plat::IDYES);
  plat::RoteiroPara(QStringLiteral("dlg146"), [&](QDialog& d) {
    plat::SelecionaItem(d, 1036, 4);  // "Log"
    plat::DefineTexto(d, 1002, QStringLiteral("LogV"));
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(Chama(4), 1);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Deseja efetuar a Operação ?")});
  const QByteArray b = Arquivo();
  EXPECT_EQ(I32(b, 65572), 2);
  EXPECT_EQ(Nome(b, 0), QStringLiteral("LogV"));
  EXPECT_DOUBLE_EQ(F64(b, Dado(1)), std::log(ModeloTeste::ValorDado(1, 0)));
}

}  // namespace
