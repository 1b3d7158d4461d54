#include "ModeloCorrente.h"

CTarsolinDoc* ModeloCorrente = nullptr;
