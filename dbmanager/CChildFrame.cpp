#include "dbmanager/CChildFrame.h"

#include "dbmanager/CConnectStringDlg.h"
#include "dbmanager/CDialogoConexao.h"
#include "dbmanager/CProceduresDlg.h"
#include "dbmanager/CProviderPropsDlg.h"
#include "dbmanager/CTablesDlg.h"
#include "platform/Dialogo.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/CQueryDoc.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/CResultView.h"
#include "dbmanager/ComandosBrenk.h"
#include "dbmanager/ExportacaoModelo.h"
#include "dbmanager/ModeloGrade.h"
#include "dbmanager/RotinasBrenk.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace brenk {

namespace {

// The wait cursor of a long operation.
struct CursorEspera {
  CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};

const QString kSemInformacao = QStringLiteral("Sem Informação");
const QString kNaoSuportado = QStringLiteral("Não suportado");
const QString kAtualizar = QStringLiteral("Atualizar");

bool Igual(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

CChildFrame::CChildFrame(CMainFrame* principal, QWidget* parent)
    : QWidget(parent), principal_(principal), doc_(new CQueryDoc(this)), conexao_(new ConexaoConsulta(this)) {
  setObjectName(QStringLiteral("janelaConsulta"));
  // Settings as the options sheet stores them; their ranges are checked when connecting.
  QSettings ini;
  cache_ = ini.value(QStringLiteral("Configure/CacheSize"), 100).toInt();
  tempoLimite_ = ini.value(QStringLiteral("Configure/QueryTimeOut"), 0).toInt();
  prioridade_ = PrioridadeDeTexto(ini.value(QStringLiteral("Configure/ThreadPriority")).toString());
  conexao_->DefinePrioridade(prioridade_);
  temFonteGrade_ = CarregaFonte(QStringLiteral("Grid/Font"), fonteGrade_, true);

  editor_ = new CQueryView(this);
  resultado_ = new CResultView(this);
  divisor_ = new QSplitter(Qt::Vertical, this);
  divisor_->setObjectName(QStringLiteral("59648"));
  divisor_->addWidget(editor_);
  divisor_->addWidget(resultado_);
  divisor_->setChildrenCollapsible(false);

  status_ = new QStatusBar(this);
  status_->setObjectName(QStringLiteral("59393"));
  status_->setSizeGripEnabled(false);
  const char* const textos[4] = {"Ready", "Exec time: 00:00:00", "Conexão fechada", "Ln 1, Col 1"};
  const int larguras[4] = {0, 100, 230, 100};
  for (int i = 0; i < 4; ++i) {
    paineis_[i] = new QLabel(QString::fromUtf8(textos[i]), status_);
    paineis_[i]->setObjectName(QStringLiteral("painel%1").arg(i));
    if (i == 0) {
      status_->addWidget(paineis_[i], 1);
    } else {
      paineis_[i]->setMinimumWidth(larguras[i]);
      status_->addPermanentWidget(paineis_[i]);
    }
  }
  auto* raiz = new QVBoxLayout(this);
  raiz->setContentsMargins(0, 0, 0, 0);
  raiz->setSpacing(0);
  raiz->addWidget(divisor_, 1);
  raiz->addWidget(status_);

  connect(conexao_, &ConexaoConsulta::gradeNova, this, &CChildFrame::AoCriarGrade);
  connect(conexao_, &ConexaoConsulta::blocoNovo, this, &CChildFrame::AoReceberLinhas);
  connect(conexao_, &ConexaoConsulta::execucaoTerminada, this, &CChildFrame::AoTerminarExecucao);
  connect(conexao_, &ConexaoConsulta::cancelamentoTerminado, this, &CChildFrame::AoTerminarCancelamento);
  connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &CChildFrame::AtualizaPosicao);
  connect(doc_, &CQueryDoc::tituloMudou, this, &QWidget::setWindowTitle);
  resultado_->DefineJanela(this);
  editor_->DefineJanela(this);
  doc_->DefineEditor(editor_);
  vistaAtiva_ = editor_;
  // The view that last had the focus receives the view commands.
  editor_->installEventFilter(this);
  resultado_->Editor()->installEventFilter(this);
}

bool CChildFrame::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusIn) vistaAtiva_ = o == editor_ ? static_cast<QWidget*>(editor_) : resultado_;
  return QWidget::eventFilter(o, e);
}

