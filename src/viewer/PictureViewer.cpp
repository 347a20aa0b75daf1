#include "viewer/PictureViewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include "Twips.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"
#include "clock/SecondTimer.h"
#include "platform/IClock.h"
#include "platform/IPauser.h"
#include "viewer/FolderTree.h"
#include "viewer/PictureFile.h"
#include "viewer/SlideShow.h"

namespace {

// Pauses between the steps of the window animations, in milliseconds: short
// enough to feel quick, long enough for every step to be seen.
constexpr int kWidthStepPause = 8;
constexpr int kGrowStepPause = 10;
constexpr int kShrinkStepPause = 40;

// The picture box in the viewer layout, in twips.
constexpr double kBoxWidth = 5532;
constexpr double kBoxHeight = 4582;

}  // namespace

PictureViewer::PictureViewer(Form1& form)
    : m_form(form), m_slideShow(std::make_unique<SlideShow>(form, *this)) {
    connect(form.Command3, &QPushButton::clicked, this, &PictureViewer::on_Command3_click);
    connect(form.Command8, &QPushButton::clicked, this, &PictureViewer::on_Command8_click);
    connect(form.Command11, &QPushButton::clicked, this, &PictureViewer::on_Command11_click);
    connect(form.Command12, &QPushButton::clicked, this, &PictureViewer::on_Command12_click);
    connect(form.Picture1, &PictureBox::clicked, this, &PictureViewer::on_Picture1_click);
    // After the clock tick has written the caption, and at the start of each
    // second, as the clock face would show it.
    connect(form.Timer1, &QTimer::timeout, this, &PictureViewer::updateCaption);
    connect(&form.secondTimer(), &SecondTimer::secondStarted, this, &PictureViewer::updateCaption);
}

void PictureViewer::connectControls() {
    Form1& form = m_form;
    connect(form.List1, &QListWidget::clicked, this, &PictureViewer::on_List1_click);
    // Moving through the list with the keyboard shows the entries too; the
    // mouse and the program's own selections are handled where they happen.
    connect(form.List1, &QListWidget::currentRowChanged, this, [this](int) {
        if (m_keyMoving && !m_pressing && !m_selecting) on_List1_click();
    });
    form.List1->installEventFilter(this);
    form.List1->viewport()->installEventFilter(this);
    m_slideShow->connectControls();
}

PictureViewer::~PictureViewer() = default;

std::vector<QWidget*> PictureViewer::viewerControls() const {
    const Form1& f = m_form;
    if (!f.viewerControlsMade()) return {};
    return {f.Drive1, f.Dir1,    f.List1,   f.Command16, f.Check3,
            f.Label9, f.Option1, f.Option2, f.Option3};
}

std::vector<QWidget*> PictureViewer::clockControls() const {
    const Form1& f = m_form;
    return {f.Command1,  f.Command2, f.Label1,  f.Label2,   f.Label3,   f.Label4,
            f.Label5,    f.Label6,   f.Label7,  f.Label8,   f.HScroll1, f.HScroll2,
            f.HScroll3,  f.Check1,   f.Check2,  f.Command5, f.Command6, f.Command9,
            f.Command10, f.Slider1,  f.Slider2, f.Slider3,  f.Check4};
}

void PictureViewer::hideClockControls() {
    Form1& f = m_form;
    if (!m_clockHidden) {
        m_clockShown.clear();
        for (QWidget* control : clockControls())
            m_clockShown.emplace_back(control, control->isVisibleTo(&f));
        m_linesShown = {f.Line1.Visible, f.Line2.Visible, f.Line3.Visible, f.Line4.Visible};
        m_clockHidden = true;
    }
    for (QWidget* control : clockControls()) control->hide();
    for (FrameLine* line : {&f.Line1, &f.Line2, &f.Line3, &f.Line4}) line->Visible = false;
    f.repaintLines();
}

void PictureViewer::showClockControlsAgain() {
    Form1& f = m_form;
    if (m_clockHidden) {
        // The clock comes back as the viewer found it: the settings panel,
        // or the time-setting mode with its colour sliders.
        for (const auto& [control, shown] : m_clockShown) control->setVisible(shown);
        FrameLine* lines[] = {&f.Line1, &f.Line2, &f.Line3, &f.Line4};
        for (std::size_t i = 0; i < m_linesShown.size(); ++i) lines[i]->Visible = m_linesShown[i];
    } else {
        for (FrameLine* line : {&f.Line1, &f.Line2, &f.Line3, &f.Line4}) line->Visible = true;
    }
    m_clockHidden = false;
    f.repaintLines();
}

