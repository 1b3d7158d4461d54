#pragma once
// What the variable displays share: their statistics list and their value
// grid, made and set up alike.
#include <QString>
#include <initializer_list>

class CTableCtrlEx;
class CTarsolinDoc;
class QTreeWidget;
class QWidget;

// A report-style list with whole-row selection; columns keep their widths.
QTreeWidget* CriaListaVariaveis(QWidget* pai, int id, const QString& nome);
// A borderless grid of id 1094 under `pai`.
CTableCtrlEx* CriaGradeVariaveis(QWidget* pai, int colunas);
// Rows, one fixed row and column in bold, whole-row selection, read only, a
// heading click sorts, printing at screen scale inside the model's furniture;
// the columns at the given widths.
void ConfiguraGradeVariaveis(CTableCtrlEx& g, CTarsolinDoc* doc, int linhas, std::initializer_list<int> larguras);
