#pragma once
// The eight certificate forms of this family as the tests expect them: identity, counts,
// memo limits, gender endings and school-data pairs, one row per form.
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

struct MemoLimit {
    const char* name;
    int lines;
};

struct Ending {
    const char* name;
    const char* masculine;  // value for "mężczyzna"; every other text gives "a"
};

struct Cert200Form {
    const char* cls;
    const char* key;
    const char* caption;
    QStringList tabs;
    bool shapeB;  // OKButton / CancelButton / LoadSchoolDataButton, else btnOK / bntCancel /
                  // btnLoadSchoolTemplate
    const char* calibrationSet;
    int edits, combos, memos, labels;  // labels: the printed ones ("_DATA_LABEL")
    QList<MemoLimit> memoLimits;
    QList<Ending> endings;
    int schoolPairs;
    bool hasSamples;
};

const QList<Cert200Form>& Cert200Forms();
