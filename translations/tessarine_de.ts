<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>tessarine-cli</name>
    <message>
        <source>Run tessarine-cli --help for usage.</source>
        <translation>Die Verwendung zeigt: tessarine-cli --help</translation>
    </message>
    <message>
        <source>cannot set up the interrupt handler</source>
        <translation>die Behandlung von Unterbrechungen kann nicht eingerichtet werden</translation>
    </message>
</context>
<context>
    <name>ts::AccessibilityAlert</name>
    <message>
        <source>Enable rewriting in any app</source>
        <translation>Umschreiben in jedem Programm aktivieren</translation>
    </message>
    <message>
        <source>Tessarine needs Accessibility permission to rewrite selected text in place (in Mail, Slack, Notes, or any other app) without copy-paste.

Without this permission, the hotkey only opens the Tessarine window.</source>
        <translation>Tessarine braucht die Desktop-Steuerung, um markierten Text direkt an Ort und Stelle umzuschreiben (in Thunderbird, Slack, LibreOffice oder jedem anderen Programm), ohne Kopieren und Einfügen. Das Umschreiben in anderen Programmen funktioniert in einer X11-Sitzung und unter Wayland über den Barrierefreiheits-Bus oder die virtuelle Tastatur des Compositors.

Ohne Desktop-Steuerung öffnet das Tastenkürzel nur das Tessarine-Fenster.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>Turn Off In-Place Rewrite</source>
        <translation>Umschreiben vor Ort ausschalten</translation>
    </message>
    <message>
        <source>Desktop control</source>
        <translation>Desktop-Steuerung</translation>
    </message>
    <message>
        <source>Desktop control is available.</source>
        <translation>Die Desktop-Steuerung ist verfügbar.</translation>
    </message>
    <message>
        <source>Desktop control is not available.</source>
        <translation>Die Desktop-Steuerung ist nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>ts::AccessibilityStep</name>
    <message>
        <source>Accessibility permission granted</source>
        <translation>Desktop-Steuerung verfügbar</translation>
    </message>
    <message>
        <source>Grant Accessibility…</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>Optional, but it&apos;s the most useful feature.</source>
        <translation>Optional, aber die nützlichste Funktion.</translation>
    </message>
    <message>
        <source>With Accessibility permission, Tessarine can rewrite selected text directly in Mail, Slack, Notes, or any editable field. Without it, you can still use Tessarine&apos;s own window.</source>
        <translation>Mit der Desktop-Steuerung kann Tessarine markierten Text direkt in Thunderbird, Slack, LibreOffice oder jedem bearbeitbaren Feld umschreiben. Ohne sie können Sie weiterhin das Tessarine-Fenster verwenden.</translation>
    </message>
</context>
<context>
    <name>ts::AnswerPage</name>
    <message>
        <source>ADJUST</source>
        <translation>ANPASSEN</translation>
    </message>
    <message>
        <source>Back to edit</source>
        <translation>Zurück zum Bearbeiten</translation>
    </message>
    <message>
        <source>Regenerate</source>
        <translation>Neu erzeugen</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>HIDE CHANGES</source>
        <translation>ÄNDERUNGEN AUSBLENDEN</translation>
    </message>
    <message>
        <source>SHOW CHANGES</source>
        <translation>ÄNDERUNGEN ANZEIGEN</translation>
    </message>
</context>
<context>
    <name>ts::AppDelegate</name>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Your package manager keeps Tessarine up to date.</source>
        <translation>Ihre Paketverwaltung hält Tessarine aktuell.</translation>
    </message>
    <message>
        <source>A copy built from source is updated with git pull and make install.</source>
        <translation>Eine aus den Quellen gebaute Kopie wird mit git pull und make install aktualisiert.</translation>
    </message>
</context>
<context>
    <name>ts::ApplicationDefaultsView</name>
    <message>
        <source>Rewrites in place use the context and tone set here for the application they come from, else the defaults above. Built in: %1 write Email; %2 write Chat. Your entries come first.</source>
        <translation>Beim Umschreiben vor Ort gelten Kontext und Ton, die hier für das jeweilige Programm festgelegt sind, sonst die Vorgaben oben. Eingebaut: %1 schreiben E-Mail; %2 schreiben Chat. Ihre Einträge haben Vorrang.</translation>
    </message>
    <message>
        <source>BY APPLICATION</source>
        <translation>NACH PROGRAMM</translation>
    </message>
    <message>
        <source>By application</source>
        <translation>Nach Programm</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Context</source>
        <translation>Kontext</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Window class, such as Slack</source>
        <translation>Fensterklasse, etwa Slack</translation>
    </message>
    <message>
        <source>Default tone</source>
        <translation>Standardton</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Add the application I used last</source>
        <translation>Zuletzt verwendetes Programm hinzufügen</translation>
    </message>
    <message>
        <source>Error: the stored list can&apos;t be read (%1). It is kept as it is; fix it with tessarine-cli config set applicationDefaults.</source>
        <translation>Fehler: Die gespeicherte Liste kann nicht gelesen werden (%1). Sie bleibt unverändert; korrigieren Sie sie mit tessarine-cli config set applicationDefaults.</translation>
    </message>
    <message>
        <source>Error: %1 is listed already.</source>
        <translation>Fehler: %1 ist bereits aufgeführt.</translation>
    </message>
    <message>
        <source>%1 removed.</source>
        <translation>%1 entfernt.</translation>
    </message>
    <message>
        <source>Error: no other application has been active since Tessarine started.</source>
        <translation>Fehler: Seit dem Start von Tessarine war kein anderes Programm aktiv.</translation>
    </message>
</context>
<context>
    <name>ts::AskInputView</name>
    <message>
        <source>Custom</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Submit (Enter)</source>
        <translation>Absenden (Eingabe)</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>Absenden</translation>
    </message>
    <message>
        <source>Custom instruction</source>
        <translation>Eigene Anweisung</translation>
    </message>
</context>
<context>
    <name>ts::ChangeList</name>
    <message>
        <source>Removed: </source>
        <translation>Entfernt: </translation>
    </message>
    <message>
        <source>Added: </source>
        <translation>Hinzugefügt: </translation>
    </message>
    <message>
        <source>Keep all</source>
        <translation>Alle behalten</translation>
    </message>
    <message>
        <source>Undo all</source>
        <translation>Alle verwerfen</translation>
    </message>
    <message numerus="yes">
        <source>The first %n changes are listed; click the words of a later change in the text to drop or keep it.</source>
        <translation>
            <numerusform>Die erste Änderung ist aufgeführt; klicken Sie auf die Wörter einer späteren Änderung im Text, um sie zu verwerfen oder zu übernehmen.</numerusform>
            <numerusform>Die ersten %n Änderungen sind aufgeführt; klicken Sie auf die Wörter einer späteren Änderung im Text, um sie zu verwerfen oder zu übernehmen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n change kept</source>
        <translation>
            <numerusform>%1 von %n Änderung übernommen</numerusform>
            <numerusform>%1 von %n Änderungen übernommen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n changes kept</source>
        <translation>
            <numerusform>%1 von %n Änderung übernommen</numerusform>
            <numerusform>%1 von %n Änderungen übernommen</numerusform>
        </translation>
    </message>
    <message>
        <source>Kept: click to drop this change</source>
        <translation>Übernommen: Klicken, um diese Änderung zu verwerfen</translation>
    </message>
    <message>
        <source>Dropped: click to keep this change</source>
        <translation>Verworfen: Klicken, um diese Änderung zu übernehmen</translation>
    </message>
</context>
<context>
    <name>ts::CloudSetupStep</name>
    <message>
        <source>Test connection</source>
        <translation>Verbindung testen</translation>
    </message>
    <message>
        <source>API key</source>
        <translation>API-Schlüssel</translation>
    </message>
    <message>
        <source>Paste your key</source>
        <translation>Schlüssel hier einfügen</translation>
    </message>
    <message>
        <source>Connect your cloud provider</source>
        <translation>Cloud-Anbieter verbinden</translation>
    </message>
    <message>
        <source>Pick a provider and paste an API key.</source>
        <translation>Wählen Sie einen Anbieter und fügen Sie einen API-Schlüssel ein.</translation>
    </message>
    <message>
        <source>Stored in the macOS Keychain.</source>
        <translation>Im Schlüsselbund des Systems gespeichert.</translation>
    </message>
    <message>
        <source>Stored in %1.</source>
        <translation>Gespeichert in %1.</translation>
    </message>
    <message>
        <source>Sent only to %1.</source>
        <translation>Wird nur an %1 gesendet.</translation>
    </message>
    <message>
        <source>Get an %1 key</source>
        <translation>%1-Schlüssel besorgen</translation>
    </message>
    <message>
        <source>Get a %1 key</source>
        <translation>%1-Schlüssel besorgen</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>ts::DefaultsTab</name>
    <message>
        <source>Defaults</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Auto-paste from clipboard</source>
        <translation>Automatisch aus der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>When the window opens on an empty input, the input is filled from the clipboard.</source>
        <translation>Öffnet sich das Fenster mit leerer Eingabe, wird sie aus der Zwischenablage gefüllt.</translation>
    </message>
    <message>
        <source>Default tone</source>
        <translation>Standardton</translation>
    </message>
    <message>
        <source>Default context</source>
        <translation>Standardkontext</translation>
    </message>
    <message>
        <source>A new review starts with this tone and context.</source>
        <translation>Eine neue Überarbeitung beginnt mit diesem Ton und Kontext.</translation>
    </message>
    <message>
        <source>Keep the local model loaded</source>
        <translation>Lokales Modell geladen halten</translation>
    </message>
    <message>
        <source>With Ollama, Tessarine asks the server to load the model as you start a rewrite or open the window.</source>
        <translation>Mit Ollama bittet Tessarine den Server, das Modell zu laden, sobald Sie eine Überarbeitung starten oder das Fenster öffnen.</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>While Tessarine runs</source>
        <translation>Solange Tessarine läuft</translation>
    </message>
