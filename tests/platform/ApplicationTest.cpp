#include "TestApp.h"

#include "platform/ScriptedDialogs.h"
#include "store/CppSQLite3.h"

#include <QFont>
#include <QMouseEvent>
#include <QFontInfo>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

TEST(Application, ExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    TestApp();
    ScriptedDialogs script;
    script.answerMessage(Answer::Ok).answerMessage(Answer::Ok);

    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        throw std::runtime_error("'abc' nie jest liczbą");
    });
    // A click arrives as mouse events through notify(), as from a person.
    button.resize(50, 20);
    button.show();
    for (int i = 0; i < 2; ++i) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &release);
    }
    EXPECT_EQ(clicks, 2);
    const auto boxes = script.requestsOf(DialogKind::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("'abc' nie jest liczbą"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Tovrix - Velmorandia"));
    EXPECT_EQ(boxes[0].icon, MsgIcon::Error);
    EXPECT_EQ(boxes[0].buttons, MsgButtons::Ok);
}

// A database error that escapes a handler shows its code name and text, not an empty box.
TEST(Application, DatabaseExceptionShowsItsMessage)
{
    TestApp();
    ScriptedDialogs script;
    script.answerMessage(Answer::Ok);
    try {
        throw CppSQLite3Exception(5, "database is locked");
    } catch (...) {
        Application::instance()->showCurrentException();
    }
    const auto boxes = script.requestsOf(DialogKind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("SQLITE_BUSY")) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[0].text.contains("database is locked")) << boxes[0].text.toStdString();
}

TEST(Application, MessageLoopSurvivesAThrowingTimer)
{
    Application& app = TestApp();
    ScriptedDialogs script;
    script.answerMessage(Answer::Ok);
    bool afterwards = false;
    QTimer::singleShot(0, [] { throw 42; });
    QTimer::singleShot(10, [&] {
        afterwards = true;
        app.quit();
    });
    EXPECT_EQ(app.runMessageLoop(), 0);
    EXPECT_TRUE(afterwards);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_TRUE(script.requests()[0].text.isEmpty());  // not a std::exception: empty message
}

TEST(Fonts, WindowsFamiliesAreSubstitutedByLiberation)
{
    TestApp();  // installs the substitutions
    InstallFontSubstitutions();
    const struct {
        const char* requested;
        const char* expected;
    } cases[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
    };
    for (const auto& c : cases) {
        QFont font(QString::fromLatin1(c.requested));
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(c.expected)) << c.requested;
    }
}
