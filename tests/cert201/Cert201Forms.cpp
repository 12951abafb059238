#include "tests/cert201/Cert201Forms.h"

QList<MemoLimit> MemosOf(Blank blank)
{
    switch (blank) {
    case Blank::Class1:
        return {{u"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 5}};
    case Blank::B:
        return {{u"ZMIENNA_IndywidualnyProgLubTokNauki_STR3_DATA_MEMO", 6},
                {u"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 8}};
    case Blank::C:
        return {{u"ZMIENNA_Indywidualny_STR3_DATA_MEMO", 8},
                {u"ZMIENNA_Szczegolne_STR4_DATA_MEMO", 8}};
    }
    return {};
}

QStringList StoredNames(const DocumentForm& form)
{
    QStringList names;
    for (int i = 0; i < form.componentCount(); ++i)
        if (form.component(i).isStored())
            names << form.component(i).name;
    return names;
}