</context>
<context>
    <name>ts::DesktopControlTexts</name>
    <message>
        <source>Selected text is read and replaced through the accessibility bus (AT-SPI), where GTK, Qt and LibreOffice programs offer their text.</source>
        <translation>Markierter Text wird über den Barrierefreiheits-Bus (AT-SPI) gelesen und ersetzt, auf dem GTK-, Qt- und LibreOffice-Programme ihren Text anbieten.</translation>
    </message>
    <message>
        <source>Programs that are not on the bus are reached by copy and paste through this compositor&apos;s virtual keyboard and clipboard control.</source>
        <translation>Programme, die nicht am Bus sind, werden per Kopieren und Einfügen über die virtuelle Tastatur und die Zwischenablage-Steuerung dieses Compositors erreicht.</translation>
    </message>
    <message>
        <source>Programs that are not on the bus can&apos;t be rewritten in place: this compositor offers no virtual keyboard and clipboard control (sway and Hyprland do).</source>
        <translation>Programme, die nicht am Bus sind, lassen sich nicht direkt umschreiben: Dieser Compositor bietet keine virtuelle Tastatur und Zwischenablage-Steuerung an (sway und Hyprland schon).</translation>
    </message>
    <message>
        <source>While the in-place rewrite is on, programs started afterwards are asked to expose their text on the bus, which costs them a little memory and speed.</source>
        <translation>Solange das direkte Umschreiben eingeschaltet ist, werden danach gestartete Programme gebeten, ihren Text auf dem Bus anzubieten; das kostet sie etwas Speicher und Geschwindigkeit.</translation>
    </message>
    <message>
        <source>No accessibility bus was found in this session. It comes with the desktop&apos;s accessibility support: install the package at-spi2-core, then log in again.</source>
        <translation>In dieser Sitzung wurde kein Barrierefreiheits-Bus gefunden. Er gehört zur Barrierefreiheits-Unterstützung des Desktops: Installieren Sie das Paket at-spi2-core und melden Sie sich dann neu an.</translation>
    </message>
    <message>
        <source>Until then, text is copied and pasted through this compositor&apos;s virtual keyboard and clipboard control.</source>
        <translation>Bis dahin wird Text über die virtuelle Tastatur und die Zwischenablage-Steuerung dieses Compositors kopiert und eingefügt.</translation>
    </message>
    <message>
        <source>This compositor offers no virtual keyboard and clipboard control to fall back on (sway and Hyprland do). The Tessarine window and tessarine-cli work as they are.</source>
        <translation>Dieser Compositor bietet auch keine virtuelle Tastatur und Zwischenablage-Steuerung als Ausweg an (sway und Hyprland schon). Das Tessarine-Fenster und tessarine-cli funktionieren auch so.</translation>
    </message>
    <message>
        <source>Select text in any app and press the in-place hotkey to rewrite it there.</source>
        <translation>Markieren Sie Text in einem beliebigen Programm und drücken Sie das Tastenkürzel zum direkten Umschreiben, um ihn dort umzuschreiben.</translation>
    </message>
    <message>
        <source>This X server does not offer the XTEST and XInput 2 extensions that Tessarine needs to copy and paste in other apps. Start Tessarine in an X11 session whose server has both.</source>
        <translation>Dieser X-Server bietet die Erweiterungen XTEST und XInput 2 nicht an, die Tessarine zum Kopieren und Einfügen in anderen Programmen braucht. Starten Sie Tessarine in einer X11-Sitzung, deren Server beide hat.</translation>
    </message>
    <message>
        <source>Tessarine is not running in an X11 or Wayland session, and other apps&apos; text can only be read and replaced there. Log in to a desktop session, then start Tessarine again. The Tessarine window and tessarine-cli work as they are.</source>
        <translation>Tessarine läuft nicht in einer X11- oder Wayland-Sitzung, und nur dort lässt sich der Text anderer Programme lesen und ersetzen. Melden Sie sich in einer Desktop-Sitzung an und starten Sie Tessarine dann erneut. Das Tessarine-Fenster und tessarine-cli funktionieren auch so.</translation>
    </message>
</context>
<context>
    <name>ts::DoneStep</name>
    <message>
        <source>(needs Accessibility)</source>
        <translation>(braucht die Desktop-Steuerung)</translation>
    </message>
    <message>
        <source>Start using Tessarine</source>
        <translation>Tessarine verwenden</translation>
    </message>
    <message>
        <source>You&apos;re set</source>
        <translation>Alles bereit</translation>
    </message>
    <message>
        <source>Here&apos;s how to use Tessarine.</source>
        <translation>So verwenden Sie Tessarine.</translation>
    </message>
    <message>
        <source>Open Tessarine from anywhere</source>
        <translation>Tessarine von überall öffnen</translation>
    </message>
    <message>
        <source>Rewrite the selection in place</source>
        <translation>Markierten Text vor Ort umschreiben</translation>
    </message>
</context>
<context>
    <name>ts::EmptyStateView</name>
    <message>
        <source>e.g. &quot;Turn this into a Jira ticket with acceptance criteria&quot;</source>
        <translation>z. B. „Mach daraus ein Jira-Ticket mit Akzeptanzkriterien“</translation>
    </message>
    <message>
        <source>e.g. &quot;Summarize in 3 bullets&quot;</source>
        <translation>z. B. „In 3 Stichpunkten zusammenfassen“</translation>
    </message>
    <message>
        <source>e.g. &quot;Convert to a formal email with a greeting&quot;</source>
        <translation>z. B. „Als förmliche E-Mail mit Anrede formulieren“</translation>
    </message>
    <message>
        <source>e.g. &quot;Extract action items as a numbered list&quot;</source>
        <translation>z. B. „Aufgaben als nummerierte Liste herausziehen“</translation>
    </message>
    <message>
        <source>Let&apos;s make it</source>
        <extracomment>The heading&apos;s two lines read as one sentence: &quot;Let&apos;s make it sharper.&quot;</extracomment>
        <translation>Machen wir es</translation>
    </message>
    <message>
        <source>sharper.</source>
        <extracomment>Second line of &quot;Let&apos;s make it sharper.&quot;</extracomment>
        <translation>prägnanter.</translation>
    </message>
    <message>
        <source>Review</source>
        <extracomment>The button that sends the text for review; keep it short.</extracomment>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Paste your text…</source>
        <translation>Text hier einfügen …</translation>
    </message>
    <message>
        <source>Fix grammar,</source>
        <translation>Grammatik korrigieren,</translation>
    </message>
    <message>
        <source>keep voice.</source>
        <translation>Stil bewahren.</translation>
    </message>
    <message>
        <source>Proofread</source>
        <translation>Korrigieren</translation>
    </message>
    <message>
        <source>Paste the text to proofread…</source>
        <translation>Zu korrigierenden Text einfügen …</translation>
    </message>
    <message>
        <source>Draft a reply</source>
        <translation>Antwort entwerfen,</translation>
    </message>
    <message>
        <source>in your voice.</source>
        <translation>in Ihrem Stil.</translation>
    </message>
    <message>
        <source>Draft Reply</source>
        <translation>Entwerfen</translation>
    </message>
    <message>
        <source>What do you want to say? e.g. &quot;Yes, Thursday works. Ask for the Q2 deck.&quot;</source>
        <translation>Was möchten Sie sagen? z. B. „Ja, Donnerstag passt. Nach den Folien fürs 2. Quartal fragen.“</translation>
    </message>
    <message>
        <source>Tell me</source>
        <translation>Sagen Sie mir,</translation>
    </message>
    <message>
        <source>what to do.</source>
        <translation>was zu tun ist.</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ausführen</translation>
    </message>
    <message>
        <source>Paste the text you want to transform…</source>
        <translation>Den umzuwandelnden Text einfügen …</translation>
    </message>
    <message>
        <source>How does this</source>
        <translation>Wie wirkt</translation>
    </message>
    <message>
        <source>come across?</source>
        <translation>dieser Text?</translation>
    </message>
    <message>
        <source>Check Tone</source>
        <translation>Ton prüfen</translation>
    </message>
    <message>
        <source>Paste the text. I&apos;ll tell you how it reads…</source>
        <translation>Text einfügen – ich sage Ihnen, wie er wirkt …</translation>
    </message>
    <message>
        <source>MESSAGE RECEIVED</source>
        <translation>ERHALTENE NACHRICHT</translation>
    </message>
    <message>
        <source>YOUR INTENT  (OPTIONAL)</source>
        <translation>IHRE ABSICHT  (OPTIONAL)</translation>
    </message>
    <message>
        <source>Paste the email / DM you got…</source>
        <translation>Erhaltene E-Mail oder Nachricht einfügen …</translation>
    </message>
    <message>
        <source>Instruction</source>
        <translation>Anweisung</translation>
    </message>
    <message>
        <source>Save this instruction to reuse later</source>
        <translation>Diese Anweisung zur späteren Verwendung speichern</translation>
    </message>
    <message>
        <source>From clipboard</source>
        <translation>Aus der Zwischenablage</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Context</source>
        <translation>Kontext</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Saved</source>
        <extracomment>Shown instead of &quot;Save prompt&quot; once the instruction is saved.</extracomment>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>Save prompt</source>
        <translation>Prompt speichern</translation>
    </message>
</context>
<context>
    <name>ts::EnumTexts</name>
    <message>
        <source>Rewrite</source>
        <comment>mode</comment>
        <translation>Umschreiben</translation>
    </message>
    <message>
        <source>Proofread</source>
        <comment>mode</comment>
        <translation>Korrektur</translation>
    </message>
    <message>
        <source>Reply</source>
        <comment>mode</comment>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>mode</comment>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Tone</source>
        <comment>mode</comment>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Professional</source>
        <comment>tone</comment>
        <translation>Sachlich</translation>
    </message>
    <message>
        <source>Casual</source>
        <comment>tone</comment>
        <translation>Locker</translation>
    </message>
    <message>
        <source>Friendly</source>
        <comment>tone</comment>
        <translation>Freundlich</translation>
    </message>
    <message>
        <source>Concise</source>
        <comment>tone</comment>
        <translation>Knapp</translation>
    </message>
    <message>
        <source>Email</source>
        <comment>context</comment>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Chat</source>
        <comment>context</comment>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Generic</source>
        <comment>context</comment>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Shorter</source>
        <comment>adjustment</comment>
        <translation>Kürzer</translation>
    </message>
    <message>
        <source>Longer</source>
        <comment>adjustment</comment>
        <translation>Länger</translation>
    </message>
    <message>
        <source>Simpler</source>
        <comment>adjustment</comment>
        <translation>Einfacher</translation>
    </message>
    <message>
        <source>Casual</source>
        <comment>adjustment</comment>
        <translation>Lockerer</translation>
    </message>
    <message>
        <source>Formal</source>
        <comment>adjustment</comment>
        <translation>Förmlicher</translation>
    </message>
    <message>
        <source>Friendlier</source>
        <comment>adjustment</comment>
        <translation>Freundlicher</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>provider</comment>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Cut roughly a third of the length while keeping the core ask.</source>
        <translation>Etwa ein Drittel kürzen und dabei das Kernanliegen bewahren.</translation>
    </message>
    <message>
        <source>Add one more sentence of context without padding.</source>
        <translation>Einen weiteren Satz Kontext hinzufügen, ohne aufzublähen.</translation>
    </message>
    <message>
        <source>Use simpler vocabulary and shorter sentences. Aim for a grade-8 reading level.</source>
        <translation>Einfacheren Wortschatz und kürzere Sätze verwenden; für Achtklässler verständlich.</translation>
    </message>
    <message>
        <source>Lower the formality. Contractions welcome, warmer opener, less corporate.</source>
        <translation>Weniger förmlich: umgangssprachliche Wendungen erlaubt, herzlicherer Einstieg, weniger Geschäftston.</translation>
    </message>
    <message>
        <source>Raise the formality. Full words, no contractions, measured tone.</source>
        <translation>Förmlicher: ausformulierte Wörter, keine Verkürzungen, gemessener Ton.</translation>
    </message>
    <message>
        <source>Add warmth without losing the point. Keep it genuine, not syrupy.</source>
        <translation>Mehr Wärme, ohne den Punkt zu verlieren. Echt bleiben, nicht süßlich.</translation>
    </message>
