#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

#include "Twips.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"
#include "support/TestPictures.h"
#include "support/WindowRig.h"
#include "viewer/PictureViewer.h"
#include "viewer/SlideShow.h"

// The clock window as the viewer tests need it: built on the rig's folder,
// at its normal size, with a clock face whose colour the tests can recognise.
struct ViewerWindow : WindowRig {
    std::unique_ptr<AppContext> app;
    std::unique_ptr<Form1> form;
    static inline const QColor kFace = QColor(10, 20, 90);

    // The viewer's controls are made at once, as a first visit to the viewer
    // would have made them, unless a test sees to their making itself.
    explicit ViewerWindow(bool viewerControlsMade = true) {
        app = folder.openContext();
        form = std::make_unique<Form1>(*app, services);
        if (viewerControlsMade) form->makeViewerControls();
        twips::resize(form.get(), 5580, 2050);
        QImage face(form->Picture1->size(), QImage::Format_RGB32);
        face.fill(kFace);
        form->p2->setPicture(face);
        form->Picture1->setPicture(face);
        form->show();
    }

    PictureViewer& viewer() { return form->pictureViewer(); }
    SlideShow& slideShow() { return form->pictureViewer().slideShow(); }

    // Writes the pictures into the data folder and puts them in the list.
    // Picture i is `sizes[i]` in colour colourOf(i).
    QStringList addPictures(const QList<QSize>& sizes, const char* format = "JPEG") {
        QStringList paths;
        for (int i = 0; i < sizes.size(); ++i) {
            const QString path = folder.file(QStringLiteral("pic%1.jpg").arg(i));
            testpictures::write(path, sizes[i], colourOf(i), format);
            paths << path;
        }
        form->List1->addItems(paths);
        return paths;
    }
    static QColor colourOf(int i) {
        static const QColor colours[] = {QColor(200, 40, 40),  QColor(40, 200, 40),
                                         QColor(40, 40, 200),  QColor(220, 200, 30),
                                         QColor(30, 200, 210), QColor(200, 30, 200)};
        return colours[i % 6];
    }

    // Waits until the picture being read on the viewer's worker thread has
    // been shown (or found unreadable).
    void settle() const {
        for (int waited = 0; form->pictureViewer().loading() && waited < 10000; waited += 5)
            QTest::qWait(5);
    }

    // The colour in the middle of what the picture box holds.
    QColor pictureCentre() const {
        settle();
        const QImage held = form->Picture1->picture();
        return held.isNull() ? QColor() : held.pixelColor(held.width() / 2, held.height() / 2);
    }

    // A click on the list entry at `row`, as the mouse gives it.
    void clickEntry(int row) {
        QListWidget* list = form->List1;
        const QRect at = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at.center());
        settle();
    }

    void clickPicture() {
        QTest::mouseClick(form->Picture1, Qt::LeftButton);
        settle();
    }

    // Opens the viewer and selects the entry at `row` by a click.
    void openWithSelected(int row) {
        form->Command3->click();
        clickEntry(row);
    }

    // The screen in twips, as the window sees it.
    QSizeF screenTwips() const {
        const QRect area = form->screen()->geometry();
        return QSizeF(twips::fromPixels(area.width()), twips::fromPixels(area.height()));
    }
};
