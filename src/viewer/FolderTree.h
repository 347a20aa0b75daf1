#pragma once

#include <QString>
#include <QTreeView>

class QFileSystemModel;

// The folder list: the folders of one drive as a tree the user can open,
// and the folder chosen in it. Choosing a folder (a click, Enter, or the
// program setting the path) emits changed().
class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // The chosen folder; the drive itself until a folder is chosen.
    QString path() const { return m_path; }
    // Shows the folders of `drive` and chooses the drive itself.
    void setDrive(const QString& drive);
    // Chooses `folder`, opening the tree down to it when it lies on the
    // shown drive, or showing it as the top of the tree otherwise.
    void setPath(const QString& folder);
    // Shows the tree with `folder` chosen without announcing it (the folder
    // the list starts at).
    void startAt(const QString& drive, const QString& folder);
    QString drive() const { return m_drive; }

signals:
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The folders of the file system, made on first use.
    QFileSystemModel* folders();
    void showDrive(const QString& drive);
    void mark(const QString& folder);
    void choose(const QModelIndex& index);
    // The user moves the tree by its scroll bar.
    void on_verticalScrollBar_actionTriggered();

    QFileSystemModel* m_model = nullptr;
    QString m_drive;
    QString m_path;
    // The tree follows the chosen folder down while the folders above it
    // load, until the user first touches it: from then on it stays where
    // the user looks, so that a click lands on the folder under the mouse.
    bool m_following = false;
};
