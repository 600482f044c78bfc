#include "FuzzCheck.h"
#include "ParameterSnapshot.h"
#include "TestModeMarker.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>

#include <cstddef>
#include <cstdint>

// The parameter snapshot and the test-mode marker, both read at start-up from files
// anyone may have edited. Each is checked against a plain reading of its rule.
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Numbers in turn, low 8 bits each, until 55, the end, or something else.
QList<quint8> snapshotNumbers(QByteArrayView text)
{
    QList<quint8> numbers;
    qsizetype pos = 0;
    while (numbers.size() < ParameterImageSize) {
        while (pos < text.size() && isSpace(text[pos]))
            ++pos;
        if (pos >= text.size() || !isDigit(text[pos]))
            break;
        quint64 value = 0;
        while (pos < text.size() && isDigit(text[pos]))
            value = (value * 10 + quint64(text[pos++] - '0')) % 256;
        numbers.append(quint8(value & 0xFF));
    }
    return numbers;
}

bool markerWordPresent(QByteArrayView text)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isSpace(text[pos]))
            ++pos;
        const qsizetype begin = pos;
        while (pos < text.size() && !isSpace(text[pos]))
            ++pos;
        if (text.sliced(begin, pos - begin) == "TEST_ENABLE")
            return true;
    }
    return false;
}

QString scratchFile()
{
    static const QString path =
        QDir::tempPath() +
        QStringLiteral("/korvo-fuzz-marker-%1.txt").arg(QCoreApplication::applicationPid());
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));

    ParameterImage image{};
    for (int i = 0; i < ParameterImageSize; ++i)
        image[i] = quint8(0x5A ^ (i * 29));
    const ParameterImage before = image;
    const int stored = readParameterSnapshot(text, image);
    const QList<quint8> expected = snapshotNumbers(text);
    FUZZ_CHECK(stored == expected.size());
    for (int i = 0; i < ParameterImageSize; ++i)
        FUZZ_CHECK(image[i] == (i < stored ? expected[i] : before[i]));

    // What we write reads back whole.
    const QByteArray written = parameterSnapshotText(image);
    FUZZ_CHECK(written.size() == ParameterSnapshotSize);
    ParameterImage reread{};
    FUZZ_CHECK(readParameterSnapshot(written, reread) == ParameterImageSize);
    FUZZ_CHECK(reread == image);

    const bool enabled = markerEnablesTestMode(text);
    FUZZ_CHECK(enabled == markerWordPresent(text));
    // The file form reads in pieces; a word across a piece boundary counts the same.
    if (size > 4000) { // only texts that cross the reader's 4096-byte pieces
        QFile file(scratchFile());
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(text.data(), text.size()) == text.size());
        file.close();
        FUZZ_CHECK(readTestModeMarker(scratchFile()) == enabled);
        QFile::remove(scratchFile());
    }
    return 0;
}
