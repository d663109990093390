#pragma once

#include "platform/SafeSave.h"
#include "profile/ProfileScene.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class Carnet;
class ProfileView;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;

// The profile window of a logbook: the profile of the dive shown in the
// edit form, its location, the depth and time under the mouse, the sampling
// interval the time scale reads, and printing (to a printer or a PDF file).
// It follows the logbook: a dive loaded, a form refreshed or a profile
// setting changed redraws it.
class ProfileWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProfileWindow(Carnet& carnet, QWidget* parent = nullptr);
    ~ProfileWindow() override;

    ProfileView* view() const { return m_view; }
    QLabel* locationLabel() const { return m_location; }
    QLabel* readoutLabel() const { return m_readout; }
    QComboBox* samplingRateBox() const { return m_samplingRate; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* exportButton() const { return m_export; }
    const ProfileScene& scene() const;

    // The printed page as a PDF file, written atomically.
    SaveResult exportPdf(const QString& path);

public slots:
    // Takes the dive of the form again: its sampling interval, title and
    // location, then redraws.
    void reloadDive();
    // Redraws from the form and the settings.
    void redraw();
    void print();
    void pageSetup();
    void exportPdfWithDialog();

private:
    void showReadout(const ProfileScene::Readout& readout);
    int chosenSamplingRate() const;
    QPrinter& printer();

    QPointer<Carnet> m_carnet;
    ProfileView* m_view;
    QLabel* m_location;
    QLabel* m_readout;
    QComboBox* m_samplingRate;
    QPushButton* m_pageSetup;
    QPushButton* m_print;
    QPushButton* m_export;
    std::unique_ptr<QPrinter> m_printer;
    int m_loadedIndex = -2;
    int m_diveSamplingRate = -1;
};
