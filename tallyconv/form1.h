// TForm1: the converter's one window "Form1". The file list shows every file of the data folder;
// ">>変換" converts the selected ones whose name is an integer text into <name>.csv, showing each
// selected file in the text area as it is handled, then lists the folder again and says
// "変換完了". A file the grid file reader refuses stops the run with the reader's message.
#pragma once

#include <QWidget>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/paths.h"
#include "ui/common/host.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace purselog {

// The caption of the converter's error messages.
inline constexpr std::string_view kConverterTitle = "tallyconv";

// The text area shows at most this many bytes of a file or of its converted lines; the
// conversion itself is never cut.
inline constexpr std::size_t kShownTextBytes = std::size_t{1} << 20;

class TForm1 : public QWidget {
 public:
  TForm1(const ProgramPaths& paths, Host& host);

  // Start: lists the data folder. Without a data folder, says so and returns false: the
  // program then ends.
  bool FormCreate();

  // ">>変換".
  void Button1Click();

  QListWidget* FileListBox1() const { return file_list_; }
  QPushButton* Button1() const { return button_; }
  QPlainTextEdit* Memo1() const { return memo_; }

 private:
  // Runs a user action; an error is shown and ends the action.
  void Run(const std::function<void()>& action);
  void RefreshFileList();
  // The text area with the file's lines as they are read (empty when it cannot be read).
  void ShowFileText(const std::filesystem::path& path);
  void ShowLines(const std::vector<std::string>& lines);

  ProgramPaths paths_;
  Host& host_;
  QListWidget* file_list_ = nullptr;
  QPushButton* button_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
};

}  // namespace purselog
