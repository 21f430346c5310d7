#include "platform/Wave.h"

#include <QtEndian>

namespace platform {

std::optional<Wave> parseWave(const QByteArray &bytes)
{
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<Wave> wave;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype body = at + 8;
        const qint64 size = u32(at + 4);
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            const int format = u16(body), channels = u16(body + 2), bits = u16(body + 14);
            const quint32 rate = u32(body + 4);
            if (format != 1 || channels < 1 || channels > 2 || rate < 1000 || rate > 192000 || (bits != 8 && bits != 16))
                return std::nullopt;
            wave = Wave{bits, channels, int(rate), {}};
        } else if (id == "data" && wave) {
            wave->samples = bytes.mid(body, size);
            // Whole sample frames only: the server takes nothing else.
            const int frame = wave->channels * wave->bits / 8;
            wave->samples.truncate(wave->samples.size() / frame * frame);
            if (wave->samples.isEmpty())
                return std::nullopt;
            return wave;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

QByteArray doubleRate(const QByteArray &mono16)
{
    const qsizetype n = mono16.size() / 2;
    QByteArray out(n * 4, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const uchar *>(mono16.constData());
    auto *o = reinterpret_cast<uchar *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const int a = qFromLittleEndian<qint16>(in + 2 * i);
        const int b = i + 1 < n ? qFromLittleEndian<qint16>(in + 2 * (i + 1)) : a;
        qToLittleEndian<qint16>(qint16(a), o + 4 * i);
        qToLittleEndian<qint16>(qint16((a + b) / 2), o + 4 * i + 2);
    }
    return out;
}

} // namespace platform
