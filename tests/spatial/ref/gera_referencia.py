#!/usr/bin/python3
"""Independent reference for the spatial tests.

Simulates a small spatial lag fixture and fits, with numpy only:
  * the spatial lag and spatial error models by concentrated maximum
    likelihood, the log-determinant from the eigenvalues of W and the
    concentrated objective maximised by a fine scan and golden-section search;
  * asymptotic standard errors from the textbook information matrices;
  * the OLS residual tests (Moran's I with E(I), V(I) and z under the
    regression, LM-error, LM-lag) by their closed forms on explicit matrices.

Writes dados.csv (y, x1, x2, x3), pesos.txt (i j w of the raw inverse-distance
weights, from 1) and referencia.txt (name value). The tests only read these
files; Python is needed only to regenerate them.
"""
import math
import os

import numpy as np

AQUI = os.path.dirname(os.path.abspath(__file__))
n = 100
rng = np.random.default_rng(20261210)
pts = rng.uniform(0.0, 10.0, size=(n, 2))
d = np.sqrt(((pts[:, None, :] - pts[None, :, :]) ** 2).sum(axis=2))
banda = 2.5
W0 = np.where((d > 0) & (d < banda), 1.0 / np.where(d > 0, d, 1.0), 0.0)
assert (W0.sum(axis=1) > 0).all(), "every point needs a neighbour"
W = W0 / W0.sum(axis=1, keepdims=True)

X = np.column_stack([np.ones(n), rng.normal(5.0, 2.0, n), rng.normal(0.0, 1.0, n), rng.uniform(0.0, 3.0, n)])
beta_verd = np.array([10.0, 2.0, -1.5, 0.8])
rho_verd = 0.5
eps = rng.normal(0.0, 1.0, n)
y = np.linalg.solve(np.eye(n) - rho_verd * W, X @ beta_verd + eps)
p = X.shape[1]

autov = np.linalg.eigvals(W)


def logdet(a):
    return float(np.sum(np.log(np.abs(1.0 - a * autov))))


def minimiza(f, lo=-0.99, hi=0.99):
    grade = np.linspace(lo, hi, 1981)
    valores = [f(a) for a in grade]
    k = int(np.argmin(valores))
    a, b = grade[max(k - 1, 0)], grade[min(k + 1, len(grade) - 1)]
    g = (math.sqrt(5.0) - 1.0) / 2.0
    c, dd = b - g * (b - a), a + g * (b - a)
    fc, fd = f(c), f(dd)
    while b - a > 1e-13:
        if fc < fd:
            b, dd, fd = dd, c, fc
            c = b - g * (b - a)
            fc = f(c)
        else:
            a, c, fc = c, dd, fd
            dd = a + g * (b - a)
            fd = f(dd)
    return 0.5 * (a + b)


XtX = X.T @ X
Wy = W @ y
b0 = np.linalg.solve(XtX, X.T @ y)
bd = np.linalg.solve(XtX, X.T @ Wy)
e0 = y - X @ b0
ed = Wy - X @ bd


def obj_sar(r):
    e = e0 - r * ed
    return 0.5 * n * math.log(e @ e / n) - logdet(r)


rho = minimiza(obj_sar)
beta_sar = b0 - rho * bd
e = e0 - rho * ed
s2_sar = e @ e / n
ll_sar = -0.5 * n * math.log(2 * math.pi * s2_sar) - (e @ e) / (2 * s2_sar) + logdet(rho)
A = np.eye(n) - rho * W
WA = W @ np.linalg.inv(A)
Xb = X @ beta_sar
Q = np.zeros((p + 2, p + 2))
Q[:p, :p] = XtX / s2_sar
Q[:p, p] = X.T @ WA @ Xb / s2_sar
Q[p, :p] = Q[:p, p]
Q[p, p] = (WA @ Xb) @ (WA @ Xb) / s2_sar + np.trace(WA.T @ WA + WA @ WA)
Q[p, p + 1] = Q[p + 1, p] = np.trace(WA) / s2_sar
Q[p + 1, p + 1] = n / (2 * s2_sar ** 2)
ep_sar = np.sqrt(np.abs(np.diag(np.linalg.inv(Q))))
t_sar = np.append(beta_sar, rho) / ep_sar[: p + 1]

