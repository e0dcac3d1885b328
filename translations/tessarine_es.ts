<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>tessarine-cli</name>
    <message>
        <source>Run tessarine-cli --help for usage.</source>
        <translation>Ejecuta tessarine-cli --help para ver el uso.</translation>
    </message>
    <message>
        <source>cannot set up the interrupt handler</source>
        <translation>no se puede configurar el manejador de interrupciones</translation>
    </message>
</context>
<context>
    <name>ts::AccessibilityAlert</name>
    <message>
        <source>Enable rewriting in any app</source>
        <translation>Activar la reescritura en cualquier aplicación</translation>
    </message>
    <message>
        <source>Tessarine needs Accessibility permission to rewrite selected text in place (in Mail, Slack, Notes, or any other app) without copy-paste.

Without this permission, the hotkey only opens the Tessarine window.</source>
        <translation>Tessarine necesita el control del escritorio para reescribir el texto seleccionado en su sitio (en Thunderbird, Slack, LibreOffice o cualquier otra aplicación) sin copiar y pegar. Reescribir en otras aplicaciones funciona en una sesión X11 y, en Wayland, a través del bus de accesibilidad o del teclado virtual del compositor.

Sin el control del escritorio, el atajo solo abre la ventana de Tessarine.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Volver a comprobar</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Ahora no</translation>
    </message>
    <message>
        <source>Turn Off In-Place Rewrite</source>
        <translation>Desactivar la reescritura en el sitio</translation>
    </message>
    <message>
        <source>Desktop control</source>
        <translation>Control del escritorio</translation>
    </message>
    <message>
        <source>Desktop control is available.</source>
        <translation>El control del escritorio está disponible.</translation>
    </message>
    <message>
        <source>Desktop control is not available.</source>
        <translation>El control del escritorio no está disponible.</translation>
    </message>
</context>
<context>
    <name>ts::AccessibilityStep</name>
    <message>
        <source>Accessibility permission granted</source>
        <translation>Control del escritorio disponible</translation>
    </message>
    <message>
        <source>Grant Accessibility…</source>
        <translation>Volver a comprobar</translation>
    </message>
    <message>
        <source>Optional, but it&apos;s the most useful feature.</source>
        <translation>Opcional, pero es la función más útil.</translation>
    </message>
    <message>
        <source>With Accessibility permission, Tessarine can rewrite selected text directly in Mail, Slack, Notes, or any editable field. Without it, you can still use Tessarine&apos;s own window.</source>
        <translation>Con el control del escritorio, Tessarine puede reescribir el texto seleccionado directamente en Thunderbird, Slack, LibreOffice o cualquier campo editable. Sin él, puedes seguir usando la ventana de Tessarine.</translation>
    </message>
</context>
<context>
    <name>ts::AnswerPage</name>
    <message>
        <source>ADJUST</source>
        <translation>AJUSTAR</translation>
    </message>
    <message>
        <source>Back to edit</source>
        <translation>Volver a editar</translation>
    </message>
    <message>
        <source>Regenerate</source>
        <translation>Regenerar</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copiado</translation>
    </message>
    <message>
        <source>HIDE CHANGES</source>
        <translation>OCULTAR CAMBIOS</translation>
    </message>
    <message>
        <source>SHOW CHANGES</source>
        <translation>MOSTRAR CAMBIOS</translation>
    </message>
</context>
<context>
    <name>ts::AppDelegate</name>
    <message>
        <source>Check for Updates</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>Your package manager keeps Tessarine up to date.</source>
        <translation>Tu gestor de paquetes mantiene Tessarine al día.</translation>
    </message>
    <message>
        <source>A copy built from source is updated with git pull and make install.</source>
        <translation>Una copia compilada desde el código fuente se actualiza con git pull y make install.</translation>
    </message>
</context>
<context>
    <name>ts::ApplicationDefaultsView</name>
    <message>
        <source>Rewrites in place use the context and tone set here for the application they come from, else the defaults above. Built in: %1 write Email; %2 write Chat. Your entries come first.</source>
        <translation>La reescritura en el sitio usa el contexto y el tono definidos aquí para la aplicación de la que procede el texto; si no, los valores predeterminados de arriba. Incluidos: %1 escriben Correo; %2 escriben Chat. Tus entradas tienen prioridad.</translation>
    </message>
    <message>
        <source>BY APPLICATION</source>
        <translation>POR APLICACIÓN</translation>
    </message>
    <message>
        <source>By application</source>
        <translation>Por aplicación</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicación</translation>
    </message>
    <message>
        <source>Context</source>
        <translation>Contexto</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>Tono</translation>
    </message>
    <message>
        <source>Window class, such as Slack</source>
        <translation>Clase de ventana, como Slack</translation>
    </message>
    <message>
        <source>Default tone</source>
        <translation>Tono predeterminado</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Add the application I used last</source>
        <translation>Añadir la última aplicación que usé</translation>
    </message>
    <message>
        <source>Error: the stored list can&apos;t be read (%1). It is kept as it is; fix it with tessarine-cli config set applicationDefaults.</source>
        <translation>Error: no se puede leer la lista guardada (%1). Se conserva tal cual; corrígela con tessarine-cli config set applicationDefaults.</translation>
    </message>
    <message>
        <source>Error: %1 is listed already.</source>
        <translation>Error: %1 ya está en la lista.</translation>
    </message>
    <message>
        <source>%1 removed.</source>
        <translation>%1 quitado.</translation>
    </message>
    <message>
        <source>Error: no other application has been active since Tessarine started.</source>
        <translation>Error: ninguna otra aplicación ha estado activa desde que se inició Tessarine.</translation>
    </message>
</context>
<context>
    <name>ts::AskInputView</name>
    <message>
        <source>Custom</source>
        <translation>Libre</translation>
    </message>
    <message>
        <source>Submit (Enter)</source>
        <translation>Enviar (Intro)</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Custom instruction</source>
        <translation>Instrucción propia</translation>
    </message>
</context>
<context>
    <name>ts::ChangeList</name>
    <message>
        <source>Removed: </source>
        <translation>Quitado: </translation>
    </message>
    <message>
        <source>Added: </source>
        <translation>Añadido: </translation>
    </message>
    <message>
        <source>Keep all</source>
        <translation>Conservar todos</translation>
    </message>
    <message>
        <source>Undo all</source>
        <translation>Descartar todos</translation>
    </message>
    <message numerus="yes">
        <source>The first %n changes are listed; click the words of a later change in the text to drop or keep it.</source>
        <translation>
            <numerusform>Se muestra el primer cambio; haz clic en las palabras de un cambio posterior en el texto para descartarlo o conservarlo.</numerusform>
            <numerusform>Se muestran los %n primeros cambios; haz clic en las palabras de un cambio posterior en el texto para descartarlo o conservarlo.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n change kept</source>
        <translation>
            <numerusform>%1 de %n cambio conservado</numerusform>
            <numerusform>%1 de %n cambios conservados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n changes kept</source>
        <translation>
            <numerusform>%1 de %n cambio conservado</numerusform>
            <numerusform>%1 de %n cambios conservados</numerusform>
        </translation>
    </message>
    <message>
        <source>Kept: click to drop this change</source>
        <translation>Conservado: haz clic para descartar este cambio</translation>
    </message>
    <message>
        <source>Dropped: click to keep this change</source>
        <translation>Descartado: haz clic para conservar este cambio</translation>
    </message>
</context>
<context>
    <name>ts::CloudSetupStep</name>
    <message>
        <source>Test connection</source>
        <translation>Probar la conexión</translation>
    </message>
    <message>
        <source>API key</source>
        <translation>Clave de API</translation>
    </message>
    <message>
        <source>Paste your key</source>
        <translation>Pega tu clave</translation>
    </message>
    <message>
        <source>Connect your cloud provider</source>
        <translation>Conecta tu proveedor en la nube</translation>
    </message>
    <message>
        <source>Pick a provider and paste an API key.</source>
        <translation>Elige un proveedor y pega una clave de API.</translation>
    </message>
    <message>
        <source>Stored in the macOS Keychain.</source>
        <translation>Guardada en el depósito de claves del sistema.</translation>
    </message>
    <message>
        <source>Stored in %1.</source>
        <translation>Guardada en %1.</translation>
    </message>
    <message>
        <source>Sent only to %1.</source>
        <translation>Solo se envía a %1.</translation>
    </message>
    <message>
        <source>Get an %1 key</source>
        <translation>Obtener una clave de %1</translation>
    </message>
    <message>
        <source>Get a %1 key</source>
        <translation>Obtener una clave de %1</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Correcto</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
</context>
<context>
    <name>ts::DefaultsTab</name>
    <message>
        <source>Defaults</source>
        <translation>Predeterminados</translation>
    </message>
    <message>
        <source>Auto-paste from clipboard</source>
        <translation>Pegar automáticamente desde el portapapeles</translation>
    </message>
    <message>
        <source>When the window opens on an empty input, the input is filled from the clipboard.</source>
        <translation>Cuando la ventana se abre con la entrada vacía, esta se rellena desde el portapapeles.</translation>
    </message>
    <message>
        <source>Default tone</source>
        <translation>Tono predeterminado</translation>
    </message>
    <message>
        <source>Default context</source>
        <translation>Contexto predeterminado</translation>
    </message>
    <message>
        <source>A new review starts with this tone and context.</source>
        <translation>Una revisión nueva empieza con este tono y contexto.</translation>
    </message>
    <message>
        <source>Keep the local model loaded</source>
        <translation>Mantener cargado el modelo local</translation>
    </message>
    <message>
        <source>With Ollama, Tessarine asks the server to load the model as you start a rewrite or open the window.</source>
        <translation>Con Ollama, Tessarine pide al servidor que cargue el modelo al empezar una reescritura o abrir la ventana.</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 minutos</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutos</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 hora</translation>
    </message>
    <message>
        <source>While Tessarine runs</source>
        <translation>Mientras Tessarine se ejecute</translation>
    </message>
