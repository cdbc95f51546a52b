#include "ui/glass.h"

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

}  // namespace purselog
