#pragma once
// Small pieces the set-up pages share: control ids, the day/month/year text
// of the header's dates, the property types and the plain-text limit.
#include <QDate>
#include <QString>
#include <QStringList>

class QPlainTextEdit;
class QWidget;
struct CabecalhoModelo;

namespace assistente {

void DefineId(QWidget* w, int id);

// "%d/%m/%Y" with leading zeros.
QString TextoData(const QDate& d);
// The date a stored "dd/mm/yyyy" text stands for, read from positions 0, 3
// and 6; today when the text is not a date the picker can show (year below
// 1900, month or day out of range, or no such day).
QDate DataDoTexto(const QString& texto);

// The seven property types in code order (code = position + 1).
const QStringList& TiposImovel();

// Keeps a several-line edit within `maximo` characters as the user types.
void LimitaTexto(QPlainTextEdit* edit, int maximo);

// The header's per-variable fields the pages read and write.
namespace cab {
constexpr std::size_t Nome = 1120, TamNome = 31;
constexpr std::size_t Descricao = 2980, TamDescricao = 601;
constexpr std::size_t DataEvento = 39400, TamDataEvento = 11;
constexpr std::size_t Relacao = 40060, Tipo = 40300, Casas = 40780, Habilitada = 65592;
constexpr std::size_t VariavelArea = 41284, Unitario = 41288;
constexpr std::size_t NumVariaveis = 65572, Dependente = 65588;
constexpr std::size_t Senha = 1096, TamSenha = 13, Protegido = 1109, NivelAcesso = 1112, Desbloqueado = 1116;
constexpr std::size_t InicioVariaveis = 1120, FimVariaveis = 41560;
inline std::size_t Em(std::size_t base, int v, std::size_t passo = 4) { return base + passo * std::size_t(v); }
}  // namespace cab

}  // namespace assistente
