#include "reports/numberdialog.h"

#include "records/dates.h"
#include "records/dayformat.h"
#include "reports/dayfinding.h"
#include "speech/announcefield.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

NumberDialog::NumberDialog(QWidget *mainWindow, ScreenReaderFront *front)
    : AdaptiveDialog(mainWindow, LookKinds{true, true, true, true, true, true}, true)
{
    m_ui.label = new QLabel(this);
    m_ui.edit = new QLineEdit(this);
    m_ui.edit->installEventFilter(this);
    m_ui.okButton = new QPushButton(u"O&K"_s, this);
    m_ui.cancelButton = new QPushButton(u"&Abbrechen"_s, this);
    m_ui.okButton->setDefault(true);
    // The arrows serve the mouse; the keyboard steps with Up and Down in the field, which the
    // screen reader follows as the field's text.
    const std::pair<QToolButton **, int> steppers[]
        = {{&m_ui.stepUpButton, 1}, {&m_ui.stepDownButton, -1}};
    for (const auto &[button, by] : steppers) {
        *button = new QToolButton(this);
        (*button)->setArrowType(by > 0 ? Qt::UpArrow : Qt::DownArrow);
        (*button)->setFocusPolicy(Qt::NoFocus);
        (*button)->setAutoRepeat(true);
        (*button)->setAccessibleName(by > 0 ? u"Höher"_s : u"Niedriger"_s);
        connect(*button, &QToolButton::clicked, this, [this, by = by] { step(by); });
    }

    connect(m_ui.edit, &QLineEdit::textChanged, this,
        [this] { m_ui.okButton->setEnabled(!trimmedText(m_ui.edit->text()).isEmpty()); });
    connect(m_ui.okButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    setTabOrder(m_ui.edit, m_ui.okButton);
    setTabOrder(m_ui.okButton, m_ui.cancelButton);
    announceField(m_ui.edit, m_ui.label, front);
    setWindowTitle(u"Gehe zu Tag"_s);
    setRange(1, 1, 1);
}

void NumberDialog::setRange(int lowest, int highest, int proposed)
{
    m_lowest = lowest;
    m_highest = highest;
    m_position = limited(proposed);
    m_ui.edit->setMaxLength(digitCount(highest));
    m_ui.label->setText(u"Gehe zu Tag (%1-%2)"_s.arg(lowest).arg(withThousandsDots(highest)));
}

int NumberDialog::limited(int number) const
{
    return qMin(qMax(number, m_lowest), m_highest);
}

std::optional<int> NumberDialog::enteredNumber()
{
    const std::optional<int> number = readDayNumber(m_ui.edit->text(), m_lowest, m_highest);
    if (!number) {
        Messages::information(parentWidget(), u"Fehler bei Eingabe!"_s);
        return std::nullopt;
    }
    m_position = *number;
    return number;
}

void NumberDialog::step(int by)
{
    // A number typed since the last step counts; text that is none steps from the last number.
    const std::optional<int> typed = readDayNumber(m_ui.edit->text(), m_lowest, m_highest);
    m_position = limited(typed.value_or(m_position) + by);
    m_ui.edit->setText(QString::number(m_position));
    m_ui.edit->selectAll();
}

void NumberDialog::layoutControls()
{
    const NumberDialogGeometry g
        = layoutNumberDialog(measureButtons({m_ui.okButton, m_ui.cancelButton}),
            m_ui.label->sizeHint(), m_ui.edit->sizeHint().height(), maxClientSize());
    m_ui.label->setGeometry(g.label);
    // The arrows take the right end of the edit's place, one above the other.
    const int arrowsWidth = qMax(12, g.edit.height() / 2);
    QRect edit = g.edit;
    edit.setWidth(qMax(1, edit.width() - arrowsWidth));
    m_ui.edit->setGeometry(edit);
    const int upHeight = g.edit.height() / 2;
    m_ui.stepUpButton->setGeometry(edit.right() + 1, g.edit.top(), arrowsWidth, upHeight);
    m_ui.stepDownButton->setGeometry(
        edit.right() + 1, g.edit.top() + upHeight, arrowsWidth, g.edit.height() - upHeight);
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void NumberDialog::prepareToShow()
{
    layoutControls();
    m_ui.edit->setFocus();
    m_ui.edit->setText(QString::number(m_position));
    m_ui.edit->selectAll();
}

bool NumberDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            step(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        // Typed characters other than digits are dropped. Control characters (Backspace, Delete,
        // Enter) and keys with Ctrl (paste) pass.
        const QString typed = key->text();
        const bool typesCharacter = !typed.isEmpty() && typed.at(0).unicode() >= 0x20
            && typed.at(0).unicode() != 0x7F && !(key->modifiers() & Qt::ControlModifier);
        const bool typesDigit = typed.size() == 1 && typed.at(0) >= u'0' && typed.at(0) <= u'9';
        if (typesCharacter && !typesDigit)
            return true;
    }
    return AdaptiveDialog::eventFilter(watched, event);
}
