<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>AnalysisSheet</name>
    <message>
        <location filename="../src/sheets/analysissheet.cpp" line="+18"/>
        <source>Schuss: %1</source>
        <translation>Shot: %1</translation>
    </message>
</context>
<context>
    <name>Calibre</name>
    <message>
        <location filename="../src/windows/shared/calibre.cpp" line="+19"/>
        <source>Kaliber (Durchmesser des Geschosses) für %1 in mm:</source>
        <translation>Calibre (diameter of the projectile) for %1 in mm:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kaliber</source>
        <translation>Calibre</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bitte ein Kaliber von 1 bis 20 mm eingeben, zum Beispiel „4,5“.</source>
        <translation>Please enter a calibre from 1 to 20 mm, for example “4.5”.</translation>
    </message>
</context>
<context>
    <name>CallFigures</name>
    <message>
        <location filename="../src/sheets/calltrend.cpp" line="+131"/>
        <source>Ihre Ansagen lagen im letzten Training seltener in der Ansage: %2 % statt %3 %.</source>
        <translation>In your last training your hits lay inside the call less often: %2 % instead of %3 %.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ihre Ansagen lagen im letzten Training häufiger in der Ansage: %2 % statt %3 %.</source>
        <translation>In your last training your hits lay inside the call more often: %2 % instead of %3 %.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ihre Ansagen liegen seit %1 Trainings seltener in der Ansage: %2 % statt %3 %.</source>
        <translation>For %1 trainings your hits have lain inside the call less often: %2 % instead of %3 %.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ihre Ansagen liegen seit %1 Trainings häufiger in der Ansage: %2 % statt %3 %.</source>
        <translation>For %1 trainings your hits have lain inside the call more often: %2 % instead of %3 %.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 Schüsse mit Ansage, %2 % in der Ansage, Genauigkeit %3 mm (%4 Ringe), Versatz %5 (%6), verloren %7 im Halten und %8 beim Schuss</source>
        <translation>%1 shots with a call, %2 % inside the call, accuracy %3 mm (%4 rings), offset %5 (%6), lost %7 in the hold and %8 at the break</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>stetig</source>
        <translation>steady</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zufall</source>
        <translation>chance</translation>
    </message>
</context>
<context>
    <name>CallFinding</name>
    <message>
        <location filename="../src/sheets/callfinding.cpp" line="+79"/>
        <source>Visier oder Ansage korrigieren: im Mittel %1.</source>
        <translation>Correct the sight or the call: on average %1.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Die Treffer verlassen die Ansagen meist nach %1. Mögliche Ursachen: %2.</source>
        <translation>The hits mostly leave their calls towards %1. Possible causes: %2.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Abzug: %1 der %2 verlorenen Ringe gehen beim Schuss verloren, die Treffer streuen um die Ansagen.</source>
        <translation>Trigger: %1 of the %2 rings lost are lost at the break; the hits scatter around the calls.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Halten: %1 der %2 verlorenen Ringe gehen schon im Halten verloren, die Ansagen selbst liegen unter 10,9.</source>
        <translation>Hold: %1 of the %2 rings lost are lost in the hold already; the calls themselves lie below 10.9.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Ansagen und Treffer stimmen überein: %1 % der Treffer liegen in der Ansage.</source>
        <translation>Calls and hits agree: %1 % of the hits lie inside the call.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Zu wenige angesagte Schüsse für einen Befund: %1 von %2.</source>
        <translation>Too few called shots for a finding: %1 of %2.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>hoch</source>
        <translation>high</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>hoch rechts</source>
        <translation>high right</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>rechts</source>
        <translation>right</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>tief rechts</source>
        <translation>low right</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>tief</source>
        <translation>low</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>tief links</source>
        <translation>low left</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>links</source>
        <translation>left</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>hoch links</source>
        <translation>high left</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Rückstoß vorweggenommen, das Handgelenk bricht nach oben</source>
        <translation>recoil anticipated, the wrist breaks upwards</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>der Handballen drückt beim Schuss</source>
        <translation>the heel of the hand pushes as the shot breaks</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>zu wenig Finger am Abzug</source>
        <translation>too little finger on the trigger</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>der Daumen drückt, der Abzug wird geschnappt</source>
        <translation>the thumb pushes, the trigger is snatched</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rückstoß vorweggenommen, das Handgelenk knickt nach unten</source>
        <translation>recoil anticipated, the wrist breaks downwards</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Abzug gerissen, die Hand drückt beim Schuss zu</source>
        <translation>the trigger is jerked, the hand tightens as the shot breaks</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>zu viel Finger am Abzug</source>
        <translation>too much finger on the trigger</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ellbogen oder Handgelenk lockern sich beim Schuss</source>
        <translation>elbow or wrist relax as the shot breaks</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 (bei Rechtshändern; bei Linkshändern seitenverkehrt)</source>
        <translation>%1 (for right-handers; mirrored for left-handers)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>der Abzugsfinger drückt seitlich, das Gewehr ist verkantet</source>
        <translation>the trigger finger pushes sideways, the rifle is canted</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>die Atmung steht nicht gleich, Wangen- oder Schulterdruck wechselt</source>
        <translation>the breath is not held the same, the pressure of cheek or shoulder changes</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
</context>
<context>
    <name>CallingTraining</name>
    <message>
        <location filename="../src/sheets/callingtraining.cpp" line="+23"/>
        <source>Ziel: %1 von %2 Schüssen in der Ansage</source>
        <translation>Goal: %1 of %2 shots in the call</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Serie %1: %2 von %3 in der Ansage – Ziel erreicht</source>
        <translation>Series %1: %2 of %3 in the call – goal reached</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Serie %1: %2 von %3 in der Ansage – Ziel verfehlt</source>
        <translation>Series %1: %2 of %3 in the call – goal missed</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Serie %1: noch kein Schuss angesagt</source>
        <translation>Series %1: no shot called yet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Serie %1: %2 von %3 Schüssen angesagt, die Treffer folgen nach der Serie</source>
        <translation>Series %1: %2 of %3 shots called, the hits follow after the series</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Serie %1: bisher %2 von %3 in der Ansage</source>
        <translation>Series %1: so far %2 of %3 in the call</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Ziel %1 von %2 in der Ansage: in %3 von %4 Serien erreicht.</source>
        <translation>Goal %1 of %2 in the call: reached in %3 of %4 series.</translation>
    </message>
</context>
<context>
    <name>Camera</name>
    <message>
        <location filename="../src/platform/opencvcamera.cpp" line="+118"/>
        <source>„%1“ gibt es nicht.</source>
        <translation>“%1” does not exist.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>„%1“ ist weder ein Bild noch ein Video.</source>
        <translation>“%1” is neither a picture nor a video.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Die Kamera %1 gibt es nicht.</source>
        <translation>There is no camera %1.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Die Kamera %1 lässt sich nicht öffnen.</source>
        <translation>Camera %1 cannot be opened.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Die Kamera %1 liefert keine Bilder.</source>
        <translation>Camera %1 delivers no pictures.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Im Ordner „%1“ sind keine Bilder (jpg, jpeg, png, bmp).</source>
        <translation>The folder “%1” holds no pictures (jpg, jpeg, png, bmp).</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>Kamera %1</source>
        <translation>Camera %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bilder: %1</source>
        <translation>Pictures: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Bild: %1</source>
        <translation>Picture: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Video: %1</source>
        <translation>Video: %1</translation>
    </message>
</context>
<context>
    <name>Club</name>
    <message>
        <location filename="../src/services/club.cpp" line="+12"/>
        <source>Verein: verbunden</source>
        <translation>Club: connected</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verein: nicht verbunden</source>
        <translation>Club: not connected</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 – 1 Serie wartet</source>
        <translation>%1 – 1 series waiting</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 – %2 Serien warten</source>
        <translation>%1 – %2 series waiting</translation>
    </message>
</context>
<context>
    <name>ClubCommand</name>
    <message>
        <location filename="../src/app/clubcommand.cpp" line="+41"/>
        <source>Eine Anmeldung ohne Passwort wird nicht angelegt; bitte das Passwort über die Standardeingabe geben.</source>
        <translation>A login without a password is not created; please give the password on standard input.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Passwort für „%1“: </source>
        <translation>Password for “%1”: </translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Die beiden Passwörter stimmen nicht überein; nichts geändert.</source>
        <translation>The two passwords do not match; nothing changed.</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>
Noch einmal: </source>
        <translation>
Once more: </translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Die Tabellen des Vereins sind auf dem Stand (Version %1); nichts geändert.</source>
        <translation>The club’s tables are up to date (version %1); nothing changed.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Die Tabellen und Rollen des Vereins sind eingerichtet (Version %1).</source>
        <translation>The club’s tables and roles are set up (version %1).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Die Tabellen des Vereins sind von Version %1 auf Version %2 gebracht.</source>
        <translation>The club’s tables were brought from version %1 to version %2.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Die Anmeldung „%1“ für einen Trainer ist eingerichtet.</source>
        <translation>The coach login “%1” is set up.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Die Anmeldung „%1“ für einen Schützen ist eingerichtet.</source>
        <translation>The shooter login “%1” is set up.</translation>
    </message>
</context>
<context>
    <name>ClubConnection</name>
    <message>
        <location filename="../src/services/clubaddress.cpp" line="+150"/>
        <source>Sie beginnt nicht mit postgresql://.</source>
        <translation>It does not begin with postgresql://.</translation>
    </message>
    <message>
        <location line="-103"/>
        <source>Bitte nur einen Server angeben.</source>
        <translation>Please give only one server.</translation>
    </message>
    <message>
        <location line="-27"/>
        <source>Die Adresse des Vereinsservers ist keine gültige Verbindungs-URI: %1</source>
        <translation>The club server’s address is not a valid connection URI: %1</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Die IPv6-Adresse ist nicht geschlossen.</source>
        <translation>The IPv6 address is not closed.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Der Parameter „%1“ ist unbekannt.</source>
        <translation>The parameter “%1” is unknown.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Der Wert von „%1“ enthält ein Semikolon.</source>
        <translation>The value of “%1” contains a semicolon.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Der Port „%1“ ist keine Zahl von 1 bis 65535.</source>
        <translation>The port “%1” is not a number from 1 to 65535.</translation>
    </message>
    <message>
        <location filename="../src/platform/clubconnection.cpp" line="+50"/>
        <source>Der Vereinsserver lehnt die Anmeldung ab: Benutzername oder Passwort stimmen nicht.</source>
        <translation>The club server refuses the login: user name or password is wrong.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Die Datenbank gibt es auf dem Vereinsserver nicht.</source>
        <translation>The database does not exist on the club server.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Der Vereinsserver bietet keine verschlüsselte Verbindung (TLS) an.</source>
        <translation>The club server offers no encrypted connection (TLS).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Das Zertifikat des Vereinsservers lässt sich nicht prüfen: Es ist ungültig, abgelaufen oder nicht vertrauenswürdig.</source>
        <translation>The club server’s certificate cannot be verified: it is invalid, expired or not trusted.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Der Vereinsserver verweigert das: Der Anmeldung fehlt die Berechtigung.</source>
        <translation>The club server refuses this: the login lacks the permission.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Die Verbindung zum Vereinsserver ist abgebrochen.</source>
        <translation>The connection to the club server broke off.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Der Vereinsserver ist nicht erreichbar: Bitte Adresse, Port und Netzwerk prüfen.</source>
        <translation>The club server cannot be reached: please check address, port and network.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Der Vereinsserver meldet einen Fehler: %1</source>
        <translation>The club server reports an error: %1</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Der Vereinsserver antwortet nicht.</source>
        <translation>The club server does not answer.</translation>
    </message>
