// The grid's printing (pages laid out on the printer, heading rows and
// columns repeated on every page) and its delimited text files.
#include "CTableCtrl.h"

#include "COffscreenDC.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Cp1252.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

namespace {

int DpiTela() {
  const QScreen* t = QGuiApplication::primaryScreen();
  return t ? int(t->logicalDotsPerInchX()) : 96;
}

void ErroArquivo(const QString& arquivo, const QFile& f) {
  plat::MessageBox(QStringLiteral("Não foi possível abrir %1.\n%2").arg(arquivo, f.errorString()), QString(),
                   plat::MB_ICONEXCLAMATION);
}

}  // namespace

void CTableCtrl::SetPrintLayout(int cabecalho, int rodape, int esquerda, int direita, int superior, int inferior,
                                int espaco) {
  const int v[7] = {cabecalho, rodape, esquerda, direita, superior, inferior, espaco};
  for (int k = 0; k < 7; ++k)
    if (v[k] >= 0) layout_[k] = v[k];
}

void CTableCtrl::GetPrintLayout(int* valores) const {
  for (int k = 0; k < 7; ++k) valores[k] = layout_[k];
}

void CTableCtrl::PreparaFontePagina(QPainter* dc) {
  // Arial, 10 units high in the page's logical units; the 52 letters give the
  // character height and, divided by 52, the character width.
  imp_.fonte = QFont(QStringLiteral("Arial"));
  imp_.fonte.setPixelSize(10);
  imp_.fonte.setWeight(QFont::Normal);
  imp_.temFonte = true;
  const QFontMetrics fm(imp_.fonte, dc->device());
  const QString letras = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");
  imp_.alturaCaractere = fm.height();
  imp_.larguraCaractere = fm.horizontalAdvance(letras) / 52;
  imp_.impressora = QSize(dc->device()->width(), dc->device()->height());
  monocromatica_ = false;
  if (auto* p = dynamic_cast<QPrinter*>(dc->device())) monocromatica_ = p->colorMode() == QPrinter::GrayScale;
}

void CTableCtrl::ContaPaginas(int alturaCorpo, int larguraCorpo) {
  // The page walk, done once: the first row of every page row and the first
  // column of every column page.
  imp_.inicioPaginas.assign(1, nFixedRows_);
  int soma = 0;
  for (int r = nFixedRows_; r < nRows_; ++r) {
    const int h = HeightOfRow(r);
    if (soma + h > alturaCorpo && soma > 0) {
      imp_.inicioPaginas.push_back(r);
      soma = h;
    } else {
      soma += h;
    }
  }
  imp_.inicioColunas.assign(1, nFixedCols_);
  if (escalaTela_) {
    soma = 0;
    for (int c = nFixedCols_; c < nCols_; ++c) {
      const int w = WidthOfColumn(c);
      if (soma + w > larguraCorpo && soma > 0) {
        imp_.inicioColunas.push_back(c);
        soma = w;
      } else {
        soma += w;
      }
    }
  }
  imp_.paginasAcross = int(imp_.inicioColunas.size());
  paginas_ = int(imp_.inicioPaginas.size()) * imp_.paginasAcross;
}

void CTableCtrl::BeginPrinting(QPainter* dc, CPrintInfo* info) {
  if (!dc || !info || !dc->isActive()) return;
  PreparaFontePagina(dc);
  const int cw = imp_.larguraCaractere, ch = imp_.alturaCaractere;
  const int dpi = dc->device()->logicalDpiX(), dpiTela = DpiTela();
  if (escalaTela_) {
    imp_.pagina = QSize(imp_.impressora.width() * dpiTela / dpi * 3 / 4, imp_.impressora.height() * dpiTela / dpi * 3 / 4);
  } else {
    const int w = (layout_[2] + layout_[3]) * cw + GetVirtualWidth();
    imp_.pagina = QSize(w, int(int64_t(w) * imp_.impressora.height() / std::max(1, imp_.impressora.width())));
  }
  imp_.alturaCorpo = imp_.pagina.height() - (layout_[0] + layout_[1] + 2 * layout_[6]) * ch - GetFixedRowHeight();
  imp_.larguraCorpo = imp_.pagina.width() - GetFixedColumnWidth() - (layout_[2] + layout_[3]) * cw;
  ContaPaginas(imp_.alturaCorpo, imp_.larguraCorpo);
  info->SetMaxPage(paginas_);
  info->m_nCurPage = 1;
}

void CTableCtrl::EndPrinting(QPainter*, CPrintInfo*) { imp_.temFonte = false; }

