// A school may put its own official emblem into the data folder's "grafika", as "orzel.svg"
// or as "orzel.png": that picture is the one printed on page 1, and the next start's
// required-files check leaves it as the school put it.
#include "render/MarkPictures.h"
#include "render/RenderPages.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"
#include "store/RequiredFiles.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray OneColourSvg(const char* colour)
{
    return QByteArray(
               R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="22" viewBox="0 0 20 22">)") +
           R"(<rect width="20" height="22" fill=")" + colour + R"("/></svg>)";
}

QByteArray OneColourPng(QRgb colour)
{
    QImage image(20, 22, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class SchoolEmblemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        dialogs.setFailureHandler([](const std::string& message) { FAIL() << message; });
        folders.copyFactoryFiles();
        ErrorStream errors;
        ASSERT_TRUE(bFunCheckFilesDir(errors)) << errors.str();
    }

    // Page 1 of an ART-II/205/3 rendered for printing from the factory calibration set,
    // one pixel per page unit.
    QImage printedPageOne()
    {
        FixtureMainWindow host;
        RenderContext context = host.context();
        const FixtureForm form;
        EXPECT_TRUE(RenderPages(context, form, RenderPrint, 12, 2, true, true));
        return RasterPage(host.pages[0]);
    }

    TempFolders folders;
    ScriptedDialogs dialogs;
};

TEST_F(SchoolEmblemTest, TheSchoolsOwnPictureIsPrintedAndKeptAtTheNextStart)
{
    struct Case {
        const char* file;
        QByteArray picture;
        QRgb printed;
    };
    const Case cases[] = {
        {"grafika/orzel.svg", OneColourSvg("#0000ff"), qRgb(0, 0, 255)},
        {"grafika/orzel.png", OneColourPng(qRgb(255, 0, 0)), qRgb(255, 0, 0)},
    };
    // The emblem's rectangle in the factory set "swiad_205": (392, 40) to (492, 150).
    const QPoint inside[] = {{393, 41}, {442, 95}, {490, 148}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = folders.dataFile(c.file);
        WriteAll(path, c.picture);
        ErrorStream errors;
        ASSERT_TRUE(bFunCheckFilesDir(errors)) << errors.str();
        EXPECT_EQ(ReadAll(path), c.picture) << "the next start keeps the school's file";

        const QImage page = printedPageOne();
        for (const QPoint& p : inside)
            EXPECT_EQ(page.pixel(p), c.printed) << p.x() << ", " << p.y();
        EXPECT_EQ(page.pixel(391, 95), qRgb(255, 255, 255)) << "nothing outside the rectangle";
    }
}

TEST_F(SchoolEmblemTest, APngPictureIsTakenBeforeTheSvgOne)
{
    EXPECT_EQ(MarkPictureFile(folders.dataFolder(), MarkKind::Emblem),
              folders.dataFile("grafika/orzel.svg"));
    WriteAll(folders.dataFile("grafika/orzel.png"), OneColourPng(qRgb(0, 128, 0)));
    EXPECT_EQ(MarkPictureFile(folders.dataFolder(), MarkKind::Emblem),
              folders.dataFile("grafika/orzel.png"));
    EXPECT_EQ(MarkPictureFile(folders.dataFolder(), MarkKind::Stamp),
              folders.dataFile("grafika/m_p.jpg"));
}

TEST_F(SchoolEmblemTest, TheFactoryEmblemPrintsInBlackOnWhite)
{
    const QImage page = printedPageOne();
    int black = 0, other = 0;
    for (int y = 40; y < 150; ++y)
        for (int x = 392; x < 492; ++x) {
            const QRgb p = page.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                ++other;
            else if (qGray(p) < 128)
                ++black;
        }
    EXPECT_EQ(other, 0) << "one colour only";
    EXPECT_GT(black, 1000) << "the eagle's lines are printed";
}

}  // namespace
