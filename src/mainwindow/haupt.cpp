#include "mainwindow/haupt.h"

#include "mainwindow/fontchooser.h"
#include "mainwindow/hintergrundfarben.h"
#include "mainwindow/infolines.h"
#include "mainwindow/mainwindowgeometry.h"
#include "mainwindow/rkhintergrund.h"
#include "mainwindow/settingsstore.h"

#include "dialogs/editdlg.h"
#include "dialogs/klassendlg.h"
#include "dialogs/participantlisting.h"
#include "dialogs/tldlg.h"
#include "dialogs/tncreatedlg.h"

#include "desktop/announcefield.h"
#include "desktop/appearance.h"
#include "desktop/messages.h"
#include "desktop/rksound.h"
#include "desktop/screenreaderfront.h"
#include "records/atomicfile.h"
#include "records/datafolder.h"
#include "records/dates.h"
#include "records/error.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxFieldLength = 100;

const QKeySequence kForwardKey(Qt::CTRL | Qt::Key_Right);
const QKeySequence kBackKey(Qt::CTRL | Qt::Key_Left);
const QKeySequence kParticipantListKey(Qt::CTRL | Qt::Key_T);

// Shortcut names as a German desktop spells them.
QString germanShortcutText(const QKeySequence &sequence)
{
    QString text = sequence.toString(QKeySequence::PortableText);
    text.replace("Ctrl+"_L1, "Strg+"_L1);
    text.replace("Shift+"_L1, "Umschalt+"_L1);
    text.replace("+Right"_L1, "+Rechts"_L1);
    text.replace("+Left"_L1, "+Links"_L1);
    return text;
}

QString captionFor(const QString &name)
{
    return u"%1 - Tessaro V1.01"_s.arg(name);
}

} // namespace

TessaroPaths TessaroPaths::forThisUser()
{
    return {::programFolder(), ::documentsFolder(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/Tessaro.ini"_s};
}

TForm1::TForm1(const TessaroPaths &paths, QWidget *parent) : QMainWindow(parent), m_paths(paths)
{
    // FormCreate.
    HintergrundForm = new THintergrundForm(this, 10);
    HintergrundForm->setHintergrundNr(1);
    AktHintergrund() = HintergrundForm->HintergrundFarbe();
    FontDialog1 = new FontChooser(this);
    m_screenReader = std::make_unique<TScreenReaderFront>();
    m_screenReader->Load();
    createControls();
    createMenus();
    KlassenForm = new TKlassenForm(this);
    TlForm = new TTlForm(this, m_screenReader.get(), KlassenForm);
    TnCreateForm = new TTnCreateForm(this, m_screenReader.get());
    EditForm = new TEditForm(this, m_screenReader.get());
    CaptionZuweisen();
    Timer1.setSingleShot(true);
    Timer1.setInterval(25);
    connect(&Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });
    setDatFilename(QString());
    setStatusText(
        u"Vorw.: %1; Rückw.: %2; Teilnehmerliste: %3"_s.arg(germanShortcutText(kForwardKey),
            germanShortcutText(kBackKey), germanShortcutText(kParticipantListKey)));
    Edit1->setFocus();
}

TForm1::~TForm1()
{
    // FormDestroy: an empty data folder does not outlive the program.
    QDir().rmdir(m_file.dataFolder());
}

void TForm1::createControls()
{
    // The controls lie on one client widget; a font too large for the screen makes it scroll.
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    auto *client = new QWidget;
    m_scrollArea->setWidget(client);
    setCentralWidget(m_scrollArea);
    connect(qApp, &QApplication::focusChanged, this, [this, client](QWidget *, QWidget *now) {
        if (now && client->isAncestorOf(now))
            m_scrollArea->ensureWidgetVisible(now, kMargin, kMargin);
    });

    auto makeEdit = [client](int tag) {
        auto *edit = new QLineEdit(client);
        edit->setMaxLength(kMaxFieldLength);
        edit->setProperty("tag", tag);
        return edit;
    };
    Label1 = new QLabel(client);
    Edit1 = makeEdit(1);
    Label2 = new QLabel(client);
    Edit2 = makeEdit(2);
    Label4 = new QLabel(client);
    Edit4 = makeEdit(4);
    Label3 = new QLabel(client);
    Edit3 = makeEdit(3);
    Label5 = new QLabel(client);
    Edit5 = makeEdit(5);
    for (QLineEdit *edit : {Edit1, Edit2, Edit4})
        edit->setReadOnly(true);

    RadioGroup1 = new QGroupBox(client);
    auto *choices = new QVBoxLayout(RadioGroup1);
    m_presentChoices = new QButtonGroup(this);
    for (int index = 0; index < 2; ++index) {
        auto *choice = new QRadioButton(RadioGroup1);
        choices->addWidget(choice);
        m_presentChoices->addButton(choice, index);
    }

    LabelRe = new QLabel(client);
    RichEdit1 = new QTextEdit(client);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setTabChangesFocus(true);

    Button1 = new QPushButton(client);
    Button2 = new QPushButton(client);
    Button3 = new QPushButton(client);
    for (QPushButton *button : {Button1, Button2, Button3})
        button->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { guarded([this] { Button3Click(); }); });

    StatusPanel0 = new QLabel;
    StatusPanel1 = new QLabel;
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);

    // Tab order follows the fields from top to bottom.
    QWidget *order[] = {Edit1, Edit2, Edit4, Edit3, Edit5, m_presentChoices->button(0),
        m_presentChoices->button(1), RichEdit1, Button1, Button2, Button3};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    const std::pair<QLineEdit *, QLabel *> fields[]
        = {{Edit1, Label1}, {Edit2, Label2}, {Edit3, Label3}, {Edit4, Label4}, {Edit5, Label5}};
    for (const auto &[edit, label] : fields) {
        announceField(edit, label, m_screenReader.get());
        edit->installEventFilter(this);
    }
    announceGroup(RadioGroup1, m_screenReader.get());
    announceField(RichEdit1, LabelRe, m_screenReader.get());
    RichEdit1->installEventFilter(this);

    for (QLineEdit *edit : {Edit1, Edit2, Edit4}) {
        const int tag = edit->property("tag").toInt();
        connect(edit, &QLineEdit::returnPressed, this,
            [this, tag] { guarded([this, tag] { Edit1KeyPress(tag); }); });
    }
}

