#include "host/sdl/SdlHost.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "host/sdl/KeyTables.h"
#include "host/sdl/Letterbox.h"
#include "host/sdl/MarkDrawing.h"

namespace quenford::host {

namespace {

constexpr uint8_t down = 0x80;

// Whether an OpenGL renderer runs on a software rasteriser (a machine without a graphics
// driver, a virtual display).
bool rendersOnProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int glRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const auto* name = getString != nullptr ? getString(glRenderer) : nullptr;
    if (name == nullptr) {
        return false;
    }
    const std::string text(reinterpret_cast<const char*>(name));
    return text.find("llvmpipe") != std::string::npos ||
           text.find("softpipe") != std::string::npos ||
           text.find("Software Rasterizer") != std::string::npos;
}

SDL_Surface* surfaceOf(const RgbaPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgba.size() != static_cast<size_t>(picture.width) * picture.height * 4) {
        return nullptr;
    }
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(picture.rgba.data()),
                                              picture.width, picture.height, 32, picture.width * 4,
                                              SDL_PIXELFORMAT_RGBA32);
}

TextureHandle signTexture(SDL_Renderer* renderer, const RgbaPicture& picture) {
    SDL_Surface* surface = surfaceOf(picture);
    if (surface == nullptr) {
        return nullptr;
    }
    TextureHandle sign(SDL_CreateTextureFromSurface(renderer, surface));
    SDL_FreeSurface(surface);
    if (sign) {
        SDL_SetTextureBlendMode(sign.get(), SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(sign.get(), SDL_ScaleModeLinear);
    }
    return sign;
}

}  // namespace

// The clock that includes time asleep, as the system tick count does; SDL's own counts from
// its start, a few milliseconds before the seed is taken, so every start would be alike.
uint32_t machineTicks() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

// A window on the desktop: the largest whole multiple of 640 x 480 that leaves room for
// the desktop's panels.
void windowedSize(int& width, int& height) {
    SDL_Rect usable{0, 0, screenWidth, screenHeight};
    SDL_GetDisplayUsableBounds(0, &usable);
    const int scale =
        std::max(1, std::min((usable.w - 32) / screenWidth, (usable.h - 64) / screenHeight));
    width = screenWidth * scale;
    height = screenHeight * scale;
}

SdlHost::SdlHost(SdlHostOptions settings) : options(settings) {}

SdlHost::~SdlHost() {
    if (watching) {
        SDL_DelEventWatch(&SdlHost::watchEvent, this);
    }
    rememberWindow();
    audio.reset();
    pausedSign.reset();
    controlsSign.reset();
    rulesSign.reset();
    texture.reset();
    renderer.reset();
    window.reset();
}

bool SdlHost::createWindow(const std::string& caption) {
    WindowLossWatch::takeXErrors();
    if (!video.start(SDL_INIT_VIDEO | SDL_INIT_EVENTS)) {
        return false;
    }
    // Without game controller support the keyboard and mouse still play.
    padSubsystem.start(SDL_INIT_GAMECONTROLLER);
    SDL_AddEventWatch(&SdlHost::watchEvent, this);
    watching = true;
    if (!options.settingsFile.empty()) {
        remembered = readWindowSettings(options.settingsFile);
    }
    int width = screenWidth;
    int height = screenHeight;
    windowSize(width, height);
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    SDL_DisplayMode desktop;
    if (options.fullscreen.value_or(remembered.fullscreen) &&
        SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        // As large as the desktop even where no window manager makes it full screen.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        width = desktop.w;
        height = desktop.h;
    }
    window.reset(SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  width, height, flags));
    if (!window) {
        return false;
    }
    windowLoss.start(window.get());
    SDL_SetWindowMinimumSize(window.get(), screenWidth / 2, screenHeight / 2);
    if (SDL_Surface* icon = surfaceOf(options.icon)) {
        SDL_SetWindowIcon(window.get(), icon);
        SDL_FreeSurface(icon);
    }
    if (options.grab) {
        SDL_SetWindowGrab(window.get(), SDL_TRUE);
    }
    SDL_ShowCursor(SDL_DISABLE);
    cursorShown = false;
    SDL_StartTextInput();
    return true;
}

