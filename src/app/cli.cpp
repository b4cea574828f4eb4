#include "app/cli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>

#include "app/json_document.h"
#include "constructions/locus_play.h"
#include "control/picture_commands.h"
#include "desktop/sheet_export.h"
#include "desktop/sheet_print.h"
#include "figures/class_registry.h"
#include "model/archive.h"
#include "model/axes.h"
#include "model/document.h"
#include "port/scripted_host.h"

#ifndef GYR_VERSION
#define GYR_VERSION "unknown"
#endif

namespace gyr {

namespace {

const char kUsage[] =
    "Usage: gyrovant [FILE.gyr]\n"
    "       gyrovant --new OUT.gyr|OUT.json\n"
    "       gyrovant --dump FILE.gyr|FILE.json\n"
    "       gyrovant --convert IN OUT       (.gyr and .json, by extension)\n"
    "       gyrovant --export OUT.png|OUT.bmp|OUT.svg|OUT.pdf|OUT.emf [--scale F] FILE.gyr|FILE.json\n"
    "                                       (F: 0 < F <= 4, the sheet's pixel size times F)\n"
    "       gyrovant --print OUT.pdf FILE.gyr|FILE.json [--paper A4|Letter] [--landscape]\n"
    "                                       (the printed pages, 1200 dpi, A4 portrait by default)\n"
    "       gyrovant --run SCRIPT [--locus N] [--seed S] [--into DOC.gyr|DOC.json]\n"
    "                [--output OUT.gyr|.json|.png|.bmp|.svg|.pdf]\n"
    "                                       (PLAY the locus script, or its locus of N >= 2\n"
    "                                       points, into a new document or DOC; without\n"
    "                                       --output the document as JSON on standard output)\n"
    "       gyrovant --import PICTURE.bmp|PICTURE.emf IN OUT   (adds the picture as Import does)\n"
    "       gyrovant --help | --version\n";

enum class FileKind { Gyr, Json, Unknown };

std::string LowerExtension(const std::string& path) {
    auto slash = path.find_last_of('/');
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

FileKind KindOf(const std::string& path) {
    std::string ext = LowerExtension(path);
    if (ext == "gyr") return FileKind::Gyr;
    if (ext == "json") return FileKind::Json;
    return FileKind::Unknown;
}

bool IsExportExtension(const std::string& path) {
    std::string ext = LowerExtension(path);
    return ext == "png" || ext == "bmp" || ext == "svg" || ext == "pdf" || ext == "emf";
}

std::string WithPath(const char* message, const std::string& path) {
    std::string s = message;
    if (auto pos = s.find("%1"); pos != std::string::npos) s.replace(pos, 2, path);
    return s;
}

// Messages that the core raises through the host go to standard error; no
// question is ever asked (the scripted defaults answer them).
class CliHost : public ScriptedHost {
public:
    explicit CliHost(std::ostream& err) : m_err(err) {}
    MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override {
        m_err << text << '\n';
        return ScriptedHost::MessageBox(text, icon, buttons);
    }

private:
    std::ostream& m_err;
};

// Puts back the host that was installed before the command ran.
class HostRestorer {
public:
    HostRestorer() : m_previous(FindHost()) {}
    ~HostRestorer() { SetHost(m_previous); }

private:
    Host* m_previous;
};

// Rendering needs fonts, hence a GUI application, but never a screen. Null
// when one exists already.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "gyrovant";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

class Command {
public:
    Command(std::ostream& out, std::ostream& err) : m_out(out), m_err(err), m_host(err) {}

    int New(const std::string& outPath) {
        m_doc.OnNewDocument();
        return Write(outPath) ? kExitOk : kExitBadInput;
    }

    int Dump(const std::string& inPath) {
        if (!Read(inPath)) return kExitBadInput;
        m_out << JsonToText(DocumentToJson(m_doc));
        m_out.flush();
        return kExitOk;
    }

    int Convert(const std::string& inPath, const std::string& outPath) {
        if (!Read(inPath)) return kExitBadInput;
        return Write(outPath) ? kExitOk : kExitBadInput;
    }

    int Export(const std::string& outPath, const std::string& inPath, double scale) {
        if (!Read(inPath)) return kExitBadInput;
        return ExportDocument(outPath, scale);
    }

    // PLAY or the locus of the script into a new document or into, then the
    // result saved, exported or dumped. A script error writes nothing.
    int Run(const std::string& scriptPath, int locus, unsigned seed, const std::string& into,
            const std::string& outPath) {
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(scriptPath, bytes)) {
            m_err << (errno == ENOENT || errno == ENOTDIR ? WithPath(kMsgFileNotFound, scriptPath)
                                                          : std::string(kMsgFailedOpen))
                  << '\n';
            return kExitBadInput;
        }
        if (into.empty())
            m_doc.OnNewDocument();
        else if (!Read(into))
            return kExitBadInput;
        m_host.randomState = seed;
        const std::string text(bytes.begin(), bytes.end());
        const CScriptRunResult r =
            locus > 0 ? PlayLocus(m_doc, text, locus) : PlayScript(m_doc, text);
        if (!r.ok) {
            m_err << scriptPath << ':' << std::max(r.fault.textLine, 1) << ": " << r.fault.message
                  << '\n';
            return kExitBadInput;
        }
        if (outPath.empty()) {
            m_out << JsonToText(DocumentToJson(m_doc));
            m_out.flush();
            return kExitOk;
        }
        if (IsExportExtension(outPath)) return ExportDocument(outPath, 1.0);
        return Write(outPath) ? kExitOk : kExitBadInput;
    }

    int Print(const std::string& outPath, const std::string& inPath, PaperSize paper,
              bool landscape) {
        if (!Read(inPath)) return kExitBadInput;
        auto app = EnsureGuiApplication();
        std::vector<std::uint8_t> bytes;
        std::string error;
        if (!PrintSheetToPdf(m_doc, paper, landscape, bytes, &error)) {
            m_err << (error.empty() ? std::string(kMsgFailedSave) : error) << '\n';
            return kExitBadInput;
        }
        bool diskFull = false;
        if (!WriteFileAtomically(outPath, bytes, &diskFull)) {
            m_err << (diskFull ? kMsgDiskFull : kMsgFailedSave) << '\n';
            return kExitBadInput;
        }
        return kExitOk;
    }

    int Import(const std::string& picture, const std::string& inPath,
               const std::string& outPath) {
        if (!Read(inPath)) return kExitBadInput;
        // The reader tells what went wrong through the host.
        if (!ImportPictureFile(m_doc, picture)) return kExitBadInput;
        return Write(outPath) ? kExitOk : kExitBadInput;
    }

private:
    int ExportDocument(const std::string& outPath, double scale) {
        auto app = EnsureGuiApplication();
        std::string error;
        if (!ExportSheet(m_doc, outPath, &error, scale)) {
            m_err << (error.empty() ? std::string(kMsgFailedSave) : error) << '\n';
            return kExitBadInput;
        }
        return kExitOk;
    }

    bool Read(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(path, bytes)) {
            m_err << (errno == ENOENT || errno == ENOTDIR ? WithPath(kMsgFileNotFound, path)
                                                          : std::string(kMsgFailedOpen))
                  << '\n';
            return false;
        }
        if (KindOf(path) == FileKind::Json) {
            try {
                DocumentFromJson(JsonFromText(std::string(bytes.begin(), bytes.end())), m_doc);
            } catch (const JsonDocumentError& e) {
                m_err << kMsgBadFormat << '\n' << path << ": " << e.what() << '\n';
                return false;
            }
            return true;
        }
        try {
            m_doc.LoadFromBytes(bytes.data(), bytes.size());
        } catch (const CArchiveException& e) {
            m_err << kMsgBadFormat << '\n' << path << ": " << e.what() << '\n';
            return false;
        } catch (const std::bad_alloc&) {
            m_err << kMsgFailedOpen << '\n';
            return false;
        }
        // As opening a file does: the head object becomes the sheet.
        CAxes* axes = m_doc.Sheet();
        axes->Update();
        m_doc.m_sheetParams = axes->m_params;
        return true;
    }

