#pragma once
// The one document: the catalogue of every figure (head: the sheet object),
// the current drawing and text attributes with their tool-bar states, the
// attribute commands and the file commands.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/obj_list.h"
#include "port/canvas.h"

namespace gyr {

class CAxes;
class CGyrView;
class Host;

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

// Command ids of the attribute tool bars.
enum DocCommand : int {
    ID_WIDTH_1 = 32721,  // .. 32726
    ID_WIDTH_6 = 32726,
    ID_WIDTH_USER = 32730,
    ID_STYLE_SOLID = 32741,  // .. 32745
    ID_STYLE_DASHDOTDOT = 32745,
    ID_COLOR_FIRST = 32792,  // .. 32807
    ID_COLOR_LAST = 32807,
    ID_COLOR_NONE = 32808,
    ID_TARGET_CONTOUR = 32920,
    ID_TARGET_REGION = 32921,
    ID_TARGET_TEXT = 32922,
    ID_TARGET_AXES = 32923,
    ID_TEXT_BOLD = 399,
    ID_TEXT_ITALIC = 400,
    ID_TEXT_UNDERLINE = 401,
    ID_TEXT_STRIKEOUT = 402,
    ID_JUSTIFY_LEFT = 403,
    ID_JUSTIFY_CENTER = 404,
    ID_JUSTIFY_RIGHT = 405,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_DRAWING_PARAMS = 32782,
    ID_DRAWING_SHEET = 32783,
    ID_POINT_MARK = 32785,
    ID_MAKE_FIRST = 32881,
    ID_MAKE_LAST = 32882,
};

// The palette colour of a command id 32792..32807.
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
    CGyrDoc();
    ~CGyrDoc();
    CGyrDoc(const CGyrDoc&) = delete;
    CGyrDoc& operator=(const CGyrDoc&) = delete;

    // Catalogue.
    void AddObject(CMyObj* obj);
    void RemoveObject(CMyObj* obj);
    void InvalidateObject(const CMyObj* obj);
    void MakeFirst(CMyObj* obj);
    void MakeLast(CMyObj* obj);
    CWorldPoint GetSheetLeftTop() const;
    CWorldPoint GetSheetRightBottom() const;
    CObList& Objects() { return m_objects; }
    const CObList& Objects() const { return m_objects; }
    // The head object as the sheet (null while the catalogue is empty).
    CAxes* Sheet() const;
    void DeleteContents();

    // Views showing this document (non-owning).
    void AddView(CGyrView* view);
    void RemoveView(CGyrView* view);
    const std::vector<CGyrView*>& Views() const { return m_views; }

    // Attribute commands. True when the id is one of them.
    bool OnCommand(int id);
    // Check state of an attribute tool-bar button.
    bool IsChecked(int id) const;
    // Applies one attribute kind to the selected shapes of every view.
    void ApplyToSelection(AttrKind kind);
    // Applies one text attribute kind to the selected text boxes (text boxes
    // register the hook when they exist).
    void ApplyTextToSelection(int textKind);

    // Serialisation of the catalogue.
    void Serialize(CArchive& ar);
    // Bytes of the whole document.
    std::vector<std::uint8_t> SaveToBytes();
    // Replaces the catalogue by the document in the bytes. Throws
    // CArchiveException; on failure the catalogue is left empty.
    void LoadFromBytes(const std::uint8_t* data, std::size_t size);

    // File commands.
    void OnNewDocument();
    // Open as a document file; the messages go through the host. False when
    // the document could not be opened (the document is then either as it was
    // or fresh, as the failure rules say).
    bool OnOpenDocument(const std::string& path);
    bool OnSaveDocument(const std::string& path);
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileOpen();
    // Asks to save a modified document; false when the user cancelled.
    bool SaveModified();

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool on = true) { m_bModified = on; }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }
    // "Untitled" or the file name without its folder.
    std::string GetTitle() const;

    // The sheet record applied to the sheet object and the mapping.
    void ApplySheetParams();

    // Hooks set by the layers above (picture export, text editing, recent files).
    struct Hooks {
        void (*endTextEdit)(CGyrDoc&) = nullptr;
        bool (*exportBitmap)(CGyrDoc&, const std::string& path) = nullptr;
        bool (*exportMetafile)(CGyrDoc&, const std::string& path) = nullptr;
        bool (*importBitmap)(CGyrDoc&, const std::string& path) = nullptr;
        bool (*importMetafile)(CGyrDoc&, const std::string& path) = nullptr;
        void (*addRecentFile)(const std::string& path) = nullptr;
        void (*applyText)(CGyrDoc&, int textKind) = nullptr;
    };
    static Hooks& GetHooks();

    CTextAttr m_textAttr;
    std::array<int, 4> m_colorButton{32804, 32808, 32796, 32795};
    int m_styleButton = 32741;
    int m_widthButton = 32722;
    CDrawAttr m_drawAttr;
    CSheetParams m_sheetParams;
    int m_bFirstNew = 1;
    int m_justifyButton = 403;
    int m_colorTarget = 32920;
    // Sheet settings that are not saved in files.
    int m_specialOrigin = 0;  // -1 none, 0 middle, 1 left-bottom, 2 left-middle, 3 bottom-middle
    int m_expansion = 2;      // 0 both, 1 sheet only, 2 units only
    bool m_bDefaultPageSize = true;

private:
    void WidthCommand(int id);
    void PatternCommand(int id);
    void RunPalette(int id);
    void EndTextEdit();

    CObList m_objects;
    std::vector<CGyrView*> m_views;
    bool m_bModified = false;
    std::string m_strPathName;
};

// Writes bytes to path atomically: a temporary file beside it, flushed, then
// renamed over it. False (and the old file untouched) on any failure;
// diskFull tells whether the failure was a full disk.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         bool* diskFull = nullptr);
// Reads a whole file. False when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace gyr
