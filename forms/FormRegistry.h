#pragma once
// The 48 document forms, created once from the layouts and kept until exit, in the
// main window's order (the order of every clear, save and load sweep). A form is
// reached by its class name ("TFSwiad205kl2") or its instance name ("FSwiad205kl2").

#include "forms/DocumentForm.h"

#include <functional>
#include <memory>
#include <vector>

class FormRegistry {
public:
    explicit FormRegistry(const LayoutCatalog& catalog = LayoutCatalog::builtIn());
    // The program's forms, created on first use.
    static FormRegistry& instance();

    const LayoutCatalog& catalog() const { return catalog_; }
    const std::vector<std::unique_ptr<DocumentForm>>& forms() const { return forms_; }
    // A registered or standalone form by class name.
    DocumentForm* form(const QString& className) const;
    DocumentForm* byInstance(const QString& instanceName) const;

    // The sweeps of the main window, over every form in order.
    void ClearAll();
    void CollectAll(std::vector<FieldRecord>& records) const;
    void FillAll(const std::vector<FieldRecord>& records);

    // The main window's save of the current student, run by a form's "OK"; the form
    // closes only when it returns true. Unset: nothing is saved and "OK" keeps it open.
    void setSaveStudentData(std::function<bool()> save) { save_ = std::move(save); }
    bool saveStudentData() const { return save_ && save_(); }

private:
    const LayoutCatalog& catalog_;
    std::vector<std::unique_ptr<DocumentForm>> forms_;
    std::vector<std::unique_ptr<DocumentForm>> standalone_;
    std::function<bool()> save_;
};