</context>
<context>
    <name>ClubSchema</name>
    <message>
        <location filename="../src/platform/clubschema.cpp" line="+144"/>
        <source>Die Tabellen auf dem Vereinsserver haben die Version %1, dieses Programm kennt nur Version %2. Bitte Ankerblick auf eine neuere Version aktualisieren; auf den Server wird nichts geschrieben.</source>
        <translation>The tables on the club server have version %1; this program knows only version %2. Please update Ankerblick to a newer version; nothing is written to the server.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Die Tabellen auf dem Vereinsserver sind nicht eingerichtet oder veraltet (Version %1). Der Verwalter richtet sie mit ankerblick --verein-einrichten ein.</source>
        <translation>The tables on the club server are not set up or out of date (version %1). The administrator sets them up with ankerblick --verein-einrichten.</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Bitte einen Namen für die Anmeldung angeben.</source>
        <translation>Please give a name for the login.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Der Name „%1“ taugt nicht als Anmeldung: bitte nur Kleinbuchstaben a–z, Ziffern, „_“, „.“ und „-“, mit einem Buchstaben vorn, höchstens 63 Zeichen.</source>
        <translation>The name “%1” will not do as a login: please use only lower-case letters a–z, digits, “_”, “.” and “-”, beginning with a letter, at most 63 characters.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Der Name „%1“ ist dem Server oder Ankerblick vorbehalten.</source>
        <translation>The name “%1” is reserved for the server or Ankerblick.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Eine Anmeldung ohne Passwort wird nicht angelegt.</source>
        <translation>A login without a password is not created.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Die Rolle „%1“ gibt es auf dem Server schon, aber nicht als Anmeldung des Vereins; sie wird nicht verändert.</source>
        <translation>The role “%1” already exists on the server, but not as a login of the club; it is left unchanged.</translation>
    </message>
