#include "cli/CommandLine.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <functional>

namespace ts::cli {
namespace {

template <typename E>
std::optional<E> caseInsensitive(const QString& name) {
    for (E value : EnumCases<E>::all) {
        if (rawValue(value).compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

template <typename E>
QString validValues() {
    QStringList names;
    for (E value : EnumCases<E>::all) {
        names << rawValue(value).toLower();
    }
    return names.join(QStringLiteral(", "));
}

const QStringList& modeNames() {
    static const QStringList names{"rewrite", "proofread", "reply", "ask", "tone"};
    return names;
}

ParseResult usageError(const QString& message) {
    return ParseResult{std::nullopt, message};
}

// Splits "--name=value" and takes the value of "--name value" from the argument list.
class ArgumentCursor {
public:
    explicit ArgumentCursor(const QStringList& arguments) : m_arguments(arguments) {}

    bool atEnd() const { return m_index >= m_arguments.size(); }
    QString next() { return m_arguments.at(m_index++); }
    std::optional<QString> value(const QString& inlineValue, bool hasInline) {
        if (hasInline) {
            return inlineValue;
        }
        if (atEnd()) {
            return std::nullopt;
        }
        return next();
    }

private:
    const QStringList& m_arguments;
    qsizetype m_index = 0;
};

ParseResult parseReview(Mode mode, const QStringList& arguments) {
    Invocation invocation;
    invocation.command = Command::review;
    invocation.mode = mode;
    QStringList positionals;
    ArgumentCursor cursor(arguments);
    bool optionsEnded = false;
    while (!cursor.atEnd()) {
        const QString argument = cursor.next();
        if (!optionsEnded &&
            (argument == QLatin1String("-h") || argument == QLatin1String("--help"))) {
            Invocation help;
            help.command = Command::modeHelp;
            help.mode = mode;
            return ParseResult{help, {}};
        }
        if (optionsEnded || !argument.startsWith(QLatin1String("--")) ||
            argument == QLatin1String("-")) {
            positionals << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        const QString inlineValue = equals < 0 ? QString() : argument.mid(equals + 1);
        const bool hasInline = equals >= 0;

        const std::function<bool(bool&)> flag = [&](bool& target) {
            if (hasInline) {
                return false;
            }
            target = true;
            return true;
        };
        if (name == QLatin1String("--no-style") || name == QLatin1String("--why") ||
            name == QLatin1String("--json") || name == QLatin1String("--dry-run") ||
            name == QLatin1String("--interactive")) {
            bool& target = name == QLatin1String("--no-style")  ? invocation.noStyle
                           : name == QLatin1String("--why")     ? invocation.why
                           : name == QLatin1String("--json")    ? invocation.json
                           : name == QLatin1String("--dry-run") ? invocation.dryRun
                                                                : invocation.interactive;
            if (!flag(target)) {
                return usageError(
                    QCoreApplication::translate("ts::cli::CommandLine", "%1 takes no value")
                        .arg(name));
            }
            continue;
        }
        static const QStringList valued{"--tone",   "--context", "--intent",   "--instruction",
                                        "--prompt", "--adjust",  "--provider", "--model"};
        if (!valued.contains(name)) {
            return usageError(
                QCoreApplication::translate("ts::cli::CommandLine",
                                            "unknown option %1 (options: --tone, --context, "
                                            "--intent, --instruction, --prompt, --adjust, "
                                            "--provider, --model, --no-style, --why, --json, "
                                            "--dry-run, --interactive)")
                    .arg(name));
        }
        const auto value = cursor.value(inlineValue, hasInline);
        if (!value) {
            return usageError(
                QCoreApplication::translate("ts::cli::CommandLine", "%1 needs a value").arg(name));
        }
        if (name == QLatin1String("--tone")) {
            invocation.tone = caseInsensitive<Tone>(*value);
            if (!invocation.tone) {
                return usageError(QCoreApplication::translate("ts::cli::CommandLine",
                                                              "unknown tone \"%1\" (valid: %2)")
                                      .arg(*value, validValues<Tone>()));
            }
        } else if (name == QLatin1String("--context")) {
            invocation.context = caseInsensitive<AppContext>(*value);
            if (!invocation.context) {
                return usageError(QCoreApplication::translate("ts::cli::CommandLine",
                                                              "unknown context \"%1\" (valid: %2)")
                                      .arg(*value, validValues<AppContext>()));
            }
        } else if (name == QLatin1String("--adjust")) {
            invocation.adjustment = caseInsensitive<Adjustment>(*value);
            if (!invocation.adjustment) {
                return usageError(
                    QCoreApplication::translate("ts::cli::CommandLine",
                                                "unknown adjustment \"%1\" (valid: %2)")
                        .arg(*value, validValues<Adjustment>()));
            }
        } else if (name == QLatin1String("--provider")) {
            invocation.provider = providerFromName(*value);
            if (!invocation.provider) {
                return usageError(QCoreApplication::translate("ts::cli::CommandLine",
                                                              "unknown provider \"%1\" (valid: %2)")
                                      .arg(*value, validValues<ProviderKind>()));
            }
        } else if (name == QLatin1String("--model")) {
            if (value->trimmed().isEmpty()) {
                return usageError(QCoreApplication::translate("ts::cli::CommandLine",
                                                              "--model needs a model name"));
            }
            invocation.model = *value;
        } else if (name == QLatin1String("--intent")) {
            invocation.intent = *value;
        } else if (name == QLatin1String("--instruction")) {
            invocation.instruction = *value;
        } else if (name == QLatin1String("--prompt")) {
            invocation.promptName = *value;
        }
    }
    if (positionals.size() > 1) {
        return usageError(QCoreApplication::translate(
                              "ts::cli::CommandLine",
                              "expected at most one TEXT argument, got %1 (quote the text)")
                              .arg(positionals.size()));
    }
    if (!positionals.isEmpty() && positionals.first() != QLatin1String("-")) {
        invocation.text = positionals.first();
    }
    if (!invocation.intent.isEmpty() && mode != Mode::reply) {
        return usageError(
            QCoreApplication::translate("ts::cli::CommandLine", "--intent applies to reply only"));
    }
    if ((invocation.instruction || invocation.promptName) && mode != Mode::ask) {
        return usageError(QCoreApplication::translate(
            "ts::cli::CommandLine", "--instruction and --prompt apply to ask only"));
    }
    if (invocation.instruction && invocation.promptName) {
        return usageError(QCoreApplication::translate(
            "ts::cli::CommandLine", "give either --instruction or --prompt, not both"));
    }
    if (mode == Mode::ask && !invocation.instruction && !invocation.promptName &&
        !invocation.adjustment) {
        return usageError(QCoreApplication::translate(
            "ts::cli::CommandLine", "ask needs --instruction TEXT or --prompt NAME"));
    }
    if (invocation.json && invocation.dryRun) {
        return usageError(QCoreApplication::translate(
            "ts::cli::CommandLine", "--dry-run already prints JSON; drop --json"));
    }
    if (invocation.interactive) {
        // A reply and a tone check are not edits of the given text: there is nothing to keep.
        if (mode == Mode::reply || mode == Mode::toneCheck) {
            return usageError(QCoreApplication::translate(
                "ts::cli::CommandLine", "--interactive applies to rewrite, proofread and ask"));
        }
        if (invocation.json || invocation.dryRun) {
            return usageError(QCoreApplication::translate(
                "ts::cli::CommandLine", "--interactive prints text; drop --json and --dry-run"));
        }
    }
    return ParseResult{invocation, {}};
}

ParseResult parseSimple(Command command, const QStringList& arguments, bool allowJson) {
    Invocation invocation;
    invocation.command = command;
    for (const QString& argument : arguments) {
        if (allowJson && argument == QLatin1String("--json")) {
            invocation.json = true;
        } else {
            return usageError(
                QCoreApplication::translate("ts::cli::CommandLine", "unexpected argument \"%1\"")
                    .arg(argument));
        }
    }
    return ParseResult{invocation, {}};
}

ParseResult parseDiff(const QStringList& arguments) {
    Invocation invocation;
    invocation.command = Command::diff;
    QStringList files;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--json")) {
            invocation.json = true;
        } else if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1String("--"))) {
            return usageError(QCoreApplication::translate("ts::cli::CommandLine",
                                                          "unknown option %1 (diff takes --json)")
                                  .arg(argument));
        } else {
            files << argument;
        }
    }
    if (files.size() != 2) {
        return usageError(QCoreApplication::translate("ts::cli::CommandLine",
                                                      "diff needs OLD_FILE and NEW_FILE"));
    }
    invocation.oldFile = files[0];
    invocation.newFile = files[1];
    return ParseResult{invocation, {}};
}

ParseResult parseKey(const QStringList& arguments) {
    Invocation invocation;
    if (arguments.value(0) == QLatin1String("status") && arguments.size() == 1) {
        invocation.command = Command::keyStatus;
        return ParseResult{invocation, {}};
    }
    const QString verb = arguments.value(0);
    if ((verb == QLatin1String("set") || verb == QLatin1String("clear")) && arguments.size() == 2) {
        const auto kind = providerFromName(arguments[1]);
        if (!kind) {
            return usageError(QCoreApplication::translate("ts::cli::CommandLine",
                                                          "unknown provider \"%1\" (valid: %2)")
                                  .arg(arguments[1], validValues<ProviderKind>()));
        }
        invocation.command = verb == QLatin1String("set") ? Command::keySet : Command::keyClear;
        invocation.keyKind = *kind;
        return ParseResult{invocation, {}};
    }
    return usageError(QCoreApplication::translate(
        "ts::cli::CommandLine", "usage: tessarine-cli key set KIND | key clear KIND | key status"));
}

ParseResult parseConfig(const QStringList& arguments) {
    Invocation invocation;
    const QString verb = arguments.value(0);
    if (verb == QLatin1String("list") && arguments.size() == 1) {
        invocation.command = Command::configList;
    } else if (verb == QLatin1String("get") && arguments.size() == 2) {
        invocation.command = Command::configGet;
        invocation.configKey = arguments[1];
    } else if (verb == QLatin1String("set") && arguments.size() == 3) {
        invocation.command = Command::configSet;
        invocation.configKey = arguments[1];
        invocation.configValue = arguments[2];
    } else if (verb == QLatin1String("choices") && arguments.size() == 1) {
        invocation.command = Command::configChoices;
    } else {
        return usageError(QCoreApplication::translate(
            "ts::cli::CommandLine", "usage: tessarine-cli config list | get KEY | set KEY VALUE"));
    }
    return ParseResult{invocation, {}};
}

ParseResult parsePrompts(const QStringList& arguments) {
    Invocation invocation;
    const QString verb = arguments.value(0);
    QStringList rest = arguments.mid(1);
    const auto operands = [&rest](qsizetype count) { return rest.size() == count; };
    if (verb == QLatin1String("list") && operands(0)) {
        invocation.command = Command::promptsList;
    } else if (verb == QLatin1String("save")) {
        invocation.command = Command::promptsSave;
        if (rest.value(0) == QLatin1String("--name") && rest.size() >= 2) {
            invocation.promptsName = rest[1];
            rest = rest.mid(2);
        } else if (rest.value(0).startsWith(QLatin1String("--name="))) {
            invocation.promptsName = rest[0].mid(7);
            rest = rest.mid(1);
        }
        if (!operands(1)) {
            return usageError(
                QCoreApplication::translate("ts::cli::CommandLine",
                                            "usage: tessarine-cli prompts save [--name NAME] "
                                            "INSTRUCTION (quote the instruction)"));
        }
        invocation.promptsValue = rest[0];
    } else if (verb == QLatin1String("rename") && operands(2)) {
        invocation.command = Command::promptsRename;
        invocation.promptsName = rest[0];
        invocation.promptsValue = rest[1];
    } else if (verb == QLatin1String("delete") && operands(1)) {
        invocation.command = Command::promptsDelete;
        invocation.promptsName = rest[0];
    } else if ((verb == QLatin1String("export") || verb == QLatin1String("import")) &&
               operands(1)) {
        invocation.command =
            verb == QLatin1String("export") ? Command::promptsExport : Command::promptsImport;
        invocation.promptsValue = rest[0];
    } else {
        return usageError(QCoreApplication::translate(
            "ts::cli::CommandLine",
            "usage: tessarine-cli prompts list | save [--name NAME] INSTRUCTION | rename NAME NEW "
            "| delete NAME | export FILE | import FILE"));
    }
    return ParseResult{invocation, {}};
}

ParseResult parseStyle(const QStringList& arguments) {
    static const QHash<QString, Command> verbs{{QStringLiteral("show"), Command::styleShow},
                                               {QStringLiteral("refresh"), Command::styleRefresh},
                                               {QStringLiteral("clear"), Command::styleClear}};
    if (arguments.size() != 1 || !verbs.contains(arguments[0])) {
        return usageError(QCoreApplication::translate(
            "ts::cli::CommandLine", "usage: tessarine-cli style show | refresh | clear"));
    }
    Invocation invocation;
    invocation.command = verbs.value(arguments[0]);
    return ParseResult{invocation, {}};
}

ParseResult parseShortcuts(const QStringList& arguments) {
    Invocation invocation;
    invocation.command = Command::shortcutsStatus;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--json")) {
            invocation.json = true;
        } else if (argument == QLatin1String("status") || argument == QLatin1String("install") ||
                   argument == QLatin1String("remove")) {
            invocation.command = argument == QLatin1String("status")    ? Command::shortcutsStatus
                                 : argument == QLatin1String("install") ? Command::shortcutsInstall
                                                                        : Command::shortcutsRemove;
        } else {
            return usageError(QCoreApplication::translate(
                "ts::cli::CommandLine",
                "usage: tessarine-cli shortcuts [status | install | remove] [--json]"));
        }
    }
    return ParseResult{invocation, {}};
}

