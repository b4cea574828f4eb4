// gyrovant --run: PLAY or a locus of a script file into a new or given
// document, then saved, exported or dumped; script errors name their line
// and write nothing; usage errors exit 2.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli.h"
#include "app/json_document.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

namespace fs = std::filesystem;

class CliRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("gyr-run-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Script(const std::string& name, const std::string& text) {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    int Run(std::vector<std::string> args) {
        std::ostringstream o, e;
        bool handled = false;
        const int status = RunCommandLine(args, o, e, handled);
        out = o.str();
        err = e.str();
        return status;
    }
    // The objects of a dumped document by class.
    static std::vector<std::string> Classes(const std::string& json) {
        std::vector<std::string> classes;
        const Json doc = Json::parse(json);
        for (const auto& obj : doc["objects"]) classes.push_back(obj["class"]);
        return classes;
    }

    ScriptedHost m_host;
    fs::path m_dir;
    std::string out, err;
};

const char kCircleLocus[] =
    "L10 Circle Center (0, 0) (2, 0) ;\nL20 Point Variable L10 ;\nL30 Point (4, 0) ;\n"
    "L40 Line L20 L30 ;\nL50 Point Ratio L40 -1 ;\n";

TEST_F(CliRunTest, PlayLocusSaveAndDump) {
    const std::string script = Script("circle.txt", kCircleLocus);
    ASSERT_EQ(Run({"--run", script}), kExitOk) << err;
    EXPECT_EQ(Classes(out), (std::vector<std::string>{"CAxes", "CCircleObj", "CPointObj",
                                                      "CPointObj", "CSegmentObj", "CPointObj"}));
    // The seed decides the variable point; the same seed the same document.
    const std::string first = out;
    ASSERT_EQ(Run({"--run", script, "--seed", "1"}), kExitOk);
    EXPECT_EQ(out, first);
    ASSERT_EQ(Run({"--run", script, "--seed", "99"}), kExitOk);
    EXPECT_NE(out, first);

    ASSERT_EQ(Run({"--run", script, "--locus", "20", "--output", Path("locus.gyr")}), kExitOk)
        << err;
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(Run({"--dump", Path("locus.gyr")}), kExitOk);
    const std::vector<std::string> classes = Classes(out);
    ASSERT_EQ(classes.size(), 22u);
    EXPECT_EQ(classes[1], "CPointObj");
    EXPECT_EQ(classes.back(), "CompoObj");
    const Json dumped = Json::parse(out);
    const Json p5 = dumped["objects"][6]["points"][0];
    EXPECT_NEAR(p5[0].get<double>(), 1.9174206545, 1e-9);

    // Into an existing document, exported.
    ASSERT_EQ(Run({"--run", script, "--locus", "5", "--into", Path("locus.gyr"), "--output",
                   Path("more.json")}),
              kExitOk);
    ASSERT_EQ(Run({"--dump", Path("more.json")}), kExitOk);
    EXPECT_EQ(Classes(out).size(), 22u + 6u);
    ASSERT_EQ(Run({"--run", script, "--output", Path("play.png")}), kExitOk) << err;
    EXPECT_TRUE(fs::exists(Path("play.png")));
}

TEST_F(CliRunTest, ScriptErrorsNameTheirLineAndWriteNothing) {
    const std::string bad = Script("bad.txt", "L10 Point (1, 2) ;\r\n\r\nL20 Point (1 2");
    EXPECT_EQ(Run({"--run", bad, "--output", Path("out.gyr")}), kExitBadInput);
    EXPECT_EQ(err, bad +
                       ":3: Error in Line-Nr : 2 \nwith current token = 0 , \nactual value = "
                       "2.000000, \nword = Point\n");
    EXPECT_FALSE(fs::exists(Path("out.gyr")));
    EXPECT_TRUE(out.empty());

    const std::string none = Script("none.txt", "L10 Point (0, 0) ;");
    EXPECT_EQ(Run({"--run", none, "--locus", "20"}), kExitBadInput);
    EXPECT_NE(err.find("but 0 such lines found"), std::string::npos) << err;
    const std::string line = Script(
        "line.txt", "L10 Line (0, 0) (1, 0) ;\nL20 Point Variable L10 ;\nL30 Line L20 L20 ;");
    EXPECT_EQ(Run({"--run", line, "--locus", "3"}), kExitBadInput);
    EXPECT_EQ(err, line + ":3: Error in Locus script: Last line must be point or circle\n");
    EXPECT_EQ(Run({"--run", Path("missing.txt")}), kExitBadInput);
}

TEST_F(CliRunTest, UsageErrors) {
    const std::string script = Script("s.txt", kCircleLocus);
    EXPECT_EQ(Run({"--run"}), kExitUsage);
    EXPECT_EQ(Run({"--run", script, "--locus", "1"}), kExitUsage);
    EXPECT_EQ(Run({"--run", script, "--locus", "2.5"}), kExitUsage);
    EXPECT_EQ(Run({"--run", script, "--seed", "-1"}), kExitUsage);
    EXPECT_EQ(Run({"--run", script, "--into", Path("x.txt")}), kExitUsage);
    EXPECT_EQ(Run({"--run", script, "--output", Path("x.txt")}), kExitUsage);
    EXPECT_EQ(Run({"--run", script, script}), kExitUsage);
    EXPECT_EQ(Run({"--run", script, "--locus"}), kExitUsage);
}

}  // namespace
}  // namespace gyr
