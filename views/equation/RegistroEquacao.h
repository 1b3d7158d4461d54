#pragma once
// Plugs the equation window (32836), the variable display (32912), the
// three-variable chart (32853), the projection window (32839) and the
// chart-style editor (32850) into the model window; called once at start-up.
void RegistraJanelasEquacao();
