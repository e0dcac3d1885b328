#include "ui/main/MainKeyCommands.h"

#include <QCoreApplication>

namespace ts {

namespace {

using Phase = KeyContext::Phase;

constexpr Qt::KeyboardModifiers kRelevant =
    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier;

}  // namespace

std::optional<KeyDecision> keyCommandFor(int key, Qt::KeyboardModifiers modifiers,
                                         const KeyContext& context) {
    // The keypad's Enter and the number row's keypad flag are the same keys to a user.
    const Qt::KeyboardModifiers mods = modifiers & kRelevant;
    if (mods == Qt::NoModifier && key == Qt::Key_Escape) {
        if (context.shortcutsShown) {
            return KeyDecision{KeyCommand::hideShortcuts, {}};
        }
        switch (context.phase) {
            case Phase::idle:
                return KeyDecision{KeyCommand::closeWindow, {}};
            case Phase::reviewing:
                return KeyDecision{KeyCommand::cancel, {}};
            case Phase::result:
            case Phase::error:
                return KeyDecision{KeyCommand::backToEditor, {}};
        }
    }
    if (mods != Qt::ControlModifier) {
        return std::nullopt;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (context.phase == Phase::idle || context.phase == Phase::error) {
                return context.inputBlank ? std::nullopt
                                          : std::optional(KeyDecision{KeyCommand::run, {}});
            }
            return KeyDecision{KeyCommand::nothing, {}};
        case Qt::Key_C:
            return context.phase == Phase::result ? std::optional(KeyDecision{KeyCommand::copy, {}})
                                                  : std::nullopt;
        case Qt::Key_R:
            return context.phase == Phase::result
                       ? std::optional(KeyDecision{KeyCommand::regenerate, {}})
                       : std::nullopt;
        case Qt::Key_N:
            return context.phase == Phase::result
                       ? std::optional(KeyDecision{KeyCommand::backToEditor, {}})
                       : std::nullopt;
        case Qt::Key_Comma:
            return KeyDecision{KeyCommand::openSettings, {}};
        case Qt::Key_Period:
            return context.phase == Phase::reviewing
                       ? std::optional(KeyDecision{KeyCommand::cancel, {}})
                       : std::nullopt;
        default:
            break;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_5 && context.phase == Phase::idle) {
        return KeyDecision{KeyCommand::selectMode,
                           EnumCases<Mode>::all[static_cast<std::size_t>(key - Qt::Key_1)]};
    }
    return std::nullopt;
}

QList<KeyHelpRow> keyHelpRows() {
    return {
        {QCoreApplication::translate("ts::MainKeyCommands", "Ctrl+Return"),
         QCoreApplication::translate("ts::MainKeyCommands", "Run the current mode")},
        {QCoreApplication::translate("ts::MainKeyCommands", "Ctrl+1 … Ctrl+5"),
         QCoreApplication::translate("ts::MainKeyCommands", "Choose a mode")},
        {QCoreApplication::translate("ts::MainKeyCommands", "Ctrl+C"),
         QCoreApplication::translate("ts::MainKeyCommands", "Copy the result and close")},
        {QCoreApplication::translate("ts::MainKeyCommands", "Ctrl+R"),
         QCoreApplication::translate("ts::MainKeyCommands", "Regenerate the result")},
        {QCoreApplication::translate("ts::MainKeyCommands", "Ctrl+N"),
         QCoreApplication::translate("ts::MainKeyCommands", "Back to the editor")},
        {QCoreApplication::translate("ts::MainKeyCommands", "Ctrl+."),
         QCoreApplication::translate("ts::MainKeyCommands", "Cancel the running request")},
        {QCoreApplication::translate("ts::MainKeyCommands", "Ctrl+,"),
         QCoreApplication::translate("ts::MainKeyCommands", "Open Settings")},
        {QCoreApplication::translate("ts::MainKeyCommands", "Esc"),
         QCoreApplication::translate(
             "ts::MainKeyCommands",
             "Cancel a request, go back from a result, or close the window")},
    };
}

}  // namespace ts
