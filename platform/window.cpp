// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// SDL2 window, GL context, message queue, key polling, game controllers, swap and clock.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <deque>
#include <thread>
#include <vector>

#include <GL/gl.h>

#include "platform/platform.h"

namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
std::deque<PlatformMessage> queue;
bool sdlStarted = false;
bool capturing = false;
bool simulatedHeld[256] = {};
bool windowCloseSeen = false;
std::vector<unsigned char> captured;
int capturedWidth = 0, capturedHeight = 0;

int virtualKeyOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_F1:
        return VK_F1;
    case SDLK_F11:
        return VK_F11;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    default:
        break;
    }
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    return 0;
}

SDL_Scancode scancodeOf(int vk) {
    switch (vk) {
    case VK_LEFT:
        return SDL_SCANCODE_LEFT;
    case VK_RIGHT:
        return SDL_SCANCODE_RIGHT;
    case VK_UP:
        return SDL_SCANCODE_UP;
    case VK_DOWN:
        return SDL_SCANCODE_DOWN;
    case VK_RETURN:
        return SDL_SCANCODE_RETURN;
    case VK_SPACE:
        return SDL_SCANCODE_SPACE;
    case VK_ESCAPE:
        return SDL_SCANCODE_ESCAPE;
    default:
        break;
    }
    if (vk >= 'A' && vk <= 'Z') return SDL_GetScancodeFromKey(SDLK_a + (vk - 'A'));
    if (vk >= '0' && vk <= '9') return SDL_GetScancodeFromKey(SDLK_0 + (vk - '0'));
    return SDL_SCANCODE_UNKNOWN;
}

// Open game controllers, by joystick instance id.
std::vector<SDL_GameController*> pads;
// The right trigger's last state per controller, so a pull counts once.
std::vector<std::pair<SDL_JoystickID, bool>> triggersPulled;
// Virtual controllers of the tests, by the id handed out.
std::vector<SDL_Joystick*> virtualPads;

constexpr int kStickDeadZone = 8000;
constexpr int kTriggerHalfWay = 16384;

void openPad(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    if (SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex)) pads.push_back(pad);
}

void closePad(SDL_JoystickID id) {
    for (size_t i = 0; i < pads.size(); ++i)
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pads[i])) == id) {
            SDL_GameControllerClose(pads[i]);
            pads.erase(pads.begin() + static_cast<long>(i));
            return;
        }
}

int padButtonOf(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        return PAD_A;
    case SDL_CONTROLLER_BUTTON_B:
        return PAD_B;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return PAD_DPAD_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return PAD_DPAD_DOWN;
    case SDL_CONTROLLER_BUTTON_BACK:
        return PAD_BACK;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return PAD_LEFT_SHOULDER;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return PAD_RIGHT_SHOULDER;
    case SDL_CONTROLLER_BUTTON_START:
        return PAD_START;
    default:
        return 0;
    }
}

// A pull of the right trigger past half way, once until it is let go below half way.
bool triggerPulled(SDL_JoystickID id, int value) {
    for (auto& [pad, pulled] : triggersPulled)
        if (pad == id) {
            const bool now = value >= kTriggerHalfWay;
            const bool edge = now && !pulled;
            pulled = now;
            return edge;
        }
    triggersPulled.push_back({id, value >= kTriggerHalfWay});
    return value >= kTriggerHalfWay;
}

// The code points of a UTF-8 text, leaving out anything that is not well formed.
std::vector<int> codePointsOf(const char* text) {
    std::vector<int> codes;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        const int length = *p < 0x80         ? 1
                           : (*p >> 5) == 6  ? 2
                           : (*p >> 4) == 14 ? 3
                           : (*p >> 3) == 30 ? 4
                                             : 0;
        int code = length == 1 ? *p : length == 2 ? *p & 0x1F : length == 3 ? *p & 0x0F : *p & 0x07;
        int k = 1;
        for (; k < length && (p[k] & 0xC0) == 0x80; ++k)
            code = code << 6 | (p[k] & 0x3F);
        if (length == 0 || k < length) {
            ++p; // a stray byte: skip it and look again
            continue;
        }
        const int least[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (code >= least[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF))
            codes.push_back(code);
        p += length;
    }
    return codes;
}

