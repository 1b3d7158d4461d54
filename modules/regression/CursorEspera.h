#pragma once
// The wait cursor for the length of a scope.
#include <QApplication>
#include <QGuiApplication>

namespace ostrimo {

class CursorEspera {
public:
  CursorEspera() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QGuiApplication::restoreOverrideCursor(); }
  CursorEspera(const CursorEspera&) = delete;
  CursorEspera& operator=(const CursorEspera&) = delete;
};

}  // namespace ostrimo
