#include "figures/graph_obj.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "math/formula_parser.h"
#include "math/sheet_mapping.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

GYR_IMPLEMENT_CLASS(CGraphObj, CompoObj)

namespace {

// The listing edits keep the interval and the tolerance inside these bounds,
// and change the number of points only while it lies in the band.
constexpr double kIntervalLimit = 10000;
constexpr double kToleranceLimit = 10000;
constexpr int kPointsBandLow = 10;
constexpr int kPointsBandHigh = 2000;

std::string Format(const char* fmt, auto... args) {
    char buf[400];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

void PointLines(DataLines& lines, const char* name, const CWorldPoint& p) {
    lines.push_back(Format("%s.x =  %f", name, p.x));
    lines.push_back(Format("%s.y =  %f", name, p.y));
}

}  // namespace

CGraphSampling CurrentGraphSampling() {
    const CProgramState& st = ProgramState();
    return {st.params.graphLeft, st.params.graphRight, st.params.graphPoints, st.graph.tolerance};
}

void SampleGraph(CompoObj& curve, const CFormulaParser& parser, const CGraphSampling& s) {
    const double R = s.right;
    const double T = s.tolerance;
    if (s.points < 2 || !(s.left < R)) return;
    const double dx = (R - s.left) / (s.points - 1);
    // Every step advances the running x by dx, so a proper interval needs
    // about points - 1 steps; the cap only matters when dx is too small to
    // move x at all.
    long steps = long(s.points) + 1;
    auto f = [&parser](double x) { return parser.Evaluate(x); };
    CCompoBuilder& builder = CompoBuilder();
    double c = s.left;
    while (c < R && steps > 0) {
        double x = c;
        bool found = false;
        for (; x < R && steps > 0; x += dx, --steps) {
            const double y = f(x);
            if (IsYWithinSheet(y) && std::fabs(f(x + dx) - y) < T) {
                found = true;
                break;
            }
        }
        if (!found) break;
        builder.Begin();
        double y = f(x), next = f(x + dx);
        while (x < R && std::fabs(next - y) < T && steps > 0) {
            builder.AddPoint({x, y});
            x += dx;
            --steps;
            y = next;
            next = f(x + dx);
        }
        c = x;
        curve.AddComponent(builder.Finish(0));
    }
    builder.Begin();
}

std::string CGraphObj::Formula() const {
    return m_strDefinition.substr(0, m_strDefinition.find('\n'));
}

std::string CGraphObj::ValuesText() const {
    std::size_t lf = m_strDefinition.find('\n');
    return lf == std::string::npos ? std::string() : m_strDefinition.substr(lf + 1);
}

int ParseAndReport(CFormulaParser& parser, std::string_view formula) {
    const int n = parser.Parse(formula);
    if (Host* host = FindHost())
        for (const char* fault : parser.Faults())
            host->MessageBox(fault, MsgIcon::Exclamation, MsgButtons::Ok);
    return n;
}

bool CGraphObj::Reparse() const {
    CFormulaParser& parser = FormulaParser();
    int n = ParseAndReport(parser, Formula());
    if (n < 0) return false;
    return n == 0 || parser.SetParameters(ValuesText(), n);
}

void CGraphObj::Resample() {
    DeleteAllComponents();
    SampleGraph(*this, FormulaParser(), CurrentGraphSampling());
    RecalcBounds();
}

void CGraphObj::StoreParameterValues() {
    const CFormulaParser& parser = FormulaParser();
    std::string values;
    for (int i = 0; i < parser.ParameterCount(); ++i) {
        // The shortest text that reads back as the same double, locale-free.
        char buf[64];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, parser.ParameterValue(i));
        if (ec != std::errc()) return;
        if (i > 0) values += "  ";
        values.append(buf, end);
    }
    m_strDefinition = Formula() + '\n' + values;
}

int CGraphObj::ListData(DataLines& lines) const {
    const std::size_t first = lines.size();
    const CFormulaParser& parser = FormulaParser();
    const CGraphSampling s = CurrentGraphSampling();
    lines.push_back(Formula());
    for (int i = 0; i < parser.ParameterCount(); ++i) lines.push_back(parser.ParameterLine(i));
    lines.push_back(Format("Left  end =  %f", s.left));
    lines.push_back(Format("Right end =  %f", s.right));
    lines.push_back(Format("Max Graph-points =  %d", s.points));
    lines.push_back(Format("Compo-separation =  %f", s.tolerance));
    PointLines(lines, "Upper-left", m_leftTop);
    PointLines(lines, "Bottom-right", m_rightBottom);
    ListComponents(*this, lines);
    return int(lines.size() - first);
}

CMyObj* CGraphObj::SetDataValue(int index, double v, int step) {
    CFormulaParser& parser = FormulaParser();
    CDrawingParams& params = ProgramState().params;
    CGraphSettings& graph = ProgramState().graph;
    const int p = parser.ParameterCount();
    if (index >= 1 && index <= p) {
        parser.SetParameterValue(index - 1, v);
        StoreParameterValues();
    } else if (index == p + 1) {
        if (-kIntervalLimit < v && v < params.graphRight) params.graphLeft = v;
    } else if (index == p + 2) {
        if (params.graphLeft < v && v < kIntervalLimit) params.graphRight = v;
    } else if (index == p + 3) {
        if (params.graphPoints >= kPointsBandLow && params.graphPoints <= kPointsBandHigh)
            params.graphPoints += step;
    } else if (index == p + 4) {
        if (0 < v && v < kToleranceLimit) graph.tolerance = v;
    }
    const PixelRect before = GetInvalidRect();
    Resample();
    if (Host* host = FindHost()) host->Invalidate(before.United(GetInvalidRect()));
    return this;
}

void CGraphObj::ExchangeFields(CFieldExchange& fx) {
    CompoObj::ExchangeFields(fx);
    fx.String("definition", m_strDefinition);
}

}  // namespace gyr
