#include "MessageTable.h"

#include "TextRow.h"

// The texts are kept exactly as the program has always shown them, blanks, spellings and
// missing exclamation marks included: users and the printed manual know them that way.
// Every language has every text.

constexpr const char *ManualDocument = "Korvo_TCI_en.pdf";

constexpr std::array<TextRow, MessageTable::MessageCount> Entries{{
    /* 0 */ {ManualDocument, ManualDocument, ManualDocument, ManualDocument},
    /* 1 */ {"Program error!", "Programmierfehler!", "Erreur de programmation!", "Chyba programování"},
    /* 2 */ {"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"},
    /* 3 */ {"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"},
    /* 4 */ {"Programing", "Programmieren", "Programmer", "Programování"},
    /* 5 */ {"Verify", "Vergleichen", "Vérifier", "Verifikace"},
    /* 6 */ {"Read", "Lesen", "Lire", "Čtení"},
    /* 7 */ {"Saving:", "Speichern:", "Mémorisation", "Ukládání:"},
    /* 8 */
    {"Unmatched version of PC and Ignition programs!",
     "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
     "Programme du boitier d´alumage non compatible avec programme PC!",
     "Neshodné verze proramu v PC a zapalování!"},
    /* 9 */
    {"Unmatched version of *.ign file!", "Datei *.ign ist nicht kompatiebel!",
     "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"},
    /* 10 */
    {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
     "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "},
    /* 11 */
    {"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!",
     "Chyba při otevírání portu Com!"},
    /* 12 */
    {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!",
     "Chyba při otevírání souboru!"},
    /* 13 */
    {"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
     "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"},
    /* 14 */ {"No reading!", "Lesen verboten!", "Pas axessible!", "Zákaz čtení!"},
    /* 15 */ {"", "", "", ""}, // built from entry 0, see ManualOpenErrorPrefix
    /* 16 */ {"Advance", "Vorzündung", "Avance", "Předstih"},
    /* 17 */
    {"Start soft limiter", "Startsoftbegrenzer", "Limitateur départ mou", "Startovací měkký omezovač"},
    /* 18 */ {"Start limiter", "Startbegrenzer", "Limitateur départ", "Startovací omezovač"},
    /* 19 */ {"Soft limiter", "Soft begrenzer", "Limitateur mou", "Měkký omezovač"},
    /* 20 */ {"Limiter", "Begrenzer", "Limitateur", "Omezovač"},
    /* 21 */ {"Gear shift light", "Schaltblitz", "Retard ŕ l´allumage", "Kontrolka řazení"},
    /* 22 */ {"Clutch master", "Schaltautomat", "Clutch master", "Clutch master"},
    /* 23 */ {"Retard", "Spätzündung", "Retard d´allumage", "Snížení předstihu"},
    /* 24 */ {"Motor off", "Motor off", "Blocage", "Blokování"},
    /* 25 */ {"2nd advance chart ", "2.Vorzündung mappe", "2nd advance chart ", "2. mapa předstihu"},
    /* 26 */
    {"Number of Programing= ", "Programmierungsanzahl= ", "Nombre de programmations= ",
     "Počet programování= "},
    /* 27 */ {"YES", "JA", "Oui", "ANO"},
    /* 28 */ {"NO", "NEIN", "Non", "NE"},
    /* 29 */ {"Pick-up (CPS)", "Geber(CPS)", "Capteur(CPS)", "Snímač (CPS)"},
    /* 30 */ {" is running", " läuft", " fonctionne", " pracuje"},
    /* 31 */ {" no signal", " kein Signal", " pas de signal", " bez signálu"},
    /* 32 */ {"", "", "", ""}, // never written
    /* 33 */ {"Acceleration", "Beschleunigung", "Accélération", "Zrychlení"},
}};

// Entry 15 is the prefix, then entry 0, then ManualOpenErrorSuffix.
constexpr TextRow ManualOpenErrorPrefix{"Error by opening file ", "Fehler beim öffnen der Datei ",
                                        "Erreur ŕ l´ouvertur du Fichier ", "Chyba při otevírání souboru "};