CMainFrame* CChildFrame::Principal() const { return principal_.data(); }

QWidget* CChildFrame::VistaAtiva() const { return vistaAtiva_ ? vistaAtiva_.data() : editor_; }

void CChildFrame::AposLimpar() {
  if (!mensagens_.isEmpty() || !grades_.isEmpty() || !textoResultado_.isEmpty()) return;
  DefineTextoPainel(0, QStringLiteral("Ready"));
  DefineTextoPainel(1, QStringLiteral("Exec time: 00:00:00"));
  DefineTextoPainel(2, estadoConexao_ == 1 ? QStringLiteral("Conexão aberta") : QStringLiteral("Conexão fechada"));
}

void CChildFrame::resizeEvent(QResizeEvent* e) {
  // The editor takes the upper half at every resize.
  // (QSplitter spreads the sizes given over its height in proportion.)
  divisor_->setSizes({1, 1});
  QWidget::resizeEvent(e);
}

CChildFrame::~CChildFrame() {
  DestroiGrades();
  ParaTimer();
  // The connection waits at most 30 s for each of its threads.
  delete conexao_;
  conexao_ = nullptr;
  if (principal_) principal_->RemoveJanela(this);
}

// ------------------------------------------------------------ connecting

bool CChildFrame::Conecta(const QString& s, bool editaConexao, const QString& banco) {
  CursorEspera espera;
  if (principal_) principal_->DefineTextoStatus(0, QStringLiteral("Estabelecendo nova conexão..."));
  inicio_.start();
  const bool ok = AbreConexao(s, editaConexao);
  if (ok) {
    estadoConexao_ = 1;
    if (tempoLimite_ < 0 || tempoLimite_ > 99999) tempoLimite_ = 0;
    if (cache_ < 1 || cache_ > 999999) cache_ = 100;
    conexao_->DefineTempoLimite(tempoLimite_);
    LeInfoProvedor(banco);
    if (fonteDados_.isEmpty()) fonteDados_ = QStringLiteral("Desconhecido");
    DefineTextoPainel(2, QStringLiteral("Conexão aberta"));
    MostraTempo();
    // The tables browser opens as soon as the window is idle.
    QMetaObject::invokeMethod(this, [this] { OnCmdMsg(ID_TABELAS); }, Qt::QueuedConnection);
  }
  if (principal_) principal_->DefineTextoStatus(0, QString());
  return ok;
}

bool CChildFrame::AbreConexao(const QString& s, bool editaConexao) {
  QString texto = s;
  if (s.isNull()) {
    // No string: the connection dialog, empty or filled with the last attempt.
    texto = editaConexao ? textoConexao_ : QString();
    if (!CDialogoConexao::Pede(this, texto)) {
      temConexao_ = false;
      return false;
    }
  }
  temConexao_ = true;
  textoConexao_ = texto;
  QString erro;
  bool ok;
  {
    CursorEspera espera;
    if (principal_) principal_->DefineTextoStatus(0, QStringLiteral("Estabelecendo nova conexão..."));
    ok = conexao_->Conecta(texto, erro);
  }
  if (ok) return true;
  if (erro.isEmpty()) erro = QStringLiteral("Ocorreram erros.");
  if (plat::MessageBox(erro, QString(), plat::MB_RETRYCANCEL | plat::MB_ICONQUESTION) == plat::IDRETRY)
    return AbreConexao(QString(), true);
  return false;
}

