// The event-stream reader: the events of a body never depend on how the network cut it.
#include <vector>

#include "FuzzCheck.h"
#include "providers/EventStreamReader.h"
#include "providers/ServerSentEvents.h"

namespace {

struct Outcome {
    std::vector<std::pair<QByteArray, QByteArray>> events;
    bool overflowed = false;

    bool operator==(const Outcome&) const = default;
};

Outcome read(QByteArrayView body, const std::vector<qsizetype>& cuts) {
    using namespace ts;
    Outcome outcome;
    EventStreamReader reader;
    ServerSentEvents events;
    const auto onEvent = [&outcome](const ServerSentEvent& event) {
        outcome.events.emplace_back(event.type, event.data);
        return true;
    };
    const auto onLine = [&](QByteArrayView line) { return events.line(line, onEvent); };
    qsizetype at = 0;
    bool going = true;
    for (const qsizetype cut : cuts) {
        going = going && reader.feed(body.sliced(at, cut - at), onLine);
        at = cut;
    }
    going = going && reader.feed(body.sliced(at), onLine) && reader.finish(onLine) &&
            events.finish(onEvent);
    outcome.overflowed = reader.overflowed() || events.overflowed();
    FUZZ_CHECK(going != outcome.overflowed);
    return outcome;
}

}  // namespace

// The first byte seeds the cut positions; the rest is the body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray body = fuzz::bytes(data + 1, size - 1);
    std::vector<qsizetype> cuts;
    unsigned state = data[0] | 1u;
    for (qsizetype at = 0;;) {
        state = state * 1103515245u + 12345u;
        at += 1 + qsizetype((state >> 16) % 7);
        if (at >= body.size()) {
            break;
        }
        cuts.push_back(at);
    }
    FUZZ_CHECK(read(body, {}) == read(body, cuts));
    return 0;
}
