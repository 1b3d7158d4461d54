#pragma once
// The recent-file list of the "Arquivo" menu: five entries, newest first,
// kept in the options under "Recent File List" ("File1" .. "File5").
#include <QStringList>

class QSettings;

class ListaArquivosRecentes {
public:
  static constexpr int Tamanho = 5;
  void Carrega(QSettings& s);
  void Grava(QSettings& s) const;
  // Moves `caminho` to the front (an existing entry is not repeated).
  void Adiciona(const QString& caminho);
  void Remove(int indice);
  const QStringList& Entradas() const { return entradas_; }

private:
  QStringList entradas_;
};
