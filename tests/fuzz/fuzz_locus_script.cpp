// The locus script on arbitrary text: PLAY and a 7-point locus never crash
// or hang, a failure carries exactly one message (success none), no object
// has a non-finite coordinate, and the step list owns nothing afterwards.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "constructions/locus_play.h"
#include "figures/class_registry.h"
#include "figures/compo_obj.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/scripted_host.h"

namespace {

void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool Finite(const gyr::CWorldPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void CheckDocument(const gyr::CGyrDoc& doc) {
    for (const gyr::CMyObj* obj : doc.Objects()) {
        const gyr::CWorldPoint* v = obj->GetVertices();
        for (int i = 0; i < obj->GetVertexCount(); ++i)
            Check(Finite(v[i]), "a vertex is not finite");
        if (const auto* curve = dynamic_cast<const gyr::CompoObj*>(obj))
            for (const gyr::Compo* c : curve->m_compos)
                for (const gyr::CWorldPoint& p : c->m_points)
                    Check(Finite(p), "a curve point is not finite");
    }
}

void CheckResult(const gyr::CScriptRunResult& r) {
    Check(r.ok == r.fault.message.empty(), "a failure without a message, or a success with one");
    Check(gyr::ProgramState().script.steps.OwnedCount() == 0, "the steps still own objects");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    gyr::ScriptedHost host;
    gyr::CGyrDoc doc{gyr::DrawingClasses()};
    doc.OnNewDocument();
    CheckResult(gyr::PlayScript(doc, text));
    CheckDocument(doc);
    doc.OnNewDocument();
    const gyr::CScriptRunResult locus = gyr::PlayLocus(doc, text, 7);
    CheckResult(locus);
    Check(locus.points <= 7, "more locus points than positions");
    CheckDocument(doc);
    return 0;
}
