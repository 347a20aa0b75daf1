#include "viewer/SlideShow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "Twips.h"
#include "WindowFrame.h"
#include "clock/Form1.h"
#include "clock/FrameLines.h"
#include "clock/PictureBox.h"
#include "platform/IDialogs.h"
#include "platform/IScreenSaverInhibitor.h"
#include "viewer/FolderTree.h"
#include "viewer/PictureViewer.h"

SlideShow::SlideShow(Form1& form, PictureViewer& viewer) : m_form(form), m_viewer(viewer) {
    connect(form.Timer2, &QTimer::timeout, this, &SlideShow::on_Timer2_timeout);
    connect(form.Picture1, &PictureBox::keyPressed, this, &SlideShow::on_Picture1_keyDown);
}

void SlideShow::connectControls() {
    connect(m_form.Check3, &QCheckBox::clicked, this, &SlideShow::on_Check3_click);
}

SlideShow::~SlideShow() {
    stop();
    releaseScreenSaver();
}

void SlideShow::hideForFullScreen() {
    Form1& f = m_form;
    m_shownBefore.clear();
    for (QWidget* control : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!control->isWindow()) m_shownBefore.emplace_back(control, control->isVisibleTo(&f));
    for (QWidget* control : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // Picture boxes stay, and so do the frame lines' drawing layer (the
        // lines themselves are hidden below) and any window of its own.
        if (qobject_cast<PictureBox*>(control) || qobject_cast<FrameLinesOverlay*>(control) ||
            control->isWindow())
            continue;
        control->hide();
    }
    for (FrameLine* line : {&f.Line1, &f.Line2, &f.Line3, &f.Line4}) line->Visible = false;
    for (QMenu* menu : f.findChildren<QMenu*>()) {
        for (QAction* item : menu->actions()) {
            if (!item->isVisible()) continue;
            item->setVisible(false);
            m_hiddenMenuItems.emplace_back(item);
        }
    }
    for (QWidget* control : m_viewer.viewerControls()) control->hide();
    for (QWidget* control : {static_cast<QWidget*>(f.Command11), static_cast<QWidget*>(f.Command12),
                             static_cast<QWidget*>(f.Command3), static_cast<QWidget*>(f.Command8),
                             static_cast<QWidget*>(f.Image1)})
        control->hide();
    f.Picture1->show();
}

void SlideShow::showHiddenMenuItems() {
    for (const QPointer<QAction>& item : m_hiddenMenuItems)
        if (item) item->setVisible(true);
    m_hiddenMenuItems.clear();
}

void SlideShow::on_Check3_click() {
    Form1& f = m_form;
    // Clearing the box by hand does nothing; a click on the picture leaves
    // full screen.
    if (!f.fullScreenTicked()) return;
    const QString entry = m_viewer.selectedEntry();
    if (entry.isEmpty()) {
        f.services().dialogs->message(QStringLiteral("No picture selected"));
        f.Check3->setChecked(false);
        return;
    }
    f.haveivisitedit = true;
    m_placeBefore = QPointF(twips::left(&f), twips::top(&f));
    m_frameBefore = windowframe::margins(&f);
    hideForFullScreen();

    const QScreen* screen = f.screen() ? f.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    twips::resize(&f, twips::fromPixels(area.width()), twips::fromPixels(area.height()));
    QPalette palette = f.palette();
    palette.setColor(QPalette::Window, Qt::black);
    f.setPalette(palette);
    // Borderless over the whole screen, as a maximised window without its
    // frame would be.
    f.setWindowState(Qt::WindowFullScreen);
    twips::place(f.Picture1, 0, 0, twips::width(&f), twips::height(&f));
    // Over everything, until full screen ends.
    const QObjectList siblings = f.children();
    m_pictureUnder = nullptr;
    for (qsizetype i = siblings.indexOf(f.Picture1) + 1; i < siblings.size() && !m_pictureUnder; ++i)
        m_pictureUnder = qobject_cast<QWidget*>(siblings[i]);
    f.Picture1->raise();
    f.Picture1->setFocus();
    m_viewer.showStretched(entry);
    holdScreenSaver();

    int interval = 0;
    if (f.Option1->isChecked())
        interval = 1000;
    else if (f.Option2->isChecked())
        interval = 3000;
    else if (f.Option3->isChecked())
        interval = 5000;
    if (interval == 0) return;
    f.Timer2->start(interval);
    prepareNext();
}

