#pragma once
// Encodes a picture as baseline JPEG with libjpeg.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace pictures {

// The JPEG bytes of the image (any format; alpha is flattened onto white),
// or an empty array with the libjpeg message in *error.
QByteArray EncodeJpeg(const QImage& image, int quality, QString* error);

// Encodes and writes the file; false with the reason in *error.
bool WriteJpeg(const QImage& image, const QString& path, int quality, QString* error);

}  // namespace pictures