</context>
<context>
    <name>ts::DesktopControlTexts</name>
    <message>
        <source>Selected text is read and replaced through the accessibility bus (AT-SPI), where GTK, Qt and LibreOffice programs offer their text.</source>
        <translation>El texto seleccionado se lee y se reemplaza a través del bus de accesibilidad (AT-SPI), donde los programas GTK, Qt y LibreOffice ofrecen su texto.</translation>
    </message>
    <message>
        <source>Programs that are not on the bus are reached by copy and paste through this compositor&apos;s virtual keyboard and clipboard control.</source>
        <translation>A los programas que no están en el bus se llega copiando y pegando mediante el teclado virtual y el control del portapapeles de este compositor.</translation>
    </message>
    <message>
        <source>Programs that are not on the bus can&apos;t be rewritten in place: this compositor offers no virtual keyboard and clipboard control (sway and Hyprland do).</source>
        <translation>Los programas que no están en el bus no se pueden reescribir en el sitio: este compositor no ofrece teclado virtual ni control del portapapeles (sway e Hyprland sí).</translation>
    </message>
    <message>
        <source>While the in-place rewrite is on, programs started afterwards are asked to expose their text on the bus, which costs them a little memory and speed.</source>
        <translation>Mientras la reescritura en el sitio está activada, se pide a los programas que se inicien después que expongan su texto en el bus, lo que les cuesta un poco de memoria y velocidad.</translation>
    </message>
    <message>
        <source>No accessibility bus was found in this session. It comes with the desktop&apos;s accessibility support: install the package at-spi2-core, then log in again.</source>
        <translation>No se encontró ningún bus de accesibilidad en esta sesión. Viene con el soporte de accesibilidad del escritorio: instala el paquete at-spi2-core y vuelve a iniciar sesión.</translation>
    </message>
    <message>
        <source>Until then, text is copied and pasted through this compositor&apos;s virtual keyboard and clipboard control.</source>
        <translation>Hasta entonces, el texto se copia y se pega mediante el teclado virtual y el control del portapapeles de este compositor.</translation>
    </message>
    <message>
        <source>This compositor offers no virtual keyboard and clipboard control to fall back on (sway and Hyprland do). The Tessarine window and tessarine-cli work as they are.</source>
        <translation>Este compositor tampoco ofrece teclado virtual ni control del portapapeles como alternativa (sway e Hyprland sí). La ventana de Tessarine y tessarine-cli funcionan tal como están.</translation>
    </message>
    <message>
        <source>Select text in any app and press the in-place hotkey to rewrite it there.</source>
        <translation>Selecciona texto en cualquier aplicación y pulsa el atajo de reescritura en el sitio para reescribirlo allí.</translation>
    </message>
    <message>
        <source>This X server does not offer the XTEST and XInput 2 extensions that Tessarine needs to copy and paste in other apps. Start Tessarine in an X11 session whose server has both.</source>
        <translation>Este servidor X no ofrece las extensiones XTEST y XInput 2 que Tessarine necesita para copiar y pegar en otras aplicaciones. Inicia Tessarine en una sesión X11 cuyo servidor tenga ambas.</translation>
    </message>
    <message>
        <source>Tessarine is not running in an X11 or Wayland session, and other apps&apos; text can only be read and replaced there. Log in to a desktop session, then start Tessarine again. The Tessarine window and tessarine-cli work as they are.</source>
        <translation>Tessarine no se está ejecutando en una sesión X11 o Wayland, y solo allí se puede leer y reemplazar el texto de otras aplicaciones. Inicia una sesión de escritorio y vuelve a iniciar Tessarine. La ventana de Tessarine y tessarine-cli funcionan tal como están.</translation>
    </message>
</context>
<context>
    <name>ts::DoneStep</name>
    <message>
        <source>(needs Accessibility)</source>
        <translation>(requiere el control del escritorio)</translation>
    </message>
    <message>
        <source>Start using Tessarine</source>
        <translation>Empezar a usar Tessarine</translation>
    </message>
    <message>
        <source>You&apos;re set</source>
        <translation>Todo listo</translation>
    </message>
    <message>
        <source>Here&apos;s how to use Tessarine.</source>
        <translation>Así se usa Tessarine.</translation>
    </message>
    <message>
        <source>Open Tessarine from anywhere</source>
        <translation>Abrir Tessarine desde cualquier lugar</translation>
    </message>
    <message>
        <source>Rewrite the selection in place</source>
        <translation>Reescribir la selección en su sitio</translation>
    </message>
</context>
<context>
    <name>ts::EmptyStateView</name>
    <message>
        <source>e.g. &quot;Turn this into a Jira ticket with acceptance criteria&quot;</source>
        <translation>p. ej., «Conviértelo en un ticket de Jira con criterios de aceptación»</translation>
    </message>
    <message>
        <source>e.g. &quot;Summarize in 3 bullets&quot;</source>
        <translation>p. ej., «Resúmelo en 3 viñetas»</translation>
    </message>
    <message>
        <source>e.g. &quot;Convert to a formal email with a greeting&quot;</source>
        <translation>p. ej., «Conviértelo en un correo formal con saludo»</translation>
    </message>
    <message>
        <source>e.g. &quot;Extract action items as a numbered list&quot;</source>
        <translation>p. ej., «Extrae las tareas como lista numerada»</translation>
    </message>
    <message>
        <source>Let&apos;s make it</source>
        <extracomment>The heading&apos;s two lines read as one sentence: &quot;Let&apos;s make it sharper.&quot;</extracomment>
        <translation>Dejémoslo</translation>
    </message>
    <message>
        <source>sharper.</source>
        <extracomment>Second line of &quot;Let&apos;s make it sharper.&quot;</extracomment>
        <translation>más pulido.</translation>
    </message>
    <message>
        <source>Review</source>
        <extracomment>The button that sends the text for review; keep it short.</extracomment>
        <translation>Revisar</translation>
    </message>
    <message>
        <source>Paste your text…</source>
        <translation>Pega tu texto…</translation>
    </message>
    <message>
        <source>Fix grammar,</source>
        <translation>Corrige la gramática,</translation>
    </message>
    <message>
        <source>keep voice.</source>
        <translation>conserva tu voz.</translation>
    </message>
    <message>
        <source>Proofread</source>
        <translation>Corregir</translation>
    </message>
    <message>
        <source>Paste the text to proofread…</source>
        <translation>Pega el texto que quieres corregir…</translation>
    </message>
    <message>
        <source>Draft a reply</source>
        <translation>Redacta una respuesta</translation>
    </message>
    <message>
        <source>in your voice.</source>
        <translation>con tu voz.</translation>
    </message>
    <message>
        <source>Draft Reply</source>
        <translation>Redactar</translation>
    </message>
    <message>
        <source>What do you want to say? e.g. &quot;Yes, Thursday works. Ask for the Q2 deck.&quot;</source>
        <translation>¿Qué quieres decir? p. ej., «Sí, el jueves me va bien. Pide la presentación del segundo trimestre.»</translation>
    </message>
    <message>
        <source>Tell me</source>
        <translation>Dime</translation>
    </message>
    <message>
        <source>what to do.</source>
        <translation>qué hacer.</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ejecutar</translation>
    </message>
    <message>
        <source>Paste the text you want to transform…</source>
        <translation>Pega el texto que quieres transformar…</translation>
    </message>
    <message>
        <source>How does this</source>
        <translation>¿Cómo suena</translation>
    </message>
    <message>
        <source>come across?</source>
        <translation>este texto?</translation>
    </message>
    <message>
        <source>Check Tone</source>
        <translation>Analizar</translation>
    </message>
    <message>
        <source>Paste the text. I&apos;ll tell you how it reads…</source>
        <translation>Pega el texto y te diré cómo suena…</translation>
    </message>
    <message>
        <source>MESSAGE RECEIVED</source>
        <translation>MENSAJE RECIBIDO</translation>
    </message>
    <message>
        <source>YOUR INTENT  (OPTIONAL)</source>
        <translation>TU INTENCIÓN  (OPCIONAL)</translation>
    </message>
    <message>
        <source>Paste the email / DM you got…</source>
        <translation>Pega el correo o mensaje que recibiste…</translation>
    </message>
    <message>
        <source>Instruction</source>
        <translation>Instrucción</translation>
    </message>
    <message>
        <source>Save this instruction to reuse later</source>
        <translation>Guardar esta instrucción para reutilizarla</translation>
    </message>
    <message>
        <source>From clipboard</source>
        <translation>Del portapapeles</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>Tono</translation>
    </message>
    <message>
        <source>Context</source>
        <translation>Contexto</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Saved</source>
        <extracomment>Shown instead of &quot;Save prompt&quot; once the instruction is saved.</extracomment>
        <translation>Guardada</translation>
    </message>
    <message>
        <source>Save prompt</source>
        <translation>Guardar instrucción</translation>
    </message>
