#pragma once
// What a person may type or paste into a field. The files keep Windows-1250 and a stored
// value holds at most 2,047 bytes, so input that breaks either is stopped at the keyboard.
// Texts set from code never pass through here: they are kept whole.

#include <QString>

#include <optional>

inline constexpr int kMaxValueBytes = 2047;

bool IsCp1250Text(const QString& text);

struct FilteredEdit {
    QString text;
    int cursor = 0; // where the caret stands after the kept insertion
};

// A user's change from `before` to `after`: the inserted part must be Windows-1250 text,
// else the change is refused (nullopt). The inserted part is cut so that the text stays
// within `typingLimit` characters (0 = no limit) and kMaxValueBytes; a text that already
// exceeds a limit (set from code) may shrink but not grow. A change that would keep
// nothing of its insertion and removes nothing is refused.
std::optional<FilteredEdit> FilterUserEdit(const QString& before, const QString& after,
                                           int typingLimit);
