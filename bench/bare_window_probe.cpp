// The floor of the start-up benchmarks: a bare Qt Widgets program that shows one window of the
// main window's size with a label in a Japanese font, on the offscreen platform, and exits as
// soon as it has been painted, printing the resident memory then and its peak (kB). With --hold,
// it first reads every file of DIRECTORY into memory as lines, as the floor of the program's
// peak memory with the history loaded.
//   purselog_bare_window_probe [--family NAME] [--hold DIRECTORY]
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key)));
  }
  return -1;
}

std::vector<std::string> HoldLines(const std::filesystem::path& directory) {
  std::vector<std::string> lines;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    std::ifstream file(entry.path(), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) lines.push_back(line);
  }
  return lines;
}

}  // namespace

int main(int argc, char* argv[]) {
  QString family = QStringLiteral("IPAPGothic");
  const char* hold = nullptr;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view arg = argv[i];
    if (arg == "--family") {
      family = QString::fromLocal8Bit(argv[i + 1]);
    } else if (arg == "--hold") {
      hold = argv[i + 1];
    } else {
      return 2;
    }
  }
  const std::vector<std::string> lines =
      hold != nullptr ? HoldLines(hold) : std::vector<std::string>();

  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QFont font(family);
  font.setPixelSize(12);
  QApplication::setFont(font);
  QWidget window;
  window.resize(480, 360);
  QLabel label(QStringLiteral("家計簿 2024/12/31 (火) Total ¥123,456 /Month"), &window);
  label.move(24, 24);
  window.show();
  QTimer::singleShot(0, &app, [&] {
    window.repaint();
    std::printf("%ld %ld %zu\n", StatusKilobytes("VmRSS:"), StatusKilobytes("VmHWM:"),
                lines.size());
    std::fflush(stdout);
    std::_Exit(0);
  });
  return QApplication::exec();
}