bool CChildFrame::LeInfoProvedor(const QString& banco) {
  const QList<DataSource::Propriedade> props = conexao_->Propriedades();
  auto valor = [&](const char* nome) {
    for (const auto& p : props)
      if (Igual(p.first, QString::fromLatin1(nome))) return p.second;
    return QVariant();
  };
  provedor_ = valor("Provider Name").toString();
  fonteDados_ = valor("Data Source").toString();
  if (fonteDados_.isEmpty()) fonteDados_ = valor("Current Catalog").toString();
  multiplos_ = valor("Multiple Results").toInt() != 0;
  const QVariant dbms = valor("DBMS Name");
  dbms_ = dbms.isValid() ? TextoValor(dbms).toUpper() : QString();
  if (Igual(provedor_, QStringLiteral("MSDASQL.DLL"))) driver_ = valor("Driver Name").toString();
  regras_ = RegrasDe({provedor_, dbms_, driver_});
  QComboBox* caixa = principal_ ? principal_->CaixaBancos() : nullptr;
  if (regras_.trocaBanco) {
    if (!banco.isEmpty() && banco != kSemInformacao) {
      QString erro;
      UsaBanco(banco, erro);
    }
    PreencheBancos();
  } else if (caixa) {
    caixa->clear();
    caixa->addItem(kNaoSuportado);
    caixa->setCurrentIndex(0);
  }
  return true;
}

bool CChildFrame::UsaBanco(const QString& nome, QString& erro) {
  bool ok = false;
  conexao_->NaConexao([&](DataSource& f) {
    ok = f.UsaBanco(nome);
    if (!ok) erro = TextoErros(f.Erros());
  });
  return ok;
}

bool CChildFrame::PreencheBancos() {
  QComboBox* caixa = principal_ ? principal_->CaixaBancos() : nullptr;
  if (!caixa) return false;
  QSignalBlocker bloqueio(caixa);
  caixa->clear();
  QStringList nomes;
  bool ok = false;
  QString erro;
  conexao_->NaConexao([&](DataSource& f) {
    ok = f.Bancos(nomes);
    if (!ok) erro = TextoErros(f.Erros());
  });
  if (!ok) {
    caixa->addItem(erro.isEmpty() ? QStringLiteral("_com_error") : QStringLiteral("Provider Error"));
    caixa->setCurrentIndex(0);
    return false;
  }
  if (nomes.isEmpty()) {
    caixa->addItem(kSemInformacao);
    caixa->setCurrentIndex(0);
  } else {
    for (const QString& n : nomes)
      caixa->addItem(n.contains(QLatin1Char(' ')) ? QLatin1Char('[') + n + QLatin1Char(']') : n);
  }
  caixa->addItem(kAtualizar);
  caixa->setEnabled(true);
  if (!nomes.isEmpty()) LeBancoAtual();
  return true;
}

void CChildFrame::LeBancoAtual() {
  const QString atual = TextoValor(conexao_->Propriedade(QStringLiteral("Current Catalog")));
  bancoAtual_ = atual;
  if (QComboBox* caixa = principal_ ? principal_->CaixaBancos() : nullptr) {
    QSignalBlocker bloqueio(caixa);
    const int i = caixa->findText(atual, Qt::MatchStartsWith);
    if (i >= 0) caixa->setCurrentIndex(i);
  }
}

bool CChildFrame::AtualizaBancoAtual() {
  QVariant nome;
  bool ok = false;
  conexao_->NaConexao([&](DataSource& f) {
    ok = f.ValorUnico(QStringLiteral("select db_name()"), nome);
    if (ok) f.DefinePropriedade(QStringLiteral("Current Catalog"), nome);
  });
  if (!ok) return false;
  bancoAtual_ = TextoValor(nome);
  if (QComboBox* caixa = principal_ ? principal_->CaixaBancos() : nullptr) {
    QSignalBlocker bloqueio(caixa);
    const int i = caixa->findText(bancoAtual_, Qt::MatchStartsWith);
    if (i >= 0) caixa->setCurrentIndex(i);
  }
  return true;
}

void CChildFrame::SelecionaBanco(const QString& texto) {
  CursorEspera espera;
  QComboBox* caixa = principal_ ? principal_->CaixaBancos() : nullptr;
  if (Igual(texto, kSemInformacao) || Igual(texto, kNaoSuportado)) return;
  if (Igual(texto, kAtualizar)) {
    PreencheBancos();
    return;
  }
  if (texto == bancoAtual_) return;
  QString erro;
  if (UsaBanco(texto, erro)) {
    bancoAtual_ = texto;
    if (caixa) {
      QSignalBlocker bloqueio(caixa);
      caixa->setCurrentIndex(caixa->findText(texto));
    }
    return;
  }
  if (caixa) {
    QSignalBlocker bloqueio(caixa);
    caixa->setCurrentIndex(caixa->findText(bancoAtual_));
  }
  plat::MessageBox(erro.isEmpty() ? QStringLiteral("Errors occurred.") : erro);
}

