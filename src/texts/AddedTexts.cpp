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
