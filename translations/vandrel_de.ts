<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Command_Line</name>
    <message>
        <source>Resamples and adjusts a table of values over a position axis.
Without --export, opens the window (with FILE if given).
Exit status: %1 success, %2 a file could not be read or written, %3 a usage error.</source>
        <translation>Tastet eine Wertetabelle über einer Positionsachse neu ab und passt sie an.
Ohne --export wird das Fenster geöffnet (mit DATEI, falls angegeben).
Exit-Status: %1 Erfolg, %2 Datei nicht lesbar oder schreibbar, %3 Aufruffehler.</translation>
    </message>
    <message>
        <source>Reads FILE and writes OUT, no window: .vandrel (the document), .csv (output table with a header), .tsv (output table, tab-separated), - (CSV on standard output), .png, .svg or .pdf (the graph).</source>
        <translation>Liest DATEI und schreibt ZIEL, ohne Fenster: .vandrel (das Dokument), .csv (Ausgabetabelle mit Kopfzeile), .tsv (Ausgabetabelle, tabulatorgetrennt), - (CSV auf die Standardausgabe), .png, .svg oder .pdf (das Diagramm).</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>ZIEL</translation>
    </message>
    <message>
        <source>The size of an exported graph in pixels (default 800x600).</source>
        <translation>Die Größe eines exportierten Diagramms in Pixeln (Vorgabe 800x600).</translation>
    </message>
    <message>
        <source>WxH</source>
        <translation>BxH</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>A Vandrel document (.vandrel), or a data file (.csv, .tsv, .txt) read into the input of a new document.</source>
        <translation>Ein Vandrel-Dokument (.vandrel) oder eine Datendatei (.csv, .tsv, .txt), die in die Eingabe eines neuen Dokuments gelesen wird.</translation>
    </message>
    <message>
        <source>[FILE]</source>
        <translation>[DATEI]</translation>
    </message>
    <message>
        <source>--export needs exactly one FILE to read.</source>
        <translation>--export braucht genau eine DATEI zum Lesen.</translation>
    </message>
    <message>
        <source>--export cannot tell the format of %1: its name must end in .vandrel, .csv, .tsv, .png, .svg or .pdf, or be -.</source>
        <translation>--export kann das Format von %1 nicht bestimmen: Der Name muss auf .vandrel, .csv, .tsv, .png, .svg oder .pdf enden oder - sein.</translation>
    </message>
    <message>
        <source>--size applies only to a graph (.png, .svg, .pdf).</source>
        <translation>--size gilt nur für ein Diagramm (.png, .svg, .pdf).</translation>
    </message>
    <message>
        <source>--size must be WIDTHxHEIGHT in whole pixels from 1 to %1, not &quot;%2&quot;.</source>
        <translation>--size muss BREITExHÖHE in ganzen Pixeln von 1 bis %1 sein, nicht „%2“.</translation>
    </message>
    <message>
        <source>Cannot write to standard output: %1.</source>
        <translation>In die Standardausgabe kann nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>--export would write over the file it reads, %1; give OUT another name.</source>
        <translation>--export würde die gelesene Datei %1 überschreiben; geben Sie ZIEL einen anderen Namen.</translation>
    </message>
    <message>
        <source>--size applies only with --export.</source>
        <translation>--size gilt nur zusammen mit --export.</translation>
    </message>
    <message>
        <source>Vandrel opens one document at a time.</source>
        <translation>Vandrel öffnet jeweils nur ein Dokument.</translation>
    </message>
