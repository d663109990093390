#include "platform/context/AppContext.h"
#include "app/ui/DocumentController.h"
#include "platform/Localizer.h"
#include "platform/SettingsStore.h"
#include "platform/ui/WidgetAlertPresenter.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ondrix"));
    QApplication::setApplicationName(QStringLiteral("Ondrix"));
    QApplication::setApplicationVersion(QStringLiteral(ONDRIX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Ondrix dive logbook"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settingsOption(QStringLiteral("settings"),
                                            QStringLiteral("Use the settings kept in FILE (an INI file)."),
                                            QStringLiteral("FILE"));
    parser.addOption(settingsOption);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Logbooks to open."), QStringLiteral("[files...]"));
    parser.process(app);

    std::unique_ptr<SettingsStore> settings = parser.isSet(settingsOption)
                                                  ? std::make_unique<SettingsStore>(parser.value(settingsOption))
                                                  : SettingsStore::userStore();
    WidgetAlertPresenter alerts;
    AppContext context(std::move(settings), alerts, Localizer::languageFromEnvironment());
    MyDocumentController controller(context);

    const QStringList files = parser.positionalArguments();
    for (const QString& file : files)
        controller.openFile(file);
    if (controller.documents().isEmpty() && controller.registers().isEmpty()) {
        if (files.isEmpty())
            controller.applicationOpenUntitledFile();
        else
            controller.newDocument(); // none of the files opened; each said why
    }
    return app.exec();
}
