#include "results_dialog.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "format_time.h"
#include "skinned_dialog_service.h"

namespace velmora {

namespace {

constexpr int kTiles = 81;
constexpr float kGraphWidth = 440.0f;
constexpr uint32_t kHour = 3600000, kWeek = 604800000;

QString Latin(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }

}  // namespace

ResultsDialog::ResultsDialog(const std::vector<PlayKey>& plays, const GameBitmapTable* art, MessageReporter& reporter,
                             QWidget* parent)
    : SkinnedDialog("Gr", QStringLiteral("Puzzle Results"), QSize(480, 480), art, reporter, parent), plays_(plays) {
  auto* done = AddButton(kDone);
  done->setDefault(true);
  connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

void ResultsDialog::SetResults(const PuzzleResults& results) {
  results_ = results;
  // The graph's time axis needs the game time, so it is built once the results are in.
  graphBuilt_ = BuildGraph();
  update();
}

void ResultsDialog::FirstShow() {
  if (!graphAttempted_) graphBuilt_ = BuildGraph();
  SkinnedDialog::FirstShow();
}

void ResultsDialog::DrawColumn(QImage& image, int deviceX, int curveRow, int scale) {
  auto grey = [&](int y, int value) {
    image.setPixel(deviceX, y, qRgba(value, value, value, qAlpha(image.pixel(deviceX, y))));
  };
  const int x = deviceX / scale;
  for (int deviceY = kGraphTop * scale; deviceY < (kGraphBottom + 1) * scale; ++deviceY) {
    const int y = deviceY / scale;
    if (x <= kGraphLeft + 1 || x >= kGraphRight - 1) {
      if (x == kGraphLeft || x == kGraphRight || y == kGraphTop || y == kGraphBottom) {
        grey(deviceY, 28);
      } else if (x == kGraphLeft + 1) {
        grey(deviceY, 70);
      } else {
        grey(deviceY, 78);
      }
      continue;
    }
    if (y <= kGraphTop + 1 || y >= kGraphBottom - 1) {
      grey(deviceY, y == kGraphTop || y == kGraphBottom ? 28 : y == kGraphTop + 1 ? 56 : 98);
      continue;
    }
    const QRgb pixel = image.pixel(deviceX, deviceY);
    int channels[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    const int steps = deviceY - curveRow;  // rows from the curve, in device pixels
    const double d = scale == 1 ? steps : static_cast<double>(steps) / scale;
    for (int& v : channels) {
      if (d < -2) {
        v = std::max(v - 50, 0);
      } else if (d > 2) {
        v = std::min(v + (424 - y) / 5, 255);
      } else {
        const double raised = std::pow(static_cast<double>(v), 1.6 - 0.25 * std::abs(d));
        v = static_cast<int>(std::min(raised, 255.0));
      }
    }
    image.setPixel(deviceX, deviceY, qRgba(channels[0], channels[1], channels[2], qAlpha(pixel)));
  }
}

bool ResultsDialog::BuildGraph() {
  if (graphAttempted_) {
    LogFault("Attempted to rebuild graph image!");
    return true;
  }
  graphAttempted_ = true;
  QImage& image = MutableBackground();
  if (image.isNull() || image.width() < 480 || image.height() < 480) {
    LogFault("Failed to retrieve pixel data from the background image!");
    return false;
  }
  for (int x = 100; x <= 379; ++x) {
    image.setPixel(x, 84, qRgba(255, 255, 255, qAlpha(image.pixel(x, 84))));
    image.setPixel(x + 1, 85, qRgba(32, 32, 32, qAlpha(image.pixel(x + 1, 85))));
  }
  // On a scaled screen the graph is drawn again, finer, on a background of twice the size.
  QImage sharp;
  if (devicePixelRatioF() > 1.0) {
    // Every pixel becomes two by two, bytes and all (QImage::scaled would
    // premultiply, and the background's alpha is 0).
    sharp = QImage(image.size() * 2, QImage::Format_ARGB32);
    for (int y = 0; y < sharp.height(); ++y) {
      const QRgb* from = reinterpret_cast<const QRgb*>(image.constScanLine(y / 2));
      QRgb* to = reinterpret_cast<QRgb*>(sharp.scanLine(y));
      for (int x = 0; x < sharp.width(); ++x) to[x] = from[x / 2];
    }
    sharp.setDevicePixelRatio(2);
  }
  int count = kTiles;
  for (const PlayKey& play : plays_) count += play.flag ? -1 : 1;
  startCount_ = count;
  startHeight_ = static_cast<int>(static_cast<float>(count) * kRowHeight);

  const float xScale = kGraphWidth / static_cast<float>(std::max<uint32_t>(results_.gameTime, 1));
  float previousX = 0.0f;
  float previousHeight = static_cast<float>(count) * kRowHeight;
  for (size_t i = 0; i < plays_.size(); ++i) {
    count += plays_[i].flag ? 1 : -1;
    float newX = static_cast<float>(plays_[i].time) * xScale;
    const float newHeight = static_cast<float>(count) * kRowHeight;
    if (i + 1 == plays_.size() && newX < kGraphWidth) newX = kGraphWidth;
    const int width = static_cast<int>(newX) - static_cast<int>(previousX);
    if (width <= 0) continue;
    const float slope = std::trunc(newHeight - previousHeight) / static_cast<float>(width);
    for (int k = 0; k < width; ++k) {
      const int x = static_cast<int>(static_cast<float>(k) + previousX + 20.0f);
      const int curveRow = std::min(static_cast<int>(424.0f - (static_cast<float>(k) * slope + previousHeight)), 423);
      if (x >= 0 && x < image.width()) DrawColumn(image, x, curveRow);
    }
    if (!sharp.isNull()) {
      const int firstX = 2 * (static_cast<int>(previousX) + 20);
      for (int k = 0; k < 2 * width; ++k) {
        const float along = static_cast<float>(k) / 2.0f;
        const int curveRow =
            std::min(static_cast<int>(2.0f * (424.0f - (along * slope + previousHeight))), 2 * 423 + 1);
        if (firstX + k >= 0 && firstX + k < sharp.width()) DrawColumn(sharp, firstX + k, curveRow, 2);
      }
    }
    previousX = newX;
    previousHeight = newHeight;
  }
  if (!sharp.isNull()) MutableSharpBackground() = std::move(sharp);
  return true;
}

std::string ResultsDialog::EndTimeText(uint32_t gameTime) {
  if (gameTime >= kWeek) {
    const uint32_t weeks = gameTime / kWeek;
    return "Over " + std::to_string(weeks) + " week" + (weeks > 1 ? "s" : "");
  }
  return FormatTime(gameTime, 2);
}

std::vector<SkinnedDialog::Label> ResultsDialog::Labels() const {
  std::vector<Label> labels;
  auto add = [&](QRect rect, const std::string& text, Qt::Alignment alignment) {
    const TextFormat format = alignment == Qt::AlignHCenter ? TextFormat::kSingleLineCentred
                              : alignment == Qt::AlignRight ? TextFormat::kSingleLineRight
                                                            : TextFormat::kLabel;
    labels.push_back({rect, Latin(text), format});
  };
  // The chart.
  const int h = startHeight_;
  add(Box(25, 426 - h, 460, 446 - h), std::to_string(std::max(startCount_, 0)) + " tiles", Qt::AlignLeft);
  add(Box(20, 182, 455, 202), std::to_string(kTiles) + " tiles", Qt::AlignRight);
  add(Box(25, 402, 460, 422), results_.gameTime > kHour - 1 ? "0:00:00" : "0:00", Qt::AlignLeft);
  add(Box(20, 402, 455, 422), EndTimeText(results_.gameTime), Qt::AlignRight);
  add(Box(20, 185, 460, 205), "Solution - Puzzle " + results_.puzzleCode, Qt::AlignHCenter);
  // The statistics.
  std::string first = "Congratulations, you win!";
  if (results_.perfect) first += " Perfect Game!";
  if (results_.newBest) first += " Personal Best!";
  add(Box(0, 20, 480, 40), first, Qt::AlignHCenter);
  add(Box(0, 42, 480, 62), "Solved in " + FormatTime(results_.gameTime, 1) + ".", Qt::AlignHCenter);
  auto tenths = [](int32_t value) {
    return value == -1 ? std::string("No Data") : FormatTime(int64_t{value} * 100, 3);
  };
  add(Box(0, 64, 480, 84), "Best: " + tenths(results_.bestTime) + " - Average: " + tenths(results_.averageTime),
      Qt::AlignHCenter);
  const std::pair<const char*, std::string> rows[] = {{"Game Type", results_.kind},
                                                      {"Mistakes", std::to_string(results_.mistakes)},
                                                      {"Free Plays", std::to_string(results_.freePlays)},
                                                      {"Hints", std::to_string(results_.hints)}};
  for (int row = 0; row < 4; ++row) {
    const int top = 90 + 22 * row;
    add(Box(120, top, 480, top + 20), rows[row].first, Qt::AlignLeft);
    add(Box(0, top, 360, top + 20), rows[row].second, Qt::AlignRight);
  }
  return labels;
}

void ResultsDialog::paintEvent(QPaintEvent* event) {
  if (graphBuilt_) {
    SkinnedDialog::paintEvent(event);
    return;
  }
  // Without the graph only Done shows, on the plain background.
  QPainter painter(this);
  if (Background().isNull()) {
    painter.fillRect(rect(), Qt::black);
  } else {
    painter.drawImage(QPoint(0, 0), Background(), QRect(0, 0, 480, 480));
  }
}

QString ResultsDialog::SpokenText() const {
  // Labels() gives the chart's five labels (the puzzle's the last of them),
  // then the three lines of statistics and four rows of a title and its value.
  const std::vector<Label> labels = Labels();
  constexpr size_t kChart = 5, kLines = 3;
  if (!graphBuilt_ || labels.size() < kChart + kLines) return {};
  QStringList lines;
  for (size_t i = kChart; i < kChart + kLines; ++i) lines << labels[i].text;
  for (size_t i = kChart + kLines; i + 1 < labels.size(); i += 2) lines << labels[i].text + ": " + labels[i + 1].text;
  lines << labels[kChart - 1].text;
  return lines.join(QLatin1Char('\n'));
}

int ResultsDialog::FaceOf(int id, bool pressed) const {
  if (id == kDone) return pressed ? 297 : 298;
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> ResultsDialog::ControlTable() const { return {{kDone, 190, 438, 100, 28}}; }

// The game's call: the dialog run for it (SkinnedDialogService).
void SkinnedDialogService::Results(const PuzzleResults& results) {
  ResultsDialog dialog(results.playKeys, &art_, reporter_, owner_);
  dialog.SetResults(results);
  dialog.exec();
}

}  // namespace velmora
