#include "registers/ui/RegisterEditWindow.h"
#include "platform/InterfaceText.h"

#include "platform/context/AppContext.h"
#include "platform/context/PickLists.h"
#include "platform/ui/CommandToolBar.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterToolbars.h"
#include "registers/ui/PictureWell.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using registers::Rule;

namespace {

// A date edit shows its minimum as an empty field: the card has no date.
const QDate kNoDate(1752, 9, 14);

const registers::PopupItems* popupOf(const registers::RegisterDescription& reg, int field)
{
    for (const registers::PopupItems& p : reg.popupItems)
        if (p.field == field)
            return &p;
    return nullptr;
}

std::optional<PickListId> pickListOf(const registers::RegisterDescription& reg, int field)
{
    for (const auto& [f, list] : reg.comboLists)
        if (f == field)
            return list;
    return std::nullopt;
}

} // namespace

RegisterEditWindow::RegisterEditWindow(RegisterDocument& document, QWidget* parent)
    : QMainWindow(parent), m_document(document),
      m_toolBar(new CommandToolBar(registertoolbars::editToolbar(document.description()), document.context(), this)),
      m_panes(new QTabWidget(this))
{
    setObjectName(QStringLiteral("registerEditWindow"));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    const registers::RegisterDescription& reg = document.description();
    for (qsizetype i = 0; i < reg.panes.size(); ++i)
        m_panes->addTab(buildPane(reg.panes[i], int(i)), text(reg.panes[i].titleKey));
    setCentralWidget(m_panes);

    const registers::ToolbarItems& t = reg.toolbars;
    const auto on = [this](const char* id, auto slot) {
        if (QAction* action = m_toolBar->itemAction(QLatin1String(id)))
            connect(action, &QAction::triggered, this, slot);
    };
    on(t.addId, [this] { m_document.addRecord(); });
    on(t.insertId, [this] { m_document.insertRecord(); });
    on(t.updateId, [this] { m_document.updateRecord(); });
    on(registertoolbars::blankId, [this] { m_document.blankFields(); });
    on(registertoolbars::synthesisId, [this] { emit synthesisRequested(); });

    connect(&document, &RegisterDocument::formChanged, this, &RegisterEditWindow::showForm);
    connect(&document, &RegisterDocument::recordsChanged, this, &RegisterEditWindow::updateEnabling);
    connect(&document, &RegisterDocument::selectionChanged, this, &RegisterEditWindow::updateEnabling);
    showForm();
    resize(sizeHint().expandedTo(QSize(620, 560)));
}

QString RegisterEditWindow::text(const QString& key) const
{
    return m_document.context().localizer().text(key, m_document.description().table);
}

QString RegisterEditWindow::mainText(const QString& key, const QString& fallback) const
{
    return m_document.context().localizer().text(key, QStringLiteral("Main"), fallback);
}

void RegisterEditWindow::setDocumentName(const QString& name)
{
    setWindowTitle(name + QStringLiteral(" – ") + text(m_document.description().titleKey));
}

void RegisterEditWindow::goToPane(int pane)
{
    if (pane >= 0 && pane < m_panes->count())
        m_panes->setCurrentIndex(pane);
}

QWidget* RegisterEditWindow::buildPane(const registers::Pane& pane, int number)
{
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (const registers::PaneRow& row : pane.rows) {
        const registers::FormControl* control = m_document.form().controlOf(row.field);
        auto* label = new QLabel(text(row.labelKey));
        if (!row.derived.isEmpty()) {
            QWidget* widget = buildDerived(row);
            m_derived.insert(row.derived, {widget, label});
            form->addRow(label, widget);
            continue;
        }
        if (!control) {
            form->addRow(label);
            continue;
        }
        QWidget* widget = buildControl(row, *control);
        label->setBuddy(widget);
        m_labels.insert(row.field, label);
        m_rows.insert(row.field, widget);
        form->addRow(label, row.alongside.isEmpty() ? widget : buildLine(row, widget));
    }

    auto* previous = new QPushButton(QStringLiteral("◀ ") + mainText(QStringLiteral("Previous"), ui::text("Previous")));
    auto* next = new QPushButton(mainText(QStringLiteral("Next"), ui::text("Next")) + QStringLiteral(" ▶"));
    previous->setObjectName(QStringLiteral("previous%1").arg(number + 1));
    next->setObjectName(QStringLiteral("next%1").arg(number + 1));
    connect(previous, &QPushButton::clicked, this, [this] { m_document.prevRecord(); });
    connect(next, &QPushButton::clicked, this, [this] { m_document.nextRecord(); });
    m_previous.append(previous);
    m_next.append(next);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(previous);
    arrows->addStretch(1);
    arrows->addWidget(next);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(arrows);
    return page;
}

