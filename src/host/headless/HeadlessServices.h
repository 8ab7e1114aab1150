#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/common/DesktopServices.h"

namespace quenford::host {

// The desktop's services for runs without a window: message boxes and the shell's command
// recorded (the boxes also on the standard error) instead of shown or started, and an
// owner's name only when one is set.
class HeadlessServices : public DesktopServices {
public:
    void messageBox(const std::string& caption, const std::string& text) override;
    std::optional<std::string> registeredOwner() override { return owner; }
    void startShell(const std::string& command) override { shells.push_back(command); }

    void setRegisteredOwner(std::optional<std::string> name) { owner = std::move(name); }

    const std::vector<std::string>& shellCommands() const { return shells; }
    const std::vector<std::string>& messageBoxes() const { return boxes; }

private:
    std::optional<std::string> owner;
    std::vector<std::string> shells;
    std::vector<std::string> boxes;
};

}  // namespace quenford::host
