#pragma once
// A document on an 800 x 600 sheet (world (-8, 6) .. (8, -6), 50 pixels per
// unit, hit tolerance 0.08), a gesture state on it, and a gesture driver that
// presses, moves and releases as the view's drawing mode does.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "figures/class_registry.h"
#include "model/archive.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {

// Keeps what a recording locus script would be handed.
class StepLog : public CGestureRecorder {
public:
    struct Step {
        char kind;  // 'p'oint, 's'egment, 'c'ircle
        int codeOrOrigin;
        CWorldPoint at;
    };
    void RecordPoint(const CMyObj& point, PointOrigin origin, const CMyObj*,
                     const CMyObj*) override {
        steps.push_back({'p', int(origin), point.GetHandle(0)});
    }
    void RecordSegment(const CMyObj& segment, int code) override {
        steps.push_back({'s', code, segment.GetHandle(0)});
    }
    void RecordCircle(const CMyObj& circle, int code) override {
        steps.push_back({'c', code, circle.GetHandle(0)});
    }
    std::vector<Step> steps;
};

class FigureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        doc.OnNewDocument();
        CSheetParams p;
        p.originX = 400;
        p.originY = 300;
        p.width = 800;
        p.height = 600;
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
        state.SetDocument(&doc);
        host.Clear();
    }

    // A figure's drawing operation.
    using DrawOperation = CMyObj* (*)(CGestureState&, unsigned, const CWorldPoint&);

    void UseTool(int kind, int code) {
        state.m_nToolKind = kind;
        state.m_nToolCode = code;
        state.m_nStage = 0;
    }

    // The drawing-mode button-down: the returned object joins the document
    // and the gesture.
    CMyObj* Press(DrawOperation op, const CWorldPoint& p, unsigned flags = 0) {
        state.DeselectAll();
        state.m_gesture.clear();
        CMyObj* obj = op(state, flags, p);
        if (obj) {
            doc.AddObject(obj);
            state.m_gesture.push_back(obj);
        }
        return obj;
    }

    void Move(const CWorldPoint& p, unsigned flags = 0) {
        for (CMyObj* obj : CObList(state.m_gesture)) {
            obj->TrackLastVertex(state, p, flags, state.m_nToolCode);
            obj->RecalcBounds();
        }
    }

    // Degenerate results go; the rest are tracked once more and ended.
    void Release(const CWorldPoint& p, unsigned flags = 0) {
        for (CMyObj* obj : CObList(state.m_gesture))
            if (obj->IsDegenerate()) doc.RemoveObject(obj);
        CObList rest = state.m_gesture;
        for (CMyObj* obj : rest) obj->Track(state, p, flags);
        for (CMyObj* obj : rest) obj->EndTrack(state, flags, p);
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
        CArchive in(bytes.data(), bytes.size(), doc.Classes(), &doc);
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
    CGyrDoc doc{DrawingClasses()};
    CGestureState state;
};

}  // namespace gyr::testing
