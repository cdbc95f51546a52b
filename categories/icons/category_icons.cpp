#include "categories/icons/category_icons.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace purselog {

namespace {

// An icon is a few hundred pixels; a bitmap header that asks for more than this is no icon.
constexpr int kMaxBitmapMegabytes = 16;

// The colour of a pixel without its alpha: bitmaps have none, and a picture is compared and
// composed by colour alone.
QRgb ColourAt(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

QImage OpaqueCopy(const QImage& picture) {
  QImage copy(picture.size(), QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) line[x] = ColourAt(picture, x, y);
  }
  return copy;
}

std::uint32_t ReadLe(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

// Whether the file holds all the pixels its header promises: a cut-off bitmap is refused before
// it is read. Run-length compressed pixels have no size to check; DecodeBitmap finds the pixels
// their codes pass over.
bool HoldsItsPixels(std::string_view bytes) {
  constexpr std::size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader + 12) return false;
  const std::uint64_t pixels_at = ReadLe(bytes, 10, 4);
  const std::uint32_t info_size = ReadLe(bytes, 14, 4);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;
  if (info_size == 12) {
    width = ReadLe(bytes, 18, 2);
    height = ReadLe(bytes, 20, 2);
    bits = ReadLe(bytes, 24, 2);
  } else {
    if (bytes.size() < kFileHeader + 20) return false;
    width = static_cast<std::int32_t>(ReadLe(bytes, 18, 4));
    height = static_cast<std::int32_t>(ReadLe(bytes, 22, 4));
    bits = ReadLe(bytes, 28, 2);
    compression = ReadLe(bytes, 30, 4);
  }
  constexpr std::uint32_t kRle8 = 1;
  constexpr std::uint32_t kRle4 = 2;
  if (compression == kRle8 || compression == kRle4) return true;
  if (width <= 0 || height == 0 || bits == 0 || bits > 32) return false;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
  return pixels_at + stride * rows <= bytes.size();
}

// Reads the bitmap file onto `image`. The reader reuses a picture of the size and format it
// reads, as it stands.
bool ReadBitmapOnto(std::string_view bytes, QImage& image) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::ReadOnly)) return false;
  QImageReader reader(&buffer, "bmp");
  reader.setAllocationLimit(kMaxBitmapMegabytes);
  reader.setAutoTransform(false);
  return reader.read(&image);
}

// A picture of the size and format of `like`, every byte `fill`.
QImage FilledLike(const QImage& like, unsigned char fill) {
  QImage image(like.size(), like.format());
  if (!image.isNull()) {
    std::memset(image.bits(), fill, static_cast<std::size_t>(image.sizeInBytes()));
  }
  return image;
}

// Whether the two pictures hold the same pixels (the bytes of each row up to its width).
bool SamePixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.format() != b.format()) return false;
  const auto row_bytes = static_cast<std::size_t>((a.width() * a.depth() + 7) / 8);
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.constScanLine(y), b.constScanLine(y), row_bytes) != 0) return false;
  }
  return true;
}

// Whether every pixel of a picture with a colour table names one of its colours (a file may
// give fewer colours than its pixels use).
bool PixelsWithinColourTable(const QImage& image) {
  if (image.depth() > 8) return true;
  const int colours = image.colorCount();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelIndex(x, y) >= colours) return false;
    }
  }
  return true;
}

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

std::optional<QImage> PrepareBmp(const QImage& bitmap, BmpRule rule, QRgb background) {
  if (bitmap.width() != kIconFileSide) return std::nullopt;
  if (rule == BmpRule::kSixteenSquare && bitmap.height() != kIconFileSide) return std::nullopt;
  // Pixel (0, 0) gives the key colour; in the 16 x 16 square, a pixel of that colour is blacked
  // out and marked white in the mask.
  QImage picture = OpaqueCopy(bitmap);
  QImage mask(kIconFileSide, kIconFileSide, QImage::Format_RGB32);
  mask.fill(kBlack);
  const QRgb key = ColourAt(picture, 0, 0);
  const int height = std::min(kIconFileSide, picture.height());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < kIconFileSide; ++x) {
      if (ColourAt(picture, x, y) == key) {
        picture.setPixel(x, y, kBlack);
        mask.setPixel(x, y, kWhite);
      }
    }
  }
  return ComposeIcon(picture, mask, background);
}

}  // namespace

