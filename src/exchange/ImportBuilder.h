#pragma once

#include "exchange/ImportSink.h"
#include "logbook/DiveForm.h"
#include "logbook/Plongee.h"

#include <QList>
#include <QString>
#include <optional>

class Carnet;

// Builds imported dives the way the diver would type them, one at a time:
// each dive is typed into a blank dive form (numbered after the logbook's
// last dive, or after the dive built before) and built by the form's rules,
// defaults and alerts. The logbook is left untouched until commit(), which
// appends every dive built at once. It is also the sink a reader hands its
// dives to while it reads.
class ImportBuilder : public ImportSink {
public:
    explicit ImportBuilder(Carnet& carnet);

    // Builds one more dive; false, with the reason in error(), when the form
    // refuses it. After a refusal every dive is refused.
    bool add(const ImportedDive& dive);
    qsizetype count() const { return m_built.size(); }
    // Why a dive was refused ("the dive at line 12, column 3 is refused:
    // ..."); empty while none was.
    const QString& error() const { return m_error; }

    // Appends the dives built to the logbook, marks it changed and shows
    // the last of them.
    void commit();

    bool take(const ImportedDive& dive) override { return add(dive); }
    void dropAll() override;

private:
    static Plongee archived(Plongee dive);

    Carnet& m_carnet;
    bool m_usUnits = false;
    // A copy of the logbook's form: it blanks as the logbook's would (the
    // bail-out cylinders and the sampling rate carry over from dive to dive).
    std::optional<DiveForm> m_form;
    QList<Plongee> m_built;
    qint64 m_number = 1;
    QString m_error;
};
