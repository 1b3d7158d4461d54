// The model document: open, save in its four ways, lazy records, W from the
// coordinates, the password prompt, new models and converted names.
#include "AlvoComando.h"
#include "CInputSenha.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "ListaArquivosRecentes.h"
#include "TesteDocumento.h"

#include "model/ArquivoModelo.h"
#include "model/FormatosAntigos.h"
#include "model/CTarsolinDoc.h"
#include "model/VariaveisComuns.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Programa.h"
#include "platform/TabelaTextos.h"

#include <QDialog>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using teste::LeArquivo;
using teste::Modelo;

namespace {

constexpr qsizetype TamCab = qsizetype(CabecalhoModelo::Tamanho);

// The program's services, the wizard aside: these tests are about what the
// document does around it (the wizard's own tests drive it page by page).
struct ServicosSemAssistente : ServicosDocumentoApp {
  ServicosSemAssistente() : ServicosDocumentoApp(nullptr) {}
  bool AssistenteNovoModelo(CabecalhoModelo&, std::vector<Var>&) override { return true; }
};

using DocumentoTeste = teste::TesteDocumento<ServicosSemAssistente>;

// A refusal to open: the file's name, then the message.
QString Recusa(const QString& caminho, int mensagem) {
  return QDir::toNativeSeparators(caminho) + '\n' + plat::Texto(mensagem);
}

// Runs `f` as an ordinary user: as root every file is writable, so a
// read-only model can only be seen from another account.
bool ComoUsuarioComum(const std::function<bool()>& f) {
  if (::geteuid() != 0) return f();
  return teste::EmOutroProcesso([&] { return ::setgid(65534) == 0 && ::setuid(65534) == 0 && f(); });
}

TEST_F(DocumentoTeste, ArquivoSomenteLeituraDaMensagem3000AntesDeLerQualquerByte) {
  // Garbage content: had the file been read, the message would be 3044.
  const QString c = Caminho("somente_leitura.tsn");
  ASSERT_TRUE(teste::GravaBytes(c, QByteArray(64, 'z')));
  QFile::setPermissions(c, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
  const bool ok = ComoUsuarioComum([&] {
    plat::GravadorMensagens msgs;
    CTarsolinDoc doc;
    const bool aberto = doc.OnOpenDocument(c);
    return !aberto && msgs.Textos() == QStringList{Recusa(c, 3000)} && doc.GetCabecalho() == nullptr;
  });
  EXPECT_TRUE(ok);
}

TEST_F(DocumentoTeste, FormatosRecusados) {
  struct Caso {
    const char* nome;
    QByteArray bytes;
    int mensagem;  // 0: none
  };
  QByteArray versao2(TamCab, '\0');
  versao2.replace(0, 17, "Tarsolin 255" "09664");
  const Caso casos[] = {
      {"curto", QByteArray("Tarsolin 1"), 3044},  // cut before it could say what it is
      {"danificado", QByteArray("HEADERTS-Kolmar\0\0\0\0\0", 20), 3113},
      {"assinatura", QByteArray("Tarsolin 15509665\0\0", 19), 3044},
      {"versao2", versao2, 3044},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    const QString c = Caminho(QString(caso.nome) + ".tsn");
    ASSERT_TRUE(teste::GravaBytes(c, caso.bytes));
    plat::GravadorMensagens msgs;
    CTarsolinDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(c));
    EXPECT_EQ(msgs.Textos(), QStringList{Recusa(c, caso.mensagem)});
  }
}

TEST_F(DocumentoTeste, SalvarSemCarregarRegistrosReescreveSoOCabecalho) {
  Modelo m(4, 2);
  const QString c = GravaModelo("modelo.tsn", m);
  const QByteArray antes = LeArquivo(c);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Novo nome");
  doc.SetModifiedFlag(true);
  ASSERT_TRUE(doc.OnSaveDocument(c));
  EXPECT_FALSE(doc.IsModified());
  const QByteArray depois = LeArquivo(c);
  ASSERT_EQ(depois.size(), antes.size());
  EXPECT_EQ(depois.mid(TamCab), antes.mid(TamCab));
  EXPECT_EQ(QByteArray(depois.constData() + CabecalhoModelo::OffNome), QByteArray("Novo nome"));
  EXPECT_FALSE(doc.RegistrosCarregados());
}

// The header saved where it is, records not loaded, goes through the safe
// writer: a disk that fills at any point of the write leaves the file byte for
// byte (no header half new and half old); a model reached through a link
// stays a link.
TEST_F(DocumentoTeste, SalvarSoOCabecalhoFalhaSemEstragarOArquivo) {
  Modelo m(4, 2);
  const QString real = GravaModelo("real.tsn", m);
  const QString c = Caminho("modelo.tsn");
  ASSERT_TRUE(QFile::link(real, c));
  const QByteArray antes = LeArquivo(c);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Novo nome");
  for (long long apos : {0LL, 4096LL, 65536LL, TamCab + 100LL}) {
    SCOPED_TRACE(apos);
    doc.SetModifiedFlag(true);
    plat::SimulaFalhaGravacao(apos);
    EXPECT_FALSE(doc.OnSaveDocument(c));
    plat::SimulaFalhaGravacao(-1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(LeArquivo(c), antes);
  }
  ASSERT_TRUE(doc.OnSaveDocument(c));
  EXPECT_TRUE(QFileInfo(c).isSymLink());
  const QByteArray depois = LeArquivo(real);
  EXPECT_EQ(depois.mid(TamCab), antes.mid(TamCab));
  EXPECT_EQ(QByteArray(depois.constData() + CabecalhoModelo::OffNome), QByteArray("Novo nome"));
  EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

TEST_F(DocumentoTeste, SalvarComoSemCarregarCopiaOsRegistros) {
  Modelo m(5, 3);
  const QString c = GravaModelo("origem.tsn", m);
  const QByteArray antes = LeArquivo(c);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  const QString novo = Caminho("copia.tsn");
  ASSERT_TRUE(doc.DoSave(novo));
  EXPECT_EQ(doc.GetPathName(), novo);
  EXPECT_FALSE(doc.RegistrosCarregados());
  const QByteArray copia = LeArquivo(novo);
  ASSERT_EQ(copia.size(), antes.size());
  EXPECT_EQ(copia.mid(TamCab), antes.mid(TamCab));
  EXPECT_EQ(LeArquivo(c), antes);  // the old file is untouched
}

TEST_F(DocumentoTeste, SalvarComRegistrosCarregadosGravaOsValoresAlterados) {
  Modelo m(3, 1);
  const QString c = GravaModelo("alterado.tsn", m);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  ASSERT_TRUE(doc.CarregaRegistros());
  doc.GetDados()[1].valor[2] = 4321.5;
  doc.GetDadosP()[0].valor[1] = -9.25;
  ASSERT_TRUE(doc.OnSaveDocument(c));
  EXPECT_FALSE(doc.RegistrosCarregados());
  ASSERT_TRUE(doc.CarregaRegistros());
  EXPECT_EQ(doc.GetDados()[1].valor[2], 4321.5);
  EXPECT_EQ(doc.GetDados()[0].valor[2], 1000.0);
  EXPECT_EQ(doc.GetDadosP()[0].valor[1], -9.25);
}

TEST_F(DocumentoTeste, FalhaAoSalvarEAvisadaEODocumentoContinuaModificado) {
  Modelo m(3, 0);
  const QString c = GravaModelo("falha.tsn", m);
  const QByteArray antes = LeArquivo(c);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  ASSERT_TRUE(doc.CarregaRegistros());
  doc.GetDados()[0].valor[0] = 77.0;
  doc.SetModifiedFlag(true);
  plat::GravadorMensagens msgs;
  plat::SimulaFalhaGravacao(1000);
  EXPECT_FALSE(doc.DoSave(c));
  plat::SimulaFalhaGravacao(-1);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.RegistrosCarregados());  // the edits are still there to save again
  ASSERT_EQ(msgs.Mensagens().size(), 1u);
  EXPECT_TRUE(msgs.Textos()[0].contains("falha.tsn"));
  EXPECT_EQ(LeArquivo(c), antes);
}

// W rebuilt from the coordinates on open, whatever the file stored.
TEST_F(DocumentoTeste, ModeloEspacialReconstroiWDasCoordenadasAoAbrir) {
  const int N = 6;
  Modelo m(N, 0);
  m.cab->SetI32(CabecalhoModelo::OffEspacialCalculado, 1);
  m.cab->SetU8(408272, 0);  // elements stored by the writer
  m.W.ReSize(N, N);
  m.W = 5.0;  // distances that the coordinates do not give
  const QString c = GravaModelo("espacial.tsn", m);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  EXPECT_EQ(doc.GetCabecalho()->U8(408272), 1);
  const NEWMAT::Matrix& W = doc.GetW();
  ASSERT_EQ(W.Nrows(), N);
  ASSERT_EQ(W.Ncols(), N);
  for (int i = 0; i < N; ++i)
    for (int j = 0; j < N; ++j) {
      const double dx = m.dados[i].valor[0] - m.dados[j].valor[0];
      const double dy = m.dados[i].valor[1] - m.dados[j].valor[1];
      EXPECT_NEAR(W(i + 1, j + 1), std::hypot(dx, dy), 1e-9) << i << "," << j;
    }
}

TEST_F(DocumentoTeste, CoordenadaIndefinidaNaoConstroiW) {
  Modelo m(4, 0);
  m.cab->SetI32(408244, -1);
  const QString c = GravaModelo("semcoord.tsn", m);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  plat::GravadorMensagens msgs;
  EXPECT_FALSE(doc.CalculaMatrizW());
  EXPECT_EQ(msgs.Textos(), QStringList{plat::Texto(21004)});
  EXPECT_EQ(doc.GetW().Nrows(), 0);
  EXPECT_FALSE(doc.RegistrosCarregados());
}

TEST_F(DocumentoTeste, DistanciasDaProjecaoSoAosDadosConsiderados) {
  Modelo m(4, 2);
  m.dados[1].excluido = 1;
  m.cab->SetI32(CabecalhoModelo::OffNumConsiderados, 3);
  const QString c = GravaModelo("projecao.tsn", m);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  ASSERT_TRUE(doc.CalculaDistanciasProjecao());
  const NEWMAT::Matrix& D = doc.GetDistanciasProjecao();
  ASSERT_EQ(D.Nrows(), 2);
  ASSERT_EQ(D.Ncols(), 3);
  const int considerados[] = {0, 2, 3};
  for (int i = 0; i < 2; ++i)
    for (int k = 0; k < 3; ++k) {
      const dado& r = m.dados[considerados[k]];
      EXPECT_NEAR(D(i + 1, k + 1), std::hypot(m.dadosP[i].valor[0] - r.valor[0], m.dadosP[i].valor[1] - r.valor[1]),
                  1e-9);
    }
}

// ------------------------------------------------------------ password

struct CasoSenha {
  const char* nome;
  int modo;                   // access without the password
  std::vector<QString> tentativas;
  bool abre;
  int desbloqueado;           // byte 1116 after a successful open
  int avisos;                 // "Senha Inválida !" shown
};

class SenhaTeste : public DocumentoTeste, public ::testing::WithParamInterface<CasoSenha> {};

TEST_P(SenhaTeste, Abertura) {
  const CasoSenha& caso = GetParam();
  Modelo m(2, 0);
  m.cab->SetU8(CabecalhoModelo::OffProtegido, 1);
  m.cab->SetTexto(CabecalhoModelo::OffSenha, 13, "Segredo7");
  m.cab->SetI32(CabecalhoModelo::OffAcessoSemSenha, caso.modo);
  m.cab->SetU8(CabecalhoModelo::OffDesbloqueado, 1);  // the stored value means nothing
  const QString c = GravaModelo("protegido.tsn", m);
  const std::vector<QString> tentativas = caso.tentativas;
  bool campoVazio = true;
  plat::RoteiroPara("dlg542", [&](QDialog& d) {
    campoVazio = plat::Texto(d, 1056).isEmpty();  // the stored password is never shown
    for (const QString& t : tentativas) {
      if (!d.isVisible()) break;
      plat::DefineTexto(d, 1056, t);
      plat::Pressiona(d, 1);
    }
  });
  plat::GravadorMensagens msgs;
  CTarsolinDoc doc;
  EXPECT_EQ(doc.OnOpenDocument(c), caso.abre);
  EXPECT_TRUE(campoVazio);
  EXPECT_EQ(msgs.Textos().count("Senha Inválida !"), caso.avisos);
  if (caso.abre) { EXPECT_EQ(doc.GetCabecalho()->U8(CabecalhoModelo::OffDesbloqueado), caso.desbloqueado); }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SenhaTeste,
    ::testing::Values(CasoSenha{"CertaDePrimeira", 2, {"Segredo7"}, true, 1, 0},
                      CasoSenha{"TerceiraCertaAceita", 2, {"a", "segredo7", "Segredo7"}, true, 1, 2},
                      CasoSenha{"TresErradasModo1AbreBloqueado", 1, {"a", "b", "c"}, true, 0, 2},
                      CasoSenha{"TresErradasModo2Recusa", 2, {"a", "b", "c"}, false, 0, 2},
                      CasoSenha{"CancelarModo1AbreBloqueado", 1, {}, true, 0, 0},
                      CasoSenha{"CancelarModo2Recusa", 2, {}, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(DocumentoTeste, RemoverProtecaoApagaASenha) {
  Modelo m(2, 0);
  const QString c = GravaModelo("senha.tsn", m);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  doc.DefineProtecao(true, "abcdef", 1);
  EXPECT_EQ(doc.GetCabecalho()->Texto(CabecalhoModelo::OffSenha, 13), "abcdef");
  doc.DefineProtecao(false, QString(), 1);
  EXPECT_EQ(doc.GetCabecalho()->U8(CabecalhoModelo::OffProtegido), 0);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.GetCabecalho()->bytes + CabecalhoModelo::OffSenha), 13),
            QByteArray(13, '\0'));
}

// ------------------------------------------------------------ new model

TEST_F(DocumentoTeste, NovoModeloRecusadoNoPrimeiroSalvarEDescartado) {
  plat::GravadorMensagens msgs(plat::IDNO);
  CTarsolinDoc doc;
  EXPECT_FALSE(doc.OnNewDocument());
  ASSERT_EQ(msgs.Mensagens().size(), 1u);
  EXPECT_EQ(msgs.Mensagens()[0].estilo & 0xF, plat::MB_YESNOCANCEL);
}

// Until it is saved a new model is called "Tarsolin<n>", n counting the new
// models kept so far: the save question and the save dialog use that name.
TEST_F(DocumentoTeste, NovoModeloSemNomeChamaSeTarsolinN) {
  auto nomePerguntado = [] {
    plat::GravadorMensagens msgs(plat::IDNO);
    CTarsolinDoc doc;
    EXPECT_FALSE(doc.OnNewDocument());
    return msgs.Textos().value(0);
  };
  const QString primeiro = nomePerguntado();
  const QRegularExpression padrao("Tarsolin(\\d+)");
  const QRegularExpressionMatch m = padrao.match(primeiro);
  ASSERT_TRUE(m.hasMatch()) << primeiro.toStdString();
  const int n = m.captured(1).toInt();
  EXPECT_EQ(primeiro, plat::Texto(21001).arg(QStringLiteral("Tarsolin%1").arg(n)));
  EXPECT_EQ(nomePerguntado(), primeiro);  // a discarded model does not count

  QString proposto;
  plat::RoteiroPara("dlgSalvarModelo", [&](QDialog& d) {
    auto& dlg = static_cast<QFileDialog&>(d);
    proposto = QFileInfo(dlg.selectedFiles().value(0)).fileName();
    dlg.selectFile(Caminho("mantido.tsn"));
    d.accept();
  });
  {
    plat::GravadorMensagens msgs(plat::IDYES);
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetTitle(), "mantido.tsn");
  }
  EXPECT_TRUE(proposto.startsWith(QStringLiteral("Tarsolin%1").arg(n))) << proposto.toStdString();
  EXPECT_EQ(nomePerguntado(), plat::Texto(21001).arg(QStringLiteral("Tarsolin%1").arg(n + 1)));
}

TEST_F(DocumentoTeste, NovoModeloSalvoTemOsPadroes) {
  const QString destino = Caminho("novo.tsn");
  plat::RoteiroPara("dlgSalvarModelo", [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(destino);
    d.accept();
  });
  plat::GravadorMensagens msgs(plat::IDYES);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.GetPathName(), destino);
  EXPECT_FALSE(doc.IsModified());
  const QByteArray b = LeArquivo(destino);
  ASSERT_EQ(b.size(), TamCab);  // no records, no elements
  auto cab = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(destino, cab.get()));
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(cab->bytes), 17), QByteArray("Tarsolin 15509664"));
  EXPECT_EQ(cab->Texto(664, 101), "Tarsolin Windows 1.60");
  EXPECT_EQ(cab->I32(408728), 500);
  EXPECT_EQ(cab->I32(410416), 30);
  EXPECT_EQ(cab->F64(410424), -1.0);
  EXPECT_EQ(cab->F64(409256), 0.5);
  EXPECT_EQ(cab->I32(408280), 1);
  EXPECT_EQ(cab->I32(1068), 1700);
  EXPECT_EQ(cab->I32(41260), 2552);
  EXPECT_EQ(cab->I32(65592), 1);
}

