#pragma once
// Keys typed by the user: a signed 32-bit integer written in decimal, or in
// hexadecimal after "$", "x", "X", "0x" or "0X", optionally preceded by
// blanks and a sign. Nothing may follow the digits, not even a blank.

#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

// nullopt when the text is not such an integer or lies outside 32 bits.
std::optional<std::int32_t> ConvertirEntero(QStringView texto);

// A typed number that does not convert; carries the Spanish text shown.
class EConversion : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// As ConvertirEntero, raising EConversion ("'abc' no es un valor entero
// válido.") when the text does not convert.
std::int32_t ExigirEntero(const QString& texto);

// The elements of a list of keys: the text split at commas, semicolons and
// runs of spaces, the spaces around a separator and at both ends of the
// text belonging to no element. Two separators with nothing between them
// (or one at either end) give an empty element. A text of one element is
// the text itself, unchanged, so that a single key reads exactly as
// ConvertirEntero reads it (blanks after it included).
QList<QStringView> ElementosLista(QStringView texto);

// The keys of a list's elements, in order. The first element that does not
// convert raises EConversion naming it and its place: "'x' no es un valor
// entero válido (elemento 3 de 5)."; an empty one "Falta un valor
// (elemento 2 de 5).".
std::vector<std::int32_t> ExigirClaves(const QList<QStringView>& elementos);
