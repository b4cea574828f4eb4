#pragma once
// The pick test (does a click pick existing objects instead of drawing?) and
// the pick rules that run at button-up in pick mode, as one table keyed by
// tool kind and code. A rule picks objects of given classes, stores them in
// the view (first, second, last picked, part index) and then either advances
// the stage, so that the next button-down draws with the picked object, or
// runs the construction of the tool.

#include <span>

#include "model/gesture_state.h"

namespace gyr {

// The construction run when a rule has picked all it needs. It reads the
// picks from the gesture state; false means "no solution" and makes the
// view beep.
using PickConstruction = bool (*)(CGestureState& state, unsigned flags, const CWorldPoint& p);

// Classes a rule accepts, tested through the objects' type queries.
enum PickClass : unsigned {
    kPickSegment = 1u << 0,
    kPickLine = 1u << 1,
    kPickCircle = 1u << 2,
    kPickArc = 1u << 3,
    kPickAngle = 1u << 4,
    kPickTriangle = 1u << 5,
    kPickParallelogram = 1u << 6,
    kPickPolygon = 1u << 7,
    kPickIsopticOne = 1u << 8,
    kPickIsopticTwo = 1u << 9,
    kPickIsopticSingular = 1u << 10,
    kPickIsopticConic = 1u << 11,
};

enum class PickStep {
    // After the last pick the stage equals the number of picks; the next
    // button-down goes to the drawing operation of the tool (kind, code).
    // A construction, when the rule names one, runs first; its failure
    // beeps and leaves the stage at 0.
    Stage,
    // After the last pick the construction runs; back to stage 0.
    Construct,
    // Stage 0 picks the mirror or inversion circle; every later click
    // transforms the selection; Shift ends the tool's round (stage 0).
    TransformSelection,
};

constexpr int kAnyCode = -1;
constexpr int kAlwaysPicks = 1 << 30;

struct PickRule {
    int kind;
    int code;            // kAnyCode: every code of the kind
    int pickBelowStage;  // the pick test holds while stage < this
    PickStep step;
    unsigned classes;  // PickClass bits; 0 for corner picks
    int count;         // picks before the step completes
    bool distinct;     // a second pick must differ from the first
    PickConstruction construct;
};

bool PickTest(int kind, int code, int stage);
// Null when the tool never picks.
const PickRule* FindPickRule(int kind, int code);
// Every rule, for the table's invariants.
std::span<const PickRule> PickRules();

// Whether the object belongs to one of the PickClass bits.
bool MatchesPickClasses(const CMyObj* obj, unsigned classes);

// Runs the rule of the gesture's tool at the release point. Failed picks
// beep and keep the stage.
void RunPickRule(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The same with a given rule.
void ApplyPickRule(CGestureState& state, const PickRule& rule, unsigned flags,
                   const CWorldPoint& p);

}  // namespace gyr
