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

// Each file is decoded once; every window that shows it shares the one decoded image.
// Failures are not remembered, so a file that appears later is read then.
class PictureCache {
public:
    static PictureCache& instance();
    QImage picture(const QString& path);
    void clear() { images_.clear(); }

private:
    QHash<QString, QImage> images_;
};