TEST_F(DocumentoTeste, JanelasAuxiliaresLimpamSeuLugar) {
  Modelo m(2, 0);
  const QString c = GravaModelo("janelas.tsn", m);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  auto* janela = new QObject;
  doc.Janela(CTarsolinDoc::JanelaResiduos) = janela;
  EXPECT_EQ(doc.Janela(2), janela);
  for (int slot = 1; slot <= CTarsolinDoc::NumJanelas; ++slot)
    if (slot != 2) { EXPECT_TRUE(doc.Janela(slot).isNull()) << slot; }
  delete janela;
  EXPECT_TRUE(doc.Janela(2).isNull());
}

// ------------------------------------------------------------ names

// A model of the current format keeps its name whatever its extension: only a
// conversion names a new ".tsn" file. Its records load and it saves in place.
TEST_F(DocumentoTeste, ModeloAtualComExtensaoAntigaGuardaONome) {
  for (const char* nome : {"modelo.kmr", "modelo.ZLV", "Obras.KMR", "modelo.zlv"}) {
    SCOPED_TRACE(nome);
    Modelo m(4, 1);
    const QString c = GravaModelo(nome, m);
    plat::GravadorMensagens msgs;
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(c));
    EXPECT_EQ(doc.GetPathName(), c);
    EXPECT_EQ(doc.GetTitle(), QString(nome));
    ASSERT_TRUE(doc.CarregaRegistros());
    EXPECT_EQ(doc.GetDados()[3].valor[2], 1003.0);
    doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Renomeado");
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.DoSave(doc.GetPathName()));
    EXPECT_EQ(QByteArray(LeArquivo(c).constData() + CabecalhoModelo::OffNome), QByteArray("Renomeado"));
    EXPECT_FALSE(QFile::exists(Caminho("modelo.tsn")));
    EXPECT_TRUE(msgs.Textos().isEmpty()) << msgs.Textos().join('|').toStdString();
  }
}

