#include "model/document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>

#include "model/archive.h"
#include "dialogs/pen_width_dialog.h"
#include "model/program_state.h"
#include "model/shape_obj.h"
#include "port/host.h"
#include "model/axes.h"
#include "control/gyr_view.h"

namespace gyr {

const char* const kMsgBadFormat = "Unexpected file format.";
const char* const kMsgFailedOpen = "Failed to open document.";
const char* const kMsgFailedSave = "Failed to save document.";
const char* const kMsgFileNotFound =
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.";
const char* const kMsgSharing = "Unable to read from %1, it is opened by someone else.";
const char* const kMsgDiskFull = "Destination disk drive is full.";
const char* const kMsgSaveChanges = "Save changes of this document?";

namespace {

const char* const kFileFilter =
    "Gyrovant Files (*.gyr)|*.gyr|Bitmap Files (*.bmp)|*.bmp|Enhanced Metafiles "
    "(*.EMF)|*.EMF|All files (*.*)|*.*||";

constexpr ColorRef kPalette[16] = {0x000000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x000080, 0x0000FF,
                                   0x008080, 0x00FFFF, 0x008000, 0x00FF00, 0x808000, 0xFFFF00,
                                   0x800000, 0xFF0000, 0x800080, 0xFF00FF};

std::string WithPath(const char* message, const std::string& path) {
    std::string s = message;
    if (auto pos = s.find("%1"); pos != std::string::npos) s.replace(pos, 2, path);
    return s;
}

void Tell(const std::string& text) {
    if (Host* h = FindHost()) h->MessageBox(text, MsgIcon::Exclamation, MsgButtons::Ok);
}

void InvalidateRect(const PixelRect& r) {
    if (Host* h = FindHost()) h->Invalidate(r);
}

// The last three characters of a path, lower-cased: the open and save
// commands route bitmaps and metafiles by them, whatever the extension.
std::string LastThree(const std::string& path) {
    std::string t = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

}  // namespace

ColorRef PaletteColor(int id) {
    if (id < ID_COLOR_FIRST || id > ID_COLOR_LAST) return 0;
    return kPalette[id - ID_COLOR_FIRST];
}

CGyrDoc::Hooks& CGyrDoc::GetHooks() {
    static Hooks hooks;
    return hooks;
}

CGyrDoc::CGyrDoc() {
    ProgramState().params.rotationAngle = M_PI / 6;
}

CGyrDoc::~CGyrDoc() {
    DeleteContents();
}

void CGyrDoc::AddObject(CMyObj* obj) {
    m_objects.push_back(obj);
    SetModifiedFlag();
}

void CGyrDoc::RemoveObject(CMyObj* obj) {
    if (RemoveFromList(m_objects, obj)) {
        for (CGyrView* v : m_views) {
            if (RemoveFromList(v->m_selection, obj)) obj->m_bSelected = 0;
            // The gesture list and picks never outlive their objects.
            RemoveFromList(v->m_gesture, obj);
            if (v->m_pPicked == obj) v->m_pPicked = nullptr;
            if (v->m_pFirstPicked == obj) v->m_pFirstPicked = nullptr;
        }
        delete obj;
    }
    SetModifiedFlag();
}

void CGyrDoc::InvalidateObject(const CMyObj* obj) {
    if (!m_views.empty()) InvalidateRect(obj->GetInvalidRect());
}

void CGyrDoc::MakeFirst(CMyObj* obj) {
    if (m_objects.empty() || !RemoveFromList(m_objects, obj)) return;
    // Never before the sheet object.
    m_objects.insert(m_objects.begin() + (m_objects.empty() ? 0 : 1), obj);
    SetModifiedFlag();
}

void CGyrDoc::MakeLast(CMyObj* obj) {
    if (!RemoveFromList(m_objects, obj)) return;
    m_objects.push_back(obj);
    SetModifiedFlag();
}

CAxes* CGyrDoc::Sheet() const {
    if (m_objects.empty()) return nullptr;
    return dynamic_cast<CAxes*>(m_objects.front());
}

CWorldPoint CGyrDoc::GetSheetLeftTop() const {
    return m_objects.empty() ? CWorldPoint{} : m_objects.front()->m_leftTop;
}

CWorldPoint CGyrDoc::GetSheetRightBottom() const {
    return m_objects.empty() ? CWorldPoint{} : m_objects.front()->m_rightBottom;
}

void CGyrDoc::DeleteContents() {
    for (CGyrView* v : m_views) {
        v->m_selection.clear();
        v->m_gesture.clear();
        v->m_pPicked = v->m_pFirstPicked = nullptr;
    }
    DeleteAllObjects(m_objects);
}

void CGyrDoc::AddView(CGyrView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
    view->SetDocument(this);
}

void CGyrDoc::RemoveView(CGyrView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CGyrDoc::ApplySheetParams() {
    if (CAxes* axes = Sheet()) axes->SetAll(m_sheetParams);
}

// ---------------------------------------------------------------- attributes

void CGyrDoc::ApplyToSelection(AttrKind kind) {
    for (CGyrView* v : m_views) {
        for (CMyObj* obj : v->m_selection) {
            if (!obj->IsShape()) continue;
            PixelRect before = obj->GetInvalidRect();
            static_cast<CShapeObj*>(obj)->ApplyAttributes(kind, *this);
            InvalidateRect(before.United(obj->GetInvalidRect()));
        }
    }
    SetModifiedFlag();
}

void CGyrDoc::ApplyTextToSelection(int textKind) {
    if (GetHooks().applyText) GetHooks().applyText(*this, textKind);
    SetModifiedFlag();
}

void CGyrDoc::WidthCommand(int id) {
    m_widthButton = id;
    m_drawAttr.penWidthX = id - (ID_WIDTH_1 - 1);
    // Wide pens are always solid.
    if (id != ID_WIDTH_1) PatternCommand(ID_STYLE_SOLID);
    ApplyToSelection(kAttrWidth);
}

void CGyrDoc::PatternCommand(int id) {
    m_styleButton = id;
    m_drawAttr.penStyle = std::uint32_t(id - ID_STYLE_SOLID);
    // Patterns need a one-pixel pen.
    if (id != ID_STYLE_SOLID) WidthCommand(ID_WIDTH_1);
    ApplyToSelection(kAttrPattern);
}

void CGyrDoc::RunPalette(int id) {
    int target = m_colorTarget - ID_TARGET_CONTOUR;
    m_colorButton[std::size_t(target)] = id;
    bool none = id == ID_COLOR_NONE;
    ColorRef c = PaletteColor(id);
    switch (m_colorTarget) {
        case ID_TARGET_CONTOUR:
            m_drawAttr.penOn = none ? 0 : 1;
            if (!none) m_drawAttr.penColor = c;
            ApplyToSelection(kAttrContour);
            break;
        case ID_TARGET_REGION:
            m_drawAttr.brushOn = none ? 0 : 1;
            if (!none) m_drawAttr.brushColor = c;
            ApplyToSelection(kAttrRegion);
            break;
        case ID_TARGET_TEXT:
            if (none) return;
            m_textAttr.color = c;
            ApplyTextToSelection(6);
            break;
        case ID_TARGET_AXES:
            if (none) return;
            m_sheetParams.axesColor = c;
            ApplySheetParams();
            if (Host* h = FindHost()) h->InvalidateAll();
            SetModifiedFlag();
            break;
    }
}

bool CGyrDoc::OnCommand(int id) {
    if (id >= ID_WIDTH_1 && id <= ID_WIDTH_6) {
        WidthCommand(id);
    } else if (id >= ID_STYLE_SOLID && id <= ID_STYLE_DASHDOTDOT) {
        PatternCommand(id);
    } else if (id == ID_WIDTH_USER) {
        Host* h = FindHost();
        if (!h) return true;
        CPenWidthDialogModel dlg(m_drawAttr.penWidthX);
        if (h->RunDialog(dlg) && dlg.Width() != m_drawAttr.penWidthX) {
            m_drawAttr.penWidthX = dlg.Width();
            ApplyToSelection(kAttrWidth);
        }
    } else if (id >= ID_COLOR_FIRST && id <= ID_COLOR_NONE) {
        RunPalette(id);
    } else if (id >= ID_TARGET_CONTOUR && id <= ID_TARGET_AXES) {
        m_colorTarget = id;
        RunPalette(m_colorButton[std::size_t(id - ID_TARGET_CONTOUR)]);
    } else if (id >= ID_TEXT_BOLD && id <= ID_TEXT_STRIKEOUT) {
        std::uint8_t* flags[] = {&m_textAttr.bold, &m_textAttr.italic, &m_textAttr.underline,
                                 &m_textAttr.strikeOut};
        std::uint8_t& flag = *flags[id - ID_TEXT_BOLD];
        flag = flag ? 0 : 1;
        ApplyTextToSelection(2 + (id - ID_TEXT_BOLD));
    } else if (id >= ID_JUSTIFY_LEFT && id <= ID_JUSTIFY_RIGHT) {
        m_justifyButton = id;
        m_textAttr.justify = id - ID_JUSTIFY_LEFT;
        ApplyTextToSelection(1);
    } else {
        return false;
    }
    return true;
}

bool CGyrDoc::IsChecked(int id) const {
    if (id >= ID_WIDTH_1 && id <= ID_WIDTH_6) return id == m_widthButton;
    if (id >= ID_STYLE_SOLID && id <= ID_STYLE_DASHDOTDOT) return id == m_styleButton;
    if (id >= ID_COLOR_FIRST && id <= ID_COLOR_NONE)
        return id == m_colorButton[std::size_t(m_colorTarget - ID_TARGET_CONTOUR)];
    if (id >= ID_TARGET_CONTOUR && id <= ID_TARGET_AXES) return id == m_colorTarget;
    if (id >= ID_JUSTIFY_LEFT && id <= ID_JUSTIFY_RIGHT) return id == m_justifyButton;
    switch (id) {
        case ID_TEXT_BOLD:
            return m_textAttr.bold != 0;
        case ID_TEXT_ITALIC:
            return m_textAttr.italic != 0;
        case ID_TEXT_UNDERLINE:
            return m_textAttr.underline != 0;
        case ID_TEXT_STRIKEOUT:
            return m_textAttr.strikeOut != 0;
        default:
            return false;
    }
}

// ---------------------------------------------------------------- files

void CGyrDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.WriteObList(m_objects);
    else
        ar.ReadObList(m_objects);
}

std::vector<std::uint8_t> CGyrDoc::SaveToBytes() {
    CArchive ar(this);
    Serialize(ar);
    return ar.TakeBytes();
}

void CGyrDoc::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
    DeleteContents();
    CArchive ar(data, size, this);
    try {
        Serialize(ar);
        // Everything else takes the head object as the sheet.
        if (m_objects.empty() || !m_objects.front()->IsKindOf(&CAxes::kClass))
            throw CArchiveException(CArchiveException::BadFormat, "no sheet object first");
    } catch (...) {
        DeleteContents();
        throw;
    }
}

void CGyrDoc::EndTextEdit() {
    if (GetHooks().endTextEdit) GetHooks().endTextEdit(*this);
}

void CGyrDoc::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    m_strPathName.clear();
    auto* axes = new CAxes;
    axes->SetDocument(this);
    axes->m_bSelected = 0;
    AddObject(axes);
    if (m_bFirstNew) {
        axes->InitDefaults();
        m_sheetParams = axes->m_params;
        m_bFirstNew = 0;
        m_bDefaultPageSize = false;
    } else {
        axes->SetAll(m_sheetParams);
    }
    SetModifiedFlag(false);
}

