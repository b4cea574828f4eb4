#pragma once
// The one document: the catalogue of every figure (head: the sheet object),
// the current drawing and text attributes with their tool-bar states, the
// attribute commands and the file commands.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ids.h"
#include "model/obj_list.h"
#include "model/undo_history.h"
#include "port/canvas.h"

namespace gyr {

class CArchive;
class CAxes;
class CClassTable;
class CGestureState;

// Nine 32-bit words; SetDocument and the attribute commands copy from it.
struct CDrawAttr {
    std::int32_t penOn = 1;
    std::int32_t brushOn = 0;
    std::uint32_t penStyle = kPenSolid;
    std::int32_t penWidthX = 2;
    std::int32_t penWidthY = 2;
    ColorRef penColor = 0x00800000;
    std::uint32_t brushStyle = kBrushSolid;
    ColorRef brushColor = 0x000000FF;
    std::int32_t hatch = 0;
};

struct CTextAttr {
    std::int32_t pointSize = 12;
    std::int32_t justify = 0;  // 0 left, 1 centred, 2 right
    std::uint8_t bold = 0, italic = 0, underline = 0, strikeOut = 0;
    ColorRef color = 0x00000000;
    std::string faceName = "Courier New";
    std::int32_t extra = 2;
};

// The sheet parameter record: 56 bytes, stored raw after the CMyObj fields
// of the sheet object.
struct CSheetParams {
    double generalScale = 1.0;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    std::int32_t unitX = 50;
    std::int32_t unitY = 50;
    std::int32_t width = 0;
    std::int32_t height = 0;
    double labelsPerX = 2.0;
    double labelsPerY = 2.0;
    std::int32_t axesMode = 2;  // 0 none, 1 lines, 2 ticks and labels
    ColorRef axesColor = 0xC0C0C0;
    friend bool operator==(const CSheetParams&, const CSheetParams&) = default;
};

// Attribute kinds applied to selected shapes.
enum AttrKind {
    kAttrWidth = 0,
    kAttrRegion,
    kAttrContour,
    kAttrPenColor,
    kAttrBrushColor,
    kAttrPattern,
    kAttrAll
};

// The palette colour of a command id ID_COLOR_FIRST .. ID_COLOR_LAST.
ColorRef PaletteColor(int id);

// Standard document messages.
extern const char* const kMsgBadFormat;     // "Unexpected file format."
extern const char* const kMsgFailedOpen;    // "Failed to open document."
extern const char* const kMsgFailedSave;    // "Failed to save document."
extern const char* const kMsgFileNotFound;  // "%1\nCannot find this file...."
extern const char* const kMsgSharing;       // "Unable to read from %1, ..."
extern const char* const kMsgDiskFull;      // "Destination disk drive is full."
extern const char* const kMsgSaveChanges;   // "Save changes of this document?"

class CGyrDoc {
public:
    // classes: what loading may create (every drawing class for the
    // program; the model's own for its tests).
    explicit CGyrDoc(const CClassTable& classes);
    ~CGyrDoc();
    CGyrDoc(const CGyrDoc&) = delete;
    CGyrDoc& operator=(const CGyrDoc&) = delete;

    // Catalogue. Adding, removing and announced changes are recorded into
    // the open undo step (see History()).
    void AddObject(CMyObj* obj);
    void RemoveObject(CMyObj* obj);
    // Announces, before it happens, that obj (in the catalogue) is about to
    // change in place; once per step is enough.
    void WillChange(CMyObj* obj) { m_history.NoteChanging(obj); }
    // The undo history; CUndoScope opens a step on it.
    CUndoHistory& History() { return m_history; }
    const CUndoHistory& History() const { return m_history; }
    // The catalogue place of obj, -1 when it is not there.
    int PlaceOf(const CMyObj* obj) const;
    // The history's own catalogue edits: the object at place is deleted (and
    // replaced), or obj inserted there. Nothing is recorded.
    void ReplaceAt(int place, CMyObj* fresh);
    void EraseAt(int place);
    void InsertAt(int place, CMyObj* obj);
    void InvalidateObject(const CMyObj* obj);
    void MakeFirst(CMyObj* obj);
    void MakeLast(CMyObj* obj);
    CWorldPoint GetSheetLeftTop() const;
    CWorldPoint GetSheetRightBottom() const;
    CObList& Objects() { return m_objects; }
    const CObList& Objects() const { return m_objects; }
    // Changes whenever an object joins, leaves or moves in the catalogue (a
    // snapshot of it, such as the view's paint index, is stale then).
    std::uint64_t CatalogueVersion() const { return m_catalogueVersion; }
    // The head object as the sheet (null while the catalogue is empty).
    CAxes* Sheet() const;
    void DeleteContents();

