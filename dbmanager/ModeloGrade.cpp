#include "dbmanager/ModeloGrade.h"

namespace brenk {

ModeloGrade::ModeloGrade(const QList<ColunaResultado>& colunas, QObject* parent)
    : QAbstractTableModel(parent), colunas_(colunas) {
  linhas_ << QStringList();
}

int ModeloGrade::rowCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : int(linhas_.size()); }
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

QString ModeloGrade::Celula(int linha, int coluna) const {
  if (linha == 0) return coluna < colunas_.size() ? colunas_[coluna].nome : QString();
  const int r = linha - 1;
  if (r < 0 || r >= linhas_.size() || coluna < 0 || coluna >= linhas_[r].size()) return QString();
  return linhas_[r][coluna];
}

void ModeloGrade::AcrescentaLinhas(const QList<QStringList>& linhas) {
  if (linhas.isEmpty()) return;
  if (vazia_) {
    vazia_ = false;
    beginResetModel();
    linhas_ = linhas;
    endResetModel();
    return;
  }
  beginInsertRows({}, int(linhas_.size()), int(linhas_.size() + linhas.size()) - 1);
  linhas_ += linhas;
  endInsertRows();
}

void ModeloGrade::DefineLinhas(int linhas) {
  const int dados = qMax(0, linhas - 1);
  if (dados < linhas_.size()) {
    beginRemoveRows({}, dados, int(linhas_.size()) - 1);
    linhas_.resize(dados);
    endRemoveRows();
  } else if (dados > linhas_.size()) {
    beginInsertRows({}, int(linhas_.size()), dados - 1);
    linhas_.resize(dados);
    endInsertRows();
  }
}

int ModeloGrade::LarguraTwips(const ColunaResultado& c) {
  int h = int(c.nome.size());
  if (c.binaria) h = qMax(h, 8);
  else if (c.tamanho >= h) h = qMin(c.tamanho, 50);
  return 110 * h + 550;
}

}  // namespace brenk
