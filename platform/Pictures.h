#pragma once
// Pictures of the blanks and the stamp: JPEG decoded with libjpeg, every other format
// (BMP, PNG, ...) through Qt. A damaged or missing file, or one that claims more than
// 10000 pixels a side or 25 million pixels, gives a null image, never an exit.

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

QImage DecodeJpeg(const QByteArray& data);
// Chooses the decoder by the file's content, not its name.
QImage LoadPicture(const QString& path);

// Each file is decoded once while it stays as it was: a file whose size or modification
// time changed is decoded again. Every window that shows a picture shares the one decoded
// image. The cache keeps at most byteLimit() bytes of pictures, letting the least recently
// used go first (a window still showing one keeps its share). Failures are not
// remembered, so a file that appears later is read then.
class PictureCache {
public:
    static constexpr qint64 kDefaultByteLimit = 64 * 1024 * 1024;

    static PictureCache& instance();
    QImage picture(const QString& path);
    void clear() { entries_.clear(); }
    qint64 byteLimit() const { return byteLimit_; }
    void setByteLimit(qint64 bytes);
    qint64 bytesHeld() const;

private:
    struct Entry {
        qint64 fileSize = 0;
        qint64 modified = 0;  // milliseconds since the epoch
        QImage image;
        quint64 lastUse = 0;
    };
    void trim();

    QHash<QString, Entry> entries_;
    quint64 clock_ = 0;
    qint64 byteLimit_ = kDefaultByteLimit;
};
