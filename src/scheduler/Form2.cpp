#include "scheduler/Form2.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include "RichTextBox.h"
#include <QTimer>

#include "Accessibility.h"
#include "Database.h"
#include "SettingsStore.h"
#include "Texts.h"
#include "Twips.h"
#include "clock/Form1.h"
#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "diary/DiaryEditor.h"
#include "diary/DiaryEntries.h"
#include "diary/DiaryKeys.h"
#include "platform/QtProgress.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "platform/IPopUpMenus.h"
#include "platform/IPauser.h"
#include "scheduler/AppointmentPanel.h"
#include "scheduler/CalendarExport.h"
#include "scheduler/CalendarImport.h"
#include "scheduler/ObsoleteCleanup.h"
#include "scheduler/PlannerAccess.h"
#include "scheduler/ReminderDisplay.h"
#include "scheduler/ScheduleListing.h"

namespace {

template <class W>
W* control(QWidget* parent, const QString& name, double left, double top, double width,
           double height, const QString& caption = QString()) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    twips::place(widget, left, top, width, height);
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_base_of_v<QLabel, W>) {
        if (!caption.isEmpty()) widget->setText(caption);
    }
    if constexpr (std::is_same_v<W, QGroupBox>) widget->setTitle(caption);
    return widget;
}

// The calendar's geometry in twips: every header and cell is 615 by 255.
constexpr double kCellWidth = 615;
constexpr double kCellHeight = 255;
constexpr double kHeaderTop = 720;
constexpr double kHeaderLefts[7] = {120, 960, 1680, 2400, 3120, 3840, 4560};
constexpr double kCellLefts[7] = {240, 1080, 1800, 2520, 3240, 3960, 4680};
constexpr double kCellTops[6] = {1320, 1800, 2280, 2760, 3240, 3720};
const char* const kHeaderCaptions[7] = {"Sunday", "Mon", "Tue", "Wed", "Thur", "Fri", "Sat"};

// The pause after each step of a widening or narrowing, so that it is seen.
constexpr int kStepPauseMs = 10;

}  // namespace

Form2::Form2(AppContext& app, const Services& services, Form1* clockWindow, QWidget* parent)
    : QWidget(parent, Qt::Window),
      menus(this),
      m_app(app),
      m_services(services),
      m_clockWindow(clockWindow) {
    setObjectName(QStringLiteral("Form2"));
    buildControls();
    connectHandlers();
    buildDiary();
    // Names, Tab order and keys, once every control is there.
    new PlannerAccess(*this);
}

Form2::~Form2() = default;

CalendarLabel* Form2::label(int number) const {
    return number >= 1 && number <= int(m_calendarLabels.size())
               ? m_calendarLabels[std::size_t(number - 1)]
               : nullptr;
}