QAction *TForm1::addCommand(
    QMenu *menu, const QString &caption, const QKeySequence &shortcut, void (TForm1::*handler)())
{
    QAction *action = menu->addAction(caption);
    action->setShortcut(shortcut);
    if (!shortcut.isEmpty())
        m_shortcutActions.append(action);
    connect(action, &QAction::triggered, this,
        [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    return action;
}

void TForm1::createMenus()
{
    MenuDatei = menuBar()->addMenu(u"&Datei"_s);
    connect(MenuDatei, &QMenu::aboutToShow, this, &TForm1::MenuDateiClick);
    MenuDateiClose = addCommand(MenuDatei, u"S&chließen"_s, QKeySequence(Qt::CTRL | Qt::Key_F4),
        &TForm1::MenuDateiCloseClick);
    MenuDateiBeenden = addCommand(MenuDatei, u"&Beenden"_s, QKeySequence(Qt::ALT | Qt::Key_F4),
        &TForm1::MenuDateiBeendenClick);

    QMenu *bearbeiten = menuBar()->addMenu(u"&Bearbeiten"_s);
    MenuBearbUmbenennen = bearbeiten->addAction(u"Teilnehmer &umbenennen..."_s);
    MenuBearbAendern = bearbeiten->addAction(u"Klasse ändern..."_s);
    connect(MenuBearbUmbenennen, &QAction::triggered, this,
        [this] { guarded([this] { UmbenennenAendern(1); }); });
    connect(MenuBearbAendern, &QAction::triggered, this,
        [this] { guarded([this] { UmbenennenAendern(2); }); });
    MenuBearbKommentar = addCommand(
        bearbeiten, u"Kommentar ändern..."_s, QKeySequence(), &TForm1::MenuBearbKommentarClick);
    const std::pair<QAction **, QString> dateEntries[]
        = {{&MenuBearbHeute, u"Heutiges Datum einfügen"_s},
            {&MenuBearbGestern, u"Gestriges Datum einfügen"_s},
            {&MenuBearbMorgen, u"Morgiges Datum einfügen"_s}};
    PuEdit3Menu = new QMenu(this);
    QAction **popupEntries[] = {&PuEdit3Heute, &PuEdit3Gestern, &PuEdit3Morgen};
    for (int tag = 1; tag <= 3; ++tag) {
        const auto &[entry, caption] = dateEntries[tag - 1];
        *entry = bearbeiten->addAction(caption);
        *popupEntries[tag - 1] = PuEdit3Menu->addAction(caption);
        for (QAction *action : {*entry, *popupEntries[tag - 1]}) {
            connect(action, &QAction::triggered, this,
                [this, tag] { guarded([this, tag] { DatumEinfuegen(tag); }); });
        }
    }
    MenuAktTagLoeschen = addCommand(bearbeiten, u"Aktuellen Tag &löschen"_s,
        QKeySequence(Qt::Key_F9), &TForm1::MenuAktTagLoeschenClick);
    MenuAktTeilnehmerLoeschen = addCommand(bearbeiten, u"Aktuellen Teilnehmer löschen"_s,
        QKeySequence(), &TForm1::MenuAktTeilnehmerLoeschenClick);

    QMenu *aktionen = menuBar()->addMenu(u"A&ktionen"_s);
    MenuAktVor = addCommand(aktionen, u"&Vorwärts"_s, kForwardKey, &TForm1::Button1Click);
    MenuAktRueck = addCommand(aktionen, u"&Rückwärts"_s, kBackKey, &TForm1::Button2Click);
    MenuAktTeilnehmer = addCommand(
        aktionen, u"&Teilnehmerliste..."_s, kParticipantListKey, &TForm1::Button3Click);
    MenuAktNeuenTag = addCommand(aktionen, u"&Neuen Tag erstellen"_s,
        QKeySequence(Qt::CTRL | Qt::Key_N), &TForm1::MenuAktNeuenTagClick);
    MenuAktNeuenTeilnehmer = addCommand(aktionen, u"Neuen Teilnehmer &erstellen..."_s,
        QKeySequence(Qt::CTRL | Qt::Key_E), &TForm1::TeilnehmerErstellen);

    QMenu *ansicht = menuBar()->addMenu(u"&Ansicht"_s);
    MenuAnsSchrift
        = addCommand(ansicht, u"Schriftart..."_s, QKeySequence(), &TForm1::MenuAnsSchriftClick);
    MenuAnsHintergrund = addCommand(
        ansicht, u"Schrift&hintergrund..."_s, QKeySequence(), &TForm1::MenuAnsHintergrundClick);

    // The two folder entries hold one choice; AktOrdner sets their check marks.
    QMenu *einstellungen = menuBar()->addMenu(u"Einstellungen"_s);
    MenuEinstEigeneDateien
        = einstellungen->addAction(u"Datenspeicherung: &Eigene Dateien/Eigene Dokumente"_s);
    MenuEinstProgrammordner = einstellungen->addAction(u"Datenspeicherung: &Programmordner"_s);
    for (QAction *entry : {MenuEinstEigeneDateien, MenuEinstProgrammordner}) {
        entry->setCheckable(true);
        const int tag = entry == MenuEinstEigeneDateien ? 1 : 2;
        connect(entry, &QAction::triggered, this, [this, entry, tag] {
            entry->setChecked(!entry->isChecked());
            guarded([this, tag] { AktOrdner(tag, true); });
        });
    }

    PuEdit12Menu = new QMenu(this);
    PuEdit12Aendern = PuEdit12Menu->addAction(u"Ändern..."_s);
    connect(PuEdit12Aendern, &QAction::triggered, this, [this] {
        guarded([this] { UmbenennenAendern(PuEdit12Aendern->property("tag").toInt()); });
    });
    for (QLineEdit *owner : {Edit1, Edit2}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
            [this, owner](const QPoint &at) { PuEdit12MenuPopup(owner, at); });
    }
    PuEdit4Menu = new QMenu(this);
    PuEdit4Kommentar = PuEdit4Menu->addAction(u"Kommentar ändern..."_s);
    connect(PuEdit4Kommentar, &QAction::triggered, this,
        [this] { guarded([this] { MenuBearbKommentarClick(); }); });
    Edit4->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Edit4, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { PuEdit4Menu->exec(Edit4->mapToGlobal(at)); });

    Edit3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Edit3, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        UpdateMenus();
        PuEdit3Menu->exec(Edit3->mapToGlobal(at));
    });

    PuReMenu = new QMenu(this);
    PuReKopieren = PuReMenu->addAction(u"Kopieren"_s, RichEdit1, &QTextEdit::copy);
    PuReAusschneiden = PuReMenu->addAction(u"Ausschneiden"_s, RichEdit1, &QTextEdit::cut);
    PuReEinfuegen = PuReMenu->addAction(u"Einfügen"_s, RichEdit1, &QTextEdit::paste);
    PuReAllesMarkieren
        = PuReMenu->addAction(u"Alles &markieren"_s, RichEdit1, &QTextEdit::selectAll);
    PuReKopieren->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    PuReAusschneiden->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    PuReEinfuegen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    PuReAllesMarkieren->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        UpdateMenus();
        PuReMenu->exec(RichEdit1->viewport()->mapToGlobal(at));
    });
}

