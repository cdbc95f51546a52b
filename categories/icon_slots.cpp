#include "categories/icon_slots.h"

#include <algorithm>

namespace purselog {

int IconSlots::UsedSlots() const { return std::clamp(count, 0, kIconSlotCount); }

void IconSlots::Assign(int slot, std::string name) {
  if (slot < 0 || slot >= kIconSlotCount) return;
  names[static_cast<std::size_t>(slot)] = std::move(name);
  count = std::max(count, slot + 1);
}

void IconSlots::Clear(int slot) {
  if (slot < 0 || slot >= kIconSlotCount) return;
  names[static_cast<std::size_t>(slot)].clear();
}

}  // namespace purselog
