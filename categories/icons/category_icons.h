// The category icons. The 11 built-in ones are cut from the icon strip; a user category may
// carry a picture from a file in pacs: a 16 x 16 Windows bitmap (".bmp") whose pixel (0, 0) gives
// the colour to leave out, or an icon pack (".pac") that holds a bitmap and its mask. A picture is
// composed on the strip's background colour (its pixel 0, 0), and drawn with that colour
// transparent.
//
// Every decoding here works on bytes in memory and gives no picture for input it cannot use; it
// never throws and never leaves a picture half made.
#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace purselog {

constexpr int kBuiltinIconWidth = 18;
constexpr int kBuiltinIconHeight = 16;
constexpr int kIconFileSide = 16;

// Icon k is the part of the strip whose left edge is at 18 k, with the strip's background colour
// transparent.
std::vector<QImage> CutBuiltinIcons(const QImage& strip, int count);

// The picture as it is drawn: every pixel of the `background` colour transparent.
QImage WithTransparentBackground(const QImage& picture, QRgb background);

// An icon pack, as far as the program reads it: the picture is a complete bitmap file from byte
// 904 up to the mask; the mask, a complete bitmap file, starts at the last of the 101 words at
// 2200, 2202, ... 2400 that reads "BM" and runs to the end.
struct PacContents {
  std::string_view picture;
  std::string_view mask;
};
constexpr std::size_t kPacPictureOffset = 904;
constexpr std::size_t kPacMaskSearchFirst = 2200;
constexpr std::size_t kPacMaskSearchLast = 2400;
// nullopt when the pack is shorter than the search window (2402 bytes) or has no "BM" word in it.
// The views point into `pack`.
std::optional<PacContents> ReadPacFile(std::string_view pack);

// A Windows bitmap file, decoded; a null image when the bytes are not one, are one too large to
// be an icon, or leave a pixel without a value or a colour (run-length codes that pass over
// pixels, a colour table shorter than the pixels need).
QImage DecodeBitmap(std::string_view bytes);

// Every pixel of `picture` whose mask pixel is white (RGB 255, 255, 255) takes the background
// colour; pixels the mask does not cover stay.
QImage ComposeIcon(const QImage& picture, const QImage& mask, QRgb background);

enum class IconFileKind { kOther, kPac, kBmp };
// By the name's extension, ".pac" or ".bmp" in any letter case.
IconFileKind IconFileKindOf(const std::filesystem::path& name);

// What a ".bmp" must measure: at start-up only its width is checked; a file chosen with
// "ADD ICON" must be 16 x 16.
enum class BmpRule { kSixteenWide, kSixteenSquare };

// The composed picture of an icon file's bytes: a ".pac" through ReadPacFile, a ".bmp" prepared
// with its key colour (in the 16 x 16 square, every pixel of the colour of pixel 0, 0 becomes
// the background, the others stay). nullopt when the bytes make no icon.
std::optional<QImage> ComposeIconFile(IconFileKind kind, std::string_view bytes, BmpRule rule,
                                      QRgb background);

}  // namespace purselog
