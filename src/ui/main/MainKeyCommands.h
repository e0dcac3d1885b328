#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <optional>

#include "core/Enums.h"

namespace ts {

// The main window's keyboard commands, as one table both the window and its shortcuts overlay
// read. Ctrl plays the role of the Command key.
enum class KeyCommand {
    run,
    copy,
    regenerate,
    backToEditor,
    openSettings,
    cancel,
    selectMode,  // with `mode`
    hideShortcuts,
    closeWindow,
    // Consumed without an action: a second Ctrl+Return must not reach the focused control.
    nothing,
};

struct KeyContext {
    enum class Phase { idle, reviewing, result, error };
    Phase phase = Phase::idle;
    bool shortcutsShown = false;
    // The text that decides whether Ctrl+Return may run: the received message in mode reply.
    bool inputBlank = true;
};

struct KeyDecision {
    KeyCommand command;
    std::optional<Mode> mode;
    friend bool operator==(const KeyDecision&, const KeyDecision&) = default;
};

// What a key press does in that context; nothing when the event should pass through.
std::optional<KeyDecision> keyCommandFor(int key, Qt::KeyboardModifiers modifiers,
                                         const KeyContext& context);

struct KeyHelpRow {
    QString keys;  // Linux names, e.g. "Ctrl+Return"
    QString action;
};
// The rows of the shortcuts overlay.
QList<KeyHelpRow> keyHelpRows();

}  // namespace ts
