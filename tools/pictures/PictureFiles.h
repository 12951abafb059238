#pragma once
// The picture files the build puts into the program folder.
#include <QString>

#include "forms/Layout.h"
#include "tools/pictures/Paper.h"

namespace pictures {

inline const QString kBlankFolder = QStringLiteral("blanki");      // form dialogs' blanks
inline const QString kGraphicsFolder = QStringLiteral("grafika");  // preview and print pictures

struct PreviewBackground {
    const char* fileName;
    Paper paper;
};

// The backgrounds the renderer lays under the preview pages.
inline constexpr PreviewBackground kPreviewBackgrounds[] = {
    {"sw_str1_prw.bmp", Paper::CertificateFront},
    {"sw_str1_prw_wyr.bmp", Paper::CertificateFrontDistinction},
    {"sw_str2_prw.bmp", Paper::CertificateInner},
    {"arkusz_prw.bmp", Paper::Sheet},
};

inline constexpr char kStampPlaceFile[] = "m_p.jpg";
inline constexpr char kEmblemFile[] = "orzel.svg";

// Draws every picture into `programDir`: the blanks the layouts name into "blanki"
// (none without a catalog), the backgrounds, stamp place and emblem into "grafika".
// Returns the files written, relative to `programDir`; throws std::runtime_error
// naming the file that could not be written. Needs a QGuiApplication.
QStringList WritePictures(const LayoutCatalog* catalog, const QString& programDir);

}  // namespace pictures
