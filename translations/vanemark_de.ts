<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>only one settings file may be named: &apos;%1&apos;</source>
        <translation>es darf nur eine Einstellungsdatei angegeben werden: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--record needs a file name</source>
        <translation>--record braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>--folder needs a folder name</source>
        <translation>--folder braucht einen Ordnernamen</translation>
    </message>
    <message>
        <source>--language needs a language code such as de or ru</source>
        <translation>--language braucht einen Sprachcode wie de oder ru</translation>
    </message>
    <message>
        <source>--snapshot needs a file name</source>
        <translation>--snapshot braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>--cycles needs a number</source>
        <translation>--cycles braucht eine Zahl</translation>
    </message>
    <message>
        <source>--cycles needs a whole number of at least 1, not &apos;%1&apos;</source>
        <translation>--cycles braucht eine ganze Zahl ab 1, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--user-folder and --folder cannot go together</source>
        <translation>--user-folder und --folder schließen einander aus</translation>
    </message>
    <message>
        <source>--cycles only goes with --snapshot</source>
        <translation>--cycles gibt es nur zusammen mit --snapshot</translation>
    </message>
    <message>
        <source>--web-port needs a port number from 1 to 65535, not &apos;%1&apos;</source>
        <translation>--web-port braucht eine Portnummer von 1 bis 65535, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Usage: %1 [SETTINGS-FILE] [--demo] [--snapshot FILE.png [--cycles N]] [--record FILE.csv] [--unlock]
       [--web-port PORT]
       [--user-folder | --folder DIR] [--language CODE] [--verbose] [--version] [--help]

An always-on-top instrument panel fed by a DeviceLink server.

  SETTINGS-FILE      settings file that names the layout file (default Vanemark.ini)
  --demo             show a synthetic motion instead of DeviceLink values
  --snapshot FILE    run N cycles, write the panel to FILE as PNG and exit
  --cycles N         cycles before the snapshot (default 3)
  --record FILE      record the flight into FILE as CSV from the start
  --unlock           start unlocked, whatever the settings file says
  --web-port PORT    serve the panel to browsers on PORT (this computer only,
                     unless the settings allow other computers)
  --user-folder      keep the files in the per-user folder (%2),
                     seeded with the shipped ones on first use
  --folder DIR       keep the files in DIR, seeded the same way
  --language CODE    interface language (de, ru, ...); en forces English
  --verbose          write the DeviceLink client&apos;s diagnostics to standard error
  --version          print the version and exit
  --help             print this help and exit
</source>
        <translation>Aufruf: %1 [EINSTELLUNGSDATEI] [--demo] [--snapshot DATEI.png [--cycles N]] [--record DATEI.csv] [--unlock]
       [--web-port PORT]
       [--user-folder | --folder ORDNER] [--language CODE] [--verbose] [--version] [--help]

Eine stets obenliegende Instrumententafel, gespeist von einem DeviceLink-Server.

  EINSTELLUNGSDATEI  Einstellungsdatei, die die Layoutdatei nennt (Vorgabe Vanemark.ini)
  --demo             zeigt eine künstliche Bewegung statt der DeviceLink-Werte
  --snapshot DATEI   führt N Zyklen aus, schreibt die Tafel als PNG in DATEI und endet
  --cycles N         Zyklen vor dem Schnappschuss (Vorgabe 3)
  --record DATEI     zeichnet den Flug von Anfang an als CSV in DATEI auf
  --unlock           startet gelöst, gleich was die Einstellungsdatei sagt
  --web-port PORT    zeigt die Anzeige Browsern am PORT (nur diesem Rechner,
                     außer die Einstellungen erlauben andere Rechner)
  --user-folder      hält die Dateien im Benutzerordner (%2),
                     beim ersten Start mit den mitgelieferten Dateien befüllt
  --folder ORDNER    hält die Dateien in ORDNER, ebenso befüllt
  --language CODE    Sprache der Oberfläche (de, ru, ...); en erzwingt Englisch
  --verbose          schreibt die Diagnose des DeviceLink-Clients in die Standardfehlerausgabe
  --version          gibt die Version aus und endet
  --help             gibt diese Hilfe aus und endet
</translation>
    </message>
