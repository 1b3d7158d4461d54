#pragma once
// Cumulative distribution functions of the normal and chi-square
// distributions for the confidences and test probabilities, with their status
// codes: 0 done; −1 mode out of range (limite = the nearest valid mode);
// −4 x < 0 (chi-square); −5 df ≤ 0; −6 sd ≤ 0 (limite 0); 1 and 2 when an
// inverse mode's answer lies below or above the search range (limite = that end).
// Mode 1 computes p = P(X ≤ x) and q = 1 − p; the other modes solve for x
// (2), the mean or df (3) or the sd (4, normal) from p and q.

namespace quenvik {

void DistribuicaoNormal(int modo, double& p, double& q, double& x, double& media, double& dp, int& status,
                        double& limite);
void DistribuicaoQuiQuadrado(int modo, double& p, double& q, double& x, double& gl, int& status, double& limite);

// Upper tail of the standard normal at z, 1 − Φ(z).
double CaudaNormalSuperior(double z);
// Upper tail of the chi-square with gl degrees of freedom at x.
double CaudaQuiQuadradoSuperior(double x, double gl);

}  // namespace quenvik
