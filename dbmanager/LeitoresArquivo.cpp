#include "dbmanager/LeitoresArquivo.h"

#include "dbmanager/DivisorLote.h"
#include "platform/Cp1252.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <freexl.h>
#include <shapefil.h>

namespace brenk {

namespace {

// Column names a table can take: empty ones become F1, F2..., repeated ones get a number.
QStringList NomesColunas(const QStringList& cabecalho) {
  QStringList nomes;
  QSet<QString> vistos;
  for (int i = 0; i < cabecalho.size(); ++i) {
    QString n = cabecalho[i].trimmed();
    if (n.isEmpty()) n = QStringLiteral("F%1").arg(i + 1);
    QString unico = n;
    for (int k = 1; vistos.contains(unico.toLower()); ++k) unico = n + QString::number(k);
    vistos.insert(unico.toLower());
    nomes << unico;
  }
  return nomes;
}

QVariant ValorCelula(const FreeXL_CellValue& v) {
  switch (v.type) {
    case FREEXL_CELL_INT: return QVariant(qlonglong(v.value.int_value));
    case FREEXL_CELL_DOUBLE: return QVariant(v.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      return QString::fromUtf8(v.value.text_value);
    default: return QVariant();
  }
}

QString TextoErroExcel(int codigo, const QString& arquivo) {
  return QStringLiteral("Não foi possível ler a planilha %1 (FreeXL %2).").arg(arquivo).arg(codigo);
}

}  // namespace

bool LeExcel(const QString& arquivo, DestinoTabelas& destino, QString& erro) {
  const void* h = nullptr;
  int r = freexl_open(QFile::encodeName(arquivo).constData(), &h);
  if (r != FREEXL_OK) {
    if (h) freexl_close(h);
    erro = TextoErroExcel(r, arquivo);
    return false;
  }
  unsigned int folhas = 0;
  bool ok = freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &folhas) == FREEXL_OK;
  for (unsigned short f = 0; ok && f < folhas; ++f) {
    const char* nome = nullptr;
    unsigned int linhas = 0;
    unsigned short colunas = 0;
    if (freexl_get_worksheet_name(h, f, &nome) != FREEXL_OK || freexl_select_active_worksheet(h, f) != FREEXL_OK ||
        freexl_worksheet_dimensions(h, &linhas, &colunas) != FREEXL_OK) {
      erro = TextoErroExcel(-1, arquivo);
      ok = false;
      break;
    }
    QStringList cabecalho;
    for (unsigned short c = 0; c < colunas; ++c) {
      FreeXL_CellValue v;
      cabecalho << (linhas > 0 && freexl_get_cell_value(h, 0, c, &v) == FREEXL_OK ? ValorCelula(v).toString()
                                                                                    : QString());
    }
    const QString tabela = QString::fromUtf8(nome) + QLatin1Char('$');
    if (!destino.CriaTabela(tabela, NomesColunas(cabecalho), QStringList())) {
      erro = destino.Erro();
      ok = false;
      break;
    }
    for (unsigned int l = 1; ok && l < linhas; ++l) {
      QVariantList valores;
      for (unsigned short c = 0; c < colunas; ++c) {
        FreeXL_CellValue v;
        valores << (freexl_get_cell_value(h, l, c, &v) == FREEXL_OK ? ValorCelula(v) : QVariant());
      }
      if (!destino.InsereLinha(valores)) {
        erro = destino.Erro();
        ok = false;
      }
    }
  }
  freexl_close(h);
  return ok;
}

bool LeDbase(const QString& pasta, DestinoTabelas& destino, QString& erro) {
  const QDir dir(pasta);
  if (!dir.exists()) {
    erro = QStringLiteral("'%1' não é um caminho válido.").arg(pasta);
    return false;
  }
  const QFileInfoList arquivos = dir.entryInfoList({QStringLiteral("*.dbf"), QStringLiteral("*.DBF")},
                                                   QDir::Files, QDir::Name | QDir::IgnoreCase);
  QSet<QString> tabelas;
  for (const QFileInfo& fi : arquivos) {
    const QString tabela = fi.completeBaseName();
    if (tabelas.contains(tabela.toLower())) continue;  // the same table in two letter cases
    tabelas.insert(tabela.toLower());
    DBFHandle h = DBFOpen(QFile::encodeName(fi.absoluteFilePath()).constData(), "rb");
    if (!h) {
      erro = QStringLiteral("Não foi possível ler a tabela %1.").arg(fi.absoluteFilePath());
      return false;
    }
    const QString pagina = QString::fromLatin1(DBFGetCodePage(h));
    const bool utf8 = pagina.contains(QLatin1String("UTF"), Qt::CaseInsensitive) || pagina == QLatin1String("65001");
    auto texto = [utf8](const char* s) {
      return utf8 ? QString::fromUtf8(s) : plat::LeCp1252(std::string(s ? s : ""));
    };
    const int nCampos = DBFGetFieldCount(h);
    QStringList nomes, tipos;
    QList<DBFFieldType> tiposCampo;
    for (int i = 0; i < nCampos; ++i) {
      char nome[XBASE_FLDNAME_LEN_READ + 1] = {};
      int largura = 0, decimais = 0;
      const DBFFieldType t = DBFGetFieldInfo(h, i, nome, &largura, &decimais);
      nomes << texto(nome);
      tiposCampo << t;
      tipos << (t == FTInteger ? QStringLiteral("INTEGER") : t == FTDouble ? QStringLiteral("REAL") : QStringLiteral("TEXT"));
    }
    bool ok = destino.CriaTabela(tabela, NomesColunas(nomes), tipos);
    const int nRegistros = DBFGetRecordCount(h);
    for (int r = 0; ok && r < nRegistros; ++r) {
      if (DBFIsRecordDeleted(h, r)) continue;
      QVariantList valores;
      for (int i = 0; i < nCampos; ++i) {
        if (DBFIsAttributeNULL(h, r, i)) { valores << QVariant(); continue; }
        switch (tiposCampo[i]) {
          case FTInteger: valores << QVariant(qlonglong(QByteArray(DBFReadStringAttribute(h, r, i)).trimmed().toLongLong())); break;
          case FTDouble: valores << QVariant(DBFReadDoubleAttribute(h, r, i)); break;
          case FTDate: {
            const QDate d = QDate::fromString(QString::fromLatin1(DBFReadStringAttribute(h, r, i)), QStringLiteral("yyyyMMdd"));
            valores << (d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant());
            break;
          }
          default: valores << texto(DBFReadStringAttribute(h, r, i)).trimmed(); break;
        }
      }
      ok = destino.InsereLinha(valores);
    }
    DBFClose(h);
    if (!ok) {
      erro = destino.Erro();
      return false;
    }
  }
  return true;
}

namespace {

// Runs one of the mdbtools and answers its standard output.
bool Mdb(const QString& programa, const QStringList& args, QByteArray& saida, QString& erro) {
  QProcess p;
  p.start(programa, args);
  if (!p.waitForStarted(10000)) {
    erro = QStringLiteral("O programa %1 (mdbtools) não foi encontrado.").arg(programa);
    return false;
  }
  p.closeWriteChannel();
  p.waitForFinished(-1);
  saida = p.readAllStandardOutput();
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    erro = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    if (erro.isEmpty()) erro = QStringLiteral("Não foi possível ler o banco de dados Access.");
    return false;
  }
  return true;
}

}  // namespace