</context>
<context>
    <name>CommandRow</name>
    <message>
        <source>Show or hide the window</source>
        <translation>Fenster zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Lock or unlock</source>
        <translation>Fixieren oder lösen</translation>
    </message>
    <message>
        <source>Start or stop recording</source>
        <translation>Aufzeichnung starten oder beenden</translation>
    </message>
    <message>
        <source>Scale up</source>
        <translation>Größer</translation>
    </message>
    <message>
        <source>Scale down</source>
        <translation>Kleiner</translation>
    </message>
    <message>
        <source>Show or hide hand markers</source>
        <translation>Handmarken zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Learn</source>
        <translation>Anlernen</translation>
    </message>
    <message>
        <source>Press the key combination now.</source>
        <translation>Drücken Sie jetzt die Tastenkombination.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Press the joystick button now.</source>
        <translation>Drücken Sie jetzt die Joystick-Taste.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>%1, hat %2 up</source>
        <translation>%1, Coolie-Hat %2 oben</translation>
    </message>
    <message>
        <source>%1, hat %2 right</source>
        <translation>%1, Coolie-Hat %2 rechts</translation>
    </message>
    <message>
        <source>%1, hat %2 down</source>
        <translation>%1, Coolie-Hat %2 unten</translation>
    </message>
    <message>
        <source>%1, hat %2 left</source>
        <translation>%1, Coolie-Hat %2 links</translation>
    </message>
    <message>
        <source>%1, button %2</source>
        <translation>%1, Taste %2</translation>
    </message>
</context>
<context>
    <name>FlightRecording</name>
    <message>
        <source>Cannot record the flight into %1</source>
        <translation>Der Flug kann nicht in %1 aufgezeichnet werden</translation>
    </message>
    <message>
        <source>The flight recording stopped: %1</source>
        <translation>Die Flugaufzeichnung wurde beendet: %1</translation>
    </message>
    <message>
        <source>Record flight</source>
        <translation>Flug aufzeichnen</translation>
    </message>
    <message>
        <source>Flight recordings (*.csv);;All files (*)</source>
        <translation>Flugaufzeichnungen (*.csv);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>LayoutEdit</name>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Einblenden</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Nach links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Nach rechts</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Voll</translation>
    </message>
    <message>
        <source>Dual</source>
        <translation>Zweiseitig</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>Joysticks cannot be read: %1</source>
        <translation>Joysticks können nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Joysticks: every bound device connected</source>
        <translation>Joysticks: jedes zugeordnete Gerät ist angeschlossen</translation>
    </message>
    <message>
        <source>Joystick not connected: %1</source>
        <translation>Joystick nicht angeschlossen: %1</translation>
    </message>
    <message>
        <source>this computer&apos;s address</source>
        <translation>die Adresse dieses Rechners</translation>
    </message>
    <message>
        <source>No reply for %1 s. Check that
- the simulator runs, with DeviceLink enabled;
- its conf.ini has, in section [DeviceLink]:
    port=%2
    host=%3
    IPS=%4
  port equal to ours; host the address we send to (without it the simulator
  listens on the machine&apos;s network address, not on 127.0.0.1); IPS listing
  our address (several separated by spaces).</source>
        <translation>Seit %1 s keine Antwort. Bitte prüfen:
