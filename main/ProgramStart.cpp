#include "main/ProgramStart.h"

#include <QDialog>

#include "main/CertificatesFile.h"
#include "main/Glowna.h"
#include "main/InstanceLock.h"
#include "main/Logi.h"
#include "main/OProgramie.h"
#include "main/Wait.h"
#include "main/WindowRegistry.h"
#include "platform/Application.h"
#include "platform/DialogService.h"
#include "store/Folders.h"

namespace {

// Registers `create` under `className`; the global instance follows the window's life.
template <class Window>
void Provide(WindowRegistry& registry, std::string_view className, Window*& global,
             std::function<Window*()> create)
{
    registry.provide(className, [&global, create] {
        global = create();
        QObject::connect(global, &QObject::destroyed, [&global] { global = nullptr; });
        return global;
    });
}

}  // namespace

QString CommandLineFile(const QStringList& arguments)
{
    const QString text = arguments.join(' ');
    return text.length() > 5 ? text : QString();
}

void ProvideProgramWindows(WindowRegistry& registry)
{
    Provide<TFGlowna>(registry, "TFGlowna", FGlowna, [] { return new TFGlowna; });
    Provide<TFWait>(registry, "TFWait", FWait, [] { return new TFWait; });
    Provide<TFOProgramie>(registry, "TFOProgramie", FOProgramie, [] { return new TFOProgramie; });
    Provide<TFLogi>(registry, "TFLogi", FLogi, [] { return new TFLogi(FGlowna->ErrorStream); });
}

bool StartProgram(const QStringList& arguments, InstanceLock& lock)
{
    if (auto* app = Application::instance())
        app->setTitle(kApplicationTitle);

    ErrorStream folderErrors;
    const std::string dataFolder = strFunGetMainDirPath(folderErrors);
    if (!dataFolder.empty() && !lock.acquire(dataFolder)) {
        DialogService::instance().message(
            "Program Velmorandia jest już uruchomiony.\nPrzed ponownym uruchomieniem zakończ "
            "pracę z programem.",
            kApplicationTitle, MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }

    WindowRegistry& registry = WindowRegistry::instance();
    ProvideProgramWindows(registry);
    registry.createAll();

    if (!FGlowna->StartupInit())
        return false;
    FGlowna->showMaximized();

    const QString file = CommandLineFile(arguments);
    if (!file.isEmpty()) {
        const bool opened = FileExists(file.toStdString()) && bFunWczytajPlikSwiadectw(*FGlowna, file);
        FGlowna->setCurrentPath(opened ? file : QString());
    }
    return true;
}
