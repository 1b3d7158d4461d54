#include "dbmanager/ModeloGrade.h"

#include "dbmanager/RotinasBrenk.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

namespace brenk {

namespace {
// The view hears of new rows at most this often while they arrive.
constexpr int kIntervaloAvisoMs = 250;
}  // namespace

ModeloGrade::ModeloGrade(const QList<ColunaResultado>& colunas, QObject* parent)
    : QAbstractTableModel(parent), colunas_(colunas) {
  aviso_ = new QTimer(this);
  aviso_->setSingleShot(true);
  aviso_->setInterval(kIntervaloAvisoMs);
  connect(aviso_, &QTimer::timeout, this, &ModeloGrade::Publica);
}

int ModeloGrade::rowCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : publicadas_; }
int ModeloGrade::columnCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : int(colunas_.size()); }

QVariant ModeloGrade::data(const QModelIndex& i, int papel) const {
  if (!i.isValid() || (papel != Qt::DisplayRole && papel != Qt::AccessibleTextRole)) return QVariant();
  return Celula(i.row() + 1, i.column());
}

QVariant ModeloGrade::headerData(int secao, Qt::Orientation o, int papel) const {
  if (papel != Qt::DisplayRole && papel != Qt::AccessibleTextRole) return QVariant();
  if (o == Qt::Horizontal) return secao < colunas_.size() ? colunas_[secao].nome : QVariant();
  return secao + 1;
}

const ValoresColuna* ModeloGrade::Localiza(int linha, int coluna, std::size_t& i) const {
  if (linha < 1 || coluna < 0 || coluna >= colunas_.size()) return nullptr;
  const std::size_t r = std::size_t(linha - 1);
  if (r >= linhas_ || r >= guardadas_) return nullptr;
  const std::size_t b = std::size_t(std::upper_bound(inicios_.begin(), inicios_.end(), r) - inicios_.begin()) - 1;
  const BlocoResultado& bloco = *blocos_[b];
  i = r - inicios_[b];
  if (std::size_t(coluna) >= bloco.colunas.size() || i >= bloco.colunas[std::size_t(coluna)].Tamanho()) return nullptr;
  return &bloco.colunas[std::size_t(coluna)];
}

QString ModeloGrade::Celula(int linha, int coluna) const {
  if (linha == 0) return coluna >= 0 && coluna < colunas_.size() ? colunas_[coluna].nome : QString();
  std::size_t i = 0;
  const ValoresColuna* v = Localiza(linha, coluna, i);
  return v ? v->TextoCelula(i) : QString();
}

bool ModeloGrade::Numero(int linha, int coluna, double& valor) const {
  valor = 0.0;
  std::size_t r = 0;
  const ValoresColuna* v = Localiza(linha, coluna, r);
  if (!v) return false;
  switch (v->Tipo(r)) {
    case TipoValor::Inteiro: valor = double(v->Inteiro(r)); return true;
    case TipoValor::Real:
      if (!std::isfinite(v->Real(r))) return false;  // not a number, infinities
      valor = v->Real(r);
      return true;
    // True and false as the grid shows them.
    case TipoValor::Logico: valor = v->Logico(r) ? -1.0 : 0.0; return true;
    case TipoValor::Texto: return ConverteCelulaNumero(v->Texto(r), valor);
    case TipoValor::Nulo:
    case TipoValor::Binario: return false;
  }
  return false;
}

void ModeloGrade::AcrescentaBloco(const BlocoPtr& bloco) {
  if (!bloco || bloco->linhas == 0) return;
  inicios_.push_back(guardadas_);
  blocos_.push_back(bloco);
  guardadas_ += bloco->linhas;
  linhas_ = guardadas_;
  if (vazia_) {
    // The first rows take the empty row's place at once.
    vazia_ = false;
    beginResetModel();
    publicadas_ = int(linhas_);
    endResetModel();
    return;
  }
  Agenda();
}

void ModeloGrade::AcrescentaLinhas(const QList<QStringList>& linhas) {
  auto b = std::make_shared<BlocoResultado>();
  b->linhas = std::size_t(linhas.size());
  b->colunas.resize(std::size_t(colunas_.size()));
  for (const QStringList& l : linhas)
    for (std::size_t c = 0; c < b->colunas.size(); ++c) b->colunas[c].AcrescentaTexto(l.value(int(c)));
  AcrescentaBloco(b);
  Publica();
}

void ModeloGrade::Agenda() {
  if (!aviso_->isActive()) aviso_->start();
}

void ModeloGrade::Publica() {
  aviso_->stop();
  const int total = int(linhas_);
  if (total > publicadas_) {
    beginInsertRows({}, publicadas_, total - 1);
    publicadas_ = total;
    endInsertRows();
  } else if (total < publicadas_) {
    beginRemoveRows({}, total, publicadas_ - 1);
    publicadas_ = total;
    endRemoveRows();
  }
}

void ModeloGrade::DefineLinhas(int linhas) {
  linhas_ = std::size_t(qMax(0, linhas - 1));
  Publica();
}

int ModeloGrade::LarguraTwips(const ColunaResultado& c) {
  int h = int(c.nome.size());
  if (c.binaria) h = qMax(h, 8);
  else if (c.tamanho >= h) h = qMin(c.tamanho, 50);
  return 110 * h + 550;
}

}  // namespace brenk
