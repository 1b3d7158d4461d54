#pragma once
// The print preview of a window's pages. Qt's preview dialog reports no
// failure of its own, so the pages are generated once before it shows: a
// printer with no usable page, a drawing that cannot start (`desenha` answers
// false) or one that gives no page shows the command-failure message (61705)
// instead, and nothing else happens.
#include <functional>

class QPrinter;
class QWidget;

// Runs the preview of `desenha` on `impressora`; `aoIniciar` runs once the
// pages are there, just before the dialog shows. False (after the message)
// when the preview could not start.
bool VisualizaImpressao(QPrinter& impressora, QWidget* janela, const std::function<bool(QPrinter&)>& desenha,
                        const std::function<void()>& aoIniciar = {});
