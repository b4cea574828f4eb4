#include "model/document.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>

#include "model/archive.h"
#include "model/axes.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "model/shape_obj.h"
#include "port/host.h"

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

}  // namespace

ColorRef PaletteColor(int id) {
    if (id < ID_COLOR_FIRST || id > ID_COLOR_LAST) return 0;
    return kPalette[id - ID_COLOR_FIRST];
}

CGyrDoc::CGyrDoc(const CClassTable& classes) : m_classes(classes) {
    ProgramState().params.rotationAngle = std::numbers::pi / 6;
}

CGyrDoc::~CGyrDoc() {
    DeleteContents();
    // Gesture states that outlive the document point nowhere afterwards.
    for (CGestureState* state : std::vector(m_states)) state->SetDocument(nullptr);
}

void CGyrDoc::AddObject(CMyObj* obj) {
    ++m_catalogueVersion;
    obj->m_nPlaceHint = std::int32_t(m_objects.size());
    m_objects.push_back(obj);
    m_history.NoteAdded(obj);
    SetModifiedFlag();
}

void CGyrDoc::RemoveObject(CMyObj* obj) {
    ++m_catalogueVersion;
    const int place = PlaceOf(obj);
    if (place >= 0) {
        m_history.NoteRemoving(obj, place);
        m_objects.erase(m_objects.begin() + place);
        ForgetEverywhere(obj);
        delete obj;
    }
    SetModifiedFlag();
}

int CGyrDoc::PlaceOf(const CMyObj* obj) const {
    if (!obj) return -1;
    const auto n = std::int64_t(m_objects.size());
    const std::int64_t hint = obj->m_nPlaceHint;
    if (hint >= 0 && hint < n && m_objects[std::size_t(hint)] == obj) return int(hint);
    // Insertions and removals before it shift it a little from its hint:
    // search outwards from there.
    const std::int64_t start = hint >= 0 && hint < n ? hint : n - 1;
    for (std::int64_t d = 0; start - d >= 0 || start + d < n; ++d) {
        for (std::int64_t i : {start - d, start + d}) {
            if (i < 0 || i >= n || m_objects[std::size_t(i)] != obj) continue;
            obj->m_nPlaceHint = std::int32_t(i);
            return int(i);
        }
    }
    return -1;
}

// Selections, gesture lists, picks and script steps never outlive their
// objects.
void CGyrDoc::ForgetEverywhere(const CMyObj* obj) {
    for (CGestureState* state : m_states) state->Forget(obj);
    ProgramState().script.steps.Forget(obj);
}

void CGyrDoc::ReplaceAt(int place, CMyObj* fresh) {
    ++m_catalogueVersion;
    CMyObj*& slot = m_objects.at(std::size_t(place));
    ForgetEverywhere(slot);
    delete slot;
    slot = fresh;
    fresh->m_nPlaceHint = place;
}

void CGyrDoc::EraseAt(int place) {
    ++m_catalogueVersion;
    CMyObj* obj = m_objects.at(std::size_t(place));
    m_objects.erase(m_objects.begin() + place);
    ForgetEverywhere(obj);
    delete obj;
}

void CGyrDoc::InsertAt(int place, CMyObj* obj) {
    ++m_catalogueVersion;
    const auto at = std::min<std::size_t>(std::size_t(place), m_objects.size());
    m_objects.insert(m_objects.begin() + std::ptrdiff_t(at), obj);
    obj->m_nPlaceHint = std::int32_t(at);
}

void CGyrDoc::InvalidateObject(const CMyObj* obj) {
    if (!m_states.empty()) InvalidateRect(obj->GetInvalidRect());
}

void CGyrDoc::MakeFirst(CMyObj* obj) {
    ++m_catalogueVersion;
    if (PlaceOf(obj) < 0) return;
    m_history.NoteReordering(obj);
    if (m_objects.empty() || !RemoveFromList(m_objects, obj)) return;
    // Never before the sheet object.
    m_objects.insert(m_objects.begin() + (m_objects.empty() ? 0 : 1), obj);
    SetModifiedFlag();
}

void CGyrDoc::MakeLast(CMyObj* obj) {
    ++m_catalogueVersion;
    if (PlaceOf(obj) < 0) return;
    m_history.NoteReordering(obj);
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
    ++m_catalogueVersion;
    m_history.Clear();
    for (CGestureState* state : m_states) state->ForgetAll();
    // New and Open start the locus script's steps afresh.
    ProgramState().script.steps.Clear();
    DeleteAllObjects(m_objects);
}

