#include "calculators/ui/CalculatorWindow.h"

#include "calculators/CalculatorActions.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

namespace {

QColor toQColor(const RgbaColour& c) { return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha)); }

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace

CalculatorWindow::CalculatorWindow(const QString& windowName, const Localizer& texts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_windowName(windowName), m_texts(texts),
      m_actions(CalculatorActions::ofWindow(windowName))
{
    setObjectName(windowName);
}

const CalculatorField* CalculatorWindow::fieldDefinition(const QString& field) const
{
    for (const CalculatorAction* action : m_actions)
        if (const CalculatorField* f = action->input(field))
            return f;
    return nullptr;
}

QWidget* CalculatorWindow::control(const QString& field) const { return m_controls.value(field); }

QLineEdit* CalculatorWindow::addTextField(QFormLayout* form, const QString& field, const QString& label,
                                          const QString& unit)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(field);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(110);
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    if (!unit.isEmpty())
        row->addWidget(new QLabel(unit, this));
    row->addStretch();
    form->addRow(label, row);
    addInput(field, edit, [edit] { return edit->text(); });
    connect(edit, &QLineEdit::textEdited, this, [this, field] { inputEdited(field); });
    return edit;
}

QComboBox* CalculatorWindow::addPopUp(QFormLayout* form, const QString& field, const QString& label)
{
    auto* popUp = new QComboBox(this);
    popUp->setObjectName(field);
    const CalculatorField* definition = fieldDefinition(field);
    QStringList values;
    if (definition) {
        for (const CalculatorField::Item& item : definition->items) {
            popUp->addItem(item.title);
            values.append(item.value);
        }
    }
    form->addRow(label, popUp);
    const QString none = definition ? definition->defaultValue : QString();
    addInput(field, popUp, [popUp, values, none] {
        const int index = popUp->currentIndex();
        return index >= 0 && index < values.size() ? values[index] : none;
    });
    connect(popUp, &QComboBox::currentIndexChanged, this, [this, field] { inputEdited(field); });
    return popUp;
}

void CalculatorWindow::addInput(const QString& field, QWidget* control, Reader reader)
{
    m_readers.insert(field, std::move(reader));
    m_controls.insert(field, control);
}

QLabel* CalculatorWindow::addResult(QBoxLayout* layout, const QString& field)
{
    auto* label = new QLabel(this);
    label->setObjectName(field);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumHeight(label->fontMetrics().height() + 10);
    label->setMinimumWidth(340);
    label->setMargin(4);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    layout->addWidget(label);
    m_controls.insert(field, label);
    addOutput(
        field,
        [label](const QString& text) {
            label->setText(text);
            // The one-line height held the place of the empty result; a
            // text of several lines takes the height it needs.
            label->setMinimumHeight(0);
        },
        [label](const QColor& colour) { setTextColour(label, colour); });
    return label;
}

void CalculatorWindow::addRows(QBoxLayout* layout, const QStringList& fields)
{
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QVBoxLayout(frame);
    grid->setSpacing(2);
    for (const QString& field : fields) {
        auto* row = new QLabel(frame);
        row->setObjectName(field);
        row->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(row);
        m_controls.insert(field, row);
        // A fresh row is black, as a safe value.
        setTextColour(row, toQColor(CalculatorActions::safeColour()));
        addOutput(field, [row](const QString& text) { row->setText(text); },
                  [row](const QColor& colour) { setTextColour(row, colour); });
    }
    layout->addWidget(frame);
}

QTextEdit* CalculatorWindow::addStyledText(QBoxLayout* layout, const QString& field)
{
    auto* view = new QTextEdit(this);
    view->setObjectName(field);
    view->setReadOnly(true);
    layout->addWidget(view);
    m_controls.insert(field, view);
    m_styled.insert(field, view);
    return view;
}

void CalculatorWindow::addOutput(const QString& field, Writer writer, Painter painter)
{
    m_writers.insert(field, std::move(writer));
    if (painter)
        m_painters.insert(field, std::move(painter));
}

QHash<QString, QString> CalculatorWindow::typedTexts() const
{
    QHash<QString, QString> texts;
    for (auto it = m_readers.cbegin(); it != m_readers.cend(); ++it)
        texts.insert(it.key(), it.value()());
    return texts;
}

void CalculatorWindow::inputEdited(const QString& field)
{
    const CalculatorAction* chosen = nullptr;
    if (m_lastAction && m_lastAction->input(field))
        chosen = m_lastAction;
    for (const CalculatorAction* action : m_actions) {
        if (chosen)
            break;
        if (action->input(field))
            chosen = action;
    }
    if (chosen)
        runAction(chosen->name);
}

void CalculatorWindow::runAction(const QString& actionName)
{
    for (const CalculatorAction* action : m_actions) {
        if (action->name != actionName)
            continue;
        m_lastAction = action;
        show(action->run(typedTexts(), m_texts), *action);
        return;
    }
}

void CalculatorWindow::show(const CalculatorResult& result, const CalculatorAction& action)
{
    for (const QString& field : action.outputs) {
        if (QTextEdit* view = m_styled.value(field)) {
            view->clear();
            QTextCursor cursor(view->document());
            const QString text = result.texts.value(field);
            qsizetype start = 0;
            for (const CalculatorResult::Run& run : result.styledTexts.value(field)) {
                QTextCharFormat format;
                format.setForeground(toQColor(run.colour));
                cursor.insertText(text.mid(start, run.length), format);
                start += run.length;
            }
            continue;
        }
        const auto writer = m_writers.constFind(field);
        if (writer == m_writers.cend())
            continue;
        const auto reader = m_readers.constFind(field);
        const QString text = result.texts.value(field);
        // A control that is also an input keeps its text (and its cursor)
        // when the action gives it back unchanged.
        if (reader == m_readers.cend() || (*reader)() != text)
            (*writer)(text);
        const auto colour = result.colours.constFind(field);
        const auto painter = m_painters.constFind(field);
        if (colour != result.colours.cend() && painter != m_painters.cend())
            (*painter)(toQColor(*colour));
    }
    // A result that takes more lines makes the window taller, never cut.
    if (QLayout* l = layout()) {
        l->activate();
        const int needed = l->hasHeightForWidth() ? l->totalHeightForWidth(width()) : l->totalSizeHint().height();
        if (needed > height())
            resize(width(), needed);
    }
}
