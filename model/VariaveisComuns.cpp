#include "VariaveisComuns.h"

#include "platform/ArquivoSeguro.h"

#include <QFile>
#include <algorithm>
#include <cstring>

bool LeVariaveisComuns(const QString& caminho, std::vector<Var>& catalogo) {
  catalogo.clear();
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const qint64 registros = f.size() / qint64(Var::Tamanho);
  catalogo.resize(std::size_t(registros));
  if (registros == 0) return true;
  const qint64 lidos = f.read(reinterpret_cast<char*>(catalogo.data()), registros * qint64(Var::Tamanho));
  if (lidos == registros * qint64(Var::Tamanho)) return true;
  catalogo.resize(lidos < 0 ? 0 : std::size_t(lidos / qint64(Var::Tamanho)));
  return false;
}

bool GravaVariaveisComuns(const QString& caminho, const std::vector<Var>& catalogo) {
  plat::GravacaoSegura g(caminho);
  if (!g.Aberta()) return false;
  if (!catalogo.empty() && !g.Escreve(catalogo.data(), catalogo.size() * Var::Tamanho)) return false;
  return g.Confirma();
}

int ComparaVar(const Var& a, const Var& b) {
  if (a.tipoImovel != b.tipoImovel) return a.tipoImovel < b.tipoImovel ? -1 : 1;
  // Bounded by the field: a name may fill it without a NUL.
  for (std::size_t i = 0; i < sizeof a.nome; ++i) {
    const unsigned char x = static_cast<unsigned char>(a.nome[i]);
    const unsigned char y = static_cast<unsigned char>(b.nome[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return 0;
}

int TipoVariavelModelo(int tipoCatalogo) { return tipoCatalogo == 4 ? 5 : tipoCatalogo; }

int CasasDecimaisValidas(int casas) { return std::clamp(casas, 0, MaxCasasDecimais); }
