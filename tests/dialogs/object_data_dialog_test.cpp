// The "Object data" dialog model driven as a user would: the spin steps the
// exact value, STEP, lines without a value, the copy and the text box.

#include "dialogs/object_data_dialog.h"

#include <gtest/gtest.h>

#include "figures/class_registry.h"
#include "figures/graph_fixture.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace gyr::testing {
namespace {

using M = CObjectDataDialogModel;

class ObjectDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        state.SetDocument(&doc);
        doc.OnNewDocument();
        seg = NewSegment(&doc, {0.1234567, 0}, {1, 0});
        seg->RecalcBounds();
        doc.AddObject(seg);
    }
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    CGestureState state;
    CSegmentObj* seg = nullptr;
};

TEST_F(ObjectDataTest, TheSpinStepsTheExactValueByStep) {
    M m(state, seg);
    EXPECT_EQ(m.Title(), "Object data");
    EXPECT_TRUE(m.OkOnly());
    const DialogField* list = m.Find(M::kList);
    EXPECT_EQ(list->extent, 1024);
    ASSERT_EQ(list->selected, 2);  // the third line, pt-0.x
    EXPECT_EQ(list->items[2], "pt-0.x =  0.123457");
    EXPECT_EQ(m.Find(M::kStep)->text, "0.010000");

    m.SpinBy(M::kSpin, 1);
    EXPECT_NEAR(seg->P0().x, 0.1334567, 1e-15);  // not 0.133457
    EXPECT_EQ(m.Find(M::kList)->items[2], "pt-0.x =  0.133457");
    EXPECT_EQ(m.Find(M::kList)->selected, 2);

    m.Type(M::kStep, "0.5");
    for (int i = 0; i < 3; ++i) m.SpinBy(M::kSpin, 1);
    EXPECT_NEAR(seg->P0().x, 1.6334567, 1e-12);
    // Text that is no step, or out of range, keeps the last valid one.
    m.Type(M::kStep, "abc");
    m.Type(M::kStep, "11");
    EXPECT_DOUBLE_EQ(m.Step(), 0.5);
    m.SpinBy(M::kSpin, -2);
    EXPECT_NEAR(seg->P0().x, 0.6334567, 1e-12);
    EXPECT_EQ(host.beeps, 0);

    // "Size in bytes" has no value: choosing it beeps, and so does the spin.
    m.SelectItem(M::kList, 1);
    EXPECT_EQ(host.beeps, 1);
    m.SpinBy(M::kSpin, 1);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_NEAR(seg->P0().x, 0.6334567, 1e-12);

    // The y of the second point.
    m.SelectItem(M::kList, 5);
    m.SpinBy(M::kSpin, 1);
    EXPECT_NEAR(seg->P1().y, 0.5, 1e-12);
}

TEST_F(ObjectDataTest, ModifyACopyAndTheTextBox) {
    M m(state, seg);
    m.Press(M::kModifyCopy);
    ASSERT_EQ(doc.Objects().size(), 3u);
    EXPECT_EQ(m.Object(), doc.Objects().back());
    m.SpinBy(M::kSpin, 1);
    EXPECT_NEAR(seg->P0().x, 0.1234567, 1e-15);  // the original stays
    EXPECT_NEAR(static_cast<CSegmentObj*>(m.Object())->P0().x, 0.1334567, 1e-15);

    m.Press(M::kTextBox);
    ASSERT_EQ(doc.Objects().size(), 4u);
    ASSERT_TRUE(doc.Objects().back()->IsText());
    const std::string& text = static_cast<CTextObj*>(doc.Objects().back())->m_strText;
    EXPECT_NE(text.find("pt-0.x =  0.133457\r\n"), std::string::npos);

    // The sheet cannot be copied.
    M sheet(state, doc.Objects().front());
    sheet.Press(M::kModifyCopy);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(doc.Objects().size(), 4u);
}

// A graph's lines are its own parameters, whatever the parser held before.
TEST_F(GraphTest, TheObjectDataOfAGraphListAndStepItsOwnParameters) {
    CGraphObj* g = DefaultGraph();
    ASSERT_EQ(FormulaParser().Parse("x*x+c"), 1);
    M m(state, g);
    const DialogField* list = m.Find(M::kList);
    ASSERT_GE(list->items.size(), 3u);
    EXPECT_EQ(list->items[0], "a*x+b");
    EXPECT_EQ(list->items[2], "b =  1.000000");
    m.SpinBy(M::kSpin, 2);
    EXPECT_EQ(m.Find(M::kList)->items[2], "b =  1.020000");
    EXPECT_EQ(g->m_strDefinition.substr(0, 6), "a*x+b\n");
}

}  // namespace
}  // namespace gyr::testing
