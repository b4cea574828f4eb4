#pragma once
// Our enhanced-metafile player: it checks the file's framing and plays the
// records it knows into a Canvas, the picture's frame mapped onto a target
// rectangle as standard playback does. Everything it reads is untrusted:
// counts are checked against their record, the DC stack and the handle
// table are bounded, a non-finite or singular transform skips its record,
// and records it does not know (comments and EMF+ included) are skipped.

#include <cstddef>
#include <cstdint>

#include "port/canvas.h"
#include "port/emf_format.h"

namespace gyr {

// The deepest SAVEDC nesting played.
constexpr int kMaxEmfSaveDepth = 1024;

// Plays the metafile into target (logical pixels of dc). False, having drawn
// nothing, when the header check fails.
bool PlayEmf(const std::uint8_t* data, std::size_t size, Canvas& dc, const PixelRect& target);

}  // namespace gyr
