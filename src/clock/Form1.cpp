#include "clock/Form1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>

#include "Accessibility.h"
#include "DataFolder.h"
#include "HelpWindow.h"
#include "SettingsStore.h"
#include "StartWithDesktop.h"
#include "Twips.h"
#include "WindowFrame.h"
#include "clock/ClockFont.h"
#include "clock/ClockSettingsPanel.h"
#include "clock/ClockWindowAccess.h"
#include "clock/ClockSizes.h"
#include "clock/ClockTick.h"
#include "clock/ClockWindowStyle.h"
#include "clock/ReminderList.h"
#include "clock/SecondTimer.h"
#include "clock/PictureBox.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "platform/IPopUpMenus.h"
#include "sound/Alarm.h"
#include "sound/Chime.h"
#include "sound/SoundProcedures.h"
#include "scheduler/Form2.h"
#include "viewer/FolderTree.h"
#include "viewer/ImageList.h"
#include "viewer/PictureViewer.h"
#include "viewer/SlideShow.h"
#include "scheduler/ObsoleteCleanup.h"
#include "scheduler/ReminderCheck.h"

namespace {

template <class W>
W* control(QWidget* parent, const char* name, double left, double top, double width, double height,
           const QString& caption = QString(), const QString& toolTip = QString()) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    twips::place(widget, left, top, width, height);
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_same_v<W, QLabel>) {
        if (!caption.isEmpty()) widget->setText(caption);
    }
    if (!toolTip.isEmpty()) widget->setToolTip(toolTip);
    return widget;
}

// The designed clock face: a deep blue field that the digits stand out on.
QImage clockFacePicture(const QSize& size) {
    QImage face(size, QImage::Format_RGB32);
    QPainter painter(&face);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, QColor(16, 24, 64));
    gradient.setColorAt(1, QColor(4, 6, 20));
    painter.fillRect(face.rect(), gradient);
    return face;
}

}  // namespace

Form1::Form1(AppContext& app, const Services& services, QWidget* parent)
    : QWidget(parent), m_app(app), m_services(services) {
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    setUpClock();

    // Sound, alarm and chime.
    m_soundProcedures = std::make_unique<SoundProcedures>(*this);
    m_alarm = std::make_unique<Alarm>(*this, *m_soundProcedures);
    m_chime = std::make_unique<Chime>(*this, *m_soundProcedures);
    // A check box's click handler also runs when the program changes its value.
    connect(Check1, &QCheckBox::toggled, m_alarm.get(), &Alarm::on_Check1_clicked);
    connect(Timer3, &QTimer::timeout, m_alarm.get(), &Alarm::on_Timer3_timeout);
    connect(Check2, &QCheckBox::toggled, m_chime.get(), &Chime::on_Check2_clicked);
    connect(ba, &QAction::triggered, m_chime.get(), &Chime::on_ba_triggered);
    connect(mab, &QAction::triggered, m_chime.get(), &Chime::on_mab_triggered);
    // Picture viewer.
    m_imageList = std::make_unique<ImageList>(*this);
    m_pictureViewer = std::make_unique<PictureViewer>(*this);
    // Starting with the desktop.
    m_startWithDesktop = new StartWithDesktop(services, app, this);
    connect(Check4, &QCheckBox::clicked, this, &Form1::on_Check4_clicked);
    connect(m_startWithDesktop, &StartWithDesktop::changed, Check4, &QCheckBox::setChecked);
    // Names, Tab order and the focus ring, once every control is there.
    m_access = new ClockWindowAccess(*this);
}

Form1::~Form1() { delete m_planner; }