</context>
<context>
    <name>Data_Import</name>
    <message>
        <source>Cannot import &quot;%1&quot;: %2.</source>
        <translation>„%1“ kann nicht importiert werden: %2.</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes</source>
        <translation>Zeile %1 ist länger als %2 Byte</translation>
    </message>
    <message>
        <source>the record that begins on line %1 runs on over more than %2 bytes; a quoted field in it may lack its closing quote</source>
        <translation>Der Datensatz, der in Zeile %1 beginnt, reicht über mehr als %2 Byte; vielleicht fehlt einem Feld in Anführungszeichen das schließende Anführungszeichen</translation>
    </message>
    <message>
        <source>it has more than %1 fields, far more than a table&apos;s %2 rows of position and value</source>
        <translation>Die Datei hat mehr als %1 Felder, weit mehr als die %2 Zeilen einer Tabelle mit Position und Wert</translation>
    </message>
    <message>
        <source>has %1 columns, but a file holds one column of values or two of positions and values</source>
        <translation>hat %1 Spalten, eine Datei enthält aber eine Spalte mit Werten oder zwei mit Positionen und Werten</translation>
    </message>
    <message>
        <source>has %1 fields where %2 are expected</source>
        <translation>hat %1 Felder, erwartet werden %2</translation>
    </message>
    <message>
        <source>is not a line of numbers</source>
        <translation>ist keine Zeile aus Zahlen</translation>
    </message>
    <message>
        <source>it has more than %1 lines of numbers, the most a table holds</source>
        <translation>Die Datei hat mehr als %1 Zeilen mit Zahlen, die Höchstzahl einer Tabelle</translation>
    </message>
    <message>
        <source>it has more than %1 lines before its first line of numbers</source>
        <translation>Die Datei hat mehr als %1 Zeilen vor ihrer ersten Zeile mit Zahlen</translation>
    </message>
    <message>
        <source>line %1 %2: %3</source>
        <translation>Zeile %1 %2: %3</translation>
    </message>
    <message>
        <source>its positions are %1 apart%2, but the input&apos;s rows are at least %3 apart, so the positions cannot be kept; multiply them by %4 (giving them in a smaller unit), or delete the position column to import the values alone, one per row</source>
        <translation>Die Positionen der Datei liegen%2 %1 auseinander, die Zeilen der Eingabe aber mindestens %3, daher können die Positionen nicht übernommen werden; multiplizieren Sie sie mit %4 (Angabe in einer kleineren Einheit) oder löschen Sie die Positionsspalte, um nur die Werte zu importieren, einen je Zeile</translation>
    </message>
    <message>
        <source> on average</source>
        <translation> im Mittel</translation>
    </message>
    <message>
        <source>it needs at least two lines of position and value</source>
        <translation>Die Datei braucht mindestens zwei Zeilen mit Position und Wert</translation>
    </message>
    <message>
        <source>a position lies beyond %1</source>
        <translation>Eine Position liegt jenseits von %1</translation>
    </message>
    <message>
        <source>all its positions are the same</source>
        <translation>Alle Positionen der Datei sind gleich</translation>
    </message>
    <message>
        <source>it contains no numbers</source>
        <translation>Die Datei enthält keine Zahlen</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Imported %1 rows from %2.</source>
        <translation>%1 Zeilen aus %2 importiert.</translation>
    </message>
    <message>
        <source>Resampled %1 onto %2 evenly spaced rows from %3 to %4 by %5.</source>
        <translation>%1 auf %2 gleichmäßig verteilte Zeilen von %3 bis %4 in Schritten von %5 neu abgetastet.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>Document_File</name>
    <message>
        <source>it is not a Vandrel document (no &quot;vandrel&quot; version number)</source>
        <translation>Die Datei ist kein Vandrel-Dokument (keine Versionsnummer „vandrel“)</translation>
    </message>
    <message>
        <source>it was written by a newer Vandrel (format version %1)</source>
        <translation>Die Datei wurde von einem neueren Vandrel geschrieben (Formatversion %1)</translation>
    </message>
    <message>
        <source>its format version %1 is unknown</source>
        <translation>Die Formatversion %1 ist unbekannt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no number &quot;%2&quot;</source>
        <translation>„%1“ hat keine Zahl „%2“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no list &quot;%2&quot;</source>
        <translation>„%1“ hat keine Liste „%2“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has %2 %3, but its range has %4 rows</source>
        <translation>„%1“ hat %2 Einträge in „%3“, sein Bereich aber %4 Zeilen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; %2 number %3 is not a number</source>
        <translation>In „%1“ ist Eintrag %3 von „%2“ keine Zahl</translation>
    </message>
    <message>
        <source>it has no &quot;%1&quot; section</source>
        <translation>Der Abschnitt „%1“ fehlt</translation>
    </message>
    <message>
        <source>&quot;zero_offset&quot; is neither true nor false</source>
        <translation>„zero_offset“ ist weder true noch false</translation>
    </message>
    <message>
        <source>&quot;interpolation&quot; is not the name of a way to join offsets</source>
        <translation>„interpolation“ nennt keine Interpolationsart</translation>
    </message>
    <message>
        <source>its &quot;interpolation&quot; &quot;%1&quot; is unknown (known are &quot;%2&quot;, &quot;%3&quot; and &quot;%4&quot;)</source>
        <translation>Die Interpolationsart „%1“ unter „interpolation“ ist unbekannt (bekannt sind „%2“, „%3“ und „%4“)</translation>
    </message>
    <message>
        <source>it is not valid JSON (%1 at byte %2)</source>
        <translation>Die Datei ist kein gültiges JSON (%1 bei Byte %2)</translation>
    </message>
    <message>
        <source>it is not a Vandrel document (no JSON object)</source>
        <translation>Die Datei ist kein Vandrel-Dokument (kein JSON-Objekt)</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>%1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Cannot save %1: %2.</source>
        <translation>%1 kann nicht gespeichert werden: %2.</translation>
    </message>
