// SDL2 window, GL context, message queue, key polling, swap and frame pacing.
#include <SDL.h>

#include <chrono>
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
        // Only ASCII reaches the game as characters.
        for (const char* p = e.text.text; *p; ++p) {
            unsigned char c = static_cast<unsigned char>(*p);
            if (c < 128) {
                PlatformMessage cm;
                cm.type = MSG_CHAR;
                cm.key = c;
                enqueue(cm);
            }
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
    default:
        break;
    }
}

} // namespace

bool platformCreateWindow(const char* title, int width, int height) {
    if (!sdlStarted) {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
        sdlStarted = true;
    }
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

void platformShutdown() {
    platformReleaseContext();
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    if (sdlStarted) SDL_Quit();
    sdlStarted = false;
    queue.clear();
}
