#include "Ajuda.h"

#include "report/CHelpDialog.h"

#include "platform/Programa.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace ajuda {
namespace {

// Dialogs by their resource number.
const QHash<int, const char*>& TopicosDialogos() {
  static const QHash<int, const char*> t = {
      {500, "impressao.html#sobre"},
      {549, "index.html#boas-vindas"},
      {142, "regressao.html#opcoes"},
      {132, "regressao.html#analisar"},
      {134, "regressao.html#progresso"},
      {541, "escolha-equacao.html"},
      {505, "espacial.html#opcoes-re"},
      {506, "espacial.html#calculo-w"},
      {538, "espacial.html#progresso"},
      {525, "espacial.html#correlacao-espacial"},
      {531, "diagnostico.html#outliers"},
      {509, "diagnostico.html#personalizar"},
      {533, "impressao.html#pagina"},
      {504, "impressao.html#calculadora"},
      {547, "impressao.html#dicas"},
      {545, "dados.html#dependente"},
      {502, "dados.html#renomear"},
      {552, "dados.html#habilitar"},
      {551, "dados.html#tipologias"},
      {527, "dados.html#tipologias"},
      {507, "dados.html#classificar"},
      {508, "dados.html#classificar"},
      {511, "dados.html#incluir-dados"},
      {513, "dados.html#validacao"},
      {130, "dados.html#operacoes"},
      {131, "dados.html#operacoes"},
      {146, "dados.html#operacoes"},
      {148, "dados.html#operacoes"},
      {542, "senha.html#abrir"},
      {528, "novo-modelo.html#identificacao"},
      {514, "relatorio.html#data-hora"},
      {532, "relatorio.html#configurar-pagina"},
      {529, "relatorio.html#opcoes"},
      {530, "relatorio.html#opcoes"},
      {522, "relatorio.html#paragrafo"},
      {523, "relatorio.html#tabulacoes"},
  };
  return t;
}

// Views, frames and dialogs by their class, the most particular first: a
// widget's own class is looked up before the classes it derives from.
const QHash<QString, const char*>& TopicosClasses() {
  static const QHash<QString, const char*> t = {
      {"CTarsolinView", "modelo.html#janela-modelo"},
      {"JanelaModeloBasica", "modelo.html#janela-modelo"},
      {"CChildFrame", "modelo.html#janela-modelo"},
      {"CWizard", "novo-modelo.html"},
      {"CNovoModelo", "novo-modelo.html#identificacao"},
      {"CNomeVariaveis", "novo-modelo.html#variaveis"},
      {"CTipoVariaveis", "novo-modelo.html#tipos"},
      {"CSenhaModelo", "novo-modelo.html#senha-assistente"},
      {"CDadosFrame", "dados.html#janela-dados"},
      {"CDadosEditarView", "dados.html#janela-dados"},
      {"CDadosAvalView", "dados.html#avaliacao"},
      {"CDadosPesosView", "dados.html#pesos"},
      {"CResultados", "escolha-equacao.html"},
      {"CEquacaoViewTab", "equacao.html"},
      {"CEquacaoViewRE", "equacao.html#espacial"},
      {"CEquacaoViewRET", "equacao.html#espacial"},
      {"CResiduosViewTab", "diagnostico.html#residuos"},
      {"CDCookView", "diagnostico.html#cook"},
      {"CValoresAjustadosTab", "diagnostico.html#aderencia"},
      {"CValidarView", "diagnostico.html#validacao"},
      {"CPropertyGridView", "diagnostico.html#resumo"},
      {"CCorrelacoesView", "diagnostico.html#correlacoes"},
      {"CExibirVariaveisTab", "diagnostico.html#variaveis"},
      {"CGraficoVariaveis", "diagnostico.html#grafico-3v"},
      {"CProjetarFrame", "projecao.html"},
      {"CProjetarTabView", "projecao.html"},
      {"CProjetarGrafView", "projecao.html#pontos"},
      {"CProjetarDadosView", "projecao.html#projecoes"},
      {"CFrameIntervalo", "projecao.html#intervalo"},
      {"CTabelasView", "impressao.html#tabela-normal"},
      {"CDocChildFrame", "relatorio.html"},
      {"CLaudoView", "relatorio.html"},
      {"CJanelaAjuda", "index.html"},
  };
  return t;
}

// The main window's panes, by their ids.
const QHash<QString, const char*>& TopicosPaineis() {
  static const QHash<QString, const char*> t = {
      {"59507", "resultados.html#painel-dados"},
      {"32923", "resultados.html#resultados-rl"},
      {"32924", "resultados.html#resultados-re"},
      {"32921", "resultados.html#lista-dados"},
  };
  return t;
}

QString TopicoProprio(const QWidget* w) {
  const QString nome = w->objectName();
  if (nome.startsWith(QLatin1String("dlg"))) {
    bool ok = false;
    const int id = nome.mid(3).toInt(&ok);
    if (ok)
      if (const char* t = TopicosDialogos().value(id)) return QString::fromLatin1(t);
  }
  if (qobject_cast<const QDockWidget*>(w))
    if (const char* t = TopicosPaineis().value(nome)) return QString::fromLatin1(t);
  for (const QMetaObject* m = w->metaObject(); m; m = m->superClass())
    if (const char* t = TopicosClasses().value(QString::fromLatin1(m->className()))) return QString::fromLatin1(t);
  return {};
}

QString TopicoSubindo(const QWidget* w) {
  for (; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
    const QString t = TopicoProprio(w);
    if (!t.isEmpty()) return t;
  }
  return {};
}

// Lower case without accents, so "Regressao" finds "Regressão".
QString Normaliza(const QString& s) {
  QString d = s.normalized(QString::NormalizationForm_D);
  QString r;
  r.reserve(d.size());
  for (QChar c : d)
    if (c.category() != QChar::Mark_NonSpacing) r.append(c.toLower());
  return r;
}

QString LePagina(const QString& arquivo) {
  QFile f(QDir(PastaGuia()).filePath(arquivo));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

// The text of a page as its reader sees it.
QString TextoPagina(const QString& html) {
  QTextDocument d;
  d.setHtml(html);
  return d.toPlainText();
}

struct Pagina {
  QString arquivo, titulo, texto;  // texto normalised
};

const QList<Pagina>& Paginas() {
  static QList<Pagina> paginas;
  static QString pasta;
  if (pasta != PastaGuia()) {
    pasta = PastaGuia();
    paginas.clear();
    for (const Topico& t : Conteudo()) {
      const QString html = LePagina(t.arquivo);
      paginas.append({t.arquivo, t.titulo, Normaliza(TextoPagina(html))});
    }
  }
  return paginas;
}

QPointer<CJanelaAjuda>& JanelaGuia() {
  static QPointer<CJanelaAjuda> j;
  return j;
}

// F1 in a window that has no F1 of its own: the main window's is command
// 57670 (its shortcut), the report dialogs ask through their context help.
class FiltroF1 : public QObject {
protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_F1) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return false;
    QWidget* janela = w->window();
    if (qobject_cast<QMainWindow*>(janela) || janela->inherits("CHelpDialog") ||
        janela->inherits("CHelpPropertySheet") || qobject_cast<CJanelaAjuda*>(janela))
      return false;
    Abre(TopicoDaJanela(w));
    return true;
  }
};

}  // namespace

