#include "categories/icons/category_icons.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <functional>

#include "categories/icons/icon_slots.h"
#include "support/file_faults.h"
#include "support/icon_files.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::Bmp;
using testing::FileFaultPlan;
using testing::IconPack;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr QRgb kMagenta = 0xFFFF00FFu;
constexpr QRgb kStripBackground = 0xFF0A141Eu;  // any colour other than the key

// A 16 x 16 picture: magenta on the diagonal and in the first row, a gradient elsewhere.
QRgb Picture(int x, int y) {
  if (x == y || y == 0) return kMagenta;
  return qRgb(16 * x, 16 * y, 100);
}

std::string KeyedBmp(int width = 16, int height = 16) { return Bmp(width, height, Picture); }

// White (transparent) where x < 8, black (opaque) elsewhere.
std::string HalfMask() {
  return Bmp(16, 16, [](int x, int) { return x < 8 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); });
}

TEST(CategoryIcons, AKeyColourBecomesTheStripBackground) {
  const std::optional<QImage> composed =
      ComposeIconFile(IconFileKind::kBmp, KeyedBmp(), BmpRule::kSixteenSquare, kStripBackground);
  ASSERT_TRUE(composed);
  ASSERT_EQ(composed->size(), QSize(16, 16));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const QRgb expected = Picture(x, y) == kMagenta ? kStripBackground : Picture(x, y);
      ASSERT_EQ(composed->pixel(x, y), expected) << x << "," << y;
    }
  }
  // Drawn, the background is transparent and the rest opaque.
  const QImage drawn = WithTransparentBackground(*composed, kStripBackground);
  EXPECT_EQ(qAlpha(drawn.pixel(3, 3)), 0);
  EXPECT_EQ(drawn.pixel(1, 2), 0xFF000000u | Picture(1, 2));
}

TEST(CategoryIcons, ThePackMaskStartsAtTheLastBmWordOfTheSearchWindow) {
  const std::string pack = IconPack(KeyedBmp(), HalfMask(), 2340, 2300);
  const std::optional<PacContents> contents = ReadPacFile(pack);
  ASSERT_TRUE(contents);
  EXPECT_EQ(contents->mask.data() - pack.data(), 2340);
  EXPECT_EQ(contents->picture.data() - pack.data(), 904);
  EXPECT_EQ(contents->picture.size(), 2340u - 904u);
  const std::optional<QImage> composed =
      ComposeIconFile(IconFileKind::kPac, pack, BmpRule::kSixteenWide, kStripBackground);
  ASSERT_TRUE(composed);
  // The pack's own picture is used as it stands: no key colour, only the mask.
  EXPECT_EQ(composed->pixel(7, 5), kStripBackground);
  EXPECT_EQ(composed->pixel(8, 8), kMagenta);
  EXPECT_EQ(composed->pixel(9, 5), Picture(9, 5));
}

// A 16 x 16 bitmap of run-length codes (8 bits a pixel), colour 0 magenta and 1 blue.
std::string Rle8Bmp(const std::string& codes) {
  std::string bytes(62, '\0');
  bytes.replace(0, 2, "BM");
  testing::PutLittleEndian(bytes, 2, static_cast<std::uint32_t>(62 + codes.size()), 4);
  testing::PutLittleEndian(bytes, 10, 62, 4);
  testing::PutLittleEndian(bytes, 14, 40, 4);
  testing::PutLittleEndian(bytes, 18, 16, 4);
  testing::PutLittleEndian(bytes, 22, 16, 4);
  testing::PutLittleEndian(bytes, 26, 1, 2);
  testing::PutLittleEndian(bytes, 28, 8, 2);
  testing::PutLittleEndian(bytes, 30, 1, 4);  // run-length codes
  testing::PutLittleEndian(bytes, 46, 2, 4);  // two colours
  bytes.replace(54, 8, std::string("\xFF\x00\xFF\x00\xFF\x00\x00\x00", 8));
  return bytes + codes;
}

