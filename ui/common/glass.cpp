#include "ui/common/glass.h"

#include <QList>

#include "core/text_codec.h"

namespace purselog {

QString ToGlass(std::string_view cp932) {
  QString text = QString::fromStdString(Cp932ToUtf8(cp932));
  text.replace(QChar(u'\\'), QChar(u'\u00a5'));
  return text;
}

std::string FromGlass(const QString& text) {
  QString stored = text;
  stored.replace(QChar(u'\u00a5'), QChar(u'\\'));
  return Utf8ToCp932(stored.toStdString());
}

std::optional<QString> UnstorableCharacter(const QString& text) {
  QString stored = text;
  stored.replace(QChar(u'\u00a5'), QChar(u'\\'));
  const std::optional<char32_t> character = FirstUnencodableCharacter(stored.toStdString());
  if (!character) return std::nullopt;
  return QString::fromUcs4(&*character, 1);
}

QString UnstorableCharacterMessage(const QString& character) {
  const char32_t code = character.isEmpty() ? 0 : character.toUcs4().front();
  const QString hex = QString::number(static_cast<uint>(code), 16).toUpper();
  return QStringLiteral("保存できない文字「%1」(U+%2) が含まれています")
      .arg(character, hex.rightJustified(4, QLatin1Char('0')));
}

}  // namespace purselog
