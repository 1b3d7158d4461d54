#pragma once
// "Data e Hora": the current date and time in every format of the user's
// locale, each text once; OK answers the chosen text.
#include "CHelpDialog.h"

#include <QDateTime>

class QListWidget;

class CDateDialog : public CHelpDialog {
  Q_OBJECT
public:
  explicit CDateDialog(QWidget* parent = nullptr, const QDateTime& agora = QDateTime::currentDateTime());
  QString Escolhido() const;
  QStringList Textos() const;

private:
  QListWidget* lista_;
};
