#pragma once
// A document on an 800 x 600 sheet (world (-8, 6) .. (8, -6), 50 pixels per
// unit, hit tolerance 0.08), its view as the active one, and a gesture driver
// that presses, moves and releases as the view's drawing mode does.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/archive.h"
#include "model/document.h"
#include "model/program_state.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"
#include "model/axes.h"
#include "control/draw_operations.h"
#include "control/gyr_view.h"

namespace gyr::testing {

class FigureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        host.document = &doc;
        host.view = &view;
        doc.AddView(&view);
        doc.OnNewDocument();
        CSheetParams p;
        p.originX = 400;
        p.originY = 300;
        p.width = 800;
        p.height = 600;
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
        host.Clear();
    }

    void UseTool(int kind, int code) {
        view.m_nToolKind = kind;
        view.m_nToolCode = code;
        view.m_nStage = 0;
    }

    // The drawing-mode button-down: the returned object joins the document
    // and the gesture.
    CMyObj* Press(DrawOperation op, const CWorldPoint& p, unsigned flags = 0) {
        view.DeselectAll();
        view.m_gesture.clear();
        CMyObj* obj = op(view, flags, p);
        if (obj) {
            doc.AddObject(obj);
            view.m_gesture.push_back(obj);
        }
        return obj;
    }

    void Move(const CWorldPoint& p, unsigned flags = 0) {
        for (CMyObj* obj : CObList(view.m_gesture)) {
            obj->TrackLastVertex(&view, p, flags, view.m_nToolCode);
            obj->RecalcBounds();
        }
    }

    // Degenerate results go; the rest are tracked once more and ended.
    void Release(const CWorldPoint& p, unsigned flags = 0) {
        for (CMyObj* obj : CObList(view.m_gesture))
            if (obj->IsDegenerate()) doc.RemoveObject(obj);
        CObList rest = view.m_gesture;
        for (CMyObj* obj : rest) obj->Track(&view, p, flags);
        for (CMyObj* obj : rest) obj->EndTrack(&view, flags, p);
    }

    // Objects after the sheet.
    std::size_t Figures() const { return doc.Objects().size() - 1; }
    CMyObj* Last() const { return doc.Objects().back(); }

    // One object through the archive: written, read back, written again.
    template <class T>
    T* RoundTrip(const T& obj, std::vector<std::uint8_t>* first = nullptr,
                 std::vector<std::uint8_t>* second = nullptr) {
        CArchive out(&doc);
        out.WriteObject(&obj);
        std::vector<std::uint8_t> bytes = out.TakeBytes();
        CArchive in(bytes.data(), bytes.size(), &doc);
        CMyObj* loaded = in.ReadObject();
        if (first) *first = bytes;
        if (second && loaded) {
            CArchive again(&doc);
            again.WriteObject(loaded);
            *second = again.TakeBytes();
        }
        return static_cast<T*>(loaded);
    }

    ScriptedHost host;
    // The view outlives the document, which walks its views when it clears.
    CGyrView view{&doc};
    CGyrDoc doc;
};

// Bare shapes against the same mapping, with no sheet object in the
// document: for the object model and the list operations.
class ShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        CSheetMapping& m = Mapping();
        m.originX = 400;
        m.originY = 300;
        m.unitX = 50;
        m.unitY = 50;
        m.pixelTolerance = 4.0 / 50;
        host.document = &doc;
        host.view = &view;
        doc.AddView(&view);
    }

    static CShapeObj Shape(std::initializer_list<CWorldPoint> pts) {
        CShapeObj s(int(pts.size()));
        int i = 0;
        for (const CWorldPoint& p : pts) s.m_points[i++] = p;
        s.RecalcBounds();
        return s;
    }
    // Like Shape, but owned by the fixture and of any shape class.
    template <class T = CShapeObj>
    T* Make(std::initializer_list<CWorldPoint> pts) {
        auto obj = std::make_unique<T>(int(pts.size()));
        int i = 0;
        for (const CWorldPoint& p : pts) obj->m_points[i++] = p;
        obj->RecalcBounds();
        owned.push_back(std::move(obj));
        return static_cast<T*>(owned.back().get());
    }
    CMyObj* MakeBase() {
        owned.push_back(std::make_unique<CMyObj>());
        return owned.back().get();
    }

    ScriptedHost host;
    CGyrView view{&doc};
    CGyrDoc doc;
    std::vector<std::unique_ptr<CMyObj>> owned;
};

}  // namespace gyr::testing
