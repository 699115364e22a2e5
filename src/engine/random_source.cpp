#include "random_source.h"

#include <utility>

#include "engine_constants.h"

namespace velmora {
namespace {

uint32_t g_state = 0;

unsigned Draw() { return static_cast<unsigned>(NextRandom()); }

void ShuffleOnce(int order[9]) {
  const unsigned a = Draw() % 9u;
  unsigned b = Draw() % 9u;
  while (b == a) b = Draw() % 9u;
  std::swap(order[a], order[b]);
}

}  // namespace

void SeedRandom(uint32_t seed) { g_state = seed; }

int NextRandom() {
  g_state = g_state * kRandomMultiplier + kRandomIncrement;
  return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

uint32_t RandomState() { return g_state; }

// n steps of x -> a x + c compose to x -> A x + C; square-and-multiply over the bits of n.
void SkipRandom(uint64_t count) {
  uint32_t stepMul = kRandomMultiplier, stepAdd = kRandomIncrement;
  uint32_t totalMul = 1, totalAdd = 0;
  while (count) {
    if (count & 1u) {
      totalMul *= stepMul;
      totalAdd = totalAdd * stepMul + stepAdd;
    }
    stepAdd = stepAdd * stepMul + stepAdd;
    stepMul *= stepMul;
    count >>= 1;
  }
  g_state = g_state * totalMul + totalAdd;
}

void PickTileInBlock(int blockRow, int blockColumn, int& row, int& column) {
  row = blockRow * 3 + static_cast<int>(Draw() % 3u);
  column = blockColumn * 3 + static_cast<int>(Draw() % 3u);
}

void PickTileAnywhere(int& row, int& column) {
  row = static_cast<int>(Draw() % 9u);
  column = static_cast<int>(Draw() % 9u);
}

void ShuffledOrders(int rowOrder[9], int columnOrder[9]) {
  for (int i = 0; i < 9; ++i) {
    rowOrder[i] = i;
    columnOrder[i] = 8 - i;
  }
  for (int round = 0; round < 27; ++round) {
    ShuffleOnce(rowOrder);
    ShuffleOnce(columnOrder);
  }
}

}  // namespace velmora