void PictureViewer::centreWindow() {
    const QScreen* screen = m_form.screen() ? m_form.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const double left = (twips::fromPixels(area.width()) - twips::width(&m_form)) / 2;
    const double top = (twips::fromPixels(area.height()) - twips::height(&m_form)) / 2;
    twips::move(&m_form, twips::fromPixels(area.left()) + left,
                twips::fromPixels(area.top()) + top);
}

void PictureViewer::on_Command3_click() {
    Form1& f = m_form;
    f.makeViewerControls();
    f.Picture1->cls();
    f.viewerOpen = true;
    f.Command11->show();
    f.Command16->show();
    f.Command3->hide();
    f.Command8->show();
    for (double width = 5580; width <= 9288; width += 200) {
        twips::setWidth(&f, width);
        f.services().pauser->pause(kWidthStepPause);
    }
    f.Command12->hide();
    on_Command11_click();
    if (f.helpOn) f.showHelpPage(QStringLiteral("pictureviewer.rtf"));
}

void PictureViewer::on_Command11_click() {
    Form1& f = m_form;
    // The settings panel offers this layout too.
    f.makeViewerControls();
    f.Command16->show();
    for (double height = 4932; height <= 5500; height += 100) {
        twips::setHeight(&f, height);
        f.services().pauser->pause(kGrowStepPause);
    }
    f.Command13->hide();
    f.Command11->hide();
    f.Command12->show();
    f.doipt = true;
    centreWindow();
    hideClockControls();
    f.Command3->hide();
    f.Command8->hide();
    // The box grows to the viewer's size: the clock face's background would
    // stay as a strip at its top.
    f.Picture1->clearPicture();
    twips::setHeight(f.Picture1, kBoxHeight);
    for (QWidget* control : viewerControls()) control->show();
    updateCaption();
}

void PictureViewer::on_Command12_click() {
    Form1& f = m_form;
    f.viewerOpen = false;
    showClockFace();
    for (double height = 5500; height > 4931; height -= 100) {
        twips::setHeight(&f, height);
        f.services().pauser->pause(kShrinkStepPause);
    }
    showClockControlsAgain();
    f.Command13->show();
    f.Command11->show();
    f.Command3->show();
    f.Command12->hide();
    f.Command8->hide();
    for (QWidget* control : viewerControls()) control->hide();
    f.doipt = false;
    twips::setHeight(f.Picture1, 1692);
    for (double width = 9288; width > 5579; width -= 100) {
        twips::setWidth(&f, width);
        f.services().pauser->pause(kWidthStepPause);
    }
    centreWindow();
    updateCaption();
}

void PictureViewer::on_Command8_click() {
    Form1& f = m_form;
    showClockFace();
    f.Command8->hide();
    f.Command3->show();
    for (double width = 9288; width > 5579; width -= 100) {
        twips::setWidth(&f, width);
        f.services().pauser->pause(kWidthStepPause);
    }
}

QString PictureViewer::selectedEntry() const {
    const QListWidget* list = m_form.List1;
    if (const QListWidgetItem* current = list->currentItem(); current && current->isSelected())
        return current->text();
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) return list->item(row)->text();
    return QString();
}

void PictureViewer::selectEntry(int row) {
    QListWidget* list = m_form.List1;
    if (row < 0 || row >= list->count()) return;
    m_selecting = true;
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    m_selecting = false;
    on_List1_click();
}

void PictureViewer::on_List1_click() {
    Form1& f = m_form;
    if (f.ignoreListClick) {
        f.ignoreListClick = false;
        return;
    }
    if (f.comehere) {
        twips::resize(f.Picture1, kBoxWidth, kBoxHeight);
        f.comehere = false;
    }
    showStretched(selectedEntry());
}

bool PictureViewer::showStretched(const QString& path) {
    if (path.isEmpty()) return false;
    PictureBox* box = m_form.Picture1;
    const QSize size(twips::toPixels(twips::width(box)), twips::toPixels(twips::height(box)));
    // The worker reads only the file; the box is touched when it is done.
    m_loader.start([this, path, size]() -> std::function<void()> {
        std::optional<QImage> picture = picturefile::readScaled(path, size);
        const std::optional<QSize> huge = picture ? std::nullopt : picturefile::tooLarge(path);
        if (!picture && !huge) return {};
        return [this, picture = std::move(picture), huge, size] {
            PictureBox* shown = m_form.Picture1;
            shown->setStretch(true);
            shown->setPicture(picture ? *picture : picturefile::tooLargeNotice(size, *huge));
        };
    });
    return true;
}

