// The transformation search: the walk of each method, the kept list, the
// criteria, and the threaded general method against the one-thread walk.
#include "AjusteIndependente.h"
#include "DadosSinteticos.h"

#include "modules/regression/engine/BuscaTransformacoes.h"
#include "modules/regression/engine/ListaEquacoes.h"
#include "modules/regression/engine/ProgressoBusca.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace ostrimo;

namespace {

// Writes each computed combination as its digits, "F" before the final pass.
class Rastro : public ObservadorBusca {
public:
  void Combinacao(const int* d, int k, double criterio, bool final) override {
    std::string s = final ? "F" : "";
    for (int j = 0; j < k; ++j)
      s += char('0' + d[j]);
    passos.push_back(s);
    criterios.push_back(criterio);
  }
  std::vector<std::string> passos;
  std::vector<double> criterios;
};

class ProgressoGravado : public ProgressoBusca {
public:
  void Inicia(int m) override { maximo = m; }
  void Posicao(int p) override { posicoes.push_back(p); }
  void MelhorCriterio(double c) override { melhores.push_back(c); }
  void Termina() override { terminou = true; }
  int maximo = -1;
  std::vector<int> posicoes;
  std::vector<double> melhores;
  bool terminou = false;
};

OpcoesBusca Opcoes(int metodo, std::initializer_list<int> codigosPermitidos, int criterio = 0) {
  OpcoesBusca o;
  o.metodo = metodo;
  o.criterio = criterio;
  for (int c : codigosPermitidos)
    o.permitido[c] = 1;
  return o;
}

OpcoesBusca TodosCodigos(int metodo, int criterio = 0) {
  return Opcoes(metodo, {1, 2, 3, 4, 5, 6, 7}, criterio);
}

std::vector<std::string> Codigos(const ListaEquacoes& l, int k) {
  std::vector<std::string> v;
  for (int i = 0; i < l.Quantidade(); ++i) {
    std::string s;
    for (int j = 0; j < k; ++j)
      s += char('0' + l[i].codigo[j]);
    v.push_back(s);
  }
  return v;
}

}  // namespace

// 343 independent least-squares fits in odometer order, near-duplicates
// dropped, sorted, the 100 best: the engine's kept list must be that.
TEST(BuscaGeral, ListaIgualAForcaBruta) {
  const int k = 3, n = 40;
  const auto v = testes::DadosPositivos(k, n, 7);

  struct Entrada { double r; std::string codigos; };
  std::vector<Entrada> bruta;
  for (int c0 = 1; c0 <= 7; ++c0)
    for (int c1 = 1; c1 <= 7; ++c1)
      for (int c2 = 1; c2 <= 7; ++c2) {
        const int c[3] = {c0, c1, c2};
        const double r = testes::AjustaNewmat(v, k, n, c).r;
        if (std::isnan(r))
          continue;
        bool repetida = false;
        for (const auto& e : bruta)
          repetida = repetida || std::fabs(e.r - r) < 1e-8;
        if (!repetida)
          bruta.push_back({r, std::string{char('0' + c0), char('0' + c1), char('0' + c2)}});
      }
  std::stable_sort(bruta.begin(), bruta.end(), [](const Entrada& a, const Entrada& b) { return a.r > b.r; });
  bruta.resize(std::min<std::size_t>(bruta.size(), 100));

  for (bool sequencial : {true, false}) {
    SCOPED_TRACE(sequencial ? "one-step walk" : "threaded blocks");
    ListaEquacoes lista;
    BuscaTransformacoes busca;
    auto o = TodosCodigos(1);
    o.sequencial = sequencial;
    ASSERT_EQ(busca.Executa({k, n, v.data()}, o, &lista), BuscaTransformacoes::Concluida);
    ASSERT_EQ(lista.Quantidade(), int(bruta.size()));
    for (int i = 0; i < lista.Quantidade(); ++i) {
      EXPECT_EQ(Codigos(lista, k)[i], bruta[i].codigos) << "entry " << i;
      EXPECT_NEAR(lista[i].criterio, bruta[i].r, 1e-9) << "entry " << i;
    }
    EXPECT_EQ(busca.Iteracoes(), 344.0);  // every combination, then the final pass
    const std::string melhor{char('0' + busca.Digitos()[0]), char('0' + busca.Digitos()[1]),
                             char('0' + busca.Digitos()[2])};
    EXPECT_EQ(melhor, bruta[0].codigos);
  }
}

