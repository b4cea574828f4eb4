#include "dialogs/drawing_params_dialog.h"

#include "math/angle_text.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

CDrawingParamsDialogModel::CDrawingParamsDialogModel() {
    const CDrawingParams& p = ProgramState().params;
    m_title = "Drawing Parameters";
    Add(IntField(kSides, "Num of sides of &regular polygons:", p.polygonSides, 3, 60));
    Add(IntField(kGraphPoints, "Num of points on &graphs:", p.graphPoints, 20, 2400));
    Add(DoubleField(kGraphLeft, "&Left interval end (graphs):", p.graphLeft));
    Add(DoubleField(kGraphRight, "Right interv&al end (graphs):", p.graphRight));
    constexpr double L = kMaxDialogLength;
    Add(DoubleField(kTranslationX, "&Translation-x(duplication):", p.translation.x, -L, L));
    Add(DoubleField(kTranslationY, "Translation-&y(duplication):", p.translation.y, -L, L));
    Add(DoubleField(kRotationX, "&Center-x (rotation):", p.rotationCentre.x, -L, L));
    Add(DoubleField(kRotationY, "Cent&er-y (rotation):", p.rotationCentre.y, -L, L));
    Add(PlainField(kRotationAngle, "&Angle of rotation:", FieldKind::Text,
                   FormatDms(p.rotationAngle)));
    Add(DoubleField(kHomothetyX, "&Homothety center-x:", p.homothetyCentre.x, -L, L));
    Add(DoubleField(kHomothetyY, "H&omothety center-y:", p.homothetyCentre.y, -L, L));
    Add(DoubleField(kHomothetyModulus, "Homothety &modulus:", p.homothetyModulus));
    Add(DoubleField(kMatchDistance, "&Identify points at distance <:", p.matchDistance));
    Add(IntField(kDivideAngle, "&Divide angle in N parts:", p.divideAngleParts, 2, 60));
    DialogField ratio = DoubleField(kRatio, "Ratio:", p.ratio);
    ratio.ranged = true;
    ratio.min = 0.0;
    ratio.max = 1.0;
    Add(ratio);
    Add(IntField(kDivideParts, "Divide (segs-circs) in N parts:", p.divideParts, 2, 50));
}

bool CDrawingParamsDialogModel::Accept(Host&) {
    CDrawingParams& p = ProgramState().params;
    // The fields show doubles to six decimals and the angle to whole seconds;
    // a text left as it was shown keeps the exact value behind it, so that
    // OK on an untouched dialog changes nothing.
    auto number = [this](int id, double current) {
        const std::string& text = Find(id)->text;
        return text == FormatDouble(current) ? current : DoubleOf(id);
    };
    SetPolygonSides(p, IntOf(kSides));
    p.graphPoints = IntOf(kGraphPoints);
    p.graphLeft = number(kGraphLeft, p.graphLeft);
    p.graphRight = number(kGraphRight, p.graphRight);
    p.translation = {number(kTranslationX, p.translation.x),
                     number(kTranslationY, p.translation.y)};
    p.rotationCentre = {number(kRotationX, p.rotationCentre.x),
                        number(kRotationY, p.rotationCentre.y)};
    const std::string& angle = Find(kRotationAngle)->text;
    if (angle != FormatDms(p.rotationAngle)) p.rotationAngle = ParseDms(angle);
    p.homothetyCentre = {number(kHomothetyX, p.homothetyCentre.x),
                         number(kHomothetyY, p.homothetyCentre.y)};
    p.homothetyModulus = number(kHomothetyModulus, p.homothetyModulus);
    p.matchDistance = number(kMatchDistance, p.matchDistance);
    p.divideAngleParts = IntOf(kDivideAngle);
    p.ratio = number(kRatio, p.ratio);
    p.divideParts = unsigned(IntOf(kDivideParts));
    return true;
}

bool RunDrawingParamsDialog() {
    CDrawingParamsDialogModel model;
    return GetHost().RunDialog(model);
}

}  // namespace gyr
