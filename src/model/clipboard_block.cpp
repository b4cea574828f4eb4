#include "model/clipboard_block.h"

#include <new>

#include "model/archive.h"
#include "model/axes.h"

namespace gyr {

std::vector<std::uint8_t> WriteObjectBlock(const CObList& objects) {
    std::vector<std::int32_t> flags;
    flags.reserve(objects.size());
    for (CMyObj* obj : objects) {
        flags.push_back(obj->m_bSelected);
        obj->m_bSelected = 0;
    }
    CArchive ar;
    ar.WriteObList(objects);
    for (std::size_t i = 0; i < objects.size(); ++i) objects[i]->m_bSelected = flags[i];
    return ar.TakeBytes();
}

bool ReadObjectBlock(const std::uint8_t* data, std::size_t size, const CClassTable& classes,
                     CGyrDoc* doc, CObList& out, std::size_t* droppedSheets) {
    if (droppedSheets) *droppedSheets = 0;
    CObList read;
    try {
        CArchive ar(data, size, classes, doc);
        ar.ReadObList(read);
    } catch (const CArchiveException&) {
        DeleteAllObjects(read);
        return false;
    } catch (const std::bad_alloc&) {
        DeleteAllObjects(read);
        return false;
    }
    for (CMyObj* obj : read) {
        // The sheet heads the catalogue once; a pasted one is dropped.
        if (obj->IsKindOf(&CAxes::kClass)) {
            delete obj;
            if (droppedSheets) ++*droppedSheets;
            continue;
        }
        obj->m_bSelected = 0;
        obj->m_pDocument = doc;  // SetDocument would restyle shapes
        out.push_back(obj);
    }
    return true;
}

}  // namespace gyr