    // The gesture states of the views showing this document (non-owning);
    // CGestureState::SetDocument attaches and detaches.
    void AttachGestureState(CGestureState* state);
    void DetachGestureState(CGestureState* state);
    const std::vector<CGestureState*>& GestureStates() const { return m_states; }

    // Applies one attribute kind to the selected shapes of every state.
    void ApplyToSelection(AttrKind kind);
    // Applies one text attribute kind to the selected text boxes.
    void ApplyTextToSelection(int textKind);

    const CClassTable& Classes() const { return m_classes; }

    // Serialisation of the catalogue.
    void Serialize(CArchive& ar);
    // Bytes of the whole document.
    std::vector<std::uint8_t> SaveToBytes();
    // Replaces the catalogue by the document in the bytes. Throws
    // CArchiveException; on failure the catalogue is left empty.
    void LoadFromBytes(const std::uint8_t* data, std::size_t size);

    // A fresh document: the sheet object alone.
    void OnNewDocument();
    // Reads a document file; failures are told through the host. False when
    // the document could not be opened (the document is then either as it
    // was or fresh, as the failure rules say).
    bool OnOpenDocument(const std::string& path);
    bool OnSaveDocument(const std::string& path);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool on = true) { m_bModified = on; }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }
    // "Untitled" or the file name without its folder.
    std::string GetTitle() const;

    // The sheet record applied to the sheet object and the mapping.
    void ApplySheetParams();

    CTextAttr m_textAttr;
    // The colour chosen for each target: navy contours, no fill, maroon
    // text, light grey axes.
    std::array<int, 4> m_colorButton{ID_COLOR_FIRST + 12, ID_COLOR_NONE, ID_COLOR_FIRST + 4,
                                     ID_COLOR_FIRST + 3};
    int m_styleButton = ID_STYLE_SOLID;
    int m_widthButton = ID_WIDTH_1 + 1;
    CDrawAttr m_drawAttr;
    CSheetParams m_sheetParams;
    int m_bFirstNew = 1;
    int m_justifyButton = ID_JUSTIFY_LEFT;
    int m_colorTarget = ID_TARGET_CONTOUR;
    // Sheet settings that are not saved in files.
    int m_specialOrigin = 0;  // -1 none, 0 middle, 1 left-bottom, 2 left-middle, 3 bottom-middle
    int m_expansion = 2;      // 0 both, 1 sheet only, 2 units only
    bool m_bDefaultPageSize = true;

private:
    void ForgetEverywhere(const CMyObj* obj);

    const CClassTable& m_classes;
    CObList m_objects;
    std::vector<CGestureState*> m_states;
    bool m_bModified = false;
    std::string m_strPathName;
    std::uint64_t m_catalogueVersion = 0;
    CUndoHistory m_history{*this};
};

// Writes bytes to path atomically: a hidden temporary file beside it
// (TemporaryFilePrefix and six random characters), every write and the close
// checked, synced, renamed over the target, then the folder synced so that
// the rename survives a power loss. Temporaries of the same target left by
// a save that was killed are removed first. False (and the old file
// untouched) on any failure; diskFull tells whether it was a full disk.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         bool* diskFull = nullptr);
// ".NAME.saving-" for a target NAME.
std::string TemporaryFilePrefix(const std::string& path);
// Reads a whole file. False when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace gyr
