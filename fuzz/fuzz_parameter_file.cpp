#include "FuzzCheck.h"
#include "ParameterFile.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Hands out the text a byte at a time (every piece boundary the reader can meet) and,
// when asked, fails part way as a pulled USB stick does.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(QByteArrayView text, qsizetype failAt) : m_text(text), m_failAt(failAt)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_pos == m_failAt)
            return -1;
        if (m_pos >= m_text.size() || maxSize <= 0)
            return 0;
        data[0] = m_text[m_pos++];
        return 1;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
    qsizetype m_failAt;
};

// Every byte different, so any stray write shows.
IgnitionParameters startSet()
{
    IgnitionParameters set;
    for (int i = 0; i < ParameterImageSize; ++i)
        set.image[i] = quint8(0xA5 ^ (i * 37));
    return set;
}

bool reservedKept(const IgnitionParameters &a, const IgnitionParameters &b)
{
    return std::memcmp(&a.image[8], &b.image[8], 2) == 0 &&
           std::memcmp(&a.image[30], &b.image[30], ParameterImageSize - 30) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const IgnitionParameters before = startSet();

    IgnitionParameters fromView = before;
    const bool matched = ReadParameterFile(text, fromView);
    if (!matched)
        FUZZ_CHECK(fromView == before);
    FUZZ_CHECK(reservedKept(fromView, before));

    // The device forms read the same text: whole, in single bytes, and cut by an error.
    {
        QByteArray bytes = text.toByteArray();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        IgnitionParameters fromBuffer = before;
        FUZZ_CHECK(ReadParameterFile(buffer, fromBuffer) == matched);
        FUZZ_CHECK(fromBuffer == fromView);
    }
    {
        TrickleDevice trickle(text, -1);
        IgnitionParameters fromTrickle = before;
        FUZZ_CHECK(ReadParameterFile(trickle, fromTrickle) == matched);
        FUZZ_CHECK(fromTrickle == fromView);
    }
    if (size > 0) {
        TrickleDevice failing(text, qsizetype(size / 2));
        IgnitionParameters fromFailing = before;
        FUZZ_CHECK(!ReadParameterFile(failing, fromFailing));
        FUZZ_CHECK(fromFailing == before);
    }

    SessionSettings settings{quint8(size), quint8(size >> 8), quint8(size >> 16)};
    IgnitionParameters normal = fromView;
    NormaliseParameters(normal, settings);
    for (int i = 0; i < CurvePoints; ++i) {
        FUZZ_CHECK(normal.RPM_ADV(i) >= i + 2 && normal.RPM_ADV(i) <= i + 191);
        if (i > 0)
            FUZZ_CHECK(normal.RPM_ADV(i) > normal.RPM_ADV(i - 1));
    }
    FUZZ_CHECK(settings.LanguageIndex <= 3 && settings.PortChoice <= 20 && settings.AutoScanPort < 20);
    FUZZ_CHECK(reservedKept(normal, before));

    // What we write of the set reads back as the same keyed fields (switches as 0/1).
    const QByteArray written = ParameterFileText(normal);
    FUZZ_CHECK(written.size() == ParameterFileSize);
    IgnitionParameters reread = startSet();
    FUZZ_CHECK(ReadParameterFile(written, reread));
    IgnitionParameters expected = normal;
    for (quint8 *sw : {&expected.EXCITATION(), &expected.RPM2(), &expected.BLOK_ENABLE()})
        *sw = *sw != 0 ? 1 : 0;
    FUZZ_CHECK(reread == expected);
    return 0;
}
