// The JSON document reader (the --convert and --dump path) on arbitrary text:
// it never crashes, every refusal is a JsonDocumentError, and a document it
// accepts is saved in a stable form: its .gyr bytes read back through JSON
// give the same bytes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/json_document.h"
#include "figures/class_registry.h"
#include "model/document.h"
#include "port/scripted_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gyr::ScriptedHost host;
    gyr::CGyrDoc doc{gyr::DrawingClasses()};
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        gyr::DocumentFromJson(gyr::JsonFromText(text), doc);
    } catch (const gyr::JsonDocumentError&) {
        return 0;
    }
    const std::vector<std::uint8_t> first = doc.SaveToBytes();
    gyr::CGyrDoc again{gyr::DrawingClasses()};
    try {
        gyr::DocumentFromJson(gyr::JsonFromText(gyr::JsonToText(gyr::DocumentToJson(doc))), again);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "a written JSON document does not read back: %s\n", e.what());
        std::abort();
    }
    if (again.SaveToBytes() != first) {
        std::fprintf(stderr, "JSON -> .gyr -> JSON changed the document\n");
        std::abort();
    }
    return 0;
}
