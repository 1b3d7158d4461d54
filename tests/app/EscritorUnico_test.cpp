// A model file has one writer: a second process cannot open a model that is
// open, a file another program changed is never written over (the model can
// be saved under another name), a write-protected file is refused, a failed
// save says why, holes stay holes and killed writes leave no debris.
#include "DriversCalculo.h"
#include "TesteDocumento.h"
#include "tests/support/OutraInstancia.h"

#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using teste::EmOutroProcesso;
using teste::LeArquivo;
using teste::Modelo;

namespace {

constexpr qsizetype TamCab = qsizetype(CabecalhoModelo::Tamanho);

const QString kAlterado = QStringLiteral(
    "O arquivo %1 foi alterado por outro programa depois que o modelo foi lido. Nada foi gravado sobre ele, "
    "para não perder nenhuma das alterações.\n\nDeseja salvar o modelo com outro nome (Salvar como)?");
const QString kEmUso = QStringLiteral(
    "%1\nO modelo está aberto em outro programa (outra cópia do Tarsolin, talvez em outro computador). Feche-o lá "
    "antes de abri-lo aqui.");
const QString kProtegido =
    QStringLiteral("Acesso ao arquivo negado! Verifique se o arquivo está protegido contra gravação.");
const QString kFalhou = QStringLiteral("Não foi possível salvar o arquivo %1.\n%2");

QString Nativo(const QString& c) { return QDir::toNativeSeparators(c); }

// The program's own document services.
struct ServicosDoPrograma : ServicosDocumentoApp {
  ServicosDoPrograma() : ServicosDocumentoApp(nullptr) {}
};

class EscritorUnico : public teste::TesteDocumento<ServicosDoPrograma> {
protected:
  // Another program, which knows nothing of locks, puts `bytes` at `c`:
  // a new file renamed over it, or the same file rewritten.
  static void OutroPrograma(const QString& c, const QByteArray& bytes, bool substitui) {
    if (substitui) {
      ASSERT_TRUE(teste::GravaBytes(c + ".novo", bytes));
      ASSERT_EQ(::rename(QFile::encodeName(c + ".novo").constData(), QFile::encodeName(c).constData()), 0);
    } else {
      ASSERT_TRUE(teste::GravaBytes(c, bytes));
    }
  }
  // The save-as dialog names `destino` and is accepted.
  void SalvarComoEscolhe(const QString& destino) {
    plat::RoteiroPara("dlgSalvarModelo", [destino](QDialog& d) {
      static_cast<QFileDialog&>(d).selectFile(destino);
      d.accept();
    });
  }
  QStringList Entradas() const {
    return QDir(pasta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }

};

// A model open here is refused to another process, also after a save put a
// new file in its place; closing it frees it.
TEST_F(EscritorUnico, OutroProcessoNaoAbreModeloAberto) {
  Modelo m(4, 1);
  const QString c = GravaModelo("modelo.tsn", m);
  auto abreNoOutro = [&](bool esperaAbrir) {
    return EmOutroProcesso([&] {
      plat::GravadorMensagens msgs;
      CTarsolinDoc outro;
      const bool aberto = outro.OnOpenDocument(c);
      if (esperaAbrir) return aberto && msgs.Textos().isEmpty();
      return !aberto && msgs.Textos() == QStringList{kEmUso.arg(Nativo(c))} && outro.GetCabecalho() == nullptr;
    });
  };
  {
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(c));
    EXPECT_TRUE(abreNoOutro(false));
    doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Salvo aqui");
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoSave(c));
    EXPECT_TRUE(abreNoOutro(false)) << "the lock follows the new file";
    ASSERT_TRUE(doc.CarregaRegistros());
    ASSERT_TRUE(doc.DoSave(c));
    EXPECT_TRUE(abreNoOutro(false));
    doc.OnCloseDocument();
    EXPECT_TRUE(abreNoOutro(true));
  }
  // The other way round: the model open in another instance is refused here.
  teste::OutraInstancia outra(c);
  ASSERT_TRUE(outra.Aberto());
  plat::GravadorMensagens msgs;
  CTarsolinDoc doc;
  EXPECT_FALSE(doc.AbreArquivo(c));
  EXPECT_EQ(msgs.Textos(), QStringList{kEmUso.arg(Nativo(c))});
  outra.Termina();
  EXPECT_TRUE(doc.AbreArquivo(c));
}

