#include "dialogs/graph_dialog.h"

#include <memory>

#include "figures/graph_obj.h"
#include "math/formula_parser.h"
#include "model/document.h"
#include "model/obj_list.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

namespace {

DialogField Ranged(int id, const char* label, FieldKind kind, double min, double max) {
    DialogField f = PlainField(id, label, kind);
    f.ranged = true;
    f.min = min;
    f.max = max;
    return f;
}

}  // namespace

CGraphDialogModel::CGraphDialogModel() {
    m_title = "Set the data to define the graph of a function";
    CProgramState& st = ProgramState();
    if (st.graph.formula.empty()) st.graph.formula = kDefaultGraphFormula;
    if (st.graph.values.empty()) st.graph.values = kDefaultGraphValues;

    Add(PlainField(kFormulaField, "Set the function, using x as independent variable:",
                   FieldKind::Text, st.graph.formula))
        .minChars = kFormulaFieldChars;
    Add(Ranged(kLeftField, "Set interval's left end:", FieldKind::Double, -10000, 10000));
    Add(Ranged(kRightField, "Set interval's right end:", FieldKind::Double, -10000, 10000));
    Add(Ranged(kPointsField, "Set number of points on graphs:", FieldKind::Int, 10, 3000));
    Add(Ranged(kToleranceField, "Set the component-separation tolerance:", FieldKind::Double, 0,
               100000));
    Add(PlainField(kValuesField,
                   "Set parmameters. Their values, in the order in which their names first appear:",
                   FieldKind::Text, st.graph.values.substr(0, kMaxValuesText)));
    SetDouble(kLeftField, st.params.graphLeft);
    SetDouble(kRightField, st.params.graphRight);
    SetInt(kPointsField, st.params.graphPoints);
    SetDouble(kToleranceField, st.graph.tolerance);
}

void CGraphDialogModel::OnFieldChanged(int id) {
    if (id != kValuesField) return;
    DialogField* f = Find(kValuesField);
    if (f && f->text.size() > kMaxValuesText) f->text.resize(kMaxValuesText);
}

bool CGraphDialogModel::Accept(Host& host) {
    const std::string& formula = Find(kFormulaField)->text;
    const std::string& values = Find(kValuesField)->text;
    CFormulaParser& parser = FormulaParser();
    const int n = ParseAndReport(parser, formula);
    if (n < 0) {
        m_refused = kFormulaField;
        host.MessageBox(kMsgResetString, MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    if (n > 0 && !parser.SetParameters(values, n)) {
        m_refused = kValuesField;
        host.MessageBox(kMsgSetParameters, MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    // An empty or reversed interval, or no tolerance, would add a graph with
    // no points: invisible and impossible to select.
    if (!(DoubleOf(kLeftField) < DoubleOf(kRightField))) {
        m_refused = kLeftField;
        host.MessageBox(kMsgGraphInterval, MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    if (!(DoubleOf(kToleranceField) > 0)) {
        m_refused = kToleranceField;
        host.MessageBox(kMsgGraphTolerance, MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    CProgramState& st = ProgramState();
    st.params.graphLeft = DoubleOf(kLeftField);
    st.params.graphRight = DoubleOf(kRightField);
    st.params.graphPoints = IntOf(kPointsField);
    st.graph.tolerance = DoubleOf(kToleranceField);
    st.graph.formula = formula;
    st.graph.values = values;
    return true;
}

void RunGraphDialog(CGyrDoc& document) {
    Host* host = FindHost();
    if (!host) return;
    CGraphDialogModel model;
    if (!host->RunDialog(model)) return;
    CGyrDoc* doc = &document;
    // The parser holds the accepted formula and values.
    const CGraphSettings& graph = ProgramState().graph;
    auto obj = std::make_unique<CGraphObj>(graph.formula + '\n' + graph.values);
    obj->SetDocument(doc);
    obj->Resample();
    CGraphObj* added = obj.release();
    doc->AddObject(added);
    host->Invalidate(added->GetInvalidRect());
}

}  // namespace gyr