// ------------------------------------------------------------ options

int CChildFrame::PrioridadeDeTexto(const QString& t) {
  if (Igual(t, QStringLiteral("Time critical"))) return 15;
  if (Igual(t, QStringLiteral("Highest"))) return 2;
  if (Igual(t, QStringLiteral("Above Normal"))) return 1;
  if (Igual(t, QStringLiteral("Normal"))) return 0;
  if (Igual(t, QStringLiteral("Below Normal"))) return -1;
  return -2;
}

void CChildFrame::DefineTempoLimite(int segundos) {
  if (estadoConexao_ != 1) return;
  tempoLimite_ = segundos;
  conexao_->DefineTempoLimite(segundos);
}

void CChildFrame::DefineCache(int linhas) {
  // The drivers fetch as they need; the value is kept for the settings.
  if (!executando_) cache_ = linhas;
}

void CChildFrame::DefinePrioridade(const QString& texto) {
  prioridade_ = PrioridadeDeTexto(texto);
  conexao_->DefinePrioridade(prioridade_);
}

// ------------------------------------------------------------ commands

bool CChildFrame::OnCmdMsg(int id) {
  switch (id) {
    case ID_EXECUTAR: OnExecute(); return true;
    case ID_CANCELAR: OnCancelQuery(); return true;
    case ID_NOVA_CONSULTA: OnNovaConsulta(); return true;
    case ID_MENSAGENS: AlternaMensagens(); return true;
    case ID_PRIMEIRA: if (mostrada_ >= 2) MostraGrade(mostrada_ = 1); return true;
    case ID_ANTERIOR: if (mostrada_ >= 2) MostraGrade(--mostrada_); return true;
    case ID_PROXIMA: if (mostrada_ > 0 && mostrada_ < grades_.size()) MostraGrade(++mostrada_); return true;
    case ID_ULTIMA: if (mostrada_ > 0 && mostrada_ < grades_.size()) MostraGrade(mostrada_ = int(grades_.size())); return true;
    case ID_EXPORTAR_MODELO:
      if (principal_ && principal_->OpcaoExportacao() != 0) ExportaModeloTarsolin();
      else ExportaModeloZelvar();
      return true;
    case ID_SALVAR: return doc_->Salva(false);
    case ID_TABELAS: OnTabelas(); return true;
    case ID_CONSULTAS: OnConsultas(); return true;
    case ID_PROPRIEDADES: OnPropriedades(); return true;
    case ID_OBJETOS_SQL: return true;  // the split button itself does nothing; its drop-down does
    case ID_TEXTO_CONEXAO: {
      CConnectStringDlg dlg(conexao_->TextoConexao());
      plat::ExecutaDialogo(dlg);
      return true;
    }
    case ID_SALVAR_COMO:
      if (VistaAtiva() == resultado_) return resultado_->OnCmdMsg(id);
      doc_->Salva(true);
      return true;
    default:
      if (VistaAtiva() == resultado_) return resultado_->OnCmdMsg(id);
      return editor_->OnCmdMsg(id);
  }
}

bool CChildFrame::Habilitado(int id, bool* marcado) const {
  const bool conectada = estadoConexao_ == 1;
  if (marcado) *marcado = false;
  switch (id) {
    case ID_EXECUTAR: return conectada && !editor_->document()->isEmpty() && !executando_;
    case ID_CANCELAR: return conectada && executando_ && !cancelPedido_;
    case ID_NOVA_CONSULTA: return conectada;
    case ID_CAIXA_BANCOS: return conectada && regras_.trocaBanco && !executando_;
    case ID_MENSAGENS:
      if (marcado) *marcado = conectada && !mensagens_.isEmpty() && MostrandoMensagens();
      return conectada && !mensagens_.isEmpty();
    case ID_PRIMEIRA:
    case ID_ANTERIOR: return mostrada_ > 1;
    case ID_PROXIMA:
    case ID_ULTIMA: return mostrada_ > 0 && mostrada_ < grades_.size();
    // The export works on the grid on show, once its run has ended.
    case ID_EXPORTAR_MODELO: {
      const ModeloGrade* m = resultado_->ModeloAtual();
      return conectada && !executando_ && m && m->Colunas() > 0 && resultado_->ModoGrade();
    }
    case ID_TEXTO_CONEXAO: return conectada;
    case ID_TABELAS:
    case ID_CONSULTAS:
    case ID_PROPRIEDADES:
    case ID_OBJETOS_SQL: return conectada && !executando_;
    case ID_SALVAR: return VistaAtiva() != resultado_;
    // Save As of the document (the editor's) is always there.
    case ID_SALVAR_COMO: return VistaAtiva() == resultado_ ? resultado_->Habilitado(id, marcado) : true;
    default:
      if (VistaAtiva() == resultado_) return resultado_->Habilitado(id, marcado);
      return editor_->Habilitado(id, marcado);
  }
}