QString PastaGuia() { return QDir(plat::PastaPrograma()).filePath(QStringLiteral("ajuda")); }

QString TopicoDaJanela(const QWidget* w) {
  if (!w) return QString::fromLatin1(kIndice);
  QString t = TopicoSubindo(w);
  if (!t.isEmpty()) return t;
  // The main window itself: the topic of its active window.
  if (auto* principal = qobject_cast<const QMainWindow*>(w->window()))
    if (auto* mdi = qobject_cast<QMdiArea*>(principal->centralWidget()))
      if (QMdiSubWindow* sub = mdi->activeSubWindow(); sub && sub->widget()) {
        t = TopicoProprio(sub->widget());
        if (t.isEmpty())
          for (QWidget* filho : sub->widget()->findChildren<QWidget*>()) {
            t = TopicoProprio(filho);
            if (!t.isEmpty()) break;
          }
        if (!t.isEmpty()) return t;
      }
  return QString::fromLatin1(kIndice);
}

QString TopicoDoDialogo(int dialogo, int controle) {
  // The page-setup margins, the measurement units and the word wrap have sections of their own.
  struct Controle {
    int dialogo, controle;
    const char* topico;
  };
  static const Controle controles[] = {
      {532, 1055, "relatorio.html#margens"}, {532, 1049, "relatorio.html#margens"},
      {532, 1052, "relatorio.html#margens"}, {532, 1054, "relatorio.html#margens"},
      {529, 1004, "relatorio.html#unidades"}, {529, 1134, "relatorio.html#unidades"},
      {529, 1133, "relatorio.html#unidades"}, {529, 1136, "relatorio.html#unidades"},
      {529, 1135, "relatorio.html#unidades"}, {530, 1004, "relatorio.html#quebra"},
      {530, 1140, "relatorio.html#quebra"}, {530, 1142, "relatorio.html#quebra"},
      {530, 1141, "relatorio.html#quebra"},
  };
  for (const Controle& c : controles)
    if (c.dialogo == dialogo && c.controle == controle) return QString::fromLatin1(c.topico);
  if (const char* t = TopicosDialogos().value(dialogo)) return QString::fromLatin1(t);
  return QString::fromLatin1(kIndice);
}

