#pragma once
// Puzzle Results: the congratulation, the solving time, the player's best and
// average, the game's counts, and a graph of the tiles shown on the board over
// the game, burnt into the dialog's background when it is made.
#include <vector>

#include "game_host.h"
#include "skinned_dialog.h"
#include "user_record.h"

namespace velmora {

class ResultsDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kDone = 1180;
  static constexpr float kRowHeight = 2.738496f;  // graph pixels per tile
  static constexpr int kGraphLeft = 20, kGraphRight = 459, kGraphTop = 180, kGraphBottom = 423;

  ResultsDialog(const std::vector<PlayKey>& plays, const GameBitmapTable* art, MessageReporter& reporter,
                QWidget* parent);
  // Everything but the play list, as the game window gives it; builds the graph.
  void SetResults(const PuzzleResults& results);

  bool GraphBuilt() const { return graphBuilt_; }
  int StartCount() const { return startCount_; }
  int StartHeight() const { return startHeight_; }
  // The chart labels, then the statistics, as painted.
  std::vector<Label> Labels() const override;
  // The time axis' right end: a short clock, or "Over n week(s)" from one week on.
  static std::string EndTimeText(uint32_t gameTime);

  int FaceOf(int id, bool pressed) const override;
  // An alert, named by its figures: the congratulation, the time, the best and
  // average, the game's counts and the puzzle.
  QString SpokenText() const override;
  bool SpokenAsAlert() const override { return true; }

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  void paintEvent(QPaintEvent* event) override;
  void FirstShow() override;

 private:
  bool BuildGraph();
  // One column of the graph. At scale 2 `x` and `curveRow` are in the pixels of
  // an image of twice the size, and the same rules run on half-pixel steps.
  void DrawColumn(QImage& image, int x, int curveRow, int scale = 1);

  std::vector<PlayKey> plays_;
  PuzzleResults results_;
  bool graphBuilt_ = false;
  bool graphAttempted_ = false;
  int startCount_ = 81;
  int startHeight_ = 0;
};

}  // namespace velmora
