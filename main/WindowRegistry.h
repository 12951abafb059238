#pragma once
// Every window of the program is created once at start, in one fixed order, and lives
// until exit. Each area provides the factories of its windows; a window nobody provides
// yet is passed over. A factory also sets the window's global instance (FGlowna, ...).
// The document forms are objects that build their widgets when first shown.
#include <QObject>

#include <array>
#include <functional>
#include <string_view>
#include <vector>

// The creation order: the main window first, the student dialog second. A window's
// construction may rely only on the windows before it.
inline constexpr std::array<std::string_view, 59> kWindowOrder = {
    "TFGlowna",        "TFDaneUcznia",    "TFSwiad205kl2",    "TFKalibracja",    "TFDaneSzkoly",
    "TFDrukuj",        "TFWait",          "TFOProgramie",     "TFLogi",          "TFSwiad205wkl2",
    "TFSwiad221w",     "TFArkusz281str1", "TFArkusz283str2",  "TFArkusz283str3", "TFArkusz283str4",
    "TFAktualizacja",  "TFSwiad221",      "TFSwiad205wkl1",   "TFSwiad205kl3",   "TFSwiad205wkl3",
    "TFSwiad205kl4",   "TFSwiad205wkl4",  "TFSwiad205kl6",    "TFSwiad205wkl6",  "TFSQLImport",
    "TFSwiad205kl1",   "TFArkusz283str1", "TFArkusz280str5",  "TFArkusz280str7", "TFArkusz280str2",
    "TFArkusz280str3", "TFArkusz280str4", "TFArkusz281str7",  "TFSwiad201w",     "TFSwiad201bw",
    "TFSwiad203w",     "TFSwiad220w",     "TFArkusz280astr1", "TFArkusz280str6", "TFArkusz281str2",
    "TFArkusz281str4", "TFArkusz281str3", "TFArkusz281str5",  "TFSwiad220",      "TFSwiad201",
    "TFSwiad204",      "TFSwiad203",      "TFArkusz281str6",  "TFSwiad200",      "TFSwiad200a",
    "TFSwiad201cw",    "TFSwiad201b",     "TFSwiad205aw",     "TFSwiad201c",     "TFSwiad204a",
    "TFSwiad205a",     "TFSwiad205kl5",   "TFSwiad205wkl5",   "TFArkusz280str1",
};

class WindowRegistry {
public:
    using Factory = std::function<QObject*()>;

    static WindowRegistry& instance();

    // The registry owns what `factory` returns. Throws std::invalid_argument for a class
    // that is not in kWindowOrder.
    void provide(std::string_view className, Factory factory);
    // What `factory` returns lives elsewhere (the document forms); null = not there.
    void provideOwnedElsewhere(std::string_view className, Factory factory);
    bool isProvided(std::string_view className) const;

    // Creates every provided window not created yet, in kWindowOrder.
    void createAll();
    // The created window of that class, or null.
    QObject* window(std::string_view className) const;
    template <class T>
    T* window(std::string_view className) const
    {
        return qobject_cast<T*>(window(className));
    }
    // The classes created, in creation order.
    std::vector<std::string_view> created() const;
    // Destroys the windows it owns, the last created first, and forgets the factories.
    void clear();

private:
    struct Slot {
        Factory factory;
        bool owned = true;
        QObject* window = nullptr;
    };
    static std::size_t indexOf(std::string_view className);

    std::array<Slot, kWindowOrder.size()> slots_;
    std::vector<std::size_t> creationOrder_;
};