void CChildFrame::OnExecute(bool modoTexto, const QString& objeto) {
  if (executando_) return;
  DefineTextoPainel(0, QStringLiteral("Executando consulta..."));
  LimpaResultados(QString());
  inicio_.start();
  timer_ = startTimer(1000);
  DefineTextoPainel(1, QStringLiteral("Tempo Exe: 00:00:00"));
  DefineTextoPainel(2, QStringLiteral("Grade de Res. 0 de 0; 0 lin(s); 0 col(s)"));
  mensagens_.clear();
  textoResultado_.clear();
  executando_ = true;
  cancelPedido_ = false;
  cancelTerminado_ = false;
  conexao_->LimpaCancelamento();
  if (regras_.trocaBanco && principal_ && principal_->CaixaBancos()) principal_->CaixaBancos()->setEnabled(false);
  const LotePreparado lote = PreparaLote(editor_->TextoConsulta(), regras_);
  modoTexto_ = lote.modoTexto || modoTexto;
  if (modoTexto_) {
    resultado_->DefineTitulo(lote.modoTexto ? lote.nomeObjeto : objeto);
    DefineTextoPainel(2, QStringLiteral("linhas de texto: 0"));
  }
  ExecutaLote(lote.texto);
}

bool CChildFrame::ExecutaLote(const QString& texto) {
  loteTexto_ = texto;
  conexao_->Executa(texto, modoTexto_, LoteTrocaBanco(texto, regras_));
  return true;
}

void CChildFrame::OnTabelas() {
  if (estadoConexao_ != 1 || executando_) return;
  CTablesDlg dlg(this, this);
  if (dlg.Falhou() || plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.Sql().isEmpty()) return;
  // The statements go after the editor's text, selected, and run.
  QTextCursor c = editor_->textCursor();
  c.movePosition(QTextCursor::End);
  const int inicio = c.position();
  c.insertText(dlg.Sql());
  c.setPosition(inicio);
  c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  editor_->setTextCursor(c);
  if (!dlg.NomeVisao().isEmpty()) resultado_->DefineTitulo(dlg.NomeVisao());
  OnExecute();
}

void CChildFrame::OnConsultas() {
  if (estadoConexao_ != 1 || executando_) return;
  CursorEspera espera;
  CProceduresDlg dlg(this, this);
  if (dlg.Falhou() || plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.Nome().isEmpty()) return;
  // Two empty lines, then the statement, selected and run as text.
  const QString comando = TextoProcedimento(dlg.Nome(), regras_, dlg.Esquema());
  QTextCursor c = editor_->textCursor();
  c.movePosition(QTextCursor::End);
  c.insertText(QStringLiteral("\n\n"));
  const int inicio = c.position();
  c.insertText(comando);
  c.setPosition(inicio);
  c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  editor_->setTextCursor(c);
  OnExecute(true, dlg.Nome());
}

void CChildFrame::OnPropriedades() {
  if (estadoConexao_ != 1 || executando_) return;
  CProviderPropsDlg dlg(this);
  plat::ExecutaDialogo(dlg);
}

void CChildFrame::OnCancelQuery() {
  fecharEsta_ = false;
  CancelaConsulta();
}

