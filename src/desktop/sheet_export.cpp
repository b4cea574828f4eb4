#include "desktop/sheet_export.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "desktop/qt_canvas.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/document.h"

namespace gyr {

namespace {

// Exports lay out one logical pixel per 1/96 inch, the screen's nominal size.
constexpr int kExportDpi = 96;

enum class Format { Png, Bmp, Svg, Pdf, Unknown };

Format FormatOf(const std::string& path) {
    QString ext = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (ext == "png") return Format::Png;
    if (ext == "bmp") return Format::Bmp;
    if (ext == "svg") return Format::Svg;
    if (ext == "pdf") return Format::Pdf;
    return Format::Unknown;
}

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

void Render(CGyrDoc& doc, QPainter& painter, int width, int height) {
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    QtCanvas canvas(painter);
    DrawAll(doc.Objects(), canvas);
}

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

}  // namespace

bool ExportSheet(CGyrDoc& doc, const std::string& path, std::string* error) {
    Format format = FormatOf(path);
    if (format == Format::Unknown)
        return Fail(error, "Unknown export format of " + path + " (use .png, .bmp, .svg or .pdf).");
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Fail(error, "Export needs the graphical application object.");
    CAxes* sheet = doc.Sheet();
    if (!sheet) return Fail(error, "The document has no sheet.");

    ScaleGuard guard(sheet);
    const int width = Mapping().sheetWidth;
    const int height = Mapping().sheetHeight;
    if (width <= 0 || height <= 0) return Fail(error, "The sheet is empty.");

    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, "Cannot write " + path + ": " + file.errorString().toStdString());

    bool ok = false;
    switch (format) {
        case Format::Png:
        case Format::Bmp: {
            QImage image(width, height, QImage::Format_RGB32);
            if (image.isNull()) {
                file.cancelWriting();
                return Fail(error, "Not enough memory for a sheet of this size.");
            }
            image.setDotsPerMeterX(int(kExportDpi / 0.0254 + 0.5));
            image.setDotsPerMeterY(int(kExportDpi / 0.0254 + 0.5));
            {
                QPainter painter(&image);
                Render(doc, painter, width, height);
            }
            ok = image.save(&file, format == Format::Png ? "PNG" : "BMP");
            break;
        }
        case Format::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(QSize(width, height));
            svg.setViewBox(QRect(0, 0, width, height));
            svg.setResolution(kExportDpi);
            svg.setTitle(QString::fromStdString(doc.GetTitle()));
            svg.setDescription("Gyrovant sheet");
            QPainter painter;
            if (painter.begin(&svg)) {
                Render(doc, painter, width, height);
                ok = painter.end();
            }
            break;
        }
        case Format::Pdf: {
            QPdfWriter pdf(&file);
            pdf.setCreator("Gyrovant");
            pdf.setTitle(QString::fromStdString(doc.GetTitle()));
            pdf.setResolution(kExportDpi);
            QSizeF points(width * 72.0 / kExportDpi, height * 72.0 / kExportDpi);
            pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter;
            if (painter.begin(&pdf)) {
                Render(doc, painter, width, height);
                ok = painter.end();
            }
            break;
        }
        case Format::Unknown:
            break;
    }
    if (!ok) {
        file.cancelWriting();
        return Fail(error, "Cannot write " + path + ".");
    }
    if (!file.commit())
        return Fail(error, "Cannot write " + path + ": " + file.errorString().toStdString());
    return true;
}

}  // namespace gyr