void Form1::buildControls() {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    setFont(QFont(QStringLiteral("Sans Serif"), 8));

    Picture1 = control<PictureBox>(this, "Picture1", 0, 0, 5532, 1692, QString(),
                                   QStringLiteral("Click here to return to normal operation"));
    m_lines = new FrameLinesOverlay({&Line1, &Line2, &Line3, &Line4}, this);
    twips::place(m_lines, 0, 0, 5532, 1692);
    p2 = control<PictureBox>(this, "p2", 0, 0, 5532, 1692);
    p2->hide();
    Image1 = control<QLabel>(this, "Image1", 5544, 120, 612, 612);

    Command1 = control<QPushButton>(this, "Command1", 1800, 1200, 1812, 312, QStringLiteral("Settings"),
                                    QStringLiteral("Features and settings"));
    Command2 = control<QPushButton>(this, "Command2", 1800, 1200, 1812, 372, QStringLiteral("Close Settings"));
    Command2->hide();

    Label1 = control<QLabel>(this, "Label1", 240, 1920, 1695, 495, QStringLiteral("Alarm  :"));
    Label2 = control<QLabel>(this, "Label2", 2160, 1800, 1092, 852, QStringLiteral(" 00"));
    Label4 = control<QLabel>(this, "Label4", 3120, 1800, 252, 852, QStringLiteral(":"));
    Label3 = control<QLabel>(this, "Label3", 3360, 1800, 732, 852, QStringLiteral("00"));
    Label5 = control<QLabel>(this, "Label5", 4320, 1920, 972, 612, QStringLiteral("AM"));
    Check1 = control<QCheckBox>(this, "Check1", 360, 2520, 252, 252, QString(),
                                QStringLiteral("If checked, Alarm is enabled"));
    Check2 = control<QCheckBox>(this, "Check2", 1440, 2520, 252, 252, QString(),
                                QStringLiteral("If Checked, Chime is enabled"));
    Check4 = control<QCheckBox>(this, "Check4", 120, 3036, 2400, 252,
                                QStringLiteral("Start with the desktop"),
                                QStringLiteral("If checked, Tavenel starts when you log in, so "
                                               "that its reminders come"));
    Slider1 = control<QSlider>(this, "Slider1", 600, 2520, 252, 612);
    Slider2 = control<QSlider>(this, "Slider2", 840, 2520, 252, 612);
    Slider3 = control<QSlider>(this, "Slider3", 1080, 2520, 252, 612);
    for (QSlider* slider : {Slider1, Slider2, Slider3}) {
        slider->setOrientation(Qt::Vertical);
        slider->setRange(0, 255);
        slider->setInvertedAppearance(true);
    }
    HScroll1 = control<QScrollBar>(this, "HScroll1", 2280, 2640, 732, 252);
    HScroll2 = control<QScrollBar>(this, "HScroll2", 3360, 2640, 732, 252);
    HScroll3 = control<QScrollBar>(this, "HScroll3", 4440, 2640, 732, 264);
    HScroll1->setRange(1, 12);
    HScroll2->setRange(0, 59);
    HScroll3->setRange(1, 2);
    // A click in a picker's groove moves it one step, as its arrows do;
    // held down, it repeats.
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3}) {
        bar->setOrientation(Qt::Horizontal);
        bar->setPageStep(1);
    }
    Label6 = control<QLabel>(this, "Label6", 120, 2760, 972, 252, QStringLiteral("Enable"));
    Label7 = control<QLabel>(this, "Label7", 900, 2760, 1332, 252, QStringLiteral("Enable Chime"));
    Command9 = control<QPushButton>(this, "Command9", 2880, 3000, 732, 180, QStringLiteral("S E T"));
    Label8 = control<QLabel>(this, "Label8", 360, 3360, 1812, 372, QStringLiteral("Clock Settings.."));
    Command5 = control<QPushButton>(this, "Command5", 120, 3840, 1212, 612, QStringLiteral("Switch clock size"),
                                    QStringLiteral("Makes the clock look more compact"));
    Command3 = control<QPushButton>(this, "Command3", 1440, 3840, 1212, 612, QStringLiteral("Picture Viewer"),
                                    QStringLiteral("Comprehensive image viewer"));
    Command8 = control<QPushButton>(this, "Command8", 1440, 3840, 1212, 612,
                                    QStringLiteral("Close Picture Viewer"),
                                    QStringLiteral("View pictures / Slide shows"));
    Command8->hide();
    Command13 = control<QPushButton>(this, "Command13", 2760, 3840, 1212, 612,
                                     QStringLiteral("Scheduler and diary"),
                                     QStringLiteral("Comprehensive calendar and diary "));
    Command6 = control<QPushButton>(this, "Command6", 4080, 3840, 1332, 612, QStringLiteral("Clock Settings"),
                                    QStringLiteral("Set the time on the clock"));
    Command10 = control<QPushButton>(this, "Command10", 4080, 3840, 1332, 612,
                                     QStringLiteral("Close clock Settings"), QStringLiteral("Set the clock time"));
    Command10->hide();
    Command9->hide();

    // The buttons that switch between the clock and viewer layouts; the
    // settings panel shows the first, so both are there from the start.
    Command11 = control<QPushButton>(this, "Command11", 5640, 4920, 2280, 372,
                                     QStringLiteral("Switch to the Picture viewer!"));
    Command12 = control<QPushButton>(this, "Command12", 5640, 4920, 2280, 372,
                                     QStringLiteral("Switch back to The Clock"));
    Command11->hide();
    Command12->hide();

    List2 = new ReminderList(this);
    List2->setObjectName(QStringLiteral("List2"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(900);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));

    size = new QMenu(QStringLiteral("Size"), this);
    Small1 = size->addAction(QStringLiteral("Small"));
    Compact = size->addAction(QStringLiteral("Compact"));
    cs = new QMenu(QStringLiteral("Clocksettings"), this);
    stc = cs->addAction(QStringLiteral("Set time / Change text color"));
    chm = new QMenu(QStringLiteral("Chime"), this);
    ba = chm->addAction(QStringLiteral("Bell sound alone"));
    mab = chm->addAction(QStringLiteral("Bell sound accompanied by music"));

    // The digits' colour at every start.
    Picture1->setForeColor(QColor(255, 255, 128));

    connect(Timer1, &QTimer::timeout, this, &Form1::on_Timer1_timeout);
    connect(Command13, &QPushButton::clicked, this, &Form1::on_Command13_clicked);
}

