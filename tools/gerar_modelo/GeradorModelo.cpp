#include "GeradorModelo.h"

#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"

#include <QFile>
#include <QTextStream>
#include <memory>

namespace {
using C = CabecalhoModelo;

QStringList Campos(const QString& linha) {
  QStringList r = linha.split(',');
  for (QString& c : r) {
    c = c.trimmed();
    if (c.size() >= 2 && c.startsWith('"') && c.endsWith('"')) c = c.mid(1, c.size() - 2);
  }
  return r;
}

// What a new model holds before its variables are set (the wizard's defaults).
void PreencheNovoCabecalho(C& c) {
  c.Zera();
  c.MarcaFormato();
  for (int v = 0; v < C::MaxVariaveis; ++v) c.SetHabilitada(v, true);
  c.SetTexto(C::OffLinhaTitulo, C::TamLinhaTitulo, QStringLiteral("Tarsolin Windows 1.60"));
  c.SetTexto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo, QStringLiteral("Sistema de Avaliação em Massa"));
  const int margens[4] = {1700, 1700, 1440, 1440};
  for (int i = 0; i < 4; ++i) c.SetI32(C::OffMargens + 4 * std::size_t(i), margens[i]);
  for (std::size_t off : {C::OffImprimeCabecalho, C::OffImprimeRodape, C::OffImprimeData, C::OffNumeraPaginas})
    c.SetU8(off, 1);
  const int fixasDados[6] = {2552, 1985, 1134, 1134, 1134, 1985};
  for (int i = 0; i < 6; ++i) c.SetI32(C::OffLargurasFixasDados + 4 * std::size_t(i), fixasDados[i]);
  const int fixasAvaliacao[5] = {2552, 1985, 1134, 1134, 1134};
  for (int i = 0; i < 5; ++i) c.SetI32(C::OffLargurasFixasAvaliacao + 4 * std::size_t(i), fixasAvaliacao[i]);
  // Calculation options: method "Geral", codes 0 to 3 tried, least squares.
  c.SetI32(C::OffOpcoesCalculo, 1);
  for (int codigo = 0; codigo < 4; ++codigo) c.SetU8(C::OffOpcoesCalculo + 12 + std::size_t(codigo), 1);
  c.SetU8(C::OffOpcoesCalculo + 22, 1);
  // Spatial defaults.
  c.SetI32(C::OffTipoEspacial, 1);
  c.SetU8(C::OffNormalizaW, 1);
  c.SetU8(C::OffTransformaDistancias, 1);
  c.SetF64(C::OffExpoenteDistancia, -1.0);
  c.SetI32(C::OffMaxIteracoes, 500);
  c.SetI32(C::OffIteracoesMonteCarlo, 30);
  c.SetF64(C::OffRho, 0.5);
  c.SetF64(C::OffRhoMinimo, -1.0);
  c.SetF64(C::OffRhoMaximo, 1.0);
  c.SetF64(C::OffTolerancia, 0.0001);
}

}  // namespace

