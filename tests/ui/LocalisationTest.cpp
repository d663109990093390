#include "ui/ShellFixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

namespace {

QString shown(QString text) { return text.remove(QLatin1Char('&')).remove(QLatin1String("[*]")).trimmed(); }

QJsonObject tables(const char* language)
{
    QFile file(QStringLiteral(":/i18n/%1.json").arg(QLatin1String(language)));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// The English texts a French user must never see: those whose French text
// differs, and those the French tables lack.
QSet<QString> englishOnlyTexts()
{
    const QJsonObject en = tables("en"), fr = tables("fr");
    QSet<QString> only;
    for (auto t = en.begin(); t != en.end(); ++t) {
        const QJsonObject english = t.value().toObject(), french = fr.value(t.key()).toObject();
        for (auto k = english.begin(); k != english.end(); ++k)
            if (french.value(k.key()) != k.value())
                only.insert(shown(k.value().toString()));
    }
    only.remove(QString());
    return only;
}

// Every text a window can show, with the name of the widget showing it.
void collect(QWidget* window, QMap<QString, QString>& texts)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        const auto add = [&](const QString& text) { texts.insert(shown(text), w->metaObject()->className()); };
        add(w->windowTitle());
        add(w->toolTip());
        for (const QAction* a : w->actions())
            add(a->text()), add(a->toolTip());
        if (auto* m = qobject_cast<QMenu*>(w))
            add(m->title());
        if (auto* l = qobject_cast<QLabel*>(w))
            add(l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add(g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w))
            add(e->placeholderText());
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

using LocalisationTest = ShellFixture;

TEST_F(LocalisationTest, FrenchWindowsShowNoEnglishOnlyText)
{
    controller.reset();
    context = std::make_unique<AppContext>(std::make_unique<SettingsStore>(path(QStringLiteral("fr.ini"))), alerts,
                                           QStringLiteral("fr"));
    controller = std::make_unique<MyDocumentController>(*context);
    const QSet<QString> english = englishOnlyTexts();
    ASSERT_FALSE(english.isEmpty());
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("fr.ondrix"), dives(3)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* list = controller->windowOf(carnet);

    // Every window a French user reaches, and the questions they are asked.
    list->showEditWindow();
    carnet->displayProfilWindow();
    carnet->profilInfo();
    list->runCommand(QStringLiteral("statistics"));
    for (const QString& command : controller->appDelegate().commands())
        controller->appDelegate().showWindow(command);
    for (const MyDocumentController::NewCommand& command : MyDocumentController::newCommands())
        if (command.typeId != Carnet::logbookTypeId())
            (controller.get()->*command.slot)();
    for (const char* name : {"shortcutsAction", "keptFilesAction"})
        list->findChild<QAction*>(QLatin1String(name))->trigger();
    carnet->setSelection({0, 1}, 1);
    alerts.queueAnswer(1);
    carnet->deleteDive();
    carnet->setModified(true);
    alerts.queueAnswer(2);
    list->close();

    QMap<QString, QString> texts;
    for (QWidget* window : QApplication::topLevelWidgets())
        collect(window, texts);
    for (const Alert& alert : alerts.asked()) {
        texts.insert(shown(alert.message), alert.key);
        for (const QString& text : alert.buttons)
            texts.insert(shown(text), alert.key);
    }
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        EXPECT_FALSE(english.contains(it.key())) << it.key().toStdString() << " in " << it.value().toStdString();
}