void CChildFrame::CancelaConsulta() {
  if (!executando_) {
    ExecutaFechamentos();
    return;
  }
  if (cancelPedido_ || execFinalizada_) return;
  cancelPedido_ = true;
  DefineTextoPainel(0, QStringLiteral("Attempting to cancel query batch..."));
  conexao_->Cancela();
}

void CChildFrame::OnNovaConsulta() {
  if (!principal_) return;
  QString banco;
  if (QComboBox* caixa = principal_->CaixaBancos(); caixa && caixa->currentIndex() >= 0 && caixa->currentText() != kNaoSuportado)
    banco = caixa->currentText();
  principal_->AbreNovaConexao(conexao_->TextoConexao(), QString(), banco);
}

// ------------------------------------------------------------ the run's end

void CChildFrame::AoTerminarExecucao(const FimExecucao& fim) {
  const bool cancelada = conexao_->Cancelado();
  mensagens_ = fim.mensagens;
  textoResultado_ = fim.textoResultado;
  if (fim.linhasNoCancelamento > 0 && gradeNova_) {
    // The row that was being read when the cancel came goes.
    int n = fim.linhasNoCancelamento;
    if (n > 1) --n;
    gradeNova_->DefineLinhas(n);
  }
  // The grids show every row they hold.
  for (int k = 1; k <= grades_.size(); ++k)
    if (ModeloGrade* m = Grade(k)) m->Publica();
  if (fim.bancoRelido) {
    bancoAtual_ = fim.bancoAtual;
    if (QComboBox* caixa = principal_ ? principal_->CaixaBancos() : nullptr) {
      QSignalBlocker bloqueio(caixa);
      const int i = caixa->findText(bancoAtual_, Qt::MatchStartsWith);
      if (i >= 0) caixa->setCurrentIndex(i);
    }
  }
  OnQueryDone(fim.erros);
  modoTexto_ = false;
  if (cancelada && cancelTerminado_) ExecutaFechamentos();
}

void CChildFrame::AoTerminarCancelamento() {
  cancelTerminado_ = true;
  if (!executando_) ExecutaFechamentos();
}

void CChildFrame::OnQueryDone(bool erros) {
  if (execFinalizada_) return;
  execFinalizada_ = true;
  loteTexto_.clear();
  bool semResultado;
  if (modoTexto_) {
    semResultado = textoResultado_.isEmpty();
    if (!semResultado && !MostrandoMensagens()) {
      resultado_->DefineTexto(textoResultado_);
      DefineTextoPainel(2, QStringLiteral("# of lines of text: %1").arg(resultado_->LinhasTexto()));
    }
  } else {
    semResultado = grades_.isEmpty();
    if (!semResultado) {
      AtualizaStatusGrade();
      if (!MostrandoMensagens()) MostraGrade(qMax(mostrada_, 1));
    }
  }
  QString status;
  if (conexao_->Cancelado()) {
    status = QStringLiteral("Consulta cancelada");
    if (!mensagens_.isEmpty()) mensagens_ += QStringLiteral("\n\n");
    mensagens_ += QStringLiteral("Consulta cancelada pelo usuário.");
  } else if (erros) {
    status = QStringLiteral("Consulta finalizou com erros");
  } else {
    status = QStringLiteral("Consulta finalizada");
    if (semResultado && mensagens_.isEmpty()) mensagens_ = QStringLiteral("O comando foi concluído com successo.");
  }
  DefineTextoPainel(0, status);
  if (semResultado && !MostrandoMensagens()) AlternaMensagens();
  else if (MostrandoMensagens()) resultado_->DefineTexto(mensagens_);
  MostraTempo();
  ParaTimer();
  executando_ = false;
  cancelPedido_ = false;
  conexao_->LimpaCancelamento();
  if (regras_.trocaBanco && principal_ && principal_->CaixaBancos()) principal_->CaixaBancos()->setEnabled(true);
  if (principal_) principal_->AtualizaComandos();
}

void CChildFrame::ExecutaFechamentos() {
  if (fecharAplicacao_) {
    fecharAplicacao_ = false;
    if (principal_) principal_->close();
  } else if (fecharTodas_) {
    fecharTodas_ = false;
    if (principal_) principal_->FechaTodas();
  } else if (fecharEsta_) {
    fecharEsta_ = false;
    QMetaObject::invokeMethod(this, [this] {
      if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
      else close();
    }, Qt::QueuedConnection);
  }
}