</context>
<context>
    <name>ts::EnumTexts</name>
    <message>
        <source>Rewrite</source>
        <comment>mode</comment>
        <translation>Reescribir</translation>
    </message>
    <message>
        <source>Proofread</source>
        <comment>mode</comment>
        <translation>Corregir</translation>
    </message>
    <message>
        <source>Reply</source>
        <comment>mode</comment>
        <translation>Responder</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>mode</comment>
        <translation>Libre</translation>
    </message>
    <message>
        <source>Tone</source>
        <comment>mode</comment>
        <translation>Tono</translation>
    </message>
    <message>
        <source>Professional</source>
        <comment>tone</comment>
        <translation>Profesional</translation>
    </message>
    <message>
        <source>Casual</source>
        <comment>tone</comment>
        <translation>Informal</translation>
    </message>
    <message>
        <source>Friendly</source>
        <comment>tone</comment>
        <translation>Amable</translation>
    </message>
    <message>
        <source>Concise</source>
        <comment>tone</comment>
        <translation>Conciso</translation>
    </message>
    <message>
        <source>Email</source>
        <comment>context</comment>
        <translation>Correo</translation>
    </message>
    <message>
        <source>Chat</source>
        <comment>context</comment>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Generic</source>
        <comment>context</comment>
        <translation>General</translation>
    </message>
    <message>
        <source>Shorter</source>
        <comment>adjustment</comment>
        <translation>Más corto</translation>
    </message>
    <message>
        <source>Longer</source>
        <comment>adjustment</comment>
        <translation>Más largo</translation>
    </message>
    <message>
        <source>Simpler</source>
        <comment>adjustment</comment>
        <translation>Más sencillo</translation>
    </message>
    <message>
        <source>Casual</source>
        <comment>adjustment</comment>
        <translation>Más informal</translation>
    </message>
    <message>
        <source>Formal</source>
        <comment>adjustment</comment>
        <translation>Más formal</translation>
    </message>
    <message>
        <source>Friendlier</source>
        <comment>adjustment</comment>
        <translation>Más amable</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>provider</comment>
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>Cut roughly a third of the length while keeping the core ask.</source>
        <translation>Recortar aproximadamente un tercio de la extensión sin perder la petición principal.</translation>
    </message>
    <message>
        <source>Add one more sentence of context without padding.</source>
        <translation>Añadir una frase más de contexto sin relleno.</translation>
    </message>
    <message>
        <source>Use simpler vocabulary and shorter sentences. Aim for a grade-8 reading level.</source>
        <translation>Usar un vocabulario más sencillo y frases más cortas, comprensibles para un alumno de 14 años.</translation>
    </message>
    <message>
        <source>Lower the formality. Contractions welcome, warmer opener, less corporate.</source>
        <translation>Menos formal: se permiten expresiones coloquiales, un saludo más cálido, menos tono corporativo.</translation>
    </message>
    <message>
        <source>Raise the formality. Full words, no contractions, measured tone.</source>
        <translation>Más formal: palabras completas, sin contracciones, tono mesurado.</translation>
    </message>
    <message>
        <source>Add warmth without losing the point. Keep it genuine, not syrupy.</source>
        <translation>Más calidez sin perder el objetivo. Sincero, no empalagoso.</translation>
    </message>
</context>
<context>
    <name>ts::ErrorBannerView</name>
    <message>
        <source>Open Settings</source>
        <translation>Abrir las preferencias</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Setup needed</source>
        <translation>Hace falta configurar</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Algo ha salido mal</translation>
    </message>
</context>
<context>
    <name>ts::GeminiProvider</name>
    <message>
        <source>Gemini blocked this response (%1).</source>
        <translation>Gemini bloqueó esta respuesta (%1).</translation>
    </message>
</context>
<context>
    <name>ts::GeneralTab</name>
    <message>
        <source>Couldn&apos;t find the app bundle. Try launching from /Applications.</source>
        <translation>No se encontró el programa tessarine. Vuelve a instalar Tessarine.</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Tessarine v</source>
        <translation>Tessarine v</translation>
    </message>
    <message>
        <source>Grant Accessibility…</source>
        <translation>Volver a comprobar</translation>
    </message>
    <message>
        <source>Show floating action on text selection (beta)</source>
        <translation>Mostrar un botón flotante al seleccionar texto (beta)</translation>
    </message>
    <message>
        <source>Shows a small Tessarine button near text you&apos;ve selected in another app. Works well in Mail, Notes, Safari, Pages. May not appear in Electron apps (Obsidian, Slack, VS Code) or canvas editors (Google Docs, Figma); use the hotkey or right-click Services menu there. Requires Accessibility permission.</source>
        <translation>Muestra un pequeño botón de Tessarine junto al texto que selecciones en otra aplicación. Funciona bien en Thunderbird, LibreOffice, Firefox y Mousepad. Puede no aparecer en aplicaciones Electron (Obsidian, Slack, VS Code) ni en editores de lienzo (Google Docs, Figma); usa allí el atajo o tessarine-cli. Requiere el control del escritorio.</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Iniciar al iniciar sesión</translation>
    </message>
    <message>
        <source>Open Login Items</source>
        <translation>Abrir la carpeta de inicio automático</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apariencia</translation>
    </message>
    <message>
        <source>Replay first-run setup…</source>
        <translation>Repetir la configuración inicial…</translation>
    </message>
    <message>
        <source>Shows the welcome screen again. Your API keys stay in place.</source>
        <translation>Vuelve a mostrar la pantalla de bienvenida. Tus claves de API se conservan.</translation>
    </message>
    <message>
        <source>Accessibility permission granted</source>
        <translation>Control del escritorio disponible</translation>
    </message>
    <message>
        <source>Accessibility permission not granted</source>
        <translation>Control del escritorio no disponible</translation>
    </message>
    <message>
        <source>Accessibility permission lets Tessarine rewrite selected text in place in other apps (the ⌃⌥⌘E hotkey). The Services menu and the main window work without it.</source>
        <translation>El control del escritorio permite a Tessarine reescribir el texto seleccionado en su sitio en otras aplicaciones (atajo ⌃⌥⌘E). El servicio D-Bus, los enlaces tessarine:// y la ventana principal funcionan sin él.</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Oscuro</translation>
    </message>
</context>
<context>
    <name>ts::HistoryOverlay</name>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>No reviews yet.</source>
        <translation>Aún no hay revisiones.</translation>
    </message>
    <message>
        <source>Liked</source>
        <translation>Me gusta</translation>
    </message>
    <message>
        <source>Disliked</source>
        <translation>No me gusta</translation>
    </message>
    <message>
        <source>just now</source>
        <translation>ahora mismo</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <comment>minutes</comment>
        <translation>hace %1 min</translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <comment>hours</comment>
        <translation>hace %1 h</translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation>ayer</translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation>
            <numerusform>hace %n día</numerusform>
            <numerusform>hace %n días</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ts::HotkeyDoorTexts</name>
    <message>
        <source>Registered with the desktop&apos;s global shortcuts portal.</source>
        <translation>Registrados mediante el portal de atajos globales del escritorio.</translation>
    </message>
    <message>
        <source>Registered in KDE&apos;s global shortcuts (System Settings → Shortcuts → Tessarine).</source>
        <translation>Registrados en los atajos globales de KDE (Preferencias del sistema → Atajos → Tessarine).</translation>
    </message>
    <message>
        <source>Registered as custom shortcuts in GNOME&apos;s keyboard settings; they start Tessarine when it is not running.</source>
        <translation>Registrados como atajos personalizados en la configuración de teclado de GNOME; inician Tessarine cuando no está en marcha.</translation>
    </message>
    <message>
        <source>This desktop takes its shortcuts from its own configuration. Bind these keys to these commands there:</source>
        <translation>Este escritorio toma sus atajos de su propia configuración. Asigna allí estas teclas a estos comandos:</translation>
    </message>
    <message>
        <source>This desktop takes its shortcuts from its configuration. Add these lines to %1 and reload it:</source>
        <translation>Este escritorio toma sus atajos de su configuración. Añade estas líneas a %1 y vuelve a cargarla:</translation>
    </message>
    <message>
        <source>Global shortcuts are unavailable on this desktop</source>
        <translation>Los atajos globales no están disponibles en este escritorio</translation>
    </message>
</context>
<context>
    <name>ts::HttpCall</name>
    <message>
        <source>The server sent a line longer than %1 MB.</source>
        <translation>El servidor envió una línea de más de %1 MB.</translation>
    </message>
    <message>
        <source>The server sent an event larger than %1 MB.</source>
        <translation>El servidor envió un evento de más de %1 MB.</translation>
    </message>
    <message>
        <source>Couldn&apos;t connect to %1:%2. Is the server running?</source>
        <translation>No se pudo conectar con %1:%2. ¿Está en marcha el servidor?</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Se agotó el tiempo de espera de la solicitud.</translation>
    </message>
</context>
<context>
    <name>ts::InPlaceRequest</name>
    <message>
        <source>Paste didn&apos;t fire. The text in the app is unchanged.</source>
        <translation>No se pudo pegar. El texto de la aplicación no ha cambiado.</translation>
    </message>
    <message>
        <source>The window changed before the answer arrived. Nothing was pasted; the answer is in the history.</source>
        <translation>La ventana cambió antes de que llegara la respuesta. No se pegó nada; la respuesta está en el historial.</translation>
    </message>
    <message>
        <source>Proofreading in %1…</source>
        <translation>Corrigiendo en %1…</translation>
    </message>
    <message>
        <source>Proofread in %1. ⌘Z to undo.</source>
        <translation>Corregido en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Proofread for %2 in %1. ⌘Z to undo.</source>
        <translation>Corregido para %2 en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Typed the proofread text into %1.</source>
        <translation>Texto corregido escrito en %1.</translation>
    </message>
    <message>
        <source>Typed the proofread text for %2 into %1.</source>
        <translation>Texto corregido para %2 escrito en %1.</translation>
    </message>
    <message>
        <source>Drafting reply in %1…</source>
        <translation>Redactando la respuesta en %1…</translation>
    </message>
    <message>
        <source>Drafted reply in %1. ⌘Z to undo.</source>
        <translation>Respuesta redactada en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Drafted reply for %2 in %1. ⌘Z to undo.</source>
        <translation>Respuesta para %2 redactada en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Typed the reply into %1.</source>
        <translation>Respuesta escrita en %1.</translation>
    </message>
    <message>
        <source>Typed the reply for %2 into %1.</source>
        <translation>Respuesta para %2 escrita en %1.</translation>
    </message>
    <message>
        <source>Running in %1…</source>
        <translation>Ejecutando en %1…</translation>
    </message>
    <message>
        <source>Done in %1. ⌘Z to undo.</source>
        <translation>Hecho en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Done for %2 in %1. ⌘Z to undo.</source>
        <translation>Hecho para %2 en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Typed the result into %1.</source>
        <translation>Resultado escrito en %1.</translation>
    </message>
    <message>
        <source>Typed the result for %2 into %1.</source>
        <translation>Resultado para %2 escrito en %1.</translation>
    </message>
    <message>
        <source>Rewriting in %1…</source>
        <translation>Reescribiendo en %1…</translation>
    </message>
    <message>
        <source>Rewrote in %1. ⌘Z to undo.</source>
        <translation>Reescrito en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Rewrote for %2 in %1. ⌘Z to undo.</source>
        <translation>Reescrito para %2 en %1. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Typed the rewrite into %1.</source>
        <translation>Reescritura escrita en %1.</translation>
    </message>
    <message>
        <source>Typed the rewrite for %2 into %1.</source>
        <translation>Reescritura para %2 escrita en %1.</translation>
    </message>
    <message>
        <source>This app doesn&apos;t accept text from Tessarine. The answer is in the history.</source>
        <translation>Esta aplicación no acepta texto de Tessarine. La respuesta está en el historial.</translation>
    </message>
    <message>
        <source>Proofread in %1. ⌘Z twice to undo.</source>
        <translation>Corregido en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>Proofread for %2 in %1. ⌘Z twice to undo.</source>
        <translation>Corregido para %2 en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>Drafted reply in %1. ⌘Z twice to undo.</source>
        <translation>Respuesta redactada en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>Drafted reply for %2 in %1. ⌘Z twice to undo.</source>
        <translation>Respuesta para %2 redactada en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>Done in %1. ⌘Z twice to undo.</source>
        <translation>Hecho en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>Done for %2 in %1. ⌘Z twice to undo.</source>
        <translation>Hecho para %2 en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>Rewrote in %1. ⌘Z twice to undo.</source>
        <translation>Reescrito en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>Rewrote for %2 in %1. ⌘Z twice to undo.</source>
        <translation>Reescrito para %2 en %1. Ctrl+Z dos veces para deshacer.</translation>
    </message>
    <message>
        <source>The app changed the text its own way. Check it; the answer is in the history.</source>
        <translation>La aplicación cambió el texto a su manera. Revísalo; la respuesta está en el historial.</translation>
    </message>
