#pragma once

#include <QStringView>

// Scans over UTF-16 units in blocks of a fixed size, which the compiler turns into vector code
// even at -O2: the readers run them over every unit of a file.
namespace UnitScan {

inline constexpr qsizetype kBlock = 64;

// How many of the units are `unit`.
inline qsizetype count(const char16_t* units, qsizetype size, char16_t unit) {
    qsizetype found = 0;
    qsizetype i = 0;
    for (; i + kBlock <= size; i += kBlock) {
        int inBlock = 0;
        for (qsizetype k = 0; k < kBlock; ++k)
            inBlock += units[i + k] == unit;
        found += inBlock;
    }
    for (; i < size; ++i)
        found += units[i] == unit;
    return found;
}

// The index of the first zero unit, or -1.
inline qsizetype indexOfZero(const char16_t* units, qsizetype size) {
    qsizetype i = 0;
    for (; i + kBlock <= size; i += kBlock) {
        int zeros = 0;
        for (qsizetype k = 0; k < kBlock; ++k)
            zeros |= units[i + k] == 0;
        if (zeros)
            break;
    }
    for (; i < size; ++i) {
        if (units[i] == 0)
            return i;
    }
    return -1;
}

} // namespace UnitScan
