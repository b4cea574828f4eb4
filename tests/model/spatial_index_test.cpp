// The paint index finds exactly what a scan of the whole catalogue finds,
// follows the moving objects it is told of, and knows when it is stale.

#include "model/spatial_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "model/document_fixture.h"
#include "port/recording_canvas.h"

namespace gyr::testing {
namespace {

using SpatialIndexTest = DocumentTest;

std::vector<std::uint32_t> FullScan(const CObList& list, const PixelRect& r) {
    std::vector<std::uint32_t> found;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->GetInvalidRect().Intersects(r)) found.push_back(std::uint32_t(i));
    return found;
}

TEST_F(SpatialIndexTest, QueriesFindExactlyWhatAFullScanFinds) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> centre(-12, 12), offset(-1.5, 1.5);
    for (int i = 0; i < 1500; ++i) {
        const CWorldPoint c{centre(rng), centre(rng)};
        AddSegment(c + CWorldPoint{offset(rng), offset(rng)},
                   c + CWorldPoint{offset(rng), offset(rng)});
    }
    // Far beyond the sheet, across all of it, a point-like one, a huge one.
    AddSegment({1e9, 1e9}, {1e9 + 1, 1e9});
    AddSegment({-1e3, 0.5}, {1e3, 0.7});
    AddSegment({1, 1}, {1, 1});
    AddSegment({-1e300, -1e300}, {1e300, 1e300});
    const CObList& list = doc.Objects();
    CPaintIndex index;
    index.Build(list, doc.CatalogueVersion());
    ASSERT_TRUE(index.Matches(list, doc.CatalogueVersion()));
    // The sheet and the huge one are tested by every query.
    EXPECT_GE(index.AlwaysTestedCount(), 2u);
    EXPECT_GT(index.GridObjectCount(), 1400u);

    const CSheetMapping& m = Mapping();
    std::uniform_int_distribution<int> x(-300, m.sheetWidth + 300), y(-300, m.sheetHeight + 300),
        size(0, 250);
    std::vector<std::uint32_t> found;
    for (int q = 0; q < 300; ++q) {
        const int l = x(rng), t = y(rng);
        const PixelRect r{l, t, l + size(rng), t + size(rng)};
        index.Query(r, list, {}, found);
        ASSERT_EQ(found, FullScan(list, r))
            << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    }
    // Rectangles far beyond the sheet land in its border cells.
    const PixelRect far{1 << 29, 1 << 29, (1 << 29) + 100, (1 << 29) + 100};
    index.Query(far, list, {}, found);
    EXPECT_EQ(found, FullScan(list, far));
}

TEST_F(SpatialIndexTest, MovingObjectsAreFoundWhereTheyAreNow) {
    CShapeObj* a = AddSegment({-5, -5}, {-4, -4});
    AddSegment({3, 3}, {4, 4});
    const CObList& list = doc.Objects();
    CPaintIndex index;
    index.Build(list, doc.CatalogueVersion());
    const PixelRect there = a->GetInvalidRect();
    a->Offset({9, 9});
    a->RecalcBounds();
    const PixelRect here = a->GetInvalidRect();
    std::vector<std::uint32_t> found;
    // Unannounced, it is looked for where it was.
    index.Query(here, list, {}, found);
    EXPECT_FALSE(std::ranges::count(found, 1u));
    index.Query(here, list, {a}, found);
    EXPECT_TRUE(std::ranges::count(found, 1u));

    // Drawn only where it is now, as a full scan would.
    RecordingCanvas dc, scan;
    DrawInRect(list, index, {a}, dc, there);
    DrawInRect(list, scan, there);
    EXPECT_EQ(dc.lines, scan.lines);
    dc.Clear();
    scan.Clear();
    DrawInRect(list, index, {a}, dc, here);
    DrawInRect(list, scan, here);
    EXPECT_EQ(dc.lines, scan.lines);
    EXPECT_FALSE(dc.lines.empty());
}

TEST_F(SpatialIndexTest, ACatalogueOrMappingChangeMakesItStale) {
    CShapeObj* a = AddSegment({0, 0}, {1, 1});
    CPaintIndex index;
    const std::function<void()> changes[] = {
        [&] {
            AddSegment({2, 2}, {3, 3});
        },
        [&] { doc.MakeFirst(a); },
        [&] { doc.RemoveObject(a); },
        [&] { Mapping().unitX *= 2; },
        [&] { index.Clear(); },
        // A fresh catalogue of the same length is another one.
        [&] {
            const std::size_t before = doc.Objects().size();
            doc.OnNewDocument();
            while (doc.Objects().size() < before) AddSegment({0, 0}, {1, 1});
        },
    };
    for (const auto& change : changes) {
        index.Build(doc.Objects(), doc.CatalogueVersion());
        ASSERT_TRUE(index.Matches(doc.Objects(), doc.CatalogueVersion()));
        change();
        EXPECT_FALSE(index.Matches(doc.Objects(), doc.CatalogueVersion()));
    }
}

}  // namespace
}  // namespace gyr::testing