// The controls of a row's further fields on one line after its own.
QWidget* RegisterEditWindow::buildLine(const registers::PaneRow& row, QWidget* first)
{
    auto* holder = new QWidget;
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(first);
    for (const int field : row.alongside) {
        const registers::FormControl* control = m_document.form().controlOf(field);
        if (!control)
            continue;
        QWidget* widget = buildControl(registers::PaneRow{{}, field, row.widthHint}, *control);
        m_rows.insert(field, widget);
        line->addWidget(widget);
    }
    line->addStretch(1);
    return holder;
}

QWidget* RegisterEditWindow::buildControl(const registers::PaneRow& row, const registers::FormControl& control)
{
    const int field = row.field;
    const registers::RegisterDescription& reg = m_document.description();
    const QFontMetrics metrics(font());
    const auto sized = [&](QWidget* w) {
        if (row.widthHint > 0)
            w->setMaximumWidth(metrics.averageCharWidth() * (row.widthHint + 4));
        return w;
    };
    QWidget* widget = nullptr;
    switch (control.rule) {
    case Rule::Text:
    case Rule::Decimal:
    case Rule::Integer:
    case Rule::Depth:
        if (const std::optional<PickListId> list = pickListOf(reg, field)) {
            auto* box = new QComboBox;
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->addItems(m_document.context().pickLists().list(*list));
            connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, field] { typed(field); });
            connect(box, &QComboBox::activated, this, [this, field] {
                typed(field);
                m_document.endEditingCombo(field);
            });
            connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, field, box] {
                if (box->lineEdit()->isModified()) {
                    box->lineEdit()->setModified(false);
                    m_document.endEditingCombo(field);
                }
            });
            widget = sized(box);
        } else {
            auto* edit = new QLineEdit;
            connect(edit, &QLineEdit::textEdited, this, [this, field] { typed(field); });
            widget = sized(edit);
            if (row.sliderMaximum > 0) {
                auto* holder = new QWidget;
                auto* line = new QHBoxLayout(holder);
                line->setContentsMargins(0, 0, 0, 0);
                line->addWidget(edit);
                line->addWidget(buildSlider(field, row.sliderMaximum, true), 1);
                m_controls.insert(field, edit);
                return holder;
            }
        }
        break;
    case Rule::PopupTag: {
        auto* box = new QComboBox;
        const registers::PopupItems* items = popupOf(reg, field);
        for (qsizetype i = 0; i < control.tags.size(); ++i) {
            const QString key = items && i < items->keys.size() ? items->keys[i] : QString::number(control.tags[i]);
            box->addItem(text(key), control.tags[i]);
        }
        connect(box, &QComboBox::activated, this, [this, field] { typed(field); });
        widget = box;
        break;
    }
    case Rule::Switch: {
        auto* box = new QCheckBox;
        connect(box, &QCheckBox::toggled, this, [this, field] { typed(field); });
        widget = box;
        break;
    }
    case Rule::Slider: return buildSlider(field, control.maximum, false);
    case Rule::Date: return buildDate(row);
    case Rule::Radio: return buildRadios(field, control);
    case Rule::Time: {
        auto* edit = new QTimeEdit;
        edit->setDisplayFormat(QStringLiteral("HH:mm"));
        connect(edit, &QTimeEdit::timeChanged, this, [this, field] { typed(field); });
        widget = edit;
        break;
    }
    case Rule::Image: {
        auto* well = new PictureWell(
            mainText(reg.placeholderPicture, ui::text("No photo")));
        connect(well, &PictureWell::pictureChanged, this, [this, field] { typed(field); });
        auto* open = new QPushButton(mainText(QStringLiteral("Open picture"), ui::text("Open…")));
        auto* remove = new QPushButton(mainText(QStringLiteral("Remove picture"), ui::text("Remove")));
        connect(open, &QPushButton::clicked, well, &PictureWell::openFile);
        connect(remove, &QPushButton::clicked, well, &PictureWell::clear);
        auto* holder = new QWidget;
        auto* column = new QVBoxLayout(holder);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(well, 1);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(open);
        buttons->addWidget(remove);
        buttons->addStretch(1);
        column->addLayout(buttons);
        m_controls.insert(field, well);
        return holder;
    }
    case Rule::Notes: {
        auto* notes = new QPlainTextEdit;
        notes->setMinimumHeight(120);
        connect(notes, &QPlainTextEdit::textChanged, this, [this, field] { typed(field); });
        widget = notes;
        break;
    }
    }
    m_controls.insert(field, widget);
    return widget;
}

