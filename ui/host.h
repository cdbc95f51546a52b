// The seam between the windows and the desktop: the clock, message boxes, modal windows and
// external programs all go through one Host, so that tests can run the real windows offscreen
// and answer every modal interaction without blocking.
#pragma once

#include <QString>

#include "core/date.h"

class QDialog;
class QWidget;

namespace purselog {

enum class MessageIcon { kNone, kInformation, kWarning, kError };

class Host {
 public:
  virtual ~Host() = default;

  // Today's date on the system clock.
  virtual Date Today() = 0;
  // A message box with one OK button; returns when it is closed.
  virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                           MessageIcon icon) = 0;
  // Shows one of the program's own windows modally; returns its result code.
  virtual int ExecModal(QDialog& dialog) = 0;
  // Starts the desktop's calculator, when there is one.
  virtual void StartCalculator() = 0;
};

// The real desktop.
class DesktopHost : public Host {
 public:
  Date Today() override;
  void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                   MessageIcon icon) override;
  int ExecModal(QDialog& dialog) override;
  void StartCalculator() override;
};

}  // namespace purselog
