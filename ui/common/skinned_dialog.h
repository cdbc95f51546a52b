// SkinnedDialog: a borderless dialog in the program's skin. Its fixed size, font and caption,
// the skin painted once and drawn under its controls, and its place at showing. A window
// derived from it adds its title label (MakeTitleLabel, which drags the window) and its
// controls, and does its work of each showing in FormShow.
#pragma once

#include <QDialog>
#include <QImage>

namespace purselog {

class SkinnedDialog : public QDialog {
 public:
  enum class Placement {
    kCentredAtEachShowing,
    kCentredAtFirstShowing,
    kPlacedByWindow,  // the window moves itself before it is shown
  };

  SkinnedDialog(QWidget* parent, const char* object_name, const QString& caption, const QSize& size,
                Placement placement);

 protected:
  // The window's own work at each showing, after it has been placed (not when the system shows
  // it again after a minimise).
  virtual void FormShow() {}

  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage skin_;
  Placement placement_;
  bool shown_before_ = false;
};

}  // namespace purselog
