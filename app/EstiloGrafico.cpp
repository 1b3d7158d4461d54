#include "EstiloGrafico.h"

#include <QSettings>
#include <QtEndian>
#include <cstring>

EstiloGrafico EstilosGraficos[NumEstilosGraficos];

EstiloGrafico EstiloGrafico::Padrao() {
  EstiloGrafico e{};
  e.corInicial = 0xFFFFFF;
  e.corMeio = 0xFFFFFF;
  e.corFinal = 0xFF6633;
  e.corTitulo = 0;
  e.corPontos = e.corPontos2 = e.corPontos3 = e.corPontos4 = 0xFF0000;
  e.corLinhas = e.corLinhas2 = e.corLinhas3 = e.corLinhas4 = 0x0099FF;
  e.legenda = 0;
  e.tonsCinza = 1;
  e.gradiente = 1;
  e.tresD = 0;
  e.direcaoGradiente = 1;
  return e;
}

void CarregaEstilosGraficos(const QByteArray& valor) {
  if (valor.size() < TamanhoEstilosGraficos) {
    for (auto& e : EstilosGraficos) e = EstiloGrafico::Padrao();
    return;
  }
  const auto* p = reinterpret_cast<const uchar*>(valor.constData());
  for (int i = 0; i < NumEstilosGraficos; ++i) {
    int32_t campos[21];
    for (int k = 0; k < 21; ++k) campos[k] = qFromLittleEndian<int32_t>(p + 84 * i + 4 * k);
    std::memcpy(&EstilosGraficos[i], campos, sizeof campos);
  }
}

QByteArray ValorEstilosGraficos() {
  QByteArray valor(TamanhoEstilosGraficos, '\0');
  auto* p = reinterpret_cast<uchar*>(valor.data());
  for (int i = 0; i < NumEstilosGraficos; ++i) {
    int32_t campos[21];
    std::memcpy(campos, &EstilosGraficos[i], sizeof campos);
    for (int k = 0; k < 21; ++k) qToLittleEndian<int32_t>(campos[k], p + 84 * i + 4 * k);
  }
  return valor;
}

void CarregaEstilosGraficos(QSettings& s) {
  CarregaEstilosGraficos(s.value("Options/Graficos").toByteArray());
}

void GravaEstilosGraficos(QSettings& s) { s.setValue("Options/Graficos", ValorEstilosGraficos()); }
