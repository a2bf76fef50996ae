#pragma once

#include <QtGlobal>

// The program's one pseudo-random source. It starts from the same state at
// every start and is never reseeded, so the same settings give the same first
// worksheet after every start.
class RandomSource {
public:
    // One step of the linear congruential sequence; yields 0 to 32767.
    int next();
    quint32 state() const { return m_state; }

private:
    quint32 m_state = 1;
};

// A draw between two bounds, both inclusive. Negative bounds count as 0,
// reversed bounds are exchanged, and equal bounds take no step.
qint32 randomDraw(RandomSource& source, qint32 lo, qint32 hi);