// A converter that only writes the model it was given.
class ServicosConversao : public ServicosDocumento {
public:
  bool ConverteFormatoAntigo(const QString&, const QString& destino, FormatoAntigo, bool& recalcular) override {
    ++conversoes;
    recalcular = false;
    Modelo m(2, 0);
    return m.Grava(destino);
  }
  int conversoes = 0;
};

TEST_F(DocumentoTeste, ConversaoPerguntaAntesDeSubstituirUmModeloExistente) {
  ServicosConversao conv;
  CTarsolinDoc::DefineServicos(&conv);
  const QString antigo = Caminho("velho.kmr");
  ASSERT_TRUE(teste::GravaBytes(antigo, QByteArray("Kolmar 5.4\0\0\0\0\0\0\0\0", 18)));
  Modelo existente(1, 0);
  const QString tsn = GravaModelo("velho.tsn", existente);
  const QByteArray guardado = LeArquivo(tsn);
  {
    plat::GravadorMensagens msgs;
    msgs.Responde(plat::IDYES);  // convert
    msgs.Responde(plat::IDNO);   // but do not replace
    CTarsolinDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(antigo));
    ASSERT_EQ(msgs.Textos().size(), 2);
    EXPECT_EQ(msgs.Textos()[0], plat::Texto(3011));
    EXPECT_TRUE(msgs.Textos()[1].contains("velho.tsn"));
    EXPECT_EQ(conv.conversoes, 0);
    EXPECT_EQ(LeArquivo(tsn), guardado);
  }
  {
    plat::GravadorMensagens msgs(plat::IDYES);
    CTarsolinDoc doc;
    EXPECT_TRUE(doc.AbreArquivo(antigo));
    EXPECT_EQ(conv.conversoes, 1);
    EXPECT_EQ(doc.GetPathName(), tsn);
  }
  {
    plat::GravadorMensagens msgs(plat::IDNO);  // conversion declined: no message, no open
    CTarsolinDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(antigo));
    EXPECT_EQ(msgs.Textos().size(), 1);
  }
}

