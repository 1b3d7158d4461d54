#include "TextoEquacao.h"

#include "model/CabecalhoModelo.h"
#include "platform/TextoNumerico.h"

#include <newmat.h>

QString NomeTransformacao(int codigo, double expoente) {
  static const char* const nomes[] = {"x", "1/x", "ln(x)", "x²", "x½", "1/x²", "1/x½"};
  if (codigo < 1) return QStringLiteral("x^") + plat::FormataC("%3.2f", {expoente});
  if (codigo <= 7) return QString::fromUtf8(nomes[codigo - 1]);
  return QString();
}

QString MontaTextoEquacao(const ParametrosTextoEquacao& p) {
  if (!p.cab || !p.mapa || !p.b || p.k < 1 || p.b->Nrows() < p.k) return QString();
  const CabecalhoModelo& cab = *p.cab;
  const int e = p.equacao;
  const int y = p.mapa[p.k - 1];
  const QString nomeY = cab.NomeVariavel(y);
  const int codigoY = cab.Transformacao(y, e);
  QString texto;
  QString fecho;
  if (codigoY == 0) {
    texto = plat::FormataC("%s ^%3.2f = \t", {nomeY, cab.Expoente(y, e)});
  } else if (codigoY >= 1 && codigoY <= 7) {
    // The text around the dependent's name: solved for it (the inverse of its
    // transformation around the right side), or as the regression fitted it.
    struct Lado { const char* antes; const char* depois; const char* fecho; };
    static const Lado estimativa[] = {{"", " = \t", ""},      {"", " = 1/(\t", ")"}, {"", " = e^(\t", ")"},
                                      {"", " = (\t", ")½"},   {"", " = (\t", ")²"},  {"", " = 1/(\t", ")½"},
                                      {"", " = 1/(\t", ")²"}};
    static const Lado transformada[] = {{"", " = \t", ""},    {"1/", " = \t", ""}, {"ln (", ") = \t", ""},
                                        {"", "² = \t", ""},   {"", "½ = \t", ""},  {"1/", "² = \t", ""},
                                        {"1/", "½ = \t", ""}};
    const Lado& l = (p.estimativa ? estimativa : transformada)[codigoY - 1];
    texto = QString::fromUtf8(l.antes) + nomeY + QString::fromUtf8(l.depois);
    fecho = QString::fromUtf8(l.fecho);
  }
  texto += plat::FormataC("\r\n\t%-+1.10G", {(*p.b)(1, 1)});
  for (int j = 0; j < p.k - 1; ++j) {
    const int v = p.mapa[j];
    const int codigo = cab.Transformacao(v, e);
    texto += QStringLiteral("\r\n\t") + plat::FormataC("%-+1.10G", {(*p.b)(j + 2, 1)});
    switch (codigo) {
      case 0: case 1: case 4: case 5: texto += QStringLiteral(" * "); break;
      case 2: case 6: case 7: texto += QStringLiteral(" / "); break;
      case 3: texto += QStringLiteral(" * ln ("); break;
      default: break;
    }
    texto += cab.NomeVariavel(v);
    switch (codigo) {
      case 0: texto += plat::FormataC("^%3.2f", {cab.Expoente(v, e)}); break;
      case 3: texto += QStringLiteral(")"); break;
      case 4: case 6: texto += QStringLiteral("²"); break;
      case 5: case 7: texto += QStringLiteral("½"); break;
      default: break;
    }
  }
  if (p.lag) texto += QStringLiteral("\r\n\t") + plat::FormataC("%-+1.10G %s", {p.rho, "*w*y"});
  return texto + fecho;
}
