// The "Drawing Sheet" dialog model driven as a user would, through the
// scripted host.

#include "ui/sheet_dialog.h"

#include <gtest/gtest.h>

#include "doc/program_state.h"
#include "port/scripted_host.h"
#include "ui/axes.h"
#include "ui/sheet_mapping.h"

namespace gyr {
namespace {

using M = CSheetDialogModel;

class SheetDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        host.document = &doc;
        doc.OnNewDocument();
        CSheetParams p;
        p.width = 800;
        p.height = 600;
        p.originX = 400;
        p.originY = 300;
        p.axesMode = 1;
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
        doc.SetModifiedFlag(false);
        host.Clear();
    }
    std::string Text(M& m, int id) { return m.Find(id)->text; }
    bool On(M& m, int id) { return m.Find(id)->checked; }

    ScriptedHost host;
    CGyrDoc doc;
};

TEST_F(SheetDialogTest, OpensWithTheDocumentValues) {
    doc.m_expansion = 1;
    M m(doc);
    EXPECT_EQ(m.Title(),
              "Define sheet-width, height, unit-length, axes-center, labels on axes etc.");
    EXPECT_EQ(Text(m, M::kWidth), "800");
    EXPECT_EQ(Text(m, M::kOriginY), "300");
    EXPECT_EQ(Text(m, M::kLabelsX), "2.000000");
    EXPECT_EQ(m.SelectedLocation(), 0);
    EXPECT_TRUE(On(m, M::kShowAxes));
    EXPECT_FALSE(On(m, M::kShowLabels));
    EXPECT_TRUE(On(m, M::kExpandSheet));
    EXPECT_FALSE(On(m, M::kExpandUnits));
    EXPECT_EQ(m.Find(M::kBottomMiddle)->label, "&Bottom middle of sheet");
    EXPECT_EQ(m.Find(M::kMiddle)->group, m.Find(M::kLeftMiddle)->group);
    EXPECT_NE(m.Find(M::kMiddle)->group, m.Find(M::kExpandBoth)->group);
}

TEST_F(SheetDialogTest, OriginValuesSelectTheMatchingLocation) {
    M m(doc);
    m.Type(M::kOriginX, "0");
    m.Type(M::kOriginY, "564");
    EXPECT_EQ(m.SelectedLocation(), 1);  // left-bottom: (0, H - 36)
    m.Type(M::kOriginY, "300");
    EXPECT_EQ(m.SelectedLocation(), 2);  // left-middle
    m.Type(M::kOriginX, "400");
    EXPECT_EQ(m.SelectedLocation(), 0);  // middle
    m.Type(M::kOriginY, "564");
    EXPECT_EQ(m.SelectedLocation(), 3);  // bottom-middle
    m.Type(M::kOriginX, "401");
    EXPECT_EQ(m.SelectedLocation(), -1);
    for (int id : {M::kMiddle, M::kLeftBottom, M::kLeftMiddle, M::kBottomMiddle})
        EXPECT_FALSE(On(m, id));

    // With no location a new width leaves the origin alone.
    m.Type(M::kWidth, "1000");
    EXPECT_EQ(Text(m, M::kOriginX), "401");

    // Choosing a location writes the origin; a new size re-applies it.
    m.Check(M::kMiddle, true);
    EXPECT_EQ(Text(m, M::kOriginX), "500");
    EXPECT_EQ(Text(m, M::kOriginY), "300");
    m.Type(M::kWidth, "901");
    m.Type(M::kHeight, "701");
    EXPECT_EQ(Text(m, M::kOriginX), "450");
    EXPECT_EQ(Text(m, M::kOriginY), "350");
    m.Check(M::kLeftBottom, true);
    EXPECT_EQ(Text(m, M::kOriginX), "0");
    EXPECT_EQ(Text(m, M::kOriginY), "665");
    EXPECT_FALSE(On(m, M::kMiddle));
}

TEST_F(SheetDialogTest, PageButtonsAddTheOpeningSize) {
    M m(doc);
    m.Press(M::kAddColumn);
    m.Press(M::kAddColumn);
    EXPECT_EQ(Text(m, M::kWidth), "2400");
    EXPECT_EQ(Text(m, M::kOriginX), "1200");  // middle re-applied
    m.Press(M::kAddRow);
    EXPECT_EQ(Text(m, M::kHeight), "1200");
    m.Press(M::kAddColumn, true);
    EXPECT_EQ(Text(m, M::kWidth), "1600");
    m.Press(M::kAddRow, true);
    EXPECT_EQ(Text(m, M::kHeight), "600");
    m.Press(M::kAddRow, true);  // not larger than a page: stays
    EXPECT_EQ(Text(m, M::kHeight), "600");
    EXPECT_EQ(Text(m, M::kOriginY), "300");

    host.printer = Host::PrinterPage{300, 300, 2550, 3300};
    m.Press(M::kDefaultPage);
    EXPECT_EQ(Text(m, M::kWidth), "808");
    EXPECT_EQ(Text(m, M::kHeight), "1048");
    EXPECT_EQ(Text(m, M::kOriginX), "404");
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
    // Valid labels: no message.
    m.Check(M::kShowLabels, true);
    EXPECT_EQ(host.messages.size(), 1u);

    m.Check(M::kShowAxes, false);
    EXPECT_FALSE(On(m, M::kShowLabels));
}

TEST_F(SheetDialogTest, OkWritesTheDocumentOnlyWhenSomethingChanged) {
    host.dialogScripts.push_back([](DialogModel&) { return true; });
    EXPECT_TRUE(RunSheetDialog(doc));
    EXPECT_EQ(host.dialogTitles.size(), 1u);
    EXPECT_EQ(doc.m_sheetParams.axesMode, 1);
    EXPECT_EQ(host.invalidateAll, 0);
    EXPECT_EQ(host.sheetSizeChanges, 0);
    EXPECT_FALSE(doc.IsModified());

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
    EXPECT_EQ(doc.m_sheetParams.width, 1000);
    EXPECT_EQ(doc.m_sheetParams.originX, 500);
    EXPECT_EQ(doc.m_sheetParams.unitX, 40);
    EXPECT_EQ(doc.m_sheetParams.axesMode, 2);
    EXPECT_EQ(doc.Sheet()->m_params, doc.m_sheetParams);
    EXPECT_EQ(Mapping().sheetWidth, 1000);
    EXPECT_EQ(Mapping().unitX, 40);
    EXPECT_EQ(host.invalidateAll, 1);
    EXPECT_EQ(host.sheetSizeChanges, 1);
    EXPECT_TRUE(doc.IsModified());

    // Clearing both checks gives mode 0; Cancel changes nothing.
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Check(M::kShowAxes, false);
        m.Check(M::kLeftMiddle, true);
        return false;
    });
    EXPECT_FALSE(RunSheetDialog(doc));
    EXPECT_EQ(doc.m_sheetParams.axesMode, 2);
    EXPECT_EQ(doc.m_specialOrigin, 0);
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Check(M::kShowAxes, false);
        m.Type(M::kOriginY, "7");
        return true;
    });
    EXPECT_TRUE(RunSheetDialog(doc));
    EXPECT_EQ(doc.m_sheetParams.axesMode, 0);
    EXPECT_EQ(doc.m_specialOrigin, -1);
    EXPECT_EQ(host.sheetSizeChanges, 1);
}

}  // namespace
}  // namespace gyr
