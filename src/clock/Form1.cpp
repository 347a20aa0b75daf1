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
#include <QSlider>
#include <QTextEdit>
#include <QTimer>

#include "DataFolder.h"
#include "HelpWindow.h"
#include "SettingsStore.h"
#include "Twips.h"
#include "clock/PictureBox.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"

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
}

Form1::~Form1() = default;

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
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3}) bar->setOrientation(Qt::Horizontal);
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

    // The picture viewer's controls, beside the clock face; shown by the viewer.
    Command11 = control<QPushButton>(this, "Command11", 5640, 4440, 1812, 372,
                                     QStringLiteral("Switch to the Picture viewer!"));
    Command12 = control<QPushButton>(this, "Command12", 5640, 4440, 1812, 372,
                                     QStringLiteral("Switch back to The Clock"));
    Command16 = control<QPushButton>(this, "Command16", 7560, 4440, 1332, 372, QStringLiteral("Remove"),
                                     QStringLiteral("Remove files from this list"));
    Drive1 = control<QComboBox>(this, "Drive1", 5640, 120, 3252, 312, QString(),
                                QStringLiteral("To change drives"));
    Dir1 = control<QListWidget>(this, "Dir1", 5640, 480, 3252, 1572);
    List1 = control<QListWidget>(this, "List1", 5640, 2160, 3252, 1572, QString(),
                                 QStringLiteral("Pick your pretty picture"));
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Check3 = control<QCheckBox>(this, "Check3", 120, 4440, 2412, 312, QStringLiteral("Enable Full Screen Mode"),
                                QStringLiteral("Start the slide show in full-screen"));
    Label9 = control<QLabel>(this, "Label9", 2640, 4440, 972, 252, QStringLiteral("Slide Show"),
                             QStringLiteral("Click on one of the 3 options and then on \"Enable Full Screen "
                                            "Mode\" to start the slide show"));
    Option1 = control<QRadioButton>(this, "Option1", 2640, 4700, 852, 252, QStringLiteral("1 Sec"),
                                    QStringLiteral("Changes the pictures in the listbox every second if "
                                                   "\"Enable Full Screen Mode\" is clicked"));
    Option2 = control<QRadioButton>(this, "Option2", 3540, 4700, 972, 252, QStringLiteral("3 Secs"),
                                    QStringLiteral("Changes the pictures in the listbox every 3 seconds if "
                                                   "\"Enable Full Screen Mode\" is clicked"));
    Option3 = control<QRadioButton>(this, "Option3", 4560, 4700, 972, 252, QStringLiteral("5 Secs"),
                                    QStringLiteral("Changes the pictures in the listbox every 5 seconds if "
                                                   "\"Enable Full Screen Mode\" is clicked"));
    for (QWidget* viewerControl : std::initializer_list<QWidget*>{
             Command11, Command12, Command16, Drive1, Dir1, List1, Check3, Label9, Option1, Option2, Option3})
        viewerControl->hide();

    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->hide();
    RichTextBox2 = new QTextEdit(this);
    RichTextBox2->setObjectName(QStringLiteral("RichTextBox2"));
    RichTextBox2->hide();

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
    remove = new QMenu(QStringLiteral("&Remove"), this);
    removeall = remove->addAction(QStringLiteral("Remove all"));
    removesel = remove->addAction(QStringLiteral("Remove Selected "));

    // The digits' colour at every start.
    Picture1->setForeColor(QColor(255, 255, 128));

    connect(Timer1, &QTimer::timeout, this, &Form1::on_Timer1_timeout);
}

QString Form1::timeOfDayText(const QTime& time) {
    // The desktop's own long time format (it carries the seconds), without
    // the time-zone name that format ends with.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(time, format.trimmed());
}

void Form1::placeLinesNormal() {
    Line1.set(1080, 480, 4800, 480);
    Line2.set(1080, 480, 1080, 1080);
    Line3.set(1080, 1080, 4800, 1080);
    Line4.set(4800, 480, 4800, 1080);
    repaintLines();
}