void SdlHost::windowSize(int& width, int& height) const {
    windowedSize(width, height);
    if (remembered.width > 0 && remembered.height > 0) {
        SDL_Rect usable{0, 0, width, height};
        SDL_GetDisplayUsableBounds(0, &usable);
        width = std::min(remembered.width, std::max(usable.w, screenWidth / 2));
        height = std::min(remembered.height, std::max(usable.h, screenHeight / 2));
    }
}

// Kept for the next run: the mode, and the size the window had when it was last a window.
void SdlHost::rememberWindow() {
    if (!window || options.settingsFile.empty()) {
        return;
    }
    remembered.fullscreen = (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (!remembered.fullscreen) {
        SDL_GetWindowSize(window.get(), &remembered.width, &remembered.height);
    }
    if (remembered.width <= 0 || remembered.height <= 0) {
        windowedSize(remembered.width, remembered.height);
    }
    writeWindowSettings(options.settingsFile, remembered);
}

void SdlHost::showWindow() {
    SDL_ShowWindow(window.get());
    SDL_RaiseWindow(window.get());
    // Showing the window brings the game to the foreground, whether or not the desktop
    // reports the focus.
    setActive(true);
}

void SdlHost::queue(MessageKind kind, uint32_t param) {
    messages.push_back({kind, param});
}

void SdlHost::closeLostWindow() {
    if (windowLoss.takeLoss()) {
        queue(MessageKind::SystemClose);
    }
}

std::optional<Message> SdlHost::nextMessage(uint32_t timeoutMs) {
    if (paletteChanged) {
        drawFrame();
    }
    closeLostWindow();
    const uint32_t start = machineTicks();
    while (messages.empty()) {
        SDL_Event event;
        int got = 0;
        if (timeoutMs == waitForever) {
            got = SDL_WaitEvent(&event);
            if (got == 0) {
                return std::nullopt;
            }
        } else {
            const uint32_t spent = machineTicks() - start;
            if (spent >= timeoutMs) {
                got = SDL_PollEvent(&event);
                if (got == 0) {
                    return std::nullopt;
                }
            } else {
                const uint32_t left = std::min<uint32_t>(timeoutMs - spent, INT32_MAX);
                got = SDL_WaitEventTimeout(&event, static_cast<int>(left));
            }
        }
        if (got != 0) {
            handleEvent(event);
        }
    }
    const Message message = messages.front();
    messages.pop_front();
    return message;
}

void SdlHost::postQuit(uint32_t exitCode) {
    queue(MessageKind::Quit, exitCode);
}

uint32_t SdlHost::ticks() {
    return machineTicks();
}

bool SdlHost::openScreen() {
    if (!window) {
        return false;
    }
    // No wait for the vertical blank: a frame is on the screen before the next input read.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // Drawn by the processor, the picture goes straight to the window, not through OpenGL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer.reset(SDL_CreateRenderer(window.get(), -1, 0));
    if (renderer && rendersOnProcessor(renderer.get()) &&
        SDL_GetHint(SDL_HINT_RENDER_DRIVER) == nullptr) {
        // OpenGL emulated by the processor costs several times SDL's own renderer.
        renderer.reset();
        renderer.reset(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    }
    if (!renderer) {
        return false;
    }
    windowLoss.start(window.get());
    // The converted pixels carry an opaque alpha byte, so they serve as XRGB as well: in the
    // window's own format the picture is copied into it rather than converted again.
    const Uint32 windowFormat = SDL_GetWindowPixelFormat(window.get());
    const Uint32 format =
        windowFormat == SDL_PIXELFORMAT_RGB888 ? SDL_PIXELFORMAT_RGB888 : SDL_PIXELFORMAT_ARGB8888;
    texture.reset(SDL_CreateTexture(renderer.get(), format, SDL_TEXTUREACCESS_STREAMING,
                                    screenWidth, screenHeight));
    if (!texture) {
        renderer.reset();
        return false;
    }
    SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeNearest);
    // Every pixel is opaque: a plain copy, not a blend, puts the picture in the window.
    SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_NONE);
    pausedSign = signTexture(renderer.get(), options.pausedSign);
    controlsSign = signTexture(renderer.get(), options.controlsSign);
    rulesSign = signTexture(renderer.get(), options.rulesSign);
    drawFrame();
    return true;
}

