#pragma once
// The "Graph ..." command: the dialog that defines a function graph and the
// creation of the graph in the document.

#include "port/dialog_model.h"

namespace gyr {

class CGyrDoc;

inline constexpr const char* kDefaultGraphFormula =
    "alpha*x*sin(beta*x*x)-gamma*cos(delta*x+epsilon)";
inline constexpr const char* kDefaultGraphValues = "1.   -0.3   1.8  1.2    23.2";
inline constexpr const char* kMsgResetString = "Please reset the string correctly";
inline constexpr const char* kMsgSetParameters = "Please set your parameters correctly";
inline constexpr const char* kMsgGraphInterval =
    "The left end of the interval must be less than its right end.";
inline constexpr const char* kMsgGraphTolerance =
    "The component-separation tolerance must be greater than 0.";

class CGraphDialogModel : public DialogModel {
public:
    enum : int {
        kFormulaField = 1000,
        kLeftField = 1001,
        kRightField = 1002,
        kToleranceField = 1003,
        kPointsField = 1004,
        kValuesField = 1005,
    };
    static constexpr std::size_t kMaxValuesText = 300;
    // The formula's edit shows at least this many characters.
    static constexpr int kFormulaFieldChars = 60;

    // Opens on the process-wide settings; the texts start from the defaults
    // the first time.
    CGraphDialogModel();

    // The values text holds at most kMaxValuesText characters, as its edit
    // control does.
    void OnFieldChanged(int id) override;
    // Parses the formula and reads its parameter values into the shared
    // parser; refuses either fault, an interval whose left end is not below
    // its right end and a tolerance of 0, each with its message. Accepted
    // values become the process-wide settings.
    bool Accept(Host& host) override;
};

// Runs the dialog; on OK adds the sampled graph to the document and
// repaints its area.
void RunGraphDialog(CGyrDoc& doc);

}  // namespace gyr