void Form2::buildControls() {
    setWindowTitle(QStringLiteral("Alarm options"));
    setFont(QFont(QStringLiteral("Sans Serif"), 8));
    twips::resize(this, kNarrowWidth, kHeight);

    buildCalendar();

    // The scheduler panel, beside the calendar.
    Frame1 = control<QGroupBox>(this, QStringLiteral("Frame1"), 5520, 120, 4215, 3975,
                                QStringLiteral("Scheduler"));
    Frame2 = control<QGroupBox>(Frame1, QStringLiteral("Frame2"), 120, 240, 3975, 1140,
                                QStringLiteral("Time"));
    QFont timeFont = font();
    timeFont.setPointSize(12);
    timeFont.setBold(true);
    Label53 = control<QLabel>(Frame2, QStringLiteral("Label53"), 360, 300, 735, 375,
                              QStringLiteral("00"));
    Label54 = control<QLabel>(Frame2, QStringLiteral("Label54"), 1230, 300, 225, 375,
                              QStringLiteral(":"));
    Label55 = control<QLabel>(Frame2, QStringLiteral("Label55"), 1590, 300, 735, 375,
                              QStringLiteral("00"));
    Label56 = control<QLabel>(Frame2, QStringLiteral("Label56"), 2880, 300, 735, 375,
                              QStringLiteral("PM"));
    for (QLabel* l : {Label53, Label54, Label55, Label56}) {
        l->setFont(timeFont);
        l->setAlignment(Qt::AlignCenter);
    }
    HScroll1 = control<QScrollBar>(Frame2, QStringLiteral("HScroll1"), 240, 735, 975, 255);
    HScroll2 = control<QScrollBar>(Frame2, QStringLiteral("HScroll2"), 1470, 735, 975, 255);
    HScroll3 = control<QScrollBar>(Frame2, QStringLiteral("HScroll3"), 2760, 735, 975, 255);
    HScroll1->setRange(1, 12);
    HScroll2->setRange(0, 59);
    HScroll3->setRange(1, 2);
    // A click in a picker's groove moves it one step, as its arrows do;
    // held down, it repeats.
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3}) {
        bar->setOrientation(Qt::Horizontal);
        bar->setPageStep(1);
    }

    Frame3 = control<QGroupBox>(Frame1, QStringLiteral("Frame3"), 120, 1470, 3975, 1560,
                                QStringLiteral("Nature of appointment / Reminder"));
    Frame4 = control<QGroupBox>(Frame1, QStringLiteral("Frame4"), 120, 3120, 3975, 735,
                                QStringLiteral("Control"));
    Command1 = control<QPushButton>(Frame4, QStringLiteral("Command1"), 240, 315, 1815, 315,
                                    QStringLiteral("Make schedule"));
    Command2 = control<QPushButton>(Frame4, QStringLiteral("Command2"), 2160, 315, 1695, 315,
                                    QStringLiteral("Close"));

    buildRichTextBoxes();

    Label50 = control<QLabel>(this, QStringLiteral("Label50"), 8640, 4140, 1095, 255);
    QPalette statusPalette = Label50->palette();
    statusPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label50->setPalette(statusPalette);
    Label50->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Command3 = control<QPushButton>(this, QStringLiteral("Command3"), 5520, 4140, 1575, 375,
                                    QStringLiteral("Diary Control"));
    Slider1 = control<QSlider>(this, QStringLiteral("Slider1"), 7200, 4500, 2535, 315);
    Slider1->setOrientation(Qt::Horizontal);
    Slider1->setRange(1, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(900);
}

void Form2::buildCalendar() {
    Combo1 = control<QComboBox>(this, QStringLiteral("Combo1"), 240, 240, 855, 315);
    Combo2 = control<QComboBox>(this, QStringLiteral("Combo2"), 1320, 240, 1935, 315);
    Combo3 = control<QComboBox>(this, QStringLiteral("Combo3"), 3480, 240, 1815, 315);

    const QFont headerFont = font();
    for (int i = 0; i < 7; ++i) {
        auto* header = control<CalendarLabel>(this, QStringLiteral("Label%1").arg(i + 1),
                                              kHeaderLefts[i], kHeaderTop, kCellWidth, kCellHeight,
                                              QString::fromLatin1(kHeaderCaptions[i]));
        header->setFont(headerFont);
        if (i == 0) header->setTextColor(QColor(255, 0, 0));
        m_calendarLabels[std::size_t(i)] = header;
    }
    QFont cellFont = font();
    cellFont.setPointSize(9);
    CalendarGrid::Controls grid;
    for (int k = 0; k < CalendarGrid::kCells; ++k) {
        const int number = 8 + k;
        auto* cell =
            control<CalendarLabel>(this, QStringLiteral("Label%1").arg(number), kCellLefts[k % 7],
                                   kCellTops[k / 7], kCellWidth, kCellHeight);
        cell->setFont(cellFont);
        m_calendarLabels[std::size_t(number - 1)] = cell;
        grid.cells[std::size_t(k)] = cell;
    }
    grid.day = Combo1;
    grid.month = Combo2;
    grid.year = Combo3;
    grid.dayMenu = menus.all;
    grid.display = menus.display;
    grid.viewSchedule = menus.vea;
    m_calendar = std::make_unique<CalendarGrid>(grid, m_app, [this](QMenu* menu) { popUp(menu); });
}

// The three rich-text boxes are made here only; everything else reaches them
// through these members.
void Form2::buildRichTextBoxes() {
    RichTextBox2 = control<RichTextBox>(Frame3, QStringLiteral("RichTextBox2"), 120, 330, 3735, 1110);
    RichTextBox1 = control<RichTextBox>(this, QStringLiteral("RichTextBox1"), 5520, 360, 4215, 3735);
    RichTextBox1->hide();
    RichTextBox3 = new RichTextBox(this);
    RichTextBox3->setObjectName(QStringLiteral("RichTextBox3"));
    RichTextBox3->hide();
}