</context>
<context>
    <name>Document_Scan</name>
    <message>
        <source>it nests lists and objects more than %1 deep (at byte %2)</source>
        <translation>Listen und Objekte sind darin mehr als %1 Ebenen tief verschachtelt (bei Byte %2)</translation>
    </message>
    <message>
        <source>its &quot;%1&quot; list holds more than %2 entries, the most a table has (at byte %3)</source>
        <translation>Die Liste „%1“ hat mehr als %2 Einträge, die Höchstzahl einer Tabelle (bei Byte %3)</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; appears twice in one object (at byte %2)</source>
        <translation>Der Schlüssel „%1“ kommt in einem Objekt zweimal vor (bei Byte %2)</translation>
    </message>
    <message>
        <source>more than %1 of it is data that Vandrel does not read (under keys it does not know, or lists and objects where numbers belong; at byte %2)</source>
        <translation>Mehr als %1 davon sind Daten, die Vandrel nicht liest (unter unbekannten Schlüsseln oder Listen und Objekte, wo Zahlen hingehören; bei Byte %2)</translation>
    </message>
    <message>
        <source>a key, text or number in it is longer than %1 bytes (at byte %2)</source>
        <translation>Ein Schlüssel, Text oder eine Zahl darin ist länger als %1 Byte (bei Byte %2)</translation>
    </message>
</context>
<context>
    <name>File_Formats</name>
    <message>
        <source>Vandrel documents</source>
        <translation>Vandrel-Dokumente</translation>
    </message>
    <message>
        <source>CSV table</source>
        <translation>CSV-Tabelle</translation>
    </message>
    <message>
        <source>Tab-separated table</source>
        <translation>Tabulatorgetrennte Tabelle</translation>
    </message>
    <message>
        <source>Text file</source>
        <translation>Textdatei</translation>
    </message>
    <message>
        <source>PNG image</source>
        <translation>PNG-Bild</translation>
    </message>
    <message>
        <source>SVG drawing</source>
        <translation>SVG-Zeichnung</translation>
    </message>
    <message>
        <source>PDF document</source>
        <translation>PDF-Dokument</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Data files (%1 %2 %3)</source>
        <translation>Datendateien (%1 %2 %3)</translation>
    </message>
