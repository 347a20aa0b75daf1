#include "viewer/ImageList.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include "Accessibility.h"
#include "clock/Form1.h"
#include "platform/IDialogs.h"
#include "viewer/DriveList.h"
#include "viewer/FolderTree.h"
#include "viewer/ImageNames.h"

ImageList::ImageList(Form1& form) : QObject(&form), m_form(form) {}

void ImageList::connectControls() {
    Form1& form = m_form;
    connect(form.Drive1, &QComboBox::currentIndexChanged, this, &ImageList::on_Drive1_change);
    connect(form.Dir1, &FolderTree::changed, this, &ImageList::on_Dir1_change);
    connect(form.Command16, &QPushButton::clicked, this, &ImageList::on_Command16_clicked);
    connect(form.removeall, &QAction::triggered, this, &ImageList::on_removeall_click);
    connect(form.removesel, &QAction::triggered, this, &ImageList::on_removesel_click);
    // The column is narrow and paths are long: each entry shows the end of
    // its path, where the file's name is, and the whole path as its tip.
    form.List1->setTextElideMode(Qt::ElideLeft);
    form.List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    form.List1->viewport()->installEventFilter(this);
    form.Drive1->installEventFilter(this);
}

ImageList::~ImageList() = default;

FileSystemService& ImageList::fileSystem() {
    if (!m_mfs) m_mfs = std::make_unique<FileSystemService>();
    return *m_mfs;
}

void ImageList::prepare() {
    if (m_prepared) return;
    m_prepared = true;
    const QStringList drives = drivelist::ofThisDesktop();
    {
        const QSignalBlocker quiet(m_form.Drive1);
        m_form.Drive1->clear();
        for (const QString& drive : drives) m_form.Drive1->addItem(drive, drive);
    }
    // The lists start where the program runs, as the system's own folder
    // lists do, without offering that folder's pictures.
    QString start = QDir::cleanPath(m_form.app().appFolder);
    if (start.isEmpty()) start = QDir::homePath();
    const int drive = drivelist::driveOf(drives, start);
    const QSignalBlocker quiet(m_form.Drive1);
    m_form.Drive1->setCurrentIndex(drive);
    m_form.Dir1->startAt(drive >= 0 ? drives[drive] : start, start);
}

void ImageList::on_Drive1_change(int index) {
    if (index < 0) return;
    const QString drive = m_form.Drive1->itemData(index).toString();
    if (drive.isEmpty()) return;
    m_form.Dir1->setDrive(drive);
}

void ImageList::on_Dir1_change() {
    offerFolder(m_form.Dir1->path());
}

void ImageList::offerFolder(const QString& folder) {
    const FileSystemService::Listing listing = fileSystem().filesOf(folder);
    if (!listing.ok) {
        m_form.services().dialogs->message(
            QStringLiteral(
                "The folder %1 cannot be read (%2). The view list has been left as it is.")
                .arg(QDir::toNativeSeparators(folder), listing.error),
            MessageKind::Failure);
        return;
    }
    QStringList pictures;
    for (const QString& path : listing.files)
        if (imagenames::isImageName(path.section(QLatin1Char('/'), -1))) pictures << path;
    if (pictures.isEmpty()) return;
    if (!m_form.services().dialogs->question(imagenames::countQuestion(pictures.size(), folder)))
        return;
    // Counted and added from one listing, so what is added is what was counted.
    for (const QString& path : pictures) {
        auto* entry = new QListWidgetItem(path, m_form.List1);
        entry->setToolTip(QDir::toNativeSeparators(path));
    }
}

void ImageList::popUpRemoveMenu(const QPoint& globalPosition) {
    m_form.remove->popup(globalPosition);
}

void ImageList::on_Command16_clicked() {
    popUpRemoveMenu(accessibility::popUpPoint());
}

void ImageList::on_removeall_click() {
    m_form.List1->clear();
}

void ImageList::on_removesel_click() {
    // From the last entry to the first, so every removal leaves the positions
    // still to be removed where they were.
    QListWidget* list = m_form.List1;
    for (int row = list->count() - 1; row >= 0; --row)
        if (list->item(row)->isSelected()) delete list->takeItem(row);
}

bool ImageList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_form.Drive1 && event->type() == QEvent::Show) {
        prepare();
    } else if (watched == m_form.List1->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            // The menu acts on the selection the user made; the right button
            // must not change it.
            popUpRemoveMenu(press->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
