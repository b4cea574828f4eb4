#include "control/picture_commands.h"

#include "control/doc_commands.h"
#include "figures/pict_obj.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/ids.h"
#include "model/obj_list.h"
#include "port/emf_canvas.h"
#include "port/host.h"

namespace gyr {

const char* const kPictureFilter =
    "Bitmap Files (*.bmp)|*.bmp|Enhanced Metafiles (*.EMF)|*.EMF|Bitmaps + Enhanced "
    "(*.bmp;*.EMF)|*.bmp; *.EMF||";
const char* const kMsgNoPictureSelected = "No bitmap or enhanced metafile selected";
const char* const kMsgWrongExtension = "Some error occured. \nPlease select the correct extension.";
const char* const kMsgSheetTooBig =
    "Sorry, the document is too big to by stored as a bitmap.\nMake it less or equal to the "
    "standard A4 format (look in the \"Settings\" dialog) and retry.";
const char* const kMsgCannotSaveDib = "Cannot save DIB";
const char* const kMsgPictureTooLarge =
    "The picture would be larger than 64 MB: its bitmaps are too large.";

namespace {

const char* const kSaveFilter =
    "Gyrovant Files (*.gyr)|*.gyr|Bitmap Files (*.bmp)|*.bmp|Enhanced Metafiles "
    "(*.EMF)|*.EMF|All files (*.*)|*.*||";

void Tell(const char* text, MsgIcon icon) {
    if (Host* h = FindHost()) h->MessageBox(text, icon, MsgButtons::Ok);
}

bool WriteOrTell(const std::string& path, const std::vector<std::uint8_t>& bytes,
                 const char* failure) {
    bool diskFull = false;
    if (WriteFileAtomically(path, bytes, &diskFull)) return true;
    Tell(diskFull ? kMsgDiskFull : failure, MsgIcon::Information);
    return false;
}

std::vector<std::uint8_t> Metafile(const CGyrDoc& doc, const std::int32_t frame[4],
                                   const PixelRect& clip, PixelPoint origin) {
    EmfCanvas emf(frame, clip);
    emf.SetViewportOrg(origin);
    DrawAll(doc.Objects(), emf);
    return emf.Finish();
}

}  // namespace

bool CaptureBitmap(const CGyrDoc& doc, const PixelRect& r, DibImage& out) {
    const PixelRect n = r.Normalized();
    const long long w = n.Width(), h = n.Height();
    if (w <= 0 || h <= 0 || w > kMaxDibSide || h > kMaxDibSide || w * h > kMaxDibPixels)
        return false;
    Host* host = FindHost();
    if (!host) return false;
    return host->RenderBitmap(
        int(w), int(h),
        [&](Canvas& dc) {
            dc.SetViewportOrg({-n.left, -n.top});
            DrawAll(doc.Objects(), dc);
        },
        out);
}

std::vector<std::uint8_t> CaptureMetafile(const CGyrDoc& doc, const PixelRect& r) {
    const PixelRect n = r.Normalized();
    const std::int32_t frame[4] = {0, 0, (n.Width() + 5) * kEmfHundredthsPerPixelX,
                                   (n.Height() + 5) * kEmfHundredthsPerPixelY};
    return Metafile(doc, frame, {0, 0, n.Width(), n.Height()}, {-n.left, -n.top});
}

std::vector<std::uint8_t> SheetMetafile(const CGyrDoc& doc) {
    const int w = Mapping().sheetWidth, h = Mapping().sheetHeight;
    const std::int32_t frame[4] = {-5, -5, (w + 15) * kEmfHundredthsPerPixelX,
                                   (h + 15) * kEmfHundredthsPerPixelY};
    return Metafile(doc, frame, {0, 0, w, h}, {0, 0});
}

bool SaveSheetAsBitmap(CGyrDoc& doc, const std::string& path) {
    const PixelPoint page = DefaultPageSize();
    const int w = Mapping().sheetWidth, h = Mapping().sheetHeight;
    if (w > page.x || h > page.y) {
        Tell(kMsgSheetTooBig, MsgIcon::Information);
        return false;
    }
    DibImage image;
    if (!CaptureBitmap(doc, {0, 0, w, h}, image)) {
        Tell(kMsgCannotSaveDib, MsgIcon::Information);
        return false;
    }
    // The modified flag stays: the drawing itself was not saved.
    return WriteOrTell(path, WriteBmpFile(MakeDib24(image)), kMsgCannotSaveDib);
}

bool SaveSheetAsMetafile(CGyrDoc& doc, const std::string& path) {
    const std::vector<std::uint8_t> emf = SheetMetafile(doc);
    if (emf.empty()) {
        Tell(kMsgPictureTooLarge, MsgIcon::Exclamation);
        return false;
    }
    return WriteOrTell(path, emf, kMsgFailedSave);
}

CMyObj* ImportPictureFile(CGyrDoc& doc, const std::string& path) {
    const std::string kind = LastThree(path);
    if (kind != "bmp" && kind != "emf") return nullptr;
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        std::string text = kMsgFileNotFound;
        if (auto pos = text.find("%1"); pos != std::string::npos) text.replace(pos, 2, path);
        if (Host* h = FindHost()) h->MessageBox(text, MsgIcon::Exclamation, MsgButtons::Ok);
        return nullptr;
    }
    CMyObj* obj = kind == "bmp" ? static_cast<CMyObj*>(PictureFromBmp(bytes.data(), bytes.size()))
                                : PictureFromEmf(bytes.data(), bytes.size());
    if (!obj) {
        Tell(kMsgBadFormat, MsgIcon::Exclamation);
        return nullptr;
    }
    obj->SetDocument(&doc);
    obj->AddToDocument();
    return obj;
}

