#pragma once
// A card word: one, three and four-character card fields are held as
// 4-character words, blank padded on the right, and compared whole.

#include <array>
#include <string>
#include <string_view>

namespace bp {

struct Word {
    std::array<char, 4> c{' ', ' ', ' ', ' '};

    constexpr Word() = default;
    // Blank-padded (or cut) to 4 characters.
    constexpr Word(std::string_view s) {
        for (std::size_t i = 0; i < 4 && i < s.size(); ++i) c[i] = s[i];
    }
    constexpr Word(const char* s) : Word(std::string_view(s)) {}

    constexpr bool operator==(const Word&) const = default;
    std::string_view view() const { return {c.data(), c.size()}; }
    std::string str() const { return std::string(view()); }
    constexpr char first() const { return c[0]; }
};

// A blank-padded card text or report word without its leading and
// trailing blanks.
inline std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}   // namespace bp
