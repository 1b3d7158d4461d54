#include "ArquivoModelo.h"
#include "VerificacaoModelo.h"

#include "dado.h"
#include "dadoP.h"
#include "pesoW.h"

#include "platform/ArquivoSeguro.h"
#include "platform/TabelaTextos.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr long long OffDados = static_cast<long long>(CabecalhoModelo::Tamanho);

// A file descriptor closed on every path out.
class Descritor {
public:
  Descritor(const QString& caminho, int modo) : fd_(::open(QFile::encodeName(caminho).constData(), modo | O_CLOEXEC)) {}
  ~Descritor() { if (fd_ >= 0) ::close(fd_); }
  Descritor(const Descritor&) = delete;
  Descritor& operator=(const Descritor&) = delete;
  bool Aberto() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  long long Tamanho() const {
    struct stat st;
    return ::fstat(fd_, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
  }
  // Reads exactly n bytes at `pos` (whole regions in as few calls as the kernel allows).
  bool Le(void* p, std::size_t n, long long pos) const {
    char* c = static_cast<char*>(p);
    while (n > 0) {
      const ssize_t r = ::pread(fd_, c, n, pos);
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) return false;
      c += r; n -= std::size_t(r); pos += r;
    }
    return true;
  }
  bool Escreve(const void* p, std::size_t n, long long pos) const {
    const char* c = static_cast<const char*>(p);
    while (n > 0) {
      const ssize_t r = ::pwrite(fd_, c, n, pos);
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) return false;
      c += r; n -= std::size_t(r); pos += r;
    }
    return true;
  }
private:
  int fd_;
};

}  // namespace

bool LeElementosW(const CabecalhoModelo& cab, LeituraW modo) {
  if (cab.SemElementosW()) return false;
  return modo == LeituraW::Armazenados || cab.EspacialCalculado();
}

long long TamanhoEsperadoModelo(const CabecalhoModelo& cab, bool comElementos) {
  long long t = OffDados + static_cast<long long>(cab.NumDados()) * static_cast<long long>(dado::Tamanho) +
                static_cast<long long>(cab.NumDadosP()) * static_cast<long long>(dadoP::Tamanho);
  if (comElementos) t += static_cast<long long>(cab.NumElementosW()) * static_cast<long long>(sizeof(pesoW));
  return t;
}

namespace {

// Readers never wait on a FIFO or a device: the open does not block and only
// a regular file is read.
bool AbreLeitura(Descritor& f) {
  struct stat st;
  return f.Aberto() && ::fstat(f.fd(), &st) == 0 && S_ISREG(st.st_mode);
}
constexpr int ModoLeitura = O_RDONLY | O_NONBLOCK;

// Stored elements are read in blocks of this many: never all K at once.
constexpr int BlocoElementos = 1 << 16;

// The one rule for a stored element: inside the N x N matrix.
bool ElementoNaMatriz(const pesoW& p, int N) { return p.linha >= 1 && p.linha <= N && p.coluna >= 1 && p.coluna <= N; }

QString TextoTamanho(long long real, long long esperado) {
  return QStringLiteral("O arquivo tem %1 bytes; o cabeçalho anuncia %2.").arg(real).arg(esperado);
}

}  // namespace

bool ArquivoModeloValido(const QString& caminho, const CabecalhoModelo& cab, LeituraW modo) {
  if (!cab.ContagensValidas()) return false;
  Descritor f(caminho, ModoLeitura);
  return AbreLeitura(f) && f.Tamanho() >= TamanhoEsperadoModelo(cab, LeElementosW(cab, modo));
}

QString MotivoElementosW(const QString& caminho, const CabecalhoModelo& cab) {
  if (!cab.ContagensValidas()) return QStringLiteral("As contagens do cabeçalho estão fora dos seus limites.");
  const int N = cab.NumDados(), K = cab.NumElementosW();
  const long long celulas = static_cast<long long>(N) * N;
  if (K < 0 || K > celulas)
    return QStringLiteral("O cabeçalho anuncia %1 elementos de W para uma matriz de %2 × %2 (%3 células).")
        .arg(K).arg(N).arg(celulas);
  Descritor f(caminho, ModoLeitura);
  if (!AbreLeitura(f)) return QStringLiteral("O arquivo não pode ser lido.");
  // The count is bounded by the file before anything is read.
  const long long esperado = TamanhoEsperadoModelo(cab, true), real = f.Tamanho();
  if (real < esperado) return TextoTamanho(real, esperado);
  std::vector<pesoW> bloco(static_cast<std::size_t>(std::min(K, BlocoElementos)));
  long long pos = TamanhoEsperadoModelo(cab, false);
  for (int inicio = 0; inicio < K; inicio += BlocoElementos) {
    const int n = std::min(BlocoElementos, K - inicio);
    if (!f.Le(bloco.data(), std::size_t(n) * sizeof(pesoW), pos)) return QStringLiteral("O arquivo não pode ser lido.");
    pos += static_cast<long long>(n) * static_cast<long long>(sizeof(pesoW));
    for (int i = 0; i < n; ++i)
      if (!ElementoNaMatriz(bloco[std::size_t(i)], N))
        return QStringLiteral("O elemento %1 de W (linha %2, coluna %3) está fora da matriz de %4 × %4.")
            .arg(inicio + i + 1).arg(bloco[std::size_t(i)].linha).arg(bloco[std::size_t(i)].coluna).arg(N);
  }
  return QString();
}