void SlideShow::holdScreenSaver() {
    if (!m_form.services().screenSaver || m_holdingScreenSaver) return;
    m_form.services().screenSaver->inhibit(QStringLiteral("Full-screen pictures"));
    m_holdingScreenSaver = true;
}

void SlideShow::releaseScreenSaver() {
    if (!m_holdingScreenSaver) return;
    if (m_form.services().screenSaver) m_form.services().screenSaver->release();
    m_holdingScreenSaver = false;
}

void SlideShow::prepareNext() {
    const int next = m_slideIndex + 1;
    if (next >= m_form.List1->count()) return;
    m_preparer.prepare(m_form.List1->item(next)->text(),
                       QSizeF(twips::width(&m_form), twips::height(&m_form)), twips::perPixel());
}

void SlideShow::on_Timer2_timeout() {
    Form1& f = m_form;
    if (!f.fullScreenTicked()) return;
    f.ignoreListClick = true;
    f.viewerOpen = true;
    const int count = f.List1->count();
    if (m_slideIndex >= count) {
        end();
        return;
    }
    ++m_slideIndex;
    if (m_slideIndex >= count) {
        end();
        return;
    }
    m_viewer.selectEntry(m_slideIndex);
    // Read while the slide before was on the screen; a file that cannot be
    // read leaves that slide where it is. A slide still being read (a large
    // picture, a short interval) is shown when it is ready, not waited for.
    const QString entry = m_viewer.selectedEntry();
    const QSizeF window(twips::width(&f), twips::height(&f));
    if (m_preparer.ready(entry, window, twips::perPixel())) {
        const SlidePreparer::Slide slide = m_preparer.obtain(entry, window, twips::perPixel());
        if (slide) m_viewer.showCentred(*slide);
    } else {
        m_preparer.forget();
        m_viewer.showNaturalCentred(entry);
    }
    // The next slide's time counts from now, when this one is shown.
    f.Timer2->start();
    prepareNext();
}

void SlideShow::end() {
    m_slideIndex = 0;
    stop();
    m_viewer.on_Picture1_click();
}

void SlideShow::on_Picture1_keyDown(int key) {
    Form1& f = m_form;
    if (!f.fullScreenTicked()) return;
    if (key == Qt::Key_Escape) {
        m_viewer.on_Picture1_click();
        return;
    }
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Up;
    const bool back = key == Qt::Key_Left || key == Qt::Key_Down;
    if (!forward && !back) return;
    f.ignoreListClick = true;
    f.viewerOpen = true;
    const int count = f.List1->count();
    if (m_keyIndex < 0) m_keyIndex = 0;
    if (m_keyIndex >= count - 1) m_keyIndex = 0;
    if (forward && m_keyIndex < count) ++m_keyIndex;
    if (back && m_keyIndex < count) m_keyIndex = std::max(0, m_keyIndex - 1);
    // A list of one entry has nowhere to step to.
    if (m_keyIndex >= count) m_keyIndex = count - 1;
    m_viewer.selectEntry(m_keyIndex);
    m_viewer.showNaturalCentred(m_viewer.selectedEntry());
}

void SlideShow::stop() {
    m_form.Timer2->stop();
    m_preparer.forget();
}

void SlideShow::leaveFullScreen() {
    showHiddenMenuItems();
    stop();
    releaseScreenSaver();
    // Every control as the viewer layout had it, the picture box under the
    // controls it lay under.
    for (const auto& [control, shown] : m_shownBefore)
        if (control) control->setVisible(shown);
    m_shownBefore.clear();
    if (m_pictureUnder) m_form.Picture1->stackUnder(m_pictureUnder);
    m_pictureUnder = nullptr;
}

void SlideShow::restoreWindow(double width, double height) {
    Form1& f = m_form;
    const std::optional<QPointF> place = m_placeBefore;
    const auto restore = [&f, place, width, height] {
        twips::resize(&f, width, height);
        if (place) twips::move(&f, place->x(), place->y());
    };
    // Resized or moved before the manager has put its frame back, the
    // window's inside would go where its frame stood. A window that had no
    // frame has none to wait for.
    if (m_frameBefore.isNull())
        restore();
    else
        windowframe::whenFramed(&f, restore, m_frameBefore);
}
