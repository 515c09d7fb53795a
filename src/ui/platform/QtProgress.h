// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress window of a long job: it shows only once the job has lasted the given delay, it
// closes as soon as the job reports its end, and its "Annulla" stops the job.

#include "core/forms/Platform.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QString>

#include <memory>

class QWidget;

namespace quaderna::ui {

class QtProgress : public Progress {
public:
    QtProgress(QWidget* parent, const QString& label, int delayMs);
    ~QtProgress() override;
    // A job counted in steps (pages); false once "Annulla" was pressed.
    bool operator()(int done, int total) { return update(done, total); }
    // `done` equal to `total` is the end of the job: the window closes.
    bool update(std::int64_t done, std::int64_t total) override;
    // The job is over, whatever it last reported: the window closes.
    void finish();

private:
    QWidget* parent_;
    QString label_;
    int delay_;
    QElapsedTimer clock_;
    bool canceled_ = false;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace quaderna::ui
