#pragma once
// Function graphs on the figure fixture's sheet.

#include "figures/figure_fixture.h"
#include "figures/graph_obj.h"
#include "math/formula_parser.h"

namespace gyr::testing {

// The fixture's sheet shows y in (-6, 6).
class GraphTest : public FigureTest {
protected:
    CompoObj Sample(const char* formula, double tolerance = 7.2, double left = -5, double right = 5,
                    int points = 100) {
        EXPECT_EQ(FormulaParser().Parse(formula), 0);
        CompoObj curve;
        SampleGraph(curve, FormulaParser(), {left, right, points, tolerance});
        return curve;
    }

    // The samples the running sum visits below R.
    static int SamplesBelow(double left, double right, int points) {
        int n = 0;
        const double dx = (right - left) / (points - 1);
        for (double x = left; x < right; x += dx) ++n;
        return n;
    }

    CGraphObj* DefaultGraph() {
        EXPECT_EQ(FormulaParser().Parse("a*x+b"), 2);
        EXPECT_TRUE(FormulaParser().SetParameters("0.5 1", 2));
        auto* g = new CGraphObj("a*x+b\n0.5 1");
        g->SetDocument(&doc);
        g->Resample();
        doc.AddObject(g);
        return g;
    }
};

}  // namespace gyr::testing
