#include "process_exit.h"

#include <cstdio>
#include <cstdlib>

namespace velmora {
namespace {
std::function<void()>& BeforeExit() {
  static std::function<void()> hook;
  return hook;
}
}  // namespace

void SetBeforeProcessExit(std::function<void()> hook) { BeforeExit() = std::move(hook); }

void RunBeforeProcessExit() {
  if (BeforeExit()) BeforeExit()();
}

void EndProcess(int code) {
  RunBeforeProcessExit();
  std::fflush(nullptr);
  // No destructors: the failure may have come from inside any handler.
  std::_Exit(ExitStatusOf(code));
}

}  // namespace velmora
