#include "UnidadesMedida.h"

#include "platform/TabelaTextos.h"
#include "platform/TextoNumerico.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

UnidadeMedida Unidades[NumUnidades] = {
    {1440, {180, 720, 1440}, 90, 3053, false, QStringLiteral("\"")},
    {568, {142, 284, 568}, 142, 3008, true, QStringLiteral("cm")},
    {20, {120, 720, 720}, 100, 3078, true, QStringLiteral("pt")},
    {240, {240, 1440, 1440}, 120, 3075, true, QStringLiteral("pi")},
    {1440, {180, 720, 1440}, 90, 3054, false, QStringLiteral("in")},
    {1440, {180, 720, 1440}, 90, 3055, false, QStringLiteral("inch")},
    {1440, {180, 720, 1440}, 90, 3056, false, QStringLiteral("inches")},
};

void CarregaUnidadesMedida() {
  for (auto& u : Unidades) {
    const QString t = plat::Texto(u.idNome);
    if (!t.isEmpty()) u.nome = t;
  }
}

bool LeMedidaTexto(const QString& texto, int atual, int* twips) {
  // Numbers are written with the decimal comma; a point ends the number, as it
  // would for the C runtime under the Portuguese numeric locale. Read in the C
  // locale, whatever the user's locale is.
  bool ok = false;
  int usados = 0;
  const double valor = plat::LeReal(texto, QChar(u','), &ok, &usados);
  if (!ok) return false;
  const QString resto = texto.mid(usados).trimmed();
  int unidade = atual;
  if (!resto.isEmpty()) {
    unidade = -1;
    for (int i = 0; i < NumUnidades; ++i)
      if (resto.compare(Unidades[i].nome, Qt::CaseInsensitive) == 0) { unidade = i; break; }
    if (unidade < 0) return false;
  }
  if (unidade < 0 || unidade >= NumUnidades) return false;
  const float produto = float(valor) * float(Unidades[unidade].twipsPorUnidade);
  // 2^31 is the first float that no int holds (2147483647.0f rounds up to it).
  if (!std::isfinite(produto) || std::fabs(produto) >= 2147483648.0f) return false;
  *twips = int(produto < 0 ? produto - 0.5f : produto + 0.5f);
  return true;
}

QString EscreveMedidaTexto(int twips, int decimais, int atual) {
  if (atual < 0 || atual >= NumUnidades) atual = 0;
  const UnidadeMedida& u = Unidades[atual];
  decimais = std::clamp(decimais, 0, 9);
  // Digit by digit in integers: the last kept digit rounded half up, carries included.
  long long escala = 1;
  for (int i = 0; i < decimais; ++i) escala *= 10;
  const long long n = std::llabs(static_cast<long long>(twips));
  long long q = (2 * n * escala + u.twipsPorUnidade) / (2LL * u.twipsPorUnidade);
  while (decimais > 0 && q % 10 == 0) {
    q /= 10;
    escala /= 10;
    --decimais;
  }
  const double valor = (twips < 0 && q != 0 ? -1.0 : 1.0) * double(q) / double(escala);
  const std::string formato = "%." + std::to_string(decimais) + "f";
  QString r = plat::FormataC(formato.c_str(), {valor});
  if (u.espacoAntes) r += ' ';
  return r + u.nome;
}