</context>
<context>
    <name>ts::InPlaceRunner</name>
    <message>
        <source>Already rewriting…</source>
        <translation>Ya se está reescribiendo…</translation>
    </message>
</context>
<context>
    <name>ts::InPlaceService</name>
    <message>
        <source>Nothing selected in the frontmost app.</source>
        <translation>No hay nada seleccionado en la aplicación activa.</translation>
    </message>
    <message>
        <source>Tessarine needs Accessibility permission.</source>
        <translation>Tessarine necesita el control del escritorio.</translation>
    </message>
    <message>
        <source>Copy didn&apos;t fire. Select some text, then press the hotkey again.</source>
        <translation>No se pudo copiar. Selecciona texto y vuelve a pulsar el atajo.</translation>
    </message>
    <message>
        <source>The app didn&apos;t produce text to rewrite.</source>
        <translation>La aplicación no proporcionó texto para reescribir.</translation>
    </message>
</context>
<context>
    <name>ts::LLMError</name>
    <message>
        <source>API key is missing. Open Settings and add one.</source>
        <translation>Falta la clave de API. Abre Preferencias y añade una.</translation>
    </message>
    <message>
        <source>The provider rejected the request (400). Check Settings → Provider.</source>
        <translation>El proveedor rechazó la solicitud (400). Revisa Preferencias → Proveedor.</translation>
    </message>
    <message>
        <source>The provider rejected the request: %1</source>
        <translation>El proveedor rechazó la solicitud: %1</translation>
    </message>
    <message>
        <source>API key rejected. Open Settings → Provider and re-check the key.</source>
        <translation>Clave de API rechazada. Abre Preferencias → Proveedor y vuelve a comprobar la clave.</translation>
    </message>
    <message>
        <source>Model not found. Open Settings → Provider and pick one that&apos;s available for this provider.</source>
        <translation>Modelo no encontrado. Abre Preferencias → Proveedor y elige uno que esté disponible en este proveedor.</translation>
    </message>
    <message>
        <source>Provider endpoint not found (404). Check Settings → Provider.</source>
        <translation>No se encontró el endpoint del proveedor (404). Revisa Preferencias → Proveedor.</translation>
    </message>
    <message>
        <source>Provider timed out. Try again, or switch provider in Settings.</source>
        <translation>El proveedor no respondió a tiempo. Inténtalo de nuevo o cambia de proveedor en Preferencias.</translation>
    </message>
    <message>
        <source>Rate limited by the provider. Wait ~30 seconds and try again, or switch provider in Settings.</source>
        <translation>El proveedor está limitando las solicitudes. Espera unos 30 segundos y vuelve a intentarlo, o cambia de proveedor en Preferencias.</translation>
    </message>
    <message>
        <source>Provider is temporarily unavailable (%1). Try again in a moment or switch provider in Settings.</source>
        <translation>El proveedor no está disponible temporalmente (%1). Inténtalo de nuevo en un momento o cambia de proveedor en Preferencias.</translation>
    </message>
    <message>
        <source>Provider returned %1. Try again or switch provider in Settings.</source>
        <translation>El proveedor devolvió %1. Inténtalo de nuevo o cambia de proveedor en Preferencias.</translation>
    </message>
    <message>
        <source>Provider returned %1: %2</source>
        <translation>El proveedor devolvió %1: %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t parse the provider&apos;s response. %1</source>
        <translation>No se pudo interpretar la respuesta del proveedor. %1</translation>
    </message>
    <message>
        <source>The provider reported an error: %1</source>
        <translation>El proveedor informó de un error: %1</translation>
    </message>
    <message>
        <source>Request cancelled.</source>
        <translation>Solicitud cancelada.</translation>
    </message>
</context>
<context>
    <name>ts::LoadingStateView</name>
    <message>
        <source>Reviewing</source>
        <translation>Revisando</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>IMPROVED</source>
        <translation>MEJORADO</translation>
    </message>
    <message>
        <source>esc to cancel</source>
        <translation>Esc para cancelar</translation>
    </message>
    <message>
        <source>OBSERVATIONS</source>
        <translation>OBSERVACIONES</translation>
    </message>
    <message>
        <source>Arriving with the answer…</source>
        <translation>La respuesta está en camino…</translation>
    </message>
    <message>
        <source>Reviewing · </source>
        <translation>Revisando · </translation>
    </message>
</context>
<context>
    <name>ts::LocalSetupStep</name>
    <message>
        <source>Run Tessarine on your Mac</source>
        <translation>Ejecuta Tessarine en tu ordenador</translation>
    </message>
    <message>
        <source>Uses Ollama. Free, private, no API key.</source>
        <translation>Usa Ollama. Gratis, privado y sin clave de API.</translation>
    </message>
</context>
<context>
    <name>ts::MainKeyCommands</name>
    <message>
        <source>Ctrl+Return</source>
        <translation>Ctrl+Intro</translation>
    </message>
    <message>
        <source>Run the current mode</source>
        <translation>Ejecutar el modo actual</translation>
    </message>
    <message>
        <source>Ctrl+1 … Ctrl+5</source>
        <translation>Ctrl+1 … Ctrl+5</translation>
    </message>
    <message>
        <source>Choose a mode</source>
        <translation>Elegir un modo</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>Copy the result and close</source>
        <translation>Copiar el resultado y cerrar</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>Regenerate the result</source>
        <translation>Regenerar el resultado</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Back to the editor</source>
        <translation>Volver al editor</translation>
    </message>
    <message>
        <source>Ctrl+.</source>
        <translation>Ctrl+.</translation>
    </message>
    <message>
        <source>Cancel the running request</source>
        <translation>Cancelar la petición en curso</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Ctrl+,</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Abrir las preferencias</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Cancel a request, go back from a result, or close the window</source>
        <translation>Cancelar una petición, volver desde un resultado o cerrar la ventana</translation>
    </message>
</context>
<context>
    <name>ts::MainWindow</name>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Preferencias</translation>
    </message>
</context>
<context>
    <name>ts::ModelCard</name>
    <message>
        <source>Installed</source>
        <translation>Instalado</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Instalar</translation>
    </message>
    <message>
        <source>Download of %1</source>
        <translation>Descarga de %1</translation>
    </message>
</context>
<context>
    <name>ts::OllamaError</name>
    <message>
        <source>Couldn&apos;t reach Ollama at %1. Is `ollama serve` running?</source>
        <translation>No se pudo contactar con Ollama en %1. ¿Está en marcha `ollama serve`?</translation>
    </message>
</context>
<context>
    <name>ts::OllamaInstaller</name>
    <message>
        <source>The server sent a progress line longer than %1 MB.</source>
        <translation>El servidor envió una línea de progreso de más de %1 MB.</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Se agotó el tiempo de espera de la solicitud.</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Iniciando…</translation>
    </message>
    <message>
        <source>Pull request failed</source>
        <translation>La descarga del modelo ha fallado</translation>
    </message>
</context>
<context>
    <name>ts::OllamaSetupPanel</name>
    <message>
        <source>Recheck</source>
        <translation>Volver a comprobar</translation>
    </message>
    <message>
        <source>RECOMMENDED MODELS</source>
        <translation>MODELOS RECOMENDADOS</translation>
    </message>
    <message>
        <source>Checking Ollama…</source>
        <translation>Comprobando Ollama…</translation>
    </message>
    <message>
        <source>Ollama is not installed</source>
        <translation>Ollama no está instalado</translation>
    </message>
    <message>
        <source>Ollama is installed but not running</source>
        <translation>Ollama está instalado, pero no se está ejecutando</translation>
    </message>
    <message>
        <source>Ollama is running · no models pulled yet</source>
        <translation>Ollama se está ejecutando · aún no hay modelos descargados</translation>
    </message>
    <message numerus="yes">
        <source>Ollama is running · %n model installed</source>
        <translation>
            <numerusform>Ollama se está ejecutando · %n modelo instalado</numerusform>
            <numerusform>Ollama se está ejecutando · %n modelos instalados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ollama is running · %n models installed</source>
        <translation>
            <numerusform>Ollama se está ejecutando · %n modelo instalado</numerusform>
            <numerusform>Ollama se está ejecutando · %n modelos instalados</numerusform>
        </translation>
    </message>
    <message>
        <source>Install Ollama to run models locally</source>
        <translation>Instala Ollama para ejecutar modelos en local</translation>
    </message>
    <message>
        <source>Ollama is a free, open-source runtime for local LLMs. Install once; Tessarine detects it automatically when you return.</source>
        <translation>Ollama es un entorno libre y gratuito para ejecutar modelos de lenguaje en local. Instálalo una vez; Tessarine lo detecta automáticamente cuando vuelvas.</translation>
    </message>
    <message>
        <source>Download Ollama</source>
        <translation>Descargar Ollama</translation>
    </message>
    <message>
        <source>Start the Ollama app</source>
        <translation>Iniciar Ollama</translation>
    </message>
    <message>
        <source>Ollama.app lives in your menu bar and runs the local server. Click Start to launch it.</source>
        <translation>«Iniciar Ollama» ejecuta el servidor local (ollama serve) en segundo plano.</translation>
    </message>
    <message>
        <source>Start Ollama</source>
        <translation>Iniciar Ollama</translation>
    </message>
