#include "desktop/picture_clipboard.h"

#include <QBuffer>
#include <QImage>

#include "desktop/qt_canvas.h"
#include "figures/pict_obj.h"
#include "model/gesture_state.h"

namespace gyr {

const char* const kMimeBmp = "image/bmp";
const char* const kMimePng = "image/png";
const char* const kMimeEmf = "image/x-emf";

namespace {

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

const std::uint8_t* Data(const QByteArray& b) {
    return reinterpret_cast<const std::uint8_t*>(b.constData());
}

}  // namespace

QMimeData* PictureMimeData(const CMyObj& obj) {
    auto* mime = new QMimeData;
    if (obj.GetPictureKind() == 1) {
        const Dib& dib = static_cast<const CPict&>(obj).GetDib();
        mime->setData(kMimeBmp, Bytes(WriteBmpFile(dib)));
        if (const DibImage* image = dib.Image()) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (ImageOf(*image).save(&buffer, "PNG")) mime->setData(kMimePng, png);
        }
    } else if (obj.GetPictureKind() == 2) {
        mime->setData(kMimeEmf, Bytes(static_cast<const CMetaObj&>(obj).Bytes()));
    } else {
        delete mime;
        return nullptr;
    }
    return mime;
}

bool HasPictureData(const QMimeData& data) {
    return data.hasFormat(kMimeEmf) || data.hasFormat(kMimeBmp) || data.hasImage();
}

CMyObj* PastePictureData(CGestureState& state, const QMimeData& data) {
    if (data.hasFormat(kMimeEmf)) {
        const QByteArray b = data.data(kMimeEmf);
        return PastePicture(state, PictureData::Emf, Data(b), std::size_t(b.size()));
    }
    if (data.hasFormat(kMimeBmp)) {
        const QByteArray b = data.data(kMimeBmp);
        return PastePicture(state, PictureData::BmpFile, Data(b), std::size_t(b.size()));
    }
    // Any other image (PNG, ...) as Qt decodes it, kept as a 24-bit bitmap.
    QImage image = qvariant_cast<QImage>(data.imageData());
    if (image.isNull()) {
        const QByteArray png = data.data(kMimePng);
        image.loadFromData(png, "PNG");
    }
    std::vector<std::uint8_t> packed;
    if (!image.isNull()) packed = MakeDib24(DibImageOf(image)).ToPacked();
    return PastePicture(state, PictureData::PackedDib, packed.data(), packed.size());
}

}  // namespace gyr
