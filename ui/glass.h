// Where Shift_JIS bytes meet the screen. The byte 0x5C shows as the yen sign, as it does in a
// Japanese font, and a yen sign typed by the user is stored as 0x5C.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace purselog {

QString ToGlass(std::string_view cp932);
std::string FromGlass(const QString& text);

}  // namespace purselog
