#include "dialogs/angle_dialogs.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "figures/triangle_obj.h"
#include "math/angle_text.h"
#include "math/kernel.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

namespace {

constexpr int kModeCount = 5;

const char* const kModeButtons[kModeCount] = {
    "Three sides: a, b, c",
    "Two sides and an angle: a, b and C",
    "Two angles and a side: B, C and a",
    "Two sides and an angle (ambiguous): A,b and  a",
    "Three angles (modulo similarity): A, B and C",
};

const char* const kFieldLabels[kModeCount][3] = {
    {"Side a:", "Side b:", "Side c:"},    {"Side a:", "Side b:", "Angle C:"},
    {"Side a:", "Angle B:", "Angle C:"},  {"Angle A:", "Side b:", "Side a:"},
    {"Angle A:", "Angle B:", "Angle C:"},
};

int ClampMode(int mode) {
    return mode >= 0 && mode < kModeCount ? mode : 0;
}

std::string TwoDecimals(double v) {
    return DialogModel::FormatNumber(v, 2);
}

double ReadNumber(const std::string& text) {
    double v = 0;
    return DialogModel::ReadDouble(text, v) ? v : 0.0;
}

DialogField Radio(int id, const char* label, bool checked) {
    DialogField f = PlainField(id, label, FieldKind::Radio);
    f.group = 1;
    f.checked = checked;
    return f;
}

// Q2 where the ray from Q0, turned by c from Q0Q1, meets the ray from Q1,
// turned by -b from Q1Q0.
int FromBaseAngles(double a, double b, double c, CWorldPoint q[4]) {
    const CWorldPoint q0{0, 0}, q1{a, 0};
    const CWorldPoint d0 = RotateAbout(q1, q0, c);
    const CWorldPoint d1 = RotateAbout(q0, q1, -b);
    CWorldPoint q2;
    if (IsDegenerateLine(q0, d0) || IsDegenerateLine(q1, d1) ||
        !LineIntersection(q0, d0, q1, d1, q2))
        return 0;
    q[0] = q0;
    q[1] = q1;
    q[2] = q2;
    return 1;
}

}  // namespace

// ------------------------------------------------------------ fixed angle

CFixedAngleDialogModel::CFixedAngleDialogModel() {
    const CAngleSettings& s = ProgramState().angles;
    m_value = s.fixedAngle;
    m_denominator = s.fixedDenominator;
    m_mode = s.fixedEntryMode >= kFixedDegrees && s.fixedEntryMode <= kFixedFraction
                 ? s.fixedEntryMode
                 : kFixedFraction;
    m_title = "Set value for fixed angle";
    Add(Radio(kDegreesRadio, "In degrees", m_mode == kFixedDegrees));
    Add(Radio(kRadiansRadio, "In radians", m_mode == kFixedRadians));
    Add(Radio(kFractionRadio, "As fraction of pi", m_mode == kFixedFraction));
    DialogField value;
    value.id = kValueField;
    value.kind = FieldKind::Text;
    value.selectAll = true;
    Add(value);
    ShowValue();
}

void CFixedAngleDialogModel::ShowValue() {
    DialogField* f = Find(kValueField);
    switch (m_mode) {
        case kFixedDegrees:
            f->text = FormatDms(m_value);
            break;
        case kFixedRadians:
            f->text = FormatDouble(m_value);
            break;
        default:
            f->text = FormatPiFraction(m_denominator);
            break;
    }
}

void CFixedAngleDialogModel::ReadValue() {
    const std::string& text = Find(kValueField)->text;
    switch (m_mode) {
        case kFixedDegrees:
            m_value = ParseDms(text);
            m_denominator = PiDenominator(m_value);
            break;
        case kFixedRadians:
            m_value = ReadNumber(text);
            m_denominator = PiDenominator(m_value);
            break;
        default:
            // An incomplete fraction keeps the last value.
            if (const int n = ParsePiFraction(text); n != 0) {
                m_denominator = n;
                m_value = std::numbers::pi / n;
            }
            break;
    }
}

void CFixedAngleDialogModel::OnFieldChanged(int id) {
    if (id == kValueField) {
        ReadValue();
        return;
    }
    const DialogField* radio = Find(id);
    if (!radio || radio->kind != FieldKind::Radio || !radio->checked) return;
    m_mode = id - kDegreesRadio;
    ShowValue();
}

bool CFixedAngleDialogModel::Accept(Host&) {
    CAngleSettings& s = ProgramState().angles;
    s.fixedAngle = m_value;
    s.fixedDenominator = m_denominator;
    s.fixedEntryMode = m_mode;
    return true;
}

// ------------------------------------------------------- triangle elements

bool IsAngleElement(int mode, int field) {
    return field >= 0 && field < 3 &&
           std::string(kFieldLabels[ClampMode(mode)][field]).starts_with("Angle");
}

CTriangleDialogModel::CTriangleDialogModel() {
    const CAngleSettings& s = ProgramState().angles;
    const int mode = ClampMode(s.triangleMode);
    m_title = "Set the triangle elements";
    for (int i = 0; i < kModeCount; ++i)
        Add(Radio(kFirstModeRadio + i, kModeButtons[i], i == mode));
    DialogField degrees;
    degrees.id = kDegreesCheck;
    degrees.label = "Angle in degrees";
    degrees.kind = FieldKind::Check;
    degrees.checked = s.triangleDegrees != 0;
    Add(degrees);
    for (int i = 0; i < 3; ++i) {
        DialogField label;
        label.id = kLabel1 + i;
        label.kind = FieldKind::Label;
        Add(label);
        DialogField value;
        value.id = kField1 + i;
        value.kind = FieldKind::Text;
        const double e = s.triangleElements[i];
        value.text = IsAngleElement(mode, i) && degrees.checked ? FormatDms(e) : TwoDecimals(e);
        Add(value);
    }
    ShowLabels(mode);
    m_mode = mode;
    m_degrees = degrees.checked;
}

