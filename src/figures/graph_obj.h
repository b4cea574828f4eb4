#pragma once
// The graph y = f(x) of a typed formula: a curve that keeps its definition
// (the formula, a line feed, the parameter values) and its sampled
// components. Interval, number of samples and separation tolerance are
// process-wide settings; the samples come from whatever formula the shared
// parser holds, so the parser must hold this graph's (Reparse) before it is
// sampled again.

#include <string>
#include <string_view>

#include "figures/compo_obj.h"

namespace gyr {

class CFormulaParser;

struct CGraphSampling {
    double left = -5.0;
    double right = 5.0;
    int points = 100;
    double tolerance = 7.2;
};

// The process-wide settings as they stand.
CGraphSampling CurrentGraphSampling();

// Appends the components of the parser's function over [left, right]: a
// component starts at a sample whose value is strictly inside the sheet's
// vertical range and which does not jump by the tolerance or more to the
// next sample; it runs until such a jump or the end. Work is bounded by the
// number of points whatever the interval.
void SampleGraph(CompoObj& curve, const CFormulaParser& parser, const CGraphSampling& s);

// Parses the formula and shows each fault in a message box with the
// exclamation icon; returns what Parse returns.
int ParseAndReport(CFormulaParser& parser, std::string_view formula);

class CGraphObj : public CompoObj {
    GYR_DECLARE_CLASS(CGraphObj)
public:
    CGraphObj() = default;
    explicit CGraphObj(std::string definition) : m_strDefinition(std::move(definition)) {}
    CGraphObj(const CGraphObj&) = default;

    int ListData(DataLines& lines) const override;
    CMyObj* SetDataValue(int index, double value, int step) override;
    void ExchangeFields(CFieldExchange& fx) override;

    // Loads the shared parser with this graph's formula and values; false
    // when either is refused (the parser has reported a faulty formula).
    bool Reparse() const;
    // New components from the parser and the settings; the box follows.
    void Resample();

    std::string Formula() const;
    std::string ValuesText() const;

    std::string m_strDefinition;

private:
    // Writes the parser's current values into the definition, so that an
    // edited parameter is what the graph keeps.
    void StoreParameterValues();
};

}  // namespace gyr
