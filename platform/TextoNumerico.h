#pragma once
// Numbers as text the way the program shows them: printf formatting in
// the C locale with the decimal point turned into a comma, never by changing
// the process locale (Qt and the libraries share it).
#include <QChar>
#include <QString>
#include <initializer_list>
#include <string>

namespace plat {

// One printf argument.
struct ArgFormato {
  enum Tipo { Inteiro, Real, Texto } tipo;
  long long i = 0;
  double d = 0.0;
  std::string s;
  ArgFormato(int v) : tipo(Inteiro), i(v) {}
  ArgFormato(long v) : tipo(Inteiro), i(v) {}
  ArgFormato(long long v) : tipo(Inteiro), i(v) {}
  ArgFormato(unsigned v) : tipo(Inteiro), i(v) {}
  ArgFormato(double v) : tipo(Real), d(v) {}
  // UTF-8 texts, as C strings in the program are.
  ArgFormato(const char* v);
  ArgFormato(const std::string& v);
  ArgFormato(const QString& v);  // stored in Windows-1252, one byte a character
};

// printf-style formatting in the C locale; the decimal point of every
// floating conversion (%f %e %g %E %G) becomes a comma. Literal text is kept.
// Non-finite values print as the C library prints them ("nan", "inf").
QString FormataC(const char* formato, std::initializer_list<ArgFormato> args);
// The same, keeping the point (C locale, as printf under "C").
std::string FormataPonto(const char* formato, std::initializer_list<ArgFormato> args);

// Parses a number in the C locale after mapping `decimal` to the point; ok is
// false when nothing could be read. Leading white space is skipped; trailing
// text is ignored (as strtod does). Only decimal notation is read: no "nan",
// "inf" or hexadecimal. `usados` receives how many characters the number took
// (leading white space included), 0 when none.
double LeReal(const QString& texto, QChar decimal = QChar(','), bool* ok = nullptr, int* usados = nullptr);

// The user's decimal and thousands characters, from QLocale::system() unless a
// test has set them.
QChar DecimalUsuario();
QChar MilharUsuario();
void DefineSeparadoresUsuario(QChar decimal, QChar milhar);
void RestauraSeparadoresUsuario();

}  // namespace plat
