#pragma once

#include "platform/SafeSave.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <vector>

// What every document holding one ordered list of records shares: the
// list's selection (the rows selected, the current row and the row the edit
// form was loaded from), the sort state of its columns, the changed mark and
// the file it is bound to.
class AppContext;

class RecordListDocument : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual int count() const = 0;
    // The stable type id its files carry.
    virtual QString typeId() const = 0;
    // Writes the document to a file atomically, under its own type; on
    // success the document is bound to the file and no longer changed.
    virtual SaveResult save(const QString& path) = 0;
    // Reads a file's bytes; on failure nothing changes and error says why.
    virtual bool loadDataRepresentation(const QByteArray& bytes, const QString& type, QString* error) = 0;

    // currentIndex is the row shown in the form (the row selected last), -1
    // with no row selected; loadedIndex the row whose values the form was
    // loaded from, -1 once the form holds a new or blanked record.
    int currentIndex() const { return m_currentIndex; }
    int loadedIndex() const { return m_loadedIndex; }
    const QList<int>& selectedRows() const { return m_selectedRows; }

    QString idColonne() const { return m_idColonne; }
    // Direction of the last sort, true for ascending.
    bool lastSortAscending() const { return m_ascendingDirection.value(m_idColonne, false); }

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    // The file the document is bound to; empty for a new document.
    const QString& filePath() const { return m_filePath; }
    void setFilePath(const QString& path) { m_filePath = path; }
    // Opens a file of the document's type into it and binds the document to it.
    bool openFile(const QString& path, QString* error);

signals:
    void modifiedChanged(bool modified);

protected:
    // Selects the rows that exist; the current row is `current` when it is
    // among them, else the last.
    void setSelectionSilently(const QList<int>& rows, int current);
    // The direction a click on a column header sorts in: the first click on
    // a column sorts descending, clicking it again turns the direction over,
    // and a column keeps its direction for the next visit.
    bool clickDirection(const QString& columnId);
    // A sort in a given direction, remembered for the column.
    void setDirection(const QString& columnId, bool ascending);
    // After a sort (newRowOf: the new row of each old row) the selection and
    // the form follow their records.
    void followSort(const std::vector<int>& newRowOf);
    // Asks (alert `key` of table "Main") whether the selected rows go,
    // saying how many (`oneKey`, or `countKey` with the count: a find may
    // have selected far more than the row in view); Cancel is the default.
    // True when the user agrees; false, asking nothing, with no selection.
    bool confirmRemovingSelection(AppContext& context, const QString& key, const QString& oneKey,
                                  const QString& countKey, const QString& fallback = QStringLiteral("error !")) const;
    // Removes the selected rows from the document's records and clears the
    // selection; the form then holds no record of the list.
    template <typename T> void removeSelectedRows(QList<T>& records)
    {
        const QList<int> rows = m_selectedRows; // ascending
        for (qsizetype i = rows.size() - 1; i >= 0; --i)
            records.removeAt(rows[i]);
        setSelectionSilently({}, -1);
        m_loadedIndex = -1;
    }

    QList<int> m_selectedRows;
    int m_currentIndex = -1;
    int m_loadedIndex = -1;

private:
    bool m_modified = false;
    QString m_filePath;
    QString m_idColonne;
    QHash<QString, bool> m_ascendingDirection;
};
