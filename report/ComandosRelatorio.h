#pragma once
// Command ids the report editor answers.
namespace relatorio {
enum : int {
  Negrito = 32805, CorTexto = 32806, Italico = 32807, Sublinhado = 32808, CorFundo = 32800,
  Centraliza = 32867, AlinhaEsquerda = 32868, AlinhaDireita = 32869, Marcadores = 32855,
  DataHora = 32856, Paragrafo = 32847, Tabulacoes = 32848, Opcoes = 32922, Resultados = 32841,
  Fechar = 57602, Salvar = 57603, SalvarComo = 57604, ConfiguraPagina = 57605, Imprime = 57607,
  ImprimeDireto = 57608, Visualiza = 57609, Enviar = 57612,
  Limpar = 57632, Copiar = 57634, Recortar = 57635, Localizar = 57636, Colar = 57637, ColarEspecial = 57639,
  LocalizarProxima = 57640, Substituir = 57641, SelecionarTudo = 57642, Desfazer = 57643, Refazer = 57644,
};
}  // namespace relatorio