void Form1::makeViewerControls() {
    if (viewerControlsMade()) return;
    // The folder and image lists in a column right of the picture box, the
    // slide-show controls below it. Shown by the viewer layout.
    Command16 = control<QPushButton>(this, "Command16", 8040, 4920, 1020, 372, QStringLiteral("Remove"),
                                     QStringLiteral("Remove files from this list"));
    Drive1 = control<QComboBox>(this, "Drive1", 5640, 120, 3420, 312, QString(),
                                QStringLiteral("To change drives"));
    Dir1 = control<FolderTree>(this, "Dir1", 5640, 480, 3420, 1920);
    List1 = control<QListWidget>(this, "List1", 5640, 2520, 3420, 2280, QString(),
                                 QStringLiteral("Pick your pretty picture"));
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Check3 = control<QCheckBox>(this, "Check3", 120, 4680, 2412, 312, QStringLiteral("Enable Full Screen Mode"),
                                QStringLiteral("Start the slide show in full-screen"));
    Label9 = control<QLabel>(this, "Label9", 2640, 4660, 1400, 252, QStringLiteral("Slide Show"),
                             QStringLiteral("Click on one of the 3 options and then on \"Enable Full Screen "
                                            "Mode\" to start the slide show"));
    Option1 = control<QRadioButton>(this, "Option1", 2640, 4980, 852, 300, QStringLiteral("1 Sec"),
                                    QStringLiteral("Changes the pictures in the listbox every second if "
                                                   "\"Enable Full Screen Mode\" is clicked"));
    Option2 = control<QRadioButton>(this, "Option2", 3480, 4980, 972, 300, QStringLiteral("3 Secs"),
                                    QStringLiteral("Changes the pictures in the listbox every 3 seconds if "
                                                   "\"Enable Full Screen Mode\" is clicked"));
    Option3 = control<QRadioButton>(this, "Option3", 4440, 4980, 972, 300, QStringLiteral("5 Secs"),
                                    QStringLiteral("Changes the pictures in the listbox every 5 seconds if "
                                                   "\"Enable Full Screen Mode\" is clicked"));
    for (QWidget* viewerControl : std::initializer_list<QWidget*>{
             Command16, Drive1, Dir1, List1, Check3, Label9, Option1, Option2, Option3})
        viewerControl->hide();
    remove = new QMenu(QStringLiteral("&Remove"), this);
    removeall = remove->addAction(QStringLiteral("Remove all"));
    removesel = remove->addAction(QStringLiteral("Remove Selected "));

    clockstyle::applyToViewer(*this);
    m_imageList->connectControls();
    m_pictureViewer->connectControls();
    m_access->nameViewerControls();
}

