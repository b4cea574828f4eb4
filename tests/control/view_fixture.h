#pragma once
// A document on an 800 x 600 sheet (origin (400, 300), 50 pixels per unit:
// world (x, y) is pixel (400 + 50x, 300 - 50y)), its view, and helpers that drive the controller
// with press / move / release.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/gyr_view.h"
#include "figures/class_registry.h"
#include "figures/segment_obj.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/program_state.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {

// A window that records what the controller asks of it.
class RecordingWindow : public CViewWindow {
public:
    void SetStatusCoords(const std::string& x, const std::string& y) override {
        statusX = x;
        statusY = y;
    }
    PixelRect ClientRect() const override { return client; }
    void ScrollLines(int dx, int dy) override { scrolls.push_back({dx, dy}); }
    void SetMouseCapture(bool on) override { captured = on; }

    std::string statusX, statusY;
    PixelRect client;
    std::vector<PixelPoint> scrolls;
    bool captured = false;
};

// Three-vertex figures with the type answers the picks look for.
class TestTriangle : public CShapeObj {
public:
    TestTriangle() : CShapeObj(3) {}
    bool IsTriangle() const override { return true; }
};

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        doc.OnNewDocument();
        doc.m_sheetParams = {.originX = 400, .originY = 300, .width = 800, .height = 600};
        doc.ApplySheetParams();
        view.SetWindow(&window);
        doc.SetModifiedFlag(false);
        host.Clear();
    }
    static PixelPoint Px(double x, double y) { return WorldToPixel({x, y}); }

    // A closed two-vertex shape: hit like a segment, but no segment.
    CShapeObj* AddShape2(CWorldPoint a, CWorldPoint b) {
        auto* s = new CShapeObj(2);
        s->m_points = {a, b};
        return Add(s);
    }
    CSegmentObj* AddSegment(CWorldPoint a, CWorldPoint b) { return Add(new CSegmentObj(a, b)); }
    TestTriangle* AddTriangle(CWorldPoint a, CWorldPoint b, CWorldPoint c) {
        auto* t = new TestTriangle;
        t->m_points = {a, b, c};
        return Add(t);
    }
    template <class T>
    T* Add(T* obj) {
        obj->SetDocument(&doc);
        obj->RecalcBounds();
        obj->m_bSelected = 0;
        doc.AddObject(obj);
        return obj;
    }

    void Press(PixelPoint p, unsigned flags = 0) { view.OnLButtonDown(flags | kMkLButton, p); }
    void Move(PixelPoint p, unsigned flags = 0) { view.OnMouseMove(flags | kMkLButton, p); }
    void Release(PixelPoint p, unsigned flags = 0) { view.OnLButtonUp(flags, p); }
    void Click(PixelPoint p, unsigned flags = 0) {
        Press(p, flags);
        Release(p, flags);
    }
    void Drag(PixelPoint from, PixelPoint to, unsigned flags = 0) {
        Press(from, flags);
        Move({(from.x + to.x) / 2, (from.y + to.y) / 2}, flags);
        Move(to, flags);
        Release(to, flags);
    }

    // Union of everything invalidated since the last Clear.
    PixelRect Invalidated() const {
        PixelRect r;
        for (const PixelRect& i : host.invalidated) r = r.United(i);
        return r;
    }

    ScriptedHost host;
    CGyrDoc doc{DrawingClasses()};
    CGyrView view{&doc};
    CGestureState& state = view.State();
    RecordingWindow window;
};

}  // namespace gyr::testing