void TForm1::CaptionZuweisen()
{
    Label1->setText(u"Name:"_s);
    Label2->setText(u"Klasse:"_s);
    Label3->setText(u"Datum:"_s);
    Label4->setText(u"Kommentar:"_s);
    Label5->setText(u"Anmerkung:"_s);
    LabelRe->setText(u"Infos:"_s);
    RadioGroup1->setTitle(u"Anwesend"_s);
    m_presentChoices->button(0)->setText(u"&Nein"_s);
    m_presentChoices->button(1)->setText(u"&Ja"_s);
    setPresentIndex(kPresent);
    Button1->setText(u"Vorwärts"_s);
    Button2->setText(u"Rückwärts"_s);
    Button3->setText(u"Teilnehmerliste..."_s);
}

void TForm1::guarded(const std::function<void()> &command)
{
    runCommand(this, command);
}

// Field properties.

void TForm1::setFieldText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

QString TForm1::Teilnehmer() const
{
    return trimmedText(Edit1->text());
}

void TForm1::setTeilnehmer(const QString &value)
{
    setFieldText(Edit1, value);
    UpdateMenus();
}

QString TForm1::Klasse() const
{
    return trimmedText(Edit2->text());
}

void TForm1::setKlasse(const QString &value)
{
    setFieldText(Edit2, value);
}