void CTableCtrl::PrintRowBand(int primeiraCol, int fimCol, int row, QRect rect, QPainter* dc, bool primeira) {
  int x = rect.left();
  const int h = HeightOfRow(row);
  for (int c = primeiraCol; c < fimCol; ++c) {
    const int w = WidthOfColumn(c);
    if (x + w - rect.left() > rect.width()) break;
    if (w > 0 && h > 0) {
      const QRect cel(x, rect.top(), w, h);
      if (CTableCellBase* celula = CellAt(row, c)) celula->PrintCellContent(dc, row, c, cel);
      if (linhasGrade_ == 1 || linhasGrade_ == 3) {
        dc->drawLine(x - 1, cel.bottom(), cel.right(), cel.bottom());
        if (row == 0 || primeira) dc->drawLine(x - 1, cel.top() - 1, cel.right(), cel.top() - 1);
      }
      if (linhasGrade_ == 2 || linhasGrade_ == 3) {
        dc->drawLine(cel.right(), cel.top() - 1, cel.right(), cel.bottom());
        if (c == 0) dc->drawLine(x - 1, cel.top() - 1, x - 1, cel.bottom());
      }
    }
    x += w;
  }
}

void CTableCtrl::PrintHeadingRows(QPainter* dc, CPrintInfo*) {
  // The fixed rows: corner cells, then the page's columns.
  int y = -GetFixedRowHeight();
  for (int r = 0; r < nFixedRows_; ++r) {
    const int h = HeightOfRow(r);
    if (h > 0) {
      PrintRowBand(0, nFixedCols_, r, QRect(-GetFixedColumnWidth(), y, GetFixedColumnWidth(), h), dc, r == 0);
      PrintRowBand(imp_.primeiraColuna, nCols_, r, QRect(0, y, imp_.larguraCorpo, h), dc, r == 0);
    }
    y += h;
  }
}

void CTableCtrl::PrintHeadingColumns(QPainter* dc, CPrintInfo*) {
  int y = 0;
  for (int r = imp_.linhaAtual; r < nRows_; ++r) {
    const int h = HeightOfRow(r);
    if (y + h > imp_.alturaCorpo) break;
    if (h > 0) PrintRowBand(0, nFixedCols_, r, QRect(-GetFixedColumnWidth(), y, GetFixedColumnWidth(), h), dc, false);
    y += h;
  }
}

void CTableCtrl::PrintPageBody(QPainter* dc, int pagina) {
  const int across = std::max(1, imp_.paginasAcross);
  const int linhaPagina = (pagina + across - 1) / across;
  int colunaPagina = pagina % across;
  if (colunaPagina == 0) colunaPagina = across;
  imp_.linhaAtual = imp_.inicioPaginas[size_t(std::clamp(linhaPagina - 1, 0, int(imp_.inicioPaginas.size()) - 1))];
  imp_.primeiraColuna = imp_.inicioColunas[size_t(std::clamp(colunaPagina - 1, 0, int(imp_.inicioColunas.size()) - 1))];
  // The origin stands at the top-left of the body: fixed columns to its left,
  // fixed rows above it.
  dc->save();
  dc->translate(GetFixedColumnWidth(), GetFixedRowHeight());
  PrintHeadingColumns(dc, nullptr);
  PrintHeadingRows(dc, nullptr);
  int y = 0;
  for (int r = imp_.linhaAtual; r < nRows_; ++r) {
    const int h = HeightOfRow(r);
    if (y + h > imp_.alturaCorpo) break;
    if (h > 0) PrintRowBand(imp_.primeiraColuna, nCols_, r, QRect(0, y, imp_.larguraCorpo, h), dc, r == imp_.linhaAtual);
    y += h;
  }
  dc->restore();
}

void CTableCtrl::PrintPage(QPainter* dc, CPrintInfo* info) {
  if (!dc || !info || !dc->isActive() || !imp_.temFonte) return;
  const int cw = imp_.larguraCaractere, ch = imp_.alturaCaractere;
  dc->save();
  dc->setFont(imp_.fonte);
  dc->setPen(QPen(Qt::black, 0));
  dc->setWindow(QRect(-layout_[2] * cw, 0, imp_.pagina.width(), imp_.pagina.height()));
  dc->setViewport(QRect(QPoint(0, 0), imp_.impressora));
  PrintPageHeader(dc, info);
  dc->save();
  dc->translate(0, (layout_[0] + layout_[6]) * ch);
  PrintPageBody(dc, info->m_nCurPage);
  dc->restore();
  PrintPageFooter(dc, info);
  dc->restore();
}

void CTableCtrl::PrintPageHeader(QPainter* dc, CPrintInfo*) {
  const int cw = imp_.larguraCaractere, ch = imp_.alturaCaractere;
  const QRect r(0, 0, imp_.pagina.width() - (layout_[2] + layout_[3]) * cw, layout_[0] * ch);
  dc->save();
  QFont negrito = imp_.fonte;
  negrito.setBold(true);
  dc->setFont(negrito);
  dc->setPen(Qt::black);
  QString titulo;
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (!w->windowTitle().isEmpty()) { titulo = w->windowTitle(); break; }
  dc->drawText(r, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, titulo);
  dc->drawText(r, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, QGuiApplication::applicationDisplayName());
  dc->setPen(QPen(Qt::black, 0));
  dc->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  dc->restore();
}

