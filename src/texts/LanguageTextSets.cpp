#include "LanguageTextSets.h"

#include "TextRow.h"

// The texts are kept exactly as the program has always shown them, blanks and spellings
// included. A null text means that language leaves the item as it is. French has no set,
// so its column is empty throughout.

struct LanguageTextRow
{
    const char *objectName;
    TextAssignment::Kind kind;
    TextRow texts;
};

static constexpr TextAssignment::Kind C = TextAssignment::Caption;
static constexpr TextAssignment::Kind H = TextAssignment::Hint;

// In the order the sets write them.
static constexpr LanguageTextRow LanguageRows[] = {
    // Window caption and menu captions.
    {MainWindowObjectName,
     C,
     {"Programming of \"Korvo TCI\" unit", "Programmierung der \"Korvo TCI\" Zündbox", nullptr,
      "Programování jednotky \"Korvo TCI\""}},
    {"MenuFile", C, {"&File", "&Datei", nullptr, "&Soubor"}},
    {"MenuNew", C, {"&New", "&Neu", nullptr, "&Nový"}},
    {"MenuOpen", C, {"&Open", "&Öffnen", nullptr, "&Otevřít"}},
    {"MenuSave", C, {"&Save", "&Speichern", nullptr, "&Uložit"}},
    {"MenuPrint", C, {"&Print", "&Drucken", nullptr, "&Tisk"}},
    {"MenuExit", C, {"E&xit", "&Beenden", nullptr, "&Konec"}},
    {"MenuCom", C, {"&Com", "&ComPort", nullptr, "&Port"}},
    {"MenuDevice", C, {"&Device", "&Zündbox", nullptr, "&Zapalování"}},
    {"MenuRead", C, {"&Read", "&Lesen", nullptr, "Čí&st"}},
    {"MenuVerify", C, {"&Verify", "&Vergleichen", nullptr, "&Verifikace"}},
    {"MenuProgram", C, {"&Program", "&Programmieren", nullptr, "&Programovat"}},
    {"MenuLanguage", C, {"&Language", "&Sprache", nullptr, "&Jazyk"}},
    {"MenuEnglish", C, {"&English", "Englisch", nullptr, "&Anglicky"}},
    {"MenuCzech", C, {"&Czech", "&Tschechisch", nullptr, "Če&sky"}},
    {"MenuGerman", C, {"&German", "&Deutsch", nullptr, "&Německy"}},
    {"MenuHelp", C, {"&Help", "&Hilfe", nullptr, "&Nápověda"}},
    {"MenuContens", C, {"&Contents...", "&Inhalt...", nullptr, "&Obsah..."}},
    {"MenuAbout", C, {"&About...", "&Über Programm...", nullptr, "&O programu..."}},

    // Control captions.
    {"CheckBoxIgnAll", C, {"All", "Alles", nullptr, "Vše"}},
    {"CheckBoxProgHned",
     C,
     {"Programming after change", "Programmieren nach Änderung", nullptr, "Programování po změně"}},
    {"Button1", C, {"&Read", "&Lesen", nullptr, "Čí&st"}},
    {"BitBtn1", C, {"&Program", "&Programmieren", nullptr, "&Programovat"}},
    {"BitBtn2", C, {"&Verify", "&Vergleichen", nullptr, "&Verifikovat"}},
    {"Label2", C, {"Advance [°]", "Vorzündung [°]", nullptr, "Předstih [°]"}},
    {"LabelOmez2", C, {"Limiter [rpm]", "Begrenzer [rpm]", nullptr, "Omezovač [rpm]"}},
    {"CheckBoxBlokEnable", C, {"Blocking enable", "Blockierung zugelast", nullptr, "Blokování povoleno"}},
    {"CheckBoxRpm2Krat", C, {"Tachometer 2x", "Drehzahl verdoppeln", nullptr, "Otáčkoměr 2x"}},
    {"LabelFile1", C, {"File:", "Datei:", nullptr, "Soubor:"}},

    // Control hints (CheckBoxProgHned comes last of all).
    {"Label26",
     H,
     {"Round per Minute|Speed - Round per Minute", "Umdrehungen pro Minute", nullptr,
      "Otáčky za minutu|Rychlost - Otáčky za minutu"}},
    {"LabelVerze1",
     H,
     {"Version of program in ignition", "Version des Programms der Zündung", nullptr,
      "Verze programu v zapalování"}},
    {"LabelVerze2",
     H,
     {"Date of program in ignition", "Datum des Programms der Zündung", nullptr,
      "Datum zhotovení programu v zapalování"}},
    {"LabelVerze3",
     H,
     {"Time of program in ignition", "Zeit des Programms der Zündung", nullptr,
      "Čas zhotovení programu v zapalování"}},
    {"SpeedButton5",
     H,
     {"Open file with parametrs", "öffnen Datei mit Kenndaten", nullptr, "Otevření souboru s parametry"}},
    {"SpeedButton6",
     H,
     {"Set default parametrs", "neue Kenndatendatei erstellen", nullptr, "Nastavení výchozích parametrů"}},
    {"SpeedButton7",
     H,
     {"Save parametrs to file", "Kenndaten in Datei speichern", nullptr, "Uložení parametrů do souboru"}},
    {"SpeedButtonPrint", H, {"Print parametrs", "Druck der Kenndaten", nullptr, "Tisk parametrů"}},
    {"BitBtn1",
     H,
     {"Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", nullptr,
      "Programování nastavených parametrů do zapalování"}},
    {"BitBtn2",
     H,
     {"Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten",
      nullptr, "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování"}},
    {"BitBtnAdvMinus",
     H,
     {"Take off 1 degree of Advance", "Vorzündung minus 1 Grad", nullptr, "Zmenšení předstihu o 1 stupeň"}},
    {"BitBtnAdvPlus",
     H,
     {"Add 1 degree of Advance", "Vorzündung plus 1 Grad", nullptr, "Zvětšení předstihu o 1 stupeň"}},
    {"Button1",
     H,
     {"Reading parametrs from ignition", "Lesen Kenndaten aus Zündbox", nullptr,
      "Čtení parametrů ze zapalování"}},

    // Menu item hints.
    {"MenuNew",
     H,
     {"Set default parameters ", "Neue Kenndatendatei erstellen", nullptr, "Nastavení výchozích parametrů"}},
    {"MenuOpen",
     H,
     {"Open file with parameters ", "öffnen Datei mit Kenndaten", nullptr, "Otevření souboru s parametry"}},
    {"MenuSave",
     H,
     {"Save parameters to file", "Kenndaten in Datei speichern", nullptr, "Uložení parametrů do souboru"}},
    {"MenuPrint", H, {"Print parameters", "Druck der Kenndaten", nullptr, "Tisk parametrů"}},
    {"MenuExit", H, {"End of program", "Speichern", nullptr, "Ukončení programu"}},
    {"MenuCom", H, {nullptr, "Com Port festlegen", nullptr, nullptr}},
    {"MenuRead",
     H,
     {"Reading parameters from unit", "Lesen Kenndaten aus Zündbox", nullptr,
      "Čtení|Čtení parametrů z jednotky"}},
    {"MenuVerify",
     H,
     {"Compare set parameters  with parameters of unit",
      "Vergleich der Kenndaten Programm mit Kenndaten der Zündbox", nullptr,
      "Ověření|Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování"}},
    {"MenuProgram",
     H,
     {"Programing  set parameters to unit", "Programmieren der Kenndaten auf die Zündbox", nullptr,
      "Programování jednotky|Programování nastavených parametrů do jednotky"}},
    {"MenuLanguage",
     H,
     {"Language|Set English or Czech or German", "Sprache", nullptr,
      "Nastavení jazyka na angličtinu, češtinu nebo němčinu"}},
    {"MenuEnglish", H, {"Set Englich menu", "Set Englich menu", nullptr, "Set Englich menu"}},
    {"MenuCzech", H, {"Nastavit české menu", "Nastavit české menu", nullptr, "Nastavit české menu"}},
    {"MenuGerman", H, {"Deutche Menü", "Deutche Menü", nullptr, "Deutche Menü"}},
    {"MenuHelp", H, {"Not available jet", "Noch nicht verfügbar", nullptr, "Není k dispozici"}},

    {"CheckBoxProgHned",
     H,
     {"Programing at once after change", "Programmmieren gleich after die Umänderung", nullptr,
      "Programování ihned po změně"}},
};

QList<TextAssignment> LanguageTextSet(quint8 languageIndex)
{
    // French and unknown languages find no texts.
    QList<TextAssignment> set;
    set.reserve(std::size(LanguageRows));
    for (const LanguageTextRow &row : LanguageRows) {
        if (const char *text = row.texts.in(languageIndex))
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
