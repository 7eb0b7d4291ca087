#include "PictureImage.h"

#include <QBuffer>
#include <QByteArray>
#include <string_view>

#include "RegularFileWrite.h"

QImage pictureImage(const Picture& picture) {
    const QImage view(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                      picture.height, picture.width * 4, QImage::Format_RGB32);
    return view.copy();
}

std::string savePictureImage(const QImage& image, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return "cannot encode the picture as PNG";
    const std::string error = WriteRegularFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return error.empty() ? error : "cannot write " + path + ": " + error;
}
