// The archive reader on untrusted bytes: loading never crashes nor
// over-allocates, and whatever loads is saved in a stable form: saving,
// loading the result and saving again gives the same bytes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "figures/class_registry.h"
#include "model/archive.h"
#include "model/document.h"
#include "port/scripted_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gyr::ScriptedHost host;
    gyr::CGyrDoc doc{gyr::DrawingClasses()};
    try {
        doc.LoadFromBytes(data, size);
    } catch (const gyr::CArchiveException&) {
        if (!doc.Objects().empty()) {
            std::fprintf(stderr, "a failed load left %zu objects\n", doc.Objects().size());
            std::abort();
        }
        return 0;
    }
    std::vector<std::uint8_t> first = doc.SaveToBytes();
    gyr::CGyrDoc again{gyr::DrawingClasses()};
    try {
        again.LoadFromBytes(first.data(), first.size());
    } catch (const gyr::CArchiveException& e) {
        std::fprintf(stderr, "a saved document does not load: %s\n", e.what());
        std::abort();
    }
    if (again.SaveToBytes() != first) {
        std::fprintf(stderr, "saving a reloaded document changed its bytes\n");
        std::abort();
    }
    return 0;
}
