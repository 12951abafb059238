#include "forms/Layout.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <stdexcept>
#include <string_view>

namespace {

[[noreturn]] void fail(const QString& file, const QString& why)
{
    throw std::runtime_error((file + ": " + why).toStdString());
}

QJsonObject readJson(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(path, "cannot be read");
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
    if (err.error != QJsonParseError::NoError)
        fail(path, err.errorString() + " at offset " + QString::number(err.offset));
    if (!doc.isObject())
        fail(path, "not a JSON object");
    return doc.object();
}

PageRect readRect(const QJsonValue& v)
{
    const QJsonArray a = v.toArray();
    if (a.size() != 4)
        return {};
    return {a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()};
}

QStringList readStrings(const QJsonValue& v)
{
    QStringList out;
    for (const QJsonValue& s : v.toArray())
        out << s.toString();
    return out;
}

ComponentKind readKind(const QString& s, const QString& file)
{
    if (s == "label")
        return ComponentKind::Label;
    if (s == "edit")
        return ComponentKind::Edit;
    if (s == "combo")
        return ComponentKind::Combo;
    if (s == "memo")
        return ComponentKind::Memo;
    fail(file, "unknown component kind \"" + s + "\"");
}

TextAlign readAlign(const QString& s)
{
    if (s == "center")
        return TextAlign::Center;
    if (s == "right")
        return TextAlign::Right;
    if (s == "justify")
        return TextAlign::Justify;
    return TextAlign::Left;
}

// Applies the keys present in `o` over `c` (a full component or an override).
void applyComponent(LayoutComponent& c, const QJsonObject& o, const QString& file)
{
    if (o.contains("kind"))
        c.kind = readKind(o["kind"].toString(), file);
    if (o.contains("name"))
        c.name = o["name"].toString();
    if (o.contains("caption"))
        c.caption = o["caption"].toString();
    if (o.contains("maxLength"))
        c.maxLength = o["maxLength"].toInt();
    if (o.contains("items"))
        c.itemsRef = o["items"].toString();
    if (o.contains("editable"))
        c.editable = o["editable"].toBool();
    if (o.contains("disabled"))
        c.disabled = o["disabled"].toBool();
    if (o.contains("readOnly"))
        c.readOnly = o["readOnly"].toBool();
    if (o.contains("lines"))
        c.lineLimit = o["lines"].toInt();
    if (o.contains("wrap"))
        c.wrap = o["wrap"].toBool();
    if (o.contains("tab"))
        c.tab = o["tab"].toInt();
    if (o.contains("rect"))
        c.rect = readRect(o["rect"]);
    if (o.contains("font"))
        c.font.name = o["font"].toString();
    if (o.contains("size"))
        c.font.size = o["size"].toInt();
    if (o.contains("bold"))
        c.font.bold = o["bold"].toBool();
    if (o.contains("italic"))
        c.font.italic = o["italic"].toBool();
    if (o.contains("underline"))
        c.font.underline = o["underline"].toBool();
    if (o.contains("strike"))
        c.font.strike = o["strike"].toBool();
    if (o.contains("align"))
        c.font.align = readAlign(o["align"].toString());
    if (o.contains("dots"))
        c.dots = readRect(o["dots"]);
    if (o.contains("screenHeight"))
        c.screenHeight = o["screenHeight"].toInt();
}

QList<DrawingElement> readDrawings(const QJsonValue& v)
{
    QList<DrawingElement> out;
    for (const QJsonValue& d : v.toArray())
        out.append({d["name"].toString(), readRect(d["rect"])});
    return out;
}

qsizetype indexOf(const QList<LayoutComponent>& list, const QString& name)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list[i].name == name)
            return i;
    return -1;
}

class DesignResolver {
public:
    DesignResolver(const QMap<QString, std::pair<QString, QJsonObject>>& raw, QStringList& problems)
        : raw_(raw)
        , problems_(problems)
    {
    }