- Der Simulator läuft, mit eingeschaltetem DeviceLink.
- Seine conf.ini enthält im Abschnitt [DeviceLink]:
    port=%2
    host=%3
    IPS=%4
  port gleich dem unseren; host die Adresse, an die wir senden (ohne sie lauscht
  der Simulator auf der Netzwerkadresse des Rechners, nicht auf 127.0.0.1); IPS
  mit unserer Adresse (mehrere durch Leerzeichen getrennt).</translation>
    </message>
    <message>
        <source>Demo motion: DeviceLink values are not shown</source>
        <translation>Demobewegung: DeviceLink-Werte werden nicht gezeigt</translation>
    </message>
    <message>
        <source>DeviceLink server %1:%2</source>
        <translation>DeviceLink-Server %1:%2</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Waiting for the simulator</source>
        <translation>Warte auf den Simulator</translation>
    </message>
    <message>
        <source>Aircraft: %1</source>
        <translation>Flugzeug: %1</translation>
    </message>
    <message>
        <source>Last reply: %1 s ago</source>
        <translation>Letzte Antwort: vor %1 s</translation>
    </message>
    <message>
        <source>Last reply: none yet</source>
        <translation>Letzte Antwort: noch keine</translation>
    </message>
    <message>
        <source>Replies per second: %1</source>
        <translation>Antworten pro Sekunde: %1</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>flaps</source>
        <translation>Klappen</translation>
    </message>
    <message>
        <source>stick x</source>
        <translation>Knüppel x</translation>
    </message>
    <message>
        <source>stick y</source>
        <translation>Knüppel y</translation>
    </message>
    <message>
        <source>rudder</source>
        <translation>Seitenruder</translation>
    </message>
    <message>
        <source>pitch</source>
        <translation>Längsneigung</translation>
    </message>
    <message>
        <source>bank</source>
        <translation>Querneigung</translation>
    </message>
    <message>
        <source>propeller pitch</source>
        <translation>Propellersteigung</translation>
    </message>
    <message>
        <source>brakes</source>
        <translation>Bremsen</translation>
    </message>
    <message>
        <source>heading</source>
        <translation>Kurs</translation>
    </message>
    <message>
        <source>aileron trim</source>
        <translation>Quertrimmung</translation>
    </message>
    <message>
        <source>elevator trim</source>
        <translation>Höhentrimmung</translation>
    </message>
    <message>
        <source>rudder trim</source>
        <translation>Seitentrimmung</translation>
    </message>
    <message>
        <source>Key table %1: no key could be read, so nothing is asked for</source>
        <translation>Schlüsseltabelle %1: kein Schlüssel lesbar, daher wird nichts abgefragt</translation>
    </message>
    <message>
        <source>Not in the key table %1, never asked for: %2</source>
        <translation>Nicht in der Schlüsseltabelle %1, nie abgefragt: %2</translation>
    </message>
    <message>
        <source>Not sent by the simulator: %1</source>
        <translation>Vom Simulator nicht gesendet: %1</translation>
    </message>
    <message>
        <source> (online mission?)</source>
        <translation> (Online-Mission?)</translation>
    </message>
    <message>
        <source>Cannot start: %1; trying again every few seconds</source>
        <translation>Start nicht möglich: %1; neuer Versuch alle paar Sekunden</translation>
    </message>
    <message>
        <source>Not in the cockpit: the simulator answers only its clock</source>
        <translation>Nicht im Cockpit: der Simulator antwortet nur mit seiner Uhr</translation>
    </message>
</context>
<context>
    <name>Simulator</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: in a battle (%2)</source>
        <translation>%1: im Gefecht (%2)</translation>
    </message>
    <message>
        <source>%1: not in a battle (%2)</source>
        <translation>%1: nicht im Gefecht (%2)</translation>
    </message>
    <message>
        <source>DeviceLink (IL-2 1946)</source>
        <translation>DeviceLink (IL-2 1946)</translation>
    </message>
    <message>
        <source>IL-2 Great Battles</source>
        <translation>IL-2 Great Battles</translation>
    </message>
    <message>
        <source>X-Plane</source>
        <translation>X-Plane</translation>
    </message>
    <message>
        <source>FlightGear</source>
        <translation>FlightGear</translation>
    </message>
    <message>
        <source>War Thunder</source>
        <translation>War Thunder</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>%1: cannot listen on UDP port %2: %3</source>
        <translation>%1: am UDP-Port %2 kann nicht gelauscht werden: %3</translation>
    </message>
    <message>
        <source>%1: receiving on UDP port %2</source>
        <translation>%1: Empfang am UDP-Port %2</translation>
    </message>
    <message>
        <source>%1: nothing received on UDP port %2; are the motion and telemetry devices enabled in data/startup.cfg?</source>
        <translation>%1: am UDP-Port %2 kommt nichts an; sind motiondevice und telemetrydevice in data/startup.cfg eingeschaltet?</translation>
    </message>
    <message>
        <source>%1: nothing received on UDP port %2; was FlightGear started with --generic=socket,out,30,127.0.0.1,%2,udp,vanemark?</source>
        <translation>%1: am UDP-Port %2 kommt nichts an; wurde FlightGear mit --generic=socket,out,30,127.0.0.1,%2,udp,vanemark gestartet?</translation>
    </message>
    <message>
        <source>%1: cannot open a UDP port: %2</source>
        <translation>%1: kein UDP-Port kann geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1: cannot ask %2 port %3: %4</source>
        <translation>%1: %2 Port %3 kann nicht gefragt werden: %4</translation>
    </message>
    <message>
        <source>%1: receiving from %2 port %3</source>
        <translation>%1: Empfang von %2 Port %3</translation>
    </message>
    <message>
        <source>%1: no answer from %2 port %3</source>
        <translation>%1: keine Antwort von %2 Port %3</translation>
    </message>
