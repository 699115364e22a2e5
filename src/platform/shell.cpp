#include "shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace velmora {

// xdg-open tells by its exit status whether it found a program for the document;
// without it, Qt's own launchers say at once whether one could be started.
void OpenWithDefaultProgram(const std::string& path, std::function<void(const std::string& fullPath)> notOpened) {
  const QString absolute = QDir::current().absoluteFilePath(QString::fromStdString(path));
  const std::string full = absolute.toStdString();
  if (!QFileInfo(absolute).isFile()) {
    notOpened(full);
    return;
  }
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(absolute))) notOpened(full);
    return;
  }
  // Lives until the opener ends; some desktops keep it running as long as the program it started.
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(process, &QProcess::finished, process,
                   [process, notOpened, full](int exitCode, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || exitCode != 0) notOpened(full);
                     process->deleteLater();
                   });
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [process, notOpened, full](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     notOpened(full);
                     process->deleteLater();
                   });
  process->start(opener, {absolute});
}

}  // namespace velmora
