#pragma once

// How loud and how long synthesised speech is, for the tests that listen to it.

#include "platform/Sound.h"

#include <QtEndian>
#include <cmath>

namespace testkit {

// The RMS amplitude of 16-bit mono samples, 1.0 at full scale.
inline double rms(const QByteArray &mono16)
{
    double sum = 0;
    const qsizetype n = mono16.size() / 2;
    for (qsizetype i = 0; i < n; ++i) {
        const double v = qFromLittleEndian<qint16>(mono16.constData() + 2 * i) / 32768.0;
        sum += v * v;
    }
    return n ? std::sqrt(sum / n) : 0;
}

inline double seconds(const platform::SpokenText &s)
{
    return s.rate ? s.samples.size() / 2.0 / s.rate : 0;
}

} // namespace testkit