QList<Topico> Conteudo() {
  QList<Topico> r;
  const QString indice = LePagina(QString::fromLatin1(kIndice));
  // The index lists its topics as <li class="topico"><a href="page.html">Title</a>.
  static const QRegularExpression item(QStringLiteral("<li class=\"topico\"><a href=\"([^\"#]+)\">([^<]+)</a>"));
  static const QRegularExpression secao(QStringLiteral("<h2><a name=\"([^\"]+)\"></a>([^<]+)</h2>"));
  for (auto it = item.globalMatch(indice); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    Topico t{m.captured(1), m.captured(2).trimmed(), {}};
    const QString html = LePagina(t.arquivo);
    for (auto s = secao.globalMatch(html); s.hasNext();) {
      const QRegularExpressionMatch ms = s.next();
      t.secoes.append({t.arquivo + '#' + ms.captured(1), ms.captured(2).trimmed(), {}});
    }
    r.append(t);
  }
  return r;
}

QList<Achado> Pesquisa(const QString& termos) {
  QStringList palavras = Normaliza(termos).split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts);
  // Words of one or two letters ("de", "a") are on every page: they only count when nothing else is asked.
  QStringList longas;
  for (const QString& p : palavras)
    if (p.size() > 2) longas << p;
  if (!longas.isEmpty()) palavras = longas;
  QList<Achado> r;
  if (palavras.isEmpty()) return r;
  for (const Pagina& p : Paginas()) {
    int total = 0;
    bool todas = true;
    for (const QString& palavra : palavras) {
      const int n = int(p.texto.count(palavra));
      if (n == 0) {
        todas = false;
        break;
      }
      total += n;
    }
    if (todas) r.append({p.arquivo, p.titulo, total});
  }
  std::stable_sort(r.begin(), r.end(), [](const Achado& a, const Achado& b) { return a.ocorrencias > b.ocorrencias; });
  return r;
}

CJanelaAjuda* Janela() { return JanelaGuia(); }

