#include "AlvoDocumento.h"

#include "Comandos.h"
#include "model/CTarsolinDoc.h"

AlvoDocumento::AlvoDocumento(CTarsolinDoc* doc) : QObject(doc), doc_(doc) { setObjectName("AlvoDocumento"); }

AlvoDocumento* AlvoDocumento::Para(CTarsolinDoc* doc) {
  if (auto* a = doc->findChild<AlvoDocumento*>("AlvoDocumento", Qt::FindDirectChildrenOnly)) return a;
  return new AlvoDocumento(doc);
}

bool AlvoDocumento::TemComando(int id) const { return id == ID_FILE_SAVE || id == ID_FILE_SAVE_AS; }

bool AlvoDocumento::OnCmdMsg(int id) {
  if (id == ID_FILE_SAVE) {
    doc_->DoSave(doc_->GetPathName());
    return true;
  }
  if (id == ID_FILE_SAVE_AS) {
    doc_->DoSave(doc_->GetPathName(), true);
    return true;
  }
  return false;
}

bool AlvoDocumento::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!TemComando(id)) return false;
  estado.habilitado = doc_->GetCabecalho() != nullptr;
  return true;
}