</context>
<context>
    <name>Graph_Export</name>
    <message>
        <source>Input Data: Blue  Output Data:Red</source>
        <translation>Eingabedaten: blau  Ausgabedaten: rot</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Cannot save the graph as &quot;%1&quot;: %2.</source>
        <translation>Das Diagramm kann nicht als „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>the name must end in .png, .svg or .pdf</source>
        <translation>Der Name muss auf .png, .svg oder .pdf enden</translation>
    </message>
    <message>
        <source>a size of %1 x %2 is not from 1 to %3 on each side</source>
        <translation>Eine Größe von %1 x %2 liegt nicht auf jeder Seite zwischen 1 und %3</translation>
    </message>
    <message>
        <source>the graph could not be drawn</source>
        <translation>Das Diagramm konnte nicht gezeichnet werden</translation>
    </message>
</context>
<context>
    <name>Help_Dialogs</name>
    <message>
        <source>&lt;h3&gt;Vandrel %1&lt;/h3&gt;&lt;p&gt;Resamples and adjusts a table of values over a position axis: the input plus offsets interpolated in straight lines, by a monotone cubic or by a natural spline gives the output.&lt;/p&gt;&lt;p&gt;Copyright &amp;copy; the Vandrel developers.&lt;br&gt;Distributed under the MIT licence, without any warranty.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Vandrel %1&lt;/h3&gt;&lt;p&gt;Tastet eine Wertetabelle über einer Positionsachse neu ab und passt sie an: Die Eingabe plus Offsets, interpoliert in geraden Linien, monoton kubisch oder mit einem natürlichen Spline, ergibt die Ausgabe.&lt;/p&gt;&lt;p&gt;Copyright &amp;copy; die Vandrel-Entwickler.&lt;br&gt;Verbreitet unter der MIT-Lizenz, ohne jede Gewährleistung.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Vandrel</source>
        <translation>Ü&amp;ber Vandrel</translation>
    </message>
    <message>
        <source>About Vandrel</source>
        <translation>Über Vandrel</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
</context>
<context>
    <name>Imported_Document</name>
    <message>
        <source>its %1 values do not fit an input range from %2 by %3</source>
        <translation>Die %1 Werte der Datei passen in keinen Eingabebereich ab %2 mit Schrittweite %3</translation>
    </message>
</context>
<context>
    <name>Range_Group</name>
    <message>
        <source>Start Position:</source>
        <translation>Startposition:</translation>
    </message>
    <message>
        <source>Increment:</source>
        <translation>Schrittweite:</translation>
    </message>
    <message>
        <source>End Position:</source>
        <translation>Endposition:</translation>
    </message>
    <message>
        <source>Count:</source>
        <translation>Anzahl:</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>&quot;%1&quot; is not a text</source>
        <translation>„%1“ ist kein Text</translation>
    </message>
    <message>
        <source>No recovery file is free in %1.</source>
        <translation>In %1 ist keine Wiederherstellungsdatei frei.</translation>
    </message>
</context>
<context>
    <name>Safe_File</name>
    <message>
        <source>a data file</source>
        <translation>eine Datendatei</translation>
    </message>
    <message>
        <source>a Vandrel document</source>
        <translation>ein Vandrel-Dokument</translation>
    </message>
    <message>
        <source>it is too large (%1 bytes) to be %2, which has at most %3</source>
        <translation>Die Datei ist zu groß (%1 Byte) für %2; erlaubt sind höchstens %3</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a FIFO (a named pipe)</source>
        <translation>ein FIFO (eine benannte Pipe)</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a file of another kind</source>
        <translation>eine Datei anderer Art</translation>
    </message>
    <message>
        <source>it is a link to %1, not a regular file</source>
        <translation>Es ist eine Verknüpfung, deren Ziel %1 ist, keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>Es ist %1, keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>Es ist eine Verknüpfung auf eine Datei, die nicht existiert</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>Die Datei existiert nicht</translation>
    </message>
    <message>
        <source>you have no permission to read it</source>
        <translation>Sie haben keine Berechtigung, die Datei zu lesen</translation>
    </message>
    <message>
        <source>it is a link in a loop of links</source>
        <translation>Es ist eine Verknüpfung in einer Schleife von Verknüpfungen</translation>
    </message>
    <message>
        <source>it is a folder, not a regular file</source>
        <translation>Es ist ein Ordner, keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>Es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>a settings file</source>
        <translation>eine Einstellungsdatei</translation>
    </message>
