#pragma once
// Every message box of the program and of its libraries goes through MessageBox,
// so tests can record the text and choose the answer.
#include <QString>
#include <functional>
#include <QStringList>
#include <vector>

namespace plat {

// Button sets, icons and answers are fixed numbers: callers combine them
// with | and compare the answers.
enum : unsigned {
  MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5,
  MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
  MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40,
  MB_DEFBUTTON2 = 0x100,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// What a test handler receives for each box.
struct Mensagem {
  QString texto;    // the message as the user would read it
  QString titulo;   // the caption
  unsigned estilo;  // MB_* flags
};

using TratadorMensagem = std::function<int(const Mensagem&)>;

// Shows a message box (or, with no GUI application, writes the text to standard
// error and answers the default button). Returns an ID* answer.
int MessageBox(const QString& texto, const QString& titulo = QString(), unsigned estilo = MB_OK);
// The text of string-table entry `idTexto`.
int MessageBox(int idTexto, unsigned estilo = MB_OK);

// Caption used when the caller gives none (the application's title).
void DefineTituloPadrao(const QString& titulo);
QString TituloPadrao();

// Installs a handler that replaces the box; an empty function restores the box.
// Returns the previous handler.
TratadorMensagem DefineTratadorMensagem(TratadorMensagem tratador);

// Records every message and answers from a queue (then `padrao`), for tests.
class GravadorMensagens {
public:
  explicit GravadorMensagens(int padrao = IDOK);
  ~GravadorMensagens();
  GravadorMensagens(const GravadorMensagens&) = delete;
  GravadorMensagens& operator=(const GravadorMensagens&) = delete;
  void Responde(int resposta) { respostas_.push_back(resposta); }
  const std::vector<Mensagem>& Mensagens() const { return mensagens_; }
  QStringList Textos() const;
private:
  std::vector<Mensagem> mensagens_;
  std::vector<int> respostas_;
  int padrao_;
  TratadorMensagem anterior_;
};

}  // namespace plat
