// TFindDialog: the find window of the search across months, "FindDialog1". Modeless over the
// main window: one text field and find-next, searching downward only (no letter-case, whole-word
// or direction choices). Each opening builds a fresh index of every month file as stored; each
// find-next opens the day of the next hit through the main window's change of date. Closing the
// window discards the index.
#pragma once

#include <QDialog>
#include <functional>

#include "core/paths.h"
#include "search/search_index.h"
#include "ui/common/host.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace purselog {

class TFindDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens the day of a hit; false when the day could not be opened (the reason has been shown).
  using OpenDay = std::function<bool(const Date&)>;

  TFindDialog(Host& host, ProgramPaths paths, OpenDay open_day, QWidget* parent);

  // "検索": shows the window, then builds the index (position 0, no last text). When the index
  // cannot be built the error is shown and the window stays open with no index: every find-next
  // then finds nothing.
  void Open();
  // The find-next button: one search step with the text of the field.
  void FindDialog1Find();
  // The window closed: the index is discarded.
  void FindDialog1Close();

  // Whether an opening built an index that is still held.
  bool HasIndex() const { return has_index_; }
  const SearchIndex& Index() const { return index_; }

  QLineEdit* FindText() const { return text_; }
  QPushButton* FindNextButton() const { return find_next_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void PlaceBesideParent();

  Host& host_;
  ProgramPaths paths_;
  OpenDay open_day_;
  SearchIndex index_;
  bool has_index_ = false;
  bool placed_ = false;
  QLineEdit* text_ = nullptr;
  QPushButton* find_next_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace purselog