CJanelaAjuda* Abre(const QString& topico) {
  QPointer<CJanelaAjuda>& j = JanelaGuia();
  if (!j) {
    j = new CJanelaAjuda();
    j->setAttribute(Qt::WA_DeleteOnClose);
    j->resize(1000, 700);
  }
  j->MostraTopico(topico.isEmpty() ? QString::fromLatin1(kIndice) : topico);
  j->show();
  // Over a modal dialog the guide stays usable: the dialog becomes its
  // transient parent, so the dialog's modality does not block it.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != j)
    if (QWindow* w = j->windowHandle()) w->setTransientParent(modal->window()->windowHandle());
  j->raise();
  j->activateWindow();
  return j;
}

void Instala() {
  static FiltroF1* filtro = nullptr;
  if (!filtro) {
    filtro = new FiltroF1;
    qApp->installEventFilter(filtro);
  }
  CHelpDialog::DefineAjuda([](int dialogo, int controle) { Abre(TopicoDoDialogo(dialogo, controle)); });
}

}  // namespace ajuda

// ------------------------------------------------------------ the window

CJanelaAjuda::CJanelaAjuda(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("ajuda"));
  setWindowTitle(QStringLiteral("Ajuda do Tarsolin"));

  navegador_ = new QTextBrowser(this);
  navegador_->setObjectName(QStringLiteral("navegador"));
  navegador_->setSearchPaths({ajuda::PastaGuia()});
  navegador_->setOpenExternalLinks(true);
  QFile estilo(QDir(ajuda::PastaGuia()).filePath(QStringLiteral("estilo.css")));
  if (estilo.open(QIODevice::ReadOnly)) navegador_->document()->setDefaultStyleSheet(QString::fromUtf8(estilo.readAll()));

  auto* barra = new QToolBar(this);
  barra->setObjectName(QStringLiteral("barraAjuda"));
  barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QAction* voltar = barra->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Voltar"));
  voltar->setObjectName(QStringLiteral("voltar"));
  voltar->setShortcut(QKeySequence::Back);
  QAction* avancar = barra->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Avançar"));
  avancar->setObjectName(QStringLiteral("avancar"));
  avancar->setShortcut(QKeySequence::Forward);
  QAction* inicio = barra->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Conteúdo"));
  inicio->setObjectName(QStringLiteral("inicio"));
  voltar->setEnabled(false);
  avancar->setEnabled(false);
  connect(voltar, &QAction::triggered, navegador_, &QTextBrowser::backward);
  connect(avancar, &QAction::triggered, navegador_, &QTextBrowser::forward);
  connect(inicio, &QAction::triggered, this, [this] { MostraTopico(QString::fromLatin1(ajuda::kIndice)); });
  connect(navegador_, &QTextBrowser::backwardAvailable, voltar, &QAction::setEnabled);
  connect(navegador_, &QTextBrowser::forwardAvailable, avancar, &QAction::setEnabled);

  abas_ = new QTabWidget(this);
  abas_->setObjectName(QStringLiteral("abasAjuda"));
  conteudo_ = new QTreeWidget(abas_);
  conteudo_->setObjectName(QStringLiteral("conteudo"));
  conteudo_->setHeaderHidden(true);
  abas_->addTab(conteudo_, QStringLiteral("Conteúdo"));

  auto* pesquisa = new QWidget(abas_);
  termos_ = new QLineEdit(pesquisa);
  termos_->setObjectName(QStringLiteral("termos"));
  termos_->setPlaceholderText(QStringLiteral("Palavras a procurar"));
  auto* procurar = new QPushButton(QStringLiteral("&Pesquisar"), pesquisa);
  procurar->setObjectName(QStringLiteral("pesquisar"));
  achados_ = new QListWidget(pesquisa);
  achados_->setObjectName(QStringLiteral("achados"));
  auto* lp = new QVBoxLayout(pesquisa);
  auto* linha = new QHBoxLayout;
  linha->addWidget(termos_);
  linha->addWidget(procurar);
  lp->addLayout(linha);
  lp->addWidget(achados_);
  abas_->addTab(pesquisa, QStringLiteral("Pesquisar"));
  connect(procurar, &QPushButton::clicked, this, [this] { Pesquisa(termos_->text()); });
  connect(termos_, &QLineEdit::returnPressed, this, [this] { Pesquisa(termos_->text()); });
  connect(achados_, &QListWidget::itemActivated, this, &CJanelaAjuda::AchadoEscolhido);
  connect(achados_, &QListWidget::itemClicked, this, &CJanelaAjuda::AchadoEscolhido);
  connect(conteudo_, &QTreeWidget::itemActivated, this, &CJanelaAjuda::ItemEscolhido);
  connect(conteudo_, &QTreeWidget::itemClicked, this, &CJanelaAjuda::ItemEscolhido);
  // A link followed inside the guide forgets the anchor asked before.
  connect(navegador_, &QTextBrowser::sourceChanged, this, [this](const QUrl& u) { ancora_ = u.fragment(); });

  auto* divisor = new QSplitter(this);
  divisor->addWidget(abas_);
  divisor->addWidget(navegador_);
  divisor->setStretchFactor(1, 1);
  divisor->setSizes({260, 740});
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(barra);
  l->addWidget(divisor);

  PreencheConteudo();
}