</context>
<context>
    <name>ts::ErrorBannerView</name>
    <message>
        <source>Open Settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Setup needed</source>
        <translation>Einrichtung nötig</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Etwas ist schiefgelaufen</translation>
    </message>
</context>
<context>
    <name>ts::GeminiProvider</name>
    <message>
        <source>Gemini blocked this response (%1).</source>
        <translation>Gemini hat diese Antwort blockiert (%1).</translation>
    </message>
</context>
<context>
    <name>ts::GeneralTab</name>
    <message>
        <source>Couldn&apos;t find the app bundle. Try launching from /Applications.</source>
        <translation>Das Programm tessarine wurde nicht gefunden. Installieren Sie Tessarine neu.</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Tessarine v</source>
        <translation>Tessarine v</translation>
    </message>
    <message>
        <source>Grant Accessibility…</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>Show floating action on text selection (beta)</source>
        <translation>Schwebende Schaltfläche bei Textauswahl zeigen (Beta)</translation>
    </message>
    <message>
        <source>Shows a small Tessarine button near text you&apos;ve selected in another app. Works well in Mail, Notes, Safari, Pages. May not appear in Electron apps (Obsidian, Slack, VS Code) or canvas editors (Google Docs, Figma); use the hotkey or right-click Services menu there. Requires Accessibility permission.</source>
        <translation>Zeigt eine kleine Tessarine-Schaltfläche neben Text, den Sie in einem anderen Programm markiert haben. Funktioniert gut in Thunderbird, LibreOffice, Firefox und Mousepad. Erscheint womöglich nicht in Electron-Programmen (Obsidian, Slack, VS Code) oder Canvas-Editoren (Google Docs, Figma); verwenden Sie dort das Tastenkürzel oder tessarine-cli. Erfordert die Desktop-Steuerung.</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Open Login Items</source>
        <translation>Autostart-Ordner öffnen</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Replay first-run setup…</source>
        <translation>Ersteinrichtung erneut durchlaufen …</translation>
    </message>
    <message>
        <source>Shows the welcome screen again. Your API keys stay in place.</source>
        <translation>Zeigt den Willkommensbildschirm erneut. Ihre API-Schlüssel bleiben erhalten.</translation>
    </message>
    <message>
        <source>Accessibility permission granted</source>
        <translation>Desktop-Steuerung verfügbar</translation>
    </message>
    <message>
        <source>Accessibility permission not granted</source>
        <translation>Desktop-Steuerung nicht verfügbar</translation>
    </message>
    <message>
        <source>Accessibility permission lets Tessarine rewrite selected text in place in other apps (the ⌃⌥⌘E hotkey). The Services menu and the main window work without it.</source>
        <translation>Mit der Desktop-Steuerung schreibt Tessarine markierten Text direkt in anderen Programmen um (Tastenkürzel Super+Strg+Alt+E). Der D-Bus-Dienst, tessarine://-Links und das Hauptfenster funktionieren auch ohne sie.</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
</context>
<context>
    <name>ts::HistoryOverlay</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>No reviews yet.</source>
        <translation>Noch keine Überarbeitungen.</translation>
    </message>
    <message>
        <source>Liked</source>
        <translation>Gefällt mir</translation>
    </message>
    <message>
        <source>Disliked</source>
        <translation>Gefällt mir nicht</translation>
    </message>
    <message>
        <source>just now</source>
        <translation>gerade eben</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <comment>minutes</comment>
        <translation>vor %1 Min.</translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <comment>hours</comment>
        <translation>vor %1 Std.</translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation>gestern</translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation>
            <numerusform>vor %n Tag</numerusform>
            <numerusform>vor %n Tagen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ts::HotkeyDoorTexts</name>
    <message>
        <source>Registered with the desktop&apos;s global shortcuts portal.</source>
        <translation>Über das Portal für globale Tastenkürzel des Desktops registriert.</translation>
    </message>
    <message>
        <source>Registered in KDE&apos;s global shortcuts (System Settings → Shortcuts → Tessarine).</source>
        <translation>In den globalen Kurzbefehlen von KDE registriert (Systemeinstellungen → Kurzbefehle → Tessarine).</translation>
    </message>
    <message>
        <source>Registered as custom shortcuts in GNOME&apos;s keyboard settings; they start Tessarine when it is not running.</source>
        <translation>Als eigene Tastenkürzel in den Tastatureinstellungen von GNOME registriert; sie starten Tessarine, wenn es nicht läuft.</translation>
    </message>
    <message>
        <source>This desktop takes its shortcuts from its own configuration. Bind these keys to these commands there:</source>
        <translation>Dieser Desktop liest seine Tastenkürzel aus seiner eigenen Konfiguration. Belege dort diese Tasten mit diesen Befehlen:</translation>
    </message>
    <message>
        <source>This desktop takes its shortcuts from its configuration. Add these lines to %1 and reload it:</source>
        <translation>Dieser Desktop liest seine Tastenkürzel aus seiner Konfiguration. Füge diese Zeilen in %1 ein und lade sie neu:</translation>
    </message>
    <message>
        <source>Global shortcuts are unavailable on this desktop</source>
        <translation>Globale Tastenkürzel sind auf dieser Arbeitsumgebung nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>ts::HttpCall</name>
    <message>
        <source>The server sent a line longer than %1 MB.</source>
        <translation>Der Server sandte eine Zeile, die länger als %1 MB ist.</translation>
    </message>
    <message>
        <source>The server sent an event larger than %1 MB.</source>
        <translation>Der Server sandte ein Ereignis, das größer als %1 MB ist.</translation>
    </message>
    <message>
        <source>Couldn&apos;t connect to %1:%2. Is the server running?</source>
        <translation>Keine Verbindung zu %1:%2. Läuft der Server?</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Zeitüberschreitung: Die Anfrage dauerte zu lange.</translation>
    </message>
</context>
<context>
    <name>ts::InPlaceRequest</name>
    <message>
        <source>Paste didn&apos;t fire. The text in the app is unchanged.</source>
        <translation>Das Einfügen hat nicht geklappt. Der Text im Programm ist unverändert.</translation>
    </message>
    <message>
        <source>The window changed before the answer arrived. Nothing was pasted; the answer is in the history.</source>
        <translation>Das Fenster hat gewechselt, bevor die Antwort kam. Es wurde nichts eingefügt; die Antwort steht im Verlauf.</translation>
    </message>
    <message>
        <source>Proofreading in %1…</source>
        <translation>Korrektur in %1 …</translation>
    </message>
    <message>
        <source>Proofread in %1. ⌘Z to undo.</source>
        <translation>In %1 korrigiert. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Proofread for %2 in %1. ⌘Z to undo.</source>
        <translation>In %1 für %2 korrigiert. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Typed the proofread text into %1.</source>
        <translation>Korrigierten Text in %1 eingegeben.</translation>
    </message>
    <message>
        <source>Typed the proofread text for %2 into %1.</source>
        <translation>Korrigierten Text für %2 in %1 eingegeben.</translation>
    </message>
    <message>
        <source>Drafting reply in %1…</source>
        <translation>Antwort wird in %1 entworfen …</translation>
    </message>
    <message>
        <source>Drafted reply in %1. ⌘Z to undo.</source>
        <translation>Antwort in %1 entworfen. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Drafted reply for %2 in %1. ⌘Z to undo.</source>
        <translation>Antwort für %2 in %1 entworfen. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Typed the reply into %1.</source>
        <translation>Antwort in %1 eingegeben.</translation>
    </message>
    <message>
        <source>Typed the reply for %2 into %1.</source>
        <translation>Antwort für %2 in %1 eingegeben.</translation>
    </message>
    <message>
        <source>Running in %1…</source>
        <translation>Wird in %1 ausgeführt …</translation>
    </message>
    <message>
        <source>Done in %1. ⌘Z to undo.</source>
        <translation>Fertig in %1. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Done for %2 in %1. ⌘Z to undo.</source>
        <translation>Fertig für %2 in %1. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Typed the result into %1.</source>
        <translation>Ergebnis in %1 eingegeben.</translation>
    </message>
    <message>
        <source>Typed the result for %2 into %1.</source>
        <translation>Ergebnis für %2 in %1 eingegeben.</translation>
    </message>
    <message>
        <source>Rewriting in %1…</source>
        <translation>Wird in %1 umgeschrieben …</translation>
    </message>
    <message>
        <source>Rewrote in %1. ⌘Z to undo.</source>
        <translation>In %1 umgeschrieben. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Rewrote for %2 in %1. ⌘Z to undo.</source>
        <translation>Für %2 in %1 umgeschrieben. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Typed the rewrite into %1.</source>
        <translation>Umgeschriebenen Text in %1 eingegeben.</translation>
    </message>
    <message>
        <source>Typed the rewrite for %2 into %1.</source>
        <translation>Umgeschriebenen Text für %2 in %1 eingegeben.</translation>
    </message>
    <message>
        <source>This app doesn&apos;t accept text from Tessarine. The answer is in the history.</source>
        <translation>Diese Anwendung nimmt keinen Text von Tessarine an. Die Antwort steht im Verlauf.</translation>
    </message>
    <message>
        <source>Proofread in %1. ⌘Z twice to undo.</source>
        <translation>In %1 korrigiert. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Proofread for %2 in %1. ⌘Z twice to undo.</source>
        <translation>In %1 für %2 korrigiert. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Drafted reply in %1. ⌘Z twice to undo.</source>
        <translation>Antwort in %1 entworfen. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Drafted reply for %2 in %1. ⌘Z twice to undo.</source>
        <translation>Antwort für %2 in %1 entworfen. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Done in %1. ⌘Z twice to undo.</source>
        <translation>Fertig in %1. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Done for %2 in %1. ⌘Z twice to undo.</source>
        <translation>Fertig für %2 in %1. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Rewrote in %1. ⌘Z twice to undo.</source>
        <translation>In %1 umgeschrieben. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Rewrote for %2 in %1. ⌘Z twice to undo.</source>
        <translation>Für %2 in %1 umgeschrieben. Zweimal Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>The app changed the text its own way. Check it; the answer is in the history.</source>
        <translation>Die Anwendung hat den Text auf ihre Weise geändert. Bitte prüfen; die Antwort steht im Verlauf.</translation>
    </message>
