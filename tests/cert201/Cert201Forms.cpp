#include "tests/cert201/Cert201Forms.h"

QList<MemoLimit> MemosOf(Blank blank) {
    switch (blank) {
    case Blank::Class1: return {{u"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 5}};
    case Blank::B:
        return {{u"ZMIENNA_IndywidualnyProgLubTokNauki_STR3_DATA_MEMO", 6},
                {u"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 8}};
    case Blank::C:
        return {{u"ZMIENNA_Indywidualny_STR3_DATA_MEMO", 8}, {u"ZMIENNA_Szczegolne_STR4_DATA_MEMO", 8}};
    }
    return {};
}

QStringList StoredNames(const DocumentForm& form) {
    QStringList names;
    for (int i = 0; i < form.componentCount(); ++i)
        if (form.component(i).isStored()) names << form.component(i).name;
    return names;
}

Values AllValues(const FormRegistry& registry) {
    std::vector<FieldRecord> records;
    registry.CollectAll(records);
    Values values;
    for (const FieldRecord& r : records) values[{r.id, r.comp_name}] = r.value;
    return values;
}

Values Changed(const Values& before, const Values& after) {
    Values changed;
    for (const auto& [name, value] : after) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != value) changed[name] = value;
    }
    for (const auto& entry : before)
        if (!after.contains(entry.first)) changed[entry.first] = "<gone>";
    return changed;
}
