#include "dbmanager/ExportacaoDelimitada.h"

#include "dbmanager/ModeloGrade.h"
#include "platform/Cp1252.h"

#include <QStringList>

namespace brenk {

QString DelimitadorDoNome(const QString& nome) {
  if (nome.contains(QLatin1String("Comma"))) return QStringLiteral(",");
  if (nome.contains(QLatin1String("Tab"))) return QStringLiteral("\t");
  if (nome.contains(QLatin1String("Pipe"))) return QStringLiteral("|");
  return QString();
}

QString CampoDelimitado(const QString& celula, const QString& delimitador) {
  const bool aspas = (!delimitador.isEmpty() && celula.contains(delimitador)) || celula.contains(QLatin1Char('"')) ||
                     celula.contains(QLatin1Char('\n')) || celula.contains(QLatin1Char('\r'));
  if (!aspas) return celula;
  QString t = celula;
  t.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + t + QLatin1Char('"');
}

namespace {

QString Linha(const ModeloGrade& g, int r, int c1, int c2, const QString& d) {
  QStringList campos;
  for (int c = c1; c <= c2; ++c) campos << CampoDelimitado(g.Celula(r, c), d);
  return campos.join(d);
}

QByteArray Bytes(const QString& t) { return QByteArray::fromStdString(plat::ParaCp1252(t)); }

}  // namespace

QByteArray TextoSelecao(const ModeloGrade& grade, const FaixaGrade& f, const QString& d) {
  QStringList linhas;
  for (int r = f.linha1; r <= f.linha2; ++r) linhas << Linha(grade, r, f.coluna1, f.coluna2, d);
  return Bytes(linhas.join(QStringLiteral("\r\n")));
}

QByteArray TextoGrades(const QList<const ModeloGrade*>& grades, const QString& d, bool nomes) {
  QString t;
  for (const ModeloGrade* g : grades) {
    for (int r = nomes ? 0 : 1; r < g->Linhas(); ++r) t += Linha(*g, r, 0, g->Colunas() - 1, d) + QStringLiteral("\r\n");
    t += QStringLiteral("\r\n");
  }
  return Bytes(t);
}

QString TextoCopia(const ModeloGrade& grade, const FaixaGrade& f) {
  QStringList linhas;
  for (int r = f.linha1; r <= f.linha2; ++r) {
    QStringList campos;
    for (int c = f.coluna1; c <= f.coluna2; ++c) campos << grade.Celula(r, c);
    linhas << campos.join(QLatin1Char('\t'));
  }
  return linhas.join(QLatin1Char('\n'));
}

}  // namespace brenk
