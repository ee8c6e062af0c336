#include "participants/classfilterdialog.h"

#include "participants/itemtexts.h"
#include "participants/participantlisting.h"

#include "ui/dialoggeometry.h"

#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

ClassFilterDialog::ClassFilterDialog(QWidget *mainWindow)
    : AdaptiveDialog(mainWindow, LookKinds{}, true)
{
    m_ui.list = new QListWidget(this);
    // A list has no label to name it; without a name Orca read only "list with 3 items".
    m_ui.list->setAccessibleName(u"Klassen"_s);
    m_ui.okButton = new QPushButton(u"O&K"_s, this);
    m_ui.cancelButton = new QPushButton(u"&Abbrechen"_s, this);
    m_ui.okButton->setDefault(true);
    connect(m_ui.okButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    setTabOrder(m_ui.list, m_ui.okButton);
    setTabOrder(m_ui.okButton, m_ui.cancelButton);
    setWindowTitle(u"Wählen Sie die anzuzeigende Klasse"_s);
    setClasses({});
}

void ClassFilterDialog::setClasses(const QStringList &classes)
{
    m_ui.list->clear();
    m_ui.list->addItem(u"(Alle)"_s);
    m_ui.list->addItems(classes);
}

int ClassFilterDialog::preselectedRow() const
{
    return int(qMax<qsizetype>(0, indexIgnoringCase(itemTexts(m_ui.list), preselectedClass)));
}

void ClassFilterDialog::layoutControls()
{
    const int entriesWidth = widestEntryWidth(m_ui.list);
    const ClassChooserGeometry g = layoutClassChooser(
        measureButtons({m_ui.okButton, m_ui.cancelButton}), entriesWidth, maxClientSize());
    m_ui.list->setGeometry(g.list);
    m_ui.list->setWordWrap(entriesWidth > g.list.width());
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void ClassFilterDialog::prepareToShow()
{
    layoutControls();
    m_ui.list->setCurrentRow(preselectedRow());
    m_ui.list->setFocus();
}
