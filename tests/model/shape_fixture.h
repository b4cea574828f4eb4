#pragma once
// Bare shapes against an 800 x 600 mapping (origin (400, 300), 50 pixels per
// unit, hit tolerance 0.08), with no sheet object in the document: for the
// object model and the list operations.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "model/runtime_class.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {

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
        state.SetDocument(&doc);
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
    CGyrDoc doc{ModelClasses()};
    CGestureState state;
    std::vector<std::unique_ptr<CMyObj>> owned;
};

}  // namespace gyr::testing
