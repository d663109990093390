#pragma once

#include "logbook/Plongee.h"
#include "platform/Result.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class AppContext;

// The logbook document: the diver's dives in list order (the root, the only
// thing saved), the sort state of the list, the working state of the edit
// form and the lists its combo boxes offer. It answers the application-wide
// notifications by emitting the signals its windows follow.
class Carnet : public QObject {
    Q_OBJECT

public:
    // Type names of the save operation besides the logbook itself: each
    // writes a copy in another format and leaves the document bound to its
    // logbook file.
    static const QStringList& exportTypeNames();

    explicit Carnet(AppContext& context, QObject* parent = nullptr);
    ~Carnet() override;

    AppContext& context() { return m_context; }

    // The root.
    QList<Plongee>& dives() { return m_carnet; }
    const QList<Plongee>& dives() const { return m_carnet; }
    int count() const { return int(m_carnet.size()); }
    // Replaces every dive (an opened file, an import) and tells the windows.
    void setDives(QList<Plongee> dives);

    // Row of the dive shown in the edit form; -1 with no row selected.
    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index);
    // Row whose values the form holds (it keeps them after a deselection).
    int loadedIndex() const { return m_loadedIndex; }

    // Selects one row and loads it; with selected false the row is then
    // deselected again, so the form keeps its values but no row is current.
    // With no dives nothing is selected.
    void selectLastDive(int index, bool selected);

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    // The file the document is bound to; empty for a new logbook.
    const QString& filePath() const { return m_filePath; }
    void setFilePath(const QString& path) { m_filePath = path; }

    // Sort state of the list.
    QString idColonne() const { return m_idColonne; }
    void setIdColonne(const QString& id) { m_idColonne = id; }
    QHash<QString, bool>& ascendingDirection() { return m_ascendingDirection; }

    // Values offered by the form's combo boxes: the same for every logbook,
    // never saved.
    static const QStringList& offeredTankVolumes();
    static const QStringList& offeredTankPressures();
    static const QStringList& offeredDecoSoftNames();
    static const QStringList& offeredDecoAlgorithms();

    // Working copy of the profile of the dive in the form.
    struct WorkingProfile {
        QList<float> profilProfondeur;
        QList<qint16> ascFlag, slowFlag, surfFlag, ceilFlag, gazFlag;
        QList<float> pressData;
        int samplingRate = 0, ean5m = 0, ean10m = 0, ean15m = 0, ean20m = 0, ean25m = 0;
        int pressDepart = 0, pressFin = 0;
    };
    WorkingProfile& workingProfile() { return m_working; }

    // The bytes saved under a type: the type id "logbook" gives the archive
    // of the dives; the export type names are handed to their exporters.
    Result<QByteArray> dataRepresentationOfType(const QString& type) const;
    // Reads a logbook file's bytes; on success the dives replace the root and
    // the last dive is loaded into the form with no row selected. On failure
    // nothing changes.
    bool loadDataRepresentation(QByteArrayView bytes, const QString& type, QString* error);

    // Opens a file into this (new) document and binds the document to it.
    bool openFile(const QString& path, QString* error);
    // Saves atomically. The logbook type binds the document to the path and
    // clears the changed mark; an export type writes a copy only.
    bool saveToFile(const QString& path, const QString& type, QString* error);

    static QString logbookTypeId();

signals:
    void diveListChanged();          // the rows changed: reload the table
    void tableReloadRequested();     // colours and formats may have changed
    void columnsChanged();           // show and hide columns from the settings
    void profileRedrawRequested();
    void formRefreshRequested();     // refresh the edit form
    void synthesisRefreshRequested();
    void renumberWindowRequested();
    void selectionChanged(int currentIndex, int loadedIndex);
    void modifiedChanged(bool modified);

private:
    void observeNotifications();
    void writeFirstRunColumns();

    AppContext& m_context;
    QList<Plongee> m_carnet;
    int m_currentIndex = -1;
    int m_loadedIndex = -1;
    bool m_modified = false;
    QString m_filePath;
    QString m_idColonne;
    QHash<QString, bool> m_ascendingDirection;
    WorkingProfile m_working;
};
