#pragma once
// A document whose sheet is 800 x 600 pixels, origin (400, 300), 50 pixels
// per unit, labels every two units.

#include <gtest/gtest.h>

#include "model/axes.h"
#include "model/document.h"
#include "model/program_state.h"
#include "model/runtime_class.h"
#include "port/scripted_host.h"

namespace gyr::testing {

inline CSheetParams Sheet800x600(double labelsX = 2.0, double labelsY = 2.0) {
    return {.originX = 400,
            .originY = 300,
            .width = 800,
            .height = 600,
            .labelsPerX = labelsX,
            .labelsPerY = labelsY};
}

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        doc.OnNewDocument();
        Use(Sheet800x600());
    }
    void Use(const CSheetParams& p) {
        doc.m_sheetParams = p;
        doc.ApplySheetParams();
        doc.SetModifiedFlag(false);
        host.Clear();
    }
    CAxes& Axes() { return *doc.Sheet(); }

    ScriptedHost host;
    CGyrDoc doc{ModelClasses()};
};

}  // namespace gyr::testing
