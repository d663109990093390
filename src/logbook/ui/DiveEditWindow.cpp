#include "logbook/ui/DiveEditWindow.h"
#include "platform/InterfaceText.h"

#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "logbook/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "logbook/LogbookToolbar.h"
#include "platform/ui/CommandToolBar.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolBar>
#include <QVBoxLayout>

using namespace plongee;

namespace {

const QDate kNoDate(1900, 1, 1);
// Fields of at most this many characters are numbers or codes.
constexpr int kShortField = 6;

int fieldIndex(const char* name) { return Plongee::fieldIndex(QString::fromLatin1(name)); }

// A group box holding a form of labelled rows.
QFormLayout* formIn(QGroupBox* box)
{
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return form;
}

// Widgets side by side; the one at stretchOf takes the room left, or the
// room stays empty at the end when none does (stretchOf -1).
QWidget* row(std::initializer_list<QWidget*> widgets, int stretchOf = -1)
{
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    int i = 0;
    for (QWidget* w : widgets)
        layout->addWidget(w, i++ == stretchOf ? 1 : 0);
    if (stretchOf < 0)
        layout->addStretch(1);
    return holder;
}

// Short fields (numbers, codes) keep the width of their usual contents.
void fitWidth(QWidget* field, int characters)
{
    const int width = field->fontMetrics().horizontalAdvance(QString(characters + 1, QLatin1Char('0'))) + 14;
    field->setFixedWidth(std::max(width, 44));
}

QLabel* heading(const QString& text)
{
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString withoutColon(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

} // namespace

QString DiveEditWindow::pageTitle(Page page)
{
    switch (page) {
    case DivePage: return ui::text("Dive");
    case ConditionsPage: return ui::text("Conditions");
    case GasesPage: return ui::text("Gases & tanks");
    case DecompressionPage: return ui::text("Decompression");
    case EquipmentPage: return ui::text("Equipment");
    case NotesPage: return ui::text("Notes & profile");
    case PageCount: break;
    }
    return {};
}

DiveEditWindow::DiveEditWindow(Carnet& carnet, QWidget* parent)
    : QWidget(parent, Qt::Window), m_carnet(carnet),
      m_toolBar(new CommandToolBar(LogbookToolbar(LogbookToolbar::editToolbarId), carnet.context(), this)),
      m_tabs(new QTabWidget(this)), m_totalText(new QLabel(this))
{
    setObjectName(QStringLiteral("diveEditWindow"));
    m_bindingOf.fill(-1);

    buildActions();

    const std::array<QWidget*, PageCount> pages = {buildDivePage(),      buildConditionsPage(),
                                                   buildGasesPage(),     buildDecompressionPage(),
                                                   buildEquipmentPage(), buildNotesPage()};
    for (int page = 0; page < PageCount; ++page) {
        // Each page scrolls when the window is smaller than it.
        auto* area = new QScrollArea;
        area->setObjectName(QStringLiteral("pageScrollArea"));
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidget(pages[page]);
        // "&&" shows the ampersand rather than marking a shortcut letter.
        m_tabs->addTab(area, pageTitle(Page(page)).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    // Every page title stays readable: the window is at least as wide as the tabs.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setDocumentMode(false);

    m_totalText->setObjectName(QStringLiteral("totalText"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(4);
    m_toolbarRow = new QHBoxLayout;
    m_toolbarRow->setContentsMargins(0, 0, 0, 0);
    m_toolbarRow->addWidget(m_toolBar, 1);
    m_toolbarRow->addWidget(m_navigation, 0, Qt::AlignVCenter);
    layout->addLayout(m_toolbarRow);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_totalText);

    connect(m_tabs, &QTabWidget::currentChanged, this, &DiveEditWindow::pageChanged);
    connect(&m_carnet, &Carnet::formRefreshRequested, this, &DiveEditWindow::showForm);

    showForm();
    fitToPage(0);
}

DiveEditWindow::~DiveEditWindow() = default;

QString DiveEditWindow::local(const char* key) const
{
    return m_carnet.context().localizer().text(QLatin1String(key), QStringLiteral("Carnet"), QLatin1String(key));
}

// --- Actions -------------------------------------------------------------------

QToolBar* DiveEditWindow::toolBar() const { return m_toolBar; }

void DiveEditWindow::buildActions()
{
    struct Spec {
        Action action;
        QString text;
        QList<QKeySequence> keys;
        const char* name;
    };
    const QList<Spec> specs = {
        {NewDive, ui::text("New"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}, "newDive"},
        {AddDive, ui::text("Add"), {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}, "addDive"},
        {InsertDive, ui::text("Insert"), {}, "insertDive"},
        {UpdateDive, ui::text("Update"), {QKeySequence(Qt::CTRL | Qt::Key_U)}, "updateDive"},
        {DeleteDive, ui::text("Delete"), {}, "deleteDive"},
        {PreviousDive, ui::text("◀ Previous"), {QKeySequence(Qt::CTRL | Qt::Key_Up), QKeySequence(Qt::ALT | Qt::Key_Up)},
         "prevDive"},
        {NextDive, ui::text("Next ▶"), {QKeySequence(Qt::CTRL | Qt::Key_Down), QKeySequence(Qt::ALT | Qt::Key_Down)},
         "nextDive"},
    };
    // The form's commands with their shortcuts, in the window; the arrows
    // beside the toolbar.
    m_navigation = new QToolBar(this);
    m_navigation->setObjectName(QStringLiteral("diveNavigation"));
    m_navigation->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_navigation->setMovable(false);
    for (const Spec& spec : specs) {
        auto* action = new QAction(spec.text, this);
        action->setObjectName(QLatin1String(spec.name));
        action->setShortcuts(spec.keys);
        if (!spec.keys.isEmpty())
            action->setToolTip(QStringLiteral("%1 (%2)").arg(withoutColon(spec.text),
                                                             spec.keys.first().toString(QKeySequence::NativeText)));
        connect(action, &QAction::triggered, this, [this, a = spec.action] { perform(a); });
        m_actions[spec.action] = action;
        if (spec.action == PreviousDive || spec.action == NextDive)
            m_navigation->addAction(action);
        else
            addAction(action);
    }

    // The toolbar's items.
    const auto item = [this](const char* id, auto slot) {
        if (QAction* action = m_toolBar->itemAction(QLatin1String(id)))
            connect(action, &QAction::triggered, this, slot);
    };
    item("addDiveToList", [this] { perform(AddDive); });
    item("insertDive", [this] { perform(InsertDive); });
    item("updateDive", [this] { perform(UpdateDive); });
    item("blankFields", [this] { blankFields(); });
    for (const char* id : {"profil", "profilData", "importUDCF", "importUDDF"})
        item(id, [this, id] {
            commitToForm();
            emit commandRequested(QLatin1String(id));
        });
    m_toolBar->updateEnabling(m_carnet.count());
}

void DiveEditWindow::blankFields()
{
    commitToForm();
    m_carnet.blankForm();
    if (QWidget* number = fieldWidget(idx_noPlongee)) {
        m_tabs->setCurrentIndex(DivePage);
        number->setFocus(Qt::OtherFocusReason);
    }
}

void DiveEditWindow::perform(Action action)
{
    commitToForm();
    switch (action) {
    case NewDive:
        m_carnet.newDive();
        if (QWidget* number = fieldWidget(idx_noPlongee)) {
            m_tabs->setCurrentIndex(DivePage);
            number->setFocus(Qt::OtherFocusReason);
            static_cast<QLineEdit*>(number)->selectAll();
        }
        break;
    case AddDive: m_carnet.addDive(); break;
    case InsertDive: m_carnet.insertDive(); break;
    case UpdateDive: m_carnet.updateDive(); break;
    case DeleteDive: m_carnet.deleteDive(); break;
    case PreviousDive: m_carnet.prevDive(); break;
    case NextDive: m_carnet.nextDive(); break;
    case ActionCount: break;
    }
}

void DiveEditWindow::renumber(int first)
{
    commitToForm();
    m_carnet.renumDives(first);
}

void DiveEditWindow::resetToAir()
{
    commitToForm();
    DiveForm& form = m_carnet.form();
    form.setText(idx_o2Mix, QStringLiteral("21"));
    form.setText(idx_heMix, QStringLiteral("0"));
    m_carnet.updateUI();
    if (auto* surface = qobject_cast<QLineEdit*>(fieldWidget(idx_surface)))
        surface->selectAll();
}

void DiveEditWindow::resetToNitrox()
{
    commitToForm();
    m_carnet.form().setText(idx_heMix, QStringLiteral("0"));
    m_carnet.updateUI();
    if (auto* surface = qobject_cast<QLineEdit*>(fieldWidget(idx_surface)))
        surface->selectAll();
}

void DiveEditWindow::resetToHeliox()
{
    commitToForm();
    DiveForm& form = m_carnet.form();
    const int oxygen = form.text(idx_o2Mix).trimmed().toInt();
    form.setText(idx_heMix, QString::number(100 - oxygen));
    m_carnet.updateUI();
    if (auto* surface = qobject_cast<QLineEdit*>(fieldWidget(idx_surface)))
        surface->selectAll();
}

void DiveEditWindow::closeWithoutStoring()
{
    m_storeOnClose = false;
    close();
    m_storeOnClose = true;
}

void DiveEditWindow::closeEvent(QCloseEvent* event)
{
    if (m_storeOnClose && isVisible()) {
        commitToForm();
        if (!m_carnet.closeEditWindow()) {
            event->ignore(); // the diver was told why; the typed values stay
            return;
        }
    }
    event->accept();
}

void DiveEditWindow::pageChanged(int page)
{
    if (m_filling)
        return;
    Q_UNUSED(page);
    commitToForm();
    m_carnet.updateUI();
}

void DiveEditWindow::fitToPage(int)
{
    // One size for every page: the window fits the largest, within the
    // screen; the pages scroll when the window is made smaller than that.
    QSize largest;
    QSize largestArea;
    for (int i = 0; i < m_tabs->count(); ++i) {
        const auto* area = static_cast<const QScrollArea*>(m_tabs->widget(i));
        largest = largest.expandedTo(area->widget()->sizeHint());
        largestArea = largestArea.expandedTo(area->sizeHint());
    }
    // A scroll area's own hint is bounded: what the tabs and the rest of the
    // window add around the areas is the difference of the hints.
    layout()->activate();
    const QSize around = sizeHint() - largestArea;
    // The width is the pages' and the tabs': the toolbar folds what does
    // not fit behind its extension button.
    const QMargins margins = layout()->contentsMargins();
    const int tabsAround = m_tabs->sizeHint().width() - largestArea.width() + margins.left() + margins.right();
    const int width = std::max(largest.width(), m_tabs->tabBar()->sizeHint().width()) + tabsAround;
    QSize wanted = QSize(width, largest.height() + around.height()).expandedTo(minimumSizeHint());
    if (const QScreen* screen = this->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
    if (size() != wanted)
        resize(wanted);
}

// --- Controls --------------------------------------------------------------------

QWidget* DiveEditWindow::bind(int field, Kind kind, QWidget* widget)
{
    Q_ASSERT(field >= 0 && m_bindingOf[field] < 0);
    widget->setObjectName(QLatin1String(Plongee::field(field).name));
    Binding binding;
    binding.field = field;
    binding.kind = kind;
    binding.widget = widget;
    m_bindingOf[field] = int(m_bindings.size());
    m_bindings.append(binding);
    return widget;
}

QWidget* DiveEditWindow::line(const char* name, int characters)
{
    const int field = fieldIndex(name);
    auto* edit = new QLineEdit;
    if (characters <= kShortField)
        fitWidth(edit, characters);
    else
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('x'))));
    // An empty position shows its template as a hint, not as a place.
    if (field == idx_gps)
        edit->setPlaceholderText(local("GPS template"));
    connect(edit, &QLineEdit::textEdited, this, [this, field] { fieldEdited(field); });
    connect(edit, &QLineEdit::editingFinished, this, [this] {
        // The derived values (nitrogen, title...) follow what was typed.
        if (!m_filling && isVisible())
            m_carnet.updateUI();
    });
    return bind(field, Kind::Line, edit);
}

QWidget* DiveEditWindow::combo(const char* name, std::optional<PickListId> list, const QStringList* offered)
{
    const int field = fieldIndex(name);
    auto* box = new QComboBox;
    box->setEditable(true);
    // A typed value is used for the dive; a pick-list grows only by the
    // diver's answer at the end of the editing.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(offered == &Carnet::offeredTankVolumes() || offered == &Carnet::offeredTankPressures()
                                      ? 4
                                      : 12);
    if (box->minimumContentsLength() == 4)
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(box, &QComboBox::editTextChanged, this, [this, field] { fieldEdited(field); });
    if (list) {
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, field] { pickListEditingEnded(field); });
        connect(box, &QComboBox::activated, this, [this, field] { pickListEditingEnded(field); });
    } else {
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this] {
            if (!m_filling && isVisible())
                m_carnet.updateUI();
        });
    }
    bind(field, Kind::Combo, box);
    Binding& b = m_bindings.last();
    b.pickList = list;
    b.offered = offered;
    return box;
}

