#pragma once
// The model commands an auxiliary window of a model does not run itself: it
// posts them to its model window, where they run as if chosen there, and
// enables them as the model window does (the results commands only while the
// model is calculated).
struct EstadoComando;
class CTarsolinDoc;
class QWidget;

// True for the commands posted on to the model window.
bool ComandoDoModelo(int id);
// The model window of `doc` (null when there is none).
QWidget* MolduraDoModelo(const CTarsolinDoc* doc);
// Posts `id` to the model window of `doc`, or to `moldura` when the window
// knows its model window.
void EncaminhaAoModelo(const CTarsolinDoc* doc, int id);
void EncaminhaAoModelo(QWidget* moldura, int id);
// The state of a posted-on command: the auxiliary window's rule and the model
// window's (the model window of `doc`, or `moldura`).
void EstadoComandoDoModelo(const CTarsolinDoc* doc, int id, EstadoComando& estado);
void EstadoComandoDoModelo(const CTarsolinDoc* doc, QWidget* moldura, int id, EstadoComando& estado);
