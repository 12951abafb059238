// What the drawn papers show, checked on the pixels where the page geometry puts things.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include "platform/Pictures.h"
#include "tools/pictures/Emblem.h"
#include "tools/pictures/JpegEncoder.h"
#include "tools/pictures/PageGeometry.h"
#include "tools/pictures/Paper.h"
#include "tools/pictures/StampPlace.h"

using namespace pictures;

namespace {

// The darkest grey level within `radius` pixels of a point.
int DarkestNear(const QImage& image, QPointF at, int radius = 1)
{
    int darkest = 255;
    const QPoint c = at.toPoint();
    for (int y = c.y() - radius; y <= c.y() + radius; ++y)
        for (int x = c.x() - radius; x <= c.x() + radius; ++x)
            if (image.valid(x, y))
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

// Where the dialogs put a page point on a blank (the form layouts' own mapping).
QPointF OnBlank(QPointF page)
{
    const int x = qRound(page.x()), y = qRound(page.y());
    return toPicture(PageRect{x, y, x, y}).topLeft();
}

// Where the renderer puts a page point on a preview picture: (0, 0) at (74, 74),
// (885, 1314) at (957, 1388).
QPointF OnPreview(QPointF page)
{
    return {74.0 + page.x() * 883.0 / 885.0, 74.0 + page.y()};
}

bool IsReddish(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 110;
}

}  // namespace

TEST(Paper, SheetGridLinesLieOnTheFramesAtTheDialogScale)
{
    const std::vector<QRectF> frames{QRectF(QPointF(100, 200), QPointF(400, 500)),
                                     QRectF(QPointF(400, 200), QPointF(700, 500))};
    const QImage blank = DrawBlank(Paper::Sheet, frames);
    ASSERT_EQ(blank.size(), kBlankSize);
    const QPointF onLines[] = {{100, 350}, {400, 350}, {700, 350}, {250, 200}, {550, 500}};
    for (const QPointF& p : onLines)
        EXPECT_LT(DarkestNear(blank, OnBlank(p)), 120) << p.x() << "," << p.y();
    const QPointF offLines[] = {{250, 350}, {550, 350}, {250, 700}, {50, 100}};
    for (const QPointF& p : offLines)
        EXPECT_EQ(DarkestNear(blank, OnBlank(p), 3), 255) << p.x() << "," << p.y();
}

TEST(Paper, DistinctionFrontCarriesTheBandInTheCorner)
{
    const QImage plain = DrawBlank(Paper::CertificateFront);
    const QImage distinction = DrawBlank(Paper::CertificateFrontDistinction);
    const QPoint inRedStripe = OnBlank(QPointF(54, 54)).toPoint();
    EXPECT_TRUE(IsReddish(distinction.pixel(inRedStripe)));
    EXPECT_FALSE(IsReddish(plain.pixel(inRedStripe)));
    // Away from the corner both fronts are the same paper.
    const QPoint middle = OnBlank(QPointF(440, 900)).toPoint();
    EXPECT_EQ(plain.pixel(middle), distinction.pixel(middle));
    EXPECT_NE(plain, distinction);
}

TEST(Paper, CertificateBorderFollowsThePageOnBlankAndPreview)
{
    // The border's outer line runs 8 page units inside the page's left edge.
    const QPointF onBorder(8, 657);
    const QPointF insideIt(250, 657);
    struct Target {
        const char* what;
        QImage image;
        QPointF (*place)(QPointF);
    };
    const Target targets[] = {
        {"blank", DrawBlank(Paper::CertificateInner), OnBlank},
        {"preview", DrawPreviewBackground(Paper::CertificateInner), OnPreview},
    };
    for (const Target& target : targets) {
        EXPECT_LT(DarkestNear(target.image, target.place(onBorder)), 150) << target.what;
        EXPECT_GT(DarkestNear(target.image, target.place(insideIt), 0), 150) << target.what;
    }
}

TEST(Paper, PreviewShowsThePageInItsRectangleOnTheDesk)
{
    const QImage preview = DrawPreviewBackground(Paper::Sheet);
    ASSERT_EQ(preview.size(), kPreviewPictureSize);
    const QRgb desk = preview.pixel(30, 30);
    EXPECT_NE(desk, qRgb(255, 255, 255));
    for (const QPoint outside :
         {QPoint(73, 700), QPoint(500, 73), QPoint(958, 700), QPoint(500, 1389)})
        EXPECT_EQ(preview.pixel(outside), desk) << outside.x() << "," << outside.y();
    for (const QPoint inside : {QPoint(75, 75), QPoint(956, 1387), QPoint(500, 700)})
        EXPECT_EQ(preview.pixel(inside), qRgb(255, 255, 255)) << inside.x() << "," << inside.y();
}

TEST(JpegEncoder, RoundTripKeepsSizeAndColours)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    QPainter(&image).fillRect(32, 0, 32, 48, QColor(20, 40, 210));
    QString error;
    const QByteArray bytes = EncodeJpeg(image, 90, &error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
    const QImage decoded = DecodeJpeg(bytes);
    ASSERT_EQ(decoded.size(), image.size());
    for (const QPoint p : {QPoint(10, 20), QPoint(50, 20)}) {
        const QRgb want = image.pixel(p), got = decoded.pixel(p);
        EXPECT_NEAR(qRed(got), qRed(want), 8);
        EXPECT_NEAR(qGreen(got), qGreen(want), 8);
        EXPECT_NEAR(qBlue(got), qBlue(want), 8);
    }
}

TEST(JpegEncoder, EmptyImageIsAnErrorNotAFile)
{
    QString error;
    EXPECT_TRUE(EncodeJpeg(QImage(), 90, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WriteJpeg(QImage(8, 8, QImage::Format_RGB32),
                           QStringLiteral("/nonexistent-dir/x.jpg"), 90, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent-dir/x.jpg")));
}

TEST(Emblem, ParsesAsSvgWithInkOnTheBodyOnly)
{
    QSvgRenderer svg(EmblemSvg());
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 200, 220));
    QImage image(200, 220, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    EXPECT_GT(qAlpha(image.pixel(100, 110)), 200);  // body
    EXPECT_GT(qAlpha(image.pixel(90, 30)), 200);    // crown
    EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);
    EXPECT_EQ(qAlpha(image.pixel(197, 217)), 0);
}

// The emblem drawn at print size (a 24 mm wide picture at 600 dpi): in ink and white only,
// whole within its picture, and below the head and crown its two halves mirror each other.
TEST(Emblem, IsWholeAndSymmetricBelowItsHead)
{
    QSvgRenderer emblem(EmblemSvg());
    ASSERT_TRUE(emblem.isValid());
    QImage picture(560, 616, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    emblem.render(&painter);
    painter.end();
    const auto ink = [&](int x, int y) { return qGray(picture.pixel(x, y)) < 128; };

    int onEdge = 0;
    for (int x = 0; x < picture.width(); ++x)
        onEdge += ink(x, 0) + ink(x, picture.height() - 1);
    for (int y = 0; y < picture.height(); ++y)
        onEdge += ink(0, y) + ink(picture.width() - 1, y);
    EXPECT_EQ(onEdge, 0) << "no part of the eagle is cut off";

    // From 45 % of the height down the head, neck and crown are past; the wings, body, legs
    // and tail are drawn once and mirrored, so all but a few antialiased pixels agree.
    int inkPixels = 0, unmatched = 0;
    for (int y = picture.height() * 9 / 20; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() / 2; ++x) {
            const bool left = ink(x, y);
            inkPixels += left;
            unmatched += left != ink(picture.width() - 1 - x, y);
        }
    EXPECT_GT(inkPixels, 8000);
    EXPECT_LT(unmatched, inkPixels / 50);
}

TEST(StampPlace, MarkInTheMiddleWhiteCorners)
{
    const QImage stamp = DrawStampPlace();
    ASSERT_EQ(stamp.size(), QSize(kStampPlaceSize, kStampPlaceSize));
    EXPECT_EQ(stamp.pixel(2, 2), qRgb(255, 255, 255));
    const QRect letters(kStampPlaceSize / 3, kStampPlaceSize * 2 / 5, kStampPlaceSize / 3,
                        kStampPlaceSize / 5);
    int ink = 0;
    for (int y = letters.top(); y <= letters.bottom(); ++y)
        for (int x = letters.left(); x <= letters.right(); ++x)
            ink += qGray(stamp.pixel(x, y)) < 128;
    EXPECT_GT(ink, 100);
}
