#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>

// The list window of a document: the window the document controller
// names, asks before closing and closes.
class DocumentWindow : public QMainWindow {
    Q_OBJECT

public:
    using QMainWindow::QMainWindow;

    // The name in the title bar: the file name, or "Untitled".
    virtual void setDocumentName(const QString& name) = 0;
    QString documentName() const { return m_documentName; }
    // The title bar's text: "NAME[*] — Ondrix", with what the window is
    // ("Wreck repertory"...) after the name when given.
    static QString titleFor(const QString& name, const QString& kind = QString());

    // Asked whenever the window is about to close; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }
    // Closes without asking the guard: the question was answered already.
    void closeWithoutAsking();

protected:
    void closeEvent(QCloseEvent* event) final;
    // The window closes: its own windows go with it.
    virtual void closing() {}

    QString m_documentName;

private:
    std::function<bool()> m_closeGuard;
    bool m_closingAnswered = false;
};