QString TForm1::Datum() const
{
    return trimmedText(Edit3->text());
}

void TForm1::setDatum(const QString &value)
{
    setFieldText(Edit3, trimmedText(value));
}

QString TForm1::Kommentar() const
{
    return trimmedText(Edit4->text());
}

void TForm1::setKommentar(const QString &value)
{
    setFieldText(Edit4, value);
}

QString TForm1::Anmerkung() const
{
    return trimmedText(Edit5->text());
}

void TForm1::setAnmerkung(const QString &value)
{
    setFieldText(Edit5, value);
}

int TForm1::presentIndex() const
{
    return m_presentChoices->checkedId();
}

void TForm1::setPresentIndex(int index)
{
    m_presentChoices->button(index)->setChecked(true);
}

void TForm1::setStatusText(const QString &text)
{
    StatusPanel1->setText(text);
}

QString TForm1::dataFolder() const
{
    const DataFolderChoice choice = MenuEinstEigeneDateien->isChecked()
        ? DataFolderChoice::Documents
        : DataFolderChoice::ProgramFolder;
    return dataFolderPath(choice, m_paths.documentsFolder, m_paths.programFolder);
}

// Opening and showing.

void TForm1::setDatFilename(const QString &name)
{
    setKlasse(QString());
    setTeilnehmer(QString());
    setKommentar(QString());
    bool opened = false;
    try {
        opened = m_file.open(dataFolder(), name);
    } catch (const TessaroError &) {
        setWindowTitle(captionFor(u"KeinName"_s));
        setAktNummer(0);
        throw;
    }
    if (!opened) {
        setWindowTitle(captionFor(u"KeinName"_s));
        setAktNummer(FAktNummer);
        return;
    }
    setWindowTitle(captionFor(m_file.displayName()));
    setTeilnehmer(m_file.displayName());
    const Fields header = m_file.header();
    setKlasse(header.first);
    setKommentar(header.second);
    FAktNummer = 1;
    setAktNummer(1);
    Edit1->setFocus();
}

void TForm1::setAktNummer(int value)
{
    FAktNummer = value < 0 ? 0 : qMin(value, MaxNummer());
    StatusPanel0->setText(
        u"Nummer: %1/%2"_s.arg(TausenderPunkte(FAktNummer), TausenderPunkte(MaxNummer())));
    ZeigeNummer(FAktNummer);
    UpdateMenus();
}

ShownDay TForm1::shownValues() const
{
    return {Teilnehmer(), Klasse(), Kommentar(), Datum(), Anmerkung(), presentIndex(),
        RichEdit1->toPlainText()};
}

void TForm1::ZeigeNummer(int nr)
{
    m_file.clearSnapshot();
    setKommentar(Kommentar());
    setDatum(QString());
    setAnmerkung(QString());
    setPresentIndex(kPresent);
    RichEdit1->clear();
    if (nr == 0)
        return;
    const DayRecord day = m_file.readDay(nr);
    setDatum(day.datum);
    setAnmerkung(day.anmerkung);
    setPresentIndex(day.anwesend);
    if (!day.infos.isEmpty())
        RichEdit1->setPlainText(day.infos.join(u'\n'));
    m_file.setSnapshot(shownValues());
    RichEdit1->moveCursor(QTextCursor::Start);
}

void TForm1::Speichern(bool unbedingtS)
{
    m_file.store(shownValues(), displayLines(RichEdit1->document()), FAktNummer, unbedingtS);
}

