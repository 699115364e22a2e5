#pragma once
// Where the player-data code names an internal inconsistency. The texts stay at
// their call sites so a reader sees which condition each branch stands for, but
// they go nowhere: the player never sees them and they are not logged.
#include <string_view>

namespace velmora {

inline void DebugTrace(std::string_view /*text*/) {}

}  // namespace velmora
