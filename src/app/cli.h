#pragma once
// The command-line verbs, which work without a display:
//   --new OUT            a new document as File New then Save writes it
//   --dump FILE          the document as JSON on standard output
//   --convert IN OUT     between .gyr and .json, chosen by extension
//   --export OUT FILE    the whole sheet as PNG, BMP, SVG, PDF or EMF
//   --print OUT.pdf FILE the printed pages as PDF (--paper A4|Letter, --landscape)
//   --run SCRIPT         PLAY a locus script (or its locus) into a document
//   --import PIC IN OUT  IN with the picture PIC added as Import adds it
//   --help, --version

#include <iosfwd>
#include <string>
#include <vector>

namespace gyr {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;  // the document message is on err
constexpr int kExitUsage = 2;     // the usage text is on err

// args are the program's arguments without the program name. A first
// argument that does not start with "--" is not a verb: handled is set to
// false and the caller starts the desktop. Otherwise the verb runs and its
// exit status is returned. Output files are written atomically and only on
// success.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   bool& handled);

}  // namespace gyr