void CJanelaAjuda::PreencheConteudo() {
  conteudo_->clear();
  for (const ajuda::Topico& t : ajuda::Conteudo()) {
    auto* item = new QTreeWidgetItem(conteudo_, {t.titulo});
    item->setData(0, Qt::UserRole, t.arquivo);
    for (const ajuda::Topico& s : t.secoes) {
      auto* filho = new QTreeWidgetItem(item, {s.titulo});
      filho->setData(0, Qt::UserRole, s.arquivo);
    }
  }
}

void CJanelaAjuda::MostraTopico(const QString& topico) {
  const QUrl url(topico);
  // setSource with the same page only scrolls; the anchor is kept either way.
  navegador_->setSource(url);
  ancora_ = url.fragment();
  if (!ancora_.isEmpty()) navegador_->scrollToAnchor(ancora_);
  // The contents follow the page shown.
  const QString pagina = url.path();
  for (int i = 0; i < conteudo_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = conteudo_->topLevelItem(i);
    if (item->data(0, Qt::UserRole).toString() != pagina) continue;
    QTreeWidgetItem* alvo = item;
    for (int j = 0; j < item->childCount(); ++j)
      if (item->child(j)->data(0, Qt::UserRole).toString() == topico) alvo = item->child(j);
    item->setExpanded(true);
    conteudo_->setCurrentItem(alvo);
    break;
  }
}

QString CJanelaAjuda::TopicoAtual() const {
  const QString pagina = QFileInfo(navegador_->source().path()).fileName();
  return ancora_.isEmpty() ? pagina : pagina + '#' + ancora_;
}

void CJanelaAjuda::ItemEscolhido() {
  if (QTreeWidgetItem* item = conteudo_->currentItem()) MostraTopico(item->data(0, Qt::UserRole).toString());
}

void CJanelaAjuda::Pesquisa(const QString& termos) {
  termos_->setText(termos);
  abas_->setCurrentIndex(1);
  achados_->clear();
  procurado_ = termos.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).value(0);
  const QList<ajuda::Achado> achados = ajuda::Pesquisa(termos);
  for (const ajuda::Achado& a : achados) {
    auto* item = new QListWidgetItem(QStringLiteral("%1 (%2)").arg(a.titulo).arg(a.ocorrencias), achados_);
    item->setData(Qt::UserRole, a.arquivo);
  }
  if (achados.isEmpty()) {
    auto* item = new QListWidgetItem(QStringLiteral("Nenhum tópico contém estas palavras."), achados_);
    item->setFlags(Qt::NoItemFlags);
  }
}

void CJanelaAjuda::AchadoEscolhido() {
  QListWidgetItem* item = achados_->currentItem();
  if (!item || item->data(Qt::UserRole).toString().isEmpty()) return;
  MostraTopico(item->data(Qt::UserRole).toString());
  // The first occurrence of the first word is selected on the page.
  if (!procurado_.isEmpty()) navegador_->find(procurado_);
}
