#include "categories/icons/icon_slots.h"

#include <algorithm>
#include <map>

#include "core/errors.h"
#include "core/text_codec.h"
#include "core/text_file.h"

namespace purselog {

namespace {

const QImage kNoPicture;

bool IsSlot(int slot) { return slot >= 0 && slot < kIconSlotCount; }

}  // namespace

std::optional<IconFile> LoadIconFile(const std::filesystem::path& path, BmpRule rule,
                                     QRgb background) {
  const IconFileKind kind = IconFileKindOf(path);
  if (kind == IconFileKind::kOther) return std::nullopt;
  IconFile file;
  try {
    file.bytes = ReadFileBytes(path, kMaxIconFileBytes);
  } catch (const FileError&) {
    return std::nullopt;
  }
  std::optional<QImage> composed = ComposeIconFile(kind, file.bytes, rule, background);
  if (!composed) return std::nullopt;
  file.composed = std::move(*composed);
  return file;
}

std::optional<std::string> StorableIconName(const std::filesystem::path& name) {
  const std::string utf8 = name.string();
  if (utf8.empty() || FirstUnencodableCharacter(utf8)) return std::nullopt;
  std::string bytes = Utf8ToCp932(utf8);
  if (std::any_of(bytes.begin(), bytes.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
    return std::nullopt;
  }
  if (bytes.front() == ' ' || bytes.back() == ' ') return std::nullopt;
  if (bytes.size() >= 2 && bytes.front() == '"' && bytes.back() == '"') return std::nullopt;
  return bytes;
}

void IconSlotPictures::Load(const std::filesystem::path& pacs_dir,
                            std::span<const std::string> names) {
  const std::size_t used = std::min(names.size(), pictures_.size());
  std::map<std::string, QImage> composed;  // by file name: each file is read once
  for (std::size_t slot = 0; slot < used; ++slot) {
    pictures_[slot] = QImage();
    if (names[slot].empty()) continue;
    auto [found, added] = composed.try_emplace(names[slot]);
    if (added) {
      if (const std::optional<IconFile> file = LoadIconFile(pacs_dir / Cp932ToUtf8(names[slot]),
                                                            BmpRule::kSixteenWide, background_)) {
        found->second = file->composed;
      }
    }
    Set(static_cast<int>(slot), found->second);
  }
}

const QImage& IconSlotPictures::Picture(int slot) const {
  return IsSlot(slot) ? pictures_[static_cast<std::size_t>(slot)] : kNoPicture;
}

void IconSlotPictures::Set(int slot, const QImage& composed) {
  if (!IsSlot(slot)) return;
  pictures_[static_cast<std::size_t>(slot)] =
      composed.isNull() ? QImage() : WithTransparentBackground(composed, background_);
}

std::optional<std::string> IconSlotPictures::AddIcon(int slot, const std::filesystem::path& chosen,
                                                     const std::filesystem::path& pacs_dir) {
  if (!IsSlot(slot)) return std::nullopt;
  std::optional<std::string> name = StorableIconName(chosen.filename());
  if (!name) return std::nullopt;
  const std::optional<IconFile> file = LoadIconFile(chosen, BmpRule::kSixteenSquare, background_);
  if (!file) return std::nullopt;
  // The bytes just decoded are the copy: what the slot shows is what pacs holds.
  WriteFileAtomic(pacs_dir / Cp932ToUtf8(*name), file->bytes);
  Set(slot, file->composed);
  return name;
}

QImage ChosenPicture(const IconChoice& choice, const std::vector<QImage>& builtin_icons,
                     const IconSlotPictures& pictures) {
  switch (choice.kind) {
    case IconChoice::Kind::kBuiltin:
      if (choice.index >= 0 && choice.index < static_cast<int>(builtin_icons.size())) {
        return builtin_icons[static_cast<std::size_t>(choice.index)];
      }
      return {};
    case IconChoice::Kind::kSlot:
      return pictures.Picture(choice.index);
    case IconChoice::Kind::kNone:
    case IconChoice::Kind::kKeep:
      return {};
  }
  return {};
}

}  // namespace purselog
