#include "message_dialog.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "accessibility.h"

namespace velmora {

namespace {

constexpr int kWidth = 400;
constexpr int kLongestLine = 256;  // a line this long or longer shows empty
constexpr size_t kLineCharacters = 259;
constexpr int kInsetMargin = 70;
constexpr int kButtonWidth = 100, kButtonHeight = 28;

QString Latin(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }

}  // namespace

MessageDialog::MessageDialog(std::string_view text, int kind, const std::array<QImage, 3>& backgrounds,
                             const GameBitmapTable* art, MessageReporter& reporter, QWidget* parent)
    : SkinnedDialog("", QStringLiteral("Message"), QSize(kWidth, 150), art, reporter, parent, false),
      text_(text.substr(0, std::min(text.size(), kMaxText))),
      kind_(kind == kQuestion ? kQuestion : kNotice),
      backgrounds_(backgrounds) {
  auto* ok = AddButton(kOk);
  auto* cancel = AddButton(kCancel);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    result_ = kind_ == kQuestion ? kYes : kOkPressed;
    done(result_);
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    result_ = kNo;
    done(result_);
  });
  if (kind_ == kNotice) {
    cancel->setEnabled(false);
    cancel->hide();
  }
  if (text_.find("$n") != std::string::npos) {
    if (!Parse()) {
      result_ = kind_ == kQuestion ? kNo : 0;
      return;
    }
  } else {
    wrapped_ = WrapPlainText(text_);
  }
  ChooseSize();
  SetClientSize(QSize(kWidth, height_));
  SetBackground(backgrounds_[static_cast<size_t>(height_ / 150 - 1)]);
}

bool MessageDialog::Parse() {
  lines_.assign(1, LineRecord{});
  const int length = static_cast<int>(text_.size());
  auto at = [&](int i) { return i < length ? text_[static_cast<size_t>(i)] : '\0'; };
  auto endLine = [&](LineRecord& line, int start, int end) {
    line.start = start;
    line.end = end - start >= kLongestLine ? start : end;
  };
  int start = 0;
  int i = 0;
  while (i <= length) {
    if (at(i) != '$') {
      ++i;
      continue;
    }
    switch (at(i + 1)) {
      case 'n':
        endLine(lines_.back(), start, i);
        start = i + 2;
        lines_.push_back(LineRecord{});
        break;
      case 'L': lines_.back().alignment = kLeft; break;
      case 'R': lines_.back().alignment = kRight; break;
      case 'c': lines_.back().alignment = kCentre; break;
      case 'l': lines_.back().alignment = kLeftInset; break;
      case 'r': lines_.back().alignment = kRightInset; break;
      case 't': lines_.back().sameRow = true; break;
      case '$': break;
      default:
        valid_ = false;
        lines_.clear();
        return false;
    }
    i += 2;
  }
  endLine(lines_.back(), start, std::min(i, length));
  for (LineRecord& line : lines_) {
    for (int k = line.start; k < line.end && line.text.size() < kLineCharacters; ++k) {
      if (text_[static_cast<size_t>(k)] == '$') {
        ++k;
        continue;
      }
      line.text += text_[static_cast<size_t>(k)];
    }
  }
  parsed_ = true;
  return true;
}

std::string MessageDialog::WrapPlainText(const std::string& text) {
  const QFontMetrics metrics(DefaultFont());
  const int width = metrics.horizontalAdvance(Latin(text));
  if (width < kTextWidth) return text;
  const size_t perLine = text.size() / static_cast<size_t>(width / kTextWidth + 1);
  size_t from = 0;
  for (size_t i = text.size(); i-- > 1;) {
    if (text[i] == '\n') {
      from = i;
      break;
    }
  }
  std::string wrapped = text.substr(0, from);
  size_t count = 0;
  for (size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    wrapped += c;
    if (c == '\n') {
      count = 0;
    } else if (c == ' ' && count >= perLine) {
      wrapped += '\n';
      count = 0;
    } else {
      ++count;
    }
  }
  return wrapped;
}

void MessageDialog::ChooseSize() {
  int rows = 0;
  if (parsed_) {
    rows =
        static_cast<int>(std::count_if(lines_.begin(), lines_.end(), [](const LineRecord& l) { return !l.sameRow; }));
  } else {
    rows = static_cast<int>(std::count(wrapped_.begin(), wrapped_.end(), '\n'));
  }
  if (rows < 3) {
    height_ = 150;
  } else if (rows < 9) {
    height_ = 300;
  } else if (rows < 20) {
    height_ = 450;
  } else {
    height_ = 150;
    blanked_ = true;
    wrapped_.clear();
    for (LineRecord& line : lines_) line.text.clear();
  }
  inset_ = height_ == 450 ? 10 : 0;
}