void TForm1::UpdateMenus()
{
    const bool open = !Teilnehmer().isEmpty();
    const bool days = MaxNummer() > 0;

    const bool hasSelection = RichEdit1->textCursor().hasSelection();
    PuReAllesMarkieren->setEnabled(!RichEdit1->document()->isEmpty());
    PuReKopieren->setEnabled(hasSelection);
    PuReAusschneiden->setEnabled(hasSelection);
    PuReEinfuegen->setEnabled(
        !RichEdit1->isReadOnly() && !QApplication::clipboard()->text().isEmpty());

    Button1->setEnabled(FAktNummer < MaxNummer());
    MenuAktVor->setEnabled(Button1->isEnabled());
    Button2->setEnabled(FAktNummer > 1);
    MenuAktRueck->setEnabled(Button2->isEnabled());

    for (QAction *entry : {MenuAktNeuenTag, MenuAktTeilnehmerLoeschen, MenuBearbUmbenennen,
             MenuBearbAendern, MenuBearbKommentar, PuEdit12Aendern, PuEdit4Kommentar})
        entry->setEnabled(open);
    MenuAktTagLoeschen->setEnabled(days);
    Edit3->setReadOnly(!open);
    Edit5->setReadOnly(!open);
    RichEdit1->setReadOnly(!open);
    for (QAction *entry : {PuEdit3Heute, PuEdit3Gestern, PuEdit3Morgen, MenuBearbHeute,
             MenuBearbGestern, MenuBearbMorgen})
        entry->setEnabled(open);
    MenuDateiClick();
}

// Forward, back, new day, delete day, date insertion.

void TForm1::Button1Click()
{
    Speichern(false);
    setAktNummer(FAktNummer + 1);
    Edit3->setFocus();
}

void TForm1::Button2Click()
{
    Speichern(false);
    setAktNummer(FAktNummer - 1);
    Edit3->setFocus();
}

void TForm1::MenuAktNeuenTagClick()
{
    if (!Messages::question(this, u"Soll ein neuer Tag erstellt werden?"_s))
        return;
    Speichern(true);
    setDatum(TagStr(QDate::currentDate()));
    setAnmerkung(QString());
    setPresentIndex(kPresent);
    RichEdit1->clear();
    m_file.insertDay({Datum(), Anmerkung(), presentIndex(), displayLines(RichEdit1->document())});
    setAktNummer(1);
    Speichern(true);
    Edit3->setFocus();
}

void TForm1::MenuAktTagLoeschenClick()
{
    if (Messages::question(this,
            u"Soll der Tag \"%1\" vom Teilnehmer \"%2\" gelöscht werden?"_s.arg(
                Datum(), Teilnehmer())))
        TagLoeschen(FAktNummer);
}

void TForm1::TagLoeschen(int nummer)
{
    if (nummer > MaxNummer())
        return;
    Speichern(false);
    m_file.removeDay(nummer, Klasse());
    if (MaxNummer() > 0) {
        if (MaxNummer() < FAktNummer)
            FAktNummer = MaxNummer();
        setAktNummer(FAktNummer);
        Speichern(true);
        Edit3->setFocus();
        return;
    }
    QFile::remove(DatFilename());
    Messages::information(this,
        u"Keine weiteren Tage mehr vorhanden!\r\nDer Teilnehmer \"%1\" wurde gelöscht."_s.arg(
            Teilnehmer()));
    setDatFilename(QString());
    Edit1->setFocus();
}

void TForm1::DatumEinfuegen(int tag)
{
    const QDate date = QDate::currentDate().addDays(tag == 2 ? -1 : tag == 3 ? 1 : 0);
    const QString text = TagStr(date);
    if (!Messages::question(
            this, u"Soll der Text \"%1\" in das Datum-Eingabefeld eingefügt werden?"_s.arg(text)))
        return;
    Edit3->setFocus();
    setDatum(text);
}

void TForm1::Edit1KeyPress(int tag)
{
    if (tag == 1)
        Button3->click();
    else if (Teilnehmer().isEmpty())
        PlayBeep();
    else if (tag == 2)
        UmbenennenAendern(2);
    else
        MenuBearbKommentarClick();
}

// The File menu.

void TForm1::MenuDateiClick()
{
    MenuDateiClose->setEnabled(m_file.isOpen());
}

void TForm1::MenuDateiCloseClick()
{
    Speichern(false);
    Edit1->setFocus();
    setDatFilename(QString());
}

void TForm1::MenuDateiBeendenClick()
{
    close();
}

// The data folder.

void TForm1::AktOrdner(int nr, bool meldungS)
{
    QAction *entry = nr == 1 ? MenuEinstEigeneDateien : MenuEinstProgrammordner;
    if (entry->isChecked())
        return;
    if (meldungS) {
        if (!Teilnehmer().isEmpty()
            && !Messages::question(this,
                u"Wenn der aktuelle Datenordner gewechselt werden soll, muss der geöffnete "
                "Teilnehmer geschlossen werden.\r\nSoll der aktuelle Teilnehmer jetzt "
                "geschlossen und der Ordner gewechselt werden?"_s))
            return;
        QDir().rmdir(m_file.dataFolder());
    }
    MenuEinstEigeneDateien->setChecked(nr == 1);
    MenuEinstProgrammordner->setChecked(nr != 1);
    if (meldungS) {
        Speichern(false);
        Edit1->setFocus();
        setDatFilename(QString());
        Timer1Timer();
    }
}