void CTriangleDialogModel::ShowLabels(int mode) {
    for (int i = 0; i < 3; ++i) {
        Find(kLabel1 + i)->label = kFieldLabels[mode][i];
        Find(kField1 + i)->label = kFieldLabels[mode][i];
    }
}

int CTriangleDialogModel::CheckedMode() const {
    for (int i = 0; i < kModeCount; ++i)
        if (const DialogField* f = Find(kFirstModeRadio + i); f && f->checked) return i;
    return 0;
}

void CTriangleDialogModel::OnFieldChanged(int id) {
    if (id >= kFirstModeRadio && id < kFirstModeRadio + kModeCount) {
        const int mode = CheckedMode();
        for (int i = 0; i < 3; ++i)
            if (IsAngleElement(mode, i) != IsAngleElement(m_mode, i))
                Find(kField1 + i)->text.clear();
        m_mode = mode;
        ShowLabels(mode);
    } else if (id == kDegreesCheck) {
        const bool degrees = Find(kDegreesCheck)->checked;
        if (degrees == m_degrees) return;
        for (int i = 0; i < 3; ++i) {
            if (!IsAngleElement(m_mode, i)) continue;
            std::string& text = Find(kField1 + i)->text;
            const double angle = m_degrees ? ParseDms(text) : ReadNumber(text);
            text = degrees ? FormatDms(angle) : FormatDouble(angle);
        }
        m_degrees = degrees;
    }
}

bool CTriangleDialogModel::Accept(Host& host) {
    const int mode = CheckedMode();
    for (int i = 0; i < 3; ++i) {
        if (IsAngleElement(mode, i)) continue;
        const double side = ReadNumber(Find(kField1 + i)->text);
        if (!(side >= 0 && side <= kMaxDialogLength))
            return RefuseRange(host, kField1 + i, 0, kMaxDialogLength);
    }
    CAngleSettings& s = ProgramState().angles;
    s.triangleMode = mode;
    s.triangleDegrees = Find(kDegreesCheck)->checked ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        const std::string& text = Find(kField1 + i)->text;
        s.triangleElements[i] = IsAngleElement(s.triangleMode, i) && s.triangleDegrees
                                    ? ParseDms(text)
                                    : ReadNumber(text);
    }
    return true;
}

int TriangleFromElements(double e1, double e2, double e3, int mode, CWorldPoint q[4]) {
    const CWorldPoint q0{0, 0};
    switch (mode) {
        case kThreeSides: {
            const CWorldPoint q1{e1, 0};
            CWorldPoint first, second;
            // Touching circles make no triangle.
            if (CircleCircleIntersection(q0, e3, q1, e2, first, second) != 2) return 0;
            q[0] = q0;
            q[1] = q1;
            q[2] = first;
            return 1;
        }
        case kTwoSidesAngle: {
            const CWorldPoint q1{e1, 0};
            // A side of no length gives the second side no direction.
            if (IsDegenerateLine(q0, q1)) return 0;
            q[0] = q0;
            q[1] = q1;
            q[2] = q0 + UnitVector(q0, RotateAbout(q1, q0, e3)) * e2;
            return 1;
        }
        case kTwoAnglesSide:
            return FromBaseAngles(e1, e2, e3, q);
        case kAmbiguous: {
            const CWorldPoint q1{e2, 0};
            const CWorldPoint r = RotateAbout(q1, q0, e1);
            CWorldPoint first, second;
            const int n = CircleLineIntersection(q1, e3, q0, r, first, second);
            if (n == 0) return 0;
            q[0] = q0;
            q[1] = q1;
            q[2] = first;
            q[3] = second;
            return n;
        }
        case kThreeAngles:
            return FromBaseAngles(3, e2, e3, q);
        default:
            return 0;
    }
}

int MakeTrianglesFromElements(CGestureState& state) {
    CAngleSettings& s = ProgramState().angles;
    double* e = s.triangleElements;
    if (s.triangleMode == kThreeAngles) {
        // An angle left at zero is what the other two leave of pi.
        if (e[0] < 1e-8) e[0] = std::numbers::pi - e[1] - e[2];
        if (e[1] < 1e-8) e[1] = std::numbers::pi - e[0] - e[2];
        if (e[2] < 1e-8) e[2] = std::numbers::pi - e[0] - e[1];
    }
    CWorldPoint q[4];
    const int n = TriangleFromElements(e[0], e[1], e[2], s.triangleMode, q);
    if (n < 1) return 0;
    MakeTriangle(state, q[0], q[1], q[2]);
    // A tangent line gives one solution only: no second triangle then.
    if (s.triangleMode == kAmbiguous && n == 2) {
        MakeTriangle(state, q[0], q[1], q[3]);
        return 2;
    }
    return 1;
}

void RunFixedAngleDialog() {
    Host* host = FindHost();
    if (!host) return;
    CFixedAngleDialogModel model;
    host->RunDialog(model);
}

void RunTriangleDialog(CGestureState& state) {
    Host* host = FindHost();
    if (!host) return;
    CTriangleDialogModel model;
    if (host->RunDialog(model)) MakeTrianglesFromElements(state);
}

}  // namespace gyr
