#include "main/WindowRegistry.h"

#include <algorithm>
#include <stdexcept>
#include <string>

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

std::size_t WindowRegistry::indexOf(std::string_view className)
{
    const auto it = std::find(kWindowOrder.begin(), kWindowOrder.end(), className);
    if (it == kWindowOrder.end())
        throw std::invalid_argument("unknown window class " + std::string(className));
    return static_cast<std::size_t>(it - kWindowOrder.begin());
}

void WindowRegistry::provide(std::string_view className, Factory factory)
{
    slots_[indexOf(className)] = Slot{std::move(factory), true, nullptr};
}

void WindowRegistry::provideOwnedElsewhere(std::string_view className, Factory factory)
{
    slots_[indexOf(className)] = Slot{std::move(factory), false, nullptr};
}

bool WindowRegistry::isProvided(std::string_view className) const
{
    return static_cast<bool>(slots_[indexOf(className)].factory);
}

void WindowRegistry::createAll()
{
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        Slot& slot = slots_[i];
        if (!slot.factory || slot.window)
            continue;
        slot.window = slot.factory();
        if (slot.window)
            creationOrder_.push_back(i);
    }
}

QObject* WindowRegistry::window(std::string_view className) const
{
    return slots_[indexOf(className)].window;
}

std::vector<std::string_view> WindowRegistry::created() const
{
    std::vector<std::string_view> names;
    for (std::size_t i : creationOrder_)
        names.push_back(kWindowOrder[i]);
    return names;
}

void WindowRegistry::clear()
{
    for (auto it = creationOrder_.rbegin(); it != creationOrder_.rend(); ++it) {
        Slot& slot = slots_[*it];
        if (slot.owned)
            delete slot.window;
    }
    creationOrder_.clear();
    slots_ = {};
}
