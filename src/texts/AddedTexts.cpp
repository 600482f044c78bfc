#include "AddedTexts.h"

#include "TextRow.h"

namespace {

struct AddedTextRow
{
    AddedText id;
    TextRow texts;
};

// UTF-8, one row per id, grouped as the enum is. French has none of these texts (null):
// it gets English, as does an unknown language.
constexpr AddedTextRow Rows[] = {
    // Link and serial ports
    {AddedText::PortPermissionDenied,
     {"Permission denied", "Zugriff verweigert", nullptr, "Přístup odepřen"}},
    {AddedText::PortJoinGroup,
     {"This user may not use serial ports. Run\n    sudo usermod -aG %1 $USER\nthen log out and log in "
      "again.",
      "Dieser Benutzer darf keine seriellen Schnittstellen verwenden. Führen Sie\n"
      "    sudo usermod -aG %1 $USER\naus und melden Sie sich dann ab und wieder an.",
      nullptr,
      "Tento uživatel nesmí používat sériové porty. Spusťte\n    sudo usermod -aG %1 $USER\n"
      "a pak se odhlaste a znovu přihlaste."}},
    {AddedText::PortLogInAgain,
     {"You are in the %1 group, but this session began before you joined it: log out and log in again.",
      "Sie gehören zur Gruppe %1, aber diese Sitzung begann vor Ihrer Aufnahme: melden Sie sich ab und "
      "wieder an.",
      nullptr,
      "Jste ve skupině %1, ale toto přihlášení začalo dříve, než jste do ní byli přidáni: odhlaste se a "
      "znovu se přihlaste."}},
    {AddedText::PortBusy,
     {"in use by another program", "wird von einem anderen Programm verwendet", nullptr,
      "používá jej jiný program"}},
    {AddedText::PortBusyAdvice,
     {"Close the other program (for example a terminal), or choose another port.",
      "Schließen Sie das andere Programm (zum Beispiel ein Terminal) oder wählen Sie einen anderen "
      "Anschluss.",
      nullptr, "Zavřete druhý program (například terminál), nebo zvolte jiný port."}},
    {AddedText::PortNotPresent,
     {"the device is not present", "das Gerät ist nicht vorhanden", nullptr, "zařízení není připojeno"}},
    {AddedText::PortNoUsbAdapter,
     {"No USB serial adapter is connected. Connect the adapter; the program looks for it again by itself.",
      "Es ist kein USB-Seriell-Adapter angeschlossen. Schließen Sie den Adapter an; das Programm sucht ihn "
      "von selbst erneut.",
      nullptr, "Není připojen žádný sériový adaptér USB. Připojte adaptér; program jej znovu vyhledá sám."}},
    {AddedText::PortNoDevice,
     {"no serial device has this number: %1 present, as Com 1 to Com %1",
      "kein serielles Gerät hat diese Nummer: %1 vorhanden, als Com 1 bis Com %1", nullptr,
      "žádné sériové zařízení nemá toto číslo: připojeno %1, jako Com 1 až Com %1"}},
    {AddedText::PortNotOpenToUsers,
     {"The device is not open to users (%1, mode %2): no group made for serial ports may use it. Check the "
      "udev rule that gives it its group and mode, and whether another program has changed them.",
      "Das Gerät ist für Benutzer nicht freigegeben (%1, Rechte %2): keine für serielle Schnittstellen "
      "gedachte Gruppe darf es verwenden. Prüfen Sie die udev-Regel, die ihm Gruppe und Rechte gibt, und ob "
      "ein anderes Programm sie geändert hat.",
      nullptr,
      "Zařízení není přístupné uživatelům (%1, práva %2): nesmí jej používat žádná skupina určená pro "
      "sériové porty. Zkontrolujte pravidlo udev, které mu dává skupinu a práva, a zda je nezměnil jiný "
      "program."}},

    // The window on the desktop
    {AddedText::SettingsNotSaved,
     {"The settings, the recent files and the parameter set of this session could not be saved:\n%1\n"
      "The changes of this session will be missing at the next start.",
      "Die Einstellungen, die zuletzt geöffneten Dateien und die Parameter dieser Sitzung konnten nicht "
      "gespeichert werden:\n%1\nDie Änderungen dieser Sitzung fehlen beim nächsten Start.",
      nullptr,
      "Nastavení, naposledy otevřené soubory a parametry této relace nebylo možné uložit:\n%1\n"
      "Změny této relace budou při příštím spuštění chybět."}},
    {AddedText::LastSessionNotSaved,
     {"The settings of the last session could not be saved; the program started with the settings saved "
      "before.",
      "Die Einstellungen der letzten Sitzung konnten nicht gespeichert werden; das Programm startete mit den "
      "zuvor gespeicherten Einstellungen.",
      nullptr, "Nastavení minulé relace nebylo možné uložit; program začal s nastavením uloženým dříve."}},
    {AddedText::AccessCurveRpm, {"Point %1, engine speed", "Punkt %1, Drehzahl", nullptr, "Bod %1, otáčky"}},
    {AddedText::AccessCurveAdvance,
     {"Point %1, advance", "Punkt %1, Vorzündung", nullptr, "Bod %1, předstih"}},
    {AddedText::AccessVehicleList, {"Vehicle type", "Fahrzeugtyp", nullptr, "Typ vozidla"}},
    {AddedText::AccessUpDown, {"%1, up and down", "%1, auf und ab", nullptr, "%1, nahoru a dolů"}},
    {AddedText::ManualViewerFailed,
     {"No program could show %1, so the manual is shown here.",
      "Kein Programm konnte %1 anzeigen, daher wird das Handbuch hier angezeigt.", nullptr,
      "Žádný program nemohl zobrazit %1, proto je návod zobrazen zde."}},
    {AddedText::ManualWindowTitle, {"Manual", "Handbuch", nullptr, "Návod"}},
    {AddedText::AboutLicence, {"MIT licence", "MIT-Lizenz", nullptr, "Licence MIT"}},
    {AddedText::AboutQtVersion, {"Qt %1", "Qt %1", nullptr, "Qt %1"}},
    {AddedText::AboutQtButton, {"About Qt", "Über Qt", nullptr, "O Qt"}},
    {AddedText::ProgramFolderNotWritable,
     {"The program's folder cannot be written: files go to %1",
      "In den Ordner des Programms kann nicht geschrieben werden: Dateien gehen nach %1", nullptr,
      "Do složky programu nelze zapisovat: soubory jdou do %1"}},

    // Files, start-up and saving
    {AddedText::SaveFileError,
     {"Save file error", "Fehler beim Speichern der Datei", nullptr, "Chyba při ukládání souboru"}},
    {AddedText::PrintFolderError,
     {"Cannot create the folder %1", "Der Ordner %1 kann nicht angelegt werden", nullptr,
      "Nelze vytvořit složku %1"}},
    {AddedText::PrinterCannotPrint,
     {"The printer %1 cannot print.", "Der Drucker %1 kann nicht drucken.", nullptr,
      "Tiskárna %1 nemůže tisknout."}},
    {AddedText::PdfWriteError,
     {"Cannot write %1", "%1 kann nicht geschrieben werden", nullptr, "Nelze zapsat %1"}},
    {AddedText::PrintFailed, {"Printing failed.", "Drucken fehlgeschlagen.", nullptr, "Tisk se nezdařil."}},
    {AddedText::PrintedToPdf, {"Printed to PDF: ", "Als PDF gedruckt: ", nullptr, "Vytištěno do PDF: "}},
    {AddedText::AboutVersion, {"Version %1", "Version %1", nullptr, "Verze %1"}},
    {AddedText::CommandLineUsage,
     {"Usage: korvo-tci [OPTION]... [ENGLISH|CESKY|DEUTSCH] [FILE.ign]",
      "Aufruf: korvo-tci [OPTION]... [ENGLISH|CESKY|DEUTSCH] [DATEI.ign]", nullptr,
      "Použití: korvo-tci [VOLBA]... [ENGLISH|CESKY|DEUTSCH] [SOUBOR.ign]"}},
    {AddedText::UnknownOption, {"unknown option %1", "unbekannte Option %1", nullptr, "neznámá volba %1"}},
    {AddedText::CommandLineHelp,
     {"Programs, reads, verifies and monitors a \"Korvo TCI\" ignition unit.\n"
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
      "Programmiert, liest, vergleicht und überwacht eine \"Korvo TCI\" Zündbox.\n"
      "ENGLISH, CESKY oder DEUTSCH wählt die Sprache; DATEI.ign wird beim Start geöffnet.\n"
      "  --demo        mit einer simulierten Zündbox arbeiten; Einstellungen werden weder gelesen noch "
      "geschrieben\n"
      "  --help        diese Hilfe zeigen und beenden\n"
      "  --version     die Version zeigen und beenden\n"
      "Für Tests und die Bilder der Anleitung:\n"
      "  --screenshot=PFAD        nach --ticks Takten ein Bild des Fensters speichern und beenden\n"
      "  --curve-screenshot=PFAD  dasselbe mit dem Fenster der Zündkurve\n"
      "  --ticks=N                der Takt des Bildes (Vorgabe 40)\n"
      "  --curve-window           das Fenster der Zündkurve beim Start öffnen, wie F11\n"
      "  --quit-after-ms=N        nach N Millisekunden von selbst beenden\n"
      "  --exit-after-first-tick  die Startzeit nach dem ersten Takt ausgeben und beenden",
      nullptr,
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
      "  --exit-after-first-tick  po zobrazení prvního cyklu vypíše dobu startu a skončí"}},
    {AddedText::NoDisplay,
     {"no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is usable)",
      "keine Anzeige für das Fenster (weder DISPLAY noch WAYLAND_DISPLAY ist nutzbar)", nullptr,
      "není displej, na kterém by se dalo zobrazit okno (DISPLAY ani WAYLAND_DISPLAY nelze použít)"}},
    {AddedText::SavePreviousContentBack,
     {"The file was written only in part; its previous content has been put back.",
      "Die Datei wurde nur teilweise geschrieben; ihr vorheriger Inhalt wurde wiederhergestellt.", nullptr,
      "Soubor se zapsal jen zčásti; jeho předchozí obsah byl vrácen."}},
    {AddedText::SavePreviousContentCopied,
     {"The file was written only in part and its previous content could not be put back; a copy of it is in "
      "%1",
      "Die Datei wurde nur teilweise geschrieben und ihr vorheriger Inhalt ließ sich nicht wiederherstellen; "
      "eine Kopie liegt in %1",
      nullptr, "Soubor se zapsal jen zčásti a jeho předchozí obsah nešlo vrátit; jeho kopie je v %1"}},
    {AddedText::SavePreviousContentLost,
     {"The file was written only in part and its previous content could not be put back.",
      "Die Datei wurde nur teilweise geschrieben und ihr vorheriger Inhalt ließ sich nicht wiederherstellen.",
      nullptr, "Soubor se zapsal jen zčásti a jeho předchozí obsah nešlo vrátit."}},

    // Compare with the unit and backups
    {AddedText::CompareCurvePointRpm,
     {"Curve point %1 rpm", "Kurvenpunkt %1 Drehzahl", nullptr, "Bod křivky %1 otáčky"}},
    {AddedText::CompareCurvePointAdvance,
     {"Curve point %1 advance", "Kurvenpunkt %1 Vorzündung", nullptr, "Bod křivky %1 předstih"}},
    {AddedText::CompareBaseAdvance, {"Base advance", "Grundvorzündung", nullptr, "Základní předstih"}},
    {AddedText::CompareLimiter, {"Limiter", "Begrenzer", nullptr, "Omezovač"}},
    {AddedText::CompareExcitationLong, {"Excitation long", "Lange Erregung", nullptr, "Dlouhé buzení"}},
    {AddedText::CompareBlocking, {"Blocking", "Blockierung", nullptr, "Blokování"}},
    {AddedText::CompareTachometer2x, {"Tachometer 2x", "Drehzahlmesser 2x", nullptr, "Otáčkoměr 2x"}},
    {AddedText::CompareVehicleType, {"Vehicle type", "Fahrzeugtyp", nullptr, "Typ vozidla"}},
    {AddedText::CompareVehicleCode, {"code %1", "Code %1", nullptr, "kód %1"}},
    {AddedText::CompareReservedBytes, {"Reserved bytes", "Reservierte Bytes", nullptr, "Rezervované bajty"}},
    {AddedText::CompareReservedByte, {"byte %1: %2", "Byte %1: %2", nullptr, "bajt %1: %2"}},
    {AddedText::CompareOn, {"on", "ein", nullptr, "zapnuto"}},
    {AddedText::CompareOff, {"off", "aus", nullptr, "vypnuto"}},
    {AddedText::MenuCompare, {"Compare with unit", "Mit Gerät vergleichen", nullptr, "Porovnat s jednotkou"}},
    {AddedText::CompareStartCaption,
     {"Compare with unit:", "Vergleich mit Gerät:", nullptr, "Porovnání s jednotkou:"}},
    {AddedText::CompareTitle, {"Unit and editor", "Gerät und Editor", nullptr, "Jednotka a editor"}},
    {AddedText::CompareColumnField, {"Field", "Feld", nullptr, "Položka"}},
    {AddedText::CompareColumnUnit, {"Unit", "Gerät", nullptr, "Jednotka"}},
    {AddedText::CompareColumnEditor, {"Editor", "Editor", nullptr, "Editor"}},
    {AddedText::CompareNoDifference,
     {"The unit holds the set shown.", "Das Gerät enthält den angezeigten Satz.", nullptr,
      "Jednotka obsahuje zobrazenou sadu."}},
    {AddedText::CompareTakeUnitSet,
     {"Take the unit's set", "Satz des Geräts übernehmen", nullptr, "Převzít sadu jednotky"}},
    {AddedText::CompareClose, {"Close", "Schließen", nullptr, "Zavřít"}},
    {AddedText::MenuOpenBackup, {"Open backup...", "Sicherung öffnen...", nullptr, "Otevřít zálohu..."}},
    {AddedText::BackupNotKept,
     {"No backup of the unit's set was kept: %1", "Keine Sicherung des Gerätesatzes angelegt: %1", nullptr,
      "Záloha sady z jednotky nebyla uložena: %1"}},
    {AddedText::BackupFolderNotCreated,
     {"the folder %1 cannot be created", "der Ordner %1 kann nicht angelegt werden", nullptr,
      "složku %1 nelze vytvořit"}},

    // Curve window and recording
    {AddedText::CurveMenu, {"Advance curve", "Zündkurve", nullptr, "Křivka předstihu"}},
    {AddedText::CurveMenuHint,
     {"Show the advance curve as a graph with the live point",
      "Die Zündkurve als Diagramm mit dem aktuellen Betriebspunkt zeigen", nullptr,
      "Zobrazit křivku předstihu jako graf s aktuálním bodem"}},
    {AddedText::CurveRpmAxis, {"Engine speed [rpm]", "Drehzahl [U/min]", nullptr, "Otáčky [ot/min]"}},
    {AddedText::CurveAdvanceAxis, {"Advance [°]", "Vorzündung [°]", nullptr, "Předstih [°]"}},
    {AddedText::CurveLimiter, {"Limiter", "Begrenzer", nullptr, "Omezovač"}},
    {AddedText::RecordMenu,
     {"Record live values", "Live-Werte aufzeichnen", nullptr, "Záznam živých hodnot"}},
    {AddedText::RecordMenuHint,
     {"Record the live values into a CSV file in the documents folder; once more to stop",
      "Die Live-Werte in eine CSV-Datei im Dokumentenordner aufzeichnen; erneut zum Beenden", nullptr,
      "Zaznamenávat živé hodnoty do souboru CSV ve složce dokumentů; znovu pro zastavení"}},
    // %1 the number of rows, %2 the file name
    {AddedText::RecordingStatus,
     {"Recording: %1 rows, %2", "Aufzeichnung: %1 Zeilen, %2", nullptr, "Záznam: %1 řádků, %2"}},
    // %1 the reason, %2 the file
    {AddedText::RecordingStopped,
     {"The recording has stopped: %1\nThe rows written so far are kept in %2.",
      "Die Aufzeichnung wurde beendet: %1\nDie bisher geschriebenen Zeilen bleiben in %2 erhalten.", nullptr,
      "Záznam se zastavil: %1\nDosud zapsané řádky zůstávají v %2."}},
    // %1 the reason, %2 the file
    {AddedText::RecordingNotStarted,
     {"The recording could not be started: %1\n%2", "Die Aufzeichnung konnte nicht gestartet werden: %1\n%2",
      nullptr, "Záznam nelze spustit: %1\n%2"}},

    // Looking at a recording
    {AddedText::RecordingOpenMenu,
     {"Open recor&ding...", "Aufzeichnung ö&ffnen...", nullptr, "Otevřít zá&znam..."}},
    {AddedText::RecordingOpenHint,
     {"Open a recording of live values (CSV) to see it over time and against the advance curve",
      "Eine Aufzeichnung von Live-Werten (CSV) öffnen, über die Zeit und gegen die Zündkurve", nullptr,
      "Otevřít záznam živých hodnot (CSV) a prohlédnout si jej v čase a proti křivce předstihu"}},
    {AddedText::RecordingRecentMenu,
     {"Recent recordin&gs", "Letzte Auf&zeichnungen", nullptr, "Poslední zázna&my"}},
    {AddedText::RecordingFilter,
     {"Recordings (*.csv)", "Aufzeichnungen (*.csv)", nullptr, "Záznamy (*.csv)"}},
    {AddedText::RecordingTimeAxis, {"Time [s]", "Zeit [s]", nullptr, "Čas [s]"}},
    {AddedText::RecordingVoltage, {"Supply [V]", "Versorgung [V]", nullptr, "Napájení [V]"}},
    {AddedText::RecordingBlocking, {"Blocking", "Sperre", nullptr, "Blokování"}},
    {AddedText::RecordingNeutral, {"Neutral", "Leerlauf", nullptr, "Neutrál"}},
    {AddedText::RecordingSideStand, {"Side stand", "Seitenständer", nullptr, "Boční stojan"}},
    {AddedText::RecordingPickup1, {"Pickup 1", "Geber 1", nullptr, "Snímač 1"}},
    {AddedText::RecordingPickup2, {"Pickup 2", "Geber 2", nullptr, "Snímač 2"}},
    {AddedText::RecordingReadout,
     {"%1 s: %2 rpm, %3°, %4 V", "%1 s: %2 U/min, %3°, %4 V", nullptr, "%1 s: %2 ot/min, %3°, %4 V"}},
    {AddedText::RecordingPlay, {"&Play", "&Abspielen", nullptr, "&Přehrát"}},
    {AddedText::RecordingPause, {"&Pause", "&Anhalten", nullptr, "&Pozastavit"}},
    {AddedText::RecordingSpeed, {"&Speed:", "&Tempo:", nullptr, "&Rychlost:"}},
    {AddedText::RecordingWhole, {"&Whole recording", "&Ganze Aufzeichnung", nullptr, "&Celý záznam"}},
    {AddedText::RecordingCannotRead,
     {"Cannot read %1: %2", "%1 kann nicht gelesen werden: %2", nullptr, "Nelze číst %1: %2"}},
    {AddedText::RecordingNotRecording,
     {"%1 is not a recording of live values: its first line is not their header.",
      "%1 ist keine Aufzeichnung von Live-Werten: die erste Zeile ist nicht deren Kopfzeile.", nullptr,
      "%1 není záznam živých hodnot: jeho první řádek není jejich záhlaví."}},
    {AddedText::RecordingTooLarge,
     {"%1 is larger than %2 MB, more than a recording of live values holds; it is not read.",
      "%1 ist größer als %2 MB, mehr als eine Aufzeichnung von Live-Werten enthält; sie wird nicht gelesen.",
      nullptr, "%1 je větší než %2 MB, víc než obsahuje záznam živých hodnot; nebude načten."}},
    {AddedText::RecordingFieldCount,
     {"Row %1 has %2 fields instead of 10.", "Zeile %1 hat %2 Felder statt 10.", nullptr,
      "Řádek %1 má %2 polí místo 10."}},
    {AddedText::RecordingNotNumber,
     {"Row %1: \"%2\" is not a valid value.", "Zeile %1: „%2“ ist kein gültiger Wert.", nullptr,
      "Řádek %1: „%2“ není platná hodnota."}},
    {AddedText::RecordingTimeBack,
     {"Row %1: the time %2 s is earlier than the row before.",
      "Zeile %1: die Zeit %2 s liegt vor der der vorigen Zeile.", nullptr,
      "Řádek %1: čas %2 s je dřívější než v předchozím řádku."}},
    {AddedText::RecordingRowsShown,
     {"The %1 rows before it are shown.", "Die %1 Zeilen davor werden gezeigt.", nullptr,
      "Zobrazeno je %1 řádků před ním."}},
    {AddedText::RecordingCutOff,
     {"The last row was cut off and is left out.", "Die letzte Zeile ist abgeschnitten und fehlt.", nullptr,
      "Poslední řádek je useknutý a je vynechán."}},
    {AddedText::RecordingNoRows,
     {"The recording holds no rows.", "Die Aufzeichnung enthält keine Zeilen.", nullptr,
      "Záznam neobsahuje žádné řádky."}},

    // Installing, recent files, manual
    {AddedText::RecentFilesMenu, {"Recent files", "Zuletzt verwendete Dateien", nullptr, "Poslední soubory"}},
    {AddedText::RecentFilesClear, {"Clear list", "Liste leeren", nullptr, "Vymazat seznam"}},

    // Command line
    {AddedText::CliNoAnswer,
     {"No answer from the unit on %1. Check the cable and the unit's power, or choose the port with --port "
      "(korvo-cli ports lists them).",
      "Keine Antwort vom Gerät an %1. Prüfen Sie das Kabel und die Versorgung des Geräts, oder wählen Sie "
      "den Port mit --port (korvo-cli ports listet sie auf).",
      nullptr,
      "Jednotka na %1 neodpovídá. Zkontrolujte kabel a napájení jednotky, nebo zvolte port volbou --port "
      "(vypíše je korvo-cli ports)."}},
    {AddedText::CliNoAnswerScan,
     {"No unit answered on any serial port (Com Auto). Check the cable and the unit's power, or name the "
      "port with --port (korvo-cli ports lists them).",
      "An keinem seriellen Port (Com Auto) hat ein Gerät geantwortet. Prüfen Sie das Kabel und die "
      "Versorgung des Geräts, oder nennen Sie den Port mit --port (korvo-cli ports listet sie auf).",
      nullptr,
      "Na žádném sériovém portu (Com Auto) jednotka neodpověděla. Zkontrolujte kabel a napájení jednotky, "
      "nebo zadejte port volbou --port (vypíše je korvo-cli ports)."}},
    // %1 the port, the device and why, with what to do
    {AddedText::CliPortOpenError,
     {"Cannot open the port: %1", "Der Port kann nicht geöffnet werden: %1", nullptr,
      "Nelze otevřít port: %1"}},
    {AddedText::CliVersionAdvice,
     {"This program works with units of program version %1 only.",
      "Dieses Programm arbeitet nur mit Geräten der Programmversion %1.", nullptr,
      "Tento program pracuje jen s jednotkami s verzí programu %1."}},
    {AddedText::CliFileReadError,
     {"Cannot read %1: %2", "%1 kann nicht gelesen werden: %2", nullptr, "Nelze číst %1: %2"}},
    {AddedText::CliFileWriteError,
     {"Cannot write %1: %2", "%1 kann nicht geschrieben werden: %2", nullptr, "Nelze zapsat %1: %2"}},
    {AddedText::CliVerifyOk,
     {"The unit holds the set of %1.", "Das Gerät enthält die Einstellung aus %1.", nullptr,
      "Jednotka obsahuje nastavení ze souboru %1."}},
    {AddedText::CliVerifyDiffers,
     {"The unit does not hold the set of %1; korvo-cli diff %1 lists the differences.",
      "Das Gerät enthält nicht die Einstellung aus %1; korvo-cli diff %1 listet die Unterschiede auf.",
      nullptr, "Jednotka neobsahuje nastavení ze souboru %1; rozdíly vypíše korvo-cli diff %1."}},
    {AddedText::CliProgramDone,
     {"Programmed %1; the unit has saved it.", "%1 programmiert; das Gerät hat die Einstellung gespeichert.",
      nullptr, "Naprogramováno ze souboru %1; jednotka nastavení uložila."}},
    {AddedText::CliProgramRefused,
     {"The unit did not take the set: its answer differs from what was sent. Program again; if it happens "
      "again, the unit may be faulty.",
      "Das Gerät hat die Einstellung nicht übernommen: seine Antwort weicht vom Gesendeten ab. Programmieren "
      "Sie erneut; geschieht es wieder, ist das Gerät vielleicht defekt.",
      nullptr,
      "Jednotka nastavení nepřijala: její odpověď se liší od odeslaných dat. Programujte znovu; pokud se to "
      "opakuje, jednotka může být vadná."}},
    {AddedText::CliSavingLost,
     {"The unit stopped answering while it was saving; the set may not be stored. Check the connection and "
      "program again.",
      "Das Gerät antwortet nicht mehr, während es speichert; die Einstellung ist vielleicht nicht "
      "gespeichert. Prüfen Sie die Verbindung und programmieren Sie erneut.",
      nullptr,
      "Jednotka přestala odpovídat během ukládání; nastavení nemusí být uloženo. Zkontrolujte spojení a "
      "programujte znovu."}},
    {AddedText::CliBackupWritten,
     {"The unit's previous set is kept in %1", "Die vorherige Einstellung des Geräts liegt in %1", nullptr,
      "Předchozí nastavení jednotky je uloženo v %1"}},
    {AddedText::CliReadCorrected,
     {"The unit holds values outside the limits; the set written is corrected and does not match the unit.",
      "Das Gerät enthält Werte außerhalb der Grenzen; die geschriebene Einstellung ist korrigiert und stimmt "
      "nicht mit dem Gerät überein.",
      nullptr,
      "Jednotka obsahuje hodnoty mimo meze; zapsané nastavení je opravené a neshoduje se s jednotkou."}},
    {AddedText::CliConnectionLost,
     {"No answer from the unit on %1; waiting for it.", "Keine Antwort vom Gerät an %1; warte darauf.",
      nullptr, "Jednotka na %1 neodpovídá; čekám na ni."}},

    // Short enough to stand beside the progress bar in the message area.
    {AddedText::LinkOtherUnit, {"Other unit answered!", "Anderes Gerät!", nullptr, "Jiná jednotka!"}},
    {AddedText::LinkStoredDataError,
     {"Programmed data error!", "Datenfehler im Gerät!", nullptr, "Chyba uložených dat!"}},
    {AddedText::LinkSavingNeverEnded,
     {"Saving did not end!", "Speichern hängt!", nullptr, "Ukládání neskončilo!"}},
    {AddedText::LinkSavingConnectionLost,
     {"Lost while saving!", "Verbindung verloren!", nullptr, "Spojení přerušeno!"}},
    {AddedText::CliOtherUnit,
     {"Another unit answered the write than the one whose set was read and kept: nothing was written. "
      "Program again.",
      "Auf das Schreiben antwortete ein anderes Gerät als das, dessen Einstellung gelesen und gesichert "
      "wurde: nichts wurde geschrieben. Programmieren Sie erneut.",
      nullptr,
      "Na zápis odpověděla jiná jednotka než ta, jejíž nastavení bylo přečteno a zálohováno: nic nebylo "
      "zapsáno. Programujte znovu."}},
    {AddedText::CliStoredDataError,
     {"The unit saved the set but reports its programmed data bad. Program again; if it happens again, the "
      "unit may be faulty.",
      "Das Gerät hat die Einstellung gespeichert, meldet aber einen Fehler der programmierten Daten. "
      "Programmieren Sie erneut; wiederholt es sich, ist das Gerät vielleicht defekt.",
      nullptr,
      "Jednotka nastavení uložila, ale hlásí chybu naprogramovaných dat. Programujte znovu; pokud se to "
      "opakuje, jednotka může být vadná."}},
    {AddedText::CliSavingNeverEnded,
     {"The unit did not finish saving within %1 s; its set is unknown: run korvo-cli verify %2",
      "Das Gerät hat das Speichern nicht binnen %1 s beendet; seine Einstellung ist unbekannt: korvo-cli "
      "verify %2 ausführen",
      nullptr,
      "Jednotka nedokončila ukládání do %1 s; její nastavení není známo: spusťte korvo-cli verify %2"}},
    {AddedText::CliSetUnknown,
     {"The unit's set is unknown: run korvo-cli verify %1",
      "Die Einstellung des Geräts ist unbekannt: korvo-cli verify %1 ausführen", nullptr,
      "Nastavení jednotky není známo: spusťte korvo-cli verify %1"}},
    {AddedText::CliInterruptedVerified,
     {"Interrupted: the unit holds %1, verified.", "Unterbrochen: das Gerät enthält %1, geprüft.", nullptr,
      "Přerušeno: jednotka obsahuje %1, ověřeno."}},
    {AddedText::CliInterruptedNothingWritten,
     {"Interrupted: nothing was written to the unit.", "Unterbrochen: nichts wurde in das Gerät geschrieben.",
      nullptr, "Přerušeno: do jednotky nebylo nic zapsáno."}},
    {AddedText::CliFileLacksKey,
     {"the file lacks the key %1", "der Datei fehlt der Schlüssel %1", nullptr, "souboru chybí klíč %1"}},
    {AddedText::CliStepReading, {"reading", "lesen", nullptr, "čtení"}},
    {AddedText::CliStepWriting, {"writing", "schreiben", nullptr, "zápis"}},
    {AddedText::CliStepVerifying, {"verifying", "prüfen", nullptr, "ověřování"}},
    {AddedText::CliStepSaving, {"saving", "speichern", nullptr, "ukládání"}},
    {AddedText::CliNoUsbAdapter,
     {"No USB serial adapter is connected. Connect the adapter and run the command again.",
      "Es ist kein USB-Seriell-Adapter angeschlossen. Schließen Sie den Adapter an und starten Sie den "
      "Befehl erneut.",
      nullptr, "Není připojen žádný sériový adaptér USB. Připojte adaptér a spusťte příkaz znovu."}},
    {AddedText::CliNotParameterFile,
     {"not a parameter file (it has no QUELLMAR_KEY line)",
      "keine Parameterdatei (ihr fehlt die Zeile QUELLMAR_KEY)", nullptr,
      "není to soubor parametrů (chybí řádek QUELLMAR_KEY)"}},
    // The unit's history
    {AddedText::HistoryMenu, {"Unit &history...", "Geräte&verlauf...", nullptr, "&Historie jednotky..."}},
    {AddedText::HistoryTitle, {"Unit history", "Geräteverlauf", nullptr, "Historie jednotky"}},
    {AddedText::HistoryKindBackup, {"before a write", "vor dem Schreiben", nullptr, "před zápisem"}},
    {AddedText::HistoryKindWritten, {"written", "geschrieben", nullptr, "zapsáno"}},
    {AddedText::HistoryCameWith,
     {"the set it came with", "die ursprüngliche Einstellung", nullptr, "původní nastavení"}},
    {AddedText::HistoryColumnEntry, {"Entry", "Eintrag", nullptr, "Záznam"}},
    {AddedText::HistoryColumnWhen, {"When", "Wann", nullptr, "Kdy"}},
    {AddedText::HistoryColumnKind, {"What", "Was", nullptr, "Co"}},
    {AddedText::HistoryColumnChanges, {"Changed fields", "Geänderte Felder", nullptr, "Změněné položky"}},
    {AddedText::HistoryProgram,
     {"&Program this set", "Diese Einstellung &programmieren", nullptr, "&Naprogramovat toto nastavení"}},
    {AddedText::HistoryOpenInEditor, {"Open in &editor", "Im &Editor öffnen", nullptr, "Otevřít v &editoru"}},
    {AddedText::HistorySideBySide, {"&Side by side", "&Nebeneinander", nullptr, "&Vedle sebe"}},
    {AddedText::HistoryCompareWith, {"with:", "mit:", nullptr, "s:"}},
    {AddedText::HistoryEditorSet,
     {"the editor's set", "die Einstellung im Editor", nullptr, "nastavení v editoru"}},
    {AddedText::HistoryUnitSet,
     {"the unit's set (Compare)", "die Einstellung des Geräts (Vergleichen)", nullptr,
      "nastavení jednotky (Porovnat)"}},
    {AddedText::HistoryEmpty,
     {"No backups yet in %1.", "In %1 gibt es noch keine Sicherungen.", nullptr,
      "V %1 zatím nejsou žádné zálohy."}},
    {AddedText::HistorySkipped, {"Skipped %1: %2", "Übersprungen %1: %2", nullptr, "Vynecháno %1: %2"}},
    {AddedText::HistorySkipNotOurs,
     {"not a file of the backup store", "keine Datei des Sicherungsspeichers", nullptr,
      "není soubor úložiště záloh"}},
    {AddedText::HistorySkipNotRegular,
     {"not a regular file", "keine reguläre Datei", nullptr, "není obyčejný soubor"}},
    {AddedText::HistorySkipDamaged, {"damaged", "beschädigt", nullptr, "poškozený"}},
    {AddedText::HistoryNoEntry,
     {"No history entry %1; korvo-cli history lists them.",
      "Kein Verlaufseintrag %1; korvo-cli history listet sie auf.", nullptr,
      "Záznam historie %1 neexistuje; vypíše je korvo-cli history."}},
    {AddedText::HistoryOtherUnit,
     {"The entry is of unit %1; the unit attached is %2.",
      "Der Eintrag gehört zum Gerät %1; angeschlossen ist %2.", nullptr,
      "Záznam patří jednotce %1; připojena je jednotka %2."}},
    {AddedText::HistoryEntryLabel, {"history entry %1", "Verlaufseintrag %1", nullptr, "záznam historie %1"}},
    {AddedText::HistoryRestoreDone,
     {"Restored %1; the unit has saved it.",
      "%1 wiederhergestellt; das Gerät hat die Einstellung gespeichert.", nullptr,
      "Obnoveno: %1; jednotka nastavení uložila."}},
    {AddedText::HistoryRestoreAsk,
     {"Write %1 to the unit? The unit's current set is kept as a backup first.",
      "%1 in das Gerät schreiben? Die aktuelle Einstellung des Geräts wird zuerst gesichert.", nullptr,
      "Zapsat %1 do jednotky? Současné nastavení jednotky se nejdřív uloží jako záloha."}},
    {AddedText::HistoryRestoreRunning,
     {"Writing %1...", "%1 wird geschrieben...", nullptr, "Zapisuje se %1..."}},
    {AddedText::HistoryRestoreFailed,
     {"%1 was not restored: %2", "%1 wurde nicht wiederhergestellt: %2", nullptr, "%1 nebyl obnoven: %2"}},
    {AddedText::HistoryLinkBusy,
     {"the link is busy", "die Verbindung ist belegt", nullptr, "spojení je zaneprázdněno"}},
    {AddedText::HistoryRefresh, {"&Refresh", "&Aktualisieren", nullptr, "&Obnovit"}},
    {AddedText::HistorySameSets,
     {"The two sets are the same.", "Die beiden Einstellungen sind gleich.", nullptr,
      "Obě nastavení jsou stejná."}},
    {AddedText::HistoryNotConnected,
     {"no unit is connected", "kein Gerät ist angeschlossen", nullptr, "není připojena žádná jednotka"}},
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
    const TextRow &texts = Rows[index].texts;
    const char *text = texts.in(languageIndex);
    return QString::fromUtf8(text ? text : texts.in(LanguageEnglish));
}