void TForm1::Timer1Timer()
{
    Timer1.stop();
    const QString folder = m_file.dataFolder();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        Messages::information(this, u"Der Ordner \"%1\" kann nicht angelegt werden!"_s.arg(folder));
        return;
    }
    Button3Click();
}

// Participants.

void TForm1::Button3Click()
{
    Speichern(false);
    if (!TlForm->DateienEinlesen(DatFilename())) {
        if (Messages::question(this,
                u"Es sind keine Teilnehmer-Dateien vorhanden!\r\nMöchten "
                "Sie jetzt einen Teilnehmer anlegen?"_s))
            TeilnehmerErstellen();
        return;
    }
    TlForm->SchriftartZuweisen();
    TlForm->setKlasse(SortierKlasse);
    TlForm->DatFilename = DatFilename();
    // Whatever the result, the filter is remembered and the list left unfiltered.
    const auto rememberFilter = qScopeGuard([this] {
        SortierKlasse = TlForm->Klasse();
        TlForm->setKlasse(QString());
    });
    if (TlForm->exec() != mrOk)
        return;
    Speichern(false);
    setDatFilename(TlForm->ListBox1->currentItem()->text());
}

QString TForm1::openParticipantName() const
{
    return m_file.isOpen() ? participantName(DatFilename()) : QString();
}

void TForm1::TeilnehmerErstellen()
{
    TnCreateForm->SchriftartZuweisen();
    TnCreateForm->DatFilename = DatFilename();
    TnCreateForm->Edit2->setText(SortierKlasse);
    TnCreateForm->Edit3->setText(QString());
    const int result = TnCreateForm->exec();
    if (result == mrRetry) {
        Speichern(false);
        setDatFilename(trimmedText(TnCreateForm->Edit1->text()));
        return;
    }
    if (result != mrOk)
        return;
    Speichern(false);
    const QString name = trimmedText(TnCreateForm->Edit1->text());
    // The new file is built apart from the open participant's lines, so that a failed write
    // can never reach that participant's file; it takes the encoding read last.
    LineList newFile;
    newFile.setEncoding(m_file.datSl().encoding());
    newFile.setLines(
        {trimmedText(TnCreateForm->Edit2->text()) + u'|' + trimmedText(TnCreateForm->Edit3->text()),
            TagStr(QDate::currentDate()), kSeparatorLine});
    const QString path = m_file.dataFolder() + name + u".dat"_s;
    makeWritableByOwner(path);
    newFile.saveToFile(path);
    Messages::information(
        this, u"Der Teilnehmer \"%1\" wurde angelegt und aufgerufen!"_s.arg(name));
    setDatFilename(name);
}

void TForm1::UmbenennenAendern(int editTag)
{
    EditForm->SchriftartZuweisen();
    EditForm->NullS = false;
    EditForm->Nr = editTag;
    EditForm->Edit1->setText(editTag == 1 ? Teilnehmer() : Klasse());
    while (EditForm->exec() == mrOk) {
        const QString input = trimmedText(EditForm->Edit1->text());
        if (editTag != 1) {
            setKlasse(input);
            Edit2->setFocus();
            Messages::information(this, u"Die Klasse wurde in \"%1\" geändert!"_s.arg(Klasse()));
            return;
        }
        Speichern(false);
        if (input == Teilnehmer()) {
            Messages::information(this, u"Der Teilnehmer ist identisch mit \"%1\"!"_s.arg(input));
            continue;
        }
        const QString oldPath = DatFilename();
        if (!moveFileNoReplace(oldPath, m_file.dataFolder() + input + u".dat"_s)) {
            Messages::information(
                this, u"Die Datei \"%1\" konnte nicht umbenannt werden!"_s.arg(oldPath));
            continue;
        }
        Messages::information(
            this, u"Der Teilnehmer \"%1\" wurde in \"%2\" geändert!"_s.arg(Teilnehmer(), input));
        const int day = FAktNummer;
        setDatFilename(input);
        setAktNummer(day);
        return;
    }
}

void TForm1::PuEdit12MenuPopup(QLineEdit *owner, const QPoint &at)
{
    UpdateMenus();
    // The entry acts on the focused one of the two fields, else on the field it belongs to.
    QWidget *focused = focusWidget();
    const QLineEdit *target
        = focused == Edit1 || focused == Edit2 ? static_cast<QLineEdit *>(focused) : owner;
    const int tag = target->property("tag").toInt();
    PuEdit12Aendern->setProperty("tag", tag);
    PuEdit12Aendern->setText(tag == 1 ? u"Teilnehmer &umbenennen..."_s : u"Klasse ändern..."_s);
    PuEdit12Menu->exec(owner->mapToGlobal(at));
}

