// The reference the program's start-up, memory and idle figures are held
// against: the smallest Qt Widgets program that shows something, a window
// with one label. With "tick", the label shows the time and is updated every
// 900 ms, as the clock is.
//
//   ref_label [tick]
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("12:00:00 PM"));
    label.resize(372, 137);
    QTimer tick;
    if (argc > 1 && std::strcmp(argv[1], "tick") == 0) {
        QObject::connect(&tick, &QTimer::timeout, &label, [&label] {
            label.setText(QTime::currentTime().toString(QStringLiteral("h:mm:ss AP")));
        });
        tick.start(900);
    }
    label.show();
    return app.exec();
}
