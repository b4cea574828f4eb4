// The "Drawing Sheet" dialog model driven as a user would.

#include "dialogs/sheet_dialog.h"

#include <gtest/gtest.h>

#include "math/sheet_mapping.h"
#include "model/sheet_fixture.h"

namespace gyr::testing {
namespace {

using M = CSheetDialogModel;

class SheetDialogTest : public SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        CSheetParams p = Sheet800x600();
        p.axesMode = 1;
        Use(p);
    }
    std::string Text(M& m, int id) { return m.Find(id)->text; }
    bool On(M& m, int id) { return m.Find(id)->checked; }
};

TEST_F(SheetDialogTest, OriginValuesSelectTheMatchingLocation) {
    doc.m_expansion = 1;
    M m(doc);
    EXPECT_EQ(m.Title(),
              "Define sheet-width, height, unit-length, axes-center, labels on axes etc.");
    EXPECT_TRUE(On(m, M::kExpandSheet));
    const struct {
        const char *x, *y;
        int location;
    } cases[] = {
        {"0", "564", 1}, {"0", "300", 2}, {"400", "300", 0}, {"400", "564", 3}, {"401", "564", -1}};
    for (const auto& c : cases) {
        m.Type(M::kOriginX, c.x);
        m.Type(M::kOriginY, c.y);
        EXPECT_EQ(m.SelectedLocation(), c.location) << c.x << ", " << c.y;
    }
    for (int id : {M::kMiddle, M::kLeftBottom, M::kLeftMiddle, M::kBottomMiddle})
        EXPECT_FALSE(On(m, id));
    // With no location a new width leaves the origin alone.
    m.Type(M::kWidth, "1000");
    EXPECT_EQ(Text(m, M::kOriginX), "401");
    // Choosing a location writes the origin; a new size re-applies it.
    m.Check(M::kMiddle, true);
    EXPECT_EQ(Text(m, M::kOriginX), "500");
    m.Type(M::kWidth, "901");
    m.Type(M::kHeight, "701");
    EXPECT_EQ(Text(m, M::kOriginX), "450");
    EXPECT_EQ(Text(m, M::kOriginY), "350");
    m.Check(M::kLeftBottom, true);
    EXPECT_EQ(Text(m, M::kOriginY), "665");
    EXPECT_FALSE(On(m, M::kMiddle));
}

TEST_F(SheetDialogTest, PageButtonsAddTheOpeningSize) {
    M m(doc);
    m.Press(M::kAddColumn);
    m.Press(M::kAddColumn);
    EXPECT_EQ(Text(m, M::kWidth), "2400");
    EXPECT_EQ(Text(m, M::kOriginX), "1200");  // middle re-applied
    m.Press(M::kAddColumn, true);
    EXPECT_EQ(Text(m, M::kWidth), "1600");
    host.printer = Host::PrinterPage{300, 300, 2550, 3300};
    m.Press(M::kDefaultPage);
    EXPECT_EQ(Text(m, M::kWidth), "808");
    EXPECT_EQ(Text(m, M::kOriginY), "524");
}

TEST_F(SheetDialogTest, AxesChecksAreCoupledAndLabelsReset) {
    M m(doc);
    m.Type(M::kLabelsX, "0");
    m.Type(M::kLabelsY, "-3");
    m.Check(M::kShowAxes, false);
    m.Check(M::kShowLabels, true);
    EXPECT_TRUE(On(m, M::kShowAxes));
    EXPECT_EQ(Text(m, M::kLabelsX), "1.000000");
    EXPECT_EQ(Text(m, M::kLabelsY), "1.000000");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "After you reset labels, label values must be postive, \nLabels set one per unit. "
              "\nChange if you want to.\n");
    m.Check(M::kShowLabels, true);  // valid labels: no message
    EXPECT_EQ(host.messages.size(), 1u);
    m.Check(M::kShowAxes, false);
    EXPECT_FALSE(On(m, M::kShowLabels));
}

TEST_F(SheetDialogTest, OkWritesTheDocumentOnlyWhenSomethingChanged) {
    // Only the expansion setting: stored, nothing re-applied.
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Check(M::kExpandBoth, true);
        return true;
    });
    EXPECT_TRUE(RunSheetDialog(doc));
    EXPECT_EQ(doc.m_expansion, 0);
    EXPECT_EQ(host.invalidateAll, 0);

    // A refused width keeps the dialog open; the corrected one is taken.
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(M::kWidth, "439");
        m.Check(M::kShowLabels, true);
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_EQ(m.RefusedField(), M::kWidth);
        m.Type(M::kWidth, "1000");
        m.Type(M::kUnitX, "40");
        return true;
    });
    EXPECT_TRUE(RunSheetDialog(doc));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Please enter an integer between 440 and 32000.");
    EXPECT_EQ(doc.m_sheetParams.originX, 500);
    EXPECT_EQ(doc.m_sheetParams.axesMode, 2);
    EXPECT_EQ(doc.Sheet()->m_params, doc.m_sheetParams);
    EXPECT_EQ(Mapping().sheetWidth, 1000);
    EXPECT_EQ(Mapping().unitX, 40);
    EXPECT_EQ(host.invalidateAll, 1);
    EXPECT_EQ(host.sheetSizeChanges, 1);
    EXPECT_TRUE(doc.IsModified());

    // Clearing both checks gives mode 0.
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Check(M::kShowAxes, false);
        m.Type(M::kOriginY, "7");
        return true;
    });
    EXPECT_TRUE(RunSheetDialog(doc));
    EXPECT_EQ(doc.m_sheetParams.axesMode, 0);
    EXPECT_EQ(doc.m_specialOrigin, -1);
}

}  // namespace
}  // namespace gyr::testing
