// Where Shift_JIS bytes meet the screen. The byte 0x5C shows as the yen sign, as it does in a
// Japanese font, and a yen sign typed by the user is stored as 0x5C.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace purselog {

QString ToGlass(std::string_view cp932);
// The bytes of a typed text. A character without a Shift_JIS form would be stored as "?":
// check the text with UnstorableCharacter first.
std::string FromGlass(const QString& text);

// The first character of a typed text that cannot be stored (one that has no Shift_JIS form,
// also after the usual substitutes of the input methods, such as U+301C for ～), or nullopt.
std::optional<QString> UnstorableCharacter(const QString& text);
// The message that refuses it: "保存できない文字「〓」(U+3013) が含まれています".
QString UnstorableCharacterMessage(const QString& character);

}  // namespace purselog
