#include "ImpressaoEquacao.h"
void ImprimeEquacao(PaginaEquacao&, bool) {}
