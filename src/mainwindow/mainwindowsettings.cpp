#include "mainwindow/mainwindow.h"

#include "mainwindow/mainwindowgeometry.h"
#include "mainwindow/settingsstore.h"
#include "records/dates.h"
#include "ui/appearance.h"
#include "ui/backgroundcolourdialog.h"
#include "ui/backgroundcolours.h"
#include "ui/fontdialog.h"
#include "ui/messages.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The stored numbers of the data folder setting "AktOrdner".
constexpr qint32 kDocumentsFolderSetting = 1;
constexpr qint32 kProgramFolderSetting = 2;

} // namespace

void MainWindow::loadSettings()
{
    const SettingsStore store(m_paths.settingsFile);
    if (!store.isReadable())
        return;
    // The values are read in this order, so that a bad value stops the loading where it stands.
    const std::optional<qint32> folder = store.readInteger(u"AktOrdner"_s);
    // Without a stored choice the program folder is used where the user may write to it, unless
    // an update or uninstall of an installed copy would replace it.
    const bool programFolderKeepsData
        = QFileInfo(m_paths.programFolder).isWritable() && !isInstalledCopy(m_paths.programFolder);
    const int folderNumber
        = folder.value_or(programFolderKeepsData ? kProgramFolderSetting : kDocumentsFolderSetting);
    selectDataFolder(folderNumber == kDocumentsFolderSetting ? DataFolderChoice::Documents
                                                             : DataFolderChoice::ProgramFolder,
        false);
    DisplayFont &font = currentFont();
    openParticipant(store.readString(u"Teilnehmer"_s).value_or(QString()));
    const QString name = store.readString(u"FontName"_s).value_or(QString());
    font.font.setFamily(name.isEmpty() ? u"Arial"_s : name);
    font.font.setPointSize(store.readInteger(u"FontSize"_s).value_or(12));
    font.color = quint32(store.readInteger(u"FontColor"_s).value_or(qint32(kWindowTextColor)));
    font.charSet = store.readInteger(u"FontCharSet"_s).value_or(0) & 0xFF;
    applyStyleBits(font.font, 0);
    if (const std::optional<qint32> style = store.readInteger(u"FontStyle"_s);
        style && *style != -1)
        applyStyleBits(font.font, *style);
    setBackgroundNumber(store.readInteger(u"HintColor"_s).value_or(1));
}

void MainWindow::saveSettings()
{
    SettingsStore store(m_paths.settingsFile);
    const DisplayFont &font = currentFont();
    store.writeInteger(u"AktOrdner"_s,
        m_ui.programFolderAction->isChecked() ? kProgramFolderSetting : kDocumentsFolderSetting);
    store.writeString(u"Teilnehmer"_s, participant());
    store.writeInteger(u"HintColor"_s, backgroundNumber());
    store.writeString(u"FontName"_s, font.font.family());
    store.writeInteger(u"FontSize"_s, font.font.pointSize());
    store.writeInteger(u"FontColor"_s, qint32(font.color));
    store.writeInteger(u"FontCharSet"_s, font.charSet);
    store.writeInteger(u"FontStyle"_s, styleBits(font.font));
    store.save();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    fitToWorkArea();
    if (m_shownOnce)
        return;
    // At the first showing: the settings, then the folder check 25 ms later. A bad setting stops
    // both.
    m_shownOnce = true;
    if (runCommand(this, [this] { loadSettings(); }))
        m_ui.folderCheckTimer->start();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A day that cannot be stored keeps the window open.
    if (!runCommand(this, [this] { storeShownDay(); })) {
        event->ignore();
        return;
    }
    // Settings that cannot be saved are reported, but must not keep the user from quitting.
    runCommand(this, [this] { saveSettings(); });
    m_isClosing = true;
    event->accept();
}

void MainWindow::quit()
{
    close();
}

QScopeGuard<std::function<void()>> MainWindow::keepFocus()
{
    m_rememberedFocus = QApplication::focusWidget();
    return qScopeGuard(std::function<void()>([this] { restoreRememberedFocus(); }));
}

void MainWindow::restoreRememberedFocus()
{
    if (m_rememberedFocus && m_rememberedFocus->isVisible() && m_rememberedFocus->isEnabled())
        m_rememberedFocus->setFocus();
}

int MainWindow::backgroundNumber() const
{
    return m_ui.backgroundDialog->colourNumber();
}

void MainWindow::setBackgroundNumber(int number)
{
    m_ui.backgroundDialog->setColourNumber(number);
    currentBackground() = m_ui.backgroundDialog->colour();
    applyAppearance();
}

void MainWindow::chooseFont()
{
    // Confirmed, cancelled or failed: the focus returns to where it was.
    const auto restoreFocus = keepFocus();
    m_ui.fontDialog->setDisplayFont(currentFont());
    if (m_ui.fontDialog->exec() != QDialog::Accepted)
        return;
    currentFont() = m_ui.fontDialog->displayFont();
    setBackgroundNumber(backgroundNumber());
    saveSettings();
}