</context>
<context>
    <name>ts::OnboardingSteps</name>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>Skip for now</source>
        <translation>Omitir por ahora</translation>
    </message>
</context>
<context>
    <name>ts::OnboardingView</name>
    <message>
        <source>Welcome to Tessarine</source>
        <translation>Te damos la bienvenida a Tessarine</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Skip setup</source>
        <translation>Omitir la configuración</translation>
    </message>
    <message>
        <source>You can configure Tessarine later in Settings.</source>
        <translation>Puedes configurar Tessarine más tarde en las preferencias.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
</context>
<context>
    <name>ts::Overlay</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>ts::PromptsTab</name>
    <message>
        <source>Prompts</source>
        <translation>Instrucciones</translation>
    </message>
    <message>
        <source>Saved Custom-mode instructions. Save new ones from the Custom tab; rename or delete existing ones here. Up to 30.</source>
        <translation>Instrucciones guardadas del modo «Libre». Guarda nuevas desde la pestaña «Libre»; cambia el nombre de las existentes o elimínalas aquí. Hasta 30.</translation>
    </message>
    <message>
        <source>Import…</source>
        <translation>Importar…</translation>
    </message>
    <message>
        <source>Load prompts from a JSON export</source>
        <translation>Cargar instrucciones desde una exportación JSON</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportar…</translation>
    </message>
    <message>
        <source>Save all prompts to a JSON file</source>
        <translation>Guardar todas las instrucciones en un archivo JSON</translation>
    </message>
    <message>
        <source>Import Prompts</source>
        <translation>Importar instrucciones</translation>
    </message>
    <message>
        <source>Couldn&apos;t encode prompts.</source>
        <translation>No se pudieron codificar las instrucciones.</translation>
    </message>
    <message>
        <source>Export Saved Prompts</source>
        <translation>Exportar las instrucciones guardadas</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Cambiar nombre</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Prompt name</source>
        <translation>Nombre de la instrucción</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>No saved prompts yet.</source>
        <translation>Aún no hay instrucciones guardadas.</translation>
    </message>
    <message>
        <source>Open the main window, pick the Custom tab, type an instruction, then click Save prompt.</source>
        <translation>Abre la ventana principal, elige la pestaña «Libre», escribe una instrucción y pulsa «Guardar instrucción».</translation>
    </message>
    <message>
        <source>Couldn&apos;t write file: %1</source>
        <translation>No se pudo escribir el archivo: %1</translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation>Cambiar el nombre de %1</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>Eliminar %1</translation>
    </message>
</context>
<context>
    <name>ts::ProviderFactory</name>
    <message>
        <source>The base URL in Settings isn&apos;t a valid http or https address.</source>
        <translation>La URL base de Preferencias no es una dirección http o https válida.</translation>
    </message>
</context>
<context>
    <name>ts::ProviderTab</name>
    <message>
        <source>%1 base URL</source>
        <translation>URL base de %1</translation>
    </message>
    <message>
        <source>Provider</source>
        <translation>Proveedor</translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation>Probar la conexión</translation>
    </message>
    <message>
        <source>API key</source>
        <translation>Clave de API</translation>
    </message>
    <message>
        <source>Keys are kept in %1.</source>
        <translation>Las claves se guardan en %1.</translation>
    </message>
    <message>
        <source>Runs locally. No key needed.</source>
        <translation>Se ejecuta en local. No hace falta clave.</translation>
    </message>
    <message>
        <source>Your text never leaves this Mac.</source>
        <translation>Tu texto nunca sale de este ordenador.</translation>
    </message>
    <message>
        <source>Base URL</source>
        <translation>URL base</translation>
    </message>
    <message>
        <source>Ollama URL</source>
        <translation>URL de Ollama</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avanzado</translation>
    </message>
    <message>
        <source>Leave empty to use the public API.</source>
        <translation>Déjalo vacío para usar la API pública.</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modelo</translation>
    </message>
    <message>
        <source>Fetched models</source>
        <translation>Modelos obtenidos</translation>
    </message>
    <message>
        <source>Refresh model list</source>
        <translation>Actualizar la lista de modelos</translation>
    </message>
    <message>
        <source>Loading models…</source>
        <translation>Cargando modelos…</translation>
    </message>
    <message>
        <source>Error: API key is missing. Add the key above.</source>
        <translation>Error: falta la clave de API. Añádela arriba.</translation>
    </message>
    <message>
        <source>Connected.</source>
        <translation>Conectado.</translation>
    </message>
    <message>
        <source>Keys are kept in the system keyring.</source>
        <translation>Las claves se guardan en el depósito de claves del sistema.</translation>
    </message>
    <message>
        <source>Keys are kept in the %1.</source>
        <translation>Las claves se guardan aquí: %1.</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Error: %1</translation>
    </message>
</context>
<context>
    <name>ts::RatingButtons</name>
    <message>
        <source>Like</source>
        <translation>Me gusta</translation>
    </message>
    <message>
        <source>Like (adds to your style corpus)</source>
        <translation>Me gusta (se añade a tu corpus de estilo)</translation>
    </message>
    <message>
        <source>Dislike</source>
        <translation>No me gusta</translation>
    </message>
    <message>
        <source>Dislike (exclude from style corpus)</source>
        <translation>No me gusta (se excluye del corpus de estilo)</translation>
    </message>
</context>
<context>
    <name>ts::ResultTexts</name>
    <message>
        <source>Review:</source>
        <extracomment>A result&apos;s title is two words read as one: &quot;Review: Sharper&quot;.</extracomment>
        <translation>Revisión:</translation>
    </message>
    <message>
        <source>Sharper</source>
        <extracomment>Second half of &quot;Review: Sharper&quot;: the text now reads sharper.</extracomment>
        <translation>Pulida</translation>
    </message>
    <message>
        <source>IMPROVED</source>
        <translation>MEJORADO</translation>
    </message>
    <message>
        <source>Copy Improved</source>
        <translation>Copiar el texto mejorado</translation>
    </message>
    <message>
        <source>Proofread:</source>
        <translation>Corrección:</translation>
    </message>
    <message>
        <source>Clean</source>
        <extracomment>Second half of &quot;Proofread: Clean&quot;: the text is now free of errors.</extracomment>
        <translation>Impecable</translation>
    </message>
    <message>
        <source>CORRECTED</source>
        <translation>CORREGIDO</translation>
    </message>
    <message>
        <source>Copy Corrected</source>
        <translation>Copiar el texto corregido</translation>
    </message>
    <message>
        <source>Draft:</source>
        <translation>Borrador:</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>DRAFTED REPLY</source>
        <translation>RESPUESTA REDACTADA</translation>
    </message>
    <message>
        <source>Copy Reply</source>
        <translation>Copiar la respuesta</translation>
    </message>
    <message>
        <source>Result:</source>
        <translation>Resultado:</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>RESULTADO</translation>
    </message>
    <message>
        <source>Copy Result</source>
        <translation>Copiar el resultado</translation>
    </message>
    <message>
        <source>Tone:</source>
        <translation>Tono:</translation>
    </message>
    <message>
        <source>Read</source>
        <extracomment>Second half of &quot;Tone: Read&quot;: the tone has been read (past tense).</extracomment>
        <translation>Analizado</translation>
    </message>
    <message>
        <source>OBSERVATIONS</source>
        <translation>OBSERVACIONES</translation>
    </message>
    <message>
        <source>Regenerate: %1</source>
        <translation>Regenerar: %1</translation>
    </message>
</context>
<context>
    <name>ts::ReviewRequest</name>
    <message>
        <source>The model returned an empty response.</source>
        <translation>El modelo devolvió una respuesta vacía.</translation>
    </message>
</context>
<context>
    <name>ts::SavedPromptChip</name>
    <message>
        <source>Delete Prompt</source>
        <translation>Eliminar la instrucción</translation>
    </message>
</context>
<context>
    <name>ts::SelectionStripView</name>
    <message>
        <source>Rewrite</source>
        <translation>Reescribir</translation>
    </message>
    <message>
        <source>Rewrite the selection in place</source>
        <translation>Reescribir la selección en su sitio</translation>
    </message>
    <message>
        <source>Proofread</source>
        <translation>Corregir</translation>
    </message>
    <message>
        <source>Fix grammar; preserve voice</source>
        <translation>Corregir la gramática y conservar la voz</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Responder</translation>
    </message>
    <message>
        <source>Draft a reply in place</source>
        <translation>Redactar una respuesta en el sitio</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Libre</translation>
    </message>
    <message>
        <source>Custom instruction in place</source>
        <translation>Instrucción propia en el sitio</translation>
    </message>
    <message>
        <source>Selection actions</source>
        <translation>Acciones de la selección</translation>
    </message>
</context>
<context>
    <name>ts::ServiceCall</name>
    <message>
        <source>Proofreading…</source>
        <translation>Corrigiendo…</translation>
    </message>
    <message>
        <source>Drafting reply…</source>
        <translation>Redactando la respuesta…</translation>
    </message>
    <message>
        <source>Rewriting…</source>
        <translation>Reescribiendo…</translation>
    </message>
    <message>
        <source>Proofread. ⌘Z to undo.</source>
        <translation>Corregido. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Drafted reply. ⌘Z to undo.</source>
        <translation>Respuesta redactada. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Rewrote selection. ⌘Z to undo.</source>
        <translation>Selección reescrita. Ctrl+Z para deshacer.</translation>
    </message>
    <message>
        <source>Request cancelled.</source>
        <translation>Petición cancelada.</translation>
    </message>