void CGyrDoc::AttachGestureState(CGestureState* state) {
    if (std::find(m_states.begin(), m_states.end(), state) == m_states.end())
        m_states.push_back(state);
}

void CGyrDoc::DetachGestureState(CGestureState* state) {
    std::erase(m_states, state);
}

void CGyrDoc::ApplySheetParams() {
    if (CAxes* axes = Sheet()) {
        WillChange(axes);
        axes->SetAll(m_sheetParams);
    }
}

// ---------------------------------------------------------------- attributes

void CGyrDoc::ApplyToSelection(AttrKind kind) {
    for (CGestureState* state : m_states) {
        for (CMyObj* obj : state->m_selection) {
            if (!obj->IsShape()) continue;
            PixelRect before = obj->GetInvalidRect();
            WillChange(obj);
            static_cast<CShapeObj*>(obj)->ApplyAttributes(kind, *this);
            InvalidateRect(before.United(obj->GetInvalidRect()));
        }
    }
    SetModifiedFlag();
}

void CGyrDoc::ApplyTextToSelection(int textKind) {
    for (CGestureState* state : m_states) {
        for (CMyObj* obj : state->m_selection) {
            if (!obj->IsText()) continue;
            PixelRect before = obj->GetInvalidRect();
            WillChange(obj);
            obj->ApplyTextAttributes(textKind, m_textAttr);
            InvalidateRect(before.United(obj->GetInvalidRect()));
        }
    }
    SetModifiedFlag();
}

// ---------------------------------------------------------------- files

void CGyrDoc::Serialize(CArchive& ar) {
    ++m_catalogueVersion;
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
    CArchive ar(data, size, m_classes, this);
    try {
        Serialize(ar);
        for (std::size_t i = 0; i < m_objects.size(); ++i)
            m_objects[i]->m_nPlaceHint = std::int32_t(i);
        // Everything else takes the head object as the sheet.
        if (m_objects.empty() || !m_objects.front()->IsKindOf(&CAxes::kClass))
            throw CArchiveException(CArchiveException::BadFormat, "no sheet object first");
    } catch (...) {
        DeleteContents();
        throw;
    }
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
    if (Host* h = FindHost()) h->AddRecentFile(path);
    return true;
}

bool CGyrDoc::OnSaveDocument(const std::string& path) {
    bool diskFull = false;
    if (!WriteFileAtomically(path, SaveToBytes(), &diskFull)) {
        Tell(diskFull ? kMsgDiskFull : kMsgFailedSave);
        return false;
    }
    m_history.MarkClean();
    SetModifiedFlag(false);
    return true;
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

namespace {

// The folder and the file name of a path ("." for a bare name).
void SplitPath(const std::string& path, std::string& dir, std::string& name) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        dir = ".";
        name = path;
    } else {
        dir = slash == 0 ? "/" : path.substr(0, slash);
        name = path.substr(slash + 1);
    }
}

// A temporary name is the stale-file prefix and six random characters.
constexpr std::size_t kTempSuffixLength = 6;

// Removes temporary files that an earlier save of the same target left
// behind when it was killed: nothing else ever has that name.
void RemoveStaleTemporaries(const std::string& dir, const std::string& prefix) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    while (const dirent* e = ::readdir(d)) {
        const std::string entry = e->d_name;
        if (entry.size() != prefix.size() + kTempSuffixLength ||
            entry.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string full = dir + "/" + entry;
        struct stat st;
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(full.c_str());
    }
    ::closedir(d);
}

// Makes a rename in dir durable: without it a power loss may bring back
// the old directory entry, even though the file's data was synced.
void SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string TemporaryFilePrefix(const std::string& path) {
    std::string dir, name;
    SplitPath(path, dir, name);
    return "." + name + ".saving-";
}

bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         bool* diskFull) {
    if (diskFull) *diskFull = false;
    std::string dir, name;
    SplitPath(path, dir, name);
    if (name.empty()) return false;
    const std::string prefix = TemporaryFilePrefix(path);
    RemoveStaleTemporaries(dir, prefix);
    std::string tmp = dir + "/" + prefix + std::string(kTempSuffixLength, 'X');
    int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) {
        if (diskFull) *diskFull = errno == ENOSPC || errno == EDQUOT;
        return false;
    }
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
    SyncDirectory(dir);
    return true;
}

}  // namespace gyr
