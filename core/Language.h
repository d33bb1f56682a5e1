#pragma once

#include <cstdint>

namespace Fasoria {

/// Interface language. English is 1; every other value, 0 by default, selects Italian, so a stored or
/// received number never needs validating before use.
enum Language : std::int32_t
{
    Italian = 0,
    English = 1,
};

inline bool isEnglish(Language language)
{
    return language == English;
}

/// Picks one half of an (Italian, English) text pair.
inline const char *pick(Language language, const char *italian, const char *english)
{
    return isEnglish(language) ? english : italian;
}

/// One text in both languages, Italian first like every text table of the program.
struct TextPair
{
    const char *it;
    const char *en;
};

inline const char *pick(Language language, const TextPair &text)
{
    return pick(language, text.it, text.en);
}

} // namespace Fasoria
