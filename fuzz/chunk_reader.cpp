// The fast chunk readers against the full decoders: over a stream of payloads (one per line),
// whatever the quick path reads is exactly what the JSON decoder reads.
#include "FuzzCheck.h"
#include "providers/AnthropicProvider.h"
#include "providers/ChatChunk.h"
#include "providers/StreamTextCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ts;
    chatChunk::StreamTexts openai;
    StreamTextCache anthropic("text", &AnthropicProvider::deltaText);
    for (const QByteArray& payload : fuzz::bytes(data, size).split('\n')) {
        const std::optional<QString> full = chatChunk::decodedText(payload);
        if (const std::optional<QString> fast = chatChunk::fastText(payload)) {
            FUZZ_CHECK(full == fast);
        }
        if (const std::optional<QString> quick = openai.quick(payload)) {
            FUZZ_CHECK(full == quick);
        } else if (full) {
            openai.learn(payload, *full);
        }
        const std::optional<QString> delta = AnthropicProvider::deltaText(payload);
        if (const std::optional<QString> quick = anthropic.text(payload)) {
            FUZZ_CHECK(delta == quick);
        } else if (delta) {
            anthropic.learn(payload, *delta);
        }
    }
    return 0;
}
