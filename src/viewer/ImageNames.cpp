#include "viewer/ImageNames.h"

#include <array>

namespace imagenames {

bool isImageName(const QString& fileName) {
    static constexpr std::array<const char*, 2> kFourLetter = {"jpeg", "JPEG"};
    static constexpr std::array<const char*, 6> kThreeLetter = {"jpg", "JPG", "JPE",
                                                                "bmp", "BMP", "GIF"};
    const QStringView last4 = QStringView(fileName).right(4);
    for (const char* ending : kFourLetter)
        if (last4 == QLatin1String(ending)) return true;
    const QStringView last3 = QStringView(fileName).right(3);
    for (const char* ending : kThreeLetter)
        if (last3 == QLatin1String(ending)) return true;
    return false;
}

QString countQuestion(qsizetype count, const QString& folder) {
    return QString::number(count) + QStringLiteral("  number of image files have been found at ") +
           folder + QStringLiteral(". Shall I add them to your view list?");
}

}  // namespace imagenames
