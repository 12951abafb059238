#include "tools/pictures/BlankPlan.h"

#include <algorithm>
#include <stdexcept>

namespace pictures {
namespace {

QRectF ToRectF(const PageRect& r)
{
    return QRectF(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2));
}

Paper PaperOf(const FormSpec& form, const PageDesign& design)
{
    if (form.kind != FormKind::Certificate)
        return Paper::Sheet;
    if (design.page != 1)
        return Paper::CertificateInner;
    return form.calibrationSet.endsWith(QLatin1Char('w')) ? Paper::CertificateFrontDistinction
                                                          : Paper::CertificateFront;
}

}  // namespace

std::vector<QRectF> SheetFrames(const PageDesign& design)
{
    std::vector<QRectF> frames;
    for (const DrawingElement& d : design.drawings)
        if (d.name.startsWith(QStringLiteral("GRAFIKA: RAMKA")))
            frames.push_back(ToRectF(d.rect));
    return frames;
}

std::vector<BlankPicture> PlanBlanks(const LayoutCatalog& catalog)
{
    std::vector<BlankPicture> plan;
    for (const FormSpec& form : catalog.forms) {
        for (const FormPage& page : form.pages) {
            const auto design = catalog.designs.constFind(page.design);
            if (design == catalog.designs.cend() || design->picture.isEmpty())
                continue;
            BlankPicture wanted{design->picture, PaperOf(form, *design), {}};
            if (wanted.paper == Paper::Sheet)
                wanted.frames = SheetFrames(*design);
            auto same = std::find_if(plan.begin(), plan.end(), [&](const BlankPicture& b) {
                return b.fileName == wanted.fileName;
            });
            if (same == plan.end()) {
                plan.push_back(std::move(wanted));
            } else if (same->paper != wanted.paper || same->frames != wanted.frames) {
                throw std::runtime_error(("picture " + wanted.fileName +
                                          " is named by pages that look different (" +
                                          form.className + ", " + page.design + ")")
                                             .toStdString());
            }
        }
    }
    return plan;
}

}  // namespace pictures
