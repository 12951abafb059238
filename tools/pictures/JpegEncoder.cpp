#include "tools/pictures/JpegEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QPainter>

#include <jpeglib.h>

namespace pictures {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

// Plain C data only between setjmp and longjmp: nothing with a destructor lives here.
bool Compress(const unsigned char* rgb, int width, int height, int stride, int quality,
              unsigned char** out, unsigned long* outSize, char* message)
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(
            rgb + static_cast<std::size_t>(cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

QImage OpaqueRgb(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    p.end();
    return flat;
}

}  // namespace

QByteArray EncodeJpeg(const QImage& image, int quality, QString* error)
{
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("empty image");
        return {};
    }
    const QImage rgb = OpaqueRgb(image);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok =
        Compress(rgb.constBits(), rgb.width(), rgb.height(), static_cast<int>(rgb.bytesPerLine()),
                 quality, &buffer, &size, message);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    else if (error)
        *error = QString::fromLocal8Bit(message);
    std::free(buffer);
    return bytes;
}

bool WriteJpeg(const QImage& image, const QString& path, int quality, QString* error)
{
    const QByteArray bytes = EncodeJpeg(image, quality, error);
    if (bytes.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

}  // namespace pictures
