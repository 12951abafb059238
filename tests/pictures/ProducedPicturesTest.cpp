// The pictures the build put into the program folder: each decodes at its size.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "forms/Layout.h"
#include "platform/Pictures.h"
#include "tools/pictures/BlankPlan.h"
#include "tools/pictures/PageGeometry.h"
#include "tools/pictures/PictureFiles.h"
#include "tools/pictures/StampPlace.h"

using namespace pictures;

namespace {

const QDir kProgramDir(QStringLiteral(VLM_PROGRAM_DIR));

// JPEG through the program's own libjpeg decoder, the other formats through Qt.
QImage Decode(const QString& path, const char* format)
{
    if (qstrcmp(format, "JPEG") == 0) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? DecodeJpeg(file.readAll()) : QImage();
    }
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

const QString kLayouts = QStringLiteral(VLM_SOURCE_DIR "/resources/layouts");

QString BlankPath(const QString& fileName)
{
    return kProgramDir.filePath(kBlankFolder + QLatin1Char('/') + fileName);
}

QString GraphicsPath(const QString& fileName)
{
    return kProgramDir.filePath(kGraphicsFolder + QLatin1Char('/') + fileName);
}

}  // namespace

class ProducedPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(kLayouts + QStringLiteral("/forms.json")))
            GTEST_SKIP() << "the forms are not registered yet";
        plan = PlanBlanks(LayoutCatalog::fromDirectory(kLayouts));
    }

    QStringList Named(Paper paper) const
    {
        QStringList names;
        for (const BlankPicture& blank : plan)
            if (blank.paper == paper)
                names << blank.fileName;
        return names;
    }

    std::vector<BlankPicture> plan;
};

TEST_F(ProducedPictures, EveryPaperOfTheLaidOutFormsHasItsBlankAtTheBlankSize)
{
    for (Paper paper : {Paper::CertificateFront, Paper::CertificateFrontDistinction,
                        Paper::CertificateInner, Paper::Sheet})
        EXPECT_FALSE(Named(paper).isEmpty()) << "no blank of paper " << int(paper);
    for (const BlankPicture& blank : plan)
        EXPECT_EQ(Decode(BlankPath(blank.fileName), "JPEG").size(), kBlankSize)
            << blank.fileName.toStdString();
}

TEST_F(ProducedPictures, DistinctionFrontDiffersFromThePlainOne)
{
    const QStringList plain = Named(Paper::CertificateFront);
    const QStringList distinction = Named(Paper::CertificateFrontDistinction);
    ASSERT_FALSE(plain.isEmpty());
    ASSERT_FALSE(distinction.isEmpty());
    EXPECT_NE(Decode(BlankPath(plain.front()), "JPEG"),
              Decode(BlankPath(distinction.front()), "JPEG"));
    EXPECT_NE(Decode(GraphicsPath(QStringLiteral("sw_str1_prw.bmp")), "BMP"),
              Decode(GraphicsPath(QStringLiteral("sw_str1_prw_wyr.bmp")), "BMP"));
}

TEST(ProducedGraphics, BackgroundsStampAndEmblemDecodeAtTheirSizes)
{
    for (const PreviewBackground& background : kPreviewBackgrounds) {
        const QString name = QLatin1String(background.fileName);
        EXPECT_EQ(Decode(GraphicsPath(name), "BMP").size(), kPreviewPictureSize)
            << background.fileName;
    }
    EXPECT_EQ(Decode(GraphicsPath(QLatin1String(kStampPlaceFile)), "JPEG").size(),
              QSize(kStampPlaceSize, kStampPlaceSize));
    QSvgRenderer emblem(GraphicsPath(QLatin1String(kEmblemFile)));
    EXPECT_TRUE(emblem.isValid());
}

TEST(PictureFiles, WritingIntoAFolderListsEveryFileItWrote)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const LayoutCatalog fixture =
        LayoutCatalog::fromDirectory(QStringLiteral(VLM_SOURCE_DIR "/tests/pictures/fixture"));
    const QStringList written = WritePictures(&fixture, dir.path());
    const QStringList expected{"blanki/fix_str1.jpg",     "blanki/fix_str2.jpg",
                               "blanki/fixw_str1.jpg",    "blanki/fix_sheet.jpg",
                               "grafika/sw_str1_prw.bmp", "grafika/sw_str1_prw_wyr.bmp",
                               "grafika/sw_str2_prw.bmp", "grafika/arkusz_prw.bmp",
                               "grafika/m_p.jpg",         "grafika/orzel.svg"};
    EXPECT_EQ(written, expected);
    for (const QString& file : written)
        EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(file))) << file.toStdString();
}

TEST(PictureFiles, UnwritableProgramFolderIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile blocker(QDir(dir.path()).filePath(QStringLiteral("blanki")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should go
    blocker.close();
    EXPECT_THROW(WritePictures(nullptr, dir.path()), std::runtime_error);
}
