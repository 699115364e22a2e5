#pragma once
// The one process-wide random source. Every puzzle is reproduced from its seeds
// by the exact number and order of draws taken from it.
#include <cstdint>

namespace velmora {

void SeedRandom(uint32_t seed);
// Next value 0..32767.
int NextRandom();
// The raw generator state, for tests and diagnostics.
uint32_t RandomState();
// Advances the generator as if NextRandom had been called count times.
void SkipRandom(uint64_t count);

// A random tile of a block: the row is drawn first, then the column.
void PickTileInBlock(int blockRow, int blockColumn, int& row, int& column);
// A random tile of the board: the row is drawn first, then the column.
void PickTileAnywhere(int& row, int& column);
// Two shuffled scan orders: rows start as 0..8, columns as 8..0.
void ShuffledOrders(int rowOrder[9], int columnOrder[9]);

}  // namespace velmora
