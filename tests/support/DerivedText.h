#pragma once

#include "registers/FormRule.h"

#include <QStringList>
#include <QVariant>
#include <type_traits>

// What a register's form derives, as "name=value" pairs joined by spaces;
// a colour as its "rgba(...)" text, "-" for the default.
inline std::string derivedText(const QList<registers::DerivedValue>& values)
{
    QStringList out;
    for (const registers::DerivedValue& d : values)
        out.append(d.name + u'=' + std::visit([](const auto& v) {
                       if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::optional<RgbaColour>>)
                           return v ? v->toText() : QStringLiteral("-");
                       else
                           return QVariant(v).toString();
                   },
                                               d.value));
    return out.join(u' ').toStdString();
}
