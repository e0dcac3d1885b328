#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run where both libFuzzer and the replay test see it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Two texts from one input: split at the first NUL byte.
inline std::pair<QString, QString> twoTexts(const uint8_t* data, size_t size) {
    const QByteArray all = bytes(data, size);
    const qsizetype cut = all.indexOf('\0');
    if (cut < 0) {
        return {QString::fromUtf8(all), QString()};
    }
    return {QString::fromUtf8(all.first(cut)), QString::fromUtf8(all.sliced(cut + 1))};
}

}  // namespace fuzz
