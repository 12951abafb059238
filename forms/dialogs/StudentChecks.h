#pragma once
// The checks and the one correction the student dialog applies to what was typed, and the
// birth years it offers.
#include <QString>
#include <QStringList>

// The first letter in upper case (Polish letters too: "łucja" -> "Łucja"); the rest as
// typed. One character becomes one character ("ß" stays "ß").
QString CapitaliseFirstLetter(const QString& text);

// Position of the first character of a PESEL number that is neither a digit 0-9 nor an
// ASCII letter, or -1 when there is none (an empty number passes).
qsizetype FirstInvalidPeselChar(const QString& pesel);

// The birth years of pupils a music school teaches in `currentYear`, oldest first: from
// 25 years back to 5 years back, each as "YYYY r.".
QStringList BirthYearItems(int currentYear);
