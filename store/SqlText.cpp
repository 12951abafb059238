#include "store/SqlText.h"

namespace {

std::string Quoted(std::string_view text, char quote)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += quote;
    for (char c : text) {
        out += c;
        if (c == quote)
            out += quote;
    }
    out += quote;
    return out;
}

}  // namespace

std::string SqlIdent(std::string_view name)
{
    return Quoted(name, '`');
}
std::string SqlValue(std::string_view value)
{
    return Quoted(value, '\'');
}
std::string SqlValue(int value)
{
    return "'" + std::to_string(value) + "'";
}

std::string DoubleApostrophes(std::string_view value)
{
    const std::string quoted = Quoted(value, '\'');
    return quoted.substr(1, quoted.size() - 2);
}
