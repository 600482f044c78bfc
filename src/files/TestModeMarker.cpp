#include "TestModeMarker.h"

#include "SmallFile.h"

namespace {

constexpr QByteArrayView EnableWord("TEST_ENABLE");
// A marker is a word or two; beyond this nothing is looked at.
constexpr qint64 MaxMarkerRead = 64 * 1024;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Follows one word at a time, remembering only whether it still spells the marker.
class WordMatcher
{
public:
    void feed(QByteArrayView bytes)
    {
        for (const char c : bytes) {
            if (isSpace(c)) {
                endWord();
                continue;
            }
            if (m_length < EnableWord.size() && c != EnableWord[m_length])
                m_matching = false;
            if (m_length <= EnableWord.size())
                ++m_length;
        }
    }

    bool finish()
    {
        endWord();
        return m_found;
    }

private:
    void endWord()
    {
        if (m_matching && m_length == EnableWord.size())
            m_found = true;
        m_length = 0;
        m_matching = true;
    }

    qsizetype m_length = 0; // saturates one past the marker's length
    bool m_matching = true;
    bool m_found = false;
};

} // namespace

bool markerEnablesTestMode(QByteArrayView text)
{
    WordMatcher matcher;
    matcher.feed(text);
    return matcher.finish();
}

bool readTestModeMarker(const QString &path)
{
    QByteArray text;
    const SmallFileRead read = readSmallFile(path, MaxMarkerRead, text);
    return (read == SmallFileRead::Whole || read == SmallFileRead::Cut) && markerEnablesTestMode(text);
}
