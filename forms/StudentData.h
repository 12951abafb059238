#pragma once
// What the document forms read of the student dialog while they fill themselves: the
// current texts of its fields (Imie_DATA_EDIT, Nazwisko_DATA_EDIT, UrodzonyDnia_DATA_EDIT,
// UrodzonyRok_DATA_COMBOBOX, UrodzonyMiasto_DATA_COMBOBOX, UrodzonyWoj_DATA_COMBOBOX,
// Plec_DATA_COMBOBOX, NrDziennika_DATA_EDIT, NumerPesel_DATA_EDIT). The student dialog
// installs itself; with none installed every field reads as empty.

#include <QString>

class StudentData {
public:
    virtual ~StudentData() = default;
    virtual QString fieldText(const QString& name) const = 0;

    // The source in use (never null).
    static const StudentData& current();
    // `source` must outlive its use; nullptr uninstalls.
    static void install(const StudentData* source);
};
