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
    {AddedText::SaveFileError, "Save file error", "Chyba při ukládání souboru",
     "Fehler beim Speichern der Datei"},

    // Compare with the unit and backups

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
