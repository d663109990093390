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
class QMenu;
class QWidget;

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

    // The open documents, oldest first.
    QList<Carnet*> documents() const;
    CarnetListWindow* windowOf(const Carnet* document) const;
    Carnet* documentAt(const QString& path) const;

    // Opens a logbook file and shows it; a file already open only comes
    // forward. On failure the user is told why and null is returned.
    Carnet* openDocument(const QString& path);
    // Opens an entry of the recent documents; an entry that cannot be opened
    // any more is dropped from the list after the user is told why.
    Carnet* openRecentDocument(const QString& path);

    // Saves to the bound file, or asks for one. False when the document is
    // not saved (error shown, or the user cancelled); it then stays modified.
    bool saveDocument(Carnet* document);
    bool saveDocumentAs(Carnet* document);
    // Whether Revert to Saved applies: the document has a file and changes
    // not saved to it.
    static bool canRevert(const Carnet* document);
    // Revert to Saved: after the user confirms, reads the document's file
    // again in place of its dives. A file that cannot be read leaves the
    // document as it was, and the user is told why. True when reverted.
    bool revertDocumentToSaved(Carnet* document);
    // Closes the document's windows, asking first whether to save changes.
    // False when the user keeps it open.
    bool closeDocument(Carnet* document);
    // Closes every document, asking for each modified one; stops, returning
    // false, at the first the user keeps open.
    bool closeAllDocuments();

    // The file dialogs, replaceable (tests, scripted runs).
    void setOpenPathChooser(PathChooser chooser) { m_chooseOpenPath = std::move(chooser); }
    void setSavePathChooser(PathChooser chooser) { m_chooseSavePath = std::move(chooser); }

    // Fills a File menu with the controller's commands for a document.
    void fillFileMenu(QMenu* menu, Carnet* document);

public slots:
    // What the program opens when it starts with no file to open: the memo
    // when "pense bete" is set, then the most recent document, else a new
    // logbook; a recent document that cannot be opened is reported and a
    // new logbook opens instead. Returns true (handled).
    bool applicationOpenUntitledFile();

    // The platform's New: creates a document of defaultType(). Null (after
    // telling the user) when that type cannot be created yet.
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
    Document* find(const Carnet* document) const;
    bool confirmClose(Carnet* document);
    void release(const Carnet* document);
    void updateNames();
    void fillNewMenu(QMenu* menu);
    void fillRecentMenu(QMenu* menu);
    QString displayName(const Carnet* document) const;
    QString suggestedSavePath(const Carnet* document) const;
    // Saves the logbook to `path` under its document lock and tells the user
    // what went wrong, or that the save is not yet safely on disk.
    bool writeLogbook(Carnet* document, const QString& path);
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
