#include "random_source.h"

#include <algorithm>

int RandomSource::next() {
    m_state = m_state * 214013u + 2531011u; // modulo 2^32 by unsigned wrap-around
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
}

qint32 randomDraw(RandomSource& source, qint32 lo, qint32 hi) {
    lo = std::max(lo, 0);
    hi = std::max(hi, 0);
    if (lo > hi)
        std::swap(lo, hi);
    if (lo == hi)
        return lo;
    // Both bounds are non-negative, so the difference fits; the cap keeps span + 1 positive.
    const qint32 span = std::min(hi - lo, 2147483646);
    return lo + source.next() % (span + 1);
}
