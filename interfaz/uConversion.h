#pragma once
// Keys typed by the user: a signed 32-bit integer written in decimal, or in
// hexadecimal after "$", "x", "X", "0x" or "0X", optionally preceded by
// blanks and a sign. Nothing may follow the digits, not even a blank.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <stdexcept>

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