</context>
<context>
    <name>ts::InPlaceRunner</name>
    <message>
        <source>Already rewriting…</source>
        <translation>Umschreiben läuft bereits …</translation>
    </message>
</context>
<context>
    <name>ts::InPlaceService</name>
    <message>
        <source>Nothing selected in the frontmost app.</source>
        <translation>Im aktiven Programm ist nichts markiert.</translation>
    </message>
    <message>
        <source>Tessarine needs Accessibility permission.</source>
        <translation>Tessarine braucht die Desktop-Steuerung.</translation>
    </message>
    <message>
        <source>Copy didn&apos;t fire. Select some text, then press the hotkey again.</source>
        <translation>Das Kopieren hat nicht geklappt. Markieren Sie Text und drücken Sie das Tastenkürzel erneut.</translation>
    </message>
    <message>
        <source>The app didn&apos;t produce text to rewrite.</source>
        <translation>Das Programm hat keinen Text zum Umschreiben geliefert.</translation>
    </message>
</context>
<context>
    <name>ts::LLMError</name>
    <message>
        <source>API key is missing. Open Settings and add one.</source>
        <translation>API-Schlüssel fehlt. Öffnen Sie die Einstellungen und fügen Sie einen hinzu.</translation>
    </message>
    <message>
        <source>The provider rejected the request (400). Check Settings → Provider.</source>
        <translation>Der Anbieter hat die Anfrage abgelehnt (400). Prüfen Sie Einstellungen → Anbieter.</translation>
    </message>
    <message>
        <source>The provider rejected the request: %1</source>
        <translation>Der Anbieter hat die Anfrage abgelehnt: %1</translation>
    </message>
    <message>
        <source>API key rejected. Open Settings → Provider and re-check the key.</source>
        <translation>API-Schlüssel abgelehnt. Öffnen Sie Einstellungen → Anbieter und prüfen Sie den Schlüssel.</translation>
    </message>
    <message>
        <source>Model not found. Open Settings → Provider and pick one that&apos;s available for this provider.</source>
        <translation>Modell nicht gefunden. Öffnen Sie Einstellungen → Anbieter und wählen Sie eines, das bei diesem Anbieter verfügbar ist.</translation>
    </message>
    <message>
        <source>Provider endpoint not found (404). Check Settings → Provider.</source>
        <translation>Endpunkt des Anbieters nicht gefunden (404). Prüfen Sie Einstellungen → Anbieter.</translation>
    </message>
    <message>
        <source>Provider timed out. Try again, or switch provider in Settings.</source>
        <translation>Der Anbieter hat nicht rechtzeitig geantwortet. Versuchen Sie es erneut oder wechseln Sie den Anbieter in den Einstellungen.</translation>
    </message>
    <message>
        <source>Rate limited by the provider. Wait ~30 seconds and try again, or switch provider in Settings.</source>
        <translation>Der Anbieter begrenzt die Anfragen. Warten Sie etwa 30 Sekunden und versuchen Sie es erneut, oder wechseln Sie den Anbieter in den Einstellungen.</translation>
    </message>
    <message>
        <source>Provider is temporarily unavailable (%1). Try again in a moment or switch provider in Settings.</source>
        <translation>Der Anbieter ist vorübergehend nicht verfügbar (%1). Versuchen Sie es gleich noch einmal oder wechseln Sie den Anbieter in den Einstellungen.</translation>
    </message>
    <message>
        <source>Provider returned %1. Try again or switch provider in Settings.</source>
        <translation>Der Anbieter antwortete mit %1. Versuchen Sie es erneut oder wechseln Sie den Anbieter in den Einstellungen.</translation>
    </message>
    <message>
        <source>Provider returned %1: %2</source>
        <translation>Der Anbieter antwortete mit %1: %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t parse the provider&apos;s response. %1</source>
        <translation>Die Antwort des Anbieters ließ sich nicht lesen. %1</translation>
    </message>
    <message>
        <source>The provider reported an error: %1</source>
        <translation>Der Anbieter meldete einen Fehler: %1</translation>
    </message>
    <message>
        <source>Request cancelled.</source>
        <translation>Anfrage abgebrochen.</translation>
    </message>
</context>
<context>
    <name>ts::LoadingStateView</name>
    <message>
        <source>Reviewing</source>
        <translation>Wird überarbeitet</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>IMPROVED</source>
        <translation>VERBESSERT</translation>
    </message>
    <message>
        <source>esc to cancel</source>
        <translation>Esc zum Abbrechen</translation>
    </message>
    <message>
        <source>OBSERVATIONS</source>
        <translation>BEOBACHTUNGEN</translation>
    </message>
    <message>
        <source>Arriving with the answer…</source>
        <translation>Die Antwort kommt gleich …</translation>
    </message>
    <message>
        <source>Reviewing · </source>
        <translation>Wird überarbeitet · </translation>
    </message>
</context>
<context>
    <name>ts::LocalSetupStep</name>
    <message>
        <source>Run Tessarine on your Mac</source>
        <translation>Tessarine auf Ihrem Computer ausführen</translation>
    </message>
    <message>
        <source>Uses Ollama. Free, private, no API key.</source>
        <translation>Verwendet Ollama. Kostenlos, privat, ohne API-Schlüssel.</translation>
    </message>
</context>
<context>
    <name>ts::MainKeyCommands</name>
    <message>
        <source>Ctrl+Return</source>
        <translation>Strg+Eingabe</translation>
    </message>
    <message>
        <source>Run the current mode</source>
        <translation>Aktuellen Modus ausführen</translation>
    </message>
    <message>
        <source>Ctrl+1 … Ctrl+5</source>
        <translation>Strg+1 … Strg+5</translation>
    </message>
    <message>
        <source>Choose a mode</source>
        <translation>Modus wählen</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Strg+C</translation>
    </message>
    <message>
        <source>Copy the result and close</source>
        <translation>Ergebnis kopieren und schließen</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Strg+R</translation>
    </message>
    <message>
        <source>Regenerate the result</source>
        <translation>Ergebnis neu erzeugen</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Strg+N</translation>
    </message>
    <message>
        <source>Back to the editor</source>
        <translation>Zurück zum Editor</translation>
    </message>
    <message>
        <source>Ctrl+.</source>
        <translation>Strg+.</translation>
    </message>
    <message>
        <source>Cancel the running request</source>
        <translation>Laufende Anfrage abbrechen</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Strg+,</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Cancel a request, go back from a result, or close the window</source>
        <translation>Anfrage abbrechen, vom Ergebnis zurückgehen oder das Fenster schließen</translation>
    </message>
</context>
<context>
    <name>ts::MainWindow</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>ts::ModelCard</name>
    <message>
        <source>Installed</source>
        <translation>Installiert</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Download of %1</source>
        <translation>Herunterladen von %1</translation>
    </message>
</context>
<context>
    <name>ts::OllamaError</name>
    <message>
        <source>Couldn&apos;t reach Ollama at %1. Is `ollama serve` running?</source>
        <translation>Ollama unter %1 ist nicht erreichbar. Läuft `ollama serve`?</translation>
    </message>
</context>
<context>
    <name>ts::OllamaInstaller</name>
    <message>
        <source>The server sent a progress line longer than %1 MB.</source>
        <translation>Der Server sandte eine Fortschrittszeile, die länger als %1 MB ist.</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Zeitüberschreitung: Die Anfrage dauerte zu lange.</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Wird gestartet…</translation>
    </message>
    <message>
        <source>Pull request failed</source>
        <translation>Das Herunterladen des Modells ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>ts::OllamaSetupPanel</name>
    <message>
        <source>Recheck</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>RECOMMENDED MODELS</source>
        <translation>EMPFOHLENE MODELLE</translation>
    </message>
    <message>
        <source>Checking Ollama…</source>
        <translation>Ollama wird geprüft …</translation>
    </message>
    <message>
        <source>Ollama is not installed</source>
        <translation>Ollama ist nicht installiert</translation>
    </message>
    <message>
        <source>Ollama is installed but not running</source>
        <translation>Ollama ist installiert, läuft aber nicht</translation>
    </message>
    <message>
        <source>Ollama is running · no models pulled yet</source>
        <translation>Ollama läuft · noch keine Modelle heruntergeladen</translation>
    </message>
    <message numerus="yes">
        <source>Ollama is running · %n model installed</source>
        <translation>
            <numerusform>Ollama läuft · %n Modell installiert</numerusform>
            <numerusform>Ollama läuft · %n Modelle installiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ollama is running · %n models installed</source>
        <translation>
            <numerusform>Ollama läuft · %n Modell installiert</numerusform>
            <numerusform>Ollama läuft · %n Modelle installiert</numerusform>
        </translation>
    </message>
    <message>
        <source>Install Ollama to run models locally</source>
        <translation>Ollama installieren, um Modelle lokal auszuführen</translation>
    </message>
    <message>
        <source>Ollama is a free, open-source runtime for local LLMs. Install once; Tessarine detects it automatically when you return.</source>
        <translation>Ollama ist eine kostenlose, quelloffene Laufzeitumgebung für lokale Sprachmodelle. Einmal installieren; Tessarine erkennt es automatisch, wenn Sie zurückkehren.</translation>
    </message>
    <message>
        <source>Download Ollama</source>
        <translation>Ollama herunterladen</translation>
    </message>
    <message>
        <source>Start the Ollama app</source>
        <translation>Ollama starten</translation>
    </message>
    <message>
        <source>Ollama.app lives in your menu bar and runs the local server. Click Start to launch it.</source>
        <translation>„Ollama starten“ führt den lokalen Server (ollama serve) im Hintergrund aus.</translation>
    </message>
    <message>
        <source>Start Ollama</source>
        <translation>Ollama starten</translation>
    </message>
</context>
<context>
    <name>ts::OnboardingSteps</name>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Skip for now</source>
        <translation>Vorerst überspringen</translation>
    </message>
