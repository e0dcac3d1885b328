#include "desktop/hotkeys/MacKeyTable.h"

#include <QHash>
#include <array>

namespace ts {

namespace {

// clang-format off
constexpr std::array<MacKey, 68> kKeys{{
    {0, "A", 0x61}, {1, "S", 0x73}, {2, "D", 0x64}, {3, "F", 0x66}, {4, "H", 0x68},
    {5, "G", 0x67}, {6, "Z", 0x7a}, {7, "X", 0x78}, {8, "C", 0x63}, {9, "V", 0x76},
    {11, "B", 0x62}, {12, "Q", 0x71}, {13, "W", 0x77}, {14, "E", 0x65}, {15, "R", 0x72},
    {16, "Y", 0x79}, {17, "T", 0x74}, {31, "O", 0x6f}, {32, "U", 0x75}, {34, "I", 0x69},
    {35, "P", 0x70}, {37, "L", 0x6c}, {38, "J", 0x6a}, {40, "K", 0x6b}, {45, "N", 0x6e},
    {46, "M", 0x6d},
    {18, "1", 0x31}, {19, "2", 0x32}, {20, "3", 0x33}, {21, "4", 0x34}, {22, "6", 0x36},
    {23, "5", 0x35}, {24, "=", 0x3d}, {25, "9", 0x39}, {26, "7", 0x37}, {27, "-", 0x2d},
    {28, "8", 0x38}, {29, "0", 0x30}, {30, "]", 0x5d}, {33, "[", 0x5b}, {39, "'", 0x27},
    {41, ";", 0x3b}, {42, "\\", 0x5c}, {43, ",", 0x2c}, {44, "/", 0x2f}, {47, ".", 0x2e},
    {50, "`", 0x60},
    {36, "\u21a9", 0xff0d}, {48, "\u21e5", 0xff09}, {49, "Space", 0x20},
    {51, "\u232b", 0xff08}, {53, "Esc", 0xff1b},
    {123, "\u2190", 0xff51}, {124, "\u2192", 0xff53}, {125, "\u2193", 0xff54},
    {126, "\u2191", 0xff52},
    {122, "F1", 0xffbe}, {120, "F2", 0xffbf}, {99, "F3", 0xffc0}, {118, "F4", 0xffc1},
    {96, "F5", 0xffc2}, {97, "F6", 0xffc3}, {98, "F7", 0xffc4}, {100, "F8", 0xffc5},
    {101, "F9", 0xffc6}, {109, "F10", 0xffc7}, {103, "F11", 0xffc8}, {111, "F12", 0xffc9},
}};
// clang-format on

// Qt reports the shifted symbol of a US key; these map back to the key itself.
const QHash<int, quint32>& qtKeyCodes() {
    static const QHash<int, quint32> table = [] {
        QHash<int, quint32> out;
        for (const MacKey& key : kKeys) {
            // Letters, digits and punctuation: Qt's key code is the upper-case ASCII value.
            if (key.keysym >= 0x20 && key.keysym < 0x7f && key.code != 49) {
                out.insert(QChar(key.keysym).toUpper().unicode(), key.code);
            }
        }
        const std::pair<int, quint32> named[] = {
            {Qt::Key_Return, 36},     {Qt::Key_Enter, 36},       {Qt::Key_Tab, 48},
            {Qt::Key_Backtab, 48},    {Qt::Key_Space, 49},       {Qt::Key_Backspace, 51},
            {Qt::Key_Escape, 53},     {Qt::Key_Left, 123},       {Qt::Key_Right, 124},
            {Qt::Key_Down, 125},      {Qt::Key_Up, 126},         {Qt::Key_F1, 122},
            {Qt::Key_F2, 120},        {Qt::Key_F3, 99},          {Qt::Key_F4, 118},
            {Qt::Key_F5, 96},         {Qt::Key_F6, 97},          {Qt::Key_F7, 98},
            {Qt::Key_F8, 100},        {Qt::Key_F9, 101},         {Qt::Key_F10, 109},
            {Qt::Key_F11, 103},       {Qt::Key_F12, 111},        {Qt::Key_Exclam, 18},
            {Qt::Key_At, 19},         {Qt::Key_NumberSign, 20},  {Qt::Key_Dollar, 21},
            {Qt::Key_Percent, 23},    {Qt::Key_AsciiCircum, 22}, {Qt::Key_Ampersand, 26},
            {Qt::Key_Asterisk, 28},   {Qt::Key_ParenLeft, 25},   {Qt::Key_ParenRight, 29},
            {Qt::Key_Underscore, 27}, {Qt::Key_Plus, 24},        {Qt::Key_BraceLeft, 33},
            {Qt::Key_BraceRight, 30}, {Qt::Key_Bar, 42},         {Qt::Key_Colon, 41},
            {Qt::Key_QuoteDbl, 39},   {Qt::Key_Less, 43},        {Qt::Key_Greater, 47},
            {Qt::Key_Question, 44},   {Qt::Key_AsciiTilde, 50},
        };
        for (const auto& [qtKey, code] : named) {
            out.insert(qtKey, code);
        }
        return out;
    }();
    return table;
}

}  // namespace

std::span<const MacKey> macKeys() {
    return kKeys;
}

std::optional<MacKey> macKey(quint32 code) {
    for (const MacKey& key : kKeys) {
        if (key.code == code) {
            return key;
        }
    }
    return std::nullopt;
}

std::optional<quint32> macKeyCodeForQtKey(int qtKey) {
    const auto it = qtKeyCodes().constFind(qtKey);
    if (it == qtKeyCodes().constEnd()) {
        return std::nullopt;
    }
    return *it;
}

}  // namespace ts