QWidget* DiveEditWindow::choice(const char* name)
{
    const int field = fieldIndex(name);
    auto* box = new QComboBox;
    box->setMaxVisibleItems(16);
    const Localizer& localizer = m_carnet.context().localizer();
    for (const DiveChoice& item : divechoices::items(field))
        box->addItem(localizer.text(QLatin1String(item.text), QStringLiteral("Carnet"), QLatin1String(item.text)),
                     item.tag);
    connect(box, &QComboBox::currentIndexChanged, this, [this, field] { fieldEdited(field); });
    return bind(field, Kind::Choice, box);
}

QWidget* DiveEditWindow::check(const char* name, const QString& text)
{
    const int field = fieldIndex(name);
    auto* box = new QCheckBox(text);
    connect(box, &QCheckBox::toggled, this, [this, field] { fieldEdited(field); });
    return bind(field, Kind::Switch, box);
}

QWidget* DiveEditWindow::multiLine(const char* name)
{
    const int field = fieldIndex(name);
    auto* edit = new QPlainTextEdit;
    edit->setTabChangesFocus(true);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, field] { fieldEdited(field); });
    return bind(field, Kind::MultiLine, edit);
}

QProgressBar* DiveEditWindow::cylinderGauge(int cylinder)
{
    auto* gauge = new QProgressBar;
    gauge->setObjectName(QStringLiteral("cylinderGauge%1").arg(cylinder));
    gauge->setFormat(ui::text("%v bar"));
    gauge->setMaximumWidth(120);
    gauge->setVisible(false);
    return gauge;
}

