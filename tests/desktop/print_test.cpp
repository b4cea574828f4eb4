// Printing through the window's print code: to a PDF printer, in the print
// preview, and the command line's --print.

#include <unistd.h>

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli.h"
#include "desktop/sheet_print.h"
#include "figures/segment_obj.h"
#include "figures/text_obj.h"
#include "main_window_fixture.h"
#include "model/axes.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

// The pages of a PDF: its page objects, not the page tree.
int PdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

void UseSheet(CGyrDoc& doc, int w, int h) {
    doc.m_sheetParams.width = w;
    doc.m_sheetParams.height = h;
    doc.m_sheetParams.originX = w / 2;
    doc.m_sheetParams.originY = h / 2;
    doc.ApplySheetParams();
}

class PrintWindowTest : public MainWindowTest {
protected:
    // An A4 PDF printer at 1200 dpi without margins, as the command line's.
    static void MakeA4(QPrinter& printer, const QString& path) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(1200);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    }
};

TEST_F(PrintWindowTest, ThePdfPrinterGetsThePlansPages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct { int w, h, pages; } cases[] = {{770, 1100, 1}, {1190, 900, 2}, {2000, 2500, 9}};
    for (const auto& c : cases) {
        UseSheet(*m_doc, c.w, c.h);
        m_doc->SetModifiedFlag(false);
        const std::vector<std::uint8_t> before = m_doc->SaveToBytes();
        const QString path = dir.filePath(QString("%1.pdf").arg(c.w));
        QPrinter printer(QPrinter::HighResolution);
        MakeA4(printer, path);
        EXPECT_EQ(PrinterDevice(printer).pageWidth, 9917);
        EXPECT_EQ(PrinterDevice(printer).pageHeight, 14033);
        EXPECT_EQ(PrinterPageCount(*m_view, printer), c.pages);
        m_view->m_nScreenDpi = 96;
        ASSERT_EQ(PrintSheet(*m_view, printer), PrintResult::Printed);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(PdfPages(file.readAll()), c.pages) << c.w;
        EXPECT_EQ(m_view->m_nPageCount, c.pages);
        EXPECT_EQ(m_doc->Sheet()->m_params.generalScale, 1.0);
        EXPECT_EQ(Mapping().sheetWidth, c.w);
        EXPECT_EQ(m_doc->SaveToBytes(), before);
        EXPECT_FALSE(m_doc->IsModified());
    }

    // A page range chosen in the print dialog.
    QPrinter printer(QPrinter::HighResolution);
    MakeA4(printer, dir.filePath("range.pdf"));
    // Margins are not printable: 10 mm a side at 1200 dpi (Qt keeps them
    // in whole points).
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    EXPECT_NEAR(PrinterDevice(printer).pageWidth, 9917 - 2 * 472, 12);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    ASSERT_EQ(PrintSheet(*m_view, printer), PrintResult::Printed);
    QFile file(dir.filePath("range.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(PdfPages(file.readAll()), 2);
}

TEST_F(PrintWindowTest, ThePreviewAsksForEveryPage) {
    UseSheet(*m_doc, 2000, 2500);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const long long pages = PrinterPageCount(*m_view, printer);
    ASSERT_GT(pages, 1);
    auto preview = MakePrintPreview(*m_view, printer, m_window.get());
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_TRUE(widget);
    widget->updatePreview();
    EXPECT_EQ(widget->pageCount(), pages);
    EXPECT_EQ(m_doc->Sheet()->m_params.generalScale, 1.0);
}

TEST_F(PrintWindowTest, CtrlLAddsTheLogoAndFrame) {
    QAction* logo = m_window->Action(ID_LOGO_FRAME);
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->shortcut(), QKeySequence("Ctrl+L"));
    EXPECT_TRUE(logo->isEnabled());
    EXPECT_TRUE(m_window->Action(ID_DELETE_POINT_MARKS)->isEnabled());
    EXPECT_TRUE(m_window->Action(ID_POINT_MARK)->isEnabled());
    const std::size_t before = m_doc->Objects().size();
    logo->trigger();
    ASSERT_EQ(m_doc->Objects().size(), before + 4);
    EXPECT_TRUE(m_doc->Objects()[before]->IsRect());
    EXPECT_EQ(static_cast<CTextObj*>(m_doc->Objects()[before + 1])->m_strText,
              "Drawn with Gyrovant");
    EXPECT_TRUE(m_doc->Objects()[before + 3]->IsSegment());
    EXPECT_TRUE(m_window->windowTitle().startsWith("Untitled"));
}

// --print writes the printed pages; refusals leave nothing behind.
class PrintCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("gyr-print-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    int Run(std::vector<std::string> args, std::string* errText = nullptr) {
        std::ostringstream out, err;
        bool handled = false;
        const int status = RunCommandLine(args, out, err, handled);
        if (errText) *errText = err.str();
        return status;
    }
    // A document on a w x h sheet.
    void WriteSheet(const std::string& name, int w, int h) {
        CGyrDoc doc{DrawingClasses()};
        doc.OnNewDocument();
        UseSheet(doc, w, h);
        doc.Sheet()->SetAll(doc.m_sheetParams);
        auto* seg = NewSegment(&doc, {6, 3}, {6, -3});
        doc.AddObject(seg);
        const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
        std::ofstream(Path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    int PagesOf(const std::string& name) {
        QFile file(QString::fromStdString(Path(name)));
        return file.open(QIODevice::ReadOnly) ? PdfPages(file.readAll()) : -1;
    }
    std::filesystem::path m_dir;
};

TEST_F(PrintCliTest, PrintsPagesOfThePaperAndRefusesBadInput) {
    ScriptedHost host;
    WriteSheet("a.gyr", 770, 1100);
    WriteSheet("b.gyr", 1190, 900);
    WriteSheet("c.gyr", 2000, 2500);
    ASSERT_EQ(Run({"--print", Path("a.pdf"), Path("a.gyr")}), kExitOk);
    ASSERT_EQ(Run({"--print", Path("b.pdf"), Path("b.gyr")}), kExitOk);
    ASSERT_EQ(Run({"--print", Path("c.pdf"), Path("c.gyr"), "--paper", "A4"}), kExitOk);
    EXPECT_EQ(PagesOf("a.pdf"), 1);
    EXPECT_EQ(PagesOf("b.pdf"), 2);
    EXPECT_EQ(PagesOf("c.pdf"), 9);
    // A sheet of the landscape default size: two portrait pages, one
    // landscape page.
    WriteSheet("d.gyr", 1100, 770);
    ASSERT_EQ(Run({"--print", Path("d.pdf"), Path("d.gyr")}), kExitOk);
    EXPECT_EQ(PagesOf("d.pdf"), 2);
    ASSERT_EQ(Run({"--print", Path("dl.pdf"), "--landscape", Path("d.gyr")}), kExitOk);
    EXPECT_EQ(PagesOf("dl.pdf"), 1);
    ASSERT_EQ(Run({"--print", Path("cl.pdf"), Path("c.gyr"), "--paper", "Letter"}), kExitOk);
    EXPECT_GT(PagesOf("cl.pdf"), 0);

    std::string err;
    EXPECT_EQ(Run({"--print", Path("x.pdf"), Path("a.gyr"), "--paper", "A3"}, &err), kExitUsage);
    EXPECT_NE(err.find("A3"), std::string::npos);
    EXPECT_EQ(Run({"--print", Path("x.pdf"), Path("a.gyr"), "--color"}), kExitUsage);
    EXPECT_EQ(Run({"--print", Path("x.png"), Path("a.gyr")}), kExitUsage);
    EXPECT_EQ(Run({"--print", Path("x.pdf")}), kExitUsage);
    EXPECT_EQ(Run({"--print", Path("x.pdf"), Path("missing.gyr")}), kExitBadInput);
    std::ofstream(Path("bad.gyr")) << "not a document";
    EXPECT_EQ(Run({"--print", Path("x.pdf"), Path("bad.gyr")}), kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(Path("x.pdf")));
    EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
}

}  // namespace
}  // namespace gyr