bool Form1::fullScreenTicked() const { return Check3 && Check3->isChecked(); }

QString Form1::timeOfDayText(const QTime& time, const QLocale& locale) {
    // The desktop's own long time format (it carries the seconds), without
    // the time-zone name that format ends with.
    const QString format = texts::formatWithout(locale.timeFormat(QLocale::LongFormat), QLatin1Char('t'));
    return locale.toString(time, format.trimmed());
}

void Form1::placeLinesNormal() {
    const ClockSizes::Geometry& normal = ClockSizes::geometry(ClockSizes::Size::Normal);
    FrameLine* lines[4] = {&Line1, &Line2, &Line3, &Line4};
    for (int i = 0; i < 4; ++i)
        lines[i]->set(normal.lines[i].x1, normal.lines[i].y1, normal.lines[i].x2, normal.lines[i].y2);
    repaintLines();
}

void Form1::repaintLines() {
    if (m_lines) m_lines->refresh();
}

void Form1::drawTimeCentred(const QString& timeText) {
    // Measured in the window's own font, as the design places it.
    Picture1->currentX = twips::width(Picture1) / 2 - 2 * PictureBox::textWidth(timeText, font());
    Picture1->currentY = twips::height(Picture1) / 2 - 2 * PictureBox::textHeight(timeText, font());
    if (!doipt) Picture1->print(timeText);
}

void Form1::keepOnScreen() {
    // A position saved on a screen that is no longer there (a monitor
    // unplugged, a smaller display), or with the title bar above the top of
    // the screen, would leave the clock where it cannot be dragged: it goes to
    // the nearest place where the whole window is on the screen.
    const QRect frame = windowframe::rect(this);
    const QRect area = windowframe::availableArea(frame);
    if (area.isEmpty() || windowframe::titleBarReachable(frame, area)) return;
    const QPoint place = windowframe::nearestInside(frame, area);
    twips::move(this, twips::fromPixels(place.x()), twips::fromPixels(place.y()));
}

QString Form1::sizeWord() const {
    if (compactSize) return QStringLiteral("compact");
    if (smallSize) return QStringLiteral("small");
    return QStringLiteral("normal");
}

void Form1::applySavedChimeMode(const QString& mode) {
    cb = true;
    if (mode == QLatin1String("None")) {
        chimeOn = false;
        music = false;
        Check2->setChecked(false);
        chimeMode = mode;
    } else if (mode == QLatin1String("Both")) {
        chimeOn = true;
        music = true;
        Check2->setChecked(true);
        chimeMode = mode;
    } else if (mode == QLatin1String("Chime")) {
        chimeOn = true;
        music = false;
        Check2->setChecked(true);
        chimeMode = mode;
    } else {
        // An unknown word leaves the box ticked as the load step set it, the
        // chime off, and no mode to store.
        chimeOn = false;
        music = true;
        Check2->setChecked(true);
        chimeMode.clear();
    }
    cb = false;
}

