// THIMOKUForm: the category settings window "費目設定". It shows the whole of setting.dat in a
// grid for editing; "Save Close" writes it back, "Cancel" leaves the file as it was. Its grid's
// pop-up menu gives a user row a picture from a ".pac" or ".bmp" file ("ADD ICON") or takes it
// away ("Del ICON"); these change the book's icon slots at once, whichever way the window is
// then closed. Created once; the caller prepares it before each showing and, when it has
// closed, reads the category table again.
#pragma once

#include <QImage>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "book/book.h"
#include "categories/category_settings.h"
#include "categories/icons/icon_slots.h"
#include "ui/common/host.h"
#include "ui/common/skinned_dialog.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace purselog {

class CategorySettingsModel;
class SettingsGrid;

class THIMOKUForm : public SkinnedDialog {
  Q_OBJECT

 public:
  // `builtin_icons` and `pictures` are the main window's, drawn in front of the names.
  THIMOKUForm(Host& host, Book& book, IconSlotPictures& pictures,
              const std::vector<QImage>& builtin_icons, QWidget* parent);
  ~THIMOKUForm() override;

  // An opening: the grid is filled from setting.dat (edits of an earlier opening are gone) and
  // the rows get their pictures. False when the file cannot be read: the error has been shown,
  // and the window must not open (its grid would not be the file).
  bool Prepare();

  SettingsGrid* grid() const { return grid_; }
  CategorySettingsModel& model() const { return *model_; }
  const CategorySettingsTable& table() const { return table_; }
  QMenu* GridMenu() const { return grid_menu_; }
  QLabel* Label1() const { return label1_; }

  void Button1Click();   // "費目追加"
  void Button2Click();   // "選択行削除"
  void Button3Click();   // "Cancel"
  void Button4Click();   // "Save Close"
  void ADDICON1Click();  // "ADD ICON"
  void DelICON1Click();  // "Del ICON"

 private:
  void FormShow() override;
  QPushButton* MakeButton(const char* name, const QString& caption, int left);

  Host& host_;
  Book& book_;
  IconSlotPictures& pictures_;
  const std::vector<QImage>& builtin_icons_;
  CategorySettingsTable table_;
  CategorySettingsModel* model_ = nullptr;
  SettingsGrid* grid_ = nullptr;
  QLabel* label1_ = nullptr;
  QMenu* grid_menu_ = nullptr;
};

}  // namespace purselog
