// The seam between the windows and the desktop: the clock, message boxes, modal windows, the
// file and print dialogs, the modeless find window, the event pump of a long wait and external
// programs all go through one Host, so that tests can run the real windows offscreen and answer
// every modal interaction without blocking.
#pragma once

#include <QString>
#include <optional>

#include "core/date.h"

class QDialog;
class QPrinter;
class QWidget;

namespace purselog {

enum class MessageIcon { kNone, kInformation, kWarning, kError };

// What a file dialog asks. The filter is written as pairs of a description and its patterns,
// all separated by "|", patterns by ";": "CSVファイル(*.csv)|*.csv".
struct FileDialogRequest {
  QString filter;
  QString directory;  // where the dialog opens
  QString file_name;  // the name it proposes (save dialogs)
};

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
  // Shows a window that stays open beside the main window (the find window).
  virtual void ShowModeless(QWidget& window) = 0;
  // The file to write, asked with the save dialog (which asks before replacing a file); nullopt
  // when cancelled.
  virtual std::optional<QString> SaveFileName(QWidget* parent,
                                              const FileDialogRequest& request) = 0;
  // The file to read, asked with the open dialog; nullopt when cancelled.
  virtual std::optional<QString> OpenFileName(QWidget* parent,
                                              const FileDialogRequest& request) = 0;
  // The print dialog over `printer` (its copies, its job title); false when cancelled.
  virtual bool ExecPrintDialog(QWidget* parent, QPrinter& printer) = 0;
  // Dispatches the pending window events without waiting, during a wait that is not a modal
  // window (the HTTP get, which waits on its sockets in short steps), so that its cancel button
  // still works.
  virtual void PumpEvents() = 0;
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
  void ShowModeless(QWidget& window) override;
  std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  bool ExecPrintDialog(QWidget* parent, QPrinter& printer) override;
  void PumpEvents() override;
  void StartCalculator() override;
};

// The filter of a FileDialogRequest in the form of Qt's file dialogs: "CSVファイル(*.csv) (*.csv)".
QString QtFileFilter(const QString& filter);

}  // namespace purselog