</context>
<context>
    <name>vanemark</name>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>Die Initialisierung der Windows-Sockets ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>This system names no per-user configuration folder.</source>
        <translation>Dieses System nennt keinen Konfigurationsordner für den Benutzer.</translation>
    </message>
    <message>
        <source>Cannot work in the folder %1: %2</source>
        <translation>Im Ordner %1 kann nicht gearbeitet werden: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden: %2.</translation>
    </message>
</context>
<context>
    <name>vanemark::CColorPage</name>
    <message>
        <source>Colors:</source>
        <translation>Farben:</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Hintergrund:</translation>
    </message>
    <message>
        <source>Instruments:</source>
        <translation>Instrumente:</translation>
    </message>
    <message>
        <source>Flaps positions:</source>
        <translation>Klappenstellungen:</translation>
    </message>
    <message>
        <source>Pitch:</source>
        <translation>Längsneigung:</translation>
    </message>
    <message>
        <source>Stick:</source>
        <translation>Steuerknüppel:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the panel font</source>
        <translation>Schrift der Tafel wählen</translation>
    </message>
    <message>
        <source>Show window title</source>
        <translation>Fenstertitel anzeigen</translation>
    </message>
    <message>
        <source>%1, %2 pt</source>
        <translation>%1, %2 pt</translation>
    </message>
    <message>
        <source>Panel font</source>
        <translation>Schrift der Tafel</translation>
    </message>
</context>
<context>
    <name>vanemark::CColourButton</name>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>More Colors...</source>
        <translation>Weitere Farben...</translation>
    </message>
</context>
<context>
    <name>vanemark::CCommandsPage</name>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Key combination</source>
        <translation>Tastenkombination</translation>
    </message>
    <message>
        <source>Joystick button</source>
        <translation>Joystick-Taste</translation>
    </message>
    <message>
        <source>Vanemark only reads joystick buttons: a button the game uses works in the game too.</source>
        <translation>Vanemark liest Joystick-Tasten nur: eine Taste, die das Spiel nutzt, wirkt auch im Spiel.</translation>
    </message>
    <message>
        <source>Joysticks cannot be read: %1</source>
        <translation>Joysticks können nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>%1 now runs &quot;%2&quot;.</source>
        <translation>%1 führt jetzt „%2“ aus.</translation>
    </message>
    <message>
        <source>No button was pressed.</source>
        <translation>Es wurde keine Taste gedrückt.</translation>
    </message>
    <message>
        <source>Global hotkeys are unavailable: %1</source>
        <translation>Globale Tastenkürzel sind nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: press the button now (%2 s)</source>
        <translation>%1: jetzt die Taste drücken (%2 s)</translation>
    </message>
