#include "CColorGrafico.h"

#include "CTChart.h"
#include "SeletorCor.h"

#include "app/EstiloGrafico.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kSeletores[] = {1016, 1021, 1017, 1018, 1019, 1022};
constexpr int kMarcas[] = {1030, 1032, 1031};
// The sample's ten values: a fixed walk, the same every time.
constexpr double kAmostra[] = {42, 55, 49, 63, 71, 58, 66, 80, 74, 88};
}  // namespace

const char* const CColorGrafico::NomesTipos[NumTipos] = {
    "Função Estimativa",       "Equação de Regressão",      "Variaveis - Direta",
    "Variaveis - Transformada", "Resíduos - Calculados",    "Resíduos - Observados",
    "Correlações Isoladas",    "Correlações Influência",    "Valores Observados x Calculados",
    "Distribuição de Frequencia", "Projeção - Valor total", "Projeção - Valor Unitário",
    "Variáveis"};

CColorGrafico::CColorGrafico(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg509"));
  setWindowTitle(QStringLiteral("Personalizar Gráficos"));
  titulo_ = QStringLiteral("Título do Gráfico");

  tipos_ = new QTreeWidget(this);
  tipos_->setObjectName(QStringLiteral("1132"));
  tipos_->setAccessibleName(QStringLiteral("Gráficos"));
  tipos_->setHeaderHidden(true);
  tipos_->setRootIsDecorated(false);
  tipos_->setMinimumWidth(220);
  legenda_ = new QLabel(QStringLiteral("Gráfico de exemplo"), this);
  legenda_->setObjectName(QStringLiteral("1024"));
  legenda_->setAlignment(Qt::AlignCenter);
  legenda_->setFrameShape(QFrame::Box);
  legenda_->setLineWidth(1);
  amostra_ = new CTChart(this);
  amostra_->setObjectName(QStringLiteral("1120"));
  amostra_->setMinimumSize(320, 220);

  const char* const rotulos[] = {"Cor inicial", "Cor meio", "Cor final", "Pontos", "Linhas", "Título do Gráfico"};
  QLabel* etiquetas[6];
  for (int i = 0; i < 6; ++i) {
    seletores_[i] = new SeletorCor(this);
    seletores_[i]->setObjectName(QString::number(kSeletores[i]));
    seletores_[i]->setAccessibleName(QString::fromUtf8(rotulos[i]));
    etiquetas[i] = new QLabel(QString::fromUtf8(rotulos[i]), this);
    etiquetas[i]->setBuddy(seletores_[i]);
    const int controle = kSeletores[i];
    connect(seletores_[i], &SeletorCor::corEscolhida, this, [this, controle](int32_t cor) { MudouCor(controle, cor); });
  }
  const char* const textosMarcas[] = {"Impressão tons de cinza", "3D", "Ativar"};
  for (int i = 0; i < 3; ++i) {
    marcas_[i] = new QCheckBox(QString::fromUtf8(textosMarcas[i]), this);
    marcas_[i]->setObjectName(QString::number(kMarcas[i]));
    const int controle = kMarcas[i];
    // Only the user's clicks write the table; showing a record sets the boxes silently.
    connect(marcas_[i], &QCheckBox::clicked, this, [this, controle](bool m) { MudouMarca(controle, m); });
  }

  auto* gradiente = new QGroupBox(QStringLiteral("Gradiente"), this);
  auto* gg = new QGridLayout(gradiente);
  for (int i = 0; i < 3; ++i) {
    gg->addWidget(etiquetas[i], i, 0);
    gg->addWidget(seletores_[i], i, 1);
  }
  gg->addWidget(marcas_[2], 3, 0, 1, 2);
  gg->addWidget(marcas_[0], 4, 0, 1, 2);
  auto* outros = new QGridLayout;
  outros->addWidget(etiquetas[5], 0, 0);
  outros->addWidget(seletores_[5], 0, 1);
  outros->addWidget(etiquetas[3], 1, 0);
  outros->addWidget(seletores_[3], 1, 1);
  outros->addWidget(etiquetas[4], 2, 0);
  outros->addWidget(seletores_[4], 2, 1);
  outros->addWidget(marcas_[1], 3, 0, 1, 2);

  auto* aplicar = new QPushButton(QStringLiteral("Aplicar"), this);
  aplicar->setObjectName(QStringLiteral("1"));
  aplicar->setDefault(true);
  auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  cancelar->setObjectName(QStringLiteral("2"));
  connect(aplicar, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

  auto* direita = new QVBoxLayout;
  direita->addWidget(legenda_);
  direita->addWidget(amostra_, 1);
  auto* controles = new QHBoxLayout;
  controles->addWidget(gradiente);
  controles->addLayout(outros);
  direita->addLayout(controles);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(aplicar);
  botoes->addWidget(cancelar);
  direita->addLayout(botoes);
  auto* l = new QHBoxLayout(this);
  l->addWidget(tipos_);
  l->addLayout(direita, 1);

  for (int k = 0; k < NumTipos; ++k) {
    itens_[k] = new QTreeWidgetItem(tipos_, QStringList{QString::fromUtf8(NomesTipos[k])});
  }
  connect(tipos_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { SelecionouTipo(item); });
  atual_ = 0;
  tipos_->setCurrentItem(itens_[0]);
}

void CColorGrafico::MontaTitulo() {
  amostra_->LimpaTitulo();
  amostra_->AdicionaLinhaTitulo(titulo_);
  amostra_->DefineFonteTitulo(true, 8);
  amostra_->DefineCorTitulo(EstilosGraficos[atual_].corTitulo);
}

void CColorGrafico::SelecionouTipo(QTreeWidgetItem* item) {
  int k = -1;
  for (int i = 0; i < NumTipos; ++i)
    if (itens_[i] == item) k = i;
  if (k < 0) return;
  atual_ = k;
  const EstiloGrafico& r = EstilosGraficos[k];
  amostra_->DefineRepinturaAutomatica(false);
  amostra_->RemoveSeries();
  MontaTitulo();
  const int s = amostra_->AdicionaSerie(CTChart::SerieLinhaRapida);
  amostra_->DefineLarguraLinha(s, 2);
  amostra_->DefineCorSerie(s, r.corLinhas);
  for (int i = 0; i < 10; ++i) amostra_->AdicionaPonto(s, i, kAmostra[i]);
  amostra_->AplicaEstilo(r);
  const int32_t cores[] = {r.corInicial, r.corMeio, r.corFinal, r.corPontos, r.corLinhas, r.corTitulo};
  for (int i = 0; i < 6; ++i) seletores_[i]->DefineCor(cores[i]);
  marcas_[0]->setChecked(r.tonsCinza != 0);
  marcas_[1]->setChecked(r.tresD != 0);
  marcas_[2]->setChecked(r.gradiente != 0);
}

void CColorGrafico::MudouCor(int controle, int32_t cor) {
  EstiloGrafico& r = EstilosGraficos[atual_];
  switch (controle) {
    case 1016: r.corInicial = cor; amostra_->DefineCorInicialGradiente(cor); break;
    case 1021: r.corMeio = cor; amostra_->DefineCorMeioGradiente(cor); break;
    case 1017: r.corFinal = cor; amostra_->DefineCorFinalGradiente(cor); break;
    case 1022: r.corTitulo = cor; MontaTitulo(); break;
    // The sample's one series shows the points colour too, until another control resets it.
    case 1018: r.corPontos = cor; amostra_->DefineCorSerie(0, cor); break;
    case 1019: r.corLinhas = cor; amostra_->DefineCorSerie(0, cor); break;
    default: break;
  }
}

void CColorGrafico::MudouMarca(int controle, bool marcado) {
  EstiloGrafico& r = EstilosGraficos[atual_];
  switch (controle) {
    case 1032: r.tresD = marcado ? 1 : 0; amostra_->DefineTresD(marcado); break;
    case 1031: r.gradiente = marcado ? 1 : 0; amostra_->DefineGradienteVisivel(marcado); break;
    case 1030: r.tonsCinza = marcado ? 1 : 0; break;  // printing only: the sample stays as it is
    default: break;
  }
}
