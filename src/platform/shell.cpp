#include "shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace velmora {

bool OpenWithDefaultProgram(const std::string& path) {
  const QString absolute = QDir::current().absoluteFilePath(QString::fromStdString(path));
  return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

}  // namespace velmora
