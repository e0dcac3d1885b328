// The stored documents' decoders: whatever they accept encodes to a document that decodes to the
// same value and encodes to the same bytes again. The first byte picks the decoder.
#include <QJsonArray>
#include <QJsonDocument>

#include "FuzzCheck.h"
#include "core/CustomPrompt.h"
#include "store/HistoryItem.h"
#include "store/PromptsExport.h"

namespace {

using namespace ts;

QJsonValue firstValue(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    return document.isArray() ? document.array().first() : QJsonValue(document.object());
}

void history(const QByteArray& json) {
    const std::optional<HistoryItem> item = HistoryItem::fromJson(firstValue(json));
    if (!item) {
        return;
    }
    const QJsonObject encoded = item->toJson();
    const std::optional<HistoryItem> again = HistoryItem::fromJson(encoded);
    FUZZ_CHECK(again && *again == *item && again->toJson() == encoded);
}

void prompt(const QByteArray& json, DateEncoding dates) {
    const std::optional<CustomPrompt> item = CustomPrompt::fromJson(firstValue(json), dates);
    if (!item) {
        return;
    }
    const QJsonObject encoded = item->toJson(dates);
    const std::optional<CustomPrompt> again = CustomPrompt::fromJson(encoded, dates);
    FUZZ_CHECK(again && *again == *item && again->toJson(dates) == encoded);
}

void exportFile(const QByteArray& json) {
    const std::optional<PromptsExport> file = PromptsExport::decode(json);
    if (!file) {
        return;
    }
    const QByteArray encoded = file->encode();
    const std::optional<PromptsExport> again = PromptsExport::decode(encoded);
    FUZZ_CHECK(again && again->exportedAt == file->exportedAt && again->encode() == encoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray json = fuzz::bytes(data + 1, size - 1);
    switch (data[0] % 4) {
        case 0:
            history(json);
            break;
        case 1:
            prompt(json, DateEncoding::referenceSeconds);
            break;
        case 2:
            prompt(json, DateEncoding::iso8601);
            break;
        default:
            exportFile(json);
    }
    return 0;
}
