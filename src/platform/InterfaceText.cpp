#include "platform/InterfaceText.h"

#include "platform/Localizer.h"

namespace {
const Localizer* g_interface = nullptr;
}

namespace ui {

QString text(const char* english)
{
    const QString key = QString::fromUtf8(english);
    return g_interface ? g_interface->text(key, QStringLiteral("Interface"), key) : key;
}

const Localizer* installLocalizer(const Localizer* localizer)
{
    const Localizer* previous = g_interface;
    g_interface = localizer;
    return previous;
}

const Localizer* installedLocalizer() { return g_interface; }

} // namespace ui
