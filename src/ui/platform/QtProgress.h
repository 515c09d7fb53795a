#pragma once
// The progress window of a long job: it shows only when the job promises to last longer than the
// given delay, and its "Annulla" stops the job.

#include "core/forms/Platform.h"

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
    bool update(std::int64_t done, std::int64_t total) override;

private:
    QWidget* parent_;
    QString label_;
    int delay_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace quaderna::ui
