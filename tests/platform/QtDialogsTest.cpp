// The production dialog service, driven the way a person would answer its Qt dialogs.
#include "TestApp.h"

#include "platform/DialogService.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `answer` on the modal dialog once it is up.
void WhenModalShows(std::function<void(QWidget*)> answer)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer, poll] {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
        else
            QTimer::singleShot(5, *poll);
    };
    QTimer::singleShot(0, *poll);
}

}  // namespace

TEST(QtDialogs, MessageBoxShowsTextCaptionIconAndMapsTheAnswer)
{
    TestApp();
    const struct {
        MsgButtons buttons;
        QMessageBox::StandardButton press;  // NoButton: closed with Esc
        Answer expected;
    } cases[] = {
        {MsgButtons::Ok, QMessageBox::Ok, Answer::Ok},
        {MsgButtons::YesNo, QMessageBox::Yes, Answer::Yes},
        {MsgButtons::YesNo, QMessageBox::No, Answer::No},
        {MsgButtons::YesNoCancel, QMessageBox::NoButton, Answer::Cancel},
    };
    for (const auto& c : cases) {
        QString seenText, seenTitle;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        WhenModalShows([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            if (c.press == QMessageBox::NoButton)
                box->reject();
            else
                box->button(c.press)->click();
        });
        const Answer answer = DialogService::instance().message(
            QStringLiteral("Czy na pewno chcesz zakończyć pracę ?"), QStringLiteral("Koniec"),
            MsgIcon::Question, c.buttons);
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(seenText, QStringLiteral("Czy na pewno chcesz zakończyć pracę ?"));
        EXPECT_EQ(seenTitle, QStringLiteral("Koniec"));
        EXPECT_EQ(seenIcon, QMessageBox::Question);
    }
}

TEST(QtDialogs, EnterPressesTheDefaultButton)
{
    TestApp();
    const struct {
        std::optional<Answer> defaultButton;
        Answer expected;
    } cases[] = {
        {std::nullopt, Answer::Yes},
        {Answer::No, Answer::No},
    };
    for (const auto& c : cases) {
        WhenModalShows([](QWidget* modal) {
            QWidget* focus = modal->focusWidget();
            QTest::keyClick(focus ? focus : modal, Qt::Key_Return);
        });
        EXPECT_EQ(DialogService::instance().message(
                      QStringLiteral("Czy na pewno chcesz skasować dane ucznia: \nAdamski Piotr"),
                      QStringLiteral("Usuń"), MsgIcon::Warning, MsgButtons::YesNo, c.defaultButton),
                  c.expected);
    }
}

TEST(QtDialogs, EmptyCaptionStaysBlankAndTheBellShowsAsALineBreak)
{
    TestApp();
    // The window system would show the program's name for an empty title.
    QString seenText, seenTitle;
    WhenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    const QString text = QStringLiteral("Przed aktualizacją programu zapisz dane") + QChar(7) +
                         QStringLiteral(" a następnie uruchom aktualizację.");
    EXPECT_EQ(DialogService::instance().message(text, QString(), MsgIcon::None, MsgButtons::Ok),
              Answer::Ok);
    EXPECT_FALSE(seenTitle.isEmpty());
    EXPECT_TRUE(seenTitle.trimmed().isEmpty());
    EXPECT_EQ(seenText, QStringLiteral("Przed aktualizacją programu zapisz dane\n a następnie "
                                       "uruchom aktualizację."));
}

TEST(QtDialogs, FileDialogGetsTheTranslatedFilterAndTheProposedName)
{
    TestApp();
    QTemporaryDir dir;
    const QString proposed = dir.filePath(QStringLiteral("nowy"));
    QStringList filters;
    WhenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    const auto chosen = DialogService::instance().saveFileName(
        QStringLiteral("Zapisz"), QStringLiteral("Velmorandia(*.sqvlm)|*.sqvlm"), proposed);
    EXPECT_EQ(filters, QStringList{QStringLiteral("Velmorandia (*.sqvlm)")});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, proposed);  // no extension added behind the caller's back
}

// Qt's dialog would read a typed name with a quote as a list of quoted names and return
// another name in another folder: the name is refused with a message, the dialog stays.
TEST(QtDialogs, ATypedNameWithAQuoteIsRefusedAndTheDialogStays)
{
    TestApp();
    QTemporaryDir dir;
    QString refusal;
    bool stayedOpen = false;
    WhenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("klasa \"4b\""));
        WhenModalShows([&](QWidget* box) {
            refusal = qobject_cast<QMessageBox*>(box) ? static_cast<QMessageBox*>(box)->text()
                                                      : QString();
            static_cast<QDialog*>(box)->accept();
        });
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
        stayedOpen = dialog->isVisible();
        name->setText(QStringLiteral("klasa 4b"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto chosen = DialogService::instance().saveFileName(
        QStringLiteral("Zapisz"), QStringLiteral("Velmorandia(*.sqvlm)|*.sqvlm"),
        dir.filePath(QStringLiteral("nowy")));
    EXPECT_EQ(refusal,
              QStringLiteral(
                  "Nazwa pliku nie może zawierać cudzysłowu (\").\nPopraw nazwę: klasa \"4b\""));
    EXPECT_TRUE(stayedOpen);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.filePath(QStringLiteral("klasa 4b")));
}

TEST(QtDialogs, InputQueryTakesOnlyWhatWindows1250CanHold)
{
    TestApp();
    const QString prompt = QStringLiteral("Proszę podać nazwę ustawień");
    const struct {
        QString typed;
        QString answer;  // after typing `typed` key by key, then pasting it whole
        QString label;   // the prompt, and under it what was left out
    } cases[] = {
        {QStringLiteral("Żółć"), QStringLiteral("nowa nazwaŻółćŻółć"), prompt},
        {QStringLiteral("Ж"), QStringLiteral("nowa nazwa"),  // Cyrillic: no Windows-1250 byte
         prompt + QStringLiteral("\n\nPominięto znaki, których nie można zapisać: Ж")},
        {QStringLiteral("a\u4E2Db"),
         QStringLiteral("nowa nazwaabab"),  // the rest of a paste is kept
         prompt + QStringLiteral("\n\nPominięto znaki, których nie można zapisać: \u4E2D")},
        {QStringLiteral("a\nb"), QStringLiteral("nowa nazwaaba b"),
         prompt},  // a pasted line break is a blank
    };
    for (const auto& c : cases) {
        QString seenTitle, seenLabel, labelAfter;
        WhenModalShows([&](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            seenTitle = dialog->windowTitle();
            seenLabel = dialog->labelText();
            auto* edit = dialog->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            edit->end(false);
            TypeText(edit, c.typed);
            PasteText(edit, c.typed);
            labelAfter = dialog->labelText();
            dialog->accept();
        });
        const auto answer = DialogService::instance().inputQuery(QStringLiteral("Nazwa"), prompt,
                                                                 QStringLiteral("nowa nazwa"));
        EXPECT_EQ(seenTitle, QStringLiteral("Nazwa"));
        EXPECT_EQ(seenLabel, prompt);
        EXPECT_EQ(labelAfter, c.label) << c.typed.toStdString();
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(*answer, c.answer) << c.typed.toStdString();
    }
}
