#pragma once

class WindowTable;
class Localizer;
class QMenuBar;

// Registers the window command of every calculator window with the
// program's window table ("displayProfMaxWindow", ... each creating its window
// on first use), its texts in the given tables, or in the environment's
// language when none are given.
void registerCalculatorWindows(WindowTable& delegate, const Localizer& texts);
void registerCalculatorWindows(WindowTable& delegate);

// Adds a "Calculators" menu whose items show the calculator windows.
void addCalculatorMenu(QMenuBar* menuBar, WindowTable& delegate);