</context>
<context>
    <name>Settings_File</name>
    <message>
        <source>Cannot read the settings file %1: %2. Vandrel starts with its default settings and leaves the file as it is; settings changed now are not saved.</source>
        <translation>Die Einstellungsdatei %1 kann nicht gelesen werden: %2. Vandrel startet mit den Standardeinstellungen und lässt die Datei unverändert; jetzt geänderte Einstellungen werden nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>TData_Commands</name>
    <message>
        <source>&amp;Import Data…</source>
        <translation>Daten &amp;importieren…</translation>
    </message>
    <message>
        <source>&amp;Export Output…</source>
        <translation>Ausgabe e&amp;xportieren…</translation>
    </message>
    <message>
        <source>Export &amp;Graph…</source>
        <translation>&amp;Diagramm exportieren…</translation>
    </message>
    <message>
        <source>Export Output</source>
        <translation>Ausgabe exportieren</translation>
    </message>
    <message>
        <source>Cannot export the output as &quot;%1&quot;: the name must end in .csv or .tsv.</source>
        <translation>Die Ausgabe kann nicht als „%1“ exportiert werden: Der Name muss auf .csv oder .tsv enden.</translation>
    </message>
    <message>
        <source>Exported the output to %1.</source>
        <translation>Ausgabe nach %1 exportiert.</translation>
    </message>
    <message>
        <source>Export Graph</source>
        <translation>Diagramm exportieren</translation>
    </message>
    <message>
        <source>Exported the graph to %1.</source>
        <translation>Diagramm nach %1 exportiert.</translation>
    </message>
</context>
<context>
    <name>TEditTable</name>
    <message>
        <source>&amp;Cut</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>C&amp;opy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Invert Sign</source>
        <translation>Vorzeichen &amp;umkehren</translation>
    </message>
    <message>
        <source>Interpolate</source>
        <translation>Interpolieren</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Addieren</translation>
    </message>
    <message>
        <source>Multiply</source>
        <translation>Multiplizieren</translation>
    </message>
    <message>
        <source>Set Value</source>
        <translation>Wert setzen</translation>
    </message>
    <message>
        <source>Invert Sign</source>
        <translation>Vorzeichen umkehren</translation>
    </message>
    <message>
        <source>Cut values</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Delete values</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Paste values</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Werteingabe</translation>
    </message>
</context>
<context>
    <name>TEdit_Commands</name>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Interpolate</source>
        <translation>&amp;Interpolieren</translation>
    </message>
    <message>
        <source>&amp;Add…</source>
        <translation>A&amp;ddieren…</translation>
    </message>
    <message>
        <source>&amp;Multiply…</source>
        <translation>&amp;Multiplizieren…</translation>
    </message>
    <message>
        <source>&amp;Set Value…</source>
        <translation>Wert &amp;setzen…</translation>
    </message>
    <message>
        <source>In&amp;vert Sign</source>
        <translation>&amp;Vorzeichen umkehren</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Addieren</translation>
    </message>
    <message>
        <source>Multiply</source>
        <translation>Multiplizieren</translation>
    </message>
    <message>
        <source>Set Value</source>
        <translation>Wert setzen</translation>
    </message>
