// The real program, started as its own process in a directory of its own and
// driven through the X server: F2 and F12 sent to its window as key events,
// then the window manager's close request. What it leaves in Data/output.txt
// and its exit code are the results.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/platform_fixture.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kPatience = 15s;
constexpr const char* kEndLine = "--==Simulation Ended By User==--\n";

// The game's own art, so that a whole run has nothing to report.
void installArt(const std::filesystem::path& directory) {
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(BRENNOLT_SOURCE_DIR) / "Data")) {
        const std::string name = entry.path().filename().string();
        if (name == "Save.kvd" || name == "output.txt") continue;
        std::filesystem::copy_file(entry.path(), directory / "Data" / name);
    }
}

bool waitFor(const std::function<bool()>& condition) {
    const auto deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

// The program running in `directory`, its standard error going to a file.
class GameProcess {
public:
    GameProcess(const std::filesystem::path& directory, bool withDisplay)
        : errors_(directory / "stderr.txt") {
        pid_ = fork();
        if (pid_ != 0) return;
        if (chdir(directory.c_str()) != 0) _exit(126);
        const int errors = open(errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errors < 0 || dup2(errors, STDERR_FILENO) < 0) _exit(126);
        if (!withDisplay) {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
        }
        execl(BRENNOLT_BINARY, BRENNOLT_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }

    ~GameProcess() {
        if (pid_ > 0 && !status_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    pid_t pid() const { return pid_; }
    std::string errors() const { return readFile(errors_); }

    // The exit code, or nothing if it did not end in time (or by a signal).
    std::optional<int> exitCode() {
        waitFor([this] {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
            return status_.has_value();
        });
        if (!status_ || !WIFEXITED(*status_)) return std::nullopt;
        return WEXITSTATUS(*status_);
    }

private:
    std::filesystem::path errors_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Windows of other tests come and go on the same display meanwhile.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

class Screen {
public:
    Screen() : display_(XOpenDisplay(nullptr)) { XSetErrorHandler(ignoreXErrors); }
    ~Screen() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    bool isOpen() const { return display_ != nullptr; }

    // The mapped top-level window of the process, or 0.
    Window windowOf(pid_t pid) {
        const Atom pidAtom = XInternAtom(display_, "_NET_WM_PID", False);
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
            return 0;
        }
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            if (windowPid(children[i], pidAtom) == pid && isMapped(children[i])) {
                found = children[i];
            }
        }
        if (children != nullptr) XFree(children);
        return found;
    }

    void tapKey(Window window, KeySym keySym) {
        sendKey(window, keySym, KeyPress);
        sendKey(window, keySym, KeyRelease);
    }

    // What a window manager sends when the user closes the window.
    void requestClose(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        const Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XFlush(display_);
    }

private:
    long windowPid(Window window, Atom pidAtom) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(display_, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                               &items, &after, &data) == Success &&
            data != nullptr && items == 1 && format == 32) {
            pid = *reinterpret_cast<long*>(data);
        }
        if (data != nullptr) XFree(data);
        return pid;
    }

    bool isMapped(Window window) {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) &&
               attributes.map_state == IsViewable;
    }

    void sendKey(Window window, KeySym keySym, int type) {
        XEvent event{};
        event.xkey.type = type;
        event.xkey.display = display_;
        event.xkey.window = window;
        event.xkey.root = DefaultRootWindow(display_);
        event.xkey.time = CurrentTime;
        event.xkey.x = 1;
        event.xkey.y = 1;
        event.xkey.same_screen = True;
        event.xkey.keycode = XKeysymToKeycode(display_, keySym);
        XSendEvent(display_, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                   &event);
        XFlush(display_);
    }

    Display* display_;
};

TEST(WholeProgram, F2ThenF12LogsTheStartedBattleAndCloseEndsWithCodeZero) {
    Screen screen;
    ASSERT_TRUE(screen.isOpen()) << "this test needs a display (run it under xvfb-run)";
    DataFolder directory;
    installArt(directory.path());
    GameProcess game(directory.path(), true);
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
    Screen screen;
    ASSERT_TRUE(screen.isOpen()) << "this test needs a display (run it under xvfb-run)";
    DataFolder directory;
    std::filesystem::remove_all(directory.path() / "Data");
    GameProcess game(directory.path(), true);
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

TEST(WholeProgram, WithoutADisplayItSaysSoInOneLineAndFails) {
    DataFolder directory;
    GameProcess game(directory.path(), false);
    const std::optional<int> code = game.exitCode();
    ASSERT_TRUE(code.has_value());
    EXPECT_NE(*code, 0);
    const std::string errors = game.errors();
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
    EXPECT_NE(errors.find("no display"), std::string::npos) << errors;
}

}  // namespace
