// The pictures of the icon slots of the user categories (slot i belongs to category index
// 11 + i, row 12 + i of the category table), and the two commands that change a slot: "ADD
// ICON" and "Del ICON". The slots' file names and their count are the running book's (they are
// read at start-up and written at shutdown); the commands change them here in place.
#pragma once

#include <QImage>
#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "categories/icon_slots.h"
#include "categories/icons/category_icons.h"

namespace purselog {

// An icon file (a pack or a bitmap) larger than this gives no picture, and is not read.
inline constexpr std::size_t kMaxIconFileBytes = std::size_t{16} << 20;

// An icon file read whole, and its composed picture.
struct IconFile {
  std::string bytes;
  QImage composed;
};
// nullopt when the file cannot be read, is larger than kMaxIconFileBytes or makes no icon (see
// ComposeIconFile).
std::optional<IconFile> LoadIconFile(const std::filesystem::path& path, BmpRule rule,
                                     QRgb background);

// Whether a file name can be remembered in the settings file and read back as it is: every
// character has a Shift_JIS form, and nothing of it is lost by the reader (no control bytes, no
// blanks around it, no enclosing quotes). The Shift_JIS bytes of the name, or nullopt.
std::optional<std::string> StorableIconName(const std::filesystem::path& name);

class IconSlotPictures {
 public:
  // `background`: the colour the pictures are composed on, pixel (0, 0) of the icon strip.
  explicit IconSlotPictures(QRgb background = qRgb(255, 0, 255)) : background_(background) {}

  QRgb background() const { return background_; }
  void set_background(QRgb background) { background_ = background; }

  // Start-up: slot j takes the picture of the file names[j] in pacs. A slot without a name, or
  // whose file cannot be read, is neither ".pac" nor ".bmp", is no usable icon pack, or is a
  // bitmap not 16 pixels wide, has no picture (its name stays). Each file is read once, however
  // many slots name it.
  void Load(const std::filesystem::path& pacs_dir, std::span<const std::string> names);

  // The picture of the slot as it is drawn (the background transparent); null when none.
  const QImage& Picture(int slot) const;
  // The composed picture of the slot, or a null image to clear it.
  void Set(int slot, const QImage& composed);

  // "ADD ICON" on `slot` with the chosen file: a ".pac" or a 16 x 16 ".bmp" that makes an icon
  // is copied into pacs under its own name (replacing a file of that name), and the slot takes
  // its picture. The name as the settings keep it (Shift_JIS), or nullopt with nothing changed
  // for a slot outside 0 to 31 or a file that makes no icon or whose name cannot be remembered.
  // Throws FileError, with nothing changed, when the copy cannot be written.
  std::optional<std::string> AddIcon(int slot, const std::filesystem::path& chosen,
                                     const std::filesystem::path& pacs_dir);

 private:
  QRgb background_;
  std::array<QImage, kIconSlotCount> pictures_;
};

// The picture `choice` names: a built-in icon, a slot's picture, or none (also for kKeep).
QImage ChosenPicture(const IconChoice& choice, const std::vector<QImage>& builtin_icons,
                     const IconSlotPictures& pictures);

}  // namespace purselog
