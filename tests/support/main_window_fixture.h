// The set-up every window test shares: a fresh program directory holding the delivered
// setting.dat, a TestHost, and the real main window started in it and made the active window;
// with helpers that drive its day grid as a person does and answer the windows it opens
// modally. A test class derives from it (and adds Q_OBJECT), calls SetUp() from init() and
// TearDown() from cleanup().
#pragma once

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPoint>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/color.h"
#include "core/text_codec.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "ui/main/day_grid.h"
#include "ui/main/day_page_model.h"
#include "ui/main/main_form.h"

namespace purselog {

using testing::ReadBytes;
using testing::TempDir;
using testing::TestHost;
using testing::WriteBytes;

class MainWindowFixture : public QObject {
 protected:
  // How Start() makes the main window; a test class may change them in its constructor.
  struct Options {
    bool open_lists = true;          // whether a list cell's editor opens with its list shown
    bool model_tester = false;       // a QAbstractItemModelTester on the day page model
    std::optional<QPoint> position;  // where the main window is moved before it is shown
  } options_;

  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<TestHost> host_;
  std::unique_ptr<Tmainform> form_;

  void SetUp() {
    dir_ = std::make_unique<TempDir>();
    std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, Path("setting.dat"));
    host_ = std::make_unique<TestHost>();
  }
  void TearDown() {
    model_tester_.reset();
    form_.reset();
    host_.reset();
    dir_.reset();
  }

  static std::string S(const char* utf8) { return Utf8ToCp932(utf8); }
  static QColor ToColor(const Rgb& color) { return QColor(color.red, color.green, color.blue); }

  ProgramPaths Paths() const { return ProgramPaths{dir_->path()}; }
  std::filesystem::path Path(const char* name) const { return dir_->path() / name; }
  std::filesystem::path Data(const char* name) const { return dir_->path() / "data" / name; }

  // A main window over the directory, not yet started.
  Tmainform& MakeForm() {
    model_tester_.reset();
    form_ = std::make_unique<Tmainform>(Paths(), *host_);
    return *form_;
  }
  // Starts a new main window, shows it and waits until it is the active window.
  bool Start() {
    MakeForm();
    if (options_.model_tester) {
      model_tester_ = std::make_unique<QAbstractItemModelTester>(
          &Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    if (!form_->FormCreate()) return false;
    Grid()->delegate().set_open_lists(options_.open_lists);
    if (options_.position) form_->move(*options_.position);
    form_->show();
    QApplication::setActiveWindow(form_.get());
    return QTest::qWaitForWindowActive(form_.get());
  }

  DayGrid* Grid() const { return form_->maingrid(); }
  DayPageModel& Model() const { return form_->page_model(); }
  QString CellText(int row, int column) const {
    return Model().index(row, column).data().toString();
  }
  QAction* Action(const char* name) const {
    return form_->findChild<QAction*>(QString::fromLatin1(name));
  }
  QAbstractButton* Button(const char* name) const {
    return form_->findChild<QAbstractButton*>(QString::fromLatin1(name));
  }
  static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

  // Puts bytes into the first cells of a row, as a command would, without an editor.
  void SetRow(int row, std::initializer_list<std::string> cells) {
    int column = 0;
    for (const std::string& cell : cells) Model().SetCellText(row, column++, cell);
  }

  // Opens the cell's list editor and chooses `entry` as the user would, which ends the edit.
  void Choose(int row, int column, const QString& entry) {
    const QModelIndex index = Model().index(row, column);
    Grid()->setCurrentIndex(index);
    Grid()->edit(index);
    auto* list = qobject_cast<QComboBox*>(Grid()->indexWidget(index));
    QVERIFY2(list != nullptr, "no list editor");
    const int position = list->findText(entry);
    QVERIFY2(position >= 0, qPrintable(entry));
    // Chosen in the open list, with Enter.
    list->showPopup();
    list->view()->setCurrentIndex(list->model()->index(position, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    QVERIFY(!Grid()->IsEditing());
    // The offscreen platform leaves the closed list's window active; a desktop gives the
    // activation back to the main window.
    QApplication::setActiveWindow(form_.get());
    QCoreApplication::processEvents();
  }

  // Opens the text editor of a cell of `grid`, replaces its text, and presses Enter.
  static void TypeInto(QAbstractItemView* grid, const QModelIndex& index, const QString& text) {
    grid->setCurrentIndex(index);
    grid->edit(index);
    auto* edit = qobject_cast<QLineEdit*>(grid->indexWidget(index));
    QVERIFY2(edit != nullptr, "no text editor");
    edit->selectAll();
    edit->del();
    // Keys for plain ASCII; other text arrives committed, as from an input method.
    bool ascii = true;
    for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
      QTest::keyClicks(edit, text);
    } else {
      edit->insert(text);
    }
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void Type(int row, int column, const QString& text) {
    TypeInto(Grid(), Model().index(row, column), text);
  }

  // A complete entry in `row`.
  void Enter(int row, const char* category, const char* description, const char* amount) {
    while (Model().rowCount() <= row) Model().InsertEmptyRow(Model().rowCount());
    Choose(row, 0, QString::fromUtf8(category));
    Choose(row, 1, QString::fromUtf8(description));
    Type(row, 2, QString::fromUtf8(amount));
  }

  void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Grid(), key, modifiers);
  }
  // A key as the user presses it: to the widget that has the focus (an open editor, say).
  void PressOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QTest::keyClick(focus, key, modifiers);
  }
  QModelIndexList Selected() const { return Grid()->selectionModel()->selectedIndexes(); }
  // Opens the editor of a cell and returns it.
  template <typename Editor>
  Editor* OpenEditor(int row, int column) {
    const QModelIndex index = Model().index(row, column);
    Grid()->SetCurrentCell(index);
    Grid()->edit(index);
    auto* editor = qobject_cast<Editor*>(Grid()->indexWidget(index));
    if (editor != nullptr) editor->setFocus();
    return editor;
  }

  // The next window shown modally runs `act` on it, shown and active as a modal window is,
  // and ends with the result it was left with (Rejected when `act` left it open).
  template <typename Window>
  void AnswerModal(std::function<void(Window&)> act, int* result = nullptr) {
    host_->modal_handlers.push_back([act = std::move(act), result](QDialog& dialog) {
      const int ended = TestHost::RunModal(dialog, [&] { act(static_cast<Window&>(dialog)); });
      if (result != nullptr) *result = ended;
      return ended;
    });
  }
  // Opens a modal window with `open` (a key, a button, a menu item) and answers it with `act`;
  // returns its result (-1: no window was shown).
  template <typename Window>
  int OpenModal(const std::function<void()>& open, std::function<void(Window&)> act) {
    int result = -1;
    AnswerModal<Window>(std::move(act), &result);
    open();
    return result;
  }

 private:
  std::unique_ptr<QAbstractItemModelTester> model_tester_;
};

}  // namespace purselog
