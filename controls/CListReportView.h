#pragma once
// A document view whose client area is one report list. A derived view may
// manage a report list of its own (GetReportCtrl): the view then sizes and
// focuses that list but does not create its embedded one.
#include "CListReportCtrl.h"
#include "platform/Documento.h"

#include <QPointer>
#include <QWidget>

class CListReportView : public QWidget {
  Q_OBJECT
public:
  explicit CListReportView(QWidget* parent = nullptr);
  ~CListReportView() override;

  virtual CListReportCtrl* GetReportCtrl();
  // The style word the embedded list is created with; a derived view adds its bits.
  virtual void PreCreateWindow(quint32& estilo);
  // Once, after the view is placed: creates the embedded list over the client area.
  virtual void OnInitialUpdate();
  // The view's document; its updates reach OnUpdate.
  void SetDocument(plat::Documento* doc);
  plat::Documento* GetDocument() const { return doc_; }
  virtual void OnUpdate(QObject* remetente, int dica);
  bool IsInitialized() const { return inicializado_; }

protected:
  void resizeEvent(QResizeEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void paintEvent(QPaintEvent*) override {}

private:
  bool inicializado_ = false;
  CListReportCtrl* embutido_;       // the embedded list, a child of the view
  quint32 estiloCriacao_ = 0;
  QPointer<plat::Documento> doc_;
};
