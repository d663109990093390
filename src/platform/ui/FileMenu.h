#pragma once

#include <QList>

class QAction;
class QMenu;

namespace filemenu {

// Puts a group of actions (page set-up and print) into a File menu before
// its last group (Quit), after the document commands; once only.
void insertBeforeQuit(QMenu* menu, const QList<QAction*>& group);

} // namespace filemenu