void CChildFrame::closeEvent(QCloseEvent* e) {
  if (cancelPedido_) {
    fecharEsta_ = true;
    // The window goes once the cancel has taken hold.
    if (!conexao_->Cancelado()) {
      e->ignore();
      return;
    }
    e->accept();
    return;
  }
  if (isMinimized()) showNormal();
  if (executando_) {
    if (plat::MessageBox(QStringLiteral("A query execution is in progress. Are you sure you wish to cancel this query?"),
                         QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES) {
      e->ignore();
      return;
    }
    fecharEsta_ = true;
    CancelaConsulta();
    e->ignore();
    return;
  }
  // A modified query is offered for saving under its plain name.
  if (!doc_->SaveModified()) {
    e->ignore();
    return;
  }
  e->accept();
}

// ------------------------------------------------------------ result area

void CChildFrame::AoCriarGrade(const QList<ColunaResultado>& colunas) {
  gradeNova_ = new ModeloGrade(colunas, this);
  auto* vista = new QTableView(resultado_);
  vista->setObjectName(QString::number(proximoId_++));
  vista->setAccessibleName(QStringLiteral("Grade de Resultados"));
  vista->installEventFilter(this);
  vista->setModel(gradeNova_);
  // Pane 3 follows the grid's current cell (the heading is row 0).
  connect(vista->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, vista](const QModelIndex& i) {
    if (i.isValid() && resultado_->GradeAtual() == vista)
      DefineTextoPainel(3, QStringLiteral("Ln %1, Col %2").arg(i.row() + 1).arg(i.column() + 1));
  });
  if (temFonteGrade_) vista->setFont(fonteGrade_.ParaQFont(true));
  vista->verticalHeader()->setDefaultSectionSize(vista->fontMetrics().height() + 4);
  // Rows of one height: a grid of a million rows keeps no size per row.
  vista->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int i = 0; i < colunas.size(); ++i)
    vista->horizontalHeader()->resizeSection(i, ModeloGrade::LarguraTwips(colunas[i]) / 15);
  vista->setVisible(false);
  resultado_->AdicionaGrade(vista);
  grades_ << vista;
  if (grades_.size() == 1 && resultado_->isAncestorOf(QApplication::focusWidget())) editor_->setFocus();
  if (grades_.size() == 2) {
    ++mostrada_;
    if (!MostrandoMensagens()) MostraGrade(mostrada_);
  }
}

void CChildFrame::AoReceberLinhas(const BlocoPtr& bloco) {
  if (!gradeNova_ || !bloco) return;
  const bool primeiras = gradeNova_->Vazia() && !grades_.isEmpty();
  gradeNova_->AcrescentaBloco(bloco);
  if (primeiras) {
    // A column whose size the source does not define is widened to its first
    // rows, up to the width of 50 characters.
    QTableView* v = grades_.last();
    const int maximo = ModeloGrade::LarguraTwips({QString(50, QLatin1Char('x')), 50, false}) / 15;
    const QList<ColunaResultado>& cols = gradeNova_->DefinicaoColunas();
    for (int i = 0; i < cols.size(); ++i) {
      if (cols[i].tamanho >= 0) continue;
      const int antes = v->horizontalHeader()->sectionSize(i);
      v->resizeColumnToContents(i);
      v->horizontalHeader()->resizeSection(i, qMin(maximo, qMax(antes, v->horizontalHeader()->sectionSize(i))));
    }
  }
  if (grades_.size() == 1 && !MostrandoMensagens()) MostraGrade(1);
}

void CChildFrame::DefineFonteGrade(const FonteLogica& fonte) {
  fonteGrade_ = fonte;
  temFonteGrade_ = true;
  const QFont f = fonte.ParaQFont(true);
  for (QTableView* g : grades_) {
    g->setFont(f);
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 4);
  }
}

ModeloGrade* CChildFrame::Grade(int indice) const {
  QTableView* v = VistaGrade(indice);
  return v ? qobject_cast<ModeloGrade*>(v->model()) : nullptr;
}

