#pragma once

#include "profile/ProfileText.h"

#include <QPointer>
#include <QWidget>

#include <array>

class Carnet;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The profile data window of a logbook: each of the seven profile lists of
// the dive in the form (depth, ASC, SLOW, SURF, CEIL, gas codes, pressure)
// as text, one value per line, with its count. Text typed or pasted into a
// list replaces it when its switch is on and Apply is pressed; the dive is
// then stored and shown again. A text with a line that its list cannot hold
// (no number, a number out of the list's range) replaces nothing: the user
// is told the line.
class ProfileDataWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kListCount = profiletext::kListCount;

    explicit ProfileDataWindow(Carnet& carnet, QWidget* parent = nullptr);

    // List 0 depth, 1 ASC, 2 SLOW, 3 SURF, 4 CEIL, 5 gas, 6 pressure.
    QPlainTextEdit* textArea(int list) const { return m_texts[size_t(list)]; }
    QLabel* countLabel(int list) const { return m_counts[size_t(list)]; }
    QCheckBox* replaceSwitch(int list) const { return m_switches[size_t(list)]; }
    QCheckBox* allSwitch() const { return m_all; }
    QPushButton* applyButton() const { return m_apply; }

public slots:
    // Fills the window from the form's lists; every switch goes off.
    void refresh();
    // Replaces the lists whose switch is on by their text.
    void apply();

private:
    // Tells the user which line of a list cannot be taken; nothing is replaced.
    void refuse(int list, qsizetype line, const QString& text);

    QPointer<Carnet> m_carnet;
    std::array<QString, kListCount> m_titles;
    std::array<QPlainTextEdit*, kListCount> m_texts{};
    std::array<QLabel*, kListCount> m_counts{};
    std::array<QCheckBox*, kListCount> m_switches{};
    QCheckBox* m_all;
    QPushButton* m_apply;
};
