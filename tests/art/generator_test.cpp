// The art is drawn at build time, so the generator must give the same bytes on
// every run.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "art_test_support.h"

namespace velmora::arttest {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Starts the generator with the arguments, headless.
void Start(QProcess& gen, const QStringList& arguments) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  gen.setProcessEnvironment(env);
  gen.start(QStringLiteral(VELMORA_ARTGEN), arguments);
}

TEST(ArtGenerator, DrawsTheSameBytesAgain) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QProcess gen;
  Start(gen, {QStringLiteral("--out"), dir.path()});
  ASSERT_TRUE(gen.waitForFinished(60000));
  ASSERT_EQ(gen.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().constData();

  const QString built = QStringLiteral(VELMORA_ART_GENERATED_DIR);
  int files = 0;
  QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString rel = QDir(dir.path()).relativeFilePath(path);
    ++files;
    EXPECT_EQ(ReadAll(path), ReadAll(built + '/' + rel)) << qPrintable(rel) << " differs from the build's";
  }
  // 177 bitmaps, the icon, the 12 PNG files and their digests.
  EXPECT_EQ(files, 191);
}

TEST(ArtGenerator, RejectsUnknownArguments) {
  QProcess gen;
  Start(gen, {QStringLiteral("--bogus"), QStringLiteral("x")});
  ASSERT_TRUE(gen.waitForFinished(60000));
  EXPECT_NE(gen.exitCode(), 0);
}

}  // namespace
}  // namespace velmora::arttest