    PageDesign resolve(const QString& name, int depth = 0)
    {
        const auto it = raw_.constFind(name);
        if (it == raw_.constEnd()) {
            problems_ << "unknown design \"" + name + "\"";
            return {};
        }
        if (depth > 8)
            fail(it->first, "extends chain too deep");
        const QString& file = it->first;
        const QJsonObject& o = it->second;
        PageDesign d;
        if (o.contains("extends"))
            d = resolve(o["extends"].toString(), depth + 1);
        d.name = name;
        if (o.contains("page"))
            d.page = o["page"].toInt();
        if (o.contains("picture"))
            d.picture = o["picture"].toString();
        if (o.contains("drawings"))
            d.drawings = readDrawings(o["drawings"]);
        for (const QJsonValue& v : o["components"].toArray()) {
            LayoutComponent c;
            applyComponent(c, v.toObject(), file);
            d.components.append(c);
        }
        for (const QString& gone : readStrings(o["remove"])) {
            const qsizetype i = indexOf(d.components, gone);
            if (i < 0)
                problems_ << file + ": remove names no component \"" + gone + "\"";
            else
                d.components.removeAt(i);
        }
        const QJsonObject overrides = o["override"].toObject();
        for (auto ov = overrides.begin(); ov != overrides.end(); ++ov) {
            const qsizetype i = indexOf(d.components, ov.key());
            if (i < 0)
                problems_ << file + ": override names no component \"" + ov.key() + "\"";
            else
                applyComponent(d.components[i], ov.value().toObject(), file);
        }
        for (const QJsonValue& v : o["add"].toArray()) {
            const QJsonObject a = v.toObject();
            LayoutComponent c;
            applyComponent(c, a, file);
            if (!a.contains("after")) {
                d.components.append(c);
                continue;
            }
            const QString after = a["after"].toString();
            if (after.isEmpty()) {
                d.components.prepend(c);
                continue;
            }
            const qsizetype i = indexOf(d.components, after);
            if (i < 0) {
                problems_ << file + ": add after unknown component \"" + after + "\"";
                d.components.append(c);
            } else {
                d.components.insert(i + 1, c);
            }
        }
        for (LayoutComponent& c : d.components)
            c.page = d.page;
        return d;
    }

private:
    const QMap<QString, std::pair<QString, QJsonObject>>& raw_;
    QStringList& problems_;
};

FormKind readFormKind(const QString& s)
{
    if (s == "sheetTitle")
        return FormKind::SheetTitle;
    if (s == "sheetYear")
        return FormKind::SheetYear;
    return FormKind::Certificate;
}

FormSpec readForm(const QJsonObject& o)
{
    FormSpec f;
    f.className = o["class"].toString();
    f.instanceName = o["instance"].toString();
    f.key = o["key"].toString();
    f.caption = o["caption"].toString();
    f.kind = readFormKind(o["kind"].toString());
    f.pageCount = o["pageCount"].toInt(1);
    for (const QJsonValue& p : o["pages"].toArray())
        f.pages.append({p["design"].toString(), p["tab"].toString()});
    f.activePage = o["activePage"].toInt(0);
    const QJsonObject subs = o["lists"].toObject();
    for (auto it = subs.begin(); it != subs.end(); ++it)
        f.listSubstitutions.insert(it.key(), it.value().toString());
    for (const QJsonValue& b : o["buttons"].toArray())
        f.buttons.append({b["name"].toString(), b["caption"].toString(), b["handler"].toString(),
                          b["role"].toString(), b["glyph"].toBool()});
    f.calibrationSet = o["calibrationSet"].toString();
    f.schoolData = o["schoolData"].toString();
    f.student = o["student"].toString();
    f.samples = o["samples"].toString();
    f.copy = o["copy"].toString();
    const QJsonObject presets = o["presets"].toObject();
    for (auto it = presets.begin(); it != presets.end(); ++it) {
        QList<Preset> list;
        for (const QJsonValue& p : it.value().toArray())
            list.append({p["field"].toString(), p["text"].toString()});
        f.presets.insert(it.key(), list);
    }
    if (o.contains("loadBar")) {
        const QJsonObject lb = o["loadBar"].toObject();
        LoadBar bar;
        bar.pageCode = lb["pageCode"].toInt();
        for (const QJsonValue& c : lb["certificates"].toArray())
            bar.certificates.append({c["caption"].toString(), c["form"].toString()});
        bar.columns = readStrings(lb["columns"]);
        bar.namesCheckBox = lb["namesCheckBox"].toBool();
        bar.certificateListName = lb["certificateList"].toString(bar.certificateListName);
        bar.columnListName = lb["columnList"].toString(bar.columnListName);
        bar.selectOnShow = lb["selectOnShow"].toBool(true);
        f.loadBar = bar;
    }
    return f;
}

