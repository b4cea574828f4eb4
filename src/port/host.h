#pragma once
// The platform seam for everything that is not drawing: sounds, message boxes,
// repaint requests, key state, clipboard, file choosers, dialogs, randomness.
// The desktop implements it on Qt; tests use ScriptedHost.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "port/canvas.h"

namespace gyr {

class DialogModel;

enum class MsgIcon { None, Information, Exclamation, Question, Stop };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// Virtual key codes used by the core (platform numbering).
enum Key : int {
    kKeyBack = 0x08,
    kKeyTab = 0x09,
    kKeyReturn = 0x0D,
    kKeyShift = 0x10,
    kKeyControl = 0x11,
    kKeyEscape = 0x1B,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyDelete = 0x2E,
    kKeyF1 = 0x70,
    kKeyF2 = 0x71,
    kKeyF8 = 0x77,
    kKeyF9 = 0x78,
    kKeyF11 = 0x7A,
    kKeyF12 = 0x7B,
};

struct FileChoice {
    bool ok = false;
    std::string path;
};

class Host {
public:
    virtual ~Host() = default;

    virtual void Beep() = 0;
    virtual MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) = 0;

    // Repaint a rectangle of the active view (sheet pixels).
    virtual void Invalidate(const PixelRect& r) = 0;
    virtual void InvalidateAll() = 0;
    // The sheet size changed: the active view resets its scroll range.
    virtual void SheetSizeChanged() {}

    // True while the key (a Key value or a letter) is held down.
    virtual bool IsKeyDown(int key) = 0;

    // Screen resolution in pixels per inch.
    virtual int ScreenDpiX() { return 96; }
    virtual int ScreenDpiY() { return 96; }
    // The default printer's printable area, if there is a printer.
    struct PrinterPage {
        int dpiX = 0, dpiY = 0;
        // The page less its unprintable margins, in printer pixels.
        int widthPx = 0, heightPx = 0;
    };
    virtual std::optional<PrinterPage> DefaultPrinter() { return std::nullopt; }

    virtual FileChoice ChooseOpenFile(const std::string& filter) = 0;
    virtual FileChoice ChooseSaveFile(const std::string& filter, const std::string& defExt,
                                      const std::string& fileName) = 0;

    // Runs a modal dialog over its model; true when the user pressed OK and
    // the model accepted its fields.
    virtual bool RunDialog(DialogModel& model) = 0;

    virtual void SetClipboardText(const std::string& text) { (void)text; }
    virtual std::optional<std::string> ClipboardText() { return std::nullopt; }

    // What Copy offers: blocks of bytes by MIME type, and a drawing that the
    // platform renders into images for other programs (SVG and PNG of area,
    // on white). Replaces the whole clipboard.
    struct ClipboardDrawing {
        PixelRect area;
        std::function<void(Canvas&)> draw;
    };
    virtual void SetClipboard(
        const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& data,
        const ClipboardDrawing* drawing) {
        (void)data, (void)drawing;
    }
    // The bytes of a MIME type on the clipboard, if it holds that type.
    virtual std::optional<std::vector<std::uint8_t>> ClipboardData(const std::string& mime) {
        (void)mime;
        return std::nullopt;
    }
    // Whether the clipboard holds an image of another program (PNG, JPEG …),
    // and that image as a packed 24-bit DIB: the platform decodes it.
    virtual bool ClipboardHasImage() { return false; }
    virtual std::optional<std::vector<std::uint8_t>> ClipboardImageDib() { return std::nullopt; }

    // A document was opened or saved under this path: the recent-file list
    // takes it.
    virtual void AddRecentFile(const std::string& path) { (void)path; }

    // A white bitmap of width × height pixels that draw paints through a
    // canvas of the platform's raster surface (pictures of the drawing).
    // False when the platform has none or the bitmap cannot be made.
    virtual bool RenderBitmap(int width, int height, const std::function<void(Canvas&)>& draw,
                              DibImage& out) {
        (void)width;
        (void)height;
        (void)draw;
        (void)out;
        return false;
    }

    // Uniform random integer in [0, 32767], the platform rand() range.
    virtual int Random() = 0;
};

// The one active host of the process.
Host& GetHost();
// Null while no host is installed (command-line work before set-up).
Host* FindHost();
// Whether the key is held; false without a host.
bool IsKeyHeld(int key);
void SetHost(Host* host);

}  // namespace gyr
