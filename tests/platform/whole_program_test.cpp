// The real program, started as its own process in a directory of its own and
// driven through the X server: F2 and F12 sent to its window as key events,
// then the window manager's close request. What it leaves in Data/output.txt
// and its exit code are the results; without a window to be had, one line
// and a failing exit.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/game_process.h"

namespace {

constexpr const char* kEndLine = "--==Simulation Ended By User==--\n";

TEST(WholeProgram, F2ThenF12LogsTheStartedBattleAndCloseEndsWithCodeZero) {
    XDisplay screen;
    ASSERT_TRUE(screen.isOpen()) << "this test needs a display (run it under xvfb-run)";
    DataFolder directory;
    installArt(directory.path());
    GameProcess game(directory.path());
    Window window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(game.pid())) != 0; }))
        << game.errors();
    const std::filesystem::path log = directory.path() / "Data" / "output.txt";

    screen.tapKey(window, XK_F2);
    ASSERT_TRUE(waitFor([&] { return readFile(log) == "Battle 1:\n5000 VS 5000\n"; }))
        << readFile(log);
    screen.tapKey(window, XK_F12);
    ASSERT_TRUE(waitFor([&] { return readFile(log).ends_with(kEndLine); })) << readFile(log);
    screen.requestClose(window);

    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_EQ(readFile(log), std::string("Battle 1:\n5000 VS 5000\n") + kEndLine);
    EXPECT_EQ(game.errors(), "");
}

TEST(WholeProgram, LogThatCannotBeOpenedIsReportedAndTheProgramCarriesOn) {
    XDisplay screen;
    ASSERT_TRUE(screen.isOpen()) << "this test needs a display (run it under xvfb-run)";
    DataFolder directory;
    // A folder where the log should be: the game starts, but the log cannot be made.
    std::filesystem::create_directory(directory.path() / "Data" / "output.txt");
    GameProcess game(directory.path(), true);
    Window window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(game.pid())) != 0; }))
        << game.errors();

    screen.tapKey(window, XK_F2);
    ASSERT_TRUE(waitFor([&] { return game.errors().find("output.txt") != std::string::npos; }));
    screen.tapKey(window, XK_F12);
    screen.requestClose(window);

    EXPECT_EQ(game.exitCode(), 0);
    // The art is missing too; of the log there is one line.
    std::istringstream errors(game.errors());
    int logLines = 0;
    for (std::string line; std::getline(errors, line);) {
        if (line.find("output.txt") != std::string::npos) {
            ++logLines;
            EXPECT_NE(line.find("Data/output.txt"), std::string::npos) << line;
        }
    }
    EXPECT_EQ(logLines, 1) << game.errors();
}

// A model file linked to /dev/zero was once read without end, and a named
// pipe for a picture waited for a writer: no window ever came. Art that is
// not a regular file is now refused like damaged art, such as a damaged icon.
TEST(WholeProgram, ArtThatIsNoRegularFileOrDamagedGivesOneLineEachAndTheGameRuns) {
    XDisplay screen;
    ASSERT_TRUE(screen.isOpen()) << "this test needs a display (run it under xvfb-run)";
    DataFolder directory;
    installArt(directory.path());
    const std::filesystem::path model = directory.path() / "Data" / "Sphere Model00.txt";
    const std::filesystem::path hud = directory.path() / "Data" / "HUD.bmp";
    std::filesystem::remove(model);
    std::filesystem::create_symlink("/dev/zero", model);
    std::filesystem::remove(hud);
    ASSERT_EQ(mkfifo(hud.c_str(), 0600), 0);
    std::ofstream(directory.path() / "Data" / "icon.bmp") << "BM damaged";
    GameProcess game(directory.path(), true);
    Window window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(game.pid())) != 0; }))
        << game.errors();
    screen.requestClose(window);

    EXPECT_EQ(game.exitCode(), 0);
    std::istringstream errors(game.errors());
    std::string iconLine, hudLine, modelLine, more;
    std::getline(errors, iconLine), std::getline(errors, hudLine), std::getline(errors, modelLine);
    std::getline(errors, more);
    EXPECT_NE(iconLine.find("icon Data/icon.bmp not loaded"), std::string::npos) << iconLine;
    EXPECT_NE(hudLine.find("Data/HUD.bmp"), std::string::npos) << hudLine;
    EXPECT_NE(modelLine.find("Data/Sphere Model00.txt"), std::string::npos) << modelLine;
    for (const std::string& line : {hudLine, modelLine})
        EXPECT_NE(line.find("not a regular file"), std::string::npos) << line;
    EXPECT_EQ(more, "");
}

// A session's runtime folder is set, as in any login session, so that only
// the game speaks.
TEST(WholeProgram, WithoutAWindowItSaysWhyInOneLineAndFails) {
    DataFolder directory;
    const std::string runtime = directory.path().string();
    using Environment = decltype(Launch::environment);
    const struct {
        const char* why;
        Environment environment;
    } cases[] = {
        {"no display", {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}}},
        {"no display is reachable",
         {{"DISPLAY", ":99999"}, {"WAYLAND_DISPLAY", std::nullopt}, {"XDG_RUNTIME_DIR", runtime}}},
        {"no window", {{"SDL_VIDEODRIVER", "dummy"}}},
    };
    for (const auto& [why, environment] : cases) {
        SCOPED_TRACE(why);
        Launch launch;
        launch.environment = environment;
        GameProcess game(directory.path(), true, launch);
        const std::optional<int> code = game.exitCode();
        ASSERT_TRUE(code.has_value()) << "still running";
        EXPECT_NE(*code, 0);
        const std::string errors = game.errors();
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find(std::string("cannot open the game window: ") + why),
                  std::string::npos)
            << errors;
    }
}

}  // namespace
