#pragma once

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class SettingsStore;

// The memo ("pense bete"): free notes the diver keeps between runs, shown at
// launch when the diver asks for it. The text is stored shortly after each
// change and when the window closes.
class MemoWindow : public QWidget {
    Q_OBJECT

public:
    static QString textSettingKey(); // "pense bete text"

    explicit MemoWindow(SettingsStore& settings, QWidget* parent = nullptr);
    ~MemoWindow() override;

    QPlainTextEdit* editor() const { return m_editor; }
    QCheckBox* showAtLaunchBox() const { return m_showAtLaunch; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void storeText();

    SettingsStore& m_settings;
    QPlainTextEdit* m_editor;
    QCheckBox* m_showAtLaunch;
    QTimer m_storeTimer;
};
