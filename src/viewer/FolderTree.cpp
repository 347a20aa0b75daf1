#include "viewer/FolderTree.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent) {
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeView::clicked, this, &FolderTree::choose);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &FolderTree::on_verticalScrollBar_actionTriggered);
}

void FolderTree::on_verticalScrollBar_actionTriggered() {
    m_following = false;
}

QFileSystemModel* FolderTree::folders() {
    if (m_model) return m_model;
    // Made when a drive is first shown: the model reads the folders on a
    // thread of its own and watches them, which a clock that never opens the
    // viewer should not pay for.
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    // The tree only browses: it never renames, moves or deletes.
    m_model->setReadOnly(true);
    setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column) hideColumn(column);
    // The folders are read in the background; once the ones above the
    // chosen folder are there, open the tree down to it.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        const QString prefix =
            loaded.endsWith(QLatin1Char('/')) ? loaded : loaded + QLatin1Char('/');
        if (!m_following || !m_path.startsWith(prefix)) return;
        const QModelIndex index = m_model->index(m_path);
        if (index.isValid() && index != rootIndex()) scrollTo(index);
    });
    return m_model;
}

void FolderTree::showDrive(const QString& drive) {
    m_drive = QDir::cleanPath(drive);
    setRootIndex(folders()->setRootPath(m_drive));
}

void FolderTree::mark(const QString& folder) {
    m_path = QDir::cleanPath(folder);
    m_following = true;
    const QModelIndex index = folders()->index(m_path);
    if (index.isValid() && index != rootIndex()) {
        setCurrentIndex(index);
        scrollTo(index);
    } else {
        clearSelection();
    }
}

void FolderTree::setDrive(const QString& drive) {
    showDrive(drive);
    mark(m_drive);
    emit changed();
}

void FolderTree::setPath(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    const QString prefix =
        m_drive.endsWith(QLatin1Char('/')) ? m_drive : m_drive + QLatin1Char('/');
    if (m_drive.isEmpty() || (path != m_drive && !path.startsWith(prefix))) showDrive(path);
    mark(path);
    emit changed();
}

void FolderTree::startAt(const QString& drive, const QString& folder) {
    showDrive(drive);
    mark(folder);
}

void FolderTree::choose(const QModelIndex& index) {
    if (!index.isValid() || !m_model) return;
    m_path = m_model->filePath(index);
    emit changed();
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
    m_following = false;
    QTreeView::mousePressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event) {
    m_following = false;
    QTreeView::wheelEvent(event);
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
    m_following = false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        choose(currentIndex());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}