</context>
<context>
    <name>TFile_Commands</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>TGraphWidget</name>
    <message>
        <source>Fit to Data</source>
        <translation>An Daten anpassen</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Herauszoomen</translation>
    </message>
    <message>
        <source>Copy Image</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Export Image...</source>
        <translation>Bild exportieren...</translation>
    </message>
    <message>
        <source>Round Tick Numbers</source>
        <translation>Runde Skalenwerte</translation>
    </message>
    <message>
        <source>Graph Menu</source>
        <translation>Diagrammmenü</translation>
    </message>
    <message>
        <source>V Title</source>
        <translation>V-Titel</translation>
    </message>
    <message>
        <source>H Title</source>
        <translation>H-Titel</translation>
    </message>
    <message>
        <source>Sample Graph</source>
        <translation>Beispieldiagramm</translation>
    </message>
</context>
<context>
    <name>TGraph_Editing</name>
    <message>
        <source>Select Previous Point</source>
        <translation>Vorherigen Punkt auswählen</translation>
    </message>
    <message>
        <source>Select Next Point</source>
        <translation>Nächsten Punkt auswählen</translation>
    </message>
    <message>
        <source>Raise Points One Step</source>
        <translation>Punkte um einen Schritt anheben</translation>
    </message>
    <message>
        <source>Lower Points One Step</source>
        <translation>Punkte um einen Schritt absenken</translation>
    </message>
    <message>
        <source>Raise Points Ten Steps</source>
        <translation>Punkte um zehn Schritte anheben</translation>
    </message>
    <message>
        <source>Lower Points Ten Steps</source>
        <translation>Punkte um zehn Schritte absenken</translation>
    </message>
    <message>
        <source>Type Point Offset…</source>
        <translation>Offset der Punkte eingeben…</translation>
    </message>
    <message>
        <source>Set Point Offsets to 0</source>
        <translation>Offsets der Punkte auf 0 setzen</translation>
    </message>
    <message>
        <source>position %1   offset %2   output %3</source>
        <translation>Position %1   Offset %2   Ausgabe %3</translation>
    </message>
    <message>
        <source>Move Offsets</source>
        <translation>Offsets verschieben</translation>
    </message>
    <message>
        <source>Delete Offsets</source>
        <translation>Offsets löschen</translation>
    </message>
    <message>
        <source>Type Offset</source>
        <translation>Offset eingeben</translation>
    </message>
</context>
<context>
    <name>TInterpolationGraphDialog</name>
    <message>
        <source>Graph Data</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Export Image...</source>
        <translation>Bild exportieren...</translation>
    </message>
    <message>
        <source>Copy Image</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Export Graph</source>
        <translation>Diagramm exportieren</translation>
    </message>
</context>
<context>
    <name>TInterpolation_Choice</name>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Monotone cubic</source>
        <translation>Monoton kubisch</translation>
    </message>
    <message>
        <source>Natural spline</source>
        <translation>Natürlicher Spline</translation>
    </message>
</context>
<context>
    <name>TShortcuts_Dialog</name>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
</context>
<context>
    <name>TVandrel</name>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Input Data</source>
        <translation>Eingabedaten</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>Interpolation:</source>
        <translation>Interpolation:</translation>
    </message>
    <message>
        <source>Output Data</source>
        <translation>Ausgabedaten</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>In Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Vandrel © 2026 the Vandrel developers</source>
        <extracomment>The program&apos;s name, then the people who hold its copyright.</extracomment>
        <translation>Vandrel © 2026 die Vandrel-Entwickler</translation>
    </message>
    <message>
        <source>Zero Offset Data</source>
        <translation>Nullabgleich</translation>
    </message>
    <message>
        <source>Show Graph</source>
        <translation>Diagramm anzeigen</translation>
    </message>
    <message>
        <source>Display Precision:</source>
        <translation>Nachkommastellen:</translation>
    </message>
    <message>
        <source>Enter Down</source>
        <translation>Enter nach unten</translation>
    </message>
    <message>
        <source>Enter Up</source>
        <translation>Enter nach oben</translation>
    </message>
    <message>
        <source>Data Only</source>
        <translation>Nur Daten</translation>
    </message>
    <message>
        <source>Position and Data</source>
        <translation>Position und Daten</translation>
    </message>
    <message numerus="yes">
        <source>%n pasted field(s) not a number: the cells kept their values.</source>
        <translation>
            <numerusform>%n eingefügtes Feld ist keine Zahl: Die Zelle behält ihren Wert.</numerusform>
            <numerusform>%n eingefügte Felder sind keine Zahlen: Die Zellen behalten ihre Werte.</numerusform>
        </translation>
    </message>
    <message>
        <source>Hide Graph</source>
        <translation>Diagramm ausblenden</translation>
    </message>
