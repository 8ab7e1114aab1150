#include "app/DataPictures.h"

#include <png.h>

namespace quenford {

host::RgbaPicture loadDataPicture(const std::string& dataFolder, const std::string& name) {
    const bool joined = dataFolder.empty() || dataFolder.back() == '/';
    const std::string path = dataFolder + (joined ? "" : "/") + name;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_RGBA;
    host::RgbaPicture picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return {};
    }
    return picture;
}

host::RgbaPicture loadWindowIcon(const std::string& dataFolder) {
    return loadDataPicture(dataFolder, "icons/64x64/quenford.png");
}

void loadSigns(const std::string& dataFolder, host::SdlHostOptions& options) {
    options.pausedSign = loadDataPicture(dataFolder, "signs/paused.png");
    options.controlsSign = loadDataPicture(dataFolder, "signs/controls.png");
    options.rulesSign = loadDataPicture(dataFolder, "signs/rules.png");
}

}  // namespace quenford
