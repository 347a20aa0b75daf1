#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "viewer/FileSystemService.h"

class Form1;
class QPoint;

// The image list of the picture viewer: the drive and folder lists, the
// count of a chosen folder's pictures with the offer to add them, and the
// pop-up menu that removes entries.
class ImageList : public QObject {
    Q_OBJECT
public:
    explicit ImageList(Form1& form);
    ~ImageList() override;
    // Wires the lists, the button "Remove" and its menu once the window has
    // made them.
    void connectControls();

    // Offers the pictures of `folder` for the list: counts them, asks, and
    // appends their paths on Yes.
    void offerFolder(const QString& folder);

    void on_Drive1_change(int index);
    void on_Dir1_change();
    void on_Command16_clicked();
    void on_removeall_click();
    void on_removesel_click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fills the drive list and shows the folder list at the data folder, the
    // first time the lists are shown.
    void prepare();
    void popUpRemoveMenu(const QPoint& globalPosition);
    FileSystemService& fileSystem();

    Form1& m_form;
    std::unique_ptr<FileSystemService> m_mfs;  // made on first use, kept for the window's life
    bool m_prepared = false;
};
