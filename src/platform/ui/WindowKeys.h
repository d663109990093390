#pragma once

class QWidget;

// What every window of the program does alike.
namespace windowkeys {

// Ctrl+W closes the window; with `escape`, Escape closes it too (the
// windows that hold no document: profiles, calculators, texts).
void addCloseKeys(QWidget* window, bool escape);

// Moves the window, and shrinks it if it must, so that all of it, frame
// included, lies inside the available geometry of its screen.
void keepOnScreen(QWidget* window);

// Shows the window inside the screen and brings it to the front.
void present(QWidget* window);

} // namespace windowkeys