// A converted version-4 file whose model had an equation is recalculated once.
class ServicosRecalculo : public ServicosDocumento {
public:
  bool ConverteFormatoAntigo(const QString&, const QString& destino, FormatoAntigo formato, bool& recalcular) override {
    recalcular = formato == FormatoAntigo::Kolmar4;
    Modelo m(2, 0);
    m.cab->SetI32(CabecalhoModelo::OffEstadoCalculo, calculado ? 1 : 0);
    m.cab->SetI32(CabecalhoModelo::OffNumEquacoes, calculado ? 1 : 0);  // a calculated model keeps its equation
    return m.Grava(destino);
  }
  bool RecalculaEquacao(const QString& caminho) override {
    recalculados << caminho;
    return resultado;
  }
  void PostaComando(int c) override { postados.push_back(c); }
  bool calculado = true, resultado = true;
  QStringList recalculados;
  std::vector<int> postados;
};

TEST_F(DocumentoTeste, ConversaoDaVersao4RecalculaAEquacao) {
  struct Caso {
    const char* nome;
    const char* prefixo;
    bool calculado, resultado;
    bool abre;
    int recalculos;
    std::vector<int> postados;  // the model properties follow a version-4 conversion only
  };
  const Caso casos[] = {
      {"versao4calculada", "Kolmar 4.0", true, true, true, 1, {32862}},
      {"versao4semcalculo", "Kolmar 4.0", false, true, true, 0, {32862}},
      {"versao4falha", "Kolmar 4.0", true, false, false, 1, {}},
      {"versao5", "Kolmar 5.4", true, true, true, 0, {}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    ServicosRecalculo s;
    s.calculado = caso.calculado;
    s.resultado = caso.resultado;
    CTarsolinDoc::DefineServicos(&s);
    const QString antigo = Caminho(QString(caso.nome) + ".kmr");
    QByteArray prefixo(caso.prefixo);
    prefixo.resize(18, '\0');
    ASSERT_TRUE(teste::GravaBytes(antigo, prefixo));
    plat::GravadorMensagens msgs(plat::IDYES);
    CTarsolinDoc doc;
    EXPECT_EQ(doc.AbreArquivo(antigo), caso.abre);
    EXPECT_EQ(s.recalculados.size(), caso.recalculos);
    if (caso.recalculos) { EXPECT_EQ(s.recalculados[0], Caminho(QString(caso.nome) + ".tsn")); }
    EXPECT_EQ(s.postados, caso.postados);
    EXPECT_EQ(msgs.Textos(), QStringList{plat::Texto(3011)});
  }
}

// Whatever the older file is called, the model that opens is the converted
// file: a later save never writes into the older file.
TEST_F(DocumentoTeste, ConvertidoPassaAoArquivoNovoQualquerQueSejaONomeAntigo) {
  for (const char* nome : {"velho.Kmr", "velho.dat", "velho"}) {
    SCOPED_TRACE(nome);
    ServicosConversao conv;
    CTarsolinDoc::DefineServicos(&conv);
    const QString antigo = Caminho(nome);
    const QString tsn = Caminho("velho.tsn");
    QFile::remove(tsn);
    ASSERT_TRUE(teste::GravaBytes(antigo, QByteArray("Kolmar 5.4\0\0\0\0\0\0\0\0", 18)));
    const QByteArray bytesAntigos = LeArquivo(antigo);
    plat::GravadorMensagens msgs(plat::IDYES);
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(antigo));
    EXPECT_EQ(doc.GetPathName(), tsn);
    doc.GetCabecalho()->SetTexto(CabecalhoModelo::OffNome, 51, "Convertido");
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoSave(doc.GetPathName()));
    EXPECT_EQ(LeArquivo(antigo), bytesAntigos);
    EXPECT_EQ(QByteArray(LeArquivo(tsn).constData() + CabecalhoModelo::OffNome), QByteArray("Convertido"));
    QFile::remove(antigo);
  }
}

