<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>tessarine-cli</name>
    <message>
        <source>Run tessarine-cli --help for usage.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::CommandLine</name>
    <message>
        <source>%1 takes no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option %1 (options: --tone, --context, --intent, --instruction, --prompt, --adjust, --provider, --model, --no-style, --why, --json, --dry-run, --interactive)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown tone &quot;%1&quot; (valid: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown context &quot;%1&quot; (valid: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown adjustment &quot;%1&quot; (valid: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown provider &quot;%1&quot; (valid: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--model needs a model name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected at most one TEXT argument, got %1 (quote the text)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--intent applies to reply only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--instruction and --prompt apply to ask only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give either --instruction or --prompt, not both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ask needs --instruction TEXT or --prompt NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--dry-run already prints JSON; drop --json</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--interactive applies to rewrite, proofread and ask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--interactive prints text; drop --json and --dry-run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option %1 (diff takes --json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>diff needs OLD_FILE and NEW_FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: tessarine-cli key set KIND | key clear KIND | key status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: tessarine-cli config list | get KEY | set KEY VALUE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: tessarine-cli prompts save [--name NAME] INSTRUCTION (quote the instruction)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: tessarine-cli prompts list | save [--name NAME] INSTRUCTION | rename NAME NEW | delete NAME | export FILE | import FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: tessarine-cli style show | refresh | clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing command (commands: %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: tessarine-cli open tessarine://ACTION?QUERY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (commands: %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
