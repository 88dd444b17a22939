<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
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
    <name>WindowMenu</name>
    <message>
        <location filename="../src/windows/shared/windowmenu.cpp" line="+75"/>
        <source>Handbuch</source>
        <translation>Handbook</translation>
    </message>
</context>
<context>
    <name>ankerblick::HandbookWindow</name>
    <message>
        <location filename="../src/widgets/handbook.cpp" line="+64"/>
        <source>Ankerblick – Handbuch</source>
        <translation>Ankerblick – Handbook</translation>
    </message>
    <message>
        <location line="+2"/>
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
        <location line="+139"/>
        <source>Nichts gefunden.</source>
        <translation>Nothing found.</translation>
    </message>
</context>
</TS>