// Like the Windows queue: one pending mouse move at most, carrying the latest position.
void enqueue(const PlatformMessage& msg) {
    if (msg.type == MSG_MOUSEMOVE) {
        for (PlatformMessage& m : queue)
            if (m.type == MSG_MOUSEMOVE) {
                m.x = msg.x;
                m.y = msg.y;
                return;
            }
    }
    queue.push_back(msg);
}

void translate(const SDL_Event& e) {
    PlatformMessage m;
    switch (e.type) {
    case SDL_QUIT:
        // Closing the last window also reports a quit: one close box, one close message.
        if (!windowCloseSeen) {
            windowCloseSeen = true;
            m.type = MSG_CLOSE;
            enqueue(m);
        }
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            windowCloseSeen = true;
            m.type = MSG_CLOSE;
            enqueue(m);
        } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            m.type = MSG_SIZE;
            m.width = e.window.data1;
            m.height = e.window.data2;
            enqueue(m);
        }
        break;
    case SDL_KEYDOWN: {
        int vk = virtualKeyOf(e.key.keysym.sym);
        if (vk != 0) {
            m.type = MSG_KEYDOWN;
            m.key = vk;
            enqueue(m);
        }
        break;
    }
    case SDL_TEXTINPUT:
        // Each character as its code point (a name may hold Polish letters); broken UTF-8 is
        // dropped.
        for (const int code : codePointsOf(e.text.text)) {
            PlatformMessage cm;
            cm.type = MSG_CHAR;
            cm.key = code;
            enqueue(cm);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_RIGHT) {
            m.type = e.button.button == SDL_BUTTON_LEFT ? MSG_LBUTTONDOWN : MSG_RBUTTONDOWN;
            m.x = e.button.x;
            m.y = e.button.y;
            enqueue(m);
        }
        break;
    case SDL_MOUSEMOTION:
        m.type = MSG_MOUSEMOVE;
        m.x = e.motion.x;
        m.y = e.motion.y;
        enqueue(m);
        break;
    case SDL_CONTROLLERDEVICEADDED:
        openPad(e.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        closePad(e.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        m.key = padButtonOf(e.cbutton.button);
        if (m.key != 0) {
            m.type = MSG_PADBUTTON;
            enqueue(m);
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT &&
            triggerPulled(e.caxis.which, e.caxis.value)) {
            m.type = MSG_PADBUTTON;
            m.key = PAD_RIGHT_TRIGGER;
            enqueue(m);
        }
        break;
    default:
        break;
    }
}

} // namespace

bool platformStartInput() {
    if (sdlStarted) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_EVENTS) != 0) return false;
    sdlStarted = true;
    // Without controller support the game still plays with mouse and keys.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    return true;
}

namespace {

// Video on a screen a player sees. Without one SDL falls back to drivers that draw nowhere;
// the game would then run on unseen, so they are taken only when asked for by name.
bool startVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool unseen =
        driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (unseen && !SDL_getenv("SDL_VIDEODRIVER")) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("no display to show a window on (is DISPLAY or WAYLAND_DISPLAY set?)");
        return false;
    }
    return true;
}

} // namespace

bool platformUsableDesktop(int* width, int* height) {
    *width = *height = 0;
    if (!platformStartInput() || !startVideo()) return false;
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return false;
    *width = r.w;
    *height = r.h;
    return true;
}

const char* platformLastError() {
    return SDL_GetError();
}

