#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The texts typed into a calculator window's input controls, by field name;
// a control without an entry holds empty text. The selected item of a
// choice control may be set apart from the typed texts (which are then
// shared, not copied).
class CalculatorInputs {
public:
    // What a typed quantity can physically be: a number from `lowest` to
    // `highest`, each bound included or not, optionally followed by one of
    // `units` ("32 %", "30 m").
    struct Range {
        double lowest;
        double highest;
        bool lowestIncluded = true;
        bool highestIncluded = true;
        QStringList units = {};

        bool holds(double v) const; // false for NaN
        // A gas fraction: above 0 and at most 100 %.
        static Range fraction();
        // A quantity that cannot be negative (a depth, a pressure, a flow).
        static Range notNegative(const QStringList& units = {});
        // A quantity strictly above 0 (a divisor).
        static Range positive(const QStringList& units = {});
    };

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
    // The number typed in the field ("." or "," as the decimal separator,
    // one of the range's units allowed after it; an empty field reads 0),
    // or nothing when the text is not a finite number or lies outside the
    // range.
    std::optional<double> reading(const QString& field, const Range& range) const;
    // A whole number (a choice's item index or tag); `fallback` when the text
    // is not one.
    int integer(const QString& field, int fallback) const;

    // The value of a choice control's selected item, over what was typed.
    void choose(const QString& field, const QString& value) { m_choices.insert(field, value); }

private:
    QHash<QString, QString> m_texts;
    QHash<QString, QString> m_choices;
};