void Form1::repaintLines() {
    if (m_lines) {
        m_lines->raise();
        m_lines->update();
    }
}

void Form1::drawTimeCentred(const QString& timeText) {
    QFont face(QStringLiteral("timesnewroman"), compactSize ? 14 : 30);
    Picture1->setFont(face);
    // Measured in the window's own font, as the design places it.
    Picture1->currentX = twips::width(Picture1) / 2 - 2 * PictureBox::textWidth(timeText, font());
    Picture1->currentY = twips::height(Picture1) / 2 - 2 * PictureBox::textHeight(timeText, font());
    if (!doipt) Picture1->print(timeText);
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
    RichTextBox2->hide();
    if (m_app.appFolder.isEmpty()) m_app.appFolder = datafolder::appFolder();

    // 3: the database must be there.
    const QString databasePath = m_app.dataPath(QStringLiteral("scheduler.mdb"));
    if (!QFileInfo::exists(databasePath)) {
        dialogs.message(QStringLiteral("I am missing a 'scheduler.mdb' at ") + m_app.appFolder +
                        QStringLiteral(". Try re-installing."));
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
                            .arg(databasePath, reason));
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
        dialogs.message(QStringLiteral("Some files are missing. Some features may not work as expected!"));
        dialogs.message(QStringLiteral("Missing files :") + QStringLiteral("\r\n") + missing);
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

    // 12
    twips::resize(this, 5580, 2050);
    chimeStruck = false;
    show();

    // 13: the saved settings.
    const settings::Saved saved = settings::read(*m_app.clockiniRecords);
    if (saved.left || saved.top) {
        twips::move(this, saved.left ? *saved.left : twips::left(this),
                    saved.top ? *saved.top : twips::top(this));
    }
    m_savedSize = saved.size;

    // 14
    applySavedChimeMode(saved.chimeMode);

    // 15
    twips::move(Image1, 5544, twips::top(Image1));
    centredLayout = true;
    compactLayout = false;

    // 16
    prepareSoundDevice();

    // 17: the time drawn once.
    Picture1->cls();
    drawTimeCentred(timeOfDayText(m_services.clock->now().time()));
    setWindowTitle(QString());

    // 18
    startingUp = false;

    // 19, 20
    applySavedSize(m_savedSize);
    showIntroHelp();

    Timer1->start();
    return true;
}

void Form1::unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    Timer1->stop();
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
    const double top = double(float(twips::top(this)));
    const qint64 left = qRound64(twips::left(this));

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

void Form1::on_Timer1_timeout() {
    // The clock tick; its steps come with the clock features.
}

// --- Feature entry points --------------------------------------------------

void Form1::alarmStep(const texts::TimeParts&) {}
void Form1::reminderCheck(const texts::TimeParts&) {}
void Form1::chimeStep(const texts::TimeParts&) {}
void Form1::dailyCheck() {}
void Form1::prepareSoundDevice() {}
void Form1::applySavedSize(const QString&) {}
// --- Help for first-time users ---------------------------------------------

void Form1::showHelpPage(const QString& pageName) {
    if (!helpOn) return;
    if (!Form3) Form3 = std::make_unique<HelpWindow>(m_app);
    // A page that cannot be read leaves the box as it was; the window opens anyway.
    Form3->loadPage(m_app.dataPath(pageName));
    Form3->loadBeside(this);
}

void Form1::showIntroHelp() {
    if (!helpOn) return;
    if (!Form3) Form3 = std::make_unique<HelpWindow>(m_app);
    Form3->loadPage(m_app.dataPath(QStringLiteral("intro.rtf")));
    setEnabled(false);
    Form3->loadBeside(this);
    setEnabled(true);
}

void Form1::unloadHelp() {
    if (Form3) Form3->unload();
}