StudentRule readStudentRule(const QJsonObject& o)
{
    StudentRule r;
    r.target = o["target"].toString();
    if (o.contains("sex")) {
        const QStringList v = readStrings(o["sex"]);
        r.sexRule = true;
        r.masculine = v.value(0);
        r.otherwise = v.value(1);
    } else {
        r.join = readStrings(o["join"]);
        r.onlyIfEmpty = o["onlyIfEmpty"].toBool();
    }
    return r;
}

SampleSet readSamples(const QJsonObject& o)
{
    SampleSet s;
    s.clearFirst = o["clearFirst"].toBool();
    for (const QJsonValue& v : o["steps"].toArray()) {
        SampleStep step;
        if (v.toObject().contains("memo")) {
            step.isMemo = true;
            step.field = v["memo"].toString();
            step.lines = readStrings(v["lines"]);
        } else {
            step.field = v["field"].toString();
            step.text = v["text"].toString();
        }
        s.steps.append(step);
    }
    return s;
}

// A standalone form is a copy of the registered form it names in "sameAs", with its own
// class, instance and caption, and no key: it never holds data.
QJsonObject standaloneEntry(const QJsonObject& forms, const QJsonObject& entry)
{
    QJsonObject out;
    for (const QJsonValue& f : forms["forms"].toArray())
        if (f.toObject()["class"] == entry["sameAs"])
            out = f.toObject();
    out.insert("key", QString());
    for (auto it = entry.begin(); it != entry.end(); ++it)
        if (it.key() != "sameAs")
            out.insert(it.key(), it.value());
    return out;
}

// A registered form prints as the document type of its label in documents.json: the type
// gives its page count and calibration set, which the registry therefore does not repeat.
void applyDocumentTypes(QJsonObject& formData, const QJsonObject& documents, QStringList& problems)
{
    const QJsonArray types = documents["types"].toArray();
    QMap<QString, QJsonObject> typeOfForm;
    for (const QJsonValue& label : documents["labels"].toArray())
        if (label.toObject().contains("form"))
            typeOfForm.insert(label["form"].toString(), types.at(label["type"].toInt()).toObject());
    QJsonArray forms = formData["forms"].toArray();
    for (qsizetype i = 0; i < forms.size(); ++i) {
        QJsonObject entry = forms[i].toObject();
        const QString cls = entry["class"].toString();
        for (const QString key : {"pageCount", "calibrationSet"})
            if (entry.contains(key))
                problems << "form \"" + cls + "\": " + key + " comes from documents.json";
        const auto type = typeOfForm.constFind(cls);
        if (type == typeOfForm.cend()) {
            problems << "form \"" + cls + "\" has no label in documents.json";
            continue;
        }
        entry.insert("pageCount", (*type)["pages"]);
        entry.insert("calibrationSet", (*type)["set"]);
        forms[i] = entry;
    }
    formData["forms"] = forms;
}