// Another program changed the file after it was read: no save writes over
// it (the other program's file stays byte for byte), the user is told and
// may save the model under another name, with its own records.
TEST_F(EscritorUnico, ArquivoAlteradoNoDiscoNaoEGravadoEOfereceSalvarComo) {
  struct Caso {
    const char* nome;
    bool substitui;   // a new file put in its place, else rewritten in place
    bool carregados;  // the records are in memory
    bool salvaComo;   // the records can still be had for "Salvar como"
  };
  const Caso casos[] = {
      {"substituido", true, false, true},
      {"substituido, registros carregados", true, true, true},
      {"reescrito no lugar, registros carregados", false, true, true},
      {"reescrito no lugar", false, false, false},
  };
  int n = 0;
  for (const Caso& k : casos) {
    SCOPED_TRACE(k.nome);
    Modelo a(5, 2);
    const QString c = GravaModelo(QStringLiteral("modelo%1.tsn").arg(n), a);
    const QString outroNome = Caminho(QStringLiteral("salvo%1.tsn").arg(n++));
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(c));
    if (k.carregados) {
      ASSERT_TRUE(doc.CarregaRegistros());
      doc.GetDados()[1].valor[2] = 4321.5;
    }
    doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Mudado aqui");
    doc.SetModifiedFlag(true);
    // The other program's model: another variable count and fewer records.
    Modelo b(3, 0);
    b.cab->SetI32(CabecalhoModelo::OffNumVariaveis, 2);
    const QString temp = Caminho("b.tmp");
    ASSERT_TRUE(b.Grava(temp));
    const QByteArray deOutro = LeArquivo(temp);
    QFile::remove(temp);
    OutroPrograma(c, deOutro, k.substitui);

    {
      plat::GravadorMensagens msgs(plat::IDNO);
      EXPECT_FALSE(doc.DoSave(c));
      EXPECT_EQ(msgs.Textos(), QStringList{kAlterado.arg(Nativo(c))});
      EXPECT_EQ(LeArquivo(c), deOutro);
      EXPECT_TRUE(doc.IsModified());
    }
    plat::GravadorMensagens msgs(plat::IDYES);
    SalvarComoEscolhe(outroNome);
    EXPECT_EQ(doc.DoSave(c), k.salvaComo);
    EXPECT_EQ(LeArquivo(c), deOutro);
    if (!k.salvaComo) {
      EXPECT_EQ(msgs.Textos(), (QStringList{kAlterado.arg(Nativo(c)),
                                            kFalhou.arg(Nativo(outroNome), "Os registros do modelo não puderam ser lidos.")}));
      EXPECT_FALSE(QFileInfo::exists(outroNome));
      continue;
    }
    EXPECT_EQ(msgs.Textos(), QStringList{kAlterado.arg(Nativo(c))});
    EXPECT_EQ(doc.GetPathName(), outroNome);
    EXPECT_FALSE(doc.IsModified());
    // The model as this document had it: its header, its five records.
    auto cab = std::make_unique<CabecalhoModelo>();
    ASSERT_TRUE(LeCabecalhoModelo(outroNome, cab.get()));
    EXPECT_EQ(cab->Texto(CabecalhoModelo::OffNome, 51), QStringLiteral("Mudado aqui"));
    ASSERT_EQ(cab->NumDados(), 5);
    ASSERT_EQ(cab->NumDadosP(), 2);
    std::vector<dado> d(5);
    std::vector<dadoP> p(2);
    ASSERT_TRUE(LeRegistrosModelo(outroNome, cab.get(), d.data(), p.data()));
    EXPECT_EQ(d[1].valor[2], k.carregados ? 4321.5 : 1001.0);
    EXPECT_EQ(d[4].valor[0], 41.0);
    EXPECT_EQ(p[1].valor[0], 11.0);
  }
}

// The records of a file another program rewrote are not taken for the
// model's, and no regression is started on it: the library would rewrite it.
TEST_F(EscritorUnico, ArquivoAlteradoNaoVaiParaRegressao) {
  Modelo a(5, 0);
  const QString c = GravaModelo("modelo.tsn", a);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  Modelo b(5, 0);
  for (dado& d : b.dados) d.valor[2] = -1.0;
  const QString temp = Caminho("b.tmp");
  ASSERT_TRUE(b.Grava(temp));
  const QByteArray deOutro = LeArquivo(temp);
  QFile::remove(temp);
  OutroPrograma(c, deOutro, false);  // same size, rewritten in place
  EXPECT_FALSE(doc.ArquivoInalterado());
  // The records in place now belong to another header: not loaded.
  EXPECT_FALSE(doc.CarregaRegistros());
  plat::GravadorMensagens msgs(plat::IDNO);
  EXPECT_FALSE(drivers::RegressaoLinear(doc));
  EXPECT_EQ(msgs.Textos(), QStringList{kAlterado.arg(Nativo(c))});
  EXPECT_EQ(LeArquivo(c), deOutro);
}

// A model made read-only while open: Ctrl+S (records on disk or loaded) is
// refused with 3000 and the file keeps its bytes and its mode. The rule is
// the file's own permission bits, also for root, who could write anything.
TEST_F(EscritorUnico, ArquivoSomenteLeituraNaoESubstituido) {
  for (bool carregados : {false, true}) {
    SCOPED_TRACE(carregados);
    Modelo m(4, 1);
    const QString c = GravaModelo(carregados ? "carregado.tsn" : "no_disco.tsn", m);
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(c));
    if (carregados) {
      ASSERT_TRUE(doc.CarregaRegistros());
      doc.GetDados()[0].valor[0] = 5.5;
    }
    doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Protegido");
    doc.SetModifiedFlag(true);
    const QByteArray antes = LeArquivo(c);
    ASSERT_EQ(::chmod(QFile::encodeName(c).constData(), 0444), 0);
    plat::GravadorMensagens msgs;
    EXPECT_FALSE(doc.DoSave(c));
    EXPECT_EQ(msgs.Textos(), QStringList{kProtegido});
    EXPECT_EQ(LeArquivo(c), antes);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(c).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_TRUE(doc.IsModified());
  }
}

