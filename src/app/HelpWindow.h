#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QPushButton;
class RichTextBox;
struct AppContext;

// The help window: a small window that opens beside the clock window and
// shows one help page at a time, with "Close" and "Disable help". It does not
// block the clock window. While it is open, showing another page replaces the
// text and leaves the window where it is; once closed, the next page opens a
// fresh window beside the clock again.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(AppContext& app, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Loads a page file into the page box. A file that cannot be read leaves
    // the box as it was and returns false.
    bool loadPage(const QString& path);

    // Opens the window unless it is open already: placed against the right
    // side of `clockWindow`, level with its top, shown and given the focus.
    // An open window stays where it is and is only brought to the front.
    void loadBeside(const QWidget* clockWindow);

    // Closes the window. The page box is emptied, as a fresh window has it.
    void unload();
    bool isLoaded() const { return m_loaded; }

    // --- Controls, named as the window design names them -----------------
    RichTextBox* RichTextBox1 = nullptr;  // the page, read-only
    QPushButton* Command1 = nullptr;    // "Close"
    QPushButton* Command2 = nullptr;    // "Disable help"

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void on_Command1_clicked();
    void on_Command2_clicked();
    void layoutControls();

    AppContext& m_app;
    bool m_loaded = false;
    // The window the help stands beside; it gets the keyboard back when the
    // help closes.
    QPointer<QWidget> m_beside;
};
