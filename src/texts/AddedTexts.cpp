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

    // Curve window and recording

    // Installing, recent files, manual

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
