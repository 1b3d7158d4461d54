#pragma once
// The transformations the search tries (codes 1 to 7) and the inverse it applies
// to fitted values of the dependent variable.

namespace ostrimo {

// Value of x under code 1 (x), 2 (1/x), 3 (ln x), 4 (x²), 5 (√x), 6 (1/x²),
// 7 (1/√x); any other code leaves x as it is, as a work value whose digit is
// exhausted keeps what it held.
double TransformaCodigo(double x, int codigo);

// Back to original units for a fitted value f of the dependent transformed by
// `codigo`; the sign of f is carried through codes 4 to 7 so that an estimate on
// the wrong side of zero stays there instead of failing.
double InversaDependente(double f, int codigo);

}  // namespace ostrimo
