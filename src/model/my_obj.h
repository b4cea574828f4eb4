#pragma once
// The base of every item on the sheet: owning document, world bounding box,
// selection flag, and the fixed table of virtual operations through which the
// document, the view and the constructions treat every object alike.

#include <cstdint>
#include <string>
#include <vector>

#include "math/world_point.h"
#include "model/cobject.h"
#include "model/field_exchange.h"
#include "model/object_pool.h"
#include "model/runtime_class.h"
#include "port/canvas.h"

namespace gyr {

class CArchive;
class CGestureState;
class CGyrDoc;
struct CTextAttr;

// Mouse key flags (platform numbering).
enum KeyFlags : unsigned {
    kMkLButton = 0x0001,
    kMkRButton = 0x0002,
    kMkShift = 0x0004,
    kMkControl = 0x0008,
};

// One line of the object-data list.
using DataLines = std::vector<std::string>;

// How a finished construction result is repainted: not at all, by a repaint
// request of its area, or at once (which on this platform is also a repaint
// request of the same area).
enum class Redraw { None = 0, Invalidate = 1, Now = 2 };

// What Finish does with a new object.
struct CFinish {
    bool recalc = true;  // RecalcBounds first
    bool add = true;     // append to the gesture's document
    Redraw redraw = Redraw::Invalidate;
    bool collect = false;  // join the gesture list, moving with the pointer
};

// The isoptic variants, which the pick rules tell apart.
enum class IsopticVariant { None, One, Two, Singular, Conic };

class CMyObj : public CObject {
public:
    static const CRuntimeClass kClass;
    static CObject* CreateInstance();

#if GYR_POOL_OBJECTS
    // Every drawing object, of whatever class, comes from the object pool;
    // the virtual destructor hands the right size back.
    static void* operator new(std::size_t size) {
        return PoolAllocate(size);
    }
    static void operator delete(void* p, std::size_t size) noexcept {
        PoolFree(p, size);
    }
#endif

    CMyObj() = default;
    CMyObj(const CMyObj&) = default;
    CMyObj& operator=(const CMyObj&) = default;

    // Slot order as the rest of the program expects it.
    const CRuntimeClass* GetRuntimeClass() const override {
        return &kClass;
    }
    ~CMyObj() override = default;
    virtual CMyObj* CreateEmpty() const;
    virtual CMyObj* Clone() const;
    virtual void AddToDocument();
    // Gives the object the gesture's document, then does what how says.
    virtual void Finish(CGestureState& state, const CFinish& how);
    virtual PixelRect GetPixelBounds() const;
    virtual PixelRect GetInvalidRect() const;
    virtual CWorldPoint GetHandle(int n) const;
    virtual const CWorldPoint* GetVertices() const {
        return nullptr;
    }
    virtual int GetVertexCount() const {
        return 0;
    }
    virtual void SetVertex(int n, const CWorldPoint& p);
    virtual void SetDocument(CGyrDoc* doc) {
        m_pDocument = doc;
    }
    virtual bool IsArc() const {
        return false;
    }
    virtual bool IsClosed() const {
        return false;
    }
    virtual bool IsShape() const {
        return false;
    }
    virtual bool IsCurve() const {
        return false;
    }
    virtual IsopticVariant GetIsopticVariant() const {
        return IsopticVariant::None;
    }
    virtual bool IsDegenerateIsoptic() const {
        return false;
    }
    virtual bool IsCircle() const {
        return false;
    }
    virtual bool IsPoint() const {
        return false;
    }
    virtual bool IsLineOrCircle() const {
        return false;
    }
    virtual bool IsSegment() const {
        return false;
    }
    virtual bool IsLine() const {
        return false;
    }
    virtual bool IsAngle() const {
        return false;
    }
    virtual bool IsTriangle() const {
        return false;
    }
    virtual bool IsText() const {
        return false;
    }
    // Text boxes take one text attribute kind (0 size ... 8 all) of the
    // record; nothing else has text attributes.
    virtual void ApplyTextAttributes(int kind, const CTextAttr& attr) {
        (void)kind;
        (void)attr;
    }
    virtual int GetPictureKind() const {
        return 0;
    }
    virtual bool IsRect() const {
        return false;
    }
    virtual bool IsPolygon() const {
        return false;
    }
    virtual bool IsStraight() const {
        return false;
    }
    virtual int ListData(DataLines& lines) const;
    virtual CMyObj* SetDataValue(int index, double value, int step);
    virtual std::string GetLabel() const {
        return {};
    }
    virtual void RecalcBounds() {}
    virtual bool IsDegenerate() const {
        return true;
    }
    virtual PixelRect MoveHandle(int k, const CWorldPoint& p);
    // A handle dragged with the mouse; the tool in force may give the drag a
    // rule of its own. By default MoveHandle.
    virtual PixelRect DragHandle(CGestureState& state, int k, const CWorldPoint& p);
    virtual bool SnapToVertex(CWorldPoint& p) const;
    virtual void TrackLastVertex(CGestureState& state, const CWorldPoint& p, unsigned flags,
                                 int code);
    virtual void EndTrack(CGestureState& state, unsigned flags, const CWorldPoint& p);
    virtual PixelRect Track(CGestureState& state, const CWorldPoint& p, unsigned flags);
    virtual void Homothety(const CWorldPoint& c, double k);
    virtual void Rotate(const CWorldPoint& c, double angle);
    virtual void Reflect(const CWorldPoint& a, const CWorldPoint& b);
    virtual void Offset(const CWorldPoint& v);
    virtual CMyObj* Invert(const CWorldPoint& centre, double radius) const;
    // A copy offset by the key's duplicate offset, added and made the
    // selection.
    virtual CMyObj* DuplicateByKey(CGestureState& state, int key, int repeat);
    virtual CWorldPoint GetDuplicateOffset(int key) const;
    virtual void Draw(Canvas& dc) const;
    virtual void DrawMarks(Canvas& dc) const;
    virtual double DistanceTo(const CWorldPoint& p, int& edge) const;
    virtual int HitTest(const CWorldPoint& p) const;
    virtual double NearestVertex(const CWorldPoint& p, int& index) const;
    virtual CWorldPoint RandomPoint() const {
        return {};
    }

