#pragma once
// Plugs the equation window (32836), the projection window (32839) and the
// chart-style editor (32850) into the model window; called once at start-up.
void RegistraJanelasEquacao();
