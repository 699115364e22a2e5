#pragma once
// A plain backtracking solver written apart from the engine, used to confirm
// that generated puzzles have exactly one solution.
#include <array>

namespace velmora::testing {

// grid: 81 cells row by row, 0 for empty, 1..9 for a digit.
// Counts solutions up to limit; the first solution found is written to first.
int CountSolutions(std::array<int, 81> grid, int limit, std::array<int, 81>* first = nullptr);

}  // namespace velmora::testing
