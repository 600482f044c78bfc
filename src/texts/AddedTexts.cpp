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
