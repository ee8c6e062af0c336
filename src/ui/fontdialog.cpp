#include "ui/fontdialog.h"

#include "speech/screenreaderfront.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Qt's font dialog as a part of another window: Escape and Enter belong to that window, so
// that they cancel or confirm it instead of hiding the part and leaving the window open.
class EmbeddedFontDialog : public QFontDialog
{
public:
    using QFontDialog::QFontDialog;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->ignore();
            return;
        default:
            QFontDialog::keyPressEvent(event);
        }
    }
};

// The part is a dialog to the screen reader, which named it ("dialog") whenever the focus came into
// it; as a plain nameless group it is passed over.
QAccessibleInterface *embeddedFontDialogFactory(const QString &, QObject *object)
{
    if (auto *part = dynamic_cast<EmbeddedFontDialog *>(object))
        return new QAccessibleWidget(part, QAccessible::Grouping);
    return nullptr;
}

} // namespace

FontDialog::FontDialog(QWidget *parent)
    : QDialog(parent), m_fontPart(new EmbeddedFontDialog(this)), m_colourBox(new QComboBox(this))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(embeddedFontDialogFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setWindowTitle(u"Schriftart"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // Qt's font dialog as a part of this window, without buttons of its own.
    m_fontPart->setWindowFlags(Qt::Widget);
    m_fontPart->setSizeGripEnabled(false);
    m_fontPart->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // Qt's labels name the part's read-only edits, not its three lists, which Orca then read as
    // "list with 36 items"; each list takes its label's name.
    // A label's buddy is its list or the list's edit; Qt creates the edits and lists in the same
    // order: family, style, size.
    const QList<QLineEdit *> edits = m_fontPart->findChildren<QLineEdit *>();
    const QList<QListView *> lists = m_fontPart->findChildren<QListView *>();
    for (QLabel *label : m_fontPart->findChildren<QLabel *>()) {
        auto *list = qobject_cast<QListView *>(label->buddy());
        const qsizetype index = edits.indexOf(qobject_cast<QLineEdit *>(label->buddy()));
        if (!list && index >= 0 && index < lists.size())
            list = lists.at(index);
        if (list)
            list->setAccessibleName(withoutAmpersands(label->text()).remove(u':'));
    }

    auto *colourLabel = new QLabel(u"&Farbe:"_s, this);
    // The label names the box; its name is left to be its chosen colour, which Orca reads.
    colourLabel->setBuddy(m_colourBox);
    for (const FontColour &colour : kFontColours)
        m_colourBox->addItem(QString::fromUtf16(colour.name), colour.value);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(u"O&K"_s, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(u"&Abbrechen"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colourBox, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fontPart);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

void FontDialog::setDisplayFont(const DisplayFont &font)
{
    // The dialog lists real families only; a name the system substitutes, such as "Arial"
    // for Liberation Sans, is shown as the family actually used.
    QFont shown = font.font;
    shown.setFamily(QFontInfo(font.font).family());
    m_fontPart->setCurrentFont(shown);
    m_charSet = font.charSet;
    int index = m_colourBox->findData(font.color);
    if (index < 0) {
        // A colour stored by hand that the list does not hold stays choosable.
        m_colourBox->addItem(u"Benutzerdefiniert"_s, font.color);
        index = m_colourBox->count() - 1;
    }
    m_colourBox->setCurrentIndex(index);
    // The dialog opens on the font's name, its first choice, wherever the focus was last time.
    if (QListView *families = m_fontPart->findChild<QListView *>())
        families->setFocus();
}

DisplayFont FontDialog::displayFont() const
{
    DisplayFont font;
    font.font = m_fontPart->currentFont();
    font.color = m_colourBox->currentData().toUInt();
    font.charSet = m_charSet;
    return font;
}
