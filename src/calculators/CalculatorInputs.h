#pragma once

#include <QHash>
#include <QString>

#include <utility>

// The texts typed into a calculator window's input controls, by field name;
// a control without an entry holds empty text. The selected item of a
// choice control may be set apart from the typed texts (which are then
// shared, not copied).
class CalculatorInputs {
public:
    CalculatorInputs() = default;
    explicit CalculatorInputs(QHash<QString, QString> texts) : m_texts(std::move(texts)) {}

    QString text(const QString& field) const
    {
        if (!m_choices.isEmpty()) {
            const auto chosen = m_choices.constFind(field);
            if (chosen != m_choices.cend())
                return *chosen;
        }
        return m_texts.value(field);
    }
    // The field's leading number, as a text field reads its value: 0 when
    // the text holds none.
    double number(const QString& field) const;
    // A whole number (a choice's item index or tag); `fallback` when the text
    // is not one.
    int integer(const QString& field, int fallback) const;

    // The value of a choice control's selected item, over what was typed.
    void choose(const QString& field, const QString& value) { m_choices.insert(field, value); }

private:
    QHash<QString, QString> m_texts;
    QHash<QString, QString> m_choices;
};