bool Form1::load() {
    IDialogs& dialogs = *m_services.dialogs;
    // 1, 2
    startingUp = true;
    if (m_app.appFolder.isEmpty()) m_app.appFolder = datafolder::appFolder();

    // 3: the database must be there.
    const QString databasePath = m_app.dataPath(QStringLiteral("scheduler.mdb"));
    if (!QFileInfo::exists(databasePath)) {
        dialogs.message(QStringLiteral("I am missing a 'scheduler.mdb' at ") + m_app.appFolder +
                        QStringLiteral(". Try re-installing."),
                        MessageKind::Failure);
        unload();
        return false;
    }

    // 4: open it; a file that is there but cannot be used ends the run too,
    // and is left as it is.
    QString reason;
    m_app.plannerDb = Database::open(databasePath, &reason);
    if (!m_app.plannerDb) {
        dialogs.message(QStringLiteral("The planner database %1 cannot be used: %2.\r\n\r\n"
                                       "The file has been left as it is. The program will now close.")
                            .arg(databasePath, reason),
                        MessageKind::Failure);
        unload();
        return false;
    }
    m_app.scheduleRecords = m_app.plannerDb->openRecordSet(QStringLiteral("scheduler"));
    m_app.clockiniRecords = m_app.plannerDb->openRecordSet(QStringLiteral("clockini"));

    // 5
    bellChoice.clear();
    compactSize = false;
    p2->hide();
    p2->setPicture(clockFacePicture(Picture1->size()));
    Picture1->setPicture(p2->picture());

    // 6
    placeLinesNormal();

    // 7: the sound files.
    const QString missing = datafolder::missingFilesList(m_app.appFolder);
    if (!missing.isEmpty()) {
        dialogs.message(QStringLiteral("Some files are missing. Some features may not work as expected!"),
                        MessageKind::Failure);
        dialogs.message(QStringLiteral("Missing files :") + QStringLiteral("\r\n") + missing,
                        MessageKind::Failure);
    }

    // 8 - 10: the help flag. From here on a failing table step is skipped.
    m_app.signalRecords = m_app.plannerDb->openRecordSet(QStringLiteral("signal"));
    if (const auto help = settings::readHelpFlag(*m_app.signalRecords)) helpOn = *help;

    // 11
    kk = false;
    cb = false;
    music = true;
    ed = false;
    Slider1->hide();
    Slider2->hide();
    Slider3->hide();
    Check2->setChecked(true);
    haveivisitedit = stopit = yoohoo = comehere = false;
    doipt = false;

    // 12, 13: the saved settings. The window is shown at the end of the load
    // step, once it has its saved place and size (step 19): the window
    // manager then frames it where it was left. Moved or resized after it is
    // shown but before it is framed, its inside would go where its frame
    // should, a title bar higher.
    twips::resize(this, 5580, 2050);
    chimeStruck = false;
    const settings::Saved saved = settings::read(*m_app.clockiniRecords);
    if (saved.left || saved.top)
        twips::move(this, saved.left ? *saved.left : twips::left(this),
                    saved.top ? *saved.top : twips::top(this));
    m_savedSize = saved.size;

    // 14
    applySavedChimeMode(saved.chimeMode);

    // 15
    twips::move(Image1, 5544, twips::top(Image1));
    centredLayout = true;
    compactLayout = false;

    // 16
    prepareSoundDevice();

    // 17: the time drawn once, by the tick's own drawing, so that the frame
    // has its time colour from the first.
    m_clockTick->drawFace();
    setWindowTitle(QString());

    // 18
    startingUp = false;

    // 19, 20
    applySavedSize(m_savedSize);
    keepOnScreen();
    show();
    showIntroHelp();

    Timer1->start();
    m_secondTimer->start(*m_services.clock);
    return true;
}

void Form1::unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    Timer1->stop();
    m_secondTimer->stop();
    Timer2->stop();
    Timer3->stop();

    // 1 - 3
    const QString sizeText = sizeWord();
    if (chimeOn && !music)
        chimeMode = QStringLiteral("Chime");
    else if (!chimeOn && !music)
        chimeMode = QStringLiteral("None");
    else if (chimeOn && music)
        chimeMode = QStringLiteral("Both");
    // Closed in full screen, the window is stored where it stood before.
    QPointF place(twips::left(this), twips::top(this));
    if (isFullScreen()) place = m_pictureViewer->slideShow().placeBeforeFullScreen().value_or(place);
    const double top = double(float(place.y()));
    const qint64 left = qRound64(place.x());

    // 4: the settings record.
    if (m_app.clockiniRecords) settings::save(*m_app.clockiniRecords, left, top, sizeText, chimeMode);

    // 5: help next time?
    if (m_app.signalRecords) {
        RecordSet& signal = *m_app.signalRecords;
        const bool hasRecord = signal.moveFirst();
        bool keepHelp = false;
        if (helpOn)
            keepHelp = m_services.dialogs->question(
                QStringLiteral("Do you wish to receive help messages the next time you run this software?"));
        if (hasRecord && !keepHelp) settings::setHelpOff(signal);
    }
    // 6
    unloadHelp();
    emit unloaded();
}

void Form1::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

