// Test module that loads but has no ObtemExportacao.
#include "platform/Modulo.h"

TARSOLIN_EXPORTA int OutraRotina(int x) { return x + 1; }
