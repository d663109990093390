#pragma once

#include "platform/context/RecentDocuments.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class AppContext;
class AppDelegate;
class Carnet;
class ExchangeRegistry;
class CarnetListWindow;
class DocumentWindow;
class QMenu;
class QWidget;
class RecordListDocument;
class RegisterDocument;
class RegisterListWindow;

// The application's document controller: it owns every open document with
// its windows, creates new documents of the ten types on command, opens and
// saves files, keeps the recent documents and decides what opens at launch.
// Every question to the user goes through the context's alert presenter.
class MyDocumentController : public QObject {
    Q_OBJECT

public:
    // One of the ten new-document commands: its name and the type it makes.
    struct NewCommand {
        QString command; // "newCarnetDocumentMenuAction", ...
        QString typeId;  // "logbook", "wrecks", ...
        void (MyDocumentController::*slot)();
    };
    static const QList<NewCommand>& newCommands();

    // Chooses a file path; empty when the user cancels.
    using PathChooser = std::function<QString(QWidget* parent, const QString& suggestion)>;

    static QString fileFilter(); // "Ondrix logbooks (*.ondrix);;All files (*)"

    explicit MyDocumentController(AppContext& context, QObject* parent = nullptr);
    ~MyDocumentController() override;

    AppContext& context() { return m_context; }
    AppDelegate& appDelegate() { return *m_appDelegate; }
    RecentDocuments& recentDocuments() { return m_recent; }

    // The type the next New creates: the type set by a new-document
    // command, or the logbook when none is set.
    QString defaultType() const;
    // A type id, or an empty text for none.
    void setDefaultType(const QString& typeId);
    // Whether documents of a type can be created in this version.
    bool canCreate(const QString& typeId) const;

    // The open logbooks, oldest first.
    QList<Carnet*> documents() const;
    // The open registers, oldest first.
    QList<RegisterDocument*> registers() const;
    CarnetListWindow* windowOf(const Carnet* document) const;
    RegisterListWindow* windowOf(const RegisterDocument* document) const;
    // The list window of any open document.
    DocumentWindow* listWindowOf(const RecordListDocument* document) const;
    RecordListDocument* documentAt(const QString& path) const;

    // Opens a file of any document type and shows its list window; a file
    // already open only comes forward. On failure the user is told why and
    // null is returned.
    RecordListDocument* openFile(const QString& path);
    // The same for a logbook file: null for any other document.
    Carnet* openDocument(const QString& path);
    // Opens an entry of the recent documents; an entry that cannot be opened
    // any more is dropped from the list after the user is told why.
    RecordListDocument* openRecentDocument(const QString& path);

    // Saves to the bound file, or asks for one. False when the document is
    // not saved (error shown, or the user cancelled); it then stays modified.
    bool saveDocument(RecordListDocument* document);
    bool saveDocumentAs(RecordListDocument* document);
    // Whether Revert to Saved applies: the document has a file and changes
    // not saved to it.
    static bool canRevert(const RecordListDocument* document);
    // Revert to Saved: after the user confirms, reads the document's file
    // again in place of its records. A file that cannot be read leaves the
    // document as it was, and the user is told why. True when reverted.
    bool revertDocumentToSaved(RecordListDocument* document);
    // Closes the document's windows, asking first whether to save changes.
    // False when the user keeps it open.
    bool closeDocument(RecordListDocument* document);
    // Closes every document, asking for each modified one; stops, returning
    // false, at the first the user keeps open.
    bool closeAllDocuments();

    // The file dialogs, replaceable (tests, scripted runs).
    void setOpenPathChooser(PathChooser chooser) { m_chooseOpenPath = std::move(chooser); }
    void setSavePathChooser(PathChooser chooser) { m_chooseSavePath = std::move(chooser); }

    // Fills a File menu with the controller's commands for a document.
    void fillFileMenu(QMenu* menu, RecordListDocument* document);

public slots:
    // What the program opens when it starts with no file to open: the memo
    // when "pense bete" is set, then the most recent document, else a new
    // logbook; a recent document that cannot be opened is reported and a
    // new logbook opens instead. Returns true (handled).
    bool applicationOpenUntitledFile();

    // The platform's New: creates a document of defaultType() and shows it.
    // Null (after telling the user) when that type cannot be created yet.
    RecordListDocument* createDocument();
    // The same, for the logbook: null when the default type is another.
    Carnet* newDocument();

    // The ten new-document commands: each creates a document of its type
    // and resets the default type, so a plain New creates the logbook again.
    void newCarnetDocumentMenuAction();
    void newDocumentDocumentMenuAction();
    void newMaterielDocumentMenuAction();
    void newRebreatherDocumentMenuAction();
    void newConsommablesDocumentMenuAction();
    void newCompresseurDocumentMenuAction();
    void newEpavesDocumentMenuAction();
    void newBudgetDocumentMenuAction();
    void newEntrepriseDocumentMenuAction();
    void newStructureDocumentMenuAction();

    // Asks for a file and opens it.
    void openDocumentWithDialog();
    // Closes every document, then ends the program unless the user kept one.
    void quit();

private:
    struct Document;

    void runNewCommand(const QString& typeId);
    Carnet* newLogbook();
    Carnet* adopt(std::unique_ptr<Carnet> carnet);
    RegisterDocument* adopt(std::unique_ptr<RegisterDocument> document);
    // Fills a new list window's menus and asks before it closes.
    void equip(DocumentWindow* window, QMenu* fileMenu, RecordListDocument* document);
    void addWindowAndHelpMenus(DocumentWindow* window);
    void place(DocumentWindow* window, RecordListDocument* document);
    Document* find(const RecordListDocument* document) const;
    bool confirmClose(RecordListDocument* document);
    void release(const RecordListDocument* document);
    void fillNewMenu(QMenu* menu);
    void fillRecentMenu(QMenu* menu);
    QString displayName(const RecordListDocument* document) const;
    // "logbook", "wreck repertory", ... in the messages.
    static QString noun(const RecordListDocument* document);
    QString suggestedSavePath(const RecordListDocument* document) const;
    void setDocumentName(Document* document);
    // Saves the document to `path` under its document lock and tells the
    // user what went wrong, or that the save is not yet safely on disk.
    bool writeDocument(RecordListDocument* document, const QString& path);
    // The text of a key of the table "Main", or the English fallback.
    QString mainText(const QString& key, const QString& fallback) const;
    int say(const QString& key, const QString& message, const QStringList& buttons = {});

    AppContext& m_context;
    std::unique_ptr<ExchangeRegistry> m_exchange;
    std::unique_ptr<AppDelegate> m_appDelegate;
    RecentDocuments m_recent;
    QString m_defaultType;
    std::vector<std::unique_ptr<Document>> m_documents;
    std::vector<std::unique_ptr<Document>> m_released;
    int m_untitledCount = 0;
    PathChooser m_chooseOpenPath;
    PathChooser m_chooseSavePath;
};