std::vector<QImage> CutBuiltinIcons(const QImage& strip, int count) {
  const QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
  const QRgb background = argb.pixel(0, 0);
  std::vector<QImage> icons;
  for (int k = 0; k < count; ++k) {
    icons.push_back(WithTransparentBackground(
        argb.copy(kBuiltinIconWidth * k, 0, kBuiltinIconWidth, kBuiltinIconHeight), background));
  }
  return icons;
}

QImage WithTransparentBackground(const QImage& picture, QRgb background) {
  QImage drawn = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = background | 0xFF000000u;
  for (int y = 0; y < drawn.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(drawn.scanLine(y));
    for (int x = 0; x < drawn.width(); ++x) {
      if ((line[x] | 0xFF000000u) == key) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return drawn;
}

std::optional<PacContents> ReadPacFile(std::string_view pack) {
  if (pack.size() < kPacMaskSearchLast + 2) return std::nullopt;
  std::optional<std::size_t> mask;
  for (std::size_t offset = kPacMaskSearchFirst; offset <= kPacMaskSearchLast; offset += 2) {
    if (pack[offset] == 'B' && pack[offset + 1] == 'M') mask = offset;
  }
  if (!mask) return std::nullopt;
  return PacContents{pack.substr(kPacPictureOffset, *mask - kPacPictureOffset), pack.substr(*mask)};
}

QImage DecodeBitmap(std::string_view bytes) {
  if (!HoldsItsPixels(bytes)) return {};
  QImage first;
  if (!ReadBitmapOnto(bytes, first)) return {};
  // The reader leaves a pixel that no byte of the file sets (one the run-length codes pass over,
  // or one of a row the file ends before) as the memory held it. Read onto a picture of zero
  // bytes and onto one of 0xFF bytes, the file's own pixels come out the same in both.
  QImage zeros = FilledLike(first, 0x00);
  QImage ones = FilledLike(first, 0xFF);
  const uchar* const zeros_at = zeros.constBits();
  const uchar* const ones_at = ones.constBits();
  if (!ReadBitmapOnto(bytes, zeros) || !ReadBitmapOnto(bytes, ones)) return {};
  // A reader that did not read onto the given pictures leaves nothing to compare: no picture
  // rather than one that may hold stray memory.
  if (zeros.constBits() != zeros_at || ones.constBits() != ones_at) return {};
  if (!SamePixels(zeros, ones)) return {};
  // A pixel without a colour in the file makes no picture either.
  if (!PixelsWithinColourTable(zeros)) return {};
  return zeros;
}

QImage ComposeIcon(const QImage& picture, const QImage& mask, QRgb background) {
  QImage composed = OpaqueCopy(picture);
  const QRgb fill = background | 0xFF000000u;
  const int width = std::min(composed.width(), mask.width());
  const int height = std::min(composed.height(), mask.height());
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(composed.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (ColourAt(mask, x, y) == kWhite) line[x] = fill;
    }
  }
  return composed;
}

IconFileKind IconFileKindOf(const std::filesystem::path& name) {
  std::string extension = name.extension().string();
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (extension == ".pac") return IconFileKind::kPac;
  if (extension == ".bmp") return IconFileKind::kBmp;
  return IconFileKind::kOther;
}

std::optional<QImage> ComposeIconFile(IconFileKind kind, std::string_view bytes, BmpRule rule,
                                      QRgb background) {
  switch (kind) {
    case IconFileKind::kPac: {
      const std::optional<PacContents> contents = ReadPacFile(bytes);
      if (!contents) return std::nullopt;
      const QImage picture = DecodeBitmap(contents->picture);
      const QImage mask = DecodeBitmap(contents->mask);
      if (picture.isNull() || mask.isNull()) return std::nullopt;
      return ComposeIcon(picture, mask, background);
    }
    case IconFileKind::kBmp: {
      const QImage bitmap = DecodeBitmap(bytes);
      if (bitmap.isNull()) return std::nullopt;
      return PrepareBmp(bitmap, rule, background);
    }
    case IconFileKind::kOther:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace purselog
