#include "host/common/RegisteredOwner.h"

#include <pwd.h>
#include <unistd.h>

#include "host/common/Windows1252.h"

namespace quenford::host {

std::optional<std::string> systemOwnerName() {
    const passwd* entry = getpwuid(getuid());
    if (entry == nullptr) {
        return std::nullopt;
    }
    std::string name;
    if (entry->pw_gecos != nullptr) {
        name = entry->pw_gecos;
        name = name.substr(0, name.find(','));
    }
    if (name.empty() && entry->pw_name != nullptr) {
        name = entry->pw_name;
    }
    if (name.empty()) {
        return std::nullopt;
    }
    return utf8ToWindows1252Exact(name);
}

}  // namespace quenford::host
