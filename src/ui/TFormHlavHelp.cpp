// The manual and the About window.

#include "TFormHlav.h"

void TFormHlav::MenuContensClick()
{
    // Starts the manual of the current language: comes with the help commands.
}

void TFormHlav::MenuAboutClick()
{
    // Shows the About window: comes with the help commands.
}