bool LeAccess(const QString& arquivo, DestinoTabelas& destino, QString& erro) {
  if (!QFileInfo(arquivo).isFile()) {
    erro = QStringLiteral("Não foi possível encontrar o arquivo '%1'.").arg(arquivo);
    return false;
  }
  QByteArray saida;
  if (!Mdb(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), arquivo}, saida, erro)) return false;
  const QStringList tabelas = QString::fromUtf8(saida).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (const QString& tabela : tabelas) {
    QByteArray esquema, dados;
    if (!Mdb(QStringLiteral("mdb-schema"),
             {QStringLiteral("-T"), tabela, QStringLiteral("--no-drop-table"), QStringLiteral("--no-indexes"),
              QStringLiteral("--no-relations"), QStringLiteral("--no-comments"), arquivo, QStringLiteral("sqlite")},
             esquema, erro) ||
        !Mdb(QStringLiteral("mdb-export"),
             {QStringLiteral("-I"), QStringLiteral("sqlite"), QStringLiteral("-b"), QStringLiteral("strip"),
              QStringLiteral("-D"), QStringLiteral("%Y-%m-%d"), QStringLiteral("-T"),
              QStringLiteral("%Y-%m-%d %H:%M:%S"), arquivo, tabela},
             dados, erro))
      return false;
    for (const QString& c : DivideLoteSqlite(QString::fromUtf8(esquema) + QLatin1Char('\n') + QString::fromUtf8(dados)))
      if (!destino.ExecutaSql(c)) {
        erro = destino.Erro();
        return false;
      }
  }
  return true;
}

}  // namespace brenk
