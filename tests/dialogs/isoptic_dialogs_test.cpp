// The canonical-constants dialog (defaults, SINGULAR, OK and its refusal)
// and the half-number dialog with its range.

#include "dialogs/isoptic_dialogs.h"

#include <gtest/gtest.h>

#include "figures/figure_fixture.h"
#include "figures/isoptic_obj.h"

namespace gyr::testing {
namespace {

using Model = CIsopticConstantsDialogModel;

TEST_F(FigureTest, ConstantsDialogOffersDefaultsOrTheSelectionsAndAddsSegmentsAndCubic) {
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_DOUBLE_EQ(m.DoubleOf(Model::kAField), -1);
        EXPECT_DOUBLE_EQ(m.DoubleOf(Model::kBField), -3);
        EXPECT_DOUBLE_EQ(m.DoubleOf(Model::kCField), 1);
        return true;
    });
    RunIsopticConstantsDialog(state);
    EXPECT_EQ(host.dialogTitles.at(0), "Set Canonical Constants");
    ASSERT_EQ(Figures(), 3u);
    EXPECT_TRUE(doc.Objects()[1]->IsSegment());
    EXPECT_TRUE(doc.Objects()[2]->IsSegment());
    EXPECT_EQ(Last()->GetRuntimeClass(), &CIsopticTwo::kClass);
    EXPECT_FALSE(host.invalidated.empty());

    // With the cubic selected the dialog opens on its constants; SINGULAR
    // makes it singular, with the exact value behind the six decimals.
    state.Select(Last());
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_DOUBLE_EQ(m.DoubleOf(Model::kCField), 1);
        m.Type(Model::kAField, "3");
        m.Press(Model::kSingularButton);
        EXPECT_EQ(m.Find(Model::kBField)->text, "2.138889");
        return true;
    });
    RunIsopticConstantsDialog(state);
    ASSERT_EQ(Figures(), 6u);
    EXPECT_EQ(Last()->GetRuntimeClass(), &CIsopticSingular::kClass);

    // SINGULAR with a = 0 beeps; OK with b = c = 0 beeps and stays open.
    host.Clear();
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(Model::kAField, "0");
        m.Press(Model::kSingularButton);
        m.Type(Model::kBField, "0");
        m.Type(Model::kCField, "0");
        return true;
    });
    RunIsopticConstantsDialog(state);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(Figures(), 6u);
}

TEST_F(FigureTest, HalfNumberDialogAcceptsTwentyToThousandAndOne) {
    EXPECT_EQ(ProgramState().isoptic.halfPoints, 41);
    host.dialogScripts.push_back([](DialogModel& m) {
        EXPECT_EQ(m.IntOf(CHalfPointsDialogModel::kNField), 41);
        EXPECT_EQ(m.Find(CHalfPointsDialogModel::kNField)->label, "Enter n: 20<n<1001");
        m.Type(CHalfPointsDialogModel::kNField, "19");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(CHalfPointsDialogModel::kNField, "1002");
        return true;
    });
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(CHalfPointsDialogModel::kNField, "1001");
        return true;
    });
    RunHalfPointsDialog();
    EXPECT_EQ(host.dialogTitles.at(0), "Set half-number of points for components");
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Please enter an integer between 20 and 1001.");
    EXPECT_EQ(ProgramState().isoptic.halfPoints, 1001);
    CIsoptic* obj = AddIsopticFromConstants(&doc, {-1, -3, 1});
    EXPECT_EQ(obj->m_compos.back()->Count(), 2002);
}

}  // namespace
}  // namespace gyr::testing
