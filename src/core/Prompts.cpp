#include "core/Prompts.h"

namespace ts {

QString systemPrompt(Mode mode) {
    switch (mode) {
        case Mode::rewrite:
            return rewritePrompt().toString();
        case Mode::proofread:
            return proofreadPrompt().toString();
        case Mode::reply:
            return replyPrompt().toString();
        case Mode::ask:
            return instructionPrompt().toString();
        case Mode::toneCheck:
            return toneCheckPrompt().toString();
    }
    return rewritePrompt().toString();
}

}  // namespace ts
