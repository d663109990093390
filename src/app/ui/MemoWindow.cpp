#include "app/ui/MemoWindow.h"
#include "platform/InterfaceText.h"

#include "app/LaunchPlan.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kStoreDelayMs = 400;
}

QString MemoWindow::textSettingKey() { return QStringLiteral("pense bete text"); }

MemoWindow::MemoWindow(SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), m_settings(settings), m_editor(new QPlainTextEdit(this)),
      m_showAtLaunch(new QCheckBox(ui::text("Show the memo when Ondrix starts"), this))
{
    setWindowTitle(ui::text("Memo"));
    setObjectName(QStringLiteral("memoWindow"));

    m_editor->setPlaceholderText(ui::text("Notes to keep at hand: things to bring, checks to make…"));
    m_editor->setPlainText(m_settings.stringValue(textSettingKey()));
    m_showAtLaunch->setChecked(m_settings.boolValue(LaunchPlan::memoSettingKey()));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editor);
    layout->addWidget(m_showAtLaunch);

    m_storeTimer.setSingleShot(true);
    m_storeTimer.setInterval(kStoreDelayMs);
    connect(&m_storeTimer, &QTimer::timeout, this, &MemoWindow::storeText);
    connect(m_editor, &QPlainTextEdit::textChanged, &m_storeTimer, qOverload<>(&QTimer::start));
    connect(m_showAtLaunch, &QCheckBox::toggled, this,
            [this](bool on) { m_settings.setValue(LaunchPlan::memoSettingKey(), on); });

    resize(420, 320);
}

MemoWindow::~MemoWindow()
{
    if (m_storeTimer.isActive())
        storeText();
}

void MemoWindow::closeEvent(QCloseEvent* event)
{
    storeText();
    event->accept();
}

void MemoWindow::storeText()
{
    m_storeTimer.stop();
    const QString text = m_editor->toPlainText();
    if (text != m_settings.stringValue(textSettingKey()))
        m_settings.setValue(textSettingKey(), text);
}
