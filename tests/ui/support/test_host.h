// A Host for window tests: a fixed clock, recorded message boxes, and modal windows answered by
// scripted handlers instead of blocking.
#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "ui/host.h"

namespace purselog::testing {

class TestHost : public Host {
 public:
  struct Message {
    QString caption;
    QString text;
    MessageIcon icon;
  };
  // Runs a modal window in place of exec(): may show it, act on it, and returns its result.
  using ModalHandler = std::function<int(QDialog&)>;

  Date today = MakeDate(2024, 1, 31);
  std::vector<Message> messages;
  std::deque<ModalHandler> modal_handlers;
  std::vector<QString> modal_windows;  // object names of the windows shown modally
  int calculators_started = 0;

  Date Today() override { return today; }

  void ShowMessage(QWidget*, const QString& caption, const QString& text,
                   MessageIcon icon) override {
    messages.push_back({caption, text, icon});
  }

  // Without a handler the window is "closed another way": it is shown, then hidden, and the
  // result is Rejected.
  int ExecModal(QDialog& dialog) override {
    modal_windows.push_back(dialog.objectName());
    if (modal_handlers.empty()) return RunModal(dialog, [] {});
    ModalHandler handler = std::move(modal_handlers.front());
    modal_handlers.pop_front();
    return handler(dialog);
  }

  void StartCalculator() override { ++calculators_started; }

  // Shows the dialog without a nested event loop, runs `act`, and returns the result the
  // dialog ended with (Rejected when `act` left it open, which then closes it).
  static int RunModal(QDialog& dialog, const std::function<void()>& act) {
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    act();
    if (dialog.isVisible()) dialog.hide();
    return dialog.result();
  }
};

}  // namespace purselog::testing
