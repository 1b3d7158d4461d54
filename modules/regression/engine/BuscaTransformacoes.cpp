#include "modules/regression/engine/BuscaTransformacoes.h"

#include "modules/regression/engine/ListaEquacoes.h"
#include "modules/regression/engine/ProgressoBusca.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>

namespace ostrimo {

namespace {
// Below this many combinations per thread a worker costs more than it saves.
constexpr std::uint64_t CombinacoesPorBloco = 8192;
}  // namespace

BuscaTransformacoes::BuscaTransformacoes() = default;
BuscaTransformacoes::~BuscaTransformacoes() = default;

int BuscaTransformacoes::Proximo(int digito) const {
  for (int c = digito + 1; c <= 7; ++c)
    if (opcoes_.permitido[c])
      return c;
  return 8;
}

double BuscaTransformacoes::Criterio(AjusteEquacao& ajuste) const {
  if (opcoes_.criterio == 1 && !opcoes_.estatistica)
    return ajuste.CorrelacaoOriginal(dados_.valores + std::size_t(k_ - 1) * dados_.n, sst_);
  return ajuste.R();
}

void BuscaTransformacoes::Conta(ProgressoBusca* progresso) {
  iteracoes_ += 1.0;
  if (progresso && (metodo_ == 1 || metodo_ == 2)) {
    const int pos = int(std::floor(iteracoes_ / combinacoes_ * 40.0));
    if (pos != posicaoBarra_) {
      posicaoBarra_ = pos;
      progresso->Posicao(pos);
    }
  }
}

BuscaTransformacoes::Estado BuscaTransformacoes::Executa(const DadosBusca& dados,
                                                        const OpcoesBusca& opcoes,
                                                        ListaEquacoes* lista,
                                                        ProgressoBusca* progresso,
                                                        ObservadorBusca* observador) {
  opcoes_ = opcoes;
  dados_ = dados;
  k_ = dados.k;
  metodo_ = opcoes.metodo;
  iteracoes_ = 0.0;
  posicaoBarra_ = -1;
  const int k = k_, n = dados.n;
  if (k < 2 || k > 60 || n < 1)
    return MetodoInvalido;
  if (metodo_ == 3 || opcoes_.estatistica)
    std::fill(std::begin(opcoes_.permitido), std::end(opcoes_.permitido), 1);
  opcoes_.permitido[1] = 1;
  melhorCriterio_ = opcoes_.criterio == 1 ? -1.7e-307 : 0.0;

  // A value ≤ 0 cannot take 1/x, ln or the roots: its position keeps "x".
  for (int j = 0; j < k; ++j) {
    codigos_[j] = opcoes.codigos[j];
    const double* x = dados.valores + std::size_t(j) * n;
    for (int i = 0; i < n; ++i)
      if (x[i] <= 0.0) {
        codigos_[j] = 1;
        break;
      }
    fixo_[j] = codigos_[j] != 0;
  }

  // Means, extremes and binary marks of the regressors; SST of the raw dependent.
  for (int j = 0; j < k - 1; ++j) {
    const double* x = dados.valores + std::size_t(j) * n;
    long double soma = 0.0L;
    double mn = x[0], mx = x[0];
    for (int i = 0; i < n; ++i) {
      soma += x[i];
      mn = std::min(mn, x[i]);
      mx = std::max(mx, x[i]);
    }
    media_[j] = double(soma / n);
    minimo_[j] = mn;
    maximo_[j] = mx;
    bool binaria = true;
    for (int i = 0; i < n && binaria; ++i)
      binaria = x[i] == mn || x[i] == mx;
    binaria_[j] = binaria;
  }
  {
    const double* y = dados.valores + std::size_t(k - 1) * n;
    long double soma = 0.0L;
    for (int i = 0; i < n; ++i)
      soma += y[i];
    const long double media = soma / n;
    long double sst = 0.0L;
    for (int i = 0; i < n; ++i)
      sst += (y[i] - media) * (y[i] - media);
    sst_ = sst;
  }

  if (metodo_ == 1 && std::any_of(fixo_, fixo_ + k, [](bool f) { return f; }))
    metodo_ = 2;
  if (metodo_ == 1 || metodo_ == 2) {
    for (int j = 0; j < k; ++j)
      digitos_[j] = melhor_[j] = 1;
  } else if (metodo_ == 3) {
    for (int j = 0; j < k; ++j)
      digitos_[j] = melhor_[j] = codigos_[j] == 0 ? 1 : codigos_[j];
  } else {
    return MetodoInvalido;
  }

  // Columns each position can take: its fixed code, or every allowed one;
  // "x" always, since an untouched best digit is 1.
  unsigned mascaras[60];
  unsigned permitidos = 0;
  for (int c = 1; c <= 7; ++c)
    if (opcoes_.permitido[c])
      permitidos |= 1u << c;
  for (int j = 0; j < k; ++j) {
    const int d = digitos_[j];
    const unsigned fixa = d >= 1 && d <= 7 ? 1u << d : 0u;
    mascaras[j] = (fixo_[j] ? fixa : permitidos) | (1u << 1);
  }
  tabela_.Monta(dados.valores, n, k, mascaras, opcoes_.criterio == 1 && !opcoes_.estatistica,
                opcoes_.threads);
  ajuste_ = std::make_unique<AjusteEquacao>(tabela_, k, opcoes_.estatistica);

  int m = 0;
  for (int c = 1; c <= 7; ++c)
    m += opcoes_.permitido[c] ? 1 : 0;
  int fixos = 0;
  for (int j = 0; j < k; ++j)
    fixos += fixo_[j] ? 1 : 0;
  if (metodo_ == 1)
    combinacoes_ = std::pow(double(m), double(k));
  else if (metodo_ == 2)
    combinacoes_ = double(k - fixos - 1) * m * m - double(k - fixos - 2) * m + m;
  else
    combinacoes_ = 1.0;

  const bool comJanela = progresso && (metodo_ == 1 || metodo_ == 2);
  if (comJanela)
    progresso->Inicia(40);
  Estado estado;
  if (metodo_ == 1 && !opcoes_.sequencial && !opcoes_.estatistica &&
      std::pow(double(m), double(k)) < 4.0e18)
    estado = GeralParalela(lista, progresso, observador);
  else
    estado = Sequencial(lista, progresso, observador);
  if (comJanela)
    progresso->Termina();
  return estado;
}

BuscaTransformacoes::Estado BuscaTransformacoes::Sequencial(ListaEquacoes* lista,
                                                           ProgressoBusca* progresso,
                                                           ObservadorBusca* observador) {
  const int k = k_;
  const bool dependenteFixo = fixo_[k - 1];
  const bool oferece = lista && !opcoes_.estatistica && (metodo_ == 1 || metodo_ == 2);
  int* d = digitos_;
  int p = k - 1;
  bool calculou = false;  // ends the search even when no criterion rises above 0
  for (;;) {
    bool final = false;
    if (!dependenteFixo && d[k - 1] <= 7) {
      // the dependent alone takes its next code
    } else if (!calculou) {
      // the first combination, as it stands
    } else {
      for (;;) {
        if (p == 0 && (fixo_[0] || d[0] >= 7)) {
          final = true;
          break;
        }
        if (metodo_ == 1) {
          for (int j = p; j < k; ++j)
            d[j] = 1;
          --p;
        } else {
          if (p == k - 1)
            --p;
          while (fixo_[p] && p > 0)
            --p;
          if (d[p] >= 7 && !fixo_[p]) {
            d[p] = melhor_[p];
            --p;
            while (fixo_[p] && p > 0)
              --p;
          }
          if (!dependenteFixo)
            d[k - 1] = 1;
        }
        if (!fixo_[p])
          d[p] = Proximo(d[p]);
        if (d[p] >= 8)
          continue;
        if (metodo_ == 1)
          p = k - 1;
        break;
      }
      if (final)
        for (int j = 0; j < k; ++j)
          d[j] = melhor_[j];
    }

    if (ajuste_->Ajusta(d) != AjusteEquacao::Ok)
      return Indeterminada;
    const double r = Criterio(*ajuste_);
    calculou = true;
    Conta(progresso);
    if (observador)
      observador->Combinacao(d, k, r, final);
    if (final)
      return Concluida;
    if (r > melhorCriterio_) {
      melhorCriterio_ = r;
      std::copy(d, d + k, melhor_);
      if (progresso && (metodo_ == 1 || metodo_ == 2))
        progresso->MelhorCriterio(r);
    }
    if (oferece)
      lista->Oferece(r, d, k);
    if (!dependenteFixo)
      d[k - 1] = Proximo(d[k - 1]);
  }
}

// The general method is a plain odometer over the allowed codes, the
// dependent turning fastest. Worker threads take runs of consecutive
// combinations from a shared counter and score them into a ring of slots; this
// thread meets the scores run by run in odometer order and does with each
// exactly what the one-thread walk does, then frees the slot. So the kept list
// and the best combination do not depend on the number of threads, and a
// worker that is held up delays nobody but the runs behind its own.
BuscaTransformacoes::Estado BuscaTransformacoes::GeralParalela(ListaEquacoes* lista,
                                                              ProgressoBusca* progresso,
                                                              ObservadorBusca* observador) {
  const int k = k_;
  int codigosPermitidos[8];
  int m = 0;
  for (int c = 1; c <= 7; ++c)
    if (opcoes_.permitido[c])
      codigosPermitidos[m++] = c;
  std::uint64_t total = 1;
  for (int j = 0; j < k; ++j)
    total *= std::uint64_t(m);

  constexpr std::uint64_t Trecho = 256;  // combinations per run
  const std::uint64_t trechos = (total + Trecho - 1) / Trecho;
  int threads = opcoes_.threads > 0 ? opcoes_.threads : int(std::thread::hardware_concurrency());
  threads = std::max(1, std::min<int>(threads, int(std::min<std::uint64_t>(64, total / CombinacoesPorBloco + 1))));
  const bool comTrabalhadores = threads > 1;
  // Runs scored ahead of the one being met, at most.
  const std::uint64_t janela = std::min<std::uint64_t>(trechos, comTrabalhadores ? 4096 : 1);

  std::vector<double> criterios(janela * Trecho);
  std::vector<unsigned char> indeterminada(janela * Trecho);
  std::unique_ptr<std::atomic<std::uint64_t>[]> feito(new std::atomic<std::uint64_t>[janela]);
  for (std::uint64_t i = 0; i < janela; ++i)
    feito[i].store(0);
  std::vector<std::unique_ptr<AjusteEquacao>> ajustes;
  if (comTrabalhadores)
    for (int t = 0; t < threads; ++t)
      ajustes.push_back(std::make_unique<AjusteEquacao>(tabela_, k, opcoes_.estatistica));

  auto decodifica = [&](std::uint64_t indice, int* digitos, int* posicoes) {
    for (int j = k - 1; j >= 0; --j) {
      const int q = int(indice % std::uint64_t(m));
      indice /= std::uint64_t(m);
      if (posicoes)
        posicoes[j] = q;
      digitos[j] = codigosPermitidos[q];
    }
  };

  // Scores run `trecho` into its slot of the ring.
  auto calculaTrecho = [&](std::uint64_t trecho, AjusteEquacao& ajuste) {
    const std::uint64_t inicio = trecho * Trecho;
    const std::uint64_t fim = std::min(total, inicio + Trecho);
    double* crit = criterios.data() + (trecho % janela) * Trecho;
    unsigned char* indet = indeterminada.data() + (trecho % janela) * Trecho;
    int digitos[60], posicoes[60];
    decodifica(inicio, digitos, posicoes);
    for (std::uint64_t i = inicio; i < fim; ++i) {
      const std::uint64_t local = i - inicio;
      if (ajuste.Ajusta(digitos) == AjusteEquacao::Ok) {
        crit[local] = Criterio(ajuste);
        indet[local] = 0;
      } else {
        crit[local] = 0.0;
        indet[local] = 1;
      }
      for (int j = k - 1; j >= 0; --j) {
        if (++posicoes[j] < m) {
          digitos[j] = codigosPermitidos[posicoes[j]];
          break;
        }
        posicoes[j] = 0;
        digitos[j] = codigosPermitidos[0];
      }
    }
  };

  std::atomic<std::uint64_t> proximo{0};        // next run to take
  std::atomic<std::uint64_t> liberado{janela};  // runs below this may be scored
  std::atomic<bool> parar{false};
  std::vector<std::thread> trabalhadores;
  if (comTrabalhadores)
    for (int t = 0; t < threads; ++t)
      trabalhadores.emplace_back([&, t] {
        for (;;) {
          const std::uint64_t trecho = proximo.fetch_add(1);
          if (trecho >= trechos)
            return;
          for (std::uint64_t l = liberado.load(); trecho >= l && !parar.load(); l = liberado.load())
            liberado.wait(l);
          if (parar.load())
            return;
          calculaTrecho(trecho, *ajustes[t]);
          feito[trecho % janela].store(trecho + 1);
          feito[trecho % janela].notify_one();
        }
      });
  auto encerra = [&] {
    parar.store(true);
    liberado.store(~std::uint64_t(0));
    liberado.notify_all();
    for (auto& t : trabalhadores)
      t.join();
  };

  const bool oferece = lista != nullptr;
  int digitos[60];
  for (std::uint64_t trecho = 0; trecho < trechos; ++trecho) {
    std::atomic<std::uint64_t>& pronto = feito[trecho % janela];
    if (comTrabalhadores) {
      for (std::uint64_t v = pronto.load(); v != trecho + 1; v = pronto.load())
        pronto.wait(v);
    } else {
      calculaTrecho(trecho, *ajuste_);
    }
    const std::uint64_t inicio = trecho * Trecho;
    const std::uint64_t tamanho = std::min(total, inicio + Trecho) - inicio;
    const double* crit = criterios.data() + (trecho % janela) * Trecho;
    const unsigned char* indet = indeterminada.data() + (trecho % janela) * Trecho;
    for (std::uint64_t local = 0; local < tamanho; ++local) {
      if (indet[local]) {
        encerra();
        decodifica(inicio + local, digitos_, nullptr);
        return Indeterminada;
      }
      const double r = crit[local];
      Conta(progresso);
      if (observador) {
        decodifica(inicio + local, digitos, nullptr);
        observador->Combinacao(digitos, k, r, false);
      }
      if (r > melhorCriterio_) {
        melhorCriterio_ = r;
        decodifica(inicio + local, melhor_, nullptr);
        if (progresso)
          progresso->MelhorCriterio(r);
      }
      if (oferece && std::isfinite(r) &&
          (lista->Quantidade() < ListaEquacoes::Capacidade ||
           r > (*lista)[ListaEquacoes::Capacidade - 1].criterio)) {
        decodifica(inicio + local, digitos, nullptr);
        lista->Oferece(r, digitos, k);
      }
    }
    if (comTrabalhadores) {
      liberado.store(trecho + 1 + janela);
      liberado.notify_all();
    }
  }
  encerra();

  // The final pass recomputes the best combination.
  std::copy(melhor_, melhor_ + k, digitos_);
  if (ajuste_->Ajusta(digitos_) != AjusteEquacao::Ok)
    return Indeterminada;
  const double r = Criterio(*ajuste_);
  Conta(progresso);
  if (observador)
    observador->Combinacao(digitos_, k, r, true);
  return Concluida;
}

}  // namespace ostrimo
