#include "desktop/qt_host.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSet>
#include <QSvgGenerator>

#include "desktop/dialog_view.h"
#include "desktop/main_window.h"
#include "desktop/qt_canvas.h"
#include "desktop/recent_files.h"
#include "desktop/sheet_view.h"
#include "math/dib_codec.h"

namespace gyr {

namespace {

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::vector<std::string> SplitBars(const std::string& s) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= s.size()) {
        auto bar = s.find('|', start);
        if (bar == std::string::npos) bar = s.size();
        parts.push_back(s.substr(start, bar - start));
        start = bar + 1;
    }
    return parts;
}

std::string Trim(const std::string& s) {
    auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

std::string ToQtFilter(const std::string& filter) {
    std::vector<std::string> parts = SplitBars(filter);
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string name = parts[i];
        if (name.empty()) break;  // the "||" terminator
        // Qt reads the patterns from the trailing parentheses, separated by
        // spaces; the name keeps its text and gets the patterns of the entry.
        if (auto open = name.rfind('('); open != std::string::npos && name.back() == ')')
            name = Trim(name.substr(0, open));
        std::string patterns;
        std::string::size_type start = 0;
        const std::string& list = parts[i + 1];
        while (start <= list.size()) {
            auto semi = list.find(';', start);
            if (semi == std::string::npos) semi = list.size();
            std::string p = Trim(list.substr(start, semi - start));
            start = semi + 1;
            if (p.empty()) continue;
            patterns += (patterns.empty() ? "" : " ") + p;
            // Upper-case extensions should also match lower-case files.
            std::string lower = QString::fromStdString(p).toLower().toStdString();
            if (lower != p) patterns += " " + lower;
        }
        if (!out.empty()) out += ";;";
        out += name + " (" + patterns + ")";
    }
    return out;
}

// Watches every key event of the application, so that a key held down
// while the pointer clicks is known wherever the focus is. Auto-repeat
// neither adds nor removes a key; leaving the application forgets them all,
// as their releases go elsewhere.
class HeldKeys : public QObject {
public:
    HeldKeys() { qApp->installEventFilter(this); }
    ~HeldKeys() override {
        if (qApp) qApp->removeEventFilter(this);
    }
    bool IsHeld(int key) const { return m_keys.contains(key); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                auto* key = static_cast<QKeyEvent*>(event);
                const int vk = VirtualKey(key->key());
                if (vk != 0 && !key->isAutoRepeat()) {
                    if (event->type() == QEvent::KeyPress)
                        m_keys.insert(vk);
                    else
                        m_keys.remove(vk);
                }
                break;
            }
            case QEvent::ApplicationDeactivate:
                m_keys.clear();
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QSet<int> m_keys;
};

QtHost::QtHost(unsigned seed) : m_random(seed) {
    if (QCoreApplication::instance()) m_heldKeys = std::make_unique<HeldKeys>();
}

QtHost::~QtHost() = default;

void QtHost::Beep() {
    QApplication::beep();
}

MsgAnswer QtHost::MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    if (m_answerer) return m_answerer(text, icon, buttons);
    QMessageBox box(m_window);
    box.setWindowTitle("Gyrovant");
    box.setText(FromUtf8(text));
    switch (icon) {
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Stop:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        default:
            // Closing the box answers as its escape button would.
            return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
                   : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                  : MsgAnswer::Cancel;
    }
}

void QtHost::Invalidate(const PixelRect& r) {
    if (m_sheetView) m_sheetView->InvalidateSheetRect(r);
}

void QtHost::InvalidateAll() {
    if (m_sheetView) m_sheetView->update();
}

void QtHost::SheetSizeChanged() {
    // The window also adapts its size limits to the sheet.
    if (auto* window = qobject_cast<MainWindow*>(m_window))
        window->SheetSizeChanged();
    else if (m_sheetView)
        m_sheetView->ResetSheetSize();
}

bool QtHost::IsKeyDown(int key) {
    Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    if (key == kKeyShift) return mods.testFlag(Qt::ShiftModifier);
    if (key == kKeyControl) return mods.testFlag(Qt::ControlModifier);
    return m_heldKeys && m_heldKeys->IsHeld(key);
}

int QtHost::ScreenDpiX() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? int(s->logicalDotsPerInchX() + 0.5) : 96;
}

int QtHost::ScreenDpiY() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? int(s->logicalDotsPerInchY() + 0.5) : 96;
}

std::optional<Host::PrinterPage> QtHost::DefaultPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::nullopt;
    QPrinter printer(info, QPrinter::HighResolution);
    int dpi = printer.resolution();
    // What printing divides the sheet by: the page less its margins.
    QRect page = printer.pageLayout().paintRectPixels(dpi);
    PrinterPage p;
    p.dpiX = dpi;
    p.dpiY = dpi;
    p.widthPx = page.width();
    p.heightPx = page.height();
    return p;
}

