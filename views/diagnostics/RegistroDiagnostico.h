#pragma once
// Plugs the diagnostic windows and dialogs into the model window's commands.
void RegistraJanelasDiagnostico();
