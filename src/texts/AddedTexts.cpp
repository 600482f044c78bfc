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

    // Files, start-up and saving
    {AddedText::SaveFileError, "Save file error", "Chyba při ukládání souboru", "Fehler beim Speichern der Datei"},

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
