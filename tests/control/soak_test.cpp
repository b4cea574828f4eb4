// A soak of the controller: a seeded random stream of presses, moves and
// releases with modifiers, double clicks, keys, and commands of the command
// table (dialogs answered with random valid and invalid values) on a
// document of a few hundred figures. After every event the catalogue must be
// sound; at intervals the document must save and reload to the same bytes.
//
// GYR_SOAK_EVENTS sets the number of events (make soak runs 100,000),
// GYR_SOAK_SEED the seed; a failure names both and the last events.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <unordered_set>

#include "control/command_table.h"
#include "control/view_fixture.h"
#include "model/axes.h"
#include "model/document.h"
#include "port/dialog_model.h"

namespace gyr::testing {
namespace {

// Enough to reach every command and dialog many times within the sanitized
// test run's budget; make soak asks for the full count.
constexpr long kDefaultEvents = 3'000;
constexpr int kSeedFigures = 200;
constexpr int kSaveInterval = 500;
// Duplicating a large selection doubles the catalogue; past this size the
// soak deletes figures (as a user would) to keep each event cheap.
constexpr std::size_t kMaxObjects = 400;

long EnvNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

bool Finite(const CWorldPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

class SoakTest : public ViewTest {
protected:
    std::mt19937 rng;
    std::deque<std::string> recent;  // the last events, for a failure report
    std::vector<const CommandEntry*> tools, commands;

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

    void Log(std::string event) {
        recent.push_back(std::move(event));
        if (recent.size() > 24) recent.pop_front();
    }

    // Anywhere on the sheet and a little beyond, or on a vertex of a figure
    // (where picks, handles and snapping happen).
    PixelPoint RandomPoint() {
        const auto& objects = doc.Objects();
        if (objects.size() > 1 && Chance(0.4)) {
            CMyObj* obj = objects[std::size_t(Uniform(1, int(objects.size()) - 1))];
            const int n = obj->GetVertexCount();
            if (n > 0 && obj->GetVertices()) {
                // Vertices far off the sheet saturate the mapping: none of those.
                const PixelPoint p = WorldToPixel(obj->GetVertices()[Uniform(0, n - 1)]);
                constexpr int kFar = 1 << 20;
                if (p.x > -kFar && p.x < kFar && p.y > -kFar && p.y < kFar)
                    return {p.x + Uniform(-3, 3), p.y + Uniform(-3, 3)};
            }
        }
        const CSheetMapping& m = Mapping();
        return {Uniform(-20, m.sheetWidth + 20), Uniform(-20, m.sheetHeight + 20)};
    }

    unsigned RandomFlags() {
        return (Chance(0.2) ? kMkShift : 0u) | (Chance(0.15) ? kMkControl : 0u);
    }

    // A dialog script: random fields get values inside their range, outside
    // it, or no number at all; check boxes flip; then OK or Cancel.
    void QueueDialogAnswers() {
        host.dialogScripts.clear();
        for (int i = 0; i < 3; ++i) {
            const unsigned seed = unsigned(rng());
            host.dialogScripts.push_back([seed](DialogModel& model) {
                std::mt19937 r(seed);
                auto chance = [&](double p) {
                    return std::uniform_real_distribution<>(0, 1)(r) < p;
                };
                for (DialogField& f : model.Fields()) {
                    if (!chance(0.5)) continue;
                    switch (f.kind) {
                        case FieldKind::Int:
                        case FieldKind::Double: {
                            static const char* const kBad[] = {
                                "",    "abc",         "1e999", "-1e999", "nan",
                                "inf", "99999999999", "-0",    "1,5"};
                            if (chance(0.7) && f.ranged && f.max >= f.min) {
                                double v = std::uniform_real_distribution<>(f.min, f.max)(r);
                                model.Type(f.id, f.kind == FieldKind::Int
                                                     ? std::to_string((long long)v)
                                                     : DialogModel::FormatDouble(v));
                            } else if (chance(0.5)) {
                                model.Type(f.id,
                                           DialogModel::FormatDouble(
                                               std::uniform_real_distribution<>(-1e6, 1e6)(r)));
                            } else {
                                model.Type(f.id, kBad[r() % std::size(kBad)]);
                            }
                            break;
                        }
                        case FieldKind::Text:
                            model.Type(f.id, chance(0.5) ? "x" : "sin(x)*2");
                            break;
                        case FieldKind::Check:
                        case FieldKind::Radio:
                            model.Check(f.id, chance(0.5));
                            break;
                        case FieldKind::Button:
                            if (chance(0.2)) model.Press(f.id, chance(0.3));
                            break;
                        case FieldKind::Label:
                        case FieldKind::List:
                        case FieldKind::Spin:
                            break;
                    }
                }
                return chance(0.8);
            });
        }
    }

    void RunCommand(const CommandEntry& cmd, bool shift) {
        QueueDialogAnswers();
        if (shift) host.keysDown.insert(kKeyShift);
        view.OnCommand(cmd.id);
        host.keysDown.clear();
    }

    // The seed document: figures drawn with random tools, as a user would.
    // Many tools pick before they draw, so it takes more gestures than
    // figures.
    void DrawSeedFigures() {
        for (int i = 0; doc.Objects().size() <= std::size_t(kSeedFigures) && i < 10 * kSeedFigures;
             ++i) {
            const CommandEntry& tool = *tools[std::size_t(Uniform(0, int(tools.size()) - 1))];
            RunCommand(tool, false);
            PixelPoint a = RandomPoint(), b = RandomPoint();
            Press(a);
            Move(b);
            Release(b);
            CheckInvariants("seed figure");
        }
    }

    void OneEvent() {
        std::ostringstream what;
        if (view.m_bMouseDown) {
            const PixelPoint p = RandomPoint();
            const unsigned flags = RandomFlags();
            if (Chance(0.6)) {
                what << "move " << p.x << "," << p.y << " flags " << flags;
                Move(p, flags);
            } else {
                what << "release " << p.x << "," << p.y << " flags " << flags;
                Release(p, flags);
            }
        } else {
            const int kind = Uniform(0, 99);
            if (kind < 35) {
                const PixelPoint p = RandomPoint();
                const unsigned flags = RandomFlags();
                what << "press " << p.x << "," << p.y << " flags " << flags;
                Press(p, flags);
            } else if (kind < 45) {
                const PixelPoint p = RandomPoint();
                what << "hover " << p.x << "," << p.y;
                view.OnMouseMove(0, p);
            } else if (kind < 50) {
                const PixelPoint p = RandomPoint();
                const unsigned flags = RandomFlags();
                what << "double click " << p.x << "," << p.y;
                view.OnLButtonDblClk(flags, p);
            } else if (kind < 70) {
                static const int kKeys[] = {kKeyBack, kKeyTab,   kKeyReturn, kKeyEscape, kKeyLeft,
                                            kKeyUp,   kKeyRight, kKeyDown,   kKeyDelete, kKeyF8,
                                            kKeyF9,   kKeyF11,   kKeyF12,    '3',        '5',
                                            '9',      'A',       kKeyF1};
                const int key = kKeys[Uniform(0, int(std::size(kKeys)) - 1)];
                const unsigned flags = RandomFlags();
                what << "key " << key << " flags " << flags;
                view.OnKeyDown(key, flags, Chance(0.1) ? 3 : 1);
            } else if (kind < 78) {
                // The edit commands: the history and the clipboard.
                static const int kEdits[] = {ID_EDIT_UNDO, ID_EDIT_UNDO,       ID_EDIT_REDO,
                                             ID_EDIT_COPY, ID_EDIT_PASTE,      ID_EDIT_CUT,
                                             ID_EDIT_UNDO, ID_EDIT_SELECT_ALL, ID_EDIT_REDO};
                const int id = kEdits[Uniform(0, int(std::size(kEdits)) - 1)];
                what << "edit " << id;
                view.OnCommand(id);
            } else {
                const auto& pool = Chance(0.4) ? tools : commands;
                const CommandEntry& cmd = *pool[std::size_t(Uniform(0, int(pool.size()) - 1))];
                const bool shift = Chance(0.2);
                what << "command " << cmd.id << " (" << cmd.name << ")" << (shift ? " shift" : "");
                RunCommand(cmd, shift);
            }
        }
        Log(what.str());
    }

    void TrimCatalogue() {
        if (doc.Objects().size() <= kMaxObjects) return;
        while (doc.Objects().size() > kMaxObjects / 2)
            doc.RemoveObject(doc.Objects()[std::size_t(Uniform(1, int(doc.Objects().size()) - 1))]);
        Log("trimmed the catalogue");
    }

    std::string Trace(const std::string& at) const {
        std::string s = "at " + at + "; last events:\n";
        for (const std::string& e : recent) s += "  " + e + "\n";
        return s;
    }

    // The sheet object heads the catalogue; the selection, the gesture list
    // and every pick belong to it; every object's corners are finite.
    void CheckInvariants(const std::string& at) {
        const CObList& objects = doc.Objects();
        ASSERT_FALSE(objects.empty()) << Trace(at);
        ASSERT_TRUE(objects.front()->IsKindOf(&CAxes::kClass)) << Trace(at);
        std::unordered_set<const CMyObj*> inCatalogue(objects.begin(), objects.end());
        ASSERT_EQ(inCatalogue.size(), objects.size()) << "an object twice " << Trace(at);
        for (std::size_t i = 1; i < objects.size(); ++i) {
            ASSERT_FALSE(objects[i]->IsKindOf(&CAxes::kClass)) << "a second sheet " << Trace(at);
            ASSERT_TRUE(Finite(objects[i]->m_leftTop) && Finite(objects[i]->m_rightBottom))
                << objects[i]->GetRuntimeClass()->m_lpszClassName << " " << Trace(at);
        }
        for (const CMyObj* obj : state.m_selection)
            ASSERT_TRUE(inCatalogue.count(obj)) << "selection " << Trace(at);
        for (const CMyObj* obj : state.m_gesture)
            ASSERT_TRUE(inCatalogue.count(obj)) << "gesture list " << Trace(at);
        for (const CMyObj* pick : {state.m_pPicked, state.m_pFirstPicked, state.m_pSecondPicked})
            ASSERT_TRUE(!pick || inCatalogue.count(pick)) << "pick " << Trace(at);
    }

    void CheckSaveAndReload(const std::string& at) {
        const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
        {
            CGyrDoc back{DrawingClasses()};
            back.LoadFromBytes(bytes.data(), bytes.size());
            ASSERT_EQ(back.SaveToBytes(), bytes) << Trace(at);
        }
        doc.Sheet()->Update();  // the mapping is the shown document's again
    }
};

TEST_F(SoakTest, RandomEventsKeepTheCatalogueSoundAndSavable) {
    const long events = EnvNumber("GYR_SOAK_EVENTS", kDefaultEvents);
    const unsigned seed = unsigned(EnvNumber("GYR_SOAK_SEED", 20261206));
    rng.seed(seed);
    SCOPED_TRACE("GYR_SOAK_SEED=" + std::to_string(seed));
    for (const CommandEntry& cmd : CommandTable()) {
        if (!IsCommandAvailable(cmd)) continue;
        ((cmd.flags & kCmdTool) ? tools : commands).push_back(&cmd);
    }
    ASSERT_FALSE(tools.empty());
    ASSERT_FALSE(commands.empty());
    view.OnInitialUpdate();
    ASSERT_NO_FATAL_FAILURE(DrawSeedFigures());
    ASSERT_GT(doc.Objects().size(), std::size_t(kSeedFigures));

    for (long i = 0; i < events; ++i) {
        OneEvent();
        const std::string at = "event " + std::to_string(i);
        ASSERT_NO_FATAL_FAILURE(CheckInvariants(at));
        host.invalidated.clear();
        host.messages.clear();
        if (!view.m_bMouseDown) TrimCatalogue();
        if (i % kSaveInterval == kSaveInterval - 1) {
            ASSERT_NO_FATAL_FAILURE(CheckSaveAndReload(at));
        }
    }
    std::printf("soak: %ld events, %zu dialogs shown, %zu objects at the end\n", events,
                host.dialogTitles.size(), doc.Objects().size());
}

}  // namespace
}  // namespace gyr::testing