bool PictureViewer::showNaturalCentred(const QString& path) {
    if (path.isEmpty()) return false;
    // Only the part of the picture inside the window is decoded, so a
    // picture far larger than the screen costs no more than the screen.
    const QSizeF window(twips::width(&m_form), twips::height(&m_form));
    const double twipsPerPixel = twips::perPixel();
    m_loader.start([this, path, window, twipsPerPixel]() -> std::function<void()> {
        std::optional<picturefile::CentredPart> picture =
            picturefile::readCentred(path, window, twipsPerPixel);
        const std::optional<QSize> huge = picture ? std::nullopt : picturefile::tooLarge(path);
        if (!picture && !huge) return {};
        return [this, picture = std::move(picture), huge, window, twipsPerPixel] {
            if (picture) {
                showCentred(*picture);
                return;
            }
            const QSize notice(int(window.width() / twipsPerPixel / 2),
                               int(window.height() / twipsPerPixel / 4));
            showCentred({notice, QRect(QPoint(), notice), picturefile::tooLargeNotice(notice, *huge)});
        };
    });
    return true;
}

void PictureViewer::showCentred(const picturefile::CentredPart& picture) {
    // What is shown now replaces any picture still being read.
    m_loader.forget();
    Form1& f = m_form;
    const double boxWidth = twips::fromPixels(picture.natural.width());
    const double boxHeight = twips::fromPixels(picture.natural.height());
    const double top = (twips::height(&f) - boxHeight) / 2;
    const double left = (twips::width(&f) - boxWidth) / 2;
    f.Picture1->setStretch(false);
    f.Picture1->setPicturePart(picture.image, picture.seen.topLeft());
    twips::place(f.Picture1, left, top, boxWidth, boxHeight);
}

void PictureViewer::showClockFace() {
    m_loader.forget();
    m_form.Picture1->setStretch(false);
    m_form.Picture1->setPicture(m_form.p2->picture());
}

void PictureViewer::on_Picture1_click() {
    Form1& f = m_form;
    // 1: out of full screen.
    m_slideShow->leaveFullScreen();
    twips::move(f.Picture1, 0, 0);
    // The click always returns the clock to its full size.
    f.smallSize = false;
    f.compactSize = false;

    // 2
    if (!f.fullScreenTicked()) f.viewerOpen = false;
    showClockFace();
    for (QSlider* slider : {f.Slider1, f.Slider2, f.Slider3}) slider->hide();

    // 3: the viewer's controls reset; a viewer never opened has none.
    if (f.viewerControlsMade()) {
        f.Check3->setChecked(false);
        f.Command16->show();
        for (QRadioButton* option : {f.Option1, f.Option2, f.Option3}) {
            if (!option->isChecked()) continue;
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    }
    f.setWindowState(Qt::WindowNoState);
    if (!f.haveivisitedit) twips::setHeight(&f, 5500);
    twips::resize(f.Picture1, kBoxWidth, kBoxHeight);

    if (f.haveivisitedit) {
        // 4: back from full screen to the viewer layout, showing the first
        // entry, the window where it stood before.
        f.comehere = true;
        m_slideShow->stop();
        m_slideShow->restoreWindow(9288, 5500);
        selectEntry(0);
        showStretched(selectedEntry());
        for (QWidget* control :
             {static_cast<QWidget*>(f.List1), static_cast<QWidget*>(f.Dir1),
              static_cast<QWidget*>(f.Drive1), static_cast<QWidget*>(f.Command12),
              static_cast<QWidget*>(f.Check3), static_cast<QWidget*>(f.Option1),
              static_cast<QWidget*>(f.Option2), static_cast<QWidget*>(f.Option3),
              static_cast<QWidget*>(f.Label9)})
            control->show();
        f.haveivisitedit = false;
    } else {
        // 5: the normal clock.
        for (QWidget* control : viewerControls()) control->hide();
        f.Command12->hide();
        m_clockHidden = false;
        f.restoreNormalClock();
    }
    updateCaption();
}

void PictureViewer::updateCaption() {
    Form1& f = m_form;
    const QString caption = f.windowTitle();
    // The caption under the time is whatever the clock tick wrote last.
    if (caption != m_captionWritten) m_captionBase = caption;
    if (f.doipt) {
        const QString timeText = Form1::timeOfDayText(f.services().clock->now().time());
        m_captionWritten =
            m_captionBase.isEmpty() ? timeText : timeText + QStringLiteral("   ") + m_captionBase;
        f.setWindowTitle(m_captionWritten);
    } else if (caption == m_captionWritten && !m_captionWritten.isEmpty()) {
        f.setWindowTitle(m_captionBase);
        m_captionWritten.clear();
    }
}

bool PictureViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_form.List1) {
        if (event->type() == QEvent::KeyPress)
            m_keyMoving = true;
        else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::FocusOut)
            m_keyMoving = false;
    } else if (watched == m_form.List1->viewport()) {
        if ((event->type() == QEvent::MouseButtonPress ||
             event->type() == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_pressing = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            m_pressing = false;
    }
    return QObject::eventFilter(watched, event);
}
