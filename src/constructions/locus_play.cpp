#include "constructions/locus_play.h"

#include <vector>

#include "figures/circle_obj.h"
#include "figures/compo_obj.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

namespace {

CMyObj* MakeObject(CGyrDoc& doc, int kind, const CScriptValue& v) {
    if (kind == kKindPoint) return NewPoint(&doc, v.a);
    if (kind == kKindLine) return NewSegment(&doc, v.a, v.b);
    CCircleObj* circle = NewCircle(&doc, v.a, v.r);
    circle->m_points[1] = v.b;
    circle->RecalcBounds();
    return circle;
}

void Repaint(const PixelRect& r) {
    if (r.IsEmpty()) return;
    if (Host* host = FindHost()) host->Invalidate(r);
}

}  // namespace

int HostRandom() {
    Host* host = FindHost();
    return host ? host->Random() : 0;
}

CScriptRunResult PlayScript(CGyrDoc& doc, std::string_view text,
                            const std::function<int()>& random) {
    CScriptRunResult result;
    CScriptSteps& steps = ProgramState().script.steps;
    steps.Clear();
    CScriptProgram program;
    if (!ParseScript(text, program, result.fault)) {
        result.beep = true;
        return result;
    }
    CScriptEvaluator eval;
    int skipped = 0;
    if (!eval.Run(program, CVariableSource{std::nullopt, random}, result.fault, skipped)) {
        result.beep = true;
        return result;
    }
    result.beep = skipped > 0;
    // Every object is first a step's own; the document then takes them all.
    const std::vector<CScriptValue>& values = eval.Values();
    std::vector<CMyObj*> objectOf(values.size(), nullptr);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!values[i].made) continue;
        const CScriptStatement& s = program.statements[i];
        CScriptStep step;
        step.lineNumber = s.label;
        step.operation = s.op;
        step.kind = s.kind;
        step.selector = s.selector;
        for (int k = 0; k < s.nRefs; ++k) step.refs.push_back(objectOf[s.refs[k]]);
        step.object = objectOf[i] = MakeObject(doc, s.kind, values[i]);
        step.owned = true;
        steps.Add(std::move(step));
    }
    PixelRect dirty;
    for (const CScriptStep& step : steps.Steps()) {
        doc.AddObject(step.object);
        dirty = dirty.United(step.object->GetInvalidRect());
    }
    steps.ReleaseAll();
    steps.Clear();
    Repaint(dirty);
    result.ok = true;
    return result;
}

CScriptRunResult PlayLocus(CGyrDoc& doc, std::string_view text, int n) {
    CScriptRunResult result;
    ProgramState().script.steps.Clear();
    if (n < 2) {
        result.ok = true;
        return result;
    }
    CScriptProgram program;
    if (!ParseScript(text, program, result.fault)) {
        result.beep = true;
        return result;
    }
    const int lines = int(program.statements.size());
    if (static_cast<long long>(n) * lines > kLocusMaxWork) {
        result.fault.message = LocusTooLargeMessage(n, lines);
        result.beep = true;
        return result;
    }
    if (program.variableLines != 1) {
        result.fault.message = VariableCountMessage(program.variableLines);
        result.beep = true;
        return result;
    }
    const int last = lines - 1;
    if (program.statements[last].kind == kKindLine) {
        const CScriptStatement& s = program.statements[last];
        result.fault = {kLastLineMessage, s.begin, s.end, s.textLine};
        result.beep = true;
        return result;
    }

    CScriptEvaluator eval;
    std::vector<CWorldPoint> run;
    auto curve = std::make_unique<CompoObj>();
    curve->SetDocument(&doc);
    curve->m_bBrush = 0;
    const auto endRun = [&] {
        if (run.size() >= 2) curve->AddPoints(run.data(), int(run.size()), 0);
        run.clear();
    };
    PixelRect dirty;
    bool failed = false;
    for (int j = 0; j < n; ++j) {
        const double t = double(j) / (n - 1);
        int skipped = 0;
        if (!eval.Run(program, CVariableSource{t, nullptr}, result.fault, skipped)) {
            failed = true;
            break;
        }
        if (skipped > 0) result.beep = true;
        const CScriptValue& v = eval.Values()[last];
        if (!v.made) {
            endRun();
            continue;
        }
        CPointObj* point = NewPoint(&doc, v.a);
        doc.AddObject(point);
        dirty = dirty.United(point->GetInvalidRect());
        run.push_back(v.a);
        ++result.points;
    }
    if (failed) {
        result.beep = true;
        Repaint(dirty);
        return result;
    }
    endRun();
    if (curve->ComponentCount() > 0) {
        curve->RecalcBounds();
        result.curve = curve.get();
        doc.AddObject(curve.release());
        dirty = dirty.United(result.curve->GetInvalidRect());
    }
    Repaint(dirty);
    result.ok = true;
    return result;
}

}  // namespace gyr