void MainWindow::chooseBackground()
{
    m_ui.backgroundDialog->applyAppearance(currentFont(), backgroundColour(backgroundNumber()));
    m_ui.backgroundDialog->setColourNumber(backgroundNumber());
    if (m_ui.backgroundDialog->exec() != QDialog::Accepted)
        return;
    setBackgroundNumber(m_ui.backgroundDialog->colourNumber());
    saveSettings();
}

void MainWindow::applyAppearance()
{
    const DisplayFont &font = currentFont();
    const QColor background = currentBackground();
    for (QWidget *control : std::initializer_list<QWidget *>{m_ui.nameLabel, m_ui.classLabel,
             m_ui.dateLabel, m_ui.commentLabel, m_ui.remarkLabel, m_ui.infoLabel, m_ui.nameEdit,
             m_ui.classEdit, m_ui.dateEdit, m_ui.commentEdit, m_ui.remarkEdit, m_ui.presentGroup,
             m_ui.infoEdit, statusBar()})
        applyTextControlLook(control, font, background);
    for (QAbstractButton *choice : m_presentChoices->buttons())
        applyTextControlLook(choice, font, background);
    for (QWidget *button : std::initializer_list<QWidget *>{
             m_ui.nextDayButton, m_ui.previousDayButton, m_ui.participantListButton})
        applyButtonLook(button, font);
    layoutControls();
}

void MainWindow::layoutControls()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    const QFont &font = currentFont().font;
    MainWindowMeasures measures;
    measures.client = QSize(m_scrollArea->width(), m_scrollArea->height() + statusBar()->height());
    measures.lineHeight = textLineHeight(font);
    measures.buttonHeight = textLineHeight(m_ui.nextDayButton->font(), ControlKind::Button);
    measures.statusBarHeight = textLineHeight(statusBar()->font(), ControlKind::StatusBar);
    const QLabel *labels[] = {m_ui.nameLabel, m_ui.classLabel, m_ui.dateLabel, m_ui.commentLabel,
        m_ui.remarkLabel, m_ui.infoLabel};
    for (size_t i = 0; i < std::size(labels); ++i)
        measures.labels[i] = labels[i]->sizeHint();
    measures.editHeight = m_ui.nameEdit->sizeHint().height();
    measures.buttonCaptions = {m_ui.nextDayButton->sizeHint().width(),
        m_ui.previousDayButton->sizeHint().width(), m_ui.participantListButton->sizeHint().width()};
    // Room for the widest number of the open participant, so that the panel keeps its width
    // from day to day.
    const QString widestNumber = withThousandsDots(dayCount());
    const QLabel *panel = m_ui.dayNumberPanel;
    const int labelMargins
        = panel->sizeHint().width() - panel->fontMetrics().horizontalAdvance(panel->text());
    measures.dayNumberText
        = panel->fontMetrics().horizontalAdvance(u"Nummer: %1/%1"_s.arg(widestNumber))
        + labelMargins + statusBar()->layout()->spacing();
    measures.hintHeightForWidth = [this](int width) {
        return m_ui.hintPanel->heightForWidth(width);
    };
    m_laidOutDayCount = dayCount();

    MainWindowGeometry g = layoutMainWindow(measures);
    // Controls too high for the window make it scroll: then the vertical scroll bar takes its
    // width from the controls, so that no horizontal one is needed as well.
    if (g.content.height() > m_scrollArea->height()) {
        measures.client.rwidth() -= style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        g = layoutMainWindow(measures);
    }
    QLabel *labelControls[] = {m_ui.nameLabel, m_ui.classLabel, m_ui.dateLabel, m_ui.commentLabel,
        m_ui.remarkLabel, m_ui.infoLabel};
    for (size_t i = 0; i < std::size(labelControls); ++i)
        labelControls[i]->setGeometry(g.labels[i]);
    QLineEdit *edits[]
        = {m_ui.nameEdit, m_ui.classEdit, m_ui.dateEdit, m_ui.commentEdit, m_ui.remarkEdit};
    for (size_t i = 0; i < std::size(edits); ++i)
        edits[i]->setGeometry(g.edits[i]);
    m_ui.presentGroup->setGeometry(g.presentGroup);
    m_ui.infoEdit->setGeometry(g.infoEdit);
    m_ui.nextDayButton->setGeometry(g.nextDayButton);
    m_ui.previousDayButton->setGeometry(g.previousDayButton);
    m_ui.participantListButton->setGeometry(g.participantListButton);
    m_scrollArea->widget()->resize(g.content);
    statusBar()->setFixedHeight(g.statusBarHeight);
    m_ui.dayNumberPanel->setFixedWidth(g.dayNumberPanelWidth);
    m_layingOut = false;
}

void MainWindow::fitToWorkArea()
{
    // The window fills the work area: maximised, the window manager sizes it frame included.
    if (!isMinimized() && !isMaximized())
        setWindowState((windowState() & ~Qt::WindowFullScreen) | Qt::WindowMaximized);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Any attempt to give the window another size ends in the work area's size again.
    if (event->type() == QEvent::WindowStateChange && isVisible() && !m_isClosing)
        QTimer::singleShot(0, this, &MainWindow::fitToWorkArea);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_isClosing || !isVisible())
        return;
    applyAppearance();
    fitToWorkArea();
}
