#include "LanguageTextSets.h"

#include "Language.h"

#include <array>

// The texts are kept exactly as the program has always shown them, blanks and spellings
// included. A null text means that language leaves the item as it is.

struct LanguageTextRow
{
    const char *objectName;
    TextAssignment::Kind kind;
    const char *english;
    const char *czech;
    const char *german;
};

static constexpr TextAssignment::Kind C = TextAssignment::Caption;
static constexpr TextAssignment::Kind H = TextAssignment::Hint;

// In the order the sets write them.
static constexpr LanguageTextRow LanguageRows[] = {
    // Window caption and menu captions.
    {MainWindowObjectName, C, "Programming of \"Korvo TCI\" unit", "Programování jednotky \"Korvo TCI\"",
     "Programmierung der \"Korvo TCI\" Zündbox"},
    {"MenuFile", C, "&File", "&Soubor", "&Datei"},
    {"MenuNew", C, "&New", "&Nový", "&Neu"},
    {"MenuOpen", C, "&Open", "&Otevřít", "&Öffnen"},
    {"MenuSave", C, "&Save", "&Uložit", "&Speichern"},
    {"MenuPrint", C, "&Print", "&Tisk", "&Drucken"},
    {"MenuExit", C, "E&xit", "&Konec", "&Beenden"},
    {"MenuCom", C, "&Com", "&Port", "&ComPort"},
    {"MenuDevice", C, "&Device", "&Zapalování", "&Zündbox"},
    {"MenuRead", C, "&Read", "Čí&st", "&Lesen"},
    {"MenuVerify", C, "&Verify", "&Verifikace", "&Vergleichen"},
    {"MenuProgram", C, "&Program", "&Programovat", "&Programmieren"},
    {"MenuLanguage", C, "&Language", "&Jazyk", "&Sprache"},
    {"MenuEnglish", C, "&English", "&Anglicky", "Englisch"},
    {"MenuCzech", C, "&Czech", "Če&sky", "&Tschechisch"},
    {"MenuGerman", C, "&German", "&Německy", "&Deutsch"},
    {"MenuHelp", C, "&Help", "&Nápověda", "&Hilfe"},
    {"MenuContens", C, "&Contents...", "&Obsah...", "&Inhalt..."},
    {"MenuAbout", C, "&About...", "&O programu...", "&Über Programm..."},

    // Control captions.
    {"CheckBoxIgnAll", C, "All", "Vše", "Alles"},
    {"CheckBoxProgHned", C, "Programming after change", "Programování po změně",
     "Programmieren nach Änderung"},
    {"Button1", C, "&Read", "Čí&st", "&Lesen"},
    {"BitBtn1", C, "&Program", "&Programovat", "&Programmieren"},
    {"BitBtn2", C, "&Verify", "&Verifikovat", "&Vergleichen"},
    {"Label2", C, "Advance [°]", "Předstih [°]", "Vorzündung [°]"},
    {"LabelOmez2", C, "Limiter [rpm]", "Omezovač [rpm]", "Begrenzer [rpm]"},
    {"CheckBoxBlokEnable", C, "Blocking enable", "Blokování povoleno", "Blockierung zugelast"},
    {"CheckBoxRpm2Krat", C, "Tachometer 2x", "Otáčkoměr 2x", "Drehzahl verdoppeln"},
    {"LabelFile1", C, "File:", "Soubor:", "Datei:"},

    // Control hints (CheckBoxProgHned comes last of all).
    {"Label26", H, "Round per Minute|Speed - Round per Minute",
     "Otáčky za minutu|Rychlost - Otáčky za minutu", "Umdrehungen pro Minute"},
    {"LabelVerze1", H, "Version of program in ignition", "Verze programu v zapalování",
     "Version des Programms der Zündung"},
    {"LabelVerze2", H, "Date of program in ignition", "Datum zhotovení programu v zapalování",
     "Datum des Programms der Zündung"},
    {"LabelVerze3", H, "Time of program in ignition", "Čas zhotovení programu v zapalování",
     "Zeit des Programms der Zündung"},
    {"SpeedButton5", H, "Open file with parametrs", "Otevření souboru s parametry",
     "öffnen Datei mit Kenndaten"},
    {"SpeedButton6", H, "Set default parametrs", "Nastavení výchozích parametrů",
     "neue Kenndatendatei erstellen"},
    {"SpeedButton7", H, "Save parametrs to file", "Uložení parametrů do souboru",
     "Kenndaten in Datei speichern"},
    {"SpeedButtonPrint", H, "Print parametrs", "Tisk parametrů", "Druck der Kenndaten"},
    {"BitBtn1", H, "Programing  set parametrs to ignition",
     "Programování nastavených parametrů do zapalování", "Programmieren der Kenndaten auf die Zündbox"},
    {"BitBtn2", H, "Compare set parametrs  with parametrs of ignition",
     "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování",
     "Vergleich der Kenndaten mit Zündboxkenndaten"},
    {"BitBtnAdvMinus", H, "Take off 1 degree of Advance", "Zmenšení předstihu o 1 stupeň",
     "Vorzündung minus 1 Grad"},
    {"BitBtnAdvPlus", H, "Add 1 degree of Advance", "Zvětšení předstihu o 1 stupeň",
     "Vorzündung plus 1 Grad"},
    {"Button1", H, "Reading parametrs from ignition", "Čtení parametrů ze zapalování",
     "Lesen Kenndaten aus Zündbox"},

    // Menu item hints.
    {"MenuNew", H, "Set default parameters ", "Nastavení výchozích parametrů",
     "Neue Kenndatendatei erstellen"},
    {"MenuOpen", H, "Open file with parameters ", "Otevření souboru s parametry",
     "öffnen Datei mit Kenndaten"},
    {"MenuSave", H, "Save parameters to file", "Uložení parametrů do souboru",
     "Kenndaten in Datei speichern"},
    {"MenuPrint", H, "Print parameters", "Tisk parametrů", "Druck der Kenndaten"},
    {"MenuExit", H, "End of program", "Ukončení programu", "Speichern"},
    {"MenuCom", H, nullptr, nullptr, "Com Port festlegen"},
    {"MenuRead", H, "Reading parameters from unit", "Čtení|Čtení parametrů z jednotky",
     "Lesen Kenndaten aus Zündbox"},
    {"MenuVerify", H, "Compare set parameters  with parameters of unit",
     "Ověření|Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování",
     "Vergleich der Kenndaten Programm mit Kenndaten der Zündbox"},
    {"MenuProgram", H, "Programing  set parameters to unit",
     "Programování jednotky|Programování nastavených parametrů do jednotky",
     "Programmieren der Kenndaten auf die Zündbox"},
    {"MenuLanguage", H, "Language|Set English or Czech or German",
     "Nastavení jazyka na angličtinu, češtinu nebo němčinu", "Sprache"},
    {"MenuEnglish", H, "Set Englich menu", "Set Englich menu", "Set Englich menu"},
    {"MenuCzech", H, "Nastavit české menu", "Nastavit české menu", "Nastavit české menu"},
    {"MenuGerman", H, "Deutche Menü", "Deutche Menü", "Deutche Menü"},
    {"MenuHelp", H, "Not available jet", "Není k dispozici", "Noch nicht verfügbar"},

    {"CheckBoxProgHned", H, "Programing at once after change", "Programování ihned po změně",
     "Programmmieren gleich after die Umänderung"},
};

