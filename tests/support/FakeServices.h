#pragma once

#include <optional>
#include <string>

#include "host/common/DesktopServices.h"

namespace quenford::test {

// The desktop's services and its file locks, with the collection's folder and the owner's
// name the test sets; no shell is started and no message shown.
class FakeServices : public host::DesktopServices {
public:
    void messageBox(const std::string&, const std::string&) override {}
    std::optional<std::string> collectionFolder() override { return folder; }
    std::optional<std::string> registeredOwner() override { return owner; }
    void startShell(const std::string&) override {}

    std::optional<std::string> folder;
    std::optional<std::string> owner;
};

}  // namespace quenford::test
