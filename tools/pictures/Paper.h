#pragma once
// The recipe shared by the blank pictures of the form dialogs and the preview
// backgrounds: which paper a page is, drawn at either size.
#include <vector>

#include <QImage>
#include <QRectF>

namespace pictures {

enum class Paper {
    CertificateFront,             // page 1 of a plain certificate
    CertificateFrontDistinction,  // page 1 of a certificate with distinction
    CertificateInner,             // the further pages of a certificate
    Sheet,                        // a grade-sheet page: white paper and its grid
};

// A blank picture (717 x 1053) for a form dialog; `frames` are the grid of a sheet page.
QImage DrawBlank(Paper paper, const std::vector<QRectF>& frames = {});

// A preview background: the paper stretched into the preview's page rectangle on a grey desk.
QImage DrawPreviewBackground(Paper paper);

}  // namespace pictures
