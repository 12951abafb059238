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

// kWindowOrder, the creation order: the main window first, the student dialog second. A
// window's construction may rely only on the windows before it. It is data ("windowOrder" in
// resources/layouts/documents.json), written out at build time by render/CatalogueData.cmake.
#include "WindowOrder.inc"

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
