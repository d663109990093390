#include "logbook/ui/DiveEditWindow.h"

#include "logbook/Carnet.h"
#include "platform/NumberText.h"

#include <QHeaderView>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QStringList numbered(std::initializer_list<const char*> patterns, int from, int to)
{
    QStringList names;
    for (int n = from; n <= to; ++n)
        for (const char* pattern : patterns)
            names.append(QString::fromLatin1(pattern).arg(n));
    return names;
}

// The fields of each page, in the order they are shown.
const std::array<QStringList, DiveEditWindow::PageCount>& pageLayout()
{
    static const std::array<QStringList, DiveEditWindow::PageCount> layout = [] {
        std::array<QStringList, DiveEditWindow::PageCount> pages;
        pages[DiveEditWindow::DivePage] = {
            "noPlongee", "date", "heure", "lieu", "site", "pays", "countryCode", "gps", "gpsSystem",
            "epaves", "structure", "bateau", "partenaires", "surface", "typePlongee", "profondeur",
            "temps", "altitude", "difficulte", "inoubliable"};
        pages[DiveEditWindow::ConditionsPage] = {
            "meteo", "ventSecteur", "ventForce", "visibilite", "courant", "nocturne", "tempEau", "tempAir",
            "coeff", "pmBm"};
        pages[DiveEditWindow::GasesPage] = QStringList{
            "rebreather", "ppO2", "flow", "gaz", "o2Mix", "heMix", "alliageBloc", "volumeBloc",
            "pressionBloc", "pressionDepart", "pressionFin", "gaz_2", "o2Mix_2", "heMix_2", "alliageBloc_2",
            "volumeBloc_2", "pressionBloc_2", "pressionDepart_2", "pressionFin_2"}
            + numbered({"volPony%1", "pressDepartPony%1", "pressFinPony%1"}, 1, 3)
            + numbered({"volBailout%1", "O2Bailout%1", "HeBailout%1", "pressDepartBailout%1", "pressFinBailout%1"},
                       1, 2);
        pages[DiveEditWindow::DecompressionPage] =
            QStringList{"deco", "deco_TTS", "decoSoftName", "decoAlgoType", "decoConservatism", "runtime"}
            + numbered({"deco_Level_%1_sw", "decoDepth_Level_%1", "decoTime_Level_%1", "decoO2_Level_%1",
                        "decoHe_Level_%1"},
                       1, 5);
        pages[DiveEditWindow::EquipmentPage] =
            QStringList{"combinaison", "lestage", "configuration", "fabricant", "ordinateur", "serie"}
            + numbered({"equip_%1"}, 1, 12);
        pages[DiveEditWindow::NotesPage] = {
            "notes", "samplingRate", "profilProfondeur", "PRESS_Data", "ASC_Flag", "SLOW_Flag", "SURF_Flag",
            "CEIL_Flag", "GAZ_Flag"};
        return pages;
    }();
    return layout;
}

QString sampleCount(qsizetype count)
{
    // A single element is the record's placeholder for "no profile".
    if (count <= 1)
        return DiveEditWindow::tr("no profile");
    return DiveEditWindow::tr("%1 samples").arg(count);
}

} // namespace

QStringList DiveEditWindow::fieldsOnPage(Page page)
{
    QStringList fields;
    for (const QString& name : pageLayout()[page])
        if (Plongee::fieldIndex(name) >= 0)
            fields.append(name);
    if (page == DivePage) {
        // A field no page names is still shown, at the end of the first page.
        for (const Plongee::FieldInfo& info : Plongee::fields()) {
            const QString name = QString::fromLatin1(info.name);
            if (pageOf(name) == PageCount)
                fields.append(name);
        }
    }
    return fields;
}

DiveEditWindow::Page DiveEditWindow::pageOf(const QString& fieldName)
{
    for (int page = 0; page < PageCount; ++page)
        if (pageLayout()[page].contains(fieldName))
            return Page(page);
    return PageCount;
}

QString DiveEditWindow::pageTitle(Page page)
{
    switch (page) {
    case DivePage: return tr("Dive");
    case ConditionsPage: return tr("Conditions");
    case GasesPage: return tr("Gases");
    case DecompressionPage: return tr("Decompression");
    case EquipmentPage: return tr("Equipment");
    case NotesPage: return tr("Notes & profile");
    case PageCount: break;
    }
    return {};
}

