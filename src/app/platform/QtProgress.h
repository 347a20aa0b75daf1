#pragma once

#include <memory>

#include "platform/IProgress.h"

class QProgressDialog;
class QWidget;

// A modal progress dialog without a Cancel button, titled like every box of
// the program. It opens only when the work is estimated to take longer than
// half a second, so short work shows nothing.
class QtProgress final : public IProgress {
public:
    explicit QtProgress(QWidget* parent = nullptr);
    ~QtProgress() override;

    void start(const QString& label, int total) override;
    void advance(int done) override;
    void finish() override;

private:
    QWidget* m_parent;
    std::unique_ptr<QProgressDialog> m_dialog;
};
