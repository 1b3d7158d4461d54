#include "dbmanager/CProviderPropsDlg.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/RotinasBrenk.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Cp1252.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace brenk {

namespace {

struct CursorEspera {
  CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};

CProviderPropsDlg::Abridor& AbridorAtual() {
  static CProviderPropsDlg::Abridor a;
  return a;
}

void Colecao(QString& t, const QList<PropriedadeProvedor>& l) {
  int i = 0;
  for (const PropriedadeProvedor& p : l) {
    t += QStringLiteral("Property %1: ").arg(++i, 3, 10, QLatin1Char('0')) + p.nome + QLatin1Char('\n');
    t += QStringLiteral("\t\t  Type       = ") + CProviderPropsDlg::TextoTipoDado(p.tipo) + QLatin1Char('\n');
    t += QStringLiteral("\t\t  Value      = ") + TextoValor(p.valor) + QLatin1Char('\n');
    t += QStringLiteral("\t\t  Attributes = ") + CProviderPropsDlg::TextoAtributos(p.atributos) + QLatin1Char('\n');
  }
}

}  // namespace

CProviderPropsDlg::CProviderPropsDlg(CChildFrame* janela, QWidget* parent) : QDialog(parent), janela_(janela) {
  setObjectName(QStringLiteral("dlg148"));
  setWindowTitle(QStringLiteral("Propriedades do Provedor"));
  auto* v = new QVBoxLayout(this);
  const QString rotulo = QStringLiteral("Seqüência de Conexão (deve retornar ao menos um registro ou coluna):");
  auto* l = new QLabel(rotulo, this);
  l->setWordWrap(true);
  v->addWidget(l);
  comando_ = new QPlainTextEdit(QStringLiteral("SELECT 2*3"), this);
  comando_->setObjectName(QStringLiteral("1033"));
  comando_->setAccessibleName(rotulo);
  comando_->setTabChangesFocus(true);
  v->addWidget(comando_, 1);
  auto* aplicar = new QPushButton(QStringLiteral("&Aplicar"), this);
  aplicar->setObjectName(QStringLiteral("1"));
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("2"));
  auto* botoes = new QDialogButtonBox(this);
  botoes->addButton(aplicar, QDialogButtonBox::AcceptRole);
  botoes->addButton(fechar, QDialogButtonBox::RejectRole);
  connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
  v->addWidget(botoes);
  resize(460, 220);
}

CProviderPropsDlg::Abridor CProviderPropsDlg::DefineAbridor(Abridor abridor) {
  Abridor anterior = AbridorAtual();
  AbridorAtual() = std::move(abridor);
  return anterior;
}

QString CProviderPropsDlg::TextoTipoDado(int tipo) {
  static const struct { int numero; const char* texto; } tipos[] = {
      {0, "(adEmpty) No value was specified"},
      {2, "(adSmallInt) A 2-byte signed integer"},
      {3, "(adInteger) A 4-byte signed integer"},
      {4, "(adSingle) A single-precision floating point value"},
      {5, "(adDouble) A double-precision floating point value"},
      {6, "(adCurrency) A currency value (8-byte signed integer scaled by 10,000)"},
      {7, "(adDate) A Date value"},
      {8, "(adBSTR) A null-terminated character string (Unicode)"},
      {9, "(adIDispatch) A pointer to an IDispatch interface on an OLE object"},
      {10, "(adError) A 32-bit Error code"},
      {11, "(adBoolean) A Boolean value"},
      {12, "(adVariant) An OLE Automation Variant"},
      {13, "(adIUnknown) A pointer to an IUnknown interface on an OLE object"},
      {14, "(adDecimal) An exact numeric value with a fixed precision and scale"},
      {16, "(adTinyInt) A 1-byte signed integer"},
      {17, "(adUnsignedTinyInt) A 1-byte unsigned integer"},
      {18, "(adUnsignedSmallInt) A 2-byte unsigned integer"},
      {19, "(adUnsignedInt) A 4-byte unsigned integer"},
      {20, "(adBigInt) An 8-byte signed integer"},
      {21, "(adUnsignedBigInt) An 8-byte unsigned integer"},
      {72, "(adGUID) A globally unique identifier (GUID)"},
      {128, "(adBinary) A binary value"},
      {129, "(adChar) A String value"},
      {130, "(adWChar) A null-terminated Unicode character string"},
      {131, "(adNumeric) An exact numeric value with a fixed precision and scale"},
      {132, "(adUserDefined) A user-defined variable"},
      {133, "(adDBDate) A date value (yyyymmdd)"},
      {134, "(adDBTime) A time value (hhmmss)"},
      {135, "(adDBTimeStamp) A date-time stamp (yyyymmddhhmmss plus a fraction in billionths)"},
      {200, "(adVarChar) A String value (Parameter object only)"},
      {201, "(adLongVarChar) A long String value (Parameter object only)"},
      {202, "(adVarWChar) A null-terminated Unicode character string (Parameter object only)"},
      {203, "(adLongVarWChar) A long null-terminated string value (Parameter object only)"},
      {204, "(adVarBinary) A binary value (Parameter object only)"},
      {205, "(adLongVarBinary) A long binary value (Parameter object only)"},
  };
  for (const auto& t : tipos)
    if (t.numero == tipo) return QString::fromLatin1(t.texto);
  return QStringLiteral("%1 = = Unrecognized Type").arg(tipo);
}