// Counts that the file cannot hold are refused at open with the invalid-format
// message, before any window reads the records.
TEST_F(DocumentoTeste, ArquivoDanificadoRecusadoAoAbrir) {
  struct Caso {
    const char* nome;
    std::function<void(QByteArray&)> estraga;
    int mensagem;  // 0: opens, -1: refused silently
  };
  const qsizetype fimDados = TamCab + 4 * qsizetype(dado::Tamanho);
  auto i32 = [](QByteArray& b, qsizetype off, int32_t v) { std::memcpy(b.data() + off, &v, 4); };
  const Caso casos[] = {
      {"integro", [](QByteArray&) {}, 0},
      {"dadosAlemDoLimite", [&](QByteArray& b) { i32(b, CabecalhoModelo::OffNumDados, CabecalhoModelo::MaxDados + 1); }, 3044},
      {"registrosFaltando", [&](QByteArray& b) { b.truncate(fimDados + 100); }, 3044},
      {"dadosNegativos", [&](QByteArray& b) { i32(b, CabecalhoModelo::OffNumDados, -3); }, 3044},
      {"cabecalhoCurto", [](QByteArray& b) { b.truncate(1000); }, 3044},
      {"semRegistros", [](QByteArray& b) { b.truncate(TamCab); }, 3044},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    Modelo m(4, 2);
    const QString c = GravaModelo(QString(caso.nome) + ".tsn", m);
    QByteArray b = LeArquivo(c);
    caso.estraga(b);
    ASSERT_TRUE(teste::GravaBytes(c, b));
    plat::GravadorMensagens msgs;
    CTarsolinDoc doc;
    EXPECT_EQ(doc.OnOpenDocument(c), caso.mensagem == 0);
    EXPECT_EQ(msgs.Textos(), caso.mensagem > 0 ? QStringList{Recusa(c, caso.mensagem)} : QStringList{});
    if (caso.mensagem != 0) { EXPECT_EQ(doc.GetCabecalho(), nullptr); }
  }
}

