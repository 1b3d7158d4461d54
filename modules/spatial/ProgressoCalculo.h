#ifndef TARSOLIN_PROGRESSO_CALCULO_H
#define TARSOLIN_PROGRESSO_CALCULO_H
/* What sar and sem receive of the caller's progress dialog: a plain C record
   of callbacks, so it crosses into the loadable library unchanged. The main
   program fills it from its progress dialog; any callback may be null. */
#ifdef __cplusplus
extern "C" {
#endif

typedef struct ProgressoCalculo {
  void* contexto; /* handed back to every callback: the caller's dialog */
  /* Appends text (UTF-8) to the calculation log. */
  void (*AcrescentaRegistro)(void* contexto, const char* texto);
  /* Sets the range of the progress bar. */
  void (*DefineFaixa)(void* contexto, int baixo, int alto);
  /* Sets the position of the progress bar. */
  void (*DefinePosicao)(void* contexto, int posicao);
  /* Handles pending events without user input and returns without waiting,
     so the dialog and the log repaint while the calculation runs. */
  void (*ProcessaMensagens)(void* contexto);
} ProgressoCalculo;

#ifdef __cplusplus
}
#endif
#endif