</context>
<context>
    <name>ts::SettingsWindow</name>
    <message>
        <source>Tessarine Settings</source>
        <translation>Preferencias de Tessarine</translation>
    </message>
    <message>
        <source>Settings sections</source>
        <translation>Secciones de las preferencias</translation>
    </message>
    <message>
        <source>Provider</source>
        <translation>Proveedor</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Predeterminados</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Estilo</translation>
    </message>
    <message>
        <source>Prompts</source>
        <translation>Instrucciones</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Atajos</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
</context>
<context>
    <name>ts::ShortcutRecorder</name>
    <message>
        <source>Press a shortcut · Esc to cancel</source>
        <translation>Pulsa un atajo · Esc para cancelar</translation>
    </message>
    <message>
        <source>Click to change</source>
        <translation>Haz clic para cambiarlo</translation>
    </message>
</context>
<context>
    <name>ts::ShortcutTab</name>
    <message>
        <source>Replaces the selected text in the frontmost app with an improved version. Requires Accessibility permission.</source>
        <translation>Reemplaza el texto seleccionado en la aplicación activa por una versión mejorada. Requiere el control del escritorio.</translation>
    </message>
    <message>
        <source>Disabled. Enable to rewrite selected text in any app with a single shortcut.</source>
        <translation>Desactivado. Actívalo para reescribir el texto seleccionado en cualquier aplicación con un solo atajo.</translation>
    </message>
    <message>
        <source>In use by another program</source>
        <translation>En uso por otro programa</translation>
    </message>
    <message>
        <source>Global shortcuts are unavailable on this desktop</source>
        <translation>Los atajos globales no están disponibles en este escritorio</translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <translation>Atajos</translation>
    </message>
    <message>
        <source>OPEN TESSARINE</source>
        <translation>ABRIR TESSARINE</translation>
    </message>
    <message>
        <source>Opens or toggles the Tessarine window from anywhere.</source>
        <translation>Abre o cierra la ventana de Tessarine desde cualquier lugar.</translation>
    </message>
    <message>
        <source>REWRITE IN PLACE</source>
        <translation>REESCRIBIR EN EL SITIO</translation>
    </message>
    <message>
        <source>Rewrite in place</source>
        <translation>Reescribir en el sitio</translation>
    </message>
    <message>
        <source>Reset to defaults (⌥⌘E · ⌃⌥⌘E)</source>
        <translation>Restablecer los predeterminados (⌥⌘E · ⌃⌥⌘E)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
</context>
<context>
    <name>ts::ShortcutsOverlay</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
</context>
<context>
    <name>ts::StyleTab</name>
    <message>
        <source>Style</source>
        <translation>Estilo</translation>
    </message>
    <message>
        <source>Tessarine learns your voice from two sources: samples of your own writing (pasted below) and reviews you thumb up. Refresh the profile to rebuild it.</source>
        <translation>Tessarine aprende tu voz de dos fuentes: muestras de tus propios textos (pegadas abajo) y las revisiones que marcas con «Me gusta». Actualiza el perfil para reconstruirlo.</translation>
    </message>
    <message>
        <source>Refresh now</source>
        <translation>Actualizar ahora</translation>
    </message>
    <message>
        <source>Apply my style profile to every review</source>
        <translation>Aplicar mi perfil de estilo a cada revisión</translation>
    </message>
    <message>
        <source>Your writing samples</source>
        <translation>Tus muestras de escritura</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Perfil</translation>
    </message>
    <message>
        <source>Clear profile</source>
        <translation>Borrar el perfil</translation>
    </message>
    <message>
        <source>No profile yet. Add samples above and/or thumb up reviews, then click Refresh.</source>
        <translation>Aún no hay perfil. Añade muestras arriba o marca revisiones con «Me gusta» y pulsa «Actualizar ahora».</translation>
    </message>
    <message>
        <source>Analyzing…</source>
        <translation>Analizando…</translation>
    </message>
    <message>
        <source>Paste 3–5 of your own emails or messages here, separating each with a blank line. The analyzer uses these as seed examples of your authentic voice.</source>
        <translation>Pega aquí 3–5 de tus propios correos o mensajes, separados por una línea en blanco. El analizador los usa como ejemplos iniciales de tu voz auténtica.</translation>
    </message>
</context>
<context>
    <name>ts::ToneView</name>
    <message>
        <source>YOUR TEXT</source>
        <translation>TU TEXTO</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Rewrite with these</source>
        <translation>Reescribir con esto</translation>
    </message>
</context>
<context>
    <name>ts::TrayIcon</name>
    <message>
        <source>Open Tessarine</source>
        <translation>Abrir Tessarine</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Preferencias…</translation>
    </message>
    <message>
        <source>Quit Tessarine</source>
        <translation>Salir de Tessarine</translation>
    </message>
</context>
<context>
    <name>ts::WelcomeStep</name>
    <message>
        <source>Welcome to</source>
        <translation>Te damos la bienvenida a</translation>
    </message>
    <message>
        <source>Welcome to Tessarine</source>
        <translation>Te damos la bienvenida a Tessarine</translation>
    </message>
    <message>
        <source>Rewrite, proofread, and draft text in any Mac app. Pick how you want to run the AI:</source>
        <translation>Reescribe, corrige y redacta textos en cualquier aplicación. Elige cómo quieres ejecutar la IA:</translation>
    </message>
    <message>
        <source>Use a cloud model</source>
        <translation>Usar un modelo en la nube</translation>
    </message>
    <message>
        <source>OpenAI, Anthropic, or Gemini.</source>
        <translation>OpenAI, Anthropic o Gemini.</translation>
    </message>
    <message>
        <source>Best quality. Bring your own API key. Pay the provider per use.</source>
        <translation>La mejor calidad. Con tu propia clave de API. Pagas al proveedor por uso.</translation>
    </message>
    <message>
        <source>Run locally</source>
        <translation>Ejecutar en local</translation>
    </message>
    <message>
        <source>Free. Private. On-device.</source>
        <translation>Gratis. Privado. En tu equipo.</translation>
    </message>
    <message>
        <source>Uses Ollama. No API key. Slower on older Macs. Works offline.</source>
        <translation>Usa Ollama. Sin clave de API. Más lento en ordenadores antiguos. Funciona sin conexión.</translation>
    </message>
</context>
<context>
    <name>ts::WireFormat</name>
    <message>
        <source>The answer has no &quot;content&quot; list.</source>
        <translation>La respuesta no contiene la lista «content».</translation>
    </message>
    <message>
        <source>A content block is malformed.</source>
        <translation>Un bloque de contenido está mal formado.</translation>
    </message>
    <message>
        <source>The answer has no &quot;candidates&quot; list.</source>
        <translation>La respuesta no contiene la lista «candidates».</translation>
    </message>
    <message>
        <source>A candidate has no content parts.</source>
        <translation>Un candidato no tiene partes de contenido.</translation>
    </message>
    <message>
        <source>A content part is malformed.</source>
        <translation>Una parte del contenido está mal formada.</translation>
    </message>
    <message>
        <source>The model list has no &quot;models&quot; list.</source>
        <translation>La lista de modelos no contiene la lista «models».</translation>
    </message>
    <message>
        <source>A model entry is malformed.</source>
        <translation>Una entrada de modelo está mal formada.</translation>
    </message>
    <message>
        <source>The answer is not a JSON object.</source>
        <translation>La respuesta no es un objeto JSON.</translation>
    </message>
    <message>
        <source>The answer has no &quot;choices&quot; list.</source>
        <translation>La respuesta no contiene la lista «choices».</translation>
    </message>
    <message>
        <source>A choice has no message text.</source>
        <translation>Una de las opciones no tiene texto de mensaje.</translation>
    </message>
    <message>
        <source>The model list has no &quot;data&quot; list.</source>
        <translation>La lista de modelos no contiene la lista «data».</translation>
    </message>
    <message>
        <source>A model has no &quot;id&quot;.</source>
        <translation>Un modelo no tiene «id».</translation>
    </message>
</context>
<context>
    <name>ts::cli::ChangeReviewer</name>
    <message>
        <source>--interactive needs a terminal to ask on, and this process has none</source>
        <translation>--interactive necesita un terminal en el que preguntar, y este proceso no tiene ninguno</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n changes kept.</source>
        <translation>
            <numerusform>%1 de %n cambio conservado.</numerusform>
            <numerusform>%1 de %n cambios conservados.</numerusform>
        </translation>
    </message>
    <message>
        <source>Change %1 of %2: </source>
        <translation>Cambio %1 de %2: </translation>
    </message>
    <message>
        <source>Keep it? y keep, n drop, a keep the rest, d drop the rest: </source>
        <translation>¿Conservarlo? y conservar, n descartar, a conservar el resto, d descartar el resto: </translation>
    </message>
    <message>
        <source>kept</source>
        <translation>conservado</translation>
    </message>
    <message>
        <source>dropped</source>
        <translation>descartado</translation>
    </message>
    <message>
        <source>kept, with the rest</source>
        <translation>conservado, con el resto</translation>
    </message>
    <message>
        <source>dropped, with the rest</source>
        <translation>descartado, con el resto</translation>
    </message>
    <message>
        <source>insert: </source>
        <translation>insertar: </translation>
    </message>
    <message>
        <source>delete: </source>
        <translation>eliminar: </translation>
    </message>
