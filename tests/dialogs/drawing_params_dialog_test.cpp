// The "Drawing Parameters" dialog driven through the scripted host.

#include "dialogs/drawing_params_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/program_state.h"
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

TEST_F(DrawingParamsDialogTest, FieldsInTabOrderWithTheirTexts) {
    M m;
    EXPECT_EQ(m.Title(), "Drawing Parameters");
    const int ids[] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                       1008, 1009, 1010, 1011, 1012, 1013, 1021, 1059};
    ASSERT_EQ(m.Fields().size(), std::size(ids));
    for (std::size_t i = 0; i < std::size(ids); ++i) EXPECT_EQ(m.Fields()[i].id, ids[i]);
    EXPECT_EQ(m.Find(M::kSides)->label, "Num of sides of &regular polygons:");
    EXPECT_EQ(m.Find(M::kGraphLeft)->text, "-5.000000");
    EXPECT_EQ(m.Find(M::kRotationAngle)->text, "30:0:0");
}

TEST_F(DrawingParamsDialogTest, RangesAreChecked) {
    // Two sides are refused and the second script runs on the still open dialog.
    Type(M::kSides, "2");
    Type(M::kSides, "8");
    EXPECT_TRUE(RunDrawingParamsDialog());
    EXPECT_EQ(host.messages.at(0).text, "Please enter an integer between 3 and 60.");
    EXPECT_EQ(ProgramState().params.polygonSides, 8);
    EXPECT_DOUBLE_EQ(ProgramState().params.polygonStep.x, std::cos(kPi / 4));
    const std::pair<int, const char*> refused[] = {{M::kRatio, "1.5"},
                                                   {M::kGraphPoints, "2401"},
                                                   {M::kDivideParts, "51"},
                                                   {M::kTranslationX, "1e8"},
                                                   {M::kHomothetyY, "-2e6"}};
    const char* messages[] = {"Please enter a number between 0 and 1.",
                              "Please enter an integer between 20 and 2400.",
                              "Please enter an integer between 2 and 50.",
                              "Please enter a number between -1000000 and 1000000.",
                              "Please enter a number between -1000000 and 1000000."};
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        Type(refused[i].first, refused[i].second);
        EXPECT_FALSE(RunDrawingParamsDialog());
        EXPECT_EQ(host.LastMessage(), messages[i]);
    }
    EXPECT_EQ(ProgramState().params.ratio, 0.5);
    host.Clear();
    Type(M::kRatio, "1");  // the edge is allowed
    EXPECT_TRUE(RunDrawingParamsDialog());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ProgramState().params.ratio, 1.0);
}

TEST_F(DrawingParamsDialogTest, OkStoresTheFieldsAndKeepsUntouchedOnesExact) {
    CDrawingParams& p = ProgramState().params;
    p.translation = {0.12345678912, -1.0 / 3};
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(M::kRotationY, "4");
        m.Type(M::kHomothetyModulus, "2.5");
        m.Type(M::kRotationAngle, "-10 15 30");  // any character separates
        return true;
    });
    ASSERT_TRUE(RunDrawingParamsDialog());
    EXPECT_EQ(p.rotationCentre.y, 4);
    EXPECT_EQ(p.homothetyModulus, 2.5);
    // A negative degree count negates minutes and seconds.
    EXPECT_DOUBLE_EQ(p.rotationAngle, -(10 + 15 / 60.0 + 30 / 3600.0) * kPi / 180);
    EXPECT_EQ(M().Find(M::kRotationAngle)->text, "-10:15:30");
    EXPECT_EQ(p.translation, CWorldPoint(0.12345678912, -1.0 / 3));
}

TEST_F(DrawingParamsDialogTest, CancelChangesNothing) {
    host.dialogScripts.push_back([](DialogModel& m) {
        m.Type(M::kSides, "9");
        return false;
    });
    EXPECT_FALSE(RunDrawingParamsDialog());
    EXPECT_EQ(ProgramState().params.polygonSides, 6);
}

}  // namespace
}  // namespace gyr
