#pragma once

class TFormHlav;

// Ways through the window without a mouse, beside the menus' own shortcuts: F10 opens
// the menu bar, Ctrl+T goes to the vehicle list and Ctrl+L to the long excitation box
// (both are kept out of the Tab order), and every menu opens by a letter of its own.

// Once, after the menus and controls exist.
void installKeyboardAccess(TFormHlav &form);
// After every change of the captions: a menu without a letter gets one, and a button
// whose letter a menu has gives it up (it keeps its F7, F8 or F9).
void settleAccessLetters(TFormHlav &form);
