#include "FileTypeEntry.h"

#include "platform/TabelaTextos.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstring>

namespace {

QString conversorWord = QStringLiteral("MSWD6_32.WPC");   // the program folder is put in front at start-up
QString conversorWrite = QStringLiteral("WRITE32.WPC");
bool conversoresVerificados = false;

std::array<FileTypeEntry, tipos::NumTipos> TabelaInicial() {
  return {{
      {0, 3093, true, false, false, {}},
      {1, 3094, true, false, false, {}},
      {2, 3095, true, false, false, {}},
      {3, 3119, false, false, false, {}},
      {4, 3120, false, false, true, conversorWord},
      {5, 3120, false, true, false, conversorWord},
      {6, 3127, false, false, false, conversorWrite},
      // Reports written here are read back: the report document opens what it saves.
      {7, 3082, true, true, false, {}},
      {8, 3100, true, true, false, {}},
      {9, 3073, false, true, false, {}},
      {10, 3001, false, false, false, {}},
      {11, 3038, false, false, false, {}},
      {12, 0, false, false, false, {}},
  }};
}

std::array<FileTypeEntry, tipos::NumTipos>& Tabela() {
  static std::array<FileTypeEntry, tipos::NumTipos> t = TabelaInicial();
  return t;
}

bool Comeca(const QByteArray& b, const char* prefixo, int n) {
  return b.size() >= n && std::memcmp(b.constData(), prefixo, std::size_t(n)) == 0;
}

}  // namespace

QString FileTypeEntry::Parte(int indice) const {
  if (stringId == 0) return {};
  const QStringList partes = plat::Texto(int(stringId)).split(QLatin1Char('\n'));
  return indice >= 0 && indice < partes.size() ? partes[indice] : QString();
}

const FileTypeEntry& FileType(int tipo) {
  static const FileTypeEntry vazio{-1, 0, false, false, false, {}};
  if (tipo < 0 || tipo >= tipos::NumTipos) return vazio;
  return Tabela()[std::size_t(tipo)];
}

void DefineCaminhosConversores(const QString& pastaPrograma) {
  conversorWord = pastaPrograma + QStringLiteral("/MSWD6_32.WPC");
  conversorWrite = pastaPrograma + QStringLiteral("/WRITE32.WPC");
  RestauraTabelaTipos();
}

void RestauraTabelaTipos() {
  Tabela() = TabelaInicial();
  conversoresVerificados = false;
}

void CheckConverterFiles() {
  if (conversoresVerificados) return;
  for (FileTypeEntry& e : Tabela())
    if (!e.converter.isEmpty() && !ConverterAcceptsFile(e.converter, QString())) {
      e.readable = false;
      e.writable = false;
    }
  conversoresVerificados = true;
}

QString FileTypeExtension(int tipo) {
  CheckConverterFiles();
  const QString padrao = FileType(tipo).Parte(2);
  return padrao.isEmpty() ? QString() : padrao.mid(1);
}

namespace {
bool Oferecido(const FileTypeEntry& e, bool abrir) { return !e.duplicate && (abrir ? e.readable : e.writable); }
}  // namespace

int FileTypeAtFilterPos(int posicao, bool abrir) {
  CheckConverterFiles();
  int n = 0;
  for (const FileTypeEntry& e : Tabela())
    if (Oferecido(e, abrir) && n++ == posicao) return e.type;
  return -1;
}

int FilterPosOfFileType(int tipo, bool abrir) {
  CheckConverterFiles();
  int n = 0;
  for (const FileTypeEntry& e : Tabela()) {
    if (!Oferecido(e, abrir)) continue;
    if (e.type == tipo) return n;
    ++n;
  }
  return -1;
}

QStringList BuildFileTypeFilter(bool abrir) {
  CheckConverterFiles();
  QStringList r;
  for (const FileTypeEntry& e : Tabela()) {
    if (!Oferecido(e, abrir)) continue;
    // The open description already names its pattern; Qt reads the pattern in parentheses.
    r << (abrir ? e.Parte(1) : e.Parte(0) + QStringLiteral(" (") + e.Parte(2) + QLatin1Char(')'));
  }
  return r;
}

int TipoPeloNome(const QString& nome, int tipoFiltro) {
  CheckConverterFiles();
  const QString sufixo = QFileInfo(nome).suffix();
  if (sufixo.isEmpty()) return tipoFiltro;
  auto tem = [&sufixo](int tipo) {
    return FileTypeExtension(tipo).compare(QLatin1Char('.') + sufixo, Qt::CaseInsensitive) == 0;
  };
  if (tem(tipoFiltro)) return tipoFiltro;
  for (const FileTypeEntry& e : Tabela())
    if (Oferecido(e, false) && tem(e.type)) return e.type;
  return tipoFiltro;
}

bool ConverterAcceptsFile(const QString& conversor, const QString&) {
  // The converters are 32-bit Windows libraries: none can be loaded here.
  Q_UNUSED(conversor);
  return false;
}

int DetectFileType(const QString& caminho, int* erro) {
  CheckConverterFiles();
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) {
    if (erro) *erro = QFileInfo::exists(caminho) ? EACCES : ENOENT;
    return -1;
  }
  if (erro) *erro = 0;
  if (f.size() == 0) {
    // An empty file is named by its extension.
    const QString fim = caminho.right(4);
    if (fim.startsWith(QLatin1Char('.'))) {
      if (fim.compare(QStringLiteral(".doc"), Qt::CaseInsensitive) == 0) return tipos::Word6Gravavel;
      if (fim.compare(QStringLiteral(".rtf"), Qt::CaseInsensitive) == 0) return tipos::Rtf;
    }
    return tipos::Texto;
  }
  const QByteArray b = f.read(8);
  if (Comeca(b, "{\\rtf", 5)) return tipos::Rtf;
  if (Comeca(b, "\xDB\xA5\x2D\x00", 4)) return tipos::Word2;
  if (Comeca(b, "MZ", 2)) return tipos::Executavel;
  if (Comeca(b, "\x31\xBE", 2) || Comeca(b, "\x32\xBE", 2)) {
    f.close();
    return ConverterAcceptsFile(FileType(tipos::Write).converter, caminho) ? tipos::Write : tipos::Texto;
  }
  if (Comeca(b, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
    f.close();
    // Telling Word 6 files from other compound files needs the converter.
    return ConverterAcceptsFile(FileType(tipos::Word6).converter, caminho) ? tipos::Word6 : tipos::Texto;
  }
  return tipos::Texto;
}