const QString& commandNames() {
    static const QString names = QStringLiteral(
        "rewrite, proofread, reply, ask, tone, diff, models, history, key, config, prompts, "
        "style, open, shortcuts, doctor");
    return names;
}

}  // namespace

std::optional<Mode> modeFromName(const QString& name) {
    const qsizetype index = modeNames().indexOf(name.toLower());
    if (index < 0) {
        return std::nullopt;
    }
    return EnumCases<Mode>::all[static_cast<size_t>(index)];
}

std::optional<ProviderKind> providerFromName(const QString& name) {
    return caseInsensitive<ProviderKind>(name);
}

ParseResult parseCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        return usageError(
            QCoreApplication::translate("ts::cli::CommandLine", "missing command (commands: %1)")
                .arg(commandNames()));
    }
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        return ParseResult{Invocation{}, {}};
    }
    if (command == QLatin1String("--version")) {
        Invocation invocation;
        invocation.command = Command::version;
        return ParseResult{invocation, {}};
    }
    if (const auto mode = modeFromName(command); mode && command == command.toLower()) {
        return parseReview(*mode, rest);
    }
    if (command == QLatin1String("diff")) {
        return parseDiff(rest);
    }
    if (command == QLatin1String("models")) {
        return parseSimple(Command::models, rest, true);
    }
    if (command == QLatin1String("history")) {
        return parseSimple(Command::history, rest, true);
    }
    if (command == QLatin1String("key")) {
        return parseKey(rest);
    }
    if (command == QLatin1String("config")) {
        return parseConfig(rest);
    }
    if (command == QLatin1String("prompts")) {
        return parsePrompts(rest);
    }
    if (command == QLatin1String("style")) {
        return parseStyle(rest);
    }
    if (command == QLatin1String("shortcuts")) {
        return parseShortcuts(rest);
    }
    if (command == QLatin1String("doctor")) {
        return parseSimple(Command::doctor, rest, true);
    }
    if (command == QLatin1String("open")) {
        if (rest.size() != 1 ||
            !rest[0].startsWith(QLatin1String("tessarine:"), Qt::CaseInsensitive)) {
            return usageError(QCoreApplication::translate(
                "ts::cli::CommandLine", "usage: tessarine-cli open tessarine://ACTION?QUERY"));
        }
        Invocation invocation;
        invocation.command = Command::open;
        invocation.url = rest[0];
        return ParseResult{invocation, {}};
    }
    return usageError(
        QCoreApplication::translate("ts::cli::CommandLine", "unknown command \"%1\" (commands: %2)")
            .arg(command, commandNames()));
}

