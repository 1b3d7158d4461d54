#include "Medida.h"

#include "app/CTarsolinApp.h"
#include "app/UnidadesMedida.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QFormLayout>
#include <QLineEdit>

namespace medida {

int UnidadeAtual() {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  const int u = app ? app->Opcoes().Units : CTarsolinApp::UnidadePadrao();
  return u >= 0 && u < NumUnidades ? u : 0;
}

bool Le(const QString& texto, int* twips) {
  if (texto.trimmed().isEmpty()) return false;
  return LeMedidaTexto(texto.trimmed(), UnidadeAtual(), twips);
}

QString Escreve(int twips, int decimais) { return EscreveMedidaTexto(twips, decimais, UnidadeAtual()); }

bool LeCaixa(QLineEdit* caixa, int* twips) {
  const QString texto = caixa->text().left(63);
  if (texto.trimmed().isEmpty()) {
    *twips = SemValor;
    return true;
  }
  int v = 0;
  if (!Le(texto, &v)) {
    plat::MessageBox(3059, plat::MB_ICONINFORMATION);
    caixa->setFocus();
    caixa->selectAll();
    return false;
  }
  // The value kept is the one the text shows.
  int mostrado = v;
  if (Le(Escreve(v, 2), &mostrado)) v = mostrado;
  *twips = v;
  return true;
}

void MostraCaixa(QLineEdit* caixa, int twips) {
  if (twips == SemValor) return;
  caixa->setText(Escreve(twips, 2));
}

bool Valida(QLineEdit* caixa, int valor, int minimo, int maximo) {
  if (valor >= minimo && valor <= maximo) return true;
  plat::MessageBox(plat::Texto(3067).arg(Escreve(minimo, 2), Escreve(maximo, 2)), QString(),
                   plat::MB_ICONEXCLAMATION);
  if (caixa) {
    caixa->setFocus();
    caixa->selectAll();
  }
  return false;
}

QLineEdit* NovaCaixa(QFormLayout* formulario, QWidget* pai, int id, const char* rotulo) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QString::number(id));
  e->setMaxLength(63);
  formulario->addRow(QString::fromUtf8(rotulo), e);
  return e;
}

}  // namespace medida
