// Full screen on screens of other shapes than the picture's: the real program
// on an X server of the test's own, the picture scaled and centred between
// black bars, and clicks at a button's scaled place pressing that button.
#include <gtest/gtest.h>
// Only after gtest: X11's macros (None, Bool) break its headers.
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "platform/button_spots.h"
#include "platform/game_process.h"

namespace {

namespace fs = std::filesystem;

struct ScreenShape {
    const char* geometry;
    int width, height;
    double scale;   // of the picture, worked out by hand
    int left, top;  // of the picture on the screen
    bool byKey;     // F11 in the window, else --fullscreen
};

// The window fills the screen, its bars are black, and the picture reaches
// into its scaled area's bottom right corner, where the Setup and turn
// screens have a button (the picture not yet scaled leaves it black).
bool showsPictureBetweenBars(XDisplay& screen, Window window, const ScreenShape& shape) {
    XImage* image = screen.grab(window);
    if (image == nullptr) return false;
    bool barsBlack = image->width == shape.width && image->height == shape.height;
    bool cornerLit = false;
    const int right = shape.width - shape.left, bottom = shape.height - shape.top;
    const int corner = static_cast<int>(40 * shape.scale);
    for (int y = 0; barsBlack && y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const bool black = (XGetPixel(image, x, y) & 0xffffff) == 0;
            if (x < shape.left || x >= right || y < shape.top || y >= bottom) barsBlack &= black;
            cornerLit |= !black && x >= right - corner && y >= bottom - corner;
        }
    }
    XDestroyImage(image);
    return barsBlack && cornerLit;
}

TEST(FullScreen, ClickAtAButtonsScaledPlacePressesIt) {
    const ScreenShape shapes[] = {
        {"1280x720x24", 1280, 720, 1.2, 160, 0, false},  // bars at the sides
        {"1280x1024x24", 1280, 1024, 1.6, 0, 32, true},  // bars above and below
    };
    for (const ScreenShape& shape : shapes) {
        SCOPED_TRACE(shape.geometry);
        DataFolder directory;
        installArt(directory.path());
        const fs::path serverFolder = directory.path() / "server";
        fs::create_directory(serverFolder);
        // Xvfb writes the number of the display it took once it is ready.
        GameProcess server(
            directory.path(), false,
            {XVFB_BINARY, {"-displayfd", "1", "-screen", "0", shape.geometry}, {}, serverFolder});
        std::string display;
        ASSERT_TRUE(waitFor([&] { return (display = server.output()).ends_with('\n'); }));
        display = ":" + display.substr(0, display.size() - 1);
        XDisplay screen(display.c_str());
        ASSERT_TRUE(screen.isOpen()) << display;

        Launch launch;
        launch.environment = {{"DISPLAY", display}};
        if (!shape.byKey) launch.arguments = {"--fullscreen"};
        GameProcess game(directory.path(), true, launch);
        Window window = 0;
        ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(game.pid())) != 0; }));
        if (shape.byKey) screen.tapKey(window, XK_F11);
        ASSERT_TRUE(waitFor([&] { return showsPictureBetweenBars(screen, window, shape); }));

        const auto press = [&](Pixel picture) {
            return clickAtScreenPoint(display, shape.left + int((picture.x + 0.5) * shape.scale),
                                      shape.top + int((picture.y + 0.5) * shape.scale));
        };
        ASSERT_TRUE(press(buttonCentre(Game{}, CommandId::BeginTurn)));
        ASSERT_TRUE(press(turnScreenButton(CommandId::SaveGame)));
        EXPECT_TRUE(waitFor([&] { return fs::exists(directory.path() / "Data/Save.kvd"); }));
        EXPECT_TRUE(showsPictureBetweenBars(screen, window, shape));
        if (shape.byKey) {
            screen.tapKey(window, XK_F11);
            const ScreenShape windowed{"", 800, 600, 1.0, 0, 0, true};
            EXPECT_TRUE(waitFor([&] { return showsPictureBetweenBars(screen, window, windowed); }))
                << "F11 again brings the 800 x 600 window back";
        }
        screen.requestClose(window);
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_EQ(game.errors(), "");
    }
}

}  // namespace
