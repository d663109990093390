#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;
class RegisterDocument;

// The synthesis window of a register document: every card's synthesis as
// styled text, in list order, which it prints in portrait with the
// register's print settings.
class RegisterSynthesisWindow : public QWidget {
    Q_OBJECT

public:
    explicit RegisterSynthesisWindow(RegisterDocument& document, QWidget* parent = nullptr);

    QTextEdit* textView() const { return m_text; }
    void setDocumentName(const QString& name);

public slots:
    // Builds the text again from the cards.
    void rebuild();
    void printSynthesis();

private:
    RegisterDocument& m_document;
    QTextEdit* m_text;
    QPushButton* m_print;
};
