#include "ui/common/command.h"

#include <QString>
#include <exception>

#include "ui/common/host.h"

namespace purselog {

void ShowNotice(Host& host, QWidget* parent, const Notice& notice) {
  host.ShowMessage(parent, QString::fromStdString(notice.caption),
                   QString::fromStdString(notice.text),
                   notice.error ? MessageIcon::kError : MessageIcon::kNone);
}

void ShowNotices(Host& host, QWidget* parent, const std::vector<Notice>& notices) {
  for (const Notice& notice : notices) ShowNotice(host, parent, notice);
}

bool RunCommand(Host& host, QWidget* parent, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const std::exception& error) {
    ShowNotice(host, parent, ErrorNotice(error.what()));
  } catch (...) {
    ShowNotice(host, parent, ErrorNotice("Unexpected failure"));
  }
  return false;
}

}  // namespace purselog
