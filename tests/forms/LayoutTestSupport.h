#pragma once
// Shared by the layout tests: counting and finding components, the checked-in name lists,
// and edited copies of the built-in layouts for the validator.
#include "forms/Layout.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <ostream>

// Components by kind; labels counts the printed ones (a "_DATA_LABEL" name).
struct ComponentCounts {
    int edits = 0, combos = 0, memos = 0, labels = 0;
    bool operator==(const ComponentCounts&) const = default;
};
ComponentCounts CountComponents(const QList<LayoutComponent>& comps);
inline void PrintTo(const ComponentCounts& n, std::ostream* os)
{
    *os << "{edits " << n.edits << ", combos " << n.combos << ", memos " << n.memos << ", labels "
        << n.labels << "}";
}

// The components of a form of the built-in catalogue.
QList<LayoutComponent> BuiltInComponents(const QString& className);
QStringList ComponentNames(const QList<LayoutComponent>& comps);
const LayoutComponent* FindComponent(const QList<LayoutComponent>& comps, const QString& name);

// A field's typing limit and states as its layout must give them.
struct FieldState {
    const char* name;
    int maxLength;
    bool disabled, readOnly;
};
void ExpectFieldState(const QList<LayoutComponent>& comps, const FieldState& want);

// The component names of a form as checked in under tests/forms/names/, in order.
QStringList CheckedInNames(const QString& className);

// Copies the layouts of resources/layouts into `folder`.
void CopyBuiltInLayouts(const QString& folder);

// One text of a layout file replaced by a wrong one, and what the validator must then report.
struct LayoutEdit {
    const char* file;
    const char* from;
    const char* to;
    const char* expectedFragment;
};
// Validates a copy of the layouts with the last occurrence of `from` in the file replaced by
// `to`: the problems must mention the expected fragment.
void ExpectEditRejected(const LayoutEdit& edit);
