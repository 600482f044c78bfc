#include "AddedTexts.h"

#include "Language.h"

#include <array>

namespace {

struct AddedTextRow
{
    AddedText id;
    const char *english;
    const char *czech;
    const char *german;
};

// UTF-8, one row per id, grouped as the enum is.
constexpr AddedTextRow Rows[] = {
    // Link and serial ports
    {AddedText::PortPermissionDenied, "Permission denied", "Přístup odepřen", "Zugriff verweigert"},
    {AddedText::PortJoinGroup,
     "This user may not use serial ports. Run\n    sudo usermod -aG %1 $USER\nthen log out and log in again.",
     "Tento uživatel nesmí používat sériové porty. Spusťte\n    sudo usermod -aG %1 $USER\n"
     "a pak se odhlaste a znovu přihlaste.",
     "Dieser Benutzer darf keine seriellen Schnittstellen verwenden. Führen Sie\n"
     "    sudo usermod -aG %1 $USER\naus und melden Sie sich dann ab und wieder an."},
    {AddedText::PortLogInAgain,
     "You are in the %1 group, but this session began before you joined it: log out and log in again.",
     "Jste ve skupině %1, ale toto přihlášení začalo dříve, než jste do ní byli přidáni: odhlaste se a znovu "
     "se přihlaste.",
     "Sie gehören zur Gruppe %1, aber diese Sitzung begann vor Ihrer Aufnahme: melden Sie sich ab und wieder "
     "an."},
    {AddedText::PortBusy, "in use by another program", "používá jej jiný program",
     "wird von einem anderen Programm verwendet"},
    {AddedText::PortBusyAdvice, "Close the other program (for example a terminal), or choose another port.",
     "Zavřete druhý program (například terminál), nebo zvolte jiný port.",
     "Schließen Sie das andere Programm (zum Beispiel ein Terminal) oder wählen Sie einen anderen Anschluss."},
    {AddedText::PortNotPresent, "the device is not present", "zařízení není připojeno",
     "das Gerät ist nicht vorhanden"},
    {AddedText::PortNoUsbAdapter,
     "No USB serial adapter is connected. Connect the adapter; the program looks for it again by itself.",
     "Není připojen žádný sériový adaptér USB. Připojte adaptér; program jej znovu vyhledá sám.",
     "Es ist kein USB-Seriell-Adapter angeschlossen. Schließen Sie den Adapter an; das Programm sucht ihn "
     "von selbst erneut."},
    {AddedText::PortNoDevice, "no serial device has this number: %1 present, as Com 1 to Com %1",
     "žádné sériové zařízení nemá toto číslo: připojeno %1, jako Com 1 až Com %1",
     "kein serielles Gerät hat diese Nummer: %1 vorhanden, als Com 1 bis Com %1"},
    {AddedText::PortNotOpenToUsers,
     "The device is not open to users (%1, mode %2): no group made for serial ports may use it. Check the "
     "udev rule that gives it its group and mode, and whether another program has changed them.",
     "Zařízení není přístupné uživatelům (%1, práva %2): nesmí jej používat žádná skupina určená pro "
     "sériové porty. Zkontrolujte pravidlo udev, které mu dává skupinu a práva, a zda je nezměnil jiný program.",
     "Das Gerät ist für Benutzer nicht freigegeben (%1, Rechte %2): keine für serielle Schnittstellen "
     "gedachte Gruppe darf es verwenden. Prüfen Sie die udev-Regel, die ihm Gruppe und Rechte gibt, und ob "
     "ein anderes Programm sie geändert hat."},

    // The window on the desktop
    {AddedText::SettingsNotSaved,
     "The settings, the recent files and the parameter set of this session could not be saved:\n%1\n"
     "The changes of this session will be missing at the next start.",
     "Nastavení, naposledy otevřené soubory a parametry této relace nebylo možné uložit:\n%1\n"
     "Změny této relace budou při příštím spuštění chybět.",
     "Die Einstellungen, die zuletzt geöffneten Dateien und die Parameter dieser Sitzung konnten nicht "
     "gespeichert werden:\n%1\nDie Änderungen dieser Sitzung fehlen beim nächsten Start."},
    {AddedText::LastSessionNotSaved,
     "The settings of the last session could not be saved; the program started with the settings saved "
     "before.",
     "Nastavení minulé relace nebylo možné uložit; program začal s nastavením uloženým dříve.",
     "Die Einstellungen der letzten Sitzung konnten nicht gespeichert werden; das Programm startete mit den "
     "zuvor gespeicherten Einstellungen."},
    {AddedText::AccessCurveRpm, "Point %1, engine speed", "Bod %1, otáčky", "Punkt %1, Drehzahl"},
    {AddedText::AccessCurveAdvance, "Point %1, advance", "Bod %1, předstih", "Punkt %1, Vorzündung"},
    {AddedText::AccessVehicleList, "Vehicle type", "Typ vozidla", "Fahrzeugtyp"},
    {AddedText::AccessUpDown, "%1, up and down", "%1, nahoru a dolů", "%1, auf und ab"},
    {AddedText::ManualViewerFailed,
     "No program could show %1, so the manual is shown here.",
     "Žádný program nemohl zobrazit %1, proto je návod zobrazen zde.",
     "Kein Programm konnte %1 anzeigen, daher wird das Handbuch hier angezeigt."},
    {AddedText::ManualWindowTitle, "Manual", "Návod", "Handbuch"},
    {AddedText::AboutLicence, "MIT licence", "Licence MIT", "MIT-Lizenz"},
    {AddedText::AboutQtVersion, "Qt %1", "Qt %1", "Qt %1"},
    {AddedText::AboutQtButton, "About Qt", "O Qt", "Über Qt"},
    {AddedText::ProgramFolderNotWritable,
     "The program's folder cannot be written: files go to %1",
     "Do složky programu nelze zapisovat: soubory jdou do %1",
     "In den Ordner des Programms kann nicht geschrieben werden: Dateien gehen nach %1"},

    // Files, start-up and saving
    {AddedText::SaveFileError, "Save file error", "Chyba při ukládání souboru", "Fehler beim Speichern der Datei"},
    {AddedText::PrintFolderError, "Cannot create the folder %1", "Nelze vytvořit složku %1",
     "Der Ordner %1 kann nicht angelegt werden"},
    {AddedText::PrinterCannotPrint, "The printer %1 cannot print.", "Tiskárna %1 nemůže tisknout.",
     "Der Drucker %1 kann nicht drucken."},
    {AddedText::PdfWriteError, "Cannot write %1", "Nelze zapsat %1", "%1 kann nicht geschrieben werden"},
    {AddedText::PrintFailed, "Printing failed.", "Tisk se nezdařil.", "Drucken fehlgeschlagen."},
    {AddedText::PrintedToPdf, "Printed to PDF: ", "Vytištěno do PDF: ", "Als PDF gedruckt: "},
    {AddedText::AboutVersion, "Version %1", "Verze %1", "Version %1"},
    {AddedText::CommandLineUsage, "Usage: korvo-tci [OPTION]... [ENGLISH|CESKY|DEUTSCH] [FILE.ign]",
     "Použití: korvo-tci [VOLBA]... [ENGLISH|CESKY|DEUTSCH] [SOUBOR.ign]",
     "Aufruf: korvo-tci [OPTION]... [ENGLISH|CESKY|DEUTSCH] [DATEI.ign]"},
    {AddedText::UnknownOption, "unknown option %1", "neznámá volba %1", "unbekannte Option %1"},
    {AddedText::CommandLineHelp,
     "Programs, reads, verifies and monitors a \"Korvo TCI\" ignition unit.\n"
     "ENGLISH, CESKY or DEUTSCH chooses the interface language; FILE.ign is opened at start.\n"
     "  --demo        work with a simulated unit; the settings are neither read nor written\n"
     "  --help        show this help and end\n"
     "  --version     show the version and end\n"
     "For tests and the manual's pictures:\n"
     "  --screenshot=PATH        save a picture of the window after --ticks ticks, then end\n"
     "  --curve-screenshot=PATH  the same of the curve window\n"
     "  --ticks=N                the tick of the picture (default 40)\n"
     "  --curve-window           open the curve window at start, as F11 does\n"
     "  --quit-after-ms=N        end by itself after N milliseconds\n"
     "  --exit-after-first-tick  print the start-up time once the first tick is shown, then end",
     "Programuje, čte, ověřuje a sleduje zapalovací jednotku \"Korvo TCI\".\n"
     "ENGLISH, CESKY nebo DEUTSCH volí jazyk rozhraní; SOUBOR.ign se otevře po spuštění.\n"
     "  --demo        práce se simulovanou jednotkou; nastavení se nečte ani nezapisuje\n"
     "  --help        vypíše tuto nápovědu a skončí\n"
     "  --version     vypíše verzi a skončí\n"
     "Pro testy a obrázky návodu:\n"
     "  --screenshot=CESTA       po --ticks cyklech uloží obrázek okna a skončí\n"
     "  --curve-screenshot=CESTA totéž s oknem křivky předstihu\n"
     "  --ticks=N                cyklus obrázku (výchozí 40)\n"
     "  --curve-window           po spuštění otevře okno křivky předstihu jako F11\n"
     "  --quit-after-ms=N        skončí sám po N milisekundách\n"
     "  --exit-after-first-tick  po zobrazení prvního cyklu vypíše dobu startu a skončí",
     "Programmiert, liest, vergleicht und überwacht eine \"Korvo TCI\" Zündbox.\n"
     "ENGLISH, CESKY oder DEUTSCH wählt die Sprache; DATEI.ign wird beim Start geöffnet.\n"
     "  --demo        mit einer simulierten Zündbox arbeiten; Einstellungen werden weder gelesen noch geschrieben\n"
     "  --help        diese Hilfe zeigen und beenden\n"
     "  --version     die Version zeigen und beenden\n"
     "Für Tests und die Bilder der Anleitung:\n"
     "  --screenshot=PFAD        nach --ticks Takten ein Bild des Fensters speichern und beenden\n"
     "  --curve-screenshot=PFAD  dasselbe mit dem Fenster der Zündkurve\n"
     "  --ticks=N                der Takt des Bildes (Vorgabe 40)\n"
     "  --curve-window           das Fenster der Zündkurve beim Start öffnen, wie F11\n"
     "  --quit-after-ms=N        nach N Millisekunden von selbst beenden\n"
     "  --exit-after-first-tick  die Startzeit nach dem ersten Takt ausgeben und beenden"},
    {AddedText::NoDisplay, "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is usable)",
     "není displej, na kterém by se dalo zobrazit okno (DISPLAY ani WAYLAND_DISPLAY nelze použít)",
     "keine Anzeige für das Fenster (weder DISPLAY noch WAYLAND_DISPLAY ist nutzbar)"},
    {AddedText::SavePreviousContentBack, "The file was written only in part; its previous content has been put back.",
     "Soubor se zapsal jen zčásti; jeho předchozí obsah byl vrácen.",
     "Die Datei wurde nur teilweise geschrieben; ihr vorheriger Inhalt wurde wiederhergestellt."},
    {AddedText::SavePreviousContentCopied,
     "The file was written only in part and its previous content could not be put back; a copy of it is in %1",
     "Soubor se zapsal jen zčásti a jeho předchozí obsah nešlo vrátit; jeho kopie je v %1",
     "Die Datei wurde nur teilweise geschrieben und ihr vorheriger Inhalt ließ sich nicht wiederherstellen; "
     "eine Kopie liegt in %1"},
    {AddedText::SavePreviousContentLost,
     "The file was written only in part and its previous content could not be put back.",
     "Soubor se zapsal jen zčásti a jeho předchozí obsah nešlo vrátit.",
     "Die Datei wurde nur teilweise geschrieben und ihr vorheriger Inhalt ließ sich nicht wiederherstellen."},

    // Compare with the unit and backups
    {AddedText::CompareCurvePointRpm, "Curve point %1 rpm", "Bod křivky %1 otáčky", "Kurvenpunkt %1 Drehzahl"},
    {AddedText::CompareCurvePointAdvance, "Curve point %1 advance", "Bod křivky %1 předstih", "Kurvenpunkt %1 Vorzündung"},
    {AddedText::CompareBaseAdvance, "Base advance", "Základní předstih", "Grundvorzündung"},
    {AddedText::CompareLimiter, "Limiter", "Omezovač", "Begrenzer"},
    {AddedText::CompareExcitationLong, "Excitation long", "Dlouhé buzení", "Lange Erregung"},
    {AddedText::CompareBlocking, "Blocking", "Blokování", "Blockierung"},
    {AddedText::CompareTachometer2x, "Tachometer 2x", "Otáčkoměr 2x", "Drehzahlmesser 2x"},
    {AddedText::CompareVehicleType, "Vehicle type", "Typ vozidla", "Fahrzeugtyp"},
    {AddedText::CompareVehicleCode, "code %1", "kód %1", "Code %1"},
    {AddedText::CompareReservedBytes, "Reserved bytes", "Rezervované bajty", "Reservierte Bytes"},
    {AddedText::CompareReservedByte, "byte %1: %2", "bajt %1: %2", "Byte %1: %2"},
    {AddedText::CompareOn, "on", "zapnuto", "ein"},
    {AddedText::CompareOff, "off", "vypnuto", "aus"},
    {AddedText::MenuCompare, "Compare with unit", "Porovnat s jednotkou", "Mit Gerät vergleichen"},
    {AddedText::CompareStartCaption, "Compare with unit:", "Porovnání s jednotkou:", "Vergleich mit Gerät:"},
    {AddedText::CompareTitle, "Unit and editor", "Jednotka a editor", "Gerät und Editor"},
    {AddedText::CompareColumnField, "Field", "Položka", "Feld"},
    {AddedText::CompareColumnUnit, "Unit", "Jednotka", "Gerät"},
    {AddedText::CompareColumnEditor, "Editor", "Editor", "Editor"},
    {AddedText::CompareNoDifference, "The unit holds the set shown.", "Jednotka obsahuje zobrazenou sadu.",
     "Das Gerät enthält den angezeigten Satz."},
    {AddedText::CompareTakeUnitSet, "Take the unit's set", "Převzít sadu jednotky", "Satz des Geräts übernehmen"},
    {AddedText::CompareClose, "Close", "Zavřít", "Schließen"},
    {AddedText::MenuOpenBackup, "Open backup...", "Otevřít zálohu...", "Sicherung öffnen..."},
    {AddedText::BackupNotKept, "No backup of the unit's set was kept: %1", "Záloha sady z jednotky nebyla uložena: %1",
     "Keine Sicherung des Gerätesatzes angelegt: %1"},
    {AddedText::BackupFolderNotCreated, "the folder %1 cannot be created", "složku %1 nelze vytvořit",
     "der Ordner %1 kann nicht angelegt werden"},

    // Curve window and recording
    {AddedText::CurveMenu, "Advance curve", "Křivka předstihu", "Zündkurve"},
    {AddedText::CurveMenuHint, "Show the advance curve as a graph with the live point",
     "Zobrazit křivku předstihu jako graf s aktuálním bodem",
     "Die Zündkurve als Diagramm mit dem aktuellen Betriebspunkt zeigen"},
    {AddedText::CurveRpmAxis, "Engine speed [rpm]", "Otáčky [ot/min]", "Drehzahl [U/min]"},
    {AddedText::CurveAdvanceAxis, "Advance [°]", "Předstih [°]", "Vorzündung [°]"},
    {AddedText::CurveLimiter, "Limiter", "Omezovač", "Begrenzer"},
    {AddedText::RecordMenu, "Record live values", "Záznam živých hodnot", "Live-Werte aufzeichnen"},
    {AddedText::RecordMenuHint,
     "Record the live values into a CSV file in the documents folder; once more to stop",
     "Zaznamenávat živé hodnoty do souboru CSV ve složce dokumentů; znovu pro zastavení",
     "Die Live-Werte in eine CSV-Datei im Dokumentenordner aufzeichnen; erneut zum Beenden"},
    // %1 the number of rows, %2 the file name
    {AddedText::RecordingStatus, "Recording: %1 rows, %2", "Záznam: %1 řádků, %2",
     "Aufzeichnung: %1 Zeilen, %2"},
    // %1 the reason, %2 the file
    {AddedText::RecordingStopped, "The recording has stopped: %1\nThe rows written so far are kept in %2.",
     "Záznam se zastavil: %1\nDosud zapsané řádky zůstávají v %2.",
     "Die Aufzeichnung wurde beendet: %1\nDie bisher geschriebenen Zeilen bleiben in %2 erhalten."},
    // %1 the reason, %2 the file
    {AddedText::RecordingNotStarted, "The recording could not be started: %1\n%2",
     "Záznam nelze spustit: %1\n%2", "Die Aufzeichnung konnte nicht gestartet werden: %1\n%2"},

    // Looking at a recording
    {AddedText::RecordingOpenMenu, "Open recor&ding...", "Otevřít zá&znam...", "Aufzeichnung ö&ffnen..."},
    {AddedText::RecordingOpenHint,
     "Open a recording of live values (CSV) to see it over time and against the advance curve",
     "Otevřít záznam živých hodnot (CSV) a prohlédnout si jej v čase a proti křivce předstihu",
     "Eine Aufzeichnung von Live-Werten (CSV) öffnen, über die Zeit und gegen die Zündkurve"},
    {AddedText::RecordingRecentMenu, "Recent recordin&gs", "Poslední zázna&my", "Letzte Auf&zeichnungen"},
    {AddedText::RecordingFilter, "Recordings (*.csv)", "Záznamy (*.csv)", "Aufzeichnungen (*.csv)"},
    {AddedText::RecordingTimeAxis, "Time [s]", "Čas [s]", "Zeit [s]"},
    {AddedText::RecordingVoltage, "Supply [V]", "Napájení [V]", "Versorgung [V]"},
    {AddedText::RecordingBlocking, "Blocking", "Blokování", "Sperre"},
    {AddedText::RecordingNeutral, "Neutral", "Neutrál", "Leerlauf"},
    {AddedText::RecordingSideStand, "Side stand", "Boční stojan", "Seitenständer"},
    {AddedText::RecordingPickup1, "Pickup 1", "Snímač 1", "Geber 1"},
    {AddedText::RecordingPickup2, "Pickup 2", "Snímač 2", "Geber 2"},
    {AddedText::RecordingReadout, "%1 s: %2 rpm, %3°, %4 V", "%1 s: %2 ot/min, %3°, %4 V",
     "%1 s: %2 U/min, %3°, %4 V"},
    {AddedText::RecordingPlay, "&Play", "&Přehrát", "&Abspielen"},
    {AddedText::RecordingPause, "&Pause", "&Pozastavit", "&Anhalten"},
    {AddedText::RecordingSpeed, "&Speed:", "&Rychlost:", "&Tempo:"},
    {AddedText::RecordingWhole, "&Whole recording", "&Celý záznam", "&Ganze Aufzeichnung"},
    {AddedText::RecordingCannotRead, "Cannot read %1: %2", "Nelze číst %1: %2", "%1 kann nicht gelesen werden: %2"},
    {AddedText::RecordingNotRecording, "%1 is not a recording of live values: its first line is not their header.",
     "%1 není záznam živých hodnot: jeho první řádek není jejich záhlaví.",
     "%1 ist keine Aufzeichnung von Live-Werten: die erste Zeile ist nicht deren Kopfzeile."},
    {AddedText::RecordingTooLarge, "%1 is larger than %2 MB, more than a recording of live values holds; it is not read.",
     "%1 je větší než %2 MB, víc než obsahuje záznam živých hodnot; nebude načten.",
     "%1 ist größer als %2 MB, mehr als eine Aufzeichnung von Live-Werten enthält; sie wird nicht gelesen."},
    {AddedText::RecordingFieldCount, "Row %1 has %2 fields instead of 10.", "Řádek %1 má %2 polí místo 10.",
     "Zeile %1 hat %2 Felder statt 10."},
    {AddedText::RecordingNotNumber, "Row %1: \"%2\" is not a valid value.", "Řádek %1: „%2“ není platná hodnota.",
     "Zeile %1: „%2“ ist kein gültiger Wert."},
    {AddedText::RecordingTimeBack, "Row %1: the time %2 s is earlier than the row before.",
     "Řádek %1: čas %2 s je dřívější než v předchozím řádku.",
     "Zeile %1: die Zeit %2 s liegt vor der der vorigen Zeile."},
    {AddedText::RecordingRowsShown, "The %1 rows before it are shown.", "Zobrazeno je %1 řádků před ním.",
     "Die %1 Zeilen davor werden gezeigt."},
    {AddedText::RecordingCutOff, "The last row was cut off and is left out.",
     "Poslední řádek je useknutý a je vynechán.", "Die letzte Zeile ist abgeschnitten und fehlt."},
    {AddedText::RecordingNoRows, "The recording holds no rows.", "Záznam neobsahuje žádné řádky.",
     "Die Aufzeichnung enthält keine Zeilen."},

    // Installing, recent files, manual
    {AddedText::RecentFilesMenu, "Recent files", "Poslední soubory", "Zuletzt verwendete Dateien"},
    {AddedText::RecentFilesClear, "Clear list", "Vymazat seznam", "Liste leeren"},

    // Command line
    {AddedText::CliNoAnswer,
     "No answer from the unit on %1. Check the cable and the unit's power, or choose the port with --port "
     "(korvo-cli ports lists them).",
     "Jednotka na %1 neodpovídá. Zkontrolujte kabel a napájení jednotky, nebo zvolte port volbou --port "
     "(vypíše je korvo-cli ports).",
     "Keine Antwort vom Gerät an %1. Prüfen Sie das Kabel und die Versorgung des Geräts, oder wählen Sie "
     "den Port mit --port (korvo-cli ports listet sie auf)."},
    {AddedText::CliNoAnswerScan,
     "No unit answered on any serial port (Com Auto). Check the cable and the unit's power, or name the port "
     "with --port (korvo-cli ports lists them).",
     "Na žádném sériovém portu (Com Auto) jednotka neodpověděla. Zkontrolujte kabel a napájení jednotky, nebo "
     "zadejte port volbou --port (vypíše je korvo-cli ports).",
     "An keinem seriellen Port (Com Auto) hat ein Gerät geantwortet. Prüfen Sie das Kabel und die Versorgung "
     "des Geräts, oder nennen Sie den Port mit --port (korvo-cli ports listet sie auf)."},
    // %1 the port, the device and why, with what to do
    {AddedText::CliPortOpenError, "Cannot open the port: %1", "Nelze otevřít port: %1",
     "Der Port kann nicht geöffnet werden: %1"},
    {AddedText::CliVersionAdvice, "This program works with units of program version %1 only.",
     "Tento program pracuje jen s jednotkami s verzí programu %1.",
     "Dieses Programm arbeitet nur mit Geräten der Programmversion %1."},
    {AddedText::CliFileReadError, "Cannot read %1: %2", "Nelze číst %1: %2", "%1 kann nicht gelesen werden: %2"},
    {AddedText::CliFileWriteError, "Cannot write %1: %2", "Nelze zapsat %1: %2", "%1 kann nicht geschrieben werden: %2"},
    {AddedText::CliVerifyOk, "The unit holds the set of %1.", "Jednotka obsahuje nastavení ze souboru %1.",
     "Das Gerät enthält die Einstellung aus %1."},
    {AddedText::CliVerifyDiffers, "The unit does not hold the set of %1; korvo-cli diff %1 lists the differences.",
     "Jednotka neobsahuje nastavení ze souboru %1; rozdíly vypíše korvo-cli diff %1.",
     "Das Gerät enthält nicht die Einstellung aus %1; korvo-cli diff %1 listet die Unterschiede auf."},
    {AddedText::CliProgramDone, "Programmed %1; the unit has saved it.",
     "Naprogramováno ze souboru %1; jednotka nastavení uložila.",
     "%1 programmiert; das Gerät hat die Einstellung gespeichert."},
    {AddedText::CliProgramRefused,
     "The unit did not take the set: its answer differs from what was sent. Program again; if it happens "
     "again, the unit may be faulty.",
     "Jednotka nastavení nepřijala: její odpověď se liší od odeslaných dat. Programujte znovu; pokud se to "
     "opakuje, jednotka může být vadná.",
     "Das Gerät hat die Einstellung nicht übernommen: seine Antwort weicht vom Gesendeten ab. Programmieren "
     "Sie erneut; geschieht es wieder, ist das Gerät vielleicht defekt."},
    {AddedText::CliSavingLost,
     "The unit stopped answering while it was saving; the set may not be stored. Check the connection and "
     "program again.",
     "Jednotka přestala odpovídat během ukládání; nastavení nemusí být uloženo. Zkontrolujte spojení a "
     "programujte znovu.",
     "Das Gerät antwortet nicht mehr, während es speichert; die Einstellung ist vielleicht nicht "
     "gespeichert. Prüfen Sie die Verbindung und programmieren Sie erneut."},
    {AddedText::CliBackupWritten, "The unit's previous set is kept in %1",
     "Předchozí nastavení jednotky je uloženo v %1", "Die vorherige Einstellung des Geräts liegt in %1"},
    {AddedText::CliReadCorrected,
     "The unit holds values outside the limits; the set written is corrected and does not match the unit.",
     "Jednotka obsahuje hodnoty mimo meze; zapsané nastavení je opravené a neshoduje se s jednotkou.",
     "Das Gerät enthält Werte außerhalb der Grenzen; die geschriebene Einstellung ist korrigiert und "
     "stimmt nicht mit dem Gerät überein."},
    {AddedText::CliConnectionLost, "No answer from the unit on %1; waiting for it.",
     "Jednotka na %1 neodpovídá; čekám na ni.", "Keine Antwort vom Gerät an %1; warte darauf."},

    // Short enough to stand beside the progress bar in the message area.
    {AddedText::LinkOtherUnit, "Other unit answered!", "Jiná jednotka!", "Anderes Gerät!"},
    {AddedText::LinkStoredDataError, "Programmed data error!", "Chyba uložených dat!", "Datenfehler im Gerät!"},
    {AddedText::LinkSavingNeverEnded, "Saving did not end!", "Ukládání neskončilo!", "Speichern hängt!"},
    {AddedText::LinkSavingConnectionLost, "Lost while saving!", "Spojení přerušeno!", "Verbindung verloren!"},
    {AddedText::CliOtherUnit,
     "Another unit answered the write than the one whose set was read and kept: nothing was written. Program "
     "again.",
     "Na zápis odpověděla jiná jednotka než ta, jejíž nastavení bylo přečteno a zálohováno: nic nebylo zapsáno. "
     "Programujte znovu.",
     "Auf das Schreiben antwortete ein anderes Gerät als das, dessen Einstellung gelesen und gesichert wurde: "
     "nichts wurde geschrieben. Programmieren Sie erneut."},
    {AddedText::CliStoredDataError,
     "The unit saved the set but reports its programmed data bad. Program again; if it happens again, the unit "
     "may be faulty.",
     "Jednotka nastavení uložila, ale hlásí chybu naprogramovaných dat. Programujte znovu; pokud se to opakuje, "
     "jednotka může být vadná.",
     "Das Gerät hat die Einstellung gespeichert, meldet aber einen Fehler der programmierten Daten. "
     "Programmieren Sie erneut; wiederholt es sich, ist das Gerät vielleicht defekt."},
    {AddedText::CliSavingNeverEnded,
     "The unit did not finish saving within %1 s; its set is unknown: run korvo-cli verify %2",
     "Jednotka nedokončila ukládání do %1 s; její nastavení není známo: spusťte korvo-cli verify %2",
     "Das Gerät hat das Speichern nicht binnen %1 s beendet; seine Einstellung ist unbekannt: "
     "korvo-cli verify %2 ausführen"},
    {AddedText::CliSetUnknown, "The unit's set is unknown: run korvo-cli verify %1",
     "Nastavení jednotky není známo: spusťte korvo-cli verify %1",
     "Die Einstellung des Geräts ist unbekannt: korvo-cli verify %1 ausführen"},
    {AddedText::CliInterruptedVerified, "Interrupted: the unit holds %1, verified.",
     "Přerušeno: jednotka obsahuje %1, ověřeno.", "Unterbrochen: das Gerät enthält %1, geprüft."},
    {AddedText::CliInterruptedNothingWritten, "Interrupted: nothing was written to the unit.",
     "Přerušeno: do jednotky nebylo nic zapsáno.", "Unterbrochen: nichts wurde in das Gerät geschrieben."},
    {AddedText::CliFileLacksKey, "the file lacks the key %1", "souboru chybí klíč %1", "der Datei fehlt der Schlüssel %1"},
    {AddedText::CliStepReading, "reading", "čtení", "lesen"},
    {AddedText::CliStepWriting, "writing", "zápis", "schreiben"},
    {AddedText::CliStepVerifying, "verifying", "ověřování", "prüfen"},
    {AddedText::CliStepSaving, "saving", "ukládání", "speichern"},
    {AddedText::CliNoUsbAdapter, "No USB serial adapter is connected. Connect the adapter and run the command again.",
     "Není připojen žádný sériový adaptér USB. Připojte adaptér a spusťte příkaz znovu.",
     "Es ist kein USB-Seriell-Adapter angeschlossen. Schließen Sie den Adapter an und starten Sie den Befehl "
     "erneut."},
    {AddedText::CliNotParameterFile, "not a parameter file (it has no QUELLMAR_KEY line)",
     "není to soubor parametrů (chybí řádek QUELLMAR_KEY)", "keine Parameterdatei (ihr fehlt die Zeile QUELLMAR_KEY)"},
    // The unit's history
    {AddedText::HistoryMenu, "Unit &history...", "&Historie jednotky...", "Geräte&verlauf..."},
    {AddedText::HistoryTitle, "Unit history", "Historie jednotky", "Geräteverlauf"},
    {AddedText::HistoryKindBackup, "before a write", "před zápisem", "vor dem Schreiben"},
    {AddedText::HistoryKindWritten, "written", "zapsáno", "geschrieben"},
    {AddedText::HistoryCameWith, "the set it came with", "původní nastavení", "die ursprüngliche Einstellung"},
    {AddedText::HistoryColumnEntry, "Entry", "Záznam", "Eintrag"},
    {AddedText::HistoryColumnWhen, "When", "Kdy", "Wann"},
    {AddedText::HistoryColumnKind, "What", "Co", "Was"},
    {AddedText::HistoryColumnChanges, "Changed fields", "Změněné položky", "Geänderte Felder"},
    {AddedText::HistoryProgram, "&Program this set", "&Naprogramovat toto nastavení", "Diese Einstellung &programmieren"},
    {AddedText::HistoryOpenInEditor, "Open in &editor", "Otevřít v &editoru", "Im &Editor öffnen"},
    {AddedText::HistorySideBySide, "&Side by side", "&Vedle sebe", "&Nebeneinander"},
    {AddedText::HistoryCompareWith, "with:", "s:", "mit:"},
    {AddedText::HistoryEditorSet, "the editor's set", "nastavení v editoru", "die Einstellung im Editor"},
    {AddedText::HistoryUnitSet, "the unit's set (Compare)", "nastavení jednotky (Porovnat)", "die Einstellung des Geräts (Vergleichen)"},
    {AddedText::HistoryEmpty, "No backups yet in %1.", "V %1 zatím nejsou žádné zálohy.", "In %1 gibt es noch keine Sicherungen."},
    {AddedText::HistorySkipped, "Skipped %1: %2", "Vynecháno %1: %2", "Übersprungen %1: %2"},
    {AddedText::HistorySkipNotOurs, "not a file of the backup store", "není soubor úložiště záloh", "keine Datei des Sicherungsspeichers"},
    {AddedText::HistorySkipNotRegular, "not a regular file", "není obyčejný soubor", "keine reguläre Datei"},
    {AddedText::HistorySkipDamaged, "damaged", "poškozený", "beschädigt"},
    {AddedText::HistoryNoEntry, "No history entry %1; korvo-cli history lists them.", "Záznam historie %1 neexistuje; vypíše je korvo-cli history.", "Kein Verlaufseintrag %1; korvo-cli history listet sie auf."},
    {AddedText::HistoryOtherUnit, "The entry is of unit %1; the unit attached is %2.", "Záznam patří jednotce %1; připojena je jednotka %2.", "Der Eintrag gehört zum Gerät %1; angeschlossen ist %2."},
    {AddedText::HistoryEntryLabel, "history entry %1", "záznam historie %1", "Verlaufseintrag %1"},
    {AddedText::HistoryRestoreDone, "Restored %1; the unit has saved it.", "Obnoveno: %1; jednotka nastavení uložila.", "%1 wiederhergestellt; das Gerät hat die Einstellung gespeichert."},
    {AddedText::HistoryRestoreAsk, "Write %1 to the unit? The unit's current set is kept as a backup first.", "Zapsat %1 do jednotky? Současné nastavení jednotky se nejdřív uloží jako záloha.", "%1 in das Gerät schreiben? Die aktuelle Einstellung des Geräts wird zuerst gesichert."},
    {AddedText::HistoryRestoreRunning, "Writing %1...", "Zapisuje se %1...", "%1 wird geschrieben..."},
    {AddedText::HistoryRestoreFailed, "%1 was not restored: %2", "%1 nebyl obnoven: %2", "%1 wurde nicht wiederhergestellt: %2"},
    {AddedText::HistoryLinkBusy, "the link is busy", "spojení je zaneprázdněno", "die Verbindung ist belegt"},
    {AddedText::HistoryRefresh, "&Refresh", "&Obnovit", "&Aktualisieren"},
    {AddedText::HistorySameSets, "The two sets are the same.", "Obě nastavení jsou stejná.", "Die beiden Einstellungen sind gleich."},
    {AddedText::HistoryNotConnected, "no unit is connected", "není připojena žádná jednotka", "kein Gerät ist angeschlossen"},
};

constexpr bool RowsFollowIds()
{
    if (std::size(Rows) != static_cast<size_t>(AddedText::Count))
        return false;
    for (size_t i = 0; i < std::size(Rows); ++i) {
        if (static_cast<size_t>(Rows[i].id) != i)
            return false;
    }
    return true;
}
static_assert(RowsFollowIds(), "every added text has one row, in the order of its id");

} // namespace

QString AddedTextFor(AddedText id, quint8 languageIndex)
{
    const auto index = static_cast<size_t>(id);
    if (index >= std::size(Rows))
        return {};
    const AddedTextRow &row = Rows[index];
    switch (languageIndex) {
    case LanguageGerman:
        return QString::fromUtf8(row.german);
    case LanguageCzech:
        return QString::fromUtf8(row.czech);
    default:
        return QString::fromUtf8(row.english);
    }
}
