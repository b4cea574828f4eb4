// Function graphs: sampling, listing, edits and files.

#include "figures/graph_obj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "figures/graph_fixture.h"

namespace gyr::testing {
namespace {

TEST_F(GraphTest, SamplingSplitsAtJumpsAndStartsOnlyInsideTheSheet) {
    EXPECT_EQ(Sample("1/x").ComponentCount(), 2);  // a pole: split at the jump
    CompoObj flat = Sample("2");  // a constant: every sample below R, one component
    ASSERT_EQ(flat.ComponentCount(), 1);
    EXPECT_EQ(flat.m_compos[0]->Count(), SamplesBelow(-5, 5, 100));
    EXPECT_EQ(flat.m_compos[0]->m_points[0], CWorldPoint(-5, 2));
    // Outside the visible vertical range, and with a zero tolerance: nothing.
    EXPECT_EQ(Sample("100").ComponentCount(), 0);
    EXPECT_EQ(Sample("x", 0).ComponentCount(), 0);
    // Once started, a component follows the function off the sheet.
    CompoObj steep = Sample("x*x", 7.2, 0, 5);
    ASSERT_EQ(steep.ComponentCount(), 1);
    EXPECT_GT(steep.m_compos[0]->m_points.back().y, 20);
    EXPECT_EQ(Sample("log(0-1)").ComponentCount(), 0);  // not-a-number never starts one

    // The work is bounded by the number of points, even where x cannot move.
    CompoObj stuck = Sample("1", 7.2, 9000, std::nextafter(9000.0, 1e4), 50);
    ASSERT_EQ(stuck.ComponentCount(), 1);
    EXPECT_LE(stuck.m_compos[0]->Count(), 51);
    EXPECT_EQ(Sample("1", 7.2, 5, -5).ComponentCount(), 0);
    EXPECT_EQ(Sample("1", 7.2, -5, 5, 1).ComponentCount(), 0);
}

TEST_F(GraphTest, ListingFilesAndClones) {
    CGraphObj* g = DefaultGraph();
    DataLines lines;
    ASSERT_EQ(g->ListData(lines), 1 + 2 + 4 + 4 + 3);
    EXPECT_EQ(lines[1], "a =  0.500000");
    EXPECT_EQ(lines[5], "Max Graph-points =  100");
    EXPECT_EQ(lines[12], "Comp-0 , nPts:  " + std::to_string(SamplesBelow(-5, 5, 100)));

    std::vector<std::uint8_t> first, second;
    std::unique_ptr<CGraphObj> loaded(RoundTrip(*g, &first, &second));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(loaded->m_strDefinition, "a*x+b\n0.5 1");
    EXPECT_EQ(loaded->ComponentCount(), 1);
}

TEST_F(GraphTest, ListingEditsKeepTheirBandsAndResampleOnlyThatGraph) {
    CGraphObj* g = DefaultGraph();
    CGraphObj* other = DefaultGraph();
    CDrawingParams& params = ProgramState().params;
    const int pointsLine = 2 + 3;
    // The number of points moves by the step, not to the value...
    EXPECT_EQ(g->SetDataValue(pointsLine, 777, 1), g);
    EXPECT_EQ(params.graphPoints, 101);
    EXPECT_EQ(g->m_compos[0]->Count(), SamplesBelow(-5, 5, 101));
    EXPECT_EQ(other->m_compos[0]->Count(), SamplesBelow(-5, 5, 100));
    // ...and only from within 10 .. 2000.
    params.graphPoints = 2000;
    g->SetDataValue(pointsLine, 0, 1);
    g->SetDataValue(pointsLine, 0, 1);
    EXPECT_EQ(params.graphPoints, 2001);
    params.graphPoints = 10;
    g->SetDataValue(pointsLine, 0, -1);
    g->SetDataValue(pointsLine, 0, -1);
    EXPECT_EQ(params.graphPoints, 9);
    g->SetDataValue(3, 6, 0);  // an out-of-band interval end is ignored
    EXPECT_EQ(params.graphLeft, -5);

    // A parameter edit is kept in the definition; the repaint covers old and new.
    host.Clear();
    const PixelRect before = g->GetInvalidRect();
    g->SetDataValue(2, -1, 0);
    EXPECT_EQ(g->m_strDefinition, "a*x+b\n0.5  -1");
    EXPECT_EQ(g->m_compos[0]->m_points[0].y, -3.5);  // 0.5 * -5 - 1
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], before.United(g->GetInvalidRect()));
}

}  // namespace
}  // namespace gyr::testing