// The options every mode takes, in the general usage and in each mode's own.
constexpr const char* kSharedOptions = QT_TRANSLATE_NOOP(
    "ts::cli::CommandLine",
    "      --tone T           professional, casual, friendly, concise\n"
    "      --context C        email, chat, generic\n"
    "      --adjust NAME      shorter, longer, simpler, casual, formal, friendlier\n"
    "      --provider KIND    openai, anthropic, gemini, ollama, custom (this run only)\n"
    "      --model NAME       model for this run\n"
    "      --no-style         leave out the style profile\n"
    "      --why              print the reasons as \"- kind: text\" lines after the text\n"
    "      --json             print the result as JSON\n"
    "      --dry-run          send nothing; print what would be sent as JSON\n"
    "      --interactive      rewrite, proofread, ask: keep or drop each change (keys y n a d\n"
    "                         on the terminal), then print the text you kept\n");

QString usageText() {
    return QCoreApplication::translate(
               "ts::cli::CommandLine",
               "Usage:\n"
               "  tessarine-cli MODE [options] [TEXT]     MODE: rewrite, proofread, reply, ask, "
               "tone\n"
               "      TEXT is the input (for reply: the message you received); without it,\n"
               "      standard input is read whole. `--` ends the options.\n"
               "      --intent TEXT      reply: what you want to say\n"
               "      --instruction TEXT ask: what to do with the text\n"
               "      --prompt NAME      ask: use a saved prompt\n") +
           QCoreApplication::translate("ts::cli::CommandLine", kSharedOptions) +
           QCoreApplication::translate(
               "ts::cli::CommandLine",
               "  tessarine-cli diff OLD_FILE NEW_FILE [--json]\n"
               "  tessarine-cli models [--json]\n"
               "  tessarine-cli history [--json]\n"
               "  tessarine-cli key set KIND            (reads the key from standard input)\n"
               "  tessarine-cli key clear KIND\n"
               "  tessarine-cli key status\n"
               "  tessarine-cli config list | get KEY | set KEY VALUE\n"
               "  tessarine-cli prompts list | save [--name NAME] INSTRUCTION | rename NAME NEW\n"
               "                        | delete NAME | export FILE | import FILE\n"
               "  tessarine-cli style show | refresh | clear\n"
               "  tessarine-cli open URL                 hand a tessarine:// URL to Tessarine,\n"
               "                                         starting it when it is not running\n"
               "  tessarine-cli shortcuts [status | install | remove] [--json]\n"
               "                                         the global hotkeys in this desktop: how\n"
               "                                         they are registered, or the lines to add\n"
               "  tessarine-cli doctor [--json]          what works in this session and why not;\n"
               "                                         exit 0 when the in-place rewrite can "
               "work\n"
               "  tessarine-cli MODE --help              the options of one mode\n"
               "  tessarine-cli --version                print the version\n"
               "Exit status: 0 success, 1 the request failed, 2 usage error, 130 interrupted,\n"
               "143 terminated.\n");
}

