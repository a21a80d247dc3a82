// Test support: the real program run as its own process in a directory of
// its own, and the X server it shows on, to find its window and send it input.
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "data_folder.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

inline constexpr auto kPatience = 15s;

inline bool waitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds patience = kPatience) {
    const auto deadline = Clock::now() + patience;
    while (Clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

// The game's own Data/ (art and models, no save or log) copied into the
// working directory of a run, so that the run has nothing to report.
inline void installArt(const std::filesystem::path& directory) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(BRENNOLT_SOURCE_DIR) / "Data")) {
        const std::string name = entry.path().filename().string();
        if (name == "Save.kvd" || name == "output.txt") continue;
        std::filesystem::copy_file(entry.path(), directory / "Data" / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

// How a run starts, where it differs from the game built here started bare.
// In a child of the test: it ends when the test does, however the test ends
// (a crash, or the test command's time limit), so nothing is left running.
inline void endWithTheTest() { prctl(PR_SET_PDEATHSIG, SIGKILL); }

struct Launch {
    std::string program = BRENNOLT_BINARY;
    std::vector<std::string> arguments;
    // Set for the run, or unset where there is no value.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    std::filesystem::path outputFolder;  // of stdout.txt and stderr.txt; empty: the directory
};

// The program running in `directory`, its standard output and error going to files.
class GameProcess {
public:
    explicit GameProcess(const std::filesystem::path& directory, bool withDisplay = true,
                         const Launch& launch = {})
        : errors_((launch.outputFolder.empty() ? directory : launch.outputFolder) / "stderr.txt"),
          output_(errors_.parent_path() / "stdout.txt") {
        std::vector<char*> command{const_cast<char*>(launch.program.c_str())};
        for (const std::string& argument : launch.arguments) {
            command.push_back(const_cast<char*>(argument.c_str()));
        }
        command.push_back(nullptr);
        pid_ = fork();
        if (pid_ != 0) return;
        endWithTheTest();
        if (chdir(directory.c_str()) != 0) _exit(126);
        const int errors = open(errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errors < 0 || dup2(errors, STDERR_FILENO) < 0) _exit(126);
        const int output = open(output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (output < 0 || dup2(output, STDOUT_FILENO) < 0) _exit(126);
        if (!withDisplay) {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
        }
        for (const auto& [name, value] : launch.environment) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
        execv(command[0], command.data());
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
    std::string output() const { return readFile(output_); }

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
    std::filesystem::path output_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Windows of other tests come and go on the same display meanwhile.
inline int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

class XDisplay {
public:
    // The display DISPLAY names, or the one named (":5").
    explicit XDisplay(const char* name = nullptr) : display_(XOpenDisplay(name)) {
        XSetErrorHandler(ignoreXErrors);
    }
    ~XDisplay() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

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

    // The window's content as the X server holds it; null if it cannot.
    XImage* grab(Window window) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display_, window, &attributes)) return nullptr;
        return XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                         static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
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
