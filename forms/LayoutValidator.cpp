#include "forms/LayoutValidator.h"

#include <QHash>

#include <algorithm>
#include <QRegularExpression>
#include <QSet>

namespace {

QString kindName(ComponentKind k)
{
    switch (k) {
    case ComponentKind::Label:
        return "label";
    case ComponentKind::Edit:
        return "edit";
    case ComponentKind::Combo:
        return "combo";
    case ComponentKind::Memo:
        return "memo";
    }
    return {};
}

// The kind a stored-field marker demands, if the name carries one.
std::optional<ComponentKind> markerKind(const QString& name)
{
    if (name.contains("_DATA_EDIT"))
        return ComponentKind::Edit;
    if (name.contains("_DATA_COMBOBOX"))
        return ComponentKind::Combo;
    if (name.contains("_DATA_MEMO"))
        return ComponentKind::Memo;
    return std::nullopt;
}

// Component lookup of one form, by exact name.
class FormIndex {
public:
    FormIndex(const LayoutCatalog& cat, const FormSpec& form)
        : form_(form)
    {
        for (const LayoutComponent& c : cat.components(form))
            kinds_.insert(c.name, c.kind);
    }
    // Empty when `name` is a component of one of `allowed` kinds, else the complaint.
    QString check(const QString& name, const QList<ComponentKind>& allowed,
                  const QString& where) const
    {
        const auto it = kinds_.constFind(name);
        if (it == kinds_.constEnd())
            return form_.className + ": " + where + " names no component \"" + name + "\"";
        for (ComponentKind k : allowed)
            if (*it == k)
                return {};
        return form_.className + ": " + where + " names the " + kindName(*it) + " \"" + name +
               "\", which is the wrong kind";
    }

private:
    const FormSpec& form_;
    QHash<QString, ComponentKind> kinds_;
};

const QList<ComponentKind> kTextFields = {ComponentKind::Edit, ComponentKind::Combo};

void checkDesign(const PageDesign& d, QStringList& out)
{
    for (const LayoutComponent& c : d.components) {
        const QString where = d.name + ": " + c.name;
        const auto marker = markerKind(c.name);
        if (c.kind == ComponentKind::Label) {
            if (marker)
                out << where + ": a label carries a stored-field marker";
        } else if (!marker || *marker != c.kind) {
            out << where + ": a " + kindName(c.kind) + " needs its own data marker";
        }
        if (c.kind == ComponentKind::Memo && c.lineLimit <= 0)
            out << where + ": a memo without a line limit";
    }
}

void checkFormNames(const LayoutCatalog& cat, const FormSpec& f, QStringList& out)
{
    QHash<QString, QString> folded;
    for (const LayoutComponent& c : cat.components(f)) {
        const QString key = c.name.toLower();  // the names are ASCII: folds A-Z only
        if (folded.contains(key) && folded.value(key) != c.name)
            out << f.className + ": \"" + c.name + "\" collides with \"" + folded.value(key) +
                       "\" when case is ignored";
        else if (folded.contains(key))
            out << f.className + ": \"" + c.name + "\" appears twice";
        folded.insert(key, c.name);
    }
}

void checkDialogName(const LayoutCatalog& cat, const QString& dialog, const QString& name,
                     const QString& where, QStringList& out)
{
    if (!cat.dialogFields.value(dialog).contains(name))
        out << where + " names no field \"" + name + "\" of " + dialog;
}

void checkFormData(const LayoutCatalog& cat, const FormSpec& f, QStringList& out)
{
    const FormIndex index(cat, f);
    auto add = [&out](const QString& problem) {
        if (!problem.isEmpty())
            out << problem;
    };
    for (const FormPage& p : f.pages)
        if (!cat.designs.contains(p.design))
            out << f.className + ": unknown design \"" + p.design + "\"";
    for (auto it = f.listSubstitutions.begin(); it != f.listSubstitutions.end(); ++it)
        if (!cat.lists.contains(it.value()))
            out << f.className + ": unknown list \"" + it.value() + "\"";

    if (!f.schoolData.isEmpty()) {
        if (!cat.schoolData.contains(f.schoolData))
            out << f.className + ": unknown school-data pairs \"" + f.schoolData + "\"";
        for (const auto& [dialogName, field] : cat.schoolData.value(f.schoolData)) {
            checkDialogName(cat, "TFDaneSzkoly", dialogName, f.className + ": school-data pair",
                            out);
            add(index.check(field, {ComponentKind::Edit}, "school-data pair"));
        }
    }
    if (!f.student.isEmpty()) {
        if (!cat.studentRules.contains(f.student))
            out << f.className + ": unknown student rules \"" + f.student + "\"";
        for (const StudentRule& r : cat.studentRules.value(f.student)) {
            add(index.check(r.target, {ComponentKind::Edit}, "student rule"));
            for (const QString& src : r.join)
                checkDialogName(cat, "TFDaneUcznia", src, f.className + ": student rule", out);
        }
    }
    if (!f.samples.isEmpty()) {
        if (!cat.samples.contains(f.samples))
            out << f.className + ": unknown samples \"" + f.samples + "\"";
        for (const SampleStep& s : cat.samples.value(f.samples).steps)
            add(s.isMemo ? index.check(s.field, {ComponentKind::Memo}, "sample")
                         : index.check(s.field, kTextFields, "sample"));
    }
    for (const QList<Preset>& presets : f.presets)
        for (const Preset& p : presets)
            add(index.check(p.field, kTextFields, "preset"));

    if (!f.copy.isEmpty()) {
        if (!cat.copyBlocks.contains(f.copy))
            out << f.className + ": unknown copy blocks \"" + f.copy + "\"";
        for (const CopyBlock& b : cat.copyBlocks.value(f.copy)) {
            const FormSpec* target = cat.form(b.targetClass);
            if (!target) {
                out << f.className + ": copy block names unknown form \"" + b.targetClass + "\"";
                continue;
            }
            if (!cat.copyMaps.contains(b.map)) {
                out << f.className + ": unknown copy map \"" + b.map + "\"";
                continue;
            }
            const FormIndex targetIndex(cat, *target);
            for (const CopyStep& s : cat.copyMaps.value(b.map)) {
                if (s.namesOnly && !b.names)
                    continue;
                const bool memo = s.to.contains("_DATA_MEMO");
                const QList<ComponentKind> kinds =
                    memo ? QList<ComponentKind>{ComponentKind::Memo} : kTextFields;
                for (const QString& src : s.from)
                    add(index.check(src, kinds, "copy map " + b.map));
                static const QRegularExpression placeholder(QStringLiteral("\\{(\\w+)\\}"));
                for (auto m = placeholder.globalMatch(s.text); m.hasNext();) {
                    const QString name = m.next().captured(1);
                    if (!b.values.contains(name))
                        out << f.className + ": copy map " + b.map + " needs the value \"" + name +
                                   "\" that its block for page " + QString::number(b.page) +
                                   " does not give";
                }
                QString to = s.to;
                to.replace("{c}", b.digit);
                add(targetIndex.check(
                    to, kinds, "copy map " + b.map + " (page " + QString::number(b.page) + ")"));
            }
        }
    }
    if (f.loadBar) {
        for (const LoadBarEntry& e : f.loadBar->certificates) {
            const FormSpec* cert = cat.form(e.formClass);
            if (!cert) {
                out << f.className + ": load bar names unknown form \"" + e.formClass + "\"";
                continue;
            }
            if (cert->pages.isEmpty())
                continue;  // its family is not laid out yet
            const int columns = std::max<int>(1, int(f.loadBar->columns.size()));
            for (int column = 1; column <= columns; ++column) {
                bool found = false;
                for (const CopyBlock& b : cat.copyBlocks.value(cert->copy))
                    found |= b.page == f.loadBar->pageCode &&
                             (b.column == 0 || b.column == column) && b.targetClass == f.className;
                if (!found)
                    out << f.className + ": " + e.formClass + " has no copy block for page " +
                               QString::number(f.loadBar->pageCode) + ", column " +
                               QString::number(column);
            }
        }
    }
}

}  // namespace

QStringList ValidateLayouts(const LayoutCatalog& catalog)
{
    QStringList out = catalog.problems;
    for (const PageDesign& d : catalog.designs)
        checkDesign(d, out);
    QSet<QString> classes, instances, keys;
    for (const FormSpec& f : catalog.forms) {
        if (classes.contains(f.className))
            out << f.className + ": registered twice";
        if (instances.contains(f.instanceName))
            out << f.instanceName + ": instance registered twice";
        if (keys.contains(f.key))
            out << f.className + ": form key \"" + f.key + "\" used twice";
        classes.insert(f.className);
        instances.insert(f.instanceName);
        keys.insert(f.key);
        checkFormNames(catalog, f, out);
        checkFormData(catalog, f, out);
    }
    return out;
}
