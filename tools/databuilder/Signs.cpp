#include "databuilder/Signs.h"

#include <cairo.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "databuilder/Canvas.h"
#include "databuilder/Items.h"

namespace quenford::tools {

namespace {

const Rgb paper = hex(0x1E2A16);
const Rgb border = hex(0xC8B060);
const Rgb heading = hex(0xF4D86A);
const Rgb body = hex(0xF2EEDC);
const Rgb keyColour = hex(0xA8DC78);

using Lines = std::vector<std::pair<const char*, const char*>>;

struct Column {
    const char* title;
    Lines lines;
};

// The same controls as the README, --help and the manual page list.
const std::vector<Column>& controlColumns() {
    static const std::vector<Column> columns{
        {"Mouse and touch",
         {{"Left click, tap", "pick, swap, choose"},
          {"Right click", "harvest"},
          {"MENU sign", "the menu"},
          {"Focus lost", "pause"}}},
        {"Keyboard",
         {{"Arrows", "move"},
          {"Space, Enter", "pick, swap, choose"},
          {"X", "harvest"},
          {"Esc, F10", "the menu"},
          {"Keypad + \u2212", "faster, slower"},
          {"P, Pause", "pause"},
          {"F1", "the controls"},
          {"F12", "screenshot"},
          {"Alt+Enter", "full screen"}}},
        {"Gamepad",
         {{"D-pad, stick", "move"},
          {"A", "pick, swap, choose"},
          {"B", "harvest"},
          {"Start", "the menu"},
          {"Shoulders", "slower, faster"},
          {"Back", "pause"}}},
    };
    return columns;
}

// A dark board with a light rim; afterwards the canvas draws in game pixels.
void drawBoard(const Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, signScale, signScale);
    const double width = static_cast<double>(canvas.width()) / signScale;
    const double height = static_cast<double>(canvas.height()) / signScale;
    roundedRect(cr, 2, 2, width - 4, height - 4, 10);
    setColour(cr, paper, 0.92);
    cairo_fill_preserve(cr);
    setColour(cr, border);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

void text(cairo_t* cr, const char* utf8, double x, double y, Align align, Rgb colour) {
    textPath(cr, utf8, x, y, align);
    setColour(cr, colour);
    cairo_fill(cr);
}

bool write(const Canvas& canvas, const std::filesystem::path& path) {
    canvas.flush();
    return cairo_surface_write_to_png(cairo_get_target(canvas.cr()), path.c_str()) ==
           CAIRO_STATUS_SUCCESS;
}

bool writePaused(const std::filesystem::path& path) {
    const Canvas canvas(220 * signScale, 72 * signScale);
    drawBoard(canvas);
    cairo_t* cr = canvas.cr();
    selectFont(cr, FontStyle::SansBold, 34);
    text(cr, "Paused", 110, 48, Align::Centre, heading);
    return write(canvas, path);
}

// F1 turns the panel's page; anything else lets the game go.
void pageFoot(cairo_t* cr, const char* otherPage, double width, double height) {
    selectFont(cr, FontStyle::SansBold, 11);
    const std::string foot =
        std::string("F1: ") + otherPage + "    Any other key or click: back to the game";
    text(cr, foot.c_str(), width / 2.0, height - 16, Align::Centre, body);
}

bool writeControls(const std::filesystem::path& path) {
    constexpr int width = 600;
    constexpr int height = 250;
    // Where each column's actions start, after its longest control.
    constexpr double actionOffsets[] = {86, 80, 76};
    const Canvas canvas(width * signScale, height * signScale);
    drawBoard(canvas);
    cairo_t* cr = canvas.cr();
    selectFont(cr, FontStyle::SansBold, 22);
    text(cr, "Controls", width / 2.0, 36, Align::Centre, heading);
    double x = 14;
    size_t index = 0;
    for (const Column& column : controlColumns()) {
        selectFont(cr, FontStyle::SansBold, 13);
        text(cr, column.title, x, 66, Align::Left, heading);
        selectFont(cr, FontStyle::SansBold, 10);
        double y = 88;
        for (const auto& [control, action] : column.lines) {
            text(cr, control, x, y, Align::Left, keyColour);
            text(cr, action, x + actionOffsets[index], y, Align::Left, body);
            y += 15;
        }
        x += 198;
        ++index;
    }
    pageFoot(cr, "how to play", width, height);
    return write(canvas, path);
}

constexpr double itemSpacing = 80;

// The items as the bed shows them, each with what it is worth in a harvest: its kind's value
// (1 to 5) plus one. The first stands at (left, foot).
void drawItemRow(cairo_t* cr, double left, double foot) {
    constexpr int itemPoints[itemKinds] = {2, 3, 4, 5, 6};
    for (int kind = 0; kind < itemKinds; ++kind) {
        const double x = left + kind * itemSpacing;
        drawItem(cr, kind, x, foot, 0.8);
        selectFont(cr, FontStyle::SansBold, 11);
        const std::string points = std::to_string(itemPoints[kind]) + " points";
        text(cr, points.c_str(), x, foot + 20, Align::Centre, keyColour);
    }
}

// The row of items alone, for the page's own card of the rules.
bool writeItems(const std::filesystem::path& path) {
    constexpr int width = 5 * static_cast<int>(itemSpacing);
    constexpr int height = 80;
    const Canvas canvas(width * signScale, height * signScale);
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, signScale, signScale);
    drawItemRow(cr, itemSpacing / 2, 52);
    return write(canvas, path);
}

// What a newcomer needs: the goal, the two moves, what grows after them and how a game ends,
// with the items as the bed shows them and what each is worth in a harvest.
bool writeRules(const std::filesystem::path& path) {
    constexpr int width = 600;
    constexpr int height = 300;
    const Canvas canvas(width * signScale, height * signScale);
    drawBoard(canvas);
    cairo_t* cr = canvas.cr();
    selectFont(cr, FontStyle::SansBold, 22);
    text(cr, "How to play", width / 2.0, 36, Align::Centre, heading);

    selectFont(cr, FontStyle::SansBold, 13);
    text(cr, "Pass 500 points to win.", width / 2.0, 60, Align::Centre, keyColour);

    const Lines lines{
        {"Swap", "pick an item, then one of another kind: they change places."},
        {"Harvest", "five or more items of one kind, touching side by side:"},
        {"", "they fly into the basket, each item worth the points below."},
        {"Growing", "after every swap 6 new items grow, after every harvest 3."},
        {"The end", "the game is lost when a new item finds no free square."},
    };
    double y = 86;
    for (const auto& [topic, words] : lines) {
        selectFont(cr, FontStyle::SansBold, 11);
        text(cr, topic, 40, y, Align::Left, heading);
        selectFont(cr, FontStyle::SansBold, 10);
        text(cr, words, 110, y, Align::Left, body);
        y += 16;
    }

    drawItemRow(cr, 140, 232);
    pageFoot(cr, "the controls", width, height);
    return write(canvas, path);
}

}  // namespace

bool writeSigns(const std::string& folder) {
    const std::filesystem::path signs = std::filesystem::path(folder) / "signs";
    std::error_code error;
    std::filesystem::create_directories(signs, error);
    return writePaused(signs / "paused.png") && writeControls(signs / "controls.png") &&
           writeRules(signs / "rules.png") && writeItems(signs / "items.png");
}

}  // namespace quenford::tools
