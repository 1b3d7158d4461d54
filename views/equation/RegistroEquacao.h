#pragma once
// Plugs the equation window (32836) and the chart-style editor (32850) into
// the model window, and the printing commands into the main menu; called once
// at start-up, after the main frame exists.
class CMainFrame;

void RegistraJanelasEquacao(CMainFrame* principal);
