#include "RelatorioResultados.h"

#include "CLaudoView.h"
#include "FormatoParagrafo.h"
#include "app/DriversCalculo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/RotinasCabecalho.h"
#include "model/TabelasEstatisticas.h"
#include "platform/Cp1252.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"
#include "platform/TabelaTextos.h"
#include "platform/TextoNumerico.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <memory>
#include <vector>

namespace {
using C = CabecalhoModelo;

// printf formatting with the decimal comma; the formats here are UTF-8 text,
// which the formatter reads as the Windows-1252 of the model's texts.
QString FormataC(const char* formato, std::initializer_list<plat::ArgFormato> args) {
  return plat::FormataC(plat::ParaCp1252(QString::fromUtf8(formato)).c_str(), args);
}

class Escritor {
public:
  explicit Escritor(CLaudoView& v) : v_(v) {
    corpo_.setFontFamilies({QStringLiteral("Arial")});
    corpo_.setFontPointSize(10);
    corpo_.setFontWeight(QFont::Normal);
    corpo_.setFontItalic(false);
    corpo_.setFontUnderline(false);
    titulo_ = corpo_;
    titulo_.setFontWeight(QFont::Bold);
    titulo_.setFontUnderline(true);
    negrito_ = corpo_;
    negrito_.setFontWeight(QFont::Bold);
    simbolo_ = corpo_;
    simbolo_.setFontFamilies({QStringLiteral("Symbol")});
  }
  void Titulo(const QString& t) { v_.SubstituiSelecao(t, titulo_); }
  void Corpo(const QString& t) { v_.SubstituiSelecao(t, corpo_); }
  void Negrito(const QString& t) { v_.SubstituiSelecao(t, negrito_); }
  // The Greek sigma, in the Symbol face.
  void Sigma() { v_.SubstituiSelecao(QStringLiteral("σ"), simbolo_); }

  void Marcadores(bool sim) {
    FormatoParagrafo f;
    f.mascara = FormatoParagrafo::Numeracao;
    f.marcador = sim;
    v_.AplicaFormatoParagrafo(f);
  }
  void Tabs(std::vector<int> t) {
    FormatoParagrafo f;
    f.mascara = FormatoParagrafo::Tabulacoes;
    f.tabs = std::move(t);
    v_.AplicaFormatoParagrafo(f);
  }
  void Recuo(int inicio, int deslocamento) {
    FormatoParagrafo f;
    f.mascara = FormatoParagrafo::Inicio | FormatoParagrafo::Deslocamento;
    f.inicio = inicio;
    f.deslocamento = deslocamento;
    v_.AplicaFormatoParagrafo(f);
  }
  void Alinha(Qt::Alignment a) {
    FormatoParagrafo f;
    f.mascara = FormatoParagrafo::Alinhamento;
    f.alinhamento = a;
    v_.AplicaFormatoParagrafo(f);
  }

private:
  CLaudoView& v_;
  QTextCharFormat corpo_, titulo_, negrito_, simbolo_;
};

QString Rotulo(int codigo, double expoente) {
  static const char* const nomes[] = {"x", "1/x", "ln(x)", "x²", "x½", "1/x²", "1/x½"};
  if (codigo < 1) return QStringLiteral("x^") + FormataC("%3.2f", {expoente});
  return codigo <= 7 ? QString::fromUtf8(nomes[codigo - 1]) : QString();
}

// The left side of the equation by the dependent's code (a power shows its exponent).
QString LadoEsquerdo(int codigo, const QString& nome, double expoente) {
  switch (codigo) {
    case 0: return FormataC("%s ^%3.2f = ", {nome, expoente});
    case 1: return FormataC("%s = ", {nome});
    case 2: return FormataC("1/%s = ", {nome});
    case 3: return FormataC("ln (%s) = ", {nome});
    case 4: return FormataC("%s² = ", {nome});
    case 5: return FormataC("%s½ = ", {nome});
    case 6: return FormataC("1/%s² = ", {nome});
    case 7: return FormataC("1/%s½ = ", {nome});
    default: return QString();
  }
}

using FuncaoCorrelacoes = int (*)(const char*, double*, double*);
}  // namespace

