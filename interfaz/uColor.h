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