FileChoice QtHost::ChooseOpenFile(const std::string& filter) {
    if (m_openChooser) return m_openChooser(filter);
    QString path =
        QFileDialog::getOpenFileName(m_window, QString(), QString(), FromUtf8(ToQtFilter(filter)));
    if (path.isEmpty()) return {};
    return {true, path.toStdString()};
}

FileChoice QtHost::ChooseSaveFile(const std::string& filter, const std::string& defExt,
                                  const std::string& fileName) {
    if (m_saveChooser) return m_saveChooser(filter, defExt, fileName);
    QString path = QFileDialog::getSaveFileName(m_window, QString(), FromUtf8(fileName),
                                                FromUtf8(ToQtFilter(filter)));
    if (path.isEmpty()) return {};
    if (!defExt.empty() && QFileInfo(path).suffix().isEmpty()) path += "." + FromUtf8(defExt);
    return {true, path.toStdString()};
}

bool QtHost::RunDialog(DialogModel& model) {
    DialogView view(model, *this, m_window);
    QWidget* const owner = m_window;
    m_window = &view;
    const bool ok = view.exec() == QDialog::Accepted;
    m_window = owner;
    return ok;
}

void QtHost::SetClipboardText(const std::string& text) {
    if (QClipboard* c = QGuiApplication::clipboard()) c->setText(FromUtf8(text));
}

std::optional<std::string> QtHost::ClipboardText() {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c) return std::nullopt;
    QString t = c->text();
    if (t.isNull()) return std::nullopt;
    return t.toStdString();
}

namespace {

// Bitmaps of a copy are at most this many pixels a side, scaled down beyond.
constexpr int kMaxClipboardSide = 8192;

// The drawing on white, its area's left-top at the image's origin.
void PaintDrawing(QPainter& painter, const Host::ClipboardDrawing& drawing, double scale) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(scale, scale);
    painter.translate(-drawing.area.left, -drawing.area.top);
    QtCanvas canvas(painter);
    drawing.draw(canvas);
}

}  // namespace

void QtHost::SetClipboard(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& data,
    const ClipboardDrawing* drawing) {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c) return;
    auto* mime = new QMimeData;
    for (const auto& [type, bytes] : data)
        mime->setData(
            QString::fromStdString(type),
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    const PixelRect area = drawing ? drawing->area.Normalized() : PixelRect{};
    if (drawing && drawing->draw && !area.IsEmpty()) {
        const int w = area.Width(), h = area.Height();
        const double scale = std::min(1.0, double(kMaxClipboardSide) / std::max(w, h));
        QImage image(std::max(1, int(w * scale)), std::max(1, int(h * scale)),
                     QImage::Format_RGB32);
        if (!image.isNull()) {
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                PaintDrawing(painter, *drawing, scale);
            }
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (image.save(&buffer, "PNG")) mime->setData("image/png", png);
            mime->setImageData(image);
        }
        QByteArray svgBytes;
        QBuffer svgBuffer(&svgBytes);
        svgBuffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&svgBuffer);
        svg.setSize(QSize(w, h));
        svg.setViewBox(QRect(0, 0, w, h));
        svg.setDescription("Gyrovant figures");
        QPainter painter;
        if (painter.begin(&svg)) {
            painter.fillRect(QRect(0, 0, w, h), Qt::white);
            PaintDrawing(painter, *drawing, 1.0);
            if (painter.end()) mime->setData("image/svg+xml", svgBytes);
        }
    }
    c->setMimeData(mime);
}

std::optional<std::vector<std::uint8_t>> QtHost::ClipboardData(const std::string& type) {
    QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* mime = c ? c->mimeData() : nullptr;
    const QString name = QString::fromStdString(type);
    if (!mime || !mime->hasFormat(name)) return std::nullopt;
    const QByteArray bytes = mime->data(name);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QtHost::ClipboardHasImage() {
    QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* mime = c ? c->mimeData() : nullptr;
    return mime && (mime->hasImage() || mime->hasFormat("image/png"));
}

std::optional<std::vector<std::uint8_t>> QtHost::ClipboardImageDib() {
    QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* mime = c ? c->mimeData() : nullptr;
    if (!mime) return std::nullopt;
    QImage image = qvariant_cast<QImage>(mime->imageData());
    if (image.isNull() && mime->hasFormat("image/png"))
        image.loadFromData(mime->data("image/png"), "PNG");
    if (image.isNull()) return std::nullopt;
    return MakeDib24(DibImageOf(image)).ToPacked();
}

void QtHost::AddRecentFile(const std::string& path) {
    RecentFiles recent;
    recent.Load();
    recent.Add(QString::fromStdString(path));
}

bool QtHost::RenderBitmap(int width, int height, const std::function<void(Canvas&)>& draw,
                          DibImage& out) {
    if (width <= 0 || height <= 0) return false;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return false;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        draw(canvas);
    }
    out = DibImageOf(image);
    return true;
}

}  // namespace gyr
