#pragma once

#include "stats/StartingValues.h"

#include <QDialog>
#include <QHash>

class AppContext;
class QLineEdit;

// The edit window of the starting values (the diver's previous dives): one
// field per value, empty for a value not given. OK stores them all, or,
// when a field holds anything but a whole number of zero or more, tells
// the diver which and stores nothing.
class StartingValuesWindow : public QDialog {
    Q_OBJECT

public:
    explicit StartingValuesWindow(AppContext& context, QWidget* parent = nullptr);

    // Fills the fields from the settings store.
    void reload();
    QLineEdit* field(const QString& key) const { return m_fields.value(key); }
    // Checks and stores; false (after the alert) when a field was refused.
    bool validateStatisticsValues();

signals:
    void stored();

private:
    AppContext& m_context;
    QHash<QString, QLineEdit*> m_fields;
};