// A current file of minor version below '4' gets the spatial defaults when it
// opens and is saved back with minor digit '5', the third digit kept.
TEST_F(DocumentoTeste, VersaoMenorAntigaRecebePadroesEspaciais) {
  Modelo m(3, 1);
  std::memcpy(m.cab->bytes + CabecalhoModelo::OffVersao, " 132", 4);
  m.cab->SetI32(CabecalhoModelo::OffEspacialCalculado, 1);  // bytes of a format that had no spatial fields
  m.cab->SetI32(CabecalhoModelo::OffMaxIteracoes, 0);
  m.cab->SetF64(409256, 0.0);
  const QString c = GravaModelo("antigo.tsn", m);
  const QByteArray antes = LeArquivo(c);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  const CabecalhoModelo& cab = *doc.GetCabecalho();
  EXPECT_EQ(cab.I32(CabecalhoModelo::OffEspacialCalculado), 0);
  EXPECT_EQ(cab.I32(CabecalhoModelo::OffMaxIteracoes), 500);
  EXPECT_EQ(cab.F64(409256), 0.5);
  EXPECT_EQ(cab.F64(410288), -1.0);
  EXPECT_EQ(cab.F64(410296), 1.0);
  EXPECT_EQ(cab.F64(409264), 0.0001);
  EXPECT_EQ(cab.F64(410424), -1.0);
  EXPECT_FALSE(doc.RegistrosCarregados());  // no W to rebuild
  doc.SetModifiedFlag(true);
  ASSERT_TRUE(doc.DoSave(c));
  const QByteArray depois = LeArquivo(c);
  ASSERT_EQ(depois.size(), antes.size());
  EXPECT_EQ(depois.mid(CabecalhoModelo::OffVersao, 4), QByteArray(" 152"));
  EXPECT_EQ(depois.mid(TamCab), antes.mid(TamCab));
}

// A save under a path puts that path at the top of the recent-file list.
class ServicosRecentes : public ServicosDocumento {
public:
  void AdicionaArquivoRecente(const QString& caminho) override { recentes << caminho; }
  QStringList recentes;
};

TEST_F(DocumentoTeste, SalvarComoPoeOCaminhoNosRecentes) {
  ServicosRecentes s;
  CTarsolinDoc::DefineServicos(&s);
  Modelo m(2, 0);
  const QString c = GravaModelo("recente.tsn", m);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(c));
  EXPECT_TRUE(s.recentes.isEmpty());  // the program adds an opened model itself
  const QString novo = Caminho("recente_copia.tsn");
  ASSERT_TRUE(doc.DoSave(novo));
  EXPECT_EQ(s.recentes, QStringList{novo});
  plat::GravadorMensagens msgs;
  plat::SimulaFalhaGravacao(100);
  EXPECT_FALSE(doc.DoSave(Caminho("falhou.tsn")));
  plat::SimulaFalhaGravacao(-1);
  EXPECT_EQ(s.recentes, QStringList{novo});  // a failed save names nothing
}