CMyObj* MakeRestrictedPicture(CGestureState& state, int kind, const PixelRect& frame) {
    CGyrDoc* doc = state.Document();
    const PixelRect r = frame.Normalized();
    if (!doc || r.IsEmpty()) return nullptr;
    CMyObj* obj = nullptr;
    if (kind == kToolPictBmp) {
        DibImage image;
        if (!CaptureBitmap(*doc, r, image)) {
            state.Beep();
            return nullptr;
        }
        obj = new CPict(MakeDib24(image));
    } else {
        std::vector<std::uint8_t> emf = CaptureMetafile(*doc, r);
        if (emf.empty()) {
            Tell(kMsgPictureTooLarge, MsgIcon::Exclamation);
            return nullptr;
        }
        obj = new CMetaObj(std::move(emf), r);
    }
    // Both kinds lie over the framed area, then visibly beside it.
    PixelRectToWorld(r, obj->m_leftTop, obj->m_rightBottom);
    obj->Offset({0.1, -0.1});
    obj->SetDocument(doc);
    const PixelRect marks = state.SelectionRect();
    state.DeselectAll();
    state.Select(obj);
    obj->AddToDocument();
    state.Repaint(marks.United(obj->GetInvalidRect()));
    return obj;
}

void ImportPictureCommand(CGestureState& state) {
    Host* h = FindHost();
    CGyrDoc* doc = state.Document();
    if (!h || !doc) return;
    const FileChoice c = h->ChooseOpenFile(kPictureFilter);
    if (c.ok) ImportPictureFile(*doc, c.path);
}

void ExportPictureCommand(CGestureState& state) {
    const CMyObj* pict = nullptr;
    for (const CMyObj* obj : state.m_selection)
        if (obj->GetPictureKind() != 0) {
            pict = obj;
            break;
        }
    if (!pict) {
        Tell(kMsgNoPictureSelected, MsgIcon::Exclamation);
        return;
    }
    Host* h = FindHost();
    if (!h) return;
    const FileChoice c = h->ChooseSaveFile(kSaveFilter, "bmp", "untitled");
    if (!c.ok) return;
    const std::string ext = LastThree(c.path);
    // A picture is written only in its own format; any other choice is told.
    if (ext == "bmp" && pict->GetPictureKind() == 1) {
        WriteOrTell(c.path, WriteBmpFile(static_cast<const CPict*>(pict)->GetDib()),
                    kMsgCannotSaveDib);
    } else if (ext == "emf" && pict->GetPictureKind() == 2) {
        WriteOrTell(c.path, static_cast<const CMetaObj*>(pict)->Bytes(), kMsgFailedSave);
    } else {
        Tell(kMsgWrongExtension, MsgIcon::Exclamation);
    }
}

}  // namespace gyr
