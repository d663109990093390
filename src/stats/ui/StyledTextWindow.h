#pragma once

#include "platform/SafeSave.h"
#include "platform/StyledText.h"

#include <QWidget>
#include <memory>

class Localizer;
class QPrinter;
class QPushButton;
class QTextEdit;

// A window showing a styled text (the statistics text, the synthesis
// report), printable in portrait and exportable to PDF.
class StyledTextWindow : public QWidget {
    Q_OBJECT

public:
    StyledTextWindow(const Localizer& localizer, const QString& objectName, QWidget* parent = nullptr);
    ~StyledTextWindow() override;

    void setText(const StyledText& text);
    const StyledText& text() const { return m_text; }
    QTextEdit* view() const { return m_view; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* exportButton() const { return m_export; }

    SaveResult exportPdf(const QString& path) const;

public slots:
    void print();
    void exportPdfWithDialog();

protected:
    QTextEdit* m_view;
    QPushButton* m_print;
    QPushButton* m_export;

private:
    StyledText m_text;
    std::unique_ptr<QPrinter> m_printer;
};