// Every code of a two-valued regressor is an affine map of it, so its seven
// codes give one criterion: only the first met in odometer order, "x" (position
// 0 turns slowest), is kept, whatever the threads.
TEST(BuscaGeral, QuaseIguaisFicaOPrimeiroEncontrado) {
  const int k = 3, n = 30;
  auto v = testes::DadosPositivos(k, n, 19);
  for (int i = 0; i < n; ++i) {
    v[i] = i % 4 == 0 ? 5.0 : 2.0;
    v[2 * n + i] *= 1.0 + 0.2 * v[i];
  }
  // distinct criteria of the (position 1, dependent) pairs, from independent fits
  std::vector<double> distintos;
  for (int c1 = 1; c1 <= 7; ++c1)
    for (int c2 = 1; c2 <= 7; ++c2) {
      const int c[3] = {1, c1, c2};
      const double r = testes::AjustaNewmat(v, k, n, c).r;
      if (std::none_of(distintos.begin(), distintos.end(), [&](double d) { return std::fabs(d - r) < 1e-8; }))
        distintos.push_back(r);
    }
  for (int threads : {0, 1, 3}) {
    SCOPED_TRACE(threads);
    BuscaTransformacoes busca;
    ListaEquacoes lista;
    auto o = TodosCodigos(1);
    o.sequencial = threads == 0;
    o.threads = threads;
    ASSERT_EQ(busca.Executa({k, n, v.data()}, o, &lista), BuscaTransformacoes::Concluida);
    EXPECT_EQ(lista.Quantidade(), int(distintos.size()));
    for (int i = 0; i < lista.Quantidade(); ++i)
      EXPECT_EQ(lista[i].codigo[0], 1) << "entry " << i;
    EXPECT_EQ(busca.Digitos()[0], 1);
  }
}

TEST(BuscaGeral, RastroComDoisCodigos) {
  const auto v = testes::DadosPositivos(3, 30, 11);
  Rastro rastro;
  BuscaTransformacoes busca;
  ListaEquacoes lista;
  auto o = Opcoes(1, {1, 2});
  o.sequencial = true;
  ASSERT_EQ(busca.Executa({3, 30, v.data()}, o, &lista, nullptr, &rastro), BuscaTransformacoes::Concluida);
  ASSERT_EQ(rastro.passos.size(), 9u);
  const std::vector<std::string> esperado{"111", "112", "121", "122", "211", "212", "221", "222"};
  EXPECT_EQ(std::vector<std::string>(rastro.passos.begin(), rastro.passos.begin() + 8), esperado);
  const auto maior = std::max_element(rastro.criterios.begin(), rastro.criterios.begin() + 8) - rastro.criterios.begin();
  EXPECT_EQ(rastro.passos[8], "F" + rastro.passos[maior]);

  // The threaded walk meets the same combinations in the same order.
  Rastro paralelo;
  o.sequencial = false;
  o.threads = 3;
  ListaEquacoes lista2;
  ASSERT_EQ(busca.Executa({3, 30, v.data()}, o, &lista2, nullptr, &paralelo), BuscaTransformacoes::Concluida);
  EXPECT_EQ(paralelo.passos, rastro.passos);
}

