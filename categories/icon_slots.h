// The extra icons of the user categories: slot i belongs to category index 11 + i (row 12 + i of
// the category table). The running book keeps the slots' file names (in pacs) and their count,
// read from ini.ini at start-up and written at shutdown; the pictures are the icon code's
// (categories/icons). Names are Shift_JIS bytes.
#pragma once

#include <array>
#include <span>
#include <string>

namespace purselog {

inline constexpr int kIconSlotCount = 32;

struct IconSlots {
  int count = 0;                                  // "num" of the settings file, kept as read
  std::array<std::string, kIconSlotCount> names;  // empty: no picture

  // Slots 0 .. min(count, 32) - 1.
  int UsedSlots() const;
  std::span<const std::string> UsedNames() const {
    return {names.data(), static_cast<std::size_t>(UsedSlots())};
  }
  // "ADD ICON" stored `name` for `slot`: the count grows to cover it, never shrinks.
  void Assign(int slot, std::string name);
  // "Del ICON": the slot forgets its file (which stays in pacs); the count stays.
  void Clear(int slot);
};

// Which picture a row shows in front of its category's name.
struct IconChoice {
  enum class Kind {
    kNone,     // no picture
    kBuiltin,  // built-in icon `index`
    kSlot,     // the picture of slot `index`
    kKeep,     // a text that names no category: the row keeps the picture it has
  };
  Kind kind = Kind::kNone;
  int index = 0;
  friend bool operator==(const IconChoice&, const IconChoice&) = default;
};

}  // namespace purselog