</context>
<context>
    <name>ts::cli::CliMessages</name>
    <message>
        <source>Open Settings → Provider and re-check the key.</source>
        <translation>Abre Preferencias → Proveedor y vuelve a comprobar la clave.</translation>
    </message>
    <message>
        <source>Check it and store it again with: %1</source>
        <translation>Compruébala y guárdala de nuevo con: %1</translation>
    </message>
    <message>
        <source>Open Settings and add one.</source>
        <translation>Abre Preferencias y añade una.</translation>
    </message>
    <message>
        <source>Store one with: %1</source>
        <translation>Guarda una con: %1</translation>
    </message>
    <message>
        <source>Open Settings → Provider and pick one that&apos;s available for this provider.</source>
        <translation>Abre Preferencias → Proveedor y elige uno que esté disponible en este proveedor.</translation>
    </message>
    <message>
        <source>List the available ones with: %1, then choose one with: %2</source>
        <translation>Consulta los disponibles con: %1 y elige uno con: %2</translation>
    </message>
    <message>
        <source>or switch provider in Settings.</source>
        <translation>o cambia de proveedor en Preferencias.</translation>
    </message>
    <message>
        <source>or switch provider with: %1</source>
        <translation>o cambia de proveedor con: %1</translation>
    </message>
    <message>
        <source>Check Settings → Provider.</source>
        <translation>Revisa Preferencias → Proveedor.</translation>
    </message>
    <message>
        <source>Check the settings with: %1</source>
        <translation>Revisa la configuración con: %1</translation>
    </message>
    <message>
        <source>The base URL in Settings isn&apos;t</source>
        <translation>La URL base de Preferencias no es</translation>
    </message>
    <message>
        <source>The base URL setting (see %1) isn&apos;t</source>
        <translation>La URL base configurada (consulta %1) no es</translation>
    </message>
</context>
<context>
    <name>ts::cli::CommandLine</name>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 no admite ningún valor</translation>
    </message>
    <message>
        <source>unknown option %1 (options: --tone, --context, --intent, --instruction, --prompt, --adjust, --provider, --model, --no-style, --why, --json, --dry-run, --interactive)</source>
        <translation>opción desconocida %1 (opciones: --tone, --context, --intent, --instruction, --prompt, --adjust, --provider, --model, --no-style, --why, --json, --dry-run, --interactive)</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 necesita un valor</translation>
    </message>
    <message>
        <source>unknown tone &quot;%1&quot; (valid: %2)</source>
        <translation>tono desconocido «%1» (válidos: %2)</translation>
    </message>
    <message>
        <source>unknown context &quot;%1&quot; (valid: %2)</source>
        <translation>contexto desconocido «%1» (válidos: %2)</translation>
    </message>
    <message>
        <source>unknown adjustment &quot;%1&quot; (valid: %2)</source>
        <translation>ajuste desconocido «%1» (válidos: %2)</translation>
    </message>
    <message>
        <source>unknown provider &quot;%1&quot; (valid: %2)</source>
        <translation>proveedor desconocido «%1» (válidos: %2)</translation>
    </message>
    <message>
        <source>--model needs a model name</source>
        <translation>--model necesita el nombre de un modelo</translation>
    </message>
    <message>
        <source>expected at most one TEXT argument, got %1 (quote the text)</source>
        <translation>se esperaba como mucho un argumento TEXTO y se recibieron %1 (pon el texto entre comillas)</translation>
    </message>
    <message>
        <source>--intent applies to reply only</source>
        <translation>--intent solo se aplica a reply</translation>
    </message>
    <message>
        <source>--instruction and --prompt apply to ask only</source>
        <translation>--instruction y --prompt solo se aplican a ask</translation>
    </message>
    <message>
        <source>give either --instruction or --prompt, not both</source>
        <translation>indica --instruction o --prompt, no ambos</translation>
    </message>
    <message>
        <source>ask needs --instruction TEXT or --prompt NAME</source>
        <translation>ask necesita --instruction TEXTO o --prompt NOMBRE</translation>
    </message>
    <message>
        <source>--dry-run already prints JSON; drop --json</source>
        <translation>--dry-run ya imprime JSON; quita --json</translation>
    </message>
    <message>
        <source>--interactive applies to rewrite, proofread and ask</source>
        <translation>--interactive se aplica a rewrite, proofread y ask</translation>
    </message>
    <message>
        <source>--interactive prints text; drop --json and --dry-run</source>
        <translation>--interactive imprime texto; quita --json y --dry-run</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argumento inesperado «%1»</translation>
    </message>
    <message>
        <source>unknown option %1 (diff takes --json)</source>
        <translation>opción desconocida %1 (diff admite --json)</translation>
    </message>
    <message>
        <source>diff needs OLD_FILE and NEW_FILE</source>
        <translation>diff necesita ARCHIVO_ANTIGUO y ARCHIVO_NUEVO</translation>
    </message>
    <message>
        <source>usage: tessarine-cli key set KIND | key clear KIND | key status</source>
        <translation>uso: tessarine-cli key set TIPO | key clear TIPO | key status</translation>
    </message>
    <message>
        <source>usage: tessarine-cli config list | get KEY | set KEY VALUE</source>
        <translation>uso: tessarine-cli config list | get CLAVE | set CLAVE VALOR</translation>
    </message>
    <message>
        <source>usage: tessarine-cli prompts save [--name NAME] INSTRUCTION (quote the instruction)</source>
        <translation>uso: tessarine-cli prompts save [--name NOMBRE] INSTRUCCIÓN (pon la instrucción entre comillas)</translation>
    </message>
    <message>
        <source>usage: tessarine-cli prompts list | save [--name NAME] INSTRUCTION | rename NAME NEW | delete NAME | export FILE | import FILE</source>
        <translation>uso: tessarine-cli prompts list | save [--name NOMBRE] INSTRUCCIÓN | rename NOMBRE NUEVO | delete NOMBRE | export ARCHIVO | import ARCHIVO</translation>
    </message>
    <message>
        <source>usage: tessarine-cli style show | refresh | clear</source>
        <translation>uso: tessarine-cli style show | refresh | clear</translation>
    </message>
    <message>
        <source>missing command (commands: %1)</source>
        <translation>falta la orden (órdenes: %1)</translation>
    </message>
    <message>
        <source>usage: tessarine-cli open tessarine://ACTION?QUERY</source>
        <translation>uso: tessarine-cli open tessarine://ACCIÓN?CONSULTA</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (commands: %2)</source>
        <translation>orden desconocida «%1» (órdenes: %2)</translation>
    </message>
    <message>
        <source>usage: tessarine-cli shortcuts [status | install | remove] [--json]</source>
        <translation>uso: tessarine-cli shortcuts [status | install | remove] [--json]</translation>
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
        <translation>      --tone T            professional, casual, friendly, concise
      --context C         email, chat, generic
      --adjust NOMBRE     shorter, longer, simpler, casual, formal, friendlier
      --provider TIPO     openai, anthropic, gemini, ollama, custom (solo esta vez)
      --model NOMBRE      modelo para esta ejecución
      --no-style          prescindir del perfil de estilo
      --why               imprimir los motivos como líneas «- TIPO: TEXTO» tras el texto
      --json              imprimir el resultado como JSON
      --dry-run           no enviar nada; imprimir como JSON lo que se enviaría
      --interactive       rewrite, proofread, ask: conservar o descartar cada cambio
                          (teclas y n a d en el terminal) e imprimir el texto conservado
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
        <translation>Uso:
  tessarine-cli MODO [opciones] [TEXTO]   MODO: rewrite, proofread, reply, ask, tone
      TEXTO es la entrada (en reply: el mensaje que recibiste); sin él se lee
      completa la entrada estándar. `--` termina las opciones.
      --intent TEXTO      reply: lo que quieres decir
      --instruction TEXTO ask: qué hacer con el texto
      --prompt NOMBRE     ask: usar un prompt guardado
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
        <translation>  tessarine-cli diff ARCHIVO_ANTIGUO ARCHIVO_NUEVO [--json]
  tessarine-cli models [--json]
  tessarine-cli history [--json]
  tessarine-cli key set TIPO             (lee la clave de la entrada estándar)
  tessarine-cli key clear TIPO
  tessarine-cli key status
  tessarine-cli config list | get CLAVE | set CLAVE VALOR
  tessarine-cli prompts list | save [--name NOMBRE] INSTRUCCIÓN | rename NOMBRE NUEVO
                        | delete NOMBRE | export ARCHIVO | import ARCHIVO
  tessarine-cli style show | refresh | clear
  tessarine-cli open URL                 pasar una URL tessarine:// a Tessarine,
                                         iniciándolo si no está en marcha
  tessarine-cli shortcuts [status | install | remove] [--json]
                                         los atajos globales en este escritorio: cómo
                                         están registrados, o las líneas que hay que añadir
  tessarine-cli doctor [--json]          qué funciona en esta sesión y por qué no;
                                         sale con 0 si la reescritura en el sitio puede funcionar
  tessarine-cli MODO --help              las opciones de un modo
  tessarine-cli --version                imprimir la versión
Estado de salida: 0 éxito, 1 la solicitud falló, 2 error de uso, 130 interrumpido,
143 terminado.
</translation>
    </message>
    <message>
        <source>Usage: tessarine-cli %1 [options] [TEXT]
</source>
        <translation>Uso: tessarine-cli %1 [opciones] [TEXTO]
</translation>
    </message>
    <message>
        <source>  Rewrites TEXT in the chosen tone.
</source>
        <translation>  Reescribe TEXTO en el tono elegido.
</translation>
    </message>
    <message>
        <source>  Fixes spelling, grammar and punctuation in TEXT.
</source>
        <translation>  Corrige la ortografía, la gramática y la puntuación de TEXTO.
</translation>
    </message>
    <message>
        <source>  Drafts a reply to TEXT, the message you received.
      --intent TEXT      what you want to say
</source>
        <translation>  Redacta una respuesta a TEXTO, el mensaje que recibiste.
      --intent TEXTO      lo que quieres decir
</translation>
    </message>
    <message>
        <source>  Applies an instruction to TEXT.
      --instruction TEXT what to do with the text
      --prompt NAME      use a saved prompt (see tessarine-cli prompts list)
</source>
        <translation>  Aplica una instrucción a TEXTO.
      --instruction TEXTO qué hacer con el texto
      --prompt NOMBRE     usar un prompt guardado (consulta tessarine-cli prompts list)
</translation>
    </message>
    <message>
        <source>  Describes how TEXT comes across; prints observations.
</source>
        <translation>  Describe cómo suena TEXTO; imprime observaciones.
</translation>
    </message>
    <message>
        <source>  Without TEXT, standard input is read whole. `--` ends the options.
</source>
        <translation>  Sin TEXTO se lee completa la entrada estándar. `--` termina las opciones.