WX = W @ X


def gls(lam):
    Xs = X - lam * WX
    ys = y - lam * Wy
    b = np.linalg.solve(Xs.T @ Xs, Xs.T @ ys)
    r = ys - Xs @ b
    return b, r @ r / n


def obj_sem(lam):
    return 0.5 * n * math.log(gls(lam)[1]) - logdet(lam)


lam = minimiza(obj_sem)
beta_sem, s2_sem = gls(lam)
ll_sem = -0.5 * n * math.log(2 * math.pi * s2_sem) - 0.5 * n + logdet(lam)
B = np.eye(n) - lam * W
WB = W @ np.linalg.inv(B)
Qe = np.zeros((p + 2, p + 2))
BX = B @ X
Qe[:p, :p] = BX.T @ BX / s2_sem
Qe[p, p] = np.trace(WB @ WB) + np.trace(WB.T @ WB)
Qe[p, p + 1] = Qe[p + 1, p] = np.trace(WB) / s2_sem
Qe[p + 1, p + 1] = n / (2 * s2_sem ** 2)
ep_sem = np.sqrt(np.abs(np.diag(np.linalg.inv(Qe))))
t_sem = np.append(beta_sem, lam) / ep_sem[: p + 1]

# OLS residual tests.
s2 = e0 @ e0 / n
T = np.trace((W + W.T) @ W)
lm_err = (e0 @ W @ e0 / s2) ** 2 / T
M = np.eye(n) - X @ np.linalg.inv(XtX) @ X.T
WXb = W @ X @ b0
lm_lag = (e0 @ Wy / s2) ** 2 / (WXb @ M @ WXb / s2 + T)
I = (e0 @ W @ e0) / (e0 @ e0)
MW = M @ W
EI = np.trace(MW) / (n - p)
VI = (np.trace(MW @ M @ W.T) + np.trace(MW @ MW) + np.trace(MW) ** 2) / ((n - p) * (n - p + 2)) - EI ** 2
z = (I - EI) / math.sqrt(VI)


def cauda_qui1(x):
    return math.erfc(math.sqrt(x / 2.0))


ref = {
    "rho": rho, "sigma2_sar": s2_sar, "loglik_sar": ll_sar,
    "lambda": lam, "sigma2_sem": s2_sem, "loglik_sem": ll_sem,
    "lm_erro": lm_err, "p_lm_erro": cauda_qui1(lm_err),
    "lm_lag": lm_lag, "p_lm_lag": cauda_qui1(lm_lag),
    "moran_i": I, "e_i": EI, "v_i": VI, "z_i": z, "conf_i": 1.0 - math.erfc(abs(z) / math.sqrt(2.0)),
}
for j in range(p):
    ref[f"beta_sar_{j}"] = beta_sar[j]
    ref[f"ep_sar_{j}"] = ep_sar[j]
    ref[f"beta_sem_{j}"] = beta_sem[j]
    ref[f"ep_sem_{j}"] = ep_sem[j]
for j in range(p + 1):
    ref[f"t_sar_{j}"] = t_sar[j]
    ref[f"t_sem_{j}"] = t_sem[j]

with open(os.path.join(AQUI, "dados.csv"), "w") as f:
    f.write("y,x1,x2,x3\n")
    for i in range(n):
        f.write(",".join(repr(float(v)) for v in (y[i], X[i, 1], X[i, 2], X[i, 3])) + "\n")
with open(os.path.join(AQUI, "pesos.txt"), "w") as f:
    for i in range(n):
        for j in range(n):
            if W0[i, j] != 0.0:
                f.write(f"{i + 1} {j + 1} {float(W0[i, j])!r}\n")
with open(os.path.join(AQUI, "referencia.txt"), "w") as f:
    for k, v in ref.items():
        f.write(f"{k} {float(v)!r}\n")
print("\n".join(f"{k} = {float(v):.12g}" for k, v in ref.items()))