// The face's second timer runs only while the face can be seen: behind the
// planner, minimised or on another desktop it would only wake the program.
// The 900 ms tick goes on all the same. Shown again, the face shows the
// current second at once.
void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_secondTimer || !Timer1->isActive() || m_secondTimer->isActive()) return;
    m_secondTimer->start(*m_services.clock);
    on_m_secondTimer_secondStarted();
}

void Form1::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (m_secondTimer) m_secondTimer->stop();
}

void Form1::on_Timer1_timeout() { m_clockTick->run(); }

// --- The planner window ----------------------------------------------------

void Form1::on_Command13_clicked() { openPlanner(); }

void Form1::openPlanner() {
    hide();
    loadPlanner();
    showHelpPage(QStringLiteral("scheduler.rtf"));
}

void Form1::loadPlanner() {
    if (m_planner && m_planner->isLoaded()) return;
    // A planner that has unloaded is on its way out; each load gets a new one.
    m_planner = new Form2(m_app, m_services, this);
    m_planner->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_planner, &Form2::unloaded, this, &Form1::on_planner_unloaded);
    // An open help page moves out of the planner's way, also while the
    // planner's load step shows a reminder.
    if (Form3) Form3->keepClearOf(m_planner);
    m_planner->load();
}

Form2* Form1::planner() const { return m_planner.data(); }

void Form1::on_planner_unloaded() {
    // Once this window has been closed, closing the planner ends the run.
    if (m_unloaded) return;
    setEnabled(true);
    show();
    if (Form3) Form3->keepClearOf(this);
}

// --- Feature entry points --------------------------------------------------

void Form1::alarmStep(const texts::TimeParts& now) { m_alarm->step(now); }
void Form1::chimeStep(const texts::TimeParts& now) { m_chime->step(now); }
void Form1::prepareSoundDevice() { m_soundProcedures->prepare(); }
void Form1::applySavedSize(const QString& word) {
    if (word == QLatin1String("small"))
        on_Small1_triggered();
    else if (word == QLatin1String("compact"))
        on_Compact_triggered();
}

// --- Sound procedures --------------------------------------------------------

void Form1::alarm() { m_soundProcedures->alarm(); }
bool Form1::chimey() { return m_soundProcedures->chimey(); }
void Form1::ringdude() { m_soundProcedures->ringdude(); }
void Form1::holdAlarm() { m_soundProcedures->holdAlarm(); }
void Form1::releaseAlarm() { m_soundProcedures->releaseAlarm(); }
// --- Clock: the tick, the sizes and the settings panel ----------------------

void Form1::setUpClock() {
    clockfont::installSubstitutes();
    clockstyle::apply(*this);
    m_clockTick = std::make_unique<ClockTick>(*this);
    m_clockSizes = std::make_unique<ClockSizes>(*this);
    m_settingsPanel = std::make_unique<ClockSettingsPanel>(*this);
    m_secondTimer = new SecondTimer(this);
    connect(m_secondTimer, &SecondTimer::secondStarted, this, &Form1::on_m_secondTimer_secondStarted);

    connect(Command1, &QPushButton::clicked, this, &Form1::on_Command1_clicked);
    connect(Command2, &QPushButton::clicked, this, &Form1::on_Command2_clicked);
    connect(Command5, &QPushButton::clicked, this, &Form1::on_Command5_clicked);
    connect(Command6, &QPushButton::clicked, this, &Form1::on_Command6_clicked);
    connect(Command9, &QPushButton::clicked, this, &Form1::on_Command9_clicked);
    connect(Command10, &QPushButton::clicked, this, &Form1::on_Command10_clicked);
    connect(Small1, &QAction::triggered, this, &Form1::on_Small1_triggered);
    connect(Compact, &QAction::triggered, this, &Form1::on_Compact_triggered);
    connect(stc, &QAction::triggered, this, &Form1::on_stc_triggered);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Form1::on_HScroll1_valueChanged);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Form1::on_HScroll2_valueChanged);
    connect(HScroll3, &QScrollBar::valueChanged, this, &Form1::on_HScroll3_valueChanged);
    for (QSlider* slider : {Slider1, Slider2, Slider3})
        connect(slider, &QSlider::valueChanged, this, &Form1::on_Slider_clicked);
}

void Form1::tick() { on_Timer1_timeout(); }

