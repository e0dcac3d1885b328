#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVarLengthArray>
#include <optional>

// Reading JSON text straight from its bytes, for the few places where building a document per
// streamed chunk would cost more than the chunk is worth.
namespace ts::jsonBytes {

// The first position at or after `at` that is no JSON white space.
qsizetype skipSpaces(QByteArrayView text, qsizetype at);

// The quote that closes the string opened at `open`, or -1.
qsizetype closingQuote(QByteArrayView text, qsizetype open);

// The string literal whose opening quote is at `at`, decoded; `end` receives the position after
// its closing quote. Nothing when it is malformed, not UTF-8 or holds a lone surrogate.
std::optional<QString> stringLiteral(QByteArrayView text, qsizetype at, qsizetype& end);

// One member of an object somewhere in a document.
struct Member {
    enum class Kind { object, array, string, other };

    QByteArrayView name;  // raw, between its quotes
    int depth = 0;        // 1 for the members of the outermost object; arrays count too
    qsizetype at = 0;     // the opening quote of its name
    Kind kind = Kind::other;
    qsizetype valueEnd = 0;  // just past its value
    int length = 0;          // the number of elements of an array value
};

// A whole JSON document checked without building it: valid only when the text is exactly one
// object that a JSON parser would accept (UTF-8 included), with every member listed.
struct Scan {
    bool valid = false;
    bool escapedNames = false;  // some name holds an escape, so its raw bytes are not its name
    QVarLengthArray<Member, 16> members;

    // The members with this (unescaped) name.
    int count(QByteArrayView name) const;
    const Member* find(QByteArrayView name) const;
};

Scan scanObject(QByteArrayView text);

}  // namespace ts::jsonBytes