bool platformCreateWindow(const char* title, int width, int height) {
    if (!platformStartInput() || !startVideo()) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    if (width <= 0) width = 1;
    if (height <= 0) height = 1;
    window = SDL_CreateWindow(title, 0, 0, width, height,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (!window) return false;
    context = SDL_GL_CreateContext(window);
    if (!context) {
        SDL_DestroyWindow(window);
        window = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(1); // vsync where the driver offers it; the loop sleeps otherwise
    SDL_StartTextInput();
    queue.clear();
    windowCloseSeen = false;
    return true;
}

void platformSetVsync(bool on) {
    if (context) SDL_GL_SetSwapInterval(on ? 1 : 0);
}

void platformClientSize(int* width, int* height) {
    int w = 0, h = 0;
    if (window) SDL_GL_GetDrawableSize(window, &w, &h);
    *width = w;
    *height = h;
}

void platformSetWindowSize(int width, int height) {
    if (window) SDL_SetWindowSize(window, width, height);
}

bool platformPollMessage(PlatformMessage* msg) {
    if (sdlStarted) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            translate(e);
    }
    if (queue.empty()) return false;
    *msg = queue.front();
    queue.pop_front();
    return true;
}

void platformPostMessage(const PlatformMessage& msg) {
    enqueue(msg);
}

void platformPostQuit() {
    PlatformMessage m;
    m.type = MSG_QUIT;
    queue.push_back(m);
}

void platformSimulateHeldKey(int virtualKey, bool held) {
    if (virtualKey >= 0 && virtualKey < 256) simulatedHeld[virtualKey] = held;
}

bool platformKeyHeld(int virtualKey) {
    if (virtualKey >= 0 && virtualKey < 256 && simulatedHeld[virtualKey]) return true;
    if (!sdlStarted) return false;
    SDL_PumpEvents();
    int n = 0;
    const Uint8* state = SDL_GetKeyboardState(&n);
    SDL_Scancode sc = scancodeOf(virtualKey);
    return sc != SDL_SCANCODE_UNKNOWN && static_cast<int>(sc) < n && state[sc] != 0;
}

void platformCaptureFrames(bool on) {
    capturing = on;
}

const unsigned char* platformCapturedFrame(int* width, int* height) {
    *width = capturedWidth;
    *height = capturedHeight;
    return captured.empty() ? nullptr : captured.data();
}

void platformSwapBuffers() {
    if (!window || !context) return;
    if (capturing) {
        platformClientSize(&capturedWidth, &capturedHeight);
        captured.assign(static_cast<size_t>(capturedWidth) * capturedHeight * 3, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, capturedWidth, capturedHeight, GL_RGB, GL_UNSIGNED_BYTE,
                     captured.data());
    }
    SDL_GL_SwapWindow(window);
}

double platformSeconds() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(clock::now().time_since_epoch()).count();
}

void platformSleepUntil(double seconds) {
    const double left = seconds - platformSeconds();
    if (left > 0) std::this_thread::sleep_for(std::chrono::duration<double>(left));
}

void platformReleaseContext() {
    if (!context) return;
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    context = nullptr;
}

bool platformHasContext() {
    return context != nullptr;
}

namespace {

// Desktop fullscreen is the window manager's job. On an X server without one (a bare Xvfb)
// nothing would change size, so the window is made borderless and laid over the display by
// hand instead.
bool windowManagerRuns() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type;
    int format;
    unsigned long count = 0, after;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &after, &data);
    if (data) XFree(data);
    return status == Success && count == 1;
}

bool fullscreenByHand = false;
SDL_Rect windowedPlace = {0, 0, 0, 0};

} // namespace

