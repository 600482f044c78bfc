// Parameter files, the settings file and the snapshot, and printing.

#include "TFormHlav.h"

void TFormHlav::MenuOpenClick()
{
    // Open a parameter file: comes with the file commands.
}

void TFormHlav::MenuOpenExeDirClick()
{
    // Open data.ign beside the program: comes with the file commands.
}

void TFormHlav::MenuSaveClick()
{
    // Save to a parameter file: comes with the file commands.
}

void TFormHlav::MenuSaveExeDirClick()
{
    // Save data.ign beside the program: comes with the file commands.
}

void TFormHlav::SpeedButtonPrintClick()
{
    // Print the window: comes with the printout.
}

void TFormHlav::LoadSettings()
{
    // Nothing is read yet: every key takes its default, as with a missing settings file.
    // ComPort and ComPortAuto store the choice plus one, so their defaults come back
    // one lower (PortChoice 1 gives COM1; AutoScanPort wraps and is bounded later).
    Session.PortChoice = quint8(Session.PortChoice - 1);
    Session.AutoScanPort = quint8(Session.AutoScanPort - 1);
}

void TFormHlav::SaveSettings()
{
    // Writes nothing yet. Demo runs and tests (setup().useSettingsFiles false) never will.
}

void TFormHlav::ReadTestMode()
{
    TestMode = false;
}