QLabel* DiveEditWindow::derivedLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    return label;
}

QWidget* DiveEditWindow::withUnit(QWidget* field, const char* unitName, const QString& unit)
{
    QLabel* label = derivedLabel(unitName, unit);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("min ")));
    return row({field, label});
}

// --- Pages ------------------------------------------------------------------------

QWidget* DiveEditWindow::buildDivePage()
{
    auto* page = new QWidget;
    auto* dive = new QGroupBox(ui::text("Dive"));
    QFormLayout* left = formIn(dive);
    left->addRow(ui::text("Number:"), line("noPlongee", 5));

    auto* date = new QDateEdit;
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    date->setMinimumDate(kNoDate);
    date->setSpecialValueText(QStringLiteral(" "));
    date->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(date, &QDateEdit::dateChanged, this, [this] { fieldEdited(idx_date); });
    bind(idx_date, Kind::Date, date);
    left->addRow(ui::text("Date:"), date);

    auto* time = new QTimeEdit;
    time->setDisplayFormat(QStringLiteral("HH:mm"));
    time->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(time, &QTimeEdit::timeChanged, this, [this] { fieldEdited(idx_heure); });
    bind(idx_heure, Kind::Time, time);
    left->addRow(ui::text("Time:"), time);

    left->addRow(ui::text("Surface interval:"), line("surface", 6));
    left->addRow(ui::text("Maximum depth:"), withUnit(line("profondeur", 6), "unit.profondeur", QStringLiteral("m")));
    left->addRow(ui::text("Dive time:"), withUnit(line("temps", 6), "unit.temps", ui::text("min")));
    left->addRow(ui::text("Altitude:"), withUnit(line("altitude", 6), "unit.altitude", QStringLiteral("m")));

    auto* place = new QGroupBox(ui::text("Place"));
    QFormLayout* right = formIn(place);
    right->addRow(ui::text("Place:"), combo("lieu", PickListId::Lieux));
    right->addRow(ui::text("Site:"), combo("site", PickListId::Sites));
    QWidget* code = combo("countryCode", PickListId::CountryCode);
    static_cast<QComboBox*>(code)->setMinimumContentsLength(4);
    auto* codeLabel = new QLabel(ui::text("Code:"));
    right->addRow(ui::text("Country:"), row({combo("pays", PickListId::Pays), codeLabel, code}, 0));
    right->addRow(ui::text("GPS:"), row({line("gps", 20), choice("gpsSystem")}, 0));
    right->addRow(ui::text("Buddies:"), combo("partenaires", PickListId::Partenaires));
    right->addRow(ui::text("Wrecks:"), combo("epaves", PickListId::Epaves));
    right->addRow(ui::text("Diving structure:"), combo("structure", PickListId::Structures));
    right->addRow(ui::text("Boat:"), line("bateau", 12));

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(dive, 0, Qt::AlignTop);
    layout->addWidget(place, 1, Qt::AlignTop);
    return page;
}