    // The persistent fields of this class, after its base's.
    void ExchangeFields(CFieldExchange& fx) override {
        ExchangeBaseFields(fx);
    }
    // The fields of this class alone; a template so that loaders holding the
    // concrete archive exchange read them without virtual calls.
    template <class Fx>
    void ExchangeBaseFields(Fx& fx) {
        fx.Point("leftTop", m_leftTop);
        fx.Point("rightBottom", m_rightBottom);
        fx.U16("selected", m_bSelected);
        if (fx.IsLoading()) m_pDocument = fx.Document();
    }

    CGyrDoc* m_pDocument = nullptr;
    CWorldPoint m_leftTop;
    CWorldPoint m_rightBottom;
    std::int32_t m_bSelected = 0;
    // Where the document last saw it in its catalogue; only a hint, checked
    // before use, so that finding an object's place rarely scans.
    mutable std::int32_t m_nPlaceHint = -1;
};

// Shows "Definition incorrect. ..." when obj is null, sets the gesture's
// stage to mode and returns true; otherwise returns false.
bool ReportBadDefinition(CGestureState& state, const CMyObj* obj, int mode);

extern const char* const kBadDefinitionMessage;

// Box figures (text boxes, pictures): the resize square at the bottom-right
// corner, in pixels.
inline constexpr int kBoxHandleSize = 8;
// 1 on the resize square of obj's pixel box, 0 inside, -1 outside.
int BoxHitTest(const CMyObj& obj, const CWorldPoint& p);
// The marks of a box: a not-xor frame and the inverted resize square when
// the box is at least that square each way.
void DrawBoxMarks(Canvas& dc, const PixelRect& box);
// Edits of a box's corners that leave it narrower than this are refused.
inline constexpr double kMinBoxDataExtent = 0.3;
// The object data of a box's corners: "Upper-left.x =  %f" … "Bottom-right.y".
void ListBoxCorners(const CMyObj& obj, DataLines& lines);
// Corner line 0..3 (left, top, right, bottom) set to value unless the box
// would get narrower than kMinBoxDataExtent; the change is repainted.
void SetBoxCorner(CMyObj& obj, int line, double value);

}  // namespace gyr
