// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Our own thin system layer: the rest of the game never sees SDL, FreeType or fontconfig.
#pragma once
#include <vector>

// Windows virtual-key numbers the game's handlers are written against.
enum VirtualKey {
    VK_BACK = 8,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33, // Page Up
    VK_NEXT = 34,  // Page Down
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_F1 = 112,
    VK_F11 = 122,
};

// Game-controller buttons the game answers to (SDL's game-controller layout). The right
// trigger counts as pressed when pulled past half way.
enum PadButton {
    PAD_A = 1,
    PAD_B,
    PAD_RIGHT_TRIGGER,
    PAD_DPAD_UP,
    PAD_DPAD_DOWN,
    PAD_BACK,
    PAD_LEFT_SHOULDER,
    PAD_RIGHT_SHOULDER,
    PAD_START,
};

enum MessageType {
    MSG_NONE = 0,
    MSG_KEYDOWN,     // key = virtual-key number
    MSG_CHAR,        // key = ASCII character
    MSG_LBUTTONDOWN, // x, y = client position
    MSG_RBUTTONDOWN,
    MSG_MOUSEMOVE, // x, y = client position
    MSG_SIZE,      // width, height = client size
    MSG_CLOSE,
    MSG_QUIT,      // posted by platformPostQuit
    MSG_PADBUTTON, // key = PadButton pressed on any game controller
};

struct PlatformMessage {
    MessageType type = MSG_NONE;
    int key = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The desktop's usable area on the first display (without panels); false, leaving 0 x 0,
// when there is no display to ask.
bool platformUsableDesktop(int* width, int* height);
// Why the last window, context or display request failed, in the system's words.
const char* platformLastError();

// One window with a double-buffered RGBA context (depth >= 16 bits), made current.
// Returns false when the window or context cannot be made.
bool platformCreateWindow(const char* title, int width, int height);
// Swaps wait for the display's refresh (the default), or not (the time demo).
void platformSetVsync(bool on);
void platformClientSize(int* width, int* height);
void platformSetWindowSize(int width, int height);

// Non-blocking; at most one message per call. Mouse moves are coalesced into the latest one.
bool platformPollMessage(PlatformMessage* msg);
// Queue a message as if the window system had sent it (used by tests and by the quit path).
void platformPostMessage(const PlatformMessage& msg);
void platformPostQuit();

// Events and game controllers without a window (a window's start does this too); false if
// SDL cannot start. Controllers plugged in later are opened as they come.
bool platformStartInput();

// Between the window at its size and fullscreen at the desktop's resolution. The new size
// reaches the game as a size message.
void platformToggleFullscreen();
bool platformIsFullscreen();

// The left stick's vertical position on any controller: -1 full up .. 1 full down, 0 inside
// the dead zone.
float platformPadStickY();
// Tests: a virtual game controller, plugged in and out, driven as a real one.
int platformAttachVirtualPad(); // an id, or -1
void platformDetachVirtualPad(int id);
void platformSetVirtualPadButton(int id, PadButton button, bool down);
void platformSetVirtualPadStickY(int id, float value);
void platformSetVirtualPadTrigger(int id, float value);

bool platformKeyHeld(int virtualKey);
// Tests: make a key count as held (or not) regardless of the keyboard.
void platformSimulateHeldKey(int virtualKey, bool held);

void platformSwapBuffers();
// Tests: when on, every swap first reads the finished back buffer (RGB, bottom row first).
void platformCaptureFrames(bool on);
const unsigned char* platformCapturedFrame(int* width, int* height);
// Seconds on a monotonic clock, for the game clock.
double platformSeconds();
// Sleeps until platformSeconds() reaches `seconds` (returns at once if it has).
void platformSleepUntil(double seconds);

// Sound out: mono samples in -1..1, which `fill` writes on the audio thread, `frames` at a
// time. Opens the default device at about `rate` and returns the rate it plays at, or 0 when
// there is none (platformLastError says why); once open, its rate again. platformShutdown
// closes it.
using AudioFill = void (*)(void* user, float* out, int frames);
int platformOpenAudio(int rate, AudioFill fill, void* user);
void platformCloseAudio();

// Releases the GL context (close path). Later frames must not be drawn.
void platformReleaseContext();
bool platformHasContext();
void platformShutdown();

// One glyph as a one-bit bitmap: rows bottom-up, each rowBytes long, leftmost pixel in the
// high bit. (xorig, yorig) is the pen position within it; advance moves the pen along x.
struct GlyphBitmap {
    bool present = false; // false: the face has no such glyph, nothing is drawn
    int width = 0, height = 0, rowBytes = 0;
    float xorig = 0, yorig = 0, advance = 0;
    std::vector<unsigned char> bits;
};

// Letters past ASCII the game draws: the Polish ones, and the dash.
constexpr char32_t kExtraGlyphs[] = {u'ą', u'ć', u'ę', u'ł', u'ń', u'ó', u'ś', u'ź', u'ż', u'Ą',
                                     u'Ć', u'Ę', u'Ł', u'Ń', u'Ó', u'Ś', u'Ź', u'Ż', u'–'};
constexpr int kExtraGlyphCount = sizeof(kExtraGlyphs) / sizeof(kExtraGlyphs[0]);

// The glyphs of codes 32..127 of a face, in that order, then those of kExtraGlyphs. cellHeight is
// the character cell height in pixels (ascent plus descent). Returns false, leaving `glyphs` empty,
// if no face is found.
bool platformRasteriseFont(const char* face, int cellHeight, bool bold,
                           std::vector<GlyphBitmap>* glyphs);
// The file the face name resolves to (for tests and diagnostics); empty if none.
const char* platformResolveFont(const char* face, bool bold);
