#pragma once
// The results report: the statistics of the model's current equation written
// into a report view as formatted text (headings, bullets, tab stops), with
// the correlations from the correlations library.
class CLaudoView;
class CTarsolinDoc;

// Appends the report at the view's selection; false when the correlations
// could not be had (the report then ends after their heading).
bool EscreveResultados(CLaudoView& vista, CTarsolinDoc& modelo);