void SdlHost::closeScreen() {
    pausedSign.reset();
    controlsSign.reset();
    rulesSign.reset();
    texture.reset();
    renderer.reset();
}

void SdlHost::showSign(Sign shown) {
    if (shown != sign) {
        sign = shown;
        if (texture) {
            showTexture();
        }
    }
}

void SdlHost::showMark(const std::optional<Outline>& shown) {
    if (shown != mark) {
        mark = shown;
        if (texture) {
            showTexture();
        }
    }
}

void SdlHost::setPalette(const HostPalette& newPalette) {
    palette = newPalette;
    const ColourTable newColours = colourTable(palette);
    // The same colours again change nothing on the screen, and need no whole conversion.
    if (newColours == colours) {
        return;
    }
    colours = newColours;
    // The hardware palette changed the colours on the screen at once; the next present
    // or wait shows the kept frame in them.
    paletteChanged = true;
}

void SdlHost::present(const uint8_t* pixels, int32_t pitch) {
    if (!texture) {
        return;
    }
    const std::vector<RowBand>& bands = shownFrame.update(pixels, pitch, colours);
    if (paletteChanged) {
        drawFrame();
        return;
    }
    // An unchanged frame is already in the window (an expose or a resize draws it again).
    if (bands.empty()) {
        return;
    }
    for (const RowBand& band : bands) {
        const SDL_Rect rows{0, band.first, screenWidth, band.count};
        SDL_UpdateTexture(texture.get(), &rows, shownFrame.argbRow(band.first),
                          ShownFrame::argbPitch);
    }
    showTexture();
}

void SdlHost::drawFrame() {
    paletteChanged = false;
    if (!texture) {
        return;
    }
    shownFrame.convertAll(colours);
    SDL_UpdateTexture(texture.get(), nullptr, shownFrame.argbRow(0), ShownFrame::argbPitch);
    showTexture();
}

void SdlHost::showTexture() {
    if (windowLoss.lost()) {
        return;
    }
    const ViewRect view = pictureView();
    const SDL_Rect destination{view.x, view.y, view.width, view.height};
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(renderer.get(), &outputWidth, &outputHeight);
    // Only bars beside or above the picture need clearing.
    if (view.x > 0 || view.y > 0 || view.width < outputWidth || view.height < outputHeight) {
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer.get());
    }
    SDL_RenderCopy(renderer.get(), texture.get(), nullptr, &destination);
    if (mark) {
        drawMark(renderer.get(), view, *mark);
    }
    if (sign != Sign::None) {
        drawSign(view);
    }
    SDL_RenderPresent(renderer.get());
}

// The held picture dimmed, and the sign centred on it at the picture's scale.
void SdlHost::drawSign(const ViewRect& view) {
    const SDL_Rect whole{view.x, view.y, view.width, view.height};
    SDL_SetRenderDrawBlendMode(renderer.get(), SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 110);
    SDL_RenderFillRect(renderer.get(), &whole);
    SDL_SetRenderDrawBlendMode(renderer.get(), SDL_BLENDMODE_NONE);
    SDL_Texture* picture = sign == Sign::Paused     ? pausedSign.get()
                           : sign == Sign::Controls ? controlsSign.get()
                                                    : rulesSign.get();
    int width = 0;
    int height = 0;
    if (picture == nullptr || SDL_QueryTexture(picture, nullptr, nullptr, &width, &height) != 0) {
        return;
    }
    const int shownWidth = width * view.width / (screenWidth * signScale);
    const int shownHeight = height * view.height / (screenHeight * signScale);
    const SDL_Rect place{view.x + (view.width - shownWidth) / 2,
                         view.y + (view.height - shownHeight) / 2, shownWidth, shownHeight};
    SDL_RenderCopy(renderer.get(), picture, nullptr, &place);
}

ViewRect SdlHost::pictureView() const {
    int width = 0;
    int height = 0;
    if (renderer) {
        SDL_GetRendererOutputSize(renderer.get(), &width, &height);
    } else {
        SDL_GetWindowSize(window.get(), &width, &height);
    }
    return letterbox(width, height, options.integerScale);
}

