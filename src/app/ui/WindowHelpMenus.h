#pragma once

#include <QStringList>

#include <functional>

class QMenuBar;
class QWidget;

// The Window and Help menus of every document window.
namespace windowmenus {

// The Window menu: the memo, then every window open on the screen (the
// documents' lists first, then their other windows), rebuilt each time the
// menu opens; choosing one brings it to the front.
void addWindowMenu(QMenuBar* menuBar, std::function<void()> showMemo);

// What the Help menu tells of the files the program keeps.
struct KeptFiles {
    QString settingsFile;
    std::function<QStringList()> recentDocuments;
};

// The Help menu: About Ondrix (with its version), the keyboard shortcuts of
// the window's menus, and where the files are kept.
void addHelpMenu(QMenuBar* menuBar, KeptFiles files);

// The title a window is listed under: its title without the modified mark.
QString listedTitle(const QWidget* window);

} // namespace windowmenus
