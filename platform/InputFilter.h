#pragma once
// What a person may type or paste into a field. The files keep Windows-1250 and a stored
// value holds at most 2,047 bytes, so input that breaks either is stopped at the keyboard:
// the characters Windows-1250 holds are kept, the others are left out and the person is
// told which (TellRefusedCharacters). Texts set from code never pass through here: they
// are kept whole.

#include <QString>

#include <optional>

inline constexpr int kMaxValueBytes = 2047;

bool IsCp1250Text(const QString& text);

struct Cp1250Split {
    QString kept;     // the characters Windows-1250 holds, in order
    QString refused;  // the others, each once, in order of their first appearance
};
Cp1250Split SplitCp1250(const QString& text);

// A one-line field's text: every line break (CR LF, CR, LF, U+2028, U+2029) becomes a blank.
QString JoinLines(const QString& text);

// "Pominięto znaki, których nie można zapisać: " and the characters.
QString RefusedCharactersMessage(const QString& refused);
// Tells the person, through the dialog service, which characters were left out; nothing
// when `refused` is empty.
void TellRefusedCharacters(const QString& refused);

struct FilteredEdit {
    std::optional<QString> text;  // nullopt: the change is refused, the text stays as it was
    int cursor = 0;               // where the caret stands after the kept insertion
    QString refused;              // characters left out of the insertion (SplitCp1250)
};

// A user's change from `before` to `after` in a one-line field: line breaks in the inserted
// part become blanks and its characters Windows-1250 cannot hold are left out. What is
// left is cut so that the text stays within `typingLimit` characters (0 = no limit) and
// kMaxValueBytes; a text that already exceeds a limit (set from code) may shrink but not
// grow. A change whose insertion keeps nothing is refused unless it inserted nothing.
FilteredEdit FilterUserEdit(const QString& before, const QString& after, int typingLimit);
