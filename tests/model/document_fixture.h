#pragma once
// A fresh document with a gesture state on it and a private temporary
// folder for the file tests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "model/runtime_class.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        state.SetDocument(&doc);
        doc.OnNewDocument();
        dir =
            std::filesystem::temp_directory_path() / ("gyr_doc_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    CShapeObj* AddSegment(CWorldPoint a, CWorldPoint b) {
        auto* s = new CShapeObj(2);
        s->SetDocument(&doc);
        s->m_points[0] = a;
        s->m_points[1] = b;
        s->RecalcBounds();
        doc.AddObject(s);
        return s;
    }

    std::string Path(const char* name) const { return (dir / name).string(); }

    ScriptedHost host;
    CGyrDoc doc{ModelClasses()};
    CGestureState state;
    std::filesystem::path dir;
};

}  // namespace gyr::testing