QWidget* DiveEditWindow::buildConditionsPage()
{
    auto* page = new QWidget;
    auto* sea = new QGroupBox(ui::text("Sea and weather"));
    QFormLayout* left = formIn(sea);
    left->addRow(ui::text("Tide:"), row({line("coeff", 4), choice("pmBm")}, 0));
    left->addRow(ui::text("Weather:"), choice("meteo"));
    left->addRow(ui::text("Wind:"), row({choice("ventSecteur"), choice("ventForce")}, 1));
    left->addRow(ui::text("Visibility:"), choice("visibilite"));
    left->addRow(ui::text("Current:"), choice("courant"));
    left->addRow(ui::text("Water temperature:"), withUnit(line("tempEau", 4), "unit.tempEau", QStringLiteral("°C")));
    left->addRow(ui::text("Air temperature:"), withUnit(line("tempAir", 4), "unit.tempAir", QStringLiteral("°C")));

    auto* dive = new QGroupBox(ui::text("The dive"));
    QFormLayout* right = formIn(dive);
    right->addRow(ui::text("Kind of dive:"), choice("typePlongee"));
    right->addRow(QString(), check("nocturne", ui::text("Night dive")));
    right->addRow(ui::text("Memory:"), choice("inoubliable"));
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 5);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setMinimumWidth(120);
    connect(slider, &QSlider::valueChanged, this, [this] {
        updateDifficultyText();
        fieldEdited(idx_difficulte);
    });
    bind(idx_difficulte, Kind::Slider, slider);
    QLabel* difficulty = derivedLabel("difficultyText");
    difficulty->setMinimumWidth(difficulty->fontMetrics().horizontalAdvance(QStringLiteral("Very hard ")));
    right->addRow(ui::text("Difficulty:"), row({slider, difficulty}, 0));

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(sea, 1, Qt::AlignTop);
    layout->addWidget(dive, 1, Qt::AlignTop);
    return page;
}

