#include "TestApp.h"

#include "platform/OsServices.h"

#include <gtest/gtest.h>

TEST(OsServices, AddressesAndPathsGoToTheDesktopAsSuch)
{
    const struct {
        const char* given;
        const char* url;
    } cases[] = {
        {"https://example.invalid/kontakt", "https://example.invalid/kontakt"},
        {"mailto:pomoc@example.invalid", "mailto:pomoc@example.invalid"},
        {"/opt/vlm/bin/Dovivureze.html", "file:///opt/vlm/bin/Dovivureze.html"},
        {"/home/ala/Pliki: zeszłe/a.html", "file:///home/ala/Pliki: zeszłe/a.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopUrl(QString::fromUtf8(c.given)).toString(), QString::fromUtf8(c.url))
            << c.given;
}

namespace {
class FakeOs : public OsServices {
public:
    QStringList opened;
    bool openDocument(const QString& pathOrUrl) override
    {
        opened << pathOrUrl;
        return true;
    }
    QDateTime utcNow() const override
    {
        return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
    }
};
}  // namespace

TEST(OsServices, TestsReplaceTheSystemsServices)
{
    FakeOs fake;
    OsServices* previous = OsServices::install(&fake);
    EXPECT_TRUE(OsServices::instance().openDocument(QStringLiteral("/x/Dovivureze.html")));
    EXPECT_EQ(OsServices::instance().utcNow().date(), QDate(2026, 1, 2));
    OsServices::install(previous);
    EXPECT_EQ(fake.opened, QStringList{QStringLiteral("/x/Dovivureze.html")});
    EXPECT_NE(&OsServices::instance(), &fake);
    EXPECT_EQ(OsServices::instance().utcNow().timeSpec(), Qt::UTC);
}