</context>
<context>
    <name>vanemark::CControlsPage</name>
    <message>
        <source>Control</source>
        <translation>Bedienelement</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>Achse</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Stellung</translation>
    </message>
    <message>
        <source>Panel shows</source>
        <translation>Tafel zeigt</translation>
    </message>
    <message>
        <source>%1 now follows %2.</source>
        <translation>%1 folgt jetzt %2.</translation>
    </message>
    <message>
        <source>No control moved.</source>
        <translation>Kein Bedienelement wurde bewegt.</translation>
    </message>
    <message>
        <source>%1: move the control now (%2 s)</source>
        <translation>%1: jetzt das Bedienelement bewegen (%2 s)</translation>
    </message>
    <message>
        <source>Joysticks cannot be read: %1. The bindings stay as they are.</source>
        <translation>Joysticks können nicht gelesen werden: %1. Die Zuordnungen bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>No joystick is attached.</source>
        <translation>Kein Joystick angeschlossen.</translation>
    </message>
    <message>
        <source>Stick X</source>
        <translation>Knüppel X</translation>
    </message>
    <message>
        <source>Stick Y</source>
        <translation>Knüppel Y</translation>
    </message>
    <message>
        <source>Rudder</source>
        <translation>Seitenruder</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Propeller pitch</source>
        <translation>Propellersteigung</translation>
    </message>
    <message>
        <source>Brakes</source>
        <translation>Bremsen</translation>
    </message>
    <message>
        <source>Aileron trim</source>
        <translation>Quertrimmung</translation>
    </message>
    <message>
        <source>Elevator trim</source>
        <translation>Höhentrimmung</translation>
    </message>
    <message>
        <source>Rudder trim</source>
        <translation>Seitentrimmung</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Umkehren</translation>
    </message>
    <message>
        <source>Learn</source>
        <translation>Anlernen</translation>
    </message>
    <message>
        <source>Move the control now: the axis that moves furthest within 3 seconds is bound.</source>
        <translation>Jetzt das Bedienelement bewegen: die Achse, die sich binnen 3 Sekunden am weitesten bewegt, wird zugeordnet.</translation>
    </message>
    <message>
        <source>Simulator</source>
        <translation>Simulator</translation>
    </message>
    <message>
        <source>Joystick</source>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Both</source>
        <translation>Beide</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>%1, axis %2</source>
        <translation>%1, Achse %2</translation>
    </message>
    <message>
        <source>%1, axis %2 (not connected)</source>
        <translation>%1, Achse %2 (nicht verbunden)</translation>
    </message>
</context>
<context>
    <name>vanemark::CGeneralPage</name>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Localhost:</source>
        <translation>Lokale Adresse:</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Update Interval:</source>
        <translation>Aktualisierungsintervall:</translation>
    </message>
    <message>
        <source>Please enter a server address without blanks, tabs, commas, equals signs or #.</source>
        <translation>Bitte eine Serveradresse ohne Leerzeichen, Tabulatoren, Kommas, Gleichheitszeichen oder # eingeben.</translation>
    </message>
    <message>
        <source>Please enter a local address without blanks, tabs, commas, equals signs or #.</source>
        <translation>Bitte eine lokale Adresse ohne Leerzeichen, Tabulatoren, Kommas, Gleichheitszeichen oder # eingeben.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte eine ganze Zahl zwischen %1 und %2 eingeben.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte eine ganze Zahl eingeben.</translation>
    </message>
    <message>
        <source>Please enter a positive integer.</source>
        <translation>Bitte eine positive ganze Zahl eingeben.</translation>
    </message>
    <message>
        <source>Automatic listens for every simulator at once and shows whichever answers.</source>
        <translation>Automatisch lauscht auf alle Simulatoren zugleich und zeigt den, der antwortet.</translation>
    </message>
    <message>
        <source>Simulator:</source>
        <translation>Simulator:</translation>
    </message>
</context>
<context>
    <name>vanemark::CSettingsDlg</name>
    <message>
        <source>Settings:</source>
        <translation>Einstellungen:</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Color settings</source>
        <translation>Farbeinstellungen</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>Controls</source>
        <translation>Steuerung</translation>
    </message>
    <message>
        <source>Web panel</source>
        <translation>Tafel im Browser</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
</context>
<context>
    <name>vanemark::CSettingsPage</name>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>vanemark::CVanemarkDlg</name>
    <message>
        <source>Edit layout</source>
        <translation>Layout bearbeiten</translation>
    </message>
    <message>
        <source>Save the changes to the layout?</source>
        <translation>Änderungen am Layout speichern?</translation>
    </message>
    <message>
        <source>Save layout</source>
        <translation>Layout speichern</translation>
    </message>
    <message>
        <source>Save layout for %1</source>
        <translation>Layout für %1 speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>vanemark::CWebPanelPage</name>
    <message>
        <source>Serve the panel to browsers</source>
        <translation>Die Tafel für Browser bereitstellen</translation>
    </message>
    <message>
        <source>For OBS&apos;s browser source, a tablet or a second computer.</source>
        <translation>Für die Browserquelle von OBS, ein Tablet oder einen zweiten Rechner.</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Allow other computers</source>
        <translation>Andere Rechner zulassen</translation>
    </message>
    <message>
        <source>Any computer on your network can then see the panel and its values (read-only).</source>
        <translation>Dann kann jeder Rechner im Netzwerk die Tafel und ihre Werte sehen (nur lesend).</translation>
    </message>
    <message>
        <source>For OBS: add ?bg=transparent; ?scale=2 for a larger picture.</source>
        <translation>Für OBS: ?bg=transparent anhängen; ?scale=2 für ein größeres Bild.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>The panel cannot be served: %1. The window runs on without it.</source>
        <translation>Die Tafel kann nicht bereitgestellt werden: %1. Das Fenster läuft ohne sie weiter.</translation>
    </message>
    <message>
        <source>The panel is not being served. Apply tries again.</source>
        <translation>Die Tafel wird nicht bereitgestellt. Übernehmen versucht es erneut.</translation>
    </message>
    <message>
        <source>Browsers find the panel at:</source>
        <translation>Browser finden die Tafel unter:</translation>
    </message>