void Form2::connectHandlers() {
    connect(Timer1, &QTimer::timeout, this, &Form2::on_Timer1_timeout);
    connect(Command1, &QPushButton::clicked, this, &Form2::on_Command1_clicked);
    connect(Command2, &QPushButton::clicked, this, &Form2::on_Command2_clicked);
    connect(Command3, &QPushButton::clicked, this, &Form2::on_Command3_clicked);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Form2::on_HScroll1_valueChanged);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Form2::on_HScroll2_valueChanged);
    connect(HScroll3, &QScrollBar::valueChanged, this, &Form2::on_HScroll3_valueChanged);
    connect(Slider1, &QSlider::valueChanged, this, &Form2::on_Slider1_valueChanged);
    connect(&obsoleteCleanup(), &ObsoleteCleanup::removed, this,
            &Form2::on_obsoleteCleanup_removed);

    const std::pair<QAction*, void (Form2::*)()> items[] = {
        {menus.mark, &Form2::on_mark_triggered},     {menus.display, &Form2::on_display_triggered},
        {menus.sld, &Form2::on_sld_triggered},       {menus.ftw, &Form2::on_ftw_triggered},
        {menus.note1, &Form2::on_note1_triggered},   {menus.vea, &Form2::on_vea_triggered},
        {menus.note2, &Form2::on_note2_triggered},   {menus.note3, &Form2::on_note3_triggered},
        {menus.note4, &Form2::on_note4_triggered},   {menus.note5, &Form2::on_note5_triggered},
        {menus.New, &Form2::on_New_triggered},       {menus.open, &Form2::on_open_triggered},
        {menus.Save, &Form2::on_Save_triggered},     {menus.qs, &Form2::on_qs_triggered},
        {menus.pr, &Form2::on_pr_triggered},         {menus.Delete, &Form2::on_Delete_triggered},
        {menus.left, &Form2::on_left_triggered},     {menus.right1, &Form2::on_right1_triggered},
        {menus.center, &Form2::on_center_triggered}, {menus.cf, &Form2::on_cf_triggered},
        {menus.Undo, &Form2::on_Undo_triggered},     {menus.copy, &Form2::on_copy_triggered},
        {menus.Paste, &Form2::on_Paste_triggered},   {menus.find, &Form2::on_find_triggered},
        {menus.clr, &Form2::on_clr_triggered},       {menus.close, &Form2::on_close_triggered},
        {menus.cc1, &Form2::on_cc1_triggered},
        {menus.ev, &Form2::on_ev_triggered},
    };
    for (const auto& [action, handler] : items) connect(action, &QAction::triggered, this, handler);
}

// --- Loading and unloading -------------------------------------------------

bool Form2::load() {
    if (m_loaded) return true;
    m_loaded = true;
    // 1, 2 (the window is shown once it is placed, below)
    Slider1->hide();
    Command3->hide();
    RichTextBox2->setText(QString());
    RichTextBox3->hide();

    // 3, 4: the planner's handles on the database, opened again (the clock
    // window's connection serves while the file is the one it has open).
    const QString databasePath = m_app.dataPath(QStringLiteral("scheduler.mdb"));
    if (!QFileInfo::exists(databasePath)) {
        m_services.dialogs->message(QStringLiteral("I am missing a scheduler.mdb at ") +
                                    m_app.appFolder + QStringLiteral(". Try re-installing."),
                                    MessageKind::Failure);
        close();
        return false;
    }
    QString reason;
    std::shared_ptr<Database> db = Database::reopen(m_app.plannerDb, databasePath, &reason);
    if (!db) {
        // The handles opened at start-up stay as they were; nothing is lost.
        m_services.dialogs->message(QStringLiteral("The planner database %1 cannot be used: %2.")
                                        .arg(databasePath, reason),
                                    MessageKind::Failure);
        close();
        return false;
    }
    m_app.plannerDb = db;
    m_app.scheduleRecords = db->openRecordSet(QStringLiteral("scheduler"));
    twips::setWidth(this, kNarrowWidth);
    centerWindow();
    // Shown once placed, so that the window manager frames it there; moved
    // before it is framed, its inside would go where its frame should.
    show();
    m_calendar->initCalendar(m_services.clock->now().date());

    // The tick runs from here on, also while a reminder shown by step 5 is
    // open, so the caption tells the date and time behind its message.
    Timer1->start();
    // 5
    checkSignal();
    return m_loaded;
}

void Form2::unload() {
    if (!m_loaded) return;
    m_loaded = false;
    Timer1->stop();
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3}) bar->setEnabled(true);
    emit unloaded();
}

void Form2::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void Form2::checkSignal() {
    // A fresh record set each time, so a flag the clock window has just
    // saved through its own handles is seen.
    const std::unique_ptr<RecordSet> signal = m_app.openSignal();
    if (!signal) return;
    if (settings::readHandoff(*signal) == QLatin1String("Pass")) showReminder();
}

