#include "platform/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// The blanks are 717 x 1053 pixels. A picture far beyond that is refused before anything is
// decoded: a small file may claim a size whose pixels would not fit in memory.
constexpr qint64 kMaxPictureSide = 10000;
constexpr qint64 kMaxPicturePixels = 25'000'000;

bool saneSize(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void failInsteadOfExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void stayQuiet(j_common_ptr, int) {}

// Adobe writes CMYK inverted; libjpeg hands it over as stored.
void cmykRowToRgb(const JSAMPLE* cmyk, uchar* rgb, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = cmyk[3];
        rgb[0] = uchar(cmyk[0] * k / 255);
        rgb[1] = uchar(cmyk[1] * k / 255);
        rgb[2] = uchar(cmyk[2] * k / 255);
    }
}

// Fills `out`, which lives outside this frame so that a jump back leaves nothing behind.
// Returns false on any error libjpeg reports.
bool decodeInto(const QByteArray& data, QImage& out, QByteArray& cmykRow)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failInsteadOfExit;
    errors.base.emit_message = stayQuiet;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (!saneSize(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool gray = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    out = QImage(int(info.output_width), int(info.output_height),
                 gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (out.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (cmyk)
        cmykRow.resize(qsizetype(info.output_width) * 4);
    while (info.output_scanline < info.output_height) {
        uchar* line = out.scanLine(int(info.output_scanline));
        JSAMPROW row = cmyk ? reinterpret_cast<JSAMPROW>(cmykRow.data()) : line;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk)
            cmykRowToRgb(row, line, info.output_width);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool isJpeg(const QByteArray& data)
{
    return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 &&
           uchar(data[2]) == 0xFF;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data)
{
    QImage image;
    QByteArray cmykRow;
    if (!decodeInto(data, image, cmykRow))
        return QImage();
    return image;
}

QImage LoadPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray data = file.readAll();
    if (isJpeg(data))
        return DecodeJpeg(data);
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && !saneSize(size.width(), size.height()))
        return QImage();
    return reader.read();
}

PictureCache& PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

QImage PictureCache::picture(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QImage();
    const QString key = file.absoluteFilePath();
    const qint64 size = file.size();
    const qint64 modified = file.lastModified().toMSecsSinceEpoch();
    auto found = entries_.find(key);
    if (found != entries_.end() && found->fileSize == size && found->modified == modified) {
        found->lastUse = ++clock_;
        return found->image;
    }
    QImage image = LoadPicture(path);
    if (image.isNull()) {
        entries_.remove(key);
        return image;
    }
    entries_.insert(key, Entry{size, modified, image, ++clock_});
    trim();
    return image;
}

void PictureCache::setByteLimit(qint64 bytes)
{
    byteLimit_ = bytes;
    trim();
}

qint64 PictureCache::bytesHeld() const
{
    qint64 bytes = 0;
    for (const Entry& entry : entries_)
        bytes += entry.image.sizeInBytes();
    return bytes;
}

void PictureCache::trim()
{
    qint64 held = bytesHeld();
    while (held > byteLimit_ && !entries_.isEmpty()) {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->lastUse < oldest->lastUse)
                oldest = it;
        held -= oldest->image.sizeInBytes();
        entries_.erase(oldest);
    }
}