QWidget* RegisterEditWindow::buildSlider(int field, int maximum, bool companion)
{
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, maximum);
    slider->setMinimumWidth(120);
    m_sliders.insert(field, slider);
    if (companion) {
        // The slider types its value into the field beside it, which is
        // stored at once into the selected card.
        connect(slider, &QSlider::sliderReleased, this, [this] { m_document.storeIntoSelected(); });
        connect(slider, &QSlider::valueChanged, this, [this, field](int value) {
            if (m_showing)
                return;
            RegisterForm::ControlValue v = m_document.form().value(field);
            v.text = QString::number(value);
            m_document.form().setValue(field, v);
            if (auto* edit = qobject_cast<QLineEdit*>(m_controls.value(field)))
                edit->setText(v.text);
            if (!static_cast<QSlider*>(sender())->isSliderDown())
                m_document.storeIntoSelected();
        });
        return slider;
    }
    auto* value = new QLabel(QStringLiteral("?"));
    value->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("00")));
    m_sliderValues.insert(field, value);
    connect(slider, &QSlider::valueChanged, this, [this, field] { typed(field); });
    auto* holder = new QWidget;
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(slider, 1);
    line->addWidget(value);
    m_controls.insert(field, slider);
    return holder;
}

QWidget* RegisterEditWindow::buildRadios(int field, const registers::FormControl& control)
{
    const registers::PopupItems* items = popupOf(m_document.description(), field);
    auto* group = new QButtonGroup(this);
    auto* holder = new QWidget;
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    for (qsizetype i = 0; i < control.tags.size(); ++i) {
        const QString key = items && i < items->keys.size() ? items->keys[i] : QString::number(control.tags[i]);
        auto* button = new QRadioButton(text(key));
        group->addButton(button, control.tags[i]);
        line->addWidget(button);
    }
    line->addStretch(1);
    connect(group, &QButtonGroup::idToggled, this, [this, field](int, bool on) {
        if (on)
            typed(field);
    });
    m_radios.insert(field, group);
    m_controls.insert(field, holder);
    return holder;
}

// A derived value: a bar for a number, a text otherwise.
QWidget* RegisterEditWindow::buildDerived(const registers::PaneRow& row)
{
    const auto& rules = m_document.description().formRules;
    const bool number = std::any_of(rules.begin(), rules.end(), [&](const registers::FormRule& r) {
        return r.control == row.derived && r.what == registers::Derived::Number;
    });
    if (!number)
        return new QLabel;
    auto* bar = new QProgressBar;
    bar->setRange(0, row.barMaximum);
    bar->setTextVisible(false);
    bar->setMaximumWidth(QFontMetrics(font()).averageCharWidth() * 40);
    return bar;
}

QWidget* RegisterEditWindow::buildDate(const registers::PaneRow& row)
{
    const int field = row.field;
    auto* edit = new QDateEdit;
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setMinimumDate(kNoDate);
    edit->setSpecialValueText(QStringLiteral(" "));
    connect(edit, &QDateEdit::dateChanged, this, [this, field] { typed(field); });
    m_controls.insert(field, edit);
    if (!row.nowButton)
        return edit;
    auto* now = new QPushButton(mainText(QStringLiteral("Now"), ui::text("Now")));
    connect(now, &QPushButton::clicked, this, [this, field] { m_document.resetDateToNow(field); });
    auto* holder = new QWidget;
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(edit);
    line->addWidget(now);
    line->addStretch(1);
    return holder;
}

// A control changed by the diver: its value goes into the form.
void RegisterEditWindow::typed(int field)
{
    if (m_showing)
        return;
    RegisterForm& form = m_document.form();
    RegisterForm::ControlValue v = form.value(field);
    QWidget* w = m_controls.value(field);
    if (QButtonGroup* group = m_radios.value(field))
        v.number = group->checkedId();
    else if (auto* time = qobject_cast<QTimeEdit*>(w))
        v.date = RegisterForm::timeOfDay(time->time());
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        v.text = edit->text();
    else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
        v.text = combo->currentText();
    else if (combo)
        v.number = combo->currentData().toInt();
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        v.number = box->isChecked() ? 1 : 0;
    else if (auto* slider = qobject_cast<QSlider*>(w))
        v.number = slider->value();
    else if (auto* date = qobject_cast<QDateEdit*>(w))
        v.date = date->date() == kNoDate
                     ? RegisterForm::noDateOf(*form.controlOf(field))
                     : QDateTime(date->date(), v.date.isValid() ? v.date.time() : QTime(0, 0));
    else if (auto* well = qobject_cast<PictureWell*>(w))
        v.image = well->picture();
    else if (auto* notes = qobject_cast<QPlainTextEdit*>(w))
        v.text = notes->toPlainText();
    form.setValue(field, v);
    // A refresh may change other controls (a switch resetting dates).
    const RegisterForm before = form;
    form.refresh();
    if (!form.sameValues(before))
        showForm();
    else
        updateDerived();
}