TEST(DocumentoNoPrograma, SalvarComoEntraNaListaDeRecentes) {
  QTemporaryDir pasta;
  qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
  plat::DefineModoRoteiro(true);
  plat::LimpaRoteiros();
  Modelo m(2, 0);
  const QString c = pasta.filePath("programa.tsn");
  ASSERT_TRUE(m.Grava(c));
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  CTarsolinDoc* doc = app.OpenDocumentFile(c);
  ASSERT_NE(doc, nullptr);
  const QString novo = pasta.filePath("programa_copia.tsn");
  ASSERT_TRUE(doc->DoSave(novo));
  ASSERT_FALSE(app.Recentes().Entradas().isEmpty());
  EXPECT_EQ(app.Recentes().Entradas().front(), novo);
  EXPECT_EQ(app.Recentes().Entradas().mid(1, 1), QStringList{c});
  app.MainFrame()->close();
  plat::LimpaRoteiros();
}

// A version-5 file of the older product whose dependent, VALOR, comes first
// and whose area and Durbin-Watson variable is AREA, the last: three
// records. Converted, VALOR moves last and AREA takes its place.
QString GravaKmr5ComValorPrimeiro(const QString& caminho) {
  auto k = std::make_unique<CabecalhoKmr5>();
  k->Zera();
  std::memcpy(k->bytes, "Kolmar 5.30", 11);
  using K = CabecalhoKmr5;
  const char* nomes[3] = {"VALOR", "IDADE", "AREA"};
  for (int v = 0; v < 3; ++v) {
    std::strcpy(reinterpret_cast<char*>(k->bytes + K::OffNomes + K::TamNomeVariavel * v), nomes[v]);
    k->SetI32(K::OffHabilitadas + 4 * v, 1);
    k->SetI32(K::OffCasasDecimais + 4 * v, 2);
  }
  k->SetI32(K::OffNumVariaveis, 3);
  k->SetI32(K::OffNumDados, 3);
  k->SetI32(K::OffNumConsiderados, 3);
  k->SetI32(K::OffDependente, 0);
  k->SetI32(K::OffVariavelArea, 2);
  k->SetU8(K::OffValorUnitario, 1);
  k->SetI32(K::OffVariavelDurbinWatson, 2);
  std::vector<dadoS5> dados(3);
  std::memset(static_cast<void*>(dados.data()), 0, dados.size() * sizeof(dadoS5));
  for (int i = 0; i < 3; ++i) {
    dados[i].valor[0] = 1000.0 * (i + 1);  // VALOR
    dados[i].valor[1] = 10.0 + i;          // IDADE
    dados[i].valor[2] = 50.0 + 5 * i;      // AREA
  }
  EXPECT_TRUE(GravaArquivoKmr5(caminho, *k, dados));
  return caminho;
}

// "Abrir" in the file menu, the file chosen in its dialog.
void AbrePeloMenu(CTarsolinApp& app, const QString& arquivo) {
  plat::RoteiroPara(QStringLiteral("dlgArquivo"), [arquivo](QDialog& d) {
    auto& f = static_cast<QFileDialog&>(d);
    f.selectNameFilter(QStringLiteral("Kolmar Windows (*.kmr)"));
    f.selectFile(arquivo);
    d.accept();
  });
  app.MainFrame()->Acao(57601)->trigger();
  QCoreApplication::processEvents();
}

// An older file opened a second time brings forward the model it became,
// without a question and without touching that model's file; the converted
// model's area and Durbin-Watson variable is still AREA.
TEST(DocumentoNoPrograma, ArquivoAntigoAbertoDuasVezesTrazOModeloConvertido) {
  QTemporaryDir pasta;
  qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
  plat::DefineModoRoteiro(true);
  plat::LimpaRoteiros();
  const QString antigo = GravaKmr5ComValorPrimeiro(pasta.filePath("velho.kmr"));
  const QString convertido = pasta.filePath("velho.tsn");
  {
    CTarsolinApp app;
    ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
    plat::GravadorMensagens msgs(plat::IDYES);
    AbrePeloMenu(app, antigo);
    ASSERT_EQ(app.Documentos().size(), 1u);
    CTarsolinDoc* doc = app.Documentos().front();
    EXPECT_EQ(doc->GetPathName(), convertido);
    EXPECT_EQ(msgs.Textos(), QStringList{plat::Texto(3011)});
    const CabecalhoModelo& c = *doc->GetCabecalho();
    EXPECT_EQ(c.NomeVariavel(2), QStringLiteral("VALOR"));
    EXPECT_EQ(c.NomeVariavel(c.I32(CabecalhoModelo::OffVariavelArea)), QStringLiteral("AREA"));
    EXPECT_EQ(c.NomeVariavel(c.I32(CabecalhoModelo::OffVariavelDurbinWatson)), QStringLiteral("AREA"));
    ASSERT_TRUE(doc->CarregaRegistros());
    EXPECT_EQ(doc->GetDados()[1].valor[c.I32(CabecalhoModelo::OffVariavelArea)], 55.0);
    doc->LiberaRegistros();

    // Another window in front, then the older file again.
    Modelo outro(2, 0);
    ASSERT_TRUE(outro.Grava(pasta.filePath("outro.tsn")));
    ASSERT_NE(app.OpenDocumentFile(pasta.filePath("outro.tsn")), nullptr);
    QCoreApplication::processEvents();
    const QByteArray guardado = LeArquivo(convertido);
    AbrePeloMenu(app, antigo);
    EXPECT_EQ(msgs.Textos().size(), 1);  // no second question, no offer to replace
    EXPECT_EQ(app.Documentos().size(), 2u);
    EXPECT_EQ(LeArquivo(convertido), guardado);
    QMdiSubWindow* ativa = app.MainFrame()->Mdi()->activeSubWindow();
    ASSERT_NE(ativa, nullptr);
    auto* alvo = dynamic_cast<AlvoComando*>(ativa->widget());
    ASSERT_NE(alvo, nullptr);
    EXPECT_EQ(alvo->DocumentoAlvo(), doc);
    app.MainFrame()->close();
  }
  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(false);
}

