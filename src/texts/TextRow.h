#pragma once

#include "Language.h"

#include <array>

// One text in each interface language, its columns in the order of Language (English,
// German, French, Czech), so that every table finds a language's column by the language
// itself. A null text means the language has none of its own; what it falls back to is
// the table's business.
class TextRow
{
public:
    constexpr TextRow(const char *english, const char *german, const char *french, const char *czech)
        : m_texts{english, german, french, czech}
    {
    }

    // Null for a language the table does not have.
    constexpr const char *in(quint8 languageIndex) const
    {
        return languageIndex < LanguageCount ? m_texts[languageIndex] : nullptr;
    }

private:
    std::array<const char *, LanguageCount> m_texts;
};

// The constructor takes its texts in this order.
static_assert(LanguageEnglish == 0 && LanguageGerman == 1 && LanguageFrench == 2 && LanguageCzech == 3 &&
              LanguageCount == 4);
