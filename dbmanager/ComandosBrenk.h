#pragma once
// Command ids of the database manager's menus and tool bars.
namespace brenk {
enum ComandoBrenk : int {
  ID_CAIXA_BANCOS = 101,     // the database box (selection change)
  ID_DESCONECTAR_TODOS = 32772,
  ID_EXECUTAR = 32773,
  ID_CONECTAR = 32776,
  ID_CONSULTAS = 32779,      // procedures browser
  ID_TABELAS = 32788,        // tables browser
  ID_ANTERIOR = 32790,
  ID_PROXIMA = 32792,
  ID_ULTIMA = 32794,
  ID_PRIMEIRA = 32796,
  ID_CANCELAR = 32800,
  ID_NOVA_CONSULTA = 32805,
  ID_MENSAGENS = 32819,
};
}  // namespace brenk