QString versionText() {
    return QStringLiteral("tessarine " TESSARINE_VERSION "\n");
}

QString modeUsageText(Mode mode) {
    const auto& modes = EnumCases<Mode>::all;
    const QString name =
        modeNames().at(std::find(modes.begin(), modes.end(), mode) - modes.begin());
    QString text = QCoreApplication::translate("ts::cli::CommandLine",
                                               "Usage: tessarine-cli %1 [options] [TEXT]\n")
                       .arg(name);
    switch (mode) {
        case Mode::rewrite:
            text += QCoreApplication::translate("ts::cli::CommandLine",
                                                "  Rewrites TEXT in the chosen tone.\n");
            break;
        case Mode::proofread:
            text += QCoreApplication::translate(
                "ts::cli::CommandLine", "  Fixes spelling, grammar and punctuation in TEXT.\n");
            break;
        case Mode::reply:
            text +=
                QCoreApplication::translate("ts::cli::CommandLine",
                                            "  Drafts a reply to TEXT, the message you received.\n"
                                            "      --intent TEXT      what you want to say\n");
            break;
        case Mode::ask:
            text += QCoreApplication::translate(
                "ts::cli::CommandLine",
                "  Applies an instruction to TEXT.\n"
                "      --instruction TEXT what to do with the text\n"
                "      --prompt NAME      use a saved prompt (see tessarine-cli prompts list)\n");
            break;
        case Mode::toneCheck:
            text += QCoreApplication::translate(
                "ts::cli::CommandLine",
                "  Describes how TEXT comes across; prints observations.\n");
            break;
    }
    text += QCoreApplication::translate(
                "ts::cli::CommandLine",
                "  Without TEXT, standard input is read whole. `--` ends the options.\n") +
            QCoreApplication::translate("ts::cli::CommandLine", kSharedOptions);
    return text;
}

}  // namespace ts::cli
