// The one boundary of every user action (a button, a menu item, a key, a dialog's close): the
// program's errors and any other std::exception thrown inside it are shown as the program shows
// errors, and the window stays usable. No exception leaves a Qt slot or event handler.
#pragma once

#include <functional>
#include <vector>

#include "core/notice.h"

class QWidget;

namespace purselog {

class Host;

// Shows the notice: an error with the error icon, the program's own messages without one.
void ShowNotice(Host& host, QWidget* parent, const Notice& notice);
void ShowNotices(Host& host, QWidget* parent, const std::vector<Notice>& notices);

// Runs `action`; an exception is shown as an error notice. Returns false when `action` threw.
bool RunCommand(Host& host, QWidget* parent, const std::function<void()>& action);

}  // namespace purselog
