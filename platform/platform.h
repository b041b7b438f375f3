// Our own thin system layer: the rest of the game never sees SDL, FreeType or fontconfig.
#pragma once
#include <vector>

// Windows virtual-key numbers the game's handlers are written against.
enum VirtualKey {
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
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
    MSG_QUIT, // posted by platformPostQuit
};

struct PlatformMessage {
    MessageType type = MSG_NONE;
    int key = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One window with a double-buffered RGBA context (depth >= 16 bits), made current.
// Returns false when the window or context cannot be made.
bool platformCreateWindow(const char* title, int width, int height);
void platformClientSize(int* width, int* height);
void platformSetWindowSize(int width, int height);

// Non-blocking; at most one message per call. Mouse moves are coalesced into the latest one.
bool platformPollMessage(PlatformMessage* msg);
// Queue a message as if the window system had sent it (used by tests and by the quit path).
void platformPostMessage(const PlatformMessage& msg);
void platformPostQuit();

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

// The glyphs of codes 32..127 of a face, in that order. cellHeight is the character cell
// height in pixels (ascent plus descent). Returns false, leaving `glyphs` empty, if no face
// is found.
bool platformRasteriseFont(const char* face, int cellHeight, bool bold,
                           std::vector<GlyphBitmap>* glyphs);
// The file the face name resolves to (for tests and diagnostics); empty if none.
const char* platformResolveFont(const char* face, bool bold);
