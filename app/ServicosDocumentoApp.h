#pragma once
// What the model document asks of the program, answered with its windows:
// the new-model wizard, the password prompt, the save-as dialog, the recent-file list, posted
// commands, the wait cursor and the default page margins.
#include "model/CTarsolinDoc.h"

class CTarsolinApp;

class ServicosDocumentoApp : public ServicosDocumento {
public:
  explicit ServicosDocumentoApp(CTarsolinApp* app) : app_(app) {}
  bool AssistenteNovoModelo(CabecalhoModelo& cabecalho, std::vector<Var>& catalogo) override;
  bool PedeSenha(CTarsolinDoc& doc) override;
  bool PedeCaminhoSalvar(CTarsolinDoc& doc, QString& caminho) override;
  void AdicionaArquivoRecente(const QString& caminho) override;
  void PostaComando(int comando) override;
  void PostaComandoModelo(CTarsolinDoc& doc, int comando) override;
  void CursorEspera(bool ligado) override;
  void MargensPadrao(int& esquerda, int& direita, int& superior, int& inferior) override;

private:
  CTarsolinApp* app_;
};
