#include "ModeloTeste.h"

#include "SlotsVariavel.h"

#include <QCryptographicHash>
#include <QFile>

using namespace palvedo;

ModeloTeste ModeloTeste::Cria(int V, int N, int M, bool comW) {
  ModeloTeste m;
  m.cab = std::make_unique<CabecalhoModelo>();
  CabecalhoModelo& c = *m.cab;
  c.Zera();
  c.MarcaFormato();
  c.SetI32(cab::TipoImovel, 2);
  for (int v = 0; v < 60; ++v) c.SetI32(cab::Habilitada + 4 * v, 1);
  for (int v = 0; v < V; ++v) {
    c.SetTexto(cab::Nome + 31 * v, 31, QStringLiteral("Var%1").arg(v));
    c.SetTexto(cab::Descricao + 601 * v, 601, QStringLiteral("Descrição %1").arg(v));
    c.SetTexto(cab::TextoSeis + 6 * v, 6, QStringLiteral("t%1").arg(v));
    c.SetTexto(cab::DataEvento + 11 * v, 11, QStringLiteral("%1/01/2020").arg(v + 1, 2, 10, QChar('0')));
    c.SetI32(cab::Relacao + 4 * v, v % 2);
    c.SetI32(cab::Tipo + 4 * v, 1 + v % 5);
    c.SetI32(cab::CodigoVariavel + 4 * v, 100 + v);
    c.SetI32(cab::Decimais + 4 * v, v % 12);
    c.SetI32(cab::LarguraDado + 4 * v, 1000 + v);
  }
  for (int s = 0; s < std::min(V + 3, 62); ++s) c.SetI32(cab::LarguraAvaliando + 4 * s, 2000 + s);
  c.SetI32(cab::VariavelArea, -1);
  c.SetI32(cab::MetodoCalculo, 2);
  c.SetI32(cab::NumVariaveis, V);
  c.SetI32(cab::Dependente, V - 1);
  c.SetI32(cab::NumDados, N);
  c.SetI32(cab::NumConsiderados, N);
  c.SetI32(cab::NumAvaliandos, M);
  c.SetI32(cab::ResultadosEspaciais, 1);

  m.reg.dados.assign(std::size_t(N), dado{});
  for (int i = 0; i < N; ++i) {
    dado& d = m.reg.dados[std::size_t(i)];
    for (int v = 0; v < V; ++v) {
      d.valor[v] = ValorDado(i, v);
      d.corTexto[v] = 100000 * (i + 1) + v;
      d.corFundo[v] = 200000 * (i + 1) + v;
      d.negrito[v] = uint8_t(1 + v);
      d.italico[v] = uint8_t(101 + v);
      d.sublinhado[v] = uint8_t(201 - v);
    }
    d.SetEndereco(QStringLiteral("Rua %1").arg(i + 1));
  }
  m.reg.dadosP.assign(std::size_t(M), dadoP{});
  for (int i = 0; i < M; ++i) {
    dadoP& p = m.reg.dadosP[std::size_t(i)];
    for (int s = 0; s < V + 3; ++s) {
      p.valor[s] = ValorAvaliando(i, s);
      p.corTexto[s] = 300000 * (i + 1) + s;
      p.corFundo[s] = 400000 * (i + 1) + s;
      p.negrito[s] = uint8_t(1 + s);
      p.italico[s] = uint8_t(71 + s);
      p.sublinhado[s] = uint8_t(141 + s);
    }
  }
  if (comW) {
    m.reg.W.ReSize(N, N);
    for (int i = 1; i <= N; ++i)
      for (int j = 1; j <= N; ++j) m.reg.W(i, j) = i == j ? 0.0 : 10.0 * i + j;
  }
  return m;
}

ModeloTeste ModeloTeste::Copia() const {
  ModeloTeste m;
  m.cab = std::make_unique<CabecalhoModelo>(*cab);
  m.reg.dados = reg.dados;
  m.reg.dadosP = reg.dadosP;
  m.reg.W = reg.W;
  return m;
}

bool ModeloTeste::Grava(const QString& caminho) { return reg.Grava(caminho, *cab); }

QByteArray LeArquivo(const QString& caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QByteArray Sha256(const QString& caminho) {
  return QCryptographicHash::hash(LeArquivo(caminho), QCryptographicHash::Sha256);
}
