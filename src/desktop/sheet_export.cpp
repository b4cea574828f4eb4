#include "desktop/sheet_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <new>

#include "control/picture_commands.h"
#include "desktop/qt_canvas.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/document.h"

namespace gyr {

namespace {

// Exports lay out one logical pixel per 1/96 inch, the screen's nominal size.
constexpr int kExportDpi = 96;

// Puts the general scale back however the export ends.
class ScaleGuard {
public:
    explicit ScaleGuard(CAxes* sheet) : m_sheet(sheet) {
        if (m_sheet->m_params.generalScale != 1.0) {
            m_previous = m_sheet->SetGeneralScale(1.0);
            m_changed = true;
        }
    }
    ~ScaleGuard() {
        if (m_changed) m_sheet->SetGeneralScale(m_previous);
    }
    ScaleGuard(const ScaleGuard&) = delete;
    ScaleGuard& operator=(const ScaleGuard&) = delete;

private:
    CAxes* m_sheet;
    double m_previous = 1.0;
    bool m_changed = false;
};

void Render(CGyrDoc& doc, QPainter& painter, double scale, int width, int height) {
    painter.scale(scale, scale);
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    QtCanvas canvas(painter);
    DrawAll(doc.Objects(), canvas);
}

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

// The output size of a side: scale times the sheet's, at least one pixel.
long long Scaled(int side, double scale) {
    return std::max(1LL, std::llround(side * scale));
}

}  // namespace

std::optional<ExportFormat> ExportFormatOf(const std::string& path) {
    QString ext = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (ext == "png") return ExportFormat::Png;
    if (ext == "bmp") return ExportFormat::Bmp;
    if (ext == "svg") return ExportFormat::Svg;
    if (ext == "pdf") return ExportFormat::Pdf;
    if (ext == "emf") return ExportFormat::Emf;
    return std::nullopt;
}

std::string SheetTooLargeMessage(long long width, long long height) {
    return "The sheet is too large for a bitmap (" + std::to_string(width) + " \u00D7 " +
           std::to_string(height) + " pixels). Export it as SVG or PDF, or with a smaller scale.";
}

bool RenderSheet(CGyrDoc& doc, ExportFormat format, double scale, std::vector<std::uint8_t>& out,
                 std::string* error) {
    out.clear();
    if (!(scale > 0 && scale <= kMaxExportScale))
        return Fail(error, "The export scale must be greater than 0 and at most 4.");
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Fail(error, "Export needs the graphical application object.");
    CAxes* sheet = doc.Sheet();
    if (!sheet) return Fail(error, "The document has no sheet.");

    ScaleGuard guard(sheet);
    const int width = Mapping().sheetWidth;
    const int height = Mapping().sheetHeight;
    if (width <= 0 || height <= 0) return Fail(error, "The sheet is empty.");
    const long long outW = Scaled(width, scale);
    const long long outH = Scaled(height, scale);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    try {
        switch (format) {
            case ExportFormat::Png:
            case ExportFormat::Bmp: {
                if (outW * outH > kMaxBitmapPixels)
                    return Fail(error, SheetTooLargeMessage(outW, outH));
                QImage image(int(outW), int(outH), QImage::Format_RGB32);
                if (image.isNull())
                    return Fail(error, "Not enough memory for a sheet of this size.");
                image.setDotsPerMeterX(int(kExportDpi / 0.0254 + 0.5));
                image.setDotsPerMeterY(int(kExportDpi / 0.0254 + 0.5));
                {
                    QPainter painter(&image);
                    Render(doc, painter, scale, width, height);
                }
                if (format == ExportFormat::Bmp) {
                    out = WriteBmpFile(MakeDib24(DibImageOf(image)));
                    return true;
                }
                ok = image.save(&buffer, "PNG");
                break;
            }
            case ExportFormat::Svg: {
                if (outW > INT32_MAX || outH > INT32_MAX)
                    return Fail(error, "The sheet is too large for this scale.");
                QSvgGenerator svg;
                svg.setOutputDevice(&buffer);
                svg.setSize(QSize(int(outW), int(outH)));
                svg.setViewBox(QRect(0, 0, width, height));
                svg.setResolution(kExportDpi);
                svg.setTitle(QString::fromStdString(doc.GetTitle()));
                svg.setDescription("Gyrovant sheet");
                QPainter painter;
                if (painter.begin(&svg)) {
                    Render(doc, painter, 1.0, width, height);
                    ok = painter.end();
                }
                break;
            }
            case ExportFormat::Emf:
                // A vector form: the scale changes nothing but the frame's use.
                out = SheetMetafile(doc);
                return !out.empty() || Fail(error, kMsgPictureTooLarge);
            case ExportFormat::Pdf: {
                QPdfWriter pdf(&buffer);
                pdf.setCreator("Gyrovant");
                pdf.setTitle(QString::fromStdString(doc.GetTitle()));
                pdf.setResolution(kExportDpi);
                QSizeF points(double(outW) * 72.0 / kExportDpi, double(outH) * 72.0 / kExportDpi);
                pdf.setPageSize(
                    QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
                pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
                QPainter painter;
                if (painter.begin(&pdf)) {
                    Render(doc, painter, scale, width, height);
                    ok = painter.end();
                }
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        return Fail(error, "Not enough memory for a sheet of this size.");
    }
    if (!ok) return Fail(error, kMsgFailedSave);
    out.assign(bytes.begin(), bytes.end());
    return true;
}

bool ExportSheet(CGyrDoc& doc, const std::string& path, std::string* error, double scale) {
    std::optional<ExportFormat> format = ExportFormatOf(path);
    if (!format)
        return Fail(error,
                    "Unknown export format of " + path + " (use .png, .bmp, .svg, .pdf or .emf).");
    std::vector<std::uint8_t> bytes;
    if (!RenderSheet(doc, *format, scale, bytes, error)) return false;
    bool diskFull = false;
    if (!WriteFileAtomically(path, bytes, &diskFull))
        return Fail(error, diskFull ? kMsgDiskFull : kMsgFailedSave);
    return true;
}

}  // namespace gyr