QString CProviderPropsDlg::TextoAtributos(int a) {
  if (a & 1) return QStringLiteral("Required ");
  if (a & 2) return QStringLiteral("Optional ");
  if (a & 512) return QStringLiteral("Read ");
  if (a & 1024) return QStringLiteral("Write ");
  return QString();
}

QString CProviderPropsDlg::CaminhoDump(const QString& pasta, const QString& provedor, const QString& dbms) {
  const qsizetype ponto = provedor.indexOf(QLatin1Char('.'));
  QString nome = QLatin1Char('[') + (ponto >= 0 ? provedor.left(ponto) : provedor) + QLatin1Char('_') + dbms +
                 QStringLiteral("].txt");
  // Only the file's own name loses its blanks: a folder with blanks in its
  // path stays the folder it is.
  nome.replace(QLatin1Char(' '), QLatin1Char('_'));
  QString p = pasta;
  while (p.size() > 1 && p.endsWith(QLatin1Char('/'))) p.chop(1);
  return p + QLatin1Char('/') + nome;
}

QString CProviderPropsDlg::TextoDump(const ColecoesPropriedades& c) {
  const struct { const char* objeto; const QList<PropriedadeProvedor>* lista; } secoes[] = {
      {"Connection", &c.conexao}, {"Command", &c.comando}, {"Recordset", &c.conjunto}, {"Field", &c.campo}};
  QString t;
  bool primeira = true;
  for (const auto& s : secoes) {
    const QString titulo = QStringLiteral("Properties Collection for the %1 object").arg(QLatin1String(s.objeto));
    const QString traco(titulo.size(), QLatin1Char('-'));
    if (primeira) t += titulo + QLatin1Char('\n') + traco + QStringLiteral("\n\n");
    else t += QLatin1Char('\n') + titulo + QLatin1Char('\n') + traco + QStringLiteral("\n\n");
    primeira = false;
    Colecao(t, *s.lista);
  }
  return t;
}

void CProviderPropsDlg::accept() {
  if (!janela_) return;
  CursorEspera espera;
  janela_->DefineTextoPainel(0, QStringLiteral("Dumping provider properties..."));
  bool falhou = false;
  const QString comando = comando_->toPlainText();
  ColecoesPropriedades colecoes;
  ResultadoPropriedades r = ResultadoPropriedades::Erro;
  QString erro;
  const bool conectada = janela_->Conexao()->NaConexao([&](DataSource& f) {
    r = f.DescrevePropriedades(comando, janela_->TempoLimite(), janela_->TamanhoCache(), colecoes);
    if (r == ResultadoPropriedades::Erro) erro = TextoErros(f.Erros());
  });
  if (!conectada || r == ResultadoPropriedades::Erro) {
    plat::MessageBox(erro.isEmpty() ? QStringLiteral("Errors occurred.") : erro);
    comando_->setFocus();
    falhou = true;
  } else if (r == ResultadoPropriedades::SemColunas) {
    plat::MessageBox(QStringLiteral("Query returned zero records/columns. Cannot dump provider properties."));
    falhou = true;
  } else {
    const QString caminho = CaminhoDump(QDir::tempPath(), janela_->Provedor(), janela_->Dbms());
    QString texto = TextoDump(colecoes);
    texto.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::string bytes = plat::ParaCp1252(texto);
    plat::GravacaoSegura g(caminho);
    if (!g.Aberta() || !g.Escreve(bytes.data(), bytes.size()) || !g.Confirma()) {
      const QFileInfo pasta(QFileInfo(caminho).absolutePath());
      // A missing folder is a bad path; one that cannot be written, access denied.
      const int causa = !g.Aberta() ? (pasta.isDir() ? 5 : 3) : 1;
      plat::MessageBox(QStringLiteral("File Path Name: <%1> ").arg(caminho) + TextoErroArquivo(causa));
      falhou = true;
    } else {
      const Abridor& a = AbridorAtual();
      const bool aberto = a ? a(caminho) : QDesktopServices::openUrl(QUrl::fromLocalFile(caminho));
      if (!aberto) {
        plat::MessageBox(QStringLiteral("Error dumping provider properties."));
        falhou = true;
      }
    }
  }
  // A "USE " may have switched the database of a SQL Server family source.
  if (janela_->Regras().trocaBanco && comando.toUpper().contains(QLatin1String("USE "))) janela_->AtualizaBancoAtual();
  janela_->DefineTextoPainel(0, QString());
  if (!falhou) QDialog::accept();
}

}  // namespace brenk
