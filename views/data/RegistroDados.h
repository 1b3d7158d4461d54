#pragma once
// Registers the data windows (32813, 32820) and the rename and reconsider
// dialogs (32909, 32908) with the model window.
void RegistraJanelasDados();