TEST(BuscaSimplificada, RastroComDoisCodigos) {
  const auto v = testes::DadosPositivos(3, 30, 11);
  Rastro rastro;
  BuscaTransformacoes busca;
  ListaEquacoes lista;
  ASSERT_EQ(busca.Executa({3, 30, v.data()}, Opcoes(2, {1, 2}), &lista, nullptr, &rastro),
            BuscaTransformacoes::Concluida);
  ASSERT_EQ(rastro.passos.size(), 7u);
  EXPECT_EQ(rastro.passos[0], "111");
  EXPECT_EQ(rastro.passos[1], "112");
  EXPECT_EQ(rastro.passos[2], "121");
  EXPECT_EQ(rastro.passos[3], "122");
  // position 1 returns to its best code of the first sweep
  const auto melhor = std::max_element(rastro.criterios.begin(), rastro.criterios.begin() + 4) - rastro.criterios.begin();
  const char b = rastro.passos[melhor][1];
  const std::string esperado4{'2', b, '1'}, esperado5{'2', b, '2'};
  EXPECT_EQ(rastro.passos[4], esperado4);
  EXPECT_EQ(rastro.passos[5], esperado5);
  const auto melhorTodos = std::max_element(rastro.criterios.begin(), rastro.criterios.begin() + 6) - rastro.criterios.begin();
  EXPECT_EQ(rastro.passos[6], "F" + rastro.passos[melhorTodos]);
  EXPECT_EQ(busca.Metodo(), 2);
}

TEST(BuscaGeral, UmCodigoUmAjusteEPasseFinal) {
  const auto v = testes::DadosPositivos(4, 25, 3);
  for (bool sequencial : {true, false}) {
    Rastro rastro;
    BuscaTransformacoes busca;
    ListaEquacoes lista;
    auto o = Opcoes(1, {1});
    o.sequencial = sequencial;
    ASSERT_EQ(busca.Executa({4, 25, v.data()}, o, &lista, nullptr, &rastro), BuscaTransformacoes::Concluida);
    EXPECT_EQ(rastro.passos, (std::vector<std::string>{"1111", "F1111"}));
    EXPECT_EQ(lista.Quantidade(), 1);
  }
}

TEST(BuscaGeral, ValorNaoPositivoMantemXEViraSimplificada) {
  const int k = 3, n = 30;
  auto v = testes::DadosPositivos(k, n, 5);
  v[7] = -2.0;  // one value of position 0
  BuscaTransformacoes busca;
  ListaEquacoes lista;
  ASSERT_EQ(busca.Executa({k, n, v.data()}, TodosCodigos(1), &lista), BuscaTransformacoes::Concluida);
  EXPECT_EQ(busca.Metodo(), 2);
  ASSERT_GT(lista.Quantidade(), 1);
  for (int i = 0; i < lista.Quantidade(); ++i)
    EXPECT_EQ(lista[i].codigo[0], 1) << "entry " << i;
  EXPECT_EQ(busca.Digitos()[0], 1);
  // A zero in the dependent fixes it as well.
  v = testes::DadosPositivos(k, n, 5);
  v[2 * n + 4] = 0.0;
  ListaEquacoes lista2;
  ASSERT_EQ(busca.Executa({k, n, v.data()}, TodosCodigos(1), &lista2), BuscaTransformacoes::Concluida);
  for (int i = 0; i < lista2.Quantidade(); ++i)
    EXPECT_EQ(lista2[i].codigo[2], 1);
}

// Variação ranks by the correlation in original units, computed here from an
// independent fit of each kept equation; it may be negative.
TEST(BuscaGeral, VariacaoOrdenaPelaCorrelacaoOriginal) {
  const int k = 3, n = 12;
  const auto v = testes::DadosPositivos(k, n, 21, 1.6);
  for (bool sequencial : {true, false}) {
    BuscaTransformacoes busca;
    ListaEquacoes lista;
    // 64 combinations: every one of them is kept, the negative ones included
    auto o = Opcoes(1, {1, 2, 6, 7}, 1);
    o.sequencial = sequencial;
    ASSERT_EQ(busca.Executa({k, n, v.data()}, o, &lista), BuscaTransformacoes::Concluida);
    ASSERT_GT(lista.Quantidade(), 10);
    bool negativo = false;
    for (int i = 0; i < lista.Quantidade(); ++i) {
      const int c[3] = {lista[i].codigo[0], lista[i].codigo[1], lista[i].codigo[2]};
      EXPECT_NEAR(lista[i].criterio, testes::AjustaNewmat(v, k, n, c).rOriginal, 1e-9) << "entry " << i;
      if (i > 0) {
        EXPECT_GT(lista[i - 1].criterio, lista[i].criterio);
      }
      negativo = negativo || lista[i].criterio < 0;
    }
    EXPECT_TRUE(negativo) << "the data should give some negative correlation";
    EXPECT_DOUBLE_EQ(busca.MelhorCriterio(), lista[0].criterio);
  }
}