bool ContaMarcasRegistros(const QString& caminho, const CabecalhoModelo& cab, int& considerados, int& validacao) {
  considerados = validacao = 0;
  if (!cab.ContagensValidas()) return false;
  const int N = cab.NumDados();
  Descritor f(caminho, ModoLeitura);
  if (!AbreLeitura(f) || f.Tamanho() < OffDados + static_cast<long long>(N) * static_cast<long long>(dado::Tamanho))
    return false;
  // Only the bytes from the exclusion mark to the validation mark of each record.
  constexpr std::size_t de = offsetof(dado, excluido), ate = offsetof(dado, validacao) + sizeof(int32_t);
  unsigned char trecho[ate - de];
  for (int i = 0; i < N; ++i) {
    const long long pos = OffDados + static_cast<long long>(i) * static_cast<long long>(dado::Tamanho) + static_cast<long long>(de);
    if (!f.Le(trecho, sizeof trecho, pos)) return false;
    int32_t marcaValidacao;
    std::memcpy(&marcaValidacao, trecho + (offsetof(dado, validacao) - de), sizeof marcaValidacao);
    considerados += trecho[0] == 0 ? 1 : 0;
    validacao += marcaValidacao != 0 ? 1 : 0;
  }
  return true;
}

bool LeCabecalhoModelo(const QString& caminho, CabecalhoModelo* cab, plat::IdentidadeArquivo* lido) {
  if (cab == nullptr) return false;
  Descritor f(caminho, ModoLeitura);
  if (!AbreLeitura(f) || !f.Le(cab->bytes, CabecalhoModelo::Tamanho, 0)) return false;
  if (lido) *lido = plat::IdentidadeDoDescritor(f.fd());
  return cab->ContagensValidas();
}

namespace {

bool LeRegistros(const QString& caminho, const CabecalhoModelo* cab, dado* dados, dadoP* dadosP,
                 NEWMAT::Matrix* W, LeituraW modo, const plat::IdentidadeArquivo* lido) {
  if (cab == nullptr || !cab->ContagensValidas()) return false;
  const int N = cab->NumDados(), M = cab->NumDadosP();
  if ((N > 0 && dados == nullptr) || (M > 0 && dadosP == nullptr)) return false;
  const bool elementos = W != nullptr && LeElementosW(*cab, modo);
  Descritor f(caminho, ModoLeitura);
  if (!AbreLeitura(f) || f.Tamanho() < TamanhoEsperadoModelo(*cab, elementos)) return false;
  if (lido && lido->Existe() && !(plat::IdentidadeDoDescritor(f.fd()) == *lido)) return false;

  long long pos = OffDados;
  const std::size_t bytesDados = std::size_t(N) * dado::Tamanho;
  if (bytesDados > 0 && !f.Le(dados, bytesDados, pos)) return false;
  pos += static_cast<long long>(bytesDados);
  const std::size_t bytesDadosP = std::size_t(M) * dadoP::Tamanho;
  if (bytesDadosP > 0 && !f.Le(dadosP, bytesDadosP, pos)) return false;
  pos += static_cast<long long>(bytesDadosP);

  if (!elementos) return true;
  const int K = cab->NumElementosW();
  // More elements than cells, or a negative count, is a damaged header.
  if (K < 0 || static_cast<long long>(K) > static_cast<long long>(N) * N) return false;
  // In blocks, with the rule the opener checks (MotivoElementosW): an element
  // outside the matrix marks a damaged file, and W is left all zero.
  W->ReSize(N, N);
  *W = 0.0;
  std::vector<pesoW> bloco(static_cast<std::size_t>(std::min(K, BlocoElementos)));
  for (int inicio = 0; inicio < K; inicio += BlocoElementos) {
    const int n = std::min(BlocoElementos, K - inicio);
    bool ok = f.Le(bloco.data(), std::size_t(n) * sizeof(pesoW), pos);
    pos += static_cast<long long>(n) * static_cast<long long>(sizeof(pesoW));
    for (int i = 0; ok && i < n; ++i) {
      const pesoW& p = bloco[std::size_t(i)];
      if (!ElementoNaMatriz(p, N)) ok = false;
      else (*W)(p.linha, p.coluna) = p.valor;
    }
    if (!ok) {
      *W = 0.0;
      return false;
    }
  }
  return true;
}

}  // namespace