// A failed save says why.
TEST_F(EscritorUnico, FalhaAoSalvarDizOMotivo) {
  Modelo m(3, 0);
  const QString c = GravaModelo("modelo.tsn", m);
  const QString pastaDestino = Caminho("pasta.tsn");
  ASSERT_TRUE(QDir().mkdir(pastaDestino));
  const QString ciclo = Caminho("ciclo.tsn");
  ASSERT_TRUE(QFile::link(Caminho("volta.tsn"), ciclo));
  ASSERT_TRUE(QFile::link(ciclo, Caminho("volta.tsn")));
  struct Caso {
    const char* nome;
    QString destino;
    long long discoCheioApos;  // -1: the disk has room
    QString motivo;
  };
  const Caso casos[] = {
      {"disco cheio", c, 1000, QStringLiteral("Não há espaço livre no disco.")},
      {"uma pasta", pastaDestino, -1, QStringLiteral("O nome indicado é uma pasta, não um arquivo.")},
      {"link em ciclo", ciclo, -1, QStringLiteral("O nome indicado é um link simbólico em ciclo.")},
  };
  const QByteArray antes = LeArquivo(c);
  for (const Caso& k : casos) {
    SCOPED_TRACE(k.nome);
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(c));
    ASSERT_TRUE(doc.CarregaRegistros());
    doc.GetDados()[0].valor[0] = 77.0;
    doc.SetModifiedFlag(true);
    plat::GravadorMensagens msgs;
    plat::SimulaFalhaGravacao(k.discoCheioApos);
    EXPECT_FALSE(doc.DoSave(k.destino));
    plat::SimulaFalhaGravacao(-1);
    EXPECT_EQ(msgs.Textos(), QStringList{kFalhou.arg(Nativo(k.destino), k.motivo)});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(LeArquivo(c), antes);
  }
  EXPECT_TRUE(QFileInfo(pastaDestino).isDir());
  EXPECT_TRUE(QFileInfo(ciclo).isSymLink());
}

// A model whose file has a hole after its records (a sparse file) keeps the
// hole when a save copies the rest of the file.
TEST_F(EscritorUnico, SalvarMantemOArquivoEsparso) {
  Modelo m(3, 1);
  const QString c = GravaModelo("esparso.tsn", m);
  const qint64 buraco = 32LL << 20;
  {
    QFile f(c);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(f.size() + buraco));
    ASSERT_EQ(f.write("fim!", 4), 4);
  }
  const QByteArray antes = LeArquivo(c);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Esparso");
  doc.SetModifiedFlag(true);
  ASSERT_TRUE(doc.DoSave(c));
  const QByteArray depois = LeArquivo(c);
  ASSERT_EQ(depois.size(), antes.size());
  EXPECT_EQ(depois.mid(TamCab), antes.mid(TamCab));
  EXPECT_EQ(QByteArray(depois.constData() + CabecalhoModelo::OffNome), QByteArray("Esparso"));
  struct stat st;
  ASSERT_EQ(::stat(QFile::encodeName(c).constData(), &st), 0);
  EXPECT_LT(static_cast<long long>(st.st_blocks) * 512, 4LL << 20) << "the hole was written out";
}

// Temporary files a killed write left beside a model go when the model is
// next opened, not while another instance holds it open; other files stay.
TEST_F(EscritorUnico, TemporariosAbandonadosRemovidosAoAbrir) {
  Modelo m(3, 0);
  const QString c = GravaModelo("modelo.tsn", m);
  const QStringList abandonados = {".modelo.tsn.Ab12Cd", ".modelo.tsn.zz9XQ0"};
  const QStringList outros = {".modelo.tsn.abc", "modelo.tsn.Ab12Cd", ".outro.tsn.Ab12Cd", ".modelo.tsn.Ab12Cd7"};
  for (const QString& n : abandonados + outros) ASSERT_TRUE(teste::GravaBytes(Caminho(n), QByteArray(70000, 'x')));
  QStringList todos = Entradas();
  {
    teste::OutraInstancia outra(c);
    ASSERT_TRUE(outra.Aberto());
    // The other instance removed them when it opened the model: put back,
    // as if its own write were running.
    for (const QString& n : abandonados) ASSERT_TRUE(teste::GravaBytes(Caminho(n), QByteArray(70000, 'x')));
    plat::GravadorMensagens msgs;
    CTarsolinDoc doc;
    EXPECT_FALSE(doc.AbreArquivo(c));
    EXPECT_EQ(Entradas(), todos);
  }
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  for (const QString& n : abandonados) todos.removeAll(n);
  EXPECT_EQ(Entradas(), todos);
}

}  // namespace
