#pragma once

#include "logbook/DiveForm.h"
#include "logbook/Plongee.h"
#include "platform/RecordListDocument.h"
#include "platform/Result.h"
#include "platform/SafeSave.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <QStringList>
#include <array>
#include <optional>

class AppContext;
class DiveExporter;

// The logbook document: the diver's dives in list order (the root, the only
// thing saved), the list's selection and sort state, the edit form and the
// lists its combo boxes offer. Every change of a dive by hand goes through
// the form. It answers the application-wide notifications by emitting the
// signals its windows follow.
class Carnet : public RecordListDocument {
    Q_OBJECT

public:
    // Type names of the save operation besides the logbook itself: each
    // writes a copy in another format and leaves the document bound to its
    // logbook file.
    static QString logbookTypeId();

    explicit Carnet(AppContext& context, QObject* parent = nullptr);
    ~Carnet() override;

    AppContext& context() { return m_context; }

    // The root.
    QList<Plongee>& dives() { return m_carnet; }
    const QList<Plongee>& dives() const { return m_carnet; }
    int count() const override { return int(m_carnet.size()); }
    QString typeId() const override { return logbookTypeId(); }
    // Replaces every dive (an opened file) and clears the selection.
    void setDives(QList<Plongee> dives);

    // The edit form, which holds the dive last loaded.
    DiveForm& form() { return m_form; }
    const DiveForm& form() const { return m_form; }

    // Selection (see RecordListDocument): after a deselection the form keeps
    // the values of the dive it was loaded from.
    // Erase: blanks the form and keeps the selection; nothing is stored over
    // the selected dive until Update is asked for.
    void blankForm();
    // A selection change of the list: loads the current row into the form.
    void setSelection(const QList<int>& rows, int current);
    void setCurrentIndex(int index) { setSelection(index >= 0 ? QList<int>{index} : QList<int>(), index); }
    // Selects one row and loads it; with selected false the row is then
    // deselected again, so the form keeps its values but no row is current.
    void selectLastDive(int index, bool selected);

    void newDive();
    // The form's actions; those that store return false when the form's
    // dive was refused (the diver has been told) and nothing changed.
    bool addDive();
    bool insertDive();
    // Builds a dive from the form and inserts it at a row, 0 to count().
    bool insertDiveAt(int row);
    // Stores the form over the selected dive; with no selected dive the
    // diver is told and nothing changes.
    bool updateDive();
    // Asks, then removes every selected dive.
    void deleteDive();
    bool prevDive();
    bool nextDive();
    // Closing the edit window stores the form into the selected dive; false
    // when the form was refused and the window should stay open.
    bool closeEditWindow();
    // A double click in the list: loads the selected dive, whatever the
    // form held, and brings the edit window forward.
    void editWindow();
    // Gives every dive, in list order, the numbers first, first + 1, ...
    // through the form.
    bool renumDives(int first);
    // Refreshes what the form derives.
    void updateUI();
    // Bring the profile window, or the profile data window, forward.
    void displayProfilWindow() { emit profileWindowRequested(); }
    void profilInfo() { emit profileDataWindowRequested(); }
    // The end of editing in a pick-list field of the form.
    void endEditingPickList(int field);

    // Find: selects every dive whose text field contains the text, ignoring
    // letter case but not accents (both sides compared in the same Unicode
    // form), and returns the count text. An empty text finds nothing.
    // Edits in the form not yet stored are stored first, as update would.
    QString findTextWithField(const QString& field, const QString& text);
    // The rows find would select, without selecting them.
    QList<int> rowsContaining(const QString& field, const QString& text) const;

    // The profile data window: each of the seven profile lists (depth, ASC,
    // SLOW, SURF, CEIL, GAZ, pressure) as text with its count label.
    struct ProfileInfo {
        QString title;
        std::array<QString, 7> texts;
        std::array<QString, 7> counts;
    };
    ProfileInfo profileInfo() const;
    // Replaces the working lists given (the others stay), then stores the
    // form into the selected dive and shows it again. Lists that would not
    // match the depth samples are refused with an alert and nothing changes.
    bool importProfil(const std::array<std::optional<QString>, 7>& replacements);

    // In-place editing of a list cell: the text goes into the form control
    // of the field and the dive is rebuilt through the form's rules.
    bool setCellText(int row, const QString& field, const QString& text, QString* error = nullptr);

    // A click on a column header: sorts by the column's field.
    void sortByColumn(const QString& columnId);
    // Sorts in a given direction and remembers it for the column.
    void sortByColumn(const QString& columnId, bool ascending);

    // Values offered by the form's combo boxes: the same for every logbook,
    // never saved.
    static const QStringList& offeredTankVolumes();
    static const QStringList& offeredTankPressures();
    static const QStringList& offeredDecoSoftNames();
    static const QStringList& offeredDecoAlgorithms();

    // The bytes saved under a type: the type id "logbook" gives the archive
    // of the dives; the export type names are handed to their exporters.
    Result<QByteArray> dataRepresentationOfType(const QString& type) const;
    // Reads a logbook file's bytes; on success the dives replace the root and
    // the last dive is loaded into the form with no row selected. On failure
    // nothing changes.
    bool loadDataRepresentation(const QByteArray& bytes, const QString& type, QString* error) override;

    // Saves atomically. The logbook type binds the document to the path and
    // clears the changed mark (also when the save is done but not durable);
    // an export type writes a copy only.
    SaveResult saveToFile(const QString& path, const QString& type);
    SaveResult save(const QString& path) override { return saveToFile(path, logbookTypeId()); }
    // The writer of the export save types; none by default, when the
    // logbook saves only its archive.
    void setExporter(const DiveExporter* exporter) { m_exporter = exporter; }
    const DiveExporter* exporter() const { return m_exporter; }
    // What the last export left out and why (a mix that is no gas, ...),
    // one line each; empty when it wrote everything.
    const QStringList& lastExportReport() const { return m_lastExportReport; }

signals:
    void diveListChanged();          // the rows changed: reload the table
    void tableReloadRequested();     // colours and formats may have changed
    void columnsChanged();           // show and hide columns from the settings
    void profileRedrawRequested();
    void formRefreshRequested();     // the form's values or derived values changed
    void synthesisRefreshRequested();
    void renumberWindowRequested();
    void editWindowRequested();      // bring the edit window forward
    void profileWindowRequested();
    void profileDataWindowRequested();
    void selectionChanged(int currentIndex, int loadedIndex);

private:
    void observeNotifications();
    void editFields(int row);
    bool storeFormInto(int row);
    // The form's dive, after the warning for a number another dive (other
    // than exceptRow) holds; nothing when refused or cancelled.
    std::optional<Plongee> buildForRow(int exceptRow);
    bool storeBeforeLeaving();
    bool moveBy(int step);
    int nextDiveNumber() const;
    void sortRows(int field, bool ascending);
    // Stores the form into the selected dive when it holds edits.
    void storePendingEdits();

    AppContext& m_context;
    DiveForm m_form;
    QList<Plongee> m_carnet;
    // The form as New Dive (or Add) left it, until a dive is stored or
    // loaded. Once the diver has typed into it, a row click selects the row
    // to insert the new dive before, without loading that row over it.
    std::unique_ptr<DiveForm> m_newDive;
    bool holdsTypedNewDive() const;

    bool formHoldsSelectedDive() const;
    void alertNoDiveSelected();
    // An error alert of the logbook's table, with its one OK button.
    void alertError(const QString& key);
    mutable QStringList m_lastExportReport;
    const DiveExporter* m_exporter = nullptr;
};
