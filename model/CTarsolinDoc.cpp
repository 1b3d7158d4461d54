#include "CTarsolinDoc.h"

#include "ArquivoModelo.h"
#include "CabecalhoModelo.h"
#include "FormatosAntigos.h"
#include "MatrizesModelo.h"
#include "ReconhecimentoModelo.h"
#include "VerificacaoModelo.h"
#include "VariaveisComuns.h"
#include "dado.h"
#include "dadoP.h"

#include "platform/Mensagem.h"
#include "platform/Modulo.h"
#include "platform/Programa.h"
#include "platform/TabelaTextos.h"
#include "platform/TipoArquivo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Header offsets the document itself touches.
constexpr std::size_t OffSenha = 1096, OffProtegido = 1109, OffModoAcesso = 1112, OffDesbloqueado = 1116;
constexpr std::size_t OffNumVariaveis = 65572, OffN = 65576, OffConsiderados = 65580, OffM = 65584;
constexpr std::size_t OffEstadoCalculo = 41560;
constexpr std::size_t OffCoordX = 408244, OffCoordY = 408248;
constexpr std::size_t OffWDasCoordenadas = 408272;
constexpr std::size_t OffEspacialCalculado = 408704;

constexpr int ComandoEditarDados = 32813;
constexpr int ComandoPropriedades = 32862;

// Texts of the string table used here.
constexpr int TxtAcessoNegado = 3000, TxtConverterKolmar = 3011, TxtConverterZelvar = 3012,
              TxtFormatoInvalido = 3044, TxtDanificado = 3113;
constexpr int TxtSalvarAlteracoes = 21001, TxtSubstituirModelo = 21003,
              TxtCoordenadasIndefinidas = 21004, TxtRegistrosDemais = 21005, TxtSalvarComo = 21007,
              TxtEmUso = 21008;

ServicosDocumento servicosPadrao;
// The document whose open just repaired header fields: AbreArquivo leaves it modified.
const CTarsolinDoc* reparadoNaAbertura = nullptr;
// New models created so far: a new model is called "Tarsolin<n+1>" until it is
// saved under a name; a discarded one does not count.
int novosModelos = 0;
ServicosDocumento* servicosAtuais = &servicosPadrao;

QString Arg(int id, const QString& a) { return plat::Texto(id).arg(a); }

// A refusal to open names the file: the user may have chosen it among many;
// and what was found wrong, when known.
void RecusaAbertura(const QString& caminho, int idTexto, unsigned estilo = plat::MB_OK,
                    const QString& motivo = QString()) {
  QString texto = QDir::toNativeSeparators(caminho) + '\n' + plat::Texto(idTexto);
  if (!motivo.isEmpty()) texto += '\n' + motivo;
  plat::MessageBox(texto, QString(), estilo);
}

// Header fields whose limits depend on the rest of the file: the transformation
// codes and the current equation of a calculated model, and the counts of
// considered and validation records against the records' own marks. What
// cannot be repaired is `recusa`; each repair made to `cab` is one sentence.
struct VerificacaoCampos {
  QString recusa;
  QStringList reparos;
};

VerificacaoCampos VerificaCampos(const QString& caminho, CabecalhoModelo& cab) {
  VerificacaoCampos r;
  const int nv = cab.NumVariaveis(), ne = cab.NumEquacoes();
  if (cab.EstadoCalculo() != 0) {
    // A code outside 0-7 has no transformation: the equation cannot be shown.
    for (int e = 0; e < ne && r.recusa.isEmpty(); ++e)
      for (int v = 0; v < nv; ++v) {
        const int codigo = cab.Transformacao(v, e);
        if (cab.Habilitada(v) && (codigo < 0 || codigo > 7)) {
          r.recusa = QStringLiteral("A equação %1 guarda o código de transformação %2 para a variável %3; "
                                    "os códigos vão de 0 a 7.")
                         .arg(e + 1).arg(codigo).arg(cab.NomeVariavel(v));
          break;
        }
      }
    if (!r.recusa.isEmpty()) return r;
    if (ne == 0) {
      r.reparos << QStringLiteral("O modelo se diz calculado, mas não guarda nenhuma equação: fica sem equação "
                                  "calculada.");
      cab.SetEstadoCalculo(0);
      cab.SetEquacaoCorrente(0);
    } else if (cab.EquacaoCorrente() >= ne) {
      r.reparos << QStringLiteral("A equação corrente (%1) não está entre as %2 equações guardadas: a equação 1 "
                                  "passa a ser a corrente.")
                       .arg(cab.EquacaoCorrente() + 1).arg(ne);
      cab.SetEquacaoCorrente(0);
    }
  }
  int considerados = 0, validacao = 0;
  if (!ContaMarcasRegistros(caminho, cab, considerados, validacao)) {
    r.recusa = QStringLiteral("Os registros de dados não podem ser lidos.");
    return r;
  }
  if (cab.NumConsiderados() != considerados) {
    r.reparos << QStringLiteral("O cabeçalho conta %1 dados considerados, mas os registros marcam %2: a contagem "
                                "foi corrigida.")
                     .arg(cab.NumConsiderados()).arg(considerados);
    cab.SetNumConsiderados(considerados);
  }
  if (cab.NumValidacao() != validacao) {
    r.reparos << QStringLiteral("O cabeçalho conta %1 dados de validação, mas os registros marcam %2: a contagem "
                                "foi corrigida.")
                     .arg(cab.NumValidacao()).arg(validacao);
    cab.SetNumValidacao(validacao);
  }
  return r;
}

