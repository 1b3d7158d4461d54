#pragma once
// Look-ups in the three read-only tables of critical values kept in the
// program folder ("stdt.dat", "sndc.dat", "durbwat.dat") and the two-sided
// confidence of a t statistic. Each file is read once per process and kept;
// a missing or short file never stops a calculation: the look-ups answer
// their failure values and show no message.
#include <QString>

struct CabecalhoModelo;

// Student t critical value for a - b degrees of freedom in confidence column
// `coluna` (0 "99%" .. 9 "10%"; outside 0-9 counts as 2, "95%"); 0.0 when
// the file cannot be read or a - b is not positive.
double LeValorCriticoT(int coluna, int a, int b);

// Confidence reached by an F statistic in the F table: 0, or one of the
// levels 0.80, 0.90, 0.95, 0.98, 0.99 as single-precision constants widened to
// double; -1.0 when the file cannot be read. `linear` selects the F of the
// current linear equation, otherwise the spatial model's F.
double ConfiancaSnedecor(const CabecalhoModelo& cabecalho, bool linear);
// The same rule for an F computed by a library, with k enabled variables (the
// dependent included) and n considered records.
double ConfiancaSnedecor(double F, int habilitadas, int considerados);

// Judges the Durbin-Watson statistic of the current equation. Returns 1
// (autocorrelation), 2 (inconclusive or error) or 3 (no autocorrelation) and
// points `veredito` to a 24-character verdict and `nivel` to "90%", "95%",
// "98%" or "" (UTF-8 texts with static storage).
int VerificaDurbinWatson(const CabecalhoModelo& cabecalho, const char** veredito, const char** nivel);
// The same judgement for statistic d with k enabled variables and n
// considered records.
int VerificaDurbinWatson(double d, int habilitadas, int considerados, const char** veredito, const char** nivel);

// Probability that a Student t variable with nu degrees of freedom lies
// within +-|t|, at most 0.9999.
double SignificanciaStudent(double nu, double t);

// Table addressing, exposed for the checks of the look-up rules.
int LinhaStudent(int graus);            // row of "stdt.dat", 1-34; 0 when graus < 1
int LinhaSnedecor(int nu2);             // row of "sndc.dat", 1-34 (nu2 >= 1)
int ColunaSnedecor(int nu1);            // column of "sndc.dat", 1-19 (nu1 >= 1)
int LinhaDurbinWatson(int considerados);  // row of "durbwat.dat", 0-37
int ColunaDurbinWatson(int habilitadas);  // dL column of "durbwat.dat", at most 8

// Reads the tables from `pasta` instead of the program folder (an empty text
// restores the program folder) and forgets the contents read so far.
void DefinePastaTabelas(const QString& pasta);
