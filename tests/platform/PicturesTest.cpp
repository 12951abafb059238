#include "TestApp.h"

#include "platform/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <QDateTime>
#include <QTemporaryDir>

#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

namespace {

// A solid-colour JPEG, encoded with libjpeg so the test needs no Qt image plugin.
QByteArray encodeJpeg(int width, int height, QRgb colour)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(size_t(width) * 3);
    for (int x = 0; x < width; ++x) {
        row[size_t(x) * 3] = uchar(qRed(colour));
        row[size_t(x) * 3 + 1] = uchar(qGreen(colour));
        row[size_t(x) * 3 + 2] = uchar(qBlue(colour));
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

}  // namespace

TEST(Pictures, DecodesJpegWithLibjpeg)
{
    const QImage image = DecodeJpeg(encodeJpeg(717, 53, qRgb(200, 30, 40)));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(717, 53));
    const QRgb pixel = image.pixel(300, 20);
    EXPECT_NEAR(qRed(pixel), 200, 6);
    EXPECT_NEAR(qGreen(pixel), 30, 6);
    EXPECT_NEAR(qBlue(pixel), 40, 6);
}

TEST(Pictures, DamagedJpegGivesANullImageInsteadOfEndingTheProgram)
{
    const QByteArray good = encodeJpeg(64, 64, qRgb(1, 2, 3));
    QByteArray badHeader = good;
    badHeader[20] = char(0xFF);
    badHeader[21] = char(0xFF);
    for (const QByteArray& bad : {good.left(4), good.left(good.size() / 3), badHeader,
                                  QByteArray("\xFF\xD8\xFF garbage", 12)}) {
        const QImage image = DecodeJpeg(bad);
        // A truncated stream may still give the rows it had; it must simply return.
        if (!image.isNull()) {
            EXPECT_EQ(image.size(), QSize(64, 64));
        }
    }
    EXPECT_TRUE(DecodeJpeg(QByteArray("\xFF\xD8\xFF garbage", 12)).isNull());
}

// The same stream with the frame header claiming another size; no pixel data changes.
static QByteArray withClaimedSize(QByteArray jpeg, int width, int height)
{
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(frame, 0);
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xFF);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xFF);
    return jpeg;
}

TEST(Pictures, PictureBombsAreRefusedBeforeTheyAreDecoded)
{
    TestApp();
    const QByteArray small = encodeJpeg(16, 16, qRgb(9, 9, 9));
    EXPECT_TRUE(DecodeJpeg(withClaimedSize(small, 30000, 30000)).isNull());
    EXPECT_TRUE(DecodeJpeg(withClaimedSize(small, 60000, 600)).isNull());
    EXPECT_EQ(DecodeJpeg(encodeJpeg(717, 1053, qRgb(9, 9, 9))).size(), QSize(717, 1053));

    QTemporaryDir dir;
    const QString bomb = dir.filePath(QStringLiteral("m_p.jpg"));
    writeFile(bomb, withClaimedSize(small, 30000, 30000));
    EXPECT_TRUE(LoadPicture(bomb).isNull());
    // A bitmap header may claim the same: 30000 x 30000 in a 62-byte file.
    QImage tiny(1, 1, QImage::Format_Mono);
    tiny.fill(0);
    QByteArray bitmap;
    QBuffer out(&bitmap);
    ASSERT_TRUE(tiny.save(&out, "BMP"));
    qToLittleEndian<qint32>(30000, bitmap.data() + 18);
    qToLittleEndian<qint32>(30000, bitmap.data() + 22);
    const QString bmp = dir.filePath(QStringLiteral("arkusz_prw.bmp"));
    writeFile(bmp, bitmap);
    EXPECT_TRUE(LoadPicture(bmp).isNull());
}

TEST(Pictures, LoadsByContentAndSharesEachDecodedFile)
{
    TestApp();
    QTemporaryDir dir;
    const QString jpeg = dir.filePath(QStringLiteral("sw_str1.bmp"));  // JPEG content, any name
    writeFile(jpeg, encodeJpeg(20, 10, qRgb(0, 0, 255)));
    const QString bmp = dir.filePath(QStringLiteral("arkusz_prw.bmp"));
    QImage bitmap(8, 6, QImage::Format_RGB32);
    bitmap.fill(qRgb(0, 255, 0));
    ASSERT_TRUE(bitmap.save(bmp, "BMP"));

    EXPECT_EQ(LoadPicture(jpeg).size(), QSize(20, 10));
    EXPECT_EQ(LoadPicture(bmp).pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_TRUE(LoadPicture(dir.filePath(QStringLiteral("missing.jpg"))).isNull());

    PictureCache& cache = PictureCache::instance();
    cache.clear();
    const QImage first = cache.picture(jpeg);
    EXPECT_EQ(cache.picture(jpeg).cacheKey(), first.cacheKey());  // one decoded image, shared
    EXPECT_TRUE(cache.picture(dir.filePath(QStringLiteral("missing.jpg"))).isNull());
    cache.clear();
}

TEST(Pictures, TheCacheDecodesAgainAfterTheFileChangedAndKeepsItsByteLimit)
{
    TestApp();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("blank.jpg"));
    const auto setModified = [&](const QDateTime& when) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    };
    const QDateTime start = QDateTime::currentDateTime().addSecs(-100);
    PictureCache& cache = PictureCache::instance();
    cache.clear();

    struct Step {
        const char* what;
        QByteArray content;     // empty: the file is left as it is
        int secondsAfterStart;  // its modification time
        QSize size;             // of the picture the cache then gives
        bool decodedAgain;
    };
    const Step steps[] = {
        {"first read", encodeJpeg(20, 10, qRgb(0, 0, 255)), 0, {20, 10}, true},
        {"untouched", {}, 0, {20, 10}, false},
        {"same content, newer time", {}, 5, {20, 10}, true},
        {"other picture, same time", encodeJpeg(64, 48, qRgb(255, 0, 0)), 5, {64, 48}, true},
        {"no picture any more", QByteArray("not a picture any more"), 9, {}, true},
    };
    QImage previous;
    for (const Step& step : steps) {
        if (!step.content.isEmpty())
            writeFile(path, step.content);
        setModified(start.addSecs(step.secondsAfterStart));
        const QImage picture = cache.picture(path);
        EXPECT_EQ(picture.isNull() ? QSize() : picture.size(), step.size) << step.what;
        EXPECT_EQ(picture.cacheKey() != previous.cacheKey(), step.decodedAgain) << step.what;
        previous = picture;
    }

    // Three pictures of 20 x 10 pixels fit a limit of two: the least recently used goes.
    QStringList paths;
    for (int n = 0; n < 3; ++n) {
        paths << dir.filePath(QStringLiteral("p%1.jpg").arg(n));
        writeFile(paths.back(), encodeJpeg(20, 10, qRgb(0, 0, 255)));
    }
    cache.clear();
    const QImage kept = cache.picture(paths[0]);
    cache.setByteLimit(2 * kept.sizeInBytes());
    const qint64 first = cache.picture(paths[1]).cacheKey();
    cache.picture(paths[0]);
    cache.picture(paths[2]);
    EXPECT_EQ(cache.bytesHeld(), 2 * kept.sizeInBytes());
    EXPECT_EQ(cache.picture(paths[0]).cacheKey(), kept.cacheKey()) << "recently used, still held";
    EXPECT_NE(cache.picture(paths[1]).cacheKey(), first) << "least recently used, decoded again";
    cache.setByteLimit(PictureCache::kDefaultByteLimit);
    cache.clear();
}