QWidget* DiveEditWindow::buildGasesPage()
{
    auto* page = new QWidget;

    auto* apparatus = new QGroupBox(ui::text("Breathing"));
    auto* top = new QGridLayout(apparatus);
    top->addWidget(new QLabel(ui::text("Apparatus:")), 0, 0, Qt::AlignRight);
    top->addWidget(choice("rebreather"), 0, 1);
    top->addWidget(new QLabel(ui::text("Gas:")), 0, 2, Qt::AlignRight);
    top->addWidget(choice("gaz"), 0, 3);
    QLabel* summary = derivedLabel("gasSummary");
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);
    top->addWidget(summary, 0, 4);
    QLabel* setpoint = derivedLabel("setpointLabel", QStringLiteral("PpO2 :"));
    top->addWidget(setpoint, 1, 0, Qt::AlignRight);
    top->addWidget(choice("ppO2"), 1, 1);
    top->addWidget(new QLabel(ui::text("Flow:")), 1, 2, Qt::AlignRight);
    top->addWidget(withUnit(line("flow", 4), "unit.flow", ui::text("l/min")), 1, 3);
    auto* presets = new QWidget;
    auto* presetRow = new QHBoxLayout(presets);
    presetRow->setContentsMargins(0, 0, 0, 0);
    const std::array<std::pair<QString, void (DiveEditWindow::*)()>, 3> buttons = {
        std::pair{ui::text("Air"), &DiveEditWindow::resetToAir}, std::pair{ui::text("Nitrox"), &DiveEditWindow::resetToNitrox},
        std::pair{ui::text("Heliox"), &DiveEditWindow::resetToHeliox}};
    const char* names[] = {"razAir", "razNitrox", "razHeliox"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(buttons[i].first);
        button->setObjectName(QLatin1String(names[i]));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, buttons[i].second);
        presetRow->addWidget(button);
    }
    top->addWidget(presets, 1, 4);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 1);

    const auto tank = [&](QGroupBox*& box, const char* material, const char* volume, const char* pressure,
                          const char* start, const char* end, const char* o2, const char* he, const char* nitrogen,
                          const char* unitName, const char* delta) {
        box = new QGroupBox;
        QFormLayout* form = formIn(box);
        form->addRow(ui::text("Material:"), choice(material));
        form->addRow(ui::text("Volume:"), withUnit(combo(volume, std::nullopt, &Carnet::offeredTankVolumes()), unitName,
                                             ui::text("l")));
        form->addRow(ui::text("Working pressure:"), combo(pressure, std::nullopt, &Carnet::offeredTankPressures()));
        form->addRow(ui::text("Start pressure:"), line(start, 5));
        form->addRow(ui::text("End pressure:"), line(end, 5));
        auto* mix = new QWidget;
        auto* mixRow = new QHBoxLayout(mix);
        mixRow->setContentsMargins(0, 0, 0, 0);
        mixRow->addWidget(new QLabel(QStringLiteral("O2")));
        mixRow->addWidget(line(o2, 3));
        mixRow->addWidget(new QLabel(QStringLiteral("He")));
        mixRow->addWidget(line(he, 3));
        mixRow->addWidget(new QLabel(QStringLiteral("N2")));
        QLabel* n2 = derivedLabel(nitrogen, QStringLiteral("79"));
        n2->setMinimumWidth(n2->fontMetrics().horizontalAdvance(QStringLiteral("000")));
        n2->setFrameShape(QFrame::StyledPanel);
        n2->setAlignment(Qt::AlignCenter);
        mixRow->addWidget(n2);
        mixRow->addWidget(new QLabel(QStringLiteral("%")));
        form->addRow(ui::text("Mix:"), mix);
        form->addRow(ui::text("Pressure drop:"), derivedLabel(delta));
        return box;
    };
    tank(m_tank1Group, "alliageBloc", "volumeBloc", "pressionBloc", "pressionDepart", "pressionFin", "o2Mix", "heMix",
         "nitrogen1", "unit.volumeBloc", "deltaPressure1");
    tank(m_tank2Group, "alliageBloc_2", "volumeBloc_2", "pressionBloc_2", "pressionDepart_2", "pressionFin_2",
         "o2Mix_2", "heMix_2", "nitrogen2", "unit.volumeBloc_2", "deltaPressure2");
    m_tank1Group->setObjectName(QStringLiteral("tank1Group"));
    m_tank2Group->setObjectName(QStringLiteral("tank2Group"));

    m_bailoutGroup = new QGroupBox(ui::text("Bail-out cylinders"));
    m_bailoutGroup->setObjectName(QStringLiteral("bailoutGroup"));
    auto* bailout = new QGridLayout(m_bailoutGroup);
    const QStringList titles = {ui::text("Volume"), ui::text("Start pressure"), ui::text("End pressure"), ui::text("O2 %"), ui::text("He %")};
    for (int c = 0; c < titles.size(); ++c)
        bailout->addWidget(heading(titles[c]), 0, c + 1);
    bailout->setColumnStretch(titles.size() + 1, 1);
    for (int n = 1; n <= 2; ++n) {
        bailout->addWidget(new QLabel(ui::text("Bail-out %1:").arg(n)), n, 0, Qt::AlignRight);
        int c = 1;
        for (const char* pattern : {"volBailout%1", "pressDepartBailout%1", "pressFinBailout%1", "O2Bailout%1",
                                    "HeBailout%1"})
            bailout->addWidget(line(QString::fromLatin1(pattern).arg(n).toLatin1().constData(), 4), n, c++,
                               Qt::AlignHCenter);
        bailout->addWidget(cylinderGauge(3 + n), n, c++);
        bailout->addWidget(derivedLabel(QStringLiteral("cylinderText%1").arg(3 + n).toLatin1().constData()), n, c);
    }

    auto* layout = new QGridLayout(page);
    layout->addWidget(apparatus, 0, 0, 1, 2);
    layout->addWidget(m_tank1Group, 1, 0);
    layout->addWidget(m_tank2Group, 1, 1);
    layout->addWidget(m_bailoutGroup, 2, 0, 1, 2);
    auto* figures = new QGroupBox(ui::text("Consumption and oxygen"));
    auto* figuresLayout = new QVBoxLayout(figures);
    for (const char* name : {"consumptionText", "cnsText"}) {
        QLabel* label = derivedLabel(name);
        label->setWordWrap(true);
        figuresLayout->addWidget(label);
    }
    layout->addWidget(figures, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* DiveEditWindow::buildDecompressionPage()
{
    auto* page = new QWidget;

    auto* method = new QGroupBox(ui::text("Decompression"));
    QFormLayout* methodForm = formIn(method);
    methodForm->addRow(ui::text("Method:"), choice("deco"));
    methodForm->addRow(ui::text("Time to surface:"), withUnit(line("deco_TTS", 4), "unit.deco_TTS", ui::text("min")));

    auto* stops = new QGroupBox(ui::text("Stops"));
    auto* grid = new QGridLayout(stops);
    grid->addWidget(derivedLabel("unit.decoDepth", ui::text("Depth (m)")), 0, 1, Qt::AlignCenter);
    grid->addWidget(heading(ui::text("Time (min)")), 0, 2);
    grid->addWidget(heading(ui::text("O2 %")), 0, 3);
    grid->addWidget(heading(ui::text("He %")), 0, 4);
    grid->setColumnStretch(5, 1);
    {
        QFont font = grid->itemAtPosition(0, 1)->widget()->font();
        font.setBold(true);
        grid->itemAtPosition(0, 1)->widget()->setFont(font);
    }
    for (int n = 1; n <= 5; ++n) {
        const auto name = [n](const char* pattern) { return QString::fromLatin1(pattern).arg(n).toLatin1(); };
        grid->addWidget(check(name("deco_Level_%1_sw").constData(), ui::text("Stop %1").arg(n)), n, 0);
        grid->addWidget(line(name("decoDepth_Level_%1").constData(), 4), n, 1, Qt::AlignHCenter);
        grid->addWidget(line(name("decoTime_Level_%1").constData(), 4), n, 2, Qt::AlignHCenter);
        grid->addWidget(line(name("decoO2_Level_%1").constData(), 3), n, 3, Qt::AlignHCenter);
        grid->addWidget(line(name("decoHe_Level_%1").constData(), 3), n, 4, Qt::AlignHCenter);
    }

    m_poniesGroup = new QGroupBox(ui::text("Stage cylinders"));
    m_poniesGroup->setObjectName(QStringLiteral("poniesGroup"));
    auto* ponies = new QGridLayout(m_poniesGroup);
    ponies->addWidget(heading(ui::text("Volume")), 0, 1);
    ponies->addWidget(heading(ui::text("Start pressure")), 0, 2);
    ponies->addWidget(heading(ui::text("End pressure")), 0, 3);
    ponies->setColumnStretch(5, 1);
    for (int n = 1; n <= 3; ++n) {
        const auto name = [n](const char* pattern) { return QString::fromLatin1(pattern).arg(n).toLatin1(); };
        ponies->addWidget(derivedLabel(name("ponyTitle%1").constData(), ui::text("Stage %1:").arg(n)), n, 0, Qt::AlignRight);
        ponies->addWidget(line(name("volPony%1").constData(), 4), n, 1, Qt::AlignHCenter);
        ponies->addWidget(line(name("pressDepartPony%1").constData(), 4), n, 2, Qt::AlignHCenter);
        ponies->addWidget(line(name("pressFinPony%1").constData(), 4), n, 3, Qt::AlignHCenter);
        ponies->addWidget(cylinderGauge(n), n, 4);
        ponies->addWidget(derivedLabel(name("cylinderText%1").constData()), n, 5);
    }

    m_planningGroup = new QGroupBox(ui::text("Planning"));
    m_planningGroup->setObjectName(QStringLiteral("planningGroup"));
    QFormLayout* planning = formIn(m_planningGroup);
    planning->addRow(ui::text("Software:"), combo("decoSoftName", std::nullopt, &Carnet::offeredDecoSoftNames()));
    planning->addRow(ui::text("Algorithm:"), combo("decoAlgoType", std::nullopt, &Carnet::offeredDecoAlgorithms()));
    planning->addRow(ui::text("Conservatism:"), line("decoConservatism", 8));
    QWidget* runtime = multiLine("runtime");
    runtime->setMinimumHeight(150);
    planning->addRow(ui::text("Runtime:"), runtime);

    auto* layout = new QGridLayout(page);
    layout->addWidget(method, 0, 0);
    layout->addWidget(stops, 1, 0);
    layout->addWidget(m_poniesGroup, 2, 0);
    layout->addWidget(m_planningGroup, 0, 1, 3, 1);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* DiveEditWindow::buildEquipmentPage()
{
    auto* page = new QWidget;

    auto* suit = new QGroupBox(ui::text("Suit and ballast"));
    QFormLayout* suitForm = formIn(suit);
    suitForm->addRow(ui::text("Suit:"), choice("combinaison"));
    suitForm->addRow(ui::text("Configuration:"), choice("configuration"));
    suitForm->addRow(ui::text("Ballast:"), line("lestage", 4));

    auto* computer = new QGroupBox(ui::text("Computer"));
    QFormLayout* computerForm = formIn(computer);
    computerForm->addRow(ui::text("Maker:"), line("fabricant", 12));
    computerForm->addRow(ui::text("Model:"), combo("ordinateur", PickListId::Ordinateurs));
    computerForm->addRow(ui::text("Serial number:"), line("serie", 12));
    computerForm->addRow(ui::text("Sampling interval:"), choice("samplingRate"));

    auto* bag = new QGroupBox(ui::text("Dive bag"));
    auto* bagGrid = new QGridLayout(bag);
    for (int n = 1; n <= 12; ++n) {
        const int r = (n - 1) % 6, c = (n - 1) / 6;
        bagGrid->addWidget(new QLabel(QStringLiteral("%1.").arg(n)), r, c * 2, Qt::AlignRight);
        bagGrid->addWidget(combo(QStringLiteral("equip_%1").arg(n).toLatin1().constData(), PickListId::SacDePlongee),
                           r, c * 2 + 1);
    }
    bagGrid->setColumnStretch(1, 1);
    bagGrid->setColumnStretch(3, 1);

    auto* layout = new QGridLayout(page);
    layout->addWidget(suit, 0, 0);
    layout->addWidget(computer, 0, 1);
    layout->addWidget(bag, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* DiveEditWindow::buildNotesPage()
{
    auto* page = new QWidget;
    auto* notesBox = new QGroupBox(ui::text("Notes"));
    auto* notesLayout = new QVBoxLayout(notesBox);
    QWidget* notes = multiLine("notes");
    notes->setMinimumHeight(180);
    notesLayout->addWidget(notes);

    auto* profile = new QGroupBox(ui::text("Profile"));
    auto* grid = new QGridLayout(profile);
    grid->addWidget(derivedLabel("depthSummary"), 0, 0, 1, 2);
    grid->addWidget(derivedLabel("samplingSummary"), 1, 0);
    grid->addWidget(derivedLabel("pointsSummary"), 1, 1);
    const QStringList counts = {ui::text("Slow ascents:"), ui::text("Ceiling crossings:"), ui::text("Gas switches:"),
                                ui::text("Intermediate surfacings:")};
    const char* names[] = {"slowCount", "ceilCount", "gazCount", "surfCount"};
    for (int i = 0; i < 4; ++i) {
        auto* pair = row({new QLabel(counts[i]), derivedLabel(names[i], QStringLiteral("0"))}, 1);
        grid->addWidget(pair, 2 + i / 2, i % 2);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(notesBox, 1);
    layout->addWidget(profile);
    return page;
}

// --- Form <-> widgets -------------------------------------------------------------

QWidget* DiveEditWindow::fieldWidget(int field) const
{
    if (field < 0 || field >= Plongee::FieldCount || m_bindingOf[field] < 0)
        return nullptr;
    return m_bindings[m_bindingOf[field]].widget;
}

DiveEditWindow::Page DiveEditWindow::pageOf(int field) const
{
    const QWidget* widget = fieldWidget(field);
    if (!widget)
        return PageCount;
    for (int page = 0; page < m_tabs->count(); ++page)
        if (m_tabs->widget(page)->isAncestorOf(widget))
            return Page(page);
    return PageCount;
}

int DiveEditWindow::shownIndex() const
{
    const int index = m_carnet.loadedIndex();
    return index >= 0 && index < m_carnet.count() ? index : -1;
}

QVariant DiveEditWindow::widgetValue(const Binding& b) const
{
    switch (b.kind) {
    case Kind::Line: {
        const QString text = static_cast<QLineEdit*>(b.widget)->text();
        // The form keeps its template for a position left empty.
        return b.field == idx_gps && text.isEmpty() ? local("GPS template") : text;
    }
    case Kind::Combo: return static_cast<QComboBox*>(b.widget)->currentText();
    case Kind::Choice: return static_cast<QComboBox*>(b.widget)->currentIndex();
    case Kind::Switch: return static_cast<QCheckBox*>(b.widget)->isChecked();
    case Kind::Date: return static_cast<QDateEdit*>(b.widget)->date();
    case Kind::Time: return static_cast<QTimeEdit*>(b.widget)->time();
    case Kind::Slider: return static_cast<QSlider*>(b.widget)->value();
    case Kind::MultiLine: return static_cast<QPlainTextEdit*>(b.widget)->toPlainText();
    }
    return {};
}

QString DiveEditWindow::shownValue(const QString& fieldName) const
{
    const int field = Plongee::fieldIndex(fieldName);
    const QWidget* widget = fieldWidget(field);
    if (!widget)
        return {};
    const Binding& b = m_bindings[m_bindingOf[field]];
    switch (b.kind) {
    case Kind::Choice: return static_cast<const QComboBox*>(widget)->currentText();
    case Kind::Switch: return static_cast<const QCheckBox*>(widget)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    case Kind::Date: {
        const QDate date = static_cast<const QDateEdit*>(widget)->date();
        return date == kNoDate ? QString() : date.toString(QStringLiteral("dd/MM/yyyy"));
    }
    case Kind::Time: return static_cast<const QTimeEdit*>(widget)->time().toString(QStringLiteral("HH:mm"));
    case Kind::Slider: return QString::number(static_cast<const QSlider*>(widget)->value());
    default: return widgetValue(b).toString();
    }
}

void DiveEditWindow::commit(Binding& b)
{
    const QVariant value = widgetValue(b);
    if (value == b.shown)
        return; // untouched since shown: the form keeps its own value
    DiveForm& form = m_carnet.form();
    switch (b.kind) {
    case Kind::Line:
    case Kind::Combo:
    case Kind::MultiLine: form.setText(b.field, value.toString()); break;
    case Kind::Choice: {
        const auto* box = static_cast<QComboBox*>(b.widget);
        if (box->currentIndex() < 0)
            return; // no item: the stored tag stays as it is
        form.setTag(b.field, box->currentData().toInt());
        break;
    }
    case Kind::Switch: form.setOn(b.field, value.toBool()); break;
    case Kind::Slider: form.setTag(b.field, value.toInt()); break;
    case Kind::Date: {
        const QDate date = value.toDate();
        if (date == kNoDate)
            return;
        const QDateTime before = form.dateTime(b.field);
        const QTime time = before.isValid() ? before.toLocalTime().time() : QTime(0, 0);
        form.setDateTime(b.field, QDateTime(date, time));
        break;
    }
    case Kind::Time: {
        const QDateTime before = form.dateTime(b.field);
        QDate day = before.isValid() ? before.toLocalTime().date() : QDate();
        if (!day.isValid()) {
            const QDateTime date = form.dateTime(idx_date);
            day = date.isValid() ? date.toLocalTime().date() : QDate::currentDate();
        }
        form.setDateTime(b.field, QDateTime(day, value.toTime()));
        break;
    }
    }
    b.shown = value;
}

void DiveEditWindow::commitToForm()
{
    for (Binding& b : m_bindings)
        commit(b);
}

void DiveEditWindow::showBinding(Binding& b)
{
    const DiveForm& form = m_carnet.form();
    const QSignalBlocker blocker(b.widget);
    switch (b.kind) {
    case Kind::Line: {
        auto* edit = static_cast<QLineEdit*>(b.widget);
        const QString text = b.field == idx_gps && form.text(b.field) == local("GPS template") ? QString() : form.text(b.field);
        if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(0);
            b.edited = false;
        }
        break;
    }
    case Kind::Combo: {
        auto* box = static_cast<QComboBox*>(b.widget);
        const QStringList& items = b.pickList ? m_carnet.context().pickLists().list(*b.pickList)
                                              : (b.offered ? *b.offered : QStringList());
        if (items != b.items) {
            b.items = items;
            box->clear();
            box->addItems(items);
            box->setEditText(QString()); // made to differ: set below
        }
        if (box->currentText() != form.text(b.field)) {
            const int index = box->findText(form.text(b.field), Qt::MatchFixedString | Qt::MatchCaseSensitive);
            box->setCurrentIndex(index);
            box->setEditText(form.text(b.field));
            box->lineEdit()->setCursorPosition(0);
            b.edited = false;
        }
        break;
    }
    case Kind::Choice:
        // An unknown stored tag shows no item, and is stored back as it is.
        static_cast<QComboBox*>(b.widget)->setCurrentIndex(divechoices::positionOf(b.field, form.tag(b.field)));
        break;
    case Kind::Switch: static_cast<QCheckBox*>(b.widget)->setChecked(form.isOn(b.field)); break;
    case Kind::Slider: static_cast<QSlider*>(b.widget)->setValue(std::clamp(form.tag(b.field), 0, 5)); break;
    case Kind::Date: {
        const QDateTime value = form.dateTime(b.field);
        static_cast<QDateEdit*>(b.widget)->setDate(value.isValid() ? value.toLocalTime().date() : kNoDate);
        break;
    }
    case Kind::Time: {
        const QDateTime value = form.dateTime(b.field);
        static_cast<QTimeEdit*>(b.widget)->setTime(value.isValid() ? value.toLocalTime().time() : QTime(0, 0));
        break;
    }
    case Kind::MultiLine: {
        auto* edit = static_cast<QPlainTextEdit*>(b.widget);
        if (edit->toPlainText() != form.text(b.field))
            edit->setPlainText(form.text(b.field));
        break;
    }
    }
    b.shown = widgetValue(b);
}

void DiveEditWindow::showForm()
{
    m_filling = true;
    for (Binding& b : m_bindings)
        showBinding(b);
    m_filling = false;
    showDerived();
}

void DiveEditWindow::fieldEdited(int field)
{
    if (m_filling || field < 0 || m_bindingOf[field] < 0)
        return;
    Binding& b = m_bindings[m_bindingOf[field]];
    commit(b);
    if (b.kind == Kind::Combo && b.pickList)
        b.edited = true;
    // A new choice changes what the form derives (labels, enabled fields).
    if (b.kind == Kind::Choice || b.kind == Kind::Switch)
        m_carnet.updateUI();
}

void DiveEditWindow::pickListEditingEnded(int field)
{
    if (m_filling)
        return;
    Binding& b = m_bindings[m_bindingOf[field]];
    if (!b.edited)
        return;
    b.edited = false;
    commit(b);
    m_carnet.endEditingPickList(field);
}

template <typename W> W* DiveEditWindow::named(const QString& name)
{
    const auto found = m_named.constFind(name);
    if (found != m_named.cend())
        return qobject_cast<W*>(found->data());
    W* widget = findChild<W*>(name);
    m_named.insert(name, widget);
    return widget;
}

void DiveEditWindow::updateDifficultyText()
{
    static constexpr const char* texts[] = {"Very easy", "Easy", "Normal", "Hard", "Very hard", "Extreme"};
    const auto* slider = static_cast<QSlider*>(fieldWidget(idx_difficulte));
    if (auto* label = named<QLabel>(QStringLiteral("difficultyText")))
        label->setText(local(texts[std::clamp(slider->value(), 0, 5)]));
}

void DiveEditWindow::showDerived()
{
    const DiveForm& form = m_carnet.form();
    const DiveForm::Derived& d = form.derived();
    const auto setLabel = [this](const char* name, const QString& text) {
        if (auto* label = named<QLabel>(QLatin1String(name)))
            label->setText(text);
    };
    setLabel("nitrogen1", form.nitrogenText(1));
    setLabel("nitrogen2", form.nitrogenText(2));
    m_tank1Group->setTitle(d.tank1Label.isEmpty() ? ui::text("Tank 1") : withoutColon(d.tank1Label));
    m_tank2Group->setTitle(d.tank2Label.isEmpty() ? ui::text("Tank 2") : withoutColon(d.tank2Label));
    if (!d.setpointLabel.isEmpty())
        setLabel("setpointLabel", d.setpointLabel);
    for (const char* name : {"unit.profondeur", "unit.altitude"})
        setLabel(name, d.depthUnit);
    setLabel("unit.decoDepth", ui::text("Depth (%1)").arg(d.depthUnit));
    for (const char* name : {"unit.tempEau", "unit.tempAir"})
        setLabel(name, d.temperatureUnit);
    setLabel("gasSummary", d.gasSummary);
    m_totalText->setText(d.totalText);
    setLabel("depthSummary", d.depthSummaryText);
    setLabel("samplingSummary", d.samplingText);
    setLabel("pointsSummary", d.pointsText);
    setLabel("slowCount", QString::number(d.slowCount));
    setLabel("ceilCount", QString::number(d.ceilCount));
    setLabel("gazCount", QString::number(d.gazCount));
    setLabel("surfCount", QString::number(d.surfCount));
    setLabel("deltaPressure1", d.deltaPressure1Text);
    setLabel("deltaPressure2", d.deltaPressure2Text);
    setLabel("consumptionText", d.consumptionText);
    setLabel("cnsText", d.cnsText);
    for (size_t i = 0; i < d.cylinders.size(); ++i) {
        const DiveForm::Derived::Cylinder& cylinder = d.cylinders[i];
        // The texts keep their line break as a new line.
        setLabel(QStringLiteral("cylinderText%1").arg(i + 1).toLatin1().constData(),
                 QString(cylinder.text).replace(u'\r', u'\n'));
        if (auto* gauge = named<QProgressBar>(QStringLiteral("cylinderGauge%1").arg(i + 1))) {
            gauge->setVisible(cylinder.gaugeVisible);
            gauge->setRange(0, std::max(cylinder.gaugeMaximum, 1));
            gauge->setValue(std::clamp(cylinder.gaugeValue, 0, std::max(cylinder.gaugeMaximum, 1)));
        }
    }
    for (size_t i = 0; i < d.ponyTitles.size(); ++i)
        setLabel(QStringLiteral("ponyTitle%1").arg(i + 1).toLatin1().constData(), d.ponyTitles[i]);
    updateDifficultyText();

    fieldWidget(idx_o2Mix)->setEnabled(d.o2Enabled);
    fieldWidget(idx_heMix)->setEnabled(d.heEnabled);
    fieldWidget(idx_flow)->setEnabled(d.flowEnabled);
    m_bailoutGroup->setEnabled(d.bailoutEnabled);
    m_planningGroup->setEnabled(d.planningEnabled);
    m_poniesGroup->setEnabled(d.poniesEnabled);
    m_actions[PreviousDive]->setEnabled(d.previousEnabled);
    m_actions[NextDive]->setEnabled(d.nextEnabled);

    setWindowTitle(m_documentName.isEmpty() ? d.title : ui::text("%1 — %2").arg(d.title, m_documentName));
}

void DiveEditWindow::setDocumentName(const QString& name)
{
    m_documentName = name;
    showDerived();
}