// A constant dependent never gives a criterion above zero: the search still
// ends, with nothing kept.
TEST(BuscaGeral, DependenteConstanteTermina) {
  const int k = 3, n = 20;
  auto v = testes::DadosPositivos(k, n, 9);
  std::fill(v.begin() + 2 * n, v.end(), 250.0);
  for (int metodo : {1, 2}) {
    for (int criterio : {0, 1}) {
      BuscaTransformacoes busca;
      ListaEquacoes lista;
      ASSERT_EQ(busca.Executa({k, n, v.data()}, TodosCodigos(metodo, criterio), &lista),
                BuscaTransformacoes::Concluida);
      EXPECT_EQ(lista.Quantidade(), 0) << "method " << metodo << " criterion " << criterio;
    }
  }
}

// A constant first regressor leaves a zero pivot even after the row swap: the
// fit is indeterminate, not a NaN criterion that silently keeps nothing.
TEST(BuscaGeral, PrimeiroRegressorConstanteEIndeterminado) {
  const int k = 4, n = 20;
  auto v = testes::DadosPositivos(k, n, 9);
  std::fill(v.begin(), v.begin() + n, 0.3);
  for (int metodo : {1, 2}) {
    for (int threads : {1, 4}) {
      BuscaTransformacoes busca;
      ListaEquacoes lista;
      auto o = TodosCodigos(metodo);
      o.threads = threads;
      EXPECT_EQ(busca.Executa({k, n, v.data()}, o, &lista), BuscaTransformacoes::Indeterminada)
          << "method " << metodo << ", " << threads << " threads";
      EXPECT_EQ(lista.Quantidade(), 0);
    }
  }
}

// A constant last regressor leaves a pivot of exactly zero: indeterminate.
TEST(BuscaGeral, RegressorConstanteEIndeterminado) {
  for (int k : {3, 6}) {  // 343 combinations on one thread; 117,649 over several
    const int n = 20;
    auto v = testes::DadosPositivos(k, n, 9);
    std::fill(v.begin() + std::size_t(k - 2) * n, v.begin() + std::size_t(k - 1) * n, 0.3);
    for (int threads : {1, 4}) {
      BuscaTransformacoes busca;
      ListaEquacoes lista;
      auto o = TodosCodigos(1);
      o.threads = threads;
      EXPECT_EQ(busca.Executa({k, n, v.data()}, o, &lista), BuscaTransformacoes::Indeterminada)
          << k << " positions, " << threads << " threads";
      EXPECT_EQ(busca.Iteracoes(), 0.0);
    }
  }
}

TEST(BuscaGeral, LinhasParalelasDaoAListaDeUmaLinha) {
  const int k = 5, n = 60;
  const auto v = testes::DadosPositivos(k, n, 33);
  for (int criterio : {0, 1}) {
    SCOPED_TRACE(criterio);
    ListaEquacoes referencia;
    BuscaTransformacoes busca;
    auto o = TodosCodigos(1, criterio);
    o.sequencial = true;
    ASSERT_EQ(busca.Executa({k, n, v.data()}, o, &referencia), BuscaTransformacoes::Concluida);
    const std::vector<int> melhor(busca.Digitos(), busca.Digitos() + k);
    ASSERT_EQ(referencia.Quantidade(), 100);
    for (int threads : {1, 2, 5}) {
      ListaEquacoes lista;
      o.sequencial = false;
      o.threads = threads;
      ASSERT_EQ(busca.Executa({k, n, v.data()}, o, &lista), BuscaTransformacoes::Concluida);
      EXPECT_EQ(Codigos(lista, k), Codigos(referencia, k)) << threads << " threads";
      for (int i = 0; i < 100; ++i)
        EXPECT_EQ(lista[i].criterio, referencia[i].criterio);
      EXPECT_EQ(std::vector<int>(busca.Digitos(), busca.Digitos() + k), melhor);
    }
  }
}