double Distancia(double x1, double y1, double x2, double y2) {
  const double dx = x1 - x2, dy = y1 - y2;
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

// ---------------------------------------------------------------- services

bool ServicosDocumento::AssistenteNovoModelo(CabecalhoModelo&, std::vector<Var>&) { return true; }
bool ServicosDocumento::PedeSenha(CTarsolinDoc&) { return false; }
bool ServicosDocumento::PedeCaminhoSalvar(CTarsolinDoc&, QString&) { return false; }
bool ServicosDocumento::ConverteFormatoAntigo(const QString& origem, const QString& destino,
                                               FormatoAntigo formato, bool& recalcular) {
  MargensPagina margens;
  MargensPadrao(margens.esquerda, margens.direita, margens.superior, margens.inferior);
  ModeloConvertido modelo;
  const bool lido = formato == FormatoAntigo::Kolmar4   ? ImportaKmr4(origem, margens, modelo)
                    : formato == FormatoAntigo::Kolmar5 ? ImportaKmr5(origem, margens, modelo)
                                                        : Importa550(origem, margens, modelo);
  if (!lido) return false;
  NEWMAT::Matrix semW;
  if (!GravaArquivoModelo(destino, modelo.cab.get(), modelo.dados.empty() ? nullptr : modelo.dados.data(),
                          modelo.dadosP.empty() ? nullptr : modelo.dadosP.data(), semW))
    return false;
  // Only the version-4 file's equation is computed again: its statistics are partial.
  recalcular = formato == FormatoAntigo::Kolmar4;
  return true;
}

bool ServicosDocumento::RecalculaEquacao(const QString& caminho) {
  int resultado = 0;
  const QByteArray local = QFile::encodeName(caminho);
  const auto estado = plat::ChamaModulo("Ostrimo.so", 1, [&](void* f) {
    resultado = reinterpret_cast<int (*)(const char*)>(f)(local.constData());
  });
  if (estado == plat::EstadoModulo::NaoCarregado) {
    plat::MessageBox("Não foi possível carregar a biblioteca Ostrimo.dll !");
    return false;
  }
  if (estado == plat::EstadoModulo::SemOrdinal) {
    plat::MessageBox("Não foi possível executar a rotina de cálculo !");
    return false;
  }
  return (resultado & 0xFF) != 0;
}

void ServicosDocumento::AdicionaArquivoRecente(const QString&) {}
void ServicosDocumento::PostaComando(int) {}
void ServicosDocumento::PostaComandoModelo(CTarsolinDoc&, int comando) { PostaComando(comando); }
void ServicosDocumento::CursorEspera(bool) {}
void ServicosDocumento::MargensPadrao(int& esquerda, int& direita, int& superior, int& inferior) {
  esquerda = 1700; direita = 1700; superior = 1440; inferior = 1440;
}

QString CaminhoCatalogoUsuario() {
  const QString pasta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString copia = pasta + "/variaveis.cfg";
  if (!QFileInfo::exists(copia)) {
    const QString original = plat::CaminhoPrograma("variaveis.cfg");
    if (QFileInfo::exists(original)) {
      QDir().mkpath(pasta);
      QFile::copy(original, copia);
      QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
  }
  return copia;
}

// ---------------------------------------------------------------- document

CTarsolinDoc::CTarsolinDoc(QObject* parent) : plat::Documento(parent) {}

CTarsolinDoc::~CTarsolinDoc() = default;

void CTarsolinDoc::DefineServicos(ServicosDocumento* servicos) {
  servicosAtuais = servicos ? servicos : &servicosPadrao;
}

ServicosDocumento& CTarsolinDoc::Servicos() { return *servicosAtuais; }

void CTarsolinDoc::ZeraJanelas() {
  for (auto& j : janelas_) j.clear();
}

QPointer<QObject>& CTarsolinDoc::Janela(int slot) {
  Q_ASSERT(slot >= 1 && slot <= NumJanelas);
  return janelas_[std::clamp(slot, 1, NumJanelas) - 1];
}

dado* CTarsolinDoc::GetDados() { return carregados_ && !dados_.empty() ? dados_.data() : nullptr; }
dadoP* CTarsolinDoc::GetDadosP() { return carregados_ && !dadosP_.empty() ? dadosP_.data() : nullptr; }
int CTarsolinDoc::NumDados() const { return cabecalho_ ? cabecalho_->I32(OffN) : 0; }
int CTarsolinDoc::NumDadosP() const { return cabecalho_ ? cabecalho_->I32(OffM) : 0; }

// ------------------------------------------------------------ new model

void CTarsolinDoc::PreencheNovoCabecalho() {
  CabecalhoModelo& c = *cabecalho_;
  std::memcpy(c.bytes, "Tarsolin 155", 12);
  std::memcpy(c.bytes + 12, "09664", 5);
  c.SetU8(17, 0);
  c.SetI32(OffNumVariaveis, 0);
  c.SetI32(OffN, 0);
  c.SetI32(OffConsiderados, 0);
  c.SetI32(OffEstadoCalculo, 0);
  for (int v = 0; v < CabecalhoModelo::MaxVariaveis; ++v) {
    c.SetI32VE(41564, v, 0, 0);
    c.SetTexto(1120 + 31 * std::size_t(v), 31, QString());
    c.SetI32(65592 + 4 * std::size_t(v), 1);
    c.SetF64(408776 + 8 * std::size_t(v), 0.0);
    c.SetF64(409304 + 8 * std::size_t(v), 0.0);
    c.SetF64(410808 + 8 * std::size_t(v), 0.0);
  }
  // Spatial defaults.
  c.SetI32(408708, 0);
  c.SetI32(OffEspacialCalculado, 0);
  c.SetI32(408732, 1);
  c.SetU8(408736, 1);
  c.SetU8(408737, 1);
  c.SetF64(410424, -1.0);
  c.SetI32(408716, 0);
  c.SetI32(408728, 500);
  c.SetI32(410416, 30);
  c.SetF64(409256, 0.5);
  c.SetF64(410288, -1.0);
  c.SetF64(410296, 1.0);
  c.SetF64(409264, 0.0001);
  c.SetF64(410432, 0.0);
  c.SetF64(410440, 0.0);
}

bool CTarsolinDoc::OnNewDocument() {
  ZeraJanelas();
  LiberaRegistros();
  cabecalho_ = std::make_unique<CabecalhoModelo>();
  cabecalho_->Zera();
  recalcular_ = false;
  w_.ReSize(0, 0);
  distancias_.ReSize(0, 0);
  PreencheNovoCabecalho();
  if (GetTitle().isEmpty()) SetTitle(QStringLiteral("Tarsolin%1").arg(novosModelos + 1));

  std::vector<Var> catalogo;
  LeVariaveisComuns(CaminhoCatalogoUsuario(), catalogo);  // a missing catalogue is an empty one
  std::stable_sort(catalogo.begin(), catalogo.end(), [](const Var& a, const Var& b) { return ComparaVar(a, b) < 0; });
  const bool aceito = Servicos().AssistenteNovoModelo(*cabecalho_, catalogo);
  catalogo.clear();
  if (!aceito) return false;

  CabecalhoModelo& c = *cabecalho_;
  c.SetTexto(664, 101, QStringLiteral("Tarsolin Windows 1.60"));
  c.SetTexto(765, 101, QStringLiteral("Sistema de Avaliação em Massa"));
  c.SetTexto(866, 101, QString());
  c.SetTexto(967, 101, QString());
  c.SetU8(1092, 1); c.SetU8(1093, 1); c.SetU8(1094, 1); c.SetU8(1095, 1);
  int esq = 0, dir = 0, sup = 0, inf = 0;
  Servicos().MargensPadrao(esq, dir, sup, inf);
  c.SetI32(1068, esq); c.SetI32(1072, dir); c.SetI32(1076, sup); c.SetI32(1080, inf);
  c.SetI32(1084, 0); c.SetI32(1088, 0);
  static const int fixasDados[6] = {2552, 1985, 1134, 1134, 1134, 1985};
  static const int fixasAval[5] = {2552, 1985, 1134, 1134, 1134};
  for (int i = 0; i < 6; ++i) c.SetI32(41260 + 4 * std::size_t(i), fixasDados[i]);
  for (int i = 0; i < 5; ++i) c.SetI32(41540 + 4 * std::size_t(i), fixasAval[i]);
  const int nv = std::clamp(c.I32(OffNumVariaveis), 0, CabecalhoModelo::MaxVariaveis);
  for (int v = 0; v < nv; ++v) c.SetI32(41020 + 4 * std::size_t(v), 1134);
  for (int v = 0; v < nv + 2; ++v) c.SetI32(41292 + 4 * std::size_t(v), 1134);
  // Calculation options: method 1, analyse, reconsider and Durbin-Watson off,
  // selection by regression, transformation codes 0 to 3 allowed, coefficient method 1.
  c.SetI32(408280, 1);
  for (std::size_t off = 408284; off < 408308; ++off) c.SetU8(off, 0);
  for (std::size_t off = 408292; off <= 408295; ++off) c.SetU8(off, 1);
  c.SetU8(408302, 1);
  c.SetI32(OffN, 0);
  c.SetI32(OffConsiderados, 0);
  c.SetI32(OffM, 0);

  // A new model exists only once it has been saved.
  SetModifiedFlag(true);
  if (!SaveModified() || IsModified()) return false;
  ++novosModelos;
  Servicos().PostaComandoModelo(*this, ComandoEditarDados);
  return true;
}

// ------------------------------------------------------------ open

bool CTarsolinDoc::LeCabecalho(const QString& caminho) {
  return LeCabecalhoModelo(caminho, cabecalho_.get(), &identidade_);
}

bool CTarsolinDoc::TravaModelo(const QString& caminho) {
  // Two programs writing one model lose each other's changes: a model another
  // process holds is not opened here.
  if (trava_.Trava(caminho) == plat::TravaArquivo::Resultado::EmUso) {
    RecusaAbertura(caminho, TxtEmUso, plat::MB_ICONEXCLAMATION);
    return false;
  }
  // With the lock held no write to the model is running anywhere: a
  // temporary file of ours beside it is what a killed write left.
  if (trava_.Travado()) plat::RemoveTemporariosAbandonados(caminho);
  return true;
}

bool CTarsolinDoc::ConverteAntigo(const QString& caminho, ServicosDocumento::FormatoAntigo formato,
                                  QString& novo) {
  const bool kolmar = formato != ServicosDocumento::FormatoAntigo::Zelvar;
  const int pergunta = kolmar ? TxtConverterKolmar : TxtConverterZelvar;
  if (plat::MessageBox(plat::Texto(pergunta), QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return false;
  // Only the final extension changes; the folders stay as they are.
  novo = CaminhoModeloConvertido(caminho);
  if (QFileInfo::exists(novo) &&
      plat::MessageBox(Arg(TxtSubstituirModelo, QDir::toNativeSeparators(novo)), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) != plat::IDYES)
    return false;
  bool recalcular = false;
  if (!Servicos().ConverteFormatoAntigo(caminho, novo, formato, recalcular)) {
    RecusaAbertura(caminho, TxtFormatoInvalido, plat::MB_ICONEXCLAMATION);
    return false;
  }
  recalcular_ = recalcular;
  return true;
}

bool CTarsolinDoc::OnOpenDocument(const QString& caminho) {
  LiberaRegistros();
  trava_.Libera();
  identidade_ = {};
  cabecalho_ = std::make_unique<CabecalhoModelo>();
  cabecalho_->Zera();
  recalcular_ = false;
  if (reparadoNaAbertura == this) reparadoNaAbertura = nullptr;
  ZeraJanelas();
  w_.ReSize(0, 0);
  distancias_.ReSize(0, 0);

  if (const QString motivo = plat::MotivoArquivoNaoComum(caminho); !motivo.isEmpty()) {
    plat::MessageBox(QDir::toNativeSeparators(caminho) + '\n' + motivo, QString(), plat::MB_ICONEXCLAMATION);
    cabecalho_.reset();
    return false;
  }
  const QFileInfo info(caminho);
  if (!info.exists() || !info.isReadable() || !info.isWritable()) {
    RecusaAbertura(caminho, TxtAcessoNegado);
    cabecalho_.reset();
    return false;
  }

  char prefixo[18];
  {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
      RecusaAbertura(caminho, TxtAcessoNegado);
      cabecalho_.reset();
      return false;
    }
    // Too short even to say what it is: a cut model file.
    if (f.read(prefixo, 18) != 18) {
      RecusaAbertura(caminho, TxtFormatoInvalido);
      cabecalho_.reset();
      return false;
    }
  }

  QString arquivo = caminho;
  bool convertido = false;
  const ClasseArquivo classe = ReconheceArquivoModelo(prefixo);
  switch (classe) {
    case ClasseArquivo::Danificado:
      RecusaAbertura(caminho, TxtDanificado);
      cabecalho_.reset();
      return false;
    case ClasseArquivo::Invalido:
      RecusaAbertura(caminho, TxtFormatoInvalido);
      cabecalho_.reset();
      return false;
    case ClasseArquivo::Kolmar4:
    case ClasseArquivo::Kolmar5:
    case ClasseArquivo::KolmarPosterior:
    case ClasseArquivo::Zelvar: {
      const auto formato = classe == ClasseArquivo::Kolmar4   ? ServicosDocumento::FormatoAntigo::Kolmar4
                           : classe == ClasseArquivo::Kolmar5 ? ServicosDocumento::FormatoAntigo::Kolmar5
                           : classe == ClasseArquivo::Zelvar  ? ServicosDocumento::FormatoAntigo::Zelvar
                                                              : ServicosDocumento::FormatoAntigo::KolmarPosterior;
      if (!ConverteAntigo(caminho, formato, arquivo)) {
        cabecalho_.reset();
        return false;
      }
      convertido = true;
      break;
    }
    case ClasseArquivo::Atual:
    case ClasseArquivo::AtualAntigo:
      break;
  }
  if (!TravaModelo(arquivo)) {
    cabecalho_.reset();
    return false;
  }

  // A file cut inside its header, or whose counts are out of their limits, is damaged.
  if (!LeCabecalho(arquivo)) {
    RecusaAbertura(arquivo, TxtFormatoInvalido);
    cabecalho_.reset();
    return false;
  }
  if (classe == ClasseArquivo::AtualAntigo) AtualizaVersaoMenor(*cabecalho_);
  // Refused now rather than when a window first loads the records: a file
  // shorter than the records its header counts is damaged.
  if (!ArquivoModeloValido(arquivo, *cabecalho_)) {
    RecusaAbertura(arquivo, TxtFormatoInvalido);
    cabecalho_.reset();
    return false;
  }
  arquivoLido_ = arquivo;

  if (convertido) {
    // The model is the converted file from now on, whatever the older file's
    // name looked like: never the older file itself.
    SetPathName(arquivo);
  }
  // Only a version-4 conversion asks for the recalculation and the model
  // properties (its variables come without descriptions or types).
  if (convertido && recalcular_) {
    if (cabecalho_->I32(OffEstadoCalculo) != 0) {
      if (!Servicos().RecalculaEquacao(arquivo) || !LeCabecalho(arquivo)) {
        cabecalho_.reset();
        return false;
      }
    }
    Servicos().PostaComandoModelo(*this, ComandoPropriedades);
  }

  // Refused or repaired now, so no window shows an equation or a count the
  // file does not hold; a repaired model is modified until it is saved.
  const VerificacaoCampos campos = VerificaCampos(arquivo, *cabecalho_);
  if (!campos.recusa.isEmpty()) {
    RecusaAbertura(arquivo, TxtFormatoInvalido, plat::MB_ICONEXCLAMATION, campos.recusa);
    cabecalho_.reset();
    return false;
  }
  // Stored W elements the loads will read are checked with their rule, so a
  // damaged W is said here, not as records that never load.
  const bool guardaW = GuardaElementosW();
  if (guardaW) {
    if (const QString motivo = MotivoElementosW(arquivo, *cabecalho_); !motivo.isEmpty()) {
      RecusaAbertura(arquivo, TxtFormatoInvalido, plat::MB_ICONEXCLAMATION, motivo);
      cabecalho_.reset();
      return false;
    }
  }
  if (!campos.reparos.isEmpty()) reparadoNaAbertura = this;
  if (!campos.reparos.isEmpty())
    plat::MessageBox(QDir::toNativeSeparators(arquivo) + '\n' + QStringLiteral("O modelo foi aberto com correções:") +
                         '\n' + campos.reparos.join('\n'),
                     QString(), plat::MB_ICONEXCLAMATION);

  if (cabecalho_->U8(OffProtegido)) {
    if (Servicos().PedeSenha(*this)) {
      cabecalho_->SetU8(OffDesbloqueado, 1);
    } else if (cabecalho_->I32(OffModoAcesso) == 2) {
      cabecalho_.reset();
      return false;
    } else {
      cabecalho_->SetU8(OffDesbloqueado, 0);
    }
  }

  // A model whose W was edited by hand keeps it in its stored elements (no
  // spatial result yet, since storing the edit cleared it): W stays that
  // matrix, read with the records, and later saves store it again. Any other
  // model rebuilds W from the coordinates whenever it has a spatial result.
  if (!guardaW) cabecalho_->SetU8(OffWDasCoordenadas, 1);
  if (cabecalho_->I32(OffEspacialCalculado) != 0) {
    SetPathName(arquivo);
    CalculaMatrizW();
  }
  return true;
}

bool CTarsolinDoc::AbreArquivo(const QString& caminho) {
  const QString absoluto = QFileInfo(caminho).absoluteFilePath();
  if (!OnOpenDocument(absoluto)) return false;
  SetPathName(arquivoLido_);  // a converted file: the new model file, not the older one
  // A repaired model is a changed model until it is saved.
  SetModifiedFlag(reparadoNaAbertura == this);
  reparadoNaAbertura = nullptr;
  return true;
}

void CTarsolinDoc::SetPathName(const QString& caminho) {
  // The name as given: a converted model already comes named with ".tsn", and
  // a current model called ".kmr" or ".zlv" is that file (its records load
  // from it and saves go to it).
  plat::Documento::SetPathName(caminho);
  SetTitle(QFileInfo(caminho).fileName());
}

// ------------------------------------------------------------ save

bool CTarsolinDoc::GravaArquivoCompleto(const QString& caminho) {
  return GravaArquivoModelo(caminho, cabecalho_.get(), carregados_ ? dados_.data() : nullptr,
                            carregados_ ? dadosP_.data() : nullptr, w_, &gravacao_);
}

bool CTarsolinDoc::GravaCabecalhoNoLugar(const QString& caminho) {
  return GravaCabecalhoModelo(caminho, cabecalho_.get(), &gravacao_);
}

bool CTarsolinDoc::ArquivoInalterado() const {
  return !identidade_.Existe() || plat::IdentidadeDe(GetPathName()) == identidade_;
}

QString CTarsolinDoc::FonteRegistros() const {
  if (ArquivoInalterado()) return GetPathName();
  // Another program put a new file at the path: the one read is still open under the lock.
  if (trava_.Identidade() == identidade_) return trava_.CaminhoLeitura();
  return QString();
}

bool CTarsolinDoc::ConcluiGravacao(const QString& caminho, bool ok) {
  if (!ok) return false;
  identidade_ = gravacao_.gravado;
  // A save to its own file moved the lock with it; a model saved under
  // another name is that file from now on, and holds its lock instead.
  if (!trava_.Identidade().MesmoArquivo(identidade_)) trava_.Trava(caminho);
  return true;
}

bool CTarsolinDoc::OnSaveDocument(const QString& caminho) {
  if (!cabecalho_) return false;
  UpdateAllViews(nullptr, 4);
  gravacao_ = ControleGravacao{};
  const bool proprio = !GetPathName().isEmpty() && caminho == GetPathName();
  if (proprio) {
    // Over its own file only while it is the file read: another program's
    // change would be lost, or its records mixed with this header.
    gravacao_.lido = identidade_;
    if (!ArquivoInalterado()) {
      gravacao_.falha = plat::GravacaoSegura::Falha::Alterado;
      return false;
    }
  }
  bool ok = false;
  if (carregados_) {
    ok = GravaArquivoCompleto(caminho);
    if (ok) LiberaRegistros();
  } else if (GetPathName().isEmpty()) {
    // A new model: header and stored weights only, no records exist yet.
    ok = GravaArquivoModelo(caminho, cabecalho_.get(), nullptr, nullptr, w_, &gravacao_);
  } else if (!proprio) {
    // Save-as of a model whose records stayed on disk: carry them across.
    if (!CarregaRegistros()) {
      gravacao_.falha = plat::GravacaoSegura::Falha::Sistema;
      gravacao_.erro = QStringLiteral("Os registros do modelo não puderam ser lidos.");
      return false;
    }
    ok = GravaArquivoCompleto(caminho);
    LiberaRegistros();
  } else {
    // The records stay on disk: the new header replaces the old one through
    // the safe writer, so a full disk leaves the file as it was.
    ok = GravaCabecalhoNoLugar(caminho);
  }
  if (!ConcluiGravacao(caminho, ok)) return false;
  SetModifiedFlag(false);
  return true;
}

bool CTarsolinDoc::AvisaArquivoAlterado() {
  const QString texto = TextoArquivoAlterado(GetPathName()) + QStringLiteral("\n\n") + plat::Texto(TxtSalvarComo);
  if (plat::MessageBox(texto, QString(), plat::MB_YESNO | plat::MB_ICONEXCLAMATION) != plat::IDYES) return false;
  return DoSave(QString(), true);
}

void CTarsolinDoc::InformaFalhaGravacao(const QString& caminho) {
  if (gravacao_.falha == plat::GravacaoSegura::Falha::Alterado) {
    AvisaArquivoAlterado();
    return;
  }
  plat::MessageBox(TextoFalhaGravacao(caminho, gravacao_), QString(), plat::MB_ICONEXCLAMATION);
}

bool CTarsolinDoc::DoSave(const QString& caminho, bool perguntar) {
  QString destino = caminho;
  if (destino.isEmpty() || perguntar) {
    if (destino.isEmpty()) destino = GetTitle();
    if (!Servicos().PedeCaminhoSalvar(*this, destino) || destino.isEmpty()) return false;
  }
  if (!OnSaveDocument(destino)) {
    // A file changed on disk may still be kept under another name.
    if (gravacao_.falha == plat::GravacaoSegura::Falha::Alterado) return AvisaArquivoAlterado();
    InformaFalhaGravacao(destino);
    return false;
  }
  SetPathName(destino);
  Servicos().AdicionaArquivoRecente(destino);
  return true;
}

bool CTarsolinDoc::SaveModified() {
  if (!IsModified()) return true;
  QString nome = GetTitle();
  if (nome.isEmpty()) nome = GetPathName().isEmpty() ? QStringLiteral("Tarsolin") : QFileInfo(GetPathName()).fileName();
  switch (plat::MessageBox(Arg(TxtSalvarAlteracoes, nome), QString(), plat::MB_YESNOCANCEL | plat::MB_ICONEXCLAMATION)) {
    case plat::IDCANCEL: return false;
    case plat::IDNO: return true;
    default: return DoSave(GetPathName());
  }
}

bool CTarsolinDoc::RelerCabecalho() {
  if (!cabecalho_) return false;
  auto lido = std::make_unique<CabecalhoModelo>();
  plat::IdentidadeArquivo identidade;
  // A file that no longer reads as a model leaves the header as it was.
  if (!LeCabecalhoModelo(GetPathName(), lido.get(), &identidade) || !ArquivoModeloValido(GetPathName(), *lido))
    return false;
  // The file holds what was saved, not what happened since the model opened.
  lido->SetU8(OffDesbloqueado, cabecalho_->U8(OffDesbloqueado));
  lido->SetU8(OffWDasCoordenadas, cabecalho_->U8(OffWDasCoordenadas));
  // In place: the views keep pointers to the header.
  std::memcpy(cabecalho_->bytes, lido->bytes, CabecalhoModelo::Tamanho);
  // The header and the file are one again. A library of this program wrote
  // it under this document's lock, which followed the new file; any other
  // file put there is locked now.
  identidade_ = identidade;
  if (!trava_.Identidade().MesmoArquivo(identidade_)) trava_.Trava(GetPathName());
  return true;
}

void CTarsolinDoc::OnCloseDocument() {
  LiberaRegistros();
  trava_.Libera();
  identidade_ = {};
  cabecalho_.reset();
  w_.ReSize(0, 0);
  distancias_.ReSize(0, 0);
}

// ------------------------------------------------------------ records

bool CTarsolinDoc::CarregaRegistros() {
  if (carregados_) return true;
  if (!cabecalho_) return false;
  const int n = NumDados(), m = NumDadosP();
  if (n < 0 || m < 0) return false;
  // Stored elements are placed into an N x N W; past the limit W stays empty
  // rather than exhausting memory (the reader sizes it when it has elements).
  if (cabecalho_->U8(OffWDasCoordenadas) == 0 && n <= MaxRegistrosW) {
    w_.ReSize(n, n);
    w_ = 0.0;
  }
  try {
    dados_.assign(std::size_t(n), dado{});
    dadosP_.assign(std::size_t(m), dadoP{});
  } catch (const std::bad_alloc&) {
    LiberaRegistros();
    return false;
  }
  // Stored elements are the model's own W whenever it keeps them, with or
  // without a spatial result (within the size a W may have).
  const LeituraW modo = n <= MaxRegistrosW ? LeituraW::Armazenados : LeituraW::ComResultadoEspacial;
  // Only the records of the file whose header is in memory.
  const QString fonte = FonteRegistros();
  if (fonte.isEmpty() ||
      !LeRegistrosModelo(fonte, cabecalho_.get(), dados_.data(), dadosP_.data(), w_, modo, &identidade_)) {
    LiberaRegistros();
    return false;
  }
  carregados_ = true;
  return true;
}

bool CTarsolinDoc::GuardaElementosW() const {
  const CabecalhoModelo& c = *cabecalho_;
  // Elements stored for a W the document may build: they must then be
  // readable (MotivoElementosW), or the file is refused.
  return !c.SemElementosW() && !c.EspacialCalculado() && c.NumElementosW() > 0 && c.NumDados() <= MaxRegistrosW;
}

bool CTarsolinDoc::SubstituiDados(std::vector<dado>&& novos) {
  if (!carregados_ || !cabecalho_ || int(novos.size()) != NumDados()) return false;
  dados_ = std::move(novos);
  return true;
}

void CTarsolinDoc::LiberaRegistros() {
  std::vector<dado>().swap(dados_);
  std::vector<dadoP>().swap(dadosP_);
  carregados_ = false;
}

bool CTarsolinDoc::RecriaDadosP(int m) {
  if (!carregados_ || !cabecalho_ || m < 0 || m > CabecalhoModelo::MaxDadosP) return false;
  try {
    std::vector<dadoP> novos(static_cast<std::size_t>(m));
    std::memset(static_cast<void*>(novos.data()), 0, novos.size() * sizeof(dadoP));
    dadosP_.swap(novos);
  } catch (const std::bad_alloc&) {
    return false;
  }
  cabecalho_->SetNumDadosP(m);
  return true;
}

bool CTarsolinDoc::GravaRegistros() {
  if (!carregados_) return true;
  gravacao_ = ControleGravacao{};
  gravacao_.lido = identidade_;
  if (!ArquivoInalterado()) {
    gravacao_.falha = plat::GravacaoSegura::Falha::Alterado;
    return false;
  }
  if (!ConcluiGravacao(GetPathName(), GravaArquivoCompleto(GetPathName()))) return false;
  LiberaRegistros();
  return true;
}

// ------------------------------------------------------------ matrices

void CTarsolinDoc::RecusaLimiteW() {
  plat::MessageBox(plat::Texto(TxtRegistrosDemais).arg(MaxRegistrosW), QString(), plat::MB_ICONEXCLAMATION);
}

bool CTarsolinDoc::CoordenadasValidas(int& x, int& y) const {
  x = cabecalho_->I32(OffCoordX);
  y = cabecalho_->I32(OffCoordY);
  const int nv = std::min(cabecalho_->I32(OffNumVariaveis), CabecalhoModelo::MaxVariaveis);
  return x >= 0 && y >= 0 && x < nv && y < nv;
}

bool CTarsolinDoc::CalculaMatrizW() { return CalculaMatrizW(w_); }

bool CTarsolinDoc::CalculaMatrizW(NEWMAT::Matrix& destino) {
  if (!cabecalho_) return false;
  int x = -1, y = -1;
  if (!CoordenadasValidas(x, y)) {
    plat::MessageBox(TxtCoordenadasIndefinidas, plat::MB_ICONEXCLAMATION);
    return false;
  }
  if (NumDados() > MaxRegistrosW) {
    RecusaLimiteW();
    return false;
  }
  if (!CarregaRegistros()) {
    plat::MessageBox("Acesso ao arquivo negado !");
    return false;
  }
  const int n = NumDados();
  std::vector<double> xs(static_cast<std::size_t>(n)), ys(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    xs[std::size_t(i)] = dados_[i].valor[x];
    ys[std::size_t(i)] = dados_[i].valor[y];
  }
  Servicos().CursorEspera(true);
  try {
    MatrizDistancias(xs.data(), ys.data(), n, destino);
  } catch (...) {  // no memory for N x N doubles
    Servicos().CursorEspera(false);
    destino.ReSize(0, 0);
    RecusaLimiteW();
    return false;
  }
  Servicos().CursorEspera(false);
  return true;
}

bool CTarsolinDoc::CalculaDistanciasProjecao() {
  if (!cabecalho_) return false;
  const int m = NumDadosP();
  if (m == 0) return true;
  int x = -1, y = -1;
  if (!CoordenadasValidas(x, y)) {
    plat::MessageBox(TxtCoordenadasIndefinidas, plat::MB_ICONEXCLAMATION);
    return false;
  }
  if (!CarregaRegistros()) {
    plat::MessageBox("Acesso ao arquivo negado !");
    return false;
  }
  std::vector<int> considerados;
  for (int j = 0; j < NumDados(); ++j)
    if (dados_[j].Considerado()) considerados.push_back(j);
  distancias_.ReSize(m, int(considerados.size()));
  for (int i = 0; i < m; ++i) {
    const double xi = dadosP_[i].valor[x], yi = dadosP_[i].valor[y];
    for (std::size_t c = 0; c < considerados.size(); ++c) {
      const dado& r = dados_[considerados[c]];
      distancias_(i + 1, int(c) + 1) = Distancia(xi, yi, r.valor[x], r.valor[y]);
    }
  }
  return true;
}

// ------------------------------------------------------------ protection

void CTarsolinDoc::DefineProtecao(bool protegido, const QString& senha, int modoAcesso) {
  if (!cabecalho_) return;
  cabecalho_->SetU8(OffProtegido, protegido ? 1 : 0);
  if (protegido) {
    cabecalho_->SetTexto(OffSenha, 13, senha);
    cabecalho_->SetI32(OffModoAcesso, modoAcesso);
  } else {
    std::memset(cabecalho_->bytes + OffSenha, 0, 13);
  }
  SetModifiedFlag(true);
  UpdateAllViews(nullptr, 0);
}