</context>
<context>
    <name>ts::OnboardingView</name>
    <message>
        <source>Welcome to Tessarine</source>
        <translation>Willkommen bei Tessarine</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Skip setup</source>
        <translation>Einrichtung überspringen</translation>
    </message>
    <message>
        <source>You can configure Tessarine later in Settings.</source>
        <translation>Sie können Tessarine später in den Einstellungen einrichten.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>ts::Overlay</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>ts::PromptsTab</name>
    <message>
        <source>Prompts</source>
        <translation>Prompts</translation>
    </message>
    <message>
        <source>Saved Custom-mode instructions. Save new ones from the Custom tab; rename or delete existing ones here. Up to 30.</source>
        <translation>Gespeicherte Anweisungen für den Modus „Frei“. Neue speichern Sie im Reiter „Frei“; vorhandene benennen Sie hier um oder löschen sie. Bis zu 30.</translation>
    </message>
    <message>
        <source>Import…</source>
        <translation>Importieren …</translation>
    </message>
    <message>
        <source>Load prompts from a JSON export</source>
        <translation>Prompts aus einem JSON-Export laden</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren …</translation>
    </message>
    <message>
        <source>Save all prompts to a JSON file</source>
        <translation>Alle Prompts in eine JSON-Datei speichern</translation>
    </message>
    <message>
        <source>Import Prompts</source>
        <translation>Prompts importieren</translation>
    </message>
    <message>
        <source>Couldn&apos;t encode prompts.</source>
        <translation>Die Prompts konnten nicht kodiert werden.</translation>
    </message>
    <message>
        <source>Export Saved Prompts</source>
        <translation>Gespeicherte Prompts exportieren</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Prompt name</source>
        <translation>Name des Prompts</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>No saved prompts yet.</source>
        <translation>Noch keine gespeicherten Prompts.</translation>
    </message>
    <message>
        <source>Open the main window, pick the Custom tab, type an instruction, then click Save prompt.</source>
        <translation>Öffnen Sie das Hauptfenster, wählen Sie den Reiter „Frei“, geben Sie eine Anweisung ein und klicken Sie auf „Prompt speichern“.</translation>
    </message>
    <message>
        <source>Couldn&apos;t write file: %1</source>
        <translation>Datei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation>%1 umbenennen</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1 löschen</translation>
    </message>
</context>
<context>
    <name>ts::ProviderFactory</name>
    <message>
        <source>The base URL in Settings isn&apos;t a valid http or https address.</source>
        <translation>Die Basis-URL in den Einstellungen ist keine gültige http- oder https-Adresse.</translation>
    </message>
</context>
<context>
    <name>ts::ProviderTab</name>
    <message>
        <source>%1 base URL</source>
        <translation>Basis-URL von %1</translation>
    </message>
    <message>
        <source>Provider</source>
        <translation>Anbieter</translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation>Verbindung testen</translation>
    </message>
    <message>
        <source>API key</source>
        <translation>API-Schlüssel</translation>
    </message>
    <message>
        <source>Keys are kept in %1.</source>
        <translation>Schlüssel werden in %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>Runs locally. No key needed.</source>
        <translation>Läuft lokal. Kein Schlüssel nötig.</translation>
    </message>
    <message>
        <source>Your text never leaves this Mac.</source>
        <translation>Ihr Text verlässt nie diesen Computer.</translation>
    </message>
    <message>
        <source>Base URL</source>
        <translation>Basis-URL</translation>
    </message>
    <message>
        <source>Ollama URL</source>
        <translation>Ollama-URL</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Leave empty to use the public API.</source>
        <translation>Leer lassen, um die öffentliche API zu verwenden.</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Fetched models</source>
        <translation>Abgerufene Modelle</translation>
    </message>
    <message>
        <source>Refresh model list</source>
        <translation>Modellliste aktualisieren</translation>
    </message>
    <message>
        <source>Loading models…</source>
        <translation>Modelle werden geladen …</translation>
    </message>
    <message>
        <source>Error: API key is missing. Add the key above.</source>
        <translation>Fehler: Der API-Schlüssel fehlt. Tragen Sie ihn oben ein.</translation>
    </message>
    <message>
        <source>Connected.</source>
        <translation>Verbunden.</translation>
    </message>
    <message>
        <source>Keys are kept in the system keyring.</source>
        <translation>Schlüssel werden im Schlüsselbund des Systems aufbewahrt.</translation>
    </message>
    <message>
        <source>Keys are kept in the %1.</source>
        <translation>Schlüssel werden hier aufbewahrt: %1.</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
</context>
<context>
    <name>ts::RatingButtons</name>
    <message>
        <source>Like</source>
        <translation>Gefällt mir</translation>
    </message>
    <message>
        <source>Like (adds to your style corpus)</source>
        <translation>Gefällt mir (fließt in Ihr Stilprofil ein)</translation>
    </message>
    <message>
        <source>Dislike</source>
        <translation>Gefällt mir nicht</translation>
    </message>
    <message>
        <source>Dislike (exclude from style corpus)</source>
        <translation>Gefällt mir nicht (nicht ins Stilprofil aufnehmen)</translation>
    </message>
</context>
<context>
    <name>ts::ResultTexts</name>
    <message>
        <source>Review:</source>
        <extracomment>A result&apos;s title is two words read as one: &quot;Review: Sharper&quot;.</extracomment>
        <translation>Überarbeitung:</translation>
    </message>
    <message>
        <source>Sharper</source>
        <extracomment>Second half of &quot;Review: Sharper&quot;: the text now reads sharper.</extracomment>
        <translation>Geschliffen</translation>
    </message>
    <message>
        <source>IMPROVED</source>
        <translation>VERBESSERT</translation>
    </message>
    <message>
        <source>Copy Improved</source>
        <translation>Verbesserten Text kopieren</translation>
    </message>
    <message>
        <source>Proofread:</source>
        <translation>Korrektur:</translation>
    </message>
    <message>
        <source>Clean</source>
        <extracomment>Second half of &quot;Proofread: Clean&quot;: the text is now free of errors.</extracomment>
        <translation>Bereinigt</translation>
    </message>
    <message>
        <source>CORRECTED</source>
        <translation>KORRIGIERT</translation>
    </message>
    <message>
        <source>Copy Corrected</source>
        <translation>Korrigierten Text kopieren</translation>
    </message>
    <message>
        <source>Draft:</source>
        <translation>Entwurf:</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>DRAFTED REPLY</source>
        <translation>ENTWORFENE ANTWORT</translation>
    </message>
    <message>
        <source>Copy Reply</source>
        <translation>Antwort kopieren</translation>
    </message>
    <message>
        <source>Result:</source>
        <translation>Ergebnis:</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>ERGEBNIS</translation>
    </message>
    <message>
        <source>Copy Result</source>
        <translation>Ergebnis kopieren</translation>
    </message>
    <message>
        <source>Tone:</source>
        <translation>Tonfall:</translation>
    </message>
    <message>
        <source>Read</source>
        <extracomment>Second half of &quot;Tone: Read&quot;: the tone has been read (past tense).</extracomment>
        <translation>Eingeschätzt</translation>
    </message>
    <message>
        <source>OBSERVATIONS</source>
        <translation>BEOBACHTUNGEN</translation>
    </message>
    <message>
        <source>Regenerate: %1</source>
        <translation>Neu erzeugen: %1</translation>
    </message>
</context>
<context>
    <name>ts::ReviewRequest</name>
    <message>
        <source>The model returned an empty response.</source>
        <translation>Das Modell hat eine leere Antwort geliefert.</translation>
    </message>
</context>
<context>
    <name>ts::SavedPromptChip</name>
    <message>
        <source>Delete Prompt</source>
        <translation>Prompt löschen</translation>
    </message>
</context>
<context>
    <name>ts::SelectionStripView</name>
    <message>
        <source>Rewrite</source>
        <translation>Umschreiben</translation>
    </message>
    <message>
        <source>Rewrite the selection in place</source>
        <translation>Markierten Text vor Ort umschreiben</translation>
    </message>
    <message>
        <source>Proofread</source>
        <translation>Korrigieren</translation>
    </message>
    <message>
        <source>Fix grammar; preserve voice</source>
        <translation>Grammatik korrigieren, Stil bewahren</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Draft a reply in place</source>
        <translation>Antwort vor Ort entwerfen</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Custom instruction in place</source>
        <translation>Eigene Anweisung vor Ort</translation>
    </message>
    <message>
        <source>Selection actions</source>
        <translation>Aktionen für die Auswahl</translation>
    </message>
</context>
<context>
    <name>ts::ServiceCall</name>
    <message>
        <source>Proofreading…</source>
        <translation>Wird korrigiert …</translation>
    </message>
    <message>
        <source>Drafting reply…</source>
        <translation>Antwort wird entworfen …</translation>
    </message>
    <message>
        <source>Rewriting…</source>
        <translation>Wird umgeschrieben …</translation>
    </message>
    <message>
        <source>Proofread. ⌘Z to undo.</source>
        <translation>Korrigiert. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Drafted reply. ⌘Z to undo.</source>
        <translation>Antwort entworfen. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Rewrote selection. ⌘Z to undo.</source>
        <translation>Auswahl umgeschrieben. Strg+Z macht es rückgängig.</translation>
    </message>
    <message>
        <source>Request cancelled.</source>
        <translation>Anfrage abgebrochen.</translation>
    </message>
</context>
<context>
    <name>ts::SettingsWindow</name>
    <message>
        <source>Tessarine Settings</source>
        <translation>Tessarine-Einstellungen</translation>
    </message>
    <message>
        <source>Settings sections</source>
        <translation>Bereiche der Einstellungen</translation>
    </message>
    <message>
        <source>Provider</source>
        <translation>Anbieter</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Prompts</source>
        <translation>Prompts</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
</context>
<context>
    <name>ts::ShortcutRecorder</name>
    <message>
        <source>Press a shortcut · Esc to cancel</source>
        <translation>Tastenkürzel drücken · Esc bricht ab</translation>
    </message>
    <message>
        <source>Click to change</source>
        <translation>Zum Ändern klicken</translation>
    </message>