QTableView* CChildFrame::VistaGrade(int indice) const {
  return indice >= 1 && indice <= grades_.size() ? grades_[indice - 1] : nullptr;
}

void CChildFrame::MostraGrade(int indice) {
  QTableView* v = VistaGrade(indice);
  if (!v) return;
  for (QTableView* g : grades_)
    if (g != v) g->setVisible(false);
  resultado_->MostraGrade(v);
  v->setVisible(true);
  const ModeloGrade* m = Grade(indice);
  DefineTextoPainel(2, QStringLiteral("Grade de Res. %1 de %2; %3 lin(s); %4 col(s)")
                           .arg(indice).arg(grades_.size()).arg(m->Linhas() - 1).arg(m->Colunas()));
}

void CChildFrame::AtualizaStatusGrade() {
  if (MostrandoMensagens()) return;
  const int i = qMax(mostrada_, 1);
  if (const ModeloGrade* m = Grade(i))
    DefineTextoPainel(2, QStringLiteral("Grade de Res. %1 de %2; %3 lin(s); %4 col(s)")
                             .arg(i).arg(grades_.size()).arg(m->Linhas() - 1).arg(m->Colunas()));
}

bool CChildFrame::MostrandoMensagens() const { return Igual(paineis_[2]->text(), QStringLiteral("Messages")); }

void CChildFrame::AlternaMensagens() {
  if (!MostrandoMensagens()) {
    for (QTableView* g : grades_) g->setVisible(false);
    resultado_->DefineTexto(mensagens_);
    DefineTextoPainel(2, QStringLiteral("Messages"));
  } else if (!textoResultado_.isEmpty()) {
    resultado_->DesligaQuebra();
    resultado_->DefineTexto(textoResultado_);
    DefineTextoPainel(2, QStringLiteral("# of lines of text: %1").arg(resultado_->LinhasTexto()));
  } else if (VistaGrade(qMax(mostrada_, 1))) {
    MostraGrade(qMax(mostrada_, 1));
  } else {
    resultado_->DefineTexto(QString());
    DefineTextoPainel(2, QStringLiteral("Grade de Res. 0 de 0; 0 lin(s); 0 col(s)"));
  }
}

void CChildFrame::DestroiGrades() {
  for (QTableView* g : grades_) delete g;
  grades_.clear();
  gradeNova_ = nullptr;
}

void CChildFrame::LimpaResultados(const QString& texto) {
  DestroiGrades();
  for (ModeloGrade* m : findChildren<ModeloGrade*>(QString(), Qt::FindDirectChildrenOnly)) delete m;
  resultado_->DefineTexto(texto);
  proximoId_ = 2000;
  mostrada_ = 0;
  execFinalizada_ = false;
  fecharEsta_ = fecharTodas_ = fecharAplicacao_ = false;
  ParaTimer();
}

void CChildFrame::MostraTempo() {
  const qint64 s = inicio_.isValid() ? inicio_.elapsed() / 1000 : 0;
  DefineTextoPainel(1, QStringLiteral("Exec time: %1:%2:%3")
                           .arg((s / 3600) % 24, 2, 10, QLatin1Char('0'))
                           .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
                           .arg(s % 60, 2, 10, QLatin1Char('0')));
}

void CChildFrame::ParaTimer() {
  if (timer_) killTimer(timer_);
  timer_ = 0;
}

void CChildFrame::timerEvent(QTimerEvent* e) {
  if (e->timerId() != timer_) {
    QWidget::timerEvent(e);
    return;
  }
  if (!executando_) return;
  MostraTempo();
  if (!modoTexto_) AtualizaStatusGrade();
}

QString CChildFrame::TextoPainel(int painel) const {
  return painel >= 0 && painel < 4 ? paineis_[painel]->text() : QString();
}

void CChildFrame::DefineTextoPainel(int painel, const QString& texto) {
  if (painel >= 0 && painel < 4) paineis_[painel]->setText(texto);
}

void CChildFrame::AtualizaPosicao() {
  const QTextCursor c = editor_->textCursor();
  DefineTextoPainel(3, QStringLiteral("Ln %1, Col %2").arg(c.blockNumber() + 1).arg(c.positionInBlock() + 1));
}

}  // namespace brenk
