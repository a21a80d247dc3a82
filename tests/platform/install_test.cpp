// The game as a player gets it: installed under a prefix and started from a
// folder of theirs, and its command line, answered before any window opens.
#include <gtest/gtest.h>
// Only after gtest: X11's macros (None, Bool) break its headers.
#include <X11/Xutil.h>

#include <cstdlib>

#include "game/save_file.h"
#include "platform/button_spots.h"
#include "platform/game_process.h"

namespace {

namespace fs = std::filesystem;

// The Setup screen lights about 7000 pixels with the art and none without it.
constexpr int kEnoughLitPixels = 1000;

TEST(Install, StartsFromAnyFolderWithItsArtAndSavesInThePlayersFolder) {
    XDisplay screen;
    ASSERT_TRUE(screen.isOpen()) << "this test needs a display (run it under xvfb-run)";
    DataFolder directory;
    const fs::path root = directory.path();
    fs::remove(root / "Data");
    const fs::path stage = root / "stage", home = root / "home", play = root / "play";
    fs::create_directories(play);
    fs::create_directories(home);
    const std::string install = "DESTDIR='" + stage.string() +
                                "' '" CMAKE_COMMAND "' --install '" BRENNOLT_BUILD_DIR
                                "' --prefix /usr >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0) << install;

    Launch launch;
    launch.program = (stage / "usr/games/brennolt").string();
    launch.environment = {{"HOME", home.string()}, {"XDG_DATA_HOME", (home / "data").string()}};
    launch.outputFolder = root;
    GameProcess game(play, true, launch);
    Window window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(game.pid())) != 0; }))
        << game.errors();
    // The window carries the game's own icon, for the desktop's task bar.
    const std::string icon =
        "xprop -id " + std::to_string(window) + " _NET_WM_ICON | grep -q 'Icon (64 x 64)'";
    EXPECT_EQ(std::system(icon.c_str()), 0) << icon;
    // The Setup screen's title, table and buttons are all drawn with the art.
    EXPECT_TRUE(waitFor([&] {
        XImage* image = screen.grab(window);
        int lit = 0;
        for (int i = 0; image != nullptr && i < image->width * image->height; ++i) {
            lit += (XGetPixel(image, i % image->width, i / image->width) & 0xffffff) != 0;
        }
        if (image != nullptr) XDestroyImage(image);
        return lit > kEnoughLitPixels;
    }));

    const Game setup;
    const Pixel begin = buttonCentre(setup, CommandId::BeginTurn);
    ASSERT_TRUE(clickAtScreenPoint(std::getenv("DISPLAY"), begin.x, begin.y));
    const Pixel save = turnScreenButton(CommandId::SaveGame);
    const fs::path saved = home / "data/brennolt/Save.kvd";
    ASSERT_TRUE(clickAtScreenPoint(std::getenv("DISPLAY"), save.x, save.y));
    ASSERT_TRUE(waitFor([&] { return fs::exists(saved); })) << game.errors();
    screen.requestClose(window);
    EXPECT_EQ(game.exitCode(), 0);

    EXPECT_GE(fs::file_size(saved), static_cast<uintmax_t>(kSaveHeaderBytes));
    for (const fs::path& made : {home / "data", saved.parent_path()}) {
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    }
    EXPECT_TRUE(fs::is_empty(play)) << fs::directory_iterator(play)->path();
    EXPECT_EQ(game.errors(), "");
}

// Help, version and mistakes are answered at once, without a display; a
// mistake is one line that names it.
TEST(CommandLine, AnswersBeforeAnyWindow) {
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        const char* output;  // a part of standard output
        const char* errors;  // standard error, whole
    } cases[] = {
        {{"--help"}, 0, "--load FILE", ""},
        {{"--version"}, 0, "Brennolt " BRENNOLT_VERSION "\n", ""},
        {{"--fullscreen", "--bogus"},
         2,
         "",
         "Brennolt: unknown option '--bogus'; try 'brennolt --help'\n"},
        {{"--data"}, 2, "", "Brennolt: option '--data' needs a folder; try 'brennolt --help'\n"},
        {{"--load"}, 2, "", "Brennolt: option '--load' needs a file; try 'brennolt --help'\n"},
        {{"--data", "nowhere"},
         1,
         "",
         "Brennolt: no game data found (looked in nowhere (--data)); name the folder with "
         "--data DIR or BRENNOLT_DATA\n"},
    };
    for (const auto& run : cases) {
        SCOPED_TRACE(run.arguments.back());
        DataFolder directory;
        Launch launch;
        launch.arguments = run.arguments;
        GameProcess game(directory.path(), false, launch);
        EXPECT_EQ(game.exitCode(), run.exitCode);
        EXPECT_NE(game.output().find(run.output), std::string::npos) << game.output();
        EXPECT_EQ(game.errors(), run.errors);
    }
}

}  // namespace
