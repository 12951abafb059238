// Which paper each laid-out page gets, on a small fixture catalogue.
#include <stdexcept>

#include <gtest/gtest.h>

#include "forms/Layout.h"
#include "tools/pictures/BlankPlan.h"

using namespace pictures;

namespace {

LayoutCatalog Fixture()
{
    return LayoutCatalog::fromDirectory(QStringLiteral(VLM_SOURCE_DIR "/tests/pictures/fixture"));
}

const BlankPicture* Find(const std::vector<BlankPicture>& plan, const char* name)
{
    for (const BlankPicture& b : plan)
        if (b.fileName == QLatin1String(name))
            return &b;
    return nullptr;
}

}  // namespace

TEST(BlankPlan, EachNamedPictureOnceWithItsPaper)
{
    const std::vector<BlankPicture> plan = PlanBlanks(Fixture());
    ASSERT_EQ(plan.size(),
              4u);  // fix_str2.jpg is shared by both certificates; the unlaid form names none
    const struct {
        const char* name;
        Paper paper;
    } expected[] = {
        {"fix_str1.jpg", Paper::CertificateFront},
        {"fix_str2.jpg", Paper::CertificateInner},
        {"fixw_str1.jpg", Paper::CertificateFrontDistinction},
        {"fix_sheet.jpg", Paper::Sheet},
    };
    for (const auto& e : expected) {
        const BlankPicture* b = Find(plan, e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->paper, e.paper) << e.name;
    }
}

TEST(BlankPlan, SheetGridIsTheFramesOnly)
{
    const std::vector<BlankPicture> plan = PlanBlanks(Fixture());
    const BlankPicture* sheet = Find(plan, "fix_sheet.jpg");
    ASSERT_NE(sheet, nullptr);
    const std::vector<QRectF> frames{QRectF(QPointF(100, 200), QPointF(400, 500)),
                                     QRectF(QPointF(400, 200), QPointF(700, 500))};
    EXPECT_EQ(sheet->frames, frames);
    EXPECT_TRUE(Find(plan, "fix_str1.jpg")->frames.empty());
}

TEST(BlankPlan, OnePictureForTwoDifferentPagesIsRefused)
{
    LayoutCatalog catalog = Fixture();
    catalog.designs[QStringLiteral("fix_sheet")].picture = QStringLiteral("fix_str2.jpg");
    EXPECT_THROW(PlanBlanks(catalog), std::runtime_error);
}
