// The one boundary of every user action (a button, a menu item, a key, a dialog's close): the
// program's errors and any other std::exception thrown inside it are shown as the program shows
// errors, and the window stays usable. No exception leaves a Qt slot or event handler.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <type_traits>
#include <vector>

#include "core/notice.h"

namespace purselog {

class Host;

// Shows the notice: an error with the error icon, the program's own messages without one.
void ShowNotice(Host& host, QWidget* parent, const Notice& notice);
void ShowNotices(Host& host, QWidget* parent, const std::vector<Notice>& notices);

// Runs `action`; an exception is shown as an error notice. Returns false when `action` threw.
bool RunCommand(Host& host, QWidget* parent, const std::function<void()>& action);

// The one way a signal reaches a handler of a window: through RunCommand, with the window as
// the parent of what it shows. The handler is a member function of the window or any callable;
// it gets the signal's arguments when it takes them.
template <typename Sender, typename Signal, typename Window, typename Handler>
QMetaObject::Connection ConnectCommand(Host& host, const Sender* sender, Signal signal,
                                       Window* window, Handler handler,
                                       Qt::ConnectionType type = Qt::AutoConnection) {
  return QObject::connect(
      sender, signal, window,
      [&host, window, handler](auto... arguments) {
        RunCommand(host, window, [&] {
          if constexpr (std::is_invocable_v<Handler, Window*, decltype(arguments)...>) {
            std::invoke(handler, window, arguments...);
          } else if constexpr (std::is_invocable_v<Handler, Window*>) {
            std::invoke(handler, window);
          } else if constexpr (std::is_invocable_v<Handler, decltype(arguments)...>) {
            std::invoke(handler, arguments...);
          } else {
            std::invoke(handler);
          }
        });
      },
      type);
}

}  // namespace purselog
