#pragma once
// A target of the command router: windows, documents and the application
// handle numeric command ids (the ids of the menus and tool bars) through it.

// What an update handler decides for a command.
struct EstadoComando {
  bool habilitado = true;
  bool marcado = false;
};

class QObject;
class QTextCharFormat;

class AlvoComando {
public:
  virtual ~AlvoComando() = default;
  // Runs the command; false when this target does not handle it.
  virtual bool OnCmdMsg(int id) = 0;
  // True when this target handles `id` (without running it).
  virtual bool TemComando(int id) const = 0;
  // Update handler: true when this target decides the state of `id`.
  virtual bool OnUpdateCmd(int id, EstadoComando& estado) { return false; }
  // For frames: the active view and the document it shows (routed before the frame).
  virtual QObject* VistaAtiva() { return nullptr; }
  virtual QObject* DocumentoAlvo() { return nullptr; }
  // A colour chosen in the formatting bar (32806 text colour, otherwise back colour).
  virtual void OnCorFormatacao(unsigned cor, int comando) {}
  // The character format the formatting bar shows; false when the target has none.
  virtual bool OnPedeFormato(QTextCharFormat& formato) { return false; }
  // A font name or size chosen in the formatting bar; false when the target does not take it.
  virtual bool OnDefineFormato(const QTextCharFormat& formato) { return false; }
  // The formatting bar took (true) or lost (false) the keyboard focus.
  virtual void OnFocoFormatacao(bool foco) {}
  // Return pressed in the formatting bar.
  virtual void OnEnterFormatacao() {}
};