constexpr const char *ManualOpenErrorSuffix = " !";

struct MessageControlRow
{
    TextRow MenuOpenExeDir;
    TextRow MenuSaveExeDir;
    TextRow ComboBoxBikeSpecial;
    TextRow CheckBoxBuzDlouhe;
    TextRow LabelBaseAdv;
    TextRow MenuTools;
    TextRow MenuZpet;
    TextRow MenuZnovu;
};

// French has never had Undo/Redo captions; the usual French menu words are used, since
// the French table is reachable only through a hand-edited settings file.
constexpr MessageControlRow ControlTexts{
    {"Open from exe dir", "Öffnen aus exe dir", "Open from exe dir", "Otevřít z exe dir"},
    {"Save to exe dir", "Speichern in exe dir", "Save to exe dir", "Uložit do exe dir"},
    {"Special setting", "Sonderstellung", "Spécial ajustage", "Speciální nastavení"},
    {"Excitation Long", "Anfachung lange", "Excitation Long", "Buzení dlouhé"},
    {"Base advance [°]", "Basis Vorzündung [°]", "Avance de base [°]", "Základní předstih [°]"},
    {"Tools", "Werkzeuge", "Outillage", "Pomůcky"},
    {"Undo", "Zurück", "Annuler", "Zpet"},
    {"Redo", "Wieder", "Rétablir", "Znovu"},
};

static bool knownLanguage(quint8 languageIndex)
{
    return languageIndex < MessageTable::LanguageCount;
}

static QString pick(const TextRow &row, quint8 languageIndex)
{
    return QString::fromUtf8(row.in(languageIndex));
}

QString MessageTable::entryText(int index, quint8 languageIndex)
{
    if (index < 0 || index >= MessageCount || !knownLanguage(languageIndex))
        return {};
    if (index == MsgManualOpenError)
        return pick(ManualOpenErrorPrefix, languageIndex) + pick(Entries[MsgManualDocument], languageIndex) +
               QString::fromUtf8(ManualOpenErrorSuffix);
    return pick(Entries[index], languageIndex);
}

void MessageTable::load(quint8 languageIndex)
{
    if (!knownLanguage(languageIndex))
        return;
    for (int i = 0; i < MessageCount; ++i)
        m_entries[i] = entryText(i, languageIndex);
}

std::optional<MessageControlTexts> MessageControlTextsFor(quint8 languageIndex)
{
    if (!knownLanguage(languageIndex))
        return std::nullopt;
    const QString advance = MessageTable::entryText(MsgAdvance, languageIndex);
    const QString pickup = MessageTable::entryText(MsgPickup, languageIndex);
    MessageControlTexts texts;
    texts.MenuOpenExeDir = pick(ControlTexts.MenuOpenExeDir, languageIndex);
    texts.MenuSaveExeDir = pick(ControlTexts.MenuSaveExeDir, languageIndex);
    texts.LabelAdvance = advance + QStringLiteral("= --- [°]");
    texts.AdvanceMinus = advance + QStringLiteral(" -");
    texts.AdvancePlus = advance + QStringLiteral(" +");
    texts.LabelMonSnimac1 = pickup + QStringLiteral(" 1 = ---");
    texts.LabelMonSnimac2 = pickup + QStringLiteral(" 2 = ---");
    texts.ComboBoxBikeSpecial = pick(ControlTexts.ComboBoxBikeSpecial, languageIndex);
    texts.CheckBoxBuzDlouhe = pick(ControlTexts.CheckBoxBuzDlouhe, languageIndex);
    texts.LabelBaseAdv = pick(ControlTexts.LabelBaseAdv, languageIndex);
    texts.MenuTools = pick(ControlTexts.MenuTools, languageIndex);
    texts.MenuZpet = pick(ControlTexts.MenuZpet, languageIndex);
    texts.MenuZnovu = pick(ControlTexts.MenuZnovu, languageIndex);
    return texts;
}
