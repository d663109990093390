#pragma once

#include <QWidget>

class QPushButton;
class QSpinBox;

// The renumber window of a logbook: the number to give the first dive, and
// the button that renumbers every dive from it in list order.
class RenumberWindow : public QWidget {
    Q_OBJECT

public:
    explicit RenumberWindow(QWidget* parent = nullptr);

    QSpinBox* firstNumberBox() const { return m_firstNumber; }
    QPushButton* renumberButton() const { return m_renumber; }
    void setDocumentName(const QString& name);

signals:
    void renumberRequested(int firstNumber);

private:
    QSpinBox* m_firstNumber;
    QPushButton* m_renumber;
};
