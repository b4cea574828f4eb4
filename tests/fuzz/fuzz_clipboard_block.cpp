// The clipboard's block of figures on untrusted bytes: reading never crashes
// nor over-allocates; a refused block leaves nothing; what is read contains
// no sheet, writes back to a block that reads to the same objects, and
// pasted in one undo step comes out again by Undo, byte for byte.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "figures/class_registry.h"
#include "model/axes.h"
#include "model/clipboard_block.h"
#include "model/document.h"
#include "port/scripted_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gyr;
    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    doc.OnNewDocument();
    const std::vector<std::uint8_t> before = doc.SaveToBytes();
    CObList read;
    if (!ReadObjectBlock(data, size, DrawingClasses(), &doc, read)) {
        if (!read.empty()) {
            std::fprintf(stderr, "a refused block left %zu objects\n", read.size());
            std::abort();
        }
        return 0;
    }
    for (CMyObj* obj : read)
        if (obj->IsKindOf(&CAxes::kClass)) std::abort();
    const std::vector<std::uint8_t> again = WriteObjectBlock(read);
    CObList reread;
    if (!ReadObjectBlock(again.data(), again.size(), DrawingClasses(), &doc, reread) ||
        reread.size() != read.size() || WriteObjectBlock(reread) != again) {
        std::fprintf(stderr, "a written block does not read back\n");
        std::abort();
    }
    DeleteAllObjects(reread);
    {
        CUndoScope step(&doc, "Paste");
        for (CMyObj* obj : read) doc.AddObject(obj);
    }
    if (!read.empty() && (!doc.History().Undo() || doc.SaveToBytes() != before)) {
        std::fprintf(stderr, "undoing the paste did not give the document back\n");
        std::abort();
    }
    return 0;
}
