#include "logbook/Carnet.h"

#include "app/AppContext.h"
#include "app/DocumentTypes.h"
#include "app/Notifications.h"
#include "logbook/ColumnSettings.h"
#include "logbook/LogbookArchive.h"
#include "platform/FileBytes.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"


const QStringList& Carnet::exportTypeNames()
{
    static const QStringList names = {
        QStringLiteral("Export Carnet CSV (Point-virgule)"),
        QStringLiteral("Export Carnet CSV (Virgule)"),
        QStringLiteral("Export Carnet TXT (Tabulation)"),
        QStringLiteral("Export Profils CSV (Virgule)"),
        QStringLiteral("Export UDCF (Universal Dive Computer Format)"),
        QStringLiteral("Export UDDF (Universal Dive Data Format)"),
    };
    return names;
}

QString Carnet::logbookTypeId() { return DocumentTypes::of(DocumentKind::Logbook).id; }

Carnet::Carnet(AppContext& context, QObject* parent) : QObject(parent), m_context(context)
{
    observeNotifications();
    writeFirstRunColumns();
}

Carnet::~Carnet() { m_context.hub().removeObserver(this); }

void Carnet::observeNotifications()
{
    NotificationHub& hub = m_context.hub();
    hub.addObserver(this, notifications::renumDives, [this](const QString&, const void*) {
        emit renumberWindowRequested();
    });
    hub.addObserver(this, notifications::updateTableView, [this](const QString&, const void*) {
        emit tableReloadRequested();
    });
    hub.addObserver(this, notifications::updateColumnsTableView, [this](const QString&, const void*) {
        emit columnsChanged();
        emit tableReloadRequested();
    });
    hub.addObserver(this, notifications::profile, [this](const QString&, const void*) {
        emit profileRedrawRequested();
    });
    hub.addObserver(this, notifications::updateEditDive, [this](const QString&, const void*) {
        emit formRefreshRequested();
        emit synthesisRefreshRequested();
    });
    hub.addObserver(this, notifications::updateDeco, [this](const QString&, const void*) {
        emit formRefreshRequested();
    });
}

void Carnet::writeFirstRunColumns()
{
    columnsettings::writeFirstRunDefaults(m_context.settings());
}

void Carnet::setDives(QList<Plongee> dives)
{
    m_carnet = std::move(dives);
    m_currentIndex = -1;
    m_loadedIndex = -1;
    emit diveListChanged();
}

void Carnet::setCurrentIndex(int index)
{
    if (index < -1 || index >= count())
        index = -1;
    m_currentIndex = index;
    if (index >= 0)
        m_loadedIndex = index;
    emit selectionChanged(m_currentIndex, m_loadedIndex);
}

void Carnet::selectLastDive(int index, bool selected)
{
    if (count() == 0 || index < 0 || index >= count()) {
        m_currentIndex = -1;
        m_loadedIndex = -1;
        emit selectionChanged(-1, -1);
        return;
    }
    m_loadedIndex = index;
    m_currentIndex = selected ? index : -1;
    emit selectionChanged(m_currentIndex, m_loadedIndex);
    emit formRefreshRequested();
}

void Carnet::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

const QStringList& Carnet::offeredTankVolumes()
{
    static const QStringList v = {
        QStringLiteral("2"),  QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),
        QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"),
        QStringLiteral("15"), QStringLiteral("18"), QStringLiteral("20"), QStringLiteral("22"),
        QStringLiteral("24"), QStringLiteral("30"), QStringLiteral("33"), QStringLiteral("36"),
    };
    return v;
}

const QStringList& Carnet::offeredTankPressures()
{
    static const QStringList v = {QStringLiteral("176"), QStringLiteral("200"), QStringLiteral("207"),
                                  QStringLiteral("232"), QStringLiteral("300")};
    return v;
}

const QStringList& Carnet::offeredDecoSoftNames()
{
    static const QStringList v = {QStringLiteral("..."),          QStringLiteral("Abyss"),
                                  QStringLiteral("Decoplanner"),  QStringLiteral("GAP-Diveplanner"),
                                  QStringLiteral("V Planner"),    QStringLiteral("Z Planner")};
    return v;
}

const QStringList& Carnet::offeredDecoAlgorithms()
{
    static const QStringList v = {
        QStringLiteral("..."),     QStringLiteral("BühlmannB-GF"), QStringLiteral("BühlmannC-GF"),
        QStringLiteral("MF11F6"),  QStringLiteral("RGBM"),         QStringLiteral("VPM-A"),
        QStringLiteral("VPM-B"),   QStringLiteral("VPM-B/E"),      QStringLiteral("ZH-L 16 B"),
        QStringLiteral("ZH-L 16 C"),
    };
    return v;
}

Result<QByteArray> Carnet::dataRepresentationOfType(const QString& type) const
{
    if (type == logbookTypeId())
        return logbookarchive::encode(m_carnet);
    if (exportTypeNames().contains(type))
        return Result<QByteArray>::failure(QStringLiteral("the export \"%1\" is not available in this version").arg(type));
    return Result<QByteArray>::failure(QStringLiteral("unknown save type \"%1\"").arg(type));
}

bool Carnet::loadDataRepresentation(QByteArrayView bytes, const QString& type, QString* error)
{
    if (type != logbookTypeId()) {
        if (error)
            *error = QStringLiteral("a logbook cannot be opened as \"%1\"").arg(type);
        return false;
    }
    auto dives = logbookarchive::decode(bytes);
    if (!dives) {
        if (error)
            *error = dives.error();
        return false;
    }
    setDives(dives.take());
    selectLastDive(count() - 1, false);
    return true;
}

bool Carnet::openFile(const QString& path, QString* error)
{
    FileBytes file;
    if (!file.open(path, error) || !loadDataRepresentation(file.bytes(), logbookTypeId(), error))
        return false;
    m_filePath = path;
    setModified(false);
    return true;
}

bool Carnet::saveToFile(const QString& path, const QString& type, QString* error)
{
    auto bytes = dataRepresentationOfType(type);
    if (!bytes) {
        if (error)
            *error = bytes.error();
        return false;
    }
    const SaveResult saved = saveFileAtomically(path, *bytes);
    if (!saved.ok) {
        if (error)
            *error = saved.error;
        return false;
    }
    if (type == logbookTypeId()) {
        m_filePath = path;
        setModified(false);
    }
    return true;
}
