#pragma once

namespace velmora {

enum class GameState : int { Playing = 0, Filled = 1, Prepared = 2, NoGame = 3, Solved = 4 };

}  // namespace velmora