</context>
<context>
    <name>ts::ShortcutTab</name>
    <message>
        <source>Replaces the selected text in the frontmost app with an improved version. Requires Accessibility permission.</source>
        <translation>Ersetzt den markierten Text im aktiven Programm durch eine verbesserte Fassung. Erfordert die Desktop-Steuerung.</translation>
    </message>
    <message>
        <source>Disabled. Enable to rewrite selected text in any app with a single shortcut.</source>
        <translation>Ausgeschaltet. Einschalten, um markierten Text in jedem Programm mit einem einzigen Tastenkürzel umzuschreiben.</translation>
    </message>
    <message>
        <source>In use by another program</source>
        <translation>Von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>Global shortcuts are unavailable on this desktop</source>
        <translation>Globale Tastenkürzel sind auf dieser Arbeitsumgebung nicht verfügbar</translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>OPEN TESSARINE</source>
        <translation>TESSARINE ÖFFNEN</translation>
    </message>
    <message>
        <source>Opens or toggles the Tessarine window from anywhere.</source>
        <translation>Öffnet oder schließt das Tessarine-Fenster von überall aus.</translation>
    </message>
    <message>
        <source>REWRITE IN PLACE</source>
        <translation>VOR ORT UMSCHREIBEN</translation>
    </message>
    <message>
        <source>Rewrite in place</source>
        <translation>Vor Ort umschreiben</translation>
    </message>
    <message>
        <source>Reset to defaults (⌥⌘E · ⌃⌥⌘E)</source>
        <translation>Auf Standard zurücksetzen (Strg+Alt+E · Super+Strg+Alt+E)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>ts::ShortcutsOverlay</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
</context>
<context>
    <name>ts::StyleTab</name>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Tessarine learns your voice from two sources: samples of your own writing (pasted below) and reviews you thumb up. Refresh the profile to rebuild it.</source>
        <translation>Tessarine lernt Ihren Stil aus zwei Quellen: Proben Ihrer eigenen Texte (unten eingefügt) und Überarbeitungen, die Ihnen gefallen haben. Aktualisieren Sie das Profil, um es neu aufzubauen.</translation>
    </message>
    <message>
        <source>Refresh now</source>
        <translation>Jetzt aktualisieren</translation>
    </message>
    <message>
        <source>Apply my style profile to every review</source>
        <translation>Mein Stilprofil auf jede Überarbeitung anwenden</translation>
    </message>
    <message>
        <source>Your writing samples</source>
        <translation>Ihre Textproben</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Clear profile</source>
        <translation>Profil löschen</translation>
    </message>
    <message>
        <source>No profile yet. Add samples above and/or thumb up reviews, then click Refresh.</source>
        <translation>Noch kein Profil. Fügen Sie oben Proben hinzu oder markieren Sie Überarbeitungen mit „Gefällt mir“ und klicken Sie dann auf „Jetzt aktualisieren“.</translation>
    </message>
    <message>
        <source>Analyzing…</source>
        <translation>Wird analysiert …</translation>
    </message>
    <message>
        <source>Paste 3–5 of your own emails or messages here, separating each with a blank line. The analyzer uses these as seed examples of your authentic voice.</source>
        <translation>Fügen Sie hier 3–5 eigene E-Mails oder Nachrichten ein, jeweils durch eine Leerzeile getrennt. Die Analyse nutzt sie als Ausgangsbeispiele Ihres eigenen Stils.</translation>
    </message>
</context>
<context>
    <name>ts::ToneView</name>
    <message>
        <source>YOUR TEXT</source>
        <translation>IHR TEXT</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Rewrite with these</source>
        <translation>Damit umschreiben</translation>
    </message>
</context>
<context>
    <name>ts::TrayIcon</name>
    <message>
        <source>Open Tessarine</source>
        <translation>Tessarine öffnen</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen …</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit Tessarine</source>
        <translation>Tessarine beenden</translation>
    </message>
</context>
<context>
    <name>ts::WelcomeStep</name>
    <message>
        <source>Welcome to</source>
        <translation>Willkommen bei</translation>
    </message>
    <message>
        <source>Welcome to Tessarine</source>
        <translation>Willkommen bei Tessarine</translation>
    </message>
    <message>
        <source>Rewrite, proofread, and draft text in any Mac app. Pick how you want to run the AI:</source>
        <translation>Texte in jedem Programm umschreiben, korrigieren und entwerfen. Wählen Sie, wie die KI laufen soll:</translation>
    </message>
    <message>
        <source>Use a cloud model</source>
        <translation>Cloud-Modell verwenden</translation>
    </message>
    <message>
        <source>OpenAI, Anthropic, or Gemini.</source>
        <translation>OpenAI, Anthropic oder Gemini.</translation>
    </message>
    <message>
        <source>Best quality. Bring your own API key. Pay the provider per use.</source>
        <translation>Beste Qualität. Mit eigenem API-Schlüssel. Sie zahlen den Anbieter pro Nutzung.</translation>
    </message>
    <message>
        <source>Run locally</source>
        <translation>Lokal ausführen</translation>
    </message>
    <message>
        <source>Free. Private. On-device.</source>
        <translation>Kostenlos. Privat. Auf dem Gerät.</translation>
    </message>
    <message>
        <source>Uses Ollama. No API key. Slower on older Macs. Works offline.</source>
        <translation>Verwendet Ollama. Kein API-Schlüssel. Langsamer auf älteren Computern. Funktioniert offline.</translation>
    </message>
</context>
<context>
    <name>ts::WireFormat</name>
    <message>
        <source>The answer has no &quot;content&quot; list.</source>
        <translation>Die Antwort enthält keine Liste „content“.</translation>
    </message>
    <message>
        <source>A content block is malformed.</source>
        <translation>Ein Inhaltsblock ist fehlerhaft.</translation>
    </message>
    <message>
        <source>The answer has no &quot;candidates&quot; list.</source>
        <translation>Die Antwort enthält keine Liste „candidates“.</translation>
    </message>
    <message>
        <source>A candidate has no content parts.</source>
        <translation>Ein Kandidat hat keine Inhaltsteile.</translation>
    </message>
    <message>
        <source>A content part is malformed.</source>
        <translation>Ein Inhaltsteil ist fehlerhaft.</translation>
    </message>
    <message>
        <source>The model list has no &quot;models&quot; list.</source>
        <translation>Die Modellliste enthält keine Liste „models“.</translation>
    </message>
    <message>
        <source>A model entry is malformed.</source>
        <translation>Ein Modelleintrag ist fehlerhaft.</translation>
    </message>
    <message>
        <source>The answer is not a JSON object.</source>
        <translation>Die Antwort ist kein JSON-Objekt.</translation>
    </message>
    <message>
        <source>The answer has no &quot;choices&quot; list.</source>
        <translation>Die Antwort enthält keine Liste „choices“.</translation>
    </message>
    <message>
        <source>A choice has no message text.</source>
        <translation>Eine Auswahl enthält keinen Nachrichtentext.</translation>
    </message>
    <message>
        <source>The model list has no &quot;data&quot; list.</source>
        <translation>Die Modellliste enthält keine Liste „data“.</translation>
    </message>
    <message>
        <source>A model has no &quot;id&quot;.</source>
        <translation>Ein Modell hat keine „id“.</translation>
    </message>
</context>
<context>
    <name>ts::cli::ChangeReviewer</name>
    <message>
        <source>--interactive needs a terminal to ask on, and this process has none</source>
        <translation>--interactive braucht ein Terminal für die Rückfragen, und dieser Prozess hat keines</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n changes kept.</source>
        <translation>
            <numerusform>%1 von %n Änderung übernommen.</numerusform>
            <numerusform>%1 von %n Änderungen übernommen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Change %1 of %2: </source>
        <translation>Änderung %1 von %2: </translation>
    </message>
    <message>
        <source>Keep it? y keep, n drop, a keep the rest, d drop the rest: </source>
        <translation>Übernehmen? y übernehmen, n verwerfen, a den Rest übernehmen, d den Rest verwerfen: </translation>
    </message>
    <message>
        <source>kept</source>
        <translation>übernommen</translation>
    </message>
    <message>
        <source>dropped</source>
        <translation>verworfen</translation>
    </message>
    <message>
        <source>kept, with the rest</source>
        <translation>übernommen, mit dem Rest</translation>
    </message>
    <message>
        <source>dropped, with the rest</source>
        <translation>verworfen, mit dem Rest</translation>
    </message>
    <message>
        <source>insert: </source>
        <translation>einfügen: </translation>
    </message>
    <message>
        <source>delete: </source>
        <translation>löschen: </translation>
    </message>
</context>
<context>
    <name>ts::cli::CliMessages</name>
    <message>
        <source>Open Settings → Provider and re-check the key.</source>
        <translation>Öffnen Sie Einstellungen → Anbieter und prüfen Sie den Schlüssel.</translation>
    </message>
    <message>
        <source>Check it and store it again with: %1</source>
        <translation>Prüfen Sie ihn und speichern Sie ihn erneut mit: %1</translation>
    </message>
    <message>
        <source>Open Settings and add one.</source>
        <translation>Öffnen Sie die Einstellungen und fügen Sie einen hinzu.</translation>
    </message>
    <message>
        <source>Store one with: %1</source>
        <translation>Speichern Sie einen mit: %1</translation>
    </message>
    <message>
        <source>Open Settings → Provider and pick one that&apos;s available for this provider.</source>
        <translation>Öffnen Sie Einstellungen → Anbieter und wählen Sie eines, das bei diesem Anbieter verfügbar ist.</translation>
    </message>
    <message>
        <source>List the available ones with: %1, then choose one with: %2</source>
        <translation>Zeigen Sie die verfügbaren an mit: %1, und wählen Sie eines mit: %2</translation>
    </message>
    <message>
        <source>or switch provider in Settings.</source>
        <translation>oder wechseln Sie den Anbieter in den Einstellungen.</translation>
    </message>
    <message>
        <source>or switch provider with: %1</source>
        <translation>oder wechseln Sie den Anbieter mit: %1</translation>
    </message>
    <message>
        <source>Check Settings → Provider.</source>
        <translation>Prüfen Sie Einstellungen → Anbieter.</translation>
    </message>
    <message>
        <source>Check the settings with: %1</source>
        <translation>Prüfen Sie die Einstellungen mit: %1</translation>
    </message>
    <message>
        <source>The base URL in Settings isn&apos;t</source>
        <translation>Die Basis-URL in den Einstellungen ist</translation>
    </message>
    <message>
        <source>The base URL setting (see %1) isn&apos;t</source>
        <translation>Die eingestellte Basis-URL (siehe %1) ist</translation>
    </message>