</context>
<context>
    <name>Tool_Tips</name>
    <message>
        <source>text that is no number is refused, nan and inf count as 0, and positions stay within ±%1</source>
        <translation>Text, der keine Zahl ist, wird abgewiesen, nan und inf zählen als 0, und Positionen bleiben innerhalb von ±%1</translation>
    </message>
    <message>
        <source>Position of the first input row; a new start lays the rows out again from start, increment and end (%1).</source>
        <translation>Position der ersten Eingabezeile; ein neuer Start legt die Zeilen aus Start, Schrittweite und Ende neu an (%1).</translation>
    </message>
    <message>
        <source>Spacing of the input rows, at least 1 in size and pointing from start to end, widened where the range would need more than %1 rows; a new increment moves the end.</source>
        <translation>Abstand der Eingabezeilen, mindestens 1 groß und vom Start zum Ende gerichtet, vergrößert, wo der Bereich mehr als %1 Zeilen bräuchte; eine neue Schrittweite verschiebt das Ende.</translation>
    </message>
    <message>
        <source>Position of the last input row; a new end lays the rows out again from start, increment and end (%1).</source>
        <translation>Position der letzten Eingabezeile; ein neues Ende legt die Zeilen aus Start, Schrittweite und Ende neu an (%1).</translation>
    </message>
    <message>
        <source>Number of input rows, at least 2 and at most %1; a new count moves the end to start + (count − 1) × increment.</source>
        <translation>Anzahl der Eingabezeilen, mindestens 2 und höchstens %1; eine neue Anzahl verschiebt das Ende auf Start + (Anzahl − 1) × Schrittweite.</translation>
    </message>
    <message>
        <source>Position of the first offset; a new start lays the editor rows out again and clears every offset to 0 (%1).</source>
        <translation>Position des ersten Offsets; ein neuer Start legt die Editorzeilen neu an und setzt jeden Offset auf 0 zurück (%1).</translation>
    </message>
    <message>
        <source>Spacing of the offsets, at least as coarse as the input increment and pointing from start to end, widened where the range would need more than %1 rows; a new increment moves the end.</source>
        <translation>Abstand der Offsets, mindestens so grob wie die Schrittweite der Eingabe und vom Start zum Ende gerichtet, vergrößert, wo der Bereich mehr als %1 Zeilen bräuchte; eine neue Schrittweite verschiebt das Ende.</translation>
    </message>
    <message>
        <source>Position of the last offset; a new end lays the editor rows out again and clears every offset to 0 (%1).</source>
        <translation>Position des letzten Offsets; ein neues Ende legt die Editorzeilen neu an und setzt jeden Offset auf 0 zurück (%1).</translation>
    </message>
    <message>
        <source>Number of offsets, at least 2 and at most %1; a new count moves the end to start + (count − 1) × increment.</source>
        <translation>Anzahl der Offsets, mindestens 2 und höchstens %1; eine neue Anzahl verschiebt das Ende auf Start + (Anzahl − 1) × Schrittweite.</translation>
    </message>
    <message>
        <source>Position of the first output row, always the input&apos;s start.</source>
        <translation>Position der ersten Ausgabezeile, immer der Start der Eingabe.</translation>
    </message>
    <message>
        <source>Spacing of the output rows, always the input&apos;s increment.</source>
        <translation>Abstand der Ausgabezeilen, immer die Schrittweite der Eingabe.</translation>
    </message>
    <message>
        <source>Position of the last output row, always the input&apos;s end.</source>
        <translation>Position der letzten Ausgabezeile, immer das Ende der Eingabe.</translation>
    </message>
    <message>
        <source>Number of output rows, always the input&apos;s count.</source>
        <translation>Anzahl der Ausgabezeilen, immer die Anzahl der Eingabe.</translation>
    </message>
    <message>
        <source>When on, the output value at position 0 is subtracted from every output value, so that the output passes through 0 there.</source>
        <translation>Wenn eingeschaltet, wird der Ausgabewert an Position 0 von jedem Ausgabewert abgezogen, sodass die Ausgabe dort durch 0 geht.</translation>
    </message>
    <message>
        <source>Decimals shown in the tables and range fields and copied to the clipboard, from 1 to 9; the stored values keep their full precision.</source>
        <translation>Nachkommastellen, die in den Tabellen und Bereichsfeldern angezeigt und in die Zwischenablage kopiert werden, von 1 bis 9; die gespeicherten Werte behalten ihre volle Genauigkeit.</translation>
    </message>
    <message>
        <source>What Copy to Clipboard writes on each line: the output value alone, or its position and value separated by a tab.</source>
        <translation>Was „In Zwischenablage kopieren“ in jede Zeile schreibt: nur den Ausgabewert oder Position und Wert, durch einen Tabulator getrennt.</translation>
    </message>
    <message>
        <source>How the offsets are joined between the editor&apos;s points: Linear in straight lines, Monotone cubic in a smooth curve that never leaves the range of the two points it joins, Natural spline in the smoothest curve, which may swing beyond them; beyond the editor&apos;s range each goes on straight with the slope at its end.</source>
        <translation>Wie die Offsets zwischen den Punkten des Editors verbunden werden: Linear in geraden Linien, Monoton kubisch in einer glatten Kurve, die den Bereich der beiden verbundenen Punkte nie verlässt, Natürlicher Spline in der glattesten Kurve, die über sie hinausschwingen kann; jenseits des Editorbereichs setzt sich jede Art gerade mit der Steigung an ihrem Ende fort.</translation>
    </message>