void TForm1::MenuBearbKommentarClick()
{
    EditForm->SchriftartZuweisen();
    EditForm->NullS = true;
    EditForm->Nr = 4;
    EditForm->Edit1->setText(Kommentar());
    if (EditForm->exec() != mrOk)
        return;
    setKommentar(trimmedText(EditForm->Edit1->text()));
    Edit4->setFocus();
    Messages::information(this, u"Der Kommentar wurde in \"%1\" geändert!"_s.arg(Kommentar()));
}

void TForm1::MenuAktTeilnehmerLoeschenClick()
{
    // The participant is named as its file names it, so that a name with a dot ("A.B") is
    // asked about and deleted as itself.
    const QString name = openParticipantName();
    if (!Messages::question(this, u"Soll der Teilnehmer \"%1\" gelöscht werden?"_s.arg(name)))
        return;
    if (!Messages::question(
            this, u"Soll der Teilnehmer \"%1\" wirklich vollständig gelöscht werden?"_s.arg(name)))
        return;
    TeilnehmerLoeschen(name);
}

bool TForm1::TeilnehmerLoeschen(const QString &tName)
{
    const QString path = m_file.dataFolder() + tName + u".dat"_s;
    if (tName == openParticipantName()) {
        setDatFilename(QString());
        Edit1->setFocus();
    }
    if (!QFile::remove(path))
        return false;
    Messages::information(this, u"Der Teilnehmer \"%1\" wurde gelöscht!"_s.arg(tName));
    return true;
}

// Start-up, shut-down, settings.

void TForm1::RegistryLadenSpeichern(bool ladenS)
{
    SettingsStore store(m_paths.settingsFile);
    TessaroFont &font = AktSchrift();
    if (ladenS) {
        if (!store.isReadable())
            return;
        const std::optional<qint32> folder = store.readInteger(u"AktOrdner"_s);
        // Without a stored choice the program folder is used where the user may write to it.
        const bool programFolderWritable = QFileInfo(m_paths.programFolder).isWritable();
        AktOrdner(folder.value_or(programFolderWritable ? 2 : 1), false);
        setDatFilename(store.readString(u"Teilnehmer"_s).value_or(QString()));
        const QString name = store.readString(u"FontName"_s).value_or(QString());
        font.font.setFamily(name.isEmpty() ? u"Arial"_s : name);
        font.font.setPointSize(store.readInteger(u"FontSize"_s).value_or(12));
        font.color = quint32(store.readInteger(u"FontColor"_s).value_or(qint32(kWindowTextColor)));
        font.charSet = store.readInteger(u"FontCharSet"_s).value_or(0) & 0xFF;
        applyStyleBits(font.font, 0);
        if (const std::optional<qint32> style = store.readInteger(u"FontStyle"_s);
            style && *style != -1)
            applyStyleBits(font.font, *style);
        setHintergrundNr(store.readInteger(u"HintColor"_s).value_or(1));
        return;
    }
    store.writeInteger(u"AktOrdner"_s, MenuEinstProgrammordner->isChecked() ? 2 : 1);
    store.writeString(u"Teilnehmer"_s, Teilnehmer());
    store.writeInteger(u"HintColor"_s, HintergrundNr());
    store.writeString(u"FontName"_s, font.font.family());
    store.writeInteger(u"FontSize"_s, font.font.pointSize());
    store.writeInteger(u"FontColor"_s, qint32(font.color));
    store.writeInteger(u"FontCharSet"_s, font.charSet);
    store.writeInteger(u"FontStyle"_s, styleBits(font.font));
    store.save();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    fitToWorkArea();
    if (m_shownOnce)
        return;
    // FormShow: the settings, then the folder check 25 ms later. A bad setting stops both.
    m_shownOnce = true;
    if (runCommand(this, [this] { RegistryLadenSpeichern(true); }))
        Timer1.start();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // FormClose: a day that cannot be stored keeps the window open.
    if (!runCommand(this, [this] { Speichern(false); })) {
        event->ignore();
        return;
    }
    // Settings that cannot be saved are reported, but must not keep the user from quitting.
    runCommand(this, [this] { RegistryLadenSpeichern(false); });
    m_isClosing = true;
    event->accept();
}

void TForm1::SetActiveControl()
{
    if (MerkActiveControl && MerkActiveControl->isVisible() && MerkActiveControl->isEnabled())
        MerkActiveControl->setFocus();
}

