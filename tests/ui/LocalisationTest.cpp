#include "ui/ShellFixture.h"

#include "stats/ui/StatsWindows.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>

namespace {

QString shown(QString text)
{
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

QJsonObject table(const char* language)
{
    QFile file(QStringLiteral(":/i18n/%1.json").arg(QLatin1String(language)));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// The English texts a French user must never see: those whose French text
// differs, and those the French tables lack.
QSet<QString> englishOnlyTexts()
{
    const QJsonObject en = table("en");
    const QJsonObject fr = table("fr");
    QSet<QString> only;
    for (auto t = en.begin(); t != en.end(); ++t) {
        const QJsonObject french = fr.value(t.key()).toObject();
        const QJsonObject english = t.value().toObject();
        for (auto k = english.begin(); k != english.end(); ++k)
            if (!french.contains(k.key()) || french.value(k.key()) != k.value())
                only.insert(shown(k.value().toString()));
    }
    only.remove(QString());
    return only;
}

// Every text a window can show: titles, labels, buttons, group boxes,
// tabs, menus and their items, header texts, placeholders and tooltips.
void collect(QWidget* window, QMap<QString, QString>& texts)
{
    const QString where = window->objectName().isEmpty() ? window->metaObject()->className() : window->objectName();
    const auto add = [&](const QString& text) { texts.insert(shown(text), where); };
    const std::function<void(const QMenu*)> menu = [&](const QMenu* m) {
        add(m->title());
        for (const QAction* a : m->actions()) {
            add(a->text());
            if (a->menu())
                menu(a->menu());
        }
    };
    add(window->windowTitle().remove(QLatin1String("[*]")));
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        add(w->toolTip());
        for (const QAction* a : w->actions()) {
            add(a->text());
            add(a->toolTip());
            if (a->menu())
                menu(a->menu());
        }
        if (auto* l = qobject_cast<QLabel*>(w))
            add(l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add(g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w))
            add(e->placeholderText());
        if (auto* m = qobject_cast<QMenu*>(w))
            menu(m);
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i));
        if (auto* view = qobject_cast<QTableView*>(w); view && view->model())
            for (int c = 0; c < view->model()->columnCount(); ++c)
                for (const int role : {Qt::DisplayRole, Qt::ToolTipRole})
                    add(view->model()->headerData(c, Qt::Horizontal, role).toString());
    }
}

} // namespace

class LocalisationTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        controller.reset();
        context = std::make_unique<AppContext>(std::make_unique<SettingsStore>(path(QStringLiteral("fr.ini"))), alerts,
                                               QStringLiteral("fr"));
        controller = std::make_unique<MyDocumentController>(*context);
    }
};

TEST_F(LocalisationTest, FrenchWindowsShowNoEnglishOnlyText)
{
    const QSet<QString> english = englishOnlyTexts();
    ASSERT_FALSE(english.isEmpty());
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("fr.ondrix"), dives(3)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* list = controller->windowOf(carnet);

    // Every window a French user reaches, each opened once.
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"edit form", [&] { list->showEditWindow(); }},
        {"profile", [&] { carnet->displayProfilWindow(); }},
        {"profile data", [&] { carnet->profilInfo(); }},
        {"statistics", [&] { list->runCommand(QStringLiteral("statistics")); }},
        {"calculators",
         [&] {
             for (const QString& command : controller->appDelegate().commands())
                 if (command != WindowTable::memoCommand())
                     controller->appDelegate().showWindow(command);
         }},
        {"registers",
         [&] {
             for (const MyDocumentController::NewCommand& command : MyDocumentController::newCommands())
                 if (command.typeId != Carnet::logbookTypeId())
                     (controller.get()->*command.slot)();
         }},
        {"help", [&] {
             for (const char* name : {"shortcutsAction", "keptFilesAction"})
                 list->findChild<QAction*>(QLatin1String(name))->trigger();
         }},
        {"questions", [&] {
             carnet->setSelection({0, 1}, 1);
             alerts.queueAnswer(1);
             carnet->deleteDive();
             carnet->setModified(true);
             alerts.queueAnswer(2);
             list->close();
         }},
    };
    for (const auto& [name, open] : openers) {
        SCOPED_TRACE(name);
        open();
    }

    QMap<QString, QString> texts;
    for (QWidget* window : QApplication::topLevelWidgets())
        collect(window, texts);
    for (const Alert& alert : alerts.asked()) {
        texts.insert(shown(alert.message), alert.key);
        for (const QString& button : alert.buttons)
            texts.insert(shown(button), alert.key);
    }
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        EXPECT_FALSE(english.contains(it.key())) << it.key().toStdString() << " in " << it.value().toStdString();
}