void RegisterEditWindow::showForm()
{
    m_showing = true;
    const RegisterForm& form = m_document.form();
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        const RegisterForm::ControlValue& v = form.value(it.key());
        QWidget* w = it.value();
        if (QButtonGroup* group = m_radios.value(it.key())) {
            if (QAbstractButton* button = group->button(v.number))
                button->setChecked(true);
        } else if (auto* time = qobject_cast<QTimeEdit*>(w)) {
            time->setTime(v.date.isValid() ? v.date.time() : QTime(0, 0));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setText(v.text);
            edit->setCursorPosition(0);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->isEditable()) {
                combo->setEditText(v.text);
            } else {
                const int index = combo->findData(v.number);
                combo->setCurrentIndex(index);
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            box->setChecked(v.number != 0);
        } else if (auto* slider = qobject_cast<QSlider*>(w)) {
            slider->setValue(v.number);
        } else if (auto* date = qobject_cast<QDateEdit*>(w)) {
            const bool none = !v.date.isValid() || v.date == RegisterForm::noDateOf(*form.controlOf(it.key()));
            date->setDate(none ? kNoDate : v.date.date());
        } else if (auto* well = qobject_cast<PictureWell*>(w)) {
            well->setPicture(v.image);
        } else if (auto* notes = qobject_cast<QPlainTextEdit*>(w)) {
            if (notes->toPlainText() != v.text)
                notes->setPlainText(v.text);
        }
    }
    m_showing = false;
    updateDerived();
    updateEnabling();
}

// The widgets a derived rule names: a field's label and control, or the
// slider ("<field>Slider") or value text ("<field>Value") beside a field.
QList<QWidget*> RegisterEditWindow::widgetsNamed(const QString& name) const
{
    if (const auto derived = m_derived.constFind(name); derived != m_derived.cend())
        return *derived;
    const registers::RecordSchema& schema = m_document.description().schema;
    if (const int field = schema.fieldIndex(name); field >= 0)
        return {m_rows.value(field), m_labels.value(field)};
    for (const QString& suffix : {QStringLiteral("Slider"), QStringLiteral("Value")}) {
        if (!name.endsWith(suffix))
            continue;
        const int field = schema.fieldIndex(QStringView(name).chopped(suffix.size()));
        if (suffix == QLatin1String("Slider"))
            return {m_sliders.value(field)};
        return {m_sliderValues.value(field)};
    }
    return {};
}

void RegisterEditWindow::updateDerived()
{
    const RegisterForm& form = m_document.form();
    const Localizer& localizer = m_document.context().localizer();
    const bool showing = std::exchange(m_showing, true);
    for (const registers::FormRule& rule : m_document.description().formRules) {
        const QList<QWidget*> widgets = widgetsNamed(rule.control);
        for (qsizetype i = 0; i < widgets.size(); ++i) {
            QWidget* w = widgets[i];
            // A number or a text goes to the control, not to its label.
            const bool valueRule = rule.what == registers::Derived::Number || rule.what == registers::Derived::Text;
            if (!w || (valueRule && i > 0))
                continue;
            switch (rule.what) {
            case registers::Derived::Enabled: w->setEnabled(rule.holds(form)); break;
            case registers::Derived::Visible: w->setVisible(rule.holds(form)); break;
            case registers::Derived::Number:
                if (auto* slider = qobject_cast<QSlider*>(w))
                    slider->setValue(int(rule.number(form)));
                else if (auto* bar = qobject_cast<QProgressBar*>(w))
                    bar->setValue(int(std::clamp<qint64>(rule.number(form), 0, bar->maximum())));
                break;
            case registers::Derived::Text:
                if (auto* label = qobject_cast<QLabel*>(w)) {
                    label->setText(rule.text(form, localizer));
                    const std::optional<RgbaColour> c = rule.colour ? rule.colour(form) : std::nullopt;
                    const QColor colour = c ? QColor::fromRgbF(float(c->red), float(c->green), float(c->blue)) : QColor();
                    label->setStyleSheet(c ? QStringLiteral("color: %1").arg(colour.name()) : QString());
                }
                break;
            }
        }
    }
    m_showing = showing;
}

void RegisterEditWindow::updateEnabling()
{
    m_toolBar->updateEnabling(m_document.count());
    for (QPushButton* b : std::as_const(m_previous))
        b->setEnabled(m_document.previousEnabled());
    for (QPushButton* b : std::as_const(m_next))
        b->setEnabled(m_document.nextEnabled());
}

void RegisterEditWindow::closeEvent(QCloseEvent* event)
{
    m_document.closeEditWindow();
    event->accept();
}