QRect MessageDialog::TextRect() const { return Box(14, 15 - inset_, 386, height_ + inset_ - 71); }

std::vector<int> MessageDialog::RowsOfLines() const {
  std::vector<int> rows;
  int count = 0;
  for (const LineRecord& line : lines_) {
    const int row = line.sameRow ? count : count + 1;
    rows.push_back(row);
    count = row;
  }
  return rows;
}

int MessageDialog::Run() {
  if (!valid_) return result_;
  exec();
  return result_;
}

void MessageDialog::reject() {
  result_ = kind_ == kQuestion ? kNo : kClosed;
  done(result_);
}

std::vector<SkinnedDialog::ControlPlace> MessageDialog::ControlTable() const {
  const int top = height_ - 56;
  if (kind_ == kQuestion)
    return {{kCancel, 72, top, kButtonWidth, kButtonHeight}, {kOk, 228, top, kButtonWidth, kButtonHeight}};
  return {{kOk, 150, top, kButtonWidth, kButtonHeight}};
}

void MessageDialog::FirstShow() {
  SkinnedDialog::FirstShow();
  if (kind_ == kNotice) Control(kCancel)->hide();
  QAccessibleEvent alert(this, QAccessible::Alert);
  a11y::Announce(alert);
}

QString MessageDialog::SpokenText() const {
  if (!parsed_) return Latin(wrapped_.empty() ? std::string() : text_);
  QStringList rows;
  const std::vector<int> rowOf = RowsOfLines();
  int last = -1;
  for (size_t k = 0; k < lines_.size(); ++k) {
    if (lines_[k].text.empty()) continue;
    const QString text = Latin(lines_[k].text);
    if (rowOf[k] == last && !rows.isEmpty())
      rows.back() += QLatin1Char(' ') + text;
    else
      rows << text;
    last = rowOf[k];
  }
  return rows.join(QLatin1Char('\n'));
}

int MessageDialog::FaceOf(int id, bool pressed) const {
  if (id == kOk) {
    if (kind_ == kQuestion) return pressed ? 316 : 317;
    return pressed ? 307 : 308;
  }
  if (id == kCancel && kind_ == kQuestion) return pressed ? 314 : 315;
  return 0;
}

void MessageDialog::PaintPictures(QPainter& painter) {
  const QRect area = TextRect();
  if (!parsed_) {
    if (wrapped_.empty()) return;
    const bool oneLine = wrapped_.find('\n') == std::string::npos;
    DrawShadowText(painter, area, Latin(wrapped_),
                   oneLine ? TextFormat::kSingleLineCentred : TextFormat::kMultiLineCentred);
    return;
  }
  const int lineHeight = RowHeight();
  const std::vector<int> rows = RowsOfLines();
  for (size_t k = 0; k < lines_.size(); ++k) {
    const LineRecord& line = lines_[k];
    if (line.text.empty()) continue;
    QRect rect = Box(14, area.top() + rows[k] * lineHeight, 386, area.bottom() + 1);
    if (line.alignment == kLeftInset || line.alignment == kRightInset) rect.adjust(kInsetMargin, 0, -kInsetMargin, 0);
    const int flags = line.alignment == kLeft || line.alignment == kLeftInset     ? Qt::AlignLeft
                      : line.alignment == kRight || line.alignment == kRightInset ? Qt::AlignRight
                                                                                  : Qt::AlignHCenter;
    const int shared = Qt::AlignTop | Qt::TextSingleLine;
    painter.setPen(QColor(32, 32, 32));
    painter.drawText(rect, flags | shared, Latin(line.text));
    painter.setPen(Qt::white);
    painter.drawText(rect.translated(-1, -1), flags | shared, Latin(line.text));
  }
}

MessageReporter::Presenter MakeMessagePresenter(const GameBitmapTable& art, MessageReporter& reporter) {
  return [&art, &reporter](std::string_view text, bool question, QWidget* owner) {
    const std::array<QImage, 3> backgrounds = reporter.Backgrounds();
    MessageDialog dialog(text, question ? MessageDialog::kQuestion : MessageDialog::kNotice, backgrounds, &art,
                         reporter, owner);
    return dialog.Run() == MessageDialog::kYes;
  };
}

}  // namespace velmora