QString DiveEditWindow::fieldText(const Plongee& dive, int fieldIndex)
{
    const Plongee::FieldInfo& info = Plongee::field(fieldIndex);
    const Plongee::Value value = dive.value(fieldIndex);
    switch (info.kind) {
    case Plongee::Kind::Int:
        return QString::number(std::get<qint32>(value));
    case Plongee::Kind::Float:
    case Plongee::Kind::FloatBits:
        return numbertext::shortest(std::get<float>(value));
    case Plongee::Kind::String:
        return std::get<Plongee::Text>(value).value_or(QString());
    case Plongee::Kind::Date: {
        const QDateTime& moment = std::get<QDateTime>(value);
        if (!moment.isValid())
            return {};
        const QLatin1String name(info.name);
        const QString format = name == QLatin1String("date")    ? QStringLiteral("dd/MM/yyyy")
                             : name == QLatin1String("heure") ? QStringLiteral("HH:mm")
                                                                : QStringLiteral("dd/MM/yyyy HH:mm");
        return moment.toLocalTime().toString(format);
    }
    case Plongee::Kind::FloatArray: {
        const auto& samples = std::get<Plongee::FloatSamples>(value);
        return samples ? sampleCount(samples->size()) : QString();
    }
    case Plongee::Kind::IntArray: {
        const auto& samples = std::get<Plongee::IntSamples>(value);
        return samples ? sampleCount(samples->size()) : QString();
    }
    }
    return {};
}

DiveEditWindow::DiveEditWindow(Carnet& carnet, QWidget* parent)
    : QWidget(parent, Qt::Window), m_carnet(carnet), m_stack(new QStackedWidget(this)),
      m_tabs(new QTabWidget(m_stack))
{
    setObjectName(QStringLiteral("diveEditWindow"));

    auto* blank = new QLabel(tr("No dive is loaded."), m_stack);
    blank->setAlignment(Qt::AlignCenter);
    blank->setEnabled(false);
    m_stack->addWidget(blank);

    for (int page = 0; page < PageCount; ++page) {
        const QStringList fields = fieldsOnPage(Page(page));
        auto* table = new QTableWidget(int(fields.size()), 2, m_tabs);
        table->setHorizontalHeaderLabels({tr("Field"), tr("Value")});
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setAlternatingRowColors(true);
        table->setWordWrap(true);
        table->verticalHeader()->hide();
        table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
        table->horizontalHeader()->setStretchLastSection(true);
        for (int row = 0; row < fields.size(); ++row) {
            auto* name = new QTableWidgetItem(fields.at(row));
            name->setData(Qt::UserRole, Plongee::fieldIndex(fields.at(row)));
            table->setItem(row, 0, name);
            table->setItem(row, 1, new QTableWidgetItem);
        }
        table->resizeColumnToContents(0);
        m_pages.append(table);
        // "&&" shows the ampersand rather than marking a shortcut letter.
        m_tabs->addTab(table, QString(pageTitle(Page(page))).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    // Every page title stays readable: the window is at least as wide as the tabs.
    m_tabs->setUsesScrollButtons(false);
    m_stack->addWidget(m_tabs);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stack);

    connect(&m_carnet, &Carnet::selectionChanged, this, &DiveEditWindow::refresh);
    connect(&m_carnet, &Carnet::formRefreshRequested, this, &DiveEditWindow::refresh);
    connect(&m_carnet, &Carnet::diveListChanged, this, &DiveEditWindow::refresh);

    resize(std::max(540, minimumSizeHint().width()), 640);
    refresh();
}

void DiveEditWindow::setDocumentName(const QString& name)
{
    m_documentName = name;
    updateTitle();
}

void DiveEditWindow::updateTitle()
{
    if (m_shownIndex < 0) {
        setWindowTitle(tr("%1 — Dive").arg(m_documentName));
        return;
    }
    const int number = m_carnet.dives().at(m_shownIndex).noPlongee();
    setWindowTitle(tr("%1 — Dive %2").arg(m_documentName).arg(number));
}

void DiveEditWindow::refresh()
{
    const int index = m_carnet.loadedIndex();
    m_shownIndex = index >= 0 && index < m_carnet.count() ? index : -1;
    if (m_shownIndex < 0) {
        m_stack->setCurrentIndex(0);
        for (QTableWidget* table : m_pages)
            for (int row = 0; row < table->rowCount(); ++row)
                table->item(row, 1)->setText(QString());
    } else {
        const Plongee& dive = m_carnet.dives().at(m_shownIndex);
        for (QTableWidget* table : m_pages) {
            for (int row = 0; row < table->rowCount(); ++row) {
                const int field = table->item(row, 0)->data(Qt::UserRole).toInt();
                table->item(row, 1)->setText(fieldText(dive, field));
                if (Plongee::field(field).kind == Plongee::Kind::String) {
                    // Notes and lists of names may take several lines.
                    table->resizeRowToContents(row);
                    const int height = table->verticalHeader()->defaultSectionSize();
                    if (table->rowHeight(row) < height)
                        table->setRowHeight(row, height);
                }
            }
        }
        m_stack->setCurrentIndex(1);
    }
    updateTitle();
}

QString DiveEditWindow::shownValue(const QString& fieldName) const
{
    for (const QTableWidget* table : m_pages)
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0)->text() == fieldName)
                return table->item(row, 1)->text();
    return {};
}
