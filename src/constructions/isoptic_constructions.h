#pragma once
// Isoptic cubics from picked figures (through two segments, the singular
// cubic of an angle) and the constructions on a picked cubic: its cousins,
// canonical axes, asymptote, middle line and flexes at once; the group
// operation, the main involution, the self-inversions and the angle
// animation in stages (the pick starts them, each later press draws); the
// bisectors, the tangent and the tangents at a press, which take the
// nearest cubic themselves. New figures are added to the document and shown.

#include "model/gesture_state.h"

namespace gyr {

// A and B are the ends of the first picked segment, C and D those of the
// second. False when no cubic could be built.
bool IsopticThroughSegments(CGestureState& state, unsigned flags, const CWorldPoint& p);

// The singular cubic of the picked angle (its apex the node). False when
// there is none.
bool IsopticOfAngle(CGestureState& state, unsigned flags, const CWorldPoint& p);

// ---- At once on the picked cubic (false: a beep, nothing added) -------------

// The cubics of the same four points paired otherwise: C and D exchanged
// (II), B and D exchanged (III).
bool IsopticCousinTwo(CGestureState& state, unsigned flags, const CWorldPoint& p);
bool IsopticCousinThree(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The lines through O along e_x and along e_y.
bool IsopticCanonicalAxes(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The line x = a and, for the classes One and Two with c != 0, the point
// where the curve meets it. Not for the conic.
bool IsopticAsymptote(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The line x = a / 2. Not for the conic.
bool IsopticMiddleLine(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The flexes as points, searched once and then kept with the cubic. Not
// for the conic; none found: false.
bool IsopticFlexes(CGestureState& state, unsigned flags, const CWorldPoint& p);

// ---- Picks that start a staged tool --------------------------------------------

// Computes the flexes, from which the next press chooses the neutral point.
bool StartGroupOperation(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The circle of the involution: centre O, radius sqrt|w|.
bool StartMainInvolution(CGestureState& state, unsigned flags, const CWorldPoint& p);
// One circle per inversion that maps the cubic onto itself.
bool StartOtherInversions(CGestureState& state, unsigned flags, const CWorldPoint& p);
// Only checks the cubic: the presses make the angles.
bool StartAngleAnimation(CGestureState& state, unsigned flags, const CWorldPoint& p);

// ---- Presses (kind 20000) ----------------------------------------------------

// Stage 1: the neutral point N (the nearest flex, or with Shift the foot of
// the press), labelled "O"; stage 2: P; stage 3: Q and P + Q, back to stage
// 2. In stages 2 and 3 Shift goes back to choosing N and Ctrl leaves the
// tool for the selection tool.
CMyObj* PressGroupOperation(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The segments from O to p and from O to its image w / p.
CMyObj* PressMainInvolution(CGestureState& state, unsigned flags, const CWorldPoint& p);
// In the nearest of the cubic's inversion circles: the segment from its
// centre to p, the image of p and the segment to it.
CMyObj* PressOtherInversions(CGestureState& state, unsigned flags, const CWorldPoint& p);
// The angles A-P-B and C-P-D at the foot P of the press; while the button is
// held both follow the foot of the pointer.
CMyObj* PressAngleAnimation(CGestureState& state, unsigned flags, const CWorldPoint& p);
// At the foot of the press on the nearest cubic: the two bisectors (not on
// the conic), the tangent, or the tangents from there (not on the conic).
CMyObj* PressIsopticBisectors(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressIsopticTangentAt(CGestureState& state, unsigned flags, const CWorldPoint& p);
CMyObj* PressIsopticTangentsFrom(CGestureState& state, unsigned flags, const CWorldPoint& p);

}  // namespace gyr
