#pragma once
// The fixed-angle dialog ("Set value for fixed angle") and the triangle
// elements dialog ("Set the triangle elements") with the construction of a
// triangle from three of its elements.

#include "math/world_point.h"
#include "model/gesture_state.h"
#include "port/dialog_model.h"

namespace gyr {

// Entry modes of the fixed angle.
enum FixedAngleMode : int { kFixedDegrees = 0, kFixedRadians = 1, kFixedFraction = 2 };

class CFixedAngleDialogModel : public DialogModel {
public:
    enum : int { kValueField = 1000, kDegreesRadio = 1010, kRadiansRadio, kFractionRadio };

    // Opens on the program-wide fixed angle, in its entry mode.
    CFixedAngleDialogModel();

    // A radio button rewrites the field in its form; typing in the field
    // updates the value at once.
    void OnFieldChanged(int id) override;
    // Stores value, denominator and mode in the program-wide settings.
    bool Accept(Host& host) override;

    double Value() const { return m_value; }
    int Denominator() const { return m_denominator; }
    int Mode() const { return m_mode; }

private:
    void ShowValue();
    void ReadValue();

    double m_value;
    int m_denominator;
    int m_mode;
};

// Element sets of the triangle dialog; the fields hold, in order:
// 0: a, b, c; 1: a, b, C; 2: a, B, C; 3: A, b, a; 4: A, B, C.
enum TriangleElements : int {
    kThreeSides = 0,
    kTwoSidesAngle = 1,
    kTwoAnglesSide = 2,
    kAmbiguous = 3,
    kThreeAngles = 4,
};

class CTriangleDialogModel : public DialogModel {
public:
    enum : int {
        kField1 = 1000,
        kField2,
        kField3,
        kLabel1 = 1010,
        kLabel2,
        kLabel3,
        kFirstModeRadio = 1031,  // .. 1035, one per element set
        kDegreesCheck = 1036,
    };

    // Opens with the saved element set, degrees flag and values.
    CTriangleDialogModel();

    // Choosing an element set relabels the fields and empties those that
    // change between a side and an angle; the degrees check rewrites the
    // angles in the other form.
    void OnFieldChanged(int id) override;
    // Saves mode and flag and reads the fields back into the elements.
    bool Accept(Host& host) override;

private:
    int CheckedMode() const;
    void ShowLabels(int mode);

    // The element set and angle form the fields' texts are written in.
    int m_mode = 0;
    bool m_degrees = false;
};

// Whether field i (0 .. 2) of an element set holds an angle.
bool IsAngleElement(int mode, int field);

// Q0 at the origin, Q1 on the positive x axis, Q2 (and in mode 3 Q3) from the
// elements (sides in world units, angles in radians). Returns the number of
// solutions: 0 or 1, in mode 3 up to 2.
int TriangleFromElements(double e1, double e2, double e3, int mode, CWorldPoint q[4]);

// The triangles of the saved elements, after an unset angle of mode 4 has
// been completed to pi; returns how many were made.
int MakeTrianglesFromElements(CGestureState& state);

// The dialog commands: run the dialog and, on OK, store (and build).
void RunFixedAngleDialog();
void RunTriangleDialog(CGestureState& state);

}  // namespace gyr