bool CGyrDoc::OnOpenDocument(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        // The current document stays as it was.
        Tell(errno == ENOENT || errno == ENOTDIR ? WithPath(kMsgFileNotFound, path)
                                                 : std::string(kMsgFailedOpen));
        return false;
    }
    try {
        LoadFromBytes(bytes.data(), bytes.size());
    } catch (const CArchiveException&) {
        Tell(kMsgBadFormat);
        OnNewDocument();
        return false;
    } catch (const std::bad_alloc&) {
        Tell(kMsgFailedOpen);
        OnNewDocument();
        return false;
    }
    CAxes* axes = Sheet();
    axes->Update();
    m_sheetParams = axes->m_params;
    m_strPathName = path;
    SetModifiedFlag(false);
    if (GetHooks().addRecentFile) GetHooks().addRecentFile(path);
    return true;
}

bool CGyrDoc::OnSaveDocument(const std::string& path) {
    EndTextEdit();
    bool diskFull = false;
    if (!WriteFileAtomically(path, SaveToBytes(), &diskFull)) {
        Tell(diskFull ? kMsgDiskFull : kMsgFailedSave);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CGyrDoc::OnFileSave() {
    EndTextEdit();
    if (!m_strPathName.empty())
        OnSaveDocument(m_strPathName);
    else
        OnFileSaveAs();
}

void CGyrDoc::OnFileSaveAs() {
    EndTextEdit();
    Host* h = FindHost();
    if (!h) return;
    FileChoice c = h->ChooseSaveFile(kFileFilter, "gyr", "untitled");
    if (!c.ok) return;
    std::string kind = LastThree(c.path);
    auto& hooks = GetHooks();
    if (kind == "bmp") {
        if (hooks.exportBitmap) hooks.exportBitmap(*this, c.path);
    } else if (kind == "emf") {
        if (hooks.exportMetafile) hooks.exportMetafile(*this, c.path);
    } else if (OnSaveDocument(c.path)) {
        m_strPathName = c.path;
        if (hooks.addRecentFile) hooks.addRecentFile(c.path);
    }
}

void CGyrDoc::OnFileOpen() {
    EndTextEdit();
    Host* h = FindHost();
    if (!h) return;
    FileChoice c = h->ChooseOpenFile(kFileFilter);
    if (!c.ok) return;
    std::string kind = LastThree(c.path);
    auto& hooks = GetHooks();
    if (kind == "bmp") {
        if (hooks.importBitmap) hooks.importBitmap(*this, c.path);
    } else if (kind == "emf") {
        if (hooks.importMetafile) hooks.importMetafile(*this, c.path);
    } else if (SaveModified()) {
        OnOpenDocument(c.path);
    }
}

bool CGyrDoc::SaveModified() {
    EndTextEdit();
    if (!IsModified()) return true;
    Host* h = FindHost();
    if (!h) return true;
    switch (h->MessageBox(kMsgSaveChanges, MsgIcon::Exclamation, MsgButtons::YesNoCancel)) {
        case MsgAnswer::Cancel:
            return false;
        case MsgAnswer::Yes:
            OnFileSave();
            return true;
        default:
            return true;
    }
}

std::string CGyrDoc::GetTitle() const {
    if (m_strPathName.empty()) return "Untitled";
    auto pos = m_strPathName.find_last_of('/');
    return pos == std::string::npos ? m_strPathName : m_strPathName.substr(pos + 1);
}

// ---------------------------------------------------------------- file I/O

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        int e = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        errno = e;
        return false;
    }
    bytes.clear();
    bytes.reserve(std::size_t(st.st_size));
    std::uint8_t buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            errno = e;
            return false;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buf, buf + n);
    }
    ::close(fd);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         bool* diskFull) {
    if (diskFull) *diskFull = false;
    std::string tmp = path + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    auto fail = [&](int e) {
        if (diskFull) *diskFull = e == ENOSPC || e == EDQUOT;
        ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    };
    // Keep the permissions of the file being replaced; otherwise the usual ones.
    struct stat st;
    mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += std::size_t(n);
    }
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        if (diskFull) *diskFull = e == ENOSPC || e == EDQUOT;
        return false;
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

}  // namespace gyr
