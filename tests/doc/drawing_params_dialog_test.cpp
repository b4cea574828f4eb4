// The "Drawing Parameters" dialog driven through the scripted host.

#include "doc/drawing_params_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "doc/program_state.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

using M = CDrawingParamsDialogModel;
constexpr double kPi = std::numbers::pi;

class DrawingParamsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    // Queues a script typing one text into one field and pressing OK.
    void Type(int id, std::string text) {
        host.dialogScripts.push_back([id, text](DialogModel& m) {
            m.Type(id, text);
            return true;
        });
    }

    ScriptedHost host;
};

TEST_F(DrawingParamsDialogTest, FieldsInTabOrderWithTheirLabels) {
    M m;
    EXPECT_EQ(m.Title(), "Drawing Parameters");
    const int ids[] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                       1008, 1009, 1010, 1011, 1012, 1013, 1021, 1059};
    ASSERT_EQ(m.Fields().size(), std::size(ids));
    for (std::size_t i = 0; i < std::size(ids); ++i) EXPECT_EQ(m.Fields()[i].id, ids[i]);
    EXPECT_EQ(m.Find(M::kSides)->label, "Num of sides of &regular polygons:");
    EXPECT_EQ(m.Find(M::kRatio)->label, "Ratio:");
    EXPECT_EQ(m.Find(M::kSides)->text, "6");
    EXPECT_EQ(m.Find(M::kGraphLeft)->text, "-5.000000");
    EXPECT_EQ(m.Find(M::kRotationAngle)->text, "30:0:0");
}

TEST_F(DrawingParamsDialogTest, TwoSidesAreRefusedAndTheDialogStaysOpen) {
    Type(M::kSides, "2");
    Type(M::kSides, "8");
    EXPECT_TRUE(RunDrawingParamsDialog());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Please enter an integer between 3 and 60.");
    // The second script ran on the same, still open dialog.
    EXPECT_EQ(ProgramState().params.polygonSides, 8);
}

TEST_F(DrawingParamsDialogTest, EightSidesRebuildThePolygonStep) {
    Type(M::kSides, "8");
    ASSERT_TRUE(RunDrawingParamsDialog());
    const CDrawingParams& p = ProgramState().params;
    EXPECT_EQ(p.polygonSides, 8);
    EXPECT_DOUBLE_EQ(p.polygonStep.x, std::cos(kPi / 4));
    EXPECT_DOUBLE_EQ(p.polygonStep.y, std::sin(kPi / 4));
}

TEST_F(DrawingParamsDialogTest, RatioOutsideZeroToOneIsRefused) {
    Type(M::kRatio, "1.5");
    EXPECT_FALSE(RunDrawingParamsDialog());
    EXPECT_EQ(host.LastMessage(), "Please enter a number between 0 and 1.");
    EXPECT_EQ(ProgramState().params.ratio, 0.5);

    for (const char* ok : {"0", "1"}) {
        host.Clear();
        Type(M::kRatio, ok);
        EXPECT_TRUE(RunDrawingParamsDialog()) << ok;
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(ProgramState().params.ratio, std::stod(ok));
    }
}

TEST_F(DrawingParamsDialogTest, OtherRangesAreChecked) {
    const std::pair<int, const char*> refused[] = {
        {M::kGraphPoints, "2401"}, {M::kDivideAngle, "1"}, {M::kDivideParts, "51"}};
    const char* messages[] = {"Please enter an integer between 20 and 2400.",
                              "Please enter an integer between 2 and 60.",
                              "Please enter an integer between 2 and 50."};
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        Type(refused[i].first, refused[i].second);
        EXPECT_FALSE(RunDrawingParamsDialog());
        EXPECT_EQ(host.LastMessage(), messages[i]);
    }
}

TEST_F(DrawingParamsDialogTest, AngleTextRoundTrip) {
    Type(M::kRotationAngle, "45:30:36");
    ASSERT_TRUE(RunDrawingParamsDialog());
    EXPECT_DOUBLE_EQ(ProgramState().params.rotationAngle,
                     (45 + 30 / 60.0 + 36 / 3600.0) * kPi / 180);
    EXPECT_EQ(M().Find(M::kRotationAngle)->text, "45:30:36");

    // A negative degree count negates minutes and seconds; any single
    // character separates.
    Type(M::kRotationAngle, "-10 15 30");
    ASSERT_TRUE(RunDrawingParamsDialog());
    EXPECT_DOUBLE_EQ(ProgramState().params.rotationAngle,
                     -(10 + 15 / 60.0 + 30 / 3600.0) * kPi / 180);
    EXPECT_EQ(M().Find(M::kRotationAngle)->text, "-10:15:30");
}

TEST_F(DrawingParamsDialogTest, OkStoresEveryParameter) {
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(M::kGraphPoints, "500");
        m.Type(M::kGraphLeft, "-2.5");
        m.Type(M::kGraphRight, "7");
        m.Type(M::kTranslationX, "1");
        m.Type(M::kTranslationY, "2");
        m.Type(M::kRotationX, "3");
        m.Type(M::kRotationY, "4");
        m.Type(M::kHomothetyX, "5");
        m.Type(M::kHomothetyY, "6");
        m.Type(M::kHomothetyModulus, "2.5");
        m.Type(M::kMatchDistance, "0.05");
        m.Type(M::kDivideAngle, "5");
        m.Type(M::kDivideParts, "7");
        return true;
    });
    ASSERT_TRUE(RunDrawingParamsDialog());
    const CDrawingParams& p = ProgramState().params;
    EXPECT_EQ(p.graphPoints, 500);
    EXPECT_EQ(p.graphLeft, -2.5);
    EXPECT_EQ(p.graphRight, 7);
    EXPECT_EQ(p.translation, CWorldPoint(1, 2));
    EXPECT_EQ(p.rotationCentre, CWorldPoint(3, 4));
    EXPECT_EQ(p.homothetyCentre, CWorldPoint(5, 6));
    EXPECT_EQ(p.homothetyModulus, 2.5);
    EXPECT_EQ(p.matchDistance, 0.05);
    EXPECT_EQ(p.divideAngleParts, 5);
    EXPECT_EQ(p.divideParts, 7u);
}

TEST_F(DrawingParamsDialogTest, UntouchedFieldsKeepTheirExactValues) {
    CDrawingParams& p = ProgramState().params;
    p.rotationAngle = 0.1234567891;
    p.translation = {0.12345678912, -1.0 / 3};
    host.dialogScripts.push_back([](DialogModel&) { return true; });
    ASSERT_TRUE(RunDrawingParamsDialog());
    EXPECT_EQ(p.rotationAngle, 0.1234567891);
    EXPECT_EQ(p.translation, CWorldPoint(0.12345678912, -1.0 / 3));
}

TEST_F(DrawingParamsDialogTest, CancelChangesNothing) {
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(M::kSides, "9");
        m.Type(M::kRotationAngle, "90:0:0");
        return false;
    });
    EXPECT_FALSE(RunDrawingParamsDialog());
    const CDrawingParams& p = ProgramState().params;
    EXPECT_EQ(p.polygonSides, 6);
    EXPECT_EQ(p.rotationAngle, kPi / 6);
}

}  // namespace
}  // namespace gyr