    bool Write(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        if (KindOf(path) == FileKind::Json) {
            std::string text = JsonToText(DocumentToJson(m_doc));
            bytes.assign(text.begin(), text.end());
        } else {
            bytes = m_doc.SaveToBytes();
        }
        bool diskFull = false;
        if (!WriteFileAtomically(path, bytes, &diskFull)) {
            m_err << (diskFull ? kMsgDiskFull : kMsgFailedSave) << '\n';
            return false;
        }
        return true;
    }

    std::ostream& m_out;
    std::ostream& m_err;
    HostRestorer m_restorer;  // declared before the host: restores after it is gone
    CliHost m_host;
    CGyrDoc m_doc{DrawingClasses()};
};

// The whole text as a number, or nothing.
std::optional<double> ParseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size()) return std::nullopt;
    return v;
}

int Usage(std::ostream& err, const std::string& problem) {
    err << "gyrovant: " << problem << '\n' << kUsage;
    return kExitUsage;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   bool& handled) {
    handled = !args.empty() && args[0].rfind("--", 0) == 0;
    if (!handled) return kExitOk;
    const std::string& verb = args[0];
    const std::size_t operands = args.size() - 1;

    if (verb == "--help") {
        if (operands != 0) return Usage(err, "--help takes no operand");
        out << kUsage;
        return kExitOk;
    }
    if (verb == "--version") {
        if (operands != 0) return Usage(err, "--version takes no operand");
        out << "gyrovant " << GYR_VERSION << '\n';
        return kExitOk;
    }
    auto documentKind = [&](const std::string& path) { return KindOf(path) != FileKind::Unknown; };
    if (verb == "--new") {
        if (operands != 1) return Usage(err, "--new takes one output file");
        if (!documentKind(args[1])) return Usage(err, "the output must end in .gyr or .json");
        return Command(out, err).New(args[1]);
    }
    if (verb == "--dump") {
        if (operands != 1) return Usage(err, "--dump takes one document file");
        if (!documentKind(args[1])) return Usage(err, "the document must end in .gyr or .json");
        return Command(out, err).Dump(args[1]);
    }
    if (verb == "--convert") {
        if (operands != 2) return Usage(err, "--convert takes an input and an output file");
        if (!documentKind(args[1]) || !documentKind(args[2]))
            return Usage(err, "both files must end in .gyr or .json");
        return Command(out, err).Convert(args[1], args[2]);
    }
    if (verb == "--export") {
        std::vector<std::string> files;
        double scale = 1.0;
        bool scaleGiven = false;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] != "--scale") {
                files.push_back(args[i]);
                continue;
            }
            if (scaleGiven || i + 1 == args.size()) return Usage(err, "--scale takes one factor");
            std::optional<double> f = ParseNumber(args[++i]);
            if (!f || !(*f > 0 && *f <= kMaxExportScale))
                return Usage(err, "the scale must be a number greater than 0 and at most 4");
            scale = *f;
            scaleGiven = true;
        }
        if (files.size() != 2) return Usage(err, "--export takes an output and a document file");
        if (!IsExportExtension(files[0]))
            return Usage(err, "the output must end in .png, .bmp, .svg, .pdf or .emf");
        if (!documentKind(files[1])) return Usage(err, "the document must end in .gyr or .json");
        return Command(out, err).Export(files[0], files[1], scale);
    }
    if (verb == "--print") {
        std::vector<std::string> files;
        PaperSize paper = PaperSize::A4;
        bool paperGiven = false, landscape = false;
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (a == "--landscape") {
                landscape = true;
            } else if (a == "--paper") {
                if (paperGiven || i + 1 == args.size()) return Usage(err, "--paper takes one size");
                const std::string& size = args[++i];
                if (size == "A4")
                    paper = PaperSize::A4;
                else if (size == "Letter")
                    paper = PaperSize::Letter;
                else
                    return Usage(err, "unknown paper " + size + " (A4 or Letter)");
                paperGiven = true;
            } else if (a.rfind("--", 0) == 0) {
                return Usage(err, "unknown option " + a);
            } else {
                files.push_back(a);
            }
        }
        if (files.size() != 2) return Usage(err, "--print takes an output and a document file");
        if (LowerExtension(files[0]) != "pdf") return Usage(err, "the output must end in .pdf");
        if (!documentKind(files[1])) return Usage(err, "the document must end in .gyr or .json");
        return Command(out, err).Print(files[0], files[1], paper, landscape);
    }
    if (verb == "--run") {
        std::string script, into, output;
        int locus = 0;
        unsigned seed = 1;
        bool locusGiven = false, seedGiven = false;
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            const bool hasValue = i + 1 < args.size();
            if (a == "--locus") {
                if (locusGiven || !hasValue) return Usage(err, "--locus takes one number");
                std::optional<double> n = ParseNumber(args[++i]);
                if (!n || *n != std::floor(*n) || *n < 2 || *n > 1e9)
                    return Usage(err, "the locus needs a whole number of at least 2 points");
                locus = int(*n);
                locusGiven = true;
            } else if (a == "--seed") {
                if (seedGiven || !hasValue) return Usage(err, "--seed takes one number");
                std::optional<double> n = ParseNumber(args[++i]);
                if (!n || *n != std::floor(*n) || *n < 0 || *n > 4294967295.0)
                    return Usage(err, "the seed must be a whole number from 0 to 4294967295");
                seed = unsigned(*n);
                seedGiven = true;
            } else if (a == "--into") {
                if (!into.empty() || !hasValue) return Usage(err, "--into takes one document");
                into = args[++i];
                if (!documentKind(into))
                    return Usage(err, "the document must end in .gyr or .json");
            } else if (a == "--output") {
                if (!output.empty() || !hasValue) return Usage(err, "--output takes one file");
                output = args[++i];
                if (!documentKind(output) && !IsExportExtension(output))
                    return Usage(err,
                                 "the output must end in .gyr, .json, .png, .bmp, .svg or .pdf");
            } else if (script.empty() && a.rfind("--", 0) != 0) {
                script = a;
            } else {
                return Usage(err, "--run takes one script file and the options above");
            }
        }
        if (script.empty()) return Usage(err, "--run takes one script file");
        return Command(out, err).Run(script, locus, seed, into, output);
    }
    if (verb == "--import") {
        if (operands != 3) return Usage(err, "--import takes a picture, an input and an output file");
        const std::string ext = LowerExtension(args[1]);
        if (ext != "bmp" && ext != "emf") return Usage(err, "the picture must end in .bmp or .emf");
        if (!documentKind(args[2]) || !documentKind(args[3]))
            return Usage(err, "both documents must end in .gyr or .json");
        return Command(out, err).Import(args[1], args[2], args[3]);
    }
    return Usage(err, "unknown option " + verb);
}

}  // namespace gyr