// Each row: one magenta pixel, then 15 of colour `colour` (1: blue), then the end of the line.
std::string RowCodes(int rows, char colour = '\x01') {
  std::string codes;
  for (int y = 0; y < rows; ++y) codes += std::string("\x01\x00\x0F", 3) + colour + '\0' + '\0';
  return codes;
}

TEST(CategoryIcons, ARunLengthBitmapIsAnIconWhenItsCodesSetEveryPixel) {
  const std::optional<QImage> composed = ComposeIconFile(IconFileKind::kBmp, Rle8Bmp(RowCodes(16)),
                                                         BmpRule::kSixteenSquare, kStripBackground);
  ASSERT_TRUE(composed);
  EXPECT_EQ(composed->pixel(0, 5), kStripBackground);
  EXPECT_EQ(composed->pixel(1, 5), 0xFF0000FFu);
}

struct BadIcon {
  const char* name;
  IconFileKind kind;
  std::string bytes;
  BmpRule rule;
};

void PrintTo(const BadIcon& bad, std::ostream* out) { *out << bad.name; }

class CategoryIconsBadInput : public ::testing::TestWithParam<BadIcon> {};

TEST_P(CategoryIconsBadInput, GivesNoPicture) {
  const BadIcon& bad = GetParam();
  EXPECT_FALSE(ComposeIconFile(bad.kind, bad.bytes, bad.rule, kStripBackground));
}

std::string Truncated(std::string pack, std::size_t size) { return pack.substr(0, size); }

INSTANTIATE_TEST_SUITE_P(
    Files, CategoryIconsBadInput,
    ::testing::Values(
        BadIcon{"ShortPack", IconFileKind::kPac, Truncated(IconPack(KeyedBmp(), HalfMask()), 2401),
                BmpRule::kSixteenWide},
        BadIcon{"PackWithoutBm", IconFileKind::kPac, std::string(3000, 'x'), BmpRule::kSixteenWide},
        BadIcon{"PackPictureUnreadable", IconFileKind::kPac, IconPack("not a bitmap", HalfMask()),
                BmpRule::kSixteenWide},
        BadIcon{"PackMaskUnreadable", IconFileKind::kPac,
                IconPack(KeyedBmp(), "BM" + std::string(100, 'x')), BmpRule::kSixteenWide},
        BadIcon{"BmpNotSquareForAddIcon", IconFileKind::kBmp, KeyedBmp(16, 15),
                BmpRule::kSixteenSquare},
        BadIcon{"BmpNotSixteenWide", IconFileKind::kBmp, KeyedBmp(17, 16), BmpRule::kSixteenWide},
        BadIcon{"BmpTruncated", IconFileKind::kBmp, KeyedBmp().substr(0, 60),
                BmpRule::kSixteenWide},
        // The image reader leaves pixels the codes do not set as memory held them.
        BadIcon{"RunLengthCodesEndEarly", IconFileKind::kBmp,
                Rle8Bmp(RowCodes(8) + std::string("\x00\x01", 2)), BmpRule::kSixteenSquare},
        BadIcon{"PixelsBeyondTheColourTable", IconFileKind::kBmp, Rle8Bmp(RowCodes(16, '\x05')),
                BmpRule::kSixteenSquare},
        BadIcon{"RunLengthCodesJump", IconFileKind::kBmp,
                Rle8Bmp(std::string("\x00\x02\x05\x05", 4) + RowCodes(16)),
                BmpRule::kSixteenSquare},
        BadIcon{"OtherExtension", IconFileKind::kOther, KeyedBmp(), BmpRule::kSixteenWide}),
    [](const ::testing::TestParamInfo<BadIcon>& row) { return std::string(row.param.name); });