bool EscreveResultados(CLaudoView& vista, CTarsolinDoc& modelo) {
  const C& c = *modelo.GetCabecalho();
  const int e = std::clamp(c.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  const int n = c.NumVariaveis();
  const int dep = c.Dependente();
  int k = 0;
  for (int v = 0; v < n; ++v)
    if (c.Habilitada(v)) ++k;
  Escritor w(vista);
  w.Alinha(Qt::AlignLeft);

  // 1-2: the model and its reference date.
  w.Titulo(QStringLiteral("\r\n\r\n\r\n\r\nModelo:\r\n\r\n"));
  w.Corpo(FormataC("%s\r\n\n\n", {c.Texto(C::OffNome, C::TamNome)}));
  w.Titulo(QStringLiteral("Data de Referência:\r\n\n"));
  const std::string data = c.Texto(C::OffData, C::TamData).toStdString();
  auto numero = [&data](std::size_t i) { return i < data.size() ? std::atoi(data.c_str() + i) : 0; };
  const QDate referencia(numero(6), numero(3), numero(0));
  w.Corpo(FormataC("%s\r\n", {QLocale().toString(referencia, QLocale::LongFormat)}));

  // 3: counts.
  w.Titulo(QStringLiteral("\r\n\r\nInformações Complementares:\r\n\r\n"));
  w.Marcadores(true);
  w.Corpo(FormataC("Número de variáveis: %2d\r\n", {n}));
  w.Corpo(FormataC("Número de variáveis consideradas: %2d\r\n", {k}));
  w.Corpo(FormataC("Número de dados: %4d\r\n", {c.NumDados()}));
  w.Corpo(FormataC("Número de dados considerados: %4d\r\n", {c.NumConsiderados()}));
  w.Marcadores(false);

  // 4: statistics of the equation.
  w.Titulo(QStringLiteral("\r\n\r\nResultados Estatísticos:\r\n\r\n"));
  w.Marcadores(true);
  w.Tabs({283, 2834});
  const double r = c.F64(C::OffCorrelacao + 8 * std::size_t(e));
  const double rOriginal = c.F64(C::OffCorrelacao + 8 * std::size_t(e + 100));
  const double confianca = ConfiancaSnedecor(c, true);
  w.Corpo(FormataC("\tCoeficiente de Correlação:\t%8.7f / %8.7f\r\n", {r, rOriginal}));
  w.Corpo(FormataC("\tCoeficiente Determinação:\t%8.7f\r\n", {r * r}));
  w.Corpo(FormataC("\tFisher-Snedecor:\t%-9.2f\r\n", {c.F64(C::OffF + 8 * std::size_t(e))}));
  w.Corpo(FormataC("\tConfiabilidade Mínima:\t%3.2f\r\n", {confianca}));
  w.Corpo(FormataC("\tSignificância:\t%3.2f\r\n", {1.0 - confianca}));
  w.Marcadores(false);
  w.Tabs({});

  // 5: Durbin-Watson, when it was computed.
  const double dw = c.F64VE(C::OffEstatisticasEquacao, n, e);
  if (dw >= 0) {
    const char* veredito = "";
    const char* nivel = "";
    VerificaDurbinWatson(c, &veredito, &nivel);
    const int ordem = c.I32(C::OffVariavelDurbinWatson);
    const QString nomeOrdem = ordem >= 0 && ordem < C::MaxVariaveis ? c.NomeVariavel(ordem) : QString();
    w.Titulo(QStringLiteral("\r\n\r\nDurbin-Watson:\r\n"));
    w.Corpo(FormataC("\r\n%#-7.2f - %s\r\n%s %s\r\n\r\n", {dw, nomeOrdem, veredito, nivel}));
  }

  // 6: normality of the residuals.
  w.Titulo(QStringLiteral("\r\nNormalidade dos resíduos:\r\n\r\n"));
  w.Marcadores(true);
  w.Corpo(FormataC(" %3.2d%% dos residuos situados entre -1 e + 1 ", {c.I32(C::OffPercentual1 + 4 * std::size_t(e))}));
  w.Sigma();
  w.Corpo(FormataC("\r\n %3.2d%% dos resíduos situados entre -1,64 e + 1,64 ",
                   {c.I32(C::OffPercentual164 + 4 * std::size_t(e))}));
  w.Sigma();
  w.Corpo(FormataC("\r\n %3.2d%% dos resíduos situados entre -1,96 e + 1,96 ",
                   {c.I32(C::OffPercentual196 + 4 * std::size_t(e))}));
  w.Sigma();
  w.Corpo(QStringLiteral("\r\n"));
  w.Marcadores(false);

  // 7: outliers.
  w.Negrito(FormataC("\r\n\r\nOutliers do Modelo: %-4.1d\r\n", {c.I32(C::OffForaDe2 + 4 * std::size_t(e))}));

  // 8: the regressors.
  w.Tabs({3401, 4535, 6236});
  w.Negrito(QStringLiteral("\r\n\r\nRegressores\tEquação\tT-Observado\tSig.\r\n\r\n"));
  w.Marcadores(true);
  for (int v = 0; v < n; ++v) {
    if (v == dep || !c.Habilitada(v)) continue;
    w.Corpo(FormataC("%s\t%s\t%8.2f\t%5.2f\r\n",
                     {c.NomeVariavel(v), Rotulo(c.Transformacao(v, e), c.Expoente(v, e)),
                      c.F64VE(C::OffEstatisticaT, v, e), 100.0 - c.F64VE(C::OffSignificancias, v, e)}));
  }
  w.Marcadores(false);
  w.Tabs({});

  // 9: the regression equation, its lines hanging under the right-hand side.
  w.Titulo(QStringLiteral("\r\n\r\nEquação de Regressão:\r\n\r\n"));
  const bool temDep = dep >= 0 && dep < n;
  const int codigoDep = temDep ? c.Transformacao(dep, e) : -1;
  const QString esquerda = temDep ? LadoEsquerdo(codigoDep, c.NomeVariavel(dep), c.Expoente(dep, e)) : QString();
  QFont arial(QStringLiteral("Arial"));
  arial.setPointSizeF(10);
  const QFontMetricsF fm(arial, vista.viewport());
  const int largura = int(std::lround(fm.horizontalAdvance(esquerda) * 1440.0 / vista.viewport()->logicalDpiX()));
  w.Recuo(0, largura);
  QString equacao = esquerda;
  equacao += FormataC("%-+1.10G", {temDep ? c.F64VE(C::OffCoeficientes, dep, e) : 0.0});
  for (int v = 0; v < n; ++v) {
    if (v == dep || !c.Habilitada(v)) continue;
    const int codigo = c.Transformacao(v, e);
    equacao += FormataC(" %-+ 1.10G", {c.F64VE(C::OffCoeficientes, v, e)});
    switch (codigo) {
      case 2: case 6: case 7: equacao += QStringLiteral(" / "); break;
      case 3: equacao += QStringLiteral(" * ln ("); break;
      case 0: case 1: case 4: case 5: equacao += QStringLiteral(" * "); break;
      default: break;
    }
    equacao += c.NomeVariavel(v);
    switch (codigo) {
      case 0: equacao += FormataC("^%3.2f", {c.Expoente(v, e)}); break;
      case 3: equacao += QStringLiteral(")"); break;
      case 4: case 6: equacao += QStringLiteral("²"); break;
      case 5: case 7: equacao += QStringLiteral("½"); break;
      default: break;
    }
  }
  w.Corpo(equacao + QStringLiteral("\r\n"));

  // 10: correlations between the enabled variables.
  w.Tabs({3401, 5102});
  w.Recuo(0, 0);
  w.Titulo(QStringLiteral("\r\n\r\nCorrelações entre variáveis\tIsoladas\tInfluência\r\n\r\n"));
  std::vector<double> isoladas(3600, 0.0), influencia(3600, 0.0);
  int resultado = 0;
  const QByteArray caminho = modelo.GetPathName().toLocal8Bit();
  const QString biblioteca = drivers::Modulos().mirsalto;
  const plat::EstadoModulo estado = plat::ChamaModulo(biblioteca, 1, [&](void* f) {
    resultado = reinterpret_cast<FuncaoCorrelacoes>(f)(caminho.constData(), isoladas.data(), influencia.data());
  });
  if (estado == plat::EstadoModulo::NaoCarregado) {
    plat::MessageBox(plat::Texto(3034).arg(biblioteca), QString(), plat::MB_ICONEXCLAMATION);
    return false;
  }
  if (estado == plat::EstadoModulo::SemOrdinal) {
    plat::MessageBox(QStringLiteral("Não foi possível calcular as correlações!"), QString(), plat::MB_ICONEXCLAMATION);
    return false;
  }
  // A library that found nothing to correlate leaves the section empty rather than listing zeros.
  if (!resultado) return false;
  auto compacto = std::make_unique<C>();
  CompactaCabecalho(compacto.get(), c);
  for (int a = 0; a <= k - 2; ++a) {
    for (int b = a; b <= k - 1; ++b) {
      if (b == a) {
        w.Marcadores(true);
        w.Recuo(0, 283);
        w.Corpo(FormataC("%s\r\n", {compacto->NomeVariavel(a)}));
      } else {
        w.Marcadores(false);
        w.Recuo(283, 0);
        w.Corpo(FormataC("%s\t%4.2f\t%4.2f\r\n",
                         {compacto->NomeVariavel(b), isoladas[std::size_t(60 * a + b)], influencia[std::size_t(60 * a + b)]}));
      }
    }
    w.Marcadores(false);
    w.Recuo(0, 0);
    w.Corpo(QStringLiteral("\r\n"));
  }
  return true;
}
