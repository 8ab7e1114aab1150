#include "play/Random.h"

namespace quenford {

Random gameRandom;

}  // namespace quenford