TEST(IconSlotPictures, StartUpLoadsUsableFilesAndLeavesTheOthersWithoutPicture) {
  TempDir pacs;
  WriteBytes(pacs / "ok.BMP", KeyedBmp());
  WriteBytes(pacs / "tall.bmp", KeyedBmp(16, 20));  // 16 wide is enough at start-up
  WriteBytes(pacs / "wide.bmp", KeyedBmp(17, 16));
  WriteBytes(pacs / "ok.pac", IconPack(KeyedBmp(), HalfMask(), 2340, 2300));
  WriteBytes(pacs / "short.pac", "BM");
  WriteBytes(pacs / "x.txt", KeyedBmp());
  const std::array<std::string, 8> names = {"ok.BMP",    "tall.bmp", "wide.bmp", "ok.pac",
                                            "short.pac", "x.txt",    "gone.bmp", ""};
  IconSlotPictures pictures(kStripBackground);
  pictures.Load(pacs.path(), names);
  const std::array<bool, 8> loaded = {true, true, false, true, false, false, false, false};
  for (std::size_t slot = 0; slot < names.size(); ++slot) {
    EXPECT_EQ(!pictures.Picture(static_cast<int>(slot)).isNull(), loaded[slot]) << slot;
  }
  EXPECT_EQ(pictures.Picture(1).size(), QSize(16, 20));
  EXPECT_EQ(qAlpha(pictures.Picture(0).pixel(0, 0)), 0);

  // A pack beyond the limit (1 GiB, sparse) is refused unread; 32 slots naming one file read it
  // once.
  {
    std::ofstream(pacs / "huge.pac").close();
    std::filesystem::resize_file(pacs / "huge.pac", std::uintmax_t{1} << 30);
    std::array<std::string, 32> same;
    same.fill("ok.pac");
    same[5] = "huge.pac";
    FileFaultPlan counted;
    pictures.Load(pacs.path(), same);
    EXPECT_EQ(counted.Calls(FileStep::kOpen), 2);
    EXPECT_LE(counted.Calls(FileStep::kRead), 2);
    EXPECT_TRUE(pictures.Picture(5).isNull());
    EXPECT_FALSE(pictures.Picture(31).isNull());
    EXPECT_EQ(pictures.Picture(31), pictures.Picture(0));
  }
}

TEST(IconSlotPictures, AddIconCopiesAUsableFileAndRefusesTheRestWithoutAChange) {
  TempDir dir;
  const std::filesystem::path pacs = dir / "pacs";
  std::filesystem::create_directory(pacs);
  WriteBytes(dir / "new.bmp", KeyedBmp());
  WriteBytes(dir / "flat.bmp", KeyedBmp(16, 8));
  WriteBytes(dir / "bad.pac", std::string(3000, 'x'));
  WriteBytes(dir / "icon.txt", KeyedBmp());
  IconSlotPictures pictures(kStripBackground);
  QImage kept(16, 16, QImage::Format_RGB32);
  kept.fill(qRgb(1, 2, 3));
  pictures.Set(1, kept);
  const QImage before = pictures.Picture(1);

  for (const char* refused : {"flat.bmp", "bad.pac", "icon.txt", "missing.bmp"}) {
    EXPECT_FALSE(pictures.AddIcon(1, dir / refused, pacs)) << refused;
  }
  EXPECT_FALSE(pictures.AddIcon(32, dir / "new.bmp", pacs));
  EXPECT_EQ(testing::ListDir(pacs), "");
  EXPECT_EQ(pictures.Picture(1), before);

  EXPECT_EQ(pictures.AddIcon(0, dir / "new.bmp", pacs), "new.bmp");
  EXPECT_EQ(ReadBytes(pacs / "new.bmp"), KeyedBmp());
  EXPECT_FALSE(pictures.Picture(0).isNull());
  EXPECT_EQ(ChosenPicture({IconChoice::Kind::kSlot, 0}, {}, pictures), pictures.Picture(0));
}

TEST(IconSlotPictures, OnlyNamesTheSettingsFileKeepsAsTheyAreAreStored) {
  EXPECT_EQ(StorableIconName("icon.bmp"), "icon.bmp");
  EXPECT_EQ(StorableIconName("\xE7\x8C\xAB.pac"), std::string("\x94\x4C.pac"));  // 猫
  EXPECT_FALSE(StorableIconName("\xF0\x9F\x98\x80.bmp"));                        // an emoji
  EXPECT_FALSE(StorableIconName("a\nb.bmp"));
  EXPECT_FALSE(StorableIconName(" a.bmp"));
  EXPECT_FALSE(StorableIconName("\"a.bmp\""));
}

}  // namespace
}  // namespace purselog