void Form1::on_m_secondTimer_secondStarted() {
    // Between the ticks, the face shows each new second as it begins. The
    // timer runs only while the window is shown; a window manager may keep
    // a minimised window mapped, though.
    if (!isMinimized()) m_clockTick->drawFace();
}

void Form1::restoreNormalClock() {
    // The clock size and frame, then the layout the picture viewer changed.
    m_clockSizes->restoreNormal();
    doipt = false;
    for (FrameLine* line : {&Line1, &Line2, &Line3, &Line4}) line->Visible = true;
    repaintLines();
    Command1->show();
    Command3->show();
    Command2->hide();
    Command8->hide();
    setWindowState(Qt::WindowNoState);
}

void Form1::on_Command1_clicked() { m_settingsPanel->open(); }
void Form1::on_Command2_clicked() { m_settingsPanel->close(); }

void Form1::on_Command5_clicked() {
    popUpMenu(size);
    if (helpOn) showHelpPage(QStringLiteral("switchsize.rtf"));
}

void Form1::on_Command6_clicked() { popUpMenu(cs); }

QAction* Form1::popUpMenu(QMenu* menu) {
    return m_services.popUpMenus->popUp(menu, accessibility::popUpPoint());
}
void Form1::on_stc_triggered() { m_settingsPanel->enterTimeSetting(); }
void Form1::on_Command9_clicked() { m_settingsPanel->setTime(); }
void Form1::on_Command10_clicked() { m_settingsPanel->leaveTimeSetting(); }
void Form1::on_Small1_triggered() { m_clockSizes->small(); }
void Form1::on_Compact_triggered() { m_clockSizes->compact(); }
void Form1::on_HScroll1_valueChanged(int value) { m_settingsPanel->hourChanged(value); }
void Form1::on_HScroll2_valueChanged(int value) { m_settingsPanel->minuteChanged(value); }
void Form1::on_HScroll3_valueChanged(int value) { m_settingsPanel->ampmChanged(value); }
void Form1::on_Slider_clicked() { m_settingsPanel->colourChanged(); }
void Form1::on_Check4_clicked(bool checked) { m_startWithDesktop->set(checked); }
// --- Past appointments and today's reminder list ---------------------------

ObsoleteCleanup& Form1::obsoleteCleanup() {
    if (!m_obsoleteCleanup) {
        m_obsoleteCleanup = std::make_unique<ObsoleteCleanup>(m_app, m_services, List2);
        // An appointment still to be reminded is not offered as past.
        m_obsoleteCleanup->setStillOwed(
            [this](const QDateTime& due) { return reminders().owes(due); });
    }
    return *m_obsoleteCleanup;
}

// The clock window lends no scratch box: nothing it would hold is ever shown.
void Form1::dailyCheck() { obsoleteCleanup().refresh(ScratchBox()); }

// --- Reminders -----------------------------------------------------------------

// The check reads the clock itself: it needs the date as well as the time.
void Form1::reminderCheck(const texts::TimeParts&) { reminders().run(); }

ReminderCheck& Form1::reminders() {
    if (!m_reminderCheck) m_reminderCheck = std::make_unique<ReminderCheck>(*this);
    return *m_reminderCheck;
}
// --- Help for first-time users ---------------------------------------------

void Form1::showHelpPage(const QString& pageName) {
    if (!helpOn) return;
    if (!Form3) Form3 = std::make_unique<HelpWindow>(m_app);
    // A page that cannot be read leaves the box as it was; the window opens anyway.
    Form3->loadPage(m_app.dataPath(pageName));
    Form3->loadBeside(helpAnchor());
}

QWidget* Form1::helpAnchor() {
    // While the planner is open this window is hidden behind it.
    if (m_planner && m_planner->isLoaded()) return m_planner;
    return this;
}

void Form1::showIntroHelp() {
    if (!helpOn) return;
    if (!Form3) Form3 = std::make_unique<HelpWindow>(m_app);
    Form3->loadPage(m_app.dataPath(QStringLiteral("intro.rtf")));
    // Disabled until the help window is on the screen.
    setEnabled(false);
    const QPointer<Form1> self(this);
    Form3->loadBeside(this, [self] {
        if (self) self->setEnabled(true);
    });
}

void Form1::unloadHelp() {
    if (Form3) Form3->unload();
}
