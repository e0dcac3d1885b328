#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QList>

#include "providers/EventStreamReader.h"
#include "providers/ServerSentEvents.h"

namespace ts {
namespace {

using ::testing::ElementsAre;

// Every line, with the number of bytes fed when it was handed on.
struct Collected {
    QList<QByteArray> lines;
    QList<qsizetype> fedWhenHanded;
};

Collected feedInPieces(const QByteArray& body, const QList<qsizetype>& cuts) {
    EventStreamReader reader;
    Collected out;
    qsizetype fed = 0;
    const auto handler = [&](QByteArrayView line) {
        out.lines.append(line.toByteArray());
        out.fedWhenHanded.append(fed);
        return true;
    };
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        fed = cut;
        reader.feed(QByteArrayView(body).sliced(from, cut - from), handler);
        from = cut;
    }
    fed = body.size();
    reader.feed(QByteArrayView(body).sliced(from), handler);
    reader.finish(handler);
    return out;
}

const QByteArray mixedEndings = QByteArray("data: a\r\ndata: b\ndata: c\rdata: d\r\n\r\n") +
                                "event: ping\n\ndata: gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80\r\n" +
                                "last without ending";
const QList<QByteArray> mixedLines{"data: a",
                                   "data: b",
                                   "data: c",
                                   "data: d",
                                   "",
                                   "event: ping",
                                   "",
                                   "data: gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80",
                                   "last without ending"};

// Cut 0 is the whole body in one read; the cuts include one inside each CR LF.
TEST(EventStreamReader, SameLinesWhateverTheBodyIsCutIntoTwoReads) {
    for (qsizetype cut = 0; cut <= mixedEndings.size(); ++cut) {
        EXPECT_EQ(feedInPieces(mixedEndings, {cut}).lines, mixedLines) << "cut at " << cut;
    }
}

TEST(EventStreamReader, SameLinesWhenFedOneByteAtATime) {
    QList<qsizetype> cuts;
    for (qsizetype i = 1; i < mixedEndings.size(); ++i) {
        cuts.append(i);
    }
    EXPECT_EQ(feedInPieces(mixedEndings, cuts).lines, mixedLines);
}

TEST(EventStreamReader, LineIsHandedOnAsSoonAsItsEndingArrives) {
    // "alpha\n" is complete after 6 bytes, "beta\r" after 11: neither waits for more data.
    const Collected out = feedInPieces("alpha\nbeta\rgamma", {3, 6, 11, 13});
    EXPECT_THAT(out.lines, ElementsAre("alpha", "beta", "gamma"));
    EXPECT_THAT(out.fedWhenHanded, ElementsAre(6, 11, 16));
}

TEST(EventStreamReader, StopsWhenTheHandlerSaysSo) {
    EventStreamReader reader;
    QList<QByteArray> lines;
    const bool went = reader.feed("a\nstop\nb\n", [&](QByteArrayView line) {
        lines.append(line.toByteArray());
        return line != "stop";
    });
    EXPECT_FALSE(went);
    EXPECT_THAT(lines, ElementsAre("a", "stop"));
}

TEST(EventStreamReader, FinishWithoutPendingTextHandsOnNothing) {
    EventStreamReader reader;
    int calls = 0;
    const auto handler = [&](QByteArrayView) {
        ++calls;
        return true;
    };
    reader.feed("x\r", handler);
    reader.finish(handler);
    EXPECT_EQ(calls, 1);
}

TEST(EventStreamReader, LinesAndEventsPastTheirBoundsStopTheReading) {
    EventStreamReader reader;
    int lines = 0;
    const auto count = [&lines](QByteArrayView) { return ++lines, true; };
    const QByteArray half(EventStreamReader::kMaxLineBytes / 2 + 1, 'a');
    EXPECT_TRUE(reader.feed("short\n" + half, count));
    EXPECT_FALSE(reader.feed(half, count));
    EXPECT_TRUE(reader.overflowed());
    EXPECT_FALSE(reader.feed("\nmore\n", count));
    EXPECT_EQ(lines, 1);

    ServerSentEvents events;
    int dispatched = 0;
    const auto onEvent = [&dispatched](const ServerSentEvent&) { return ++dispatched, true; };
    const QByteArray data = "data: " + QByteArray(1024 * 1024, 'd');
    bool going = true;
    int fed = 0;
    while (going && fed < 20) {
        going = events.line(data, onEvent);
        ++fed;
    }
    EXPECT_FALSE(going);
    EXPECT_TRUE(events.overflowed());
    EXPECT_EQ(fed, 16);
    EXPECT_FALSE(events.finish(onEvent));
    EXPECT_EQ(dispatched, 0);
}

}  // namespace
}  // namespace ts
