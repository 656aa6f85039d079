#pragma once

#include <functional>
#include <memory>

class Dialogs;
class QProgressDialog;
class QWidget;

// What the user sees of a load's stages; gone when destroyed.
class LoadProgressDisplay
{
public:
    virtual ~LoadProgressDisplay() = default;
    virtual void step() = 0;
};

// The window's display: a dialog without a cancel button that shows itself
// only when the work runs past half a second.
class LoadProgressDialog : public LoadProgressDisplay
{
public:
    explicit LoadProgressDialog(QWidget *parent);
    ~LoadProgressDialog() override;
    void step() override;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

// The stages of a load or import: reading the bytes, parsing, filling the
// table, shown through the window's Dialogs. finish() takes the display
// away before any message of the load is shown.
class LoadProgress
{
public:
    LoadProgress(Dialogs &dialogs, QWidget *parent);
    ~LoadProgress();
    LoadProgress(const LoadProgress &) = delete;
    LoadProgress &operator=(const LoadProgress &) = delete;

    void step();
    void finish();
    // Runs a stage whose UserError ends the load as a message, not as an
    // error: the display goes first. False when the stage failed.
    bool attempt(const std::function<void()> &stage);

private:
    Dialogs &m_dialogs;
    QWidget *m_parent;
    std::unique_ptr<LoadProgressDisplay> m_display;
};
