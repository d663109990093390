#pragma once

#include <QHash>
#include <QString>

// Looks up the text shown to the user by key in a named table ("Main",
// "Carnet", "Epaves"...). The translations are JSON objects of tables of
// key-text pairs, one file per language, kept in the application's
// resources.
class Localizer {
public:
    using Tables = QHash<QString, QHash<QString, QString>>;

    // "fr" loads the French translations; any other language the English ones.
    explicit Localizer(const QString& language);

    // The language of the user's environment: the first of LC_ALL,
    // LC_MESSAGES and LANG that is set decides; "fr" when it starts with
    // "fr", else "en".
    static QString languageFromEnvironment();

    // A localiser over the given tables, for tests.
    static Localizer fromTables(Tables tables);

    // The text of `key` in `table`, or exactly `fallback` when the table or
    // the key is missing.
    QString text(const QString& key, const QString& table,
                 const QString& fallback = QStringLiteral("error !")) const;

    // The language whose translations were loaded ("en" or "fr").
    QString language() const { return m_language; }

private:
    Localizer(QString language, Tables tables);

    static Tables loadTables(const QString& resourcePath);

    QString m_language;
    Tables m_tables;
};