</context>
<context>
    <name>CoachSheet</name>
    <message>
        <location filename="../src/sheets/coachsheet.cpp" line="+65"/>
        <source>Anmeldung</source>
        <translation>Login</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Trainings</source>
        <translation>Trainings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Neuestes Training</source>
        <translation>Latest training</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Letzte Serie</source>
        <translation>Last series</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+51"/>
        <source>Mittel</source>
        <translation>Mean</translation>
    </message>
    <message>
        <location line="-49"/>
        <location line="+51"/>
        <source>Ansagen 10 %</source>
        <translation>Calls 10 %</translation>
    </message>
    <message>
        <location line="-32"/>
        <source>noch keins</source>
        <translation>none yet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 (läuft)</source>
        <translation>%1 (running)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Beginn</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Disziplin</source>
        <translation>Discipline</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stand</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Serien</source>
        <translation>Series</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Seriensummen</source>
        <translation>Series totals</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sek*mm</source>
        <translation>Sec*mm</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Trefferlage</source>
        <translation>Mean point of impact</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ansagefehler</source>
        <translation>Call error</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>beendet</source>
        <translation>finished</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>läuft</source>
        <translation>running</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/sheets/commandline.cpp" line="+16"/>
        <source>Name des Schützen; die Frage nach dem Namen entfällt.</source>
        <translation>The shooter’s name; the program does not ask for it.</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+66"/>
        <location line="+11"/>
        <source>Name</source>
        <translation>name</translation>
    </message>
    <message>
        <location line="-70"/>
        <source>Bietet diesen seriellen Anschluss (z. B. /dev/ttyUSB0) zusätzlich für die elektronische Scheibe an; auch mehrmals.</source>
        <translation>Offers this serial port (e.g. /dev/ttyUSB0) for the electronic target as well; may be repeated.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Anschluss</source>
        <translation>port</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Bietet diese Scheibe, die ihre Schüsse als JSON sendet, zusätzlich an: tcp://HOST:PORT oder serial:PFAD; auch mehrmals.</source>
        <translation>Also offers this target that sends its shots as JSON: tcp://HOST:PORT or serial:PATH; may be repeated.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Adresse</source>
        <translation>address</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Bietet diese Quelle (Kamera wie /dev/video2, Videodatei oder Ordner mit Bildern) zusätzlich als Kamera an; auch mehrmals.</source>
        <translation>Offers this source (a camera such as /dev/video2, a video file or a folder of pictures) as a camera as well; may be repeated.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Quelle</source>
        <translation>source</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Sendet das Trainingstagebuch an den Vereinsserver dieser Verbindungs-URI (postgresql://benutzer@server/datenbank); das Passwort kommt aus dem Schlüsselbund, aus ~/.pgpass oder PGPASSWORD.</source>
        <translation>Sends the training diary to the club server at this connection URI (postgresql://user@server/database); the password comes from the keyring, from ~/.pgpass or PGPASSWORD.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Richtet die Tabellen und Rollen des Vereins auf dem PostgreSQL-Server ein oder bringt sie auf den neuen Stand; URL ist die Verbindungs-URI des Eigentümers der Datenbank (postgresql://benutzer@server/datenbank).</source>
        <translation>Sets up the club’s tables and roles on the PostgreSQL server or brings them up to date; URL is the connection URI of the database’s owner (postgresql://user@server/database).</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Mit --verein-einrichten: legt die Anmeldung eines Schützen an (oder gibt ihr ein neues Passwort); das Passwort kommt von der Standardeingabe.</source>
        <translation>With --verein-einrichten: creates a shooter’s login (or gives it a new password); the password comes from standard input.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Mit --verein-einrichten: legt die Anmeldung eines Trainers an, der die Trainings aller Schützen lesen darf; das Passwort kommt von der Standardeingabe.</source>
        <translation>With --verein-einrichten: creates the login of a coach, who may read the trainings of all shooters; the password comes from standard input.</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Abkommenstraining für Sportschützen: Abkommen und Treffer jedes Schusses erfassen, werten und vergleichen.</source>
        <translation>Shot-calling training for sport shooters: record, score and compare the call and the hit of every shot.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>datei</source>
        <translation>file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Seriendatei, die nach dem Start geöffnet wird.</source>
        <translation>Series file opened after the start.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>[datei]</source>
        <translation>[file]</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>--verein-schuetze und --verein-trainer gehören zu --verein-einrichten URL.
</source>
        <translation>--verein-schuetze and --verein-trainer go with --verein-einrichten URL.
</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Bitte --verein-einrichten nur einmal angeben.
</source>
        <translation>Please give --verein-einrichten only once.
</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Bitte je Aufruf höchstens eine Anmeldung anlegen.
</source>
        <translation>Please create at most one login per call.
</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--verein-einrichten steht für sich; ohne Seriendatei, Name, Anschluss oder Kamera.
</source>
        <translation>--verein-einrichten stands alone; without series file, name, port or camera.
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Bitte kein Passwort in die Adresse nach --verein-einrichten schreiben: Jeder Benutzer des Rechners kann sie lesen. Das Passwort des Eigentümers kommt aus ~/.pgpass oder PGPASSWORD.
</source>
        <translation>Please do not write a password into the address after --verein-einrichten: every user of the computer can read it. The owner’s password comes from ~/.pgpass or PGPASSWORD.
</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1
Mit --help werden alle Optionen gezeigt.
</source>
        <translation>%1
--help shows all options.
</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Bitte höchstens eine Seriendatei angeben.
</source>
        <translation>Please give at most one series file.
</translation>
    </message>
    <message>
        <location line="-131"/>
        <source>--scheibe %1: bitte tcp://HOST:PORT oder serial:PFAD angeben.
</source>
        <translation>--scheibe %1: please give tcp://HOST:PORT or serial:PATH.
</translation>
    </message>
    <message>
        <location line="+151"/>
        <source>Bitte kein Passwort in die Adresse nach --verein schreiben: Jeder Benutzer des Rechners kann sie lesen. Das Passwort kommt aus dem Schlüsselbund, aus ~/.pgpass oder PGPASSWORD.
</source>
        <translation>Please write no password into the address after --verein: every user of the computer can read it. The password comes from the keyring, from ~/.pgpass or PGPASSWORD.
</translation>
    </message>
</context>
<context>
    <name>Diary</name>
    <message>
        <location filename="../src/platform/sqlitediary.cpp" line="+45"/>
        <source>Das Trainingstagebuch konnte nicht gespeichert werden: %1</source>
        <translation>The training diary could not be saved: %1</translation>
    </message>
    <message>
        <location line="+278"/>
        <source>Das Training ist nicht mehr im Tagebuch.</source>
        <translation>The training is no longer in the diary.</translation>
    </message>
    <message>
        <location filename="../src/platform/sqlitediaryschema.cpp" line="+96"/>
        <source>Die Datei oder ihr Ordner ist schreibgeschützt.</source>
        <translation>The file or its folder is write-protected.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Der Datenträger ist voll.</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Beim Schreiben auf den Datenträger ist ein Fehler aufgetreten.</source>
        <translation>An error occurred while writing to the disk.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Die Datei wird gerade von einem anderen Programm benutzt.</source>
        <translation>The file is in use by another program.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Die Datei lässt sich nicht öffnen.</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Die Datei ist beschädigt.</source>
        <translation>The file is damaged.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Der Eintrag passt nicht zu dem, was das Tagebuch enthält.</source>
        <translation>The entry does not fit what the diary holds.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Die Datenbank meldet einen unerwarteten Fehler (%1).</source>
        <translation>The database reports an unexpected error (%1).</translation>
    </message>
</context>
<context>
    <name>DiaryCharts</name>
    <message>
        <location filename="../src/features/diary/diarycharts.cpp" line="+151"/>
        <source>dd.MM.yy</source>
        <translation>dd/MM/yy</translation>
    </message>
</context>
<context>
    <name>DiaryExport</name>
    <message>
        <location filename="../src/sheets/diaryexport.cpp" line="+40"/>
        <source>ja</source>
        <translation>yes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>nein</source>
        <translation>no</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+100"/>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <location line="-99"/>
        <location line="+101"/>
        <source>Schütze</source>
        <translation>Shooter</translation>
    </message>
    <message>
        <location line="-100"/>
        <location line="+102"/>
        <source>Disziplin</source>
        <translation>Discipline</translation>
    </message>
    <message>
        <location line="-101"/>
        <location line="+246"/>
        <source>Serie</source>
        <translation>Series</translation>
    </message>
    <message>
        <location line="-245"/>
        <source>Schuss</source>
        <translation>Shot</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Treffer x (mm)</source>
        <translation>Hit x (mm)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Treffer y (mm)</source>
        <translation>Hit y (mm)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ansage x (mm)</source>
        <translation>Call x (mm)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ansage y (mm)</source>
        <translation>Call y (mm)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ansagewert</source>
        <translation>Call value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bewertung</source>
        <translation>Rating</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+104"/>
        <source>Sek*mm</source>
        <translation>Sec*mm</translation>
    </message>
    <message>
        <location line="-103"/>
        <source>Schusszeit (s)</source>
        <translation>Shot time (s)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Schießzeit (s)</source>
        <translation>Shooting time (s)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kommentar</source>
        <translation>Comment</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+106"/>
        <source>Innenzehner</source>
        <translation>Inner tens</translation>
    </message>
    <message>
        <location line="-105"/>
        <source>Probeserie</source>
        <translation>Sighting series</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+106"/>
        <source>Kaliber (mm)</source>
        <translation>Calibre (mm)</translation>
    </message>
    <message>
        <location line="-105"/>
        <location line="+107"/>
        <source>Programm</source>
        <translation>Programme</translation>
    </message>
    <message>
        <location line="-106"/>
        <source>Treffer - Ansage x (mm)</source>
        <translation>Hit - call x (mm)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Treffer - Ansage y (mm)</source>
        <translation>Hit - call y (mm)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>In der Ansage</source>
        <translation>Inside the call</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Im Halten verloren</source>
        <translation>Lost in the hold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Beim Schuss verloren</source>
        <translation>Lost at the break</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Fenster</source>
        <translation>Window</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+142"/>
        <source>Serien</source>
        <translation>Series</translation>
    </message>
    <message>
        <location line="-140"/>
        <source>Schnitt (Ringe)</source>
        <translation>Average (rings)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Schnitt (Zehntel)</source>
        <translation>Average (tenths)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ansagen 10 %</source>
        <translation>Calls 10 %</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Trefferlage</source>
        <translation>Mean point of impact</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Streukreis (mm)</source>
        <translation>Group size (mm)</translation>
    </message>
    <message>
        <location line="+96"/>
        <source>Hauptfenster</source>
        <translation>Main window</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Analyse</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+3"/>
        <source>Alle</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>gesamt</source>
        <translation>all time</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 bis %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ab %1</source>
        <translation>from %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>bis %1</source>
        <translation>until %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Schütze: %1 · Disziplin: %2 · Zeitraum: %3</source>
        <translation>Shooter: %1 · Discipline: %2 · Period: %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 %2 mit %3 %4</source>
        <translation>%1 %2 with %3 %4</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Training</source>
        <translation>training</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Trainings</source>
        <translation>trainings</translation>
    </message>
</context>
<context>
    <name>DiaryImport</name>
    <message>
        <location filename="../src/features/diary/diaryimport.cpp" line="+111"/>
        <source>Die Datei „%1“ enthält keine Schüsse.</source>
        <translation>The file “%1” holds no shots.</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+80"/>
        <source>Die Datei „%1“ lässt sich nicht lesen.</source>
        <translation>The file “%1” cannot be read.</translation>
    </message>
    <message>
        <location line="-58"/>
        <location line="+36"/>
        <source>Die Datei „%1“ wurde nicht übernommen. %2</source>
        <translation>The file “%1” was not taken over. %2</translation>
    </message>
</context>
<context>
    <name>DiaryRecorder</name>
    <message>
        <location filename="../src/sheets/diaryrecorder.cpp" line="+64"/>
        <source>%1 Die Eingabe geht weiter; bitte die Serien mit „Speichern“ sichern.</source>
        <translation>%1 Entry goes on; please keep the series with “Save”.</translation>
    </message>
</context>
<context>
    <name>Discipline</name>
    <message>
        <location filename="../src/model/targetface.cpp" line="+21"/>
        <source>LP</source>
        <translation>AP</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>FP-SP-100m</source>
        <translation>FP-SP-100m</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>OSP-SP</source>
        <translation>RFP-SP</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Gewehr 50m</source>
        <translation>Rifle 50m</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>LG 10m</source>
        <translation>AR 10m</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Gewehr 300m</source>
        <translation>Rifle 300m</translation>
    </message>
</context>
<context>
    <name>GraphLayout</name>
    <message>
        <location filename="../src/sheets/graphlayout.cpp" line="+127"/>
        <source>Schusswert-/Zeitanalyse</source>
        <translation>Shot value/time analysis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zeiten zwischen %1 und %2 Sekunden werden angezeigt. %3Treffer liegen darüber/darunter</source>
        <translation>Times between %1 and %2 seconds are shown. %3hits lie above/below</translation>
    </message>
</context>
<context>
    <name>GroupReport</name>
    <message>
        <location filename="../src/sheets/groupreport.cpp" line="+19"/>
        <source>%1 mm %2</source>
        <translation>%1 mm %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 %2 %3</source>
        <translation>%1 %2 %3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Klick</source>
        <translation>click</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Klicks</source>
        <translation>clicks</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 (%2 Uhr)</source>
        <translation>%1 (%2 o’clock)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Abkommen: %1</source>
        <translation>Calls: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ansagefehler im Mittel: %1; Streuung %2</source>
        <translation>Mean call error: %1; spread %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ansagen: %1 mit 10, %2 mit 5, %3 mit 0</source>
        <translation>Calls: %1 rated 10, %2 rated 5, %3 rated 0</translation>
    </message>
    <message>
        <location line="+72"/>
        <location line="+12"/>
        <source>rechts</source>
        <translation>right</translation>
    </message>
    <message>
        <location line="-11"/>
        <location line="+12"/>
        <source>links</source>
        <translation>left</translation>
    </message>
    <message>
        <location line="-10"/>
        <location line="+12"/>
        <source>hoch</source>
        <translation>up</translation>
    </message>
    <message>
        <location line="-11"/>
        <location line="+12"/>
        <source>tief</source>
        <translation>down</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>in der Mitte</source>
        <translation>in the centre</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Keine Schüsse</source>
        <translation>No shots</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Trefferlage: %1</source>
        <translation>Mean point of impact: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Korrektur: %1</source>
        <translation>Sight correction: %1</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Streukreis: %1, mittlerer Radius %2</source>
        <translation>Group size: %1, mean radius %2</translation>
    </message>
</context>
<context>
    <name>HitIntake</name>
    <message>
        <location filename="../src/sheets/hitintake.cpp" line="+175"/>
        <source>%1 Treffer hatten noch keine Ansage; sie wurden ohne Ansage eingetragen (Bewertung „–“).</source>
        <translation>%1 hits had no call yet; they were entered without a call (rating “–”).</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Ein Treffer hatte noch keine Ansage; er wurde ohne Ansage eingetragen (Bewertung „–“).</source>
        <translation>A hit had no call yet; it was entered without a call (rating “–”).</translation>
    </message>
    <message>
        <location line="-84"/>
        <source>Dort liegt kein eingetragener Treffer.</source>
        <translation>There is no entered hit there.</translation>
    </message>
    <message>
        <location line="+80"/>
        <source>%1 Treffer der Kamera hatten noch keine Ansage; sie wurden ohne Ansage eingetragen (Bewertung „–“).</source>
        <translation>%1 hits from the camera had no call yet; they were entered without a call (rating “–”).</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Ein Treffer der Kamera hatte noch keine Ansage; er wurde ohne Ansage eingetragen (Bewertung „–“).</source>
        <translation>A hit from the camera had no call yet; it was entered without a call (rating “–”).</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>%1 Treffer der Scheibe hatten noch keine Ansage; sie wurden ohne Ansage eingetragen (Bewertung „–“).</source>
        <translation>%1 hits from the target had no call yet; they were entered without a call (rating “–”).</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Ein Treffer der Scheibe hatte noch keine Ansage; er wurde ohne Ansage eingetragen (Bewertung „–“).</source>
        <translation>A hit from the target had no call yet; it was entered without a call (rating “–”).</translation>
    </message>
    <message>
        <location line="-19"/>
        <source>Nicht alle Löcher lassen sich eintragen: eines liegt außerhalb der Wertung oder die Serienliste ist voll. Bitte das Loch entfernen oder die Serien speichern und mit „Neu“ beginnen.</source>
        <translation>Not all holes can be entered: one lies outside the scoring area or the series list is full. Please remove the hole, or save the series and begin with “New”.</translation>
    </message>
    <message>
        <location line="-29"/>
        <source>Solange die Scheibe Treffer liefert, kann kein Foto eingelesen werden.</source>
        <translation>While the target delivers hits, no photo can be read.</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Solange die Kamera Treffer liefert, kann kein Foto eingelesen werden.</source>
        <translation>While the camera delivers hits, no photo can be read.</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Die elektronische Scheibe liefert schon die Treffer dieses Fensters. Erst die Schussabfrage beenden, dann die Kamera einschalten.</source>
        <translation>The electronic target already delivers this window’s hits. Stop polling for shots first, then switch the camera on.</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Die Kamera liefert schon die Treffer dieses Fensters. Erst die Kamera ausschalten, dann abfragen.</source>
        <translation>The camera already delivers this window’s hits. Switch the camera off first, then poll.</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <location filename="../src/widgets/language.cpp" line="+30"/>
        <source>de</source>
        <comment>code of this language</comment>
        <translation>en</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+25"/>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Die Sprache wird beim nächsten Start des Programms umgestellt.
The language changes when the program is started again.</source>
        <translation>The language changes when the program is started again.
Die Sprache wird beim nächsten Start des Programms umgestellt.</translation>
    </message>
</context>
<context>
    <name>LiveCommandLine</name>
    <message>
        <location filename="../src/live/liveoptions.cpp" line="+16"/>
        <source>Zeigt die Ansagen und Treffer jeder Bahn live im Browser, vom Vereinsserver.</source>
        <translation>Shows every lane&apos;s calls and hits live in the browser, from the club&apos;s server.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Verbindungs-URI einer Trainer-Anmeldung am Vereinsserver, ohne Passwort (das steht in ~/.pgpass oder PGPASSWORD).</source>
        <translation>Connection URI of a coach&apos;s login on the club&apos;s server, without a password (that goes in ~/.pgpass or PGPASSWORD).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>TCP-Port der Live-Ansicht (Vorgabe 8080).</source>
        <translation>TCP port of the live view (default 8080).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Adresse, auf der die Live-Ansicht hört (Vorgabe: alle).</source>
        <translation>Address the live view listens on (default: all).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>TLS-Zertifikat (PEM).</source>
        <translation>TLS certificate (PEM).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Privater Schlüssel des Zertifikats (PEM).</source>
        <translation>The certificate&apos;s private key (PEM).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ohne TLS, in einem geschlossenen Schießstandnetz.</source>
        <translation>Without TLS, on a closed range network.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Datei der angemeldeten Browser.</source>
        <translation>File of the logged-in browsers.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>--verein fehlt: die Verbindungs-URI einer Trainer-Anmeldung am Vereinsserver.</source>
        <translation>--verein is missing: the connection URI of a coach&apos;s login on the club&apos;s server.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Das Passwort gehört nicht in die URI auf der Befehlszeile, wo jeder es lesen kann: Bitte in ~/.pgpass oder PGPASSWORD eintragen.</source>
        <translation>The password does not belong in the URI on the command line, where anyone can read it: please put it in ~/.pgpass or PGPASSWORD.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--port braucht eine Zahl von 1 bis 65535.</source>
        <translation>--port needs a number from 1 to 65535.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--adresse „%1“ ist keine IP-Adresse.</source>
        <translation>--adresse “%1” is no IP address.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--zertifikat und --schluessel gehören zusammen.</source>
        <translation>--zertifikat and --schluessel go together.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--ohne-tls passt nicht zu --zertifikat.</source>
        <translation>--ohne-tls does not go with --zertifikat.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ohne TLS zeigt die Live-Ansicht Passwörter und Schüsse jedem im Netz: Bitte --zertifikat und --schluessel angeben, oder --ohne-tls in einem geschlossenen Schießstandnetz.</source>
        <translation>Without TLS the live view shows passwords and shots to everyone on the network: please give --zertifikat and --schluessel, or --ohne-tls on a closed range network.</translation>
    </message>
</context>
<context>
    <name>LiveView</name>
    <message>
        <location filename="../src/live/main.cpp" line="+53"/>
        <source>Das Zertifikat „%1“ ist nicht lesbar.</source>
        <translation>The certificate “%1” cannot be read.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Der Schlüssel „%1“ ist nicht lesbar.</source>
        <translation>The key “%1” cannot be read.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Die Live-Ansicht kann nicht auf %1:%2 hören.</source>
        <translation>The live view cannot listen on %1:%2.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Live-Ansicht auf %1://%2:%3/
</source>
        <translation>Live view on %1://%2:%3/
</translation>
    </message>
    <message>
        <location filename="../src/platform/clublive.cpp" line="+42"/>
        <source>Anmeldung und Passwort fehlen.</source>
        <translation>Login and password are missing.</translation>
    </message>
</context>
<context>
    <name>MatchProgram</name>
    <message>
        <location filename="../src/model/matchprogram.cpp" line="+35"/>
        <source>Kniend</source>
        <translation>Kneeling</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Liegend</source>
        <translation>Prone</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stehend</source>
        <translation>Standing</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>LG 40</source>
        <translation>AR 40</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>LG 60</source>
        <translation>AR 60</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>LP 40</source>
        <translation>AP 40</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>LP 60</source>
        <translation>AP 60</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>KK liegend 60</source>
        <translation>Smallbore prone 60</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>KK 3×20</source>
        <translation>Smallbore 3×20</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>KK 3×40</source>
        <translation>Smallbore 3×40</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Gewehr 300m liegend 60</source>
        <translation>Rifle 300m prone 60</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auflage LG 30</source>
        <translation>Rested AR 30</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auflage LP 30</source>
        <translation>Rested AP 30</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Freie Pistole 60</source>
        <translation>Free pistol 60</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Schnellfeuerpistole 60 (8, 6, 4 s)</source>
        <translation>Rapid fire pistol 60 (8, 6, 4 s)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Standardpistole 60 (150, 20, 10 s)</source>
        <translation>Standard pistol 60 (150, 20, 10 s)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sportpistole Duell 30</source>
        <translation>Sport pistol duel 30</translation>
    </message>
</context>
<context>
    <name>PhotoHoles</name>
    <message>
        <location filename="../src/vision/photoholes.cpp" line="+779"/>
        <source>Das Bild enthält nichts, was sich lesen lässt.</source>
        <translation>The picture holds nothing that can be read.</translation>
    </message>
    <message>
        <location line="-27"/>
        <source>Auf dem Foto ist keine Scheibe „%1“ zu erkennen. Die Scheibe sollte ganz zu sehen sein, mindestens ein Drittel des Bildes hoch und nicht schräger als 30°.</source>
        <translation>No “%1” target can be made out in the photo. The target should be seen whole, at least a third of the picture high and tilted no more than 30°.</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Die Datei „%1“ lässt sich nicht öffnen: %2</source>
        <translation>The file “%1” cannot be opened: %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Die Datei „%1“ ist kein Bild, das sich lesen lässt (jpg, png oder bmp).</source>
        <translation>The file “%1” is not a picture that can be read (jpg, png or bmp).</translation>
    </message>
</context>
<context>
    <name>PrintContent</name>
    <message>
        <location filename="../src/sheets/printcontent.cpp" line="+88"/>
        <source>Maßstab %1:%2</source>
        <translation>Scale %1:%2</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Trefferlage: %1; Streukreis %2 mm</source>
        <translation>Mean point of impact: %1; group size %2 mm</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Serie Nummer: %1</source>
        <translation>Series number: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Innenzehner: %1</source>
        <translation>Inner tens: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Seite %1 von %2 für %3 am %4 um %5</source>
        <translation>Page %1 of %2 for %3 on %4 at %5</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Serien: %1</source>
        <translation>Series: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Schüsse: %1</source>
        <translation>Shots: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Summe: %1</source>
        <translation>Total: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zehntel: %1</source>
        <translation>Tenths: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Schnitt: %1</source>
        <translation>Average: %1</translation>
    </message>
</context>
<context>
    <name>RhythmSequence</name>
    <message>
        <location filename="../src/sheets/rhythmsequence.cpp" line="+104"/>
        <source>Bitte eine Zahl eingeben.</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bitte mindestens 0,001s und maximal 65,5s verwenden.</source>
        <translation>Please use at least 0.001 s and at most 65.5 s.</translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <location filename="../src/services/serialport.cpp" line="+10"/>
        <source>Ungültige Anschlussnummer</source>
        <translation>Invalid port number</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Der Anschluss ist bereits geöffnet</source>
        <translation>The port is already open</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zugriff auf den Anschluss verweigert</source>
        <translation>Access to the port denied</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Der Anschluss ist nicht geöffnet</source>
        <translation>The port is not open</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Die Einstellungen des Anschlusses sind nicht möglich</source>
        <translation>The port’s settings are not possible</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Senden über den Anschluss fehlgeschlagen</source>
        <translation>Sending over the port failed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Empfangen über den Anschluss fehlgeschlagen</source>
        <translation>Receiving over the port failed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Der Anschluss ist nicht mehr verfügbar</source>
        <translation>The port is no longer available</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unbekannter Fehler am Anschluss</source>
        <translation>Unknown error at the port</translation>
    </message>
</context>
<context>
    <name>SeriesFile</name>
    <message>
        <location filename="../src/files/seriesfile.cpp" line="+143"/>
        <source>Erwartet wird eine Zahl, die Zeile ist leer.</source>
        <translation>A number is expected; the line is empty.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Die Datei</source>
        <translation>The file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Die Datei „%1“</source>
        <translation>The file “%1”</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Die Datei „%1“ konnte nicht gelesen werden: %2</source>
        <translation>The file “%1” could not be read: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Der Ordner „%1“ existiert nicht.</source>
        <translation>The folder “%1” does not exist.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>„%1“ ist kein Ordner.</source>
        <translation>“%1” is not a folder.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Die Datei kann dort nicht angelegt werden (%1).</source>
        <translation>The file cannot be created there (%1).</translation>
    </message>
    <message>
        <location line="+163"/>
        <source>nur %1 von %2 Bytes geschrieben; ist der Datenträger voll?</source>
        <translation>only %1 of %2 bytes written; is the disk full?</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Die Datei „%1“ konnte nicht gespeichert werden: %2</source>
        <translation>The file “%1” could not be saved: %2</translation>
    </message>
    <message>
        <location line="-219"/>
        <source>Erwartet wird eine Zahl, die Zeile lautet %1.</source>
        <translation>A number is expected; the line reads %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Der Wert %1 liegt außerhalb des Bereichs von -32768 bis 32767.</source>
        <translation>The value %1 lies outside the range from -32768 to 32767.</translation>
    </message>
    <message>
        <location line="+218"/>
        <source>%1 Die bisherige Datei ist unverändert.</source>
        <translation>%1 The previous file is unchanged.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Es ist kein Dateiname angegeben.</source>
        <translation>No file name is given.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unter diesem Namen gibt es bereits einen Ordner.</source>
        <translation>There already is a folder of this name.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Unter diesem Namen gibt es bereits etwas anderes als eine Datei.</source>
        <translation>There already is something other than a file of this name.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Die Daten konnten nicht vollständig geschrieben werden (%1).</source>
        <translation>The data could not be written completely (%1).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Die Datei konnte nicht fertig geschrieben werden (%1).</source>
        <translation>The file could not be finished (%1).</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Textdateien (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Mehr als %1 Serien kann das Programm nicht auflisten.</source>
        <translation>The program cannot list more than %1 series.</translation>
    </message>
    <message>
        <location line="+291"/>
        <source>Die Datei existiert nicht.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Unter diesem Namen gibt es einen Ordner, keine Datei.</source>
        <translation>This name belongs to a folder, not a file.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Unter diesem Namen gibt es etwas anderes als eine Datei.</source>
        <translation>This name belongs to something other than a file.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Die Datei lässt sich nicht öffnen (%1).</source>
        <translation>The file cannot be opened (%1).</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Beim Lesen ist ein Fehler aufgetreten (%1).</source>
        <translation>An error occurred while reading (%1).</translation>
    </message>
</context>
<context>
    <name>ServerClubReader</name>
    <message>
        <location filename="../src/platform/clubcoach.cpp" line="+279"/>
        <source>Das Training gibt es auf dem Vereinsserver nicht (mehr).</source>
        <translation>The training is not (or no longer) on the club server.</translation>
    </message>
    <message>
        <location line="+321"/>
        <source>Die Anmeldung „%1“ ist keine Trainer-Anmeldung: Die Traineransicht zeigt die Trainings des Vereins nur einem Trainer. Der Verwalter legt Trainer mit ankerblick --verein-trainer an.</source>
        <translation>The login “%1” is not a coach’s login: the coach’s view shows the club’s trainings to a coach only. The administrator creates coaches with ankerblick --verein-trainer.</translation>
    </message>
</context>
<context>
    <name>ShotFile</name>
    <message>
        <location filename="../src/files/shotimport.cpp" line="+61"/>
        <source>Zeile %1: Die Lage des Schusses (x, y in mm) fehlt oder ist keine Zahl.</source>
        <translation>Line %1: the shot&apos;s position (x, y in mm) is missing or not a number.</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>Zeile %1: ein Schuss vor der Zeile der Spalten.</source>
        <translation>Line %1: a shot before the row of column names.</translation>
    </message>
    <message>
        <location line="+44"/>
        <location line="+104"/>
        <location line="+31"/>
        <source>Die Datei enthält keine Schüsse.</source>
        <translation>The file holds no shots.</translation>
    </message>
    <message>
        <location line="-126"/>
        <source>Schuss %1: Die Lage des Schusses (x, y in mm) fehlt oder ist keine Zahl.</source>
        <translation>Shot %1: the shot&apos;s position (x, y in mm) is missing or not a number.</translation>
    </message>
    <message>
        <location line="+113"/>
        <source>Diese Datei ist keine bekannte Schussdatei.</source>
        <translation>This file is no known shot file.</translation>
    </message>
</context>
<context>
    <name>ShotNotes</name>
    <message>
        <location filename="../src/files/shotnotes.cpp" line="+98"/>
        <source>Ansagetraining: %1 von %2</source>
        <translation>Calling training: %1 of %2</translation>
    </message>
    <message>
        <location line="+141"/>
        <source>Probe</source>
        <translation>Sighters</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>nach Zeit</source>
        <translation>after time</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>bitte prüfen</source>
        <translation>please check</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Treffer verschoben</source>
        <translation>hit moved</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Treffer ergänzt</source>
        <translation>hit added</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Wert der Scheibe: %1</source>
        <translation>target&apos;s value: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Wert der Datei: %1</source>
        <translation>Value in the file: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Treffer %1 entfernt</source>
        <translation>hit %1 removed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Wettkampf: %1</source>
        <translation>Match: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Serie: %1 Schuss: 0: %2</source>
        <comment>a comment on the series</comment>
        <translation>Series %1: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Serie: %1 Schuss: %2: %3</source>
        <translation>Series %1, shot %2: %3</translation>
    </message>
</context>
<context>
    <name>TargetRecord</name>
    <message>
        <location filename="../src/sheets/targetrecord.cpp" line="+16"/>
        <source>Fehlerbeschribung: %1 Fehlerquelle: %2 Fehlernummer: %3</source>
        <translation>Error description: %1 Error source: %2 Error number: %3</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Die Schussposition ist keine ganze Zahl</source>
        <translation>The shot position is not a whole number</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Die Schussposition liegt außerhalb des Wertebereichs</source>
        <translation>The shot position lies outside the range of values</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Der Schussdatensatz ist unvollständig</source>
        <translation>The shot record is incomplete</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Der Schussdatensatz ist zu lang</source>
        <translation>The shot record is too long</translation>
    </message>
</context>
<context>
    <name>TargetSheet</name>
    <message>
        <location filename="../src/sheets/targetsheet.cpp" line="+478"/>
        <source>Solange ein Schuss auf seinen Treffer oder seine Ansage wartet, lässt sich kein Treffer ändern.</source>
        <translation>While a shot waits for its hit or its call, no hit can be changed.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Die Treffer dieser Serie sind noch verdeckt.</source>
        <translation>The hits of this series are still hidden.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Dorthin lässt sich der Treffer nicht legen.</source>
        <translation>The hit cannot be placed there.</translation>
    </message>
</context>
<context>
    <name>ToneGenerator</name>
    <message>
        <location filename="../src/services/tonegenerator.cpp" line="+8"/>
        <source>Keine Tonausgabe gefunden. Die Zeiten laufen trotzdem, aber ohne Töne.</source>
        <translation>No sound output found. The times run all the same, but without tones.</translation>
    </message>
</context>
<context>
    <name>ValueBounds</name>
    <message>
        <location filename="../src/sheets/valuebounds.cpp" line="+104"/>
        <source>Schusszeit</source>
        <translation>Shot time</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Schiesszeit</source>
        <translation>Shooting time</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Zeitanalyse</source>
        <translation>Time analysis</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Kleinster anzuzeigender Schusswert</source>
        <translation>Lowest shot value to show</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Grösster anzuzeigender Schusswert</source>
        <translation>Highest shot value to show</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Zeiten:</source>
        <translation>Times:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Schusszeit (selbst mitgestoppt)</source>
        <translation>Shot time (stopped by hand)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Schiesszeit (von Schuss zu Schuss gestoppt)</source>
        <translation>Shooting time (from shot to shot)</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>Ab ... Sekunden (max. 999)</source>
        <translation>From ... seconds (max. 999)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bis ... Sekunden (max. 1000)</source>
        <translation>To ... seconds (max. 1000)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Bitte eine gültige Ringzahl angeben wie z.B. 6,4 , 9 oder 10,9</source>
        <translation>Please give a valid score such as 6.4, 9 or 10.9</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bitte eine gültige Sekundenzahl angeben wie z.B. 6,4 , 9, 10,9 oder 53,123</source>
        <translation>Please give a valid number of seconds such as 6.4, 9, 10.9 or 53.123</translation>
    </message>
</context>
<context>
    <name>WindowMenu</name>
    <message>
        <location filename="../src/windows/shared/windowmenu.cpp" line="+41"/>
        <source>Ankerblick %1
Training der Schussansage für Sportschützen.
Lizenz: GPL-3.0-or-later</source>
        <translation>Ankerblick %1
Shot-calling training for sport shooters.
Licence: GPL-3.0-or-later</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Serie</source>
        <translation>&amp;Series</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Handbuch</source>
        <translation>Handbook</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+4"/>
        <source>Über Ankerblick</source>
        <translation>About Ankerblick</translation>
    </message>
</context>
<context>
    <name>ankerblick::AnalyseAnzeige</name>
    <message>
        <location filename="../src/windows/analysis/analyseanzeige.cpp" line="+122"/>
        <source>Schussgrösse alles anzeigen:</source>
        <translation>Shot size, all shown:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Schussgrösse Seriendarstellung:</source>
        <translation>Shot size, series shown:</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Laden</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zusätzliche Datei laden</source>
        <translation>Open an additional file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alle Serien Anzeigen</source>
        <translation>Show all series</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kommentare anzeigen</source>
        <translation>Show comments</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Abkommens- eingabe öffnen</source>
        <translation>Open call entry</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Abkommenseingabe</source>
        <translation>Call entry</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Schusszeit Analyse</source>
        <translation>Shot time analysis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Trainingstagebuch</source>
        <translation>Training diary</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kaliber …</source>
        <translation>Calibre …</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Schüsse importieren …</source>
        <translation>Import shots …</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Auswertung</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>AnalyseAnzeige %1</source>
        <translation>Analysis %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::AnalysisPanel</name>
    <message>
        <location filename="../src/widgets/analysispanel.cpp" line="+113"/>
        <source>Auswertung</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Trefferlage zeigen</source>
        <translation>Show mean point of impact</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Klickwert …</source>
        <translation>Click value …</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Serie</source>
        <translation>Series</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alle Serien</source>
        <translation>All series</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Klickwert für %1 in mm an der Scheibe:</source>
        <translation>Click value for %1 in mm on the target:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Klickwert</source>
        <translation>Click value</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bitte einen Klickwert über 0 bis 100 mm eingeben, zum Beispiel „1,5“.</source>
        <translation>Please enter a click value above 0 up to 100 mm, for example “1.5”.</translation>
    </message>
</context>
<context>
    <name>ankerblick::AnalysisSheet</name>
    <message>
        <location filename="../src/sheets/analysissheet.cpp" line="+61"/>
        <source>%1 Die Datei „%2“ wurde nicht gelesen.</source>
        <translation>%1 The file “%2” was not read.</translation>
    </message>
</context>
<context>
    <name>ankerblick::Application</name>
    <message>
        <location filename="../src/app/application.cpp" line="+135"/>
        <location line="+218"/>
        <source>Änderungen speichern?</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <location line="-197"/>
        <source>Willkommen bei Ankerblick! Hier zählt nicht nur der Treffer, sondern auch, wie gut Sie ihn angesagt haben.

Bitte Name eingeben:</source>
        <translation>Welcome to Ankerblick! Here what counts is not only the hit but also how well you called it.

Please enter your name:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ohne Name geht nix. Also bitte Namen eingeben:</source>
        <translation>Nothing works without a name. So please enter your name:</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Die letzte Sitzung wurde nicht beendet. Wiederherstellen?</source>
        <translation>The last session was not ended. Restore it?</translation>
    </message>
    <message>
        <location line="+181"/>
        <source>Änderungen in der Schusseingabe speichern?</source>
        <translation>Save the changes in the shot entry?</translation>
    </message>
</context>
<context>
    <name>ankerblick::AusgabeForm</name>
    <message>
        <location filename="../src/features/timeanalysis/ausgabeform.cpp" line="+92"/>
        <source>Schusswert/Zeit Analyse</source>
        <translation>Shot value/time analysis</translation>
    </message>
</context>
<context>
    <name>ankerblick::CallRose</name>
    <message>
        <location filename="../src/widgets/analysispanel.cpp" line="-128"/>
        <source>Ansagerose</source>
        <translation>Call rose</translation>
    </message>
</context>
<context>
    <name>ankerblick::CalledEntry</name>
    <message>
        <location filename="../src/sheets/calledentry.cpp" line="+223"/>
        <source>Treffer erhalten – bitte Ansage eingeben</source>
        <translation>Hit received – please enter the call</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Serie beendet</source>
        <translation>Series finished</translation>
    </message>
</context>
<context>
    <name>ankerblick::CameraLink</name>
    <message>
        <location filename="../src/features/camera/cameralink.cpp" line="+135"/>
        <source>Die Kamera liefert keine Bilder mehr.</source>
        <translation>The camera delivers no more pictures.</translation>
    </message>
    <message>
        <location line="+300"/>
        <source>Dort lässt sich kein Treffer eintragen: er läge außerhalb der Wertung, oder die Serienliste ist voll.</source>
        <translation>No hit can be entered there: it would lie outside the scoring area, or the series list is full.</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Neue Scheibe erkannt</source>
        <translation>New target recognised</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Kamera bewegt – Scheibe neu erkannt</source>
        <translation>Camera moved – target recognised again</translation>
    </message>
</context>
<context>
    <name>ankerblick::CameraPanel</name>
    <message>
        <location filename="../src/features/camera/camerapanel.cpp" line="+132"/>
        <source>Kamera wird geöffnet …</source>
        <translation>opening the camera …</translation>
    </message>
    <message>
        <location line="-115"/>
        <source>Kamera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Kamera wählen</source>
        <translation>Choose a camera</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Kamera An/Aus</source>
        <translation>Camera on/off</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scheibe erkennen</source>
        <translation>Find target</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kamerabild</source>
        <translation>Camera picture</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+96"/>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <location line="-58"/>
        <source>Erst eine Kamera wählen, dann einschalten.</source>
        <translation>Choose a camera first, then switch it on.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Erst eine Disziplin wählen, dann die Kamera einschalten.</source>
        <translation>Choose a discipline first, then switch the camera on.</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Scheibe erkannt</source>
        <translation>Target recognised</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>keine Scheibe im Bild</source>
        <translation>no target in the picture</translation>
    </message>
</context>
<context>
    <name>ankerblick::CameraPictureWindow</name>
    <message>
        <location filename="../src/features/camera/camerapicturewindow.cpp" line="+40"/>
        <location line="+1"/>
        <source>Kamerabild</source>
        <translation>Camera picture</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Kamera aus</source>
        <translation>Camera off</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Warte auf das erste Bild …</source>
        <translation>Waiting for the first picture …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keine Scheibe im Bild</source>
        <translation>No target in the picture</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Scheibe erkannt – %1 Treffer, %2 bitte prüfen</source>
        <translation>Target recognised – %1 hits, %2 to check</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Scheibe erkannt – noch kein Treffer</source>
        <translation>Target recognised – no hit yet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Scheibe erkannt – 1 Treffer</source>
        <translation>Target recognised – 1 hit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Scheibe erkannt – %1 Treffer</source>
        <translation>Target recognised – %1 hits</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>Treffer %1 entfernen</source>
        <translation>Remove hit %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>%1?</source>
        <comment>a hole to be checked</comment>
        <translation>%1?</translation>
    </message>
</context>
<context>
    <name>ankerblick::ClubServerDialog</name>
    <message>
        <location filename="../src/features/club/clubserverdialog.cpp" line="+82"/>
        <source>Vereinsserver</source>
        <translation>Club server</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>wenn der Server sie anbietet</source>
        <translation>if the server offers it</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>verlangt</source>
        <translation>required</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Verbindung prüfen</source>
        <translation>Test connection</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Datenbank:</source>
        <translation>Database:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Benutzer:</source>
        <translation>User:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Passwort:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TLS:</source>
        <translation>TLS:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bahn:</source>
        <translation>Lane:</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Der Vereinsserver ist erreichbar, die Anmeldung gelingt.</source>
        <translation>The club server can be reached and the login succeeds.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Der Vereinsserver wird gefragt …</source>
        <translation>Asking the club server …</translation>
    </message>
</context>
<context>
    <name>ankerblick::ClubTrainings</name>
    <message>
        <location filename="../src/features/diary/trainingsource.cpp" line="+147"/>
        <source>Die Trainings werden vom Vereinsserver gelesen …</source>
        <translation>Reading the trainings from the club server …</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Noch keine Trainings auf dem Vereinsserver.</source>
        <translation>No trainings on the club server yet.</translation>
    </message>
</context>
<context>
    <name>ankerblick::CoachWindow</name>
    <message>
        <location filename="../src/features/club/coachwindow.cpp" line="+62"/>
        <source>Trainer</source>
        <translation>Coach</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>In Analyse öffnen</source>
        <translation>Open in analysis</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Kein Vereinsserver eingestellt: bitte unter „Datei → Vereinsserver …“ den Server und die Anmeldung eines Trainers eintragen.</source>
        <translation>No club server set: please enter the server and a coach’s login under “File → Club server …”.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Verbinde mit dem Vereinsserver …</source>
        <translation>Connecting to the club server …</translation>
    </message>
    <message numerus="yes">
        <location line="+21"/>
        <source>%n Schützen</source>
        <translation>
            <numerusform>%n shooter</numerusform>
            <numerusform>%n shooters</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, die neueste Serie kam um %2 an</source>
        <translation>%1, the latest series arrived at %2</translation>
    </message>
</context>
<context>
    <name>ankerblick::Connection</name>
    <message>
        <location filename="../src/platform/clubconnection.cpp" line="+374"/>
        <source>Qt SQL kann nicht mit PostgreSQL sprechen: Bitte das Paket libqt6sql6-psql installieren.</source>
        <translation>Qt SQL cannot talk to PostgreSQL: please install the package libqt6sql6-psql.</translation>
    </message>
</context>
<context>
    <name>ankerblick::DesktopKeyring</name>
    <message>
        <location filename="../src/platform/keyring.cpp" line="+38"/>
        <source>Das Passwort ließ sich nicht im Schlüsselbund des Desktops ablegen: %1</source>
        <translation>The password could not be stored in the desktop’s keyring: %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::DiaryChartSet</name>
    <message>
        <location filename="../src/features/diary/diarycharts.cpp" line="-102"/>
        <source>Ringe</source>
        <translation>Rings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zehntel</source>
        <translation>Tenths</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mittlere Seriensumme</source>
        <translation>Mean series total</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ansagen mit 10</source>
        <translation>Calls rated 10</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ansagen mit 10 (%)</source>
        <translation>Calls rated 10 (%)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>waagerecht (+ rechts)</source>
        <translation>horizontal (+ right)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>senkrecht (+ hoch)</source>
        <translation>vertical (+ up)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Treffpunkt (mm)</source>
        <translation>Point of impact (mm)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>je Training</source>
        <translation>per training</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>über die letzten 40 Schüsse</source>
        <translation>over the last 40 shots</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>In der Ansage (%)</source>
        <translation>Inside the call (%)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Serien</source>
        <translation>Series</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ansagen</source>
        <translation>Calls</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Trefferlage</source>
        <translation>Mean point of impact</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Verteilung</source>
        <translation>Distribution</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>In der Ansage</source>
        <translation>Inside the call</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+7"/>
        <source>Schüsse</source>
        <translation>Shots</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Ring</source>
        <translation>Ring</translation>
    </message>
</context>
<context>
    <name>ankerblick::DiaryWindow</name>
    <message>
        <location filename="../src/features/diary/diarywindow.cpp" line="+61"/>
        <source>dd.MM.yyyy</source>
        <translation>dd/MM/yyyy</translation>
    </message>
    <message>
        <location line="+21"/>
        <location line="+606"/>
        <source>Trainingstagebuch</source>
        <translation>Training diary</translation>
    </message>
    <message>
        <location line="-576"/>
        <source>Alle Disziplinen</source>
        <translation>All disciplines</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Gesamter Zeitraum</source>
        <translation>Whole period</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Schütze:</source>
        <translation>&amp;Shooter:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Disziplin:</source>
        <translation>&amp;Discipline:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;von</source>
        <translation>&amp;from</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;bis</source>
        <translation>&amp;to</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>In Analyse öffnen</source>
        <translation>Open in analysis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV exportieren …</source>
        <translation>Export CSV …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PDF-Bericht …</source>
        <translation>PDF report …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dateien importieren …</source>
        <translation>Import files …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ordner importieren …</source>
        <translation>Import folder …</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Serien-Dateien nennen keine Disziplin: bitte oben die Disziplin der Dateien wählen und dann importieren.</source>
        <translation>Series files name no discipline: please choose the files’ discipline above, then import.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Serien-Dateien werden importiert: %1 von %2</source>
        <translation>Importing series files: %1 of %2</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Importiert: %1, schon im Tagebuch: %2, nicht lesbar: %3.</source>
        <translation>Imported: %1, already in the diary: %2, unreadable: %3.</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Hier</source>
        <translation>Here</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verein</source>
        <translation>Club</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hier: die Trainings dieses Rechners. Verein: die Trainings auf dem Vereinsserver, von allen Bahnen.</source>
        <translation>Here: the trainings of this computer. Club: the trainings on the club server, from every lane.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Quelle:</source>
        <translation>&amp;Source:</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Alle Schützen</source>
        <translation>All shooters</translation>
    </message>
    <message>
        <location line="+169"/>
        <source>Keine Trainings für diese Auswahl.</source>
        <translation>No trainings for this selection.</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Serie %1</source>
        <translation>Series %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Befund: %1</source>
        <translation>Finding: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 Zu sehen in: %2</source>
        <translation>%1 Seen in: %2</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>CSV-Dateien (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Trainingstagebuch.csv</source>
        <translation>Training diary.csv</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Die CSV-Datei wird geschrieben …</source>
        <translation>Writing the CSV file …</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Die Datei &quot;%1&quot; konnte nicht geschrieben werden: %2</source>
        <translation>The file &quot;%1&quot; could not be written: %2</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1, erstellt am %2</source>
        <translation>%1, made on %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Der Bericht konnte nicht als &quot;%1&quot; gespeichert werden.</source>
        <translation>The report could not be saved as &quot;%1&quot;.</translation>
    </message>
    <message>
        <location line="-20"/>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Trainingstagebuch.pdf</source>
        <translation>Training diary.pdf</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>dd.MM.yyyy &apos;um&apos; HH:mm</source>
        <translation>dd/MM/yyyy &apos;at&apos; HH:mm</translation>
    </message>
</context>
<context>
    <name>ankerblick::DirectEntry</name>
    <message>
        <location filename="../src/sheets/directentry.cpp" line="+58"/>
        <source>Serie beendet</source>
        <translation>Series finished</translation>
    </message>
</context>
<context>
    <name>ankerblick::DruckDialog</name>
    <message>
        <location filename="../src/features/printing/druckdialog.cpp" line="+29"/>
        <source>PDF-Datei</source>
        <translation>PDF file</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Drucker:</source>
        <translation>Printer:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Zu druckende Serien markieren</source>
        <translation>Mark the series to print</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Alles drucken</source>
        <translation>Print everything</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Farbig</source>
        <translation>Colour</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Gesamtschussbild?</source>
        <translation>Overall shot picture?</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Leider ist kein Drucker installiert</source>
        <translation>Sorry, no printer is installed</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Es gibt keine Serie zum Drucken.</source>
        <translation>There is no series to print.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Bitte mindestens eine Serie zum Drucken markieren oder „Alles drucken“ wählen.</source>
        <translation>Please mark at least one series to print or choose “Print everything”.</translation>
    </message>
</context>
<context>
    <name>ankerblick::FoldingBox</name>
    <message>
        <location filename="../src/widgets/foldingbox.cpp" line="+67"/>
        <source>%1 ausklappen</source>
        <translation>Unfold %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 einklappen</source>
        <translation>Fold %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::Form1</name>
    <message>
        <location filename="../src/windows/main/form1.cpp" line="+57"/>
        <source>Kommentare an/aus</source>
        <translation>Comments on/off</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Laden</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Analyse und Anzeige öffnen</source>
        <translation>Open analysis and display</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Analyse und Anzeige</source>
        <translation>Analysis and display</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Schuss- eingabe öffnen</source>
        <translation>Open shot entry</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Schusseingabe</source>
        <translation>Shot entry</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Schusszeit analyse</source>
        <translation>Shot time analysis</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Schüsse importieren …</source>
        <translation>Import shots …</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Vereinsserver …</source>
        <translation>Club server …</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Trainer …</source>
        <translation>Coach …</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Treffer erst nach der Serie zeigen</source>
        <translation>Show hits only after the series</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Elektronische Scheibe</source>
        <translation>Electronic target</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Sektoren</source>
        <translation>Sectors</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ringe</source>
        <translation>Rings</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Ansagegenauigkeit:</source>
        <translation>Call accuracy:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ansage%:</source>
        <translation>Call %:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sek*mm:</source>
        <translation>Sec*mm:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Gesamt:</source>
        <translation>Total:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Schnitt</source>
        <translation>Average</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Ansagetraining …</source>
        <translation>Calling training …</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1 von %2 in der Ansage</source>
        <translation>%1 of %2 in the call</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ziel je Serie:</source>
        <translation>Goal for each series:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ansagetraining</source>
        <translation>Calling training</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+59"/>
        <source>Änderungen speichern?</source>
        <translation>Save changes?</translation>
    </message>
</context>
<context>
    <name>ankerblick::FotoEinlesen</name>
    <message>
        <location filename="../src/features/photo/fotoeinlesen.cpp" line="+87"/>
        <source>Foto einlesen</source>
        <translation>Read a photo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Übernehmen</source>
        <translation>Take over</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Es ist kein Loch gesetzt, das übernommen werden kann.</source>
        <translation>No hole is set that could be taken over.</translation>
    </message>
</context>
<context>
    <name>ankerblick::HandbookWindow</name>
    <message>
        <location filename="../src/widgets/handbook.cpp" line="+68"/>
        <source>Ankerblick – Handbuch</source>
        <translation>Ankerblick – Handbook</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>◀ Zurück</source>
        <translation>◀ Back</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vor ▶</source>
        <translation>Forward ▶</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Suchen (Eingabe: nächste Stelle)</source>
        <translation>Search (Enter: next place)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Gefunden in:</source>
        <translation>Found in:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Inhalt</source>
        <translation>Contents</translation>
    </message>
    <message>
        <location line="+142"/>
        <source>Nichts gefunden.</source>
        <translation>Nothing found.</translation>
    </message>
</context>
<context>
    <name>ankerblick::LinkIndicator</name>
    <message>
        <location filename="../src/features/targetlink/targetlinkpanel.cpp" line="+22"/>
        <source>an</source>
        <translation>on</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>aus</source>
        <translation>off</translation>
    </message>
</context>
<context>
    <name>ankerblick::LocalTrainings</name>
    <message>
        <location filename="../src/features/diary/trainingsource.cpp" line="-131"/>
        <source>Die Trainings werden gelesen …</source>
        <translation>Reading the trainings …</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Noch keine Trainings im Tagebuch.</source>
        <translation>No trainings in the diary yet.</translation>
    </message>
</context>
<context>
    <name>ankerblick::Match</name>
    <message>
        <location filename="../src/sheets/match.cpp" line="+155"/>
        <source>Wettkampf beendet</source>
        <translation>Match finished</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Probe</source>
        <translation>Sighters</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wertung</source>
        <translation>Match</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>%1 Schuss: %2 (%3), Innenzehner %4, Hochrechnung %5</source>
        <translation>%1 shots: %2 (%3), inner tens %4, projection %5</translation>
    </message>
    <message>
        <location line="-53"/>
        <source>%1 – Serie %2 von %3</source>
        <translation>%1 – series %2 of %3</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Probe %1</source>
        <translation>Sighters %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wertung %1</source>
        <translation>Match %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 %2</source>
        <comment>the match&apos;s state, the series&apos; time left</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 – Achtung</source>
        <translation>%1 – attention</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Wettkampf %1</source>
        <translation>Match %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Innenzehner: %1</source>
        <translation>Inner tens: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wertungsschüsse: %1 von %2</source>
        <translation>Match shots: %1 of %2</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Probeschüsse: %1</source>
        <translation>Sighting shots: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nach Zeit (mit 0 gewertet): %1</source>
        <translation>After time (scored 0): %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::MatchController</name>
    <message>
        <location filename="../src/windows/shared/matchcontroller.cpp" line="+107"/>
        <source>Die Probezeit ist abgelaufen: Wertung</source>
        <translation>Sighting time is over: match</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Noch 5 Minuten</source>
        <translation>5 minutes left</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Die Zeit ist abgelaufen: weitere Schüsse zählen 0</source>
        <translation>Time is up: further shots count 0</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Stellungswechsel: %1</source>
        <translation>Change of position: %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::MatchPanel</name>
    <message>
        <location filename="../src/windows/shared/matchpanel.cpp" line="+26"/>
        <source>Wettkampf</source>
        <translation>Match</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Stellung: %1</source>
        <translation>Position: %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::MatchResultWindow</name>
    <message>
        <location filename="../src/windows/shared/matchresult.cpp" line="+26"/>
        <source>Wettkampfergebnis</source>
        <translation>Match result</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wettkampfergebnis.pdf</source>
        <translation>Match result.pdf</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Das Ergebnis konnte nicht als &quot;%1&quot; gespeichert werden.</source>
        <translation>The result could not be saved as &quot;%1&quot;.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Serie</source>
        <translation>Series</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ringe</source>
        <translation>Rings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>mit Zehnteln</source>
        <translation>With tenths</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Gesamt</source>
        <translation>Total</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Auswertung der Wertungsschüsse</source>
        <translation>Evaluation of the match shots</translation>
    </message>
</context>
<context>
    <name>ankerblick::OpenCvCameraService</name>
    <message>
        <location filename="../src/platform/opencvcamera.cpp" line="+23"/>
        <source>Kamera %1</source>
        <translation>Camera %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::OpenTarget</name>
    <message>
        <location filename="../src/files/opentarget.cpp" line="+85"/>
        <source>Ein Schuss der Scheibe hat keine Lage (x, y); er wird nicht eingetragen.</source>
        <translation>A shot of the target has no position (x, y); it is not entered.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ein Schuss der Scheibe ist nicht zu lesen; er wird nicht eingetragen.</source>
        <translation>A shot of the target cannot be read; it is not entered.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Die Scheibe sandte etwas, das kein Datensatz ist; es wird übergangen.</source>
        <translation>The target sent something that is no record; it is passed over.</translation>
    </message>
</context>
<context>
    <name>ankerblick::OpenTargetLink</name>
    <message>
        <location filename="../src/features/targetlink/opentargetlink.cpp" line="+76"/>
        <source>Scheibe nicht erreichbar: %1</source>
        <translation>Target not reachable: %1</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>Ein Schuss der Scheibe ist noch nicht im Tagebuch. Übernehmen?</source>
        <translation>One shot of the target is not in the diary yet. Take it over?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 Schüsse der Scheibe sind noch nicht im Tagebuch. Übernehmen?</source>
        <translation>%1 shots of the target are not in the diary yet. Take them over?</translation>
    </message>
</context>
<context>
    <name>ankerblick::OverallCollector</name>
    <message>
        <location filename="../src/sheets/printcontent.cpp" line="-11"/>
        <source>Gesamtschussbild</source>
        <translation>Overall shot picture</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>+ Trefferlage</source>
        <translation>+ mean point of impact</translation>
    </message>
</context>
<context>
    <name>ankerblick::PhotoImport</name>
    <message>
        <location filename="../src/features/photo/photoimport.cpp" line="+83"/>
        <source>Keine Löcher gefunden. Ein Klick setzt ein Loch, ein Rechtsklick auf ein Loch nimmt es weg.</source>
        <translation>No holes found. A click sets a hole, a right click on a hole takes it away.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1 Loch</source>
        <translation>1 hole</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 Löcher</source>
        <translation>%1 holes</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>„Übernehmen“ trägt sie als neue Serie ein.</source>
        <translation>“Take over” enters them as a new series.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>„Übernehmen“ trägt es als neue Serie ein.</source>
        <translation>“Take over” enters it as a new series.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Mehr als eine Serie fasst: „Übernehmen“ trägt sie als %1 neue Serien ein (je %2, die letzte mit %3).</source>
        <translation>More than a series holds: “Take over” enters them as %1 new series (%2 each, the last with %3).</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1, von oben im Uhrzeigersinn nummeriert. %2</source>
        <translation>%1, numbered clockwise from the top. %2</translation>
    </message>
</context>
<context>
    <name>ankerblick::QtByteStream</name>
    <message>
        <location filename="../src/platform/bytestream.cpp" line="+48"/>
        <source>„%1“ ist keine Adresse einer Scheibe (tcp://HOST:PORT oder serial:PFAD).</source>
        <translation>“%1” is no address of a target (tcp://HOST:PORT or serial:PATH).</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Ankerblick kann keine Verbindung über das Netzwerk aufbauen: Ihm fehlt die Datei libankerblick-stream.so. Bitte Ankerblick neu installieren.</source>
        <translation>Ankerblick cannot connect over the network: its file libankerblick-stream.so is missing. Please reinstall Ankerblick.</translation>
    </message>
</context>
<context>
    <name>ankerblick::QtUserDialogs</name>
    <message>
        <location filename="../src/platform/userdialogs.cpp" line="+79"/>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
    <message>
        <location filename="../src/platform/formdialog.cpp" line="+37"/>
        <location filename="../src/platform/userdialogs.cpp" line="+3"/>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ankerblick::ReportPages</name>
    <message>
        <location filename="../src/features/diary/diaryreport.cpp" line="+183"/>
        <source>Trainingstagebuch</source>
        <translation>Training diary</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Ansagen je Training</source>
        <translation>Calls per training</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 · %2 · %3</source>
        <translation>%1 · %2 · %3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Befund: %1</source>
        <translation>Finding: %1</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Ankerblick · Trainingstagebuch</source>
        <translation>Ankerblick · Training diary</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>ankerblick::RhythmusTrainingshilfeForm</name>
    <message>
        <location filename="../src/features/rhythm/rhythmustrainingshilfeform.cpp" line="+31"/>
        <source>Vorlaufzeit:</source>
        <translation>Lead time:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bis Halteraum:</source>
        <translation>To hold area:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bis Schuss:</source>
        <translation>To shot:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Toleranz bis Absetzen:</source>
        <translation>Tolerance to lowering:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pause:</source>
        <translation>Pause:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Anzahl Durchläufe:</source>
        <translation>Number of rounds:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Vorlaufzeit</source>
        <translation>Lead time</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bis Halteraum</source>
        <translation>To hold area</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bis Schuss</source>
        <translation>To shot</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Toleranz bis Absetzen</source>
        <translation>Tolerance to lowering</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Rhythmus Trainingshilfe</source>
        <translation>Rhythm training aid</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Alle Angaben in Sekunden</source>
        <translation>All times in seconds</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Bereit</source>
        <translation>Ready</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 – Durchlauf %2 von %3</source>
        <translation>%1 – round %2 of %3</translation>
    </message>
</context>
<context>
    <name>ankerblick::Schusseingabe</name>
    <message>
        <location filename="../src/windows/entry/schusseingabe.cpp" line="+30"/>
        <source>Abkommens- eingabe öffnen</source>
        <translation>Open call entry</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Abkommenseingabe</source>
        <translation>Call entry</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Schusseingabe %1</source>
        <translation>Shot entry %1</translation>
    </message>
</context>
<context>
    <name>ankerblick::SeriesFileParser</name>
    <message>
        <location filename="../src/files/seriesfile.cpp" line="-201"/>
        <location line="+39"/>
        <source>Die Zeile ist länger als %1 Zeichen.</source>
        <translation>The line is longer than %1 characters.</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Die Datei endet mitten in den acht Zeilen eines Schusses.</source>
        <translation>The file ends in the middle of the eight lines of a shot.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>%1 enthält mehr Serien, als das Programm auflisten kann (höchstens %2). Die ersten %3 Serien der Datei wurden gelesen, ab Zeile %4 nicht mehr.</source>
        <translation>%1 holds more series than the program can list (at most %2). The first %3 series of the file were read, from line %4 on no more.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 konnte ab Zeile %2 nicht gelesen werden: %3</source>
        <translation>%1 could not be read from line %2 on: %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 ist keine Seriendatei: Sie enthält weder Schüsse noch einen der Abschnitte „$Kommentare$“, „$Schusszeiten$“ und „$Schiesszeiten$“.</source>
        <translation>%1 is no series file: it holds neither shots nor one of the sections “$Kommentare$”, “$Schusszeiten$” and “$Schiesszeiten$”.</translation>
    </message>
</context>
<context>
    <name>ankerblick::SeriesPrintJob</name>
    <message>
        <location filename="../src/features/printing/seriesprintjob.cpp" line="+42"/>
        <source>Achtung! Das Papier muss mindestens Din A 4 Grösse haben. Pro Seite können %1 Serien gedruckt werden. --- Bei Schwarz/Weiss- Druckern kann die Option &apos;Farbig&apos; gewählt werden, gedruckt wird trotzdem s/w.</source>
        <translation>Attention! The paper must be at least A4 size. %1 series are printed on each page. --- On black-and-white printers the option &apos;Colour&apos; may be chosen; the print is black and white all the same.</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Der Druck auf &quot;%1&quot; ist nicht möglich.</source>
        <translation>Printing on &quot;%1&quot; is not possible.</translation>
    </message>
    <message>
        <location line="+93"/>
        <source>Der Druck auf &quot;%1&quot; ist fehlgeschlagen.</source>
        <translation>Printing on &quot;%1&quot; failed.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1 und %2 weitere</source>
        <translation>%1 and %2 more</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Serie %1 konnte nicht gedruckt werden, weil sie sich nicht zeichnen lässt.</source>
        <translation>Series %1 could not be printed because it cannot be drawn.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Die Serien %1 konnten nicht gedruckt werden, weil sie sich nicht zeichnen lassen.</source>
        <translation>Series %1 could not be printed because they cannot be drawn.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 Die übrigen Serien wurden gedruckt.</source>
        <translation>%1 The other series were printed.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 Es wurde nichts gedruckt.</source>
        <translation>%1 Nothing was printed.</translation>
    </message>
</context>
<context>
    <name>ankerblick::ShotFileImport</name>
    <message>
        <location filename="../src/features/diary/shotfileimport.cpp" line="+18"/>
        <source>(keine)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Spalten der Datei</source>
        <translation>Columns of the file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>x in mm (nach rechts):</source>
        <translation>x in mm (to the right):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>y in mm (nach oben):</source>
        <translation>y in mm (upwards):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zeit des Schusses:</source>
        <translation>Time of the shot:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wert:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Probeschuss:</source>
        <translation>Sighter:</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>x und y stehen in verschiedenen Spalten.</source>
        <translation>x and y are in different columns.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Schussdateien (*.csv *.json *.txt);;Alle Dateien (*)</source>
        <translation>Shot files (*.csv *.json *.txt);;All files (*)</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Diese Datei ist schon im Tagebuch.</source>
        <translation>This file is in the diary already.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 Trainings mit zusammen %2 Schüssen übernommen; das erste wird gezeigt.</source>
        <translation>%1 trainings with %2 shots in all taken in; the first is shown.</translation>
    </message>
</context>
<context>
    <name>ankerblick::ShotTimes</name>
    <message>
        <location filename="../src/sheets/shottimes.cpp" line="+18"/>
        <source>Stop %1 s</source>
        <translation>Stop %1 s</translation>
    </message>
</context>
<context>
    <name>ankerblick::SqliteDiary</name>
    <message>
        <location filename="../src/platform/sqlitediary.cpp" line="-163"/>
        <source>Die Datei ist beschädigt.</source>
        <translation>The file is damaged.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Das Trainingstagebuch lässt sich nicht öffnen: %1</source>
        <translation>The training diary cannot be opened: %1</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Die beschädigte Datei ließ sich nicht beiseitelegen.</source>
        <translation>The damaged file could not be put aside.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Das Trainingstagebuch stammt von einer neueren Programmversion und wurde nach %1 verschoben; ein neues wurde angelegt.</source>
        <translation>The training diary comes from a newer version of the program and was moved to %1; a new one was created.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Das Trainingstagebuch war beschädigt und wurde nach %1 verschoben; ein neues wurde angelegt.</source>
        <translation>The training diary was damaged and was moved to %1; a new one was created.</translation>
    </message>
    <message>
        <location line="+171"/>
        <source>Die Datei ist schon im Tagebuch.</source>
        <translation>The file is already in the diary.</translation>
    </message>
</context>
<context>
    <name>ankerblick::TargetLink</name>
    <message>
        <location filename="../src/features/targetlink/targetlink.cpp" line="+68"/>
        <source>Erst Abfrage beenden, dann abmelden.</source>
        <translation>Stop polling first, then log off.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Bitte einen Anschluss wählen.</source>
        <translation>Please choose a port.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Erst Anmelden, dann abfragen.</source>
        <translation>Log on first, then poll.</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+31"/>
        <source>Der Schuss konnte nicht eingetragen werden</source>
        <translation>The shot could not be entered</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>%1 Die Abfrage wurde beendet; der Schuss ist nicht bestätigt. Bitte die Serien speichern und mit „Neu“ von vorn beginnen.</source>
        <translation>%1 Polling was stopped; the shot is not confirmed. Please save the series and begin again with “New”.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 Die Abfrage wurde beendet; der Schuss ist nicht bestätigt und bleibt in der Scheibe, bis die Abfrage wieder läuft.</source>
        <translation>%1 Polling was stopped; the shot is not confirmed and stays in the target until polling runs again.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1, die Verbindung zur Scheibe wurde beendet.</source>
        <translation>%1, the connection to the target was closed.</translation>
    </message>
</context>
<context>
    <name>ankerblick::TargetLinkPanel</name>
    <message>
        <location filename="../src/features/targetlink/targetlinkpanel.cpp" line="+27"/>
        <source>Rika Anschluss</source>
        <translation>Rika port</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Scheibe im Netz …</source>
        <translation>Target on the network …</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Rika An-/ Abmeldung</source>
        <translation>Rika log on/off</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rika Schussabfrage</source>
        <translation>Rika shot polling</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Adresse der Scheibe (tcp://HOST:PORT oder serial:PFAD):</source>
        <translation>Address of the target (tcp://HOST:PORT or serial:PATH):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scheibe im Netz</source>
        <translation>Target on the network</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>nicht erreichbar</source>
        <translation>not reachable</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>verbindet</source>
        <translation>connecting</translation>
    </message>
</context>
<context>
    <name>ankerblick::TargetPanels</name>
    <message>
        <location filename="../src/windows/shared/targetpanels.cpp" line="+106"/>
        <source>Scheibe</source>
        <translation>Target</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Verkleinern</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Vergrößern</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ganze Scheibe</source>
        <translation>Whole face</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Gruppe</source>
        <translation>Group</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Schütze:</source>
        <translation>Shooter:</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Disziplin</source>
        <translation>Discipline</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Serie</source>
        <translation>Series</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Schuss</source>
        <translation>Shot</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Summe:</source>
        <translation>Sum:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Zehntel:</source>
        <translation>Tenths:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Innenzehner:</source>
        <translation>Inner tens:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>alle Serien:</source>
        <translation>All series:</translation>
    </message>
</context>
<context>
    <name>ankerblick::TargetSheet</name>
    <message>
        <location filename="../src/sheets/entrycontext.cpp" line="+11"/>
        <source>Schuss: %1%2</source>
        <translation>Shot: %1%2</translation>
    </message>
</context>
<context>
    <name>ankerblick::TargetWindow</name>
    <message>
        <location filename="../src/windows/shared/targetwindow.cpp" line="+248"/>
        <source>Während eines Wettkampfs kann kein Foto übernommen werden.</source>
        <translation>During a match no photo can be taken over.</translation>
    </message>
    <message>
        <location line="-107"/>
        <source>Weitere Serie</source>
        <translation>Next series</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Neu Berechnen</source>
        <translation>Recalculate</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Schüsse weiß An/Aus</source>
        <translation>White shots on/off</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kommentar</source>
        <translation>Comment</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rhythmus Trainingshilfe</source>
        <translation>Rhythm training aid</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Trainingstagebuch</source>
        <translation>Training diary</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kaliber …</source>
        <translation>Calibre …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Foto einlesen …</source>
        <translation>Read a photo …</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Auswertung</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Während eines Wettkampfs kann kein Foto eingelesen werden.</source>
        <translation>No photo can be read during a match.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Bilder (*.jpg *.jpeg *.png *.bmp)</source>
        <translation>Pictures (*.jpg *.jpeg *.png *.bmp)</translation>
    </message>
    <message>
        <location line="+83"/>
        <source>%1 Bitte die Serien speichern und mit „Neu“ von vorn beginnen.</source>
        <translation>%1 Please save the series and begin again with “New”.</translation>
    </message>
    <message>
        <location line="+28"/>
        <location line="+251"/>
        <source>Änderungen speichern?</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <location line="-229"/>
        <source>Kommentar zu Serie %1, Schuss %2:</source>
        <translation>Comment on series %1, shot %2:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kommentar zu Serie %1:</source>
        <translation>Comment on series %1:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kommentar zum Schuss</source>
        <translation>Comment on the shot</translation>
    </message>
    <message>
        <location line="+156"/>
        <source>Klicken Sie, wo die Visierung beim Schuss stand (Ansage)</source>
        <translation>Click where the sights were when the shot broke (the call)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Klicken Sie, wo der Schuss getroffen hat</source>
        <translation>Click where the shot hit</translation>
    </message>
    <message>
        <location line="+35"/>
        <location line="+31"/>
        <source>Wettkampf</source>
        <translation>Match</translation>
    </message>
    <message>
        <location line="-31"/>
        <source>Wettkampf …</source>
        <translation>Match …</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Probe beenden</source>
        <translation>End sighters</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Serie starten</source>
        <translation>Start series</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+61"/>
        <source>Wettkampf beenden</source>
        <translation>End match</translation>
    </message>
    <message>
        <location line="-49"/>
        <source>Den laufenden Wettkampf beenden?</source>
        <translation>End the running match?</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Programm:</source>
        <translation>Programme:</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Noch %1 von %2 Wettkampfschüssen offen. Den Wettkampf jetzt beenden?</source>
        <translation>%1 of %2 match shots still to go. End the match now?</translation>
    </message>
</context>
<context>
    <name>ankerblick::ValueTimeAnalysis</name>
    <message>
        <location filename="../src/features/timeanalysis/valuetimeanalysis.cpp" line="+82"/>
        <source>Es gibt noch keine Schusszeiten zum Anzeigen.</source>
        <translation>There are no shot times to show yet.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Es gibt noch keine Schiesszeiten zum Anzeigen.</source>
        <translation>There are no shooting times to show yet.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Schusswert/Zeit Analyse</source>
        <translation>Shot value/time analysis</translation>
    </message>
</context>
</TS>
