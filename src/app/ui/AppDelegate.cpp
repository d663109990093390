#include "app/ui/AppDelegate.h"

#include "app/ui/MemoWindow.h"
#include "app/ui/PreferenceCommands.h"
#include "platform/context/AppContext.h"
#include "platform/context/Notifications.h"

AppDelegate::AppDelegate(AppContext& context, QObject* parent) : WindowTable(parent), m_context(context)
{
    registerWindow(memoCommand(), [this] { return std::make_unique<MemoWindow>(m_context.settings()); });
    preferencecommands::registerWindows(*this, m_context);
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::sendRenumDivesNotification(QObject* sender)
{
    m_context.hub().post(notifications::renumDives, sender);
}
