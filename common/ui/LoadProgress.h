#pragma once

#include <memory>

class QProgressDialog;
class QWidget;

// The stages of a load or import: reading the bytes, parsing, filling the
// table. The dialog shows itself only when the work runs past half a second;
// finish() takes it away before any message of the load is shown.
class LoadProgress
{
public:
    explicit LoadProgress(QWidget *parent);
    ~LoadProgress();
    LoadProgress(const LoadProgress &) = delete;
    LoadProgress &operator=(const LoadProgress &) = delete;

    void step();
    void finish();

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
