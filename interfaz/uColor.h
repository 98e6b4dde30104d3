#pragma once
// Colours as the program stores them: 24 bits in a 32-bit integer laid out
// as $00BBGGRR (red in the low byte, then green, then blue; top byte 0).

#include <QColor>

#include <cstdint>

using TColor = std::uint32_t;

inline constexpr TColor ColorRGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int RojoDe(TColor c) { return static_cast<int>(c & 0xFF); }
inline constexpr int VerdeDe(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int AzulDe(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

inline QColor ColorQt(TColor c) { return QColor(RojoDe(c), VerdeDe(c), AzulDe(c)); }
inline TColor ColorDe(const QColor& c) { return ColorRGB(c.red(), c.green(), c.blue()); }

// The fixed colours of the structure drawings (the detailed drawing and the
// overview alike).
namespace ColoresDibujo {
inline constexpr TColor Blanco = ColorRGB(0xFF, 0xFF, 0xFF);
inline constexpr TColor Negro = ColorRGB(0, 0, 0);
inline constexpr TColor Amarillo = ColorRGB(0xFF, 0xFF, 0);
inline constexpr TColor Rojo = ColorRGB(0xFF, 0, 0);
inline constexpr TColor RojoSeleccionado = ColorRGB(0, 0x7F, 0xFF);
inline constexpr TColor Plata = ColorRGB(0xC0, 0xC0, 0xC0);
inline constexpr TColor CeldaEnUso = ColorRGB(0xE7, 0xE7, 0xE7);
inline constexpr TColor TextoCeldaMuerta = ColorRGB(0x80, 0x80, 0x80);
}  // namespace ColoresDibujo

// The band behind a listing's current line, in the step window and on the
// storyboard's pages alike.
inline constexpr TColor ColorLineaActual = ColorRGB(0xFF, 0xD8, 0x4D);
