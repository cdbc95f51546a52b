// Icon files made by the tests, byte by byte: 24-bit Windows bitmaps and icon packs.
#pragma once

#include <QColor>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace purselog::testing {

inline void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

// A 24-bit bitmap file: rows bottom-up, each padded to 4 bytes.
inline std::string Bmp(int width, int height, const std::function<QRgb(int, int)>& pixel) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string bytes(54 + static_cast<std::size_t>(stride * height), '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutLittleEndian(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
  PutLittleEndian(bytes, 10, 54, 4);
  PutLittleEndian(bytes, 14, 40, 4);
  PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(bytes, 22, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(bytes, 26, 1, 2);
  PutLittleEndian(bytes, 28, 24, 2);
  for (int y = 0; y < height; ++y) {
    const std::size_t line = 54 + static_cast<std::size_t>(stride * (height - 1 - y));
    for (int x = 0; x < width; ++x) {
      const QRgb colour = pixel(x, y);
      const std::size_t at = line + static_cast<std::size_t>(3 * x);
      bytes[at] = static_cast<char>(qBlue(colour));
      bytes[at + 1] = static_cast<char>(qGreen(colour));
      bytes[at + 2] = static_cast<char>(qRed(colour));
    }
  }
  return bytes;
}

// An icon pack: the picture at byte 904, the mask at `mask_at`, and, with `decoy`, a lone "BM"
// earlier in the mask's search window.
inline std::string IconPack(const std::string& picture, const std::string& mask,
                            std::size_t mask_at = 2340,
                            std::optional<std::size_t> decoy = std::nullopt) {
  std::string pack(mask_at, '\0');
  pack.replace(904, picture.size(), picture);
  if (decoy) pack.replace(*decoy, 2, "BM");
  return pack + mask;
}

}  // namespace purselog::testing
