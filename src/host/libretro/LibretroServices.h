#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/common/DesktopServices.h"

namespace quenford::host {

// The desktop's services inside a libretro frontend: the collection's folder is the
// frontend's save folder (made when missing), message boxes are kept for the frontend to
// show, and there is no collection shell to start.
class LibretroServices : public DesktopServices {
public:
    // saveFolder: the frontend's save folder; empty: the desktop's collection folder.
    explicit LibretroServices(std::string folder) : saveFolder(std::move(folder)) {}

    void messageBox(const std::string& caption, const std::string& text) override;
    std::optional<std::string> collectionFolder() override;
    void startShell(const std::string&) override {}

    // The texts of the message boxes shown so far, in order.
    const std::vector<std::string>& messages() const { return boxes; }

private:
    std::string saveFolder;
    std::vector<std::string> boxes;
};

}  // namespace quenford::host
