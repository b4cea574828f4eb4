// Save and load of large documents. The load floor is what no loader can beat:
// reading the same file's bytes and decoding its doubles in a plain loop.

#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "figures/class_registry.h"
#include "model/document.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

constexpr int kSegments = 100000;
constexpr int kCurvePoints = 1000000;

ScriptedHost& Host() {
    static ScriptedHost host;
    return host;
}

std::string TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/gyr_bench_" + name + ".gyr";
}

// A document written once per process and kept on disk for the load runs.
struct Fixture {
    CGyrDoc doc{DrawingClasses()};
    std::string path;
    std::size_t fileSize = 0;
};

Fixture& Segments() {
    static Fixture* f = [] {
        Host();
        auto* fx = new Fixture;
        fx->doc.OnNewDocument();
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> u(-7.0, 7.0);
        for (int i = 0; i < kSegments; ++i) {
            auto* s = new CShapeObj(2);
            s->SetDocument(&fx->doc);
            s->m_points[0] = {u(rng), u(rng)};
            s->m_points[1] = {u(rng), u(rng)};
            s->RecalcBounds();
            fx->doc.AddObject(s);
        }
        fx->path = TempPath("segments");
        auto bytes = fx->doc.SaveToBytes();
        fx->fileSize = bytes.size();
        if (!WriteFileAtomically(fx->path, bytes)) throw std::runtime_error("cannot write");
        return fx;
    }();
    return *f;
}

Fixture& Curve() {
    static Fixture* f = [] {
        Host();
        auto* fx = new Fixture;
        fx->doc.OnNewDocument();
        auto* s = new CShapeObj(kCurvePoints);
        s->SetDocument(&fx->doc);
        for (int i = 0; i < kCurvePoints; ++i) {
            double t = i * 1e-5;
            s->m_points[std::size_t(i)] = {t - 5.0, std::sin(t * 3.0) * 4.0};
        }
        s->RecalcBounds();
        fx->doc.AddObject(s);
        fx->path = TempPath("curve");
        auto bytes = fx->doc.SaveToBytes();
        fx->fileSize = bytes.size();
        if (!WriteFileAtomically(fx->path, bytes)) throw std::runtime_error("cannot write");
        return fx;
    }();
    return *f;
}

// The floor: walks the catalogue's records and decodes every double (box
// corners and vertices) with a bounds check, nothing else.
struct Reader {
    const std::uint8_t* p;
    const std::uint8_t* end;
    void Need(std::size_t n) const {
        if (std::size_t(end - p) < n) throw std::runtime_error("short");
    }
    std::uint16_t U16() {
        Need(2);
        std::uint16_t v = std::uint16_t(p[0] | (p[1] << 8));
        p += 2;
        return v;
    }
    std::uint32_t U32() {
        Need(4);
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        p += 4;
        return v;
    }
    double F64() {
        Need(8);
        double v;
        std::memcpy(&v, p, 8);
        p += 8;
        return v;
    }
    void Skip(std::size_t n) {
        Need(n);
        p += n;
    }
    void ClassTag() {
        std::uint16_t w = U16();
        if (w == 0xFFFF) {
            U16();  // schema
            Skip(U16());
        } else if (w == 0x7FFF) {
            U32();
        }
    }
};

double DecodeFloor(const std::vector<std::uint8_t>& bytes) {
    Reader r{bytes.data(), bytes.data() + bytes.size()};
    std::uint32_t count = r.U16();
    if (count == 0xFFFF) count = r.U32();
    double sum = 0;
    r.ClassTag();  // the sheet: corners, flag, 56-byte record
    for (int i = 0; i < 4; ++i) sum += r.F64();
    r.Skip(2 + 56);
    for (std::uint32_t k = 1; k < count; ++k) {
        r.ClassTag();
        for (int i = 0; i < 4; ++i) sum += r.F64();
        r.Skip(2 + 2 + 16 + 2 + 12);
        std::uint32_t n = r.U32();
        r.Need(std::size_t(n) * 16);
        for (std::uint32_t i = 0; i < 2 * n; ++i) sum += r.F64();
    }
    return sum;
}

void Save(benchmark::State& state, Fixture& fx) {
    for (auto _ : state) {
        auto bytes = fx.doc.SaveToBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fx.fileSize));
}

void Load(benchmark::State& state, Fixture& fx) {
    CGyrDoc doc{DrawingClasses()};
    for (auto _ : state) {
        state.PauseTiming();
        doc.DeleteContents();
        state.ResumeTiming();
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(fx.path, bytes)) state.SkipWithError("cannot read");
        doc.LoadFromBytes(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(doc.Objects().data());
    }
    doc.DeleteContents();  // the timing has stopped
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fx.fileSize));
}

void LoadFloor(benchmark::State& state, Fixture& fx) {
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(fx.path, bytes)) state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(DecodeFloor(bytes));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fx.fileSize));
}

void BM_Save100kSegments(benchmark::State& s) {
    Save(s, Segments());
}
void BM_Load100kSegments(benchmark::State& s) {
    Load(s, Segments());
}
void BM_LoadFloor100kSegments(benchmark::State& s) {
    LoadFloor(s, Segments());
}
void BM_Save1MPointShape(benchmark::State& s) {
    Save(s, Curve());
}
void BM_Load1MPointShape(benchmark::State& s) {
    Load(s, Curve());
}
void BM_LoadFloor1MPointShape(benchmark::State& s) {
    LoadFloor(s, Curve());
}

BENCHMARK(BM_Save100kSegments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load100kSegments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFloor100kSegments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save1MPointShape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load1MPointShape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFloor1MPointShape)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gyr

int main(int argc, char** argv) {
    int rc = gyr::bench::RunWithRatios(
        argc, argv, {{"load_100k_segments", "BM_Load100kSegments", "BM_LoadFloor100kSegments", 3}});
    std::remove(gyr::TempPath("segments").c_str());
    std::remove(gyr::TempPath("curve").c_str());
    return rc;
}