</context>
<context>
    <name>vanemark::CWindowPage</name>
    <message>
        <source> x</source>
        <translation> x</translation>
    </message>
    <message>
        <source>Every panel pixel is shown as a square of this many screen pixels.</source>
        <translation>Jedes Pixel der Tafel wird als Quadrat aus so vielen Bildschirmpixeln gezeigt.</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>How opaque the whole window is. Needs a desktop with a compositor; without one the window stays opaque.</source>
        <translation>Wie deckend das ganze Fenster ist. Braucht eine Arbeitsfläche mit Compositor; ohne ihn bleibt das Fenster deckend.</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>mph</translation>
    </message>
    <message>
        <source>knots</source>
        <translation>Knoten</translation>
    </message>
    <message>
        <source>Hide when not flying</source>
        <translation>Ausblenden, wenn nicht geflogen wird</translation>
    </message>
    <message>
        <source>While the simulator does not answer, only the tray icon shows. Never in demo mode.</source>
        <translation>Solange der Simulator nicht antwortet, ist nur das Symbol im Infobereich zu sehen. Nie im Demomodus.</translation>
    </message>
    <message>
        <source>This desktop has no system tray to bring a hidden window back.</source>
        <translation>Diese Arbeitsfläche hat keinen Infobereich, über den ein ausgeblendetes Fenster zurückkäme.</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>Vergrößerung:</translation>
    </message>
    <message>
        <source>Opacity:</source>
        <translation>Deckkraft:</translation>
    </message>
    <message>
        <source>Speed unit:</source>
        <translation>Geschwindigkeitseinheit:</translation>
    </message>
</context>
<context>
    <name>vanemark::CommandInput</name>
    <message>
        <source>%1 is not a key combination</source>
        <translation>%1 ist keine Tastenkombination</translation>
    </message>
    <message>
        <source>%1 is taken</source>
        <translation>%1 ist belegt</translation>
    </message>
    <message>
        <source>%1 cannot be bound on this desktop</source>
        <translation>%1 kann auf diesem Desktop nicht belegt werden</translation>
    </message>
</context>
<context>
    <name>vanemark::GlobalHotkeys</name>
    <message>
        <source>This desktop offers no global hotkeys.</source>
        <translation>Dieser Desktop bietet keine globalen Tastenkürzel.</translation>
    </message>
</context>
<context>
    <name>vanemark::WindowCommands</name>
    <message>
        <source>Unlock</source>
        <translation>Lösen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>Record flight...</source>
        <translation>Flug aufzeichnen...</translation>
    </message>
    <message>
        <source>Lock in place</source>
        <translation>Fixieren</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so a locked window could not be unlocked.</source>
        <translation>Diese Arbeitsfläche hat keinen Infobereich; ein fixiertes Fenster ließe sich nicht wieder lösen.</translation>
    </message>
    <message>
        <source>Edit layout</source>
        <translation>Layout bearbeiten</translation>
    </message>
    <message>
        <source>Show hand markers</source>
        <translation>Handmarken zeigen</translation>
    </message>
    <message>
        <source>Hide window</source>
        <translation>Fenster verbergen</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Fenster zeigen</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so a hidden window could not be shown.</source>
        <translation>Dieser Desktop hat keinen Infobereich, ein verborgenes Fenster könnte also nicht wieder gezeigt werden.</translation>
    </message>
</context>
</TS>
