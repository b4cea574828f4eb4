// The BMP reader and decoder on untrusted bytes: whatever reads decodes to
// exactly width × height pixels, writes back as a file that reads again to
// the same bitmap, and its packed form reads too. Nothing reads outside the
// input or allocates more than the bitmap's pixels need.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "math/dib_codec.h"

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gyr::Dib dib;
    const bool file = gyr::ReadBmpFile(data, size, dib);
    if (!file && !gyr::ReadPackedDib(data, size, dib)) return 0;
    const gyr::DibImage* image = dib.Image();
    if (!image) Fail("a bitmap that read does not decode");
    if (image->pixels.size() != std::size_t(dib.Width()) * std::size_t(dib.Height()))
        Fail("decoded pixels do not match the size");
    const std::vector<std::uint8_t> bytes = gyr::WriteBmpFile(dib);
    gyr::Dib again;
    if (!gyr::ReadBmpFile(bytes.data(), bytes.size(), again))
        Fail("a written bitmap does not read");
    if (again.Bits() != dib.Bits()) Fail("the written bitmap's bits changed");
    if (gyr::WriteBmpFile(again) != bytes) Fail("writing is not stable");
    const std::vector<std::uint8_t> packed = dib.ToPacked();
    gyr::Dib fromPacked;
    if (!gyr::ReadPackedDib(packed.data(), packed.size(), fromPacked))
        Fail("the packed form does not read");
    return 0;
}
