#include "LinhasDados.h"

#include "CabecalhoModelo.h"
#include "LinhaDado.h"
#include "dado.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

enum class Modo { Aloca, Preenche, Consideradas };

// The enabled variables' values packed from slot 0, then residuals, excluded
// byte and 1-based file position.
void Preenche(LinhaDado& l, const dado& d, const CabecalhoModelo& cab, int n, int linha) {
  std::memset(l.valor, 0, sizeof l.valor);
  int k = 0;
  for (int v = 0; v < n; ++v)
    if (cab.Habilitada(v)) l.valor[k++] = d.valor[v];
  std::memcpy(l.residuo, d.residuo, sizeof l.residuo);
  l.excluido = d.excluido;
  l.linha = linha;
}

bool LeLinhas(const QString& caminho, const CabecalhoModelo* cab, LinhaDado** linhas, Modo modo) {
  if (cab == nullptr || linhas == nullptr || !cab->ContagensValidas()) return false;
  const int N = cab->NumDados();
  const int n = cab->NumVariaveis();
  const int capacidade = modo == Modo::Consideradas ? cab->NumConsiderados() : N;
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly) || !f.seek(qint64(CabecalhoModelo::Tamanho))) return false;
  // Blocks of records per read; a short read keeps the rows filled so far.
  constexpr int Bloco = 512;
  std::vector<dado> buffer(static_cast<std::size_t>(std::min(std::max(N, 1), Bloco)));
  int saida = 0;
  for (int inicio = 0; inicio < N; inicio += Bloco) {
    const int quantos = std::min(Bloco, N - inicio);
    const qint64 bytes = qint64(quantos) * qint64(dado::Tamanho);
    const qint64 lidos = f.read(reinterpret_cast<char*>(buffer.data()), bytes);
    const int completos = lidos < 0 ? 0 : int(lidos / qint64(dado::Tamanho));
    for (int i = 0; i < completos; ++i) {
      const dado& d = buffer[std::size_t(i)];
      const int linha = inicio + i + 1;
      switch (modo) {
        case Modo::Aloca:
          linhas[linha - 1] = new LinhaDado;
          Preenche(*linhas[linha - 1], d, *cab, n, linha);
          break;
        case Modo::Preenche:
          if (linhas[linha - 1] == nullptr) return false;
          Preenche(*linhas[linha - 1], d, *cab, n, linha);
          break;
        case Modo::Consideradas:
          if (d.excluido != 0) break;
          if (saida >= capacidade) return false;  // the header's count is stale: never write past the array
          linhas[saida] = new LinhaDado;
          Preenche(*linhas[saida], d, *cab, n, linha);
          ++saida;
          break;
      }
    }
    if (completos < quantos) return false;
  }
  return true;
}

}  // namespace

bool LeLinhasDados(const QString& caminho, const CabecalhoModelo* cab, LinhaDado** linhas) {
  return LeLinhas(caminho, cab, linhas, Modo::Aloca);
}

bool PreencheLinhasDados(const QString& caminho, const CabecalhoModelo* cab, LinhaDado** linhas) {
  return LeLinhas(caminho, cab, linhas, Modo::Preenche);
}

bool LeLinhasConsideradas(const QString& caminho, const CabecalhoModelo* cab, LinhaDado** linhas) {
  return LeLinhas(caminho, cab, linhas, Modo::Consideradas);
}

void LiberaLinhas(int quantidade, LinhaDado** linhas) {
  if (linhas == nullptr) return;
  for (int i = 0; i < quantidade; ++i) delete linhas[i];
  delete[] linhas;
}
