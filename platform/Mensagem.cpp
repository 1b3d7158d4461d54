#include "platform/Mensagem.h"

#include "platform/TabelaTextos.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace plat {

namespace {
TratadorMensagem& Tratador() {
  static TratadorMensagem t;
  return t;
}
QString& Titulo() {
  static QString t = QStringLiteral("Tarsolin");
  return t;
}

int RespostaPadrao(unsigned estilo) {
  const unsigned botoes = estilo & 0xF;
  const bool segundo = (estilo & MB_DEFBUTTON2) != 0;
  switch (botoes) {
    case MB_OKCANCEL: return segundo ? IDCANCEL : IDOK;
    case MB_YESNOCANCEL:
    case MB_YESNO: return segundo ? IDNO : IDYES;
    case MB_RETRYCANCEL: return segundo ? IDCANCEL : IDRETRY;
    default: return IDOK;
  }
}

int MostraCaixa(const Mensagem& m) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    std::fprintf(stderr, "%s: %s\n", m.titulo.toLocal8Bit().constData(), m.texto.toLocal8Bit().constData());
    return RespostaPadrao(m.estilo);
  }
  QMessageBox caixa;
  caixa.setWindowTitle(m.titulo);
  caixa.setText(m.texto);
  switch (m.estilo & 0xF0) {
    case MB_ICONSTOP: caixa.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: caixa.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: caixa.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: caixa.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Botao { QMessageBox::StandardButton qt; int id; };
  std::vector<Botao> botoes;
  switch (m.estilo & 0xF) {
    case MB_OKCANCEL: botoes = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNOCANCEL: botoes = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNO: botoes = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: botoes = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: botoes = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons conjunto;
  for (const Botao& b : botoes) conjunto |= b.qt;
  caixa.setStandardButtons(conjunto);
  // Portuguese captions on every button.
  if (auto* b = caixa.button(QMessageBox::Yes)) b->setText(QStringLiteral("&Sim"));
  if (auto* b = caixa.button(QMessageBox::No)) b->setText(QStringLiteral("&Não"));
  if (auto* b = caixa.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Cancelar"));
  if (auto* b = caixa.button(QMessageBox::Retry)) b->setText(QStringLiteral("&Repetir"));
  const int padrao = RespostaPadrao(m.estilo);
  for (const Botao& b : botoes)
    if (b.id == padrao) caixa.setDefaultButton(b.qt);
  const int r = caixa.exec();
  for (const Botao& b : botoes)
    if (b.qt == r) return b.id;
  // Closed by Escape or the window's close button.
  return (m.estilo & 0xF) == MB_YESNO ? IDNO : (botoes.size() > 1 ? IDCANCEL : IDOK);
}
}  // namespace

int MessageBox(const QString& texto, const QString& titulo, unsigned estilo) {
  // Deep copies: a text built from a module's static data must outlive the module.
  const QString t = titulo.isEmpty() ? Titulo() : titulo;
  Mensagem m{QString(texto.constData(), texto.size()), QString(t.constData(), t.size()), estilo};
  if (Tratador()) return Tratador()(m);
  return MostraCaixa(m);
}

int MessageBox(int idTexto, unsigned estilo) { return MessageBox(Texto(idTexto), QString(), estilo); }

void DefineTituloPadrao(const QString& titulo) { Titulo() = titulo; }
QString TituloPadrao() { return Titulo(); }

TratadorMensagem DefineTratadorMensagem(TratadorMensagem tratador) {
  TratadorMensagem anterior = std::move(Tratador());
  Tratador() = std::move(tratador);
  return anterior;
}

GravadorMensagens::GravadorMensagens(int padrao) : padrao_(padrao) {
  anterior_ = DefineTratadorMensagem([this](const Mensagem& m) {
    mensagens_.push_back(m);
    if (!respostas_.empty()) {
      const int r = respostas_.front();
      respostas_.erase(respostas_.begin());
      return r;
    }
    return padrao_;
  });
}

GravadorMensagens::~GravadorMensagens() { DefineTratadorMensagem(std::move(anterior_)); }

QStringList GravadorMensagens::Textos() const {
  QStringList l;
  for (const Mensagem& m : mensagens_) l << m.texto;
  return l;
}

}  // namespace plat