// Layout.

int TForm1::HintergrundNr() const
{
    return HintergrundForm->HintergrundNr();
}

void TForm1::setHintergrundNr(int number)
{
    HintergrundForm->setHintergrundNr(number);
    AktHintergrund() = HintergrundForm->HintergrundFarbe();
    SchriftartZuweisen();
}

void TForm1::MenuAnsSchriftClick()
{
    MerkActiveControl = QApplication::focusWidget();
    // Confirmed, cancelled or failed: the focus returns to where it was.
    const auto restoreFocus = qScopeGuard([this] { SetActiveControl(); });
    FontDialog1->setTessaroFont(AktSchrift());
    if (FontDialog1->exec() != QDialog::Accepted)
        return;
    AktSchrift() = FontDialog1->tessaroFont();
    setHintergrundNr(HintergrundNr());
    RegistryLadenSpeichern(false);
}

void TForm1::MenuAnsHintergrundClick()
{
    HintergrundForm->SchriftartZuweisen(AktSchrift(), hintergrundFarbe(HintergrundNr()));
    HintergrundForm->setHintergrundNr(HintergrundNr());
    if (HintergrundForm->exec() != mrOk)
        return;
    setHintergrundNr(HintergrundForm->HintergrundNr());
    RegistryLadenSpeichern(false);
}

void TForm1::SchriftartZuweisen()
{
    const TessaroFont &font = AktSchrift();
    const QColor background = AktHintergrund();
    for (QWidget *control : std::initializer_list<QWidget *>{Label1, Label2, Label3, Label4, Label5,
             LabelRe, Edit1, Edit2, Edit3, Edit4, Edit5, RadioGroup1, RichEdit1, statusBar()})
        applyTextControlLook(control, font, background);
    for (QAbstractButton *choice : m_presentChoices->buttons())
        applyTextControlLook(choice, font, background);
    for (QWidget *button : std::initializer_list<QWidget *>{Button1, Button2, Button3})
        applyButtonLook(button, font);
    SchalterEinrichten();
}

void TForm1::SchalterEinrichten()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    const QFont &font = AktSchrift().font;
    MainWindowMeasures measures;
    measures.client = QSize(m_scrollArea->width(), m_scrollArea->height() + statusBar()->height());
    measures.lineHeight = ZeilenHoehe(font);
    measures.buttonHeight = ZeilenHoehe(Button1->font(), ControlKind::Button);
    measures.statusBarHeight = ZeilenHoehe(statusBar()->font(), ControlKind::StatusBar);
    const QLabel *labels[] = {Label1, Label2, Label3, Label4, Label5, LabelRe};
    for (size_t i = 0; i < std::size(labels); ++i)
        measures.labels[i] = labels[i]->sizeHint();
    measures.editHeight = Edit1->sizeHint().height();

    const MainWindowGeometry g = layoutMainWindow(measures);
    QLabel *labelControls[] = {Label1, Label2, Label3, Label4, Label5, LabelRe};
    for (size_t i = 0; i < std::size(labelControls); ++i)
        labelControls[i]->setGeometry(g.labels[i]);
    QLineEdit *edits[] = {Edit1, Edit2, Edit3, Edit4, Edit5};
    for (size_t i = 0; i < std::size(edits); ++i)
        edits[i]->setGeometry(g.edits[i]);
    RadioGroup1->setGeometry(g.radioGroup);
    RichEdit1->setGeometry(g.richEdit);
    Button1->setGeometry(g.button1);
    Button2->setGeometry(g.button2);
    Button3->setGeometry(g.button3);
    m_scrollArea->widget()->resize(g.content);
    statusBar()->setFixedHeight(g.statusBarHeight);
    StatusPanel0->setFixedWidth(g.statusPanel0Width);
    m_layingOut = false;
}

void TForm1::FensterEinrichten()
{
    fitToWorkArea();
}

void TForm1::fitToWorkArea()
{
    // The window fills the work area: maximised, the window manager sizes it frame included.
    if (!isMinimized() && !isMaximized())
        setWindowState((windowState() & ~Qt::WindowFullScreen) | Qt::WindowMaximized);
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Any attempt to give the window another size ends in the work area's size again.
    if (event->type() == QEvent::WindowStateChange && isVisible() && !m_isClosing)
        QTimer::singleShot(0, this, &TForm1::fitToWorkArea);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_isClosing || !isVisible())
        return;
    SchriftartZuweisen();
    FensterEinrichten();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // The window's shortcuts act whichever field has the focus, as menu shortcuts do; an edit
    // must not keep Ctrl+Right or Ctrl+Left for word movement.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *action : std::as_const(m_shortcutActions)) {
            if (action->shortcut() == pressed)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
