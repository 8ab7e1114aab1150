#include "host/headless/HeadlessServices.h"

namespace quenford::host {

void HeadlessServices::messageBox(const std::string& caption, const std::string& text) {
    DesktopServices::messageBox(caption, text);
    boxes.push_back(text);
}

}  // namespace quenford::host
