// The window registry, the instance lock and the hand-over of exceptions to the GUI thread.
#include "tests/main/MainTestSupport.h"

#include <QCoreApplication>
#include <QTimer>

#include <filesystem>

#include <stdexcept>
#include <thread>

#include "main/Glowna.h"
#include "platform/GuiThread.h"
#include "main/ProgramStart.h"
#include "main/WindowRegistry.h"

TEST(WindowRegistryTest, CreatesTheProvidedWindowsInTheFixedOrderAndDestroysThemBackwards)
{
    EnsureApplication();
    WindowRegistry registry;
    std::vector<std::string> events;
    auto make = [&events](const char* name) {
        return [&events, name] {
            events.push_back(std::string("new ") + name);
            auto* w = new QWidget;
            QObject::connect(w, &QObject::destroyed,
                             [&events, name] { events.push_back(std::string("delete ") + name); });
            return w;
        };
    };
    registry.provide("TFArkusz280str1", make("last"));
    registry.provide("TFLogi", make("logi"));
    registry.provide("TFGlowna", make("glowna"));
    QObject elsewhere;
    registry.provideOwnedElsewhere("TFSwiad205kl1", [&elsewhere] { return &elsewhere; });
    registry.provideOwnedElsewhere("TFSwiad200", [] { return nullptr; });
    EXPECT_THROW(registry.provide("TFNieistniejacy", make("x")), std::invalid_argument);
    registry.createAll();
    registry.createAll();
    EXPECT_EQ(registry.created(), (std::vector<std::string_view>{
                                      "TFGlowna", "TFLogi", "TFSwiad205kl1", "TFArkusz280str1"}));
    EXPECT_EQ(registry.window("TFSwiad205kl1"), &elsewhere);
    EXPECT_EQ(registry.window("TFSwiad200"), nullptr);
    EXPECT_EQ(registry.window("TFDrukuj"), nullptr);
    EXPECT_FALSE(registry.isProvided("TFDrukuj"));
    registry.clear();
    EXPECT_EQ(events, (std::vector<std::string>{"new glowna", "new logi", "new last", "delete last",
                                                "delete logi", "delete glowna"}));
    EXPECT_EQ(kWindowOrder.size(), 59u);
}

TEST(InstanceLockTest, OneHolderPerFolderUntilItEnds)
{
    TempFolders folders;
    auto first = std::make_unique<InstanceLock>();
    ASSERT_TRUE(first->acquire(folders.dataFolder()));
    InstanceLock second;
    EXPECT_FALSE(second.acquire(folders.dataFolder()));
    // Nothing in the folder can be deleted to get past the lock.
    for (const auto& entry : std::filesystem::directory_iterator(folders.dataFolder()))
        std::filesystem::remove_all(entry.path());
    EXPECT_FALSE(second.acquire(folders.dataFolder()));
    first.reset();
    EXPECT_TRUE(second.acquire(folders.dataFolder()));
}

TEST_F(ShellTest, ExceptionInAHandlerReachesTheErrorBoxAndTheProgramGoesOn)
{
    ASSERT_TRUE(start());
    dialogs.answerMessage(Answer::Ok);
    bool laterEventRan = false;
    QTimer::singleShot(0, &window(), [] { throw std::runtime_error("To nie jest liczba"); });
    QTimer::singleShot(0, &window(), [&] { laterEventRan = true; });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "To nie jest liczba");
    EXPECT_EQ(messages()[0].caption, kApplicationTitle);
    EXPECT_EQ(messages()[0].icon, MsgIcon::Error);
    EXPECT_TRUE(laterEventRan);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(ShellTest, WorkerThreadExceptionIsShownFromTheGuiThread)
{
    ASSERT_TRUE(start());
    dialogs.answerMessage(Answer::Ok);
    std::thread worker([] {
        try {
            throw std::runtime_error("Błąd pobierania");
        } catch (...) {
            ReportWorkerException();
        }
    });
    worker.join();
    EXPECT_TRUE(messages().empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Błąd pobierania");
}
