#include "ListaArquivosRecentes.h"

#include <QFileInfo>
#include <QSettings>

void ListaArquivosRecentes::Carrega(QSettings& s) {
  entradas_.clear();
  s.beginGroup("Recent File List");
  for (int i = 1; i <= Tamanho; ++i) {
    const QString c = s.value(QString("File%1").arg(i)).toString();
    if (!c.isEmpty()) entradas_ << c;
  }
  s.endGroup();
}

void ListaArquivosRecentes::Grava(QSettings& s) const {
  s.beginGroup("Recent File List");
  for (int i = 1; i <= Tamanho; ++i) {
    const QString chave = QString("File%1").arg(i);
    if (i <= entradas_.size()) s.setValue(chave, entradas_[i - 1]);
    else s.remove(chave);
  }
  s.endGroup();
}

void ListaArquivosRecentes::Adiciona(const QString& caminho) {
  const QString absoluto = QFileInfo(caminho).absoluteFilePath();
  entradas_.removeAll(absoluto);
  entradas_.prepend(absoluto);
  while (entradas_.size() > Tamanho) entradas_.removeLast();
}

void ListaArquivosRecentes::Remove(int indice) {
  if (indice >= 0 && indice < entradas_.size()) entradas_.removeAt(indice);
}
