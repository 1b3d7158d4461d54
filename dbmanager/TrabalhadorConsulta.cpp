#include "dbmanager/TrabalhadorConsulta.h"

#include "dbmanager/RotinasBrenk.h"

#include <QThread>

namespace brenk {

TrabalhadorConsulta::TrabalhadorConsulta(std::shared_ptr<EstadoExecucao> estado) : estado_(std::move(estado)) {
  qRegisterMetaType<brenk::ColunaResultado>();
  qRegisterMetaType<QList<brenk::ColunaResultado>>();
  qRegisterMetaType<brenk::BlocoPtr>();
  qRegisterMetaType<brenk::FimExecucao>();
}

TrabalhadorConsulta::~TrabalhadorConsulta() {
  if (fonte_) fonte_->Fecha();
}

bool TrabalhadorConsulta::Conecta(const QString& textoConexao, QString& erro) {
  if (fonte_) fonte_->Fecha();
  fonte_ = CriaDataSource(LeTextoConexao(textoConexao));
  if (fonte_->Abre()) return true;
  erro = TextoErros(fonte_->Erros());
  fonte_.reset();
  return false;
}

void TrabalhadorConsulta::Encerra() {
  if (fonte_) fonte_->Fecha();
  fonte_.reset();
  QThread::currentThread()->quit();
}

void TrabalhadorConsulta::Acrescenta(FimExecucao& fim, const QString& texto, bool erro) const {
  if (Cancelado()) return;
  if (!fim.mensagens.isEmpty()) fim.mensagens += QStringLiteral("\n\n");
  fim.mensagens += texto;
  if (erro) fim.erros = true;
}

QString TrabalhadorConsulta::TextoFalha(const QList<ErroFonte>& erros) const {
  if (estado_->tempoEsgotado.load()) return QStringLiteral("Query timeout expired");
  const QString t = TextoErros(erros);
  return t.isEmpty() ? QStringLiteral("Errors occurred.") : t;
}

void TrabalhadorConsulta::Executa(const QString& lote, bool modoTexto, bool releBanco) {
  FimExecucao fim;
  std::unique_ptr<ExecucaoLote> ex;
  if (Cancelado()) {
    // The cancel came before the run started: nothing runs.
  } else if (!fonte_ || !(ex = fonte_->Executa(lote))) {
    Acrescenta(fim, QStringLiteral("Ocorreram Erros."), true);
  } else if (!ex->Proximo()) {
    // A batch refused at once; an empty batch runs nothing and reports nothing.
    if (!ex->Erros().isEmpty()) Acrescenta(fim, TextoFalha(ex->Erros()), true);
  } else if (modoTexto) {
    BuscaParaTexto(*ex, fim);
  } else {
    BuscaParaGrade(*ex, fim);
  }
  ex.reset();
  if (releBanco && fonte_ && !Cancelado()) {
    QVariant nome;
    if (fonte_->ValorUnico(QStringLiteral("select db_name()"), nome)) {
      fonte_->DefinePropriedade(QStringLiteral("Current Catalog"), nome);
      fim.bancoRelido = true;
      fim.bancoAtual = TextoValor(nome);
    }
  }
  estado_->emExecucao = false;
  emit execucaoTerminada(fim);
}

void TrabalhadorConsulta::BuscaParaGrade(ExecucaoLote& ex, FimExecucao& fim) {
  const bool multiplos = fonte_->ValorPropriedade(QStringLiteral("Multiple Results")).toInt() != 0;
  do {
    if (!ex.Aberto()) {
      // A statement that returns no rows.
      const qint64 n = ex.LinhasAfetadas();
      if (n != -1) Acrescenta(fim, QStringLiteral("(%1 row(s) affected)").arg(n), false);
    } else {
      const QList<ColunaResultado> colunas = ex.Colunas();
      if (!Cancelado() && !colunas.isEmpty()) {
        emit gradeNova(colunas);
        ++fim.grades;
        int c = 0;
        int capacidade = kBlocoLinhas;
        const std::size_t n = std::size_t(colunas.size());
        auto novoBloco = [n] {
          auto b = std::make_shared<BlocoResultado>();
          b->colunas.resize(n);
          for (ValoresColuna& v : b->colunas) v.Reserva(kBlocoLinhas);
          return b;
        };
        std::shared_ptr<BlocoResultado> bloco = novoBloco();
        bool falhou = false;
        if (!Cancelado() && ex.ProximaLinha()) {
          for (;;) {
            if (c >= capacidade - 1) {
              capacidade += kBlocoLinhas;
              emit blocoNovo(bloco);
              bloco = novoBloco();
            }
            ++c;
            std::size_t i = 0;
            for (; i < n && !Cancelado(); ++i) {
              if (colunas[int(i)].binaria) bloco->colunas[i].AcrescentaBinario();
              else ex.AcrescentaValor(int(i), bloco->colunas[i]);
            }
            // A row cut by the cancel is dropped.
            if (i == n) ++bloco->linhas;
            else for (ValoresColuna& v : bloco->colunas) v.Corta(bloco->linhas);
            if (Cancelado()) break;
            if (!ex.ProximaLinha()) {
              falhou = !ex.Erros().isEmpty();
              break;
            }
          }
        } else {
          falhou = !ex.Erros().isEmpty();
        }
        if (bloco->linhas > 0) emit blocoNovo(bloco);
        if (Cancelado()) {
          fim.linhasNoCancelamento = c + 1;
        } else {
          Acrescenta(fim, QStringLiteral("[%1 row(s) affected (application specific)]").arg(c), false);
        }
        if (falhou) {
          Acrescenta(fim, TextoFalha(ex.Erros()), true);
          return;
        }
      }
    }
    if (!multiplos || Cancelado()) return;
  } while (ex.Proximo());
  if (!ex.Erros().isEmpty()) Acrescenta(fim, TextoFalha(ex.Erros()), true);
}

void TrabalhadorConsulta::BuscaParaTexto(ExecucaoLote& ex, FimExecucao& fim) {
  const bool multiplos = fonte_->ValorPropriedade(QStringLiteral("Multiple Results")).toInt() != 0;
  const bool aberto = ex.Aberto();
  if (aberto && !Cancelado() && ex.ProximaLinha()) {
    for (;;) {
      if (Cancelado()) break;
      fim.textoResultado += TextoCelula(ex.Valor(0));
      if (!ex.ProximaLinha()) {
        if (!ex.Erros().isEmpty()) {
          Acrescenta(fim, TextoFalha(ex.Erros()), true);
        } else {
          if (!Cancelado()) fim.textoResultado += QStringLiteral("\n\n");
          if (multiplos) ex.Proximo();  // the next result set is not read
        }
        break;
      }
    }
  } else if (!ex.Erros().isEmpty()) {
    Acrescenta(fim, TextoFalha(ex.Erros()), true);
  }
  if (aberto && !Cancelado() && fim.textoResultado.isEmpty()) fim.textoResultado = QStringLiteral("NULL");
}

}  // namespace brenk