</context>
<context>
    <name>ts::cli::CommandLine</name>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert an</translation>
    </message>
    <message>
        <source>unknown option %1 (options: --tone, --context, --intent, --instruction, --prompt, --adjust, --provider, --model, --no-style, --why, --json, --dry-run, --interactive)</source>
        <translation>unbekannte Option %1 (Optionen: --tone, --context, --intent, --instruction, --prompt, --adjust, --provider, --model, --no-style, --why, --json, --dry-run, --interactive)</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>unknown tone &quot;%1&quot; (valid: %2)</source>
        <translation>unbekannter Ton „%1“ (gültig: %2)</translation>
    </message>
    <message>
        <source>unknown context &quot;%1&quot; (valid: %2)</source>
        <translation>unbekannter Kontext „%1“ (gültig: %2)</translation>
    </message>
    <message>
        <source>unknown adjustment &quot;%1&quot; (valid: %2)</source>
        <translation>unbekannte Anpassung „%1“ (gültig: %2)</translation>
    </message>
    <message>
        <source>unknown provider &quot;%1&quot; (valid: %2)</source>
        <translation>unbekannter Anbieter „%1“ (gültig: %2)</translation>
    </message>
    <message>
        <source>--model needs a model name</source>
        <translation>--model braucht einen Modellnamen</translation>
    </message>
    <message>
        <source>expected at most one TEXT argument, got %1 (quote the text)</source>
        <translation>höchstens ein TEXT-Argument erwartet, %1 erhalten (setzen Sie den Text in Anführungszeichen)</translation>
    </message>
    <message>
        <source>--intent applies to reply only</source>
        <translation>--intent gilt nur für reply</translation>
    </message>
    <message>
        <source>--instruction and --prompt apply to ask only</source>
        <translation>--instruction und --prompt gelten nur für ask</translation>
    </message>
    <message>
        <source>give either --instruction or --prompt, not both</source>
        <translation>entweder --instruction oder --prompt angeben, nicht beides</translation>
    </message>
    <message>
        <source>ask needs --instruction TEXT or --prompt NAME</source>
        <translation>ask braucht --instruction TEXT oder --prompt NAME</translation>
    </message>
    <message>
        <source>--dry-run already prints JSON; drop --json</source>
        <translation>--dry-run gibt bereits JSON aus; --json weglassen</translation>
    </message>
    <message>
        <source>--interactive applies to rewrite, proofread and ask</source>
        <translation>--interactive gilt für rewrite, proofread und ask</translation>
    </message>
    <message>
        <source>--interactive prints text; drop --json and --dry-run</source>
        <translation>--interactive gibt Text aus; --json und --dry-run weglassen</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>unknown option %1 (diff takes --json)</source>
        <translation>unbekannte Option %1 (diff kennt --json)</translation>
    </message>
    <message>
        <source>diff needs OLD_FILE and NEW_FILE</source>
        <translation>diff braucht ALTE_DATEI und NEUE_DATEI</translation>
    </message>
    <message>
        <source>usage: tessarine-cli key set KIND | key clear KIND | key status</source>
        <translation>Aufruf: tessarine-cli key set ART | key clear ART | key status</translation>
    </message>
    <message>
        <source>usage: tessarine-cli config list | get KEY | set KEY VALUE</source>
        <translation>Aufruf: tessarine-cli config list | get SCHLÜSSEL | set SCHLÜSSEL WERT</translation>
    </message>
    <message>
        <source>usage: tessarine-cli prompts save [--name NAME] INSTRUCTION (quote the instruction)</source>
        <translation>Aufruf: tessarine-cli prompts save [--name NAME] ANWEISUNG (Anweisung in Anführungszeichen setzen)</translation>
    </message>
    <message>
        <source>usage: tessarine-cli prompts list | save [--name NAME] INSTRUCTION | rename NAME NEW | delete NAME | export FILE | import FILE</source>
        <translation>Aufruf: tessarine-cli prompts list | save [--name NAME] ANWEISUNG | rename NAME NEU | delete NAME | export DATEI | import DATEI</translation>
    </message>
    <message>
        <source>usage: tessarine-cli style show | refresh | clear</source>
        <translation>Aufruf: tessarine-cli style show | refresh | clear</translation>
    </message>
    <message>
        <source>missing command (commands: %1)</source>
        <translation>Befehl fehlt (Befehle: %1)</translation>
    </message>
    <message>
        <source>usage: tessarine-cli open tessarine://ACTION?QUERY</source>
        <translation>Aufruf: tessarine-cli open tessarine://AKTION?ANFRAGE</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (commands: %2)</source>
        <translation>unbekannter Befehl „%1“ (Befehle: %2)</translation>
    </message>
    <message>
        <source>usage: tessarine-cli shortcuts [status | install | remove] [--json]</source>
        <translation>Aufruf: tessarine-cli shortcuts [status | install | remove] [--json]</translation>
    </message>
    <message>
        <source>      --tone T           professional, casual, friendly, concise
      --context C        email, chat, generic
      --adjust NAME      shorter, longer, simpler, casual, formal, friendlier
      --provider KIND    openai, anthropic, gemini, ollama, custom (this run only)
      --model NAME       model for this run
      --no-style         leave out the style profile
      --why              print the reasons as &quot;- kind: text&quot; lines after the text
      --json             print the result as JSON
      --dry-run          send nothing; print what would be sent as JSON
      --interactive      rewrite, proofread, ask: keep or drop each change (keys y n a d
                         on the terminal), then print the text you kept
</source>
        <translation>      --tone T           professional, casual, friendly, concise
      --context C        email, chat, generic
      --adjust NAME      shorter, longer, simpler, casual, formal, friendlier
      --provider ART     openai, anthropic, gemini, ollama, custom (nur dieser Aufruf)
      --model NAME       Modell für diesen Aufruf
      --no-style         ohne das Stilprofil
      --why              die Begründungen als Zeilen „- ART: TEXT“ nach dem Text ausgeben
      --json             das Ergebnis als JSON ausgeben
      --dry-run          nichts senden; als JSON ausgeben, was gesendet würde
      --interactive      rewrite, proofread, ask: jede Änderung übernehmen oder verwerfen
                         (Tasten y n a d im Terminal), dann den übernommenen Text ausgeben
</translation>
    </message>
    <message>
        <source>Usage:
  tessarine-cli MODE [options] [TEXT]     MODE: rewrite, proofread, reply, ask, tone
      TEXT is the input (for reply: the message you received); without it,
      standard input is read whole. `--` ends the options.
      --intent TEXT      reply: what you want to say
      --instruction TEXT ask: what to do with the text
      --prompt NAME      ask: use a saved prompt
</source>
        <translation>Aufruf:
  tessarine-cli MODUS [Optionen] [TEXT]   MODUS: rewrite, proofread, reply, ask, tone
      TEXT ist die Eingabe (bei reply: die erhaltene Nachricht); ohne TEXT wird
      die Standardeingabe vollständig gelesen. `--` beendet die Optionen.
      --intent TEXT      reply: was Sie sagen möchten
      --instruction TEXT ask: was mit dem Text geschehen soll
      --prompt NAME      ask: einen gespeicherten Prompt verwenden
</translation>
    </message>
    <message>
        <source>  tessarine-cli diff OLD_FILE NEW_FILE [--json]
  tessarine-cli models [--json]
  tessarine-cli history [--json]
  tessarine-cli key set KIND            (reads the key from standard input)
  tessarine-cli key clear KIND
  tessarine-cli key status
  tessarine-cli config list | get KEY | set KEY VALUE
  tessarine-cli prompts list | save [--name NAME] INSTRUCTION | rename NAME NEW
                        | delete NAME | export FILE | import FILE
  tessarine-cli style show | refresh | clear
  tessarine-cli open URL                 hand a tessarine:// URL to Tessarine,
                                         starting it when it is not running
  tessarine-cli shortcuts [status | install | remove] [--json]
                                         the global hotkeys in this desktop: how
                                         they are registered, or the lines to add
  tessarine-cli doctor [--json]          what works in this session and why not;
                                         exit 0 when the in-place rewrite can work
  tessarine-cli MODE --help              the options of one mode
  tessarine-cli --version                print the version
Exit status: 0 success, 1 the request failed, 2 usage error, 130 interrupted,
143 terminated.
</source>
        <translation>  tessarine-cli diff ALTE_DATEI NEUE_DATEI [--json]
  tessarine-cli models [--json]
  tessarine-cli history [--json]
  tessarine-cli key set ART              (liest den Schlüssel von der Standardeingabe)
  tessarine-cli key clear ART
  tessarine-cli key status
  tessarine-cli config list | get SCHLÜSSEL | set SCHLÜSSEL WERT
  tessarine-cli prompts list | save [--name NAME] ANWEISUNG | rename NAME NEU
                        | delete NAME | export DATEI | import DATEI
  tessarine-cli style show | refresh | clear
  tessarine-cli open URL                 eine tessarine://-URL an Tessarine übergeben
                                         und Tessarine starten, falls es nicht läuft
  tessarine-cli shortcuts [status | install | remove] [--json]
                                         die globalen Tastenkürzel auf diesem Desktop: wie
                                         sie registriert sind, oder die einzutragenden Zeilen
  tessarine-cli doctor [--json]          was in dieser Sitzung funktioniert und warum nicht;
                                         Status 0, wenn das Umschreiben vor Ort gelingen kann
  tessarine-cli MODUS --help             die Optionen eines Modus
  tessarine-cli --version                die Version ausgeben
Exit-Status: 0 Erfolg, 1 Anfrage fehlgeschlagen, 2 Aufruffehler, 130 unterbrochen,
143 beendet.
</translation>
    </message>
    <message>
        <source>Usage: tessarine-cli %1 [options] [TEXT]
</source>
        <translation>Aufruf: tessarine-cli %1 [Optionen] [TEXT]
</translation>
    </message>
    <message>
        <source>  Rewrites TEXT in the chosen tone.
</source>
        <translation>  Schreibt TEXT im gewählten Ton um.
</translation>
    </message>
    <message>
        <source>  Fixes spelling, grammar and punctuation in TEXT.
</source>
        <translation>  Korrigiert Rechtschreibung, Grammatik und Zeichensetzung in TEXT.
</translation>
    </message>
    <message>
        <source>  Drafts a reply to TEXT, the message you received.
      --intent TEXT      what you want to say
</source>
        <translation>  Entwirft eine Antwort auf TEXT, die erhaltene Nachricht.
      --intent TEXT      was Sie sagen möchten
</translation>
    </message>
    <message>
        <source>  Applies an instruction to TEXT.
      --instruction TEXT what to do with the text
      --prompt NAME      use a saved prompt (see tessarine-cli prompts list)
</source>
        <translation>  Wendet eine Anweisung auf TEXT an.
      --instruction TEXT was mit dem Text geschehen soll
      --prompt NAME      einen gespeicherten Prompt verwenden (siehe tessarine-cli prompts list)