</translation>
    </message>
</context>
<context>
    <name>ts::cli::ConfigCommand</name>
    <message>
        <source>unknown setting &quot;%1&quot; (settings: %2)</source>
        <translation>ajuste desconocido «%1» (ajustes: %2)</translation>
    </message>
    <message>
        <source>%1 cannot be &quot;%2&quot; (valid: %3)</source>
        <translation>%1 no puede ser «%2» (válidos: %3)</translation>
    </message>
</context>
<context>
    <name>ts::cli::DesktopCommands</name>
    <message>
        <source>Tessarine grabs the keys on the X server while it runs.</source>
        <translation>Tessarine captura las teclas en el servidor X mientras está en marcha.</translation>
    </message>
    <message>
        <source>Tessarine binds the keys through the desktop&apos;s portal while it runs.</source>
        <translation>Tessarine asigna las teclas mediante el portal del escritorio mientras está en marcha.</translation>
    </message>
    <message>
        <source>This desktop takes its shortcuts from its configuration; add these lines:</source>
        <translation>Este escritorio toma sus atajos de su configuración; añade estas líneas:</translation>
    </message>
    <message>
        <source>No desktop session: there are no global shortcuts.</source>
        <translation>No hay sesión de escritorio: no hay atajos globales.</translation>
    </message>
    <message>
        <source>Session: %1 (%2), hotkeys through %3</source>
        <translation>Sesión: %1 (%2), atajos mediante %3</translation>
    </message>
    <message>
        <source>Open window</source>
        <translation>Abrir la ventana</translation>
    </message>
    <message>
        <source>Rewrite in place</source>
        <translation>Reescribir en el sitio</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desactivado</translation>
    </message>
    <message>
        <source>registered as %1</source>
        <translation>registrado como %1</translation>
    </message>
    <message>
        <source>not registered</source>
        <translation>no registrado</translation>
    </message>
    <message>
        <source>%1: In use by another program (%2)</source>
        <translation>%1: En uso por otro programa (%2)</translation>
    </message>
    <message>
        <source>%1: In use by another program</source>
        <translation>%1: En uso por otro programa</translation>
    </message>
    <message>
        <source>available</source>
        <translation>disponible</translation>
    </message>
    <message>
        <source>not available</source>
        <translation>no disponible</translation>
    </message>
    <message>
        <source>no display: DISPLAY and WAYLAND_DISPLAY are unset</source>
        <translation>sin pantalla: DISPLAY y WAYLAND_DISPLAY no están definidas</translation>
    </message>
    <message>
        <source>Session: %1 (%2)</source>
        <translation>Sesión: %1 (%2)</translation>
    </message>
    <message>
        <source>add the lines of tessarine-cli shortcuts to the compositor&apos;s configuration</source>
        <translation>añade las líneas de tessarine-cli shortcuts a la configuración del compositor</translation>
    </message>
    <message>
        <source>not registered yet: start Tessarine or run tessarine-cli shortcuts install</source>
        <translation>aún no registrados: inicia Tessarine o ejecuta tessarine-cli shortcuts install</translation>
    </message>
    <message>
        <source>the X server cannot be reached</source>
        <translation>no se puede acceder al servidor X</translation>
    </message>
    <message>
        <source>Window hotkey</source>
        <translation>Atajo de la ventana</translation>
    </message>
    <message>
        <source>In-place hotkey</source>
        <translation>Atajo de reescritura en el sitio</translation>
    </message>
    <message>
        <source>the accessibility bus (org.a11y.Bus) is not running</source>
        <translation>el bus de accesibilidad (org.a11y.Bus) no está en marcha</translation>
    </message>
    <message>
        <source>the X server lacks XTEST</source>
        <translation>al servidor X le falta XTEST</translation>
    </message>
    <message>
        <source>Reading the selection</source>
        <translation>Leer la selección</translation>
    </message>
    <message>
        <source>Writing back</source>
        <translation>Escribir de vuelta</translation>
    </message>
    <message>
        <source>Keeping the clipboard</source>
        <translation>Conservar el portapapeles</translation>
    </message>
    <message>
        <source>the compositor offers no data-control protocol</source>
        <translation>el compositor no ofrece el protocolo data-control</translation>
    </message>
    <message>
        <source>Selection strip</source>
        <translation>Barra de selección</translation>
    </message>
    <message>
        <source>needs an X11 session</source>
        <translation>necesita una sesión X11</translation>
    </message>
    <message>
        <source>Key store: %1</source>
        <translation>Almacén de claves: %1</translation>
    </message>
    <message>
        <source>Provider: %1, model %2, %3 %4</source>
        <translation>Proveedor: %1, modelo %2, %3 %4</translation>
    </message>
    <message>
        <source>answers</source>
        <translation>responde</translation>
    </message>
    <message>
        <source>does not answer within 3 s</source>
        <translation>no responde en 3 s</translation>
    </message>
    <message>
        <source>The in-place rewrite can work in this session.</source>
        <translation>La reescritura en el sitio puede funcionar en esta sesión.</translation>
    </message>
    <message>
        <source>The in-place rewrite cannot work in this session.</source>
        <translation>La reescritura en el sitio no puede funcionar en esta sesión.</translation>
    </message>
</context>
<context>
    <name>ts::cli::DiffCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
</context>
<context>
    <name>ts::cli::HistoryCommand</name>
    <message>
        <source>No history yet.</source>
        <translation>Aún no hay historial.</translation>
    </message>
</context>
<context>
    <name>ts::cli::KeyCommand</name>
    <message>
        <source>API key for %1: </source>
        <translation>Clave de API de %1: </translation>
    </message>
    <message>
        <source>the key must be a single line</source>
        <translation>la clave debe ocupar una sola línea</translation>
    </message>
    <message>
        <source>the key is empty (to remove a key: tessarine-cli key clear %1)</source>
        <translation>la clave está vacía (para quitar una clave: tessarine-cli key clear %1)</translation>
    </message>
    <message>
        <source>the key could not be stored in %1</source>
        <translation>no se pudo guardar la clave en %1</translation>
    </message>
    <message>
        <source>Stored the key for %1 in %2.</source>
        <translation>Clave de %1 guardada en %2.</translation>
    </message>
    <message>
        <source>the key could not be removed from %1</source>
        <translation>no se pudo quitar la clave de %1</translation>
    </message>
    <message>
        <source>Cleared the key for %1.</source>
        <translation>Clave de %1 quitada.</translation>
    </message>
    <message>
        <source>no key needed</source>
        <translation>no hace falta clave</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>sin definir</translation>
    </message>
    <message>
        <source>set</source>
        <comment>a key is stored</comment>
        <translation>definida</translation>
    </message>
    <message>
        <source>Keys are kept in %1.</source>
        <translation>Las claves se guardan en %1.</translation>
    </message>
</context>
<context>
    <name>ts::cli::OpenCommand</name>
    <message>
        <source>Tessarine is not running and the tessarine program was not found</source>
        <translation>Tessarine no se está ejecutando y no se encontró el programa tessarine</translation>
    </message>
    <message>
        <source>could not start %1</source>
        <translation>no se pudo iniciar %1</translation>
    </message>
    <message>
        <source>Tessarine did not take the URL: %1</source>
        <translation>Tessarine no aceptó la URL: %1</translation>
    </message>
</context>
<context>
    <name>ts::cli::PromptsCommand</name>
    <message>
        <source>No saved prompts.</source>
        <translation>No hay instrucciones guardadas.</translation>
    </message>
    <message>
        <source>the instruction is empty</source>
        <translation>la instrucción está vacía</translation>
    </message>
    <message>
        <source>a prompt named &quot;%1&quot; exists already</source>
        <translation>ya existe una instrucción llamada «%1»</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>no se pudo escribir %1</translation>
    </message>
    <message>
        <source>Saved &quot;%1&quot;.</source>
        <translation>«%1» guardada.</translation>
    </message>
    <message>
        <source>no saved prompt named &quot;%1&quot;</source>
        <translation>no hay ninguna instrucción guardada llamada «%1»</translation>
    </message>
    <message>
        <source>the new name is empty</source>
        <translation>el nombre nuevo está vacío</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
</context>
<context>
    <name>ts::cli::ReviewCommand</name>
    <message>
        <source>the input is not UTF-8 text</source>
        <translation>la entrada no es texto UTF-8</translation>
    </message>
    <message>
        <source>the received message is empty: give TEXT or pipe it on standard input</source>
        <translation>el mensaje recibido está vacío: indica TEXTO o pásalo por la entrada estándar</translation>
    </message>
    <message>
        <source>the input is empty: give TEXT or pipe text on standard input</source>
        <translation>la entrada está vacía: indica TEXTO o pasa el texto por la entrada estándar</translation>
    </message>
    <message>
        <source>no saved prompt matches &quot;%1&quot;</source>
        <translation>ninguna instrucción guardada coincide con «%1»</translation>
    </message>
    <message>
        <source>the instruction is empty</source>
        <translation>la instrucción está vacía</translation>
    </message>
    <message>
        <source>Type or paste the text, then press Ctrl+D.</source>
        <translation>Escribe o pega el texto y pulsa Ctrl+D.</translation>
    </message>
</context>
<context>
    <name>ts::cli::StyleCommand</name>
    <message>
        <source>Cleared the style profile.</source>
        <translation>Se ha borrado el perfil de estilo.</translation>
    </message>
    <message>
        <source>Style profile: %1</source>
        <extracomment>The state of the style profile: none, on, or off (kept, not used).</extracomment>
        <translation>Perfil de estilo: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activado</translation>
    </message>
    <message>
        <source>off (kept, not used)</source>
        <translation>desactivado (se conserva, no se usa)</translation>
    </message>
    <message numerus="yes">
        <source>Inputs: %1, %n thumbed-up reviews (%2)</source>
        <translation>
            <numerusform>Entradas: %1, %n revisión con «Me gusta» (%2)</numerusform>
            <numerusform>Entradas: %1, %n revisiones con «Me gusta» (%2)</numerusform>
        </translation>
    </message>
</context>
</TS>
