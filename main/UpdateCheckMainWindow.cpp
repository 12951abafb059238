#include "main/UpdateCheckMainWindow.h"

#include "main/Aktualizacja.h"
#include "main/Glowna.h"
#include "main/UpdateCheckHost.h"
#include "main/UpdateCheckThread.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"

#include <memory>

namespace {

constexpr int kUpdateTimerIntervalMs = 1000;

class MainWindowUpdateHost : public UpdateHost {
public:
    explicit MainWindowUpdateHost(TFGlowna& window)
        : window_(window)
    {
    }
    bool modified() const override { return window_.Modified == 1; }
    void enableUpdateTimer() override { window_.AktualizacjaTimer->setEnabled(true); }
    void setClosing() override { window_.Closing = 1; }

private:
    TFGlowna& window_;
};

std::unique_ptr<MainWindowUpdateHost> mainWindowHost;

}  // namespace

void ConnectUpdateCheck(TFGlowna& window)
{
    mainWindowHost = std::make_unique<MainWindowUpdateHost>(window);
    SetUpdateHost(mainWindowHost.get());
    QObject::connect(&window, &QObject::destroyed, [] {
        StopUpdateChecks();
        SetUpdateHost(nullptr);
        mainWindowHost.reset();
    });
    window.AktualizacjaTimer->setIntervalMs(kUpdateTimerIntervalMs);
    QObject::connect(window.AktualizacjaTimer, &Timer::timeout, &window,
                     [&window] { AktualizacjaTimerTimer(window); });
}

void AktualizacjaTimerTimer(TFGlowna& window)
{
    window.AktualizacjaTimer->setEnabled(false);
    if (FAktualizacja)
        DialogService::instance().showModal(*FAktualizacja);
    if (window.Closing == 1)
        window.close();
}
