#include "fake_engine_host.h"

namespace velmora::testing {

int FakeEngineHost::Report(std::string_view text, bool question, bool logOnly, bool fatal) {
  reports.push_back({std::string(text), question, logOnly, fatal});
  return answer;
}

}  // namespace velmora::testing