bool LeRegistrosModelo(const QString& caminho, const CabecalhoModelo* cab, dado* dados, dadoP* dadosP,
                       NEWMAT::Matrix& W, LeituraW modo, const plat::IdentidadeArquivo* lido) {
  return LeRegistros(caminho, cab, dados, dadosP, &W, modo, lido);
}

bool LeRegistrosModelo(const QString& caminho, const CabecalhoModelo* cab, dado* dados, dadoP* dadosP,
                       const plat::IdentidadeArquivo* lido) {
  return LeRegistros(caminho, cab, dados, dadosP, nullptr, LeituraW::ComResultadoEspacial, lido);
}

QString TextoArquivoAlterado(const QString& caminho) {
  return plat::Texto(21006).arg(QDir::toNativeSeparators(caminho));
}

QString TextoFalhaGravacao(const QString& caminho, const ControleGravacao& controle) {
  using Falha = plat::GravacaoSegura::Falha;
  if (controle.falha == Falha::Protegido) return plat::Texto(3000);
  if (controle.falha == Falha::Alterado) return TextoArquivoAlterado(caminho);
  QString texto = plat::Texto(21002).arg(QDir::toNativeSeparators(caminho));
  if (!controle.erro.isEmpty()) texto += QLatin1Char('\n') + controle.erro;
  return texto;
}

namespace {

// The writer's answer into the caller's record.
bool Conclui(plat::GravacaoSegura& g, ControleGravacao* controle, bool escrito) {
  const bool ok = escrito && g.Confirma();
  if (controle) {
    controle->falha = ok ? plat::GravacaoSegura::Falha::Nenhuma : g.TipoFalha();
    controle->erro = ok ? QString() : g.Erro();
    if (ok) controle->gravado = g.Gravado();
  }
  return ok;
}

const plat::IdentidadeArquivo* Lido(const ControleGravacao* controle) {
  return controle && controle->lido.Existe() ? &controle->lido : nullptr;
}

}  // namespace

bool GravaArquivoModelo(const QString& caminho, CabecalhoModelo* cab, const dado* dados, const dadoP* dadosP,
                        NEWMAT::Matrix& W, ControleGravacao* controle) {
  if (cab == nullptr) return false;
  const int N = cab->NumDados(), M = cab->NumDadosP();
  if (N < 0 || N > CabecalhoModelo::MaxDados || M < 0 || M > CabecalhoModelo::MaxDadosP) return false;
  if ((N > 0 && dados == nullptr) || (M > 0 && dadosP == nullptr)) return false;
  if (W.Nrows() != N) W.ReSize(0, 0);

  // The elements are counted before the header goes out, so the header is
  // written once with the count of what follows it. Every write counts from
  // zero: a model that stores no elements stores the count 0.
  std::vector<pesoW> pesos;
  if (!cab->SemElementosW()) {
    const int linhas = W.Nrows(), colunas = W.Ncols();
    for (int i = 1; i <= linhas; ++i)
      for (int j = 1; j <= colunas; ++j) {
        const double v = W(i, j);
        if (v != 0.0) pesos.push_back(pesoW{v, i, j});  // a NaN is not zero
      }
  }
  cab->SetNumElementosW(static_cast<int>(pesos.size()));

  plat::GravacaoSegura g(caminho, Lido(controle));
  const bool escrito = g.Aberta() && g.Escreve(cab->bytes, CabecalhoModelo::Tamanho) &&
                       (N == 0 || g.Escreve(dados, std::size_t(N) * dado::Tamanho)) &&
                       (M == 0 || g.Escreve(dadosP, std::size_t(M) * dadoP::Tamanho)) &&
                       (pesos.empty() || g.Escreve(pesos.data(), pesos.size() * sizeof(pesoW)));
  return Conclui(g, controle, escrito);
}

