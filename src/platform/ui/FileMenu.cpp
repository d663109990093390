#include "platform/ui/FileMenu.h"

#include <QAction>
#include <QMenu>

namespace filemenu {

void insertBeforeQuit(QMenu* menu, const QList<QAction*>& group)
{
    if (group.isEmpty() || menu->actions().contains(group.first()))
        return;
    const QList<QAction*> actions = menu->actions();
    QAction* anchor = nullptr;
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->menuRole() == QAction::QuitRole) {
            anchor = i > 0 && actions[i - 1]->isSeparator() ? actions[i - 1] : actions[i];
            break;
        }
    }
    if (!anchor && !actions.isEmpty())
        menu->addSeparator();
    for (QAction* action : group)
        menu->insertAction(anchor, action);
    if (anchor)
        menu->insertSeparator(group.first());
}

} // namespace filemenu
