// The real program, started as its own process in a directory of its own and
// driven through the X server: F2 and F12 sent to its window as key events,
// then the window manager's close request. What it leaves in Data/output.txt
// and its exit code are the results; without a window to be had, one line
// and a failing exit.
#include <X11/keysym.h>
#include <gtest/gtest.h>

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
    std::filesystem::remove_all(directory.path() / "Data");
    GameProcess game(directory.path());
    Window window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(game.pid())) != 0; }));

    screen.tapKey(window, XK_F2);
    ASSERT_TRUE(waitFor([&] { return game.errors().find("output.txt") != std::string::npos; }));
    screen.tapKey(window, XK_F12);
    screen.requestClose(window);

    EXPECT_EQ(game.exitCode(), 0);
    // Without Data/ the art is missing too; of the log there is one line.
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

// A session's runtime folder is set, as in any login session, so that only
// the game speaks.
TEST(WholeProgram, WithoutAWindowItSaysWhyInOneLineAndFails) {
    DataFolder directory;
    const char* runtime = directory.path().c_str();
    const struct {
        const char* why;
        Environment environment;
    } cases[] = {
        {"no display", {{"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr}}},
        {"no display is reachable",
         {{"DISPLAY", ":99999"}, {"WAYLAND_DISPLAY", nullptr}, {"XDG_RUNTIME_DIR", runtime}}},
        {"no window", {{"SDL_VIDEODRIVER", "dummy"}}},
    };
    for (const auto& [why, environment] : cases) {
        SCOPED_TRACE(why);
        GameProcess game(directory.path(), environment);
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