// ------------------------------------------------------------ catalogue

// The wizard gets the user's own copy of the catalogue, sorted; without one
// (and without the program's) it gets an empty catalogue and still runs.
class ServicosCatalogo : public ServicosDocumento {
public:
  bool AssistenteNovoModelo(CabecalhoModelo&, std::vector<Var>& catalogo) override {
    ++chamadas;
    nomes.clear();
    for (const Var& v : catalogo) nomes << QStringLiteral("%1:%2").arg(v.tipoImovel).arg(v.Nome());
    return false;  // cancelled
  }
  int chamadas = 0;
  QStringList nomes;
};

TEST_F(DocumentoTeste, NovoModeloLeOCatalogoDoUsuarioOrdenado) {
  ServicosCatalogo s;
  CTarsolinDoc::DefineServicos(&s);
  const QString copia = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/variaveis.cfg";
  ASSERT_TRUE(QDir().mkpath(QFileInfo(copia).path()));
  auto entrada = [](const QString& nome, int tipoImovel) {
    Var v{};
    v.SetNome(nome);
    v.tipo = 4;
    v.casasDecimais = 2;
    v.tipoImovel = tipoImovel;
    return v;
  };
  ASSERT_TRUE(GravaVariaveisComuns(copia, {entrada("Zona", 2), entrada("Área", 1), entrada("area", 1)}));
  EXPECT_EQ(CaminhoCatalogoUsuario(), copia);
  {
    CTarsolinDoc doc;
    EXPECT_FALSE(doc.OnNewDocument());  // wizard cancelled
  }
  EXPECT_EQ(s.chamadas, 1);
  EXPECT_EQ(s.nomes, (QStringList{"1:area", "1:Área", "2:Zona"}));

  ASSERT_TRUE(QFile::remove(copia));
  std::vector<Var> doPrograma;  // the program folder's catalogue, when one is installed
  LeVariaveisComuns(plat::CaminhoPrograma("variaveis.cfg"), doPrograma);
  {
    CTarsolinDoc doc;
    EXPECT_FALSE(doc.OnNewDocument());
  }
  EXPECT_EQ(s.chamadas, 2);
  EXPECT_EQ(s.nomes.size(), qsizetype(doPrograma.size()));
  QFile::remove(copia);
}

// ------------------------------------------------------------ the sample model

TEST_F(DocumentoTeste, ExemploBaltimoreAlteraUmValorESalva) {
  const QString exemplo = QStringLiteral(TARSOLIN_SOURCE_DIR) + "/examples/baltimore.tsn";
  if (!QFile::exists(exemplo)) GTEST_SKIP() << "examples/baltimore.tsn ainda não existe";
  const QString c = Caminho("baltimore.tsn");
  ASSERT_TRUE(QFile::copy(exemplo, c));
  QFile::setPermissions(c, QFile::ReadOwner | QFile::WriteOwner);
  const QByteArray antes = LeArquivo(c);
  {
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(c));
    ASSERT_TRUE(doc.CarregaRegistros());
    ASSERT_GT(doc.NumDados(), 10);
    doc.GetDados()[10].valor[0] += 1.0;
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoSave(c));
  }
  const QByteArray depois = LeArquivo(c);
  ASSERT_EQ(depois.size(), antes.size());
  // Only the one value differs in the records (the header gets the "W rebuilt" byte).
  const qsizetype pos = TamCab + 10 * qsizetype(dado::Tamanho);
  for (qsizetype i = TamCab; i < depois.size(); ++i)
    if (i < pos || i >= pos + 8) { ASSERT_EQ(depois[i], antes[i]) << "byte " << i; }
  double a = 0, b = 0;
  std::memcpy(&a, antes.constData() + pos, 8);
  std::memcpy(&b, depois.constData() + pos, 8);
  EXPECT_EQ(b, a + 1.0);
  CTarsolinDoc relido;
  ASSERT_TRUE(relido.AbreArquivo(c));
  ASSERT_TRUE(relido.CarregaRegistros());
  EXPECT_EQ(relido.GetDados()[10].valor[0], a + 1.0);
}

}  // namespace