// --- Appointments --------------------------------------------------------------

AppointmentPanel& Form2::panel() {
    if (!m_panel) m_panel = std::make_unique<AppointmentPanel>(*this);
    return *m_panel;
}

ObsoleteCleanup& Form2::obsoleteCleanup() {
    if (m_clockWindow) return m_clockWindow->obsoleteCleanup();
    if (!m_ownCleanup) m_ownCleanup = std::make_unique<ObsoleteCleanup>(m_app, m_services, nullptr);
    return *m_ownCleanup;
}

void Form2::refresh() {
    // The calendar is marked again once the question, if one is asked, has
    // been answered; the window may have gone by then.
    const QPointer<Form2> self(this);
    obsoleteCleanup().refresh(ScratchBox(RichTextBox2), [self] {
        if (self) self->markDays();
    });
}

void Form2::showReminder() {
    if (!m_reminderDisplay) m_reminderDisplay = std::make_unique<ReminderDisplay>(*this, panel());
    m_reminderDisplay->show();
}

// --- Width and position ----------------------------------------------------

void Form2::centerWindow() {
    const QScreen* s = screen();
    if (!s) return;
    const QRect area = s->geometry();
    const double left = (twips::fromPixels(area.width()) - twips::width(this)) / 2;
    const double top = (twips::fromPixels(area.height()) - twips::height(this)) / 2;
    twips::move(this, twips::fromPixels(area.left()) + left, twips::fromPixels(area.top()) + top);
}

void Form2::setWidthStep(int width) {
    twips::setWidth(this, width);
    if (m_services.pauser) m_services.pauser->pause(kStepPauseMs);
}

void Form2::widen() {
    for (int width = kNarrowWidth; width <= kWidestStep; width += kWidthStep) setWidthStep(width);
    centerWindow();
}

void Form2::narrow() {
    // The steps start wide: a window already narrow would be thrown wide
    // and narrowed again for nothing.
    constexpr int narrowEnd = kWidestStep - (kWidestStep - kNarrowWidth) / kWidthStep * kWidthStep;
    if (twips::width(this) <= narrowEnd) return;
    for (int width = kWidestStep; width >= kNarrowWidth; width -= kWidthStep) setWidthStep(width);
}

void Form2::closePanel() {
    Command3->hide();
    Slider1->hide();
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3}) bar->setEnabled(true);
    Command1->setText(QStringLiteral("Make schedule"));
    for (QComboBox* combo : {Combo1, Combo2, Combo3}) combo->setEnabled(true);
    narrow();
    // The labels go back to 12:00 PM; the pickers stay where they were.
    Label53->setText(QStringLiteral("12"));
    Label55->setText(QStringLiteral("00"));
    Label56->setText(QStringLiteral("PM"));
    RichTextBox2->setText(QString());
    centerWindow();
}

void Form2::markDays() {
    m_calendar->markDays();
}

// --- The tick ----------------------------------------------------------------

void Form2::on_Timer1_timeout() {
    const QDateTime now = m_services.clock->now();
    const texts::DateParts today = texts::dateParts(now.date());
    setWindowTitle(QStringLiteral("Today : ") + texts::signBlank(today.day) + QLatin1Char(' ') +
                   texts::monthName(today.month) + QLatin1Char(',') + texts::signBlank(today.year) +
                   QString(13, QLatin1Char(' ')) + Form1::timeOfDayText(now.time()));
    checkSignal();
    markDays();
}

// --- Pop-up menus ------------------------------------------------------------

QAction* Form2::popUp(QMenu* menu, std::optional<QPoint> at) {
    const QPoint where = at ? *at : accessibility::popUpPoint();
    return m_services.popUpMenus->popUp(menu, where);
}

bool Form2::onBackground(const QMouseEvent* event) const {
    // A press on a control that passes it on is not one on the background,
    // nor is one that lies outside the window: a right press on the diary
    // editor reaches the window after the editor's menu, and its "Close" has
    // narrowed the window over the editor by then.
    const QPoint at = event->position().toPoint();
    return rect().contains(at) && childAt(at) == nullptr;
}

void Form2::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && onBackground(event)) popUp(menus.mf);
}

void Form2::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onBackground(event) &&
        rect().contains(event->position().toPoint()))
        popUp(menus.mf);
}

void Form2::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onBackground(event)) popUp(menus.mf);
}

