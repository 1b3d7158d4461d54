#pragma once
// The model document whose main view was activated last (null at start and
// when that model's window closes); the main frame's panes show it.
class CTarsolinDoc;
extern CTarsolinDoc* ModeloCorrente;
