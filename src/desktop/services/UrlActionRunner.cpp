#include "desktop/services/UrlActionRunner.h"

#include "session/AppState.h"
#include "store/PromptStore.h"

namespace ts {

void carryOut(const UrlSchemeAction& action, const UrlActionTargets& targets) {
    using Kind = UrlSchemeAction::Kind;
    AppState& session = targets.session;
    session.reset();
    bool start = false;
    switch (action.kind) {
        case Kind::rewrite:
        case Kind::proofread:
            session.setMode(action.kind == Kind::rewrite ? Mode::rewrite : Mode::proofread);
            session.setText(action.text);
            start = action.autoRun;
            break;
        case Kind::reply:
            session.setMode(Mode::reply);
            session.setReplyReceived(action.received);
            session.setText(action.intent);
            start = action.autoRun && !action.received.isEmpty();
            break;
        case Kind::ask:
            session.setMode(Mode::ask);
            session.setAskInstruction(action.instruction);
            session.setText(action.text);
            start = action.autoRun && !action.instruction.isEmpty() && !action.text.isEmpty();
            break;
        case Kind::askPreset:
            session.setMode(Mode::ask);
            session.setText(action.text);
            // Not found: the instruction keeps what the reset gave it.
            if (const std::optional<CustomPrompt> prompt = targets.prompts.find(action.name)) {
                session.setAskInstruction(prompt->instruction);
            }
            start = action.autoRun && !session.askInstruction().isEmpty() && !action.text.isEmpty();
            break;
        case Kind::tone:
            session.setMode(Mode::toneCheck);
            session.setText(action.text);
            start = !action.text.isEmpty();
            break;
        case Kind::open:
        case Kind::unknown:
            targets.bringWindowToFront();
            targets.announceOpen();
            return;
    }
    targets.bringWindowToFront();
    if (start) {
        session.run();
    }
}

}  // namespace ts
