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

constexpr int kCornerSide = 40;  // picture pixels

// An Xvfb server of one screen, started for the test and ended with it.
class OwnScreen {
public:
    explicit OwnScreen(const std::string& geometry) {
        int ends[2];
        if (pipe(ends) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            const std::string displayFd = std::to_string(ends[1]);
            close(ends[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            if (quiet < 0 || dup2(quiet, STDERR_FILENO) < 0) _exit(126);
            execlp("Xvfb", "Xvfb", "-displayfd", displayFd.c_str(), "-screen", "0",
                   geometry.c_str(), "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ends[1]);
        // The server writes the number of the display it took once it is ready.
        std::string number;
        char digit = 0;
        while (read(ends[0], &digit, 1) == 1 && digit != '\n') number += digit;
        close(ends[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    ~OwnScreen() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    OwnScreen(const OwnScreen&) = delete;
    OwnScreen& operator=(const OwnScreen&) = delete;

    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

struct ScreenShape {
    const char* geometry;
    int width, height;
    // Where the picture must land: scale and top-left corner, worked out by hand.
    double scale;
    int left, top;
    bool byKey;  // F11 in the window, else --fullscreen
};

// The window fills the screen, the bars are black, and the picture reaches
// into its scaled area's bottom right corner, where the Begin and Save
// screens both have a button (the 800 x 600 picture unscaled does not).
bool showsPictureBetweenBars(XDisplay& screen, Window window, const ScreenShape& shape) {
    XImage* image = screen.grab(window);
    if (image == nullptr) return false;
    bool barsBlack = image->width == shape.width && image->height == shape.height;
    const int right = shape.width - shape.left, bottom = shape.height - shape.top;
    const int cornerSide = static_cast<int>(kCornerSide * shape.scale);
    bool cornerLit = false;
    for (int y = 0; barsBlack && y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const bool onPicture = x >= shape.left && x < right && y >= shape.top && y < bottom;
            const bool black = (XGetPixel(image, x, y) & 0xffffff) == 0;
            if (!onPicture && !black) barsBlack = false;
            if (!black && x >= right - cornerSide && y >= bottom - cornerSide) cornerLit = true;
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
        OwnScreen server(shape.geometry);
        ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
        XDisplay screen(server.name().c_str());
        ASSERT_TRUE(screen.isOpen());
        DataFolder directory;
        installArt(directory.path());
        Launch launch;
        if (!shape.byKey) launch.arguments = {"--fullscreen"};
        launch.environment = {{"DISPLAY", server.name()}};
        GameProcess game(directory.path(), true, launch);
        Window window = 0;
        ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(game.pid())) != 0; }))
            << game.errors();
        if (shape.byKey) screen.tapKey(window, XK_F11);
        ASSERT_TRUE(waitFor([&] { return showsPictureBetweenBars(screen, window, shape); }));

        const auto press = [&](Pixel picture) {
            return clickAtScreenPoint(
                server.name(), shape.left + static_cast<int>((picture.x + 0.5) * shape.scale),
                shape.top + static_cast<int>((picture.y + 0.5) * shape.scale));
        };
        ASSERT_TRUE(press(buttonCentre(Game{}, CommandId::BeginTurn)));
        ASSERT_TRUE(press(turnScreenButton(CommandId::SaveGame)));
        EXPECT_TRUE(waitFor([&] { return fs::exists(directory.path() / "Data/Save.kvd"); }));
        EXPECT_TRUE(showsPictureBetweenBars(screen, window, shape));

        if (shape.byKey) {
            screen.tapKey(window, XK_F11);
            EXPECT_TRUE(waitFor([&] {
                XImage* image = screen.grab(window);
                const bool windowed =
                    image != nullptr && image->width == 800 && image->height == 600;
                if (image != nullptr) XDestroyImage(image);
                return windowed;
            })) << "F11 again brings the 800 x 600 window back";
        }
        screen.requestClose(window);
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_EQ(game.errors(), "");
    }
}

}  // namespace
