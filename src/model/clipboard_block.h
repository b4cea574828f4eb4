#pragma once
// The clipboard's block of figures: the objects as one object list in the
// archive encoding (the count, then each object with its class tag), read
// back by the same bounded reader as the files.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/obj_list.h"

namespace gyr {

class CClassTable;
class CGyrDoc;

// Our own clipboard format.
inline constexpr const char* kObjectsMime = "application/x-gyrovant-objects";

// The objects in the given order, their selection flags cleared in the copy.
std::vector<std::uint8_t> WriteObjectBlock(const CObList& objects);
// Reads a block into new objects of doc, appended to out (owned by the
// caller). Sheet objects are left out and counted in droppedSheets. False,
// with nothing appended, when the block is malformed (truncated, a count
// beyond its bytes, an unknown class).
bool ReadObjectBlock(const std::uint8_t* data, std::size_t size, const CClassTable& classes,
                     CGyrDoc* doc, CObList& out, std::size_t* droppedSheets = nullptr);

}  // namespace gyr
