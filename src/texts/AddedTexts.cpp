#include "AddedTexts.h"

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
     "  --version     show the version and end",
     "Programuje, čte, ověřuje a sleduje zapalovací jednotku \"Korvo TCI\".\n"
     "ENGLISH, CESKY nebo DEUTSCH volí jazyk rozhraní; SOUBOR.ign se otevře po spuštění.\n"
     "  --demo        práce se simulovanou jednotkou; nastavení se nečte ani nezapisuje\n"
     "  --help        vypíše tuto nápovědu a skončí\n"
     "  --version     vypíše verzi a skončí",
     "Programmiert, liest, vergleicht und überwacht eine \"Korvo TCI\" Zündbox.\n"
     "ENGLISH, CESKY oder DEUTSCH wählt die Sprache; DATEI.ign wird beim Start geöffnet.\n"
     "  --demo        mit einer simulierten Zündbox arbeiten; Einstellungen werden weder gelesen noch geschrieben\n"
     "  --help        diese Hilfe zeigen und beenden\n"
     "  --version     die Version zeigen und beenden"},
    {AddedText::NoDisplay, "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is usable)",
     "není displej, na kterém by se dalo zobrazit okno (DISPLAY ani WAYLAND_DISPLAY nelze použít)",
     "keine Anzeige für das Fenster (weder DISPLAY noch WAYLAND_DISPLAY ist nutzbar)"},

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

    // Installing, recent files, manual
    {AddedText::RecentFilesMenu, "Recent files", "Poslední soubory", "Zuletzt verwendete Dateien"},
    {AddedText::RecentFilesClear, "Clear list", "Vymazat seznam", "Liste leeren"},

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
    case 1:
        return QString::fromUtf8(row.german);
    case 3:
        return QString::fromUtf8(row.czech);
    default:
        return QString::fromUtf8(row.english);
    }
}
