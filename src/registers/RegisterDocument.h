#pragma once

#include "platform/RecordListDocument.h"
#include "platform/Result.h"
#include "platform/SafeSave.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterRecord.h"

#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class AppContext;

// A register document: its records in list order (the root, the only thing
// saved), the list's selection and sort state and the edit form, for any
// register its description names. The form writes a whole new record over
// the selected one; a new card in the form is stored only by Add or Insert,
// never over an existing card.
class RegisterDocument : public RecordListDocument {
    Q_OBJECT

public:
    RegisterDocument(AppContext& context, const registers::RegisterDescription& reg, QObject* parent = nullptr);

    const registers::RegisterDescription& description() const { return m_reg; }
    AppContext& context() const { return m_context; }
    QString typeId() const override;

    const QList<RegisterRecord>& records() const { return m_records; }
    int count() const override { return int(m_records.size()); }
    // Replaces every record (an opened file) and clears the selection.
    void setRecords(QList<RegisterRecord> records);

    RegisterForm& form() { return m_form; }
    const RegisterForm& form() const { return m_form; }

    // Selection: see RecordListDocument.
    // A selection change of the table: fills the form from the current row,
    // unless the form holds a new card being typed.
    void setSelection(const QList<int>& rows, int current);
    // Selects one row and fills the form from it; with selected false the
    // row is deselected again, the form keeping its values.
    void selectLast(int index, bool selected);

    // The record commands of both windows.
    void newRecord();
    void addRecord();
    // Insert and update act on the selected row; with none they alert that
    // no card is selected, change nothing and return false.
    bool insertRecord();
    bool updateRecord();
    // Asks, then removes every selected record.
    void deleteRecords();
    // Erase: blanks the form, keeping the selection.
    void blankFields();
    void resetDateToNow(int field);
    // Store the form into the selected record when it holds that record,
    // then move to the row before or after.
    void prevRecord();
    void nextRecord();
    void closeEditWindow();
    // A double click: fills the form from the selected row.
    void editWindow();
    // The end of editing in a combo box: offers the text to its pick-list,
    // then stores the form into the selected record it holds.
    void endEditingCombo(int field);

    // A control that stores as it changes (the orientation slider): stores
    // the form into the selected record when the form holds it.
    void storeIntoSelected() { storeBeforeLeaving(); }

    bool previousEnabled() const { return m_currentIndex >= 1; }
    bool nextEnabled() const { return m_currentIndex >= 0 && m_currentIndex < count() - 1; }
    // "One card", or "Cards" with the count.
    QString countText() const;

    // A click on a column header: the first click on a column sorts it
    // descending, the next one ascending; a column keeps its direction.
    void sortByColumn(const QString& columnId);
    void sortByColumn(const QString& columnId, bool ascending);
    Result<QByteArray> dataRepresentation() const;
    // Reads a file of the register's type; on success the last record (the
    // first where the register says so) is selected and shown. On failure
    // nothing changes.
    bool loadDataRepresentation(const QByteArray& bytes, const QString& typeId, QString* error) override;
    SaveResult saveToFile(const QString& path);
    SaveResult save(const QString& path) override { return saveToFile(path); }

signals:
    void recordsChanged();
    void selectionChanged(int currentIndex);
    void formChanged();
    void editWindowRequested();

private:
    void editFields(int row);
    void storeBeforeLeaving();
    void moveBy(int step);
    bool sortable(const QString& columnId) const;
    void sortRows(const QString& columnId, bool ascending);
    bool formHoldsSelected() const { return m_currentIndex >= 0 && m_loadedIndex == m_currentIndex; }
    bool holdsTypedNewCard() const { return m_newCard && !m_newCard->sameValues(m_form); }
    void rememberNewCard();
    void alertNoSelection();
    void changed();

    AppContext& m_context;
    const registers::RegisterDescription& m_reg;
    RegisterForm m_form;
    QList<RegisterRecord> m_records;
    // The form as New or Add left it, until a card is stored or loaded.
    std::unique_ptr<RegisterForm> m_newCard;
};
