// The line editors of an EntryGrid, seen in the category settings grid.
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "ui/category_settings/settings_grid.h"
#include "ui/common/look.h"

namespace purselog {

class SettingsGridTest : public QObject {
  Q_OBJECT

 private slots:
  // Frameless, in Gothic type (the name in bold), and long enough for any cell: opening a long
  // cell and leaving it must not cut it.
  void lineEditorsHoldTheWholeCell() {
    CategorySettingsTable table;
    CategorySettingsModel model(table, nullptr, nullptr);
    for (int row = 1; row <= kFirstUserRow; ++row) QVERIFY(model.AddRow());
    SettingsGrid grid(model, nullptr);
    const QString text(40000, QLatin1Char('x'));
    for (const auto& [column, bold] : {std::pair{kNameColumn, true}, std::pair{2, false}}) {
      const QModelIndex cell = model.index(CategorySettingsModel::ModelRow(kFirstUserRow), column);
      QVERIFY(model.setData(cell, text, Qt::EditRole));
      std::unique_ptr<QWidget> editor(grid.delegate().createEditor(grid.viewport(), {}, cell));
      auto* edit = qobject_cast<QLineEdit*>(editor.get());
      QVERIFY(edit != nullptr);
      grid.delegate().setEditorData(edit, cell);
      QCOMPARE(edit->text(), text);
      QVERIFY(!edit->hasFrame());
      QCOMPARE(edit->font(), GothicFont(12, bold));
    }
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::SettingsGridTest)
#include "settings_grid_test.moc"
