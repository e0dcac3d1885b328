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
    <name>ts::AccessibilityAlert</name>
    <message>
        <source>Enable rewriting in any app</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessarine needs Accessibility permission to rewrite selected text in place (in Mail, Slack, Notes, or any other app) without copy-paste.

Without this permission, the hotkey only opens the Tessarine window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off In-Place Rewrite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop control is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop control is not available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This X server does not offer the XTEST and XInput 2 extensions that Tessarine needs to copy and paste in other apps. Start Tessarine in an X11 session whose server has both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessarine is not running on an X11 display, and other apps&apos; text can only be read and replaced there. Choose an X11 (Xorg) session when you log in, then start Tessarine again. The Tessarine window and tessarine-cli work as they are.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::AccessibilityStep</name>
    <message>
        <source>Accessibility permission granted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grant Accessibility…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optional, but it&apos;s the most useful feature.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With Accessibility permission, Tessarine can rewrite selected text directly in Mail, Slack, Notes, or any editable field. Without it, you can still use Tessarine&apos;s own window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop control needs an X11 session whose display offers the XTEST and XInput 2 extensions; this one lacks them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Wayland, rewriting in other apps needs an X11 (Xorg) session: choose one when you log in, then start Tessarine again. The Tessarine window and tessarine-cli work as they are.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::AnswerPage</name>
    <message>
        <source>ADJUST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back to edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regenerate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HIDE CHANGES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHOW CHANGES</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::AppDelegate</name>
    <message>
        <source>Check for Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your package manager keeps Tessarine up to date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A copy built from source is updated with git pull and make install.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ApplicationDefaultsView</name>
    <message>
        <source>Rewrites in place use the context and tone set here for the application they come from, else the defaults above. Built in: %1 write Email; %2 write Chat. Your entries come first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BY APPLICATION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Context</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window class, such as Slack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default tone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the application I used last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: the stored list can&apos;t be read (%1). It is kept as it is; fix it with tessarine-cli config set applicationDefaults.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: %1 is listed already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: no other application has been active since Tessarine started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::AskInputView</name>
    <message>
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Submit (Enter)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Submit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ChangeList</name>
    <message>
        <source>Removed: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo all</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The first %n changes are listed; click the words of a later change in the text to drop or keep it.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n change kept</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n changes kept</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Kept: click to drop this change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dropped: click to keep this change</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::CloudSetupStep</name>
    <message>
        <source>Test connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>API key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste your key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect your cloud provider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick a provider and paste an API key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored in the macOS Keychain.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent only to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get an %1 key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get a %1 key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Success</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::DefaultsTab</name>
    <message>
        <source>Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-paste from clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When the window opens on an empty input, the input is filled from the clipboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default tone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default context</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new review starts with this tone and context.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the local model loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With Ollama, Tessarine asks the server to load the model as you start a rewrite or open the window.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::DoneStep</name>
    <message>
        <source>(needs Accessibility)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start using Tessarine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Here&apos;s how to use Tessarine.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::EmptyStateView</name>
    <message>
        <source>e.g. &quot;Turn this into a Jira ticket with acceptance criteria&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. &quot;Summarize in 3 bullets&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. &quot;Convert to a formal email with a greeting&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. &quot;Extract action items as a numbered list&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let&apos;s make it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sharper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste your text…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fix grammar,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keep voice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proofread</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the text to proofread…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draft a reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in your voice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draft Reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What do you want to say? e.g. &quot;Yes, Thursday works. Ask for the Q2 deck.&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tell me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what to do.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the text you want to transform…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How does this</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>come across?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Tone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the text. I&apos;ll tell you how it reads…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MESSAGE RECEIVED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YOUR INTENT  (OPTIONAL)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the email / DM you got…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Instruction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save this instruction to reuse later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Context</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save prompt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::EnumTexts</name>
    <message>
        <source>Rewrite</source>
        <comment>mode</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proofread</source>
        <comment>mode</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reply</source>
        <comment>mode</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>mode</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tone</source>
        <comment>mode</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Professional</source>
        <comment>tone</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Casual</source>
        <comment>tone</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friendly</source>
        <comment>tone</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Concise</source>
        <comment>tone</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <comment>context</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chat</source>
        <comment>context</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generic</source>
        <comment>context</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shorter</source>
        <comment>adjustment</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longer</source>
        <comment>adjustment</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simpler</source>
        <comment>adjustment</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Casual</source>
        <comment>adjustment</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formal</source>
        <comment>adjustment</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friendlier</source>
        <comment>adjustment</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>provider</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ErrorBannerView</name>
    <message>
        <source>Open Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::GeneralTab</name>
    <message>
        <source>Couldn&apos;t find the app bundle. Try launching from /Applications.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessarine v</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessibility permission lets Tessarine rewrite selected text in place in other apps (the ⌃⌥ㆎ hotkey). The Services menu and the main window work without it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grant Accessibility…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show floating action on text selection (beta)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows a small Tessarine button near text you&apos;ve selected in another app. Works well in Mail, Notes, Safari, Pages. May not appear in Electron apps (Obsidian, Slack, VS Code) or canvas editors (Google Docs, Figma); use the hotkey or right-click Services menu there. Requires Accessibility permission.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Login Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replay first-run setup…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the welcome screen again. Your API keys stay in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessibility permission granted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessibility permission not granted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::HistoryOverlay</name>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reviews yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Liked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disliked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>just now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <comment>minutes</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <comment>hours</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ts::LoadingStateView</name>
    <message>
        <source>Reviewing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMPROVED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>esc to cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OBSERVATIONS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arriving with the answer…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reviewing · </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::LocalSetupStep</name>
    <message>
        <source>Run Tessarine on your Mac</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uses Ollama. Free, private, no API key.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::MainKeyCommands</name>
    <message>
        <source>Ctrl+Return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the current mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+1 … Ctrl+5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the result and close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regenerate the result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back to the editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel the running request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel a request, go back from a result, or close the window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::MainWindow</name>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ModelCard</name>
    <message>
        <source>Installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download of %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::OllamaSetupPanel</name>
    <message>
        <source>Recheck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RECOMMENDED MODELS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking Ollama…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ollama is not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ollama is installed but not running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ollama is running · no models pulled yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Ollama is running · %n model installed</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ollama is running · %n models installed</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ts::OnboardingSteps</name>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip for now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::OnboardingView</name>
    <message>
        <source>Welcome to Tessarine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can configure Tessarine later in Settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::Overlay</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::PromptsTab</name>
    <message>
        <source>Prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved Custom-mode instructions. Save new ones from the Custom tab; rename or delete existing ones here. Up to 30.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load prompts from a JSON export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save all prompts to a JSON file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t encode prompts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Saved Prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t write file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prompt name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No saved prompts yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the main window, pick the Custom tab, type an instruction, then click Save prompt.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ProviderTab</name>
    <message>
        <source>%1 base URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Provider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>API key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys are kept in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runs locally. No key needed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your text never leaves this Mac.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ollama URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave empty to use the public API.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetched models</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh model list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading models…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: API key is missing. Add the key above.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::RatingButtons</name>
    <message>
        <source>Like</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Like (adds to your style corpus)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dislike</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dislike (exclude from style corpus)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ResultTexts</name>
    <message>
        <source>Review:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMPROVED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Improved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proofread:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CORRECTED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Corrected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draft:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DRAFTED REPLY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tone:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OBSERVATIONS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regenerate: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::SavedPromptChip</name>
    <message>
        <source>Delete Prompt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::SettingsWindow</name>
    <message>
        <source>Tessarine Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings sections</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ShortcutRecorder</name>
    <message>
        <source>Press a shortcut · Esc to cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to change</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ShortcutTab</name>
    <message>
        <source>Replaces the selected text in the frontmost app with an improved version. Requires Accessibility permission.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled. Enable to rewrite selected text in any app with a single shortcut.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In use by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global shortcuts are unavailable on this desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OPEN TESSARINE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens or toggles the Tessarine window from anywhere.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REWRITE IN PLACE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rewrite in place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset to defaults (⌥ㆎ · ⌃⌥ㆎ)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ShortcutsOverlay</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::StyleTab</name>
    <message>
        <source>Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessarine learns your voice from two sources: samples of your own writing (pasted below) and reviews you thumb up. Refresh the profile to rebuild it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply my style profile to every review</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your writing samples</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste 3ĵ of your own emails or messages here, separating each with a blank line. The analyzer uses these as seed examples of your authentic voice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No profile yet. Add samples above and/or thumb up reviews, then click Refresh.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyzing…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::ToneView</name>
    <message>
        <source>YOUR TEXT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rewrite with these</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::TrayIcon</name>
    <message>
        <source>Open Tessarine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Tessarine</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::WelcomeStep</name>
    <message>
        <source>Welcome to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Tessarine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rewrite, proofread, and draft text in any Mac app. Pick how you want to run the AI:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use a cloud model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OpenAI, Anthropic, or Gemini.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best quality. Bring your own API key. Pay the provider per use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run locally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free. Private. On-device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uses Ollama. No API key. Slower on older Macs. Works offline.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::ChangeReviewer</name>
    <message>
        <source>--interactive needs a terminal to ask on, and this process has none</source>
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
<context>
    <name>ts::cli::ConfigCommand</name>
    <message>
        <source>unknown setting &quot;%1&quot; (settings: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be &quot;%2&quot; (valid: %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::DiffCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::HistoryCommand</name>
    <message>
        <source>No history yet.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::KeyCommand</name>
    <message>
        <source>API key for %1: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key must be a single line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key is empty (to remove a key: tessarine-cli key clear %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key could not be stored in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored the key for %1 in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key could not be removed from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cleared the key for %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no key needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set</source>
        <comment>a key is stored</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys are kept in %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::OpenCommand</name>
    <message>
        <source>Tessarine is not running and the tessarine program was not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>could not start %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessarine did not take the URL: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::PromptsCommand</name>
    <message>
        <source>No saved prompts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the instruction is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a prompt named &quot;%1&quot; exists already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no saved prompt named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ts::cli::ReviewCommand</name>
    <message>
        <source>the input is not UTF-8 text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the received message is empty: give TEXT or pipe it on standard input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the input is empty: give TEXT or pipe text on standard input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no saved prompt matches &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the instruction is empty</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