GamePixel SdlHost::gamePixelUnder(int32_t windowX, int32_t windowY) const {
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(window.get(), &windowWidth, &windowHeight);
    int outputWidth = windowWidth;
    int outputHeight = windowHeight;
    if (renderer) {
        SDL_GetRendererOutputSize(renderer.get(), &outputWidth, &outputHeight);
    }
    if (windowWidth <= 0 || windowHeight <= 0) {
        return {};
    }
    // The output pixel under the centre of the window unit (rounded down, also off the window).
    const auto toOutput = [](int32_t point, int inWindow, int inOutput) {
        if (inWindow == inOutput) {
            return point;
        }
        const int64_t scaled = (2 * static_cast<int64_t>(point) + 1) * inOutput;
        const int64_t units = 2 * static_cast<int64_t>(inWindow);
        return static_cast<int32_t>(scaled >= 0 ? scaled / units : -((units - 1 - scaled) / units));
    };
    return gamePixelAt(pictureView(), toOutput(windowX, windowWidth, outputWidth),
                       toOutput(windowY, windowHeight, outputHeight));
}

bool SdlHost::openKeyboard() {
    return window != nullptr;
}

bool SdlHost::openMouse() {
    return window != nullptr;
}

void SdlHost::closeInput() {}

bool SdlHost::readKeyboard(std::array<uint8_t, 256>& keys) {
    keys.fill(0);
    if (!active) {
        keysPressed.fill(false);
        padKeysPressed.fill(false);
        return false;
    }
    // SDL refreshes the keys below; a short rest keeps the game's hold from taking a core.
    if (keysHeld) {
        SDL_Delay(1);
    }
    SDL_PumpEvents();
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode) {
        const bool pressed = scancode < SDL_NUM_SCANCODES && keysPressed[scancode];
        if (state[scancode] != 0 || pressed) {
            const uint8_t code = directInputCode(static_cast<SDL_Scancode>(scancode));
            if (code != 0) {
                keys[code] = down;
            }
        }
    }
    for (size_t code = 0; code < keys.size(); ++code) {
        if (pads.holds(static_cast<uint8_t>(code)) || padKeysPressed[code]) {
            keys[code] = down;
        }
    }
    keysPressed.fill(false);
    padKeysPressed.fill(false);
    return true;
}

bool SdlHost::readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) {
    reading = {};
    if (!active) {
        buttonsPressed = 0;
        deferredButtons = 0;
        reportedButtons = 0;
        return false;
    }
    SDL_PumpEvents();
    // Where the pointer last moved over the window (the system reports no motion elsewhere).
    int x = 0;
    int y = 0;
    Uint32 buttons = SDL_GetMouseState(&x, &y) | std::exchange(buttonsPressed, 0);
    const Uint32 deferred = std::exchange(deferredButtons, 0);
    if (std::exchange(windowChanged, false) && lastPointerX >= 0) {
        // The window changed under a pointer that did not move: no motion, so the game's
        // pointer stays where the keys or the mouse put it.
        lastPointerX = x;
        lastPointerY = y;
    }
    const bool moved = x != lastPointerX || y != lastPointerY;
    if (lastPointerX >= 0 && (x != lastPointerX || y != lastPointerY)) {
        // A press that comes with a move is reported at the next read, so that it acts
        // where the pointer went.
        deferredButtons = buttons & ~reportedButtons & ~deferred;
        buttons &= ~deferredButtons;
    }
    if (moved) {
        // Motion that puts the game's pointer on the game pixel under the player's pointer.
        const GamePixel pixel = gamePixelUnder(x, y);
        reading.dx = pixel.x - gameX;
        reading.dy = pixel.y - gameY;
        lastPointerX = x;
        lastPointerY = y;
    }
    buttons |= deferred;
    reportedButtons = buttons;
    reading.left = (buttons & SDL_BUTTON_LMASK) != 0 ? down : uint8_t{0};
    reading.right = (buttons & SDL_BUTTON_RMASK) != 0 ? down : uint8_t{0};
    return true;
}

bool SdlHost::openAudio() {
    if (!options.sound) {
        return false;
    }
    audio = SdlAudio::open();
    return audio != nullptr;
}

void SdlHost::closeAudio() {
    audio.reset();
}

void SdlHost::loadSlot(int slot, const uint8_t* data, uint32_t length) {
    if (audio) {
        audio->load(slot, data, length);
    }
}

void SdlHost::playSlot(int slot) {
    if (audio) {
        audio->play(slot);
    }
}

}  // namespace quenford::host