void platformToggleFullscreen() {
    if (!window) return;
    if (!platformIsFullscreen()) {
        SDL_GetWindowPosition(window, &windowedPlace.x, &windowedPlace.y);
        SDL_GetWindowSize(window, &windowedPlace.w, &windowedPlace.h);
        if (windowManagerRuns()) {
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
            return;
        }
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) != 0) return;
        fullscreenByHand = true;
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, bounds.x, bounds.y);
        SDL_SetWindowSize(window, bounds.w, bounds.h);
        return;
    }
    if (fullscreenByHand) {
        fullscreenByHand = false;
        SDL_SetWindowBordered(window, SDL_TRUE);
    } else {
        SDL_SetWindowFullscreen(window, 0);
    }
    SDL_SetWindowSize(window, windowedPlace.w, windowedPlace.h);
    SDL_SetWindowPosition(window, windowedPlace.x, windowedPlace.y);
}

bool platformIsFullscreen() {
    if (!window) return false;
    return fullscreenByHand || (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                                   SDL_WINDOW_FULLSCREEN_DESKTOP;
}

float platformPadStickY() {
    int strongest = 0;
    for (SDL_GameController* pad : pads) {
        const int v = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        if (std::abs(v) > std::abs(strongest)) strongest = v;
    }
    if (std::abs(strongest) < kStickDeadZone) return 0;
    return std::max(-1.0f, std::min(1.0f, static_cast<float>(strongest) / 32767.0f));
}

int platformAttachVirtualPad() {
    if (!sdlStarted || !SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return -1;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Valmora test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) return -1;
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (!joystick) return -1;
    virtualPads.push_back(joystick);
    return static_cast<int>(virtualPads.size()) - 1;
}

namespace {
SDL_Joystick* virtualPad(int id) {
    return id >= 0 && id < static_cast<int>(virtualPads.size()) ? virtualPads[id] : nullptr;
}

Sint16 axisValue(float value) {
    return static_cast<Sint16>(std::max(-32768.0f, std::min(32767.0f, value * 32767.0f)));
}
} // namespace

void platformDetachVirtualPad(int id) {
    SDL_Joystick* joystick = virtualPad(id);
    if (!joystick) return;
    const SDL_JoystickID instance = SDL_JoystickInstanceID(joystick);
    SDL_JoystickClose(joystick);
    virtualPads[id] = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == instance) SDL_JoystickDetachVirtual(i);
}

void platformSetVirtualPadButton(int id, PadButton button, bool down) {
    static const SDL_GameControllerButton kButtons[] = {SDL_CONTROLLER_BUTTON_INVALID,
                                                        SDL_CONTROLLER_BUTTON_A,
                                                        SDL_CONTROLLER_BUTTON_B,
                                                        SDL_CONTROLLER_BUTTON_INVALID,
                                                        SDL_CONTROLLER_BUTTON_DPAD_UP,
                                                        SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                                                        SDL_CONTROLLER_BUTTON_BACK,
                                                        SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                                                        SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                                                        SDL_CONTROLLER_BUTTON_START};
    SDL_Joystick* joystick = virtualPad(id);
    if (!joystick || button < PAD_A || button > PAD_START) return;
    if (button == PAD_RIGHT_TRIGGER) {
        platformSetVirtualPadTrigger(id, down ? 1.0f : 0.0f);
        return;
    }
    SDL_JoystickSetVirtualButton(joystick, kButtons[button], down ? 1 : 0);
}

void platformSetVirtualPadStickY(int id, float value) {
    if (SDL_Joystick* joystick = virtualPad(id))
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, axisValue(value));
}

void platformSetVirtualPadTrigger(int id, float value) {
    if (SDL_Joystick* joystick = virtualPad(id))
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, axisValue(value));
}

void platformShutdown() {
    platformCloseAudio();
    for (SDL_GameController* pad : pads)
        SDL_GameControllerClose(pad);
    pads.clear();
    triggersPulled.clear();
    for (SDL_Joystick* joystick : virtualPads)
        if (joystick) SDL_JoystickClose(joystick);
    virtualPads.clear();
    platformReleaseContext();
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    if (sdlStarted) SDL_Quit();
    sdlStarted = false;
    queue.clear();
}
