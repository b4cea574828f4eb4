#pragma once
// PLAY and the locus of a script: the script's lines built into the
// document, or the positions of its last line's point collected while its
// "Variable" point runs through N positions. Nothing is shown here: the
// result tells the caller which message to show and whether to beep (once).

#include <functional>
#include <string_view>

#include "math/locus_script.h"

namespace gyr {

class CGyrDoc;
class CMyObj;

struct CScriptRunResult {
    bool ok = false;
    CScriptFault fault;  // the message when !ok
    bool beep = false;   // a failure, or a line skipped for want of a solution
    int points = 0;      // locus points added
    CMyObj* curve = nullptr;
};

// The random source of the "Variable" point outside a locus: the host's.
int HostRandom();

// Parses the text and, when it parses, adds every line's object to the
// document in order. The step list holds one step per object made; it is
// emptied afterwards (the document keeps the objects).
CScriptRunResult PlayScript(CGyrDoc& doc, std::string_view text,
                            const std::function<int()>& random = HostRandom);

// The locus of n positions (nothing happens for n < 2): a point for every
// pass in which the last line made its point (a circle gives its centre),
// then one open curve through them, a component per run of passes that gave
// a point. The step list is empty afterwards.
CScriptRunResult PlayLocus(CGyrDoc& doc, std::string_view text, int n);

}  // namespace gyr
