// The metafile player on untrusted bytes, into the recording canvas: a file
// the header check accepts plays without reading outside its records, with
// bounded work, leaves the canvas's state stack as it found it, and every
// bitmap it hands over decodes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "port/emf_player.h"
#include "port/recording_canvas.h"

namespace {

class DecodingCanvas : public gyr::RecordingCanvas {
public:
    void DrawDib(const gyr::PixelRect& r, const gyr::Dib& dib, const gyr::PixelRect& src) override {
        if (!dib.Image()) {
            std::fprintf(stderr, "a bitmap of a record does not decode\n");
            std::abort();
        }
        RecordingCanvas::DrawDib(r, dib, src);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodingCanvas dc;
    gyr::EmfHeader h;
    const bool valid = gyr::ReadEmfHeader(data, size, h);
    if (gyr::PlayEmf(data, size, dc, {0, 0, 640, 480}) != valid) {
        std::fprintf(stderr, "the player and the header check disagree\n");
        std::abort();
    }
    if (dc.SaveDepth() != 0) {
        std::fprintf(stderr, "the player left %d saved states\n", dc.SaveDepth());
        std::abort();
    }
    return 0;
}
