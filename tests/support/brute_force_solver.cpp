#include "brute_force_solver.h"

namespace velmora::testing {
namespace {

bool Allowed(const std::array<int, 81>& g, int cell, int digit) {
  const int r = cell / 9, c = cell % 9;
  for (int i = 0; i < 9; ++i) {
    if (g[r * 9 + i] == digit || g[i * 9 + c] == digit) return false;
  }
  const int br = r / 3 * 3, bc = c / 3 * 3;
  for (int dr = 0; dr < 3; ++dr)
    for (int dc = 0; dc < 3; ++dc)
      if (g[(br + dr) * 9 + bc + dc] == digit) return false;
  return true;
}

void Search(std::array<int, 81>& g, int limit, int& count, std::array<int, 81>* first) {
  if (count >= limit) return;
  // Branch on the empty cell with the fewest options.
  int best = -1, bestOptions = 10;
  for (int cell = 0; cell < 81; ++cell) {
    if (g[cell]) continue;
    int options = 0;
    for (int d = 1; d <= 9; ++d) options += Allowed(g, cell, d) ? 1 : 0;
    if (options < bestOptions) {
      best = cell;
      bestOptions = options;
    }
  }
  if (best < 0) {
    if (count == 0 && first) *first = g;
    ++count;
    return;
  }
  for (int d = 1; d <= 9 && count < limit; ++d) {
    if (!Allowed(g, best, d)) continue;
    g[best] = d;
    Search(g, limit, count, first);
    g[best] = 0;
  }
}

}  // namespace

int CountSolutions(std::array<int, 81> grid, int limit, std::array<int, 81>* first) {
  int count = 0;
  Search(grid, limit, count, first);
  return count;
}

}  // namespace velmora::testing
