#pragma once

#include <QString>
#include <QStringList>

// The file-system service the image list asks for the files of a folder.
class FileSystemService {
public:
    struct Listing {
        bool ok = false;
        QString error;      // why the folder could not be listed, when !ok
        QStringList files;  // full paths of the folder's files, in listing order
    };

    // The files directly in `folder` (subfolders are not entered), sorted by
    // name as a file manager shows them. A folder that cannot be opened or
    // read gives ok == false and the system's reason.
    Listing filesOf(const QString& folder) const;
};
