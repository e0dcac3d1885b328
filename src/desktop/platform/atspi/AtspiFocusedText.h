#pragma once

#include <QDeadlineTimer>

#include "desktop/platform/FocusedText.h"
#include "desktop/platform/atspi/AtspiObjects.h"
#include "desktop/platform/atspi/TextUnits.h"

namespace ts {

class AtspiBus;

// The focused element's text through AT-SPI Text and EditableText. The focus is followed through
// the bus's events, never searched for (a search costs up to a second in an office suite). A
// replace is a delete then an insert (two undo steps in every toolkit; a whole-text set would
// make the first undo empty the document), checked by reading the range back: an application
// may report success and change nothing, or count the length in another unit. Nothing is ever
// deleted that cannot be told to be the selected text.
class AtspiFocusedText final : public FocusedText {
public:
    // An application that stopped answering costs at most this, all calls of one read or
    // replace together.
    static constexpr int kBudgetMs = 500;

    explicit AtspiFocusedText(AtspiBus& bus);

    bool available() const override;
    std::optional<TextSelection> selection() override;
    Replaced replace(const TextSelection& from, const QString& text) override;
    void exposeNewApplications() override;

private:
    atspi::GObjectRef focusedElement(const QDeadlineTimer& deadline) const;

    AtspiBus& bus_;
    atspi::GObjectRef held_;  // the element of the last selection read
    quint64 heldId_ = 0;
    TextUnits units_;
};

}  // namespace ts
