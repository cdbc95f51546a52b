#include "ui/host.h"

#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <ctime>

namespace purselog {

Date DesktopHost::Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return MakeDate(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                  static_cast<unsigned>(local.tm_mday));
}

void DesktopHost::ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                              MessageIcon icon) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  switch (icon) {
    case MessageIcon::kNone:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MessageIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::kWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::kError:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

int DesktopHost::ExecModal(QDialog& dialog) { return dialog.exec(); }

void DesktopHost::StartCalculator() {
  for (const char* program :
       {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc"}) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
  }
}

}  // namespace purselog
