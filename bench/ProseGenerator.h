#pragma once

#include <QString>
#include <QStringList>
#include <random>

namespace bench {

// Prose-like text: a few thousand distinct words with skewed frequencies, punctuation and the
// odd paragraph break.
class ProseGenerator final {
public:
    explicit ProseGenerator(unsigned seed) : rng_(seed) {
        std::mt19937 vocabRng(99);
        const QString letters = "etaoinshrdlucmfwypvbgkqjxz";
        for (int w = 0; w < 3000; ++w) {
            QString word;
            const int length = 1 + int(vocabRng() % 9);
            for (int c = 0; c < length; ++c) {
                word += letters[int(std::min(vocabRng() % 26, vocabRng() % 26))];
            }
            vocabulary_ << word;
        }
    }

    QString word() {
        // Squaring a uniform draw favours the front of the vocabulary, as in real prose.
        const double u = std::uniform_real_distribution<double>(0, 1)(rng_);
        return vocabulary_[int(u * u * double(vocabulary_.size()))];
    }

    QStringList tokens(int count) {
        QStringList out;
        for (int i = 0; i < count; ++i) {
            const unsigned roll = rng_() % 40;
            const QString tail = roll == 0 ? ".\n\n" : roll < 3 ? ", " : roll < 5 ? ". " : " ";
            out << word() + tail;
        }
        return out;
    }

    // Replaces, drops or adds about `share` of the tokens.
    QStringList edited(QStringList tokens, double share) {
        const int edits = int(double(tokens.size()) * share);
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = qsizetype(rng_() % quint32(tokens.size()));
            switch (rng_() % 3) {
                case 0:
                    tokens[at] = word() + " ";
                    break;
                case 1:
                    tokens.removeAt(at);
                    break;
                default:
                    tokens.insert(at, word() + " ");
            }
        }
        return tokens;
    }

private:
    std::mt19937 rng_;
    QStringList vocabulary_;
};

}  // namespace bench
