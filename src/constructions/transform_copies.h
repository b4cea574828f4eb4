#pragma once
// Transformed copies of the selection: translation (Duplicate), rotation,
// homothety, reflection in a picked straight side and inversion in a picked
// circle. The sources stay as they are; the copies are appended to the
// document and become the selection. A copy that leaves the finite numbers
// (an enormous translation or modulus) is not added.

#include "model/gesture_state.h"

namespace gyr {

enum class CopyKind { Duplicate, Rotate, Homothety };

// Copies of every selected object, in selection order, by the drawing
// parameters. The number of copies added; 0 beeps nothing (the caller does).
int CopySelection(CGestureState& state, CopyKind kind);

// Shift: the drawing parameters of the kind from the first selected segment
// (translation = end - start; homothety centre = start, modulus = length)
// or angle (rotation centre = apex, angle = its value). False when there is
// none.
bool CopyParamsFromSelection(CGestureState& state, CopyKind kind);

// Pick constructions of the reflect and invert tools: the mirror is the
// first pick's side m_nPart (its two points for a segment or line), the
// circle the first pick, its radius negated when Ctrl is held. False when
// nothing was added.
bool ReflectSelection(CGestureState& state, unsigned flags, const CWorldPoint& p);
bool InvertSelection(CGestureState& state, unsigned flags, const CWorldPoint& p);

// Whether every vertex and the bounds of the object are finite.
bool IsFiniteObject(const CMyObj& obj);

}  // namespace gyr