void readFormData(LayoutCatalog& cat, const QJsonObject& o)
{
    for (const QJsonValue& f : o["forms"].toArray())
        cat.forms.append(readForm(f.toObject()));
    for (const QJsonValue& f : o["standaloneForms"].toArray()) {
        const QJsonObject entry = standaloneEntry(o, f.toObject());
        if (!entry.contains("pages"))
            cat.problems << "standalone form \"" + entry["class"].toString() +
                                "\" names no laid-out form";
        cat.standaloneForms.append(readForm(entry));
    }
    const QJsonObject dialogs = o["dialogFields"].toObject();
    for (auto it = dialogs.begin(); it != dialogs.end(); ++it)
        cat.dialogFields.insert(it.key(), readStrings(it.value()));
    const QJsonObject school = o["schoolData"].toObject();
    for (auto it = school.begin(); it != school.end(); ++it) {
        QList<std::pair<QString, QString>> pairs;
        for (const QJsonValue& p : it.value().toArray())
            pairs.append({p[0].toString(), p[1].toString()});
        cat.schoolData.insert(it.key(), pairs);
    }
    const QJsonObject rules = o["studentRules"].toObject();
    for (auto it = rules.begin(); it != rules.end(); ++it) {
        QList<StudentRule> list;
        for (const QJsonValue& r : it.value().toArray())
            list.append(readStudentRule(r.toObject()));
        cat.studentRules.insert(it.key(), list);
    }
    const QJsonObject samples = o["samples"].toObject();
    for (auto it = samples.begin(); it != samples.end(); ++it)
        cat.samples.insert(it.key(), readSamples(it.value().toObject()));
    const QJsonObject maps = o["copyMaps"].toObject();
    for (auto it = maps.begin(); it != maps.end(); ++it) {
        QList<CopyStep> steps;
        for (const QJsonValue& s : it.value().toArray())
            steps.append({readStrings(s["from"]), s["separator"].toString(), s["text"].toString(),
                          s["to"].toString(), s["names"].toBool()});
        cat.copyMaps.insert(it.key(), steps);
    }
    const QJsonObject blocks = o["copyBlocks"].toObject();
    for (auto it = blocks.begin(); it != blocks.end(); ++it) {
        QList<CopyBlock> list;
        for (const QJsonValue& b : it.value().toArray()) {
            CopyBlock block{b["page"].toInt(),
                            b["column"].toInt(),
                            b["digit"].toString(),
                            b["target"].toString(),
                            b["map"].toString(),
                            b["names"].toBool(),
                            {}};
            const QJsonObject values = b["values"].toObject();
            for (auto v = values.begin(); v != values.end(); ++v)
                block.values.insert(v.key(), v.value().toString());
            list.append(block);
        }
        cat.copyBlocks.insert(it.key(), list);
    }
}

// A family's file ("forms-<family>.json") completes the registry entries of its forms (matched
// by "class"; its keys replace the entry's) and adds its own named school-data pairs, rules,
// samples, copy maps and blocks, so that each family's data lives in a file of its own.
void mergeFamilyData(QJsonObject& formData, const QString& file, const QJsonObject& family,
                     QStringList& problems)
{
    QJsonArray forms = formData["forms"].toArray();
    for (const QJsonValue& v : family["forms"].toArray()) {
        const QJsonObject part = v.toObject();
        const QString cls = part["class"].toString();
        qsizetype i = 0;
        while (i < forms.size() && forms.at(i).toObject()["class"].toString() != cls)
            ++i;
        if (i == forms.size()) {
            problems << file + ": form \"" + cls + "\" is not registered";
            continue;
        }
        QJsonObject entry = forms[i].toObject();
        for (auto it = part.begin(); it != part.end(); ++it)
            entry.insert(it.key(), it.value());
        forms[i] = entry;
    }
    formData["forms"] = forms;
    for (const char* section :
         {"dialogFields", "schoolData", "studentRules", "samples", "copyMaps", "copyBlocks"}) {
        const QString key = QLatin1String(section);
        QJsonObject merged = formData[key].toObject();
        const QJsonObject added = family[key].toObject();
        for (auto it = added.begin(); it != added.end(); ++it) {
            if (merged.contains(it.key()))
                problems << file + ": " + key + " \"" + it.key() + "\" defined twice";
            merged.insert(it.key(), it.value());
        }
        formData[key] = merged;
    }
}

}  // namespace

