#pragma once
// Recording stand-ins for the platform's message boxes.
#include <string>
#include <vector>

#include "message_boxes.h"

namespace velmora::testing {

class RecordingMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text, caption;
    MessageButtons buttons;
    bool owned;
  };
  int Show(std::string_view text, std::string_view caption, MessageButtons buttons, bool owned) override {
    shown.push_back({std::string(text), std::string(caption), buttons, owned});
    return buttons == MessageButtons::YesNo ? answer : kResultOk;
  }
  std::vector<Shown> shown;
  int answer = kResultYes;
};

}  // namespace velmora::testing
