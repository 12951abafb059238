#pragma once
// The text every data function receives first and into which a failing function writes
// its message. A failure first empties it, so afterwards it holds that one message;
// a success leaves it untouched.
#include <concepts>
#include <string>
#include <string_view>

class ErrorStream {
public:
    const std::string& str() const { return text_; }
    void str(std::string text) { text_ = std::move(text); }
    void clear() { text_.clear(); }
    bool empty() const { return text_.empty(); }

    ErrorStream& operator<<(std::string_view s)
    {
        text_ += s;
        return *this;
    }
    ErrorStream& operator<<(const char* s)
    {
        text_ += s;
        return *this;
    }
    ErrorStream& operator<<(char c)
    {
        text_ += c;
        return *this;
    }
    // Whole numbers in decimal (a char is a character, above).
    template <std::integral Number>
    requires(!std::same_as<Number, char>) ErrorStream& operator<<(Number n)
    {
        text_ += std::to_string(n);
        return *this;
    }

private:
    std::string text_;
};