void CTableCtrl::PrintPageFooter(QPainter* dc, CPrintInfo* info) {
  const int cw = imp_.larguraCaractere, ch = imp_.alturaCaractere;
  const int altura = layout_[1] * ch;
  const QRect r(0, imp_.pagina.height() - altura, imp_.pagina.width() - (layout_[2] + layout_[3]) * cw, altura);
  dc->save();
  dc->setPen(QPen(Qt::black, 0));
  dc->drawLine(r.left(), r.top(), r.right(), r.top());
  QFont negrito = imp_.fonte;
  negrito.setBold(true);
  dc->setFont(negrito);
  dc->setPen(Qt::black);
  dc->drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QStringLiteral("Page %1 of %2").arg(info ? info->m_nCurPage : 1).arg(paginas_));
  dc->drawText(r, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, DataHoraImpressao());
  dc->restore();
}

bool CTableCtrl::Print(QPrinter* impressora) {
  QPrinter propria;
  QPrinter* p = impressora;
  if (!p) {
    QPrintDialog dlg(&propria, this);
    dlg.setOption(QAbstractPrintDialog::PrintToFile, false);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dlg.exec() != QDialog::Accepted) return false;
    p = &propria;
  }
  QString nome = QGuiApplication::applicationDisplayName();
  for (QWidget* w = this; nome.isEmpty() && w; w = w->parentWidget()) nome = w->windowTitle();
  p->setDocName(nome);
  QPainter dc;
  if (!dc.begin(p)) return false;
  CPrintInfo info;
  BeginPrinting(&dc, &info);
  for (int pagina = info.GetMinPage(); pagina <= info.GetMaxPage() && info.m_bContinuePrinting; ++pagina) {
    if (pagina > info.GetMinPage()) p->newPage();
    info.m_nCurPage = pagina;
    PrintPage(&dc, &info);
  }
  EndPrinting(&dc, &info);
  return dc.end();
}

// ---------------------------------------------------------------- text files

bool CTableCtrl::SaveAsText(const QString& arquivo, QChar delimitador) {
  // Through the safe writer: a failed write leaves the old file as it was.
  plat::GravacaoSegura f(arquivo);
  if (!f.Aberta()) {
    plat::MessageBox(QStringLiteral("Não foi possível abrir %1.\n%2").arg(arquivo, f.Erro()), QString(),
                     plat::MB_ICONEXCLAMATION);
    return false;
  }
  // Lines end with CR LF: the file is read back in text mode.
  const std::string d = plat::ParaCp1252(QString(delimitador));
  bool ok = true;
  for (int r = 0; r < nRows_ && ok; ++r) {
    std::string linha;
    for (int c = 0; c < nCols_; ++c) {
      linha += plat::ParaCp1252(GetCellText(r, c));
      linha += c + 1 < nCols_ ? d : std::string("\r\n");
    }
    ok = f.Escreve(linha.data(), linha.size());
  }
  if (!ok || !f.Confirma()) {
    plat::MessageBox(QStringLiteral("Unable to save grid list"), QString(), plat::MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

bool CTableCtrl::LoadFromText(const QString& arquivo, QChar delimitador) {
  if (virtual_) return false;
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) {
    ErroArquivo(arquivo, f);
    return false;
  }
  ClearAll();
  AllowRedraw(false);
  bool primeira = true;
  bool ok = true;
  while (!f.atEnd()) {
    // Whole lines, however long; the carriage return before the newline goes.
    QByteArray bytes = f.readLine();
    if (bytes.isEmpty() && f.error() != QFileDevice::NoError) {
      ok = false;
      break;
    }
    const bool temNovaLinha = bytes.endsWith('\n');
    if (temNovaLinha) bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
    QStringList campos = plat::LeCp1252(bytes.toStdString()).split(delimitador);
    if (!temNovaLinha && campos.last().isEmpty()) campos.removeLast();  // the end of the text adds no empty field
    if (primeira) {
      for (const QString& c : campos) AddColumn(c, DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1);
      primeira = false;
      continue;
    }
    if (campos.isEmpty()) continue;
    const int row = AddRow(campos[0], -1);
    if (row < 0) continue;
    for (int m = 1; m < campos.size() && m < nCols_; ++m) SetCellText(row, m, campos[m]);
  }
  if (f.error() != QFileDevice::NoError) ok = false;
  f.close();
  AllowRedraw(true, true);
  if (!ok) {
    plat::MessageBox(QStringLiteral("Unable to load grid data"), QString(), plat::MB_ICONEXCLAMATION);
    return false;
  }
  for (int c = 0; c < nCols_; ++c) AutoSizeColumn(c, escopoAuto_, false);
  ResetScrollBars();
  return true;
}
