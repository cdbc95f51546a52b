// A Host for window tests: a fixed clock, recorded message boxes, modal windows answered by
// scripted handlers instead of blocking, and scripted answers to the file and print dialogs.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTest>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "ui/common/host.h"

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
  std::vector<QString> modeless_windows;
  // Answers of the file dialogs, in order (nullopt: cancelled; none left: cancelled), and what
  // they were asked.
  std::deque<std::optional<QString>> file_answers;
  std::vector<FileDialogRequest> file_requests;
  // Answers of the print dialog (none left: cancelled); it may set up the printer.
  std::deque<std::function<bool(QPrinter&)>> print_answers;
  // Called at every pump of a long wait.
  std::function<void()> on_pump;
  int pumps = 0;
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

  void ShowModeless(QWidget& window) override {
    modeless_windows.push_back(window.objectName());
    window.show();
  }

  std::optional<QString> SaveFileName(QWidget*, const FileDialogRequest& request) override {
    return NextFileAnswer(request);
  }
  std::optional<QString> OpenFileName(QWidget*, const FileDialogRequest& request) override {
    return NextFileAnswer(request);
  }

  bool ExecPrintDialog(QWidget*, QPrinter& printer) override {
    if (print_answers.empty()) return false;
    auto answer = std::move(print_answers.front());
    print_answers.pop_front();
    return answer(printer);
  }

  void PumpEvents() override {
    ++pumps;
    if (on_pump) on_pump();
  }

  void StartCalculator() override { ++calculators_started; }

  // Shows the dialog without a nested event loop, runs `act`, and returns the result the
  // dialog ended with (Rejected when `act` left it open, which then closes it). Meanwhile the
  // dialog is the active window, as a modal window is (keys go to its focus widget).
  static int RunModal(QDialog& dialog, const std::function<void()>& act) {
    QWidget* const active = QApplication::activeWindow();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    Activate(dialog);
    act();
    if (dialog.isVisible()) dialog.hide();
    if (active != nullptr) Activate(*active);
    return dialog.result();
  }
  static bool Activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; });
  }
  // A key pressed as a person presses it: to the widget that has the focus.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
  }

 private:
  std::optional<QString> NextFileAnswer(const FileDialogRequest& request) {
    file_requests.push_back(request);
    if (file_answers.empty()) return std::nullopt;
    std::optional<QString> answer = std::move(file_answers.front());
    file_answers.pop_front();
    return answer;
  }
};

}  // namespace purselog::testing
