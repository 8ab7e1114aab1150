#pragma once

#include "host/common/DesktopServices.h"

namespace quenford::host {

// The desktop's services with the window system's message box.
class SdlServices : public DesktopServices {
public:
    void messageBox(const std::string& caption, const std::string& text) override;
};

}  // namespace quenford::host
