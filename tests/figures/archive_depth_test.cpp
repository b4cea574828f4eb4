// Curves hold a nested object list after their shape fields: a file cannot
// nest them deeper than the reader allows.

#include <gtest/gtest.h>

#include "figures/class_registry.h"
#include "model/archive_builder.h"
#include "model/capped_run.h"

namespace gyr::testing {
namespace {

TEST(ArchiveBoundsTest, NestedListsAreBoundedInDepth) {
    // Curves hold a nested object list after their shape fields; a chain of
    // curves each holding the next nests one level per link.
    Builder b;
    b.U16(2).Sheet().NewClass("CompoObj").ShapeHead().U32(0);
    const int links = 4 * CArchive::kMaxDepth;
    for (int i = 0; i < links; ++i) b.U16(1).U16(0x8003).ShapeHead().U32(0);
    b.U16(0).Zeros(std::size_t(links) * 2);
    const Bytes bytes = b.b;
    int status = RunCapped({[&bytes] { LoadDocumentWith(DrawingClasses(), bytes); }});
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace gyr::testing