</context>
<context>
    <name>Undo_Steps</name>
    <message>
        <source>Drag Offsets</source>
        <translation>Offsets ziehen</translation>
    </message>
    <message>
        <source>Input Range</source>
        <translation>Eingabebereich</translation>
    </message>
    <message>
        <source>Editor Range</source>
        <translation>Editorbereich</translation>
    </message>
    <message>
        <source>Zero Offset</source>
        <translation>Nullabgleich</translation>
    </message>
    <message>
        <source>Interpolation</source>
        <translation>Interpolationsart</translation>
    </message>
</context>
<context>
    <name>User_Dialogs</name>
    <message>
        <source>The document “%1” has unsaved changes.
Do you want to save them?</source>
        <translation>Das Dokument „%1“ hat ungespeicherte Änderungen.
Möchten Sie sie speichern?</translation>
    </message>
    <message>
        <source>Vandrel did not close normally. Unsaved work on “%1” was kept.
Do you want to restore it?</source>
        <translation>Vandrel wurde nicht normal beendet. Ungespeicherte Arbeit an „%1“ wurde aufbewahrt.
Möchten Sie sie wiederherstellen?</translation>
    </message>
    <message>
        <source>Open Document</source>
        <translation>Dokument öffnen</translation>
    </message>
    <message>
        <source>Save Document As</source>
        <translation>Dokument speichern unter</translation>
    </message>
    <message>
        <source>Number:</source>
        <translation>Zahl:</translation>
    </message>
    <message>
        <source>“%1” is not a number.</source>
        <translation>„%1“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>Import Data</source>
        <translation>Daten importieren</translation>
    </message>
</context>
</TS>
