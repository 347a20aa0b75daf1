#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class QPushButton;
class QTimer;
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

    // Opens the window unless it is open already: placed beside `anchor`
    // (the window whose feature the page explains), shown and given the
    // focus. An open window stays where it is and is brought to the front,
    // unless it covers `anchor`; then it moves beside it. `whenShown` runs
    // once the window is on the screen.
    void loadBeside(QWidget* anchor, const std::function<void()>& whenShown = {});
    // From now on the window keeps clear of `anchor`: when `anchor` is shown
    // or changes size and the help covers it, the help moves beside it, or,
    // with no room beside it, goes below it.
    void keepClearOf(QWidget* anchor);

    // Where the help window's frame goes beside the frame `anchor` on the
    // screen's free part `area`, all in pixels: against its right side with
    // the tops level; else against its left side; else narrowed (down to
    // `minWidth`) into the wider room beside it; else at the nearest place
    // on the screen, which covers `anchor` (`clear` false). The top moves
    // down or up only as far as keeps the whole window on the screen.
    struct Place {
        QRect frame;
        bool clear = true;
    };
    static Place placeBeside(const QRect& anchor, const QSize& frameSize, int minWidth,
                             const QRect& area);

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void on_Command1_clicked();
    void on_Command2_clicked();
    void on_m_clearTimer_timeout();
    void layoutControls();
    // Places the window beside the anchor, at its designed width or
    // narrower; below the anchor in stacking when it must cover it.
    // `opening`: the window is about to be shown for a new page.
    void placeBesideAnchor(bool opening);
    bool coversAnchor() const;

    AppContext& m_app;
    bool m_loaded = false;
    QPointer<QWidget> m_anchor;
    // Lets the anchor settle (its size animations, the window manager's
    // frame) before the help moves out of its way.
    QTimer* m_clearTimer = nullptr;
};
