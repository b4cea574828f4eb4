#include "control/doc_commands.h"

#include <cctype>

#include "control/picture_commands.h"
#include "dialogs/pen_width_dialog.h"
#include "model/document.h"
#include "port/host.h"

namespace gyr {

namespace {

const char* const kFileFilter =
    "Gyrovant Files (*.gyr)|*.gyr|Bitmap Files (*.bmp)|*.bmp|Enhanced Metafiles "
    "(*.EMF)|*.EMF|All files (*.*)|*.*||";

void PatternCommand(CGyrDoc& doc, int id);

void WidthCommand(CGyrDoc& doc, int id) {
    doc.m_widthButton = id;
    doc.m_drawAttr.penWidthX = id - (ID_WIDTH_1 - 1);
    // Wide pens are always solid.
    if (id != ID_WIDTH_1) PatternCommand(doc, ID_STYLE_SOLID);
    doc.ApplyToSelection(kAttrWidth);
}

void PatternCommand(CGyrDoc& doc, int id) {
    doc.m_styleButton = id;
    doc.m_drawAttr.penStyle = std::uint32_t(id - ID_STYLE_SOLID);
    // Patterns need a one-pixel pen.
    if (id != ID_STYLE_SOLID) WidthCommand(doc, ID_WIDTH_1);
    doc.ApplyToSelection(kAttrPattern);
}

void RunPalette(CGyrDoc& doc, int id) {
    int target = doc.m_colorTarget - ID_TARGET_CONTOUR;
    doc.m_colorButton[std::size_t(target)] = id;
    bool none = id == ID_COLOR_NONE;
    ColorRef c = PaletteColor(id);
    switch (doc.m_colorTarget) {
        case ID_TARGET_CONTOUR:
            doc.m_drawAttr.penOn = none ? 0 : 1;
            if (!none) doc.m_drawAttr.penColor = c;
            doc.ApplyToSelection(kAttrContour);
            break;
        case ID_TARGET_REGION:
            doc.m_drawAttr.brushOn = none ? 0 : 1;
            if (!none) doc.m_drawAttr.brushColor = c;
            doc.ApplyToSelection(kAttrRegion);
            break;
        case ID_TARGET_TEXT:
            if (none) return;
            doc.m_textAttr.color = c;
            doc.ApplyTextToSelection(6);
            break;
        case ID_TARGET_AXES:
            if (none) return;
            doc.m_sheetParams.axesColor = c;
            doc.ApplySheetParams();
            if (Host* h = FindHost()) h->InvalidateAll();
            doc.SetModifiedFlag();
            break;
    }
}

}  // namespace

bool OnDocumentCommand(CGyrDoc& doc, int id) {
    if (id >= ID_WIDTH_1 && id <= ID_WIDTH_6) {
        WidthCommand(doc, id);
    } else if (id >= ID_STYLE_SOLID && id <= ID_STYLE_DASHDOTDOT) {
        PatternCommand(doc, id);
    } else if (id == ID_WIDTH_USER) {
        Host* h = FindHost();
        if (!h) return true;
        CPenWidthDialogModel dlg(doc.m_drawAttr.penWidthX);
        if (h->RunDialog(dlg)) {
            // The bars show what the next figure gets: no numbered width,
            // and the solid pattern that every wide pen has.
            doc.m_widthButton = ID_WIDTH_USER;
            doc.m_styleButton = ID_STYLE_SOLID;
            doc.m_drawAttr.penStyle = kPenSolid;
            doc.m_drawAttr.penWidthX = dlg.Width();
            doc.ApplyToSelection(kAttrWidth);
            doc.ApplyToSelection(kAttrPattern);
        }
    } else if (id >= ID_COLOR_FIRST && id <= ID_COLOR_NONE) {
        RunPalette(doc, id);
    } else if (id >= ID_TARGET_CONTOUR && id <= ID_TARGET_AXES) {
        doc.m_colorTarget = id;
        RunPalette(doc, doc.m_colorButton[std::size_t(id - ID_TARGET_CONTOUR)]);
    } else if (id >= ID_TEXT_BOLD && id <= ID_TEXT_STRIKEOUT) {
        std::uint8_t* flags[] = {&doc.m_textAttr.bold, &doc.m_textAttr.italic,
                                 &doc.m_textAttr.underline, &doc.m_textAttr.strikeOut};
        std::uint8_t& flag = *flags[id - ID_TEXT_BOLD];
        flag = flag ? 0 : 1;
        doc.ApplyTextToSelection(2 + (id - ID_TEXT_BOLD));
    } else if (id >= ID_JUSTIFY_LEFT && id <= ID_JUSTIFY_RIGHT) {
        doc.m_justifyButton = id;
        doc.m_textAttr.justify = id - ID_JUSTIFY_LEFT;
        doc.ApplyTextToSelection(1);
    } else {
        return false;
    }
    return true;
}

bool IsDocumentCommandChecked(const CGyrDoc& doc, int id) {
    if (id >= ID_WIDTH_1 && id <= ID_WIDTH_6) return id == doc.m_widthButton;
    if (id >= ID_STYLE_SOLID && id <= ID_STYLE_DASHDOTDOT) return id == doc.m_styleButton;
    if (id >= ID_COLOR_FIRST && id <= ID_COLOR_NONE)
        return id == doc.m_colorButton[std::size_t(doc.m_colorTarget - ID_TARGET_CONTOUR)];
    if (id >= ID_TARGET_CONTOUR && id <= ID_TARGET_AXES) return id == doc.m_colorTarget;
    if (id >= ID_JUSTIFY_LEFT && id <= ID_JUSTIFY_RIGHT) return id == doc.m_justifyButton;
    switch (id) {
        case ID_TEXT_BOLD:
            return doc.m_textAttr.bold != 0;
        case ID_TEXT_ITALIC:
            return doc.m_textAttr.italic != 0;
        case ID_TEXT_UNDERLINE:
            return doc.m_textAttr.underline != 0;
        case ID_TEXT_STRIKEOUT:
            return doc.m_textAttr.strikeOut != 0;
        default:
            return false;
    }
}

// ---------------------------------------------------------------- files

std::string LastThree(const std::string& path) {
    std::string t = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

namespace {

bool IsPictureName(const std::string& path) {
    const std::string kind = LastThree(path);
    return kind == "bmp" || kind == "emf";
}

}  // namespace

bool FileSave(CGyrDoc& doc) {
    if (!doc.GetPathName().empty()) return doc.OnSaveDocument(doc.GetPathName());
    return FileSaveAs(doc);
}

bool FileSaveAs(CGyrDoc& doc) {
    Host* h = FindHost();
    if (!h) return false;
    FileChoice c = h->ChooseSaveFile(kFileFilter, "gyr", "untitled");
    if (!c.ok) return false;
    // A bitmap or metafile name exports the sheet; the document itself
    // stays unsaved under its own name.
    if (LastThree(c.path) == "bmp") {
        SaveSheetAsBitmap(doc, c.path);
        return false;
    }
    if (LastThree(c.path) == "emf") {
        SaveSheetAsMetafile(doc, c.path);
        return false;
    }
    if (!doc.OnSaveDocument(c.path)) return false;
    doc.SetPathName(c.path);
    h->AddRecentFile(c.path);
    return true;
}

void FileOpen(CGyrDoc& doc) {
    Host* h = FindHost();
    if (!h) return;
    FileChoice c = h->ChooseOpenFile(kFileFilter);
    if (!c.ok) return;
    // Bitmaps and metafiles join the current drawing as pictures.
    if (IsPictureName(c.path)) {
        ImportPictureFile(doc, c.path);
        return;
    }
    if (SaveModified(doc)) doc.OnOpenDocument(c.path);
}

bool SaveModified(CGyrDoc& doc) {
    if (!doc.IsModified()) return true;
    Host* h = FindHost();
    if (!h) return true;
    switch (h->MessageBox(kMsgSaveChanges, MsgIcon::Exclamation, MsgButtons::YesNoCancel)) {
        case MsgAnswer::Cancel:
            return false;
        case MsgAnswer::Yes:
            return FileSave(doc);
        default:
            return true;
    }
}

}  // namespace gyr
