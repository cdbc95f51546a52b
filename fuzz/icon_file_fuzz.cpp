// An icon file's bytes, read as each kind of icon file the program takes: a ".pac" pack, a
// ".bmp" at start-up (16 pixels wide) and a ".bmp" chosen with "ADD ICON" (16 x 16). Each gives no
// picture or a whole one: opaque, of the size its rule allows, its pixels fully decided by the
// file (the pack's picture where its mask is black, the background where it is white; a
// bitmap's pixels, its key colour turned into the background). The slot then shows the composed
// picture with exactly its background pixels transparent.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "categories/icons/category_icons.h"
#include "categories/icons/icon_slots.h"
#include "fuzz_support.h"

namespace {

using namespace purselog;

constexpr QRgb kBackground = 0xFF0A141Eu;
constexpr QRgb kWhite = 0xFFFFFFFFu;

QRgb Opaque(QRgb colour) { return colour | 0xFF000000u; }

void CheckWhole(const QImage& picture) {
  FUZZ_CHECK(!picture.isNull());
  FUZZ_CHECK(picture.format() == QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) FUZZ_CHECK(qAlpha(picture.pixel(x, y)) == 255);
  }
}

// The slot's picture as drawn: the composed one with its background, and only that, transparent.
void CheckDrawn(const QImage& composed) {
  IconSlotPictures pictures(kBackground);
  pictures.Set(0, composed);
  const QImage& drawn = pictures.Picture(0);
  FUZZ_CHECK(drawn.size() == composed.size());
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      const bool background = composed.pixel(x, y) == kBackground;
      FUZZ_CHECK((qAlpha(drawn.pixel(x, y)) == 0) == background);
      if (!background) FUZZ_CHECK(drawn.pixel(x, y) == composed.pixel(x, y));
    }
  }
}

void Pack(std::string_view bytes) {
  const std::optional<PacContents> contents = ReadPacFile(bytes);
  const std::optional<QImage> composed =
      ComposeIconFile(IconFileKind::kPac, bytes, BmpRule::kSixteenWide, kBackground);
  if (!contents) {
    FUZZ_CHECK(!composed);
    return;
  }
  // Picture and mask lie end to end from byte 904, the mask from a "BM" word of the window.
  FUZZ_CHECK(contents->picture.data() == bytes.data() + kPacPictureOffset);
  FUZZ_CHECK(contents->mask.data() == contents->picture.data() + contents->picture.size());
  FUZZ_CHECK(contents->mask.data() + contents->mask.size() == bytes.data() + bytes.size());
  const std::size_t mask_at = static_cast<std::size_t>(contents->mask.data() - bytes.data());
  FUZZ_CHECK(mask_at >= kPacMaskSearchFirst && mask_at <= kPacMaskSearchLast && mask_at % 2 == 0);
  FUZZ_CHECK(contents->mask.substr(0, 2) == "BM");
  if (!composed) return;
  CheckWhole(*composed);
  const QImage picture = DecodeBitmap(contents->picture);
  const QImage mask = DecodeBitmap(contents->mask);
  FUZZ_CHECK(!picture.isNull() && !mask.isNull());
  FUZZ_CHECK(composed->size() == picture.size());
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const bool clear =
          x < mask.width() && y < mask.height() && Opaque(mask.pixel(x, y)) == kWhite;
      FUZZ_CHECK(composed->pixel(x, y) == (clear ? kBackground : Opaque(picture.pixel(x, y))));
    }
  }
  CheckDrawn(*composed);
}

void Bitmap(std::string_view bytes, BmpRule rule) {
  const std::optional<QImage> composed =
      ComposeIconFile(IconFileKind::kBmp, bytes, rule, kBackground);
  const QImage bitmap = DecodeBitmap(bytes);
  // Every pixel comes from the file: a second decoding gives the same picture.
  FUZZ_CHECK(DecodeBitmap(bytes) == bitmap);
  const bool fits = !bitmap.isNull() && bitmap.width() == kIconFileSide &&
                    (rule == BmpRule::kSixteenWide || bitmap.height() == kIconFileSide);
  FUZZ_CHECK(composed.has_value() == fits);
  if (!composed) return;
  CheckWhole(*composed);
  FUZZ_CHECK(composed->size() == bitmap.size());
  // The key is pixel (0, 0); in the 16 x 16 square its colour becomes the background.
  const QRgb key = Opaque(bitmap.pixel(0, 0));
  FUZZ_CHECK(composed->pixel(0, 0) == kBackground);
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x) {
      const QRgb colour = Opaque(bitmap.pixel(x, y));
      const bool keyed = y < kIconFileSide && colour == key;
      FUZZ_CHECK(composed->pixel(x, y) == (keyed ? kBackground : colour));
    }
  }
  CheckDrawn(*composed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  Pack(bytes);
  Bitmap(bytes, BmpRule::kSixteenWide);
  Bitmap(bytes, BmpRule::kSixteenSquare);
  return 0;
}
