#include "app/WindowIcon.h"

#include <png.h>

namespace quenford {

host::WindowIcon loadWindowIcon(const std::string& dataFolder) {
    const bool joined = dataFolder.empty() || dataFolder.back() == '/';
    const std::string path = dataFolder + (joined ? "" : "/") + "icons/64x64/quenford.png";
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_RGBA;
    host::WindowIcon icon;
    icon.width = static_cast<int>(image.width);
    icon.height = static_cast<int>(image.height);
    icon.rgba.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, icon.rgba.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return {};
    }
    return icon;
}

}  // namespace quenford
