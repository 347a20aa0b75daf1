#pragma once

#include <QString>

// The rules of the image list that need no window: which file names count as
// pictures, and the question that offers a folder's pictures.
namespace imagenames {

// True when the file name (not its path) ends, with exact case, in "jpeg" or
// "JPEG", or in "jpg", "JPG", "JPE", "bmp", "BMP" or "GIF". No dot is needed
// before the ending, so "notajpg" counts and "b.gif" does not.
bool isImageName(const QString& fileName);

// "4  number of image files have been found at /path. Shall I add them to your
// view list?" for a count of 4 and the folder /path.
QString countQuestion(qsizetype count, const QString& folder);

}  // namespace imagenames
