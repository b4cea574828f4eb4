#include "app/cli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>

#include "app/json_document.h"
#include "control/picture_commands.h"
#include "desktop/sheet_export.h"
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
        // Rendering needs fonts, hence a GUI application, but never a screen.
        std::unique_ptr<QGuiApplication> app;
        if (!QCoreApplication::instance()) {
            const char* x11 = std::getenv("DISPLAY");
            const char* wayland = std::getenv("WAYLAND_DISPLAY");
            if ((!x11 || !*x11) && (!wayland || !*wayland))
                ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
            static int argc = 1;
            static char name[] = "gyrovant";
            static char* argv[] = {name, nullptr};
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        std::string error;
        if (!ExportSheet(m_doc, outPath, &error, scale)) {
            m_err << (error.empty() ? std::string(kMsgFailedSave) : error) << '\n';
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
