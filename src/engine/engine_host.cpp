#include "engine_host.h"

namespace velmora {

int32_t ZeroPrepareSeeds::PrepareSeedFor(int difficulty, int /*creationSeed*/) const {
  return (difficulty >= 0 && difficulty <= 3) ? 0 : -1;
}

}  // namespace velmora