QList<TextAssignment> LanguageTextSet(quint8 languageIndex)
{
    const char *LanguageTextRow::*column = nullptr;
    switch (languageIndex) {
    case LanguageEnglish:
        column = &LanguageTextRow::english;
        break;
    case LanguageGerman:
        column = &LanguageTextRow::german;
        break;
    case LanguageCzech:
        column = &LanguageTextRow::czech;
        break;
    default:
        return {};
    }
    QList<TextAssignment> set;
    set.reserve(std::size(LanguageRows));
    for (const LanguageTextRow &row : LanguageRows) {
        if (const char *text = row.*column)
            set.append({row.objectName, row.kind, QString::fromUtf8(text)});
    }
    return set;
}

struct BuiltInTextRow
{
    const char *objectName;
    TextAssignment::Kind kind;
    const char *text;
};

// The window as built: captions first, then hints, in layout order.
static constexpr BuiltInTextRow BuiltInRows[] = {
    {MainWindowObjectName, C, "Programming of \"Korvo TCI\" unit"},

    // Menus.
    {"MenuFile", C, "&File"},
    {"MenuNew", C, "&New"},
    {"MenuOpen", C, "&Open"},
    {"MenuOpenExeDir", C, "Open from exe dir"},
    {"MenuSave", C, "&Save"},
    {"MenuSaveExeDir", C, "Save to exe dir"},
    {"MenuPrint", C, "&Print"},
    {"MenuExit", C, "E&xit"},
    {"MenuCom", C, "&Com"},
    {"MenuDevice", C, "&Device"},
    {"MenuRead", C, "&Read"},
    {"MenuVerify", C, "&Verify"},
    {"MenuProgram", C, "&Program"},
    {"MenuTools", C, "&Tools"},
    {"AdvanceMinus", C, "Advance -"},
    {"AdvancePlus", C, "Advance +"},
    {"MenuZpet", C, "Undo"},
    {"MenuZnovu", C, "Redo"},
    {"MenuLanguage", C, "&Language"},
    {"MenuEnglish", C, "&English"},
    {"MenuCzech", C, "&Czech"},
    {"MenuGerman", C, "&German"},
    {"MenuHelp", C, "&Help"},
    {"MenuContens", C, "&Contens"},
    {"MenuAbout", C, "&About..."},

    // Tool bar and editor.
    {"Button1", C, "&Read"},
    {"BitBtn2", C, "Verify"},
    {"BitBtn1", C, "Program"},
    {"LabelSpojeni", C, "No Connection"},
    {"Label26", C, "RPM"},
    {"Label2", C, "Label2"},
    {"BitBtnAdvMinus", C, "-"},
    {"BitBtnAdvPlus", C, "+"},
    {"CheckBoxIgnAll", C, "All"},
    {"LabelPalec13", C, "TOP 1,4"},
    {"LabelPalec24", C, "TOP 2,3"},
    {"LabelBaseAdv", C, "Base advance [°]"},
    {"LabelOmez2", C, "Limiter  [rpm]"},
    {"CheckBoxBuzDlouhe", C, "Excitation Height"},
    {"CheckBoxBlokEnable", C, "Block enable"},
    {"CheckBoxRpm2Krat", C, "Speedometer 2x"},
    {"CheckBoxProgHned", C, "Program. po změně"},

    // Live values.
    {"LabelRpm", C, "RPM = ---"},
    {"LabelAdvance", C, "ADVANCE= --- [°]"},
    {"LabelNapeti", C, "U = --- [V]"},
    {"LabelBlocking", C, "Blocking = --"},
    {"LabelNeutral", C, "Neutral sw. = --"},
    {"LabelSideStand", C, "Side stand sw. = --"},
    {"LabelMonSnimac1", C, "Snimac 1 = --- "},
    {"LabelMonSnimac2", C, "Snimac 2 = --- "},
    {"LabelCom", C, "COM = ---"},
    {"LabelVerze1", C, "---"},
    {"LabelVerze2", C, "25.01.2003"},
    {"LabelVerze3", C, "16:21"},
    {"LabelPocetProgramovani", C, "Number of Programing: -----"},

    // Message area and test values.
    {"LabelHlaseni", C, "Programming:"},
    {"LabelFile1", C, "File:"},
    {"LabelFile2", C, "----------"},
    {"LabelEeDataErr", C, "Programmed data error"},
    {"LabelVersion", C, "LabelVersion"},
    {"LabelTest1", C, "Test1 = ---"},
    {"LabelTest2", C, "Test2 = ---"},
    {"LabelTest3", C, "Test3 = ---"},
    {"LabelTest4", C, "Test4 = ---"},
    {"LabelTest5", C, "Test5 = ---"},
    {"LabelTest6", C, "Test6 = ---"},
    {"LabelTest7", C, "Test7 = ---"},
    {"LabelTest8", C, "Test8 = ---"},

    // Hints of the controls.
    {"SpeedButton6", H, "New|Set default parametrs"},
    {"SpeedButton5", H, "Open|Open file with parametrs"},
    {"SpeedButton7", H, "Save|Save parametrs to file"},
    {"SpeedButtonPrint", H, "Print|Print parametrs"},
    {"Button1", H, "Read|Reading parametrs from ignition"},
    {"BitBtn2", H, "Verify|Compare set parametrs  with parametrs of ignition"},
    {"BitBtn1", H, "Programing|Programing  set parametrs to ignition"},
    {"BitBtnAdvMinus", H, "Injection minus 1 percent"},
    {"BitBtnAdvPlus", H, "Injection plus 1 percent"},
    {"ComboBoxBike", H, "Type of keying"},
    {"CheckBoxProgHned", H, "pokus"},
    {"LabelVerze1", H, "Version|Version of program in ignition"},
    {"LabelVerze2", H, "Date|Date of program in ignition"},
    {"LabelVerze3", H, "Time|Time of program in ignition"},

    // Hints of the menus; items not listed have none. The language items have an empty
    // short part.
    {"MenuNew", H, "New|Set default parametrs"},
    {"MenuOpen", H, "Open|Open file with parametrs"},
    {"MenuSave", H, "Save|Save parametrs to file"},
    {"MenuPrint", H, "Print|Print parametrs"},
    {"MenuExit", H, "Exit|End of program"},
    {"MenuCom", H, "Com|Set number of com "},
    {"MenuRead", H, "Read|Reading parametrs from ignition"},
    {"MenuVerify", H, "Verify|Compare set parametrs  with parametrs of ignition"},
    {"MenuProgram", H, "Programing|Programing  set parametrs to ignition"},
    {"AdvanceMinus", H, "Curve A minus|Take off 1 degree of curve A"},
    {"AdvancePlus", H, "Curve A plus|Add 1 degree of curve A"},
    {"MenuLanguage", H, "Language|Set English or Czech"},
    {"MenuEnglish", H, "|Set Englich menu"},
    {"MenuCzech", H, "|Set Czech menu"},
    {"MenuHelp", H, "Not available jet"},
};

QList<TextAssignment> BuiltInTexts()
{
    QList<TextAssignment> texts;
    texts.reserve(std::size(BuiltInRows));
    for (const BuiltInTextRow &row : BuiltInRows)
        texts.append({row.objectName, row.kind, QString::fromUtf8(row.text)});
    return texts;
}

int LanguageFromCommandWord(const QString &firstArgument)
{
    if (firstArgument == QLatin1String("ENGLISH"))
        return LanguageEnglish;
    if (firstArgument == QLatin1String("CESKY"))
        return LanguageCzech;
    if (firstArgument == QLatin1String("DEUTSCH"))
        return LanguageGerman;
    return -1;
}
