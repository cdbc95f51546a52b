#include "ui/common/resources.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void InitPurselogResources() { Q_INIT_RESOURCE(resources); }

namespace purselog {

void InitResources() {
  static const bool done = [] {
    InitPurselogResources();
    return true;
  }();
  (void)done;
}

QImage BuiltinIconStrip() {
  InitResources();
  return QImage(QStringLiteral(":/purselog/iconstrip.png"));
}

}  // namespace purselog
