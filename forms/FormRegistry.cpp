#include "forms/FormRegistry.h"

#include <string_view>
#include <unordered_map>

#include "platform/Fonts.h"

#include <QCoreApplication>

FormRegistry::FormRegistry(const LayoutCatalog& catalog)
    : catalog_(catalog)
{
    // Line breaks of the memos depend on the fonts the layouts name.
    InstallFontSubstitutions();
    for (const FormSpec& definition : catalog.forms)
        forms_.push_back(std::make_unique<DocumentForm>(definition, catalog, *this));
    for (const FormSpec& definition : catalog.standaloneForms)
        standalone_.push_back(std::make_unique<DocumentForm>(definition, catalog, *this));
}

FormRegistry& FormRegistry::instance()
{
    static FormRegistry registry;
    // Windows must go while the application object still exists; the registry itself
    // outlives it.
    static const bool cleanup = [] {
        qAddPostRoutine([] {
            for (const auto& f : instance().forms_)
                f->releaseWindow();
            for (const auto& f : instance().standalone_)
                f->releaseWindow();
        });
        return true;
    }();
    (void)cleanup;
    return registry;
}

DocumentForm* FormRegistry::form(const QString& className) const
{
    for (const auto* list : {&forms_, &standalone_})
        for (const auto& f : *list)
            if (f->className() == className)
                return f.get();
    return nullptr;
}

DocumentForm* FormRegistry::byInstance(const QString& instanceName) const
{
    for (const auto& f : forms_)
        if (f->instanceName() == instanceName)
            return f.get();
    return nullptr;
}

void FormRegistry::ClearAll()
{
    for (const auto& f : forms_)
        f->ClearFields();
}

void FormRegistry::CollectAll(std::vector<FieldRecord>& records) const
{
    for (const auto& f : forms_)
        f->CollectFields(records);
}

void FormRegistry::FillAll(const std::vector<FieldRecord>& records)
{
    // One pass over the student's rows instead of one per form.
    std::unordered_map<std::string_view, std::vector<const FieldRecord*>> byKey;
    for (const FieldRecord& r : records)
        byKey[r.id].push_back(&r);
    static const std::vector<const FieldRecord*> none;
    for (const auto& f : forms_) {
        const auto own = byKey.find(f->key().toStdString());
        f->FillOwnFields(own == byKey.end() ? none : own->second);
    }
}