bool GeraModelo(const QString& csv, const QString& destino, const DescricaoModelo& d, QString& erro) {
  QFile f(csv);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
    erro = QStringLiteral("cannot open %1").arg(csv);
    return false;
  }
  QTextStream in(&f);
  const QStringList cabecalho = Campos(in.readLine());
  auto indice = [&](const QString& nome) { return cabecalho.indexOf(nome); };

  const int n = int(d.variaveis.size());
  if (n < 2 || n > C::MaxVariaveis) {
    erro = QStringLiteral("a model needs 2 to 60 variables");
    return false;
  }
  std::vector<int> colunas;
  for (const ColunaModelo& v : d.variaveis) {
    colunas.push_back(indice(v.coluna));
    if (colunas.back() < 0) {
      erro = QStringLiteral("column %1 not in the table").arg(v.coluna);
      return false;
    }
  }
  const int colEndereco = indice(d.colunaEndereco);

  std::vector<dado> dados;
  int numeroLinha = 1;
  while (!in.atEnd()) {
    const QString linha = in.readLine();
    ++numeroLinha;
    if (linha.trimmed().isEmpty()) continue;
    const QStringList campos = Campos(linha);
    if (int(dados.size()) >= C::MaxDados) {
      erro = QStringLiteral("more than %1 records").arg(C::MaxDados);
      return false;
    }
    dado r{};
    for (int v = 0; v < n; ++v) {
      bool ok = false;
      const double x = colunas[v] < campos.size() ? campos[colunas[v]].toDouble(&ok) : 0.0;
      if (!ok) {
        erro = QStringLiteral("line %1: column %2 is not a number").arg(numeroLinha).arg(d.variaveis[v].coluna);
        return false;
      }
      r.valor[v] = x;
    }
    if (colEndereco >= 0 && colEndereco < campos.size()) r.SetEndereco(d.prefixoEndereco + campos[colEndereco]);
    dados.push_back(r);
  }

  auto cab = std::make_unique<C>();
  PreencheNovoCabecalho(*cab);
  cab->SetTexto(C::OffNome, 51, d.nome);
  cab->SetTexto(C::OffAutor, 31, d.autor);
  cab->SetTexto(C::OffInformacoes, C::TamInformacoes, d.informacoes);
  cab->SetTexto(C::OffData, C::TamData, d.data);
  cab->SetI32(C::OffTipoImovel, d.tipoImovel);
  auto variavel = [&](const QString& coluna) {
    for (int v = 0; v < n; ++v)
      if (d.variaveis[v].coluna == coluna) return v;
    return -1;
  };
  for (int v = 0; v < n; ++v) {
    const ColunaModelo& m = d.variaveis[v];
    cab->SetNomeVariavel(v, m.coluna);
    cab->SetDescricaoVariavel(v, m.descricao);
    cab->SetTipoVariavel(v, m.tipo);
    cab->SetCasasDecimais(v, m.casasDecimais);
    cab->SetRelacao(v, m.relacao);
    cab->SetI32(C::OffLargurasVariavel + 4 * std::size_t(v), 1134);
  }
  for (int v = 0; v < n + 2; ++v) cab->SetI32(C::OffLargurasAvaliacao + 4 * std::size_t(v), 1134);
  cab->SetNumVariaveis(n);
  cab->SetDependente(n - 1);
  cab->SetI32(C::OffVariavelX, variavel(d.colunaX));
  cab->SetI32(C::OffVariavelY, variavel(d.colunaY));
  cab->SetI32(C::OffVariavelArea, variavel(d.colunaArea));
  cab->SetU8(C::OffValorUnitario, 0);
  cab->SetNumDados(int(dados.size()));
  cab->SetNumConsiderados(int(dados.size()));
  cab->SetNumDadosP(0);

  NEWMAT::Matrix W;
  if (!GravaArquivoModelo(destino, cab.get(), dados.data(), nullptr, W)) {
    erro = QStringLiteral("cannot write %1").arg(destino);
    return false;
  }
  return true;
}

DescricaoModelo DescricaoBaltimore() {
  DescricaoModelo d;
  d.nome = QStringLiteral("Casas em Baltimore");
  d.autor = QStringLiteral("Tarsolin");
  d.informacoes = QStringLiteral("Vendas de 211 casas em Baltimore, Maryland (EUA). Preço em milhares de dólares; "
                                 "áreas em centenas de pés quadrados; coordenadas X e Y da localização.");
  d.data = QStringLiteral("01/12/2026");
  d.tipoImovel = 2;
  d.colunaEndereco = QStringLiteral("STATION");
  d.prefixoEndereco = QStringLiteral("Observação ");
  d.variaveis = {
      {"NROOM", "Número de cômodos", 5, 0, 0},
      {"DWELL", "Casa isolada (1) ou geminada (0)", 1, 0, 0},
      {"NBATH", "Número de banheiros", 5, 1, 0},
      {"PATIO", "Possui pátio (1) ou não (0)", 1, 0, 0},
      {"FIREPL", "Possui lareira (1) ou não (0)", 1, 0, 0},
      {"AC", "Possui ar-condicionado (1) ou não (0)", 1, 0, 0},
      {"BMENT", "Porão: 0 nenhum, 1 parcial, 2 completo, 3 acabado", 3, 0, 0},
      {"NSTOR", "Número de pavimentos", 5, 0, 0},
      {"GAR", "Vagas de garagem", 5, 0, 0},
      {"AGE", "Idade do imóvel, em anos", 5, 0, 1},
      {"CITCOU", "Na cidade de Baltimore (1) ou no condado (0)", 1, 0, 0},
      {"LOTSZ", "Área do lote, em centenas de pés quadrados", 5, 2, 0},
      {"SQFT", "Área construída, em centenas de pés quadrados", 5, 2, 0},
      {"X", "Coordenada X da localização", 5, 0, 0},
      {"Y", "Coordenada Y da localização", 5, 0, 0},
      {"PRICE", "Preço de venda, em milhares de dólares", 5, 2, 0},
  };
  d.colunaX = QStringLiteral("X");
  d.colunaY = QStringLiteral("Y");
  d.colunaArea = QStringLiteral("SQFT");
  return d;
}
