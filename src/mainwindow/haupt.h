#ifndef TESSARO_MAINWINDOW_HAUPT_H
#define TESSARO_MAINWINDOW_HAUPT_H

#include "records/participantfile.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTextEdit;
class FontChooser;
class TEditForm;
class THintergrundForm;
class TKlassenForm;
class TTlForm;
class TTnCreateForm;
class TScreenReaderFront;

// Where the program finds its folders and its settings file. Tests give their own.
struct TessaroPaths
{
    QString programFolder; // ends in "/"
    QString documentsFolder; // ends in "/"; empty when none is known
    QString settingsFile;

    static TessaroPaths forThisUser();
};

// The main window: one day of one participant at a time.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(const TessaroPaths &paths, QWidget *parent = nullptr);
    ~TForm1() override;

    // The field properties: reading gives the trimmed text.
    QString Teilnehmer() const;
    void setTeilnehmer(const QString &value);
    QString Klasse() const;
    void setKlasse(const QString &value);
    QString Datum() const;
    void setDatum(const QString &value);
    QString Kommentar() const;
    void setKommentar(const QString &value);
    QString Anmerkung() const;
    void setAnmerkung(const QString &value);

    // The open file's path, or the data folder while none is open. Writing a participant's
    // name opens it; writing the empty text closes. Writing never stores the shown day.
    QString DatFilename() const { return m_file.datFilename(); }
    void setDatFilename(const QString &name);
    int MaxNummer() const { return m_file.isOpen() ? m_file.maxNummer() : 0; }
    int AktNummer() const { return FAktNummer; }
    void setAktNummer(int value);
    void setStatusText(const QString &text);
    bool IsClosing() const { return m_isClosing; }

    void ZeigeNummer(int nr);
    // Stores the shown day when it changed or when unbedingtS is true. Raises TessaroError
    // when the file cannot be written.
    void Speichern(bool unbedingtS);
    void UpdateMenus();
    void TagLoeschen(int nummer);
    void DatumEinfuegen(int tag);
    void AktOrdner(int nr, bool meldungS);
    void Button3Click();
    void TeilnehmerErstellen();
    void UmbenennenAendern(int editTag);
    void MenuBearbKommentarClick();
    void MenuAktTeilnehmerLoeschenClick();
    bool TeilnehmerLoeschen(const QString &tName);
    void RegistryLadenSpeichern(bool ladenS);
    void SetActiveControl();

    // The background colour's number in the colour table; writing it renews the window.
    int HintergrundNr() const;
    void setHintergrundNr(int number);

    // The data folder the setting chooses, ending in "/".
    QString dataFolder() const;

    // Controls, named as the program's design names them.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *LabelRe = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QGroupBox *RadioGroup1 = nullptr;
    QTextEdit *RichEdit1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QLabel *StatusPanel0 = nullptr;
    QLabel *StatusPanel1 = nullptr;
    QTimer Timer1;
    THintergrundForm *HintergrundForm = nullptr;
    TKlassenForm *KlassenForm = nullptr;
    TTlForm *TlForm = nullptr;
    TTnCreateForm *TnCreateForm = nullptr;
    TEditForm *EditForm = nullptr;
    FontChooser *FontDialog1 = nullptr;

    QMenu *MenuDatei = nullptr;
    QAction *MenuDateiClose = nullptr;
    QAction *MenuDateiBeenden = nullptr;
    QAction *MenuBearbUmbenennen = nullptr;
    QAction *MenuBearbAendern = nullptr;
    QAction *MenuBearbKommentar = nullptr;
    QAction *MenuAktTeilnehmerLoeschen = nullptr;
    QAction *MenuAktTeilnehmer = nullptr;
    QAction *MenuAktNeuenTeilnehmer = nullptr;
    QAction *MenuBearbHeute = nullptr;
    QAction *MenuBearbGestern = nullptr;
    QAction *MenuBearbMorgen = nullptr;
    QAction *MenuAktTagLoeschen = nullptr;
    QAction *MenuAktVor = nullptr;
    QAction *MenuAktRueck = nullptr;
    QAction *MenuAktNeuenTag = nullptr;
    QAction *MenuAnsSchrift = nullptr;
    QAction *MenuAnsHintergrund = nullptr;
    QAction *MenuEinstEigeneDateien = nullptr;
    QAction *MenuEinstProgrammordner = nullptr;
    QMenu *PuEdit3Menu = nullptr;
    QAction *PuEdit3Heute = nullptr;
    QAction *PuEdit3Gestern = nullptr;
    QAction *PuEdit3Morgen = nullptr;
    QMenu *PuEdit12Menu = nullptr;
    QAction *PuEdit12Aendern = nullptr;
    QMenu *PuEdit4Menu = nullptr;
    QAction *PuEdit4Kommentar = nullptr;
    QMenu *PuReMenu = nullptr;
    QAction *PuReKopieren = nullptr;
    QAction *PuReAusschneiden = nullptr;
    QAction *PuReEinfuegen = nullptr;
    QAction *PuReAllesMarkieren = nullptr;

    // The class filter of the participant list, remembered between its showings and proposed
    // for a new participant.
    QString SortierKlasse;

    // The present choice: 0 "&Nein", 1 "&Ja".
    int presentIndex() const;
    void setPresentIndex(int index);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void CaptionZuweisen();
    void SchriftartZuweisen();
    void SchalterEinrichten();
    void FensterEinrichten();
    void fitToWorkArea();

    ShownDay shownValues() const;
    void setFieldText(QLineEdit *edit, const QString &text);
    QAction *addCommand(QMenu *menu, const QString &caption, const QKeySequence &shortcut,
        void (TForm1::*handler)());
    void guarded(const std::function<void()> &command);

    void Button1Click();
    void Button2Click();
    void MenuAktNeuenTagClick();
    void MenuAktTagLoeschenClick();
    void MenuDateiClick();
    void MenuDateiCloseClick();
    void MenuDateiBeendenClick();
    void Edit1KeyPress(int tag);
    void MenuAnsSchriftClick();
    void MenuAnsHintergrundClick();
    void Timer1Timer();
    void PuEdit12MenuPopup(QLineEdit *owner, const QPoint &at);
    // The name the open participant's file gives: "A.B" for A.B.dat, empty when none is open.
    QString openParticipantName() const;

    TessaroPaths m_paths;
    ParticipantFile m_file;
    int FAktNummer = 0;
    bool m_isClosing = false;
    bool m_shownOnce = false;
    bool m_layingOut = false;
    QPointer<QWidget> MerkActiveControl;
    QScrollArea *m_scrollArea = nullptr;
    // The menu commands with a shortcut; they act whichever field has the focus.
    QList<QAction *> m_shortcutActions;
    QButtonGroup *m_presentChoices = nullptr;
    std::unique_ptr<TScreenReaderFront> m_screenReader;
};

#endif