Qt::Alignment ScreenAlignment(TextAlign align)
{
    switch (align) {
    case TextAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TextAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QRectF toPicture(const PageRect& r)
{
    return QRectF(r.x1 * kPictureScale, r.y1 * kPictureScale, r.width() * kPictureScale,
                  r.height() * kPictureScale);
}

// The forms are made from thousands of names at every start: one search for "_DATA_", then
// a look at what follows each.
StoredMarkers StoredMarkersIn(QStringView name)
{
    constexpr std::u16string_view data = u"_DATA_";
    const std::u16string_view text(name.utf16(), size_t(name.size()));
    StoredMarkers markers;
    for (size_t at = text.find(data); at != text.npos; at = text.find(data, at + 1)) {
        const std::u16string_view marker = text.substr(at + data.size());
        markers.edit |= marker.starts_with(u"EDIT");
        markers.combo |= marker.starts_with(u"COMBOBOX");
        markers.memo |= marker.starts_with(u"MEMO");
    }
    return markers;
}

QString LayoutComponent::dotLeaderName() const
{
    for (const char* suffix : {"_DATA_EDIT", "_DATA_COMBOBOX", "_DATA_MEMO", "_DATA_LABEL"})
        if (name.endsWith(QLatin1String(suffix)))
            return name.left(name.size() - qsizetype(strlen(suffix))) + "_LINIA_Z_KROPEK";
    return name + "_LINIA_Z_KROPEK";
}

PageRect LayoutComponent::memoLineRect(int line) const
{
    const int n = lineLimit > 0 ? lineLimit : 1;
    const int top = rect.y1 + rect.height() * (line - 1) / n;
    const int bottom = rect.y1 + rect.height() * line / n;
    return {rect.x1, top, rect.x2, bottom};
}

LayoutCatalog LayoutCatalog::fromDirectory(const QString& dir)
{
    LayoutCatalog cat;
    const QDir d(dir);
    QMap<QString, std::pair<QString, QJsonObject>> raw;
    QJsonObject formData, documents;
    QList<std::pair<QString, QJsonObject>> familyData;
    for (const QString& file : d.entryList({"*.json"}, QDir::Files, QDir::Name)) {
        const QString path = d.filePath(file);
        const QJsonObject o = readJson(path);
        if (file == "documents.json") {
            documents = o;
        } else if (file == "lists.json" || file.startsWith("lists-")) {
            for (auto it = o.begin(); it != o.end(); ++it) {
                if (cat.lists.contains(it.key()))
                    cat.problems << file + ": list \"" + it.key() + "\" defined twice";
                cat.lists.insert(it.key(), readStrings(it.value()));
            }
        } else if (file == "forms.json") {
            formData = o;
        } else if (file.startsWith("forms-")) {
            familyData.append({file, o});
        } else {
            const QString name = o["design"].toString();
            if (name.isEmpty())
                fail(path, "no \"design\" name");
            if (raw.contains(name))
                fail(path, "design \"" + name + "\" defined twice");
            raw.insert(name, {path, o});
        }
    }
    for (const auto& [file, o] : familyData)
        mergeFamilyData(formData, file, o, cat.problems);
    applyDocumentTypes(formData, documents, cat.problems);
    readFormData(cat, formData);
    DesignResolver resolver(raw, cat.problems);
    for (const QString& name : raw.keys())
        cat.designs.insert(name, resolver.resolve(name));
    for (PageDesign& design : cat.designs)
        for (LayoutComponent& c : design.components)
            if (c.kind == ComponentKind::Combo && !c.itemsRef.isEmpty()) {
                if (!cat.lists.contains(c.itemsRef))
                    cat.problems << design.name + ": " + c.name + " names unknown list \"" +
                                        c.itemsRef + "\"";
                c.items = cat.lists.value(c.itemsRef);
            }
    return cat;
}

const FormSpec* LayoutCatalog::form(const QString& className) const
{
    for (const FormSpec& f : forms)
        if (f.className == className)
            return &f;
    return nullptr;
}

const FormSpec* LayoutCatalog::formByInstance(const QString& instanceName) const
{
    for (const FormSpec& f : forms)
        if (f.instanceName == instanceName)
            return &f;
    return nullptr;
}

QList<LayoutComponent> LayoutCatalog::components(const FormSpec& form) const
{
    std::deque<LayoutComponent> substituted;
    QList<LayoutComponent> out;
    for (const LayoutComponent* c : componentsInPlace(form, substituted))
        out.append(*c);
    return out;
}

std::vector<const LayoutComponent*>
LayoutCatalog::componentsInPlace(const FormSpec& form,
                                 std::deque<LayoutComponent>& substituted) const
{
    std::vector<const LayoutComponent*> out;
    for (const FormPage& p : form.pages) {
        const auto it = designs.constFind(p.design);
        if (it == designs.constEnd())
            continue;
        out.reserve(out.size() + size_t(it->components.size()));
        for (const LayoutComponent& c : it->components) {
            if (c.kind == ComponentKind::Combo && form.listSubstitutions.contains(c.itemsRef)) {
                LayoutComponent& own = substituted.emplace_back(c);
                own.items = lists.value(form.listSubstitutions.value(c.itemsRef));
                out.push_back(&own);
            } else {
                out.push_back(&c);
            }
        }
    }
    return out;
}
