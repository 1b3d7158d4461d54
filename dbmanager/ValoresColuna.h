#pragma once
// The fetched values of a result set, kept as the source gave them: one array
// per column, a one-byte kind and an eight-byte value per cell (the integer,
// the double, or where its text lies in the column's own UTF-8 store). A
// cell's text is made only when it is shown, copied or saved, and the model
// export reads the numbers as fetched.
#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <vector>

namespace brenk {

enum class TipoValor : std::uint8_t { Nulo, Inteiro, Real, Texto, Binario, Logico };

class ValoresColuna {
public:
  void Reserva(std::size_t n);
  void AcrescentaNulo() { Poe(TipoValor::Nulo, 0); }
  void AcrescentaInteiro(std::int64_t v) { Poe(TipoValor::Inteiro, std::uint64_t(v)); }
  void AcrescentaReal(double v);
  void AcrescentaLogico(bool v) { Poe(TipoValor::Logico, v ? 1 : 0); }
  void AcrescentaBinario() { Poe(TipoValor::Binario, 0); }
  void AcrescentaTexto(QStringView t);
  void AcrescentaUtf8(const char* t, std::size_t n);
  // By the value's type: dates and times as the grid shows them (text).
  void Acrescenta(const QVariant& v);
  // Keeps the first `n` cells.
  void Corta(std::size_t n);

  std::size_t Tamanho() const { return tipos_.size(); }
  TipoValor Tipo(std::size_t i) const { return TipoValor(tipos_[i]); }
  std::int64_t Inteiro(std::size_t i) const { return std::int64_t(valores_[i]); }
  double Real(std::size_t i) const;
  bool Logico(std::size_t i) const { return valores_[i] != 0; }
  QString Texto(std::size_t i) const;  // the stored text of a text cell
  // The cell as the grid shows it: numbers with the decimal comma, "NULL",
  // "<Binary>/<Raw>", "-1"/"0" for true and false.
  QString TextoCelula(std::size_t i) const;

private:
  void Poe(TipoValor t, std::uint64_t v) {
    tipos_.push_back(std::uint8_t(t));
    valores_.push_back(v);
  }
  std::vector<std::uint8_t> tipos_;
  std::vector<std::uint64_t> valores_;
  // Texts: offset (40 bits) and length (24 bits) in the store; a longer text
  // is kept whole aside, its index in the value.
  std::vector<char> textos_;
  std::vector<QString> longos_;
};

// Rows the worker fetched, handed to the window in one piece.
struct BlocoResultado {
  std::size_t linhas = 0;
  std::vector<ValoresColuna> colunas;
};
using BlocoPtr = std::shared_ptr<const BlocoResultado>;

}  // namespace brenk

Q_DECLARE_METATYPE(brenk::BlocoPtr)