TEST(BuscaDirigida, SemAutoCalculaACombinacaoDada) {
  const auto v = testes::DadosPositivos(3, 30, 4);
  Rastro rastro;
  BuscaTransformacoes busca;
  auto o = Opcoes(3, {});
  o.codigos[0] = 3;
  o.codigos[1] = 2;
  o.codigos[2] = 5;
  ListaEquacoes lista;
  ASSERT_EQ(busca.Executa({3, 30, v.data()}, o, &lista, nullptr, &rastro), BuscaTransformacoes::Concluida);
  EXPECT_EQ(rastro.passos, (std::vector<std::string>{"325", "325", "F325"}));
  EXPECT_EQ(lista.Quantidade(), 0);
}

TEST(BuscaDirigida, AutoProcuraSoAsPosicoesLivres) {
  const int k = 3, n = 30;
  const auto v = testes::DadosPositivos(k, n, 4);
  Rastro rastro;
  BuscaTransformacoes busca;
  auto o = Opcoes(3, {});
  o.codigos[0] = 3;  // position 1 and the dependent on "Auto"
  ASSERT_EQ(busca.Executa({k, n, v.data()}, o, nullptr, nullptr, &rastro), BuscaTransformacoes::Concluida);
  for (const auto& p : rastro.passos)
    EXPECT_EQ(p[p[0] == 'F' ? 1 : 0], '3') << p;
  // the final pass is the best of the combinations, checked independently
  double melhor = -1;
  std::string melhorCodigos;
  for (int c1 = 1; c1 <= 7; ++c1)
    for (int c2 = 1; c2 <= 7; ++c2) {
      const int c[3] = {3, c1, c2};
      const double r = testes::AjustaNewmat(v, k, n, c).r;
      if (r > melhor + 1e-12) {
        melhor = r;
        melhorCodigos = std::string{'3', char('0' + c1), char('0' + c2)};
      }
    }
  EXPECT_EQ(rastro.passos.back(), "F" + melhorCodigos);
  EXPECT_NEAR(busca.Ajuste().R(), melhor, 1e-10);
}

TEST(BuscaGeral, ProgressoEMelhorCriterio) {
  const auto v = testes::DadosPositivos(3, 30, 8);
  ProgressoGravado progresso;
  BuscaTransformacoes busca;
  ListaEquacoes lista;
  ASSERT_EQ(busca.Executa({3, 30, v.data()}, TodosCodigos(1), &lista, &progresso), BuscaTransformacoes::Concluida);
  EXPECT_EQ(progresso.maximo, 40);
  EXPECT_TRUE(progresso.terminou);
  ASSERT_FALSE(progresso.posicoes.empty());
  EXPECT_TRUE(std::is_sorted(progresso.posicoes.begin(), progresso.posicoes.end()));
  EXPECT_EQ(progresso.posicoes.back(), 40);  // 344 iterations over 343 combinations
  EXPECT_TRUE(std::is_sorted(progresso.melhores.begin(), progresso.melhores.end()));
  EXPECT_DOUBLE_EQ(progresso.melhores.back(), lista[0].criterio);
}

// The simplified method's count, (k - c - 1)·m² - (k - c - 2)·m + m, scales the bar.
TEST(BuscaSimplificada, ContagemDaBarra) {
  const auto v = testes::DadosPositivos(3, 30, 11);
  ProgressoGravado progresso;
  BuscaTransformacoes busca;
  ListaEquacoes lista;
  ASSERT_EQ(busca.Executa({3, 30, v.data()}, Opcoes(2, {1, 2}), &lista, &progresso), BuscaTransformacoes::Concluida);
  EXPECT_EQ(busca.Combinacoes(), 8.0);
  EXPECT_EQ(busca.Iteracoes(), 7.0);
  ASSERT_FALSE(progresso.posicoes.empty());
  EXPECT_EQ(progresso.posicoes.back(), 35);  // floor(7 / 8 · 40)
  // a fixed position counts out: 13 positions, one fixed, all codes
  auto w = testes::DadosPositivos(13, 30, 2);
  w[0] = -1.0;
  auto o = TodosCodigos(2);
  ASSERT_EQ(busca.Executa({13, 30, w.data()}, o, &lista), BuscaTransformacoes::Concluida);
  EXPECT_EQ(busca.Combinacoes(), 11.0 * 49 - 10.0 * 7 + 7);
}
