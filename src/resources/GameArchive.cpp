#include "resources/GameArchive.h"

namespace quenford {

ResourceArchive* resources = nullptr;

}  // namespace quenford