// --- Buttons and pickers -------------------------------------------------------

void Form2::on_Command1_clicked() {
    panel().commandPressed();
}

void Form2::on_Command2_clicked() {
    closePanel();
}

void Form2::on_Command3_clicked() {
    popUp(menus.all2);
}

// Each picker writes its label; the slider shows the appointment at its position.
void Form2::on_HScroll1_valueChanged() { panel().hourPicked(); }
void Form2::on_HScroll2_valueChanged() { panel().minutePicked(); }
void Form2::on_HScroll3_valueChanged() { panel().ampmPicked(); }
void Form2::on_Slider1_valueChanged() { panel().sliderMoved(); }
void Form2::on_obsoleteCleanup_removed() { panel().recordsRemoved(); }

// --- Menu commands -----------------------------------------------------------

// The day menu's diary commands belong to the diary entries, its scheduler
// commands to making, removing, listing and searching appointments.
void Form2::on_mark_triggered() { m_diaryEntries->makeEntry(); }
void Form2::on_display_triggered() { m_diaryEntries->displayEntry(); }
void Form2::on_sld_triggered() { m_diaryEntries->listAll(); }
void Form2::on_ftw_triggered() { m_diaryEntries->search(); }
void Form2::on_note1_triggered() { panel().openForMaking(); }
void Form2::on_vea_triggered() { panel().openForViewing(); }
void Form2::on_note2_triggered() {
    ScheduleListing(m_app, m_services, ScratchBox(RichTextBox3)).listAll();
}
void Form2::on_note3_triggered() {
    ScheduleListing(m_app, m_services, ScratchBox(RichTextBox3)).findText();
}
void Form2::on_note4_triggered() { CalendarExport(m_app, m_services).run(); }
void Form2::on_note5_triggered() { CalendarImport(m_app, m_services).run(*this); }

// The editor menu's commands belong to the diary entries and the diary editor.
void Form2::on_New_triggered() { m_diaryEditor->newText(); }
void Form2::on_open_triggered() { m_diaryEditor->open(); }
void Form2::on_Save_triggered() { m_diaryEntries->save(); }
void Form2::on_qs_triggered() { m_diaryEntries->quickSave(); }
void Form2::on_pr_triggered() { m_diaryEditor->print(); }
void Form2::on_Delete_triggered() { m_diaryEntries->remove(); }
void Form2::on_ev_triggered() { m_diaryEntries->earlierVersions(); }
void Form2::on_left_triggered() { m_diaryEditor->justify(Qt::AlignLeft); }
void Form2::on_right1_triggered() { m_diaryEditor->justify(Qt::AlignRight); }
void Form2::on_center_triggered() { m_diaryEditor->justify(Qt::AlignHCenter); }
void Form2::on_cf_triggered() { m_diaryEditor->changeFont(); }
void Form2::on_Undo_triggered() { m_diaryEditor->undo(); }
void Form2::on_copy_triggered() { m_diaryEditor->copy(); }
void Form2::on_Paste_triggered() { m_diaryEditor->paste(); }
void Form2::on_find_triggered() { m_diaryEditor->find(); }
void Form2::on_clr_triggered() { m_diaryEditor->clearAll(); }

void Form2::on_close_triggered() {
    for (QComboBox* combo : {Combo1, Combo2, Combo3}) combo->setEnabled(true);
    closePanel();
    narrow();
    // The closed editor keeps its text, out of reach also of a window
    // widened by hand; "Make a diary entry" shows it again.
    RichTextBox1->hide();
    Label50->hide();
}

void Form2::on_cc1_triggered() {
    close();
}

// --- The diary -----------------------------------------------------------------

void Form2::buildDiary() {
    QFont editorFont = font();
    editorFont.setPointSize(12);
    RichTextBox1->setFont(editorFont);
    m_diaryProgress = std::make_unique<QtProgress>(this);
    m_diaryEditor = std::make_unique<DiaryEditor>(RichTextBox1, Label50, m_services, m_app.appFolder);
    m_diaryEntries =
        std::make_unique<DiaryEntries>(*this, *m_diaryEditor, m_services, m_diaryProgress.get());
    new DiaryKeys(*this);
    connect(RichTextBox1, &RichTextBox::mouseDown, this, &Form2::on_RichTextBox1_mouseDown);
}

void Form2::setDiaryProgress(IProgress* progress) { m_diaryEntries->setProgress(progress); }

void Form2::on_RichTextBox1_mouseDown(int button) {
    if (button == 2) popUp(menus.all2);
}