bool GravaCabecalhoERegistros(const QString& caminho, const CabecalhoModelo* cab, const dado* dados,
                              const dadoP* dadosP, ControleGravacao* controle) {
  if (cab == nullptr) return false;
  const int N = cab->NumDados(), M = cab->NumDadosP();
  if ((dados || dadosP) && (N < 0 || N > CabecalhoModelo::MaxDados || M < 0 || M > CabecalhoModelo::MaxDadosP))
    return false;
  Descritor antigo(caminho, ModoLeitura);
  if (!antigo.Aberto()) {
    if (controle) {
      controle->falha = plat::GravacaoSegura::Falha::Sistema;
      controle->erro = plat::DescricaoErro(errno);
    }
    return false;
  }
  // The bytes copied come from the file replaced: the one the caller read,
  // or at least the one opened here, never a file put in its place meanwhile.
  const plat::IdentidadeArquivo copiado = plat::IdentidadeDoDescritor(antigo.fd());
  if (Lido(controle) && !(copiado == controle->lido)) {
    controle->falha = plat::GravacaoSegura::Falha::Alterado;
    controle->erro.clear();
    return false;
  }
  const long long tamanho = antigo.Tamanho();
  long long fimDados = OffDados, fimDadosP = OffDados;
  if (dados || dadosP) {
    fimDados += static_cast<long long>(N) * static_cast<long long>(dado::Tamanho);
    fimDadosP = fimDados + static_cast<long long>(M) * static_cast<long long>(dadoP::Tamanho);
  }
  if (tamanho < fimDadosP) return false;

  plat::GravacaoSegura g(caminho, &copiado);
  // Bytes [de, ate) of the old file, in blocks; its holes are skipped, so a
  // sparse file stays sparse (where the file system cannot say where the
  // data lies, everything is data).
  std::vector<char> bloco;
  auto copiaDados = [&](long long de, long long ate) {
    if (ate > de && bloco.empty()) bloco.resize(std::size_t(1) << 20);
    for (long long pos = de; pos < ate;) {
      const std::size_t n = static_cast<std::size_t>(std::min<long long>(ate - pos, static_cast<long long>(bloco.size())));
      if (!antigo.Le(bloco.data(), n, pos) || !g.Escreve(bloco.data(), n)) return false;
      pos += static_cast<long long>(n);
    }
    return true;
  };
  auto copia = [&](long long de, long long ate) {
    for (long long pos = de; pos < ate;) {
      const off_t inicio = ::lseek(antigo.fd(), static_cast<off_t>(pos), SEEK_DATA);
      if (inicio < 0) {
        if (errno == ENXIO) return g.Pula(static_cast<std::size_t>(ate - pos));  // a hole to the end
        return copiaDados(pos, ate);
      }
      const long long dadoDe = std::min<long long>(inicio, ate);
      if (dadoDe > pos && !g.Pula(static_cast<std::size_t>(dadoDe - pos))) return false;
      if (dadoDe >= ate) return true;
      const off_t buraco = ::lseek(antigo.fd(), static_cast<off_t>(dadoDe), SEEK_HOLE);
      const long long dadoAte = buraco < 0 ? ate : std::min<long long>(buraco, ate);
      if (!copiaDados(dadoDe, dadoAte)) return false;
      pos = dadoAte;
    }
    return true;
  };
  const bool escrito = g.Aberta() && g.Escreve(cab->bytes, CabecalhoModelo::Tamanho) &&
                       (dados ? (N == 0 || g.Escreve(dados, std::size_t(N) * dado::Tamanho))
                              : copia(OffDados, fimDados)) &&
                       (dadosP ? (M == 0 || g.Escreve(dadosP, std::size_t(M) * dadoP::Tamanho))
                               : copia(fimDados, fimDadosP)) &&
                       copia(fimDadosP, tamanho);
  return Conclui(g, controle, escrito);
}

bool GravaCabecalhoModelo(const QString& caminho, const CabecalhoModelo* cab, ControleGravacao* controle) {
  return GravaCabecalhoERegistros(caminho, cab, nullptr, nullptr, controle);
}

bool GravaResiduos(const QString& caminho, const CabecalhoModelo* cab, const dado* dados) {
  if (cab == nullptr || !cab->ContagensValidas()) return false;
  const int N = cab->NumDados();
  if (N > 0 && dados == nullptr) return false;
  Descritor f(caminho, O_RDWR);
  // Never write residuals past the records the file holds.
  if (!f.Aberto() || f.Tamanho() < OffDados + static_cast<long long>(N) * static_cast<long long>(dado::Tamanho))
    return false;
  if (!f.Escreve(cab->bytes, CabecalhoModelo::Tamanho, 0)) return false;
  // Blocks of records are read, given their residuals and written back, so
  // only the residual bytes change and the calls stay few.
  constexpr int Bloco = 1024;
  std::vector<dado> buffer(static_cast<std::size_t>(std::min(N, Bloco)));
  for (int inicio = 0; inicio < N; inicio += Bloco) {
    const int n = std::min(Bloco, N - inicio);
    const long long pos = OffDados + static_cast<long long>(inicio) * static_cast<long long>(dado::Tamanho);
    const std::size_t bytes = std::size_t(n) * dado::Tamanho;
    if (!f.Le(buffer.data(), bytes, pos)) return false;
    for (int i = 0; i < n; ++i)
      std::copy(std::begin(dados[inicio + i].residuo), std::end(dados[inicio + i].residuo), buffer[i].residuo);
    if (!f.Escreve(buffer.data(), bytes, pos)) return false;
  }
  return true;
}