</translation>
    </message>
    <message>
        <source>  Describes how TEXT comes across; prints observations.
</source>
        <translation>  Beschreibt, wie TEXT wirkt; gibt Beobachtungen aus.
</translation>
    </message>
    <message>
        <source>  Without TEXT, standard input is read whole. `--` ends the options.
</source>
        <translation>  Ohne TEXT wird die Standardeingabe vollständig gelesen. `--` beendet die Optionen.
</translation>
    </message>
</context>
<context>
    <name>ts::cli::ConfigCommand</name>
    <message>
        <source>unknown setting &quot;%1&quot; (settings: %2)</source>
        <translation>unbekannte Einstellung „%1“ (Einstellungen: %2)</translation>
    </message>
    <message>
        <source>%1 cannot be &quot;%2&quot; (valid: %3)</source>
        <translation>%1 kann nicht „%2“ sein (gültig: %3)</translation>
    </message>
</context>
<context>
    <name>ts::cli::DesktopCommands</name>
    <message>
        <source>Tessarine grabs the keys on the X server while it runs.</source>
        <translation>Tessarine belegt die Tasten auf dem X-Server, solange es läuft.</translation>
    </message>
    <message>
        <source>Tessarine binds the keys through the desktop&apos;s portal while it runs.</source>
        <translation>Tessarine belegt die Tasten über das Portal des Desktops, solange es läuft.</translation>
    </message>
    <message>
        <source>This desktop takes its shortcuts from its configuration; add these lines:</source>
        <translation>Dieser Desktop liest seine Tastenkürzel aus seiner Konfiguration; füge diese Zeilen ein:</translation>
    </message>
    <message>
        <source>No desktop session: there are no global shortcuts.</source>
        <translation>Keine Desktop-Sitzung: Es gibt keine globalen Tastenkürzel.</translation>
    </message>
    <message>
        <source>Session: %1 (%2), hotkeys through %3</source>
        <translation>Sitzung: %1 (%2), Tastenkürzel über %3</translation>
    </message>
    <message>
        <source>Open window</source>
        <translation>Fenster öffnen</translation>
    </message>
    <message>
        <source>Rewrite in place</source>
        <translation>Direkt umschreiben</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>registered as %1</source>
        <translation>registriert als %1</translation>
    </message>
    <message>
        <source>not registered</source>
        <translation>nicht registriert</translation>
    </message>
    <message>
        <source>%1: In use by another program (%2)</source>
        <translation>%1: Von einem anderen Programm belegt (%2)</translation>
    </message>
    <message>
        <source>%1: In use by another program</source>
        <translation>%1: Von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>available</source>
        <translation>verfügbar</translation>
    </message>
    <message>
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
    <message>
        <source>no display: DISPLAY and WAYLAND_DISPLAY are unset</source>
        <translation>keine Anzeige: DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt</translation>
    </message>
    <message>
        <source>Session: %1 (%2)</source>
        <translation>Sitzung: %1 (%2)</translation>
    </message>
    <message>
        <source>add the lines of tessarine-cli shortcuts to the compositor&apos;s configuration</source>
        <translation>füge die Zeilen von tessarine-cli shortcuts in die Konfiguration des Compositors ein</translation>
    </message>
    <message>
        <source>not registered yet: start Tessarine or run tessarine-cli shortcuts install</source>
        <translation>noch nicht registriert: starte Tessarine oder führe tessarine-cli shortcuts install aus</translation>
    </message>
    <message>
        <source>the X server cannot be reached</source>
        <translation>der X-Server ist nicht erreichbar</translation>
    </message>
    <message>
        <source>Window hotkey</source>
        <translation>Tastenkürzel für das Fenster</translation>
    </message>
    <message>
        <source>In-place hotkey</source>
        <translation>Tastenkürzel zum direkten Umschreiben</translation>
    </message>
    <message>
        <source>the accessibility bus (org.a11y.Bus) is not running</source>
        <translation>der Barrierefreiheits-Bus (org.a11y.Bus) läuft nicht</translation>
    </message>
    <message>
        <source>the X server lacks XTEST</source>
        <translation>dem X-Server fehlt XTEST</translation>
    </message>
    <message>
        <source>Reading the selection</source>
        <translation>Auswahl lesen</translation>
    </message>
    <message>
        <source>Writing back</source>
        <translation>Zurückschreiben</translation>
    </message>
    <message>
        <source>Keeping the clipboard</source>
        <translation>Zwischenablage bewahren</translation>
    </message>
    <message>
        <source>the compositor offers no data-control protocol</source>
        <translation>der Compositor bietet kein Data-Control-Protokoll</translation>
    </message>
    <message>
        <source>Selection strip</source>
        <translation>Auswahlleiste</translation>
    </message>
    <message>
        <source>needs an X11 session</source>
        <translation>braucht eine X11-Sitzung</translation>
    </message>
    <message>
        <source>Key store: %1</source>
        <translation>Schlüsselspeicher: %1</translation>
    </message>
    <message>
        <source>Provider: %1, model %2, %3 %4</source>
        <translation>Anbieter: %1, Modell %2, %3 %4</translation>
    </message>
    <message>
        <source>answers</source>
        <translation>antwortet</translation>
    </message>
    <message>
        <source>does not answer within 3 s</source>
        <translation>antwortet nicht innerhalb von 3 s</translation>
    </message>
    <message>
        <source>The in-place rewrite can work in this session.</source>
        <translation>Das direkte Umschreiben kann in dieser Sitzung funktionieren.</translation>
    </message>
    <message>
        <source>The in-place rewrite cannot work in this session.</source>
        <translation>Das direkte Umschreiben kann in dieser Sitzung nicht funktionieren.</translation>
    </message>
</context>
<context>
    <name>ts::cli::DiffCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>ts::cli::HistoryCommand</name>
    <message>
        <source>No history yet.</source>
        <translation>Noch kein Verlauf.</translation>
    </message>
</context>
<context>
    <name>ts::cli::KeyCommand</name>
    <message>
        <source>API key for %1: </source>
        <translation>API-Schlüssel für %1: </translation>
    </message>
    <message>
        <source>the key must be a single line</source>
        <translation>der Schlüssel muss aus einer einzigen Zeile bestehen</translation>
    </message>
    <message>
        <source>the key is empty (to remove a key: tessarine-cli key clear %1)</source>
        <translation>der Schlüssel ist leer (einen Schlüssel entfernen: tessarine-cli key clear %1)</translation>
    </message>
    <message>
        <source>the key could not be stored in %1</source>
        <translation>der Schlüssel konnte nicht in %1 gespeichert werden</translation>
    </message>
    <message>
        <source>Stored the key for %1 in %2.</source>
        <translation>Schlüssel für %1 in %2 gespeichert.</translation>
    </message>
    <message>
        <source>the key could not be removed from %1</source>
        <translation>der Schlüssel konnte nicht aus %1 entfernt werden</translation>
    </message>
    <message>
        <source>Cleared the key for %1.</source>
        <translation>Schlüssel für %1 entfernt.</translation>
    </message>
    <message>
        <source>no key needed</source>
        <translation>kein Schlüssel nötig</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>set</source>
        <comment>a key is stored</comment>
        <translation>gesetzt</translation>
    </message>
    <message>
        <source>Keys are kept in %1.</source>
        <translation>Schlüssel werden in %1 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>ts::cli::OpenCommand</name>
    <message>
        <source>Tessarine is not running and the tessarine program was not found</source>
        <translation>Tessarine läuft nicht, und das Programm tessarine wurde nicht gefunden</translation>
    </message>
    <message>
        <source>could not start %1</source>
        <translation>%1 konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Tessarine did not take the URL: %1</source>
        <translation>Tessarine hat die URL nicht angenommen: %1</translation>
    </message>
</context>
<context>
    <name>ts::cli::PromptsCommand</name>
    <message>
        <source>No saved prompts.</source>
        <translation>Keine gespeicherten Prompts.</translation>
    </message>
    <message>
        <source>the instruction is empty</source>
        <translation>die Anweisung ist leer</translation>
    </message>
    <message>
        <source>a prompt named &quot;%1&quot; exists already</source>
        <translation>ein Prompt namens „%1“ existiert bereits</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Saved &quot;%1&quot;.</source>
        <translation>„%1“ gespeichert.</translation>
    </message>
    <message>
        <source>no saved prompt named &quot;%1&quot;</source>
        <translation>kein gespeicherter Prompt namens „%1“</translation>
    </message>
    <message>
        <source>the new name is empty</source>
        <translation>der neue Name ist leer</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>ts::cli::ReviewCommand</name>
    <message>
        <source>the input is not UTF-8 text</source>
        <translation>die Eingabe ist kein UTF-8-Text</translation>
    </message>
    <message>
        <source>the received message is empty: give TEXT or pipe it on standard input</source>
        <translation>die erhaltene Nachricht ist leer: TEXT angeben oder über die Standardeingabe zuleiten</translation>
    </message>
    <message>
        <source>the input is empty: give TEXT or pipe text on standard input</source>
        <translation>die Eingabe ist leer: TEXT angeben oder Text über die Standardeingabe zuleiten</translation>
    </message>
    <message>
        <source>no saved prompt matches &quot;%1&quot;</source>
        <translation>kein gespeicherter Prompt passt zu „%1“</translation>
    </message>
    <message>
        <source>the instruction is empty</source>
        <translation>die Anweisung ist leer</translation>
    </message>
    <message>
        <source>Type or paste the text, then press Ctrl+D.</source>
        <translation>Geben Sie den Text ein oder fügen Sie ihn ein und drücken Sie dann Strg+D.</translation>
    </message>
</context>
<context>
    <name>ts::cli::StyleCommand</name>
    <message>
        <source>Cleared the style profile.</source>
        <translation>Das Stilprofil wurde gelöscht.</translation>
    </message>
    <message>
        <source>Style profile: %1</source>
        <extracomment>The state of the style profile: none, on, or off (kept, not used).</extracomment>
        <translation>Stilprofil: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keines</translation>
    </message>
    <message>
        <source>on</source>
        <translation>an</translation>
    </message>
    <message>
        <source>off (kept, not used)</source>
        <translation>aus (aufbewahrt, nicht verwendet)</translation>
    </message>
    <message numerus="yes">
        <source>Inputs: %1, %n thumbed-up reviews (%2)</source>
        <translation>
            <numerusform>Eingaben: %1, %n Überarbeitung mit „Gefällt mir“ (%2)</numerusform>
            <numerusform>Eingaben: %1, %n Überarbeitungen mit „Gefällt mir“ (%2)</numerusform>
        </translation>
    </message>
</context>
</TS>
