// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/game_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

// Xlib last: its macros (None, Bool, Status) must not meet the headers above.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

std::string run(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p))
        out += buf;
    pclose(p);
    return out;
}

bool haveXdotool() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

namespace {

// Other tests' windows come and go on a shared display while we walk the tree; an error about
// a window that has just gone must not end the walk (or the test program).
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

std::string nameOf(Display* d, Window w) {
    XTextProperty text;
    std::string name;
    if (XGetWMName(d, w, &text) && text.value) {
        name.assign(reinterpret_cast<const char*>(text.value), text.nitems);
        XFree(text.value);
    }
    return name;
}

long pidOf(Display* d, Window w, Atom pidAtom) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (format == 32 && count == 1) pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

void collect(Display* d, Window w, Atom pidAtom, pid_t pid, bool onlyVisible,
             std::vector<unsigned long>* mine) {
    if (nameOf(d, w) == "Valmora" && pidOf(d, w, pidAtom) == pid) {
        XWindowAttributes a;
        if (!onlyVisible || (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable))
            mine->push_back(w);
    }
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n)) return;
    for (unsigned int i = 0; i < n; ++i)
        collect(d, children[i], pidAtom, pid, onlyVisible, mine);
    if (children) XFree(children);
}

} // namespace

std::vector<unsigned long> valmoraWindowsOf(pid_t pid, bool onlyVisible) {
    std::vector<unsigned long> mine;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return mine;
    XErrorHandler before = XSetErrorHandler(ignoreXErrors);
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    collect(d, DefaultRootWindow(d), pidAtom, pid, onlyVisible, &mine);
    XSync(d, False);
    XSetErrorHandler(before);
    XCloseDisplay(d);
    return mine;
}

std::vector<unsigned long> waitForWindows(pid_t pid) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < until) {
        std::vector<unsigned long> w = valmoraWindowsOf(pid, true);
        if (!w.empty()) return w;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

GameProcess::GameProcess(const char* display, const std::vector<std::string>& args,
                         const char* workDir) {
    std::error_code ec;
    std::filesystem::copy_file(GAME_DIR "/orbel", "orbel",
                               std::filesystem::copy_options::overwrite_existing, ec);
    const std::string folder = std::filesystem::current_path().string();
    const std::string program = folder + "/orbel", output = folder + "/stdout.txt",
                      errors = folder + "/stderr.txt";
    pid_ = fork();
    if (pid_ == 0) {
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) dup2(out, 1);
        const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) dup2(err, 2);
        if (display) setenv("DISPLAY", display, 1);
        // Silent, with or without a sound card.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (workDir && chdir(workDir) != 0) _exit(126);
        std::vector<char*> argv{const_cast<char*>("orbel")};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

GameProcess::~GameProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int GameProcess::waitForExit(int seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (pid_ > 0 && std::chrono::steady_clock::now() < until) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

void typeKeys(unsigned long window, const std::string& keys) {
    run("xdotool key --delay 100 --window " + std::to_string(window) + " " + keys + " 2>/dev/null");
    run("xdotool keyup " + keys + " 2>/dev/null");
}

Picture grabWindow(unsigned long window) {
    Picture pic;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return pic;
    XWindowAttributes a;
    if (XGetWindowAttributes(d, window, &a)) {
        XImage* image = XGetImage(d, window, 0, 0, static_cast<unsigned>(a.width),
                                  static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
        if (image) {
            pic.width = a.width;
            pic.height = a.height;
            pic.rgb.resize(static_cast<size_t>(a.width) * a.height * 3);
            // Bottom row first, as frames read back from GL are.
            for (int y = 0; y < a.height; ++y)
                for (int x = 0; x < a.width; ++x) {
                    const unsigned long p = XGetPixel(image, x, a.height - 1 - y);
                    unsigned char* out = &pic.rgb[(static_cast<size_t>(y) * a.width + x) * 3];
                    out[0] = static_cast<unsigned char>((p & image->red_mask) >> 16);
                    out[1] = static_cast<unsigned char>((p & image->green_mask) >> 8);
                    out[2] = static_cast<unsigned char>(p & image->blue_mask);
                }
            XDestroyImage(image);
        }
    }
    XCloseDisplay(d);
    return pic;
}
